// Block Solitaire's hot paths on a mid-game table: deciding the play state after a move (goal:
// under 20 us, on the program's own shell), the legal moves with one of them played (goal: under
// 2 us), and the no-moves analysis that runs once after each move.
#include <benchmark/benchmark.h>

#include "bench/support/BenchShell.h"
#include "engine/BaseSnapshot.h"
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
  BlockGame* game = shell.Start<BlockGame>();
  if (game == nullptr) {
    state.SkipWithError("no game: the shell could not start");
    return;
  }
  const MidGameDeal mid = MakeMidGameDeal();
  SnapshotWriter out;
  WriteBaseState(out, mid.deal.stock, {}, {});
  WriteBlockSnapshotBlock(out, mid.deal.position, mid.points + 5, 0);
  shell.LoadSnapshot(*game, out.Bytes());
  for (auto _ : state) benchmark::DoNotOptimize(game->UpdatePlayState());
  state.counters["stock"] = game->GetDeck().Remaining();
}
BENCHMARK(BM_UpdatePlayStateMidGame)->Unit(benchmark::kMicrosecond);

void BM_LegalMovesAndApplyMidGame(benchmark::State& state) {
  const BlockDealt start = MakeMidGameDeal().deal;
  MoveList moves;
  std::size_t next = 0;
  for (auto _ : state) {
    BlockDealt deal = start;
    BlockLegalMoves(deal.position, moves);
    if (moves.empty()) break;
    const Move& move = moves[next++ % moves.size()];
    benchmark::DoNotOptimize(BlockApplyMove(deal.position, deal.stock, move));
  }
  state.counters["legal_moves"] = static_cast<double>(moves.size());
}
BENCHMARK(BM_LegalMovesAndApplyMidGame)->Unit(benchmark::kMicrosecond);

// The copy of the table that the step above starts from each time, to subtract from it.
void BM_FloorCopyTheTable(benchmark::State& state) {
  const BlockDealt start = MakeMidGameDeal().deal;
  for (auto _ : state) {
    BlockDealt deal = start;
    benchmark::DoNotOptimize(deal);
  }
}
BENCHMARK(BM_FloorCopyTheTable)->Unit(benchmark::kMicrosecond);

void BM_NoMovesAnalysisMidGame(benchmark::State& state) {
  const BlockDealt deal = MakeMidGameDeal().deal;
  for (auto _ : state) benchmark::DoNotOptimize(BlockNoMovesLeft(deal.position, deal.stock));
}
BENCHMARK(BM_NoMovesAnalysisMidGame)->Unit(benchmark::kMicrosecond);

}  // namespace
