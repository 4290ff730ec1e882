// Drawing primitives: points, lines, fills and clearing, and where the clip counts.
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "tests/gfx/GfxTestSupport.h"

namespace {

class GfxDraw : public testing::TestWithParam<DepthCase> {
protected:
  GfxDraw() : gfx_(CoreGfxOptions(GetParam())) {}
  void SetUp() override {
    background_ = GfxMapRGB(0, 0, 80);
    ink_ = GfxMapRGB(255, 255, 0);
    buffer_ = MakeFilledBuffer(64, 48, background_);
    GfxSetColor(ink_);
  }

  PixelSet Inked() const { return InkedPixels(buffer_, 64, 48, ink_, background_); }
  // Clears the buffer to the background and goes back to the ink.
  void Wipe() const {
    GfxSetColor(background_);
    GfxClear();
    GfxSetColor(ink_);
  }

  HeadlessGfx gfx_;
  Color background_ = 0, ink_ = 0;
  int buffer_ = -1;
};

TEST_P(GfxDraw, PointsRespectTheClipAndTheBufferAndLeaveTheCursor) {
  GfxMove(7, 9);
  GfxSetClip(10, 20, 10, 20);
  for (auto [x, y] : {std::pair{10, 10}, {20, 20}, {9, 15}, {15, 21}, {INT_MAX, INT_MIN}}) {
    GfxPoint(x, y);
  }
  EXPECT_EQ(Inked(), (PixelSet{{10, 10}, {20, 20}}));
  EXPECT_EQ(GfxGetX(), 7);
  EXPECT_EQ(GfxGetY(), 9);
  // A clip reaching past the buffer still keeps every write inside (Inked fails on strays).
  Wipe();
  GfxSetClip(-100, 1000, -100, 1000);
  GfxPoint(-1, 5);
  GfxPoint(64, 5);
  GfxFillRectClipped(-50, 500, 47, 400);
  GfxMove(-30, -30);
  GfxLineTo(100, 100);
  EXPECT_EQ(Inked().size(), 64u + 47u);
}

TEST_P(GfxDraw, FillRectIgnoresTheClipButFillRectClippedDoesNot) {
  GfxSetClip(10, 19, 10, 19);
  GfxFillRect(0, 4, 0, 1);
  EXPECT_EQ(Inked().size(), 10u);
  Wipe();  // the clear ignores the clip as well
  EXPECT_TRUE(Inked().empty());
  GfxFillRectClipped(5, 14, 15, 30);
  EXPECT_EQ(Inked().size(), 5u * 5u);  // columns 10..14, rows 15..19
  GfxFillRectClipped(30, 40, 0, 5);    // wholly outside
  GfxFillRectClipped(12, 11, 12, 14);  // reversed bounds
  EXPECT_EQ(Inked().size(), 25u);
  GfxFillRect(-1000, 1000, 40, INT_MAX);  // reaches past the buffer
  EXPECT_EQ(Inked().size(), 25u + 64u * 8u);
}

TEST_P(GfxDraw, LinesCoverBothEndsAndMoveTheCursor) {
  GfxMove(3, 4);
  GfxLineTo(12, 4);
  PixelSet expected;
  for (int x = 3; x <= 12; ++x) expected.insert({x, 4});
  EXPECT_EQ(Inked(), expected);
  EXPECT_EQ(GfxGetX(), 12);
  EXPECT_EQ(GfxGetY(), 4);
  GfxLineRel(-5, 5);  // a diagonal back down to (7, 9)
  for (int i = 1; i <= 5; ++i) expected.insert({12 - i, 4 + i});
  GfxLineTo(7, 20);  // and straight down
  for (int y = 10; y <= 20; ++y) expected.insert({7, y});
  GfxMove(30, 30);
  GfxLineTo(30, 30);  // a single point
  expected.insert({30, 30});
  EXPECT_EQ(Inked(), expected);
}

TEST_P(GfxDraw, ClippedLinesDrawOnlyTheirInsidePart) {
  GfxSetClip(10, 19, 0, 47);
  GfxMove(0, 5);
  GfxLineTo(40, 5);
  PixelSet expected;
  for (int x = 10; x <= 19; ++x) expected.insert({x, 5});
  EXPECT_EQ(Inked(), expected);
  EXPECT_EQ(GfxGetX(), 40);
  // A line from far outside: the clipped part matches the same line drawn unclipped.
  GfxSetClip(0, 63, 0, 47);
  Wipe();
  GfxMove(-2000000000, -1000000000);
  GfxLineTo(2000000000, 1000000001);
  const PixelSet far = Inked();
  EXPECT_FALSE(far.empty());
  for (const auto& [x, y] : far) {
    // The line runs at slope 1/2 through about (0, 0).
    EXPECT_LE(std::abs(y - x / 2.0), 1.0) << x << "," << y;
  }
  EXPECT_EQ(GfxGetX(), 2000000000);
  EXPECT_EQ(GfxGetY(), 1000000001);
}

INSTANTIATE_TEST_SUITE_P(Depths, GfxDraw, testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
