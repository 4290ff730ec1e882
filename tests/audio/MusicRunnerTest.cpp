// The music thread's life with a recording player: it makes its player on its own thread,
// follows the shared words, and ends promptly when told to quit.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/Audio.h"
#include "audio/music/MusicRunner.h"
#include "audio/music/MusicShared.h"
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

// Waits, with a generous limit for a busy machine, until `done` holds.
template <typename Condition>
bool Eventually(Condition done) {
  const auto limit = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < limit) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
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
  ASSERT_TRUE(Eventually([&] { return log.Started().size() == 1; }));
  EXPECT_NE(log.madeOn, std::this_thread::get_id()) << "the synthesizer is made off this thread";
  track = 2;
  ASSERT_TRUE(Eventually([&] { return log.Started().size() == 2; }));
  EXPECT_EQ(log.Started().back(), "music\\WIN.MID");

  // Let the thread settle into its 100 ms wait, then quit: the wait is cut short.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const auto before = Clock::now();
  runner.Stop();
  const auto took = Clock::now() - before;
  EXPECT_LT(took, std::chrono::milliseconds(500));
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

TEST(MusicSharedWords, PassSeesTheRequestsAndTheMirroredPreferences) {
  const std::int32_t songs[6] = {0, 0, 0, 1, 0, 0};
  MusicSyncPreferences(2, songs);
  MusicSetAppActive(false);
  MusicInputs in = ReadMusicInputs();
  EXPECT_EQ(in.musicEnabled, 2);
  EXPECT_EQ(in.songs, (std::array<bool, 6>{false, false, false, true, false, false}));
  EXPECT_FALSE(in.appActive);
  EXPECT_EQ(in.track, static_cast<int>(RequestedTrack()));
  EXPECT_EQ(in.allowed, MusicAllowed());

  const std::int32_t all[6] = {1, 1, 1, 1, 1, 1};
  MusicSyncPreferences(1, all);
  MusicSetAppActive(true);
  in = ReadMusicInputs();
  EXPECT_EQ(in.musicEnabled, 1);
  EXPECT_EQ(in.songs, (std::array<bool, 6>{true, true, true, true, true, true}));
  EXPECT_TRUE(in.appActive);
}
