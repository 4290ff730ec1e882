// How long the opening Klondike deal holds the player (goal: 3.5 s or less with its sounds), and
// where that time goes: the same deal with the program's own flight pacing and sound effects, with
// the pacing alone (sounds off), with the sounds alone (flights landing at once) and with neither.
// The time per iteration is one whole deal, wall clock. The effects play through the real sound
// device; on a machine without one, SDL's dummy driver stands in (its callback runs on the same
// clock as a real device's), and the "dummy_driver" counter says so.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdlib>
#include <string_view>

#include "audio/Audio.h"
#include "audio/AudioDevice.h"
#include "bench/support/BenchShell.h"
#include "games/klondike/KlondikeGame.h"
#include "persist/Preferences.h"

namespace {

// Brings the sound device up for the bench: the shell opens it beside its start-up; without a
// device (and without a driver chosen by the caller) the dummy driver is opened instead.
// True when that is the dummy driver, whoever chose it.
bool DummyAudio() {
  AudioDeviceWaitBackground();
  if (!AudioReady() && std::getenv("SDL_AUDIODRIVER") == nullptr) {
    AudioStop();
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioStart();
  }
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  return driver != nullptr && std::string_view(driver) == "dummy";
}

void BM_OpeningDeal(benchmark::State& state, bool paced, bool sounds) {
  BenchShell shell("klondike-deal", 7);
  const bool dummy = DummyAudio();
  if (sounds && !AudioReady()) {
    state.SkipWithError("no sound device, not even SDL's dummy driver");
    return;
  }
  ThePreferences().soundEnabled = sounds ? 1 : 0;
  TheGameServices().flightStepDelay =
      paced ? kDefaultFlightStepDelay : std::chrono::microseconds(0);
  for (auto _ : state) {
    if (shell.Start<KlondikeGame>() == nullptr) {
      state.SkipWithError("no game: the shell could not start");
      return;
    }
  }
  state.counters["dummy_driver"] = dummy ? 1 : 0;
}

BENCHMARK_CAPTURE(BM_OpeningDeal, paced_with_sounds, true, true)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpeningDeal, paced_silent, true, false)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpeningDeal, unpaced_with_sounds, false, true)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpeningDeal, floor_unpaced_silent, false, false)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
