// Checks what must hold over the whole US keyboard table (round trips, unique codes, the grey
// keys, the keypad under Num Lock), a few keys by hand, and the key-state queries.
#include "platform/KeyMap.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>

#include "platform/Keyboard.h"
#include "platform/Messages.h"

namespace {

SDL_Scancode Scancode(int index) {
  return static_cast<SDL_Scancode>(index);
}

// The name of a scancode for failure messages.
const char* Name(int index) {
  return SDL_GetScancodeName(Scancode(index));
}

// The one number that names a key's scan code, extended keys with their prefix.
int FullScanCode(const KeyInfo& key) {
  return key.scanCode | (key.extended ? kExtendedScanPrefix : 0);
}

// The grey keys of a 101-key keyboard: they send the 0xE0 prefix, which is how a program tells
// them from the keypad and left-hand keys that share their scan codes.
const std::set<SDL_Scancode> kGreyKeys = {
    SDL_SCANCODE_INSERT,      SDL_SCANCODE_DELETE,       SDL_SCANCODE_HOME,
    SDL_SCANCODE_END,         SDL_SCANCODE_PAGEUP,       SDL_SCANCODE_PAGEDOWN,
    SDL_SCANCODE_LEFT,        SDL_SCANCODE_UP,           SDL_SCANCODE_RIGHT,
    SDL_SCANCODE_DOWN,        SDL_SCANCODE_RCTRL,        SDL_SCANCODE_RALT,
    SDL_SCANCODE_LGUI,        SDL_SCANCODE_RGUI,         SDL_SCANCODE_APPLICATION,
    SDL_SCANCODE_PRINTSCREEN, SDL_SCANCODE_NUMLOCKCLEAR, SDL_SCANCODE_KP_DIVIDE,
    SDL_SCANCODE_KP_ENTER};

// The keypad keys whose meaning follows Num Lock.
const SDL_Scancode kKeypadDigits[] = {SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1,     SDL_SCANCODE_KP_2,
                                      SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4,     SDL_SCANCODE_KP_5,
                                      SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7,     SDL_SCANCODE_KP_8,
                                      SDL_SCANCODE_KP_9, SDL_SCANCODE_KP_PERIOD};

}  // namespace

// One walk over the whole table in both Num Lock states.
TEST(KeyMap, EveryKeyRoundTripsIsExtendedWhenGreyAndFollowsNumLockOnlyOnTheKeypad) {
  const std::set<SDL_Scancode> digits(std::begin(kKeypadDigits), std::end(kKeypadDigits));
  std::map<std::uint32_t, std::set<SDL_Scancode>> byVirtualKey;
  int mapped = 0;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    std::optional<KeyInfo> on = LookupKey(Scancode(sc), true);
    std::optional<KeyInfo> off = LookupKey(Scancode(sc), false);
    ASSERT_EQ(on.has_value(), off.has_value()) << Name(sc);
    if (!on) continue;
    ++mapped;
    EXPECT_NE(on->virtualKey, 0u) << Name(sc);
    EXPECT_GT(on->scanCode, 0) << Name(sc);
    EXPECT_LT(on->scanCode, 0x80) << Name(sc) << ": set-1 make codes are 7 bits";
    // Found again from its code, which also means no two keys share a code.
    EXPECT_EQ(ScancodeFromScanCode(FullScanCode(*on)), sc) << Name(sc);
    EXPECT_EQ(on->extended, kGreyKeys.count(Scancode(sc)) == 1) << Name(sc);
    // Num Lock changes only the keypad digits, and only their virtual keys.
    EXPECT_EQ(on->scanCode, off->scanCode) << Name(sc);
    EXPECT_EQ(on->extended, off->extended) << Name(sc);
    EXPECT_EQ(on->virtualKey != off->virtualKey, digits.count(Scancode(sc)) == 1) << Name(sc);
    // The reverse virtual-key lookup may pick the other key of a pair (left and right Shift),
    // but it must pick one that reports the same code.
    SDL_Scancode back = ScancodeFromVirtualKey(on->virtualKey);
    ASSERT_NE(back, SDL_SCANCODE_UNKNOWN) << Name(sc);
    EXPECT_EQ(LookupKey(back, true)->virtualKey, on->virtualKey) << Name(sc);
    byVirtualKey[on->virtualKey].insert(Scancode(sc));
  }
  // A US keyboard has 104 keys; the table must not have shrunk to a handful.
  EXPECT_GE(mapped, 100);
  // Windows reports both Shifts as VK_SHIFT, both Ctrls as VK_CONTROL, both Alts as VK_MENU
  // and both Enters as VK_RETURN; every other key has a code of its own.
  const std::set<std::set<SDL_Scancode>> allowed = {{SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT},
                                                    {SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL},
                                                    {SDL_SCANCODE_LALT, SDL_SCANCODE_RALT},
                                                    {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER}};
  std::set<std::set<SDL_Scancode>> shared;
  for (const auto& [vk, keys] : byVirtualKey) {
    if (keys.size() > 1) shared.insert(keys);
  }
  EXPECT_EQ(shared, allowed);
}

TEST(KeyMap, KeypadDigitsGiveNumbersOrTheGreyKeyOnTheSameScanCode) {
  for (SDL_Scancode sc : kKeypadDigits) {
    KeyInfo on = *LookupKey(sc, true);
    KeyInfo off = *LookupKey(sc, false);
    // Num Lock on: VK_NUMPAD0..9 and VK_DECIMAL, in the order of the keys' legends.
    if (sc == SDL_SCANCODE_KP_PERIOD) {
      EXPECT_EQ(on.virtualKey, static_cast<std::uint32_t>(VK_DECIMAL));
    } else {
      const int digit = sc == SDL_SCANCODE_KP_0 ? 0 : sc - SDL_SCANCODE_KP_1 + 1;
      EXPECT_EQ(on.virtualKey, static_cast<std::uint32_t>(VK_NUMPAD0 + digit)) << Name(sc);
    }
    // Num Lock off: the key acts as the grey key with the same make code; the middle 5 has none.
    SDL_Scancode grey = ScancodeFromScanCode(on.scanCode | kExtendedScanPrefix);
    if (sc == SDL_SCANCODE_KP_5) {
      EXPECT_EQ(grey, SDL_SCANCODE_UNKNOWN);
      EXPECT_EQ(off.virtualKey, static_cast<std::uint32_t>(VK_CLEAR));
    } else {
      ASSERT_NE(grey, SDL_SCANCODE_UNKNOWN) << Name(sc);
      EXPECT_EQ(off.virtualKey, LookupKey(grey, false)->virtualKey) << Name(sc);
    }
  }
}

TEST(KeyMap, LettersAndDigitsUseTheirAsciiCodes) {
  for (int sc = SDL_SCANCODE_A; sc <= SDL_SCANCODE_Z; ++sc) {
    std::optional<KeyInfo> key = LookupKey(Scancode(sc), true);
    ASSERT_TRUE(key.has_value()) << Name(sc);
    EXPECT_EQ(key->virtualKey, static_cast<std::uint32_t>('A' + (sc - SDL_SCANCODE_A)));
  }
  for (int sc = SDL_SCANCODE_1; sc <= SDL_SCANCODE_0; ++sc) {
    std::optional<KeyInfo> key = LookupKey(Scancode(sc), true);
    ASSERT_TRUE(key.has_value()) << Name(sc);
    EXPECT_EQ(key->virtualKey, static_cast<std::uint32_t>(Name(sc)[0])) << Name(sc);
  }
}

TEST(KeyMap, KeysOffAUsKeyboardAndBadScancodesHaveNoEntry) {
  EXPECT_FALSE(LookupKey(SDL_SCANCODE_UNKNOWN, true).has_value());
  EXPECT_FALSE(LookupKey(SDL_SCANCODE_F24, true).has_value());
  EXPECT_FALSE(LookupKey(SDL_SCANCODE_AUDIOPLAY, true).has_value());
  EXPECT_FALSE(LookupKey(Scancode(SDL_NUM_SCANCODES), false).has_value());
  EXPECT_FALSE(LookupKey(Scancode(1000), false).has_value());
  EXPECT_EQ(ScancodeFromScanCode(0), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(0x7F), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(0xE001), SDL_SCANCODE_UNKNOWN);  // no extended Escape
  EXPECT_EQ(ScancodeFromScanCode(0x1FF), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(-1), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(0x12345), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromVirtualKey(0), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromVirtualKey(0xFF), SDL_SCANCODE_UNKNOWN);
}

TEST(KeyMap, SpotChecksAgainstAPcKeyboard) {
  struct Spot {
    SDL_Scancode key;
    std::uint32_t virtualKey;
    int scanCode;
    bool extended;
  };
  // Both Shifts decide whether a card stack is taken whole and Tab moves the focus: the game asks
  // for them by scan code, which the round trip above finds again from these.
  const Spot spots[] = {
      {SDL_SCANCODE_LSHIFT, VK_SHIFT, 42, false},
      {SDL_SCANCODE_RSHIFT, VK_SHIFT, 54, false},
      {SDL_SCANCODE_TAB, VK_TAB, 15, false},
      {SDL_SCANCODE_A, 'A', 0x1E, false},
      {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01, false},
      {SDL_SCANCODE_F11, VK_F11, 0x57, false},
      {SDL_SCANCODE_F12, VK_F12, 0x58, false},
      {SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27, false},
      {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C, false},
      {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x1C, true},
      {SDL_SCANCODE_UP, VK_UP, 0x48, true},
      {SDL_SCANCODE_KP_8, VK_NUMPAD8, 0x48, false},
      {SDL_SCANCODE_RALT, VK_MENU, 0x38, true},
      {SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45, false},
      {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true},
  };
  for (const Spot& spot : spots) {
    std::optional<KeyInfo> key = LookupKey(spot.key, true);
    ASSERT_TRUE(key.has_value()) << SDL_GetScancodeName(spot.key);
    EXPECT_EQ(key->virtualKey, spot.virtualKey) << SDL_GetScancodeName(spot.key);
    EXPECT_EQ(key->scanCode, spot.scanCode) << SDL_GetScancodeName(spot.key);
    EXPECT_EQ(key->extended, spot.extended) << SDL_GetScancodeName(spot.key);
  }
  EXPECT_EQ(LookupKey(SDL_SCANCODE_KP_8, false)->virtualKey, static_cast<std::uint32_t>(VK_UP));
  EXPECT_EQ(ScancodeFromVirtualKey(VK_RMENU), SDL_SCANCODE_RALT);
}

TEST(KeyState, LocksFollowTheSystemAndPhysicalKeysReadTheKeyboard) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
  ResetKeyState();
  SDL_SetModState(KMOD_NONE);
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
  EXPECT_EQ(GetKeyState(VK_NUMLOCK), 0);
  SDL_SetModState(static_cast<SDL_Keymod>(KMOD_CAPS | KMOD_NUM | KMOD_SHIFT));
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);  // on, not held
  EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
  EXPECT_EQ(GetKeyState(VK_SCROLL), 0);
  // Held keys come from the messages taken, not from SDL's present modifier state.
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
  SDL_SetModState(KMOD_NONE);
  // Nothing is physically held under the dummy driver, and unknown codes are simply "up".
  EXPECT_FALSE(IsScanCodeDown(0x2A));
  EXPECT_FALSE(IsScanCodeDown(0xE048));
  EXPECT_FALSE(IsScanCodeDown(0x7F));
  EXPECT_FALSE(IsScanCodeDown(-3));
  SDL_Quit();
}

TEST(KeyState, HeldKeysFollowTheKeyMessagesFromTheKeyboard) {
  ResetKeyState();
  auto device = [](std::uint32_t message, std::uint32_t vk, int scan, bool extended) {
    bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    return Message{message, vk, KeyLParam(1, scan, extended, up, up), 0, true};
  };
  TrackKeyMessage(device(WM_KEYDOWN, VK_SHIFT, 0x36, false));
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetKeyState(VK_RSHIFT), 0);
  EXPECT_EQ(GetKeyState(VK_LSHIFT), 0);
  TrackKeyMessage(device(WM_KEYDOWN, VK_SHIFT, 0x2A, false));
  TrackKeyMessage(device(WM_KEYUP, VK_SHIFT, 0x36, false));
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);  // the left one is still down
  TrackKeyMessage(device(WM_KEYUP, VK_SHIFT, 0x2A, false));
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);

  TrackKeyMessage(device(WM_SYSKEYDOWN, VK_MENU, 0x38, true));
  EXPECT_LT(GetKeyState(VK_MENU), 0);
  EXPECT_LT(GetKeyState(VK_RMENU), 0);
  TrackKeyMessage(device(WM_KEYDOWN, VK_CONTROL, 0x1D, false));
  EXPECT_LT(GetKeyState(VK_LCONTROL), 0);
  TrackKeyMessage(device(WM_KEYDOWN, 'A', 0x1E, false));
  EXPECT_LT(GetKeyState('A'), 0);

  // A key press the program posts itself moves nothing.
  Message posted = device(WM_KEYDOWN, VK_ESCAPE, 0x01, false);
  posted.fromDevice = false;
  TrackKeyMessage(posted);
  EXPECT_EQ(GetKeyState(VK_ESCAPE), 0);

  // Losing the focus lets go of everything: the releases happen where we cannot see them.
  TrackKeyMessage(Message{WM_ACTIVATEAPP, 0, 0, 0, true});
  EXPECT_EQ(GetKeyState(VK_MENU), 0);
  EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
  EXPECT_EQ(GetKeyState('A'), 0);
  // Codes beyond the table are ignored rather than written out of bounds.
  TrackKeyMessage(device(WM_KEYDOWN, 0x1234, 0, false));
  EXPECT_EQ(GetKeyState(0x1234), 0);
}
