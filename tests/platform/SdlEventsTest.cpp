// Checks the translation of SDL events into window messages: mouse positions through the
// viewport, the double-click sequence, system keys, key repeat, focus, paint, close and the
// cross-thread raise request.
#include "platform/SdlEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/Messages.h"
#include "platform/Viewport.h"

namespace {

class SdlEventsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_SetModState(KMOD_NONE);
    SetCurrentViewport(Viewport{});
    events = std::make_unique<SdlEvents>(queue);
  }
  void TearDown() override {
    events.reset();
    SetCurrentViewport(Viewport{});
    SDL_Quit();
  }

  std::vector<Message> Drain() {
    std::vector<Message> out;
    Message m;
    while (queue.Take(&m)) out.push_back(m);
    return out;
  }

  static SDL_Event Button(bool down, Uint8 button, int clicks, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = static_cast<Uint8>(clicks);
    e.button.x = x;
    e.button.y = y;
    return e;
  }

  static SDL_Event Motion(int x, int y, Uint32 state) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = state;
    return e;
  }

  static SDL_Event Key(bool down, SDL_Scancode scancode, Uint16 mod, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    e.key.keysym.mod = mod;
    return e;
  }

  static SDL_Event WindowEvent(Uint8 which, int data1 = 0, int data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = which;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
  }

  std::vector<std::uint32_t> Codes() {
    std::vector<std::uint32_t> codes;
    for (const Message& m : Drain()) codes.push_back(m.message);
    return codes;
  }

  // One event and the message it must give at once; a message of 0 for none.
  struct Step {
    SDL_Event event;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  void Play(std::initializer_list<Step> steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const Step& step = steps.begin()[i];
      events->Translate(step.event);
      const std::vector<Message> got = Drain();
      ASSERT_EQ(got.size(), step.message == 0 ? 0u : 1u) << "step " << i;
      if (got.empty()) continue;
      EXPECT_EQ(got[0].message, step.message) << "step " << i;
      EXPECT_EQ(got[0].wParam, step.wParam) << "step " << i;
      EXPECT_EQ(got[0].lParam, step.lParam) << "step " << i;
      EXPECT_TRUE(got[0].fromDevice) << "step " << i;
    }
  }

  std::uint64_t now = 0;
  MessageQueue queue{[this] { return now; }};
  std::unique_ptr<SdlEvents> events;
};

}  // namespace

TEST_F(SdlEventsTest, ButtonsGiveTheirMessagesWithEverySecondPressADoubleClick) {
  const std::intptr_t at = MakeLParam(100, 200);
  Play({
      {Button(true, SDL_BUTTON_LEFT, 1, 100, 200), WM_LBUTTONDOWN, MK_LBUTTON, at},
      {Button(false, SDL_BUTTON_LEFT, 1, 100, 200), WM_LBUTTONUP, 0, at},
      {Button(true, SDL_BUTTON_LEFT, 2, 100, 200), WM_LBUTTONDBLCLK, MK_LBUTTON, at},
      {Button(false, SDL_BUTTON_LEFT, 2, 100, 200), WM_LBUTTONUP, 0, at},
      // A third click in the series starts over with a plain press, a fourth is a double click.
      {Button(true, SDL_BUTTON_LEFT, 3, 100, 200), WM_LBUTTONDOWN, MK_LBUTTON, at},
      {Button(false, SDL_BUTTON_LEFT, 3, 100, 200), WM_LBUTTONUP, 0, at},
      {Button(true, SDL_BUTTON_LEFT, 4, 100, 200), WM_LBUTTONDBLCLK, MK_LBUTTON, at},
      {Button(false, SDL_BUTTON_LEFT, 4, 100, 200), WM_LBUTTONUP, 0, at},
      // The flags say which buttons are down after the event.
      {Button(true, SDL_BUTTON_RIGHT, 1, 1, 1), WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(1, 1)},
      {Button(true, SDL_BUTTON_MIDDLE, 1, 1, 1), WM_MBUTTONDOWN, MK_RBUTTON | MK_MBUTTON,
       MakeLParam(1, 1)},
      {Button(false, SDL_BUTTON_RIGHT, 1, 1, 1), WM_RBUTTONUP, MK_MBUTTON, MakeLParam(1, 1)},
      {Button(true, SDL_BUTTON_RIGHT, 2, 1, 1), WM_RBUTTONDBLCLK, MK_RBUTTON | MK_MBUTTON,
       MakeLParam(1, 1)},
      {Button(true, SDL_BUTTON_X1, 1, 1, 1), 0, 0, 0},  // no message for extra buttons
  });
}

TEST_F(SdlEventsTest, PositionsGoThroughTheViewportAndFlagsIncludeShiftAndCtrl) {
  Viewport scaled;
  scaled.scaleX = 2.0;
  scaled.scaleY = 2.0;
  scaled.offsetX = 40;
  scaled.offsetY = 10;
  SetCurrentViewport(scaled);
  events->Translate(Key(true, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT));
  events->Translate(Key(true, SDL_SCANCODE_RCTRL, KMOD_LSHIFT | KMOD_RCTRL));
  Drain();
  // SDL's own state may have moved on by the time a batch is translated; the events decide.
  SDL_SetModState(KMOD_NONE);
  Play({
      {Motion(40 + 2 * 123, 10 + 2 * 456 + 1, SDL_BUTTON_LMASK), WM_MOUSEMOVE,
       MK_LBUTTON | MK_SHIFT | MK_CONTROL, MakeLParam(123, 456)},
      // Outside the picture the position is pinned to the screen's edge.
      {Button(true, SDL_BUTTON_LEFT, 1, 5, 5000), WM_LBUTTONDOWN,
       MK_LBUTTON | MK_SHIFT | MK_CONTROL, MakeLParam(0, 599)},
      {Key(false, SDL_SCANCODE_LSHIFT, KMOD_RCTRL), WM_KEYUP, VK_SHIFT,
       KeyLParam(1, 0x2A, false, true, true)},
      {Button(false, SDL_BUTTON_LEFT, 1, 5, 5000), WM_LBUTTONUP, MK_CONTROL, MakeLParam(0, 599)},
  });
}

// Scan codes and the extended bit in lParam, repeats, the keypad under the event's Num Lock,
// and which keys are system keys.
TEST_F(SdlEventsTest, KeysGiveWindowsCodesAndLParams) {
  Play({
      {Key(true, SDL_SCANCODE_A, KMOD_NONE), WM_KEYDOWN, 'A',
       KeyLParam(1, 0x1E, false, false, false)},
      {Key(true, SDL_SCANCODE_A, KMOD_NONE, true), WM_KEYDOWN, 'A',
       KeyLParam(1, 0x1E, false, true, false)},
      {Key(false, SDL_SCANCODE_A, KMOD_NONE), WM_KEYUP, 'A', KeyLParam(1, 0x1E, false, true, true)},
      {Key(true, SDL_SCANCODE_UP, KMOD_NONE), WM_KEYDOWN, VK_UP,
       KeyLParam(1, 0x48, true, false, false)},
      {Key(true, SDL_SCANCODE_KP_7, KMOD_NUM), WM_KEYDOWN, VK_NUMPAD7,
       KeyLParam(1, 0x47, false, false, false)},
      {Key(true, SDL_SCANCODE_KP_7, KMOD_NONE), WM_KEYDOWN, VK_HOME,
       KeyLParam(1, 0x47, false, false, false)},
      // Alt and what it modifies are system keys with the context bit...
      {Key(true, SDL_SCANCODE_LALT, KMOD_LALT), WM_SYSKEYDOWN, VK_MENU,
       KeyLParam(1, 0x38, false, false, false, true)},
      {Key(true, SDL_SCANCODE_KP_1, KMOD_LALT | KMOD_NUM), WM_SYSKEYDOWN, VK_NUMPAD1,
       KeyLParam(1, 0x4F, false, false, false, true)},
      {Key(false, SDL_SCANCODE_KP_1, KMOD_LALT | KMOD_NUM), WM_SYSKEYUP, VK_NUMPAD1,
       KeyLParam(1, 0x4F, false, true, true, true)},
      // ...but Alt released after it modified a key is a plain release: that ends character-code
      // entry. Released on its own, even after repeating, it stays a system key.
      {Key(false, SDL_SCANCODE_LALT, KMOD_NONE), WM_KEYUP, VK_MENU,
       KeyLParam(1, 0x38, false, true, true)},
      {Key(true, SDL_SCANCODE_RALT, KMOD_RALT), WM_SYSKEYDOWN, VK_MENU,
       KeyLParam(1, 0x38, true, false, false, true)},
      {Key(true, SDL_SCANCODE_RALT, KMOD_RALT, true), WM_SYSKEYDOWN, VK_MENU,
       KeyLParam(1, 0x38, true, true, false, true)},
      {Key(false, SDL_SCANCODE_RALT, KMOD_NONE), WM_SYSKEYUP, VK_MENU,
       KeyLParam(1, 0x38, true, true, true, true)},
      {Key(true, SDL_SCANCODE_F10, KMOD_NONE), WM_SYSKEYDOWN, VK_F10,
       KeyLParam(1, 0x44, false, false, false)},
      {Key(false, SDL_SCANCODE_F10, KMOD_NONE), WM_SYSKEYUP, VK_F10,
       KeyLParam(1, 0x44, false, true, true)},
      // Ctrl+Alt is AltGr: ordinary keys.
      {Key(true, SDL_SCANCODE_X, KMOD_LALT | KMOD_LCTRL), WM_KEYDOWN, 'X',
       KeyLParam(1, 0x2D, false, false, false, true)},
      {Key(false, SDL_SCANCODE_X, KMOD_LALT | KMOD_LCTRL), WM_KEYUP, 'X',
       KeyLParam(1, 0x2D, false, true, true, true)},
      // Keys off the table are dropped.
      {Key(true, SDL_SCANCODE_AUDIOPLAY, KMOD_NONE), 0, 0, 0},
      {Key(true, static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 3), KMOD_NONE), 0, 0, 0},
  });
}

TEST_F(SdlEventsTest, FocusBecomesActivateAppOnlyWhenItChanges) {
  Play({
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), WM_ACTIVATEAPP, 1, 0},
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), 0, 0, 0},
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), WM_ACTIVATEAPP, 0, 0},
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), WM_ACTIVATEAPP, 1, 0},
  });
}

TEST_F(SdlEventsTest, ExposeAndResizeRequestOnePaintAndCloseAndItsQuitOneClose) {
  events->Translate(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1600, 1200));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, WM_SIZE);
  EXPECT_EQ(GetXLParam(got[0].lParam), 1600);
  EXPECT_EQ(GetYLParam(got[0].lParam), 1200);
  EXPECT_EQ(got[1].message, WM_PAINT);
  // A close and the quit it causes give one close; a quit on its own (a signal, the session
  // ending) also asks the program to close.
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  events->Translate(WindowEvent(SDL_WINDOWEVENT_CLOSE));
  events->Translate(quit);
  EXPECT_EQ(Codes(), std::vector<std::uint32_t>{WM_CLOSE});
  events->Translate(quit);
  EXPECT_EQ(Codes(), std::vector<std::uint32_t>{WM_CLOSE});
}

TEST_F(SdlEventsTest, PumpTranslatesPushedEvents) {
  SDL_Event down = Button(true, SDL_BUTTON_LEFT, 2, 7, 8);
  down.button.windowID = 0;
  ASSERT_EQ(SDL_PushEvent(&down), 1) << SDL_GetError();
  SDL_Event key = Key(true, SDL_SCANCODE_ESCAPE, KMOD_NONE);
  ASSERT_EQ(SDL_PushEvent(&key), 1) << SDL_GetError();
  events->Pump(0);
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, WM_LBUTTONDBLCLK);
  EXPECT_EQ(got[1].message, WM_KEYDOWN);
  EXPECT_EQ(got[1].wParam, VK_ESCAPE);
}

TEST_F(SdlEventsTest, RaiseRequestFromAnotherThreadWakesThePumpAndCallsTheHandler) {
  int raised = 0;
  events->SetRaiseHandler([&raised] { ++raised; });
  std::thread other([] { SdlEvents::PostRaiseRequest(); });
  other.join();
  // A generous limit: the request is already queued, so the wait ends at once.
  events->Pump(5000);
  EXPECT_EQ(raised, 1);
  EXPECT_TRUE(Drain().empty());
}
