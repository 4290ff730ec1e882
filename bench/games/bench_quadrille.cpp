// Quadrille's hot paths on a mid-game table: deciding the play state after a move (goal: under
// 20 us, on the program's own shell), the legal moves with one of them played (goal: under 2 us),
// and the no-moves analysis that runs once after each move.
#include <benchmark/benchmark.h>

#include "bench/support/MidGameBench.h"
#include "games/quadrille/QuadrilleGame.h"
#include "tests/games/quadrille/QuadrilleSolver.h"

namespace {

constexpr std::uint32_t kSeed = 10;

// The deal of seed 10 played half way along the move-finder's win: the ring and the centre hold
// cards, the stock and the waste the rest.
struct MidGameDeal {
  QuadrilleDeal deal;
  int points = 0;
};

MidGameDeal MakeMidGameDeal() {
  MidGameDeal mid{DealQuadrille(kSeed, kQuadrilleDefaultRules), 0};
  const auto solution = SolveQuadrille(kSeed, kQuadrilleDefaultRules);
  if (!solution) return mid;
  for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
    mid.points += QuadrilleApplyMove(mid.deal.position, mid.deal.stock, kQuadrilleDefaultRules,
                                     solution->moves[i])
                      .points;
  return mid;
}

void BM_UpdatePlayStateMidGame(benchmark::State& state) {
  BenchShell shell("quadrille", kSeed);
  const MidGameDeal mid = MakeMidGameDeal();
  QuadrilleGame* game = TimeUpdatePlayState<QuadrilleGame>(
      state, shell, mid.deal.stock,
      [&](SnapshotWriter& out) { WriteQuadrilleBlock(out, mid.deal.position, mid.points + 5, 0); });
  if (game != nullptr) state.counters["centre"] = game->Position().centreCount;
}
BENCHMARK(BM_UpdatePlayStateMidGame)->Unit(benchmark::kMicrosecond);

void BM_LegalMovesAndApplyMidGame(benchmark::State& state) {
  TimeLegalMovesAndApply(
      state, MakeMidGameDeal().deal,
      [](QuadrilleDeal& deal, MoveList& moves) {
        QuadrilleLegalMoves(deal.position, deal.stock, kQuadrilleDefaultRules, moves);
      },
      [](QuadrilleDeal& deal, const Move& move) {
        return QuadrilleApplyMove(deal.position, deal.stock, kQuadrilleDefaultRules, move);
      });
}
BENCHMARK(BM_LegalMovesAndApplyMidGame)->Unit(benchmark::kMicrosecond);

void BM_FloorCopyTheTable(benchmark::State& state) {
  TimeTableCopy(state, MakeMidGameDeal().deal);
}
BENCHMARK(BM_FloorCopyTheTable)->Unit(benchmark::kMicrosecond);

void BM_NoMovesAnalysisMidGame(benchmark::State& state) {
  const QuadrilleDeal deal = MakeMidGameDeal().deal;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        QuadrilleNoMovesLeft(deal.position, deal.stock, kQuadrilleDefaultRules));
}
BENCHMARK(BM_NoMovesAnalysisMidGame)->Unit(benchmark::kMicrosecond);

}  // namespace
