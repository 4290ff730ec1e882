// Gate's rule path under random play: seeded deals under random rules, random legal moves, and
// after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <random>

#include "games/gate/GatePlay.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/games/solitaire/SideStateSnapshot.h"
#include "tests/support/RandomPlay.h"

namespace {

// Where a deal stands: cards home, cards still in the stock, the waste and the posts.
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

struct GateRandomPlay {
  using Position = GatePosition;
  using Rules = GateRules;
  using Snapshot = std::vector<std::uint8_t>;
  static constexpr auto Deal = DealGate;
  static constexpr auto LegalMoves = GateLegalMoves;
  static constexpr auto ApplyMove = GateApplyMove;
  int stuck = 0;
  static Rules RandomRules(std::mt19937& random) {
    constexpr int kRecycleChoices[] = {0, 1, 2, 3, 4, kRecyclesUnlimited};
    GateRules rules = kGateDefaultRules;
    rules.recycles = kRecycleChoices[random() % 6];
    rules.startCard = static_cast<int>(random() % 14) - 1;  // -1: the next card decides
    rules.filledIn = random() % 4 == 0;
    rules.movePartial = random() % 2 == 0;
    rules.fillFromWaste = random() % 2 == 0;
    return GatePlayableRules(rules);
  }
  static ::testing::AssertionResult EveryCardOnce(const GatePosition& p, const Deck& stock) {
    CardCount count;
    count.AddStock(stock);
    count.AddPile(p.waste, p.wasteCount);
    for (std::size_t i = 0; i < kGatePosts; ++i) count.AddPile(p.posts[i], p.postCount[i]);
    for (std::size_t t = 0; t < kGateTableauPiles; ++t)
      count.AddPile(p.tableau[t], p.tableauCount[t]);
    for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
    return Counted(count);
  }

  // On every other move the mouse makes exactly the legal moves; wherever the analysis says no
  // move is left, a long random walk from there never makes progress.
  void BeforeMove(const GateDeal& deal, const Rules& rules, const MoveList& legal, int step,
                  std::mt19937& random, bool&) {
    const GatePosition& p = deal.position;
    if (step % 2 == 1) {
      DragSourceList sources;
      DropTargetList targets;
      GateBuildHitLists(p, rules, sources, targets);
      const auto isLegal = [&](const Move& move) {
        return GateIsLegal(p, deal.stock, rules, move);
      };
      MoveList clicks;
      const Move click{MoveKind::kStock, kGateStockPile, 0, -1};
      if (isLegal(click)) clicks.push_back(click);
      ASSERT_TRUE(MouseMakesTheLegalMoves(clicks, sources, targets, isLegal, legal));
    }
    if (!GateNoMovesLeft(p, deal.stock, rules)) return;
    ++stuck;
    ASSERT_TRUE(NoWalkGetsFurther<GateRandomPlay>(deal, rules, 60, random, StandingOf));
  }

  // The stock click (listed first) is favoured, so that deals reach the tables where the no-moves
  // analysis has work to do.
  static Move PickMove(const MoveList& legal, std::mt19937& random) {
    const bool turn = legal.front().kind == MoveKind::kStock && random() % 8 != 0;
    return turn ? legal.front() : legal[random() % legal.size()];
  }
  static Snapshot WriteSnapshot(const GateDeal& deal, int points, int elapsedSeconds) {
    return SnapshotOf(deal, points, elapsedSeconds, WriteGateBlock);
  }
  static std::optional<Restored<Position>> ReadSnapshot(const Snapshot& bytes,
                                                        const GateDeal& after) {
    return ReadPlainSnapshot(bytes, after,
                             [](SnapshotReader& in, const GatePosition&, const Deck& deck) {
                               return ReadGateBlock(in, deck);
                             });
  }
};

}  // namespace

// Every third move is undone through its snapshot bytes.
TEST(GateProperty, RandomPlayKeepsEveryInvariant) {
  const RandomPlayPlan plan{.games = PropertyGames(), .movesPerGame = 40, .undoEvery = 3};
  GateRandomPlay game;
  int moves = 0;
  PlayRandomGames(game, plan, moves);
  if (HasFatalFailure()) return;
  EXPECT_GT(moves, plan.games * 10);
  EXPECT_GT(game.stuck, plan.games / 200) << "the no-moves check must have been put to the test";
}
