// Reads FGF bitmap fonts: both layouts, glyph rows turned bottom-first, and the descent.
#include "gfx/font/FgfFont.h"

#include <algorithm>
#include <cstring>

#include "gfx/ByteReader.h"

namespace {

constexpr int kBlockCodes = 64;      // a 256-character font comes in four blocks of 64 codes
constexpr int kSmallFontCodes = 96;  // a 96-character font holds codes 32..127
constexpr int kSmallFontFirst = 32;
constexpr int kLetterA = 65;

bool IsLargeLayout(std::uint8_t first) {
  return (first & 0x80) != 0;
}

std::size_t GlyphBytes(std::uint8_t first, std::uint8_t second) {
  return static_cast<std::size_t>(first & 0x7F) * second;
}

bool RowHasInk(const std::uint8_t* row, int width) {
  for (int col = 0; col < width; ++col) {
    if (row[col >> 3] & (0x80 >> (col & 7))) return true;
  }
  return false;
}

// Turns the first `rows` rows of a slot upside down in place, so the bottom row comes first.
void ReverseRows(std::uint8_t* slot, int rowBytes, int rows) {
  for (int low = 0, high = rows - 1; low < high; ++low, --high) {
    std::swap_ranges(slot + low * rowBytes, slot + (low + 1) * rowBytes, slot + high * rowBytes);
  }
}

// Reads `count` widths, `count` heights and `count` glyph slots for codes first..first+count-1.
bool ReadBlock(ByteReader& in, FgfFont& font, int first, int count, int slotIndex) {
  const std::size_t g = static_cast<std::size_t>(font.glyphBytes);
  const std::uint8_t* widths = in.take(count);
  const std::uint8_t* heights = in.take(count);
  const std::uint8_t* bitmaps = in.take(g * count);
  if (widths == nullptr || heights == nullptr || bitmaps == nullptr) return false;
  std::copy_n(widths, count, font.widths.begin() + first);
  std::copy_n(heights, count, font.heights.begin() + first);
  if (g > 0) std::memcpy(font.glyphs.data() + g * slotIndex, bitmaps, g * count);
  return true;
}

int CountDescent(const FgfFont& font) {
  const FgfGlyph a = font.Glyph(kLetterA);
  // Rows under blankBottom are not stored and count as blank; the stored ones reach the top.
  int blank = a.blankBottom;
  while (blank < a.height && !RowHasInk(a.rows + (blank - a.blankBottom) * a.rowBytes, a.width)) {
    ++blank;
  }
  return blank;
}

}  // namespace

FgfGlyph FgfFont::Glyph(int code) const {
  FgfGlyph glyph;
  if (code < firstCode || code >= firstCode + codeCount) return glyph;
  glyph.width = widths[code];
  glyph.height = heights[code];
  glyph.rowBytes = (glyph.width + 7) / 8;
  glyph.blankBottom = glyph.height - storedRows[code];
  if (storedRows[code] > 0) {
    glyph.rows = glyphs.data() + static_cast<std::size_t>(code - firstCode) * glyphBytes;
  }
  return glyph;
}

std::size_t FgfRequiredSize(std::uint8_t first, std::uint8_t second) {
  const std::size_t g = GlyphBytes(first, second);
  const std::size_t codes = IsLargeLayout(first) ? FgfFont::kCodes : kSmallFontCodes;
  return 2 + codes * (2 + g);
}

std::unique_ptr<FgfFont> ReadFgf(const std::uint8_t* data, std::size_t size) {
  // Every byte is taken through the bounds-checked cursor, so a short file can only fail.
  ByteReader in(data, size);
  const std::uint8_t* header = in.take(2);
  if (header == nullptr) return nullptr;

  auto font = std::make_unique<FgfFont>();
  font->glyphBytes = static_cast<int>(GlyphBytes(header[0], header[1]));
  const bool large = IsLargeLayout(header[0]);
  font->firstCode = large ? 0 : kSmallFontFirst;
  font->codeCount = large ? FgfFont::kCodes : kSmallFontCodes;
  // The whole layout is checked before anything is reserved, so a tiny file cannot make us
  // allocate megabytes for glyphs it does not have.
  if (size < FgfRequiredSize(header[0], header[1])) return nullptr;
  font->glyphs.assign(static_cast<std::size_t>(font->glyphBytes) * font->codeCount, 0);

  if (large) {
    for (int block = 0; block < FgfFont::kCodes / kBlockCodes; ++block) {
      const int first = block * kBlockCodes;
      if (!ReadBlock(in, *font, first, kBlockCodes, first)) return nullptr;
    }
  } else if (!ReadBlock(in, *font, kSmallFontFirst, kSmallFontCodes, 0)) {
    return nullptr;
  }

  for (int code = font->firstCode; code < font->firstCode + font->codeCount; ++code) {
    const int rowBytes = (font->widths[code] + 7) / 8;
    // A glyph that claims more rows than its slot holds keeps only the rows inside the slot;
    // the ones that would lie in the next glyph's slot are treated as blank.
    const int rows =
        rowBytes == 0 ? 0 : std::min<int>(font->heights[code], font->glyphBytes / rowBytes);
    font->storedRows[code] = static_cast<std::uint8_t>(rows);
    std::uint8_t* slot =
        font->glyphs.data() + static_cast<std::size_t>(code - font->firstCode) * font->glyphBytes;
    ReverseRows(slot, rowBytes, rows);
  }
  font->descent = CountDescent(*font);
  return font;
}
