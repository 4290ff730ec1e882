// The built-in fixed-pitch font used for system text: 8 x 16 cells, one byte per row.
#pragma once

#include <cstdint>

constexpr int kSystemFontWidth = 8;
constexpr int kSystemFontHeight = 16;

// Indexed by character code (Latin-1); codes without a glyph are blank cells. Each row's
// leftmost pixel is the high bit.
extern const std::uint8_t kSystemFontGlyphs[256][kSystemFontHeight];
