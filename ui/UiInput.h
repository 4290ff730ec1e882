// The one input record that every mouse and keyboard message passes through on its way to the
// window elements, with the steps that turn a recorded message into one event per turn.
#pragma once

#include <cstdint>

#include "platform/Messages.h"

class Window;
class UiElement;

// Event codes left in UiInput.event for this turn.
inline constexpr int EV_NONE = 0;
inline constexpr int EV_CLICKED = 1;
inline constexpr int EV_RIGHT_CLICKED = 3;
inline constexpr int EV_PRESSED = 4;
inline constexpr int EV_TAB = 6;
inline constexpr int EV_BACK_TAB = 7;
inline constexpr int EV_UP = 8;
inline constexpr int EV_DOWN = 9;
inline constexpr int EV_LEFT = 10;
inline constexpr int EV_HOME = 11;
inline constexpr int EV_END = 12;
inline constexpr int EV_PAGE_UP = 13;
inline constexpr int EV_PAGE_DOWN = 14;
inline constexpr int EV_DELETE = 15;
inline constexpr int EV_INSERT = 16;
inline constexpr int EV_RIGHT = 17;
inline constexpr int EV_TIMER = 18;
inline constexpr int EV_SYSKEY = 25;
// sysKeyPending after the system key went up again.
inline constexpr int EV_SYSKEY_UP = 26;

// Mouse states of one turn.
inline constexpr int MS_IDLE = 0;
inline constexpr int MS_MOVE = 1;
inline constexpr int MS_LEFT_PRESSED = 2;
inline constexpr int MS_LEFT_HELD = 3;
inline constexpr int MS_LEFT_RELEASED = 4;
inline constexpr int MS_RIGHT_PRESSED = 5;
inline constexpr int MS_RIGHT_HELD = 6;
inline constexpr int MS_RIGHT_RELEASED = 7;

// keyState values.
inline constexpr int KS_NONE = 0;
inline constexpr int KS_CHAR = 1;
inline constexpr int KS_RELEASED = 3;
inline constexpr int KS_FUNCTION = 4;

// Pending key code that stands for Shift+Tab once the translation has recognised it.
inline constexpr std::uint32_t kUiBackTabKey = 15;
// Characters the character-code entry collects before it takes no more.
inline constexpr int kUiCodeBufferLength = 9;

struct UiInputRecord {
  int event = EV_NONE;
  int subject = 0;
  int mouseState = MS_IDLE;
  int mouseX = 0;
  int mouseY = 0;
  int keyState = KS_NONE;
  std::uint8_t keyChar = 0;
  // Also holds the key code of the last system key: the menus read the Alt letter from here.
  std::uintptr_t timerId = 0;
  std::intptr_t timerParam = 0;
  int timerPending = 0;
  int sysKeyPending = 0;

  // The last key-down not yet translated; key code 0 means none.
  std::uint32_t pendingKey = 0;
  int pendingScan = 0;
  bool pendingExtended = false;

  // The last press finished what its click was for (a list chose an item, a screen opened or
  // closed): the double click that may follow belongs to it and presses nothing. A new press
  // clears it.
  bool doubleClickTaken = false;

  bool leftDown = false;
  bool rightDown = false;
  bool mouseMoved = false;
  int lastX = 0;
  int lastY = 0;
  int previousMouseState = MS_IDLE;

  // Room for the characters plus a terminating zero, so the buffer always reads as a string.
  char codeBuffer[kUiCodeBufferLength + 1] = {};
  int codeLength = 0;
};

// The process-wide input record. Plain data: recording and polling run on the window's thread.
extern UiInputRecord UiInput;

// Forgets everything recorded (start-up and tests).
void UiResetInput();

// Forgets this turn's event, subject, key, timer tick and system key, and any key-down not yet
// translated; the mouse reports plain movement. The buttons held stay as they are. A modal loop
// calls it when it ends, so the caller's own turn does not see the key that closed it.
void UiClearTurn();

// Records one input message; true for the messages it knows. window receives the mouse capture
// while a button is down; nullptr means the program's main window.
bool UiRecord(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
inline bool UiRecord(const Message& msg) {
  return UiRecord(nullptr, msg.message, msg.wParam, msg.lParam);
}

// The four translation steps of a poll, to be run in this order.
void UiTranslateKey();
void UiTranslateMouse();
void UiApplyTimer();
void UiApplySysKey();
// All four in order: what every loop does before it lets its element tree handle the turn.
void UiTranslateInput();
// One whole poll of a tree: the translation steps, then the top element's HandleEvent, as one
// turn (elements destroyed by a handler are deleted when it ends). The caller then reads
// UiInput.event and UiInput.subject.
void UiPoll(UiElement& top);

// Where the translation reads the Windows-shaped key state (Shift, Caps Lock). The platform's
// GetKeyState unless replaced; nullptr restores it. Tests use this to set the lock lights.
using UiKeyStateReader = std::int16_t (*)(std::uint32_t virtualKey);
void UiSetKeyStateReader(UiKeyStateReader reader);
std::int16_t UiKeyState(std::uint32_t virtualKey);
