// How large the window may open: the picture in whole steps, never larger than the part of the
// desktop that windows may use.
#pragma once

#include <string>

struct WindowFit {
  int width = 0;  // the window's inside, in pixels
  int height = 0;
  int scale = 1;  // whole steps of the logical screen; 0 when even one step does not fit
};

// The largest whole step up to `requested` whose window, with its frame (`frameWidth`,
// `frameHeight`: what the window manager adds around the inside), fits in the usable desktop.
// When not even one step fits, the largest window of the screen's shape that does, no smaller
// than `minWidth` x `minHeight`. A usable size of 0 or less means unknown: the request stands.
WindowFit ChooseWindowFit(int requested, int usableWidth, int usableHeight, int frameWidth,
                          int frameHeight, int minWidth, int minHeight);

// What to tell the player when the window opened smaller than asked ("" when it did not).
std::string WindowFitNote(int requested, int chosen);
