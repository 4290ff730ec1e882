// A menu bar of the toolkit's menu classes alone: it moves with its screen, never leaves
// menuOpen set behind it, and a dialog opened over an open menu takes clicks.
#include <gtest/gtest.h>

#include "tests/ui/DialogTestSupport.h"
#include "ui/UiMessageBox.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"

namespace {

constexpr int kCmdFirst = 1001;
constexpr int kCmdSecond = 1002;

// One bar with two titles 101 pixels apart, each with a list of one item, cut from no picture.
struct TwoMenus {
  MenuBar* bar = nullptr;
  MenuEntry* titles[2] = {};
  DropDown* lists[2] = {};
};

TwoMenus BuildTwoMenus(UiElement* screen, int x, int y) {
  TwoMenus m;
  m.bar = screen->MakeChild<MenuBar>(x, y, 0, 0, 300, 29, -1);
  for (int i = 0; i < 2; ++i) {
    m.titles[i] = m.bar->MakeChild<MenuEntry>(0, 0, 97, 0, 96, 23, x + 101 * i, y, 96, 29, -1, -1,
                                              kMenuTitleStyle, i == 0 ? "&First" : "&Second");
    m.lists[i] = m.titles[i]->MakeChild<DropDown>(0, 0, 199, 4, 0, 477, 199, 4, -1);
    m.lists[i]->AddItem("&Item", i == 0 ? kCmdFirst : kCmdSecond);
  }
  return m;
}

class MenuBarTest : public DialogTest {
protected:
  void TearDown() override {
    UiToolkit.menuOpen = 0;
    DialogTest::TearDown();
  }
};

TEST_F(MenuBarTest, BarTitlesAndListsMoveWithTheirScreen) {
  ProbePanel panel(nullptr, 0, 0, 500, 300);
  TwoMenus m = BuildTwoMenus(&panel, 10, 5);
  panel.Center();  // by (150, 150)
  EXPECT_EQ(m.bar->GetX(), 160);
  EXPECT_EQ(m.lists[1]->GetX(), 261);
  EXPECT_EQ(m.lists[1]->GetY(), 184);
  // A press where the second title is drawn now opens its list there.
  panel.Show();
  Click(panel, 301, 165);
  ASSERT_TRUE(m.lists[1]->IsShown());
  const UiElement* item = m.lists[1]->Children()->Head();
  EXPECT_EQ(item->GetY(), m.lists[1]->GetY() + 4);
  Click(panel, item->GetX() + 20, item->GetY() + 5);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, kCmdSecond);
  panel.Hide();
}

// A title pressed in the same turn has raised menuOpen before its list shows.
TEST_F(MenuBarTest, HidingOrDestroyingTheBarNeverLeavesMenuOpenSet) {
  UiScreen screen(0, 0, 799, 599);
  TwoMenus m = BuildTwoMenus(&screen, 54, 2);
  screen.Show();
  Press(screen, 100, 15);
  ASSERT_NE(UiToolkit.menuOpen, 0u);
  ASSERT_FALSE(m.lists[0]->IsShown()) << "the list opens next turn";
  m.bar->Hide();
  EXPECT_EQ(UiToolkit.menuOpen, 0u) << "Hide";
  m.bar->Show();
  Release(screen, 100, 15);
  Press(screen, 200, 15);
  ASSERT_NE(UiToolkit.menuOpen, 0u);
  screen.DestroyChild(m.bar);
  EXPECT_EQ(UiToolkit.menuOpen, 0u) << "destruction";
  // A bar with nothing open leaves somebody else's open list alone.
  TwoMenus idle = BuildTwoMenus(&screen, 54, 2);
  UiToolkit.menuOpen = 0xFFFFFFFFu;
  idle.bar->Hide();
  EXPECT_EQ(UiToolkit.menuOpen, 0xFFFFFFFFu);
}

// A title then an item within the double-click time: the second press still chooses.
TEST_F(MenuBarTest, AQuickSecondClickChoosesAnItem) {
  UiScreen screen(0, 0, 799, 599);
  TwoMenus m = BuildTwoMenus(&screen, 54, 2);
  screen.Show();
  Click(screen, 100, 15);
  ASSERT_TRUE(m.lists[0]->IsShown());
  Turn(screen, WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(100, 45));
  Release(screen, 100, 45);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, kCmdFirst);
  EXPECT_EQ(UiToolkit.menuOpen, 0u);
}

// The end-of-game box opens from the score timer, also over an open menu or one that then goes.
TEST_F(MenuBarTest, ADialogOverAnOpenMenuAnswersClicksAndLeavesTheMenuAsItIsThen) {
  UiScreen screen(0, 0, 799, 599);
  TwoMenus m = BuildTwoMenus(&screen, 54, 2);
  screen.Show();
  Click(screen, 100, 15);
  const std::uint32_t open = UiToolkit.menuOpen;
  ASSERT_NE(open, 0u);
  UiMessageBox box(nullptr, "", 0x10, "There are no moves left.");
  input_->ClickAt(In(100), box.GetX() + box.GetWidth() / 2, box.GetY() + 55 + 15);
  EXPECT_EQ(box.DoModal(), 1);
  EXPECT_EQ(UiToolkit.menuOpen, open) << "the menu beneath is as it was";
  EXPECT_TRUE(m.lists[0]->IsShown());
  SetTimer(5, 50);
  SetWindowProc([&](std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
    if (message == WM_TIMER && wParam == 5 && m.bar != nullptr) {
      screen.DestroyChild(m.bar);
      m.bar = nullptr;
    }
    return std::intptr_t{0};
  });
  input_->KeyAt(In(200), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(box.DoModal(), 1);
  EXPECT_EQ(m.bar, nullptr);
  EXPECT_EQ(UiToolkit.menuOpen, 0u);
}

}  // namespace
