// System text: placement by the justification rules, the cursor afterwards, and the built-in
// font's glyph set.
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "gfx/SystemFont.h"
#include "tests/gfx/GfxTestSupport.h"

namespace {

class GfxSystemTextDraw : public testing::TestWithParam<DepthCase> {
protected:
  GfxSystemTextDraw() : gfx_(CoreGfxOptions(GetParam())) {}
  void SetUp() override {
    paper_ = GfxMapRGB(255, 255, 255);
    ink_ = GfxMapRGB(0, 0, 160);
    buffer_ = MakeFilledBuffer(200, 100, paper_);
    GfxSetColor(ink_);
  }

  PixelSet Inked() const { return InkedPixels(buffer_, 200, 100, ink_, paper_); }

  // Where the glyph table says the text's pixels go when its cells start at (left, top).
  static PixelSet Expected(const std::string& text, int left, int top) {
    PixelSet set;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto code = static_cast<unsigned char>(text[i]);
      for (int row = 0; row < 16; ++row) {
        for (int col = 0; col < 8; ++col) {
          const int x = left + 8 * static_cast<int>(i) + col, y = top + row;
          if ((kSystemFontGlyphs[code][row] >> (7 - col)) & 1) {
            if (x >= 0 && x < 200 && y >= 0 && y < 100) set.insert({x, y});
          }
        }
      }
    }
    return set;
  }

  void Draw(const std::string& text) {
    ::GfxSystemText(text.data(), static_cast<int>(text.size()));
  }

  HeadlessGfx gfx_;
  Color paper_ = 0, ink_ = 0;
  int buffer_ = -1;
};

TEST_P(GfxSystemTextDraw, DefaultJustificationStandsTheTextOnTheCursorRow) {
  EXPECT_EQ(GfxSystemTextWidth("Hello", 5), 40);
  EXPECT_EQ(GfxSystemTextHeight(), 16);
  GfxMove(100, 50);
  Draw("Hello");
  EXPECT_EQ(Inked(), Expected("Hello", 100, 34));
  EXPECT_EQ(GfxGetX(), 140);
  EXPECT_EQ(GfxGetY(), 34);
}

TEST_P(GfxSystemTextDraw, JustificationMovesTheTextByHalfSteps) {
  struct Case {
    int h, v, left, top;
  };
  // Text "Abc" is 24 pixels wide; the cursor is (100, 50).
  const Case cases[] = {{0, -1, 88, 34},  {1, -1, 76, 34}, {-1, 0, 100, 42},
                        {-1, 1, 100, 50}, {0, 0, 88, 42},  {1, 1, 76, 50}};
  for (const Case& c : cases) {
    GfxSetColor(paper_);
    GfxClear();
    GfxSetColor(ink_);
    GfxSetTextJustify(c.h, c.v);
    GfxMove(100, 50);
    Draw("Abc");
    EXPECT_EQ(Inked(), Expected("Abc", c.left, c.top)) << c.h << "," << c.v;
    EXPECT_EQ(GfxGetX(), c.left + 24) << c.h << "," << c.v;
    EXPECT_EQ(GfxGetY(), c.top) << c.h << "," << c.v;
  }
}

TEST_P(GfxSystemTextDraw, CursorStopsAtTheBufferWidthAndTextIsCutThere) {
  GfxMove(180, 20);
  Draw("Wide text");
  EXPECT_EQ(Inked(), Expected("Wide text", 180, 4));
  EXPECT_EQ(GfxGetX(), 200);
  EXPECT_EQ(GfxGetY(), 4);

  // The clip rectangle does not apply, the buffer edge does.
  GfxSetColor(paper_);
  GfxClear();
  GfxSetColor(ink_);
  GfxSetClip(0, 10, 0, 10);
  GfxMove(-12, 8);
  Draw("Edge");
  EXPECT_EQ(Inked(), Expected("Edge", -12, -8));

  GfxMove(INT_MAX - 5, INT_MIN + 3);
  Draw("far away");
  GfxMove(0, 60);
  ::GfxSystemText(nullptr, 4);
  ::GfxSystemText("x", -1);
  EXPECT_EQ(GfxGetY(), 60);
  EXPECT_EQ(Inked(), Expected("Edge", -12, -8));
}

INSTANTIATE_TEST_SUITE_P(Depths, GfxSystemTextDraw, testing::ValuesIn(kAllDepths), DepthName);

TEST(SystemFont, EveryPrintableCharacterHasItsOwnGlyph) {
  std::set<std::string> seen;
  for (int code = 33; code <= 126; ++code) {
    const std::string rows(reinterpret_cast<const char*>(kSystemFontGlyphs[code]), 16);
    EXPECT_NE(rows, std::string(16, '\0')) << "code " << code << " is blank";
    EXPECT_TRUE(seen.insert(rows).second) << "code " << code << " repeats another glyph";
  }
  const std::string space(reinterpret_cast<const char*>(kSystemFontGlyphs[0x20]), 16);
  EXPECT_EQ(space, std::string(16, '\0'));
}

TEST(SystemFont, DescendersReachBelowTheBaseline) {
  auto lowestRow = [](unsigned char code) {
    int lowest = -1;
    for (int row = 0; row < 16; ++row) {
      if (kSystemFontGlyphs[code][row] != 0) lowest = row;
    }
    return lowest;
  };
  const int baseline = lowestRow('x');
  EXPECT_EQ(lowestRow('A'), baseline);
  EXPECT_EQ(lowestRow('a'), baseline);
  for (unsigned char c : std::string("gjpqy")) EXPECT_GT(lowestRow(c), baseline + 1) << c;
  // Capitals stand taller than small letters.
  auto highestRow = [](unsigned char code) {
    for (int row = 0; row < 16; ++row) {
      if (kSystemFontGlyphs[code][row] != 0) return row;
    }
    return 16;
  };
  EXPECT_LT(highestRow('H'), highestRow('x'));
  EXPECT_NE(highestRow(0xC9), 16);  // Latin-1 capital E with acute
}

}  // namespace
