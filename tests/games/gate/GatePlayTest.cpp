// Gate's rules called directly: the deal, every rule setting, hit lists, the no-moves
// analysis and the snapshot block. The pinned seed is won through the mouse in GateScenarioTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "engine/Deck.h"
#include "engine/Move.h"
#include "games/gate/GatePlay.h"
#include "tests/fuzz/SnapshotDamage.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/games/solitaire/TableText.h"

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

// A table as text (TableText.h): "0:" to "7:" tableau, "p0:"/"p1:" the posts, "w:" waste, "f:"
// foundation tops from 0 on, "r:" recycles used, "base: 7" Sevens start. The stock is empty.
GatePosition Lay(const char* text) {
  GatePosition p = EmptyGatePosition(kAceRank);
  for (const PileText& pile : ReadTableText(text)) {
    const std::vector<Card> cards = pile.Cards();
    const auto put = [&cards](auto& slots, int& count) {
      for (const Card& card : cards) slots[At(count++)] = card;
    };
    if (pile.name == "base") {
      p.startRank = RankOf(pile.words[0][0]);
    } else if (pile.name == "r") {
      p.recyclesUsed = std::stoi(pile.words[0]);
    } else if (pile.name == "w") {
      put(p.waste, p.wasteCount);
    } else if (pile.name == "f") {
      std::copy(cards.begin(), cards.end(), p.foundations.begin());
    } else if (pile.name[0] == 'p') {
      const int post = pile.name[1] - '0';
      put(p.posts[At(post)], p.postCount[At(post)]);
    } else {
      const int t = std::stoi(pile.name);
      put(p.tableau[At(t)], p.tableauCount[At(t)]);
    }
  }
  return p;
}

constexpr Move kStockClick{MoveKind::kStock, kGateStockPile, 0, -1};

Move Cards(int from, int index, int to) {
  return {MoveKind::kCards, from, index, to};
}

GateRules With(void (*change)(GateRules&)) {
  GateRules rules = kGateDefaultRules;
  change(rules);
  return rules;
}

}  // namespace

// The first card of the shuffle decides the start rank unless StartCard names one; the left post
// takes the first card dealt (where each card flies is the fresh deal's golden image).
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
    GateDealTable(p, stock);
    EXPECT_EQ(stock.Remaining(), c.stockLeft);
    EXPECT_EQ(p.posts[0][0], next);
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

TEST(GatePlay, RecyclesDecideHowOftenTheEmptyStockRefills) {
  for (int recycles : {0, 1, kRecyclesUnlimited}) {
    SCOPED_TRACE(recycles);
    GateRules rules = kGateDefaultRules;
    rules.recycles = recycles;
    GatePosition p = Lay("w: 30 41");
    Deck stock = Deck();
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
  EXPECT_FALSE(GateIsLegal(EmptyGatePosition(kAceRank), Deck(), rules, kStockClick));
}

// Move by move whether the default rules, FillFromWaste and MovePartial allow it.
TEST(GatePlay, WhatMayBeLiftedAndWhereItMayGo) {
  const GateRules fill = With([](GateRules& r) { r.fillFromWaste = true; });
  const GateRules partial = With([](GateRules& r) { r.movePartial = true; });
  const char* const blank = "w: 70 p0: 91 0: K0 Q1";
  const char* const run = "0: K0 Q1 J0 1: K2 2: K1 Q3";
  const char* const aces = "0: A0 1: 22 w: K1 p0: A3";
  const char* const fives = "base: 5 f: K2 0: 61 1: 50 A2 w: 52";
  const int w = kGateWastePile, p0 = GatePostPile(0), t0 = GateTableauPile(0),
            t1 = GateTableauPile(1), t2 = GateTableauPile(2), f0 = GateFoundationPile(0),
            f1 = GateFoundationPile(1);
  const struct {
    const char* why;
    const char* table;
    Move move;
    bool legal, withFill, withPartial;
  } rows[] = {
      {"a post card fills a blank pile", blank, Cards(p0, 0, t1), true, true, true},
      {"a waste card only with FillFromWaste", blank, Cards(w, 0, t1), false, true, false},
      {"a whole pile only with FillFromWaste", blank, Cards(t0, 0, t1), false, true, false},
      {"a pile's top card only with FillFromWaste", blank, Cards(t0, 1, t1), false, true, false},
      {"part of a run only with MovePartial", run, Cards(t0, 1, t1), false, false, true},
      {"the top card alone", run, Cards(t0, 2, t2), true, true, true},
      // The whole pile may always be lifted, but a King goes on nothing here.
      {"a King onto a Queen", run, Cards(t0, 0, t2), false, false, false},
      {"the wrap: a King onto an Ace of the other colour", aces, Cards(w, 0, t0), true, true, true},
      {"an Ace onto nothing, not even a Two of the other colour", aces, Cards(p0, 0, t1), false,
       false, false},
      {"the start rank of any suit starts a foundation", aces, Cards(p0, 0, GateFoundationPile(2)),
       true, true, true},
      {"from a pile too", aces, Cards(t0, 0, f0), true, true, true},
      {"no other rank does", aces, Cards(w, 0, f0), false, false, false},
      {"Fives start: a Five is built on nothing", fives, Cards(w, 0, t0), false, false, false},
      {"a Five starts a foundation", fives, Cards(w, 0, f1), true, true, true},
      {"a foundation runs on past the King", fives, Cards(t1, 1, f0), true, true, true},
      {"a single card goes home", "base: 5 f: K2 50 2: 60", Cards(t2, 0, f1), true, true, true},
      {"only single cards, even with MovePartial", "base: 5 f: K2 50 2: 60 K1", Cards(t2, 0, f1),
       false, false, false},
  };
  for (const auto& row : rows) {
    const GatePosition p = Lay(row.table);
    EXPECT_EQ(GateIsLegal(p, Deck(), kGateDefaultRules, row.move), row.legal) << row.why;
    EXPECT_EQ(GateIsLegal(p, Deck(), fill, row.move), row.withFill) << row.why;
    EXPECT_EQ(GateIsLegal(p, Deck(), partial, row.move), row.withPartial) << row.why;
  }

  // Both posts spent: without FillFromWaste nothing can ever land on a blank pile again.
  MoveList moves;
  GateLegalMoves(Lay("w: 70 0: K0 Q1"), Deck(), kGateDefaultRules, moves);
  for (const Move& move : moves) EXPECT_NE(move.to, t1);
}

TEST(GatePlay, HitListsLiftFromWhereTheCardsAreDrawn) {
  const GatePosition p = Lay("w: 20 30 40 50 60 70 80 90 T0 J0 Q0 p0: 21 31 41 3: K0 Q1 J0");
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
    EXPECT_EQ(sources.At(0).cards[0], CardOf("Q0"));
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

// Whether the analysis finds a way on once the stock is gone through.
TEST(GatePlay, NoMovesLeftLooksFurtherThanOneMove) {
  const GateRules fill = With([](GateRules& r) { r.fillFromWaste = true; });
  const GateRules oneRecycle = With([](GateRules& r) { r.recycles = 1; });
  const GateRules twoRecycles = With([](GateRules& r) { r.recycles = 2; });
  const struct {
    const char* why;
    const char* table;
    GateRules rules;
    bool noMoves;
  } rows[] = {
      // No single move brings a card home.
      {"the Four onto the other Five uncovers a Five that goes home", "r: 1 f: 40 0: 50 41 1: 52",
       kGateDefaultRules, false},
      {"without that Five nothing leads anywhere", "r: 1 f: 40 0: 50 41 1: K2", kGateDefaultRules,
       true},
      {"a King shifting between blank piles for ever makes no progress", "r: 1 f: 40 0: K0", fill,
       true},
      {"a post card and a blank pile always make a move", "r: 1 f: 40 0: K0 p1: K3",
       kGateDefaultRules, false},
      {"a card the waste brings up after a recycle, with none left", "r: 1 f: 40 0: K0 w: 50 73",
       oneRecycle, true},
      {"a card the waste brings up after a recycle", "r: 1 f: 40 0: K0 w: 50 73", twoRecycles,
       false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(GateNoMovesLeft(Lay(row.table), Deck(), row.rules), row.noMoves) << row.why;
}

// A fresh deal's snapshot at its size (the exact read-back is GatePropertyTest's), and one damage
// case for each check of the reader.
TEST(GatePlay, TheSnapshotBlockReadsBackAndRefusesDamage) {
  const GateDeal deal = DealGate(4, kGateDefaultRules);
  const auto read = [&deal](const SnapshotBytes& bytes) {
    return ReadSnapshotOf(bytes, deal.stock, ReadGateBlock);
  };
  const SnapshotBytes bytes = SnapshotOf(deal, -35, 81, WriteGateBlock);
  ASSERT_EQ(bytes.size(), 2252u);
  ASSERT_TRUE(read(bytes).has_value());
  const std::size_t block = kDeckImageSize + 8;
  // Offsets of the start rank, waste count, left post count and tableau 0's first card.
  const std::size_t wasteCount = block + 4 + 32 + 288;
  const std::size_t postCount = wasteCount + 4 + 80;
  const std::size_t tableau = postCount + 8;
  const Card post = deal.position.posts[0][0];
  ExpectEachRefused(bytes, read,
                    {
                        {"a start rank that is no rank", WithInt32(bytes, block, 13)},
                        {"a negative time", WithInt32(bytes, bytes.size() - 4, -1)},
                        {"a waste count past its slots", WithInt32(bytes, wasteCount, 37)},
                        {"a post count past its slots", WithInt32(bytes, postCount, 6)},
                        {"a tableau card that is no card", WithInt32(bytes, tableau + 4, 13)},
                        {"a tableau card twice",
                         WithInt32(WithInt32(bytes, tableau, post.suit), tableau + 4, post.rank)},
                    });
  // The left post's top cards moved to the waste: three fit beside the stock's 33 cards, four
  // would leave the waste no room to take the whole stock.
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
