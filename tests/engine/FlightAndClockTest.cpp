// Card flight paths (pace: bench_klondike_deal), the game clock on an injected source, the score.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "engine/CardFlight.h"
#include "engine/GameClock.h"
#include "engine/GameServices.h"

namespace {

TEST(CardFlightTest, EveryPathStartsAtTheSourceMovesMonotonicallyAndEndsOnTheTarget) {
  const int targets[][2] = {{3, 0}, {0, 3}, {-301, 77}, {640, -480}, {9, 9}, {-2, -599}};
  for (bool fast : {false, true}) {
    for (const auto& t : targets) {
      SCOPED_TRACE(testing::Message() << t[0] << "," << t[1] << (fast ? " fast" : " normal"));
      const auto path = FlightPositions(100, 100, 100 + t[0], 100 + t[1], fast);
      ASSERT_FALSE(path.empty());
      EXPECT_TRUE(path.size() == 1 || path.front() == (ScreenPoint{100, 100}));
      EXPECT_EQ(path.back(), (ScreenPoint{100 + t[0], 100 + t[1]}));
      for (std::size_t i = 1; i < path.size(); ++i) {
        // Never a step back, and never past the destination.
        EXPECT_GE((path[i].x - path[i - 1].x) * (t[0] < 0 ? -1 : 1), 0);
        EXPECT_GE((path[i].y - path[i - 1].y) * (t[1] < 0 ? -1 : 1), 0);
        EXPECT_LE(std::abs(path[i].x - 100), std::abs(t[0]));
        EXPECT_LE(std::abs(path[i].y - 100), std::abs(t[1]));
      }
    }
  }
}

TEST(GameClockTest, PausesCountOnlyUntilResumedAndAStoppedClockStandsStill) {
  std::int64_t now = 1'000'000;
  TheGameServices().clock = [&now] { return now; };
  GameClock clock;
  clock.Start(42);
  now += 10;
  clock.Pause();
  now += 30;
  EXPECT_EQ(clock.Elapsed(false), 82) << "the pause is taken off only at the resume";
  clock.Resume();
  EXPECT_FALSE(clock.IsPaused());
  EXPECT_EQ(clock.Elapsed(false), 52);
  EXPECT_EQ(clock.Elapsed(true), 0) << "over but not stopped: stop equals start";
  clock.Stop();
  now += 100;
  EXPECT_EQ(clock.Elapsed(true), 52);
  TheGameServices().clock = {};
  const auto before = static_cast<std::int64_t>(std::time(nullptr));
  EXPECT_GE(GameClockNow(), before);
  EXPECT_LE(GameClockNow(), before + 2);
  ResetGameServices();
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
