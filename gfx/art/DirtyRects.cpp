// Keeps the changed-rectangle list and its merge-on-insert rule.
#include "gfx/art/DirtyRects.h"

void DirtyRectList::Add(const ScreenRect& rect) {
  if (!records_.empty() && Intersects(records_.back(), rect)) {
    records_.back() = Union(records_.back(), rect);
    return;
  }
  records_.push_back(rect);
}

bool DirtyRectList::TakeNewest(ScreenRect* out) {
  if (records_.empty()) return false;
  *out = records_.back();
  records_.pop_back();
  return true;
}
