// Gate's rules called directly: the deal under each setting, what every rule setting allows, the
// building rules with their wrap, the blank piles, the points, the score factor, the hit lists,
// the no-moves analysis and the snapshot block. The pinned seed is won through the mouse in
// GateScenarioTest.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <optional>
#include <vector>

#include "engine/Deck.h"
#include "engine/Move.h"
#include "games/gate/GatePlay.h"
#include "tests/fuzz/SnapshotDamage.h"
#include "tests/games/gate/GateSolver.h"

namespace {

// "A0" is the Ace of suit 0, "T3" the Ten of suit 3. Suits 0 and 2 share a colour.
Card C(const char* text) {
  const char* ranks = "23456789TJQKA";
  return Card{text[1] - '0', static_cast<int>(std::strchr(ranks, text[0]) - ranks)};
}

void SetPile(GatePosition& p, int t, std::initializer_list<const char*> bottomFirst) {
  p.tableau[t].fill(kNoCard);
  p.tableauCount[t] = 0;
  for (const char* card : bottomFirst) p.tableau[t][p.tableauCount[t]++] = C(card);
}

void SetPost(GatePosition& p, int post, std::initializer_list<const char*> firstDealtFirst) {
  p.posts[post].fill(kNoCard);
  p.postCount[post] = 0;
  for (const char* card : firstDealtFirst) p.posts[post][p.postCount[post]++] = C(card);
}

void SetWaste(GatePosition& p, std::initializer_list<const char*> bottomFirst) {
  p.waste.fill(kNoCard);
  p.wasteCount = 0;
  for (const char* card : bottomFirst) p.waste[p.wasteCount++] = C(card);
}

Deck EmptyStock() {
  Deck deck;
  deck.Shuffle();
  while (deck.DealCard() != kNoCard) {
  }
  return deck;
}

constexpr Move kStockClick{MoveKind::kStock, kGateStockPile, 0, -1};

Move Cards(int from, int index, int to) {
  return {MoveKind::kCards, from, index, to};
}

int TableauCards(const GatePosition& p) {
  int cards = 0;
  for (int count : p.tableauCount) cards += count;
  return cards;
}

bool Legal(const GatePosition& p, const GateRules& rules, const Move& move) {
  return GateIsLegal(p, EmptyStock(), rules, move);
}

}  // namespace

// --- The deal -----------------------------------------------------------------------------------

TEST(GatePlay, TheDealLeavesTheStockAsEachSettingSays) {
  struct Case {
    bool filledIn;
    int startCard;
    int stockLeft;
  };
  for (const Case& c :
       {Case{false, kStartCardNextFromDeck, 33}, Case{true, kStartCardNextFromDeck, 30},
        Case{false, 5, 34}, Case{true, 5, 30}}) {
    SCOPED_TRACE(testing::Message() << c.filledIn << " " << c.startCard);
    GateRules rules = kGateDefaultRules;
    rules.filledIn = c.filledIn;
    rules.startCard = c.startCard;
    Deck stock;
    GatePosition p = GatePrepareDeal(stock, rules, 9);
    // The first card of the shuffle, as the deal found it.
    Deck order;
    SeedRandom(9);
    order.SetCopies(1);
    order.IncludeAll();
    order.Shuffle();
    const Card first = order.PeekCard(0);
    const int rank = c.startCard >= 0 ? c.startCard : first.rank;
    EXPECT_EQ(p.startRank, rank);
    if (c.filledIn) {
      for (int s = 0; s < kSuitCount; ++s) EXPECT_EQ(p.foundations[s], (Card{s, rank}));
    } else if (c.startCard < 0) {
      EXPECT_EQ(p.foundations[0], first) << "on foundation 0 before the posts are dealt";
    } else {
      for (const Card& top : p.foundations) EXPECT_EQ(top, kNoCard);
    }

    const Card next = stock.PeekCard(0);
    const std::vector<MoveStep> steps = GateDealTable(p, stock);
    EXPECT_EQ(stock.Remaining(), c.stockLeft);
    ASSERT_EQ(steps.size(), 18u);
    // In turn to the left post and the right post, five times, then the tableau from pile 0.
    EXPECT_EQ(steps[0].to, GatePostPile(0));
    EXPECT_EQ(steps[0].card, next);
    EXPECT_EQ(steps[1].to, GatePostPile(1));
    EXPECT_EQ(steps[9].to, GatePostPile(1));
    EXPECT_EQ(steps[9].index, 4);
    EXPECT_EQ(steps[10].to, GateTableauPile(0));
    EXPECT_EQ(steps[17].to, GateTableauPile(7));
    EXPECT_EQ(p.posts[0][0], next);
    EXPECT_EQ(p.postCount[0] + p.postCount[1], 10);
    EXPECT_EQ(TableauCards(p), 8);
  }
}

TEST(GatePlay, EditedValuesPlayAsTheDialogOffersThem) {
  GateRules rules = kGateDefaultRules;
  rules.recycles = 7;
  rules.startCard = 13;
  EXPECT_EQ(GatePlayableRules(rules).recycles, 4);
  EXPECT_EQ(GatePlayableRules(rules).startCard, kStartCardNextFromDeck);
  rules.recycles = -2;
  rules.startCard = 0;
  EXPECT_EQ(GatePlayableRules(rules).recycles, 0);
  EXPECT_EQ(GatePlayableRules(rules).startCard, 0);
}

// --- What each setting allows -----------------------------------------------------------------

TEST(GatePlay, RecyclesDecideHowOftenTheEmptyStockRefills) {
  for (int recycles : {0, 1, kRecyclesUnlimited}) {
    SCOPED_TRACE(recycles);
    GateRules rules = kGateDefaultRules;
    rules.recycles = recycles;
    GatePosition p = EmptyGatePosition(kAceRank);
    SetWaste(p, {"30", "41"});
    Deck stock = EmptyStock();
    int refills = 0;
    Card top = p.waste[1];
    while (refills < 10 && GateApplyMove(p, stock, rules, kStockClick).Happened()) {
      ++refills;
      ASSERT_EQ(stock.Remaining(), 2);
      EXPECT_EQ(stock.PeekCard(0), top) << "the waste's top card is turned first again";
      EXPECT_EQ(p.recyclesUsed, refills);
      ASSERT_TRUE(GateApplyMove(p, stock, rules, kStockClick).Happened());
      ASSERT_TRUE(GateApplyMove(p, stock, rules, kStockClick).Happened());
      EXPECT_EQ(p.waste[0], top);
      top = p.waste[1];
    }
    EXPECT_EQ(refills, recycles == kRecyclesUnlimited ? 10 : recycles);
  }
  // Nothing to turn back: the click does nothing rather than use up a recycle.
  GateRules rules = kGateDefaultRules;
  rules.recycles = 3;
  EXPECT_FALSE(Legal(EmptyGatePosition(kAceRank), rules, kStockClick));
}

TEST(GatePlay, BlankPilesTakePostCardsAndOthersOnlyWithFillFromWaste) {
  GatePosition p = EmptyGatePosition(kAceRank);
  SetWaste(p, {"70"});
  SetPost(p, 0, {"91"});
  SetPile(p, 0, {"K0", "Q1"});
  const int blank = GateTableauPile(1);
  for (bool fillFromWaste : {false, true}) {
    SCOPED_TRACE(fillFromWaste);
    GateRules rules = kGateDefaultRules;
    rules.fillFromWaste = fillFromWaste;
    EXPECT_TRUE(Legal(p, rules, Cards(GatePostPile(0), 0, blank)));
    EXPECT_EQ(Legal(p, rules, Cards(kGateWastePile, 0, blank)), fillFromWaste);
    EXPECT_EQ(Legal(p, rules, Cards(GateTableauPile(0), 0, blank)), fillFromWaste);
    EXPECT_EQ(Legal(p, rules, Cards(GateTableauPile(0), 1, blank)), fillFromWaste);
  }
  // Both posts spent: without FillFromWaste nothing can ever land on the blank pile again.
  SetPost(p, 0, {});
  MoveList moves;
  GateLegalMoves(p, EmptyStock(), kGateDefaultRules, moves);
  for (const Move& move : moves) EXPECT_NE(move.to, blank);
}

TEST(GatePlay, MovePartialLetsARunBeLiftedFromAnyCard) {
  GatePosition p = EmptyGatePosition(kAceRank);
  SetPile(p, 0, {"K0", "Q1", "J0"});
  SetPile(p, 1, {"K2"});
  SetPile(p, 2, {"K1", "Q3"});
  for (bool movePartial : {false, true}) {
    SCOPED_TRACE(movePartial);
    GateRules rules = kGateDefaultRules;
    rules.movePartial = movePartial;
    EXPECT_EQ(Legal(p, rules, Cards(GateTableauPile(0), 1, GateTableauPile(1))), movePartial);
    EXPECT_TRUE(Legal(p, rules, Cards(GateTableauPile(0), 2, GateTableauPile(2))));
    // The whole pile may always be lifted, but a King goes on nothing here.
    EXPECT_FALSE(Legal(p, rules, Cards(GateTableauPile(0), 0, GateTableauPile(2))));
  }
}

TEST(GatePlay, TheStartRankBeginsFoundationsAndIsNeverBuiltOnThePiles) {
  // Start rank Ace: a King goes on an Ace of the other colour (the wrap), an Ace on nothing.
  GatePosition p = EmptyGatePosition(kAceRank);
  SetPile(p, 0, {"A0"});
  SetPile(p, 1, {"21"});
  SetWaste(p, {"K1"});
  SetPost(p, 0, {"A3"});
  EXPECT_TRUE(Legal(p, kGateDefaultRules, Cards(kGateWastePile, 0, GateTableauPile(0))));
  EXPECT_FALSE(Legal(p, kGateDefaultRules, Cards(GatePostPile(0), 0, GateTableauPile(1))));
  // An empty foundation takes the start rank of any suit, and nothing else.
  EXPECT_TRUE(Legal(p, kGateDefaultRules, Cards(GatePostPile(0), 0, GateFoundationPile(2))));
  EXPECT_TRUE(Legal(p, kGateDefaultRules, Cards(GateTableauPile(0), 0, GateFoundationPile(0))));
  EXPECT_FALSE(Legal(p, kGateDefaultRules, Cards(kGateWastePile, 0, GateFoundationPile(0))));

  // Start rank Five: Fives only begin foundations, and a foundation runs on past the King.
  GateRules rules = kGateDefaultRules;
  rules.startCard = 3;
  GatePosition five = EmptyGatePosition(3);
  five.foundations[0] = C("K2");
  SetPile(five, 0, {"61"});
  SetPile(five, 1, {"50", "A2"});
  SetWaste(five, {"52"});
  EXPECT_FALSE(Legal(five, rules, Cards(kGateWastePile, 0, GateTableauPile(0))));
  EXPECT_TRUE(Legal(five, rules, Cards(kGateWastePile, 0, GateFoundationPile(1))));
  EXPECT_TRUE(Legal(five, rules, Cards(GateTableauPile(1), 1, GateFoundationPile(0))));
  // Only single cards go home, even with MovePartial.
  rules.movePartial = true;
  five.foundations[1] = C("50");
  SetPile(five, 2, {"60"});
  EXPECT_TRUE(Legal(five, rules, Cards(GateTableauPile(2), 0, GateFoundationPile(1))));
  SetPile(five, 2, {"60", "K1"});
  EXPECT_FALSE(Legal(five, rules, Cards(GateTableauPile(2), 0, GateFoundationPile(1))));
}

// --- Points and score factor --------------------------------------------------------------------

TEST(GatePlay, EachMoveEarnsItsPoints) {
  GatePosition start = EmptyGatePosition(kAceRank);
  start.foundations[0] = C("20");
  SetWaste(start, {"30", "91"});
  SetPost(start, 0, {"93", "40"});
  SetPile(start, 0, {"T0"});
  SetPile(start, 1, {"J1"});
  SetPile(start, 2, {"A2"});
  SetPile(start, 3, {"51"});
  GateRules rules = kGateDefaultRules;
  rules.recycles = 1;
  const struct {
    Move move;
    int points;
  } cases[] = {
      {Cards(kGateWastePile, 1, GateTableauPile(0)), 5},
      {Cards(GatePostPile(0), 1, GateTableauPile(3)), 5},
      {Cards(GateTableauPile(0), 0, GateTableauPile(1)), 0},
      {Cards(GateTableauPile(2), 0, GateFoundationPile(1)), 5},
  };
  for (const auto& c : cases) {
    GatePosition p = start;
    Deck stock = EmptyStock();
    const MoveResult result = GateApplyMove(p, stock, rules, c.move);
    ASSERT_TRUE(result.Happened());
    EXPECT_EQ(result.points, c.points);
  }
  GatePosition p = start;
  Deck stock = EmptyStock();
  ASSERT_TRUE(
      GateApplyMove(p, stock, rules, Cards(kGateWastePile, 1, GateTableauPile(0))).Happened());
  EXPECT_EQ(GateApplyMove(p, stock, rules, Cards(kGateWastePile, 0, GateFoundationPile(0))).points,
            10);
  EXPECT_EQ(GateApplyMove(p, stock, rules, Cards(GatePostPile(0), 1, GateFoundationPile(0))).points,
            10);
  SetWaste(p, {"K3"});
  EXPECT_EQ(GateApplyMove(p, stock, rules, kStockClick).points, 0) << "a recycle is free";
  EXPECT_EQ(GateApplyMove(p, stock, rules, kStockClick).points, 0);
}

TEST(GatePlay, TheScoreFactorMultipliesTheEasierRulesDown) {
  GateRules rules = kGateDefaultRules;
  EXPECT_DOUBLE_EQ(GateScoreFactor(rules), 1.0);
  rules.fillFromWaste = true;
  EXPECT_DOUBLE_EQ(GateScoreFactor(rules), 0.75);
  rules.movePartial = true;
  rules.filledIn = true;
  EXPECT_DOUBLE_EQ(GateScoreFactor(rules), 0.95 * 0.9 * 0.75);
}

// --- Hit lists and the end ----------------------------------------------------------------------

TEST(GatePlay, HitListsLiftFromWhereTheCardsAreDrawn) {
  GatePosition p = EmptyGatePosition(kAceRank);
  SetWaste(p, {"20", "30", "40", "50", "60", "70", "80", "90", "T0", "J0", "Q0"});
  SetPost(p, 0, {"21", "31", "41"});
  SetPile(p, 3, {"K0", "Q1", "J0"});
  for (bool movePartial : {false, true}) {
    GateRules rules = kGateDefaultRules;
    rules.movePartial = movePartial;
    DragSourceList sources;
    DropTargetList targets;
    GateBuildHitLists(p, rules, sources, targets);
    ASSERT_EQ(sources.Size(), movePartial ? 5 : 4);
    // Eleven cards on the waste: two layers up and to the left.
    EXPECT_EQ(sources.At(0).x, 56);
    EXPECT_EQ(sources.At(0).y, 178);
    EXPECT_EQ(sources.At(0).cards[0], C("Q0"));
    EXPECT_EQ(sources.At(1).y, 240) << "the left post's third card";
    EXPECT_EQ(sources.At(2).count, 1) << "the pile's top card first";
    EXPECT_EQ(sources.At(2).y, 240);
    EXPECT_EQ(sources.At(3).index, movePartial ? 1 : 0);
    ASSERT_EQ(targets.Size(), 12);
    EXPECT_EQ(targets.At(0).kind, 1);
    EXPECT_EQ(targets.At(4 + 3).y, 260) << "pile 3's next free slot";
    EXPECT_EQ(targets.At(4 + 3).pile, GateTableauPile(3));
  }
}

TEST(GatePlay, NoMovesLeftLooksFurtherThanOneMove) {
  // Stock gone through, nothing to turn: the Four on pile 0 can go onto the Five of pile 1,
  // uncovering the Five that goes home. No single move brings a card home.
  GatePosition p = EmptyGatePosition(kAceRank);
  p.recyclesUsed = 1;
  p.foundations[0] = C("40");
  SetPile(p, 0, {"50", "41"});
  SetPile(p, 1, {"52"});
  EXPECT_FALSE(GateNoMovesLeft(p, EmptyStock(), kGateDefaultRules));
  // Without that Five of the other colour nothing leads anywhere.
  SetPile(p, 1, {"K2"});
  EXPECT_TRUE(GateNoMovesLeft(p, EmptyStock(), kGateDefaultRules));
  // A King that can shift between blank piles for ever makes no progress either.
  GateRules rules = kGateDefaultRules;
  rules.fillFromWaste = true;
  SetPile(p, 0, {"K0"});
  SetPile(p, 1, {});
  EXPECT_TRUE(GateNoMovesLeft(p, EmptyStock(), rules));
  // A post card and a blank pile always make a move.
  SetPost(p, 1, {"K3"});
  EXPECT_FALSE(GateNoMovesLeft(p, EmptyStock(), kGateDefaultRules));
  // So does a card the waste brings up after a recycle, but only while a recycle is left.
  SetPost(p, 1, {});
  SetWaste(p, {"50", "73"});
  rules = kGateDefaultRules;
  rules.recycles = 1;
  EXPECT_TRUE(GateNoMovesLeft(p, EmptyStock(), rules));
  rules.recycles = 2;
  EXPECT_FALSE(GateNoMovesLeft(p, EmptyStock(), rules));
}

// --- The snapshot block -------------------------------------------------------------------------

// A fresh deal's snapshot reads back whole at its fixed size (the property test reads back a
// snapshot before every third move of its games); every kind of damage is refused.
TEST(GatePlay, TheSnapshotBlockReadsBackAndRefusesDamage) {
  const GateDeal deal = DealGate(4, kGateDefaultRules);
  const auto read = [&deal](const SnapshotBytes& bytes) {
    return ReadSnapshotOf(bytes, deal.stock, ReadGateBlock);
  };
  const SnapshotBytes bytes = SnapshotOf(deal, -35, 81, WriteGateBlock);
  ASSERT_EQ(bytes.size(), 2252u);
  const std::optional<GateSnapshot> back = read(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->position, deal.position);
  EXPECT_EQ(back->points, -35);
  EXPECT_EQ(back->elapsedSeconds, 81);
  const std::size_t block = kDeckImageSize + 8;
  // Offsets inside the block: start rank, waste count, left post count, tableau 0's first card,
  // tableau count 0.
  const std::size_t wasteCount = block + 4 + 32 + 288;
  const std::size_t postCount = wasteCount + 4 + 80;
  const std::size_t tableau = postCount + 8;
  const std::size_t tableauCount = tableau + 832;
  const Card post = deal.position.posts[0][0];
  const struct {
    const char* what;
    SnapshotBytes bytes;
  } damaged[] = {
      {"short", OneByteShort(bytes)},
      {"long", OneByteLong(bytes)},
      {"a start rank that is no rank", WithInt32(bytes, block, 13)},
      {"a waste count past its slots", WithInt32(bytes, wasteCount, 37)},
      {"a waste count claiming a card that is not there", WithInt32(bytes, wasteCount, 1)},
      {"a negative post count", WithInt32(bytes, postCount, -1)},
      {"a post count past its slots", WithInt32(bytes, postCount, 6)},
      {"a tableau card that is no card", WithInt32(bytes, tableau + 4, 13)},
      {"a tableau card twice",
       WithInt32(WithInt32(bytes, tableau, post.suit), tableau + 4, post.rank)},
      {"a tableau count past its slots", WithInt32(bytes, tableauCount, 14)},
      {"a negative time", WithInt32(bytes, bytes.size() - 4, -1)},
  };
  for (const auto& d : damaged) EXPECT_FALSE(read(d.bytes).has_value()) << d.what;
  // The left post's top cards moved to the waste: three fit beside the 33 cards of the stock,
  // four would leave the waste no room to take the whole stock.
  for (int moved : {3, 4}) {
    SnapshotBytes shifted =
        WithInt32(WithInt32(bytes, wasteCount, moved), postCount, kGatePostSlots - moved);
    for (std::size_t i = 0; i < static_cast<std::size_t>(moved); ++i) {
      const Card& card = deal.position.posts[0][kGatePostSlots - 1 - i];
      shifted = WithInt32(WithInt32(shifted, block + 36 + 8 * i, card.suit), block + 40 + 8 * i,
                          card.rank);
    }
    EXPECT_EQ(read(shifted).has_value(), moved == 3);
  }
}
