// Drawing primitives: points, lines, dashes, fills, boxes and clearing, and where the clip counts.
#include <climits>
#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "gfx/GfxLineWalk.h"
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

TEST_P(GfxDraw, BoxIsFourClippedBands) {
  GfxSetClip(0, 63, 0, 15);
  GfxSetBoxWidth(3, 2);
  GfxBox(10, 29, 5, 24);
  PixelSet expected;
  for (int y = 5; y <= 15; ++y) {
    for (int x = 10; x <= 29; ++x) {
      const bool band = y - 5 < 2 || 24 - y < 2 || x - 10 < 3 || 29 - x < 3;
      if (band) expected.insert({x, y});
    }
  }
  EXPECT_EQ(Inked(), expected);
  // Bands thicker than the box fill it whole.
  GfxSetClip(0, 63, 0, 47);
  GfxSetBoxWidth(INT_MAX, INT_MIN);
  GfxBox(50, 52, 40, 41);
  EXPECT_EQ(Inked().size(), expected.size() + 3u * 2u);
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

TEST_P(GfxDraw, SlopedLinesFollowTheIdealLine) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coord(0, 47);
  for (int round = 0; round < 40; ++round) {
    Wipe();
    const int x0 = coord(random), y0 = coord(random), x1 = coord(random), y1 = coord(random);
    GfxMove(x0, y0);
    GfxLineTo(x1, y1);
    const PixelSet inked = Inked();
    const int dx = x1 - x0, dy = y1 - y0;
    const int major = std::max(std::abs(dx), std::abs(dy));
    ASSERT_EQ(inked.size(), static_cast<std::size_t>(major + 1));
    EXPECT_EQ(inked.count({x0, y0}), 1u);
    EXPECT_EQ(inked.count({x1, y1}), 1u);
    // One pixel per major-axis position, never further than half a pixel from the true line.
    for (const auto& [x, y] : inked) {
      const double off = std::abs(dx) >= std::abs(dy) ? y - (y0 + double(dy) * (x - x0) / dx)
                                                      : x - (x0 + double(dx) * (y - y0) / dy);
      EXPECT_LE(std::abs(off), 0.5) << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
  }
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

// The 0x5555 dashes of the text golden image's guide lines pin the pattern's start.
TEST_P(GfxDraw, DashedLinesRepeatTheirPatternEverySixteenStepsWithoutTheEnd) {
  // 0xF00F: steps 0..3 on, 4..11 off, 12..15 on, then again.
  GfxMove(40, 2);
  GfxDashTo(40, 2 + 20, 0xF00F);
  PixelSet expected;
  for (int step : {0, 1, 2, 3, 12, 13, 14, 15, 16, 17, 18, 19}) expected.insert({40, 2 + step});
  EXPECT_EQ(Inked(), expected);
  EXPECT_EQ(GfxGetY(), 22);
  // Going left and up, with a clip: the pattern counts from the start, not the clip edge.
  Wipe();
  GfxSetClip(0, 9, 0, 47);
  GfxMove(20, 30);
  GfxDashTo(0, 20, 0x8000);  // one pixel every 16 steps: steps 0 and 16
  EXPECT_EQ(Inked(), (PixelSet{{4, 22}}));
  GfxMove(0, 0);
  GfxDashTo(0, 0, 0xFFFF);
  EXPECT_EQ(Inked().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Depths, GfxDraw, testing::ValuesIn(kAllDepths), DepthName);

TEST(GfxLineWalkJump, JumpingLandsWhereSteppingArrives) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coord(-300, 300);
  for (int round = 0; round < 200; ++round) {
    const int x0 = coord(random), y0 = coord(random), x1 = coord(random), y1 = coord(random);
    const auto at = [](const GfxLineWalk& w) { return std::pair{w.X(), w.Y()}; };
    GfxLineWalk stepped(x0, y0, x1, y1);
    for (long long i = 0;; ++i) {
      GfxLineWalk jumped(x0, y0, x1, y1);
      jumped.JumpTo(i);
      ASSERT_EQ(at(jumped), at(stepped)) << round << " step " << i;
      if (i == stepped.Steps()) break;
      // The error term must match too, or the next step would go astray.
      jumped.Step();
      stepped.Step();
      ASSERT_EQ(at(jumped), at(stepped)) << round << " step " << i << " and one";
    }
    EXPECT_EQ(at(stepped), std::pair(x1, y1));
  }
}

}  // namespace
