// The game clock on an injected clock source and the score formula's truncations.
#include "engine/GameClock.h"
#include "engine/GameServices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>

namespace {

class GameClockTest : public testing::Test {
protected:
  void SetUp() override {
    TheGameServices().clock = [this] { return now_; };
  }
  void TearDown() override { ResetGameServices(); }

  std::int64_t now_ = 1'000'000;
};

TEST_F(GameClockTest, StartsFromTheElapsedTimeItIsGiven) {
  GameClock clock;
  clock.Start(42);
  EXPECT_EQ(clock.Elapsed(false), 42);
  EXPECT_FALSE(clock.IsStopped());
  now_ += 8;
  EXPECT_EQ(clock.Elapsed(false), 50);
  EXPECT_EQ(clock.Elapsed(true), 0) << "over but not stopped: stop equals start";
  clock.Stop();
  now_ += 100;
  EXPECT_TRUE(clock.IsStopped());
  EXPECT_EQ(clock.Elapsed(true), 50) << "a stopped clock no longer runs";
}

TEST_F(GameClockTest, APauseCountsUntilItIsResumedAndThenNotAtAll) {
  GameClock clock;
  clock.Start(0);
  now_ += 10;
  clock.Pause();
  EXPECT_TRUE(clock.IsPaused());
  now_ += 30;
  EXPECT_EQ(clock.Elapsed(false), 40) << "the pause is taken off only at the resume";
  clock.Resume();
  EXPECT_FALSE(clock.IsPaused());
  EXPECT_EQ(clock.Elapsed(false), 10);
  now_ += 5;
  EXPECT_EQ(clock.Elapsed(false), 15);
}

TEST_F(GameClockTest, WithoutASourceTheCalendarClockIsRead) {
  TheGameServices().clock = {};
  const auto before = static_cast<std::int64_t>(std::time(nullptr));
  const std::int64_t read = GameClockNow();
  EXPECT_GE(read, before);
  EXPECT_LE(read, before + 2);
}

// One point per full ten seconds, and every product truncated toward zero.
TEST(ScoreFormulaTest, EveryProductIsTruncatedTowardZero) {
  EXPECT_EQ(ScoreFormula(100, 59, 1.25, 1.0), 118);  // (100 - 5) * 1.25 = 118.75
  EXPECT_EQ(ScoreFormula(100, 0, 1.0, 1.5), 150);
  EXPECT_EQ(ScoreFormula(3, 45, 1.0, 1.0), -1);
  EXPECT_EQ(ScoreFormula(0, 75, 1.25, 1.0), -8) << "-7 * 1.25 = -8.75 truncates up";
  EXPECT_EQ(ScoreFormula(-3, 0, 1.0, 1.5), -4) << "-4.5 truncates toward zero";
  EXPECT_EQ(ScoreFormula(7, 9, 1.0, 1.0), 7) << "nine seconds cost nothing yet";
  EXPECT_EQ(TimePenalty(599), -59);
  EXPECT_EQ(TimePenalty(-15), 1) << "division truncating toward zero, not flooring";
}

}  // namespace
