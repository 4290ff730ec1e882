// Turns the pending key-down of the input record into this turn's character and navigation
// event: numeric keypad, function keys, US-layout shift tables, Caps Lock and Alt code entry.
#include <array>
#include <cstdint>

#include "ui/UiInput.h"

namespace {

// PC set-1 scan codes the translation tests itself.
constexpr int kScanTab = 0x0F;
constexpr int kScanF1 = 0x3B;
constexpr int kScanF10 = 0x44;

// The keypad sends these scan codes whether Num Lock is on or off; only the key code changes.
// Reading the scan code therefore gives digits even when the key code says Home or an arrow.
struct KeypadKey {
  int scan;
  char digit;
};
constexpr std::array<KeypadKey, 11> kKeypad = {{{0x47, '7'},
                                                {0x48, '8'},
                                                {0x49, '9'},
                                                {0x4B, '4'},
                                                {0x4C, '5'},
                                                {0x4D, '6'},
                                                {0x4F, '1'},
                                                {0x50, '2'},
                                                {0x51, '3'},
                                                {0x52, '0'},
                                                {0x53, '.'}}};

// Punctuation keys of the US layout and what they type without and with Shift.
struct PunctuationKey {
  std::uint32_t key;
  char plain;
  char shifted;
};
constexpr std::array<PunctuationKey, 11> kPunctuation = {{{0xBA, ';', ':'},
                                                          {0xBB, '=', '+'},
                                                          {0xBC, ',', '<'},
                                                          {0xBD, '-', '_'},
                                                          {0xBE, '.', '>'},
                                                          {0xBF, '/', '?'},
                                                          {0xC0, '`', '~'},
                                                          {0xDB, '[', '{'},
                                                          {0xDC, '\\', '|'},
                                                          {0xDD, ']', '}'},
                                                          {0xDE, '\'', '"'}}};

// Shift with the digit row, 0 to 9.
constexpr std::array<char, 10> kShiftedDigits = {')', '!', '@', '#', '$', '%', '^', '&', '*', '('};

// Keys that end as a navigation event with an old keyboard-BIOS letter as their character, so
// code that only looks at characters still tells them apart.
struct NavigationKey {
  std::uint32_t key;
  char letter;
  int event;
};
constexpr std::array<NavigationKey, 10> kNavigation = {{{33, 'I', EV_PAGE_UP},
                                                        {34, 'Q', EV_PAGE_DOWN},
                                                        {35, 'O', EV_END},
                                                        {36, 'G', EV_HOME},
                                                        {37, 'K', EV_LEFT},
                                                        {38, 'H', EV_UP},
                                                        {39, 'M', EV_RIGHT},
                                                        {40, 'P', EV_DOWN},
                                                        {45, 'R', EV_INSERT},
                                                        {46, 'S', EV_DELETE}}};

bool ShiftHeld() {
  return (UiKeyState(VK_SHIFT) & 0x8000) != 0;
}

bool IsUpper(int c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLower(int c) {
  return c >= 'a' && c <= 'z';
}

// Alt held while digits are typed spells a character code; the release of a key ends it.
void StepCodeEntry(UiInputRecord& in) {
  if (in.keyState == KS_RELEASED && in.codeLength > 0) {
    std::uint32_t value = 0;
    for (int i = 0; i < in.codeLength && in.codeBuffer[i] >= '0' && in.codeBuffer[i] <= '9'; ++i) {
      value = value * 10 + static_cast<std::uint32_t>(in.codeBuffer[i] - '0');
    }
    in.pendingKey = value;
    in.codeLength = 0;
    in.codeBuffer[0] = '\0';
    in.sysKeyPending = 0;
  } else if (in.sysKeyPending == EV_SYSKEY && in.timerId != VK_MENU) {
    if (in.codeLength < kUiCodeBufferLength) {
      in.codeBuffer[in.codeLength++] = static_cast<char>(in.timerId & 0xFF);
      in.codeBuffer[in.codeLength] = '\0';
    }
  }
}

// Keypad digits and function keys, judged by scan code. True when the key is settled.
bool TranslateByScanCode(UiInputRecord& in) {
  if (in.pendingExtended) return false;
  for (const KeypadKey& k : kKeypad) {
    if (k.scan == in.pendingScan) {
      in.keyChar = static_cast<std::uint8_t>(k.digit);
      return true;
    }
  }
  if (in.pendingScan >= kScanF1 && in.pendingScan <= kScanF10) {
    in.keyState = KS_FUNCTION;
    in.keyChar = static_cast<std::uint8_t>(VK_F1 + (in.pendingScan - kScanF1));
    return true;
  }
  return false;
}

// Shift as the key messages left it, not as the keyboard is now: by the time a quick Shift+Tab
// (or one sent by another program) is translated, Shift may be up already.
bool EitherShiftHeld() {
  return UiKeyState(VK_LSHIFT) < 0 || UiKeyState(VK_RSHIFT) < 0 || UiKeyState(VK_SHIFT) < 0;
}

void TranslateByLayout(UiInputRecord& in) {
  // The key in hand is the Tab that is down.
  const bool tab = in.pendingKey == VK_TAB || in.pendingScan == kScanTab;
  if (tab && EitherShiftHeld()) {
    in.pendingKey = kUiBackTabKey;
    in.keyChar = static_cast<std::uint8_t>(kUiBackTabKey);
    in.event = EV_BACK_TAB;
    return;
  }
  const std::uint32_t key = in.pendingKey;
  const bool shift = ShiftHeld();
  for (const PunctuationKey& p : kPunctuation) {
    if (p.key == key) {
      in.keyChar = static_cast<std::uint8_t>(shift ? p.shifted : p.plain);
      return;
    }
  }
  if (shift) {
    if (key >= '0' && key <= '9') in.keyChar = static_cast<std::uint8_t>(kShiftedDigits[key - '0']);
  } else if (IsUpper(in.keyChar)) {
    in.keyChar = static_cast<std::uint8_t>(in.keyChar - 'A' + 'a');
  }
}

void ApplyCapsLock(UiInputRecord& in) {
  // Only typed characters: the function keys carry their key codes 0x70 to 0x79, which are the
  // lower-case letters p to y and must not turn into capitals.
  if (in.keyState != KS_CHAR || UiKeyState(VK_CAPITAL) == 0) return;
  if (IsLower(in.keyChar)) {
    in.keyChar = static_cast<std::uint8_t>(in.keyChar - 'a' + 'A');
  } else if (IsUpper(in.keyChar) && (UiKeyState(VK_LSHIFT) < 0 || UiKeyState(VK_SHIFT) < 0)) {
    in.keyChar = static_cast<std::uint8_t>(in.keyChar - 'A' + 'a');
  }
}

void ApplyFinalMapping(UiInputRecord& in) {
  const std::uint32_t key = in.pendingKey;
  switch (key) {
    case VK_TAB:
      in.event = EV_TAB;
      return;
    case kUiBackTabKey:
      in.event = EV_BACK_TAB;
      return;
    case VK_SHIFT:
    case VK_PAUSE:
    case VK_NUMLOCK:
    case VK_SCROLL:
      in.keyChar = 0;
      return;
    case VK_MULTIPLY:
      in.keyChar = '*';
      return;
    case VK_ADD:
      in.keyChar = '+';
      return;
    case VK_SUBTRACT:
      in.keyChar = '-';
      return;
    case VK_DIVIDE:
      in.keyChar = '/';
      return;
    default:
      break;
  }
  for (const NavigationKey& n : kNavigation) {
    if (n.key == key) {
      in.keyChar = static_cast<std::uint8_t>(n.letter);
      in.event = n.event;
      return;
    }
  }
}

void ClearPendingKey(UiInputRecord& in) {
  in.pendingKey = 0;
  in.pendingScan = 0;
  in.pendingExtended = false;
}

}  // namespace

void UiTranslateKey() {
  UiInputRecord& in = UiInput;
  in.event = EV_NONE;
  in.keyChar = 0;
  StepCodeEntry(in);
  if (in.pendingKey == 0) {
    in.keyState = KS_NONE;
    return;
  }
  in.keyChar = static_cast<std::uint8_t>(in.pendingKey & 0xFF);
  in.keyState = KS_CHAR;
  if (!TranslateByScanCode(in)) TranslateByLayout(in);
  ApplyCapsLock(in);
  ApplyFinalMapping(in);
  ClearPendingKey(in);
}
