// Keeps the held-key state in step with the key messages the program has taken, and reads lock
// states and physical keys from SDL.
#include "platform/Keyboard.h"

#include <SDL.h>

#include <array>

#include "platform/KeyMap.h"

namespace {

constexpr std::int16_t kHeld = static_cast<std::int16_t>(0x8000);
constexpr std::int16_t kToggled = 0x0001;

// Indexed by virtual-key code; true while held.
std::array<bool, 256>& HeldKeys() {
  static std::array<bool, 256> held{};
  return held;
}

bool Held(std::uint32_t virtualKey) {
  return virtualKey < 256 && HeldKeys()[virtualKey];
}

// Key messages carry the generic modifier codes; the scan code and extended flag tell which of
// the pair it was, as Windows keeps them apart in its key state.
std::uint32_t SidedKey(std::uint32_t virtualKey, std::intptr_t lParam) {
  switch (virtualKey) {
    case VK_SHIFT:
      return KeyScanCode(lParam) == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL:
      return KeyIsExtended(lParam) ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
      return KeyIsExtended(lParam) ? VK_RMENU : VK_LMENU;
    default:
      return virtualKey;
  }
}

std::int16_t LockState(std::uint32_t virtualKey, bool on) {
  std::int16_t state = on ? kToggled : 0;
  if (Held(virtualKey)) state = static_cast<std::int16_t>(state | kHeld);
  return state;
}

}  // namespace

std::int16_t GetKeyState(std::uint32_t virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT:
      return Held(VK_LSHIFT) || Held(VK_RSHIFT) ? kHeld : 0;
    case VK_CONTROL:
      return Held(VK_LCONTROL) || Held(VK_RCONTROL) ? kHeld : 0;
    case VK_MENU:
      return Held(VK_LMENU) || Held(VK_RMENU) ? kHeld : 0;
    // The lock lights are the system's; reading them from SDL keeps them right even when a lock
    // was switched while another program had the keyboard.
    case VK_CAPITAL:
      return LockState(virtualKey, (SDL_GetModState() & KMOD_CAPS) != 0);
    case VK_NUMLOCK:
      return LockState(virtualKey, (SDL_GetModState() & KMOD_NUM) != 0);
    case VK_SCROLL:
      return LockState(virtualKey, (SDL_GetModState() & KMOD_SCROLL) != 0);
    default:
      return Held(virtualKey) ? kHeld : 0;
  }
}

void TrackKeyMessage(const Message& msg) {
  if (!msg.fromDevice) return;
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      std::uint32_t key = SidedKey(static_cast<std::uint32_t>(msg.wParam), msg.lParam);
      if (key < 256) HeldKeys()[key] = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
      return;
    }
    case WM_ACTIVATEAPP:
      if (msg.wParam == 0) ResetKeyState();
      return;
    default:
      return;
  }
}

void ResetKeyState() {
  HeldKeys().fill(false);
}

bool IsScanCodeDown(int scanCode) {
  SDL_Scancode scancode = ScancodeFromScanCode(scanCode);
  if (scancode == SDL_SCANCODE_UNKNOWN) return false;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  return keys != nullptr && scancode < count && keys[scancode] != 0;
}
