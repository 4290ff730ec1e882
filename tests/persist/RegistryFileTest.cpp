// The store's file: atomic replacement, damaged files, failed writes and crashes mid-write.
#include "persist/Registry.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "tests/persist/TempConfigHome.h"

namespace {

using RegistryFile = TempConfigHome;

constexpr const char* kKey = "SOFTWARE\\Quenbry Software\\Solitaire\\Klondike";

bool SetCardsDealt(const Registry& registry, std::uint32_t n) {
  return registry.Change([n](RegistryTree& tree) { tree.SetDword(kKey, "CardsDealt", n); });
}

std::uint32_t CardsDealt(const Registry& registry) {
  std::uint32_t v = 0;
  return registry.Read().QueryDword(kKey, "CardsDealt", v) ? v : 0xdeadu;
}

int FilesIn(const std::string& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

}  // namespace

TEST_F(RegistryFile, ChangesReachTheFileAndAreReadBackWithoutAnyCache) {
  const Registry registry(StorePath());
  EXPECT_EQ(registry.Read(), RegistryTree());  // No file yet: an empty store, nothing created.
  EXPECT_FALSE(std::filesystem::exists(StoreDir()));

  ASSERT_TRUE(SetCardsDealt(registry, 3));
  EXPECT_EQ(CardsDealt(registry), 3u);
  EXPECT_NE(FileText(StorePath()).find("\"CardsDealt\"=dword:00000003"), std::string::npos);
  EXPECT_EQ(std::filesystem::status(StoreDir()).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);

  // Someone else edits the file between two operations: the next one sees it.
  WriteText(StorePath(), "REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(kKey) +
                             "]\n\"CardsDealt\"=dword:00000001\n");
  EXPECT_EQ(CardsDealt(registry), 1u);
  EXPECT_EQ(FilesIn(StoreDir()), 1);  // No temporary file is left behind.
}

TEST_F(RegistryFile, OddNamesAndValuesRoundTripThroughTheFile) {
  auto At = [](const char* sub) { return std::string(kKey) + "\\" + sub; };
  RegistryTree tree;
  ASSERT_TRUE(tree.SetString(At("Players\\20"), "Name", "O'Brien \"the \\ great\""));
  ASSERT_TRUE(tree.SetString(At("Players\\21"), "Name", "Zo\xC3\xAB \xE2\x99\xA0 Kj\xC3\xB8r"));
  ASSERT_TRUE(tree.SetString(At("Players\\22"), "Name", "two\nlines\r\tand ] [ = @"));
  ASSERT_TRUE(tree.SetString(At("Players\\23"), "", ""));
  ASSERT_TRUE(tree.SetDword(At("Odd [key] = \"x\""), "v\\a\"l", 0x80000000u));
  ASSERT_TRUE(tree.CreateKey(At("Empty\\Leaf")));
  ASSERT_TRUE(tree.SetDword("", "AtTheHive", 1));
  const Registry registry(StorePath());
  ASSERT_TRUE(registry.Change([&](RegistryTree& stored) { stored = tree; }));
  EXPECT_EQ(registry.Read(), tree);
}

TEST_F(RegistryFile, AChangeThatEndsWhereItStartedWritesNothing) {
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  const auto stamp = std::filesystem::last_write_time(StorePath());
  ASSERT_TRUE(registry.Change([](RegistryTree& tree) {
    tree.SetDword(kKey, "CardsDealt", 1);
    tree.SetDword(kKey, "CardsDealt", 3);
  }));
  EXPECT_EQ(std::filesystem::last_write_time(StorePath()), stamp);
}

TEST_F(RegistryFile, ADamagedFileIsKeptAsBadAndReadingGoesOnWithDefaults) {
  static const char kRaw[] = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"V\"=dword:1234567890\n\0\xff";
  const std::string garbage(kRaw, sizeof kRaw - 1);
  WriteText(StorePath(), garbage);
  const Registry registry(StorePath());
  EXPECT_EQ(registry.Read(), RegistryTree());
  EXPECT_EQ(FileText(StorePath() + ".bad"), garbage);
  EXPECT_FALSE(std::filesystem::exists(StorePath()));
  ASSERT_TRUE(SetCardsDealt(registry, 2));
  EXPECT_EQ(CardsDealt(registry), 2u);
  EXPECT_EQ(FileText(StorePath() + ".bad"), garbage);

  // A file far too large to be a store is treated the same way, without being read whole.
  std::filesystem::resize_file(StorePath(), 64u << 20);
  EXPECT_EQ(registry.Read(), RegistryTree());
  EXPECT_EQ(std::filesystem::file_size(StorePath() + ".bad"), 64u << 20);
}

TEST_F(RegistryFile, ALeftoverTemporaryFileFromACrashIsIgnored) {
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  // What a crash between writing the temporary file and renaming it leaves.
  WriteText(StorePath() + ".tmp-a1b2c3", "REGEDIT4\n[HKEY_CURRENT_USER\\" + std::string(kKey) +
                                             "]\n\"CardsDealt\"=dword:0000000");
  EXPECT_EQ(CardsDealt(registry), 3u);
  ASSERT_TRUE(SetCardsDealt(registry, 1));
  EXPECT_EQ(CardsDealt(registry), 1u);
  EXPECT_FALSE(std::filesystem::exists(StorePath() + ".tmp-a1b2c3")) << "the next change clears it";
}

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

  // A directory that cannot be created: the write fails, nothing else happens.
  WriteText(home_ + "/plain-file", "");
  const Registry nowhere(home_ + "/plain-file/quenbry-solitaire/registry.reg");
  EXPECT_FALSE(SetCardsDealt(nowhere, 1));
  EXPECT_EQ(nowhere.Read(), RegistryTree());
}

TEST_F(RegistryFile, ADirectoryInTheFilesPlaceIsMovedAsideAndTheStoreWorksAgain) {
  std::filesystem::create_directories(StorePath() + "/inside");
  const Registry registry(StorePath());
  EXPECT_EQ(registry.Read(), RegistryTree());
  EXPECT_TRUE(std::filesystem::is_directory(StorePath() + ".bad/inside")) << "kept for the user";
  ASSERT_TRUE(SetCardsDealt(registry, 1));
  EXPECT_EQ(CardsDealt(registry), 1u);
}

TEST_F(RegistryFile, ChangesFromTwoProcessesAtOnceAreNeitherLost) {
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 0));
  constexpr int kEach = 40;
  auto increment = [&] {
    for (int i = 0; i < kEach; ++i) {
      registry.Change([](RegistryTree& tree) {
        std::uint32_t v = 0;
        tree.QueryDword(kKey, "CardsDealt", v);
        tree.SetDword(kKey, "CardsDealt", v + 1);
      });
    }
  };
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    increment();
    ::_exit(0);
  }
  increment();
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(CardsDealt(registry), 2u * kEach);
}
