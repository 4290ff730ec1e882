// The mapping of (r, g, b) and palette entries to pixels at every depth.
#include "tests/gfx/GfxTestSupport.h"

namespace {

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
