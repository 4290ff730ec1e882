// The FGF reader where drawing cannot show it: every block of the large layout, short files,
// empty slots and the descent. FontDrawTest checks glyph pixels through drawing.
#include <gtest/gtest.h>

#include "gfx/font/FgfFont.h"
#include "tests/gfx/font/TestFonts.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

// Pixel of a loaded glyph, rows counted from the bottom; rows the slot lost read as clear.
bool Ink(const FgfGlyph& g, int col, int rowFromBottom) {
  if (g.rows == nullptr || rowFromBottom < g.blankBottom) return false;
  const std::uint8_t* row = g.rows + (rowFromBottom - g.blankBottom) * g.rowBytes;
  return (row[col / 8] & (0x80 >> (col % 8))) != 0;
}

// Compares a loaded glyph with the picture it was built from, read bottom-up from the picture.
void ExpectGlyph(const FgfFont& font, int code, const GlyphRows& rows) {
  const FgfGlyph g = font.Glyph(code);
  const int h = static_cast<int>(rows.size());
  ASSERT_EQ(g.height, h) << "code " << code;
  for (int r = 0; r < h; ++r) {
    const std::string& line = rows[static_cast<std::size_t>(h - 1 - r)];
    for (int col = 0; col < g.width; ++col) {
      const bool want = col < static_cast<int>(line.size()) && line[col] == '#';
      EXPECT_EQ(Ink(g, col, r), want) << "code " << code << " col " << col << " row " << r;
    }
  }
}

std::unique_ptr<FgfFont> Read(const std::vector<std::uint8_t>& bytes) {
  return ReadFgf(bytes.data(), bytes.size());
}

TEST(FgfLayout, LargeFontReadsAllFourBlocksAndEmptySlots) {
  const std::pair<int, GlyphRows> glyphs[] = {
      {5, {"#.", ".#"}}, {65, testfonts::kA}, {150, {"###"}}, {255, testfonts::kG}};
  FgfBuilder b(true, 2, 8);
  for (const auto& [code, rows] : glyphs) b.Glyph(code, rows);
  const auto bytes = b.Bytes();
  ASSERT_EQ(bytes.size(), 2u + 256u * (2u + 16u));
  EXPECT_EQ(FgfRequiredSize(bytes[0], bytes[1]), bytes.size());
  const auto font = Read(bytes);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->glyphBytes, 16);
  EXPECT_EQ(font->codeCount, 256);
  for (const auto& [code, rows] : glyphs) ExpectGlyph(*font, code, rows);
  EXPECT_EQ(font->widths[150], 3);
  EXPECT_EQ(font->descent, 2);
  // Zero-sized slots load with nothing to draw; every row of A is missing, hence blank, so the
  // whole glyph hangs below the baseline.
  const auto noRows = Read(FgfBuilder(true, 0, 7).Metrics(65, 6, 9).Bytes());
  ASSERT_NE(noRows, nullptr);
  EXPECT_EQ(noRows->widths[65], 6);
  EXPECT_EQ(noRows->Glyph(65).rows, nullptr);
  EXPECT_EQ(noRows->descent, 9);
}

TEST(FgfLayout, FileShorterThanItsLayoutIsRejected) {
  for (bool large : {true, false}) {
    SCOPED_TRACE(large ? "256 characters" : "96 characters");
    const auto bytes = FgfBuilder(large, 3, 4).Glyph(65, testfonts::kA).Bytes();
    EXPECT_NE(Read(bytes), nullptr);
    ExpectRefused(bytes,
                  {{"one byte short", bytes.size() - 1, 0, 0, 0},
                   {"header only", 2, 0, 0, 0},
                   {"half a header", 1, 0, 0, 0}},
                  [](const std::vector<std::uint8_t>& f) { return Read(f) != nullptr; });
  }
  EXPECT_EQ(ReadFgf(nullptr, 1000), nullptr);
}

TEST(FgfDescent, CountsBlankRowsUnderTheLetterAIgnoringPaddingBits) {
  struct Case {
    GlyphRows a;
    int descent;
    std::uint8_t fill;  // of A's slot, under its rows
  };
  const Case cases[] = {
      {testfonts::kA, 2, 0},
      {{"#", "#", "#"}, 0, 0},
      {{"#", ".", ".", "."}, 3, 0},
      {{"...", "..."}, 2, 0},     // an empty A: everything is blank
      {{}, 0, 0},                 // no A at all
      {{"###", "..."}, 1, 0x1F},  // bits past the width are padding, not ink
  };
  for (const Case& c : cases) {
    const auto font = Read(
        FgfBuilder(true, 1, 8).FillSlot(65, c.fill).Glyph(65, c.a).Glyph(66, {"#", "#"}).Bytes());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->descent, c.descent) << "A with " << c.a.size() << " rows";
  }
}

}  // namespace
