// The US PC keyboard table: every key's virtual-key code, set-1 scan code and extended flag.
#include "platform/KeyMap.h"

#include <array>

#include "platform/Messages.h"

namespace {

struct KeyRow {
  SDL_Scancode scancode;
  std::uint32_t virtualKey;
  int scanCode;
  bool extended;
};

constexpr std::uint32_t Char(char c) {
  return static_cast<std::uint32_t>(c);
}

// Keys whose codes do not depend on Num Lock.
constexpr KeyRow kKeys[] = {
    // Main block: letters.
    {SDL_SCANCODE_A, Char('A'), 0x1E, false},
    {SDL_SCANCODE_B, Char('B'), 0x30, false},
    {SDL_SCANCODE_C, Char('C'), 0x2E, false},
    {SDL_SCANCODE_D, Char('D'), 0x20, false},
    {SDL_SCANCODE_E, Char('E'), 0x12, false},
    {SDL_SCANCODE_F, Char('F'), 0x21, false},
    {SDL_SCANCODE_G, Char('G'), 0x22, false},
    {SDL_SCANCODE_H, Char('H'), 0x23, false},
    {SDL_SCANCODE_I, Char('I'), 0x17, false},
    {SDL_SCANCODE_J, Char('J'), 0x24, false},
    {SDL_SCANCODE_K, Char('K'), 0x25, false},
    {SDL_SCANCODE_L, Char('L'), 0x26, false},
    {SDL_SCANCODE_M, Char('M'), 0x32, false},
    {SDL_SCANCODE_N, Char('N'), 0x31, false},
    {SDL_SCANCODE_O, Char('O'), 0x18, false},
    {SDL_SCANCODE_P, Char('P'), 0x19, false},
    {SDL_SCANCODE_Q, Char('Q'), 0x10, false},
    {SDL_SCANCODE_R, Char('R'), 0x13, false},
    {SDL_SCANCODE_S, Char('S'), 0x1F, false},
    {SDL_SCANCODE_T, Char('T'), 0x14, false},
    {SDL_SCANCODE_U, Char('U'), 0x16, false},
    {SDL_SCANCODE_V, Char('V'), 0x2F, false},
    {SDL_SCANCODE_W, Char('W'), 0x11, false},
    {SDL_SCANCODE_X, Char('X'), 0x2D, false},
    {SDL_SCANCODE_Y, Char('Y'), 0x15, false},
    {SDL_SCANCODE_Z, Char('Z'), 0x2C, false},
    // Main block: the digit row.
    {SDL_SCANCODE_1, Char('1'), 0x02, false},
    {SDL_SCANCODE_2, Char('2'), 0x03, false},
    {SDL_SCANCODE_3, Char('3'), 0x04, false},
    {SDL_SCANCODE_4, Char('4'), 0x05, false},
    {SDL_SCANCODE_5, Char('5'), 0x06, false},
    {SDL_SCANCODE_6, Char('6'), 0x07, false},
    {SDL_SCANCODE_7, Char('7'), 0x08, false},
    {SDL_SCANCODE_8, Char('8'), 0x09, false},
    {SDL_SCANCODE_9, Char('9'), 0x0A, false},
    {SDL_SCANCODE_0, Char('0'), 0x0B, false},
    // Main block: punctuation.
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, 0x0C, false},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, 0x0D, false},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, 0x1A, false},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, 0x1B, false},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27, false},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, 0x28, false},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, 0x29, false},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, 0x2B, false},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, 0x33, false},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, 0x34, false},
    {SDL_SCANCODE_SLASH, VK_OEM_2, 0x35, false},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, 0x56, false},
    // Main block: control keys.
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01, false},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E, false},
    {SDL_SCANCODE_TAB, VK_TAB, 0x0F, false},
    {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C, false},
    {SDL_SCANCODE_SPACE, VK_SPACE, 0x39, false},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A, false},
    // Modifiers: key messages carry the generic codes; the right-hand Ctrl and Alt are extended.
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A, false},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36, false},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D, false},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, 0x1D, true},
    {SDL_SCANCODE_LALT, VK_MENU, 0x38, false},
    {SDL_SCANCODE_RALT, VK_MENU, 0x38, true},
    {SDL_SCANCODE_LGUI, VK_LWIN, 0x5B, true},
    {SDL_SCANCODE_RGUI, VK_RWIN, 0x5C, true},
    {SDL_SCANCODE_APPLICATION, VK_APPS, 0x5D, true},
    // Function keys: F11 and F12 came later and sit after the keypad's codes.
    {SDL_SCANCODE_F1, VK_F1, 0x3B, false},
    {SDL_SCANCODE_F2, VK_F2, 0x3C, false},
    {SDL_SCANCODE_F3, VK_F3, 0x3D, false},
    {SDL_SCANCODE_F4, VK_F4, 0x3E, false},
    {SDL_SCANCODE_F5, VK_F5, 0x3F, false},
    {SDL_SCANCODE_F6, VK_F6, 0x40, false},
    {SDL_SCANCODE_F7, VK_F7, 0x41, false},
    {SDL_SCANCODE_F8, VK_F8, 0x42, false},
    {SDL_SCANCODE_F9, VK_F9, 0x43, false},
    {SDL_SCANCODE_F10, VK_F10, 0x44, false},
    {SDL_SCANCODE_F11, VK_F11, 0x57, false},
    {SDL_SCANCODE_F12, VK_F12, 0x58, false},
    // The keys above the grey block. Pause and Num Lock share 0x45; Num Lock is the extended one.
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, 0x37, true},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0x46, false},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45, false},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true},
    // The grey navigation block: the keypad's scan codes, told apart by the extended flag.
    {SDL_SCANCODE_INSERT, VK_INSERT, 0x52, true},
    {SDL_SCANCODE_DELETE, VK_DELETE, 0x53, true},
    {SDL_SCANCODE_HOME, VK_HOME, 0x47, true},
    {SDL_SCANCODE_END, VK_END, 0x4F, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, 0x49, true},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0x51, true},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0x4B, true},
    {SDL_SCANCODE_UP, VK_UP, 0x48, true},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0x4D, true},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0x50, true},
    // Keypad keys that ignore Num Lock. Its Enter and '/' are the main keys' codes, extended.
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x35, true},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37, false},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A, false},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E, false},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x1C, true},
};

struct KeypadRow {
  SDL_Scancode scancode;
  std::uint32_t numLockOn;
  std::uint32_t numLockOff;
  int scanCode;
};

// The keypad's digits and point: digits with Num Lock on, the navigation keys with it off, the
// same scan codes either way and never extended.
constexpr KeypadRow kKeypad[] = {
    {SDL_SCANCODE_KP_7, VK_NUMPAD7, VK_HOME, 0x47},
    {SDL_SCANCODE_KP_8, VK_NUMPAD8, VK_UP, 0x48},
    {SDL_SCANCODE_KP_9, VK_NUMPAD9, VK_PRIOR, 0x49},
    {SDL_SCANCODE_KP_4, VK_NUMPAD4, VK_LEFT, 0x4B},
    {SDL_SCANCODE_KP_5, VK_NUMPAD5, VK_CLEAR, 0x4C},
    {SDL_SCANCODE_KP_6, VK_NUMPAD6, VK_RIGHT, 0x4D},
    {SDL_SCANCODE_KP_1, VK_NUMPAD1, VK_END, 0x4F},
    {SDL_SCANCODE_KP_2, VK_NUMPAD2, VK_DOWN, 0x50},
    {SDL_SCANCODE_KP_3, VK_NUMPAD3, VK_NEXT, 0x51},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT, 0x52},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE, 0x53},
};

struct Tables {
  std::array<KeyInfo, SDL_NUM_SCANCODES> numLockOn{};
  std::array<KeyInfo, SDL_NUM_SCANCODES> numLockOff{};
  // Index: scan code, plus 0x80 for extended keys.
  std::array<SDL_Scancode, 0x100> fromScanCode{};
};

const Tables& BuildTables() {
  static const Tables tables = [] {
    Tables t;
    t.fromScanCode.fill(SDL_SCANCODE_UNKNOWN);
    auto add = [&t](SDL_Scancode sc, KeyInfo on, KeyInfo off) {
      t.numLockOn[sc] = on;
      t.numLockOff[sc] = off;
      int index = on.scanCode + (on.extended ? 0x80 : 0);
      if (t.fromScanCode[index] == SDL_SCANCODE_UNKNOWN) t.fromScanCode[index] = sc;
    };
    for (const KeyRow& row : kKeys) {
      KeyInfo info{row.virtualKey, row.scanCode, row.extended};
      add(row.scancode, info, info);
    }
    for (const KeypadRow& row : kKeypad) {
      add(row.scancode, KeyInfo{row.numLockOn, row.scanCode, false},
          KeyInfo{row.numLockOff, row.scanCode, false});
    }
    return t;
  }();
  return tables;
}

}  // namespace

std::optional<KeyInfo> LookupKey(SDL_Scancode scancode, bool numLock) {
  if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return std::nullopt;
  const Tables& t = BuildTables();
  const KeyInfo& info = numLock ? t.numLockOn[scancode] : t.numLockOff[scancode];
  if (info.virtualKey == 0) return std::nullopt;
  return info;
}

SDL_Scancode ScancodeFromScanCode(int scanCode) {
  bool extended = (scanCode & ~0xFF) == kExtendedScanPrefix;
  if (!extended && (scanCode & ~0xFF) != 0) return SDL_SCANCODE_UNKNOWN;
  int code = scanCode & 0xFF;
  if (code == 0 || code >= 0x80) return SDL_SCANCODE_UNKNOWN;
  return BuildTables().fromScanCode[code + (extended ? 0x80 : 0)];
}

SDL_Scancode ScancodeFromVirtualKey(std::uint32_t virtualKey) {
  if (virtualKey == 0) return SDL_SCANCODE_UNKNOWN;
  switch (virtualKey) {
    // The left/right codes name one key each, though key messages only carry the generic ones.
    case VK_LSHIFT:
      return SDL_SCANCODE_LSHIFT;
    case VK_RSHIFT:
      return SDL_SCANCODE_RSHIFT;
    case VK_LCONTROL:
      return SDL_SCANCODE_LCTRL;
    case VK_RCONTROL:
      return SDL_SCANCODE_RCTRL;
    case VK_LMENU:
      return SDL_SCANCODE_LALT;
    case VK_RMENU:
      return SDL_SCANCODE_RALT;
    default:
      break;
  }
  for (const KeyRow& row : kKeys) {
    if (row.virtualKey == virtualKey) return row.scancode;
  }
  for (const KeypadRow& row : kKeypad) {
    if (row.numLockOn == virtualKey) return row.scancode;
  }
  return SDL_SCANCODE_UNKNOWN;
}
