// The game's menu bar driven turn by turn by pointer, arrows and Escape, and its look when open.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/session/GameMenuBar.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"
#include "ui/widgets/TextButton.h"

namespace {

// Set-1 scan codes of the keys the tests press.
constexpr int kScanUp = 0x48, kScanLeft = 0x4B, kScanRight = 0x4D, kScanDown = 0x50,
              kScanDelete = 0x53, kScanAlt = 0x38, kScanG = 0x22, kScanH = 0x23;

// Centres of the titles and items (no font loaded: items 24 high, the first 4 under the top at 31).
constexpr int kTitleY = 15, kGameX = 100, kHelpX = 400;
int ItemY(int index) {
  return 31 + 4 + index * 24 + 12;
}

class MenuTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    screen_ = std::make_unique<UiScreen>(0, 0, 799, 599);
    menus_ = BuildGameMenuBar(screen_.get(), -1, -1, screenBuffer_);
    screen_->Show();
  }
  void TearDown() override {
    screen_.reset();
    UiTest::TearDown();
  }

  void Move(int x, int y) { Turn(*screen_, WM_MOUSEMOVE, 0, MakeLParam(x, y)); }
  void Press(int x, int y) { Turn(*screen_, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y)); }
  void Release(int x, int y) { Turn(*screen_, WM_LBUTTONUP, 0, MakeLParam(x, y)); }
  void Click(int x, int y) { UiTest::Click(*screen_, x, y); }
  void Key(std::uint32_t vk, int scan, bool extended = false) {
    Turn(*screen_, WM_KEYDOWN, vk, KeyDownParam(scan, extended));
  }
  // Alt with a letter as the window sees it: Alt goes down, the letter goes down and up as
  // system keys, and Alt's own release is not recorded by the game's loop.
  void AltLetter(char letter, int scan) {
    Turn(*screen_, WM_SYSKEYDOWN, VK_MENU, KeyLParam(1, kScanAlt, false, false, false, true));
    Turn(*screen_, WM_SYSKEYDOWN, static_cast<std::uintptr_t>(letter),
         KeyLParam(1, scan, false, false, false, true));
    Turn(*screen_, WM_SYSKEYUP, static_cast<std::uintptr_t>(letter),
         KeyLParam(1, scan, false, true, true, true));
    TrackKeyMessage(Message{WM_KEYUP, VK_MENU, KeyUpParam(kScanAlt), 0, true});
  }

  static MenuEntry* Title(const DropDown* list) {
    return dynamic_cast<MenuEntry*>(list->GetParent());
  }
  static bool Shown(const DropDown* list) { return list->IsShown(); }
  static bool Chosen(int command) {
    return UiInput.event == EV_CLICKED && UiInput.subject == command;
  }
  static const char* Lit(const DropDown* list) {
    return list->HighlightedItem() != nullptr ? list->HighlightedItem()->GetText() : "";
  }

  std::unique_ptr<UiScreen> screen_;
  GameMenus menus_;
};

// Each closes the menu without a choice, and the closing press reaches nothing else.
TEST_F(MenuTest, APressOutsideEscapeOrHidingCloseWithoutAChoice) {
  auto* button = screen_->MakeChild<TextButton>(560, 380, 80, 40, -1, "OK");
  button->Show();
  // With a list open the pointer alone moves to another title and lights items without choosing.
  Click(kGameX, kTitleY);
  Move(kHelpX, kTitleY);
  EXPECT_TRUE(Shown(menus_.help));
  EXPECT_FALSE(Shown(menus_.game));
  Move(kHelpX, ItemY(1));
  EXPECT_STREQ(Lit(menus_.help), "About...");
  EXPECT_EQ(UiInput.event, EV_NONE);
  Press(600, 400);
  EXPECT_FALSE(Shown(menus_.help));
  EXPECT_TRUE(menus_.bar->IsOpen()) << "the closing press must not reach the game";
  EXPECT_FALSE(button->IsPressed()) << "the button under the press stays inert";
  Release(600, 400);
  EXPECT_FALSE(menus_.bar->IsOpen());
  EXPECT_EQ(UiInput.event, EV_NONE);
  Press(600, 400);
  EXPECT_EQ(UiInput.event, EV_PRESSED) << "with the menu closed the button works again";
  Release(600, 400);
  AltLetter('G', kScanG);
  Key(VK_ESCAPE, kScanEscape);
  EXPECT_FALSE(Shown(menus_.game));
  EXPECT_FALSE(Title(menus_.game)->IsHighlighted());
  EXPECT_FALSE(menus_.bar->IsOpen());
  EXPECT_EQ(UiInput.keyState, KS_NONE);
}

TEST_F(MenuTest, ArrowsMoveBetweenMenusAndItemsAndEnterChooses) {
  AltLetter('H', kScanH);
  Key(VK_RIGHT, kScanRight, true);
  EXPECT_TRUE(Shown(menus_.game)) << "Right from the last menu wraps to the first";
  EXPECT_FALSE(Shown(menus_.help));
  EXPECT_FALSE(Title(menus_.help)->IsHighlighted());
  Key(VK_DOWN, kScanDown, true);
  EXPECT_EQ(UiInput.event, EV_DOWN) << "the Down arrow's 'P' must not choose Pause";
  EXPECT_STREQ(Lit(menus_.game), "Undo");
  Key(VK_LEFT, kScanLeft, true);
  EXPECT_TRUE(Shown(menus_.help));
  Key(VK_RIGHT, kScanRight, true);
  Key(VK_RIGHT, kScanRight, true);
  EXPECT_TRUE(Shown(menus_.options));
  Key(VK_DOWN, kScanDown, true);
  EXPECT_STREQ(Lit(menus_.options), "Card Front...");
  Key(VK_DOWN, kScanDown, true);
  Key(VK_DOWN, kScanDown, true);
  Key(VK_UP, kScanUp, true);
  EXPECT_STREQ(Lit(menus_.options), "Card Back...")
      << "the resting pointer does not take the keyboard's highlight";
  EXPECT_EQ(UiInput.event, EV_UP) << "the Up arrow's 'H' is no item letter";
  Key(VK_DELETE, kScanDelete, true);
  EXPECT_EQ(UiInput.event, EV_DELETE) << "the Delete key's 'S' must not choose SFX";
  Key(VK_RETURN, kScanEnter);
  EXPECT_TRUE(Chosen(kCmdCardBack));
  EXPECT_FALSE(menus_.bar->IsOpen());
}

// Pausing rebuilds the Game menu while it is polled; its old items must not be touched again.
TEST_F(MenuTest, RebuildingTheGameMenuWhileItIsPolledTouchesNoFreedItem) {
  Click(kGameX, kTitleY);
  ASSERT_TRUE(Shown(menus_.game));
  // The rebuilding handler sits second in the list, so old items follow it in the same turn.
  auto hook = std::make_unique<HookWidget>(menus_.game, 0, 0);
  ChildList* items = menus_.game->Children();
  menus_.game->RemoveChild(hook.get());
  items->Rewind();
  ASSERT_TRUE(items->Insert(hook.get()));
  int rebuilds = 0;
  hook->hook = [this, &rebuilds] {
    ++rebuilds;
    FillGameMenu(menus_.game, true);
  };
  Move(250, ItemY(2));
  EXPECT_EQ(rebuilds, 1);
  ASSERT_EQ(items->Count(), 6u);
  EXPECT_FALSE(items->Contains(hook.get()));
  EXPECT_STREQ(items->Head()->NextSibling()->GetText(), "Resume");
  // The new items serve from the next turn on.
  Key(VK_ESCAPE, kScanEscape);
  Click(kGameX, kTitleY);
  Click(250, ItemY(1));
  EXPECT_TRUE(Chosen(kCmdPauseResume));
  EXPECT_EQ(rebuilds, 1);
}

using MenuGoldenTest = DialogTest;

TEST_F(MenuGoldenTest, OptionsListOpenWithCheckMarksAndAHighlightedItem) {
  // The velvet theme lights a plain item, the paper theme a ticked one. That closing puts the
  // pixels back is UiSaveUnderTest's.
  for (const auto& [theme, litItem, golden] :
       {std::tuple{0, 1, "ui/menu_options_open"}, {1, 4, "ui/menu_options_open_theme1"}}) {
    SCOPED_TRACE(golden);
    if (!UseArtwork(theme)) QS_SKIP_MISSING("no generated media with the theme artwork");
    art_->DrawGameTitle(12);
    UiScreen screen(0, 0, 799, 599);
    GameMenus menus =
        BuildGameMenuBar(&screen, art_->MenuBuffer(), art_->MenuColumnBuffer(), screenBuffer_);
    menus.options->AddItem("&Game Settings...", kCmdGameSettings);
    menus.sfx->SetSelected(true);
    menus.autoGameOver->SetSelected(true);
    screen.Show();
    Click(screen, 200, 15);
    const UiElement* lit = menus.options->Children()->Head();
    for (int i = 0; i < litItem; ++i) lit = lit->NextSibling();
    Turn(screen, WM_MOUSEMOVE, 0, MakeLParam(250, lit->GetY() + 5));
    ASSERT_EQ(menus.options->HighlightedItem(), lit);
    EXPECT_TRUE(MatchesGolden(golden, screenBuffer_, 0, 479, 0, 239));
  }
}

}  // namespace
