// Klondike's two hot paths on a mid-game table: deciding the play state after a move (goal:
// under 20 us) and redrawing the whole table (goal: under 2 ms, and within 4x of one full-screen
// copy, the floor measured in the same run). The table is set up the way the program sets it up:
// the real shell, headless, with the theme artwork, the toolkit and the game's menu bar.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/games/BenchGameTable.h"
#include "engine/BaseSnapshot.h"
#include "games/klondike/KlondikeGame.h"
#include "gfx/Gfx.h"
#include "tests/games/klondike/KlondikeSolver.h"

namespace {

// The shell with a Klondike deal of seed 7 played half way: every move the move-finder makes in
// the first half of its win, loaded onto the table through the game's own Undo.
class MidGame : public BenchGameTable<KlondikeGame> {
public:
  MidGame() : BenchGameTable("klondike", 7) {
    const auto solution = SolveKlondike(7, kKlondikeDefaultRules);
    KlondikeDeal deal = DealKlondike(7, kKlondikeDefaultRules);
    int points = 0;
    if (solution.has_value()) {
      for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
        points += PlayKlondikeMove(deal, kKlondikeDefaultRules, solution->moves[i]).value_or(0);
    }
    SnapshotWriter out;
    WriteBaseState(out, deal.stock, {}, {});
    WriteKlondikeBlock(out, deal.position, points + 5, 0);
    Load(out.Bytes());
  }
};

void BM_UpdatePlayStateMidGame(benchmark::State& state) {
  MidGame table;
  if (table.Game() == nullptr) {
    state.SkipWithError("no game: the shell could not start");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(table.Game()->UpdatePlayState());
  state.counters["drag_sources"] = table.Game()->DragSources().Size();
}
BENCHMARK(BM_UpdatePlayStateMidGame)->Unit(benchmark::kMicrosecond);

void BM_RedrawAllMidGame(benchmark::State& state) {
  MidGame table;
  if (table.Game() == nullptr) {
    state.SkipWithError("no game: the shell could not start");
    return;
  }
  const long showsBefore = table.Shows();
  for (auto _ : state) table.Game()->RedrawAll(true);
  state.counters["shows_per_redraw"] =
      static_cast<double>(table.Shows() - showsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RedrawAllMidGame)->Unit(benchmark::kMicrosecond);

// The rule path alone, on the same mid-game position: the legal moves and one of them played
// (goal: under 2 us together), and the no-moves analysis that runs once after each move.
KlondikeDeal MidGameDeal() {
  const auto solution = SolveKlondike(7, kKlondikeDefaultRules);
  KlondikeDeal deal = DealKlondike(7, kKlondikeDefaultRules);
  if (!solution) return deal;
  for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
    PlayKlondikeMove(deal, kKlondikeDefaultRules, solution->moves[i]);
  return deal;
}

void BM_LegalMovesAndApplyMidGame(benchmark::State& state) {
  const KlondikeDeal start = MidGameDeal();
  MoveList moves;
  std::size_t next = 0;
  for (auto _ : state) {
    KlondikeDeal deal = start;
    KlondikeLegalMoves(deal.position, deal.stock, kKlondikeDefaultRules, moves);
    if (moves.empty()) break;
    const Move& move = moves[next++ % moves.size()];
    benchmark::DoNotOptimize(
        KlondikeApplyMove(deal.position, deal.stock, kKlondikeDefaultRules, move));
  }
  state.counters["legal_moves"] = static_cast<double>(moves.size());
}
BENCHMARK(BM_LegalMovesAndApplyMidGame)->Unit(benchmark::kMicrosecond);

// The copy of the table that the step above starts from each time, to subtract from it.
void BM_FloorCopyTheTable(benchmark::State& state) {
  const KlondikeDeal start = MidGameDeal();
  for (auto _ : state) {
    KlondikeDeal deal = start;
    benchmark::DoNotOptimize(deal);
  }
}
BENCHMARK(BM_FloorCopyTheTable)->Unit(benchmark::kMicrosecond);

void BM_NoMovesAnalysisMidGame(benchmark::State& state) {
  const KlondikeDeal deal = MidGameDeal();
  for (auto _ : state)
    benchmark::DoNotOptimize(KlondikeNoMovesLeft(deal.position, deal.stock, kKlondikeDefaultRules));
}
BENCHMARK(BM_NoMovesAnalysisMidGame)->Unit(benchmark::kMicrosecond);

// A table where nothing is left to turn up and no stock card plays at once: the analysis has to
// follow the moves that shift cards about, the most it ever does in a deal.
void BM_NoMovesAnalysisStuckTable(benchmark::State& state) {
  KlondikeDeal deal = MidGameDeal();
  KlondikeRules rules = kKlondikeDefaultRules;
  MoveList moves;
  // Play on at random until the analysis has real work: a recycle used and no quick answer.
  std::uint32_t pick = 1;
  for (int i = 0; i < 400 && !KlondikeNoMovesLeft(deal.position, deal.stock, rules); ++i) {
    KlondikeLegalMoves(deal.position, deal.stock, rules, moves);
    if (moves.empty()) break;
    pick = pick * 1103515245u + 12345u;
    KlondikeApplyMove(deal.position, deal.stock, rules, moves[(pick >> 16) % moves.size()]);
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(KlondikeNoMovesLeft(deal.position, deal.stock, rules));
}
BENCHMARK(BM_NoMovesAnalysisStuckTable)->Unit(benchmark::kMicrosecond);

// The floor: one full-screen copy from the backdrop into the screen buffer.
void BM_FloorFullScreenCopy(benchmark::State& state) {
  MidGame table;
  const int backdrop = table.Game() != nullptr ? GfxAllocBuffer(800, 600) : -1;
  if (backdrop < 0) {
    state.SkipWithError("no buffer");
    return;
  }
  for (auto _ : state) GfxCopyRect(0, 799, 0, 599, 0, 599, backdrop, table.Screen());
  GfxFreeBuffer(backdrop);
}
BENCHMARK(BM_FloorFullScreenCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
