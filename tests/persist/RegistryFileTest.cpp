// The store's file: atomic replacement, damaged files, failed writes and crashes mid-write.
#include "persist/Registry.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <future>

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
  EXPECT_EQ(CardsDealt(registry), 2u);
  EXPECT_EQ(FileText(StorePath() + ".bad.1"), garbage);

  // A file far too large to be a store is treated the same way, without being read whole.
  std::filesystem::resize_file(StorePath(), 64u << 20);
  EXPECT_EQ(registry.Read(), RegistryTree());
  const std::string warned = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::filesystem::file_size(StorePath() + ".bad.2"), 64u << 20);
  EXPECT_NE(warned.find(".bad.2"), std::string::npos) << "the player is told where it went";
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
  testing::internal::CaptureStderr();
  EXPECT_EQ(registry.Read(), RegistryTree());
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(std::filesystem::is_directory(StorePath() + ".bad.1/inside")) << "kept for the user";
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

TEST_F(RegistryFile, AFifoInTheFilesPlaceNeitherHangsTheStartNorStaysInTheWay) {
  std::filesystem::create_directories(StoreDir());
  ASSERT_EQ(::mkfifo(StorePath().c_str(), 0600), 0);
  const Registry registry(StorePath());
  std::future<RegistryTree> read = std::async(std::launch::async, [&] {
    testing::internal::CaptureStderr();
    RegistryTree tree = registry.Read();
    testing::internal::GetCapturedStderr();
    return tree;
  });
  const bool finished = read.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  // A reader stuck in open() is let go by a writer, so that a failure ends the test.
  if (!finished) ::close(::open(StorePath().c_str(), O_WRONLY | O_NONBLOCK));
  const RegistryTree tree = read.get();
  ASSERT_TRUE(finished) << "opening the store waited for a writer on a FIFO";
  EXPECT_EQ(tree, RegistryTree());
  ASSERT_TRUE(SetCardsDealt(registry, 2));
  EXPECT_EQ(CardsDealt(registry), 2u);
  EXPECT_TRUE(std::filesystem::is_regular_file(StorePath()));
}

TEST_F(RegistryFile, ALinkedStoreIsWrittenThroughToItsTargetWhichKeepsItsMode) {
  const std::string dotfiles = home_ + "/dotfiles";
  std::filesystem::create_directories(dotfiles);
  std::filesystem::create_directories(StoreDir());
  WriteText(dotfiles + "/store.reg", "REGEDIT4\n");
  std::filesystem::permissions(dotfiles + "/store.reg", std::filesystem::perms(0640));
  std::filesystem::create_symlink("../dotfiles/store.reg", StorePath());
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  EXPECT_TRUE(std::filesystem::is_symlink(StorePath()));
  EXPECT_NE(FileText(dotfiles + "/store.reg").find("dword:00000003"), std::string::npos);
  EXPECT_EQ(std::filesystem::status(dotfiles + "/store.reg").permissions(),
            std::filesystem::perms(0640));
  EXPECT_EQ(FilesIn(dotfiles), 1);
  EXPECT_EQ(FilesIn(StoreDir()), 1);

  // A link whose target is gone gets the target back.
  std::filesystem::remove(dotfiles + "/store.reg");
  ASSERT_TRUE(SetCardsDealt(registry, 1));
  EXPECT_TRUE(std::filesystem::is_symlink(StorePath()));
  EXPECT_EQ(CardsDealt(registry), 1u);
}

TEST_F(RegistryFile, AReadOnlyStoreIsLeftAloneWithOneWarning) {
  const Registry registry(StorePath());
  ASSERT_TRUE(SetCardsDealt(registry, 3));
  std::filesystem::permissions(StorePath(), std::filesystem::perms(0444));
  const std::string before = FileText(StorePath());
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SetCardsDealt(registry, 1));
  EXPECT_FALSE(SetCardsDealt(registry, 2));
  const std::string warned = testing::internal::GetCapturedStderr();
  EXPECT_EQ(FileText(StorePath()), before);
  EXPECT_EQ(CardsDealt(registry), 3u);
  EXPECT_EQ(std::filesystem::status(StorePath()).permissions(), std::filesystem::perms(0444));
  EXPECT_NE(warned.find("read-only"), std::string::npos) << warned;
  EXPECT_EQ(warned.find("read-only"), warned.rfind("read-only")) << "warned once: " << warned;
}
