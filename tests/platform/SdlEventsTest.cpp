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

  std::uint64_t now = 0;
  MessageQueue queue{[this] { return now; }};
  std::unique_ptr<SdlEvents> events;
};

}  // namespace

TEST_F(SdlEventsTest, DoubleClickArrivesAsDownUpDoubleClickUp) {
  events->Translate(Button(true, SDL_BUTTON_LEFT, 1, 100, 200));
  events->Translate(Button(false, SDL_BUTTON_LEFT, 1, 100, 200));
  events->Translate(Button(true, SDL_BUTTON_LEFT, 2, 100, 200));
  events->Translate(Button(false, SDL_BUTTON_LEFT, 2, 100, 200));
  // A third click in the series starts over with a plain press, a fourth is a double click.
  events->Translate(Button(true, SDL_BUTTON_LEFT, 3, 100, 200));
  events->Translate(Button(false, SDL_BUTTON_LEFT, 3, 100, 200));
  events->Translate(Button(true, SDL_BUTTON_LEFT, 4, 100, 200));
  std::vector<Message> got = Drain();
  std::vector<std::uint32_t> expected = {WM_LBUTTONDOWN,  WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                                         WM_LBUTTONUP,    WM_LBUTTONDOWN, WM_LBUTTONUP,
                                         WM_LBUTTONDBLCLK};
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].message, expected[i]) << i;
    EXPECT_EQ(GetXLParam(got[i].lParam), 100);
    EXPECT_EQ(GetYLParam(got[i].lParam), 200);
    // Presses carry the left-button flag, releases do not.
    bool pressed = expected[i] != WM_LBUTTONUP;
    EXPECT_EQ((got[i].wParam & MK_LBUTTON) != 0, pressed) << i;
  }
}

TEST_F(SdlEventsTest, RightAndMiddleButtonsHaveTheirOwnMessagesAndFlags) {
  events->Translate(Button(true, SDL_BUTTON_RIGHT, 1, 1, 1));
  events->Translate(Button(true, SDL_BUTTON_MIDDLE, 1, 1, 1));
  events->Translate(Button(false, SDL_BUTTON_RIGHT, 1, 1, 1));
  events->Translate(Button(true, SDL_BUTTON_RIGHT, 2, 1, 1));
  events->Translate(Button(true, SDL_BUTTON_X1, 1, 1, 1));  // no message for extra buttons
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].message, WM_RBUTTONDOWN);
  EXPECT_EQ(got[0].wParam, MK_RBUTTON);
  EXPECT_EQ(got[1].message, WM_MBUTTONDOWN);
  EXPECT_EQ(got[1].wParam, MK_RBUTTON | MK_MBUTTON);
  EXPECT_EQ(got[2].message, WM_RBUTTONUP);
  EXPECT_EQ(got[2].wParam, MK_MBUTTON);
  EXPECT_EQ(got[3].message, WM_RBUTTONDBLCLK);
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
  // SDL's own state may have moved on by the time a batch is translated; the events decide.
  SDL_SetModState(KMOD_NONE);
  events->Translate(Motion(40 + 2 * 123, 10 + 2 * 456 + 1, SDL_BUTTON_LMASK));
  // Outside the picture the position is pinned to the screen's edge.
  events->Translate(Button(true, SDL_BUTTON_LEFT, 1, 5, 5000));
  events->Translate(Key(false, SDL_SCANCODE_LSHIFT, KMOD_RCTRL));
  events->Translate(Button(false, SDL_BUTTON_LEFT, 1, 5, 5000));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 6u);
  got.erase(got.begin(), got.begin() + 2);
  EXPECT_EQ(got[0].message, WM_MOUSEMOVE);
  EXPECT_TRUE(got[0].fromDevice);
  EXPECT_EQ(got[0].wParam, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
  EXPECT_EQ(GetXLParam(got[0].lParam), 123);
  EXPECT_EQ(GetYLParam(got[0].lParam), 456);
  EXPECT_EQ(GetXLParam(got[1].lParam), 0);
  EXPECT_EQ(GetYLParam(got[1].lParam), 599);
  EXPECT_EQ(got[3].message, WM_LBUTTONUP);
  EXPECT_EQ(got[3].wParam, MK_CONTROL);
}

TEST_F(SdlEventsTest, PlainKeysGiveKeyDownAndKeyUpWithWindowsLParam) {
  events->Translate(Key(true, SDL_SCANCODE_A, KMOD_NONE));
  events->Translate(Key(true, SDL_SCANCODE_A, KMOD_NONE, true));
  events->Translate(Key(false, SDL_SCANCODE_A, KMOD_NONE));
  events->Translate(Key(true, SDL_SCANCODE_UP, KMOD_NONE));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].message, WM_KEYDOWN);
  EXPECT_EQ(got[0].wParam, static_cast<std::uintptr_t>('A'));
  EXPECT_EQ(got[0].lParam, KeyLParam(1, 0x1E, false, false, false));
  EXPECT_EQ(got[1].message, WM_KEYDOWN);
  EXPECT_TRUE(KeyWasDown(got[1].lParam));  // auto-repeat
  EXPECT_EQ(got[2].message, WM_KEYUP);
  EXPECT_EQ(got[2].lParam, KeyLParam(1, 0x1E, false, true, true));
  EXPECT_EQ(got[3].wParam, VK_UP);
  EXPECT_EQ(KeyScanCode(got[3].lParam), 0x48);
  EXPECT_TRUE(KeyIsExtended(got[3].lParam));
}

TEST_F(SdlEventsTest, KeypadFollowsNumLockFromTheEvent) {
  events->Translate(Key(true, SDL_SCANCODE_KP_7, KMOD_NUM));
  events->Translate(Key(true, SDL_SCANCODE_KP_7, KMOD_NONE));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].wParam, VK_NUMPAD7);
  EXPECT_EQ(got[1].wParam, VK_HOME);
  for (const Message& m : got) {
    EXPECT_EQ(KeyScanCode(m.lParam), 0x47);
    EXPECT_FALSE(KeyIsExtended(m.lParam));
  }
}

TEST_F(SdlEventsTest, AltCombinationsAreSystemKeys) {
  events->Translate(Key(true, SDL_SCANCODE_LALT, KMOD_LALT));
  events->Translate(Key(true, SDL_SCANCODE_KP_1, KMOD_LALT | KMOD_NUM));
  events->Translate(Key(false, SDL_SCANCODE_KP_1, KMOD_LALT | KMOD_NUM));
  events->Translate(Key(false, SDL_SCANCODE_LALT, KMOD_NONE));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(got[0].wParam, VK_MENU);
  EXPECT_EQ(got[1].message, WM_SYSKEYDOWN);
  EXPECT_EQ(got[1].wParam, VK_NUMPAD1);
  EXPECT_TRUE(KeyAltDown(got[1].lParam));
  EXPECT_EQ(got[2].message, WM_SYSKEYUP);
  // Alt released after it modified a key is a plain release: that ends character-code entry.
  EXPECT_EQ(got[3].message, WM_KEYUP);
  EXPECT_EQ(got[3].wParam, VK_MENU);
}

TEST_F(SdlEventsTest, AltAloneAndF10AreSystemKeysButCtrlAltIsNot) {
  events->Translate(Key(true, SDL_SCANCODE_RALT, KMOD_RALT));
  events->Translate(Key(true, SDL_SCANCODE_RALT, KMOD_RALT, true));
  events->Translate(Key(false, SDL_SCANCODE_RALT, KMOD_NONE));
  EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP}));

  events->Translate(Key(true, SDL_SCANCODE_F10, KMOD_NONE));
  events->Translate(Key(false, SDL_SCANCODE_F10, KMOD_NONE));
  EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{WM_SYSKEYDOWN, WM_SYSKEYUP}));

  events->Translate(Key(true, SDL_SCANCODE_X, KMOD_LALT | KMOD_LCTRL));
  events->Translate(Key(false, SDL_SCANCODE_X, KMOD_LALT | KMOD_LCTRL));
  EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{WM_KEYDOWN, WM_KEYUP}));
}

TEST_F(SdlEventsTest, KeysOffTheTableAreDropped) {
  events->Translate(Key(true, SDL_SCANCODE_AUDIOPLAY, KMOD_NONE));
  events->Translate(Key(true, static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 3), KMOD_NONE));
  EXPECT_TRUE(Drain().empty());
}

TEST_F(SdlEventsTest, FocusBecomesActivateAppOnlyWhenItChanges) {
  events->Translate(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].message, WM_ACTIVATEAPP);
  EXPECT_EQ(got[0].wParam, 1u);
  EXPECT_EQ(got[1].wParam, 0u);
  EXPECT_EQ(got[2].wParam, 1u);
}

TEST_F(SdlEventsTest, ExposeAndResizeRequestOnePaint) {
  events->Translate(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1600, 1200));
  events->Translate(WindowEvent(SDL_WINDOWEVENT_EXPOSED));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, WM_SIZE);
  EXPECT_EQ(GetXLParam(got[0].lParam), 1600);
  EXPECT_EQ(GetYLParam(got[0].lParam), 1200);
  EXPECT_EQ(got[1].message, WM_PAINT);
}

TEST_F(SdlEventsTest, CloseAndTheQuitItCausesGiveOneClose) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  events->Translate(WindowEvent(SDL_WINDOWEVENT_CLOSE));
  events->Translate(quit);
  EXPECT_EQ(Codes(), std::vector<std::uint32_t>{WM_CLOSE});
  // A quit on its own (a signal, the session ending) also asks the program to close.
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
