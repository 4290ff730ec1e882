// System text, the fallback when the interface fonts are missing: cut at the buffer edge, and the
// cursor after it.
#include <climits>
#include <string>

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
    for (std::size_t i = 0; i < text.size() * 128; ++i) {
      const int row = i % 128 / 8, col = i % 8, x = left + static_cast<int>(i / 128) * 8 + col;
      const bool ink =
          kSystemFontGlyphs[static_cast<unsigned char>(text[i / 128])][row] >> (7 - col) & 1;
      if (ink && x >= 0 && x < 200 && top + row >= 0 && top + row < 100) set.insert({x, top + row});
    }
    return set;
  }

  void Draw(const std::string& text) {
    ::GfxSystemText(text.data(), static_cast<int>(text.size()));
  }
  void Wipe() const {
    GfxSetColor(paper_);
    GfxClear();
    GfxSetColor(ink_);
  }

  HeadlessGfx gfx_;
  Color paper_ = 0, ink_ = 0;
  int buffer_ = -1;
};

TEST_P(GfxSystemTextDraw, CursorStopsAtTheBufferWidthAndTextIsCutThere) {
  GfxMove(180, 20);
  Draw("Wide text");
  EXPECT_EQ(Inked(), Expected("Wide text", 180, 4));
  EXPECT_EQ(GfxGetX(), 200);
  EXPECT_EQ(GfxGetY(), 4);
  // The clip rectangle does not apply, the buffer edge does.
  Wipe();
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

}  // namespace
