// The game's menu bar with the Options list open, drawn with the real theme artwork and fonts
// over the Klondike backdrop, in a velvet and a paper theme, against golden images.
#include <gtest/gtest.h>

#include "engine/session/GameMenuBar.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuEntry.h"

namespace {

using MenuGoldenTest = DialogTest;

TEST_F(MenuGoldenTest, OptionsListOpenWithCheckMarksAndAHighlightedItem) {
  // The velvet theme lights a plain item, the paper theme a ticked one.
  struct Look {
    int theme;
    int litItem;
    const char* golden;
  };
  for (const Look look :
       {Look{0, 1, "ui/menu_options_open"}, Look{1, 4, "ui/menu_options_open_theme1"}}) {
    SCOPED_TRACE(look.golden);
    if (!UseArtwork(look.theme)) QS_SKIP_MISSING("no generated media with the theme artwork");
    art_->DrawGameTitle(12);

    UiScreen screen(0, 0, 799, 599);
    GameMenus menus =
        BuildGameMenuBar(&screen, art_->MenuBuffer(), art_->MenuColumnBuffer(), screenBuffer_);
    menus.options->AddItem("&Game Settings...", kCmdGameSettings);
    menus.sfx->SetSelected(true);
    menus.autoGameOver->SetSelected(true);
    screen.Show();

    Click(screen, 200, 15);
    ASSERT_TRUE(menus.options->IsShown());
    const UiElement* lit = menus.options->Children()->Head();
    for (int i = 0; i < look.litItem; ++i) lit = lit->NextSibling();
    Turn(screen, WM_MOUSEMOVE, 0, MakeLParam(250, lit->GetY() + 5));
    ASSERT_EQ(menus.options->HighlightedItem(), lit);

    EXPECT_TRUE(MatchesGolden(look.golden, screenBuffer_, 0, 479, 0, 239));

    // Closing the list puts the backdrop back exactly.
    Click(screen, 600, 400);
    EXPECT_FALSE(menus.options->IsShown());
    for (int y = 40; y < 200; y += 7) {
      ASSERT_EQ(PixelAt(screenBuffer_, 250, y), PixelAt(art_->BackdropBuffer(), 250, y))
          << "row " << y;
    }
  }
}

}  // namespace
