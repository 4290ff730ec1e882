// Klondike's rules called directly: the deal, stock and waste, building rules and settings, the
// no-moves analysis, the snapshot block, and seeded deals played to a win.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "engine/Deck.h"
#include "engine/GameServices.h"
#include "engine/Move.h"
#include "engine/SnapshotBytes.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/fuzz/SnapshotDamage.h"
#include "tests/games/klondike/KlondikeSolver.h"
#include "tests/games/solitaire/TableText.h"

namespace {

// What the move-finder's win of the pinned deal earns.
constexpr int kWinningSeedPoints = 470;

// Column text "xx xx 9S": face-down cards as xx, then the face-up ones.
std::string ColumnText(const KlondikePosition& p, int c) {
  std::string text;
  for (int i = 0; i < p.columnCount[c]; ++i) {
    const Card& card = p.tableau[c][i];
    text += std::string(i > 0 ? " " : "") +
            (i < p.faceDown[c] ? "xx" : kRankLetters[card.rank] + std::to_string(card.suit));
  }
  return text;
}

// A deck whose undealt cards are exactly these, the first to be dealt first.
Deck StockOf(std::initializer_list<const char*> topFirst) {
  Deck deck;  // a new deck holds none
  for (const char* card : topFirst) deck.ReturnCard(CardOf(card));
  return deck;
}

std::vector<Card> Undealt(const Deck& deck) {
  std::vector<Card> cards;
  for (int i = 0; i < deck.Remaining(); ++i) cards.push_back(deck.PeekCard(i));
  return cards;
}

// The pack shuffled as the deal of `seed` shuffles it, nothing dealt yet.
Deck ShuffledPack(std::uint32_t seed) {
  TheGameServices().dealSeed = seed;
  Deck pack;
  pack.SetCopies(1);
  pack.IncludeAll();
  pack.Shuffle();
  return pack;
}

constexpr KlondikeRules kRules = kKlondikeDefaultRules;

KlondikeRules With(void (*change)(KlondikeRules&)) {
  KlondikeRules rules = kRules;
  change(rules);
  return rules;
}

const std::optional<FoundWin>& WinningSolution() {
  static const std::optional<FoundWin> solution = SolveKlondike(kKlondikeWinningSeed, kRules);
  return solution;
}

constexpr Move kStockClick{MoveKind::kStock, kKlondikeStockPile, 0, -1};
constexpr int kW = kKlondikeWastePile;

constexpr Move TurnUp(int column) {
  return {MoveKind::kTurnUp, KlondikeColumnPile(column), 0, -1};
}
constexpr Move Cards(int from, int index, int to) {
  return {MoveKind::kCards, from, index, to};
}
constexpr int Col(int c) {
  return KlondikeColumnPile(c);
}
constexpr int Fnd(int f) {
  return KlondikeFoundationPile(f);
}

// A table as text (TableText.h): "0:" to "6:" columns, "w:" waste, "f:" foundation tops (each on
// its suit's), "s:" the stock top first, "r:" recycles used, "base: 7" Sevens start.
struct Table {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({});
};

Table Lay(const char* text) {
  Table t;
  for (const PileText& pile : ReadTableText(text)) {
    if (pile.name == "base") {
      t.p.startRank = RankOf(pile.words[0][0]);
    } else if (pile.name == "r") {
      t.p.recyclesUsed = std::stoi(pile.words[0]);
    } else if (pile.name == "w") {
      for (const Card& card : pile.Cards()) t.p.waste[t.p.wasteCount++] = card;
    } else if (pile.name == "f") {
      for (const Card& card : pile.Cards()) t.p.foundations[card.suit] = card;
    } else if (pile.name == "s") {
      for (const Card& card : pile.Cards()) t.stock.ReturnCard(card);
    } else {
      const int c = std::stoi(pile.name);
      for (const Card& card : pile.Cards()) t.p.tableau[c][t.p.columnCount[c]++] = card;
      t.p.faceDown[c] = pile.FaceDown();
    }
  }
  return t;
}

// Every seeded deck in these tests is made with the override set and cleared again.
class KlondikePlayTest : public ::testing::Test {
protected:
  void TearDown() override { ResetGameServices(); }
};

// Seed 7's columns pin the row-by-row deal and the shuffle under it; the rest is the stock.
TEST_F(KlondikePlayTest, DefaultDealLaysOutTwentyEightCardsRowByRow) {
  const KlondikeDeal deal = DealKlondike(7, kRules);
  std::string columns;
  for (int c = 0; c < kKlondikeColumns; ++c) columns += ColumnText(deal.position, c) + " | ";
  EXPECT_EQ(columns,
            "70 | xx K3 | xx xx Q3 | xx xx xx 72 | xx xx xx xx 93 | xx xx xx xx xx 23 | "
            "xx xx xx xx xx xx 30 | ");
  Deck order = ShuffledPack(7);
  for (int i = 0; i < 28; ++i) order.DealCard();
  EXPECT_EQ(Undealt(deal.stock), Undealt(order));
  for (const Card& top : deal.position.foundations) EXPECT_EQ(top, kNoCard);
}

// The deck's first card decides the start rank and lies on foundation 0; FilledIn puts the
// start rank of every suit out (the property test counts every card after each deal).
TEST_F(KlondikePlayTest, StartCardAndFilledInDecideTheFoundations) {
  KlondikeRules rules = With([](KlondikeRules& r) { r.startCard = kStartCardNextFromDeck; });
  const Card first = ShuffledPack(11).PeekCard(0);
  const KlondikeDeal decided = DealKlondike(11, rules);
  EXPECT_EQ(decided.position.foundations[0], first);
  EXPECT_EQ(decided.position.startRank, first.rank);
  EXPECT_EQ(decided.stock.Remaining(), 23);
  for (int start : {static_cast<int>(kAceRank), kStartCardNextFromDeck}) {
    rules.startCard = start;
    rules.filledIn = true;
    const KlondikeDeal filled = DealKlondike(3, rules);
    const int rank = filled.position.startRank;
    EXPECT_EQ(filled.stock.Remaining(), 20);
    for (int s = 0; s < kSuitCount; ++s) EXPECT_EQ(filled.position.foundations[s], (Card{s, rank}));
    for (const Card& card : Undealt(filled.stock)) EXPECT_NE(card.rank, rank);
  }
}

TEST_F(KlondikePlayTest, TableauDealStopsWhenTheStockRunsOut) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({"20", "30", "40", "50", "60", "70", "80", "90", "T0"});
  const std::vector<MoveStep> steps = KlondikeDealTableau(p, stock);
  EXPECT_EQ(stock.Remaining(), 0);
  EXPECT_EQ(
      ColumnText(p, 0) + "|" + ColumnText(p, 1) + "|" + ColumnText(p, 2) + "|" + ColumnText(p, 3),
      "20|xx 90|xx xx|xx");
  EXPECT_EQ(steps.size(), 9u) << "one step a card";
}

TEST_F(KlondikePlayTest, StockClicksTurnCardsDealtOrWhatIsLeftAndARecycleCostsFive) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({"20", "30", "40", "50", "60"});
  MoveResult r = KlondikeApplyMove(p, stock, kRules, kStockClick);
  EXPECT_EQ(p.turned, 3);
  EXPECT_EQ(r.steps, (std::vector<MoveStep>{{StepKind::kStockTurned, kKlondikeStockPile, kW, 0, 3,
                                             true, CardOf("20")}}));
  KlondikeApplyMove(p, stock, kRules, kStockClick);
  EXPECT_EQ(p.turned, 2) << "three a click with two cards left turns two";
  EXPECT_EQ(p.waste[4], CardOf("60"));
  // The waste turned back: the former top card is dealt first.
  r = KlondikeApplyMove(p, stock, kRules, kStockClick);
  EXPECT_EQ(r.points, -5);
  ASSERT_EQ(r.steps.size(), 1u);
  EXPECT_EQ(r.steps[0].kind, StepKind::kRecycled);
  EXPECT_EQ(r.steps[0].count, 5);
  EXPECT_EQ(p.wasteCount + p.turned, 0);
  EXPECT_EQ(p.recyclesUsed, 1);
  EXPECT_EQ(Undealt(stock), (std::vector<Card>{CardOf("60"), CardOf("50"), CardOf("40"),
                                               CardOf("30"), CardOf("20")}));
  KlondikeApplyMove(p, stock, With([](KlondikeRules& one) { one.cardsDealt = 1; }), kStockClick);
  EXPECT_EQ(p.wasteCount, 1);
}

// A snapshot may hold a full waste beside a stock: the click must not read past the waste's slots.
TEST_F(KlondikePlayTest, AStockClickWithTheWasteFullIsNoMove) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  for (int i = 0; i < kKlondikeWasteSlots; ++i) p.waste[i] = Card{i / kRankCount, i % kRankCount};
  p.wasteCount = kKlondikeWasteSlots;
  Deck stock = StockOf({"K3"});
  EXPECT_FALSE(KlondikeIsLegal(p, stock, kRules, kStockClick));
  EXPECT_FALSE(KlondikeApplyMove(p, stock, kRules, kStockClick).Happened());
  EXPECT_EQ(stock.Remaining(), 1);
}

// The recycles' other ends are PlayableRecycles' test (SolitaireHelpersTest).
TEST_F(KlondikePlayTest, SettingsFromAnEditedFileArePlayedAsTheDialogOffersThem) {
  KlondikeRules rules = kRules;
  rules.cardsDealt = 7;
  rules.recycles = 12;
  rules.startCard = 40;
  const KlondikeRules playable = KlondikePlayableRules(rules);
  EXPECT_EQ(playable.cardsDealt, 3);
  EXPECT_EQ(playable.recycles, 4);
  EXPECT_EQ(playable.startCard, kAceRank);
  rules.cardsDealt = -2;
  rules.startCard = kStartCardNextFromDeck;
  EXPECT_EQ(KlondikePlayableRules(rules).cardsDealt, 1);
  EXPECT_EQ(KlondikePlayableRules(rules).startCard, kStartCardNextFromDeck);
}

// Move by move whether the rules allow it; how ranks wrap and suits build is the shared building
// rules' test (SolitaireHelpersTest), here that Klondike uses them where it should.
TEST_F(KlondikePlayTest, WhatMayBeLiftedAndWhereItMayGo) {
  const KlondikeRules unlimited = With([](KlondikeRules& r) { r.recycles = kRecyclesUnlimited; });
  const KlondikeRules any = With([](KlondikeRules& r) { r.tableauStart = false; });
  const KlondikeRules anyPartial = With([](KlondikeRules& r) {
    r.tableauStart = false;
    r.movePartial = true;
  });
  const char* const columns = "0: ~91 ~90 1: ~30 91 2: ~20 K1 Q0 J1";
  const std::string withWaste = std::string(columns) + " w: K0 80";
  const char* const long15 = "0: 20 30 40 50 60 70 80 90 T0 J0 Q0 K0 21 31 41";
  const struct {
    const char* why;
    const char* table;
    KlondikeRules rules;
    Move move;
    bool legal;
  } rows[] = {
      // An empty waste has nothing to turn back: a click must not cost a recycle and 5 points.
      {"an empty waste with recycles to spare", "", unlimited, kStockClick, false},
      {"the third of three recycles", "w: 50 r: 2", kRules, kStockClick, true},
      {"three recycles used", "w: 50 r: 3", kRules, kStockClick, false},
      {"unlimited recycles never run out", "w: 50 r: 100000", unlimited, kStockClick, true},
      {"an all face-down column turns up", "0: ~20 ~30", kRules, TurnUp(0), true},
      {"a face-up top does not", "1: ~40 51", kRules, TurnUp(1), false},
      {"an empty column does not", "", kRules, TurnUp(2), false},
      {"nor does the waste", "w: 50", kRules, Move{MoveKind::kTurnUp, kW}, false},
      {"the rank below the start fills an empty column", "base: 7 w: 63", kRules,
       Cards(kW, 0, Col(4)), true},
      {"a King does not when Sevens start", "base: 7 w: K3", kRules, Cards(kW, 0, Col(4)), false},
      {"without TableauStart any card does", "base: 7 w: K3", any, Cards(kW, 0, Col(4)), true},
      {"a King does", "w: K3", kRules, Cards(kW, 0, Col(4)), true},
      {"the start rank starts a foundation", "base: 7 w: 72", kRules, Cards(kW, 0, Fnd(1)), true},
      {"no other rank does", "base: 7 w: A2", kRules, Cards(kW, 0, Fnd(1)), false},
      {"the Ace follows the King when Sevens start", "base: 7 f: K2 w: A2", kRules,
       Cards(kW, 0, Fnd(2)), true},
      {"only single cards go up", "base: 7 f: 50 0: 60 51", kRules, Cards(Col(0), 0, Fnd(0)),
       false},
      {"a column's top card goes up", "base: 7 f: 50 0: 51 60", kRules, Cards(Col(0), 1, Fnd(0)),
       true},
      {"nothing builds on a face-down top", "0: ~91 ~90 w: 81", kRules, Cards(kW, 0, Col(0)),
       false},
      {"onto a face-up top", "1: ~30 91 w: 80", kRules, Cards(kW, 0, Col(1)), true},
      {"a face-down card is never lifted", columns, any, Cards(Col(2), 0, Col(5)), false},
      {"the whole run", columns, any, Cards(Col(2), 1, Col(5)), true},
      {"part of a run only with MovePartial", columns, any, Cards(Col(2), 2, Col(5)), false},
      {"part of a run with MovePartial", columns, anyPartial, Cards(Col(2), 2, Col(5)), true},
      {"a run onto its own column", columns, any, Cards(Col(2), 1, Col(2)), false},
      {"only the waste's top card", withWaste.c_str(), anyPartial, Cards(kW, 0, Col(5)), false},
      {"nothing goes onto the waste", columns, anyPartial, Cards(Col(2), 3, kW), false},
      // No dealt position holds a run this long, but a hand-built one must not overrun the hand.
      {"more than a hand holds", long15, anyPartial, Cards(Col(0), 0, Col(1)), false},
      {"as much as a hand holds", long15, anyPartial, Cards(Col(0), 2, Col(1)), true},
  };
  for (const auto& row : rows) {
    const Table t = Lay(row.table);
    EXPECT_EQ(KlondikeIsLegal(t.p, t.stock, row.rules, row.move), row.legal) << row.why;
  }
  EXPECT_FALSE(KlondikeEmptyColumnAccepts(kNoCard, kAceRank, any)) << "no card fills nothing";
}

// Whether the analysis finds a way on: what a stock click or a recycle would show, in the order
// the cards come; columns that only shift sideways; cards that go home.
TEST_F(KlondikePlayTest, NoMovesAnalysisFindsEveryWayOn) {
  const KlondikeDeal deal = DealKlondike(7, kRules);
  EXPECT_FALSE(KlondikeNoMovesLeft(deal.position, deal.stock, kRules)) << "a fresh deal";
  const KlondikeRules any = With([](KlondikeRules& r) { r.tableauStart = false; });
  const KlondikeRules partial = With([](KlondikeRules& r) { r.movePartial = true; });
  const KlondikeRules oneRecycle = With([](KlondikeRules& r) { r.recycles = 1; });
  const KlondikeRules twoRecycles = With([](KlondikeRules& r) { r.recycles = 2; });
  const KlondikeRules twoOneAClick = With([](KlondikeRules& r) {
    r.recycles = 2;
    r.cardsDealt = 1;
  });
  // Every column holds a card, and the only move, 81 onto 90, would empty column 1.
  const char* const full = "0: 90 1: 81 2: 20 3: 30 4: 40 5: 50 6: 60";
  const std::string kingOnWaste = std::string(full) + " w: K0 r: 1";
  const struct {
    const char* why;
    const char* table;
    KlondikeRules rules;
    bool noMoves;
  } rows[] = {
      {"nothing fits anywhere", "0: 90", kRules, true},
      {"a face-down top turns up", "0: 90 4: ~20", kRules, false},
      // The recycle returns the waste top first, so three a click deal 70 60 81, then 50 40 30.
      {"the Eight shows at the recycle's first click", "0: 90 w: 30 40 50 81 60 70", oneRecycle,
       false},
      {"the clicks show 50, then 30; only a bottom-first reading would show the Eight",
       "0: 90 w: 30 40 81 50 60 70", oneRecycle, true},
      {"a second recycle deals the bottom card first again", "0: 90 w: 30 40 81 50 60 70",
       twoRecycles, false},
      {"no recycle left: only the waste top counts", "0: 90 w: 30 40 50 81 60 70 r: 1", oneRecycle,
       true},
      {"no recycle left, the Eight on top", "0: 90 w: 30 40 50 60 70 81 r: 1", oneRecycle, false},
      // The stock deals 20 30; then the waste with them on it goes back top first: 30 20 70, ...
      {"60 50 81 and the old bottom card show", "0: 90 s: 20 30 w: 81 50 60 70 r: 1", twoRecycles,
       false},
      {"81 50 40: only a bottom-first reading would show the Eight",
       "0: 90 s: 20 30 w: 40 50 81 70 r: 1", twoRecycles, true},
      {"every card of a one-a-click stock shows", "0: 90 s: 20 30 w: 40 50 81 70 r: 1",
       twoOneAClick, false},
      {"an untouched stock counts as a move", "0: 90 s: 20", kRules, false},
      {"after the first recycle only what the stock shows", "0: 90 s: 20 r: 1", kRules, true},
      {"the last card of the stock shows", "0: 90 s: 20 30 81 r: 1", kRules, false},
      {"emptying a column nothing can fill", full, kRules, true},
      {"without TableauStart any card may fill the gap", full, any, false},
      {"a King waiting on the waste could fill it", kingOnWaste.c_str(), kRules, false},
      {"so could a King heading a run on face-down cards",
       "0: 90 1: 81 2: ~20 K1 3: 30 4: 40 5: 50 6: 60", kRules, false},
      {"a King with nothing under it gains nothing by moving",
       "0: 90 1: 81 2: K1 3: 30 4: 40 5: 50 6: 60", kRules, true},
      {"a run over face-down cards moving across", "0: 90 1: ~20 81", kRules, false},
      {"onto an empty column only the rank below the start", "1: ~20 81", kRules, true},
      {"a King over face-down cards into an empty column", "1: ~20 K1", kRules, false},
      {"an Ace on the waste goes up", "0: 90 w: A3 r: 1", kRules, false},
      {"a Three with no Two home", "0: 90 w: 33 r: 1", kRules, true},
      {"a Three onto its Two", "0: 90 w: 33 f: 23 r: 1", kRules, false},
      {"the column's top card goes up", "0: 90 f: 80", kRules, false},
      // The top card goes onto the other Five and uncovers a Five that goes home: the fault of the
      // older analysis, which looked one move ahead.
      {"a card a move uncovers goes home", "0: 61 50 41 1: 52 f: 40", kRules, false},
      {"a card a move uncovers goes home (MovePartial)", "0: 61 50 41 1: 52 f: 40", partial, false},
      {"a run shifted sideways uncovers nothing useful", "0: 61 50 41 1: 52 f: 20", kRules, true},
      {"nothing useful (MovePartial)", "0: 61 50 41 1: 52 f: 20", partial, true},
  };
  for (const auto& row : rows) {
    const Table t = Lay(row.table);
    EXPECT_EQ(KlondikeNoMovesLeft(t.p, t.stock, row.rules), row.noMoves) << row.why;
  }
}

// Seeded deals won by the move-finder with the rule functions alone. Every card ends home, so
// the points are fixed: 5 a turned-up card, 10 a stock card, 5 a dealt card, less 5 a recycle.
struct SeededRules {
  const char* name;
  std::uint32_t seed;
  KlondikeRules rules;
};

class KlondikeWinTest : public ::testing::TestWithParam<SeededRules> {
protected:
  void TearDown() override { ResetGameServices(); }
};

TEST_P(KlondikeWinTest, FinderWinsAndThePointsAddUp) {
  const SeededRules& param = GetParam();
  const std::optional<FoundWin> solution = SolveKlondike(param.seed, param.rules);
  ASSERT_TRUE(solution.has_value());
  KlondikeDeal deal = DealKlondike(param.seed, param.rules);
  const int stockCards = deal.stock.Remaining();
  int faceDown = 0, points = 0;
  for (int count : deal.position.faceDown) faceDown += count;
  for (const Move& move : solution->moves) {
    if (param.rules.autoFlip) {
      EXPECT_NE(move.kind, MoveKind::kTurnUp);
    }
    EXPECT_FALSE(KlondikeCleared(deal.position, deal.stock)) << "cleared before the last move";
    const std::optional<int> earned = PlayKlondikeMove(deal, param.rules, move);
    ASSERT_TRUE(earned.has_value());
    points += *earned;
  }
  EXPECT_TRUE(KlondikeCleared(deal.position, deal.stock));
  EXPECT_EQ(points, solution->points);
  EXPECT_EQ(points, 5 * faceDown + 10 * stockCards + 5 * 28 - 5 * deal.position.recyclesUsed);
  const int last = (deal.position.startRank + kRankCount - 1) % kRankCount;
  for (const Card& top : deal.position.foundations) EXPECT_EQ(top.rank, last);
  // A cleared table has no move left, and that is how the game knows it has been won.
  EXPECT_TRUE(KlondikeNoMovesLeft(deal.position, deal.stock, param.rules));
}

// The pinned win the snapshot tests start from, and the scenario tests replay with the mouse.
TEST_F(KlondikePlayTest, PinnedSeedWinsWithItsPinnedPoints) {
  ASSERT_TRUE(WinningSolution().has_value());
  EXPECT_EQ(WinningSolution()->points, kWinningSeedPoints);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, KlondikeWinTest,
    ::testing::Values(SeededRules{"Default", kKlondikeWinningSeed, kRules},
                      SeededRules{"SevensPartialAutoFlip", 2, With([](KlondikeRules& r) {
                                    r.startCard = 5;
                                    r.movePartial = true;
                                    r.autoFlip = true;
                                  })},
                      SeededRules{"FirstCardFilledInOneAClick", 3, With([](KlondikeRules& r) {
                                    r.startCard = kStartCardNextFromDeck;
                                    r.filledIn = true;
                                    r.cardsDealt = 1;
                                  })}),
    [](const ::testing::TestParamInfo<SeededRules>& test) { return test.param.name; });

// --- The snapshot block ---

// Read as Undo reads it: the Klondike block against the deck that was read, over `game`.
std::optional<KlondikeSnapshot> Read(const SnapshotBytes& bytes, const KlondikeDeal& game) {
  return ReadSnapshotOf(bytes, game.stock, [&game](SnapshotReader& in, const Deck& deck) {
    return ReadKlondikeBlock(in, game.position, deck);
  });
}

// Byte offsets inside a snapshot: the base state, then the block's fields.
constexpr std::size_t kBlock = kDeckImageSize + 8;
constexpr std::size_t kWaste = kBlock + 32 + 104;
constexpr std::size_t kWasteCount = kWaste + 280;
constexpr std::size_t kTableau = kWasteCount + 4;
constexpr std::size_t kColumnCounts = kTableau + 1120;
constexpr std::size_t kFaceDown = kColumnCounts + 28;
constexpr std::size_t kElapsed = kFaceDown + 28 + 4;

// Part-way through the pinned win: cards on the foundations, waste and columns.
KlondikeDeal MidGame() {
  KlondikeDeal deal = DealKlondike(kKlondikeWinningSeed, kRules);
  const std::optional<FoundWin>& solution = WinningSolution();
  for (std::size_t i = 0; solution && i < solution->moves.size() / 2; ++i)
    PlayKlondikeMove(deal, kRules, solution->moves[i]);
  return deal;
}

// Read back into a game that has moved on since: the snapshot's position comes back, the start
// rank and recycles used stay the game's, and stray values past the counts read as blank slots.
TEST_F(KlondikePlayTest, SnapshotRoundTripIs2564Bytes) {
  const KlondikeDeal before = MidGame();
  ASSERT_GT(before.position.wasteCount, 0);
  ASSERT_NE(before.position.foundations, EmptyKlondikePosition(kAceRank).foundations);
  const SnapshotBytes bytes = SnapshotOf(before, 123, 456, WriteKlondikeBlock);
  EXPECT_EQ(bytes.size(), 2564u);
  EXPECT_EQ(bytes.size() - kBlock, kKlondikeBlockSize);
  KlondikeDeal later = before;
  KlondikeApplyMove(later.position, later.stock, kRules, kStockClick);
  later.position.recyclesUsed = 2;
  const SnapshotBytes stray =
      WithInt32(WithInt32(bytes, kWaste + 8 * 34, 77), kTableau + 8 * 19 + 4, -9);
  const std::optional<KlondikeSnapshot> read = Read(stray, later);
  ASSERT_TRUE(read.has_value());
  KlondikePosition expected = before.position;
  expected.recyclesUsed = 2;
  // The turned count travels in the side state, not in this block.
  EXPECT_LE(read->position.turned, read->position.wasteCount);
  expected.turned = read->position.turned;
  EXPECT_EQ(read->position, expected);
  EXPECT_EQ(read->points, 123);
  EXPECT_EQ(read->elapsedSeconds, 456);
}

// One case for each check of the reader.
TEST_F(KlondikePlayTest, SnapshotReaderRefusesDamage) {
  const KlondikeDeal game = MidGame();
  const SnapshotBytes good = SnapshotOf(game, 10, 20, WriteKlondikeBlock);
  ASSERT_TRUE(Read(good, game).has_value());
  const int column = game.position.columnCount[6] > 0 ? 6 : 0;
  const int count = game.position.columnCount[column];
  ASSERT_GT(count, 0);
  const std::size_t topOfColumn = kTableau + 160 * column + 8 * (count - 1);
  const Card elsewhere = game.position.waste[0];
  const Card top = game.position.tableau[column][count - 1];
  ASSERT_TRUE(IsRealCard(elsewhere));
  ExpectEachRefused(
      good, [&game](const SnapshotBytes& b) { return Read(b, game); },
      {
          {"waste count 36", WithInt32(good, kWasteCount, 36)},
          {"column count 21", WithInt32(good, kColumnCounts + 8, 21)},
          {"face-down above the count", WithInt32(good, kFaceDown + 4 * column, 30)},
          {"suit 4", WithInt32(good, topOfColumn, 4)},
          {"a card missing", WithInt32(good, kColumnCounts + 4 * column, count - 1)},
          {"a card twice", WithInt32(WithInt32(good, topOfColumn, elsewhere.suit), topOfColumn + 4,
                                     elsewhere.rank)},
          {"a foundation claiming cards the columns hold",
           WithInt32(WithInt32(good, kBlock, top.suit), kBlock + 4, (top.rank + 1) % 13)},
          {"negative elapsed time", WithInt32(good, kElapsed, -1)},
      });
}

// The fuzz target's seed files must stay snapshots this reader accepts, or the fuzzer starts from
// nothing.
TEST_F(KlondikePlayTest, FuzzSeedSnapshotsAreAccepted) {
  const char* source = std::getenv("QS_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  for (const char* name : {"fresh_deal.bin", "mid_game.bin", "filled_in.bin"}) {
    std::ifstream file(std::string(source) + "/tests/fuzz/seeds/undo/" + name, std::ios::binary);
    ASSERT_TRUE(file.good()) << name;
    const SnapshotBytes bytes((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.size(), 2564u) << name;
    EXPECT_TRUE(Read(bytes, KlondikeDeal{EmptyKlondikePosition(kAceRank), Deck()})) << name;
  }
}

}  // namespace
