// SDL events translated into window messages, one event and its message at a time.
#include "platform/SdlEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/Messages.h"
#include "platform/Viewport.h"

namespace {

SDL_Event Button(bool down, Uint8 button, int clicks, int x, int y) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button = {e.type,        0, 0, 0, button, Uint8(down ? SDL_PRESSED : SDL_RELEASED),
              Uint8(clicks), 0, x, y};
  return e;
}

SDL_Event Key(bool down, SDL_Scancode scancode, Uint16 mod, bool repeat = false) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym = {scancode, SDL_GetKeyFromScancode(scancode), mod, 0};
  return e;
}

SDL_Event WindowEvent(Uint8 which, int data1 = 0, int data2 = 0) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = which;
  e.window.data1 = data1;
  e.window.data2 = data2;
  return e;
}

std::intptr_t KeyL(int scan, bool extended, bool wasDown, bool release, bool alt = false) {
  return KeyLParam(1, scan, extended, wasDown, release, alt);
}

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
    for (Message m; queue.Take(&m);) out.push_back(m);
    return out;
  }
  // One event and the message it must give at once; a message of 0 for none.
  struct Step {
    SDL_Event event;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  void Play(std::initializer_list<Step> steps) {
    int i = 0;
    for (const Step& step : steps) {
      events->Translate(step.event);
      const std::vector<Message> got = Drain();
      ASSERT_EQ(got.size(), step.message == 0 ? 0u : 1u) << "step " << i;
      if (!got.empty()) {
        EXPECT_EQ(std::tie(got[0].message, got[0].wParam, got[0].lParam),
                  std::tie(step.message, step.wParam, step.lParam))
            << "step " << i;
        EXPECT_TRUE(got[0].fromDevice) << "step " << i;
      }
      ++i;
    }
  }

  std::uint64_t now = 0;
  MessageQueue queue{[this] { return now; }};
  std::unique_ptr<SdlEvents> events;
};

}  // namespace

TEST_F(SdlEventsTest, ButtonsAndFocusGiveTheirMessagesWithEverySecondPressADoubleClick) {
  const std::intptr_t at = MakeLParam(100, 200), corner = MakeLParam(1, 1);
  Play({
      {Button(true, SDL_BUTTON_LEFT, 1, 100, 200), WM_LBUTTONDOWN, MK_LBUTTON, at},
      {Button(false, SDL_BUTTON_LEFT, 1, 100, 200), WM_LBUTTONUP, 0, at},
      {Button(true, SDL_BUTTON_LEFT, 2, 100, 200), WM_LBUTTONDBLCLK, MK_LBUTTON, at},
      // A third click starts over with a plain press, a fourth is a double click.
      {Button(true, SDL_BUTTON_LEFT, 3, 100, 200), WM_LBUTTONDOWN, MK_LBUTTON, at},
      {Button(true, SDL_BUTTON_LEFT, 4, 100, 200), WM_LBUTTONDBLCLK, MK_LBUTTON, at},
      {Button(false, SDL_BUTTON_LEFT, 4, 100, 200), WM_LBUTTONUP, 0, at},
      // The flags say which buttons are down after the event.
      {Button(true, SDL_BUTTON_RIGHT, 1, 1, 1), WM_RBUTTONDOWN, MK_RBUTTON, corner},
      {Button(true, SDL_BUTTON_MIDDLE, 1, 1, 1), WM_MBUTTONDOWN, MK_RBUTTON | MK_MBUTTON, corner},
      {Button(false, SDL_BUTTON_RIGHT, 1, 1, 1), WM_RBUTTONUP, MK_MBUTTON, corner},
      {Button(true, SDL_BUTTON_RIGHT, 2, 1, 1), WM_RBUTTONDBLCLK, MK_RBUTTON | MK_MBUTTON, corner},
      {Button(true, SDL_BUTTON_X1, 1, 1, 1), 0, 0, 0},  // no message for extra buttons
      // Focus becomes WM_ACTIVATEAPP only when it changes.
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), WM_ACTIVATEAPP, 1, 0},
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), 0, 0, 0},
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), WM_ACTIVATEAPP, 0, 0},
  });
}

TEST_F(SdlEventsTest, PositionsGoThroughTheViewportAndFlagsIncludeShiftAndCtrl) {
  Viewport scaled;
  scaled.scaleX = scaled.scaleY = 2.0;
  scaled.offsetX = 40;
  scaled.offsetY = 10;
  SetCurrentViewport(scaled);
  events->Translate(Key(true, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT));
  events->Translate(Key(true, SDL_SCANCODE_RCTRL, KMOD_LSHIFT | KMOD_RCTRL));
  Drain();
  // SDL's own state may have moved on by the time a batch is translated; the events decide.
  SDL_SetModState(KMOD_NONE);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 40 + 2 * 123;
  motion.motion.y = 10 + 2 * 456 + 1;
  motion.motion.state = SDL_BUTTON_LMASK;
  const std::uintptr_t both = MK_SHIFT | MK_CONTROL;
  Play({
      {motion, WM_MOUSEMOVE, MK_LBUTTON | both, MakeLParam(123, 456)},
      // Outside the picture the position is pinned to the screen's edge.
      {Button(true, SDL_BUTTON_LEFT, 1, 5, 5000), WM_LBUTTONDOWN, MK_LBUTTON | both,
       MakeLParam(0, 599)},
      {Key(false, SDL_SCANCODE_LSHIFT, KMOD_RCTRL), WM_KEYUP, VK_SHIFT, KeyL(0x2A, 0, 1, 1)},
      {Button(false, SDL_BUTTON_LEFT, 1, 5, 5000), WM_LBUTTONUP, MK_CONTROL, MakeLParam(0, 599)},
  });
}

// Scan codes and the extended bit, repeats, the keypad under the event's Num Lock, system keys.
TEST_F(SdlEventsTest, KeysGiveWindowsCodesAndLParams) {
  Play({
      {Key(true, SDL_SCANCODE_A, KMOD_NONE), WM_KEYDOWN, 'A', KeyL(0x1E, 0, 0, 0)},
      {Key(true, SDL_SCANCODE_A, KMOD_NONE, true), WM_KEYDOWN, 'A', KeyL(0x1E, 0, 1, 0)},
      {Key(false, SDL_SCANCODE_A, KMOD_NONE), WM_KEYUP, 'A', KeyL(0x1E, 0, 1, 1)},
      {Key(true, SDL_SCANCODE_UP, KMOD_NONE), WM_KEYDOWN, VK_UP, KeyL(0x48, 1, 0, 0)},
      {Key(true, SDL_SCANCODE_KP_7, KMOD_NUM), WM_KEYDOWN, VK_NUMPAD7, KeyL(0x47, 0, 0, 0)},
      {Key(true, SDL_SCANCODE_KP_7, KMOD_NONE), WM_KEYDOWN, VK_HOME, KeyL(0x47, 0, 0, 0)},
      // Alt and what it modifies are system keys with the context bit...
      {Key(true, SDL_SCANCODE_LALT, KMOD_LALT), WM_SYSKEYDOWN, VK_MENU, KeyL(0x38, 0, 0, 0, 1)},
      {Key(true, SDL_SCANCODE_KP_1, KMOD_LALT | KMOD_NUM), WM_SYSKEYDOWN, VK_NUMPAD1,
       KeyL(0x4F, 0, 0, 0, 1)},
      // ...but Alt released after it modified a key is a plain release: that ends character-code
      // entry. Released on its own, even after repeating, it stays a system key.
      {Key(false, SDL_SCANCODE_LALT, KMOD_NONE), WM_KEYUP, VK_MENU, KeyL(0x38, 0, 1, 1)},
      {Key(true, SDL_SCANCODE_RALT, KMOD_RALT), WM_SYSKEYDOWN, VK_MENU, KeyL(0x38, 1, 0, 0, 1)},
      {Key(true, SDL_SCANCODE_RALT, KMOD_RALT, true), WM_SYSKEYDOWN, VK_MENU,
       KeyL(0x38, 1, 1, 0, 1)},
      {Key(false, SDL_SCANCODE_RALT, KMOD_NONE), WM_SYSKEYUP, VK_MENU, KeyL(0x38, 1, 1, 1, 1)},
      {Key(true, SDL_SCANCODE_F10, KMOD_NONE), WM_SYSKEYDOWN, VK_F10, KeyL(0x44, 0, 0, 0)},
      // Ctrl+Alt is AltGr: ordinary keys.
      {Key(true, SDL_SCANCODE_X, KMOD_LALT | KMOD_LCTRL), WM_KEYDOWN, 'X', KeyL(0x2D, 0, 0, 0, 1)},
      {Key(true, SDL_SCANCODE_AUDIOPLAY, KMOD_NONE), 0, 0, 0},  // off the table: dropped
  });
}

TEST_F(SdlEventsTest, ExposeAndResizeRequestOnePaintAndCloseAndItsQuitOneClose) {
  events->Translate(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1600, 1200));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, WM_SIZE);
  EXPECT_EQ(got[0].lParam, MakeLParam(1600, 1200));
  EXPECT_EQ(got[1].message, WM_PAINT);
  // A close and the quit it causes give one close; a quit on its own (a signal, the session
  // ending) also asks the program to close.
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  for (int run = 0; run < 2; ++run) {
    if (run == 0) events->Translate(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    events->Translate(quit);
    got = Drain();
    ASSERT_EQ(got.size(), 1u) << run;
    EXPECT_EQ(got[0].message, WM_CLOSE);
  }
}

// Pushed input through Pump is every smoke-test run; the raise request is not seen there.
TEST_F(SdlEventsTest, ARaiseRequestFromAnotherThreadWakesThePumpAndCallsTheHandler) {
  int raised = 0;
  events->SetRaiseHandler([&raised] { ++raised; });
  std::thread([] { SdlEvents::PostRaiseRequest(); }).join();
  events->Pump(5000);  // the request is queued already, so the wait ends at once
  EXPECT_EQ(raised, 1);
  EXPECT_TRUE(Drain().empty());
}
