// The path of an animated card flight as plain numbers, and the step clock that paces every
// flight, so a flight takes the same time on a fast machine as on a slow one.
#pragma once

#include <chrono>
#include <vector>

#include "engine/GameServices.h"
#include "platform/Screen.h"

// Pixels a flight moves per step along its longer axis.
inline constexpr int kFastFlightStep = 10;
inline constexpr int kNormalFlightStep = 3;

struct FlightPlan {
  int steps = 1;  // never below 1: even a flight that goes nowhere draws once
  int sx = 0;     // per-step move
  int sy = 0;
  int ex = 0;  // pixels the per-step moves fall short by; one of them is added per step
  int ey = 0;
};

FlightPlan PlanFlight(int fromX, int fromY, int toX, int toY, bool fast);

// Where each step draws, first step first. The last position is always the destination; the
// others follow the plan, with the missing pixels spread one per step over the first steps.
std::vector<ScreenPoint> FlightPositions(int fromX, int fromY, int toX, int toY, bool fast);

// Time between two steps of every flight, from the game services; 0 shows the steps as fast as the
// screen allows (tests), and so does a negative delay. About 2.5 ms by default.
std::chrono::microseconds FlightStepDelay();

// Fast flights are the deals': a card leaves the stock every flight, each followed by its deal
// sound, which the player waits for. At the normal pace the opening Klondike deal took 2.7 s in
// flights alone; fast flights therefore step at three fifths of it (1.5 ms by default), which
// brings the whole deal, sounds included, within its time.
inline constexpr int kFastPaceNumerator = 3;
inline constexpr int kFastPaceDenominator = 5;
std::chrono::microseconds FlightStepDelay(bool fast);

// Holds the table still for `pause` (a pair shown selected before it goes), on the same service as
// the flights: with flights landing at once (tests) nothing waits.
void HoldAnimation(std::chrono::milliseconds pause);

// Holds each step of one flight until its turn on a monotonic clock counted from the flight's
// start, so a step that took long to draw does not push every later step back.
class FlightPacer {
public:
  explicit FlightPacer(bool fast);
  // Sleeps until step `step` (1 for the second drawn step, ...) is due.
  void WaitForStep(int step) const;

private:
  std::chrono::steady_clock::time_point start_;
  std::chrono::microseconds delay_;
};
