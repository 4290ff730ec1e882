// What the music costs while it plays: rendering one second of each generated song through the
// program's own synth set-up (22,050 Hz, the first SoundFont found, dynamic sample loading). The
// time per iteration is the share of one core the music takes; "core_share_percent" says it
// outright (goal: under 5 %).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "audio/fluidsynth/FluidMusic.h"
#include "audio/fluidsynth/SoundFontSearch.h"
#include "platform/DataDir.h"

namespace {

constexpr int kRate = 22050;

void BM_RenderOneSecond(benchmark::State& state, const char* song) {
  const char* media = std::getenv("QS_MEDIA_DIR");
  SetDataDir(media != nullptr && *media != '\0' ? media : QS_MEDIA_DIR);
  const std::string soundFont = FindSoundFont();
  std::unique_ptr<FluidMusic> music = FluidMusic::Create(kRate, soundFont);
  if (music == nullptr || !music->Play(song)) {
    state.SkipWithError("no SoundFont or no song");
    return;
  }
  std::vector<std::int16_t> frames(2 * kRate);
  for (auto _ : state) {
    // A song that ends starts again, so every second rendered is a second of music.
    if (music->Ended()) music->Play(song);
    music->Render(frames.data(), kRate);
    benchmark::DoNotOptimize(frames.data());
  }
  // Seconds of work per second of music, as a percentage.
  state.counters["core_share_percent"] =
      benchmark::Counter(static_cast<double>(state.iterations()) / 100.0,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(BM_RenderOneSecond, title, "music\\MAIN.MID")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderOneSecond, song1, "music\\SONG1.MID")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderOneSecond, song4, "music\\SONG4.MID")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderOneSecond, win, "music\\WIN.MID")->Unit(benchmark::kMillisecond);

}  // namespace
