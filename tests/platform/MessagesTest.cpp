// Message parameters packed and unpacked bit for bit as Windows does it.
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(MessagePacking, PositionsRoundTripAndTheirWordsAreTheRawHalves) {
  for (const auto& [x, y] : {std::pair{0, 0}, {799, 599}, {-1, 5}, {5, -1}, {-32768, 32767}}) {
    EXPECT_EQ(GetXLParam(MakeLParam(x, y)), x) << x << "," << y;
    EXPECT_EQ(GetYLParam(MakeLParam(x, y)), y) << x << "," << y;
  }
  // A negative x must not spill into y: the halves are masked, then zero-extended.
  const std::intptr_t negative = MakeLParam(-1, 2);
  EXPECT_EQ(negative, 0x0002FFFF);
  EXPECT_EQ(LoWord(static_cast<std::uintptr_t>(negative)), 0xFFFF);
  EXPECT_EQ(HiWord(static_cast<std::uintptr_t>(negative)), 2);
  EXPECT_EQ(MakeLParam(0, -1), static_cast<std::intptr_t>(0xFFFF0000u));
}

TEST(MessagePacking, KeyLParamBitsMatchWindows) {
  EXPECT_EQ(KeyLParam(1, 0x1E, false, false, false), 0x001E0001);  // the A key pressed
  EXPECT_EQ(KeyLParam(1, 0x1E, false, true, true), static_cast<std::intptr_t>(0xC01E0001u));
  EXPECT_EQ(KeyLParam(1, 0x48, true, false, false, true), 0x21480001);  // grey Up under Alt
  // Out-of-range fields are cut to their bit widths instead of corrupting their neighbours.
  EXPECT_EQ(KeyLParam(0x12345, 0x1FF, false, false, false), 0x00FF2345);
  const std::intptr_t all = KeyLParam(3, 0x53, true, true, true, true);
  EXPECT_EQ(std::tuple(KeyRepeatCount(all), KeyScanCode(all), KeyIsExtended(all), KeyAltDown(all),
                       KeyWasDown(all), KeyIsRelease(all)),
            std::tuple(3, 0x53, true, true, true, true));
}
