// The toolkit demonstration's dialog with one of every widget, drawn in the real theme over the
// backdrop, against a golden image; and driven once through its modal loop.
#include "app/WidgetGallery.h"

#include <gtest/gtest.h>

#include "platform/DataDir.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

class WidgetGalleryTest : public ArtworkTest {
protected:
  void SetUp() override {
    ArtworkTest::SetUp();
    if (!UseGeneratedMedia()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    UiResetInput();
    UiInit(nullptr, screen_, kUiLoadFonts | kUiRouteToContainers);
    UiSetDefaultFont("windb_10.fgf");
    UiSetDialogFont("systm12.fgf");
    UiSetBoldDialogFont("systm12b.fgf");
    UiSetAppActive(true);
  }
  void TearDown() override {
    UiSetWidgetArtwork(nullptr);
    UiShutdown();
    ArtworkTest::TearDown();
  }
};

TEST_F(WidgetGalleryTest, EveryWidgetInTheThemeMatchesTheGolden) {
  ArtworkSet& art = LoadArtwork(0);
  UiSetWidgetArtwork(&art);
  UiBuildColours();
  art.DrawGameTitle(12);
  WidgetGallery gallery(art.TitleButtonBuffer());
  gallery.Show();
  EXPECT_TRUE(MatchesGolden("ui/widget_gallery", screen_, gallery.GetX(),
                            gallery.GetX() + gallery.GetWidth() - 1, gallery.GetY(),
                            gallery.GetY() + gallery.GetHeight() - 1));
  gallery.Hide();
}

TEST_F(WidgetGalleryTest, TypingIntoTheNameFieldThenOkEndsWithResultOne) {
  ArtworkSet& art = LoadArtwork(1);
  UiSetWidgetArtwork(&art);
  UiBuildColours();
  WidgetGallery gallery(art.TitleButtonBuffer());
  const int fieldX = gallery.NameField()->GetX() + 5;
  const int fieldY = gallery.NameField()->GetY() + 5;
  const int okX = gallery.OkButton()->GetX() + 10;
  const int okY = gallery.OkButton()->GetY() + 10;
  // A click into the field, End, two letters, then a click on OK: each message is one turn.
  PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(fieldX, fieldY));
  PostMessage(WM_LBUTTONUP, 0, MakeLParam(fieldX, fieldY));
  PostMessage(WM_KEYDOWN, VK_END, KeyLParam(1, 0x4F, true, false, false));
  PostMessage(WM_KEYDOWN, 'Q', KeyLParam(1, 0x10, false, false, false));
  PostMessage(WM_KEYDOWN, 'S', KeyLParam(1, 0x1F, false, false, false));
  PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(okX, okY));
  PostMessage(WM_LBUTTONUP, 0, MakeLParam(okX, okY));
  EXPECT_EQ(gallery.DoModal(), 1);
  EXPECT_STREQ(gallery.NameField()->GetText(), "Velvetqs");
}

}  // namespace
