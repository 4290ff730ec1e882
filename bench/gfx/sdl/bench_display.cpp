// Cost of showing the whole screen through the SDL display back end (dummy video driver), both
// on the window surface and through the scaling renderer.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "gfx/Gfx.h"
#include "gfx/sdl/SdlDisplay.h"

namespace {

struct DisplayFixture {
  SDL_Window* window = nullptr;
  std::unique_ptr<SdlDisplay> display;
  int buffer = -1;

  DisplayFixture(int windowWidth, int windowHeight) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    window = SDL_CreateWindow("bench", 0, 0, windowWidth, windowHeight, SDL_WINDOW_RESIZABLE);
    display = std::make_unique<SdlDisplay>(window);
    GfxSetMode(800, 600, 32, 0);
    GfxSetDC(display.get());
    GfxDefaultPalette();
    GfxStart();
    GfxSetBufferDepth(32);
    buffer = GfxAllocBuffer(800, 600);
    GfxOpenBuffer(buffer);
    for (int y = 0; y < 600; y += 8) {
      GfxSetColor(GfxMapRGB(y % 256, (y * 3) % 256, 128));
      GfxFillRect(0, 799, y, y + 7);
    }
  }
  ~DisplayFixture() {
    GfxCloseBuffer();
    GfxFreeBuffer(buffer);
    GfxStop();
    GfxSetDC(nullptr);
    display.reset();
    SDL_DestroyWindow(window);
    SDL_Quit();
  }
};

// Every iteration shows the whole screen and forces it out (the pacing would otherwise hold
// back all but one show per refresh, which is the point in the game but not here).
void ShowWholeScreen(benchmark::State& state, int windowWidth, int windowHeight) {
  DisplayFixture fixture(windowWidth, windowHeight);
  if (!fixture.window) {
    state.SkipWithError("no SDL window");
    return;
  }
  for (auto _ : state) {
    GfxShowRect(0, 799, 0, 599, 0, 599);
    fixture.display->ForcePresent();
  }
  state.SetBytesProcessed(state.iterations() * 800LL * 600 * 4);
  state.SetLabel(fixture.display->IsScaled() ? "scaled renderer" : "window surface");
}

void BM_ShowRectFullScreenSurface(benchmark::State& state) {
  ShowWholeScreen(state, 800, 600);
}
void BM_ShowRectFullScreenScaled2x(benchmark::State& state) {
  ShowWholeScreen(state, 1600, 1200);
}

}  // namespace

BENCHMARK(BM_ShowRectFullScreenSurface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowRectFullScreenScaled2x)->Unit(benchmark::kMicrosecond);
