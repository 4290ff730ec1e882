// The game's menu bar driven by recorded messages one turn at a time, as the game's loop drives
// it: sweeping with the pointer, hover, Alt and item letters, arrows, Escape, closing by a press
// outside, the menuOpen flag, and a list kept on the screen.
#include <string>
#include <vector>

#include "engine/session/GameMenuBar.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"
#include "ui/widgets/TextButton.h"

namespace {

// Set-1 scan codes of the keys the tests press.
constexpr int kScanEscape = 0x01;
constexpr int kScanEnter = 0x1C;
constexpr int kScanUp = 0x48;
constexpr int kScanLeft = 0x4B;
constexpr int kScanRight = 0x4D;
constexpr int kScanDown = 0x50;
constexpr int kScanDelete = 0x53;
constexpr int kScanAlt = 0x38;
constexpr int kScanG = 0x22;
constexpr int kScanH = 0x23;
constexpr int kScanN = 0x31;
constexpr int kScanU = 0x16;

std::vector<std::string> g_sounds;
void RecordSound(const char* name) {
  g_sounds.emplace_back(name);
}

// Centres of the four titles and of the Options list's SFX item (no font loaded: every item is
// the built-in font's 16 pixels plus 8 high, the first one 4 pixels under the list's top).
constexpr int kTitleY = 15;
constexpr int kGameX = 100;
constexpr int kOptionsX = 200;
constexpr int kViewX = 300;
constexpr int kHelpX = 400;
constexpr int kListTop = 31;
constexpr int kItemHeight = 24;
int ItemY(int index) {
  return kListTop + 4 + index * kItemHeight + kItemHeight / 2;
}

class MenuTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    screen_ = std::make_unique<UiScreen>(0, 0, 799, 599);
    menus_ = BuildGameMenuBar(screen_.get(), -1, -1, screenBuffer_);
    screen_->Show();
    g_sounds.clear();
    UiSetSoundPlayer(&RecordSound);
  }
  void TearDown() override {
    UiSetSoundPlayer(nullptr);
    screen_.reset();
    UiTest::TearDown();
  }

  void Move(int x, int y) { Turn(*screen_, WM_MOUSEMOVE, 0, MakeLParam(x, y)); }
  void Drag(int x, int y) { Turn(*screen_, WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(x, y)); }
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
  bool Chosen(int command) const {
    return UiInput.event == EV_CLICKED && UiInput.subject == command;
  }

  std::unique_ptr<UiScreen> screen_;
  GameMenus menus_;
};

TEST_F(MenuTest, SweepingWithTheButtonHeldChoosesTheItemUnderTheRelease) {
  // That the list drops only in the turn after the press is MenuBarTest's.
  Press(kOptionsX, kTitleY);
  EXPECT_EQ(g_sounds, std::vector<std::string>({"button.wav"}));

  Drag(kOptionsX + 5, kTitleY);
  EXPECT_TRUE(Shown(menus_.options));
  Drag(kViewX, kTitleY);
  EXPECT_TRUE(Shown(menus_.view));
  EXPECT_FALSE(Shown(menus_.options));
  EXPECT_FALSE(Title(menus_.options)->IsHighlighted());
  Drag(kOptionsX, kTitleY);
  EXPECT_TRUE(Shown(menus_.options));
  EXPECT_FALSE(Shown(menus_.view));

  Drag(250, ItemY(4));
  EXPECT_TRUE(menus_.sfx->IsHighlighted()) << "the highlight follows the held pointer";
  EXPECT_TRUE(menus_.bar->IsOpen());
  Release(250, ItemY(4));
  EXPECT_TRUE(Chosen(kCmdSfx));
  EXPECT_FALSE(menus_.bar->IsOpen());
  EXPECT_FALSE(Shown(menus_.options));
  EXPECT_FALSE(Title(menus_.options)->IsHighlighted());
  EXPECT_TRUE(screen_->NeedsRedraw()) << "the loop must show the restored screen";

  Move(250, ItemY(4));
  EXPECT_EQ(UiInput.event, EV_NONE) << "a choice is made once";
}

TEST_F(MenuTest, ThePointerAloneHighlightsTitlesAndSweepsOpenMenus) {
  Move(kGameX, kTitleY);
  EXPECT_TRUE(Title(menus_.game)->IsHovered());
  EXPECT_TRUE(menus_.bar->IsHot());
  EXPECT_FALSE(Shown(menus_.game));
  EXPECT_FALSE(menus_.bar->IsOpen());
  Move(kGameX, 300);
  EXPECT_FALSE(Title(menus_.game)->IsHovered());

  // A click opens the list; with it open, moving onto another title opens that one instead,
  // and moving over the items highlights them without choosing.
  Click(kGameX, kTitleY);
  EXPECT_TRUE(Shown(menus_.game));
  EXPECT_EQ(UiInput.event, EV_NONE);
  Move(kHelpX, kTitleY);
  EXPECT_TRUE(Shown(menus_.help));
  EXPECT_FALSE(Shown(menus_.game));
  Move(kHelpX, ItemY(1));
  EXPECT_TRUE(menus_.help->HighlightedItem() != nullptr);
  EXPECT_STREQ(menus_.help->HighlightedItem()->GetText(), "About...");
  EXPECT_EQ(UiInput.event, EV_NONE);
  EXPECT_TRUE(menus_.bar->IsOpen());
}

// A press outside, a second press on the open title, Escape or hiding the screen: each closes the
// menu without a choice, and the closing press reaches nothing else.
TEST_F(MenuTest, APressOutsideEscapeOrHidingCloseWithoutAChoice) {
  auto* button = screen_->MakeChild<TextButton>(560, 380, 80, 40, -1, "OK");
  button->Show();
  Click(kGameX, kTitleY);
  ASSERT_TRUE(Shown(menus_.game));
  Move(kGameX, ItemY(2));
  ASSERT_NE(menus_.game->HighlightedItem(), nullptr);
  Press(600, 400);
  EXPECT_FALSE(Shown(menus_.game));
  EXPECT_TRUE(menus_.bar->IsOpen()) << "the closing press must not reach the game";
  EXPECT_EQ(UiInput.event, EV_NONE) << "the button under the press stays inert";
  EXPECT_FALSE(button->IsPressed());
  Release(600, 400);
  EXPECT_FALSE(menus_.bar->IsOpen());
  EXPECT_EQ(UiInput.event, EV_NONE);
  Press(600, 400);
  EXPECT_EQ(UiInput.event, EV_PRESSED) << "with the menu closed the button works again";
  Release(600, 400);

  // A second press on the open title folds it away too.
  Click(kGameX, kTitleY);
  ASSERT_TRUE(Shown(menus_.game));
  Press(kGameX, kTitleY);
  EXPECT_FALSE(Shown(menus_.game));
  Release(kGameX, kTitleY);
  EXPECT_FALSE(menus_.bar->IsOpen());

  AltLetter('G', kScanG);
  ASSERT_TRUE(Shown(menus_.game));
  Key(VK_ESCAPE, kScanEscape);
  EXPECT_FALSE(Shown(menus_.game));
  EXPECT_FALSE(Title(menus_.game)->IsHighlighted());
  EXPECT_FALSE(menus_.bar->IsOpen());
  EXPECT_EQ(UiInput.event, EV_NONE);
  EXPECT_EQ(UiInput.keyState, KS_NONE);

  // A screen hidden with a menu open takes the menu away and frees the other widgets.
  AltLetter('G', kScanG);
  ASSERT_TRUE(menus_.bar->IsOpen());
  screen_->Hide();
  EXPECT_FALSE(Shown(menus_.game));
  EXPECT_FALSE(menus_.bar->IsOpen());
}

TEST_F(MenuTest, AltWithTheTitleLetterOpensAndTheItemLetterChooses) {
  AltLetter('G', kScanG);
  EXPECT_TRUE(Shown(menus_.game));
  EXPECT_TRUE(menus_.bar->IsOpen());
  EXPECT_EQ(g_sounds.size(), 1u);
  Key('N', kScanN);
  EXPECT_TRUE(Chosen(kCmdNewGame));
  EXPECT_FALSE(Shown(menus_.game));
  EXPECT_FALSE(menus_.bar->IsOpen());

  // With Alt released once, Alt with an item's letter chooses it as well.
  AltLetter('G', kScanG);
  ASSERT_TRUE(Shown(menus_.game));
  Turn(*screen_, WM_SYSKEYDOWN, 'U', KeyLParam(1, kScanU, false, false, false, true));
  EXPECT_TRUE(Chosen(kCmdUndo));
  EXPECT_FALSE(Shown(menus_.game));
  Turn(*screen_, WM_SYSKEYUP, 'U', KeyLParam(1, kScanU, false, true, true, true));
  EXPECT_FALSE(menus_.bar->IsOpen());
  EXPECT_FALSE(Title(menus_.game)->IsHighlighted());

  // Alt with another title's letter moves to that menu.
  AltLetter('G', kScanG);
  AltLetter('H', kScanH);
  EXPECT_FALSE(Shown(menus_.game));
  EXPECT_TRUE(Shown(menus_.help));
}

TEST_F(MenuTest, ArrowsMoveBetweenMenusAndItemsAndEnterChooses) {
  AltLetter('H', kScanH);
  ASSERT_TRUE(Shown(menus_.help));
  Key(VK_RIGHT, kScanRight, true);
  EXPECT_TRUE(Shown(menus_.game)) << "Right from the last menu wraps to the first";
  EXPECT_FALSE(Shown(menus_.help));
  EXPECT_FALSE(Title(menus_.help)->IsHighlighted());
  Key(VK_DOWN, kScanDown, true);
  EXPECT_EQ(UiInput.event, EV_DOWN) << "the Down arrow's 'P' must not choose Pause";
  EXPECT_STREQ(menus_.game->HighlightedItem()->GetText(), "Undo");
  Key(VK_LEFT, kScanLeft, true);
  EXPECT_TRUE(Shown(menus_.help));
  Key(VK_RIGHT, kScanRight, true);
  Key(VK_RIGHT, kScanRight, true);
  EXPECT_TRUE(Shown(menus_.options));

  Key(VK_DOWN, kScanDown, true);
  EXPECT_STREQ(menus_.options->HighlightedItem()->GetText(), "Card Front...");
  Key(VK_DOWN, kScanDown, true);
  Key(VK_DOWN, kScanDown, true);
  Key(VK_UP, kScanUp, true);
  EXPECT_STREQ(menus_.options->HighlightedItem()->GetText(), "Card Back...")
      << "the resting pointer does not take the keyboard's highlight";
  EXPECT_EQ(UiInput.event, EV_UP) << "the Up arrow's 'H' is no item letter";
  Key(VK_DELETE, kScanDelete, true);
  EXPECT_EQ(UiInput.event, EV_DELETE) << "the Delete key's 'S' must not choose SFX";
  Key(VK_RETURN, kScanEnter);
  EXPECT_TRUE(Chosen(kCmdCardBack));
  EXPECT_FALSE(menus_.bar->IsOpen());
}

// Where the lists lie under their titles is pinned by the menu golden (GameMenuBarTest) and by
// every click on an item here.
TEST_F(MenuTest, AListNearTheRightEdgeIsKeptOnTheScreen) {
  AltLetter('G', kScanG);
  // A title near the right edge: its list ends at the screen's edge.
  auto* title = menus_.bar->MakeChild<MenuEntry>(0, 0, 97, 0, 96, 23, 700, 2, 96, 29, -1,
                                                 screenBuffer_, kMenuTitleStyle, "&Zed");
  auto* list = title->MakeChild<DropDown>(0, 0, 199, 4, 0, 477, 199, 4, -1);
  EXPECT_EQ(list->GetX() + list->GetWidth(), 800);
  // Captions past the text limit are cut, never overrun.
  const std::string longCaption(5000, 'w');
  MenuEntry* item = list->AddItem(longCaption.c_str(), 4242);
  EXPECT_EQ(item->GetTextLength(), 255);
  title->Show();
  Click(748, kTitleY);
  ASSERT_TRUE(list->IsShown());
  EXPECT_FALSE(Shown(menus_.game));
  Click(700, 31 + 4 + 12);
  EXPECT_TRUE(Chosen(4242));
}

TEST_F(MenuTest, DisabledTitlesAndFixedEntriesCannotBeChosen) {
  Title(menus_.view)->SetDisabled(true);
  Click(kViewX, kTitleY);
  EXPECT_FALSE(Shown(menus_.view));
  EXPECT_FALSE(menus_.bar->IsOpen());

  MenuEntry* separator = menus_.help->AddItem("&Zz", 1999, kMenuItemStyle | kMenuFixedStyle);
  AltLetter('H', kScanH);
  Key('Z', 0x2C);
  EXPECT_EQ(UiInput.event, EV_NONE);
  Key(VK_UP, kScanUp, true);
  EXPECT_NE(menus_.help->HighlightedItem(), separator) << "the arrows pass over it";
  EXPECT_STREQ(menus_.help->HighlightedItem()->GetText(), "Upgrade...");
}

// The Game menu is rebuilt when pausing changes its second item, and that may happen while the
// list is being polled (a handler that runs during the turn). The items taken out must not be
// touched again in that turn; the sanitizer build would report it.
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
  EXPECT_EQ(items->Head()->NextSibling()->GetId(), kCmdPauseResume);

  // The new items serve from the next turn on.
  Key(VK_ESCAPE, kScanEscape);
  EXPECT_FALSE(Shown(menus_.game));
  Click(kGameX, kTitleY);
  ASSERT_TRUE(Shown(menus_.game));
  Click(250, ItemY(1));
  EXPECT_TRUE(Chosen(kCmdPauseResume));
  EXPECT_EQ(rebuilds, 1);
}

}  // namespace
