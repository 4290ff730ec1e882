// Keeps the window thread's posted messages and timers and hands them out in Windows order.
#include "platform/MessageQueue.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>

namespace {

std::uint64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

MessageQueue::MessageQueue(Clock clock) : clock_(clock ? std::move(clock) : SteadyMilliseconds) {}

void MessageQueue::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  Append(Message{message, wParam, lParam, Now(), false});
}

void MessageQueue::PostInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  Append(Message{message, wParam, lParam, Now(), true});
}

void MessageQueue::Append(const Message& m) {
  if (m.message == WM_MOUSEMOVE && !posted_.empty() && posted_.back().message == WM_MOUSEMOVE) {
    posted_.back() = m;
    return;
  }
  posted_.push_back(m);
}

void MessageQueue::PostQuit(int exitCode) {
  quitPending_ = true;
  quitCode_ = exitCode;
}

void MessageQueue::Invalidate() {
  paintPending_ = true;
}

MessageQueue::Timer* MessageQueue::EarliestDueTimer(std::uint64_t now) {
  Timer* best = nullptr;
  for (Timer& t : timers_) {
    if (t.dueMs <= now && (best == nullptr || t.dueMs < best->dueMs)) best = &t;
  }
  return best;
}

bool MessageQueue::Take(Message* out) {
  if (!posted_.empty()) {
    *out = posted_.front();
    posted_.pop_front();
    return true;
  }
  std::uint64_t now = Now();
  if (quitPending_) {
    quitPending_ = false;
    *out = Message{WM_QUIT, static_cast<std::uintptr_t>(quitCode_), 0, now};
    return true;
  }
  if (paintPending_) {
    paintPending_ = false;
    *out = Message{WM_PAINT, 0, 0, now};
    return true;
  }
  if (Timer* t = EarliestDueTimer(now)) {
    *out = Message{WM_TIMER, t->id, 0, now};
    // Missed periods are not made up: a late timer keeps its rhythm when it can and otherwise
    // waits one whole period, so there is never more than one WM_TIMER per timer in hand.
    std::uint64_t next = t->dueMs + t->periodMs;
    t->dueMs = next > now ? next : now + t->periodMs;
    return true;
  }
  return false;
}

bool MessageQueue::HasMessage() const {
  if (!posted_.empty() || quitPending_ || paintPending_) return true;
  std::uint64_t now = Now();
  return std::any_of(timers_.begin(), timers_.end(),
                     [now](const Timer& t) { return t.dueMs <= now; });
}

void MessageQueue::SetTimer(std::uintptr_t id, std::uint32_t ms) {
  ms = std::clamp(ms, kMinTimerMs, kMaxTimerMs);
  std::uint64_t due = Now() + ms;
  for (Timer& t : timers_) {
    if (t.id == id) {
      t.periodMs = ms;
      t.dueMs = due;
      return;
    }
  }
  timers_.push_back(Timer{id, ms, due});
}

bool MessageQueue::KillTimer(std::uintptr_t id) {
  auto it =
      std::find_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

int MessageQueue::MillisecondsUntilNextTimer() const {
  if (timers_.empty()) return -1;
  std::uint64_t now = Now();
  std::uint64_t earliest = std::numeric_limits<std::uint64_t>::max();
  for (const Timer& t : timers_) earliest = std::min(earliest, t.dueMs);
  if (earliest <= now) return 0;
  std::uint64_t wait = earliest - now;
  return static_cast<int>(std::min<std::uint64_t>(wait, kMaxTimerMs));
}
