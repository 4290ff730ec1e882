// Puts one-bit glyphs and underline spans straight into a buffer's pixels, inside a clip rectangle.
#include "gfx/font/FontRaster.h"

#include <algorithm>

#include "gfx/GfxPixelFormat.h"

namespace {

// One instance per pixel size, so the store compiles to a single move per set bit.
template <int kBytes>
void GlyphPixels(const FontTarget& t, const FgfGlyph& g, std::int64_t x, std::int64_t bottomY) {
  // Glyph row r, counted from the bottom, lands on buffer row bottomY - r.
  const std::int64_t rowLo = std::max<std::int64_t>(g.blankBottom, bottomY - t.maxy);
  const std::int64_t rowHi = std::min<std::int64_t>(g.height - 1, bottomY - t.miny);
  const std::int64_t colLo = std::max<std::int64_t>(0, t.minx - x);
  const std::int64_t colHi = std::min<std::int64_t>(g.width - 1, t.maxx - x);
  if (rowLo > rowHi || colLo > colHi) return;
  for (std::int64_t r = rowLo; r <= rowHi; ++r) {
    const std::uint8_t* bits = g.rows + (r - g.blankBottom) * g.rowBytes;
    std::uint8_t* line = t.pixels + (bottomY - r) * t.bytesPerRow;
    for (std::int64_t c = colLo; c <= colHi; ++c) {
      if (bits[c >> 3] & (0x80 >> (c & 7))) {
        GfxStorePixel(line + (x + c) * kBytes, kBytes, t.color);
      }
    }
  }
}

template <int kBytes>
void SpanPixels(const FontTarget& t, std::int64_t x0, std::int64_t x1, std::int64_t y) {
  std::uint8_t* line = t.pixels + y * t.bytesPerRow;
  for (std::int64_t x = x0; x <= x1; ++x) GfxStorePixel(line + x * kBytes, kBytes, t.color);
}

}  // namespace

bool MakeFontTarget(const GfxBufferView& view, int minx, int maxx, int miny, int maxy,
                    FontTarget* out) {
  if (view.pixels == nullptr || !GfxIsSupportedDepth(view.bitsPerPixel) || view.width <= 0 ||
      view.height <= 0) {
    return false;
  }
  const int bytes = GfxBytesPerPixel(view.bitsPerPixel);
  if (view.bytesPerRow < static_cast<std::int64_t>(view.width) * bytes) return false;
  out->pixels = view.pixels;
  out->bytesPerRow = view.bytesPerRow;
  out->bytesPerPixel = bytes;
  out->minx = std::max(minx, 0);
  out->maxx = std::min(maxx, view.width - 1);
  out->miny = std::max(miny, 0);
  out->maxy = std::min(maxy, view.height - 1);
  return true;
}

void DrawGlyph(const FontTarget& target, const FgfGlyph& glyph, std::int64_t x,
               std::int64_t bottomY) {
  if (glyph.rows == nullptr || target.pixels == nullptr) return;
  switch (target.bytesPerPixel) {
    case 1:
      GlyphPixels<1>(target, glyph, x, bottomY);
      break;
    case 2:
      GlyphPixels<2>(target, glyph, x, bottomY);
      break;
    case 3:
      GlyphPixels<3>(target, glyph, x, bottomY);
      break;
    case 4:
      GlyphPixels<4>(target, glyph, x, bottomY);
      break;
    default:
      break;
  }
}

void DrawSpan(const FontTarget& target, std::int64_t x0, std::int64_t x1, std::int64_t y) {
  if (target.pixels == nullptr || y < target.miny || y > target.maxy) return;
  x0 = std::max<std::int64_t>(x0, target.minx);
  x1 = std::min<std::int64_t>(x1, target.maxx);
  if (x0 > x1) return;
  switch (target.bytesPerPixel) {
    case 1:
      SpanPixels<1>(target, x0, x1, y);
      break;
    case 2:
      SpanPixels<2>(target, x0, x1, y);
      break;
    case 3:
      SpanPixels<3>(target, x0, x1, y);
      break;
    case 4:
      SpanPixels<4>(target, x0, x1, y);
      break;
    default:
      break;
  }
}
