// Clipping of rectangle copies against the buffers they read and write.
#include "gfx/GfxBlitPlan.h"

#include <algorithm>

bool GfxPlanBlit(const GfxRect& source, int newx, int newy, const GfxRect& sourceBounds,
                 const GfxRect& destBounds, GfxBlitPlan* plan) {
  if (source.IsEmpty() || sourceBounds.IsEmpty() || destBounds.IsEmpty()) return false;
  // 64-bit arithmetic: absurd rectangles must not overflow before they are cut down.
  long long sx = source.minx, sy = source.miny;
  long long dx = newx;
  long long dy = static_cast<long long>(newy) - (static_cast<long long>(source.maxy) - source.miny);
  long long w = static_cast<long long>(source.maxx) - source.minx + 1;
  long long h = static_cast<long long>(source.maxy) - source.miny + 1;

  auto cutLeading = [](long long& a, long long& b, long long& extent, long long bound) {
    if (a < bound) {
      const long long d = bound - a;
      a += d;
      b += d;
      extent -= d;
    }
  };
  cutLeading(sx, dx, w, sourceBounds.minx);
  cutLeading(sy, dy, h, sourceBounds.miny);
  cutLeading(dx, sx, w, destBounds.minx);
  cutLeading(dy, sy, h, destBounds.miny);
  w = std::min({w, sourceBounds.maxx - sx + 1, destBounds.maxx - dx + 1});
  h = std::min({h, sourceBounds.maxy - sy + 1, destBounds.maxy - dy + 1});
  if (w <= 0 || h <= 0) return false;

  plan->srcX = static_cast<int>(sx);
  plan->srcY = static_cast<int>(sy);
  plan->dstX = static_cast<int>(dx);
  plan->dstY = static_cast<int>(dy);
  plan->width = static_cast<int>(w);
  plan->height = static_cast<int>(h);
  return true;
}
