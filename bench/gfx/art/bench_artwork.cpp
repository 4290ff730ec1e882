// Time from nothing to a drawable table: the artwork's start-up load with its first theme (goal:
// under 100 ms), a theme switch on its own, and the commonest card drawing calls.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench/support/BenchGfx.h"
#include "gfx/Gfx.h"
#include "gfx/HeadlessDisplay.h"
#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "platform/DataDir.h"

namespace {

using Session = BenchGfx;

void BM_StartUpLoadWithTheme(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    auto art = std::make_unique<ArtworkSet>();
    art->Load(session.Screen(), 1);
    art->LoadTheme(0);
    benchmark::DoNotOptimize(art->DialogTextColor());
  }
}
BENCHMARK(BM_StartUpLoadWithTheme)->Unit(benchmark::kMillisecond);

void BM_ThemeSwitch(benchmark::State& state) {
  Session session;
  ArtworkSet art;
  art.Load(session.Screen(), 1);
  int theme = 0;
  for (auto _ : state) art.LoadTheme(theme++ % 6);
}
BENCHMARK(BM_ThemeSwitch)->Unit(benchmark::kMillisecond);

// A Klondike-sized redraw: seven fanned columns, four foundations and the stock.
void BM_DrawTable(benchmark::State& state) {
  Session session;
  ArtworkSet art;
  art.Load(session.Screen(), 1);
  art.LoadTheme(0);
  art.LoadDecks();
  Card column[13];
  for (int i = 0; i < 13; ++i) column[i] = Card{i % 4, i};
  for (auto _ : state) {
    art.RestoreBackground(0, 799, 0, 599);
    for (int c = 0; c < 7; ++c)
      art.DrawFannedPile(40 + 105 * c, 190, column, 13, art.ScreenBuffer(), 13, 0, 15);
    for (int f = 0; f < 4; ++f)
      art.DrawFoundation(355 + 105 * f, 60, Card{f, 11}, art.ScreenBuffer(), 12, -1);
    ScreenRect bounds;
    art.DrawStock(&bounds, 40, 60, 2, 24, art.ScreenBuffer(), true);
  }
}
BENCHMARK(BM_DrawTable)->Unit(benchmark::kMillisecond);

}  // namespace
