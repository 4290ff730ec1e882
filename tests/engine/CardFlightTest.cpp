// The path of a card flight as numbers: how many steps, how far each one goes, where the missing
// pixels go, and that every flight ends exactly on its destination.
#include "engine/CardFlight.h"
#include "engine/GameServices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

TEST(CardFlightTest, AFlightThatGoesNowhereDrawsOnceAtTheDestination) {
  const FlightPlan plan = PlanFlight(100, 80, 100, 80, false);
  EXPECT_EQ(plan.steps, 1);
  EXPECT_EQ(FlightPositions(100, 80, 100, 80, false), std::vector<ScreenPoint>({{100, 80}}));
  // Shorter than one step on a straight line: still one step.
  EXPECT_EQ(PlanFlight(100, 80, 100, 85, true).steps, 1);
  EXPECT_EQ(PlanFlight(100, 80, 95, 80, true).steps, 1);
}

TEST(CardFlightTest, TheShortAxisShortfallIsSpreadOnePixelPerStep) {
  const FlightPlan plan = PlanFlight(0, 0, 200, 7, true);
  EXPECT_EQ(plan.steps, 20);
  EXPECT_EQ(plan.sx, 10);
  EXPECT_EQ(plan.sy, 0);
  EXPECT_EQ(plan.ex, 0);
  EXPECT_EQ(plan.ey, 7);

  const std::vector<ScreenPoint> path = FlightPositions(0, 0, 200, 7, true);
  ASSERT_EQ(path.size(), 20u);
  for (int k = 0; k < 19; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(path[static_cast<std::size_t>(k)].x, 10 * k);
    EXPECT_EQ(path[static_cast<std::size_t>(k)].y, std::min(k, 7));
  }
  EXPECT_EQ(path.back(), (ScreenPoint{200, 7}));
}

TEST(CardFlightTest, StepLengthAxisAndDirectionFollowTheLongerDistance) {
  const struct {
    int fromX, fromY, toX, toY;
    bool fast;
    FlightPlan expected;
  } cases[] = {
      // Straight lines: the step length alone, the rest made up pixel by pixel.
      {0, 0, 0, 25, true, {2, 0, 10, 0, 5}},
      {0, 0, 0, -25, true, {2, 0, -10, 0, 5}},
      {50, 0, 20, 0, false, {10, -3, 0, 0, 0}},
      // Diagonal, longer vertically: sx is the truncated share of dx.
      {0, 0, -17, 60, false, {20, 0, 3, 17, 0}},
      {0, 0, 31, -100, true, {10, 3, -10, 1, 0}},
      // Longer horizontally and negative: the truncation goes toward zero.
      {300, 300, 100, 290, true, {20, -10, 0, 0, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.fromX << "," << c.fromY << " -> " << c.toX << "," << c.toY);
    const FlightPlan plan = PlanFlight(c.fromX, c.fromY, c.toX, c.toY, c.fast);
    EXPECT_EQ(plan.steps, c.expected.steps);
    EXPECT_EQ(plan.sx, c.expected.sx);
    EXPECT_EQ(plan.sy, c.expected.sy);
    EXPECT_EQ(plan.ex, c.expected.ex);
    EXPECT_EQ(plan.ey, c.expected.ey);
  }
}

TEST(CardFlightTest, EveryPathStartsAtTheSourceMovesMonotonicallyAndEndsOnTheTarget) {
  const int targets[][2] = {{0, 0}, {3, 0}, {0, 3}, {-301, 77}, {640, -480}, {9, 9}, {-2, -599}};
  for (bool fast : {false, true}) {
    for (const auto& t : targets) {
      SCOPED_TRACE(testing::Message() << t[0] << "," << t[1] << (fast ? " fast" : " normal"));
      const auto path = FlightPositions(100, 100, 100 + t[0], 100 + t[1], fast);
      ASSERT_FALSE(path.empty());
      if (path.size() > 1) {
        EXPECT_EQ(path.front(), (ScreenPoint{100, 100}));
      }
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

TEST(CardFlightTest, TheStepDelayIsOneSettingForTheWholeProgram) {
  TheGameServices().flightStepDelay = std::chrono::microseconds(0);
  EXPECT_EQ(FlightStepDelay().count(), 0);
  TheGameServices().flightStepDelay = std::chrono::microseconds(-5);
  EXPECT_EQ(FlightStepDelay().count(), 0) << "a negative delay means none";
  EXPECT_EQ(FlightStepDelay(true).count(), 0) << "tests land fast flights at once too";
  TheGameServices().flightStepDelay = std::chrono::microseconds(2500);
  EXPECT_EQ(FlightStepDelay(false).count(), 2500);
  EXPECT_LT(FlightStepDelay(true), FlightStepDelay(false)) << "deal flights go quicker";
  ResetGameServices();
}

}  // namespace
