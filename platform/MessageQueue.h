// The window thread's message queue: posted and input messages in arrival order, then the quit
// request, then one pending repaint, then the window timers, synthesised the way Windows does.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Messages.h"

class MessageQueue {
public:
  // Milliseconds from any fixed origin; tests pass a clock they advance by hand.
  using Clock = std::function<std::uint64_t()>;

  // The shortest and longest timer periods Windows accepts; other values are clamped to them.
  static constexpr std::uint32_t kMinTimerMs = 10;
  static constexpr std::uint32_t kMaxTimerMs = 0x7FFFFFFF;

  explicit MessageQueue(Clock clock = {});

  std::uint64_t Now() const { return clock_(); }

  // Appends a message. A mouse move that follows another queued mouse move replaces it, so a
  // busy drag never falls behind the pointer (Windows coalesces them the same way).
  void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  // The same for messages made from mouse and keyboard input (marked fromDevice).
  void PostInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  // Makes the next empty queue yield WM_QUIT with wParam = exitCode.
  void PostQuit(int exitCode);
  // Asks for one WM_PAINT; several requests before it is taken still give one.
  void Invalidate();

  // Takes the next message without waiting. Order: posted and input messages, WM_QUIT, WM_PAINT,
  // then the earliest due timer. Returns false when there is none.
  bool Take(Message* out);
  // True when Take would return a message now.
  bool HasMessage() const;

  // Starts or restarts timer `id`: WM_TIMER (wParam = id, lParam = 0) every `ms` milliseconds.
  void SetTimer(std::uintptr_t id, std::uint32_t ms);
  // Stops a timer; false when no such timer runs.
  bool KillTimer(std::uintptr_t id);
  // Milliseconds until the next timer is due: 0 when one is due now, -1 when no timer runs.
  int MillisecondsUntilNextTimer() const;

private:
  void Append(const Message& m);

  struct Timer {
    std::uintptr_t id;
    std::uint32_t periodMs;
    std::uint64_t dueMs;
  };

  Timer* EarliestDueTimer(std::uint64_t now);

  Clock clock_;
  std::deque<Message> posted_;
  std::vector<Timer> timers_;  // in SetTimer order, which breaks ties between equal due times
  bool quitPending_ = false;
  int quitCode_ = 0;
  bool paintPending_ = false;
};
