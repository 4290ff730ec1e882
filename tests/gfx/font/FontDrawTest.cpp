// Text drawing pixel by pixel at every buffer depth against a picture painted straight from the
// glyph drawings: the baseline, escapes, clipping and the work-area limit. Justification and
// colour escapes are the text golden image's (TextGoldenTest).
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <map>
#include <string>
#include <vector>

#include "gfx/font/Font.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/gfx/font/TestFonts.h"

namespace {

using namespace testfonts;

constexpr int kBufferWidth = 640;
constexpr int kBufferHeight = 48;

const std::map<char, std::pair<const GlyphRows*, int>> kPictures = {
    {'A', {&kA, kWidthA}}, {'g', {&kG, kWidthG}}, {'W', {&kW, kWidthW}}, {'i', {&kI, kWidthI}}};

// What the buffer should hold, painted from the glyph pictures top row first, so it shares no
// code with the bit unpacking and row reversal of the font module.
struct Expected {
  std::vector<Color> pixels;
  std::array<long long, 4> clip = {0, kBufferWidth - 1, 0, kBufferHeight - 1};
  void Set(long long x, long long y, Color color) {
    if (x >= clip[0] && x <= clip[1] && y >= clip[2] && y <= clip[3])
      pixels[static_cast<std::size_t>(y * kBufferWidth + x)] = color;
  }
  // The picture's bottom row lands on row `bottom`, its left column on column `left`.
  void Glyph(const GlyphRows& rows, long long left, long long bottom, Color color) {
    const auto height = static_cast<long long>(rows.size());
    for (long long r = 0; r < height; ++r) {
      const std::string& row = rows[static_cast<std::size_t>(r)];
      for (long long c = 0; c < static_cast<long long>(row.size()); ++c) {
        if (row[static_cast<std::size_t>(c)] == '#') Set(left + c, bottom - height + 1 + r, color);
      }
    }
  }
  // Text of the test font, each cell's bottom row on row `bottom`.
  void Glyphs(const std::string& text, long long left, long long bottom, Color color) {
    for (char c : text) {
      Glyph(*kPictures.at(c).first, left, bottom, color);
      left += kPictures.at(c).second;
    }
  }
  void Row(long long x0, long long x1, long long y, Color color) {
    for (long long x = x0; x <= x1; ++x) Set(x, y, color);
  }
};

class FontDraw : public ::testing::TestWithParam<DepthCase> {
protected:
  void SetUp() override {
    background_ = GfxMapRGB(0, 0, 64);
    ink_ = GfxMapRGB(255, 255, 255);
    buffer_ = MakeFilledBuffer(kBufferWidth, kBufferHeight, background_);
    GfxSetColor(ink_);
    GfxFreeFont(-1);
    ASSERT_EQ(Load(VelvetFont()), 1);
    GfxFontJustify(-1, -1);
  }

  void TearDown() override { GfxFreeFont(-1); }
  static int Load(const std::vector<std::uint8_t>& bytes) {
    return GfxLoadFont(bytes.data(), bytes.size());
  }

  Expected Blank() const { return {std::vector<Color>(kBufferWidth * kBufferHeight, background_)}; }

  static void Text(const std::string& text, bool clipped = false) {
    (clipped ? GfxFontTextClipped : GfxFontText)(text.data(), static_cast<int>(text.size()));
  }

  // Compares the whole buffer and reports the first few differences.
  void ExpectBuffer(const Expected& want) const {
    int wrong = 0;
    for (int i = 0; i < kBufferWidth * kBufferHeight; ++i) {
      const int x = i % kBufferWidth, y = i / kBufferWidth;
      if (RawPixel(buffer_, x, y) != want.pixels[i] && ++wrong <= 5) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << RawPixel(buffer_, x, y)
                      << ", expected " << want.pixels[i];
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  HeadlessGfx gfx_{CoreGfxOptions(GetParam())};
  int buffer_ = -1;
  Color background_ = 0;
  Color ink_ = 0;
};

TEST_P(FontDraw, TextIsCutAtTheClipRectangleOrTheBufferEdges) {
  // Only the clipped call heeds the clip rectangle, and leaves it as it was.
  GfxSetClip(12, 30, 15, 20);
  GfxMove(10, 20);
  Text("AgW\x7F_i\x7F_", true);
  GfxMove(10, 40);
  Text("AgW\x7F_i\x7F_", false);
  int clip[4];
  GfxGetClip(&clip[0], &clip[1], &clip[2], &clip[3]);
  EXPECT_EQ(std::vector<int>(clip, clip + 4), (std::vector<int>{12, 30, 15, 20}));
  Expected want = Blank();
  for (int y : {20, 40}) {
    if (y == 20) want.clip = {12, 30, 15, 20};
    want.Glyphs("AgWi", 10, y + kDescent, ink_);
    want.Row(32, 33, y, ink_);
    want.clip = Blank().clip;
  }
  GfxMove(-8, 3);  // A and the first part of g above and left of the buffer
  Text("AgW");
  GfxMove(kBufferWidth - 9, kBufferHeight - 3);  // past the right and bottom edges
  Text("WA\x7F_W\x7F_");
  want.Glyphs("AgW", -8, 3 + kDescent, ink_);
  want.Glyphs("WAW", kBufferWidth - 9, kBufferHeight - 3 + kDescent, ink_);
  ExpectBuffer(want);
  // Far-away cursors draw nothing and the cursor saturates instead of wrapping.
  GfxMove(INT_MAX - 5, INT_MAX - 1);
  Text("WW");
  EXPECT_EQ(GfxGetX(), INT_MAX);
  EXPECT_EQ(GfxGetY(), INT_MAX - 1);
  GfxFontJustify(1, 1);
  GfxMove(INT_MIN + 3, INT_MIN);
  Text("WW\x7F_W\x7F_");
  EXPECT_EQ(GfxGetY(), INT_MIN);
  ExpectBuffer(want);
}

TEST_P(FontDraw, OnlyTheFirst256BytesOfALineAreDrawn) {
  const std::string text(300, 'i');
  GfxMove(0, 20);
  Text(text);
  EXPECT_EQ(GfxGetX(), 256 * kWidthI);
  Expected want = Blank();
  want.Glyphs(std::string(256, 'i'), 0, 20 + kDescent, ink_);
  ExpectBuffer(want);
  // Measuring is not drawing and sees the whole text.
  EXPECT_EQ(GfxFontWidth(text.data(), 300), 300 * kWidthI);
}

TEST_P(FontDraw, NothingHappensWithoutFontBufferOrText) {
  GfxMove(10, 20);
  Text("");
  GfxFontText("A", -1);
  GfxFontText(nullptr, 4);
  EXPECT_EQ(GfxGetX(), 10);
  GfxFreeFont(-1);
  Text("AgW");
  EXPECT_EQ(GfxGetX(), 10);
  Load(VelvetFont());
  GfxCloseBuffer();
  Text("AgW");
  EXPECT_EQ(GfxGetX(), 10);
  GfxOpenBuffer(buffer_);
  ExpectBuffer(Blank());
}

TEST_P(FontDraw, OtherLayoutsDrawOnlyTheGlyphsAndPixelsTheyHold) {
  // The 96-character layout skips the codes it lacks.
  GfxFreeFont(-1);
  Load(VelvetFont(false));
  GfxMove(10, 20);
  Text("A\x05\x90g");
  EXPECT_EQ(GfxGetX(), 21);
  Expected want = Blank();
  want.Glyphs("Ag", 10, 20 + kDescent, ink_);
  // Nine columns take two bytes a row; the 8-byte slot holds the top four of ten rows. The next
  // slot is solid ink, which must not leak into the tall glyph.
  GlyphRows tall;
  for (int r = 0; r < 10; ++r) tall.push_back(r % 3 ? "#.......#" : "#########");
  FgfBuilder b(true, 2, 4);
  b.Glyph('A', {"#"}).Glyph('B', tall).Metrics('C', 8, 8).FillSlot('C', 0xFF);
  // Only the first three bits of each of D's rows are pixels; the rest of the byte is padding.
  b.Metrics('D', 3, 2).FillSlot('D', 0xFF);
  GfxFreeFont(-1);
  Load(b.Bytes());
  GfxMove(100, 20);
  Text("BD");
  EXPECT_EQ(GfxGetX(), 112);
  const GlyphRows top(tall.begin(), tall.begin() + 4);
  want.Glyph(top, 100, 20 - 6, ink_);  // rows 0..3 of ten, where they belong
  want.Glyph({"###", "###"}, 109, 20, ink_);
  ExpectBuffer(want);
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, FontDraw, ::testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
