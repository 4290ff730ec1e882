// Writes bitmap fonts in the 256-character FGF layout the game's text drawing reads.
#include <algorithm>
#include <stdexcept>

#include "Fgf.h"

namespace mk {

std::vector<std::uint8_t> EncodeFgf(const FgfFont& font) {
  int a = 1, b = 1;
  for (const FgfGlyph& g : font.glyphs) {
    a = std::max(a, (g.width + 7) / 8);
    b = std::max(b, g.height);
  }
  if (a > 127 || b > 255 || a * b > 65535) throw std::runtime_error("font cell too large");
  const std::size_t slot = static_cast<std::size_t>(a) * static_cast<std::size_t>(b);
  std::vector<std::uint8_t> v;
  v.push_back(static_cast<std::uint8_t>(0x80 | a));
  v.push_back(static_cast<std::uint8_t>(b));
  for (int block = 0; block < 4; ++block) {
    for (int i = 0; i < 64; ++i)
      v.push_back(static_cast<std::uint8_t>(font.glyphs[block * 64 + i].width));
    for (int i = 0; i < 64; ++i)
      v.push_back(static_cast<std::uint8_t>(font.glyphs[block * 64 + i].height));
    for (int i = 0; i < 64; ++i) {
      const FgfGlyph& g = font.glyphs[block * 64 + i];
      std::vector<std::uint8_t> s(slot, 0);
      std::copy_n(g.rows.begin(), std::min(g.rows.size(), slot), s.begin());
      v.insert(v.end(), s.begin(), s.end());
    }
  }
  return v;
}

}  // namespace mk
