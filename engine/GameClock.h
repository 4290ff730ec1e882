// The game clock in whole calendar seconds: started at the end of a deal, paused around windows
// and by the player, stopped when the game ends.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/GameServices.h"

// Where every game clock reads the time, in whole seconds: the game services' clock, the calendar
// clock when none is set. Scenario tests drive it from their own clock.
std::int64_t GameClockNow();

class GameClock {
public:
  // start = now - elapsed; stop = start.
  void Start(int elapsed);
  void Pause();
  // The pause is taken off: start moves forward by its length.
  void Resume();
  void Stop();
  // Over: stop - start. Otherwise now - start (a pause still counts until it is resumed).
  int Elapsed(bool over) const;
  bool IsPaused() const { return paused_; }
  // Until Stop, the stop time equals the start time.
  bool IsStopped() const { return stop_ != start_; }
  void ClearPause() { paused_ = false; }

private:
  std::int64_t start_ = 0;
  std::int64_t pauseStart_ = 0;
  std::int64_t stop_ = 0;
  bool paused_ = false;
};

// The score formula: points, one off for every full ten seconds, times the rules' factor, times
// the win multiplier, each product truncated toward zero.
int ScoreFormula(int points, int seconds, double factor, double winMultiplier);
// Minus one point for every full ten seconds.
constexpr int TimePenalty(int seconds) {
  return -(seconds / 10);
}
