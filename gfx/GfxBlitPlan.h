// Limits a rectangle copy to the source and destination buffers, keeping the placement of the
// pixels that remain, so no copy can read or write outside a buffer whatever its arguments.
#pragma once

#include "gfx/GfxState.h"

struct GfxBlitPlan {
  int srcX = 0;
  int srcY = 0;
  int dstX = 0;
  int dstY = 0;
  int width = 0;
  int height = 0;
};

// source is the inclusive rectangle to copy, (newx, newy) the destination of its LOWER-left
// corner. Returns false when nothing of the rectangle lies inside both bounds.
bool GfxPlanBlit(const ScreenRect& source, int newx, int newy, const ScreenRect& sourceBounds,
                 const ScreenRect& destBounds, GfxBlitPlan* plan);
