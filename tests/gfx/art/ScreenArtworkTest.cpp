// Screen artwork from the generated media: theme switching, dialog frames (golden images), the
// in-game title and restoring the background.
#include <gtest/gtest.h>

#include "gfx/art/ArtworkFiles.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"

namespace {

class ScreenArtworkTest : public ArtworkTest {
protected:
  void SetUp() override {
    ArtworkTest::SetUp();
    if (!UseGeneratedMedia()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  }
};

TEST_F(ScreenArtworkTest, ThemeSwitchBringsItsCheckMarks) {
  ArtworkSet& art = LoadArtwork(2);
  EXPECT_EQ(GfxActiveBuffer(), screen_) << "drawing goes back to the screen after a theme load";
  const int checks = LoadPicture("artwork\\checks.bmp", 15, 52);
  EXPECT_EQ(Differences(art.MenuColumnBuffer(), 201, 0, checks, 0, 0, 15, 13), 0);
  int chosen = 3;
  art.SetBackgroundSource([&chosen] { return chosen; });
  art.LoadTheme(-1);
  EXPECT_EQ(art.BackgroundIndex(), 3);
  EXPECT_EQ(Differences(art.MenuColumnBuffer(), 201, 0, checks, 0, 26, 15, 13), 0);
  chosen = 9;  // a damaged preference falls back to the first theme
  art.LoadTheme(-1);
  EXPECT_EQ(art.BackgroundIndex(), 0);
}

TEST_F(ScreenArtworkTest, DialogFramesKeepTheSkinBorderAtAnySize) {
  // The frame's right and bottom edges come from the skin's border, not from its interior.
  ArtworkSet& art = LoadArtwork(0);
  const int medium = Canvas(260, 170, 0, 0, 0);
  art.DrawDialogFrame(10, 10, 240, 150, medium);
  EXPECT_TRUE(MatchesGolden("artwork/dialog_frame_240x150", medium, 0, 259, 0, 169));
  // A small frame in a paper theme, the size of the score box.
  art.LoadTheme(1);
  const int small = Canvas(150, 70, 0, 0, 0);
  art.DrawDialogFrame(10, 10, 130, 50, small);
  EXPECT_TRUE(MatchesGolden("artwork/dialog_frame_130x50_theme1", small, 0, 149, 0, 69));
}

TEST_F(ScreenArtworkTest, GameTitleIsLetteredIntoTheBackdropOnly) {
  ArtworkSet& art = LoadArtwork(0);
  const int plain = Canvas(800, 600, 0, 0, 0);
  ASSERT_EQ(ShowJpegInBuffer(plain, "artwork\\backdrop1.jpg"), 0);
  art.DrawGameTitle(12);  // Klondike: width 287, so columns 257..544, rows 35..68
  EXPECT_EQ(Differences(screen_, 0, 0, plain, 0, 0, 800, 600), 0)
      << "the screen gets the backdrop as it was before the title";
  const int backdrop = art.BackdropBuffer();
  const int inside = Differences(backdrop, 257, 35, plain, 257, 35, 288, 34);
  EXPECT_GT(inside, 500);
  EXPECT_EQ(Differences(backdrop, 0, 0, plain, 0, 0, 800, 600), inside) << "outside the title";
  // Restoring a rectangle that reaches past the screen copies just its visible part.
  GfxOpenBuffer(screen_);
  GfxSetColor(GfxMapRGB(1, 2, 3));
  GfxClear();
  art.RestoreBackground(700, 900, -20, 80);
  EXPECT_EQ(Differences(screen_, 700, 0, backdrop, 700, 0, 100, 81), 0);
  EXPECT_EQ(PixelAt(screen_, 699, 40), 0x010203u);
  EXPECT_EQ(PixelAt(screen_, 750, 81), 0x010203u);
  EXPECT_EQ(GfxActiveBuffer(), screen_);
}

}  // namespace
