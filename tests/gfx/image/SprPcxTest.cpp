// The SPR sprite reader, and the save-under PCX file's round trip and refusals.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "gfx/image/PcxFile.h"
#include "gfx/image/SprReader.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

class SprTest : public testing::TestWithParam<DepthCase> {
protected:
  void SetUp() override {
    guard_ = GfxMapRGB(77, 140, 201);
    handle_ = MakeFilledBuffer(12, 12, guard_);
  }

  HeadlessGfx gfx_{CoreGfxOptions(GetParam())};
  Color guard_ = 0;
  int handle_ = -1;
};

TEST_P(SprTest, RunsFillRowsClimbingFromTheCursorAndWrap) {
  // A zero run writes nothing.
  const std::vector<std::uint8_t> row = {5, 3, 9, 0, 7, 2};
  GfxMove(2, 10);
  EXPECT_EQ(GfxShowSPR(row.data(), row.size(), 5), 0);
  EXPECT_EQ(CountPixels(handle_, 2, 4, 10, 10, GfxPaletteColor(5)), 3);
  EXPECT_EQ(CountPixels(handle_, 5, 6, 10, 10, GfxPaletteColor(7)), 2);
  // Width 3: one run of 7 fills the cursor row, the row above, and one pixel of the next.
  const std::vector<std::uint8_t> spr = {250, 7, 251, 1, 0xAB};  // The odd last byte is ignored.
  GfxMove(4, 6);
  EXPECT_EQ(GfxShowSPR(spr.data(), spr.size(), 3), 0);
  Color a = GfxPaletteColor(250), b = GfxPaletteColor(251);
  EXPECT_EQ(CountPixels(handle_, 4, 6, 6, 6, a), 3);
  EXPECT_EQ(CountPixels(handle_, 4, 6, 5, 5, a), 3);
  EXPECT_EQ(RawPixel(handle_, 4, 4), a);
  EXPECT_EQ(RawPixel(handle_, 5, 4), b);
  EXPECT_EQ(CountPixels(handle_, 0, 11, 0, 11, guard_), 144 - 5 - 8);
}

TEST_P(SprTest, PixelsOutsideTheBufferAreDropped) {
  std::vector<std::uint8_t> spr;
  for (int i = 0; i < 40; ++i) spr.insert(spr.end(), {static_cast<std::uint8_t>(i), 255});
  // Far left and below: rows climb back into the buffer from y = 20.
  GfxMove(-3, 20);
  EXPECT_EQ(GfxShowSPR(spr.data(), spr.size(), 8), 0);
  EXPECT_EQ(CountPixels(handle_, 5, 11, 0, 11, guard_), 84);
  EXPECT_EQ(CountPixels(handle_, 0, 4, 0, 11, guard_), 0);
  EXPECT_EQ(GfxShowSPR("/nonexistent/arrow.spr", 8), 1);
  EXPECT_EQ(GfxShowSPR(spr.data(), spr.size(), 0), 0);
  EXPECT_EQ(GfxShowSPR(spr.data(), spr.size(), -5), 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, SprTest, testing::ValuesIn(kAllDepths), DepthName);

// Fills a buffer with bytes that make long runs, short runs and values of 0xC0 and above.
void Scribble(int handle, unsigned seed) {
  GfxBufferView v = GfxGetBufferView(handle);
  std::mt19937 rng(seed);
  for (int y = 0; y < v.height; ++y) {
    for (int i = 0; i < v.bytesPerRow; ++i) {
      v.pixels[y * v.bytesPerRow + i] =
          static_cast<std::uint8_t>(y % 3 == 0    ? 0xC7
                                    : (i / 9 % 2) ? rng()
                                                  : static_cast<unsigned>(y));
    }
  }
}

class PcxTest : public testing::TestWithParam<DepthCase> {
protected:
  void SetUp() override {
    path_ = ScratchDir(std::string("pcx_") + GetParam().name) + "/UNDER.PCX";
  }
  void TearDown() override { std::remove(path_.c_str()); }

  HeadlessGfx gfx_{CoreGfxOptions(GetParam())};
  std::string path_;
};

TEST_P(PcxTest, SaveAndShowRestoresTheRectangleExactly) {
  int handle = MakeFilledBuffer(300, 40, 0);
  Scribble(handle, 11);
  const std::vector<std::uint8_t> before = BufferBytes(handle);
  // Widened to multiples of 8 as the window elements do; odd widths work too.
  for (auto rect : {std::array<int, 4>{8, 271, 3, 37}, std::array<int, 4>{5, 5, 0, 39},
                    std::array<int, 4>{0, 299, 0, 39}, std::array<int, 4>{17, 150, 20, 20}}) {
    ASSERT_EQ(GfxSavePCX(rect[0], rect[1], rect[2], rect[3], path_.c_str()), 0);
    GfxSetColor(GfxMapRGB(9, 9, 9));
    GfxFillRect(rect[0], rect[1], rect[2], rect[3]);
    ASSERT_EQ(GfxShowPCX(path_.c_str(), 0), 0);
    ASSERT_EQ(BufferBytes(handle), before) << rect[0] << ".." << rect[1];
  }
}

TEST_P(PcxTest, RectanglesAreClippedAndCanBeShownAtTheCursor) {
  int handle = MakeFilledBuffer(32, 16, 0);
  Scribble(handle, 12);
  ASSERT_EQ(GfxSavePCX(-8, 7, -3, 5, path_.c_str()), 0);  // Saves 0..7 x 0..5.
  int copy = MakeFilledBuffer(32, 16, 0);
  GfxMove(20, 12);
  ASSERT_EQ(GfxShowPCX(path_.c_str(), kGfxImageAtCursor), 0);
  ExpectPlaced(
      copy, 20, 12, 8, 6, [&](int x, int y) { return RawPixel(handle, x, y); }, 0);
  EXPECT_EQ(GfxSavePCX(40, 50, 0, 5, path_.c_str()), 1);  // Wholly outside.
  EXPECT_EQ(GfxSavePCX(0, 5, 0, 5, "/nonexistent/dir/UNDER.PCX"), 1);
}

TEST_P(PcxTest, DamagedOrForeignFilesAreRefused) {
  int handle = MakeFilledBuffer(24, 8, 0);
  Scribble(handle, 13);
  const std::vector<std::uint8_t> good = GfxEncodePCX(0, 23, 0, 7);
  ASSERT_GT(good.size(), 128u);
  std::vector<Damage> cases = {
      {"not ours", 0, 0x0B, 1, kPcxNotOurs},
      {"saved at another depth", 74 + 2, GetParam().bits == 32 ? 24u : 32u, 1, kPcxNotOurs},
      {"lines shorter than the width", 66, 3, 1, kPcxNotOurs},
      {"header cut short", 100, 0, 0, kPcxNotOurs}};
  // Partly shown files write back the very bytes the buffer holds, so nothing may change.
  for (std::size_t n = 128; n < good.size(); n += 7) {
    cases.push_back({"pixels cut at " + std::to_string(n), n, 0, 0, kPcxDamaged});
  }
  ExpectRefused(good, cases, [](const std::vector<std::uint8_t>& f) {
    return GfxShowPCX(f.data(), f.size(), 0);
  });
  EXPECT_EQ(GfxShowPCX("/nonexistent/UNDER.PCX", 0), kPcxCannotOpen);
}

INSTANTIATE_TEST_SUITE_P(Depths, PcxTest, testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
