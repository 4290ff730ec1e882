// The toolkit demonstration's dialog with one of every widget, in the real theme over the backdrop,
// against a golden. Shown and closed in the real program by smoke-test; typing is
// WidgetsEditTest's.
#include "app/WidgetGallery.h"

#include <gtest/gtest.h>

#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
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

}  // namespace
