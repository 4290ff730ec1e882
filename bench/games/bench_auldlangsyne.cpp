// Auld Lang Syne's hot paths on a mid-game table: deciding the play state after a move (goal:
// under 20 us, on the program's own shell), the legal moves with one of them played (goal: under
// 2 us), and the no-moves analysis that runs once after each move.
#include <benchmark/benchmark.h>

#include "bench/support/BenchShell.h"
#include "engine/BaseSnapshot.h"
#include "games/auldlangsyne/AuldLangSyneGame.h"
#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"

namespace {

constexpr std::uint32_t kSeed = 888;  // the move-finder wins it

// The deal played half way along the move-finder's win: cards on the foundations and the piles,
// the stock still holding some.
struct MidGameDeal {
  AuldLangSyneDeal deal;
  int points = 0;
};

MidGameDeal MakeMidGameDeal() {
  MidGameDeal mid{DealAuldLangSyne(kSeed, kAlsDefaultRules), 0};
  const auto solution = SolveAuldLangSyne(kSeed, kAlsDefaultRules);
  if (!solution) return mid;
  for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
    mid.points +=
        AuldLangSyneApplyMove(mid.deal.position, mid.deal.stock, solution->moves[i]).points;
  return mid;
}

void BM_UpdatePlayStateMidGame(benchmark::State& state) {
  BenchShell shell("auldlangsyne", kSeed);
  AuldLangSyneGame* game = shell.Start<AuldLangSyneGame>();
  if (game == nullptr) {
    state.SkipWithError("no game: the shell could not start");
    return;
  }
  const MidGameDeal mid = MakeMidGameDeal();
  SnapshotWriter out;
  WriteBaseState(out, mid.deal.stock, {}, {});
  WriteAuldLangSyneBlock(out, mid.deal.position, mid.points + 5, 0);
  shell.LoadSnapshot(*game, out.Bytes());
  for (auto _ : state) benchmark::DoNotOptimize(game->UpdatePlayState());
  state.counters["stock"] = game->GetDeck().Remaining();
}
BENCHMARK(BM_UpdatePlayStateMidGame)->Unit(benchmark::kMicrosecond);

void BM_LegalMovesAndApplyMidGame(benchmark::State& state) {
  const AuldLangSyneDeal start = MakeMidGameDeal().deal;
  MoveList moves;
  std::size_t next = 0;
  for (auto _ : state) {
    AuldLangSyneDeal deal = start;
    AuldLangSyneLegalMoves(deal.position, deal.stock, moves);
    if (moves.empty()) break;
    const Move& move = moves[next++ % moves.size()];
    benchmark::DoNotOptimize(AuldLangSyneApplyMove(deal.position, deal.stock, move));
  }
  state.counters["legal_moves"] = static_cast<double>(moves.size());
}
BENCHMARK(BM_LegalMovesAndApplyMidGame)->Unit(benchmark::kMicrosecond);

// The copy of the table that the step above starts from each time, to subtract from it.
void BM_FloorCopyTheTable(benchmark::State& state) {
  const AuldLangSyneDeal start = MakeMidGameDeal().deal;
  for (auto _ : state) {
    AuldLangSyneDeal deal = start;
    benchmark::DoNotOptimize(deal);
  }
}
BENCHMARK(BM_FloorCopyTheTable)->Unit(benchmark::kMicrosecond);

void BM_NoMovesAnalysisMidGame(benchmark::State& state) {
  const AuldLangSyneDeal deal = MakeMidGameDeal().deal;
  for (auto _ : state) benchmark::DoNotOptimize(AuldLangSyneNoMovesLeft(deal.position, deal.stock));
}
BENCHMARK(BM_NoMovesAnalysisMidGame)->Unit(benchmark::kMicrosecond);

}  // namespace
