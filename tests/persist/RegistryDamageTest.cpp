// Hand-edited, damaged and crafted store files: what can be read is kept, what cannot is set aside
// in numbered copies that are never replaced, and nothing the store writes is refused later.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>

#include "persist/HighScores.h"
#include "persist/Preferences.h"
#include "persist/Registry.h"
#include "persist/Settings.h"
#include "tests/persist/TempConfigHome.h"

namespace {

using RegistryDamage = TempConfigHome;

const std::string kGame = "Klondike";
const std::string kGameKey = std::string(kSettingsRoot) + "\\" + kGame;

// The store's text with `line` put in right after the line holding `after`.
std::string WithLineAfter(const std::string& text, const std::string& after,
                          const std::string& line) {
  const std::size_t end = text.find('\n', text.find(after));
  return text.substr(0, end + 1) + line + "\n" + text.substr(end + 1);
}

// The 1-based number of the line that starts with `line` in `text`.
int LineNumberOf(const std::string& text, const std::string& line) {
  const std::size_t at = text.find("\n" + line);
  return 2 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

}  // namespace

TEST_F(RegistryDamage, AnUnreadableLineIsLeftOutOnceAndEveryPlayerAndScoreIsKept) {
  EXPECT_EQ(FindOrAddPlayer("Ann"), 20);
  EXPECT_EQ(FindOrAddPlayer("Bob"), 21);
  ASSERT_TRUE(AddHighScore(kGame, "Ann", 300));
  ASSERT_TRUE(AddHighScore(kGame, "Bob", 200));
  WriteSettingDword(kGame, "Recycles", 2);

  // A hand edit: a stray space after one value, a typo in another.
  std::string text = FileText(StorePath());
  const std::size_t recycles = text.find("\"Recycles\"=dword:00000002") + 25;
  text.insert(recycles, " ");
  text = WithLineAfter(text, "\"Recycles\"", "\"CardsDealt\"=dword:three");
  WriteText(StorePath(), text);

  testing::internal::CaptureStderr();
  EXPECT_EQ(ReadSettingDword(kGame, "Recycles", 0), 2);
  const std::string warned = testing::internal::GetCapturedStderr();
  EXPECT_NE(warned.find("line " + std::to_string(LineNumberOf(text, "\"CardsDealt\""))),
            std::string::npos)
      << warned;
  EXPECT_EQ(FileText(StorePath() + ".bad.1"), text) << "the file as it was, byte for byte";

  testing::internal::CaptureStderr();
  EXPECT_EQ(FindOrAddPlayer("Ann"), 20);
  EXPECT_EQ(FindOrAddPlayer("Bob"), 21);
  EXPECT_EQ(CountHighScores(kGame), 2);
  EXPECT_EQ(ReadHighScore(kGame, 2), (HighScoreEntry{"Bob", 200}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "repaired once, then silent";
  EXPECT_EQ(FileText(StorePath()).find("three"), std::string::npos);

  // A second damage gets a copy of its own; the first copy stays as it was.
  WriteText(StorePath(), FileText(StorePath()) + "[HKEY_CURRENT_USER\\broken\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(CountHighScores(kGame), 2);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(FileText(StorePath() + ".bad.1"), text);
  EXPECT_NE(FileText(StorePath() + ".bad.2").find("broken"), std::string::npos);
}

TEST_F(RegistryDamage, ACraftedFileIsNeverWrittenBackLargerThanTheReaderTakes) {
  // One key line 512 levels deep with names of 255 characters: 131 KB that a key line per level,
  // each repeating the whole path, would blow up to over 30 MB.
  std::string deep;
  for (int depth = 0; depth < kRegistryMaxDepth; ++depth) {
    deep += (depth > 0 ? "\\" : "") + std::string(kRegistryMaxKeyName, 'a' + depth % 26);
  }
  WriteText(StorePath(), "REGEDIT4\n[HKEY_CURRENT_USER\\" + kGameKey + "]\n\"Recycles\"=dword:2\n" +
                             "[HKEY_CURRENT_USER\\" + deep + "]\n");
  testing::internal::CaptureStderr();
  WriteSettingDword(kGame, "CardsDealt", 3);
  testing::internal::GetCapturedStderr();
  EXPECT_LE(std::filesystem::file_size(StorePath()), std::size_t{1} << 20);
  EXPECT_EQ(ReadSettingDword(kGame, "Recycles", 0), 2);
  EXPECT_EQ(ReadSettingDword(kGame, "CardsDealt", 0), 3);
}

TEST_F(RegistryDamage, ADamagedFileIsOnlyMovedAsideWhenStillDamagedUnderTheWriteLock) {
  WriteText(StorePath(), "garbage an editor is about to replace\n");
  // Another reader of the store is at work: its shared lock must keep anyone from moving files.
  const int dir = ::open(StoreDir().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(dir, 0);
  ASSERT_EQ(::flock(dir, LOCK_SH), 0);
  std::future<std::int32_t> read = std::async(std::launch::async, [] {
    testing::internal::CaptureStderr();
    const std::int32_t v = ReadSettingDword(kGame, "Recycles", 0);
    testing::internal::GetCapturedStderr();
    return v;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  // Meanwhile the editor saves a good file.
  WriteText(StorePath() + ".new",
            "REGEDIT4\n[HKEY_CURRENT_USER\\" + kGameKey + "]\n\"Recycles\"=dword:2\n");
  std::filesystem::rename(StorePath() + ".new", StorePath());
  ::flock(dir, LOCK_UN);
  ::close(dir);
  EXPECT_EQ(read.get(), 2);
  EXPECT_FALSE(std::filesystem::exists(StorePath() + ".bad.1"));
  EXPECT_FALSE(std::filesystem::exists(StorePath() + ".bad"));
}
