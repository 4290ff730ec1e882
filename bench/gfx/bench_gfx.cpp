// Speed of the copies the game leans on: a full-screen opaque copy against plain memcpy of the
// same bytes, and the colour-keyed copy of one card at 32 and 16 bits.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/HeadlessDisplay.h"

namespace {

// Starts the layer headless at a depth, with magenta transparent as the game sets it.
class Layer {
public:
  explicit Layer(int bits, bool is565 = true)
      : display_(bits, bits == 16
                           ? (is565 ? HeadlessDisplay::Masks565() : HeadlessDisplay::Masks555())
                           : HeadlessDisplay::Masks888()) {
    GfxSetMode(800, 600, bits, 0);
    GfxSetDC(&display_);
    GfxDefaultPalette();
    GfxStart();
    GfxSetBufferDepth(bits);
    GfxSetTransparent(34, 1);
    GfxSetTransparent(253, 1);
  }
  ~Layer() {
    GfxCloseBuffer();
    GfxStop();
    GfxSetDC(nullptr);
  }

  static int Filled(int width, int height, Color color) {
    const int handle = GfxAllocBuffer(width, height);
    GfxOpenBuffer(handle);
    GfxSetColor(color);
    GfxClear();
    return handle;
  }

  // A 53 x 83 card with magenta rounded corners, as the deck strips hold them.
  static int Card() {
    const int card = Filled(53, 83, GfxMapRGB(250, 250, 250));
    GfxSetColor(GfxMapRGB(255, 0, 255));
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4 - i; ++j) {
        GfxPoint(i, j);
        GfxPoint(52 - i, j);
        GfxPoint(i, 82 - j);
        GfxPoint(52 - i, 82 - j);
      }
    }
    GfxSetColor(GfxMapRGB(200, 0, 0));
    GfxFillRect(5, 20, 5, 30);
    return card;
  }

private:
  HeadlessDisplay display_;
};

void BM_CopyRectFullScreen32(benchmark::State& state) {
  Layer layer(32);
  const int source = Layer::Filled(800, 600, GfxMapRGB(0, 90, 0));
  const int dest = Layer::Filled(800, 600, 0);
  for (auto _ : state) {
    GfxCopyRect(0, 799, 0, 599, 0, 599, source, dest);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 800LL * 600 * 4);
}
BENCHMARK(BM_CopyRectFullScreen32);

// The yardstick for the opaque copy: the same bytes moved by one memcpy.
void BM_MemcpyFullScreen32(benchmark::State& state) {
  std::vector<std::uint8_t> source(800 * 600 * 4, 1), dest(800 * 600 * 4);
  for (auto _ : state) {
    std::memcpy(dest.data(), source.data(), source.size());
    benchmark::DoNotOptimize(dest.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 800LL * 600 * 4);
}
BENCHMARK(BM_MemcpyFullScreen32);

void BM_TransparentCard(benchmark::State& state, int bits) {
  Layer layer(bits);
  const int card = Layer::Card();
  const int table = Layer::Filled(800, 600, GfxMapRGB(0, 90, 0));
  for (auto _ : state) {
    GfxCopyRectTransparent(0, 52, 0, 82, 300, 282, card, table);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_TransparentCard, 32bit, 32);
BENCHMARK_CAPTURE(BM_TransparentCard, 16bit, 16);

}  // namespace
