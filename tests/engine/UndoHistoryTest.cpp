// Snapshot reads and the undo files: numbering, damage, failed writes, a clean-up of its own files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/BaseSnapshot.h"
#include "engine/GameServices.h"
#include "engine/SnapshotBytes.h"
#include "engine/UndoHistory.h"

namespace fs = std::filesystem;

namespace {

struct TempDir {
  fs::path path = [] {
    std::string pattern = (fs::temp_directory_path() / "qs-undo-XXXXXX").string();
    EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
    return fs::path(pattern);
  }();
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path operator/(const char* name) const { return path / name; }
};

using Bytes = std::vector<std::uint8_t>;

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

// The byte layout is pinned by the Klondike scenario's digest of every UNDO file it writes.
TEST(SnapshotBytes, AShortReadFailsForGood) {
  const Bytes shortBytes = {1, 2, 3, 4, 5, 6};
  SnapshotReader cut(shortBytes);
  std::int32_t value = 7;
  EXPECT_TRUE(cut.GetInt32(value));
  EXPECT_FALSE(cut.GetInt32(value)) << "only two bytes left";
  EXPECT_EQ(value, 0x04030201) << "a failed read leaves the value alone";
  EXPECT_TRUE(cut.GetBytes(0).empty());
  EXPECT_FALSE(cut.Ok()) << "a reader that failed once stays failed";
}

// The deck image's damage is DeckTest's; here the spare lists after it (round trips:
// GameTableTest).
TEST(BaseSnapshot, RefusesSpareListsOutOfRange) {
  Deck deck;
  deck.SetCopies(1);
  auto attempt = [&deck](const SnapshotWriter& bytes) {
    BaseState state(deck);
    SnapshotReader in(bytes.Bytes());
    return ReadBaseState(in, state);
  };
  SnapshotWriter good, notACard;
  WriteBaseState(good, deck, {Card{0, 1}}, {});
  EXPECT_TRUE(attempt(good));
  WriteBaseState(notACard, deck, {Card{4, 0}}, {});
  EXPECT_FALSE(attempt(notACard));
  for (std::int32_t count : {-1, kMaxSpareListCards + 1, 0x7FFFFFFF}) {
    SnapshotWriter lying;
    lying.PutBytes(deck.SaveImage());
    lying.PutInt32(count);
    lying.PutInt32(0);
    EXPECT_FALSE(attempt(lying)) << "list count " << count;
  }
}

TEST(UndoHistory, NumbersSnapshotsAndReadsTheNewestBack) {
  TempDir dir;
  UndoHistory history(dir.path);
  EXPECT_FALSE(history.ReadLast().has_value()) << "nothing to undo at the start";
  EXPECT_EQ(history.Count(), 0);
  for (std::uint8_t i = 1; i <= 5; ++i) ASSERT_TRUE(history.WriteNew(Bytes{i, i}));
  EXPECT_EQ(history.Count(), 5);
  EXPECT_TRUE(fs::exists(dir / "UNDO1.DAT"));
  EXPECT_EQ(history.ReadLast(), Bytes({5, 5}));
  EXPECT_EQ(history.Count(), 4);
  EXPECT_TRUE(fs::exists(dir / "UNDO5.DAT")) << "reading back deletes nothing";
  // The next snapshot takes number 5 again and replaces the old file.
  ASSERT_TRUE(history.WriteNew(Bytes{9}));
  EXPECT_EQ(history.Count(), 5);
  EXPECT_EQ(history.ReadLast(), Bytes{9});
  history.DiscardLast();
  EXPECT_EQ(history.ReadLast(), Bytes({3, 3}));
  for (int i = 0; i < 3; ++i) history.DiscardLast();
  EXPECT_EQ(history.Count(), 0) << "never below zero";
  // A missing file, or one too large to be a snapshot, costs its number but reads nothing.
  for (std::uint8_t i = 1; i <= 3; ++i) ASSERT_TRUE(history.WriteNew(Bytes{i}));
  WriteFile(dir / "UNDO3.DAT", std::string(kMaxSnapshotBytes + 1, 'x'));
  fs::remove(dir / "UNDO2.DAT");
  EXPECT_FALSE(history.ReadLast().has_value());
  EXPECT_FALSE(history.ReadLast().has_value());
  EXPECT_EQ(history.ReadLast(), Bytes{1});
}

// The undone line of play's file, whose number a failed write reuses, must not come back on Undo.
TEST(UndoHistory, AFailedWriteLeavesNoFileOfItsNumber) {
  TempDir dir;
  UndoHistory history(dir.path);
  ASSERT_TRUE(history.WriteNew(Bytes{1}, Bytes{7}));
  ASSERT_TRUE(history.WriteNew(Bytes{2}, Bytes{8}));
  ASSERT_TRUE(history.ReadLast().has_value());
  // A directory where the temporary file would go makes the write fail, for root too.
  fs::create_directory(dir / "UNDO2.DAT.tmp");
  EXPECT_FALSE(history.WriteNew(Bytes{3}));
  EXPECT_FALSE(fs::exists(dir / "UNDO2.DAT"));
  EXPECT_FALSE(history.ReadLast().has_value()) << "the abandoned snapshot is gone";
  // The side state travels with its own file only.
  Bytes side;
  EXPECT_EQ(history.ReadLast(&side), Bytes{1});
  EXPECT_EQ(side, Bytes{7});
  // A path that is a file fails for everyone, root included (root writes through permissions).
  WriteFile(dir / "plain-file", "x");
  UndoHistory broken(dir / "plain-file");
  EXPECT_FALSE(broken.WriteNew(Bytes{1}));
  EXPECT_EQ(broken.Count(), 1) << "the number is used up, as after a failed create";
  EXPECT_FALSE(broken.ReadLast().has_value());
  UndoHistory none{fs::path{}};
  EXPECT_FALSE(none.WriteNew(Bytes{1}));
  EXPECT_FALSE(none.ReadLast().has_value());
}

TEST(UndoHistory, ClearingAndDestructionRemoveOnlySnapshotFilesOfItsOwnDirectory) {
  TempDir dir, elsewhere;
  WriteFile(dir / "notes.txt", "keep");
  WriteFile(dir / "UNDO.DAT.bak", "keep");
  WriteFile(elsewhere / "UNDO99.DAT", "the player's own file");
  {
    UndoHistory history(dir.path);
    ASSERT_TRUE(history.WriteNew(Bytes{1}));
    ASSERT_TRUE(history.WriteNew(Bytes{2}));
    history.Clear();
    EXPECT_EQ(history.Count(), 0);
    EXPECT_FALSE(fs::exists(dir / "UNDO2.DAT"));
    ASSERT_TRUE(history.WriteNew(Bytes{3}));
    WriteFile(dir / "UNDO77.DAT", "left over from an earlier game");
  }
  EXPECT_FALSE(fs::exists(dir / "UNDO1.DAT"));
  EXPECT_FALSE(fs::exists(dir / "UNDO77.DAT"));
  EXPECT_TRUE(fs::exists(dir / "notes.txt"));
  EXPECT_TRUE(fs::exists(dir / "UNDO.DAT.bak"));
  EXPECT_TRUE(fs::exists(elsewhere / "UNDO99.DAT"));
}

TEST(UndoHistory, TheDefaultDirectoryIsPrivateToThisRunAndNeverTheWorkingDirectory) {
  TempDir runtime;
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string previous = old != nullptr ? old : "";
  ::setenv("XDG_RUNTIME_DIR", runtime.path.c_str(), 1);
  TheGameServices().undoDirectory.clear();
  const fs::path dir = UndoDirectory();
  old != nullptr ? ::setenv("XDG_RUNTIME_DIR", previous.c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_NE(fs::absolute(dir), fs::current_path());
  EXPECT_EQ(dir, runtime / ("quenbry-solitaire-" + std::to_string(::getpid())).c_str());
  struct stat info {};
  ASSERT_EQ(::stat(dir.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u) << "only the player may read the snapshots";
  EXPECT_EQ(UndoDirectory(), dir) << "made once per run";
  TheGameServices().undoDirectory.clear();
}
