// The window size chosen for the desktop it opens on.
#include "platform/WindowFit.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMinW = 200;
constexpr int kMinH = 150;

TEST(WindowFit, TheLargestWholeStepThatFitsUpToTheOneAskedFor) {
  WindowFit big = ChooseWindowFit(2, 2560, 1400, 0, 0, kMinW, kMinH);
  EXPECT_EQ(big.scale, 2);
  EXPECT_EQ(big.width, 1600);
  EXPECT_EQ(big.height, 1200);
  // Room for three steps across but only one down: the tighter side decides.
  WindowFit wide = ChooseWindowFit(3, 2560, 1199, 0, 0, kMinW, kMinH);
  EXPECT_EQ(wide.scale, 1);
  EXPECT_EQ(wide.width, 800);
  // A 1024 x 768 desktop takes one step however many are asked for.
  EXPECT_EQ(ChooseWindowFit(2, 1024, 768, 0, 0, kMinW, kMinH).scale, 1);
  EXPECT_EQ(ChooseWindowFit(8, 1024, 768, 0, 0, kMinW, kMinH).width, 800);
  // Exactly the size of two steps fits.
  EXPECT_EQ(ChooseWindowFit(2, 1600, 1200, 0, 0, kMinW, kMinH).scale, 2);
}

TEST(WindowFit, TheFrameCountsAgainstTheDesktop) {
  // Two steps fill 1600 x 1200 exactly; a title bar on top no longer fits.
  WindowFit framed = ChooseWindowFit(2, 1600, 1200, 2, 24, kMinW, kMinH);
  EXPECT_EQ(framed.scale, 1);
  EXPECT_EQ(framed.height, 600);
}

TEST(WindowFit, ADesktopSmallerThanOneStepGetsTheLargestWindowOfTheSameShape) {
  WindowFit small = ChooseWindowFit(1, 640, 480, 0, 0, kMinW, kMinH);
  EXPECT_EQ(small.scale, 0);
  EXPECT_EQ(small.width, 640);
  EXPECT_EQ(small.height, 480);
  // Wide and short: the height decides, the shape stays 4:3.
  WindowFit shortDesk = ChooseWindowFit(1, 1280, 500, 0, 10, kMinW, kMinH);
  EXPECT_EQ(shortDesk.width, 653);
  EXPECT_EQ(shortDesk.height, 489);
  // Never below the smallest window the picture can be used in.
  WindowFit tiny = ChooseWindowFit(1, 100, 60, 0, 0, kMinW, kMinH);
  EXPECT_EQ(tiny.width, kMinW);
  EXPECT_EQ(tiny.height, kMinH);
}

TEST(WindowFit, AnUnknownDesktopLeavesTheRequestAlone) {
  WindowFit unknown = ChooseWindowFit(3, 0, 0, 0, 0, kMinW, kMinH);
  EXPECT_EQ(unknown.scale, 3);
  EXPECT_EQ(unknown.width, 2400);
  EXPECT_EQ(unknown.height, 1800);
}

TEST(WindowFit, TheNoteSaysWhatWasAskedAndWhatIsUsed) {
  EXPECT_EQ(WindowFitNote(1, 1), "");
  EXPECT_EQ(WindowFitNote(2, 2), "");
  EXPECT_EQ(WindowFitNote(2, 1), "--scale 2 does not fit on this desktop; using 1");
  EXPECT_NE(WindowFitNote(1, 0).find("smaller than 800 x 600"), std::string::npos);
}

}  // namespace
