// Auld Lang Syne's hot paths on a mid-game table: deciding the play state after a move (goal:
// under 20 us, on the program's own shell), the legal moves with one of them played (goal: under
// 2 us), and the no-moves analysis that runs once after each move.
#include <benchmark/benchmark.h>

#include "bench/support/MidGameBench.h"
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
  const MidGameDeal mid = MakeMidGameDeal();
  AuldLangSyneGame* game =
      TimeUpdatePlayState<AuldLangSyneGame>(state, shell, mid.deal.stock, [&](SnapshotWriter& out) {
        WriteAuldLangSyneBlock(out, mid.deal.position, mid.points + 5, 0);
      });
  if (game != nullptr) state.counters["stock"] = game->GetDeck().Remaining();
}
BENCHMARK(BM_UpdatePlayStateMidGame)->Unit(benchmark::kMicrosecond);

void BM_LegalMovesAndApplyMidGame(benchmark::State& state) {
  TimeLegalMovesAndApply(
      state, MakeMidGameDeal().deal,
      [](AuldLangSyneDeal& deal, MoveList& moves) {
        AuldLangSyneLegalMoves(deal.position, deal.stock, moves);
      },
      [](AuldLangSyneDeal& deal, const Move& move) {
        return AuldLangSyneApplyMove(deal.position, deal.stock, move);
      });
}
BENCHMARK(BM_LegalMovesAndApplyMidGame)->Unit(benchmark::kMicrosecond);

void BM_FloorCopyTheTable(benchmark::State& state) {
  TimeTableCopy(state, MakeMidGameDeal().deal);
}
BENCHMARK(BM_FloorCopyTheTable)->Unit(benchmark::kMicrosecond);

void BM_NoMovesAnalysisMidGame(benchmark::State& state) {
  const AuldLangSyneDeal deal = MakeMidGameDeal().deal;
  for (auto _ : state) benchmark::DoNotOptimize(AuldLangSyneNoMovesLeft(deal.position, deal.stock));
}
BENCHMARK(BM_NoMovesAnalysisMidGame)->Unit(benchmark::kMicrosecond);

}  // namespace
