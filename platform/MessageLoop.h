// The process-wide message functions that the main loop, the modal loops and the rest of the
// program call (get, peek, post, dispatch, timers), free of SDL so they work headless in tests.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/MessageQueue.h"
#include "platform/Messages.h"

// Whatever fills the queue from outside: the SDL event translation in the game, nothing (or a
// scripted source) in tests. Pump moves any waiting input into the queue; with waitMs > 0 it may
// first wait up to that long for input to arrive, with -1 as long as it takes.
class MessageSource {
public:
  virtual ~MessageSource() = default;
  virtual void Pump(int waitMs) = 0;
};

using WindowProc = std::function<std::intptr_t(std::uint32_t message, std::uintptr_t wParam,
                                               std::intptr_t lParam)>;

// The window thread's queue.
MessageQueue& ThreadMessageQueue();
// Starts over with an empty queue on the given clock (the steady clock when empty), no source and
// no window procedure. For start-up and tests.
void ResetMessageLoop(MessageQueue::Clock clock = {});
// The source is observed, not owned; nullptr detaches it.
void SetMessageSource(MessageSource* source);
void SetWindowProc(WindowProc proc);

// GetMessage and PeekMessage pass every message they take to the key-state tracking, so that
// GetKeyState answers for the message in hand.
//
// Blocks until a message arrives, waking for the next timer. Returns false for WM_QUIT (then
// msg->wParam is the exit code). Without a source and with no timer running nothing could ever
// arrive, so it reports WM_QUIT with code 0 rather than hanging.
bool GetMessage(Message* msg);
// Blocks like GetMessage but hands out WM_QUIT as any other message, for the modal loops, which
// must see the quit to leave it for the main loop. An idle wait calls the source once, not once
// before and once after, so an open dialog costs one call into the window system per message.
// Without a source and with no timer running it reports WM_QUIT with code 0, as GetMessage does.
void WaitForMessage(Message* msg);
// Takes one message if there is one; otherwise waits up to waitMs (never past the next timer)
// for one to arrive. waitMs 0 never waits.
bool PeekMessage(Message* msg, int waitMs = 0);
// Hands a message to the window procedure; 0 when none is set.
std::intptr_t DispatchMessage(const Message& msg);
// Calls the window procedure at once, bypassing the queue.
std::intptr_t SendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

void PostMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
void PostQuitMessage(int exitCode);
// Requests one WM_PAINT of the whole window.
void InvalidateWindow();
void SetTimer(std::uintptr_t id, std::uint32_t ms);
bool KillTimer(std::uintptr_t id);
