// A writer killed at any moment: the store is always a whole old or new state afterwards, and the
// temporary files that killed writers leave behind do not pile up.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "persist/HighScores.h"
#include "persist/Preferences.h"
#include "persist/Registry.h"
#include "persist/Settings.h"
#include "tests/persist/TempConfigHome.h"

namespace {

using RegistryCrash = TempConfigHome;

constexpr const char* kGame = "Klondike";

int TemporaryFiles(const std::string& dir) {
  int n = 0;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ignored))
    n += entry.path().filename().string().find(".tmp-") != std::string::npos;
  return n;
}

// Writes scores and preferences for ever; every preference save writes the same number into all
// six song values, so a store holding two different numbers there was torn.
[[noreturn]] void WriteUntilKilled(unsigned seed) {
  Preferences prefs;
  prefs.playerNumber = kFirstPlayerNumber;
  for (std::int32_t round = 1;; ++round) {
    for (std::int32_t& song : prefs.songs) song = round;
    prefs.cardBack = round % 7;
    SavePreferences(prefs);
    AddHighScore(kGame, "P" + std::to_string(seed % 100), round);
  }
}

}  // namespace

// How long a few runs of `work` take on average, in microseconds.
template <typename Work>
long long MeanMicroseconds(Work work) {
  constexpr int kRuns = 3;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRuns; ++i) work();
  const auto spent = std::chrono::steady_clock::now() - start;
  return std::chrono::duration_cast<std::chrono::microseconds>(spent).count() / kRuns + 1;
}

TEST_F(RegistryCrash, AKilledWriterLeavesAWholeStateAndNoGrowingTemporaryFiles) {
  // The kills must land anywhere in the writer's rounds on any machine and in any build (the
  // sanitizers make a round several times slower), so the window is measured, not guessed: the
  // cost of starting a writer, then up to four of its rounds. The warm-up stores round 0.
  const long long startup = MeanMicroseconds([] {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
  });
  const long long round = MeanMicroseconds([] {
    Preferences prefs;
    prefs.playerNumber = kFirstPlayerNumber;
    SavePreferences(prefs);
    AddHighScore(kGame, "Warm", 1);
  });
  std::mt19937 random(20261206);
  std::uniform_int_distribution<long long> microseconds(startup, startup + 4 * round);
  constexpr int kKills = 300;
  int lastRound = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteUntilKilled(static_cast<unsigned>(kill));
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    SCOPED_TRACE(testing::Message() << "after kill " << kill);
    ASSERT_FALSE(std::filesystem::exists(StorePath() + ".bad")) << "the store was torn";
    const RegistryTree stored = Stored();
    const std::string key = std::string(kSettingsRoot) + "\\Preferences\\20";
    std::uint32_t first = 0;
    if (stored.QueryDword(key, "song0", first)) {
      for (int d = 1; d < kSongCount; ++d) {
        std::uint32_t song = 0;
        ASSERT_TRUE(stored.QueryDword(key, ("song" + std::to_string(d)).c_str(), song));
        EXPECT_EQ(song, first) << "song" << d << " comes from another save";
      }
      lastRound = static_cast<int>(first);
    }
    // The high-score table is consecutive and sorted whatever moment the kill came at.
    const int count = CountHighScores(kGame);
    for (int n = 2; n <= count; ++n)
      EXPECT_GE(ReadHighScore(kGame, n - 1).score, ReadHighScore(kGame, n).score);
    // A kill between creating a temporary file and renaming it leaves one behind; the next
    // change clears what dead writers left, so they never accumulate.
    EXPECT_LE(TemporaryFiles(StoreDir()), 1);
  }
  EXPECT_GT(lastRound, 0) << "no save ever completed: the kills came too early to test anything";
  ASSERT_TRUE(Registry(StorePath()).Change([](RegistryTree& tree) {
    tree.SetDword(std::string(kSettingsRoot) + "\\Preferences", "DontShowAgain", 1);
  }));
  EXPECT_EQ(TemporaryFiles(StoreDir()), 0);
}
