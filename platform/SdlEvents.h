// Turns SDL's events into the window messages the program runs on and feeds them to a queue;
// it is the message source of the game's main loop and modal loops.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/MessageLoop.h"
#include "platform/MessageQueue.h"

union SDL_Event;

class SdlEvents : public MessageSource {
public:
  // Registers the event type that carries raise requests, so SDL must be initialised.
  explicit SdlEvents(MessageQueue& queue);

  // Waits up to waitMs (-1: as long as it takes, 0: not at all) for an SDL event, then translates
  // every event that has arrived.
  void Pump(int waitMs) override;

  // Adds the messages for one SDL event to the queue (none for events the program ignores).
  void Translate(const SDL_Event& event);

  // Called on the window's thread when another start of the program asked to be shown instead.
  void SetRaiseHandler(std::function<void()> handler) { raiseHandler_ = std::move(handler); }

  // Sees every key press before it becomes a message; returning true keeps it from the program.
  // The display uses it for keys that must work in every loop, such as F11 for full screen.
  void SetKeyFilter(std::function<bool(std::uint32_t virtualKey, bool pressed)> filter) {
    keyFilter_ = std::move(filter);
  }

  // Safe from any thread: wakes the window's thread and makes it call the raise handler.
  // Does nothing before an SdlEvents exists.
  static void PostRaiseRequest();

private:
  void TranslateMouseMotion(const SDL_Event& event);
  void TranslateMouseButton(const SDL_Event& event);
  void TranslateKey(const SDL_Event& event);
  void TranslateWindow(const SDL_Event& event);
  std::uintptr_t ModifierFlags() const;

  MessageQueue& queue_;
  std::function<void()> raiseHandler_;
  std::function<bool(std::uint32_t, bool)> keyFilter_;
  std::uint32_t buttons_ = 0;  // MK_ flags of the mouse buttons held, from the button events
  bool altAlone_ = false;      // Alt went down and no other key has gone down since
  bool closeQueued_ = false;   // a window close became WM_CLOSE; the SDL_QUIT after it is dropped
  int active_ = -1;            // the last WM_ACTIVATEAPP sent: -1 none yet, else 0 or 1
  std::uint32_t modifiers_;    // SDL_Keymod after the last key event translated
};
