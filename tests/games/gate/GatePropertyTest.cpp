// Gate's rule path under random play: seeded deals under random rule settings, random legal
// moves, and after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "engine/BaseSnapshot.h"
#include "engine/Move.h"
#include "games/gate/GatePlay.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/support/PropertyRuns.h"

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

GateRules RandomRules(std::mt19937& random) {
  constexpr int kRecycleChoices[] = {0, 1, 2, 3, 4, kRecyclesUnlimited};
  GateRules rules = kGateDefaultRules;
  rules.recycles = kRecycleChoices[random() % 6];
  rules.startCard = static_cast<int>(random() % 14) - 1;  // -1: the next card decides
  rules.filledIn = random() % 4 == 0;
  rules.movePartial = random() % 2 == 0;
  rules.fillFromWaste = random() % 2 == 0;
  return rules;
}

// Every card of the pack exactly once, counted apart from the rules' own tally.
::testing::AssertionResult EveryCardOnce(const GatePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  for (int post = 0; post < kGatePosts; ++post)
    count.AddPile(p.posts[At(post)], p.postCount[At(post)]);
  for (int t = 0; t < kGateTableauPiles; ++t)
    count.AddPile(p.tableau[At(t)], p.tableauCount[At(t)]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  if (count.EveryCardOnce()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << count.Fault();
}

// The moves the mouse can make: a click on the stock, a drag source dropped on a target.
MoveList MouseMoves(const GatePosition& p, const Deck& stock, const GateRules& rules) {
  DragSourceList sources;
  DropTargetList targets;
  GateBuildHitLists(p, rules, sources, targets);
  MoveList moves;
  const Move click{MoveKind::kStock, kGateStockPile, 0, -1};
  if (GateIsLegal(p, stock, rules, click)) moves.push_back(click);
  for (int s = 0; s < sources.Size(); ++s) {
    for (int t = 0; t < targets.Size(); ++t) {
      const Move move{MoveKind::kCards, sources.At(s).pile, sources.At(s).index,
                      targets.At(t).pile};
      if (GateIsLegal(p, stock, rules, move) &&
          std::find(moves.begin(), moves.end(), move) == moves.end())
        moves.push_back(move);
    }
  }
  return moves;
}

// Where a deal stands: cards home, cards still in the stock, the waste and the posts. A move
// that changes either for the better is progress.
struct Standing {
  int home, unplayed;
  bool BetterThan(const Standing& o) const { return home > o.home || unplayed < o.unplayed; }
};

Standing StandingOf(const GatePosition& p, const Deck& stock) {
  int home = 0;
  for (const Card& top : p.foundations)
    if (IsRealCard(top)) home += (top.rank - p.startRank + kRankCount) % kRankCount + 1;
  return {home, stock.Remaining() + p.wasteCount + p.postCount[0] + p.postCount[1]};
}

}  // namespace

// 10,000 games of random legal moves. After every move: each card exactly once; the snapshot
// taken before a move brings back the position, the stock, the points and the clock exactly;
// the mouse can make exactly the legal moves (checked on every other move). Wherever the analysis
// says no move is left, no legal move makes progress and a long random walk from there never does
// either.
TEST(GateProperty, RandomPlayKeepsEveryInvariant) {
  const int gameCount = PropertyGames();
  constexpr int kMovesPerGame = 40;
  int moves = 0;
  int stuck = 0;
  MoveList legal;
  for (int game = 0; game < gameCount; ++game) {
    std::mt19937 random(static_cast<std::uint32_t>(game));
    const GateRules rules = GatePlayableRules(RandomRules(random));
    GateDeal deal = DealGate(static_cast<std::uint32_t>(game), rules);
    ASSERT_TRUE(EveryCardOnce(deal.position, deal.stock));
    int points = 0;
    for (int step = 0; step < kMovesPerGame; ++step) {
      SCOPED_TRACE(testing::Message() << "game " << game << " move " << step);
      GateLegalMoves(deal.position, deal.stock, rules, legal);

      if (step % 2 == 1) {
        const MoveList mouse = MouseMoves(deal.position, deal.stock, rules);
        ASSERT_EQ(mouse.size(), legal.size());
        for (const Move& move : mouse)
          ASSERT_NE(std::find(legal.begin(), legal.end(), move), legal.end());
      }

      if (GateNoMovesLeft(deal.position, deal.stock, rules)) {
        ++stuck;
        const Standing before = StandingOf(deal.position, deal.stock);
        GateDeal walk = deal;
        MoveList options;
        for (int w = 0; w < 60; ++w) {
          GateLegalMoves(walk.position, walk.stock, rules, options);
          if (options.empty()) break;
          GateApplyMove(walk.position, walk.stock, rules, options[random() % options.size()]);
          ASSERT_FALSE(StandingOf(walk.position, walk.stock).BetterThan(before))
              << "progress was possible where no move was said to be left";
        }
      }
      if (legal.empty()) break;

      // The stock click (always listed first) is favoured, so that deals get through their
      // stock to the tables where the no-moves analysis has work to do.
      const bool turn = legal.front().kind == MoveKind::kStock && random() % 8 != 0;
      const Move move = turn ? legal.front() : legal[random() % legal.size()];
      // Every third move is undone through its snapshot bytes; the rest keep the test quick.
      const bool checkUndo = step % 3 == 0;
      SnapshotWriter out;
      if (checkUndo) {
        WriteBaseState(out, deal.stock, {}, {});
        WriteGateBlock(out, deal.position, points, step);
      }
      const GateDeal before = deal;

      const MoveResult result = GateApplyMove(deal.position, deal.stock, rules, move);
      ASSERT_TRUE(result.Happened());
      points += result.points;
      ++moves;
      ASSERT_TRUE(EveryCardOnce(deal.position, deal.stock));
      if (!checkUndo) continue;

      SnapshotReader in(out.Bytes());
      BaseState base(deal.stock);
      ASSERT_TRUE(ReadBaseState(in, base));
      const std::optional<GateSnapshot> back = ReadGateBlock(in, base.deck);
      ASSERT_TRUE(back.has_value());
      ASSERT_EQ(back->position, before.position);
      ASSERT_EQ(base.deck, before.stock);
      ASSERT_EQ(back->points, points - result.points);
      ASSERT_EQ(back->elapsedSeconds, step);
    }
  }
  EXPECT_GT(moves, gameCount * 10);
  EXPECT_GT(stuck, gameCount / 200) << "the no-moves check must have been put to the test";
}
