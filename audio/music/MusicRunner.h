// The music thread's life: it makes its player (loading the SoundFont off the start-up path),
// runs one pass of the loop at least every 100 ms, and ends soon after it is told to quit.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "audio/music/MidiPlayer.h"
#include "audio/music/MusicLoop.h"

class MusicRunner {
public:
  // Makes the player on the music thread; null means no synthesizer, and then no music.
  using PlayerFactory = std::function<std::unique_ptr<MidiPlayer>()>;
  // Reads the shared words for one pass.
  using InputSource = std::function<MusicInputs()>;

  MusicRunner() = default;
  ~MusicRunner() { Stop(); }
  MusicRunner(const MusicRunner&) = delete;
  MusicRunner& operator=(const MusicRunner&) = delete;

  // Returns at once; a running thread is left as it is.
  void Start(PlayerFactory factory, InputSource inputs, std::uint32_t seed);
  // Raises the quit flag, wakes the thread and waits for it: the song stops and the player is
  // gone when this returns.
  void Stop();
  bool Running() const { return thread_.joinable(); }

private:
  void Run(PlayerFactory factory, InputSource inputs, std::uint32_t seed);

  std::atomic<bool> quit_{false};
  // Only for waking the thread early on quit; the shared words themselves need no lock.
  std::mutex wakeMutex_;
  std::condition_variable wake_;
  std::thread thread_;
};
