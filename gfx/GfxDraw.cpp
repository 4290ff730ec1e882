// Drawing primitives on the active buffer: the graphics cursor, points, solid and dashed lines,
// filled rectangles, box outlines and clearing.
#include <algorithm>

#include "gfx/GfxLineWalk.h"
#include "gfx/GfxState.h"

namespace {

// The clip range along the line's major axis; steps outside it are skipped without walking them.
int MajorLow(const GfxLineWalk& walk, const ScreenRect& clip) {
  return walk.IsXMajor() ? clip.left : clip.top;
}

int MajorHigh(const GfxLineWalk& walk, const ScreenRect& clip) {
  return walk.IsXMajor() ? clip.right : clip.bottom;
}

void FillClippedTo(const ScreenRect& limit, int minx, int maxx, int miny, int maxy) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr) return;
  GfxLockGuard lock;
  GfxFillArea(*slot, Intersection(GfxBoundsRect(minx, maxx, miny, maxy), limit), GfxGlobal().color);
}

}  // namespace

int GfxMove(int x, int y) {
  GfxState& state = GfxGlobal();
  state.cursorX = x;
  state.cursorY = y;
  return 0;
}

int GfxMoveRel(int dx, int dy) {
  GfxState& state = GfxGlobal();
  state.cursorX = GfxClampToInt(static_cast<long long>(state.cursorX) + dx);
  state.cursorY = GfxClampToInt(static_cast<long long>(state.cursorY) + dy);
  return 0;
}

int GfxGetX() {
  return GfxGlobal().cursorX;
}
int GfxGetY() {
  return GfxGlobal().cursorY;
}

int GfxPoint(int x, int y) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr) return 0;
  GfxLockGuard lock;
  GfxPlotClipped(*slot, GfxEffectiveClip(*slot), x, y, GfxGlobal().color);
  return 0;
}

int GfxLineTo(int x, int y) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr) return 0;
  GfxState& state = GfxGlobal();
  const ScreenRect clip = GfxEffectiveClip(*slot);
  GfxLineWalk walk(state.cursorX, state.cursorY, x, y);
  long long first, last;
  walk.StepsWithin(MajorLow(walk, clip), MajorHigh(walk, clip), &first, &last);
  if (first <= last) {
    GfxLockGuard lock;
    walk.JumpTo(first);
    for (long long i = first;; ++i) {
      GfxPlotClipped(*slot, clip, walk.X(), walk.Y(), state.color);
      if (i == last) break;
      walk.Step();
    }
  }
  state.cursorX = x;
  state.cursorY = y;
  return 0;
}

int GfxLineRel(int dx, int dy) {
  const GfxState& state = GfxGlobal();
  return GfxLineTo(GfxClampToInt(static_cast<long long>(state.cursorX) + dx),
                   GfxClampToInt(static_cast<long long>(state.cursorY) + dy));
}

int GfxDashTo(int x, int y, int pattern) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr) return 0;
  GfxState& state = GfxGlobal();
  const ScreenRect clip = GfxEffectiveClip(*slot);
  GfxLineWalk walk(state.cursorX, state.cursorY, x, y);
  long long first, last;
  walk.StepsWithin(MajorLow(walk, clip), MajorHigh(walk, clip), &first, &last);
  // The end point is never plotted: only the steps leading to it count.
  last = std::min(last, walk.Steps() - 1);
  if (first <= last) {
    GfxLockGuard lock;
    const auto bits = static_cast<unsigned>(pattern) & 0xFFFFu;
    walk.JumpTo(first);
    for (long long i = first;; ++i) {
      // Step i rotates the pattern left for the (i+1)-th time; the bit that leaves the top is
      // bit 15 - (i mod 16) of the original pattern.
      if ((bits >> (15 - i % 16)) & 1u) {
        GfxPlotClipped(*slot, clip, walk.X(), walk.Y(), state.color);
      }
      if (i == last) break;
      walk.Step();
    }
  }
  state.cursorX = x;
  state.cursorY = y;
  return 0;
}

int GfxFillRect(int minx, int maxx, int miny, int maxy) {
  // Not clipped to the clip rectangle, but never beyond the buffer itself.
  if (const GfxSlot* slot = GfxActiveSlot()) FillClippedTo(slot->Bounds(), minx, maxx, miny, maxy);
  return 0;
}

int GfxFillRectClipped(int minx, int maxx, int miny, int maxy) {
  if (const GfxSlot* slot = GfxActiveSlot()) {
    FillClippedTo(GfxEffectiveClip(*slot), minx, maxx, miny, maxy);
  }
  return 0;
}

int GfxSetBoxWidth(int horizontal, int vertical) {
  GfxState& state = GfxGlobal();
  state.boxHorizontal = horizontal;
  state.boxVertical = vertical;
  return 0;
}

int GfxBox(int minx, int maxx, int miny, int maxy) {
  const GfxState& state = GfxGlobal();
  const long long h = state.boxHorizontal;
  const long long v = state.boxVertical;
  GfxFillRectClipped(minx, maxx, miny, GfxClampToInt(std::min<long long>(maxy, miny + v - 1)));
  GfxFillRectClipped(minx, maxx, GfxClampToInt(std::max<long long>(miny, maxy - v + 1)), maxy);
  GfxFillRectClipped(minx, GfxClampToInt(std::min<long long>(maxx, minx + h - 1)), miny, maxy);
  GfxFillRectClipped(GfxClampToInt(std::max<long long>(minx, maxx - h + 1)), maxx, miny, maxy);
  return 0;
}

int GfxClear() {
  if (const GfxSlot* slot = GfxActiveSlot())
    FillClippedTo(slot->Bounds(), 0, slot->width - 1, 0, slot->height - 1);
  return 0;
}
