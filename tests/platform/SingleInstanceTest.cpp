// Checks the one-copy rule with two instances in one process sharing a private directory: the
// second is refused, asks the first to show itself, and the lock frees when the first ends.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

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
  std::string dir;
};

bool Exists(const std::string& path) {
  return access(path.c_str(), F_OK) == 0;
}

}  // namespace

TEST_F(SingleInstanceTest, NamesIncludeTheUserId) {
  SingleInstance instance(dir);
  std::string uid = std::to_string(getuid());
  EXPECT_EQ(instance.LockPath(), dir + "/quenbry-solitaire-" + uid + ".lock");
  EXPECT_EQ(instance.SocketPath(), dir + "/quenbry-solitaire-" + uid + ".sock");
}

TEST_F(SingleInstanceTest, SecondStartAsksTheFirstToShowItself) {
  std::atomic<int> requests{0};
  SingleInstance first(dir);
  ASSERT_EQ(first.Acquire(), SingleInstance::Role::First);
  ASSERT_TRUE(first.StartListening([&requests] { ++requests; }));
  EXPECT_TRUE(Exists(first.SocketPath()));

  SingleInstance second(dir);
  ASSERT_EQ(second.Acquire(), SingleInstance::Role::Second);
  EXPECT_TRUE(second.AskFirstToShow());
  EXPECT_EQ(requests.load(), 1);
  // The refused copy leaves the first's socket alone when it ends.
  {
    SingleInstance third(dir);
    EXPECT_EQ(third.Acquire(), SingleInstance::Role::Second);
    EXPECT_TRUE(third.AskFirstToShow());
  }
  EXPECT_TRUE(Exists(first.SocketPath()));
  EXPECT_EQ(requests.load(), 2);
}

TEST_F(SingleInstanceTest, ARequestMadeBeforeTheListenerStartsIsServedLater) {
  std::atomic<int> requests{0};
  SingleInstance first(dir);
  ASSERT_EQ(first.Acquire(), SingleInstance::Role::First);
  SingleInstance second(dir);
  ASSERT_EQ(second.Acquire(), SingleInstance::Role::Second);
  // Without a listener the request waits in the socket's backlog; the asker gives up waiting
  // for the answer but the first copy still sees it once it listens.
  EXPECT_FALSE(second.AskFirstToShow(100));
  ASSERT_TRUE(first.StartListening([&requests] { ++requests; }));
  for (int i = 0; i < 200 && requests.load() == 0; ++i) usleep(10 * 1000);
  EXPECT_EQ(requests.load(), 1);
}

TEST_F(SingleInstanceTest, TheLockFreesWhenTheFirstEnds) {
  {
    SingleInstance first(dir);
    ASSERT_EQ(first.Acquire(), SingleInstance::Role::First);
    ASSERT_TRUE(first.StartListening([] {}));
  }
  SingleInstance next(dir);
  EXPECT_EQ(next.Acquire(), SingleInstance::Role::First);
  EXPECT_TRUE(next.StartListening([] {}));
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashIsReplaced) {
  SingleInstance probe(dir);
  int fd = open(probe.SocketPath().c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  close(fd);
  std::atomic<int> requests{0};
  SingleInstance first(dir);
  ASSERT_EQ(first.Acquire(), SingleInstance::Role::First);
  ASSERT_TRUE(first.StartListening([&requests] { ++requests; }));
  SingleInstance second(dir);
  ASSERT_EQ(second.Acquire(), SingleInstance::Role::Second);
  EXPECT_TRUE(second.AskFirstToShow());
  EXPECT_EQ(requests.load(), 1);
}

TEST_F(SingleInstanceTest, WithoutAUsableDirectoryTheGameStillStarts) {
  SingleInstance instance(dir + "/missing");
  EXPECT_EQ(instance.Acquire(), SingleInstance::Role::First);
  EXPECT_FALSE(instance.StartListening([] {}));
  EXPECT_FALSE(instance.AskFirstToShow(50));
}

TEST_F(SingleInstanceTest, AnOverlongSocketPathStillRunsWithoutTheSocket) {
  std::string deep = dir + "/" + std::string(120, 'd');
  ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
  SingleInstance first(deep);
  EXPECT_EQ(first.Acquire(), SingleInstance::Role::First);
  EXPECT_FALSE(first.StartListening([] {}));
  SingleInstance second(deep);
  EXPECT_EQ(second.Acquire(), SingleInstance::Role::Second);
  EXPECT_FALSE(second.AskFirstToShow(50));
}
