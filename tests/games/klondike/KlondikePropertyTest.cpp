// Klondike's rule path under random play: seeded deals under random rule settings, random legal
// moves, and after every move the invariants that any caller of ApplyMove relies on. Also the
// full state a deal is resumed from, written and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "engine/BaseSnapshot.h"
#include "engine/Move.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/games/klondike/KlondikeSolver.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/support/PropertyRuns.h"

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

KlondikeRules RandomRules(std::mt19937& random) {
  constexpr int kRecycleChoices[] = {0, 1, 2, 3, 4, kRecyclesUnlimited};
  KlondikeRules rules = kKlondikeDefaultRules;
  rules.cardsDealt = 1 + static_cast<int>(random() % 3);
  rules.recycles = kRecycleChoices[random() % 6];
  rules.startCard = static_cast<int>(random() % 14) - 1;  // -1: the first card decides
  rules.tableauStart = random() % 2 == 0;
  rules.movePartial = random() % 2 == 0;
  rules.filledIn = random() % 4 == 0;
  rules.autoFlip = random() % 2 == 0;
  return rules;
}

// Every card of the pack exactly once: stock, waste, columns, and the foundations, which keep
// only their top card and hold every rank from the start rank up to it.
::testing::AssertionResult EveryCardOnce(const KlondikePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  for (int c = 0; c < kKlondikeColumns; ++c) count.AddPile(p.tableau[At(c)], p.columnCount[At(c)]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  if (count.EveryCardOnce()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << count.Fault();
}

// The moves the mouse can make: a press on a drag source dropped on a target that takes it, a
// click on the stock, a click on a face-down top card.
MoveList MouseMoves(const KlondikePosition& p, const Deck& stock, const KlondikeRules& rules) {
  DragSourceList sources;
  DropTargetList targets;
  KlondikeBuildHitLists(p, rules, sources, targets);
  MoveList moves;
  const Move click{MoveKind::kStock, kKlondikeStockPile, 0, -1};
  if (KlondikeIsLegal(p, stock, rules, click)) moves.push_back(click);
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (KlondikeCanTurnUp(p, c)) moves.push_back({MoveKind::kTurnUp, KlondikeColumnPile(c), 0, -1});
  for (int s = 0; s < sources.Size(); ++s) {
    for (int t = 0; t < targets.Size(); ++t) {
      const Move move{MoveKind::kCards, sources.At(s).pile, sources.At(s).index,
                      targets.At(t).pile};
      if (KlondikeIsLegal(p, stock, rules, move) &&
          std::find(moves.begin(), moves.end(), move) == moves.end()) {
        moves.push_back(move);
      }
    }
  }
  return moves;
}

int FoundationCards(const KlondikePosition& p) {
  int cards = 0;
  for (const Card& top : p.foundations)
    if (IsRealCard(top)) cards += (top.rank - p.startRank + kRankCount) % kRankCount + 1;
  return cards;
}

int FaceDownCards(const KlondikePosition& p) {
  int cards = 0;
  for (int count : p.faceDown) cards += count;
  return cards;
}

// Where a deal stands: cards home, cards still face down, cards still in stock and waste. A move
// that changes any of these for the better is progress.
struct Standing {
  int home, hidden, unplayed;
  bool BetterThan(const Standing& o) const {
    return home > o.home || hidden < o.hidden || unplayed < o.unplayed;
  }
};

Standing StandingOf(const KlondikePosition& p, const Deck& stock) {
  return {FoundationCards(p), FaceDownCards(p), stock.Remaining() + p.wasteCount};
}

}  // namespace

// 10,000 games of random legal moves. After every move: each card exactly once; the snapshot
// taken before the move brings back the position, points and clock exactly; the mouse can make
// exactly the legal moves. Wherever the analysis says no move is left, no legal move makes
// progress and a long random walk from there never does either.
TEST(KlondikeProperty, RandomPlayKeepsEveryInvariant) {
  const int gameCount = PropertyGames();
  constexpr int kMovesPerGame = 30;
  int moves = 0;
  int stuck = 0;
  MoveList legal;
  for (int game = 0; game < gameCount; ++game) {
    std::mt19937 random(static_cast<std::uint32_t>(game));
    const KlondikeRules rules = RandomRules(random);
    KlondikeDeal deal = DealKlondike(static_cast<std::uint32_t>(game), rules);
    int points = 0;
    for (int step = 0; step < kMovesPerGame; ++step) {
      SCOPED_TRACE(testing::Message() << "game " << game << " move " << step);
      KlondikeLegalMoves(deal.position, deal.stock, rules, legal);

      MoveList mouse = MouseMoves(deal.position, deal.stock, rules);
      ASSERT_EQ(mouse.size(), legal.size());
      for (const Move& move : mouse)
        ASSERT_NE(std::find(legal.begin(), legal.end(), move), legal.end());

      if (KlondikeNoMovesLeft(deal.position, deal.stock, rules)) {
        ++stuck;
        const Standing before = StandingOf(deal.position, deal.stock);
        KlondikeDeal walk = deal;
        MoveList options;
        for (int w = 0; w < 60; ++w) {
          KlondikeLegalMoves(walk.position, walk.stock, rules, options);
          if (options.empty()) break;
          KlondikeApplyMove(walk.position, walk.stock, rules, options[random() % options.size()]);
          ASSERT_FALSE(StandingOf(walk.position, walk.stock).BetterThan(before))
              << "progress was possible where no move was said to be left";
        }
      }
      if (legal.empty()) break;

      const Move move = legal[random() % legal.size()];
      // Every fourth move is undone through its snapshot bytes; the rest keep the test quick.
      const bool checkUndo = step % 4 == 0;
      SnapshotWriter out;
      if (checkUndo) {
        WriteBaseState(out, deal.stock, {}, {});
        WriteKlondikeBlock(out, deal.position, points, step);
      }
      const KlondikeDeal before = deal;

      const MoveResult result = KlondikeApplyMove(deal.position, deal.stock, rules, move);
      ASSERT_TRUE(result.Happened());
      points += result.points;
      ++moves;
      ASSERT_TRUE(EveryCardOnce(deal.position, deal.stock));
      if (!checkUndo) continue;

      SnapshotReader in(out.Bytes());
      BaseState base(deal.stock);
      ASSERT_TRUE(ReadBaseState(in, base));
      const std::optional<KlondikeSnapshot> back = ReadKlondikeBlock(in, deal.position, base.deck);
      ASSERT_TRUE(back.has_value());
      KlondikePosition restored = back->position;
      restored.turned = before.position.turned;  // kept beside the file by the game
      restored.recyclesUsed = before.position.recyclesUsed;
      ASSERT_EQ(restored, before.position);
      ASSERT_EQ(base.deck, before.stock);
      ASSERT_EQ(back->points, points - result.points);
      ASSERT_EQ(back->elapsedSeconds, step);
    }
  }
  EXPECT_GT(moves, gameCount * 10);
  EXPECT_GT(stuck, gameCount / 200) << "the no-moves check must have been put to the test";
}

TEST(KlondikeProperty, TheFullStateRoundTripsAndRefusesDamage) {
  KlondikeDeal deal = DealKlondike(7, kKlondikeDefaultRules);
  const std::optional<KlondikeSolution> solution = SolveKlondike(7, kKlondikeDefaultRules);
  ASSERT_TRUE(solution.has_value());
  for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
    PlayKlondikeMove(deal, kKlondikeDefaultRules, solution->moves[i]);
  ASSERT_GT(deal.position.recyclesUsed + deal.position.turned, 0);

  const KlondikeFullState state{deal.position, deal.stock, 215, 97};
  const std::vector<std::uint8_t> bytes = WriteKlondikeFullState(state);
  const std::optional<KlondikeFullState> back = ReadKlondikeFullState(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->position, state.position);
  EXPECT_EQ(back->stock, state.stock);
  EXPECT_EQ(back->points, 215);
  EXPECT_EQ(back->elapsedSeconds, 97);

  std::vector<std::uint8_t> damaged = bytes;
  damaged.pop_back();
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged.push_back(0);
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged[0] ^= 1;  // not a full state at all
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged[8 + kDeckImageSize] = 13;  // a start rank that is no rank
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  EXPECT_FALSE(ReadKlondikeFullState({}));
}
