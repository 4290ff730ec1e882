// Checks that message parameters are packed and unpacked bit for bit as Windows does it.
#include "platform/Messages.h"

#include <gtest/gtest.h>

TEST(MessagePacking, PositionsRoundTripAndTheirWordsAreTheRawHalves) {
  struct Case {
    int x, y;
  } cases[] = {{0, 0}, {799, 599}, {-1, 5}, {5, -1}, {-32768, 32767}, {12345, -300}};
  for (const Case& c : cases) {
    std::intptr_t lParam = MakeLParam(c.x, c.y);
    EXPECT_EQ(GetXLParam(lParam), c.x) << c.x << "," << c.y;
    EXPECT_EQ(GetYLParam(lParam), c.y) << c.x << "," << c.y;
  }
  std::intptr_t lParam = MakeLParam(799, 599);
  EXPECT_EQ(lParam, (599 << 16) | 799);
  EXPECT_EQ(LoWord(static_cast<std::uintptr_t>(lParam)), 799);
  EXPECT_EQ(HiWord(static_cast<std::uintptr_t>(lParam)), 599);
  // A negative x must not spill into y: the halves are masked, then zero-extended.
  std::intptr_t negative = MakeLParam(-1, 2);
  EXPECT_EQ(negative, 0x0002FFFF);
  EXPECT_EQ(LoWord(static_cast<std::uintptr_t>(negative)), 0xFFFF);
  EXPECT_EQ(HiWord(static_cast<std::uintptr_t>(negative)), 2);
  EXPECT_EQ(MakeLParam(0, -1), static_cast<std::intptr_t>(0xFFFF0000u));
}

TEST(MessagePacking, KeyLParamBitsMatchWindows) {
  // A first press of the A key: repeat 1, scan 0x1E.
  EXPECT_EQ(KeyLParam(1, 0x1E, false, false, false), 0x001E0001);
  // Its release: previous state and transition bits set.
  EXPECT_EQ(KeyLParam(1, 0x1E, false, true, true), static_cast<std::intptr_t>(0xC01E0001u));
  // The grey Up arrow while Alt is held: extended bit 24 and context bit 29.
  EXPECT_EQ(KeyLParam(1, 0x48, true, false, false, true), 0x21480001);
  // Out-of-range fields are cut to their bit widths instead of corrupting their neighbours.
  EXPECT_EQ(KeyLParam(0x12345, 0x1FF, false, false, false), 0x00FF2345);

  std::intptr_t lParam = KeyLParam(3, 0x53, true, true, true, true);
  EXPECT_EQ(KeyRepeatCount(lParam), 3);
  EXPECT_EQ(KeyScanCode(lParam), 0x53);
  EXPECT_TRUE(KeyIsExtended(lParam));
  EXPECT_TRUE(KeyAltDown(lParam));
  EXPECT_TRUE(KeyWasDown(lParam));
  EXPECT_TRUE(KeyIsRelease(lParam));
  std::intptr_t plain = KeyLParam(1, 0x53, false, false, false);
  EXPECT_FALSE(KeyIsExtended(plain));
  EXPECT_FALSE(KeyAltDown(plain));
  EXPECT_FALSE(KeyWasDown(plain));
  EXPECT_FALSE(KeyIsRelease(plain));
}

TEST(MessagePacking, MouseMessageRangeCoversTheNineButtonMessages) {
  EXPECT_TRUE(IsMouseMessage(WM_MOUSEMOVE));
  EXPECT_TRUE(IsMouseMessage(WM_MBUTTONDBLCLK));
  EXPECT_FALSE(IsMouseMessage(WM_TIMER));
  EXPECT_FALSE(IsMouseMessage(0x020A));
}
