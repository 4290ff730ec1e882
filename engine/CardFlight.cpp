// The step plan of a card flight and its pacing.
#include "engine/CardFlight.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace {

int Sign(int v) {
  return v < 0 ? -1 : 1;
}

}  // namespace

FlightPlan PlanFlight(int fromX, int fromY, int toX, int toY, bool fast) {
  const int step = fast ? kFastFlightStep : kNormalFlightStep;
  const int dx = toX - fromX;
  const int dy = toY - fromY;
  FlightPlan plan;
  if (dx == 0) {
    plan.steps = std::abs(dy) / step;
    plan.sy = Sign(dy) * step;
  } else if (dy == 0) {
    plan.steps = std::abs(dx) / step;
    plan.sx = Sign(dx) * step;
  } else if (std::abs(dx) > std::abs(dy)) {
    plan.steps = std::max(1, std::abs(dx) / step);
    plan.sx = Sign(dx) * step;
    plan.sy = dy / plan.steps;
  } else {
    plan.steps = std::max(1, std::abs(dy) / step);
    plan.sy = Sign(dy) * step;
    plan.sx = dx / plan.steps;
  }
  if (plan.steps < 1) plan.steps = 1;
  plan.ex = std::abs(std::abs(plan.sx) * plan.steps - std::abs(dx));
  plan.ey = std::abs(std::abs(plan.sy) * plan.steps - std::abs(dy));
  return plan;
}

std::vector<ScreenPoint> FlightPositions(int fromX, int fromY, int toX, int toY, bool fast) {
  FlightPlan plan = PlanFlight(fromX, fromY, toX, toY, fast);
  const int extraX = toX - fromX >= 1 ? 1 : -1;
  const int extraY = toY - fromY >= 1 ? 1 : -1;
  std::vector<ScreenPoint> positions;
  positions.reserve(static_cast<std::size_t>(plan.steps));
  ScreenPoint at{fromX, fromY};
  for (int k = plan.steps; k >= 1; --k) {
    positions.push_back(k == 1 ? ScreenPoint{toX, toY} : at);
    at.x += plan.sx;
    at.y += plan.sy;
    // One missing pixel per step, so the shortfall is spread over the first steps instead of
    // making the card jump once.
    if (plan.ex > 0) {
      at.x += extraX;
      --plan.ex;
    }
    if (plan.ey > 0) {
      at.y += extraY;
      --plan.ey;
    }
  }
  return positions;
}

std::chrono::microseconds FlightStepDelay() {
  return std::max(std::chrono::microseconds(0), TheGameServices().flightStepDelay);
}

std::chrono::microseconds FlightStepDelay(bool fast) {
  const std::chrono::microseconds delay = FlightStepDelay();
  return fast ? delay * kFastPaceNumerator / kFastPaceDenominator : delay;
}

void HoldAnimation(std::chrono::milliseconds pause) {
  if (FlightStepDelay().count() <= 0 || pause.count() <= 0) return;
  std::this_thread::sleep_for(pause);
}

FlightPacer::FlightPacer(bool fast)
    : start_(std::chrono::steady_clock::now()), delay_(FlightStepDelay(fast)) {}

void FlightPacer::WaitForStep(int step) const {
  if (delay_.count() <= 0 || step <= 0) return;
  std::this_thread::sleep_until(start_ + delay_ * step);
}
