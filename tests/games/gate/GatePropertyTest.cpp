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

struct GateRandomPlay : RandomPlayCounts {
  using Position = GatePosition;
  using Rules = GateRules;
  using Snapshot = std::vector<std::uint8_t>;
  static constexpr auto Deal = DealGate;
  static constexpr auto LegalMoves = GateLegalMoves;
  static constexpr auto ApplyMove = GateApplyMove;
  static constexpr auto BuildHitLists = [](auto&... a) { GateBuildHitLists(a...); };
  static constexpr auto IsLegal = GateIsLegal;
  static constexpr int kStockPile = kGateStockPile;
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
    return Counted(CountGateCards(p, stock));
  }

  // On every other move the mouse makes exactly the legal moves; wherever the analysis says no
  // move is left, a long random walk from there never makes progress.
  void BeforeMove(const GateDeal& deal, const Rules& rules, const MoveList& legal, int step,
                  std::mt19937& random, bool&) {
    if (step % 2 == 1) {
      ASSERT_TRUE(MouseMakesTheLegalMoves<GateRandomPlay>(deal, rules, legal));
    }
    if (!GateNoMovesLeft(deal.position, deal.stock, rules)) return;
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
  PlayRandomGames(game, plan);
  if (HasFatalFailure()) return;
  EXPECT_GT(game.moves, plan.games * 10);
  EXPECT_GT(game.stuck, plan.games / 200) << "the no-moves check must have been put to the test";
}
