// Rectangle copies: placement by the lower-left corner (pinned pixel by pixel by the copies within
// one buffer). Card corners keyed out are CardDrawingTest's; SdlDisplayTest shows rectangles.
#include <climits>
#include <vector>

#include "tests/gfx/GfxTestSupport.h"

namespace {

class GfxCopy : public testing::TestWithParam<DepthCase> {
protected:
  GfxCopy() : gfx_(CoreGfxOptions(GetParam())) {}

  HeadlessGfx gfx_;
};

TEST_P(GfxCopy, EmptySlotsBadHandlesAndOtherDepthsCopyNothing) {
  const int a = MakeFilledBuffer(8, 8, GfxMapRGB(0, 255, 0));
  const int b = MakeFilledBuffer(8, 8, 0);
  GfxCopyRect(0, 7, 0, 7, 0, 7, a, 9);
  GfxCopyRect(0, 7, 0, 7, 0, 7, 9, b);
  GfxCopyRect(0, 7, 0, 7, 0, 7, -1, b);
  GfxCopyRectTransparent(0, 7, 0, 7, 0, 7, 64, b);
  GfxSetBufferDepth(GetParam().bits == 32 ? 24 : 32);
  const int other = MakeFilledBuffer(8, 8, 0);
  GfxCopyRect(0, 7, 0, 7, 0, 7, a, other);
  EXPECT_EQ(CountPixels(b, 0, 7, 0, 7, 0), 64);
  EXPECT_EQ(CountPixels(other, 0, 7, 0, 7, 0), 64);
}

TEST_P(GfxCopy, CopiesNeverLeaveTheBuffers) {
  const Color blue = GfxMapRGB(0, 0, 255);
  const int a = MakeFilledBuffer(20, 20, blue);
  const int b = MakeFilledBuffer(20, 20, 0);
  // Lower-left at (-5, 24): columns -5..14 and rows 5..24 of b; 15 x 15 land inside.
  GfxCopyRect(0, 19, 0, 19, -5, 24, a, b);
  EXPECT_EQ(CountPixels(b, 0, 19, 0, 19, blue), 15 * 15);
  GfxSetTransparent(34, 1);
  // Source rows 15..19, columns 0..4 land on rows 0..4, columns 15..19.
  GfxCopyRectTransparent(-100, 100, -100, 100, -85, 85, a, b);
  GfxCopyRect(INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, a, b);
  GfxCopyRect(0, 19, 0, 19, INT_MAX, INT_MAX, a, b);
  GfxCopyRect(10, 5, 0, 19, 0, 19, a, b);  // reversed bounds copy nothing
  EXPECT_EQ(CountPixels(b, 0, 19, 0, 19, blue), 15 * 15 + 5 * 5);
}

TEST_P(GfxCopy, CopiesWithinOneBufferReadTheOriginalPixels) {
  GfxSetTransparent(34, 1);
  const Color key = GfxMapRGB(255, 0, 255);
  for (const bool transparent : {false, true}) {
    for (const int shift : {3, -3}) {
      SCOPED_TRACE(testing::Message() << "transparent " << transparent << " shift " << shift);
      const int buffer = GfxAllocBuffer(32, 32);
      GfxOpenBuffer(buffer);
      std::vector<std::uint32_t> before;
      for (int i = 0; i < 32 * 32; ++i) {
        const int x = i % 32, y = i / 32;
        GfxSetColor((x + y) % 7 == 0 ? key : GfxMapRGB(x * 8, y * 8, 100));
        GfxPoint(x, y);
        before.push_back(RawPixel(buffer, x, y));
      }
      // Rectangle 8..23 x 8..23 moved by (shift, shift / 3) within the same buffer.
      const int dy = shift / 3;
      (transparent ? GfxCopyRectTransparent : GfxCopyRect)(8, 23, 8, 23, 8 + shift, 23 + dy, buffer,
                                                           buffer);
      for (int i = 0; i < 16 * 16; ++i) {
        const int x = 8 + i % 16, y = 8 + i / 16;
        const std::uint32_t source = before[y * 32 + x];
        ASSERT_EQ(RawPixel(buffer, x + shift, y + dy),
                  transparent && source == key ? before[(y + dy) * 32 + x + shift] : source)
            << x << "," << y;
      }
      GfxCloseBuffer();
      GfxFreeBuffer(buffer);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, GfxCopy, testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
