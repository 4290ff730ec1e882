// The one-copy rule with two instances in one process sharing a directory, and that directory:
// private to this user, and cleared of what killed runs left in it.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "platform/RuntimeDir.h"

namespace {

using Role = SingleInstance::Role;

class SingleInstanceTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/qs-instance-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(dir, error);
  }
  // Listens as the first copy and counts the requests to show itself.
  void Listen(SingleInstance& first) {
    ASSERT_EQ(first.Acquire(), Role::First);
    ASSERT_TRUE(first.StartListening([this] { ++requests; }));
  }
  std::string dir;
  std::atomic<int> requests{0};
};

bool Exists(const std::string& path) {
  return access(path.c_str(), F_OK) == 0;
}

void Touch(const std::string& path) {
  close(open(path.c_str(), O_CREAT | O_WRONLY, 0600));
}

}  // namespace

TEST_F(SingleInstanceTest, SecondStartAsksTheFirstToShowItself) {
  SingleInstance first(dir);
  Listen(first);
  for (int copy = 1; copy <= 2; ++copy) {
    SingleInstance second(dir);
    ASSERT_EQ(second.Acquire(), Role::Second);
    EXPECT_TRUE(second.AskFirstToShow());
    EXPECT_EQ(requests.load(), copy);
  }
  EXPECT_TRUE(Exists(first.SocketPath())) << "a refused copy leaves the first's socket alone";
}

TEST_F(SingleInstanceTest, TheLockFreesWhenTheFirstEndsAndASocketLeftByACrashIsReplaced) {
  std::string socket;
  {
    SingleInstance first(dir);
    Listen(first);
    socket = first.SocketPath();
  }
  Touch(socket);  // what a crashed copy leaves where the socket goes
  SingleInstance next(dir);
  Listen(next);
  SingleInstance second(dir);
  ASSERT_EQ(second.Acquire(), Role::Second);
  EXPECT_TRUE(second.AskFirstToShow());
  EXPECT_EQ(requests.load(), 1);
}

TEST_F(SingleInstanceTest, WithoutAUsableSocketTheGameStillStarts) {
  SingleInstance missing(dir + "/missing");
  EXPECT_EQ(missing.Acquire(), Role::First);
  EXPECT_FALSE(missing.StartListening([] {}));
  EXPECT_FALSE(missing.AskFirstToShow(50));
  // A socket path too long for the address: the lock still holds one copy off.
  const std::string deep = dir + "/" + std::string(120, 'd');
  ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
  SingleInstance first(deep);
  EXPECT_EQ(first.Acquire(), Role::First);
  EXPECT_FALSE(first.StartListening([] {}));
  SingleInstance second(deep);
  EXPECT_EQ(second.Acquire(), Role::Second);
  EXPECT_FALSE(second.AskFirstToShow(50));
}

// The lock, the socket and the snapshots live in a directory no other user can have made first.
TEST_F(SingleInstanceTest, APrivateDirectoryIsOnlyOneThisUserOwnsAndNobodyElseMayEnter) {
  const std::string made = PrivateDirectory(dir, "mine");
  ASSERT_EQ(made, dir + "/mine");
  struct stat info {};
  ASSERT_EQ(lstat(made.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(PrivateDirectory(dir, "mine"), made) << "found again on the next start";
  ASSERT_EQ(mkdir((dir + "/open").c_str(), 0777), 0);
  ASSERT_EQ(chmod((dir + "/open").c_str(), 0777), 0);
  EXPECT_EQ(PrivateDirectory(dir, "open"), "") << "others may enter it";
  ASSERT_EQ(symlink(made.c_str(), (dir + "/link").c_str()), 0);
  EXPECT_EQ(PrivateDirectory(dir, "link"), "") << "a link is not the directory";
  EXPECT_EQ(PrivateDirectory("relative", "x"), "");
  // Another local user who made the directory first (run as root, the test can be that user).
  if (getuid() != 0) {
    std::fputs("not root: a directory of another user cannot be made here; owner check untested\n",
               stderr);
    return;
  }
  ASSERT_EQ(mkdir((dir + "/theirs").c_str(), 0700), 0);
  ASSERT_EQ(chown((dir + "/theirs").c_str(), 65534, 65534), 0);
  EXPECT_EQ(PrivateDirectory(dir, "theirs"), "");
}

TEST_F(SingleInstanceTest, AStartRemovesOnlyTheSnapshotDirectoriesOfRunsThatEnded) {
  // A process number that no longer runs: a child that has been waited for.
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  ASSERT_EQ(waitpid(child, nullptr, 0), child);
  const auto makeRun = [this](const std::string& suffix, const char* file) {
    const std::string path = dir + "/quenbry-solitaire-" + suffix;
    EXPECT_EQ(mkdir(path.c_str(), 0700), 0);
    Touch(path + "/" + file);
    return path;
  };
  const std::string ended = makeRun(std::to_string(child), "UNDO3.DAT");
  const std::string running = makeRun(std::to_string(getppid()), "UNDO1.DAT");
  const std::string other = makeRun(std::to_string(child) + "x", "UNDO1.DAT");
  const std::string notOurs = makeRun(std::to_string(child + 100000), "notes");
  EXPECT_EQ(RemoveStaleProcessDirectories(dir, "quenbry-solitaire-"), 1);
  EXPECT_FALSE(Exists(ended));
  EXPECT_TRUE(Exists(running + "/UNDO1.DAT")) << "its run is still going";
  EXPECT_TRUE(Exists(other)) << "not a process number";
  EXPECT_TRUE(Exists(notOurs + "/notes")) << "only snapshots are removed; a full directory stays";
}
