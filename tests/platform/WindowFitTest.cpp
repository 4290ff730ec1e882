// The window size chosen for the desktop it opens on.
#include "platform/WindowFit.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowFit, TheLargestWholeStepThatFitsOrTheLargestWindowOfTheSameShape) {
  struct Case {
    int requested, deskW, deskH, frameW, frameH;
    int scale, width, height;
  };
  const Case cases[] = {
      {2, 2560, 1400, 0, 0, 2, 1600, 1200},
      {3, 2560, 1199, 0, 0, 1, 800, 600},    // room for three steps across, one down
      {0, 1024, 768, 0, 0, 1, 800, 600},     // at least one step is asked for
      {2, 1600, 1200, 0, 0, 2, 1600, 1200},  // exactly two steps fit
      {2, 1600, 1200, 2, 24, 1, 800, 600},   // a title bar on top no longer does
      // Smaller than one step: the shape stays 4:3, the tighter side decides.
      {1, 1280, 500, 0, 10, 0, 653, 489},
      {1, 100, 60, 0, 0, 0, 200, 150},  // never below the smallest usable window
      {3, 0, 0, 0, 0, 3, 2400, 1800},   // an unknown desktop leaves the request alone
  };
  for (const Case& c : cases) {
    const WindowFit fit = ChooseWindowFit(c.requested, c.deskW, c.deskH, c.frameW, c.frameH,
                                          /*minWidth=*/200, /*minHeight=*/150);
    EXPECT_EQ(fit.scale, c.scale) << c.requested << " on " << c.deskW << " x " << c.deskH;
    EXPECT_EQ(fit.width, c.width) << c.requested << " on " << c.deskW << " x " << c.deskH;
    EXPECT_EQ(fit.height, c.height) << c.requested << " on " << c.deskW << " x " << c.deskH;
  }
}

TEST(WindowFit, TheNoteSaysWhatWasAskedAndWhatIsUsed) {
  EXPECT_EQ(WindowFitNote(2, 2), "");
  EXPECT_EQ(WindowFitNote(2, 1), "--scale 2 does not fit on this desktop; using 1");
  EXPECT_NE(WindowFitNote(1, 0).find("smaller than 800 x 600"), std::string::npos);
}

}  // namespace
