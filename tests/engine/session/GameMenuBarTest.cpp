// The game's menu bar with the Options list open, drawn with the real theme artwork and fonts
// over the Klondike backdrop, in a velvet and a paper theme, against golden images.
#include <gtest/gtest.h>

#include "engine/session/GameMenuBar.h"
#include "gfx/font/Font.h"
#include "platform/DataDir.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "ui/UiContainer.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

class MenuGoldenTest : public ArtworkTest {
protected:
  void SetUp() override {
    ArtworkTest::SetUp();
    if (!UseGeneratedMedia()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    UiResetInput();
    UiInit(nullptr, screen_, kUiRouteToContainers);
    UiBuildColours();
  }
  void TearDown() override {
    UiSetWidgetArtwork(nullptr);
    UiShutdown();
    // The toolkit keeps the interface font's handle; the fonts go with the fixture.
    UiToolkit.defaultFont = 0;
    ArtworkTest::TearDown();
  }
  static void Turn(UiElement& top, std::uint32_t message, std::uintptr_t wParam, int x, int y) {
    UiRecord(nullptr, message, wParam, MakeLParam(x, y));
    UiPoll(top);
  }
};

TEST_F(MenuGoldenTest, OptionsListOpenWithCheckMarksAndAHighlightedItem) {
  UiSetDefaultFont("windb_10.fgf");
  ASSERT_NE(UiToolkit.defaultFont, 0);
  // The velvet theme lights a plain item, the paper theme a ticked one.
  struct Look {
    int theme;
    int litItem;
    const char* golden;
  };
  for (const Look look :
       {Look{0, 1, "ui/menu_options_open"}, Look{1, 4, "ui/menu_options_open_theme1"}}) {
    SCOPED_TRACE(look.golden);
    ArtworkSet& art = LoadArtwork(look.theme);
    UiSetWidgetArtwork(&art);
    art.DrawGameTitle(12);

    UiScreen screen(0, 0, 799, 599);
    GameMenus menus =
        BuildGameMenuBar(&screen, art.MenuBuffer(), art.MenuColumnBuffer(), art.ScreenBuffer());
    menus.options->AddItem("&Game Settings...", kCmdGameSettings);
    menus.sfx->SetSelected(true);
    menus.autoGameOver->SetSelected(true);
    screen.Show();

    Turn(screen, WM_LBUTTONDOWN, MK_LBUTTON, 200, 15);
    Turn(screen, WM_LBUTTONUP, 0, 200, 15);
    ASSERT_TRUE(menus.options->IsShown());
    const UiElement* lit = menus.options->Children()->Head();
    for (int i = 0; i < look.litItem; ++i) lit = lit->NextSibling();
    Turn(screen, WM_MOUSEMOVE, 0, 250, lit->GetY() + 5);
    ASSERT_EQ(menus.options->HighlightedItem(), lit);

    EXPECT_TRUE(MatchesGolden(look.golden, screen_, 0, 479, 0, 239));

    // Closing the list puts the backdrop back exactly.
    Turn(screen, WM_LBUTTONDOWN, MK_LBUTTON, 600, 400);
    Turn(screen, WM_LBUTTONUP, 0, 600, 400);
    EXPECT_FALSE(menus.options->IsShown());
    for (int y = 40; y < 200; y += 7) {
      ASSERT_EQ(PixelAt(screen_, 250, y), PixelAt(art.BackdropBuffer(), 250, y)) << "row " << y;
    }
    UiSetWidgetArtwork(nullptr);
  }
}

}  // namespace
