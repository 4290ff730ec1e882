// The one modal message loop of the toolkit: any screen (a dialog, a chooser, a full-screen
// picture) runs it to take the player's input for itself until it is done.
#pragma once

#include <functional>

#include "platform/Messages.h"

class UiElement;

struct ModalOptions {
  // One turn of the screen's own logic on the message just recorded; true when it is done.
  std::function<bool()> poll;
  // Asked before every wait as well, for a screen that can also be ended from outside its poll;
  // may be empty.
  std::function<bool()> done;
  // Key releases are recorded too: the character-code entry (Alt and keypad digits) ends with one.
  bool recordKeyUp = false;
};

// Runs the loop over a screen the caller has already shown, until poll (or done) says so. It
// blocks until the next message or the next due timer. Input is recorded and polled; timer
// ticks are polled and also dispatched, so the window's timers keep running; everything else goes
// to the window procedure. Returns false when the quit message ended it (the quit is posted again
// for the main loop).
//
// While it runs, an open menu of the screen beneath does not block the screen's widgets; when it
// returns, the menus' state is as it was and the input record holds nothing of this loop's last
// turn, so the key that closed a dialog is not taken a second time by the screen that opened it.
bool UiRunModal(UiElement& screen, const ModalOptions& options);

// How many modal loops are running right now, so that drawing timers can hold back.
int UiModalDepth();

// The menu that holds menuOpen goes away (its bar is hidden or destroyed): clears the flag now,
// and in every running modal loop that would put it back when it ends.
void UiReleaseMenuOpen();

// True for the messages a modal loop records and polls: the mouse, key presses (Caps Lock
// excepted: it only changes the lock light, which the window keeps track of), system keys and
// timer ticks.
bool UiIsModalInput(const Message& msg);
