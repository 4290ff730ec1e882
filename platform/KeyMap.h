// Maps the keys of a US PC keyboard from SDL scancodes to the virtual-key codes and set-1 scan
// codes that key messages carry, and scan codes back to SDL scancodes for key-down tests.
#pragma once

#include <SDL_scancode.h>

#include <cstdint>
#include <optional>

struct KeyInfo {
  std::uint32_t virtualKey = 0;
  int scanCode = 0;       // set-1 make code without the 0xE0 prefix
  bool extended = false;  // the key sends the 0xE0 prefix (grey keys, right Ctrl and Alt, ...)
};

// Scan codes with the extended flag are written with this prefix where one number must name a
// key on its own (0xE048 is the grey Up arrow, 0x48 the keypad 8).
inline constexpr int kExtendedScanPrefix = 0xE000;

// The key's codes; the keypad's digit keys and its point give digits with Num Lock on and
// navigation keys with it off. Nothing for keys a US PC keyboard does not have.
std::optional<KeyInfo> LookupKey(SDL_Scancode scancode, bool numLock);

// The SDL scancode of a set-1 scan code (0xE000 | code for extended keys);
// SDL_SCANCODE_UNKNOWN for codes no key produces.
SDL_Scancode ScancodeFromScanCode(int scanCode);

// The first SDL scancode whose key reports this virtual-key code with Num Lock on (for the
// generic Shift, Control and Alt codes: the left key); SDL_SCANCODE_UNKNOWN when none does.
SDL_Scancode ScancodeFromVirtualKey(std::uint32_t virtualKey);
