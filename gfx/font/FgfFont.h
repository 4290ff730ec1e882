// The in-memory form of an FGF bitmap font and the reader that builds it from the file's bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// One glyph as the drawing code sees it: rows bottom first, leftmost pixel in the top bit.
struct FgfGlyph {
  const std::uint8_t* rows = nullptr;  // null when the glyph has nothing to draw
  int rowBytes = 0;                    // ceil(width / 8)
  int width = 0;
  int height = 0;
  // Rows at the bottom of the glyph that its slot could not hold; they draw as blank, and the
  // first stored row is glyph row blankBottom counted from the bottom.
  int blankBottom = 0;
};

struct FgfFont {
  static constexpr int kCodes = 256;

  int glyphBytes = 0;  // G = a x b, the size of every glyph slot
  int firstCode = 0;   // 0 for a 256-character font, 32 for a 96-character one
  int codeCount = 0;   // 256 or 96
  // Indexed by character code; codes a 96-character font lacks stay 0.
  std::array<std::uint8_t, kCodes> widths{};
  std::array<std::uint8_t, kCodes> heights{};
  // Rows of each glyph that fit into its slot (min(height, G / rowBytes)).
  std::array<std::uint8_t, kCodes> storedRows{};
  // codeCount slots of glyphBytes bytes, each glyph's rows reversed so the bottom row comes first.
  std::vector<std::uint8_t> glyphs;
  // Blank rows under the letter A: how far glyph cells reach below the baseline.
  int descent = 0;

  FgfGlyph Glyph(int code) const;
};

// Bytes a file needs for the layout its two header bytes announce (header included).
std::size_t FgfRequiredSize(std::uint8_t first, std::uint8_t second);

// Builds a font from a whole FGF image; null when the bytes are shorter than the layout needs.
// Bytes past the layout are ignored.
std::unique_ptr<FgfFont> ReadFgf(const std::uint8_t* data, std::size_t size);
