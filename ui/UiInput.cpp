// Records input messages into the process-wide input record and turns the mouse, timer and
// system-key parts of a recorded message into this turn's state.
#include "ui/UiInput.h"

#include "platform/Keyboard.h"
#include "platform/Window.h"
#include "ui/UiElement.h"

UiInputRecord UiInput;

namespace {

UiKeyStateReader g_keyStateReader = nullptr;

void Capture(Window* window, bool capture) {
  if (window != nullptr) {
    window->CaptureMouse(capture);
  } else if (capture) {
    SetCapture();
  } else {
    ReleaseCapture();
  }
}

bool LeftPressedOrHeld(int state) {
  return state == MS_LEFT_PRESSED || state == MS_LEFT_HELD;
}
bool RightPressedOrHeld(int state) {
  return state == MS_RIGHT_PRESSED || state == MS_RIGHT_HELD;
}

}  // namespace

void UiResetInput() {
  UiInput = UiInputRecord{};
}

void UiClearTurn() {
  UiInputRecord& in = UiInput;
  in.event = EV_NONE;
  in.subject = 0;
  in.keyState = KS_NONE;
  in.keyChar = 0;
  in.timerPending = 0;
  in.sysKeyPending = 0;
  in.pendingKey = 0;
  in.pendingScan = 0;
  in.pendingExtended = false;
  in.codeLength = 0;
  in.codeBuffer[0] = '\0';
  // The press or release that ended the loop belonged to it; previousMouseState stays, so a
  // button still held reads as held, not as a new press.
  in.mouseState = in.mouseMoved ? MS_MOVE : MS_IDLE;
}

void UiSetKeyStateReader(UiKeyStateReader reader) {
  g_keyStateReader = reader;
}

std::int16_t UiKeyState(std::uint32_t virtualKey) {
  return g_keyStateReader != nullptr ? g_keyStateReader(virtualKey) : GetKeyState(virtualKey);
}

bool UiRecord(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  UiInputRecord& in = UiInput;
  in.timerPending = 0;
  in.sysKeyPending = 0;
  // Signed halves: while the mouse is captured the pointer may be left of or above the window.
  const int x = GetXLParam(lParam);
  const int y = GetYLParam(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      in.mouseMoved = true;
      in.lastX = x;
      in.lastY = y;
      return true;
    case WM_LBUTTONDBLCLK:
      // The second press of a quick pair comes only as this message. Menus, buttons and dialogs
      // have no use for a double click, and a player clicking quickly means two clicks; the game
      // takes its double click from the message itself.
      in.mouseX = x;
      in.mouseY = y;
      if (in.doubleClickTaken) {
        in.doubleClickTaken = false;
        return true;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      in.doubleClickTaken = false;
      in.leftDown = true;
      in.lastX = x;
      in.lastY = y;
      Capture(window, true);
      return true;
    case WM_LBUTTONUP:
      in.leftDown = false;
      in.lastX = x;
      in.lastY = y;
      Capture(window, false);
      return true;
    case WM_RBUTTONDOWN:
      in.rightDown = true;
      in.lastX = x;
      in.lastY = y;
      Capture(window, true);
      return true;
    case WM_RBUTTONUP:
      in.rightDown = false;
      in.lastX = x;
      in.lastY = y;
      Capture(window, false);
      return true;
    case WM_RBUTTONDBLCLK:
      return true;
    case WM_KEYDOWN:
      in.pendingKey = static_cast<std::uint32_t>(wParam);
      in.pendingScan = KeyScanCode(lParam);
      in.pendingExtended = KeyIsExtended(lParam);
      return true;
    case WM_KEYUP:
      in.keyState = KS_RELEASED;
      in.keyChar = static_cast<std::uint8_t>(wParam & 0xFF);
      return true;
    case WM_SYSKEYDOWN:
      in.sysKeyPending = EV_SYSKEY;
      in.timerId = wParam;
      return true;
    case WM_SYSKEYUP:
      in.sysKeyPending = EV_SYSKEY_UP;
      return true;
    case WM_TIMER:
      in.timerPending = EV_TIMER;
      in.timerId = wParam;
      in.timerParam = lParam;
      return true;
    default:
      return false;
  }
}

void UiTranslateMouse() {
  UiInputRecord& in = UiInput;
  const int previous = in.previousMouseState;
  int state;
  // The left button is asked first, so with both buttons down the left one decides. A turn
  // after a release falls through to the other tests and so reports plain movement again.
  if (in.leftDown) {
    state = LeftPressedOrHeld(previous) ? MS_LEFT_HELD : MS_LEFT_PRESSED;
  } else if (LeftPressedOrHeld(previous)) {
    state = MS_LEFT_RELEASED;
  } else if (in.rightDown) {
    state = RightPressedOrHeld(previous) ? MS_RIGHT_HELD : MS_RIGHT_PRESSED;
  } else if (RightPressedOrHeld(previous)) {
    state = MS_RIGHT_RELEASED;
  } else {
    state = in.mouseMoved ? MS_MOVE : MS_IDLE;
  }
  in.mouseState = state;
  in.previousMouseState = state;
  in.mouseX = in.lastX;
  in.mouseY = in.lastY;
}

void UiApplyTimer() {
  if (UiInput.timerPending != 0) UiInput.event = EV_TIMER;
}

void UiApplySysKey() {
  if (UiInput.sysKeyPending != 0) UiInput.event = EV_SYSKEY;
}

void UiTranslateInput() {
  UiTranslateKey();
  UiTranslateMouse();
  UiApplyTimer();
  UiApplySysKey();
}

void UiPoll(UiElement& top) {
  UiTranslateInput();
  UiElement::BeginTurn();
  top.HandleEvent();
  UiElement::EndTurn();
}
