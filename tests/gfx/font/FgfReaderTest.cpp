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
  FgfBuilder b(true, 2, 8);
  b.Glyph(5, {"#.", ".#"}).Glyph(65, testfonts::kA).Glyph(150, {"###"}).Glyph(255, testfonts::kG);
  const auto bytes = b.Bytes();
  ASSERT_EQ(bytes.size(), 2u + 256u * (2u + 16u));
  EXPECT_EQ(FgfRequiredSize(bytes[0], bytes[1]), bytes.size());
  const auto font = Read(bytes);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->glyphBytes, 16);
  EXPECT_EQ(font->codeCount, 256);
  ExpectGlyph(*font, 5, {"#.", ".#"});
  ExpectGlyph(*font, 65, testfonts::kA);
  ExpectGlyph(*font, 150, {"###"});
  ExpectGlyph(*font, 255, testfonts::kG);
  EXPECT_EQ(font->widths[150], 3);
  EXPECT_EQ(font->widths[0], 0);
  EXPECT_EQ(font->descent, 2);
  // Zero-sized slots load with nothing to draw; every row of A is missing, hence blank, so the
  // whole glyph hangs below the baseline.
  FgfBuilder empty(true, 0, 7);
  empty.Metrics(65, 6, 9);
  const auto noRows = Read(empty.Bytes());
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
  };
  const Case cases[] = {
      {testfonts::kA, 2},
      {{"#", "#", "#"}, 0},
      {{"#", ".", ".", "."}, 3},
      {{"...", "..."}, 2},  // an empty A: everything is blank
      {{}, 0},              // no A at all
  };
  for (const Case& c : cases) {
    FgfBuilder b(true, 1, 8);
    b.Glyph(65, c.a).Glyph(66, {"#", "#"});
    const auto font = Read(b.Bytes());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->descent, c.descent) << "A with " << c.a.size() << " rows";
  }
  // Padding bits past the width are not ink.
  FgfBuilder b(true, 1, 8);
  b.Glyph(65, {"###", "..."});
  auto bytes = b.Bytes();
  // The bottom row of A sits in byte 1 of its slot (code 65 is the second glyph of block 1).
  const std::size_t slotA = 2 + 64 * 10 + 64 + 64 + 1 * 8;
  ASSERT_EQ(bytes[slotA], 0xE0);
  bytes[slotA + 1] = 0x1F;  // bits beyond the three columns of A
  const auto font = Read(bytes);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->descent, 1);
}

}  // namespace
