// Quadrille's rules called directly: the rule settings, the placement rule, points, the no-moves
// analysis and the snapshot block. The pinned seed is won through the mouse in the scenario test.
#include <gtest/gtest.h>

#include <vector>

#include "games/quadrille/QuadrillePlay.h"
#include "tests/fuzz/SnapshotDamage.h"
#include "tests/games/quadrille/QuadrilleSolver.h"

namespace {

constexpr int kTwo = 0, kFive = 3, kSix = 4, kJack = 9, kQueen = 10, kKing = 11, kAce = 12;

constexpr Move Click() {
  return {MoveKind::kStock, kQuadrilleStockPile, 0, -1};
}

Move FromWaste(const QuadrillePosition& p, int to) {
  return {MoveKind::kCards, kQuadrilleWastePile, p.wasteCount - 1, to};
}

// The stock exactly `stock`, top first; the waste every other card, `wasteTop` last (on top).
struct Table {
  QuadrillePosition position = EmptyQuadrillePosition();
  Deck stock;
};

Table LayOut(const std::vector<Card>& wasteTop, const std::vector<Card>& stock = {}) {
  Table t;
  std::array<bool, 52> named{};
  for (const auto* cards : {&wasteTop, &stock})
    for (const Card& c : *cards) named[static_cast<std::size_t>(c.suit * 13 + c.rank)] = true;
  QuadrillePosition& p = t.position;
  for (int i = 0; i < 52; ++i)
    if (!named[static_cast<std::size_t>(i)])
      p.waste[static_cast<std::size_t>(p.wasteCount++)] = {i / 13, i % 13};
  for (const Card& c : wasteTop) p.waste[static_cast<std::size_t>(p.wasteCount++)] = c;
  // A new deck holds none; ReturnCard puts a card under the stock: first to last.
  for (const Card& c : stock) t.stock.ReturnCard(c);
  return t;
}

bool Legal(const Table& t, const QuadrilleRules& rules, const Move& move) {
  return QuadrilleIsLegal(t.position, t.stock, rules, move);
}

}  // namespace

TEST(QuadrillePlay, TheDealLeavesEveryCardInTheStockOrPutsTheTwelveOutWithFilledIn) {
  QuadrilleDeal plain = DealQuadrille(5, kQuadrilleDefaultRules);
  EXPECT_EQ(plain.stock.Remaining(), 52);
  EXPECT_EQ(plain.position, EmptyQuadrillePosition());
  QuadrilleRules filled = kQuadrilleDefaultRules;
  filled.filledIn = true;
  QuadrilleDeal deal = DealQuadrille(5, filled);
  EXPECT_EQ(deal.stock.Remaining(), 40);
  EXPECT_EQ(deal.position.fives,
            (std::array<Card, 4>{{{3, kFive}, {2, kFive}, {0, kFive}, {1, kFive}}}));
  EXPECT_EQ(deal.position.sixes,
            (std::array<Card, 4>{{{3, kSix}, {2, kSix}, {0, kSix}, {1, kSix}}}));
  EXPECT_EQ(deal.position.centreCount, 4);
  for (int i = 0; i < deal.stock.Remaining(); ++i) {
    const int rank = deal.stock.PeekCard(i).rank;
    EXPECT_TRUE(rank != kFive && rank != kSix && rank != kQueen) << i;
  }
}

// How many a click turns is also the in-play golden image's (three) and the recycle test's (one).
TEST(QuadrillePlay, AShortStockTurnsWhatIsLeft) {
  QuadrilleRules three = kQuadrilleDefaultRules;
  three.cardsDealt = 3;
  Table t = LayOut({}, {{1, kTwo}});
  QuadrilleApplyMove(t.position, t.stock, three, Click());
  EXPECT_EQ(t.position.waste[51], (Card{1, kTwo}));
  EXPECT_EQ(t.position.turned, 1);

  // Values past the dialog's range play as its ends.
  EXPECT_EQ(QuadrillePlayableRules({0, false, 2, false}).cardsDealt, 1);
  EXPECT_EQ(QuadrillePlayableRules({9, false, 2, false}).cardsDealt, 3);
  EXPECT_EQ(QuadrillePlayableRules({1, false, 7, false}).recycles, 4);
  EXPECT_EQ(QuadrillePlayableRules({1, false, -3, false}).recycles, 0);
}

TEST(QuadrillePlay, RecyclesLimitTheTurnsBackEachCostsFiveAndTheTopCardComesFirst) {
  for (int recycles : {0, 2, kRecyclesUnlimited}) {
    SCOPED_TRACE(recycles);
    QuadrilleRules rules = kQuadrilleDefaultRules;
    rules.recycles = recycles;
    QuadrilleDeal deal = DealQuadrille(3, rules);
    int points = 0, made = 0;
    for (int pass = 0; pass < 5; ++pass) {
      while (deal.stock.Remaining() > 0)
        points += QuadrilleApplyMove(deal.position, deal.stock, rules, Click()).points;
      const Card top = deal.position.waste[51];
      const MoveResult recycle = QuadrilleApplyMove(deal.position, deal.stock, rules, Click());
      if (!recycle.Happened()) break;
      ++made;
      points += recycle.points;
      EXPECT_EQ(deal.position.wasteCount, 0);
      EXPECT_EQ(deal.stock.PeekCard(0), top);
    }
    EXPECT_EQ(made, recycles == kRecyclesUnlimited ? 5 : recycles);
    EXPECT_EQ(points, -5 * made);
    EXPECT_EQ(deal.position.recyclesUsed, made);
  }
}

TEST(QuadrillePlay, FoundationsStartAtTheirBaseBuildInSuitAndOnlyTheCentreTakesQueens) {
  // An empty foundation takes only the base card of its own suit.
  const QuadrillePosition empty = EmptyQuadrillePosition();
  const int suit = kQuadrilleFoundationSuits[2];
  EXPECT_TRUE(QuadrilleAccepts(empty, QuadrilleSixPile(2), Card{suit, kSix}));
  EXPECT_FALSE(QuadrilleAccepts(empty, QuadrilleSixPile(2), Card{(suit + 1) % 4, kSix}));
  EXPECT_FALSE(QuadrilleAccepts(empty, QuadrilleSixPile(2), Card{suit, kFive}));
  EXPECT_TRUE(QuadrilleAccepts(empty, QuadrilleFivePile(2), Card{suit, kFive}));
  EXPECT_FALSE(QuadrilleAccepts(empty, QuadrilleFivePile(2), Card{suit, kSix}));
  QuadrillePosition p = EmptyQuadrillePosition();
  // Six 1 (suit 2) up to the Jack; Five 1 (suit 2) down to the Ace.
  p.sixes[1] = Card{2, kJack - 1};
  p.fives[1] = Card{2, kAce};
  EXPECT_TRUE(QuadrilleAccepts(p, QuadrilleSixPile(1), Card{2, kJack}));
  EXPECT_FALSE(QuadrilleAccepts(p, QuadrilleSixPile(1), Card{0, kJack})) << "another suit";
  EXPECT_FALSE(QuadrilleAccepts(p, QuadrilleSixPile(1), Card{2, kJack - 2})) << "down";
  EXPECT_TRUE(QuadrilleAccepts(p, QuadrilleFivePile(1), Card{2, kKing})) << "King over the Ace";
  EXPECT_FALSE(QuadrilleAccepts(p, QuadrilleFivePile(1), Card{1, kKing}));
  p.fives[1] = Card{2, kTwo};
  EXPECT_FALSE(QuadrilleAccepts(p, QuadrilleFivePile(1), Card{2, kKing})) << "only over the Ace";
  EXPECT_TRUE(QuadrilleAccepts(p, QuadrilleFivePile(1), Card{2, kAce}));

  // The Queen follows neither a Jack nor a King, and goes only to the centre.
  p.sixes[1] = Card{2, kJack};
  p.fives[1] = Card{2, kKing};
  for (int pile = QuadrilleSixPile(0); pile < kQuadrilleCentrePile; ++pile)
    for (int s = 0; s < kSuitCount; ++s) EXPECT_FALSE(QuadrilleAccepts(p, pile, Card{s, kQueen}));
  for (int s = 0; s < kSuitCount; ++s)
    EXPECT_TRUE(QuadrilleAccepts(p, kQuadrilleCentrePile, Card{s, kQueen}));
  EXPECT_FALSE(QuadrilleAccepts(p, kQuadrilleCentrePile, Card{2, kKing}));

  // A card from the waste scores 5 and lands where the move said; only the waste's top moves.
  Table t = LayOut({{3, kFive}, {1, kQueen}});
  const QuadrilleRules& rules = kQuadrilleDefaultRules;
  EXPECT_FALSE(Legal(t, rules, FromWaste(t.position, QuadrilleSixPile(0))));
  const MoveResult queen =
      QuadrilleApplyMove(t.position, t.stock, rules, FromWaste(t.position, kQuadrilleCentrePile));
  EXPECT_EQ(queen.points, 5);
  EXPECT_EQ(t.position.centre[0], (Card{1, kQueen}));
  EXPECT_EQ(
      QuadrilleApplyMove(t.position, t.stock, rules, FromWaste(t.position, QuadrilleFivePile(0)))
          .points,
      5);
  EXPECT_EQ(t.position.fives[0], (Card{3, kFive}));
  EXPECT_EQ(t.position.wasteCount, 50);
  Table two = LayOut({{3, kFive}, {1, kTwo}});
  EXPECT_FALSE(
      Legal(two, rules, {MoveKind::kCards, kQuadrilleWastePile, 50, QuadrilleFivePile(0)}));
}

TEST(QuadrillePlay, NoMovesAreLeftOnlyWhenNoCardTheClicksBringUpCanBePlaced) {
  // The stock gone through, and the Two on top of the waste goes nowhere but for a recycle.
  Table stuck = LayOut({{0, kTwo}});
  stuck.position.recyclesUsed = 1;
  QuadrilleRules rules = kQuadrilleDefaultRules;
  rules.recycles = 1;
  EXPECT_TRUE(QuadrilleNoMovesLeft(stuck.position, stuck.stock, rules));
  rules.recycles = 2;
  EXPECT_FALSE(QuadrilleNoMovesLeft(stuck.position, stuck.stock, rules)) << "a recycle is left";

  // Three a click from four cards: the second click's one card is on top, though not a third.
  rules.cardsDealt = 3;
  rules.recycles = 1;
  const std::vector<Card> three = {{1, kTwo}, {1, kTwo + 1}, {1, kTwo + 2}};
  std::vector<Card> stock = three;
  stock.push_back({3, kFive});
  Table shortClick = LayOut({{0, kTwo}}, stock);
  shortClick.position.recyclesUsed = 1;
  EXPECT_FALSE(QuadrilleNoMovesLeft(shortClick.position, shortClick.stock, rules));
  stock.back() = Card{3, kAce};
  Table none = LayOut({{0, kTwo}}, stock);
  none.position.recyclesUsed = 1;
  EXPECT_TRUE(QuadrilleNoMovesLeft(none.position, none.stock, rules));
}

TEST(QuadrillePlay, TheSnapshotBlockHasItsSizeAndRefusesDamage) {
  const std::optional<FoundWin> solution =
      SolveQuadrille(kQuadrilleWinningSeed, kQuadrilleDefaultRules);
  ASSERT_TRUE(solution.has_value());
  QuadrilleDeal deal = DealQuadrille(kQuadrilleWinningSeed, kQuadrilleDefaultRules);
  for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
    QuadrilleApplyMove(deal.position, deal.stock, kQuadrilleDefaultRules, solution->moves[i]);
  ASSERT_GT(deal.position.centreCount, 0);
  const SnapshotBytes bytes = SnapshotOf(deal, 85, 42, WriteQuadrilleBlock);
  ASSERT_EQ(bytes.size(), kQuadrilleSnapshotSize);
  const std::size_t block = kQuadrilleSnapshotSize - kQuadrilleBlockSize;
  const auto read = [&deal](const SnapshotBytes& b) {
    return ReadSnapshotOf(b, deal.stock, [](SnapshotReader& in, const Deck& deck) {
      return ReadQuadrilleBlock(in, EmptyQuadrillePosition(), deck);
    });
  };
  // The exact read-back is QuadrillePropertyTest's; one case for each check of the reader.
  ASSERT_TRUE(read(bytes).has_value());
  // Block offsets: centre 0, count 32, sixes 36, fives 68, waste 100, count 516, seconds 524.
  std::size_t six = 0;
  while (six < 3 && deal.position.sixes[six] == kNoCard) ++six;
  ASSERT_NE(deal.position.sixes[six], kNoCard);
  ASSERT_GE(deal.position.wasteCount, 2);
  const std::size_t sixAt = block + 36 + 8 * six;
  ExpectEachRefused(
      bytes, read,
      {
          {"centre count 5", WithInt32(bytes, block + 32, 5)},
          {"waste count 53", WithInt32(bytes, block + 516, 53)},
          {"negative time", WithInt32(bytes, block + 524, -1)},
          {"a King in the centre", WithInt32(bytes, block + 4, kKing)},
          {"a Six foundation of another suit",
           WithInt32(bytes, sixAt, (kQuadrilleFoundationSuits[six] + 1) % 4)},
          {"a Six foundation showing a Queen", WithInt32(bytes, sixAt + 4, kQueen)},
          {"a card twice", WithInt32(WithInt32(bytes, block + 100, deal.position.waste[1].suit),
                                     block + 104, deal.position.waste[1].rank)},
          {"a card missing", WithInt32(bytes, block + 516, deal.position.wasteCount - 1)},
      });
}
