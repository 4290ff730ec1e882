// The store's file: atomic replacement, failed writes, killed writers, damaged, crafted or odd
// files, each failure path once; the same rules over any content are FuzzRegistryFile's.
#include "persist/Registry.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <future>
#include <random>
#include <thread>

#include "persist/HighScores.h"
#include "persist/Preferences.h"
#include "tests/persist/TempConfigHome.h"

namespace {

using RegistryFile = TempConfigHome;

const std::string kGame = "Klondike";
const std::string kKey = std::string(kSettingsRoot) + "\\" + kGame;
const std::string kKeyLine = "REGEDIT4\n[HKEY_CURRENT_USER\\" + kKey + "]\n";

bool SetCardsDealt(const Registry& registry, std::uint32_t n) {
  return registry.Change([n](RegistryTree& tree) { tree.SetDword(kKey, "CardsDealt", n); });
}

std::uint32_t CardsOf(const RegistryTree& tree) {
  std::uint32_t v = 0;
  return tree.QueryDword(kKey, "CardsDealt", v) ? v : 0;
}
std::uint32_t CardsDealt(const Registry& registry) {
  return CardsOf(registry.Read());
}

// Files in `dir`, or only those whose name holds `part`.
int FilesIn(const std::string& dir, const std::string& part = "") {
  int n = 0;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ignored))
    n += entry.path().filename().string().find(part) != std::string::npos;
  return n;
}

// Runs `read` on another thread with its warnings swallowed.
template <typename Read>
auto QuietlyAsync(Read read) {
  return std::async(std::launch::async, [read] {
    testing::internal::CaptureStderr();
    auto result = read();
    testing::internal::GetCapturedStderr();
    return result;
  });
}

}  // namespace

TEST_F(RegistryFile, ChangesReachTheFileAndAreReadBackWithoutAnyCache) {
  const Registry registry(StorePath());
  EXPECT_EQ(registry.Read(), RegistryTree());  // No file yet: an empty store, nothing created.
  EXPECT_FALSE(std::filesystem::exists(StoreDir()));
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  EXPECT_EQ(std::filesystem::status(StoreDir()).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
  // Someone else edits the file between two operations: the next one sees it.
  WriteText(StorePath(), kKeyLine + "\"CardsDealt\"=dword:00000001\n");
  EXPECT_EQ(CardsDealt(registry), 1u);
  // What a crash between writing the temporary file and renaming it leaves is ignored, and
  // cleared by the next change.
  WriteText(StorePath() + ".tmp-a1b2c3", kKeyLine + "\"CardsDealt\"=dword:0000000");
  EXPECT_EQ(CardsDealt(registry), 1u);
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  EXPECT_EQ(CardsDealt(registry), 3u);
  EXPECT_EQ(FilesIn(StoreDir()), 1);
}

// A store whose directory cannot be made is the settings test's.
TEST_F(RegistryFile, AFailedWriteLeavesTheOldFileIntactAndReportsFailure) {
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  const std::string before = FileText(StorePath());
  // A full disk, as root sees it too: no file may grow beyond a few bytes.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tiny = saved;
  tiny.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
  const bool written = SetCardsDealt(registry, 1);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(FileText(StorePath()), before);
  EXPECT_EQ(FilesIn(StoreDir()), 1);
}

TEST_F(RegistryFile, ChangesFromTwoProcessesAtOnceAreNeitherLost) {
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 0));
  constexpr int kEach = 40;
  auto increment = [&] {
    for (int i = 0; i < kEach; ++i)
      registry.Change(
          [&](RegistryTree& tree) { tree.SetDword(kKey, "CardsDealt", CardsOf(tree) + 1); });
  };
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) increment(), ::_exit(0);
  increment();
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  EXPECT_EQ(CardsDealt(registry), 2u * kEach);
}

// Each save writes one number into all six song values: two different ones are a torn store.
TEST_F(RegistryFile, AKilledWriterLeavesAWholeStateAndNoGrowingTemporaryFiles) {
  const auto meanMicroseconds = [](auto work) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3; ++i) work();
    return (std::chrono::steady_clock::now() - start) / std::chrono::microseconds(3) + 1;
  };
  const auto saveRound = [](std::int32_t round, const std::string& name) {
    Preferences prefs;
    prefs.playerNumber = kFirstPlayerNumber;
    for (std::int32_t& song : prefs.songs) song = round;
    prefs.cardBack = round % 7;
    SavePreferences(prefs);
    AddHighScore(kGame, name, round);
  };
  const long long startup = meanMicroseconds([] {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
  });
  const long long round = meanMicroseconds([&] { saveRound(0, "Warm"); });
  std::mt19937 random(20261206);
  std::uniform_int_distribution<long long> microseconds(startup, startup + 4 * round);
  int lastRound = 0;
  for (int kill = 0; kill < 300; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (std::int32_t r = 1;; ++r) saveRound(r, "P" + std::to_string(kill % 100));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    SCOPED_TRACE(testing::Message() << "after kill " << kill);
    ASSERT_EQ(FilesIn(StoreDir(), ".bad"), 0) << "the store was torn";
    const std::optional<std::uint32_t> first = StoredDword("Preferences\\20", "song0");
    for (int d = 1; first && d < kSongCount; ++d) {
      EXPECT_EQ(StoredDword("Preferences\\20", ("song" + std::to_string(d)).c_str()), first)
          << "song" << d << " comes from another save";
    }
    lastRound = std::max(lastRound, static_cast<int>(first.value_or(0)));
    const int count = CountHighScores(kGame);
    for (int n = 2; n <= count; ++n)
      EXPECT_GE(ReadHighScore(kGame, n - 1).score, ReadHighScore(kGame, n).score);
    // A kill between creating a temporary file and renaming it leaves one behind; the next
    // change clears what dead writers left, so they never accumulate.
    EXPECT_LE(FilesIn(StoreDir(), ".tmp-"), 1);
  }
  EXPECT_GT(lastRound, 0) << "no save ever completed: the kills came too early to test anything";
}

TEST_F(RegistryFile, AnUnreadableLineIsLeftOutOnceAndEveryPlayerAndScoreIsKept) {
  EXPECT_EQ(FindOrAddPlayer("Ann"), 20);
  EXPECT_EQ(FindOrAddPlayer("Bob"), 21);
  ASSERT_TRUE(AddHighScore(kGame, "Ann", 300));
  ASSERT_TRUE(AddHighScore(kGame, "Bob", 200));
  WriteSettingDword(kGame, "Recycles", 2);
  // A hand edit: a stray space after one value, a typo in the line after it. A whole file given up
  // for one bad line lost every player.
  std::string text = FileText(StorePath());
  const std::size_t recycles = text.find("\"Recycles\"=dword:00000002") + 25;
  text.insert(recycles, " ");
  text.insert(text.find('\n', recycles) + 1, "\"CardsDealt\"=dword:three\n");
  WriteText(StorePath(), text);
  const int recyclesLine =
      1 + static_cast<int>(std::count(text.begin(), text.begin() + recycles, '\n'));
  testing::internal::CaptureStderr();
  EXPECT_EQ(ReadSettingDword(kGame, "Recycles", 0), 2);
  const std::string warned = testing::internal::GetCapturedStderr();
  EXPECT_NE(warned.find("line " + std::to_string(recyclesLine + 1)), std::string::npos) << warned;
  testing::internal::CaptureStderr();
  EXPECT_EQ(FindOrAddPlayer("Ann"), 20);
  EXPECT_EQ(FindOrAddPlayer("Bob"), 21);
  EXPECT_EQ(ReadHighScore(kGame, 2), (HighScoreEntry{"Bob", 200}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "repaired once, then silent";
  EXPECT_EQ(FileText(StorePath()).find("three"), std::string::npos);
}

// 131 KB of one deep key line that, written a line per level, would exceed what reads take.
TEST_F(RegistryFile, ACraftedFileIsNeverWrittenBackLargerThanTheReaderTakes) {
  std::string deep;
  for (int depth = 0; depth < kRegistryMaxDepth; ++depth)
    deep += (depth > 0 ? "\\" : "") + std::string(kRegistryMaxKeyName, 'a' + depth % 26);
  WriteText(StorePath(), kKeyLine + "\"Recycles\"=dword:2\n[HKEY_CURRENT_USER\\" + deep + "]\n");
  testing::internal::CaptureStderr();
  WriteSettingDword(kGame, "CardsDealt", 3);
  testing::internal::GetCapturedStderr();
  EXPECT_LE(std::filesystem::file_size(StorePath()), std::size_t{1} << 20);
  EXPECT_EQ(ReadSettingDword(kGame, "Recycles", 0), 2);
  EXPECT_EQ(ReadSettingDword(kGame, "CardsDealt", 0), 3);
}

// No header, over the size cap, a directory or a FIFO: each moved aside whole to the next number.
TEST_F(RegistryFile, AFileThatIsNoStoreIsMovedAsideWholeAndReadingGoesOnWithDefaults) {
  static const char kRaw[] = "\0\xffREGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"V\"=dword:1\n";
  const std::string garbage(kRaw, sizeof kRaw - 1);
  WriteText(StorePath(), garbage);
  const Registry registry(StorePath());
  testing::internal::CaptureStderr();
  EXPECT_EQ(registry.Read(), RegistryTree());
  EXPECT_EQ(FileText(StorePath() + ".bad.1"), garbage);
  EXPECT_FALSE(std::filesystem::exists(StorePath()));
  ASSERT_TRUE(SetCardsDealt(registry, 2));
  // Far too large to be a store: not even read whole.
  std::filesystem::resize_file(StorePath(), 64u << 20);
  EXPECT_EQ(registry.Read(), RegistryTree());
  std::filesystem::create_directories(StorePath() + "/inside");
  EXPECT_EQ(registry.Read(), RegistryTree());
  const std::string warned = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::filesystem::file_size(StorePath() + ".bad.2"), 64u << 20);
  EXPECT_NE(warned.find(".bad.2"), std::string::npos) << "the player is told where it went";
  EXPECT_TRUE(std::filesystem::is_directory(StorePath() + ".bad.3/inside")) << "kept for the user";
  ASSERT_EQ(::mkfifo(StorePath().c_str(), 0600), 0);
  auto read = QuietlyAsync([&] { return registry.Read(); });
  const bool finished = read.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  // A reader stuck in open() is let go by a writer, so that a failure ends the test.
  if (!finished) ::close(::open(StorePath().c_str(), O_WRONLY | O_NONBLOCK));
  EXPECT_EQ(read.get(), RegistryTree());
  ASSERT_TRUE(finished) << "opening the store waited for a writer on a FIFO";
  ASSERT_TRUE(SetCardsDealt(registry, 1));
  EXPECT_TRUE(std::filesystem::is_regular_file(StorePath()));
}

TEST_F(RegistryFile, ADamagedFileIsOnlyMovedAsideWhenStillDamagedUnderTheWriteLock) {
  WriteText(StorePath(), "garbage an editor is about to replace\n");
  // Another reader of the store is at work: its shared lock must keep anyone from moving files.
  const int dir = ::open(StoreDir().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(dir, 0);
  ASSERT_EQ(::flock(dir, LOCK_SH), 0);
  auto read = QuietlyAsync([] { return ReadSettingDword(kGame, "Recycles", 0); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  // Meanwhile the editor saves a good file.
  WriteText(StorePath() + ".new", kKeyLine + "\"Recycles\"=dword:2\n");
  std::filesystem::rename(StorePath() + ".new", StorePath());
  ::flock(dir, LOCK_UN);
  ::close(dir);
  EXPECT_EQ(read.get(), 2);
  EXPECT_EQ(FilesIn(StoreDir(), ".bad"), 0);
}

TEST_F(RegistryFile, ALinkedStoreIsWrittenThroughToItsTargetWhichKeepsItsMode) {
  const std::string target = home_ + "/dotfiles/store.reg";
  WriteText(target, "REGEDIT4\n");
  std::filesystem::permissions(target, std::filesystem::perms(0640));
  std::filesystem::create_directories(StoreDir());
  std::filesystem::create_symlink("../dotfiles/store.reg", StorePath());
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(FilesIn(home_ + "/dotfiles") + FilesIn(StoreDir()), 2) << "no temporary file left";
  // A link whose target is gone gets the target back.
  std::filesystem::remove(target);
  ASSERT_TRUE(SetCardsDealt(registry, 1));
  EXPECT_TRUE(std::filesystem::is_symlink(StorePath()));
  EXPECT_EQ(CardsDealt(registry), 1u);
}

TEST_F(RegistryFile, AReadOnlyStoreIsLeftAloneWithOneWarning) {
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  std::filesystem::permissions(StorePath(), std::filesystem::perms(0444));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SetCardsDealt(registry, 1));
  EXPECT_FALSE(SetCardsDealt(registry, 2));
  const std::string warned = testing::internal::GetCapturedStderr();
  EXPECT_NE(warned.find("read-only"), std::string::npos) << warned;
  EXPECT_EQ(warned.find("read-only"), warned.rfind("read-only")) << "warned once: " << warned;
}
