// Maps between window pixels and the logical 800 x 600 screen.
#include "platform/Viewport.h"

#include <algorithm>
#include <cmath>

namespace {
Viewport g_viewport;
}

void Viewport::ToLogical(int windowX, int windowY, int* x, int* y) const {
  double lx = (windowX - offsetX) / scaleX;
  double ly = (windowY - offsetY) / scaleY;
  *x = std::clamp(static_cast<int>(std::floor(lx)), 0, logicalWidth - 1);
  *y = std::clamp(static_cast<int>(std::floor(ly)), 0, logicalHeight - 1);
}

void Viewport::ToWindowRect(int minx, int maxx, int miny, int maxy, int* x, int* y, int* w,
                            int* h) const {
  *x = offsetX + static_cast<int>(std::lround(minx * scaleX));
  *y = offsetY + static_cast<int>(std::lround(miny * scaleY));
  int right = offsetX + static_cast<int>(std::lround((maxx + 1) * scaleX));
  int bottom = offsetY + static_cast<int>(std::lround((maxy + 1) * scaleY));
  *w = std::max(1, right - *x);
  *h = std::max(1, bottom - *y);
}

const Viewport& CurrentViewport() {
  return g_viewport;
}

void SetCurrentViewport(const Viewport& viewport) {
  g_viewport = viewport;
}
