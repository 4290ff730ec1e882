// Auld Lang Syne's rules called directly: the rule settings, the placement rule, the four-card
// deal, the empty stock, the no-moves analysis and the snapshot block.
#include <gtest/gtest.h>

#include <vector>

#include "tests/fuzz/SnapshotDamage.h"
#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"

namespace {

constexpr int kTwo = 0, kSeven = 5, kEight = 6, kQueen = 10, kKing = 11, kAce = 12;

constexpr Move Click() {
  return {MoveKind::kStock, kAlsStockPile, 0, -1};
}

// Foundation tops, piles bottom first, the stock top first; the rest of the pack lies nowhere.
struct Table {
  AuldLangSynePosition position = EmptyAuldLangSynePosition();
  Deck stock;
};

Table LayOut(int startRank, std::array<Card, 4> tops, const std::vector<std::vector<Card>>& piles,
             const std::vector<Card>& stock = {}) {
  Table t;
  t.position.startRank = startRank;
  t.position.foundations = tops;
  for (std::size_t p = 0; p < piles.size(); ++p)
    for (const Card& c : piles[p])
      t.position.tableau[p][static_cast<std::size_t>(t.position.tableauCount[p]++)] = c;
  for (const Card& c : stock) t.stock.ReturnCard(c);  // a new deck holds none: under, in order
  return t;
}

Move Top(const Table& t, int pile, int f) {
  return {MoveKind::kCards, AlsTableauPile(pile),
          t.position.tableauCount[static_cast<std::size_t>(pile)] - 1, AlsFoundationPile(f)};
}

bool Legal(const Table& t, const Move& move) {
  return AuldLangSyneIsLegal(t.position, move);
}

}  // namespace

TEST(AuldLangSynePlay, TheDealFollowsStartCardAndFilledIn) {
  const AuldLangSyneDeal plain = DealAuldLangSyne(7, kAlsDefaultRules);
  EXPECT_EQ(plain.position.startRank, kAce);
  EXPECT_EQ(plain.position.foundations, (std::array<Card, 4>{kNoCard, kNoCard, kNoCard, kNoCard}));
  EXPECT_EQ(plain.position.tableauCount, (std::array<int, 4>{1, 1, 1, 1}));
  EXPECT_EQ(plain.stock.Remaining(), 48);
  AuldLangSyneRules rules = kAlsDefaultRules;
  rules.filledIn = true;
  rules.startCard = kSeven;
  const AuldLangSyneDeal filled = DealAuldLangSyne(7, rules);
  EXPECT_EQ(filled.position.foundations,
            (std::array<Card, 4>{{{0, kSeven}, {1, kSeven}, {2, kSeven}, {3, kSeven}}}));
  EXPECT_EQ(filled.stock.Remaining(), 44);

  // Without a start card the first card dealt begins foundation 0; with FilledIn it only names the
  // rank, all four of it start the foundations, and it is not lost.
  rules = kAlsDefaultRules;
  rules.startCard = -1;
  const AuldLangSyneDeal next = DealAuldLangSyne(7, rules);
  EXPECT_EQ(next.position.startRank, next.position.foundations[0].rank);
  EXPECT_EQ(next.stock.Remaining(), 47);
  rules.filledIn = true;
  const AuldLangSyneDeal both = DealAuldLangSyne(7, rules);
  const int start = both.position.startRank;
  EXPECT_EQ(both.position.foundations,
            (std::array<Card, 4>{{{0, start}, {1, start}, {2, start}, {3, start}}}));
  EXPECT_EQ(both.stock.Remaining() + 4 + 4, 52);
  EXPECT_EQ(AuldLangSynePlayableRules({false, 13, false}).startCard, kAce);
  EXPECT_EQ(AuldLangSynePlayableRules({false, -2, false}).startCard, kAce);
  EXPECT_EQ(AuldLangSynePlayableRules({false, -1, false}).startCard, -1);
}

// From the Ace, suits not mattering; nothing goes on a King, as the Ace after it only starts piles.
TEST(AuldLangSynePlay, FoundationsBuildUpFromTheStartRankWhateverTheSuit) {
  const Table t = LayOut(kAce, {Card{2, kQueen}, Card{0, kKing}, kNoCard, kNoCard},
                         {{{1, kKing}}, {{3, kAce}}, {{0, kTwo}}, {{2, kSeven}}});
  EXPECT_TRUE(Legal(t, Top(t, 0, 0))) << "a King of another suit on the Queen";
  EXPECT_FALSE(Legal(t, Top(t, 1, 1))) << "nothing on a King";
  EXPECT_FALSE(Legal(t, Top(t, 2, 1))) << "the Two follows the Ace, not the King";
  EXPECT_TRUE(Legal(t, Top(t, 1, 2))) << "the Ace starts an empty foundation";
  EXPECT_FALSE(Legal(t, Top(t, 2, 2))) << "only the start rank starts one";
  EXPECT_FALSE(Legal(t, {MoveKind::kCards, AlsTableauPile(0), 0, AlsTableauPile(1)}));

  // A click sends the card to the first foundation that takes it, 5 points.
  Table play = t;
  EXPECT_EQ(AuldLangSyneTargetOf(play.position, 1), 2);
  const MoveResult result = AuldLangSyneApplyMove(play.position, play.stock, Top(t, 1, 2));
  EXPECT_EQ(result.points, 5);
  EXPECT_EQ(play.position.foundations[2], (Card{3, kAce}));
  EXPECT_EQ(play.position.tableauCount[1], 0);

  // The Seven as the start rank: a Seven starts a pile, an Ace no longer does.
  Table seven = LayOut(kSeven, {kNoCard, kNoCard, kNoCard, kNoCard}, {{{3, kAce}}, {{0, kSeven}}});
  EXPECT_EQ(AuldLangSyneTargetOf(seven.position, 0), -1);
  EXPECT_EQ(AuldLangSyneTargetOf(seven.position, 1), 0);
  // Filled in, the Eight plays at once and a Seven nowhere.
  seven.position.foundations = {Card{0, kSeven}, Card{1, kSeven}, Card{2, kSeven}, Card{3, kSeven}};
  seven.position.tableau[0][0] = {2, kEight};
  EXPECT_EQ(AuldLangSyneTargetOf(seven.position, 0), 0);
  EXPECT_EQ(AuldLangSyneTargetOf(seven.position, 1), -1);
}

TEST(AuldLangSynePlay, TheStockDealsOneCardAPileUntilItRunsOutAndAnEmptyStockDealsNothing) {
  Table t =
      LayOut(kAce, {kNoCard, kNoCard, kNoCard, kNoCard}, {{{0, kTwo}}}, {{1, kTwo}, {2, kTwo}});
  MoveList moves;
  AuldLangSyneLegalMoves(t.position, t.stock, moves);
  EXPECT_EQ(moves, (MoveList{Click()}));
  const MoveResult dealt = AuldLangSyneApplyMove(t.position, t.stock, Click());
  ASSERT_EQ(dealt.steps.size(), 2u);
  EXPECT_EQ(dealt.steps[0].to, AlsTableauPile(0));
  EXPECT_EQ(dealt.steps[0].index, 1);
  EXPECT_EQ(dealt.steps[1].to, AlsTableauPile(1));
  EXPECT_EQ(t.position.tableauCount, (std::array<int, 4>{2, 1, 0, 0}));
  EXPECT_EQ(t.position.tableau[0][1], (Card{1, kTwo}));
  EXPECT_EQ(t.position.tableau[1][0], (Card{2, kTwo}));

  // The click on the empty stock is legal (a press there is recorded) but no way on.
  const Table before = t;
  EXPECT_TRUE(Legal(t, Click()));
  EXPECT_FALSE(AuldLangSyneApplyMove(t.position, t.stock, Click()).Happened());
  EXPECT_EQ(t.position, before.position);
  AuldLangSyneLegalMoves(t.position, t.stock, moves);
  EXPECT_TRUE(moves.empty());
  EXPECT_TRUE(AuldLangSyneNoMovesLeft(t.position, t.stock));
}

// The rules as first written looked only at begun foundations.
TEST(AuldLangSynePlay, NoMovesLeftCountsEmptyFoundationsAndAnyStock) {
  Table t = LayOut(kAce, {Card{0, kKing}, kNoCard, kNoCard, kNoCard}, {{{1, kAce}}});
  EXPECT_FALSE(AuldLangSyneNoMovesLeft(t.position, t.stock));
  t.position.tableau[0][0] = {1, kSeven};
  EXPECT_TRUE(AuldLangSyneNoMovesLeft(t.position, t.stock));
  t.stock.ReturnCard({2, kSeven});
  EXPECT_FALSE(AuldLangSyneNoMovesLeft(t.position, t.stock));
}

TEST(AuldLangSynePlay, TheSnapshotBlockRoundTripsAtItsSizeAndRefusesDamage) {
  AuldLangSyneDeal deal = DealAuldLangSyne(3, kAlsDefaultRules);
  MoveList moves;
  int placed = 0;
  for (int step = 0; step < 200 && deal.stock.Remaining() > 12; ++step) {
    AuldLangSyneLegalMoves(deal.position, deal.stock, moves);
    placed += moves.back().kind == MoveKind::kCards;
    AuldLangSyneApplyMove(deal.position, deal.stock, moves.back());
  }
  ASSERT_GT(placed, 0);
  const SnapshotBytes bytes = SnapshotOf(deal, 85, 42, WriteAuldLangSyneBlock);
  ASSERT_EQ(bytes.size(), kAlsSnapshotSize);
  const std::size_t block = kAlsSnapshotSize - kAlsBlockSize;
  const auto read = [&deal](const SnapshotBytes& b) {
    return ReadSnapshotOf(b, deal.stock, [](SnapshotReader& in, const Deck& deck) {
      AuldLangSynePosition current = EmptyAuldLangSynePosition();
      current.startRank = kAce;
      return ReadAuldLangSyneBlock(in, current, deck);
    });
  };
  // The exact read-back is the property test's; one damage case for each check of the reader.
  ASSERT_TRUE(read(bytes).has_value());

  // Block offsets: tops 0, piles 32 (104 bytes each), counts 448, seconds 468.
  std::size_t f = 0;
  while (f < 3 && deal.position.foundations[f] == kNoCard) ++f;
  const Card top = deal.position.foundations[f];
  ASSERT_NE(top, kNoCard);
  const std::size_t topAt = block + 8 * f;
  const Card pileCard = deal.position.tableau[0][0];
  ASSERT_GE(deal.position.tableauCount[0], 1);
  // A stock that would push a pile past 13 cards is refused rather than dealt out of bounds: piles
  // 1 to 3 moved onto pile 0 and dealt onto up to 13, with 36 cards left to deal.
  AuldLangSyneDeal overfull = DealAuldLangSyne(3, kAlsDefaultRules);
  AuldLangSynePosition& p = overfull.position;
  for (int t = 1; t < 4; ++t) {
    p.tableau[0][static_cast<std::size_t>(p.tableauCount[0]++)] =
        p.tableau[static_cast<std::size_t>(t)][0];
    p.tableau[static_cast<std::size_t>(t)][0] = kNoCard;
    p.tableauCount[static_cast<std::size_t>(t)] = 0;
  }
  while (p.tableauCount[0] < 13)
    p.tableau[0][static_cast<std::size_t>(p.tableauCount[0]++)] = overfull.stock.DealCard();
  ExpectEachRefused(
      bytes, read,
      {
          {"pile count 14", WithInt32(bytes, block + 448, 14)},
          {"a top that is none", WithInt32(bytes, topAt + 4, 13)},
          {"negative time", WithInt32(bytes, block + 468, -1)},
          {"a card twice",
           WithInt32(WithInt32(bytes, topAt, pileCard.suit), topAt + 4, pileCard.rank)},
          {"a card missing", WithInt32(bytes, block + 448, deal.position.tableauCount[0] - 1)},
          // No card shown twice, but the run under it would need a fifth card of the old top's
          // rank.
          {"a top one rank too high", WithInt32(bytes, topAt + 4, (top.rank + 1) % 13)},
          {"a foundation emptied", WithInt32(WithInt32(bytes, topAt, -1), topAt + 4, -1)},
          {"a stock the piles cannot hold", SnapshotOf(overfull, 0, 0, WriteAuldLangSyneBlock)},
      });
}
