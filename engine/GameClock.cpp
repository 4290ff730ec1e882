// The game clock and the score formula. Times are whole calendar seconds, so a pause shorter than
// a second may cost or give back one second; that is the resolution the score was designed for.
#include "engine/GameClock.h"

#include <ctime>

#include "engine/GameServices.h"

std::int64_t GameClockNow() {
  const SecondsSource& source = TheGameServices().clock;
  if (source) return source();
  return static_cast<std::int64_t>(std::time(nullptr));
}

void GameClock::Start(int elapsed) {
  start_ = GameClockNow() - elapsed;
  stop_ = start_;
}

void GameClock::Pause() {
  paused_ = true;
  pauseStart_ = GameClockNow();
}

void GameClock::Resume() {
  start_ += GameClockNow() - pauseStart_;
  stop_ = start_;
  paused_ = false;
}

void GameClock::Stop() {
  stop_ = GameClockNow();
}

int GameClock::Elapsed(bool over) const {
  const std::int64_t end = over ? stop_ : GameClockNow();
  return static_cast<int>(end - start_);
}

int ScoreFormula(int points, int seconds, double factor, double winMultiplier) {
  // Each conversion to int truncates toward zero, also for negative scores.
  const int adjusted = points + TimePenalty(seconds);
  const int factored = static_cast<int>(adjusted * factor);
  return static_cast<int>(factored * winMultiplier);
}
