// Block Solitaire's rules called directly: the deal, selecting and pairing, the refill, the end,
// and the snapshot reader's refusals.
#include <gtest/gtest.h>

#include "tests/fuzz/SnapshotDamage.h"
#include "tests/games/block/BlockSolver.h"

namespace {

constexpr int kTwo = 0, kThree = 1, kFour = 2, kFive = 3, kSix = 4, kSeven = 5;

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

Move Select(int slot) {
  return {MoveKind::kSelect, slot, 0, -1};
}

SnapshotBytes Snapshot(const BlockDealt& deal) {
  return SnapshotOf(deal, 30, 12, WriteBlockSnapshotBlock);
}

std::optional<BlockSnapshot> Read(const SnapshotBytes& bytes) {
  return ReadSnapshotOf(bytes, Deck(), ReadBlockSnapshotBlock);
}

TEST(BlockPlay, TheDealFillsTheTwelveSlotsInOrderFromAFortyCardPack) {
  Deck stock;
  BlockPrepareDeal(stock, 7);
  EXPECT_EQ(stock.Remaining(), 40);
  BlockPosition position = EmptyBlockPosition();
  const std::vector<MoveStep> steps = BlockRefill(position, stock);
  ASSERT_EQ(steps.size(), 12u);
  for (int slot = 0; slot < kBlockSlots; ++slot) {
    EXPECT_EQ(steps[At(slot)].kind, StepKind::kDealt);
    EXPECT_EQ(steps[At(slot)].to, slot);
    EXPECT_EQ(steps[At(slot)].card, position.slots[At(slot)]);
  }
  EXPECT_EQ(stock.Remaining(), 28);
  for (int i = 0; i < stock.Remaining(); ++i) {
    const int rank = stock.PeekCard(i).rank;
    EXPECT_TRUE(rank < 9 || rank > 11) << "no Jack, Queen or King";
  }
  EXPECT_EQ(BlockDeal(stock, 7), position) << "the same seed deals the same table";
}

TEST(BlockPlay, ASecondCardThatMakesNoElevenIsLetGoAndTheFirstStaysSelected) {
  BlockDealt deal = DealBlock(1);
  deal.position.slots[0] = Card{0, kFive};
  deal.position.slots[1] = Card{1, kSeven};
  deal.position.slots[2] = Card{2, kSix};
  const Deck stockBefore = deal.stock;
  MoveResult r = BlockApplyMove(deal.position, deal.stock, Select(0));
  ASSERT_EQ(r.steps.size(), 1u);
  EXPECT_EQ(r.steps[0].kind, StepKind::kSelected);
  MoveList moves;
  BlockLegalMoves(deal.position, moves);
  for (const Move& move : moves) {
    const Card& card = deal.position.slots[At(move.from)];
    EXPECT_TRUE(move.from == 0 || BlockValue(card) == 6) << "offers only what changes the table";
  }
  EXPECT_TRUE(BlockIsLegal(deal.position, Select(1))) << "the press on the Seven still answers";
  r = BlockApplyMove(deal.position, deal.stock, Select(1));
  ASSERT_EQ(r.steps.size(), 2u);
  EXPECT_EQ(r.steps[1].kind, StepKind::kUnselected);
  EXPECT_EQ(r.steps[1].from, 1);
  EXPECT_EQ(r.points, 0);
  EXPECT_EQ(deal.position.selected[0], 1);
  EXPECT_EQ(deal.position.selected[1], 0);
  EXPECT_EQ(deal.position.selectedCount, 1);
  EXPECT_EQ(deal.stock, stockBefore);

  // The selected card unselects; a card that is gone cannot be selected.
  r = BlockApplyMove(deal.position, deal.stock, Select(0));
  ASSERT_EQ(r.steps.size(), 1u);
  EXPECT_EQ(r.steps[0].kind, StepKind::kUnselected);
  EXPECT_EQ(deal.position.selectedCount, 0);
  deal.position.slots[3] = kNoCard;
  EXPECT_FALSE(BlockIsLegal(deal.position, Select(3)));
  EXPECT_FALSE(BlockApplyMove(deal.position, deal.stock, Select(3)).Happened());
}

TEST(BlockPlay, APairOfElevenGoesForTenPointsAndItsGapsRefillInSlotOrder) {
  BlockDealt deal = DealBlock(1);
  deal.position.slots[5] = Card{0, kFour};
  deal.position.slots[2] = Card{3, kSeven};
  const Card first = deal.stock.PeekCard(0);
  const Card second = deal.stock.PeekCard(1);
  BlockApplyMove(deal.position, deal.stock, Select(5));
  const MoveResult r = BlockApplyMove(deal.position, deal.stock, Select(2));
  EXPECT_EQ(r.points, kBlockPairPoints);
  ASSERT_EQ(r.steps.size(), 4u);
  EXPECT_EQ(r.steps[1].kind, StepKind::kPairRemoved);
  EXPECT_EQ(r.steps[1].from, 2) << "the first selected slot in slot order";
  EXPECT_EQ((std::vector<int>{r.steps[1].to, r.steps[2].to, r.steps[3].to}),
            (std::vector<int>{5, 2, 5}))
      << "the pair's second slot, then the refills in order";
  EXPECT_EQ(deal.position.slots[2], first);
  EXPECT_EQ(deal.position.slots[5], second);
  EXPECT_EQ(deal.position.selected, (std::array<std::uint8_t, kBlockSlots>{}));
  EXPECT_EQ(deal.stock.Remaining(), 26);
}

// A count without its flag (no snapshot lets one in) must not send the second selection looking
// for a partner that is not there.
TEST(BlockPlay, ACountWithoutItsFlagPairsNothing) {
  BlockDealt deal = DealBlock(2);
  deal.position.selectedCount = 1;
  const MoveResult r = BlockApplyMove(deal.position, deal.stock, Select(0));
  ASSERT_EQ(r.steps.size(), 2u);
  EXPECT_EQ(r.steps[1].kind, StepKind::kUnselected);
  EXPECT_EQ(deal.position.selected[0], 0);
}

TEST(BlockPlay, ASpentStockLeavesGapsAndTwelveGapsWin) {
  BlockDealt deal = DealBlock(3);
  while (deal.stock.Remaining() > 0) deal.stock.DealCard();
  deal.position = EmptyBlockPosition();
  deal.position.slots[4] = Card{0, kTwo};
  deal.position.slots[9] = Card{1, kThree};
  EXPECT_TRUE(BlockNoMovesLeft(deal.position, deal.stock));
  EXPECT_FALSE(BlockCleared(deal.position, deal.stock));
  deal.position.slots[9] = Card{1, 7};  // a Nine
  EXPECT_FALSE(BlockNoMovesLeft(deal.position, deal.stock));
  BlockApplyMove(deal.position, deal.stock, Select(4));
  const MoveResult r = BlockApplyMove(deal.position, deal.stock, Select(9));
  EXPECT_EQ(r.steps.size(), 2u) << "nothing to refill with";
  EXPECT_TRUE(BlockCleared(deal.position, deal.stock));

  // A gap with cards in the stock is the middle of a deal; twelve cards of which no two make 11
  // are stuck with a full stock.
  BlockDealt dealing = DealBlock(3);
  dealing.position = EmptyBlockPosition();
  EXPECT_FALSE(BlockNoMovesLeft(dealing.position, dealing.stock));
  for (int slot = 0; slot < kBlockSlots; ++slot)
    dealing.position.slots[At(slot)] = Card{slot % 4, kTwo + slot / 4};
  EXPECT_TRUE(BlockNoMovesLeft(dealing.position, dealing.stock));
}

// The exact read-back is BlockPropertyTest's; one case for each check of the reader.
TEST(BlockSnapshot, RefusesDamage) {
  BlockDealt deal = DealBlock(5);
  BlockApplyMove(deal.position, deal.stock, Select(3));
  const SnapshotBytes bytes = Snapshot(deal);
  ASSERT_EQ(bytes.size(), kBlockSnapshotSize);
  ASSERT_TRUE(Read(bytes));
  const std::size_t block = kBlockSnapshotSize - kBlockBlockSize;
  const std::size_t flags = block + 96;
  const auto damaged = [&bytes](std::size_t at, std::uint8_t value) {
    SnapshotBytes copy = bytes;
    copy[at] = value;
    return copy;
  };
  ExpectEachRefused(bytes, Read,
                    {{"a flag is 0 or 1", damaged(flags + 3, 2)},
                     {"two flags, count one", damaged(flags + 4, 1)},
                     {"a Queen in slot 0", damaged(block + 4, 10)}});
  BlockDealt copy = deal;
  copy.position.slots[1] = copy.position.slots[0];
  EXPECT_FALSE(Read(Snapshot(copy))) << "a card twice";
  copy = deal;
  copy.position.slots[1] = copy.stock.PeekCard(0);
  EXPECT_FALSE(Read(Snapshot(copy))) << "a card in a slot and in the stock";
  copy = deal;
  copy.position.selected[3] = 0;
  copy.position.selectedCount = 0;
  copy.position.slots[3] = kNoCard;
  EXPECT_FALSE(Read(Snapshot(copy))) << "a gap while the stock holds cards";
  copy = deal;
  copy.stock.DealCard();
  EXPECT_FALSE(Read(Snapshot(copy))) << "one card gone, which no pair explains";
  copy = deal;
  copy.position.selected[7] = 1;
  copy.position.selectedCount = 2;
  EXPECT_FALSE(Read(Snapshot(copy))) << "two selected cards outlast no move";
}

}  // namespace
