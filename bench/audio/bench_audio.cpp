// What the sound device costs while an effect plays, against the same device left idle in the
// same run: the share of one core taken by the device's callback thread and by the whole process
// (the window's thread waits for the effect meanwhile). Runs on whichever SDL audio driver is set;
// SDL's dummy driver when SDL_AUDIODRIVER is unset.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioDevice.h"

namespace {

constexpr int kSoundMs = 2000;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}

// A noisy tone of kSoundMs: 16-bit mono at `rate` (the device's own rate needs no resampling).
void WriteEffect(const std::filesystem::path& path, std::uint32_t rate) {
  const std::uint32_t frames = rate * kSoundMs / 1000;
  std::vector<std::uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  Put32(out, 36 + frames * 2);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, rate);
  Put32(out, rate * 2);
  Put16(out, 2);
  Put16(out, 16);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put32(out, frames * 2);
  std::uint32_t noise = 12345;
  for (std::uint32_t i = 0; i < frames; ++i) {
    noise = noise * 1103515245u + 12345u;
    Put16(out, ((i / 25) % 2 == 0 ? 6000u : 0u) + ((noise >> 16) & 0x3FFu));
  }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// CPU seconds of the process's threads whose name starts with "SDLAudio" (the device thread),
// from the scheduler's nanosecond count: the tick-based counts are far too coarse for it.
double AudioThreadSeconds() {
  double total = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name.rfind("SDLAudio", 0) != 0) continue;
    std::ifstream schedstat(task.path() / "schedstat");
    unsigned long long onCpuNs = 0;
    if (schedstat >> onCpuNs) total += static_cast<double>(onCpuNs) * 1e-9;
  }
  return total;
}

struct Setup {
  std::filesystem::path dir;
  Setup() {
    if (std::getenv("SDL_AUDIODRIVER") == nullptr) ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string pattern = (std::filesystem::temp_directory_path() / "qs-bench-sfx-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    dir = pattern;
    std::filesystem::create_directory(dir / "SFX");
    WriteEffect(dir / "SFX" / "same-rate.wav", 22050);
    WriteEffect(dir / "SFX" / "resampled.wav", 44100);
  }
  ~Setup() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

// name == nullptr: the device runs for the same time with nothing to play.
void Measure(benchmark::State& state, const char* name) {
  static Setup setup;
  // The device alone: the music thread would add its synthesizer's cost (measured apart).
  if (!AudioDeviceOpen()) {
    state.SkipWithError("no audio device");
    return;
  }
  double cpu = 0;
  double audio = 0;
  double wall = 0;
  for (auto _ : state) {
    const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double audio0 = AudioThreadSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (name != nullptr) {
      auto file = std::make_unique<WaveFile>();
      if (file->Open((setup.dir / "SFX" / name).c_str()) != kWaveOk) std::abort();
      AudioDevicePlaySfx(std::move(file));
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(kSoundMs));
    }
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu += Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    audio += AudioThreadSeconds() - audio0;
  }
  AudioDeviceClose();
  state.counters["process_cpu_pct"] = 100.0 * cpu / wall;
  state.counters["device_thread_cpu_pct"] = 100.0 * audio / wall;
  state.counters["blocked_s"] = wall / static_cast<double>(state.iterations());
}

void BM_DeviceIdle(benchmark::State& state) {
  Measure(state, nullptr);
}
void BM_EffectAtDeviceRate(benchmark::State& state) {
  Measure(state, "same-rate.wav");
}
void BM_EffectResampled(benchmark::State& state) {
  Measure(state, "resampled.wav");
}

}  // namespace

BENCHMARK(BM_DeviceIdle)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EffectAtDeviceRate)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EffectResampled)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
