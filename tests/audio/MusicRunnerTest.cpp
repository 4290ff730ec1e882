// The music thread's life with a recording player: made on its own thread, following the shared
// words, and ending promptly when told to quit.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/Audio.h"
#include "audio/music/MusicRunner.h"
#include "audio/music/MusicThread.h"

namespace {

using Clock = std::chrono::steady_clock;

// Shared by the test and the music thread.
struct Log {
  std::mutex mutex;
  std::vector<std::string> started;
  std::atomic<int> stops{0};
  std::atomic<bool> destroyed{false};
  std::thread::id madeOn;
  std::vector<std::string> Started() {
    std::lock_guard<std::mutex> lock(mutex);
    return started;
  }
};

class ThreadedPlayer : public MidiPlayer {
public:
  explicit ThreadedPlayer(Log& log) : log_(log) {}
  ~ThreadedPlayer() override { log_.destroyed = true; }
  bool Play(const std::string& mediaName) override {
    std::lock_guard<std::mutex> lock(log_.mutex);
    log_.started.push_back(mediaName);
    return true;
  }
  void Stop() override { ++log_.stops; }
  bool Ended() override { return false; }

private:
  Log& log_;
};

// Waits until `count` songs have started, with a generous limit for a busy machine.
bool StartedCount(Log& log, std::size_t count) {
  const auto limit = Clock::now() + std::chrono::seconds(5);
  while (log.Started().size() != count && Clock::now() < limit)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return log.Started().size() == count;
}

}  // namespace

TEST(MusicRunnerTest, FollowsTheSharedWordsAndQuitsPromptly) {
  Log log;
  std::atomic<int> track{0};
  MusicRunner runner;
  runner.Start(
      [&log]() -> std::unique_ptr<MidiPlayer> {
        log.madeOn = std::this_thread::get_id();
        return std::make_unique<ThreadedPlayer>(log);
      },
      [&track] {
        MusicInputs in;
        in.allowed = true;
        in.track = track.load();
        return in;
      },
      99);
  ASSERT_TRUE(StartedCount(log, 1));
  EXPECT_NE(log.madeOn, std::this_thread::get_id()) << "the synthesizer is made off this thread";
  track = 2;
  ASSERT_TRUE(StartedCount(log, 2));
  EXPECT_EQ(log.Started().back(), "music\\WIN.MID");
  // Once the thread is in its 100 ms wait, quitting cuts the wait short.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const auto before = Clock::now();
  runner.Stop();
  EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(500));
  EXPECT_FALSE(runner.Running());
  EXPECT_GE(log.stops.load(), 2) << "the song is stopped on quit";
  EXPECT_TRUE(log.destroyed.load());
}

TEST(MusicRunnerTest, NoSynthesizerMeansNoMusicAndAQuietEnd) {
  std::atomic<int> passes{0};
  MusicRunner runner;
  runner.Start([]() -> std::unique_ptr<MidiPlayer> { return nullptr; },
               [&passes] {
                 ++passes;
                 return MusicInputs{};
               },
               1);
  runner.Stop();
  EXPECT_FALSE(runner.Running());
  EXPECT_EQ(passes.load(), 0);
}
