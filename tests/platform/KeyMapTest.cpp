// Checks the US keyboard table group by group, the keypad under both Num Lock states, the
// reverse lookups, and the key-state queries under the dummy video driver.
#include "platform/KeyMap.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/Keyboard.h"
#include "platform/Messages.h"

namespace {

void ExpectKey(SDL_Scancode scancode, std::uint32_t vk, int scan, bool extended,
               bool numLock = true) {
  std::optional<KeyInfo> key = LookupKey(scancode, numLock);
  ASSERT_TRUE(key.has_value()) << SDL_GetScancodeName(scancode);
  EXPECT_EQ(key->virtualKey, vk) << SDL_GetScancodeName(scancode);
  EXPECT_EQ(key->scanCode, scan) << SDL_GetScancodeName(scancode);
  EXPECT_EQ(key->extended, extended) << SDL_GetScancodeName(scancode);
}

}  // namespace

TEST(KeyMap, LettersAndDigitsUseTheirAsciiCodes) {
  ExpectKey(SDL_SCANCODE_A, 'A', 0x1E, false);
  ExpectKey(SDL_SCANCODE_Q, 'Q', 0x10, false);
  ExpectKey(SDL_SCANCODE_M, 'M', 0x32, false);
  ExpectKey(SDL_SCANCODE_P, 'P', 0x19, false);
  ExpectKey(SDL_SCANCODE_Z, 'Z', 0x2C, false);
  ExpectKey(SDL_SCANCODE_1, '1', 0x02, false);
  ExpectKey(SDL_SCANCODE_9, '9', 0x0A, false);
  ExpectKey(SDL_SCANCODE_0, '0', 0x0B, false);
  // Every letter and digit is present, with a distinct scan code.
  std::set<int> scans;
  for (int sc = SDL_SCANCODE_A; sc <= SDL_SCANCODE_0; ++sc) {
    std::optional<KeyInfo> key = LookupKey(static_cast<SDL_Scancode>(sc), true);
    ASSERT_TRUE(key.has_value()) << sc;
    EXPECT_FALSE(key->extended);
    scans.insert(key->scanCode);
  }
  EXPECT_EQ(scans.size(), 36u);
}

TEST(KeyMap, PunctuationGivesTheOemCodes) {
  ExpectKey(SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27, false);
  ExpectKey(SDL_SCANCODE_EQUALS, VK_OEM_PLUS, 0x0D, false);
  ExpectKey(SDL_SCANCODE_COMMA, VK_OEM_COMMA, 0x33, false);
  ExpectKey(SDL_SCANCODE_MINUS, VK_OEM_MINUS, 0x0C, false);
  ExpectKey(SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, 0x34, false);
  ExpectKey(SDL_SCANCODE_SLASH, VK_OEM_2, 0x35, false);
  ExpectKey(SDL_SCANCODE_GRAVE, VK_OEM_3, 0x29, false);
  ExpectKey(SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, 0x1A, false);
  ExpectKey(SDL_SCANCODE_BACKSLASH, VK_OEM_5, 0x2B, false);
  ExpectKey(SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, 0x1B, false);
  ExpectKey(SDL_SCANCODE_APOSTROPHE, VK_OEM_7, 0x28, false);
}

TEST(KeyMap, FunctionKeysIncludingTheLateF11AndF12) {
  ExpectKey(SDL_SCANCODE_F1, VK_F1, 0x3B, false);
  ExpectKey(SDL_SCANCODE_F5, VK_F5, 0x3F, false);
  ExpectKey(SDL_SCANCODE_F10, VK_F10, 0x44, false);
  ExpectKey(SDL_SCANCODE_F11, VK_F11, 0x57, false);
  ExpectKey(SDL_SCANCODE_F12, VK_F12, 0x58, false);
}

TEST(KeyMap, ControlAndModifierKeys) {
  ExpectKey(SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01, false);
  ExpectKey(SDL_SCANCODE_TAB, VK_TAB, 0x0F, false);
  ExpectKey(SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E, false);
  ExpectKey(SDL_SCANCODE_RETURN, VK_RETURN, 0x1C, false);
  ExpectKey(SDL_SCANCODE_SPACE, VK_SPACE, 0x39, false);
  ExpectKey(SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A, false);
  ExpectKey(SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A, false);
  ExpectKey(SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36, false);
  ExpectKey(SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D, false);
  ExpectKey(SDL_SCANCODE_RCTRL, VK_CONTROL, 0x1D, true);
  ExpectKey(SDL_SCANCODE_LALT, VK_MENU, 0x38, false);
  ExpectKey(SDL_SCANCODE_RALT, VK_MENU, 0x38, true);
  ExpectKey(SDL_SCANCODE_LGUI, VK_LWIN, 0x5B, true);
  ExpectKey(SDL_SCANCODE_RGUI, VK_RWIN, 0x5C, true);
  ExpectKey(SDL_SCANCODE_APPLICATION, VK_APPS, 0x5D, true);
  ExpectKey(SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, 0x37, true);
  ExpectKey(SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0x46, false);
  ExpectKey(SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45, false);
  ExpectKey(SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true);
}

TEST(KeyMap, GreyNavigationKeysAreTheKeypadCodesExtended) {
  for (bool numLock : {true, false}) {
    ExpectKey(SDL_SCANCODE_INSERT, VK_INSERT, 0x52, true, numLock);
    ExpectKey(SDL_SCANCODE_DELETE, VK_DELETE, 0x53, true, numLock);
    ExpectKey(SDL_SCANCODE_HOME, VK_HOME, 0x47, true, numLock);
    ExpectKey(SDL_SCANCODE_END, VK_END, 0x4F, true, numLock);
    ExpectKey(SDL_SCANCODE_PAGEUP, VK_PRIOR, 0x49, true, numLock);
    ExpectKey(SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0x51, true, numLock);
    ExpectKey(SDL_SCANCODE_LEFT, VK_LEFT, 0x4B, true, numLock);
    ExpectKey(SDL_SCANCODE_UP, VK_UP, 0x48, true, numLock);
    ExpectKey(SDL_SCANCODE_RIGHT, VK_RIGHT, 0x4D, true, numLock);
    ExpectKey(SDL_SCANCODE_DOWN, VK_DOWN, 0x50, true, numLock);
  }
}

TEST(KeyMap, KeypadWithNumLockOnGivesDigits) {
  ExpectKey(SDL_SCANCODE_KP_7, VK_NUMPAD7, 0x47, false, true);
  ExpectKey(SDL_SCANCODE_KP_8, VK_NUMPAD8, 0x48, false, true);
  ExpectKey(SDL_SCANCODE_KP_9, VK_NUMPAD9, 0x49, false, true);
  ExpectKey(SDL_SCANCODE_KP_4, VK_NUMPAD4, 0x4B, false, true);
  ExpectKey(SDL_SCANCODE_KP_5, VK_NUMPAD5, 0x4C, false, true);
  ExpectKey(SDL_SCANCODE_KP_6, VK_NUMPAD6, 0x4D, false, true);
  ExpectKey(SDL_SCANCODE_KP_1, VK_NUMPAD1, 0x4F, false, true);
  ExpectKey(SDL_SCANCODE_KP_2, VK_NUMPAD2, 0x50, false, true);
  ExpectKey(SDL_SCANCODE_KP_3, VK_NUMPAD3, 0x51, false, true);
  ExpectKey(SDL_SCANCODE_KP_0, VK_NUMPAD0, 0x52, false, true);
  ExpectKey(SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, 0x53, false, true);
}

TEST(KeyMap, KeypadWithNumLockOffGivesNavigationOnTheSameScanCodes) {
  ExpectKey(SDL_SCANCODE_KP_7, VK_HOME, 0x47, false, false);
  ExpectKey(SDL_SCANCODE_KP_8, VK_UP, 0x48, false, false);
  ExpectKey(SDL_SCANCODE_KP_9, VK_PRIOR, 0x49, false, false);
  ExpectKey(SDL_SCANCODE_KP_4, VK_LEFT, 0x4B, false, false);
  ExpectKey(SDL_SCANCODE_KP_5, VK_CLEAR, 0x4C, false, false);
  ExpectKey(SDL_SCANCODE_KP_6, VK_RIGHT, 0x4D, false, false);
  ExpectKey(SDL_SCANCODE_KP_1, VK_END, 0x4F, false, false);
  ExpectKey(SDL_SCANCODE_KP_2, VK_DOWN, 0x50, false, false);
  ExpectKey(SDL_SCANCODE_KP_3, VK_NEXT, 0x51, false, false);
  ExpectKey(SDL_SCANCODE_KP_0, VK_INSERT, 0x52, false, false);
  ExpectKey(SDL_SCANCODE_KP_PERIOD, VK_DELETE, 0x53, false, false);
}

TEST(KeyMap, KeypadOperatorsAndEnterIgnoreNumLock) {
  for (bool numLock : {true, false}) {
    ExpectKey(SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x35, true, numLock);
    ExpectKey(SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37, false, numLock);
    ExpectKey(SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A, false, numLock);
    ExpectKey(SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E, false, numLock);
    ExpectKey(SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x1C, true, numLock);
  }
}

TEST(KeyMap, KeysOffAUsKeyboardAndBadScancodesHaveNoEntry) {
  EXPECT_FALSE(LookupKey(SDL_SCANCODE_UNKNOWN, true).has_value());
  EXPECT_FALSE(LookupKey(SDL_SCANCODE_F24, true).has_value());
  EXPECT_FALSE(LookupKey(SDL_SCANCODE_AUDIOPLAY, true).has_value());
  EXPECT_FALSE(LookupKey(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES), false).has_value());
  EXPECT_FALSE(LookupKey(static_cast<SDL_Scancode>(1000), false).has_value());
}

TEST(KeyMap, NoTwoKeysShareAScanCodeAndExtendedFlag) {
  std::set<std::pair<int, bool>> seen;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    std::optional<KeyInfo> key = LookupKey(static_cast<SDL_Scancode>(sc), true);
    if (!key) continue;
    EXPECT_TRUE(seen.insert({key->scanCode, key->extended}).second)
        << SDL_GetScancodeName(static_cast<SDL_Scancode>(sc));
  }
}

TEST(KeyMap, ScanCodesMapBackToTheirKeys) {
  EXPECT_EQ(ScancodeFromScanCode(0x2A), SDL_SCANCODE_LSHIFT);
  EXPECT_EQ(ScancodeFromScanCode(0x36), SDL_SCANCODE_RSHIFT);
  EXPECT_EQ(ScancodeFromScanCode(0x0F), SDL_SCANCODE_TAB);
  EXPECT_EQ(ScancodeFromScanCode(0x48), SDL_SCANCODE_KP_8);
  EXPECT_EQ(ScancodeFromScanCode(0xE048), SDL_SCANCODE_UP);
  EXPECT_EQ(ScancodeFromScanCode(0x1C), SDL_SCANCODE_RETURN);
  EXPECT_EQ(ScancodeFromScanCode(0xE01C), SDL_SCANCODE_KP_ENTER);
  EXPECT_EQ(ScancodeFromScanCode(0x45), SDL_SCANCODE_PAUSE);
  EXPECT_EQ(ScancodeFromScanCode(0xE045), SDL_SCANCODE_NUMLOCKCLEAR);
  EXPECT_EQ(ScancodeFromScanCode(0x58), SDL_SCANCODE_F12);
  // Every key in the table is found again from its own codes.
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    std::optional<KeyInfo> key = LookupKey(static_cast<SDL_Scancode>(sc), true);
    if (!key) continue;
    int code = key->scanCode | (key->extended ? kExtendedScanPrefix : 0);
    EXPECT_EQ(ScancodeFromScanCode(code), sc) << SDL_GetScancodeName(static_cast<SDL_Scancode>(sc));
  }
  EXPECT_EQ(ScancodeFromScanCode(0), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(0x7F), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(0xE001), SDL_SCANCODE_UNKNOWN);  // no extended Escape
  EXPECT_EQ(ScancodeFromScanCode(0x1FF), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(-1), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromScanCode(0x12345), SDL_SCANCODE_UNKNOWN);
}

TEST(KeyMap, VirtualKeysMapBackToAKeyReportingThem) {
  EXPECT_EQ(ScancodeFromVirtualKey('A'), SDL_SCANCODE_A);
  EXPECT_EQ(ScancodeFromVirtualKey(VK_SHIFT), SDL_SCANCODE_LSHIFT);
  EXPECT_EQ(ScancodeFromVirtualKey(VK_RSHIFT), SDL_SCANCODE_RSHIFT);
  EXPECT_EQ(ScancodeFromVirtualKey(VK_RMENU), SDL_SCANCODE_RALT);
  EXPECT_EQ(ScancodeFromVirtualKey(VK_HOME), SDL_SCANCODE_HOME);
  EXPECT_EQ(ScancodeFromVirtualKey(VK_NUMPAD5), SDL_SCANCODE_KP_5);
  EXPECT_EQ(ScancodeFromVirtualKey(0), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(ScancodeFromVirtualKey(0xFF), SDL_SCANCODE_UNKNOWN);
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
