// The helpers the solitaire games' rules share, where the games' own tests do not reach: building
// with the wrap and the stock's turns and recycles are pinned through Klondike's and Gate's rule
// tables, the tally through every game's damaged-snapshot rows.
#include <gtest/gtest.h>

#include <array>

#include "engine/Deck.h"
#include "games/solitaire/Building.h"
#include "games/solitaire/CardTally.h"
#include "games/solitaire/StockAndWaste.h"

namespace {

constexpr int kTwo = 0, kFive = 3, kSix = 4, kQueen = 10, kKing = 11, kAce = kAceRank;

// A first draft wrote the refused card back into waste slots not yet read.
TEST(StockAndWaste, AWasteCardTheDeckRefusesStaysOnTheWaste) {
  Deck stock;
  stock.SetCopies(1);
  stock.IncludeAll();
  stock.RemoveCard({1, kFive});  // the Five is not part of this deck's composition
  while (stock.Remaining() > 0) stock.DealCard();
  std::array<Card, 4> waste = {Card{0, kTwo}, Card{1, kFive}, Card{2, kSix}, kNoCard};
  int count = 3;
  EXPECT_EQ(RecycleWaste(stock, waste, count), 2);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(waste[0], (Card{1, kFive}));
  EXPECT_EQ(stock.Remaining(), 2);
  EXPECT_EQ(PlayableRecycles(kRecyclesUnlimited + 1), kRecyclesUnlimited);
}

// Quadrille's Five foundations count down through the Ace to the King.
TEST(CardTally, BuiltPilesCountTheCardsUnderTheirTopBothWays) {
  CardTally up;
  ASSERT_TRUE(up.AddBuiltPile({0, kTwo}, kQueen, +1));
  EXPECT_FALSE(up.Add({0, kAce})) << "already under the Two";
  EXPECT_TRUE(up.Add({0, kFive}));
  CardTally down;
  ASSERT_TRUE(down.AddBuiltPile({1, kKing}, kFive, -1));
  EXPECT_FALSE(down.Add({1, kAce}));
  EXPECT_TRUE(down.Add({1, kQueen}));
  EXPECT_FALSE(down.AddBuiltPile({1, kFive}, 13, +1)) << "no such base rank";
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
