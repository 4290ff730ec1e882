// Lets the toolkit mark and show screen rectangles through the program's artwork object.
#pragma once

#include "gfx/art/ArtworkSet.h"
#include "ui/UiScreenUpdate.h"

class ArtworkScreenUpdate : public UiScreenUpdate {
public:
  explicit ArtworkScreenUpdate(ArtworkSet& artwork) : artwork_(artwork) {}
  void AddDirtyRect(const ScreenRect& rect) override { artwork_.AddDirtyRect(rect); }
  void FlushDirtyRects() override { artwork_.FlushDirtyRects(); }
  void ShowScreenRect(const ScreenRect& rect) override { artwork_.ShowScreenRect(rect); }

private:
  ArtworkSet& artwork_;
};
