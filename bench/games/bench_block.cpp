// Block Solitaire's hot paths on a mid-game table: deciding the play state after a move (goal:
// under 20 us, on the program's own shell), the legal moves with one of them played (goal: under
// 2 us), and the no-moves analysis that runs once after each move.
#include <benchmark/benchmark.h>

#include "bench/support/MidGameBench.h"
#include "games/block/BlockGame.h"
#include "tests/games/block/BlockSolver.h"

namespace {

constexpr std::uint32_t kSeed = 1;

// The deal of seed 1 played half way along the move-finder's win, ending on a selection: ten
// pairs gone, the slots full, eight cards left in the stock, one card selected.
struct MidGameDeal {
  BlockDealt deal;
  int points = 0;
};

MidGameDeal MakeMidGameDeal() {
  MidGameDeal mid{DealBlock(kSeed), 0};
  const auto solution = SolveBlock(kSeed);
  if (!solution) return mid;
  const std::size_t half = solution->moves.size() / 2;
  for (std::size_t i = 0; i < (half | 1); ++i)
    mid.points += BlockApplyMove(mid.deal.position, mid.deal.stock, solution->moves[i]).points;
  return mid;
}

void BM_UpdatePlayStateMidGame(benchmark::State& state) {
  BenchShell shell("block", kSeed);
  const MidGameDeal mid = MakeMidGameDeal();
  BlockGame* game =
      TimeUpdatePlayState<BlockGame>(state, shell, mid.deal.stock, [&](SnapshotWriter& out) {
        WriteBlockSnapshotBlock(out, mid.deal.position, mid.points + 5, 0);
      });
  if (game != nullptr) state.counters["stock"] = game->GetDeck().Remaining();
}
BENCHMARK(BM_UpdatePlayStateMidGame)->Unit(benchmark::kMicrosecond);

void BM_LegalMovesAndApplyMidGame(benchmark::State& state) {
  TimeLegalMovesAndApply(
      state, MakeMidGameDeal().deal,
      [](BlockDealt& deal, MoveList& moves) { BlockLegalMoves(deal.position, moves); },
      [](BlockDealt& deal, const Move& move) {
        return BlockApplyMove(deal.position, deal.stock, move);
      });
}
BENCHMARK(BM_LegalMovesAndApplyMidGame)->Unit(benchmark::kMicrosecond);

void BM_FloorCopyTheTable(benchmark::State& state) {
  TimeTableCopy(state, MakeMidGameDeal().deal);
}
BENCHMARK(BM_FloorCopyTheTable)->Unit(benchmark::kMicrosecond);

void BM_NoMovesAnalysisMidGame(benchmark::State& state) {
  const BlockDealt deal = MakeMidGameDeal().deal;
  for (auto _ : state) benchmark::DoNotOptimize(BlockNoMovesLeft(deal.position, deal.stock));
}
BENCHMARK(BM_NoMovesAnalysisMidGame)->Unit(benchmark::kMicrosecond);

}  // namespace
