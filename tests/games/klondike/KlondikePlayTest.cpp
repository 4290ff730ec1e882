// Klondike's rules called directly: the deal, the stock and waste, every building rule and rule
// setting, the points of each move, the hit lists, the no-moves analysis, the snapshot block, and
// a seeded deal played to a win.
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

// A deal the tests' move-finder wins under the default rules, and what the win earns.
constexpr std::uint32_t kWinningSeed = 7;
constexpr int kWinningSeedPoints = 470;

std::string CardText(const Card& card) {
  if (!IsRealCard(card)) return "--";
  return std::string(1, kRankLetters[card.rank]) + std::to_string(card.suit);
}

// Column 0 "xx xx 9S": the face-down cards shown as xx, then the face-up ones.
std::string ColumnText(const KlondikePosition& p, int c) {
  std::string text;
  for (int i = 0; i < p.columnCount[c]; ++i) {
    if (i > 0) text += ' ';
    text += i < p.faceDown[c] ? "xx" : CardText(p.tableau[c][i]);
  }
  return text;
}

// A deck whose undealt cards are exactly these, the first to be dealt first.
Deck StockOf(std::initializer_list<const char*> topFirst) {
  Deck deck;
  deck.Shuffle();
  while (deck.DealCard() != kNoCard) {
  }
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

KlondikeRules Rules() {
  return kKlondikeDefaultRules;
}

// The finder's win of the pinned seed, searched for once.
const std::optional<KlondikeSolution>& WinningSolution() {
  static const std::optional<KlondikeSolution> solution = SolveKlondike(kWinningSeed, Rules());
  return solution;
}

constexpr Move kStockClick{MoveKind::kStock, kKlondikeStockPile, 0, -1};

Move TurnUp(int column) {
  return {MoveKind::kTurnUp, KlondikeColumnPile(column), 0, -1};
}

Move Cards(int from, int index, int to) {
  return {MoveKind::kCards, from, index, to};
}

// A table written out (TableText.h): "0:" to "6:" the columns, "w:" the waste, "f: A0 23"
// foundation tops (each on its suit's foundation), "s: 20 30" the stock top first, "r: 1" the
// recycles used, "base: 7" Sevens start. Nothing else lies anywhere.
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

KlondikeRules With(void (*change)(KlondikeRules&)) {
  KlondikeRules rules = Rules();
  change(rules);
  return rules;
}

// Every seeded deck in these tests is made with the override set and cleared again.
class KlondikePlayTest : public ::testing::Test {
protected:
  void TearDown() override { ResetGameServices(); }
};

// --- The deal -----------------------------------------------------------------------------------

// Seed 7's columns pin the row-by-row order of the deal (and the shuffle under it); the cards
// left over are the stock, in the order the same shuffle gives them.
TEST_F(KlondikePlayTest, DefaultDealLaysOutTwentyEightCardsRowByRow) {
  const KlondikeDeal deal = DealKlondike(7, Rules());
  std::string columns;
  for (int c = 0; c < kKlondikeColumns; ++c) {
    if (c > 0) columns += " | ";
    columns += "col " + std::to_string(c) + ": " + ColumnText(deal.position, c);
  }
  EXPECT_EQ(
      columns,
      "col 0: 70 | col 1: xx K3 | col 2: xx xx Q3 | col 3: xx xx xx 72 | col 4: xx xx xx xx 93 "
      "| col 5: xx xx xx xx xx 23 | col 6: xx xx xx xx xx xx 30");
  Deck order = ShuffledPack(7);
  for (int i = 0; i < 28; ++i) order.DealCard();
  EXPECT_EQ(Undealt(deal.stock), Undealt(order));
  EXPECT_EQ(deal.position.startRank, kAceRank);
  for (const Card& top : deal.position.foundations) EXPECT_EQ(top, kNoCard);
  EXPECT_EQ(deal.position.wasteCount, 0);
}

TEST_F(KlondikePlayTest, StartCardFromTheDeckPutsTheFirstCardOnFoundationZero) {
  KlondikeRules rules = Rules();
  rules.startCard = kStartCardNextFromDeck;
  const Card first = ShuffledPack(11).PeekCard(0);

  const KlondikeDeal deal = DealKlondike(11, rules);
  EXPECT_EQ(deal.position.foundations[0], first);
  EXPECT_EQ(deal.position.startRank, first.rank);
  EXPECT_EQ(deal.stock.Remaining(), 23);
}

TEST_F(KlondikePlayTest, FilledInFoundationsTakeTheStartCardsOutOfTheDeck) {
  KlondikeRules rules = Rules();
  rules.filledIn = true;
  const KlondikeDeal aces = DealKlondike(3, rules);
  EXPECT_EQ(aces.stock.Remaining(), 20);
  for (int s = 0; s < kSuitCount; ++s) {
    EXPECT_EQ(aces.position.foundations[s], (Card{s, kAceRank}));
    EXPECT_FALSE(aces.stock.IsPresent(Card{s, kAceRank}));
  }
  for (const Card& card : Undealt(aces.stock)) EXPECT_NE(card.rank, kAceRank);

  // With the first card deciding, its rank fills every foundation (that no card is lost or
  // doubled on the way is the property test's count after every deal).
  rules.startCard = kStartCardNextFromDeck;
  const KlondikeDeal decided = DealKlondike(3, rules);
  const int rank = decided.position.startRank;
  for (int s = 0; s < kSuitCount; ++s) EXPECT_EQ(decided.position.foundations[s], (Card{s, rank}));
  EXPECT_EQ(decided.stock.Remaining(), 20);
}

TEST_F(KlondikePlayTest, TableauDealStopsWhenTheStockRunsOut) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({"20", "30", "40", "50", "60", "70", "80", "90", "T0"});
  const std::vector<MoveStep> steps = KlondikeDealTableau(p, stock);
  EXPECT_EQ(stock.Remaining(), 0);
  // Row 0 takes seven cards, row 1 gives column 1 its face-up card and column 2 one face down.
  EXPECT_EQ(ColumnText(p, 0), "20");
  EXPECT_EQ(ColumnText(p, 1), "xx 90");
  EXPECT_EQ(ColumnText(p, 2), "xx xx");
  EXPECT_EQ(ColumnText(p, 3), "xx");
  ASSERT_EQ(steps.size(), 9u) << "one step a card, in the order the animation plays them";
  EXPECT_EQ(steps[7], (MoveStep{StepKind::kDealt, kKlondikeStockPile, KlondikeColumnPile(1), 1, 1,
                                true, CardOf("90")}));
  EXPECT_EQ(steps[8].faceUp, false);
}

// --- Stock and waste ----------------------------------------------------------------------------

TEST_F(KlondikePlayTest, StockClicksTurnCardsDealtOrWhatIsLeftAndARecycleCostsFive) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({"20", "30", "40", "50", "60"});
  MoveResult r = KlondikeApplyMove(p, stock, Rules(), kStockClick);
  EXPECT_EQ(p.turned, 3);
  EXPECT_EQ(r.steps, (std::vector<MoveStep>{{StepKind::kStockTurned, kKlondikeStockPile,
                                             kKlondikeWastePile, 0, 3, true, CardOf("20")}}));
  EXPECT_EQ(p.waste[p.wasteCount - 1], CardOf("40"));
  KlondikeApplyMove(p, stock, Rules(), kStockClick);
  EXPECT_EQ(p.turned, 2) << "three a click with two cards left turns two";
  EXPECT_EQ(p.wasteCount, 5);
  EXPECT_EQ(p.waste[4], CardOf("60"));

  // The waste turned back: the former top card is dealt first.
  r = KlondikeApplyMove(p, stock, Rules(), kStockClick);
  EXPECT_EQ(r.points, -5);
  ASSERT_EQ(r.steps.size(), 1u);
  EXPECT_EQ(r.steps[0].kind, StepKind::kRecycled);
  EXPECT_EQ(r.steps[0].count, 5);
  EXPECT_EQ(p.wasteCount, 0);
  EXPECT_EQ(p.recyclesUsed, 1);
  EXPECT_EQ(p.turned, 0);
  EXPECT_EQ(Undealt(stock), (std::vector<Card>{CardOf("60"), CardOf("50"), CardOf("40"),
                                               CardOf("30"), CardOf("20")}));

  KlondikeRules one = Rules();
  one.cardsDealt = 1;
  KlondikeApplyMove(p, stock, one, kStockClick);
  EXPECT_EQ(p.wasteCount, 1);
  EXPECT_EQ(p.waste[0], CardOf("60"));
}

// A snapshot may hold a full waste beside a stock (no deal makes one): the click then has no room
// to turn a card into, and must not read past the waste's slots as if it had.
TEST_F(KlondikePlayTest, AStockClickWithTheWasteFullIsNoMove) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  for (int i = 0; i < kKlondikeWasteSlots; ++i) p.waste[i] = Card{i / kRankCount, i % kRankCount};
  p.wasteCount = kKlondikeWasteSlots;
  Deck stock = StockOf({"K3"});
  EXPECT_FALSE(KlondikeIsLegal(p, stock, Rules(), kStockClick));
  EXPECT_FALSE(KlondikeApplyMove(p, stock, Rules(), kStockClick).Happened());
  EXPECT_EQ(stock.Remaining(), 1);
}

TEST_F(KlondikePlayTest, SettingsFromAnEditedFileArePlayedAsTheDialogOffersThem) {
  KlondikeRules rules = Rules();
  rules.cardsDealt = 7;
  rules.recycles = 12;
  rules.startCard = 40;
  const KlondikeRules playable = KlondikePlayableRules(rules);
  EXPECT_EQ(playable.cardsDealt, 3);
  EXPECT_EQ(playable.recycles, 4);
  EXPECT_EQ(playable.startCard, kAceRank);
  // The recycles' other ends are PlayableRecycles' test (SolitaireHelpersTest).
  rules.cardsDealt = -2;
  rules.startCard = kStartCardNextFromDeck;
  EXPECT_EQ(KlondikePlayableRules(rules).cardsDealt, 1);
  EXPECT_EQ(KlondikePlayableRules(rules).startCard, kStartCardNextFromDeck);
}

// --- Turning up
// -----------------------------------------------------------------------------------

TEST_F(KlondikePlayTest, OnlyAnAllFaceDownColumnTurnsUpItsTopCard) {
  Table t = Lay("0: ~20 ~30 1: ~40 51");
  KlondikePosition& p = t.p;
  Deck& stock = t.stock;
  EXPECT_FALSE(KlondikeApplyMove(p, stock, Rules(), TurnUp(1)).Happened());
  EXPECT_FALSE(KlondikeApplyMove(p, stock, Rules(), TurnUp(2)).Happened());  // empty
  EXPECT_FALSE(KlondikeIsLegal(p, stock, Rules(), Move{MoveKind::kTurnUp, kKlondikeWastePile}));
  const MoveResult r = KlondikeApplyMove(p, stock, Rules(), TurnUp(0));
  EXPECT_EQ(r.points, 5);
  EXPECT_EQ(r.steps[0].kind, StepKind::kTurnedUp);
  EXPECT_EQ(ColumnText(p, 0), "xx 30");
  EXPECT_FALSE(KlondikeApplyMove(p, stock, Rules(), TurnUp(0)).Happened());
}

// --- Building rules
// -------------------------------------------------------------------------------

// Move by move whether the rules allow it. How ranks wrap and suits and colours build is the
// shared building rules' test (SolitaireHelpersTest); here that Klondike uses them where it should.
TEST_F(KlondikePlayTest, WhatMayBeLiftedAndWhereItMayGo) {
  const KlondikeRules noRecycle = With([](KlondikeRules& r) { r.recycles = 0; });
  const KlondikeRules unlimited = With([](KlondikeRules& r) { r.recycles = kRecyclesUnlimited; });
  const KlondikeRules any = With([](KlondikeRules& r) { r.tableauStart = false; });
  const KlondikeRules anyPartial = With([](KlondikeRules& r) {
    r.tableauStart = false;
    r.movePartial = true;
  });
  const char* const columns = "0: ~91 ~90 1: ~30 91 2: ~20 K1 Q0 J1";
  const int c2 = KlondikeColumnPile(2), c5 = KlondikeColumnPile(5), w = kKlondikeWastePile;
  const std::string withWaste = std::string(columns) + " w: K0 80";
  const struct {
    const char* why;
    const char* table;
    KlondikeRules rules;
    Move move;
    bool legal;
  } rows[] = {
      // An empty waste has nothing to turn back: a click must not cost a recycle and 5 points.
      {"an empty waste with recycles to spare", "", unlimited, kStockClick, false},
      {"no recycle allowed", "w: 50", noRecycle, kStockClick, false},
      {"the third of three recycles", "w: 50 r: 2", Rules(), kStockClick, true},
      {"three recycles used", "w: 50 r: 3", Rules(), kStockClick, false},
      {"unlimited recycles never run out", "w: 50 r: 100000", unlimited, kStockClick, true},
      {"the rank below the start fills an empty column", "base: 7 w: 63", Rules(),
       Cards(w, 0, KlondikeColumnPile(4)), true},
      {"a King does not when Sevens start", "base: 7 w: K3", Rules(),
       Cards(w, 0, KlondikeColumnPile(4)), false},
      {"without TableauStart any card does", "base: 7 w: K3", any,
       Cards(w, 0, KlondikeColumnPile(4)), true},
      {"only a King fills it when Aces start", "w: Q3", Rules(), Cards(w, 0, KlondikeColumnPile(4)),
       false},
      {"a King does", "w: K3", Rules(), Cards(w, 0, KlondikeColumnPile(4)), true},
      {"the start rank starts a foundation", "base: 7 w: 72", Rules(),
       Cards(w, 0, KlondikeFoundationPile(1)), true},
      {"no other rank does", "base: 7 w: A2", Rules(), Cards(w, 0, KlondikeFoundationPile(1)),
       false},
      {"the Ace follows the King when Sevens start", "base: 7 f: K2 w: A2", Rules(),
       Cards(w, 0, KlondikeFoundationPile(2)), true},
      {"only single cards go up", "base: 7 f: 50 0: 60 51", Rules(),
       Cards(KlondikeColumnPile(0), 0, KlondikeFoundationPile(0)), false},
      {"a column's top card goes up", "base: 7 f: 50 0: 51 60", Rules(),
       Cards(KlondikeColumnPile(0), 1, KlondikeFoundationPile(0)), true},
      {"nothing builds on a face-down top", "0: ~91 ~90 w: 81", Rules(),
       Cards(w, 0, KlondikeColumnPile(0)), false},
      {"onto a face-up top", "1: ~30 91 w: 80", Rules(), Cards(w, 0, KlondikeColumnPile(1)), true},
      {"a face-down card is never lifted", columns, any, Cards(c2, 0, c5), false},
      {"the whole run", columns, any, Cards(c2, 1, c5), true},
      {"the top card alone", columns, any, Cards(c2, 3, c5), true},
      {"part of a run only with MovePartial", columns, any, Cards(c2, 2, c5), false},
      {"part of a run with MovePartial", columns, anyPartial, Cards(c2, 2, c5), true},
      {"a run onto its own column", columns, any, Cards(c2, 1, c2), false},
      {"only the waste's top card", withWaste.c_str(), anyPartial, Cards(w, 0, c5), false},
      {"nothing goes onto the waste", columns, anyPartial, Cards(c2, 3, w), false},
      {"nothing goes onto the stock", columns, anyPartial, Cards(c2, 3, kKlondikeStockPile), false},
      // No dealt position holds a run this long, but a hand-built one must not overrun the hand.
      {"more than a hand holds", "0: 20 30 40 50 60 70 80 90 T0 J0 Q0 K0 21 31 41", anyPartial,
       Cards(KlondikeColumnPile(0), 0, KlondikeColumnPile(1)), false},
      {"as much as a hand holds", "0: 20 30 40 50 60 70 80 90 T0 J0 Q0 K0 21 31 41", anyPartial,
       Cards(KlondikeColumnPile(0), 2, KlondikeColumnPile(1)), true},
  };
  for (const auto& row : rows) {
    const Table t = Lay(row.table);
    EXPECT_EQ(KlondikeIsLegal(t.p, t.stock, row.rules, row.move), row.legal) << row.why;
  }
  EXPECT_FALSE(KlondikeEmptyColumnAccepts(kNoCard, kAceRank, any)) << "no card fills nothing";
}

TEST_F(KlondikePlayTest, EachMoveEarnsItsPoints) {
  Table t = Lay("f: A0 w: K1 20 0: ~30 42 31 1: ~40 51 2: A2");
  KlondikePosition& p = t.p;
  Deck& stock = t.stock;
  p.turned = 2;

  // Waste to foundation: 10.
  MoveResult r =
      KlondikeApplyMove(p, stock, Rules(), Cards(kKlondikeWastePile, 1, KlondikeFoundationPile(0)));
  EXPECT_EQ(r.points, 10);
  EXPECT_EQ(p.foundations[0], CardOf("20"));
  EXPECT_EQ(p.turned, 1) << "the fan shows one card fewer";

  // Waste to column: 5 a card.
  r = KlondikeApplyMove(p, stock, Rules(), Cards(kKlondikeWastePile, 0, KlondikeColumnPile(2)));
  EXPECT_EQ(r.points, 5);
  EXPECT_EQ(ColumnText(p, 2), "A2 K1");
  EXPECT_EQ(r.steps[0], (MoveStep{StepKind::kMoved, kKlondikeWastePile, KlondikeColumnPile(2), 1, 1,
                                  true, CardOf("K1")}));

  // Column to column: nothing, however many cards.
  r = KlondikeApplyMove(p, stock, Rules(), Cards(KlondikeColumnPile(0), 1, KlondikeColumnPile(1)));
  EXPECT_EQ(r.points, 0);
  EXPECT_EQ(r.steps[0].count, 2);
  EXPECT_EQ(ColumnText(p, 1), "xx 51 42 31");
  EXPECT_EQ(ColumnText(p, 0), "xx");

  // Column to foundation: 5.
  p.foundations[1] = CardOf("21");
  r = KlondikeApplyMove(p, stock, Rules(),
                        Cards(KlondikeColumnPile(1), 3, KlondikeFoundationPile(1)));
  EXPECT_EQ(r.points, 5);
}

// --- Hit lists ----------------------------------------------------------------------------------

TEST_F(KlondikePlayTest, ClickOnALowerCardFindsTheWholeRunWithoutMovePartial) {
  const KlondikePosition p = Lay("0: ~20 ~30 K1 Q0 J1").p;
  DragSourceList sources;
  DropTargetList targets;
  KlondikeBuildHitLists(p, Rules(), sources, targets);
  ASSERT_EQ(sources.Size(), 2);

  // The strip of the Queen, 15 pixels below the King: the whole run from the King.
  const ScreenPoint queen = KlondikeCardPlace(0, 3);
  const DragSource* hit = sources.HitTest(queen.x + 5, queen.y + 5);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->count, 3);
  EXPECT_EQ(hit->cards[0], CardOf("K1"));
  EXPECT_EQ(hit->cards[3], kNoCard);
  EXPECT_EQ(hit->pile, KlondikeColumnPile(0));
  EXPECT_EQ(hit->index, 2);
  // The top card alone.
  const ScreenPoint jack = KlondikeCardPlace(0, 4);
  hit = sources.HitTest(jack.x + 5, jack.y + 20);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->count, 1);
  EXPECT_EQ(hit->cards[0], CardOf("J1"));
  // The face-down cards above the run hold nothing to pick up.
  const ScreenPoint down = KlondikeCardPlace(0, 0);
  EXPECT_EQ(sources.HitTest(down.x + 5, down.y + 5), nullptr);
}

// The waste's top card lifts from where the card drawing puts it: fanned, the last of the turned
// cards two fan steps to the right; squared (one card a click), one step up and two left for every
// ten cards.
TEST_F(KlondikePlayTest, WasteTopLiesWhereTheWasteIsDrawn) {
  const KlondikeRules one = With([](KlondikeRules& r) { r.cardsDealt = 1; });
  const char* const twelve = "w: 20 30 40 50 60 70 80 90 T0 J0 Q0 K0";
  const struct {
    const char* table;
    int turned;
    KlondikeRules rules;
    int dx, dy;
  } rows[] = {{twelve, 3, Rules(), 20, 0},
              {twelve, 0, Rules(), 0, 0},
              {twelve, 0, one, -2, -1},
              {"w: 20 30 40 50 60 70 80 90 T0", 0, one, 0, 0}};
  for (const auto& row : rows) {
    KlondikePosition p = Lay(row.table).p;
    p.turned = row.turned;
    DragSourceList sources;
    DropTargetList targets;
    KlondikeBuildHitLists(p, row.rules, sources, targets);
    ASSERT_GE(sources.Size(), 1);
    EXPECT_EQ(sources.At(0).cards[0], p.waste[p.wasteCount - 1]);
    EXPECT_EQ(sources.At(0).x, kKlondikeWasteX + row.dx) << row.table << " turned " << row.turned;
    EXPECT_EQ(sources.At(0).y, kKlondikeWasteY + row.dy) << row.table << " turned " << row.turned;
  }
}

TEST_F(KlondikePlayTest, DropTargetsAreFoundationsThenColumnsThatCanTakeACard) {
  const KlondikePosition p = Lay("0: ~20 30 1: ~40 ~50").p;  // column 1 all face down: no target
  DragSourceList sources;
  DropTargetList targets;
  KlondikeBuildHitLists(p, Rules(), sources, targets, 60, 90);
  ASSERT_EQ(targets.Size(), 4 + 6);
  for (int f = 0; f < 4; ++f) {
    EXPECT_EQ(targets.At(f).kind, 1);
    EXPECT_EQ(targets.At(f).x, KlondikeFoundationX(f));
    EXPECT_EQ(targets.At(f).right, KlondikeFoundationX(f) + 60);
    EXPECT_EQ(targets.At(f).bottom, kKlondikeFoundationY + 90);
  }
  EXPECT_EQ(targets.At(4).kind, 2);
  EXPECT_EQ(targets.At(4).x, KlondikeColumnX(0));
  EXPECT_EQ(targets.At(4).y, kKlondikeColumnY + 30);
  EXPECT_EQ(targets.At(5).x, KlondikeColumnX(2));  // column 1 skipped
  EXPECT_EQ(targets.At(5).y, kKlondikeColumnY);
  // The point below the last card finds the column; the face-down column's area finds nothing.
  EXPECT_EQ(targets.HitTest(KlondikeColumnX(0) + 5, kKlondikeColumnY + 40), &targets.At(4));
  EXPECT_EQ(targets.HitTest(KlondikeColumnX(1) + 5, kKlondikeColumnY + 20), nullptr);
}

// --- The no-moves analysis
// ------------------------------------------------------------------------

// Whether the analysis finds a move left, table by table: what a stock click or a recycle would
// show, in the order the cards would come; columns that only shift sideways; cards that go home.
TEST_F(KlondikePlayTest, NoMovesAnalysisFindsEveryWayOn) {
  const KlondikeDeal deal = DealKlondike(7, Rules());
  EXPECT_FALSE(KlondikeNoMovesLeft(deal.position, deal.stock, Rules())) << "a fresh deal";

  const KlondikeRules plain = Rules();
  const KlondikeRules any = With([](KlondikeRules& r) { r.tableauStart = false; });
  const KlondikeRules partial = With([](KlondikeRules& r) { r.movePartial = true; });
  const KlondikeRules oneRecycle = With([](KlondikeRules& r) { r.recycles = 1; });
  const KlondikeRules twoRecycles = With([](KlondikeRules& r) { r.recycles = 2; });
  const KlondikeRules twoRecyclesOneAClick = With([](KlondikeRules& r) {
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
      {"nothing fits anywhere", "0: 90", plain, true},
      {"a face-down top turns up", "0: 90 4: ~20", plain, false},
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
       twoRecyclesOneAClick, false},
      {"an untouched stock counts as a move", "0: 90 s: 20", plain, false},
      {"after the first recycle only what the stock shows", "0: 90 s: 20 r: 1", plain, true},
      {"the last card of the stock shows", "0: 90 s: 20 30 81 r: 1", plain, false},
      {"emptying a column nothing can fill", full, plain, true},
      {"without TableauStart any card may fill the gap", full, any, false},
      {"a King waiting on the waste could fill it", kingOnWaste.c_str(), plain, false},
      {"so could a King heading a run on face-down cards",
       "0: 90 1: 81 2: ~20 K1 3: 30 4: 40 5: 50 6: 60", plain, false},
      {"a King with nothing under it gains nothing by moving",
       "0: 90 1: 81 2: K1 3: 30 4: 40 5: 50 6: 60", plain, true},
      {"a run over face-down cards moving across", "0: 90 1: ~20 81", plain, false},
      {"onto an empty column only the rank below the start", "1: ~20 81", plain, true},
      {"a King over face-down cards into an empty column", "1: ~20 K1", plain, false},
      {"an Ace on the waste goes up", "0: 90 w: A3 r: 1", plain, false},
      {"a Three with no Two home", "0: 90 w: 33 r: 1", plain, true},
      {"a Three onto its Two", "0: 90 w: 33 f: 23 r: 1", plain, false},
      {"the column's top card goes up", "0: 90 f: 80", plain, false},
      // The top card goes onto a Five elsewhere and uncovers a Five that goes home: a move is
      // left, with MovePartial or without (the top card alone may always be lifted).
      {"a card a move uncovers goes home", "0: 61 50 41 1: 52 f: 40", plain, false},
      {"a card a move uncovers goes home (MovePartial)", "0: 61 50 41 1: 52 f: 40", partial, false},
      {"a run shifted sideways uncovers nothing useful", "0: 61 50 41 1: 52 f: 20", plain, true},
      {"nothing useful (MovePartial)", "0: 61 50 41 1: 52 f: 20", partial, true},
  };
  for (const auto& row : rows) {
    const Table t = Lay(row.table);
    EXPECT_EQ(KlondikeNoMovesLeft(t.p, t.stock, row.rules), row.noMoves) << row.why;
  }
}

// --- End of the game
// ------------------------------------------------------------------------------

TEST_F(KlondikePlayTest, ClearedMeansStockWasteAndColumnsEmpty) {
  const Table home = Lay("f: K0 K1 K2 K3");
  EXPECT_TRUE(KlondikeCleared(home.p, home.stock));
  for (const char* left : {"s: 20", "w: 20", "6: K0"}) {
    const Table t = Lay(left);
    EXPECT_FALSE(KlondikeCleared(t.p, t.stock)) << left;
  }
}

TEST_F(KlondikePlayTest, ScoreFactorMultipliesTheRulesFactors) {
  KlondikeRules rules = Rules();
  EXPECT_DOUBLE_EQ(KlondikeScoreFactor(rules), 1.25 * 1.2);
  rules.cardsDealt = 1;
  rules.tableauStart = false;
  EXPECT_DOUBLE_EQ(KlondikeScoreFactor(rules), 1.0);
  rules.cardsDealt = 2;
  EXPECT_DOUBLE_EQ(KlondikeScoreFactor(rules), 1.1);
  rules.filledIn = true;
  EXPECT_DOUBLE_EQ(KlondikeScoreFactor(rules), 0.9 * 1.1);
  // Moving partial runs sets the base to 0.95 rather than multiplying by it.
  rules = Rules();
  rules.movePartial = true;
  EXPECT_DOUBLE_EQ(KlondikeScoreFactor(rules), 0.95 * 1.25 * 1.2);
  rules.cardsDealt = 7;
  rules.tableauStart = false;
  EXPECT_DOUBLE_EQ(KlondikeScoreFactor(rules), 0.95);
}

// Seeded deals played to a win by the move-finder with the rule functions alone, under the
// default rules and under others: start ranks that wrap, partial moves, cards that turn up by
// themselves, no recycle at all. Every card ends on a foundation, so the points are fixed
// whatever way the finder went: 5 a turned-up card, 10 a stock card (straight up, or 5 onto a
// column and 5 up from it), 5 a dealt card, less 5 a recycle.
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
  const std::optional<KlondikeSolution> solution = SolveKlondike(param.seed, param.rules);
  ASSERT_TRUE(solution.has_value());
  KlondikeDeal deal = DealKlondike(param.seed, param.rules);
  const int stockCards = deal.stock.Remaining();
  int faceDown = 0;
  for (int count : deal.position.faceDown) faceDown += count;
  int points = 0;
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
    ::testing::Values(SeededRules{"Default", kWinningSeed, Rules()},
                      SeededRules{"SevensPartialAutoFlip", 2, With([](KlondikeRules& r) {
                                    r.startCard = 5;
                                    r.movePartial = true;
                                    r.autoFlip = true;
                                  })},
                      SeededRules{"FirstCardFilledInOneAClick", 3, With([](KlondikeRules& r) {
                                    r.startCard = kStartCardNextFromDeck;
                                    r.filledIn = true;
                                    r.cardsDealt = 1;
                                  })},
                      SeededRules{"AnyCardFillsTwoAClickNoRecycle", 3, With([](KlondikeRules& r) {
                                    r.tableauStart = false;
                                    r.cardsDealt = 2;
                                    r.recycles = 0;
                                  })},
                      SeededRules{"TwosUnlimitedRecycles", 1, With([](KlondikeRules& r) {
                                    r.startCard = 0;
                                    r.recycles = kRecyclesUnlimited;
                                  })}),
    [](const ::testing::TestParamInfo<SeededRules>& test) { return test.param.name; });

// --- The snapshot block
// -----------------------------------------------------------------------------

SnapshotBytes Snapshot(const KlondikeDeal& deal, int points, int elapsed) {
  return SnapshotOf(deal, points, elapsed, WriteKlondikeBlock);
}

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

std::int32_t Get(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[at + i];
  return static_cast<std::int32_t>(value);
}

// A position part-way through the pinned win: cards on the foundations, waste and columns.
KlondikeDeal MidGame() {
  const std::optional<KlondikeSolution>& solution = WinningSolution();
  KlondikeDeal deal = DealKlondike(kWinningSeed, Rules());
  if (!solution) return deal;
  for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
    PlayKlondikeMove(deal, Rules(), solution->moves[i]);
  return deal;
}

TEST_F(KlondikePlayTest, SnapshotRoundTripIs2564Bytes) {
  const KlondikeDeal before = MidGame();
  ASSERT_GT(before.position.wasteCount, 0);
  ASSERT_NE(before.position.foundations, EmptyKlondikePosition(kAceRank).foundations);
  const SnapshotBytes bytes = Snapshot(before, 123, 456);
  EXPECT_EQ(bytes.size(), 2564u);
  EXPECT_EQ(bytes.size() - kBlock, kKlondikeBlockSize);
  EXPECT_EQ(Get(bytes, kElapsed), 456);
  EXPECT_EQ(Get(bytes, kElapsed - 4), 123);
  EXPECT_EQ(Get(bytes, kWasteCount), before.position.wasteCount);

  // Read back into a game that has moved on since: the snapshot's position comes back, the
  // start rank and recycles used stay the game's.
  KlondikeDeal later = before;
  KlondikeApplyMove(later.position, later.stock, Rules(), kStockClick);
  later.position.recyclesUsed = 2;
  // Stray values past the waste count and past column 0's count are not cards of the deal: they
  // are read back as blank slots.
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

TEST_F(KlondikePlayTest, SnapshotReaderRefusesDamage) {
  const KlondikeDeal game = MidGame();
  const SnapshotBytes good = Snapshot(game, 10, 20);
  ASSERT_TRUE(Read(good, game).has_value());
  const int column = game.position.columnCount[6] > 0 ? 6 : 0;
  ASSERT_GT(game.position.columnCount[column], 0);
  const std::size_t topOfColumn =
      kTableau + 160 * column + 8 * (game.position.columnCount[column] - 1);
  Card elsewhere = game.position.waste[0];
  ASSERT_TRUE(IsRealCard(elsewhere));

  const Card top = game.position.tableau[column][game.position.columnCount[column] - 1];
  const struct {
    const char* what;
    SnapshotBytes bytes;
  } damaged[] = {
      {"truncated", OneByteShort(good)},
      {"longer than a snapshot", OneByteLong(good)},
      {"no block at all", SnapshotBytes(good.begin(), good.begin() + kBlock)},
      {"waste count 36", WithInt32(good, kWasteCount, 36)},
      {"waste count -1", WithInt32(good, kWasteCount, -1)},
      {"column count 21", WithInt32(good, kColumnCounts + 8, 21)},
      {"face-down above the count", WithInt32(good, kFaceDown + 4 * column, 30)},
      {"face-down negative", WithInt32(good, kFaceDown, -1)},
      {"suit 4", WithInt32(good, topOfColumn, 4)},
      {"rank 13", WithInt32(good, topOfColumn + 4, 13)},
      {"a card missing",
       WithInt32(good, kColumnCounts + 4 * column, game.position.columnCount[column] - 1)},
      {"a card twice",
       WithInt32(WithInt32(good, topOfColumn, elsewhere.suit), topOfColumn + 4, elsewhere.rank)},
      {"a foundation claiming cards the columns hold",
       WithInt32(WithInt32(good, kBlock, top.suit), kBlock + 4, (top.rank + 1) % 13)},
      {"negative elapsed time", WithInt32(good, kElapsed, -1)},
  };
  for (const auto& d : damaged) EXPECT_FALSE(Read(d.bytes, game).has_value()) << d.what;
}

// The fuzz target's seed files are snapshots this reader accepts; a change to the layout that
// left them behind would leave the fuzzer starting from nothing.
TEST_F(KlondikePlayTest, FuzzSeedSnapshotsAreAccepted) {
  const char* source = std::getenv("QS_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  for (const char* name : {"fresh_deal.bin", "mid_game.bin", "filled_in.bin"}) {
    const std::string path = std::string(source) + "/tests/fuzz/seeds/undo/" + name;
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file.good()) << path;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.size(), 2564u) << name;
    EXPECT_TRUE(Read(bytes, KlondikeDeal{EmptyKlondikePosition(kAceRank), Deck()})) << name;
  }
}

}  // namespace
