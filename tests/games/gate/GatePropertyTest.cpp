// Gate's rule path under random play: seeded deals under random rule settings, random legal
// moves, and after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "engine/BaseSnapshot.h"
#include "engine/Move.h"
#include "games/gate/GatePlay.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/support/PropertyRuns.h"
#include "tests/support/RandomPlay.h"

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

// Gate for random play. Its snapshot block holds the whole table.
struct GateRandomPlay {
  using Position = GatePosition;
  using Rules = GateRules;
  using Snapshot = std::vector<std::uint8_t>;
  static constexpr auto Deal = DealGate;
  static constexpr auto LegalMoves = GateLegalMoves;
  static constexpr auto ApplyMove = GateApplyMove;
  static constexpr auto EveryCardOnce = ::EveryCardOnce;

  int stuck = 0;

  static Rules RandomRules(std::mt19937& random) {
    return GatePlayableRules(::RandomRules(random));
  }

  // On every other move the mouse makes exactly the legal moves: a click on the stock, a drag
  // source dropped on a target that takes it. Wherever the analysis says no move is left, a long
  // random walk from there never makes progress.
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

  // The stock click (always listed first) is favoured, so that deals get through their stock to
  // the tables where the no-moves analysis has work to do.
  static Move PickMove(const MoveList& legal, std::mt19937& random) {
    const bool turn = legal.front().kind == MoveKind::kStock && random() % 8 != 0;
    return turn ? legal.front() : legal[random() % legal.size()];
  }

  static Snapshot WriteSnapshot(const GateDeal& deal, int points, int elapsedSeconds) {
    SnapshotWriter out;
    WriteBaseState(out, deal.stock, {}, {});
    WriteGateBlock(out, deal.position, points, elapsedSeconds);
    return out.Bytes();
  }

  static std::optional<Restored<Position>> ReadSnapshot(const Snapshot& bytes,
                                                        const GateDeal& after) {
    SnapshotReader in(bytes);
    BaseState base(after.stock);
    if (!ReadBaseState(in, base)) return std::nullopt;
    const std::optional<GateSnapshot> back = ReadGateBlock(in, base.deck);
    if (!back) return std::nullopt;
    return Restored<Position>{back->position, base.deck, back->points, back->elapsedSeconds};
  }
};

}  // namespace

// 10,000 games (fewer under the sanitizers) of random legal moves. After every move each card lies
// exactly once, and every third is undone through its snapshot bytes; before every other move the
// mouse can make exactly the legal moves, and the no-moves analysis is checked wherever it says
// none is left.
TEST(GateProperty, RandomPlayKeepsEveryInvariant) {
  const RandomPlayPlan plan{.games = PropertyGames(), .movesPerGame = 40, .undoEvery = 3};
  GateRandomPlay game;
  int moves = 0;
  PlayRandomGames(game, plan, moves);
  if (HasFatalFailure()) return;
  EXPECT_GT(moves, plan.games * 10);
  EXPECT_GT(game.stuck, plan.games / 200) << "the no-moves check must have been put to the test";
}
