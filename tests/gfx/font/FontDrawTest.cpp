// Checks text drawing pixel by pixel at every buffer depth: glyph placement on the baseline,
// justification, escapes, clipping and the work-area limit, against an expected picture painted
// straight from the glyph drawings.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "gfx/font/Font.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/gfx/font/TestFonts.h"

namespace {

using namespace testfonts;

constexpr int kBufferWidth = 640;
constexpr int kBufferHeight = 48;

// What the buffer should hold: painted from the glyph pictures, top row first, so it shares no
// code with the bit unpacking and row reversal of the font module.
class Expected {
public:
  Expected(int width, int height, Color background)
      : width_(width),
        height_(height),
        pixels_(static_cast<std::size_t>(width * height), background) {}

  void Clip(int minx, int maxx, int miny, int maxy) {
    minx_ = minx, maxx_ = maxx, miny_ = miny, maxy_ = maxy;
  }

  // The picture's bottom row lands on row bottom, its left column on column left.
  void Glyph(const GlyphRows& rows, long long left, long long bottom, Color color) {
    const long long top = bottom - static_cast<long long>(rows.size()) + 1;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (std::size_t c = 0; c < rows[r].size(); ++c) {
        if (rows[r][c] == '#')
          Set(left + static_cast<long long>(c), top + static_cast<long long>(r), color);
      }
    }
  }

  void Row(long long x0, long long x1, long long y, Color color) {
    for (long long x = x0; x <= x1; ++x) Set(x, y, color);
  }

  Color At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

private:
  void Set(long long x, long long y, Color color) {
    if (x < minx_ || x > maxx_ || y < miny_ || y > maxy_) return;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y * width_ + x)] = color;
  }

  int width_;
  int height_;
  std::vector<Color> pixels_;
  long long minx_ = LLONG_MIN, maxx_ = LLONG_MAX, miny_ = LLONG_MIN, maxy_ = LLONG_MAX;
};

class FontDraw : public ::testing::TestWithParam<DepthCase> {
protected:
  void SetUp() override {
    ASSERT_TRUE(gfx_.Started());
    buffer_ = GfxAllocBuffer(kBufferWidth, kBufferHeight);
    ASSERT_GE(buffer_, 0);
    ASSERT_EQ(GfxOpenBuffer(buffer_), 0);
    background_ = GfxMapRGB(0, 0, 64);
    ink_ = GfxMapRGB(255, 255, 255);
    GfxSetColor(background_);
    GfxClear();
    GfxSetColor(ink_);
    GfxFreeFont(-1);
    ASSERT_EQ(Load(VelvetFont()), 1);
    GfxFontJustify(-1, -1);
  }

  void TearDown() override {
    GfxFreeFont(-1);
    GfxCloseBuffer();
    GfxFreeBuffer(buffer_);
  }

  static int Load(const std::vector<std::uint8_t>& bytes) {
    return GfxLoadFont(bytes.data(), bytes.size());
  }

  Expected Blank() const { return Expected(kBufferWidth, kBufferHeight, background_); }

  static void Text(const std::string& text, bool clipped = false) {
    if (clipped) {
      GfxFontTextClipped(text.data(), static_cast<int>(text.size()));
    } else {
      GfxFontText(text.data(), static_cast<int>(text.size()));
    }
  }

  // Compares the whole buffer and reports the first few differences.
  void ExpectBuffer(const Expected& want) const {
    int wrong = 0;
    for (int y = 0; y < kBufferHeight; ++y) {
      for (int x = 0; x < kBufferWidth; ++x) {
        const Color got = RawPixel(buffer_, x, y);
        if (got != want.At(x, y) && ++wrong <= 5) {
          ADD_FAILURE() << GetParam().name << ": pixel (" << x << ", " << y << ") is " << got
                        << ", expected " << want.At(x, y);
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  HeadlessGfx gfx_{CoreGfxOptions(GetParam())};
  int buffer_ = -1;
  Color background_ = 0;
  Color ink_ = 0;
};

TEST_P(FontDraw, GlyphsStandOnTheBaselineAndJustifyAroundTheCursor) {
  GfxMove(10, 20);
  Text("AgW p");
  EXPECT_EQ(GfxGetX(), 41);
  EXPECT_EQ(GfxGetY(), 20);
  Expected want = Blank();
  // Cell bottoms sit descent rows under the cursor row; A's lowest ink is on the cursor row.
  const int bottom = 20 + kDescent;
  want.Glyph(kA, 10, bottom, ink_);
  want.Glyph(kG, 16, bottom, ink_);
  want.Glyph(kW, 21, bottom, ink_);
  want.Glyph(kP, 36, bottom, ink_);

  const std::string text = "WWWAi";  // 41 pixels
  ASSERT_EQ(GfxFontWidth(text.data(), 5), 41);
  GfxFontJustify(0, -1);
  GfxMove(400, 12);
  Text(text);
  EXPECT_EQ(GfxGetX(), 380 + 41);
  GfxFontJustify(1, -1);
  GfxMove(400, 30);
  Text(text);
  EXPECT_EQ(GfxGetX(), 401);
  for (auto [left, y] : {std::pair{380, 12}, std::pair{360, 30}}) {
    want.Glyph(kW, left, y + kDescent, ink_);
    want.Glyph(kW, left + 11, y + kDescent, ink_);
    want.Glyph(kW, left + 22, y + kDescent, ink_);
    want.Glyph(kA, left + 33, y + kDescent, ink_);
    want.Glyph(kI, left + 39, y + kDescent, ink_);
  }

  // Tallest glyph 8 rows, descent 2: top alignment moves the cells down by 8 - 1 - 2 rows.
  GfxFontJustify(-1, 1);
  GfxMove(100, 5);
  Text("Ag");
  EXPECT_EQ(GfxGetY(), 5);
  GfxFontJustify(-1, 0);
  GfxMove(140, 25);
  Text("Ag");
  want.Glyph(kA, 100, 5 + 7, ink_);  // top row of the cells on the cursor row
  want.Glyph(kG, 106, 5 + 7, ink_);
  want.Glyph(kA, 140, 25 + kDescent + 2, ink_);  // (8 - 1 - 2) / 2 rows lower
  want.Glyph(kG, 146, 25 + kDescent + 2, ink_);
  ExpectBuffer(want);
}

TEST_P(FontDraw, EscapesUnderlineAndChangeColourButDrawNothing) {
  // The second mark is preceded by a colour change so the line stands apart from the glyphs'
  // own ink on the baseline row.
  GfxMove(10, 20);
  Text("A\x7F_gA\x7F\x0C\x7F_A");
  EXPECT_EQ(GfxGetX(), 33);
  const Color green = GfxPaletteColor(12);
  EXPECT_EQ(GfxGetColor(), green);
  const int bottom = 20 + kDescent;
  Expected want = Blank();
  want.Glyph(kA, 10, bottom, ink_);
  want.Glyph(kG, 16, bottom, ink_);
  want.Glyph(kA, 21, bottom, ink_);
  want.Row(16, 26, 20, green);
  want.Glyph(kA, 27, bottom, green);

  GfxSetColor(ink_);
  GfxMove(50, 15);
  Text(
      "A\x7F\xF9"
      "AB");
  const Color red = GfxPaletteColor(249);
  // At 8 bits the pixel is the table index itself.
  if (GetParam().bits > 8) {
    EXPECT_EQ(red, GfxMapRGB(255, 0, 0));
  }
  EXPECT_EQ(GfxGetColor(), red);
  want.Glyph(kA, 50, 15 + kDescent, ink_);
  want.Glyph(kA, 56, 15 + kDescent, red);
  want.Glyph(kB, 62, 15 + kDescent, red);

  // Escapes alone: no width, no movement, no ink, only the colour change.
  GfxFontJustify(0, 0);
  GfxMove(100, 20);
  const std::string escapes = "\x7F_\x7F\x0C\x7F_";
  Text(escapes);
  EXPECT_EQ(GfxFontWidth(escapes.data(), static_cast<int>(escapes.size())), 0);
  EXPECT_EQ(GfxGetX(), 100);
  EXPECT_EQ(GfxGetY(), 20);
  EXPECT_EQ(GfxGetColor(), green);
  ExpectBuffer(want);
}

TEST_P(FontDraw, TextIsCutAtTheClipRectangleOrTheBufferEdges) {
  // Only the clipped call heeds the clip rectangle, and leaves it as it was.
  GfxSetClip(12, 30, 15, 20);
  GfxMove(10, 20);
  Text("AgW\x7F_i\x7F_", true);
  GfxMove(10, 40);
  Text("AgW\x7F_i\x7F_", false);
  int minx, maxx, miny, maxy;
  GfxGetClip(&minx, &maxx, &miny, &maxy);
  EXPECT_EQ(minx, 12);
  EXPECT_EQ(maxx, 30);
  EXPECT_EQ(miny, 15);
  EXPECT_EQ(maxy, 20);
  Expected want = Blank();
  want.Clip(12, 30, 15, 20);
  want.Glyph(kA, 10, 22, ink_);
  want.Glyph(kG, 16, 22, ink_);
  want.Glyph(kW, 21, 22, ink_);
  want.Glyph(kI, 32, 22, ink_);
  want.Row(32, 33, 20, ink_);
  want.Clip(INT_MIN, INT_MAX, INT_MIN, INT_MAX);
  want.Glyph(kA, 10, 42, ink_);
  want.Glyph(kG, 16, 42, ink_);
  want.Glyph(kW, 21, 42, ink_);
  want.Glyph(kI, 32, 42, ink_);
  want.Row(32, 33, 40, ink_);

  GfxMove(-8, 3);  // A and the first part of g above and left of the buffer
  Text("AgW");
  GfxMove(kBufferWidth - 9, kBufferHeight - 3);  // past the right and bottom edges
  Text("WA\x7F_W\x7F_");
  want.Glyph(kA, -8, 5, ink_);
  want.Glyph(kG, -2, 5, ink_);
  want.Glyph(kW, 3, 5, ink_);
  const int x = kBufferWidth - 9, bottom = kBufferHeight - 3 + kDescent;
  want.Glyph(kW, x, bottom, ink_);
  want.Glyph(kA, x + 11, bottom, ink_);
  want.Glyph(kW, x + 17, bottom, ink_);
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
  for (int i = 0; i < 256; ++i) want.Glyph(kI, i * kWidthI, 22, ink_);
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
  want.Glyph(kA, 10, 22, ink_);
  want.Glyph(kG, 16, 22, ink_);

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

const DepthCase kDepths[] = {{8, false, "Indexed8"},
                             {16, true, "Rgb565"},
                             {16, false, "Rgb555"},
                             {24, false, "Bgr24"},
                             {32, false, "Xrgb32"}};

INSTANTIATE_TEST_SUITE_P(EveryDepth, FontDraw, ::testing::ValuesIn(kDepths), DepthName);

}  // namespace
