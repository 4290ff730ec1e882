// Pixels to and from memory: bottom-up image arrays and blocks (a block only has to come back
// whole, here and in UiSaveUnderTest). The background chooser's goldens pin scaled thumbnails.
#include <climits>
#include <vector>

#include "tests/gfx/GfxTestSupport.h"

namespace {

class GfxImage : public testing::TestWithParam<DepthCase> {
protected:
  GfxImage() : gfx_(CoreGfxOptions(GetParam())) {}
  void SetUp() override {
    buffer_ = GfxAllocBuffer(40, 30);
    GfxOpenBuffer(buffer_);
    // Every pixel different, so a misplaced one shows.
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        GfxSetColor(GfxMapRGB(x * 6, y * 8, (x + y) * 3));
        GfxPoint(x, y);
      }
    }
  }
  int ImageBytes() const { return GetParam().bits == 32 ? 3 : GetParam().bits / 8; }

  std::vector<std::uint32_t> Snapshot() const {
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < 40 * 30; ++i) pixels.push_back(RawPixel(buffer_, i % 40, i / 40));
    return pixels;
  }

  HeadlessGfx gfx_;
  int buffer_ = -1;
};

TEST_P(GfxImage, TransfersPartlyOutsideTheBufferStayInside) {
  const std::vector<std::uint32_t> before = Snapshot();
  const std::size_t bytes = static_cast<std::size_t>(ImageBytes());
  std::vector<std::uint8_t> image(10 * 10 * bytes, 0xEE);
  GfxMove(35, 4);  // columns 35..44 and rows -5..4: a 5 x 5 corner inside
  GfxGetImage(image.data(), 10, 10);
  EXPECT_EQ(image[5 * bytes], 0xEE);       // row 0, column 5 is outside
  EXPECT_EQ(image[5 * 10 * bytes], 0xEE);  // row 5 (y = -1) is outside
  GfxPutImage(image.data(), 10, 10);
  EXPECT_EQ(Snapshot(), before);
  std::vector<std::uint8_t> block(4 * 4 * 4, 0);
  GfxGetBlock(block.data(), -2, 1, 28, 31);
  GfxPutBlock(block.data(), -2, 1, 28, 31);
  EXPECT_EQ(Snapshot(), before);
  // Sizes nobody could have an array for are refused outright.
  GfxGetBlock(block.data(), INT_MIN, INT_MAX, 0, 0);
  GfxPutImage(block.data(), INT_MAX, INT_MAX);
  GfxGetImage(nullptr, 4, 4);
  EXPECT_EQ(Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Depths, GfxImage, testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
