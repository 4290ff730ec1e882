// The list of screen rectangles changed since the display was last updated, merged as they
// arrive so that one flush copies as little as possible.
#pragma once

#include <vector>

#include "platform/Screen.h"

class DirtyRectList {
public:
  // A rectangle overlapping the newest record grows that record to cover both; any other goes
  // in front as the new newest record. Only the newest is tried: drawing code usually marks
  // the same area several times in a row, and a full search would cost more than it saves.
  void Add(const ScreenRect& rect);
  // Removes the newest record; false when the list is empty.
  bool TakeNewest(ScreenRect* out);
  void Clear() { records_.clear(); }

private:
  std::vector<ScreenRect> records_;  // oldest first, so the newest is cheap to reach
};
