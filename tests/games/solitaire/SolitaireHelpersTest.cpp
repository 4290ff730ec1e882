// The helpers every solitaire game's rules share: where a mistake would show in all of them at
// once, in the wrap of the ranks, in a recycle, in what the no-moves analyses look at, and in the
// check of a position read from a file.
#include <gtest/gtest.h>

#include <array>

#include "engine/Deck.h"
#include "games/solitaire/Building.h"
#include "games/solitaire/CardTally.h"
#include "games/solitaire/StockAndWaste.h"

namespace {

constexpr int kTwo = 0, kFive = 3, kSix = 4, kQueen = 10, kKing = 11, kAce = kAceRank;

// A stock of exactly these cards, the first one dealt first, from a pack without `removed`.
Deck StockOf(std::initializer_list<Card> cards, Card removed = kNoCard) {
  Deck deck;
  deck.SetCopies(1);
  deck.IncludeAll();
  if (removed != kNoCard) deck.RemoveCard(removed);
  while (deck.Remaining() > 0) deck.DealCard();
  for (const Card& card : cards) deck.ReturnCard(card);
  return deck;
}

TEST(Building, RanksWrapFromKingThroughAceToTwo) {
  EXPECT_EQ(NextRank(kKing), kAce);
  EXPECT_EQ(NextRank(kAce), kTwo);
  EXPECT_EQ(PreviousRank(kTwo), kAce);
  // Foundations from a Queen start: the King, then the Ace, then the Two.
  EXPECT_TRUE(BuildsUpInSuit({2, kKing}, {2, kQueen}, kQueen));
  EXPECT_TRUE(BuildsUpInSuit({2, kAce}, {2, kKing}, kQueen));
  EXPECT_TRUE(BuildsUpInSuit({2, kTwo}, {2, kAce}, kQueen));
  EXPECT_FALSE(BuildsUpInSuit({1, kTwo}, {2, kAce}, kQueen)) << "another suit";
  // Columns build down across the wrap: a King on an Ace when the Ace does not start piles.
  EXPECT_TRUE(BuildsDownAlternating({1, kKing}, {0, kAce}, kTwo));
  EXPECT_FALSE(BuildsDownAlternating({2, kKing}, {0, kAce}, kTwo)) << "same colour";
}

TEST(Building, TheStartRankNeverLandsOnAPile) {
  // With Aces starting the foundations the Ace would fit under the Two by rank, and the King on
  // the Ace, but the Ace itself is never built on anything.
  EXPECT_FALSE(BuildsDownAlternating({1, kAce}, {0, kTwo}, kAce));
  EXPECT_TRUE(BuildsDownAlternating({1, kKing}, {0, kAce}, kAce));
  EXPECT_FALSE(BuildsUpInSuit({0, kAce}, {0, kKing}, kAce));
  EXPECT_FALSE(BuildsUpInSuit(kNoCard, {0, kKing}, kAce));
  EXPECT_FALSE(BuildsDownAlternating({1, kFive}, kNoCard, kAce));
  // An empty foundation takes the start rank of any suit, and only that.
  EXPECT_TRUE(FoundationTakes({3, kAce}, kNoCard, kAce));
  EXPECT_FALSE(FoundationTakes({3, kKing}, kNoCard, kAce));
  EXPECT_TRUE(FoundationTakes({3, kTwo}, {3, kAce}, kAce));
}

TEST(Building, RecycleSettingsPlayAsTheDialogOffersThem) {
  EXPECT_EQ(PlayableRecycles(-3), 0);
  EXPECT_EQ(PlayableRecycles(7), 4);
  EXPECT_EQ(PlayableRecycles(kRecyclesUnlimited + 1), kRecyclesUnlimited);
  EXPECT_TRUE(RecycleLeft(kRecyclesUnlimited, 1000));
  EXPECT_FALSE(RecycleLeft(0, 0));
  EXPECT_TRUE(RecycleLeft(2, 1));
  EXPECT_FALSE(RecycleLeft(2, 2));
}

TEST(StockAndWaste, AClickTurnsWhatIsLeftAndTheRecycleTurnsTheWasteBack) {
  Deck stock = StockOf({{0, kTwo}, {1, kFive}, {2, kSix}, {3, kQueen}});
  std::array<Card, 8> waste;
  waste.fill(kNoCard);
  int count = 0;
  EXPECT_EQ(TurnFromStock(stock, waste, count, 3), 3);
  EXPECT_EQ(TurnFromStock(stock, waste, count, 3), 1) << "one card left: one card turned";
  EXPECT_EQ(TurnFromStock(stock, waste, count, 3), 0);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(waste[3], (Card{3, kQueen}));

  EXPECT_EQ(RecycleWaste(stock, waste, count), 4);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(waste[0], kNoCard);
  // The card that lay on top of the waste is the first one turned again.
  EXPECT_EQ(stock.PeekCard(0), (Card{3, kQueen}));
  EXPECT_EQ(stock.PeekCard(3), (Card{0, kTwo}));
}

TEST(StockAndWaste, AWasteCardTheDeckRefusesStaysOnTheWaste) {
  Deck stock = StockOf({}, {1, kFive});  // the Five is not part of this deck's composition
  std::array<Card, 4> waste = {Card{0, kTwo}, Card{1, kFive}, Card{2, kSix}, kNoCard};
  int count = 3;
  EXPECT_EQ(RecycleWaste(stock, waste, count), 2);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(waste[0], (Card{1, kFive}));
  EXPECT_EQ(stock.Remaining(), 2);
}

TEST(StockAndWaste, CandidatesIncludeTheCardAShortLastClickLeavesOnTop) {
  // Seven cards, three a click: the clicks leave cards 2, 5 and then 6 (one card turned) on top.
  Deck stock = StockOf({{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}});
  std::array<Card, 1> waste{kNoCard};
  StockCandidates candidates;
  candidates.AddStockAndWaste(stock, waste, 0, 3, 0);
  ASSERT_EQ(candidates.Count(), 3);
  EXPECT_EQ(candidates[0], (Card{0, 2}));
  EXPECT_EQ(candidates[1], (Card{0, 5}));
  EXPECT_EQ(candidates[2], (Card{0, 6}));
}

TEST(StockAndWaste, CandidatesAfterARecycleFollowTheTurnedBackOrder) {
  // Stock: one card; waste: two cards. After the stock runs out the waste is A B C (C on top);
  // recycled one a click, C comes first, then B, then A.
  Deck stock = StockOf({{1, 7}});
  std::array<Card, 4> waste = {Card{0, 1}, Card{0, 2}, kNoCard, kNoCard};
  StockCandidates once;
  once.AddStockAndWaste(stock, waste, 2, 1, 1);
  // The waste top; the stock's pass (its one card, also the last card of the pass); then the
  // recycled order C, B, A, with A again as the last card of that pass.
  ASSERT_EQ(once.Count(), 7);
  EXPECT_EQ(once[0], (Card{0, 2}));
  EXPECT_EQ(once[3], (Card{1, 7}));
  EXPECT_EQ(once[4], (Card{0, 2}));
  EXPECT_EQ(once[5], (Card{0, 1}));
  StockCandidates none;
  none.AddStockAndWaste(stock, waste, 2, 1, 0);
  EXPECT_EQ(none.Count(), 3);
}

TEST(CardTally, BuiltPilesCountTheCardsUnderTheirTopBothWays) {
  CardTally up;
  // Up from the Queen to the Two: Queen, King, Ace, Two.
  ASSERT_TRUE(up.AddBuiltPile({0, kTwo}, kQueen, +1));
  EXPECT_FALSE(up.Add({0, kAce})) << "already under the Two";
  EXPECT_TRUE(up.Add({0, kFive}));

  CardTally down;
  // Down from the Five through the Ace to the King: Five, Four, Three, Two, Ace, King.
  ASSERT_TRUE(down.AddBuiltPile({1, kKing}, kFive, -1));
  EXPECT_FALSE(down.Add({1, kAce}));
  EXPECT_FALSE(down.Add({1, kTwo}));
  EXPECT_TRUE(down.Add({1, kQueen}));
  EXPECT_FALSE(down.AddBuiltPile({1, kFive}, 13, +1)) << "no such base rank";
}

TEST(CardTally, CompleteOnlyWithEveryCardOnce) {
  CardTally tally;
  for (int s = 0; s < kSuitCount; ++s)
    for (int r = 0; r < kRankCount; ++r) ASSERT_TRUE(tally.Add({s, r}));
  EXPECT_TRUE(tally.Complete());
  EXPECT_FALSE(tally.Add({0, 0}));
  EXPECT_FALSE(tally.Complete());
  EXPECT_FALSE(CardTally().Add({4, 0}));
}

// A position's stock, waste, piles and foundations counted together, as the snapshot readers do.
TEST(CardTally, WholePositionsCountEveryPileOnce) {
  const Deck stock = StockOf({{0, kTwo}}, {1, kFive});
  const std::array<Card, 3> waste = {Card{2, kSix}, Card{1, kFive}, kNoCard};
  EXPECT_TRUE(CardTally().AddStockAndWaste(stock, waste, 1));
  EXPECT_FALSE(CardTally().AddStockAndWaste(stock, waste, 2)) << "the deck would refuse the Five";
  EXPECT_FALSE(CardTally().AddStockAndWaste(stock, waste, 4));
  const std::array<Card, 2> pile = {Card{0, kTwo}, Card{3, kKing}};
  CardTally tally;
  ASSERT_TRUE(tally.AddStockAndWaste(stock, waste, 1));
  EXPECT_FALSE(tally.AddPile(pile, 1)) << "the Two lies in the stock already";
  EXPECT_FALSE(CardTally().AddPile(pile, 3));
  const std::array<Card, 2> tops = {Card{0, kTwo}, kNoCard};
  CardTally home;
  EXPECT_TRUE(home.AddFoundations(tops, kAce));
  EXPECT_FALSE(home.Add({0, kAce})) << "under the Two";
}

TEST(CardTally, KeepCardsBlanksPastTheCountAndRefusesHoles) {
  std::array<Card, 4> slots = {Card{0, 1}, Card{2, 3}, Card{3, 3}, Card{9, 9}};
  EXPECT_TRUE(KeepCards(slots, 2));
  EXPECT_EQ(slots[2], kNoCard);
  EXPECT_EQ(slots[3], kNoCard);
  EXPECT_FALSE(KeepCards(slots, 3)) << "slot 2 is empty now";
  EXPECT_FALSE(KeepCards(slots, 5));
  EXPECT_FALSE(KeepCards(slots, -1));
}

}  // namespace
