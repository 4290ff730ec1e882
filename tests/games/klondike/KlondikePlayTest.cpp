// Klondike's rules called directly: the deal, the stock and waste, every building rule and rule
// setting, the points of each move, the hit lists, the no-moves analysis, the snapshot block, and
// a seeded deal played to a win.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/BaseSnapshot.h"
#include "engine/Deck.h"
#include "engine/GameServices.h"
#include "engine/Move.h"
#include "engine/SnapshotBytes.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/games/klondike/KlondikeSolver.h"

namespace {

// A deal the tests' move-finder wins under the default rules, and what the win earns.
constexpr std::uint32_t kWinningSeed = 7;
constexpr int kWinningSeedPoints = 470;
// Its columns as dealt.
const char* const kPinnedSevenColumns =
    "col 0: 70 | col 1: xx K3 | col 2: xx xx Q3 | col 3: xx xx xx 72 | col 4: xx xx xx xx 93 | "
    "col 5: xx xx xx xx xx 23 | col 6: xx xx xx xx xx xx 30";

// "A0" is the Ace of suit 0, "T3" the Ten of suit 3. Suits 0 and 2 share a colour.
Card C(const char* text) {
  const char* ranks = "23456789TJQKA";
  return Card{text[1] - '0', static_cast<int>(std::strchr(ranks, text[0]) - ranks)};
}

std::string CardText(const Card& card) {
  if (!IsRealCard(card)) return "--";
  return std::string(1, "23456789TJQKA"[card.rank]) + std::to_string(card.suit);
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

void SetColumn(KlondikePosition& p, int c, std::initializer_list<const char*> cards, int faceDown) {
  p.tableau[c].fill(kNoCard);
  p.columnCount[c] = 0;
  for (const char* card : cards) p.tableau[c][p.columnCount[c]++] = C(card);
  p.faceDown[c] = faceDown;
}

void SetWaste(KlondikePosition& p, std::initializer_list<const char*> bottomFirst) {
  p.waste.fill(kNoCard);
  p.wasteCount = 0;
  for (const char* card : bottomFirst) p.waste[p.wasteCount++] = C(card);
}

// A deck whose undealt cards are exactly these, the first to be dealt first.
Deck StockOf(std::initializer_list<const char*> topFirst) {
  Deck deck;
  deck.Shuffle();
  while (deck.DealCard() != kNoCard) {
  }
  for (const char* card : topFirst) deck.ReturnCard(C(card));
  return deck;
}

std::vector<Card> Undealt(const Deck& deck) {
  std::vector<Card> cards;
  for (int i = 0; i < deck.Remaining(); ++i) cards.push_back(deck.PeekCard(i));
  return cards;
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

// Whether the card, lying alone on the waste, may go onto the pile.
bool WasteMoveLegal(KlondikePosition p, const KlondikeRules& rules, const char* card, int to) {
  SetWaste(p, {card});
  return KlondikeIsLegal(p, StockOf({}), rules, Cards(kKlondikeWastePile, 0, to));
}

// Every seeded deck in these tests is made with the override set and cleared again.
class KlondikePlayTest : public ::testing::Test {
protected:
  void TearDown() override { ResetGameServices(); }
};

// --- The deal -----------------------------------------------------------------------------------

TEST_F(KlondikePlayTest, DefaultDealLaysOutTwentyEightCardsRowByRow) {
  KlondikeDeal deal = DealKlondike(7, Rules());
  // The same seed, shuffled the same way, gives the order the tableau was dealt from.
  TheGameServices().dealSeed = 7;
  Deck order;
  order.SetCopies(1);
  order.IncludeAll();
  order.Shuffle();
  std::vector<Card> dealt;
  for (int i = 0; i < 28; ++i) dealt.push_back(order.DealCard());

  const KlondikePosition& p = deal.position;
  EXPECT_EQ(p.startRank, kAceRank);
  EXPECT_EQ(deal.stock.Remaining(), 24);
  EXPECT_EQ(Undealt(deal.stock), Undealt(order));
  for (const Card& top : p.foundations) EXPECT_EQ(top, kNoCard);
  EXPECT_EQ(p.wasteCount, 0);
  for (int c = 0; c < kKlondikeColumns; ++c) {
    EXPECT_EQ(p.columnCount[c], c + 1);
    EXPECT_EQ(p.faceDown[c], c);
  }
  // Row 0 gives columns 0..6 the first seven cards; row 1 starts with column 1's face-up card.
  EXPECT_EQ(p.tableau[0][0], dealt[0]);
  EXPECT_EQ(p.tableau[6][0], dealt[6]);
  EXPECT_EQ(p.tableau[1][1], dealt[7]);
  EXPECT_EQ(p.tableau[6][1], dealt[12]);
  EXPECT_EQ(p.tableau[6][6], dealt[27]);
}

TEST_F(KlondikePlayTest, PinnedDealOfSeedSeven) {
  const KlondikeDeal deal = DealKlondike(7, Rules());
  std::string columns;
  for (int c = 0; c < kKlondikeColumns; ++c) {
    if (c > 0) columns += " | ";
    columns += "col " + std::to_string(c) + ": " + ColumnText(deal.position, c);
  }
  EXPECT_EQ(columns, kPinnedSevenColumns);
}

TEST_F(KlondikePlayTest, StartCardFromTheDeckPutsTheFirstCardOnFoundationZero) {
  KlondikeRules rules = Rules();
  rules.startCard = kStartCardNextFromDeck;
  TheGameServices().dealSeed = 11;
  Deck order;
  order.SetCopies(1);
  order.IncludeAll();
  order.Shuffle();
  const Card first = order.PeekCard(0);

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

  // With the first card deciding, its rank fills every foundation and no card is lost or doubled.
  rules.startCard = kStartCardNextFromDeck;
  const KlondikeDeal decided = DealKlondike(3, rules);
  const int rank = decided.position.startRank;
  for (int s = 0; s < kSuitCount; ++s) EXPECT_EQ(decided.position.foundations[s], (Card{s, rank}));
  std::set<int> seen;
  for (const Card& card : Undealt(decided.stock)) seen.insert(card.suit * 13 + card.rank);
  for (int c = 0; c < kKlondikeColumns; ++c)
    for (int i = 0; i < decided.position.columnCount[c]; ++i)
      seen.insert(decided.position.tableau[c][i].suit * 13 + decided.position.tableau[c][i].rank);
  EXPECT_EQ(seen.size(), 48u);
  for (int s = 0; s < kSuitCount; ++s) EXPECT_EQ(seen.count(s * 13 + rank), 0u);
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
                                true, C("90")}));
  EXPECT_EQ(steps[8].faceUp, false);
}

// --- Stock and waste ----------------------------------------------------------------------------

TEST_F(KlondikePlayTest, StockClickTurnsCardsDealtOrWhatIsLeft) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({"20", "30", "40", "50", "60"});
  MoveResult r = KlondikeApplyMove(p, stock, Rules(), kStockClick);
  EXPECT_EQ(p.turned, 3);
  EXPECT_EQ(r.steps, (std::vector<MoveStep>{{StepKind::kStockTurned, kKlondikeStockPile,
                                             kKlondikeWastePile, 0, 3, true, C("20")}}));
  EXPECT_EQ(p.waste[p.wasteCount - 1], C("40"));
  KlondikeApplyMove(p, stock, Rules(), kStockClick);
  EXPECT_EQ(p.turned, 2) << "three a click with two cards left turns two";
  EXPECT_EQ(p.wasteCount, 5);
  EXPECT_EQ(p.waste[4], C("60"));

  KlondikeRules one = Rules();
  one.cardsDealt = 1;
  Deck single = StockOf({"20", "30"});
  KlondikePosition q = EmptyKlondikePosition(kAceRank);
  KlondikeApplyMove(q, single, one, kStockClick);
  EXPECT_EQ(q.wasteCount, 1);
  EXPECT_EQ(q.waste[0], C("20"));
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

TEST_F(KlondikePlayTest, RecycleCostsFiveAndDealsTheFormerTopFirst) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({"20", "30", "40", "50"});
  KlondikeApplyMove(p, stock, Rules(), kStockClick);
  KlondikeApplyMove(p, stock, Rules(), kStockClick);
  ASSERT_EQ(p.wasteCount, 4);  // 50 on top

  const MoveResult r = KlondikeApplyMove(p, stock, Rules(), kStockClick);
  EXPECT_EQ(r.points, -5);
  ASSERT_EQ(r.steps.size(), 1u);
  EXPECT_EQ(r.steps[0].kind, StepKind::kRecycled);
  EXPECT_EQ(r.steps[0].count, 4);
  EXPECT_EQ(p.wasteCount, 0);
  EXPECT_EQ(p.recyclesUsed, 1);
  EXPECT_EQ(p.turned, 0);
  EXPECT_EQ(Undealt(stock), (std::vector<Card>{C("50"), C("40"), C("30"), C("20")}));
  KlondikeApplyMove(p, stock, Rules(), kStockClick);
  EXPECT_EQ(p.waste[0], C("50"));
  EXPECT_EQ(p.waste[2], C("30"));
}

TEST_F(KlondikePlayTest, RecyclesSettingLimitsTurningTheWasteBack) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  const Deck empty = StockOf({});
  KlondikeRules rules = Rules();
  // An empty waste has nothing to turn back: a click must not cost a recycle and 5 points.
  rules.recycles = kRecyclesUnlimited;
  EXPECT_FALSE(KlondikeIsLegal(p, empty, rules, kStockClick));
  SetWaste(p, {"50"});
  rules.recycles = 0;
  EXPECT_FALSE(KlondikeIsLegal(p, empty, rules, kStockClick));
  rules.recycles = 3;
  p.recyclesUsed = 2;
  EXPECT_TRUE(KlondikeIsLegal(p, empty, rules, kStockClick));
  p.recyclesUsed = 3;
  EXPECT_FALSE(KlondikeIsLegal(p, empty, rules, kStockClick));
  Deck copy = empty;
  EXPECT_FALSE(KlondikeApplyMove(p, copy, rules, kStockClick).Happened());
  EXPECT_EQ(p.wasteCount, 1) << "an illegal move changes nothing";
  rules.recycles = kRecyclesUnlimited;
  p.recyclesUsed = 100000;
  EXPECT_TRUE(KlondikeIsLegal(p, empty, rules, kStockClick));
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
  rules.cardsDealt = -2;
  rules.recycles = -1;
  rules.startCard = kStartCardNextFromDeck;
  EXPECT_EQ(KlondikePlayableRules(rules).cardsDealt, 1);
  EXPECT_EQ(KlondikePlayableRules(rules).recycles, 0);
  EXPECT_EQ(KlondikePlayableRules(rules).startCard, kStartCardNextFromDeck);
  rules.recycles = kRecyclesUnlimited + 1;
  EXPECT_EQ(KlondikePlayableRules(rules).recycles, kRecyclesUnlimited);
  // A click never turns more than three, whatever the file said.
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({"20", "30", "40", "50", "60"});
  KlondikeApplyMove(p, stock, playable, kStockClick);
  EXPECT_EQ(p.wasteCount, 3);
}

// --- Turning up
// -----------------------------------------------------------------------------------

TEST_F(KlondikePlayTest, OnlyAnAllFaceDownColumnTurnsUpItsTopCard) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({});
  SetColumn(p, 0, {"20", "30"}, 2);
  SetColumn(p, 1, {"40", "51"}, 1);
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

TEST_F(KlondikePlayTest, EmptyColumnTakesOnlyTheRankBelowTheStartWithTableauStart) {
  KlondikeRules rules = Rules();
  EXPECT_TRUE(KlondikeEmptyColumnAccepts(C("K0"), kAceRank, rules));
  EXPECT_FALSE(KlondikeEmptyColumnAccepts(C("Q1"), kAceRank, rules));
  EXPECT_FALSE(KlondikeEmptyColumnAccepts(C("A1"), kAceRank, rules));
  const int seven = 5;
  EXPECT_TRUE(KlondikeEmptyColumnAccepts(C("61"), seven, rules));
  EXPECT_FALSE(KlondikeEmptyColumnAccepts(C("K1"), seven, rules));
  rules.tableauStart = false;
  EXPECT_TRUE(KlondikeEmptyColumnAccepts(C("Q1"), kAceRank, rules));
  EXPECT_TRUE(KlondikeEmptyColumnAccepts(C("A1"), kAceRank, rules));
  EXPECT_FALSE(KlondikeEmptyColumnAccepts(kNoCard, kAceRank, rules));

  // The same as a move onto the empty column.
  KlondikePosition p = EmptyKlondikePosition(seven);
  EXPECT_TRUE(WasteMoveLegal(p, Rules(), "63", KlondikeColumnPile(4)));
  EXPECT_FALSE(WasteMoveLegal(p, Rules(), "K3", KlondikeColumnPile(4)));
  EXPECT_TRUE(WasteMoveLegal(p, rules, "K3", KlondikeColumnPile(4)));
}

TEST_F(KlondikePlayTest, ColumnsBuildDownInAlternatingColoursAndWrapPastTheAce) {
  EXPECT_TRUE(KlondikeColumnAccepts(C("81"), C("90"), kAceRank));
  EXPECT_FALSE(KlondikeColumnAccepts(C("82"), C("90"), kAceRank));  // same colour
  EXPECT_FALSE(KlondikeColumnAccepts(C("71"), C("90"), kAceRank));
  // A King goes on an Ace of the other colour; the start rank goes on nothing.
  EXPECT_TRUE(KlondikeColumnAccepts(C("K0"), C("A1"), kAceRank));
  EXPECT_FALSE(KlondikeColumnAccepts(C("K0"), C("A2"), kAceRank));
  EXPECT_FALSE(KlondikeColumnAccepts(C("A0"), C("21"), kAceRank));
  const int seven = 5;
  EXPECT_FALSE(KlondikeColumnAccepts(C("70"), C("81"), seven));
  EXPECT_TRUE(KlondikeColumnAccepts(C("A0"), C("21"), seven));
  EXPECT_FALSE(KlondikeColumnAccepts(C("81"), kNoCard, kAceRank));
}

TEST_F(KlondikePlayTest, FoundationsBuildUpInSuitFromTheStartRank) {
  KlondikePosition p = EmptyKlondikePosition(5);  // Sevens start
  EXPECT_TRUE(WasteMoveLegal(p, Rules(), "72", KlondikeFoundationPile(1)));
  EXPECT_FALSE(WasteMoveLegal(p, Rules(), "A2", KlondikeFoundationPile(1)));
  p.foundations[1] = C("K2");
  EXPECT_TRUE(WasteMoveLegal(p, Rules(), "A2", KlondikeFoundationPile(1)));
  EXPECT_FALSE(WasteMoveLegal(p, Rules(), "A0", KlondikeFoundationPile(1)));
  p.foundations[1] = C("62");  // a full suit takes nothing more, not even its start card
  EXPECT_FALSE(WasteMoveLegal(p, Rules(), "70", KlondikeFoundationPile(1)));
  // Only single cards go up.
  p.foundations[2] = C("50");
  SetColumn(p, 0, {"60", "51"}, 0);
  const Deck stock = StockOf({});
  EXPECT_FALSE(KlondikeIsLegal(p, stock, Rules(),
                               Cards(KlondikeColumnPile(0), 0, KlondikeFoundationPile(2))));
  SetColumn(p, 0, {"51", "60"}, 0);
  EXPECT_TRUE(KlondikeIsLegal(p, stock, Rules(),
                              Cards(KlondikeColumnPile(0), 1, KlondikeFoundationPile(2))));
}

TEST_F(KlondikePlayTest, WhatMayBeLiftedAndWhereItMayGo) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  const Deck stock = StockOf({});
  SetColumn(p, 0, {"91", "90"}, 2);
  SetColumn(p, 1, {"30", "91"}, 1);
  SetColumn(p, 2, {"20", "K1", "Q0", "J1"}, 1);
  const int c2 = KlondikeColumnPile(2);
  // Nothing builds on a face-down top; a face-down card is never lifted.
  EXPECT_FALSE(WasteMoveLegal(p, Rules(), "81", KlondikeColumnPile(0)));
  EXPECT_TRUE(WasteMoveLegal(p, Rules(), "80", KlondikeColumnPile(1)));
  EXPECT_FALSE(KlondikeIsLegal(p, stock, Rules(), Cards(c2, 0, KlondikeColumnPile(5))));
  // Without MovePartial the top card alone or the whole run; a run onto its own column never.
  KlondikeRules any = Rules();
  any.tableauStart = false;
  EXPECT_TRUE(KlondikeIsLegal(p, stock, any, Cards(c2, 1, KlondikeColumnPile(5))));
  EXPECT_TRUE(KlondikeIsLegal(p, stock, any, Cards(c2, 3, KlondikeColumnPile(5))));
  EXPECT_FALSE(KlondikeIsLegal(p, stock, any, Cards(c2, 2, KlondikeColumnPile(5))));
  EXPECT_FALSE(KlondikeIsLegal(p, stock, any, Cards(c2, 1, c2)));
  any.movePartial = true;
  EXPECT_TRUE(KlondikeIsLegal(p, stock, any, Cards(c2, 2, KlondikeColumnPile(5))));
  // Only the waste's top card, and nothing goes onto the stock or the waste.
  SetWaste(p, {"K0", "80"});
  EXPECT_FALSE(KlondikeIsLegal(p, stock, any, Cards(kKlondikeWastePile, 0, KlondikeColumnPile(5))));
  EXPECT_FALSE(KlondikeIsLegal(p, stock, any, Cards(c2, 3, kKlondikeWastePile)));
  EXPECT_FALSE(KlondikeIsLegal(p, stock, any, Cards(c2, 3, kKlondikeStockPile)));
}

// No dealt position holds a run this long, but a hand-built one must not overrun the hand.
TEST_F(KlondikePlayTest, NoMoveCarriesMoreThanAHandHolds) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  KlondikeRules any = Rules();
  any.tableauStart = false;
  any.movePartial = true;
  SetColumn(
      p, 0,
      {"20", "30", "40", "50", "60", "70", "80", "90", "T0", "J0", "Q0", "K0", "21", "31", "41"},
      0);
  const Deck stock = StockOf({});
  EXPECT_FALSE(
      KlondikeIsLegal(p, stock, any, Cards(KlondikeColumnPile(0), 0, KlondikeColumnPile(1))));
  EXPECT_TRUE(
      KlondikeIsLegal(p, stock, any, Cards(KlondikeColumnPile(0), 2, KlondikeColumnPile(1))));
}

TEST_F(KlondikePlayTest, EachMoveEarnsItsPoints) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  Deck stock = StockOf({});
  p.foundations[0] = C("A0");
  SetWaste(p, {"K1", "20"});
  p.turned = 2;
  SetColumn(p, 0, {"30", "42", "31"}, 1);
  SetColumn(p, 1, {"40", "51"}, 1);
  SetColumn(p, 2, {"A2"}, 0);

  // Waste to foundation: 10.
  MoveResult r =
      KlondikeApplyMove(p, stock, Rules(), Cards(kKlondikeWastePile, 1, KlondikeFoundationPile(0)));
  EXPECT_EQ(r.points, 10);
  EXPECT_EQ(p.foundations[0], C("20"));
  EXPECT_EQ(p.turned, 1) << "the fan shows one card fewer";

  // Waste to column: 5 a card.
  r = KlondikeApplyMove(p, stock, Rules(), Cards(kKlondikeWastePile, 0, KlondikeColumnPile(2)));
  EXPECT_EQ(r.points, 5);
  EXPECT_EQ(ColumnText(p, 2), "A2 K1");
  EXPECT_EQ(r.steps[0], (MoveStep{StepKind::kMoved, kKlondikeWastePile, KlondikeColumnPile(2), 1, 1,
                                  true, C("K1")}));

  // Column to column: nothing, however many cards.
  r = KlondikeApplyMove(p, stock, Rules(), Cards(KlondikeColumnPile(0), 1, KlondikeColumnPile(1)));
  EXPECT_EQ(r.points, 0);
  EXPECT_EQ(r.steps[0].count, 2);
  EXPECT_EQ(ColumnText(p, 1), "xx 51 42 31");
  EXPECT_EQ(ColumnText(p, 0), "xx");

  // Column to foundation: 5.
  p.foundations[1] = C("21");
  r = KlondikeApplyMove(p, stock, Rules(),
                        Cards(KlondikeColumnPile(1), 3, KlondikeFoundationPile(1)));
  EXPECT_EQ(r.points, 5);
}

// --- Hit lists ----------------------------------------------------------------------------------

TEST_F(KlondikePlayTest, ClickOnALowerCardFindsTheWholeRunWithoutMovePartial) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  SetColumn(p, 0, {"20", "30", "K1", "Q0", "J1"}, 2);
  DragSourceList sources;
  DropTargetList targets;
  KlondikeBuildHitLists(p, Rules(), sources, targets);
  ASSERT_EQ(sources.Size(), 2);

  // The strip of the Queen, 15 pixels below the King: the whole run from the King.
  const ScreenPoint queen = KlondikeCardPlace(0, 3);
  const DragSource* hit = sources.HitTest(queen.x + 5, queen.y + 5);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->count, 3);
  EXPECT_EQ(hit->cards[0], C("K1"));
  EXPECT_EQ(hit->cards[3], kNoCard);
  EXPECT_EQ(hit->pile, KlondikeColumnPile(0));
  EXPECT_EQ(hit->index, 2);
  // The top card alone.
  const ScreenPoint jack = KlondikeCardPlace(0, 4);
  hit = sources.HitTest(jack.x + 5, jack.y + 20);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->count, 1);
  EXPECT_EQ(hit->cards[0], C("J1"));
  // The face-down cards above the run hold nothing to pick up.
  const ScreenPoint down = KlondikeCardPlace(0, 0);
  EXPECT_EQ(sources.HitTest(down.x + 5, down.y + 5), nullptr);
}

TEST_F(KlondikePlayTest, WasteTopLiesWhereTheWasteIsDrawn) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  SetWaste(p, {"20", "30", "40", "50", "60", "70", "80", "90", "T0", "J0", "Q0", "K0"});
  p.turned = 3;
  DragSourceList sources;
  DropTargetList targets;
  // A fanned waste: the last of the turned cards, two fan steps to the right.
  KlondikeBuildHitLists(p, Rules(), sources, targets);
  ASSERT_GE(sources.Size(), 1);
  EXPECT_EQ(sources.At(0).x, kKlondikeWasteX + 20);
  EXPECT_EQ(sources.At(0).y, kKlondikeWasteY);
  EXPECT_EQ(sources.At(0).cards[0], C("K0"));
  p.turned = 0;
  KlondikeBuildHitLists(p, Rules(), sources, targets);
  EXPECT_EQ(sources.At(0).x, kKlondikeWasteX);
  // One card a click: a squared pile, whose top layer lies one step up and two left for every
  // ten cards, where the card drawing puts it: the card lifts from where it is seen.
  KlondikeRules one = Rules();
  one.cardsDealt = 1;
  KlondikeBuildHitLists(p, one, sources, targets);
  EXPECT_EQ(sources.At(0).x, kKlondikeWasteX - 2);
  EXPECT_EQ(sources.At(0).y, kKlondikeWasteY - 1);
  SetWaste(p, {"20", "30", "40", "50", "60", "70", "80", "90", "T0"});
  KlondikeBuildHitLists(p, one, sources, targets);
  EXPECT_EQ(sources.At(0).x, kKlondikeWasteX) << "nine cards draw no extra layer";
}

TEST_F(KlondikePlayTest, DropTargetsAreFoundationsThenColumnsThatCanTakeACard) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  SetColumn(p, 0, {"20", "30"}, 1);
  SetColumn(p, 1, {"40", "50"}, 2);  // all face down: no target
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

// No stock, no face-down card: column 0 holds the Nine of suit 0 and nothing can reach a
// foundation unless a test adds it.
class KlondikeNoMovesTest : public KlondikePlayTest {
protected:
  KlondikeNoMovesTest() : p(EmptyKlondikePosition(kAceRank)), stock(StockOf({})) {
    SetColumn(p, 0, {"90"}, 0);
  }
  bool NoMoves(const KlondikeRules& rules) const { return KlondikeNoMovesLeft(p, stock, rules); }

  KlondikePosition p;
  Deck stock;
};

TEST_F(KlondikeNoMovesTest, FreshDealAndTurnableCardsAreMoves) {
  const KlondikeDeal deal = DealKlondike(7, Rules());
  EXPECT_FALSE(KlondikeNoMovesLeft(deal.position, deal.stock, Rules()));
  EXPECT_TRUE(NoMoves(Rules()));
  SetColumn(p, 4, {"20"}, 1);
  EXPECT_FALSE(NoMoves(Rules()));
}

TEST_F(KlondikeNoMovesTest, RecycledWasteIsSearchedInTheOrderItIsDealtAgain) {
  KlondikeRules rules = Rules();
  rules.recycles = 1;
  // The recycle returns the waste top first, so three a click deal 70 60 81, then 50 40 30: the
  // Eight that fits on the Nine shows after the first click.
  SetWaste(p, {"30", "40", "50", "81", "60", "70"});
  EXPECT_FALSE(NoMoves(rules));
  // Here the clicks show 50, then 30; only a bottom-first reading would show the Eight.
  SetWaste(p, {"30", "40", "81", "50", "60", "70"});
  EXPECT_TRUE(NoMoves(rules));
  // A second recycle deals the bottom card first again, and that pass shows it.
  rules.recycles = 2;
  EXPECT_FALSE(NoMoves(rules));
  // With no recycle left only the waste top counts.
  rules.recycles = 1;
  p.recyclesUsed = 1;
  SetWaste(p, {"30", "40", "50", "81", "60", "70"});
  EXPECT_TRUE(NoMoves(rules));
  SetWaste(p, {"30", "40", "50", "60", "70", "81"});
  EXPECT_FALSE(NoMoves(rules));
}

TEST_F(KlondikeNoMovesTest, StockLeftAfterARecycleGoesBackOnTopOfTheWaste) {
  KlondikeRules rules = Rules();
  rules.recycles = 2;
  p.recyclesUsed = 1;
  // The stock deals 20 30 and 30 shows; then the waste, with 20 30 now on it, goes back top
  // first: 30 20 70, 60 50 81, and 70 and the old bottom card show.
  stock = StockOf({"20", "30"});
  SetWaste(p, {"81", "50", "60", "70"});
  EXPECT_FALSE(NoMoves(rules));
  // 30 20 70, 81 50 40: only a bottom-first reading would show the Eight.
  SetWaste(p, {"40", "50", "81", "70"});
  EXPECT_TRUE(NoMoves(rules));
  // Every card of a one-a-click stock shows.
  rules.cardsDealt = 1;
  EXPECT_FALSE(NoMoves(rules));
}

TEST_F(KlondikeNoMovesTest, UntouchedStockCountsAsAMoveUntilTheFirstRecycle) {
  stock = StockOf({"20"});
  EXPECT_FALSE(NoMoves(Rules()));
  p.recyclesUsed = 1;
  EXPECT_TRUE(NoMoves(Rules()));
  stock = StockOf({"20", "30", "81"});  // the last card of the stock shows
  EXPECT_FALSE(NoMoves(Rules()));
}

TEST_F(KlondikeNoMovesTest, EmptyingAColumnCountsOnlyWhenSomethingCanFillIt) {
  // Every column holds a card, and the only move, 81 onto 90, would empty column 1.
  SetColumn(p, 1, {"81"}, 0);
  SetColumn(p, 2, {"20"}, 0);
  SetColumn(p, 3, {"30"}, 0);
  SetColumn(p, 4, {"40"}, 0);
  SetColumn(p, 5, {"50"}, 0);
  SetColumn(p, 6, {"60"}, 0);
  EXPECT_TRUE(NoMoves(Rules()));
  // Without TableauStart any card may fill the gap.
  KlondikeRules any = Rules();
  any.tableauStart = false;
  EXPECT_FALSE(NoMoves(any));
  // A King waiting on the waste could fill it.
  SetWaste(p, {"K0"});
  p.recyclesUsed = 1;
  EXPECT_FALSE(NoMoves(Rules()));
  SetWaste(p, {});
  // So could a King heading a run that lies on face-down cards.
  SetColumn(p, 2, {"20", "K1"}, 1);
  EXPECT_FALSE(NoMoves(Rules()));
  // A King with nothing under it gains nothing by moving.
  SetColumn(p, 2, {"K1"}, 0);
  EXPECT_TRUE(NoMoves(Rules()));
}

TEST_F(KlondikeNoMovesTest, RunOverFaceDownCardsMovingAcrossIsAMove) {
  SetColumn(p, 1, {"20", "81"}, 1);
  EXPECT_FALSE(NoMoves(Rules()));
  // Onto an empty column only the rank below the start may go.
  SetColumn(p, 0, {}, 0);
  EXPECT_TRUE(NoMoves(Rules()));
  SetColumn(p, 1, {"20", "K1"}, 1);
  EXPECT_FALSE(NoMoves(Rules()));
}

TEST_F(KlondikeNoMovesTest, CardsThatCanGoUpAreMoves) {
  SetWaste(p, {"A3"});
  p.recyclesUsed = 1;
  EXPECT_FALSE(NoMoves(Rules()));
  SetWaste(p, {"33"});
  EXPECT_TRUE(NoMoves(Rules()));
  p.foundations[2] = C("23");
  EXPECT_FALSE(NoMoves(Rules()));
  SetWaste(p, {});
  p.foundations[2] = C("80");  // the column's top card goes up
  EXPECT_FALSE(NoMoves(Rules()));
}

// The top card goes onto a Five elsewhere and uncovers a Five that goes home: a move is left,
// with MovePartial or without (the top card alone may always be lifted).
TEST_F(KlondikeNoMovesTest, ACardThatAMoveUncoversAndThatGoesHomeIsAMove) {
  SetColumn(p, 0, {"61", "50", "41"}, 0);
  SetColumn(p, 1, {"52"}, 0);
  p.foundations[0] = C("40");
  EXPECT_FALSE(NoMoves(Rules()));
  KlondikeRules partial = Rules();
  partial.movePartial = true;
  EXPECT_FALSE(NoMoves(partial));
  // A run shifted sideways that uncovers nothing useful is no move.
  p.foundations[0] = C("20");
  EXPECT_TRUE(NoMoves(Rules()));
  EXPECT_TRUE(NoMoves(partial));
}

// --- End of the game
// ------------------------------------------------------------------------------

TEST_F(KlondikePlayTest, ClearedMeansStockWasteAndColumnsEmpty) {
  KlondikePosition p = EmptyKlondikePosition(kAceRank);
  const Deck empty = StockOf({});
  EXPECT_TRUE(KlondikeCleared(p, empty));
  EXPECT_FALSE(KlondikeCleared(p, StockOf({"20"})));
  SetWaste(p, {"20"});
  EXPECT_FALSE(KlondikeCleared(p, empty));
  SetWaste(p, {});
  SetColumn(p, 6, {"K0"}, 0);
  EXPECT_FALSE(KlondikeCleared(p, empty));
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

KlondikeRules With(void (*change)(KlondikeRules&)) {
  KlondikeRules rules = Rules();
  change(rules);
  return rules;
}

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

std::vector<std::uint8_t> Snapshot(const KlondikeDeal& deal, int points, int elapsed) {
  SnapshotWriter out;
  WriteBaseState(out, deal.stock, {}, {});
  WriteKlondikeBlock(out, deal.position, points, elapsed);
  return out.Bytes();
}

// Reads a whole snapshot as Undo does: the base state into a copy of the game's deck, then the
// Klondike block against the deck that was read.
std::optional<KlondikeSnapshot> Read(const std::vector<std::uint8_t>& bytes,
                                     const KlondikeDeal& game) {
  SnapshotReader in(bytes);
  BaseState base(game.stock);
  if (!ReadBaseState(in, base)) return std::nullopt;
  return ReadKlondikeBlock(in, game.position, base.deck);
}

// Byte offsets inside a snapshot: the base state, then the block's fields.
constexpr std::size_t kBlock = kDeckImageSize + 8;
constexpr std::size_t kWaste = kBlock + 32 + 104;
constexpr std::size_t kWasteCount = kWaste + 280;
constexpr std::size_t kTableau = kWasteCount + 4;
constexpr std::size_t kColumnCounts = kTableau + 1120;
constexpr std::size_t kFaceDown = kColumnCounts + 28;
constexpr std::size_t kElapsed = kFaceDown + 28 + 4;

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

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

void ExpectSamePosition(const KlondikePosition& a, const KlondikePosition& b) {
  EXPECT_EQ(a.foundations, b.foundations);
  EXPECT_EQ(a.wasteCount, b.wasteCount);
  EXPECT_EQ(a.waste, b.waste);
  EXPECT_EQ(a.tableau, b.tableau);
  EXPECT_EQ(a.columnCount, b.columnCount);
  EXPECT_EQ(a.faceDown, b.faceDown);
  EXPECT_EQ(a.startRank, b.startRank);
  EXPECT_EQ(a.recyclesUsed, b.recyclesUsed);
}

TEST_F(KlondikePlayTest, SnapshotRoundTripIs2564Bytes) {
  const KlondikeDeal before = MidGame();
  ASSERT_GT(before.position.wasteCount, 0);
  ASSERT_NE(before.position.foundations, EmptyKlondikePosition(kAceRank).foundations);
  const std::vector<std::uint8_t> bytes = Snapshot(before, 123, 456);
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
  const std::optional<KlondikeSnapshot> read = Read(bytes, later);
  ASSERT_TRUE(read.has_value());
  KlondikePosition expected = before.position;
  expected.recyclesUsed = 2;
  ExpectSamePosition(read->position, expected);
  EXPECT_EQ(read->points, 123);
  EXPECT_EQ(read->elapsedSeconds, 456);
  EXPECT_LE(read->position.turned, read->position.wasteCount);
}

TEST_F(KlondikePlayTest, SnapshotBlankSlotsPastTheCountsAreNormalised) {
  const KlondikeDeal game = MidGame();
  std::vector<std::uint8_t> bytes = Snapshot(game, 0, 0);
  // Stray values past the waste count and past column 0's count are not cards of the deal.
  Put(bytes, kWaste + 8 * 34, 77);
  Put(bytes, kTableau + 8 * 19 + 4, -9);
  const std::optional<KlondikeSnapshot> read = Read(bytes, game);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->position.waste[34], kNoCard);
  EXPECT_EQ(read->position.tableau[0][19], kNoCard);
}

TEST_F(KlondikePlayTest, SnapshotReaderRefusesDamage) {
  const KlondikeDeal game = MidGame();
  const std::vector<std::uint8_t> good = Snapshot(game, 10, 20);
  ASSERT_TRUE(Read(good, game).has_value());
  const int column = game.position.columnCount[6] > 0 ? 6 : 0;
  ASSERT_GT(game.position.columnCount[column], 0);
  const std::size_t topOfColumn =
      kTableau + 160 * column + 8 * (game.position.columnCount[column] - 1);
  Card elsewhere = game.position.waste[0];
  ASSERT_TRUE(IsRealCard(elsewhere));

  struct Damage {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> apply;
  };
  const std::vector<Damage> damages = {
      {"truncated", [](auto& b) { b.pop_back(); }},
      {"longer than a snapshot", [](auto& b) { b.push_back(0); }},
      {"no block at all", [](auto& b) { b.resize(kBlock); }},
      {"waste count 36", [](auto& b) { Put(b, kWasteCount, 36); }},
      {"waste count -1", [](auto& b) { Put(b, kWasteCount, -1); }},
      {"column count 21", [](auto& b) { Put(b, kColumnCounts + 8, 21); }},
      {"face-down above the count", [=](auto& b) { Put(b, kFaceDown + 4 * column, 30); }},
      {"face-down negative", [](auto& b) { Put(b, kFaceDown, -1); }},
      {"suit 4", [=](auto& b) { Put(b, topOfColumn, 4); }},
      {"rank 13", [=](auto& b) { Put(b, topOfColumn + 4, 13); }},
      {"a card missing",
       [=](auto& b) { Put(b, kColumnCounts + 4 * column, game.position.columnCount[column] - 1); }},
      {"a card twice",
       [=](auto& b) {
         Put(b, topOfColumn, elsewhere.suit);
         Put(b, topOfColumn + 4, elsewhere.rank);
       }},
      {"a foundation claiming cards the columns hold",
       [=](auto& b) {
         const Card top = game.position.tableau[column][game.position.columnCount[column] - 1];
         Put(b, kBlock, top.suit);
         Put(b, kBlock + 4, (top.rank + 1) % 13);
       }},
      {"negative elapsed time", [](auto& b) { Put(b, kElapsed, -1); }},
  };
  for (const Damage& damage : damages) {
    std::vector<std::uint8_t> bytes = good;
    damage.apply(bytes);
    EXPECT_FALSE(Read(bytes, game).has_value()) << damage.what;
  }
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
    SnapshotReader in(bytes);
    Deck fresh;
    BaseState base(fresh);
    ASSERT_TRUE(ReadBaseState(in, base)) << name;
    KlondikePosition current = EmptyKlondikePosition(kAceRank);
    EXPECT_TRUE(ReadKlondikeBlock(in, current, base.deck).has_value()) << name;
  }
}

}  // namespace
