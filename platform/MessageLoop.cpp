// Runs the process-wide queue: fills it from the message source and waits only as long as the
// next timer allows, so neither the main loop nor the modal loops spin.
#include "platform/MessageLoop.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <utility>

#include "platform/Keyboard.h"

namespace {

struct LoopState {
  std::unique_ptr<MessageQueue> queue = std::make_unique<MessageQueue>();
  MessageSource* source = nullptr;
  WindowProc proc;
};

LoopState& State() {
  static LoopState state;
  return state;
}

// The wait is cut short at the next timer so WM_TIMER is never late because of it.
int WaitLimit(int waitMs) {
  int untilTimer = State().queue->MillisecondsUntilNextTimer();
  if (untilTimer < 0) return waitMs;
  if (waitMs < 0) return untilTimer;
  return std::min(waitMs, untilTimer);
}

// Every message leaves the queue through here, so the key state moves in step with the messages.
bool TakeMessage(Message* msg) {
  if (!State().queue->Take(msg)) return false;
  TrackKeyMessage(*msg);
  return true;
}

void PumpWithoutWaiting() {
  if (State().source != nullptr) State().source->Pump(0);
}

}  // namespace

MessageQueue& ThreadMessageQueue() {
  return *State().queue;
}

void ResetMessageLoop(MessageQueue::Clock clock) {
  State().queue = std::make_unique<MessageQueue>(std::move(clock));
  State().source = nullptr;
  State().proc = nullptr;
  ResetKeyState();
}

void SetMessageSource(MessageSource* source) {
  State().source = source;
}

void SetWindowProc(WindowProc proc) {
  State().proc = std::move(proc);
}

bool GetMessage(Message* msg) {
  MessageQueue& queue = *State().queue;
  for (;;) {
    // Input that has already arrived goes ahead of any timer that is due.
    PumpWithoutWaiting();
    if (TakeMessage(msg)) return msg->message != WM_QUIT;
    int wait = WaitLimit(-1);
    if (State().source == nullptr) {
      if (wait < 0) {
        *msg = Message{WM_QUIT, 0, 0, queue.Now()};
        return false;
      }
      // Nothing to wait on but the clock: only the timers can produce a message.
      std::this_thread::sleep_for(std::chrono::milliseconds(wait));
      continue;
    }
    State().source->Pump(wait);
  }
}

void WaitForMessage(Message* msg) {
  for (;;) {
    if (State().queue->HasMessage()) {
      // Input that has already arrived goes ahead of any timer that is due.
      PumpWithoutWaiting();
      if (TakeMessage(msg)) return;
    }
    const int wait = WaitLimit(-1);
    MessageSource* source = State().source;
    if (source == nullptr) {
      if (wait < 0) {
        *msg = Message{WM_QUIT, 0, 0, State().queue->Now()};
        return;
      }
      // Nothing to wait on but the clock: only the timers can produce a message.
      std::this_thread::sleep_for(std::chrono::milliseconds(wait));
      continue;
    }
    // The waiting pump takes in whatever has already arrived and returns at once then.
    source->Pump(wait);
    if (TakeMessage(msg)) return;
  }
}

bool PeekMessage(Message* msg, int waitMs) {
  MessageSource* source = State().source;
  int wait = source != nullptr && waitMs > 0 ? WaitLimit(waitMs) : 0;
  // When nothing is queued and the loop may wait, the waiting pump alone takes in whatever has
  // arrived (it returns at once then). Pumping first as well would double the calls into the
  // window system on every idle turn of a modal loop, which is most of what an open dialog costs.
  if (wait > 0 && !State().queue->HasMessage()) {
    source->Pump(wait);
    return TakeMessage(msg);
  }
  // Input that has already arrived goes ahead of any timer that is due.
  PumpWithoutWaiting();
  return TakeMessage(msg);
}

std::intptr_t DispatchMessage(const Message& msg) {
  return SendMessage(msg.message, msg.wParam, msg.lParam);
}

std::intptr_t SendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  // A copy, so a window procedure that replaces itself while running stays alive to return.
  WindowProc proc = State().proc;
  return proc ? proc(message, wParam, lParam) : 0;
}

void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  State().queue->Post(message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
  State().queue->PostQuit(exitCode);
}

void InvalidateWindow() {
  State().queue->Invalidate();
}

void SetTimer(std::uintptr_t id, std::uint32_t ms) {
  State().queue->SetTimer(id, ms);
}

bool KillTimer(std::uintptr_t id) {
  return State().queue->KillTimer(id);
}
