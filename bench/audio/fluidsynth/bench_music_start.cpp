// Whether a song's first notes can stutter: each generated song started on a fresh synth (none of
// its instruments loaded yet) and its first two seconds rendered in the sound device's blocks of
// 512 frames at 22,050 Hz, the way the device callback pulls them. "longest_callback_ms" is the
// slowest block by the wall clock, "longest_callback_cpu_ms" by the thread's own CPU time (on a
// shared, loaded machine the wall clock also counts the time other programs had the core); it
// must stay under half the device period ("half_period_ms"), or the device may run dry. "start_ms"
// is what starting the song cost the music thread. Run once per SoundFont Debian installs; one that
// is not installed is reported as such, not measured.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/fluidsynth/FluidMusic.h"
#include "platform/DataDir.h"

namespace {

constexpr int kRate = 22050;
// The sound device's buffer (audio/sdl/SdlAudioDevice.cpp): one callback renders this much.
constexpr int kDeviceFrames = 512;
constexpr int kBlocks = 2 * kRate / kDeviceFrames;

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void BM_SongStart(benchmark::State& state, const char* soundFont, const char* song) {
  const char* media = std::getenv("QS_MEDIA_DIR");
  SetDataDir(media != nullptr && *media != '\0' ? media : QS_MEDIA_DIR);
  const std::string path = std::string("/usr/share/sounds/sf2/") + soundFont;
  if (!std::filesystem::is_regular_file(path)) {
    state.SkipWithError((std::string(soundFont) + " not installed").c_str());
    return;
  }
  std::vector<std::int16_t> block(2 * kDeviceFrames);
  double longest = 0;
  double longestCpu = 0;
  double start = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<FluidMusic> music = FluidMusic::Create(kRate, path);
    state.ResumeTiming();
    const Clock::time_point before = Clock::now();
    if (music == nullptr || !music->Play(song)) {
      state.SkipWithError("the SoundFont or the song did not load");
      return;
    }
    start += Ms(Clock::now() - before);
    for (int i = 0; i < kBlocks; ++i) {
      const Clock::time_point t = Clock::now();
      const double cpu = ThreadCpuMs();
      music->Render(block.data(), kDeviceFrames);
      longestCpu = std::max(longestCpu, ThreadCpuMs() - cpu);
      longest = std::max(longest, Ms(Clock::now() - t));
    }
    benchmark::DoNotOptimize(block.data());
  }
  const double period = 1000.0 * kDeviceFrames / kRate;
  state.counters["longest_callback_ms"] = longest;
  state.counters["longest_callback_cpu_ms"] = longestCpu;
  state.counters["half_period_ms"] = period / 2;
  state.counters["start_ms"] = start / static_cast<double>(state.iterations());
}

#define QS_SONG_STARTS(font, tag)                                        \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_title, font, "music\\MAIN.MID")  \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_song1, font, "music\\SONG1.MID") \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_song2, font, "music\\SONG2.MID") \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_song3, font, "music\\SONG3.MID") \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_song4, font, "music\\SONG4.MID") \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_song5, font, "music\\SONG5.MID") \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_song6, font, "music\\SONG6.MID") \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_win, font, "music\\WIN.MID")     \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond);                                   \
  BENCHMARK_CAPTURE(BM_SongStart, tag##_lose, font, "music\\LOSE.MID")   \
      ->Iterations(3)                                                    \
      ->Unit(benchmark::kMillisecond)

QS_SONG_STARTS("TimGM6mb.sf2", TimGM6mb);
QS_SONG_STARTS("FluidR3_GM.sf2", FluidR3_GM);

}  // namespace
