// The music thread's body around the one-pass loop.
#include "audio/music/MusicRunner.h"

#include <chrono>
#include <system_error>

namespace {

// The longest a change of the shared words waits before the thread sees it.
constexpr std::chrono::milliseconds kPassInterval{100};

}  // namespace

void MusicRunner::Start(PlayerFactory factory, InputSource inputs, std::uint32_t seed) {
  if (thread_.joinable()) return;
  quit_.store(false, std::memory_order_relaxed);
  try {
    thread_ = std::thread(&MusicRunner::Run, this, std::move(factory), std::move(inputs), seed);
  } catch (const std::system_error&) {
    // No thread, no music; the game itself goes on.
  }
}

void MusicRunner::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(wakeMutex_);
    quit_.store(true, std::memory_order_relaxed);
  }
  wake_.notify_all();
  thread_.join();
}

void MusicRunner::Run(PlayerFactory factory, InputSource inputs, std::uint32_t seed) {
  std::unique_ptr<MidiPlayer> player = factory ? factory() : nullptr;
  if (!player) return;  // no synthesizer: silent for the rest of the run
  MusicLoop loop(*player, seed);
  while (!quit_.load(std::memory_order_relaxed)) {
    loop.Step(inputs());
    std::unique_lock<std::mutex> lock(wakeMutex_);
    wake_.wait_for(lock, kPassInterval, [this] { return quit_.load(std::memory_order_relaxed); });
  }
  loop.StopPlaying();
}
