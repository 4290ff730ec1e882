// Buffer table and display life cycle: allocation, opening, clipping, start and stop, and the
// mouse calls passed to the back end.
#include <array>
#include <memory>
#include <vector>

#include "tests/gfx/GfxTestSupport.h"

namespace {

std::array<int, 4> Clip() {
  std::array<int, 4> c{};
  GfxGetClip(&c[0], &c[1], &c[2], &c[3]);
  return c;
}

class GfxBuffers : public testing::Test {
protected:
  HeadlessGfx gfx_{CoreGfxOptions(kDepth32)};
};

TEST_F(GfxBuffers, WidthRoundsUpToFourPixelsAndSizesAreChecked) {
  const int handle = GfxAllocBuffer(801, 741);
  ASSERT_EQ(GfxOpenBuffer(handle), 0);
  EXPECT_EQ(GfxMaxX(), 803);
  EXPECT_EQ(GfxMaxY(), 740);
  EXPECT_EQ(GfxGetBufferView(handle).bytesPerRow, 804 * 4);
  EXPECT_EQ(GfxImageSize(10, 20), 600);  // image arrays: three bytes per pixel at 32 bits
  EXPECT_EQ(GfxImageSize(-1, 20), 0);
  EXPECT_EQ(GfxImageSize(100000, 100000), 0);
  EXPECT_EQ(GfxGetBufferView(GfxAllocBuffer(1, 3)).bytesPerRow, 16);
}

TEST_F(GfxBuffers, SlotsRunOutAreRefusedAndFreedOnlyWhenInactive) {
  // Refused sizes take no slot.
  EXPECT_EQ(GfxAllocBuffer(0, 10), -2);
  EXPECT_EQ(GfxAllocBuffer(2000000000, 2000000000), -2);
  for (int i = 0; i < kGfxMaxBuffers; ++i) ASSERT_EQ(GfxAllocBuffer(8, 8), i);
  EXPECT_EQ(GfxAllocBuffer(8, 8), -1);
  GfxFreeBuffer(5);
  EXPECT_EQ(GfxAllocBuffer(8, 8), 5);
  // The active buffer is not freed under the drawing calls.
  GfxOpenBuffer(5);
  GfxFreeBuffer(5);
  EXPECT_NE(GfxGetBufferView(5).pixels, nullptr);
  GfxFreeBuffer(99);
  GfxCloseBuffer();
  GfxFreeBuffer(5);
  EXPECT_EQ(GfxGetBufferView(5).pixels, nullptr);
}

TEST_F(GfxBuffers, OpeningKeepsEachSlotsClipAndErrorsKeepTheActiveBuffer) {
  const int a = GfxAllocBuffer(40, 40), b = GfxAllocBuffer(40, 30);
  ASSERT_EQ(GfxOpenBuffer(a), 0);
  EXPECT_EQ(GfxOpenBuffer(32), -1);
  EXPECT_EQ(GfxOpenBuffer(7), -2);
  EXPECT_EQ(GfxActiveBuffer(), a);
  // The clip rectangle belongs to the slot, the cursor to the layer.
  GfxSetClip(5, 10, 6, 12);
  GfxMove(17, 23);
  GfxOpenBuffer(b);
  EXPECT_EQ(Clip(), (std::array{0, 39, 0, 29}));
  EXPECT_EQ(std::pair(GfxGetX(), GfxGetY()), std::pair(17, 23));
  GfxOpenBuffer(a);
  EXPECT_EQ(Clip(), (std::array{5, 10, 6, 12}));
}

TEST_F(GfxBuffers, DrawingWithoutActiveBufferDoesNothing) {
  const int handle = MakeFilledBuffer(8, 8, GfxMapRGB(1, 2, 3));
  GfxCloseBuffer();
  GfxSetColor(GfxMapRGB(200, 0, 0));
  EXPECT_EQ(GfxClear(), 0);
  GfxPoint(1, 1);
  GfxFillRect(0, 7, 0, 7);
  GfxMove(0, 0);
  GfxLineTo(7, 7);
  EXPECT_EQ(GfxGetX(), 0);
  GfxSystemText("abc", 3);
  GfxShowRect(0, 7, 0, 7, 0, 7);
  EXPECT_TRUE(gfx_.Display().Shown().empty());
  EXPECT_EQ(CountPixels(handle, 0, 7, 0, 7, 0x010203), 64);
  EXPECT_EQ(GfxMaxX(), -1);
}

class GfxLifecycle : public testing::Test {
protected:
  // Attaches a new display (kept until the end: TearDown still talks to the last one) and, for
  // modeBits >= 0, starts the layer on it at 800 x 600 and that depth.
  template <typename... Args>
  HeadlessDisplay& StartOn(int modeBits, Args... args) {
    displays_.push_back(std::make_unique<HeadlessDisplay>(args...));
    GfxSetDC(displays_.back().get());
    GfxSetMode(800, 600, modeBits, 0);
    EXPECT_EQ(modeBits < 0 ? 0 : GfxStart(), 0);
    return *displays_.back();
  }
  void TearDown() override {
    GfxCloseBuffer();
    GfxStop();
    GfxSetDC(nullptr);
  }
  std::vector<std::unique_ptr<HeadlessDisplay>> displays_;
};

TEST_F(GfxLifecycle, FailingOpenShowsNothing) {
  HeadlessDisplay& display = StartOn(-1, 32);
  display.FailOpenWith(-77);
  GfxSetMode(800, 600, 32, 0);
  EXPECT_EQ(GfxStart(), -77);
  EXPECT_FALSE(display.IsOpen());
  GfxShowRect(0, 7, 0, 7, 0, 7);
  EXPECT_TRUE(display.Shown().empty());
  display.FailOpenWith(0);
  EXPECT_EQ(GfxStart(), 0);
}

TEST_F(GfxLifecycle, MouseCallsReachTheBackEndOnlyOnChange) {
  HeadlessDisplay& display = StartOn(32, 32);
  GfxShowMouse(0);  // before GfxInitMouse the pointer is not known
  EXPECT_EQ(GfxInitMouse(), 1);
  GfxShowMouse(0);
  GfxShowMouse(0);
  EXPECT_EQ(display.ShowMouseCalls(), 1);
  HeadlessDisplay& noMouse = StartOn(32, 32, HeadlessDisplay::Masks888(), false);
  EXPECT_EQ(GfxInitMouse(), -1);
  GfxShowMouse(0);
  EXPECT_EQ(noMouse.ShowMouseCalls(), 0);
  GfxSetDC(nullptr);
  EXPECT_EQ(GfxInitMouse(), -1);
  EXPECT_EQ(GfxShowMouse(1), 0);
  EXPECT_EQ(GfxDisplayDepth(), 0);
}

}  // namespace
