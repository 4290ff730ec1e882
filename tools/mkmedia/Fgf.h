// A bitmap font in memory as the FGF writer takes it: 256 one-bit glyphs of their own size.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace mk {

struct FgfGlyph {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rows;  // height rows of (width + 7) / 8 bytes, top row first, MSB left
};

struct FgfFont {
  std::array<FgfGlyph, 256> glyphs;
};

// The 256-character layout: header (0x80 | a, b), then four blocks of 64 widths, 64 heights and
// 64 glyph slots of a * b bytes.
std::vector<std::uint8_t> EncodeFgf(const FgfFont& font);

}  // namespace mk
