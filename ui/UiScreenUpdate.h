// What the toolkit needs to get its drawing onto the display: marking changed rectangles and
// showing them. The program hands in its artwork object; tests hand in a recorder.
#pragma once

#include "platform/Screen.h"

class UiScreenUpdate {
public:
  virtual ~UiScreenUpdate() = default;
  virtual void AddDirtyRect(const ScreenRect& rect) = 0;
  virtual void FlushDirtyRects() = 0;
  virtual void ShowScreenRect(const ScreenRect& rect) = 0;
};
