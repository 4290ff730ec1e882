// Window-message codes, key codes and parameter packing shaped exactly like the Windows ones, so
// the window procedure, the input record and the modal loops read the messages they were written
// for.
#pragma once

#include <cstdint>

// One queued window message. wParam and lParam are packed as Windows packs them.
struct Message {
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  // Milliseconds on the queue's clock when the message was queued or synthesised.
  std::uint64_t time = 0;
  // True for messages made from mouse and keyboard input, false for ones the program posted;
  // only the former move the key state that GetKeyState reports.
  bool fromDevice = false;
};

// --- Message codes ------------------------------------------------------------------------------

inline constexpr std::uint32_t WM_NULL = 0x0000;
inline constexpr std::uint32_t WM_CREATE = 0x0001;
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_SIZE = 0x0005;
inline constexpr std::uint32_t WM_SETFOCUS = 0x0007;
inline constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr std::uint32_t WM_PAINT = 0x000F;
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_QUIT = 0x0012;
inline constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
inline constexpr std::uint32_t WM_ACTIVATEAPP = 0x001C;
inline constexpr std::uint32_t WM_KEYFIRST = 0x0100;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;
inline constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr std::uint32_t WM_KEYLAST = 0x0108;
inline constexpr std::uint32_t WM_TIMER = 0x0113;
inline constexpr std::uint32_t WM_MOUSEFIRST = 0x0200;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
inline constexpr std::uint32_t WM_MOUSELAST = 0x0209;
inline constexpr std::uint32_t WM_USER = 0x0400;

// wParam of WM_SIZE.
inline constexpr std::uint32_t SIZE_RESTORED = 0;
inline constexpr std::uint32_t SIZE_MINIMIZED = 1;
inline constexpr std::uint32_t SIZE_MAXIMIZED = 2;

// --- Mouse-message wParam flags ---------------------------------------------------------------

inline constexpr std::uint32_t MK_LBUTTON = 0x0001;
inline constexpr std::uint32_t MK_RBUTTON = 0x0002;
inline constexpr std::uint32_t MK_SHIFT = 0x0004;
inline constexpr std::uint32_t MK_CONTROL = 0x0008;
inline constexpr std::uint32_t MK_MBUTTON = 0x0010;
inline constexpr std::uint32_t MK_XBUTTON1 = 0x0020;
inline constexpr std::uint32_t MK_XBUTTON2 = 0x0040;

// --- Virtual-key codes (letters and digits are their upper-case ASCII codes) --------------------

inline constexpr std::uint32_t VK_LBUTTON = 0x01;
inline constexpr std::uint32_t VK_RBUTTON = 0x02;
inline constexpr std::uint32_t VK_CANCEL = 0x03;
inline constexpr std::uint32_t VK_MBUTTON = 0x04;
inline constexpr std::uint32_t VK_BACK = 0x08;
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_CLEAR = 0x0C;
inline constexpr std::uint32_t VK_RETURN = 0x0D;
inline constexpr std::uint32_t VK_SHIFT = 0x10;
inline constexpr std::uint32_t VK_CONTROL = 0x11;
inline constexpr std::uint32_t VK_MENU = 0x12;
inline constexpr std::uint32_t VK_PAUSE = 0x13;
inline constexpr std::uint32_t VK_CAPITAL = 0x14;
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;
inline constexpr std::uint32_t VK_SPACE = 0x20;
inline constexpr std::uint32_t VK_PRIOR = 0x21;
inline constexpr std::uint32_t VK_NEXT = 0x22;
inline constexpr std::uint32_t VK_END = 0x23;
inline constexpr std::uint32_t VK_HOME = 0x24;
inline constexpr std::uint32_t VK_LEFT = 0x25;
inline constexpr std::uint32_t VK_UP = 0x26;
inline constexpr std::uint32_t VK_RIGHT = 0x27;
inline constexpr std::uint32_t VK_DOWN = 0x28;
inline constexpr std::uint32_t VK_SELECT = 0x29;
inline constexpr std::uint32_t VK_PRINT = 0x2A;
inline constexpr std::uint32_t VK_EXECUTE = 0x2B;
inline constexpr std::uint32_t VK_SNAPSHOT = 0x2C;
inline constexpr std::uint32_t VK_INSERT = 0x2D;
inline constexpr std::uint32_t VK_DELETE = 0x2E;
inline constexpr std::uint32_t VK_HELP = 0x2F;
inline constexpr std::uint32_t VK_LWIN = 0x5B;
inline constexpr std::uint32_t VK_RWIN = 0x5C;
inline constexpr std::uint32_t VK_APPS = 0x5D;
inline constexpr std::uint32_t VK_SLEEP = 0x5F;
inline constexpr std::uint32_t VK_NUMPAD0 = 0x60;
inline constexpr std::uint32_t VK_NUMPAD1 = 0x61;
inline constexpr std::uint32_t VK_NUMPAD2 = 0x62;
inline constexpr std::uint32_t VK_NUMPAD3 = 0x63;
inline constexpr std::uint32_t VK_NUMPAD4 = 0x64;
inline constexpr std::uint32_t VK_NUMPAD5 = 0x65;
inline constexpr std::uint32_t VK_NUMPAD6 = 0x66;
inline constexpr std::uint32_t VK_NUMPAD7 = 0x67;
inline constexpr std::uint32_t VK_NUMPAD8 = 0x68;
inline constexpr std::uint32_t VK_NUMPAD9 = 0x69;
inline constexpr std::uint32_t VK_MULTIPLY = 0x6A;
inline constexpr std::uint32_t VK_ADD = 0x6B;
inline constexpr std::uint32_t VK_SEPARATOR = 0x6C;
inline constexpr std::uint32_t VK_SUBTRACT = 0x6D;
inline constexpr std::uint32_t VK_DECIMAL = 0x6E;
inline constexpr std::uint32_t VK_DIVIDE = 0x6F;
inline constexpr std::uint32_t VK_F1 = 0x70;
inline constexpr std::uint32_t VK_F2 = 0x71;
inline constexpr std::uint32_t VK_F3 = 0x72;
inline constexpr std::uint32_t VK_F4 = 0x73;
inline constexpr std::uint32_t VK_F5 = 0x74;
inline constexpr std::uint32_t VK_F6 = 0x75;
inline constexpr std::uint32_t VK_F7 = 0x76;
inline constexpr std::uint32_t VK_F8 = 0x77;
inline constexpr std::uint32_t VK_F9 = 0x78;
inline constexpr std::uint32_t VK_F10 = 0x79;
inline constexpr std::uint32_t VK_F11 = 0x7A;
inline constexpr std::uint32_t VK_F12 = 0x7B;
inline constexpr std::uint32_t VK_NUMLOCK = 0x90;
inline constexpr std::uint32_t VK_SCROLL = 0x91;
inline constexpr std::uint32_t VK_LSHIFT = 0xA0;
inline constexpr std::uint32_t VK_RSHIFT = 0xA1;
inline constexpr std::uint32_t VK_LCONTROL = 0xA2;
inline constexpr std::uint32_t VK_RCONTROL = 0xA3;
inline constexpr std::uint32_t VK_LMENU = 0xA4;
inline constexpr std::uint32_t VK_RMENU = 0xA5;
inline constexpr std::uint32_t VK_OEM_1 = 0xBA;       // ;:
inline constexpr std::uint32_t VK_OEM_PLUS = 0xBB;    // =+
inline constexpr std::uint32_t VK_OEM_COMMA = 0xBC;   // ,<
inline constexpr std::uint32_t VK_OEM_MINUS = 0xBD;   // -_
inline constexpr std::uint32_t VK_OEM_PERIOD = 0xBE;  // .>
inline constexpr std::uint32_t VK_OEM_2 = 0xBF;       // /?
inline constexpr std::uint32_t VK_OEM_3 = 0xC0;       // `~
inline constexpr std::uint32_t VK_OEM_4 = 0xDB;       // [{
inline constexpr std::uint32_t VK_OEM_5 = 0xDC;       // \|
inline constexpr std::uint32_t VK_OEM_6 = 0xDD;       // ]}
inline constexpr std::uint32_t VK_OEM_7 = 0xDE;       // '"
inline constexpr std::uint32_t VK_OEM_102 = 0xE2;     // the extra key left of Z on 102-key boards

// --- Parameter packing ------------------------------------------------------------------------

// Two 16-bit halves in the low 32 bits, zero-extended like MAKELPARAM; negative values keep their
// 16-bit two's-complement pattern so GetXLParam/GetYLParam can recover them.
constexpr std::intptr_t MakeLParam(int lo, int hi) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(lo) & 0xFFFFu) |
                                    ((static_cast<std::uint32_t>(hi) & 0xFFFFu) << 16));
}

constexpr std::uint16_t LoWord(std::uintptr_t value) {
  return static_cast<std::uint16_t>(value & 0xFFFFu);
}
constexpr std::uint16_t HiWord(std::uintptr_t value) {
  return static_cast<std::uint16_t>((value >> 16) & 0xFFFFu);
}

// Signed positions, for messages whose coordinates may lie left of or above the window.
constexpr int GetXLParam(std::intptr_t lParam) {
  return static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(lParam)));
}
constexpr int GetYLParam(std::intptr_t lParam) {
  return static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(lParam)));
}

// The lParam of a key message: repeat count in bits 0-15, scan code in 16-23, extended key in 24,
// Alt held (context code) in 29, key already down before this message in 30, key being released
// in 31.
constexpr std::intptr_t KeyLParam(int repeat, int scanCode, bool extended, bool previousDown,
                                  bool transition, bool altDown = false) {
  std::uint32_t value = static_cast<std::uint32_t>(repeat) & 0xFFFFu;
  value |= (static_cast<std::uint32_t>(scanCode) & 0xFFu) << 16;
  if (extended) value |= 1u << 24;
  if (altDown) value |= 1u << 29;
  if (previousDown) value |= 1u << 30;
  if (transition) value |= 1u << 31;
  return static_cast<std::intptr_t>(value);
}

constexpr int KeyRepeatCount(std::intptr_t lParam) {
  return static_cast<int>(static_cast<std::uintptr_t>(lParam) & 0xFFFFu);
}
constexpr int KeyScanCode(std::intptr_t lParam) {
  return static_cast<int>((static_cast<std::uintptr_t>(lParam) >> 16) & 0xFFu);
}
constexpr bool KeyIsExtended(std::intptr_t lParam) {
  return ((static_cast<std::uintptr_t>(lParam) >> 24) & 1u) != 0;
}
constexpr bool KeyAltDown(std::intptr_t lParam) {
  return ((static_cast<std::uintptr_t>(lParam) >> 29) & 1u) != 0;
}
constexpr bool KeyWasDown(std::intptr_t lParam) {
  return ((static_cast<std::uintptr_t>(lParam) >> 30) & 1u) != 0;
}
constexpr bool KeyIsRelease(std::intptr_t lParam) {
  return ((static_cast<std::uintptr_t>(lParam) >> 31) & 1u) != 0;
}

// True for the mouse messages WM_MOUSEMOVE to WM_MBUTTONDBLCLK.
constexpr bool IsMouseMessage(std::uint32_t message) {
  return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}
