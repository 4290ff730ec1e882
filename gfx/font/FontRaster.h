// Puts one-bit glyphs and underline spans straight into a buffer's pixels, inside a clip rectangle.
#pragma once

#include <cstdint>

#include "gfx/Gfx.h"
#include "gfx/font/FgfFont.h"

struct FontTarget {
  std::uint8_t* pixels = nullptr;
  int bytesPerRow = 0;
  int bytesPerPixel = 0;
  // Inclusive bounds, always inside the buffer; minx > maxx when nothing may be drawn.
  int minx = 0;
  int maxx = -1;
  int miny = 0;
  int maxy = -1;
  Color color = 0;
};

// A target for the buffer behind view, limited to the given rectangle and the buffer itself.
// Returns false when the view is not a buffer the fonts know how to draw into.
bool MakeFontTarget(const GfxBufferView& view, int minx, int maxx, int miny, int maxy,
                    FontTarget* out);

// Draws the set bits of glyph with its bottom-left pixel at (x, bottomY).
void DrawGlyph(const FontTarget& target, const FgfGlyph& glyph, std::int64_t x,
               std::int64_t bottomY);

// Fills columns x0..x1 of row y.
void DrawSpan(const FontTarget& target, std::int64_t x0, std::int64_t x1, std::int64_t y);
