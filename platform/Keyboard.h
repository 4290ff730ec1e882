// Asks the keyboard which keys are held and which locks are on, in the Windows shape, for code
// that must not know SDL.
#pragma once

#include <cstdint>

#include "platform/Messages.h"

// Like GetKeyState: bit 15 (a negative value) while the key is held, bit 0 while Caps Lock,
// Num Lock or Scroll Lock is on for those three keys. "Held" is as of the last key message taken
// from the queue, not as of now, so a key message is read with the Shift state it was typed with
// even when the Shift release is already queued behind it. The generic Shift, Control and Alt
// codes count either key of the pair.
std::int16_t GetKeyState(std::uint32_t virtualKey);

// Moves the held-key state on by a message just taken from the queue. Only key messages made from
// keyboard input count; a focus loss (WM_ACTIVATEAPP 0 from the device) lets go of every key.
// The message loop calls it; tests may call it to press keys.
void TrackKeyMessage(const Message& msg);
// Lets go of every key.
void ResetKeyState();

// True while the key with this set-1 scan code is held right now (0xE000 | code for extended
// keys), read from the keyboard itself.
bool IsScanCodeDown(int scanCode);
