// What loading artwork leaves behind for its caller: the drawing colour, the pointer shape, and a
// dialog skin that belongs to the artwork set that loaded it.
#include <gtest/gtest.h>

#include "gfx/art/ArtworkFiles.h"
#include "platform/DataDir.h"
#include "platform/Window.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"

namespace {

class ArtworkStateTest : public ArtworkTest {
protected:
  void TearDown() override {
    SetCursor(CursorShape::Arrow);
    ArtworkTest::TearDown();
  }
};

TEST_F(ArtworkStateTest, LoadingCardPicturesKeepsTheCallersColour) {
  // Missing media must not matter: the samples are keyed to magenta before any file is read.
  SetDataDir("/nonexistent-media");
  const Color ink = GfxMapRGB(10, 20, 30);
  GfxSetColor(ink);
  art_ = std::make_unique<ArtworkSet>();
  art_->Load(screen_, 1);
  EXPECT_EQ(GfxGetColor(), ink) << "Load";
  art_->MakeDeckSamples();
  EXPECT_EQ(GfxGetColor(), ink) << "MakeDeckSamples";
  art_->LoadDecks();
  art_->LoadTheme(2);
  EXPECT_EQ(GfxGetColor(), ink) << "LoadDecks and LoadTheme";
  // A caller that goes on filling gets its own colour, not see-through magenta.
  GfxFillRect(0, 3, 0, 3);
  EXPECT_EQ(PixelAt(screen_, 2, 2), 0x0A141Eu);
}

TEST_F(ArtworkStateTest, ThemeLoadPutsBackThePointerItFound) {
  SetDataDir("/nonexistent-media");
  art_ = std::make_unique<ArtworkSet>();
  art_->Load(screen_, 1);
  // The player-select dialog may already show the hourglass while a theme loads.
  SetCursor(CursorShape::Wait);
  art_->LoadTheme(0);
  EXPECT_EQ(CurrentCursor(), CursorShape::Wait);
  SetCursor(CursorShape::Arrow);
  art_->LoadTheme(1);
  EXPECT_EQ(CurrentCursor(), CursorShape::Arrow);
}

TEST_F(ArtworkStateTest, EachArtworkSetOwnsItsDialogSkin) {
  if (!UseGeneratedMedia()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  ArtworkSet& art = LoadArtwork(0);
  const int skin = DialogSkinBuffer();
  ASSERT_GE(skin, 0);
  const int expected = LoadPicture("artwork\\dialog1.bmp", 801, 741);
  {
    // A second set (a test, a preview) lives and dies without taking the first one's skin.
    ArtworkSet other;
    other.Load(screen_, 1);
    other.LoadTheme(1);
    EXPECT_NE(DialogSkinBuffer(), skin) << "the newest set's skin serves the dialogs";
  }
  EXPECT_EQ(DialogSkinBuffer(), skin);
  ASSERT_NE(GfxGetBufferView(skin).pixels, nullptr) << "the first set's skin was freed";
  EXPECT_EQ(Differences(skin, 0, 0, expected, 0, 0, 800, 735), 0)
      << "the first set's skin was overwritten";
  const int canvas = Canvas(420, 320, 0, 0, 0);
  art.DrawDialogFrame(10, 10, 400, 300, canvas);
  EXPECT_EQ(Differences(canvas, 10, 10, expected, 0, 0, 392, 292), 0);
  art_.reset();
  EXPECT_EQ(DialogSkinBuffer(), -1) << "no artwork, no skin";
}

}  // namespace
