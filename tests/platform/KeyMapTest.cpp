// What must hold over the whole US keyboard table, a few keys against a PC keyboard, and the
// key-state queries. The keypad's grey meanings under Num Lock off are SdlEventsTest's.
#include "platform/KeyMap.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "platform/Keyboard.h"
#include "platform/Messages.h"

namespace {

SDL_Scancode Sc(int index) {
  return static_cast<SDL_Scancode>(index);
}
const char* Name(int index) {
  return SDL_GetScancodeName(Sc(index));
}

// The grey keys of a 101-key keyboard send the 0xE0 prefix that tells them from the keypad and
// left-hand keys sharing their scan codes.
const std::set<SDL_Scancode> kGreyKeys = {
    SDL_SCANCODE_INSERT,      SDL_SCANCODE_DELETE,       SDL_SCANCODE_HOME,
    SDL_SCANCODE_END,         SDL_SCANCODE_PAGEUP,       SDL_SCANCODE_PAGEDOWN,
    SDL_SCANCODE_LEFT,        SDL_SCANCODE_UP,           SDL_SCANCODE_RIGHT,
    SDL_SCANCODE_DOWN,        SDL_SCANCODE_RCTRL,        SDL_SCANCODE_RALT,
    SDL_SCANCODE_LGUI,        SDL_SCANCODE_RGUI,         SDL_SCANCODE_APPLICATION,
    SDL_SCANCODE_PRINTSCREEN, SDL_SCANCODE_NUMLOCKCLEAR, SDL_SCANCODE_KP_DIVIDE,
    SDL_SCANCODE_KP_ENTER};

// The keypad keys whose meaning follows Num Lock.
const std::set<SDL_Scancode> kKeypad = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1,     SDL_SCANCODE_KP_2,
                                        SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4,     SDL_SCANCODE_KP_5,
                                        SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7,     SDL_SCANCODE_KP_8,
                                        SDL_SCANCODE_KP_9, SDL_SCANCODE_KP_PERIOD};

}  // namespace

TEST(KeyMap, EveryKeyRoundTripsIsExtendedWhenGreyAndFollowsNumLockOnlyOnTheKeypad) {
  int mapped = 0;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    const std::optional<KeyInfo> on = LookupKey(Sc(sc), true), off = LookupKey(Sc(sc), false);
    ASSERT_EQ(on.has_value(), off.has_value()) << Name(sc);
    if (!on) continue;
    ++mapped;
    EXPECT_NE(on->virtualKey, 0u) << Name(sc);
    EXPECT_TRUE(on->scanCode > 0 && on->scanCode < 0x80) << Name(sc) << ": 7-bit make codes";
    // Found again from its code, which also means no two keys share a code.
    EXPECT_EQ(ScancodeFromScanCode(on->scanCode | (on->extended ? kExtendedScanPrefix : 0)), sc)
        << Name(sc);
    EXPECT_EQ(on->extended, kGreyKeys.count(Sc(sc)) == 1) << Name(sc);
    EXPECT_EQ(on->scanCode, off->scanCode) << Name(sc);
    EXPECT_EQ(on->extended, off->extended) << Name(sc);
    EXPECT_EQ(on->virtualKey != off->virtualKey, kKeypad.count(Sc(sc)) == 1) << Name(sc);
    // Letters and digits use their ASCII codes.
    if ((sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) ||
        (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_0)) {
      EXPECT_EQ(on->virtualKey, static_cast<std::uint32_t>(Name(sc)[0])) << Name(sc);
    }
    // The reverse lookup may pick the other key of a pair, but one with the same code.
    const SDL_Scancode back = ScancodeFromVirtualKey(on->virtualKey);
    ASSERT_NE(back, SDL_SCANCODE_UNKNOWN) << Name(sc);
    EXPECT_EQ(LookupKey(back, true)->virtualKey, on->virtualKey) << Name(sc);
  }
  EXPECT_GE(mapped, 100) << "a US keyboard has 104 keys";
}

TEST(KeyMap, SpotChecksAgainstAPcKeyboardAndNothingOffIt) {
  // The game asks for both Shifts (a whole stack) and Tab (focus) by scan code.
  const struct {
    SDL_Scancode key;
    std::uint32_t virtualKey;
    int scanCode;
    bool extended;
  } spots[] = {
      {SDL_SCANCODE_LSHIFT, VK_SHIFT, 42, false},
      {SDL_SCANCODE_RSHIFT, VK_SHIFT, 54, false},
      {SDL_SCANCODE_TAB, VK_TAB, 15, false},
      {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true},
  };
  for (const auto& spot : spots) {
    const std::optional<KeyInfo> key = LookupKey(spot.key, true);
    ASSERT_TRUE(key.has_value()) << SDL_GetScancodeName(spot.key);
    EXPECT_EQ(std::tie(key->virtualKey, key->scanCode, key->extended),
              std::tie(spot.virtualKey, spot.scanCode, spot.extended))
        << SDL_GetScancodeName(spot.key);
  }
  EXPECT_EQ(ScancodeFromVirtualKey(VK_RMENU), SDL_SCANCODE_RALT);
  for (const int sc : {int{SDL_SCANCODE_UNKNOWN}, int{SDL_SCANCODE_F24}, int{SDL_NUM_SCANCODES}})
    EXPECT_FALSE(LookupKey(Sc(sc), true).has_value()) << sc;
  for (const int code : {0xE001 /* no extended Escape */, -1, 0x12345})
    EXPECT_EQ(ScancodeFromScanCode(code), SDL_SCANCODE_UNKNOWN) << code;
  EXPECT_EQ(ScancodeFromVirtualKey(0xFF), SDL_SCANCODE_UNKNOWN);
}

TEST(KeyState, LocksFollowTheSystemButHeldKeysDoNot) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
  ResetKeyState();
  SDL_SetModState(KMOD_NONE);
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
  SDL_SetModState(static_cast<SDL_Keymod>(KMOD_CAPS | KMOD_NUM | KMOD_SHIFT));
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);  // on, not held
  EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0) << "held keys come from the messages taken, not from SDL";
  SDL_SetModState(KMOD_NONE);
  SDL_Quit();
}

TEST(KeyState, HeldKeysFollowTheKeyMessagesFromTheKeyboard) {
  ResetKeyState();
  auto key = [](std::uint32_t message, std::uint32_t vk, int scan, bool extended = false) {
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    TrackKeyMessage(Message{message, vk, KeyLParam(1, scan, extended, up, up), 0, true});
  };
  key(WM_KEYDOWN, VK_SHIFT, 0x36);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetKeyState(VK_RSHIFT), 0);
  EXPECT_EQ(GetKeyState(VK_LSHIFT), 0);
  key(WM_KEYDOWN, VK_SHIFT, 0x2A);
  key(WM_KEYUP, VK_SHIFT, 0x36);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0) << "the left one is still down";
  key(WM_KEYUP, VK_SHIFT, 0x2A);
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
  key(WM_SYSKEYDOWN, VK_MENU, 0x38, true);
  EXPECT_LT(GetKeyState(VK_RMENU), 0);
  key(WM_KEYDOWN, 'A', 0x1E);
  EXPECT_LT(GetKeyState('A'), 0);
  // Losing the focus lets go of everything: the releases happen where we cannot see them.
  TrackKeyMessage(Message{WM_ACTIVATEAPP, 0, 0, 0, true});
  EXPECT_EQ(GetKeyState(VK_MENU), 0);
  EXPECT_EQ(GetKeyState('A'), 0);
  // Codes beyond the table are ignored rather than written out of bounds.
  key(WM_KEYDOWN, 0x1234, 0);
  EXPECT_EQ(GetKeyState(0x1234), 0);
}
