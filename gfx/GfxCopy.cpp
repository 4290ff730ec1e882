// Rectangle copies between buffers, opaque and colour-keyed, and showing a rectangle of the
// active buffer on the display.
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "gfx/GfxBlitPlan.h"
#include "gfx/GfxState.h"

namespace {

struct PixelRows {
  const std::uint8_t* first;
  std::ptrdiff_t pitch;
};

bool Overlaps(const GfxBlitPlan& p) {
  return p.srcX < p.dstX + p.width && p.dstX < p.srcX + p.width && p.srcY < p.dstY + p.height &&
         p.dstY < p.srcY + p.height;
}

// Whole-row moves; when source and destination share a buffer and the destination lies lower,
// rows go bottom-up so that no source row is overwritten before it is read.
void CopyOpaque(const GfxSlot& source, const GfxSlot& dest, const GfxBlitPlan& p) {
  const std::size_t rowBytes = static_cast<std::size_t>(p.width) * source.BytesPerPixel();
  const bool bottomUp = &source == &dest && p.dstY > p.srcY;
  for (int i = 0; i < p.height; ++i) {
    const int row = bottomUp ? p.height - 1 - i : i;
    std::memmove(dest.At(p.dstX, p.dstY + row), source.At(p.srcX, p.srcY + row), rowBytes);
  }
}

// Copies the runs of pixels between skipped ones with memcpy: card rows are mostly one run.
template <int kBytes, typename Skip>
void CopyKeyed(PixelRows source, const GfxSlot& dest, const GfxBlitPlan& p, Skip skip) {
  for (int row = 0; row < p.height; ++row) {
    const std::uint8_t* from = source.first + row * source.pitch;
    std::uint8_t* to = dest.At(p.dstX, p.dstY + row);
    int x = 0;
    while (x < p.width) {
      while (x < p.width && skip(GfxLoadPixel(from + x * kBytes, kBytes))) ++x;
      const int runStart = x;
      while (x < p.width && !skip(GfxLoadPixel(from + x * kBytes, kBytes))) ++x;
      if (x > runStart) {
        std::memcpy(to + runStart * kBytes, from + runStart * kBytes,
                    static_cast<std::size_t>(x - runStart) * kBytes);
      }
    }
  }
}

template <int kBytes>
void CopyKeyedWithSet(PixelRows source, const GfxSlot& dest, const GfxBlitPlan& p,
                      const GfxTransparentSet& set) {
  if constexpr (kBytes == 1) {
    CopyKeyed<kBytes>(source, dest, p, [&set](Color v) { return set.byIndex[v & 0xFF]; });
  } else if (set.values.size() == 1) {
    const Color key = set.values.front();
    CopyKeyed<kBytes>(source, dest, p, [key](Color v) { return v == key; });
  } else {
    const std::vector<Color>& values = set.values;
    CopyKeyed<kBytes>(source, dest, p, [&values](Color v) {
      return std::binary_search(values.begin(), values.end(), v);
    });
  }
}

void CopyTransparent(const GfxSlot& source, const GfxSlot& dest, const GfxBlitPlan& p) {
  const GfxTransparentSet& set = GfxTransparentValues(source.format);
  const int bytes = source.BytesPerPixel();
  if (bytes != 1 && set.values.empty()) {
    CopyOpaque(source, dest, p);
    return;
  }

  PixelRows rows{source.At(p.srcX, p.srcY), source.bytesPerRow};
  // A keyed copy within one buffer reads pixels it may already have written; take the source
  // aside first when the two rectangles overlap.
  std::vector<std::uint8_t> staged;
  if (&source == &dest && Overlaps(p)) {
    const std::size_t rowBytes = static_cast<std::size_t>(p.width) * bytes;
    staged.resize(rowBytes * static_cast<std::size_t>(p.height));
    for (int row = 0; row < p.height; ++row) {
      std::memcpy(staged.data() + row * rowBytes, source.At(p.srcX, p.srcY + row), rowBytes);
    }
    rows = {staged.data(), static_cast<std::ptrdiff_t>(rowBytes)};
  }

  switch (bytes) {
    case 4:
      CopyKeyedWithSet<4>(rows, dest, p, set);
      break;
    case 3:
      CopyKeyedWithSet<3>(rows, dest, p, set);
      break;
    case 2:
      CopyKeyedWithSet<2>(rows, dest, p, set);
      break;
    default:
      CopyKeyedWithSet<1>(rows, dest, p, set);
      break;
  }
}

template <typename Copy>
int CopyBetween(int minx, int maxx, int miny, int maxy, int newx, int newy, int sourceHandle,
                int destHandle, Copy copy) {
  const GfxSlot* source = GfxSlotFor(sourceHandle);
  const GfxSlot* dest = GfxSlotFor(destHandle);
  if (source == nullptr || dest == nullptr) return 0;
  // All buffers share the display's format; a mismatch can only come from a depth change
  // between allocations, and copying raw pixels across formats would garble them.
  if (!(source->format == dest->format)) return 0;
  GfxBlitPlan plan;
  if (!GfxPlanBlit(GfxBoundsRect(minx, maxx, miny, maxy), newx, newy, source->Bounds(),
                   dest->Bounds(), &plan)) {
    return 0;
  }
  GfxLockGuard lock;
  copy(*source, *dest, plan);
  return 0;
}

}  // namespace

int GfxCopyRect(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest) {
  return CopyBetween(minx, maxx, miny, maxy, newx, newy, source, dest, CopyOpaque);
}

int GfxCopyRectTransparent(int minx, int maxx, int miny, int maxy, int newx, int newy, int source,
                           int dest) {
  return CopyBetween(minx, maxx, miny, maxy, newx, newy, source, dest, CopyTransparent);
}

int GfxShowRect(int minx, int maxx, int miny, int maxy, int newx, int newy) {
  GfxState& state = GfxGlobal();
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr || state.display == nullptr || !state.displayOpen) return 0;
  // The back end clips against the screen; here the rectangle is only kept inside the buffer.
  const ScreenRect anywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  GfxBlitPlan plan;
  if (!GfxPlanBlit(GfxBoundsRect(minx, maxx, miny, maxy), newx, newy, slot->Bounds(), anywhere,
                   &plan)) {
    return 0;
  }
  GfxLockGuard lock;
  state.display->Show(GfxGetBufferView(state.active), plan.srcX, plan.srcX + plan.width - 1,
                      plan.srcY, plan.srcY + plan.height - 1, plan.dstX,
                      plan.dstY + plan.height - 1);
  return 0;
}
