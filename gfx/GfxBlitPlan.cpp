// Clipping of rectangle copies against the buffers they read and write.
#include "gfx/GfxBlitPlan.h"

#include <algorithm>

bool GfxPlanBlit(const ScreenRect& source, int newx, int newy, const ScreenRect& sourceBounds,
                 const ScreenRect& destBounds, GfxBlitPlan* plan) {
  if (IsEmpty(source) || IsEmpty(sourceBounds) || IsEmpty(destBounds)) return false;
  // 64-bit arithmetic: absurd rectangles must not overflow before they are cut down.
  long long sx = source.left, sy = source.top;
  long long dx = newx;
  long long dy =
      static_cast<long long>(newy) - (static_cast<long long>(source.bottom) - source.top);
  long long w = static_cast<long long>(source.right) - source.left + 1;
  long long h = static_cast<long long>(source.bottom) - source.top + 1;

  auto cutLeading = [](long long& a, long long& b, long long& extent, long long bound) {
    if (a < bound) {
      const long long d = bound - a;
      a += d;
      b += d;
      extent -= d;
    }
  };
  cutLeading(sx, dx, w, sourceBounds.left);
  cutLeading(sy, dy, h, sourceBounds.top);
  cutLeading(dx, sx, w, destBounds.left);
  cutLeading(dy, sy, h, destBounds.top);
  w = std::min({w, sourceBounds.right - sx + 1, destBounds.right - dx + 1});
  h = std::min({h, sourceBounds.bottom - sy + 1, destBounds.bottom - dy + 1});
  if (w <= 0 || h <= 0) return false;

  plan->srcX = static_cast<int>(sx);
  plan->srcY = static_cast<int>(sy);
  plan->dstX = static_cast<int>(dx);
  plan->dstY = static_cast<int>(dy);
  plan->width = static_cast<int>(w);
  plan->height = static_cast<int>(h);
  return true;
}
