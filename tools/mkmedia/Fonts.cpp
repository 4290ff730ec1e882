// Rasterises the four interface fonts from DejaVu with FreeType's hinted monochrome renderer.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>

#include "Fgf.h"
#include "Generators.h"

namespace mk {

namespace {

// Code page 1252 fills 0x80..0x9F with typographic marks the Latin-1 range lacks.
const std::uint32_t kCp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint32_t UnicodeOf(int code) {
  if (code < 0x20 || code == 0x7F) return 0;
  if (code >= 0x80 && code < 0xA0) return kCp1252[code - 0x80];
  return static_cast<std::uint32_t>(code);
}

FgfFont Rasterise(Face face, int pixels) {
  FT_Library lib;
  if (FT_Init_FreeType(&lib)) throw std::runtime_error("FreeType failed");
  FT_Face ft;
  if (FT_New_Face(lib, FacePath(face).c_str(), 0, &ft)) throw std::runtime_error("no font");
  FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixels));
  struct Raw {
    int adv = 0, left = 0, top = 0, w = 0, h = 0, pitch = 0;
    std::vector<std::uint8_t> bits;
  };
  std::array<Raw, 256> raw;
  int ascent = 0, descent = 0;
  for (int code = 0; code < 256; ++code) {
    std::uint32_t u = UnicodeOf(code);
    if (!u) continue;
    FT_UInt index = FT_Get_Char_Index(ft, u);
    if (FT_Load_Glyph(ft, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) continue;
    FT_GlyphSlot g = ft->glyph;
    Raw& r = raw[code];
    r.adv = static_cast<int>((g->advance.x + 32) >> 6);
    r.left = g->bitmap_left;
    r.top = g->bitmap_top;
    r.w = static_cast<int>(g->bitmap.width);
    r.h = static_cast<int>(g->bitmap.rows);
    r.pitch = std::abs(g->bitmap.pitch);
    r.bits.assign(g->bitmap.buffer, g->bitmap.buffer + static_cast<std::size_t>(r.pitch) * r.h);
    if (r.h > 0) {
      ascent = std::max(ascent, r.top);
      descent = std::max(descent, r.h - r.top);
    }
  }
  // A no-break space is as wide as a space and the soft hyphen draws like a hyphen.
  raw[0xA0].adv = raw[0x20].adv;
  FT_Done_Face(ft);
  FT_Done_FreeType(lib);

  // Every glyph shares one cell: ascent rows above the baseline and descent rows below it, so
  // the blank rows under "A" give the reader the descent.
  const int cell = ascent + descent;
  FgfFont font;
  for (int code = 0; code < 256; ++code) {
    const Raw& r = raw[code];
    if (!UnicodeOf(code) || r.adv <= 0) continue;
    FgfGlyph& g = font.glyphs[code];
    // Ink that hangs past the advance on the right widens the glyph rather than being lost.
    int width = std::max(r.adv, r.left + r.w);
    g.width = std::min(width, 255);
    g.height = cell;
    const int rowBytes = (g.width + 7) / 8;
    g.rows.assign(static_cast<std::size_t>(rowBytes) * cell, 0);
    for (int y = 0; y < r.h; ++y)
      for (int x = 0; x < r.w; ++x) {
        if (!(r.bits[static_cast<std::size_t>(y) * r.pitch + x / 8] & (0x80 >> (x % 8)))) continue;
        int cx = x + std::max(0, r.left), cy = ascent - r.top + y;
        if (cx < 0 || cx >= g.width || cy < 0 || cy >= cell) continue;
        g.rows[static_cast<std::size_t>(cy) * rowBytes + cx / 8] |=
            static_cast<std::uint8_t>(0x80 >> (cx % 8));
      }
  }
  return font;
}

}  // namespace

void MakeFonts(Output& out) {
  out.WriteBytes("windb_10.fgf", EncodeFgf(Rasterise(Face::SansBold, 13)));
  out.WriteBytes("systm12.fgf", EncodeFgf(Rasterise(Face::Sans, 13)));
  out.WriteBytes("systm12b.fgf", EncodeFgf(Rasterise(Face::SansBold, 13)));
  out.WriteBytes("beng8pt.FGF", EncodeFgf(Rasterise(Face::Sans, 11)));
}

}  // namespace mk
