// Container dispatch driven by recorded messages: focus order with Tab and Shift+Tab, focus taken
// by a press, routing to nested containers, showing and hiding over a parent, the redraw cycle.
#include <vector>

#include "tests/ui/widgets/WidgetTestSupport.h"

namespace {

class UiContainerTest : public WidgetTest {
protected:
  void PressTab() { Key(VK_TAB, 0x0F); }
  void PressShiftTab() {
    TrackKeyMessage(Message{WM_KEYDOWN, VK_SHIFT, KeyDownParam(0x2A), 0, true});
    PressTab();
    TrackKeyMessage(Message{WM_KEYUP, VK_SHIFT, KeyUpParam(0x2A), 0, true});
  }
  UiElement* Mark() const { return screen_->Children()->Mark(); }
};

TEST_F(UiContainerTest, TabSkipsNonTabStopsAndDisabledAndWraps) {
  ProbeWidget a(screen_.get(), 0, 0), bar(screen_.get(), 50, 0), b(screen_.get(), 100, 0),
      off(screen_.get(), 150, 0), c(screen_.get(), 200, 0);
  bar.SetStyle(kUiStyleNoTabStop);
  off.SetDisabled(true);
  screen_->Show();
  // After each press the mark alone has the focus; both ways wrap round.
  const struct {
    bool back;
    ProbeWidget* mark;
  } presses[] = {{false, &b}, {false, &c}, {false, &a}, {true, &c}, {true, &b}, {true, &a}};
  for (const auto& p : presses) {
    if (p.back) {
      PressShiftTab();
    } else {
      PressTab();
    }
    EXPECT_EQ(UiInput.event, p.back ? EV_BACK_TAB : EV_TAB);
    EXPECT_EQ(Mark(), p.mark);
    for (const ProbeWidget* w : {&a, &bar, &b, &off, &c}) {
      EXPECT_EQ(w->GetFocus(), w == p.mark ? kUiKeyboardFocus : kUiNoFocus);
    }
  }
  EXPECT_TRUE(screen_->NeedsRedraw());
  // Only disabled elements and non-tab-stops besides the mark: the mark keeps the focus.
  b.SetDisabled(true);
  c.SetDisabled(true);
  PressTab();
  EXPECT_EQ(Mark(), &a);
  EXPECT_EQ(a.GetFocus(), kUiKeyboardFocus);
}

// Showing passes the focus over a disabled first widget and a non-tab-stop, to nobody when all
// are disabled; a lone non-tab-stop still takes it from Tab, but not once disabled.
TEST_F(UiContainerTest, ShowingAndTabbingPassOverWhatCannotTakeTheFocus) {
  for (const bool allDisabled : {false, true}) {
    UiScreen screen(0, 0, 799, 599);
    ProbeWidget greyed(&screen, 0, 0), bar(&screen, 50, 0), usable(&screen, 100, 0);
    greyed.SetDisabled(true);
    bar.SetStyle(kUiStyleNoTabStop);
    usable.SetDisabled(allDisabled);
    screen.Show();
    EXPECT_EQ(greyed.GetFocus(), kUiNoFocus);
    EXPECT_EQ(bar.GetFocus(), kUiNoFocus);
    EXPECT_EQ(usable.GetFocus(), allDisabled ? kUiNoFocus : kUiKeyboardFocus);
  }
  ProbeWidget only(screen_.get(), 0, 0);
  only.SetStyle(kUiStyleNoTabStop);
  screen_->Show();
  PressTab();
  EXPECT_EQ(only.GetFocus(), kUiKeyboardFocus);
  only.SetDisabled(true);
  PressShiftTab();
  EXPECT_EQ(Mark(), &only);
  EXPECT_EQ(only.GetFocus(), kUiNoFocus);
}

TEST_F(UiContainerTest, APressMovesTheFocusAndTheMarkHandlesTheTurnFirst) {
  std::vector<int> order;
  ProbeWidget a(screen_.get(), 0, 0, 40, 20, &order), b(screen_.get(), 100, 0, 40, 20, &order),
      c(screen_.get(), 200, 0, 40, 20, &order);
  screen_->Show();
  PressTab();
  ASSERT_EQ(Mark(), &b);
  order.clear();

  Press(210, 10);
  EXPECT_EQ((std::vector<int>{b.GetId(), a.GetId(), c.GetId()}), order);
  EXPECT_EQ(UiInput.event, EV_PRESSED);
  EXPECT_EQ(UiInput.subject, screen_->GetId());
  EXPECT_EQ(screen_->GetFocus(), kUiKeyboardFocus);
  EXPECT_EQ(Mark(), &c);
  EXPECT_EQ(c.GetFocus(), kUiMouseFocus);
  EXPECT_EQ(b.GetFocus(), kUiNoFocus);
  Release(210, 10);
  // The outermost row and column of pixels are no hit, so nothing moves.
  Click(100, 5);
  EXPECT_EQ(Mark(), &c);
}

TEST_F(UiContainerTest, AnInactiveScreenStillRoutesTheTurnToTheShownContainerOnTop) {
  ProbeWidget behind(screen_.get(), 0, 0);
  ProbePanel dialog(screen_.get(), 300, 300, 200, 100);
  ProbeWidget inner(&dialog, 10, 10);
  ProbePanel closed(screen_.get(), 0, 300, 100, 100, kUiStyleModeless);
  ProbeWidget unseen(&closed, 10, 10);

  Move(1, 1);
  EXPECT_EQ(behind.events, 0);  // the screen is not shown yet
  screen_->Show();
  Move(2, 2);
  EXPECT_EQ(behind.events, 1);
  EXPECT_EQ(inner.events, 0);
  dialog.Show();  // covers the screen, which stops taking input itself
  EXPECT_FALSE(screen_->IsActive());
  Press(315, 315);
  EXPECT_EQ(behind.events, 1);
  EXPECT_EQ(inner.events, 1);
  EXPECT_EQ(unseen.events, 0);
  EXPECT_EQ(UiInput.subject, dialog.GetId());  // the press moved the dialog's focus
  Release(315, 315);
  UiToolkit.routeToContainers = false;
  Move(3, 3);
  EXPECT_EQ(inner.events, 2);  // the release above still reached it; this turn does not
  UiToolkit.routeToContainers = true;
}

TEST_F(UiContainerTest, ShowingAChildContainerDeactivatesItsParentUntilItHides) {
  ProbePanel base(screen_.get(), 0, 0, 400, 400);
  ProbePanel dialog(&base, 50, 50, 100, 100);
  ProbeWidget first(&dialog, 5, 5), second(&dialog, 50, 5);
  base.Show();
  base.refreshes = 0;

  dialog.Show();
  EXPECT_FALSE(base.IsActive());
  EXPECT_EQ(base.refreshes, 1);
  EXPECT_TRUE(dialog.IsActive());
  EXPECT_EQ(dialog.draws, 1);
  EXPECT_TRUE(second.IsShown());
  dialog.Hide();
  EXPECT_TRUE(base.IsActive());
  EXPECT_EQ(base.refreshes, 2);
  EXPECT_FALSE(first.IsShown());
  EXPECT_FALSE(first.IsActive());
  // Modeless panels and parentless containers touch nobody.
  ProbePanel palette(&base, 200, 200, 50, 50, kUiStyleModeless);
  palette.Show();
  palette.Hide();
  EXPECT_TRUE(base.IsActive());
  EXPECT_EQ(base.refreshes, 2);
}

TEST_F(UiContainerTest, TheRedrawCycleFlushesOnlyWhenSomethingDrewAndTheAppIsActive) {
  ProbeWidget w(screen_.get(), 10, 10);
  screen_->Show();
  screen_->ClearRedraw();
  EXPECT_FALSE(UiFinishTurn(*screen_, true));
  EXPECT_EQ(screenUpdate_.flushes, 0);
  PressTab();  // the only widget gets the focus again and draws itself
  ASSERT_FALSE(screenUpdate_.marked.empty());
  EXPECT_EQ(screenUpdate_.marked.back(), (ScreenRect{10, 10, 49, 29}));
  EXPECT_FALSE(UiFinishTurn(*screen_, false));
  EXPECT_TRUE(UiFinishTurn(*screen_, true));
  EXPECT_EQ(screenUpdate_.flushes, 1);
  EXPECT_FALSE(screen_->NeedsRedraw());
  EXPECT_FALSE(w.NeedsRedraw());
}

}  // namespace
