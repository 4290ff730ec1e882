// Block Solitaire's rule path under random play: seeded deals, random presses on the slots, and
// after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "tests/games/block/BlockSolver.h"
#include "tests/games/solitaire/SideStateSnapshot.h"
#include "tests/support/RandomPlay.h"

namespace {

::testing::AssertionResult EveryCardOnce(const BlockPosition& p, const Deck& stock) {
  const std::string fault = BlockCardFault(p, stock);
  if (fault.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << fault;
}

// Whether some run of presses takes a pair out: two selections, after letting go of a selected
// card first when there is one.
bool PressesTakeAPairOut(const BlockDealt& deal, int depth) {
  if (depth == 0) return false;
  MoveList moves;
  BlockLegalMoves(deal.position, moves);
  for (const Move& move : moves) {
    BlockDealt next = deal;
    if (BlockApplyMove(next.position, next.stock, move).points > 0) return true;
    if (PressesTakeAPairOut(next, depth - 1)) return true;
  }
  return false;
}

}  // namespace

// Random presses on random slots, refused ones and empty slots included. After every move each
// card is accounted for and at most one stays selected; every fourth is undone through its
// snapshot bytes; the no-moves answer agrees with what the legal moves can reach.
TEST(BlockProperty, RandomPlayKeepsEveryInvariant) {
  const int gameCount = PropertyGames();
  int moves = 0, stuck = 0, pairs = 0, won = 0;
  for (int game = 0; game < gameCount; ++game) {
    std::mt19937 random(static_cast<std::uint32_t>(game));
    BlockDealt deal = DealBlock(static_cast<std::uint32_t>(game));
    int points = 0;
    SCOPED_TRACE(testing::Message() << "game " << game);
    for (int step = 0; step < 100; ++step) {
      const bool noneLeft = BlockNoMovesLeft(deal.position, deal.stock);
      ASSERT_EQ(noneLeft, !PressesTakeAPairOut(deal, 2 + deal.position.selectedCount))
          << "move " << step;
      if (noneLeft) {
        ++stuck;
        won += BlockCleared(deal.position, deal.stock);
        break;
      }
      // Three presses in four take a pair out when one is offered, so that deals get somewhere.
      MoveList legal;
      BlockLegalMoves(deal.position, legal);
      std::erase_if(legal, [&deal](const Move& m) {
        return deal.position.selected[static_cast<std::size_t>(m.from)];
      });
      Move move{MoveKind::kSelect, static_cast<int>(random() % kBlockSlots), 0, -1};
      if (deal.position.selectedCount == 1 && !legal.empty() && random() % 4 != 0)
        move = legal[random() % legal.size()];
      const bool checkUndo = step % 4 == 0;
      const std::vector<std::uint8_t> snapshot =
          checkUndo ? SnapshotOf(deal, points, step, WriteBlockSnapshotBlock)
                    : std::vector<std::uint8_t>{};
      const BlockDealt before = deal;
      const MoveResult result = BlockApplyMove(deal.position, deal.stock, move);
      ASSERT_EQ(result.Happened(), BlockIsLegal(before.position, move));
      if (!result.Happened()) {
        ASSERT_EQ(deal.position, before.position);
        continue;
      }
      points += result.points;
      pairs += result.points > 0;
      ++moves;
      ASSERT_TRUE(EveryCardOnce(deal.position, deal.stock)) << "move " << step;
      ASSERT_LE(deal.position.selectedCount, 1);
      if (!checkUndo) continue;
      const auto back = ReadPlainSnapshot(
          snapshot, deal, [](SnapshotReader& in, const BlockPosition&, const Deck& stock) {
            return ReadBlockSnapshotBlock(in, stock);
          });
      ASSERT_TRUE(back.has_value()) << "move " << step;
      ASSERT_EQ(back->position, before.position);
      ASSERT_EQ(back->stock, before.stock);
      ASSERT_EQ(back->points, points - result.points);
      ASSERT_EQ(back->elapsedSeconds, step);
    }
  }
  EXPECT_GT(moves, gameCount * 60);
  EXPECT_GT(pairs, gameCount * 10);
  EXPECT_GT(stuck, gameCount / 5) << "the no-moves answer must have been put to the test";
  EXPECT_GT(won, gameCount / 10);
}
