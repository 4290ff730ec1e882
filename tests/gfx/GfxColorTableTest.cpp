// The colour table's computed hue wheels and the mapping of (r, g, b) to pixels at every depth.
#include <array>
#include <vector>

#include "tests/gfx/GfxTestSupport.h"

namespace {

using Rgb = std::array<int, 3>;

Rgb Entry(int index) {
  std::uint8_t rgb[3] = {1, 1, 1};
  EXPECT_EQ(GfxGetPaletteRGB(index, 1, rgb), 0);
  return {rgb[0], rgb[1], rgb[2]};
}

class GfxColorTable : public testing::Test {
protected:
  HeadlessGfx gfx_{CoreGfxOptions(kDepth32)};
};

TEST_F(GfxColorTable, HueWheelsRunFromBlueRoundTheCircleAndReadsStopAtTheEnd) {
  // Spot checks written out by hand from the wheels' level lists.
  EXPECT_EQ(Entry(31), (Rgb{64, 0, 255}));
  EXPECT_EQ(Entry(53), (Rgb{0, 64, 255}));
  EXPECT_EQ(Entry(79), (Rgb{198, 182, 255}));
  EXPECT_EQ(Entry(109), (Rgb{113, 0, 28}));
  EXPECT_EQ(Entry(161), (Rgb{113, 105, 80}));
  EXPECT_EQ(Entry(210), (Rgb{64, 64, 32}));
  EXPECT_EQ(Entry(245), (Rgb{44, 48, 64}));
  // Every wheel: neighbours differ in exactly one channel and the wheel closes on itself.
  for (int start = 30; start < 246; start += 24) {
    for (int i = 0; i < 24; ++i) {
      const Rgb a = Entry(start + i), b = Entry(start + (i + 1) % 24);
      const int changed = (a[0] != b[0]) + (a[1] != b[1]) + (a[2] != b[2]);
      EXPECT_EQ(changed, 1) << "entries " << start + i << " and " << start + (i + 1) % 24;
    }
  }
  // Reads stop at the end of the table.
  std::vector<std::uint8_t> out(3 * 20, 0xAA);
  EXPECT_EQ(GfxGetPaletteRGB(250, 20, out.data()), 0);
  EXPECT_EQ(out[3 * 5 + 0], 255);  // entry 255 is white
  EXPECT_EQ(out[3 * 6], 0xAA);     // nothing beyond it
  EXPECT_EQ(GfxGetPaletteRGB(256, 1, out.data()), -1);
  EXPECT_EQ(GfxGetPaletteRGB(0, 1, nullptr), -1);
  EXPECT_EQ(GfxSetTransparent(256, 1), -1);
}

class GfxColorMapping : public testing::TestWithParam<DepthCase> {
protected:
  GfxColorMapping() : gfx_(CoreGfxOptions(GetParam())) {}
  HeadlessGfx gfx_;
};

TEST_P(GfxColorMapping, MapRgbAndPaletteColorsMatchThePixelLayout) {
  const DepthCase depth = GetParam();
  struct Case {
    int r, g, b;
    std::uint32_t at565, at555, at888;
  };
  const Case cases[] = {
      {255, 0, 255, 0xF81F, 0x7C1F, 0xFF00FF},
      {8, 4, 8, 0x0821, 0x0401, 0x080408},
      {7, 3, 7, 0x0000, 0x0000, 0x070307},
      {12, 34, 56, 0x0907, 0x0487, 0x0C2238},
  };
  for (const Case& c : cases) {
    const std::uint32_t expected = depth.bits == 16 ? (depth.is565 ? c.at565 : c.at555) : c.at888;
    EXPECT_EQ(GfxMapRGB(c.r, c.g, c.b), expected) << c.r << "," << c.g << "," << c.b;
  }
  // Palette entries come out in the active buffer's layout.
  GfxOpenBuffer(GfxAllocBuffer(4, 4));
  EXPECT_EQ(GfxPaletteColor(34), GfxMapRGB(255, 0, 255));
  EXPECT_EQ(GfxPaletteColor(246), GfxMapRGB(255, 251, 240));
  EXPECT_EQ(GfxPaletteColor(256), 0u);
}

INSTANTIATE_TEST_SUITE_P(Depths, GfxColorMapping, testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
