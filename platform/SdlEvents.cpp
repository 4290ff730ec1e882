// Translates SDL mouse, keyboard and window events into Windows-shaped messages.
#include "platform/SdlEvents.h"

#include <SDL.h>

#include <atomic>

#include "platform/KeyMap.h"
#include "platform/Messages.h"
#include "platform/Viewport.h"

namespace {

// The SDL event type of a raise request; 0 until the first SdlEvents registers it. Atomic because
// the single-instance listener posts from its own thread.
std::atomic<std::uint32_t> g_raiseEventType{0};

// At most this many events are translated per wake-up, so a flood of events cannot keep the loop
// from handing out what it already has.
constexpr int kMaxEventsPerPump = 256;

std::uint32_t ButtonFlag(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return MK_LBUTTON;
    case SDL_BUTTON_RIGHT:
      return MK_RBUTTON;
    case SDL_BUTTON_MIDDLE:
      return MK_MBUTTON;
    default:
      return 0;
  }
}

std::uint32_t ButtonFlagsFromState(Uint32 state) {
  std::uint32_t flags = 0;
  if ((state & SDL_BUTTON_LMASK) != 0) flags |= MK_LBUTTON;
  if ((state & SDL_BUTTON_RMASK) != 0) flags |= MK_RBUTTON;
  if ((state & SDL_BUTTON_MMASK) != 0) flags |= MK_MBUTTON;
  return flags;
}

std::intptr_t LogicalPosition(int windowX, int windowY) {
  int x = 0;
  int y = 0;
  CurrentViewport().ToLogical(windowX, windowY, &x, &y);
  return MakeLParam(x, y);
}

}  // namespace

SdlEvents::SdlEvents(MessageQueue& queue) : queue_(queue), modifiers_(SDL_GetModState()) {
  if (g_raiseEventType.load() == 0) {
    Uint32 type = SDL_RegisterEvents(1);
    if (type != static_cast<Uint32>(-1)) g_raiseEventType.store(type);
  }
}

void SdlEvents::PostRaiseRequest() {
  std::uint32_t type = g_raiseEventType.load();
  if (type == 0) return;
  SDL_Event event{};
  event.type = type;
  SDL_PushEvent(&event);
}

void SdlEvents::Pump(int waitMs) {
  SDL_Event event;
  int got = 0;
  if (waitMs < 0) {
    got = SDL_WaitEvent(&event);
  } else if (waitMs == 0) {
    got = SDL_PollEvent(&event);
  } else {
    got = SDL_WaitEventTimeout(&event, waitMs);
  }
  for (int n = 1; got != 0; ++n) {
    Translate(event);
    if (n == kMaxEventsPerPump) break;
    got = SDL_PollEvent(&event);
  }
  // A close and the quit it causes arrive in the same batch; any later quit is a new request.
  closeQueued_ = false;
}

void SdlEvents::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      TranslateMouseMotion(event);
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateMouseButton(event);
      return;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event);
      return;
    case SDL_WINDOWEVENT:
      TranslateWindow(event);
      return;
    case SDL_QUIT:
      if (!closeQueued_) queue_.Post(WM_CLOSE, 0, 0);
      closeQueued_ = false;
      return;
    default:
      if (event.type == g_raiseEventType.load() && event.type != 0 && raiseHandler_) {
        raiseHandler_();
      }
      return;
  }
}

std::uintptr_t SdlEvents::ModifierFlags() const {
  std::uintptr_t flags = 0;
  if ((modifiers_ & KMOD_SHIFT) != 0) flags |= MK_SHIFT;
  if ((modifiers_ & KMOD_CTRL) != 0) flags |= MK_CONTROL;
  return flags;
}

void SdlEvents::TranslateMouseMotion(const SDL_Event& event) {
  const SDL_MouseMotionEvent& m = event.motion;
  queue_.PostInput(WM_MOUSEMOVE, ButtonFlagsFromState(m.state) | ModifierFlags(),
                   LogicalPosition(m.x, m.y));
}

void SdlEvents::TranslateMouseButton(const SDL_Event& event) {
  const SDL_MouseButtonEvent& b = event.button;
  std::uint32_t flag = ButtonFlag(b.button);
  if (flag == 0) return;
  // Each button has three messages in a row: down, up, double click.
  std::uint32_t first = flag == MK_LBUTTON   ? WM_LBUTTONDOWN
                        : flag == MK_RBUTTON ? WM_RBUTTONDOWN
                                             : WM_MBUTTONDOWN;
  std::uint32_t down = first;
  std::uint32_t up = first + 1;
  std::uint32_t dblclk = first + 2;
  std::uint32_t message = 0;
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    buttons_ |= flag;
    // Every second press of a series is the double click, as a window with CS_DBLCLKS gets it.
    message = (b.clicks != 0 && b.clicks % 2 == 0) ? dblclk : down;
  } else {
    buttons_ &= ~flag;
    message = up;
  }
  queue_.PostInput(message, buttons_ | ModifierFlags(), LogicalPosition(b.x, b.y));
}

void SdlEvents::TranslateKey(const SDL_Event& event) {
  const SDL_KeyboardEvent& k = event.key;
  bool pressed = event.type == SDL_KEYDOWN;
  SDL_Keymod mod = static_cast<SDL_Keymod>(k.keysym.mod);
  // Key events carry the modifiers as they were at that moment; mouse events that follow in the
  // same batch take theirs from here rather than from the newer state SDL has by now.
  modifiers_ = mod;
  std::optional<KeyInfo> key = LookupKey(k.keysym.scancode, (mod & KMOD_NUM) != 0);
  if (!key) return;
  if (keyFilter_ && keyFilter_(key->virtualKey, pressed)) return;

  bool isAlt = key->virtualKey == VK_MENU;
  bool altHeld = (mod & KMOD_ALT) != 0 || (isAlt && pressed);
  // With Ctrl held, Alt combinations are ordinary keys, as on Windows (Ctrl+Alt is AltGr there).
  bool ctrlHeld = (mod & KMOD_CTRL) != 0;
  bool system = false;
  if (isAlt && !pressed) {
    // Alt released on its own is a system key; after it modified another key it is a plain release.
    system = altAlone_ && !ctrlHeld;
    altAlone_ = false;
  } else {
    system = altHeld && !ctrlHeld;
    if (pressed && k.repeat == 0) altAlone_ = isAlt;
  }
  if (key->virtualKey == VK_F10) system = true;

  std::uint32_t message = 0;
  if (pressed) {
    message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
  } else {
    message = system ? WM_SYSKEYUP : WM_KEYUP;
  }
  bool previousDown = !pressed || k.repeat != 0;
  std::intptr_t lParam = KeyLParam(1, key->scanCode, key->extended, previousDown, !pressed,
                                   altHeld || (isAlt && system));
  queue_.PostInput(message, key->virtualKey, lParam);
}

void SdlEvents::TranslateWindow(const SDL_Event& event) {
  const SDL_WindowEvent& w = event.window;
  switch (w.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST: {
      int active = w.event == SDL_WINDOWEVENT_FOCUS_GAINED ? 1 : 0;
      // SDL may report the same focus twice; the program hears only changes.
      if (active != active_)
        queue_.PostInput(WM_ACTIVATEAPP, static_cast<std::uintptr_t>(active), 0);
      active_ = active;
      return;
    }
    case SDL_WINDOWEVENT_EXPOSED:
      queue_.Invalidate();
      return;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      queue_.Post(WM_SIZE, SIZE_RESTORED, MakeLParam(w.data1, w.data2));
      queue_.Invalidate();
      return;
    case SDL_WINDOWEVENT_MINIMIZED:
      queue_.Post(WM_SIZE, SIZE_MINIMIZED, 0);
      return;
    case SDL_WINDOWEVENT_CLOSE:
      queue_.Post(WM_CLOSE, 0, 0);
      closeQueued_ = true;
      return;
    default:
      return;
  }
}
