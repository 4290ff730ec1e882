// Gate's hot paths on a mid-game table: deciding the play state after a move (goal: under
// 20 us), and the rule path alone, the legal moves with one of them played (goal: under 2 us).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "bench/support/BenchShell.h"
#include "engine/BaseSnapshot.h"
#include "games/gate/GateGame.h"
#include "tests/games/gate/GateSolver.h"

namespace {

constexpr std::uint32_t kSeed = kGateWinningSeed;
constexpr const GateRules& kRules = kGateWinningRules;

// The move-finder's pinned win, played half way.
GateDeal MidGameDeal(int* points = nullptr) {
  const auto solution = SolveGate(kSeed, kRules);
  GateDeal deal = DealGate(kSeed, kRules);
  int earned = 0;
  if (solution.has_value()) {
    for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
      earned += GateApplyMove(deal.position, deal.stock, kRules, solution->moves[i]).points;
  }
  if (points != nullptr) *points = earned;
  return deal;
}

class MidGame {
public:
  MidGame() : shell_("gate", kSeed) {
    game_ = shell_.Start<GateGame>();
    if (game_ == nullptr) return;
    int points = 0;
    const GateDeal deal = MidGameDeal(&points);
    SnapshotWriter out;
    WriteBaseState(out, deal.stock, {}, {});
    WriteGateBlock(out, deal.position, points + 5, 0);
    shell_.LoadSnapshot(*game_, out.Bytes());
  }
  GateGame* Game() const { return game_; }

private:
  BenchShell shell_;
  GateGame* game_ = nullptr;
};

void BM_GateUpdatePlayStateMidGame(benchmark::State& state) {
  MidGame table;
  if (table.Game() == nullptr) {
    state.SkipWithError("no game: the shell could not start");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(table.Game()->UpdatePlayState());
  state.counters["drag_sources"] = table.Game()->DragSources().Size();
  state.counters["stock"] = table.Game()->GetDeck().Remaining();
}
BENCHMARK(BM_GateUpdatePlayStateMidGame)->Unit(benchmark::kMicrosecond);

void BM_GateLegalMovesAndApplyMidGame(benchmark::State& state) {
  const GateDeal start = MidGameDeal();
  MoveList moves;
  std::size_t next = 0;
  for (auto _ : state) {
    GateDeal deal = start;
    GateLegalMoves(deal.position, deal.stock, kRules, moves);
    if (moves.empty()) break;
    const Move& move = moves[next++ % moves.size()];
    benchmark::DoNotOptimize(GateApplyMove(deal.position, deal.stock, kRules, move));
  }
  state.counters["legal_moves"] = static_cast<double>(moves.size());
}
BENCHMARK(BM_GateLegalMovesAndApplyMidGame)->Unit(benchmark::kMicrosecond);

// The copy of the table that the step above starts from each time, to subtract from it.
void BM_GateFloorCopyTheTable(benchmark::State& state) {
  const GateDeal start = MidGameDeal();
  for (auto _ : state) {
    GateDeal deal = start;
    benchmark::DoNotOptimize(deal);
  }
}
BENCHMARK(BM_GateFloorCopyTheTable)->Unit(benchmark::kMicrosecond);

// The analysis alone: on the mid-game table, and on a table played on at random until nothing
// is left, where the search has to follow every run shifted about and every stock turn before it
// may say so (FillFromWaste on and unlimited recycles: the most tables a deal can reach).
void BM_GateNoMovesAnalysisMidGame(benchmark::State& state) {
  const GateDeal deal = MidGameDeal();
  for (auto _ : state) benchmark::DoNotOptimize(GateNoMovesLeft(deal.position, deal.stock, kRules));
}
BENCHMARK(BM_GateNoMovesAnalysisMidGame)->Unit(benchmark::kMicrosecond);

void BM_GateNoMovesAnalysisStuckTable(benchmark::State& state) {
  GateRules rules = kRules;
  rules.recycles = kRecyclesUnlimited;
  rules.fillFromWaste = true;
  // Random play from the mid-game table, again from the start until it sticks where moves are
  // still listed (the stock turning, runs shifting): only then does the search see them all.
  GateDeal deal;
  MoveList moves;
  std::uint32_t pick = 1;
  bool found = false;
  for (int attempt = 0; attempt < 200 && !found; ++attempt) {
    deal = MidGameDeal();
    for (int i = 0; i < 2000; ++i) {
      GateLegalMoves(deal.position, deal.stock, rules, moves);
      if (moves.empty()) break;
      if (GateNoMovesLeft(deal.position, deal.stock, rules)) {
        found = true;
        break;
      }
      pick = pick * 1103515245u + 12345u;
      GateApplyMove(deal.position, deal.stock, rules, moves[(pick >> 16) % moves.size()]);
    }
  }
  if (!found) {
    state.SkipWithError("no stuck table with moves listed");
    return;
  }
  state.counters["moves_listed"] = static_cast<double>(moves.size());
  for (auto _ : state) benchmark::DoNotOptimize(GateNoMovesLeft(deal.position, deal.stock, rules));
}
BENCHMARK(BM_GateNoMovesAnalysisStuckTable)->Unit(benchmark::kMicrosecond);

}  // namespace
