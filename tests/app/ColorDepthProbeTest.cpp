// The start-up depth rule: which of the offered 800 x 600 modes the game runs at.
#include "app/ColorDepthProbe.h"

#include <gtest/gtest.h>

TEST(ColorDepthProbe, PicksTheDeepestModeOfTheRightSizeButKeepsTwentyFourBitsOnceFound) {
  EXPECT_EQ(ChooseColorDepth({{800, 600, 8}, {800, 600, 16}}, 800, 600), 16);
  EXPECT_EQ(ChooseColorDepth({{1024, 768, 32}, {800, 600, 16}, {640, 480, 32}}, 800, 600), 16);
  EXPECT_EQ(ChooseColorDepth({{800, 600, 16}, {800, 600, 32}}, 800, 600), 32);
  EXPECT_EQ(ChooseColorDepth({{800, 600, 24}, {800, 600, 32}}, 800, 600), 24);
  EXPECT_EQ(ChooseColorDepth({{800, 600, 32}, {800, 600, 24}}, 800, 600), 32);
  // Missing and too shallow modes are refused.
  EXPECT_EQ(ChooseColorDepth({}, 800, 600), 0);
  EXPECT_EQ(ChooseColorDepth({{800, 600, 64}}, 800, 600), 0);
  EXPECT_LT(ChooseColorDepth({{800, 600, 8}, {800, 600, 15}}, 800, 600), kMinimumColorDepth);
}
