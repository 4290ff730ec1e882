// Elements and containers: child lists, destruction during a turn, Tab order, routing and
// save-under (in memory: no element of an 800 x 600 screen needs the file for over 12 MB).
#include <memory>
#include <utility>
#include <vector>

#include "tests/ui/UiTestSupport.h"
#include "tests/ui/widgets/WidgetTestSupport.h"

namespace {

using UiElementTest = UiTest;

TEST_F(UiElementTest, RemovingTheMarkedChildMovesTheMarkOn) {
  UiScreen screen(0, 0, 799, 599);
  ProbeWidget a(&screen, 0, 0), b(&screen, 50, 0), c(&screen, 100, 0);
  ChildList& list = *screen.Children();
  EXPECT_EQ(list.Mark(), &a);  // the first child holds the initial focus
  EXPECT_EQ(screen.AddChild(&b), 1) << "already there";
  // Removing the marked child takes its focus and moves the mark on, wrapping to the head.
  list.ToTail();
  list.MarkCurrent();
  c.SetFocus(kUiKeyboardFocus);
  EXPECT_EQ(screen.RemoveChild(&c), 0);
  EXPECT_EQ(c.GetFocus(), kUiNoFocus);
  EXPECT_EQ(list.Mark(), &a);
  EXPECT_EQ(list.Current(), &a);
  EXPECT_EQ(list.Count(), 2u);
}

TEST_F(UiElementTest, OwnedChildrenDieWithTheParentAndSurvivorsForgetIt) {
  auto screen = std::make_unique<UiScreen>(0, 0, 799, 599);
  ProbePanel* panel = screen->MakeChild<ProbePanel>(10, 10, 100, 100);
  ProbeWidget* owned = panel->MakeChild<ProbeWidget>(1, 1);
  ProbeWidget survivor(panel, 2, 2);
  EXPECT_TRUE(panel->DestroyChild(owned));
  EXPECT_EQ(panel->Children()->Count(), 1u);
  EXPECT_FALSE(panel->DestroyChild(&survivor));  // not owned
  screen.reset();  // takes the panel along; the survivor must not reach back into it
  EXPECT_EQ(survivor.GetParent(), nullptr);
  EXPECT_EQ(survivor.NextSibling(), nullptr);
}

// A handler may take elements out of the tree, as a menu rebuilt while it is polled does.
TEST_F(UiElementTest, ElementsTakenOutDuringATurnLiveUntilItEndsAndHandleNoMoreOfIt) {
  bool earlierAlive = false, laterAlive = false, replacementAlive = false;  // outlive the screen
  int laterHandled = 0, replacementHandled = 0;
  bool aliveInsideTurn = false, done = false;
  UiScreen screen(0, 0, 799, 599);
  auto* earlier = screen.MakeChild<HookWidget>(0, 0, &earlierAlive);
  auto* rebuilder = screen.MakeChild<HookWidget>(50, 0);
  auto* later = screen.MakeChild<HookWidget>(100, 0, &laterAlive, &laterHandled);
  rebuilder->hook = [&] {
    if (std::exchange(done, true)) return;
    EXPECT_TRUE(screen.DestroyChild(earlier));
    EXPECT_FALSE(screen.Children()->Contains(earlier)) << "it leaves the tree at once";
    aliveInsideTurn = earlierAlive;
    screen.DestroyChild(later);
    screen.MakeChild<HookWidget>(100, 0, &replacementAlive, &replacementHandled);
  };
  screen.Show();
  Turn(screen, WM_MOUSEMOVE, 0, MakeLParam(300, 300));
  EXPECT_TRUE(aliveInsideTurn);
  EXPECT_FALSE(earlierAlive) << "deleted when the turn ended";
  EXPECT_EQ(laterHandled, 0);
  EXPECT_FALSE(laterAlive);
  EXPECT_TRUE(replacementAlive);
  const int before = replacementHandled;
  Turn(screen, WM_MOUSEMOVE, 0, MakeLParam(301, 300));
  EXPECT_EQ(replacementHandled, before + 1);
  // Outside a turn nothing waits.
  bool alive = false;
  EXPECT_TRUE(screen.DestroyChild(screen.MakeChild<HookWidget>(200, 0, &alive)));
  EXPECT_FALSE(alive);
}

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

// After showing and each press of Tab or Shift+Tab the mark alone has the focus.
TEST_F(UiContainerTest, ShowingAndTabSkipNonTabStopsAndDisabledAndWrap) {
  ProbeWidget off(screen_.get(), 0, 0), bar(screen_.get(), 50, 0), a(screen_.get(), 100, 0),
      b(screen_.get(), 150, 0), c(screen_.get(), 200, 0);
  off.SetDisabled(true);
  bar.SetStyle(kUiStyleNoTabStop);
  screen_->Show();
  const struct {
    int back;  // -1: no press, just shown
    ProbeWidget* mark;
  } presses[] = {{-1, &a}, {0, &b}, {0, &c}, {0, &a}, {1, &c}, {1, &b}, {1, &a}};
  for (const auto& p : presses) {
    if (p.back == 1) PressShiftTab();
    if (p.back == 0) PressTab();
    EXPECT_EQ(Mark(), p.mark);
    for (const ProbeWidget* w : {&off, &bar, &a, &b, &c}) {
      EXPECT_EQ(w->GetFocus(), w == p.mark ? kUiKeyboardFocus : kUiNoFocus);
    }
  }
  // Only disabled elements and non-tab-stops besides the mark: the mark keeps the focus.
  b.SetDisabled(true);
  c.SetDisabled(true);
  PressTab();
  EXPECT_EQ(a.GetFocus(), kUiKeyboardFocus);
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
  EXPECT_EQ(UiInput.subject, screen_->GetId());
  EXPECT_EQ(c.GetFocus(), kUiMouseFocus);
  EXPECT_EQ(b.GetFocus(), kUiNoFocus);
  Release(210, 10);
}

// The parent still routes the turns to it, and is refreshed when it hides.
TEST_F(UiContainerTest, AShownContainerTakesTheTurnsFromItsParentUntilItHides) {
  ProbePanel base(screen_.get(), 0, 0, 800, 600);
  ProbeWidget behind(&base, 0, 0);
  ProbePanel dialog(&base, 300, 300, 200, 100);
  ProbeWidget inner(&dialog, 10, 10);
  Move(1, 1);
  EXPECT_EQ(behind.events, 0);  // nothing shown yet
  screen_->Show();
  base.Show();
  Move(2, 2);
  EXPECT_EQ(behind.events, 1);
  base.refreshes = 0;
  dialog.Show();
  EXPECT_FALSE(base.IsActive());
  EXPECT_EQ(base.refreshes, 1);
  EXPECT_EQ(dialog.draws, 1);
  Press(315, 315);
  EXPECT_EQ(behind.events, 1);
  EXPECT_EQ(inner.events, 1);
  EXPECT_EQ(UiInput.subject, dialog.GetId());  // the press moved the dialog's focus
  Release(315, 315);
  UiToolkit.routeToContainers = false;
  Move(3, 3);
  EXPECT_EQ(inner.events, 2);  // the release above still reached it; this turn does not
  UiToolkit.routeToContainers = true;
  dialog.Hide();
  EXPECT_TRUE(base.IsActive());
  EXPECT_EQ(base.refreshes, 2);
  EXPECT_FALSE(inner.IsShown());
}

// Every pixel differs from its neighbours, so a shifted or partial restore cannot pass.
void PaintPattern(int buffer, int width, int height) {
  GfxOpenBuffer(buffer);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      GfxSetColor(GfxMapRGB(x & 0xFF, y & 0xFF, (x * 7 + y * 13) & 0xFF));
      GfxPoint(x, y);
    }
  }
}

std::vector<std::uint8_t> Snapshot(int buffer) {
  const GfxBufferView view = GfxGetBufferView(buffer);
  return {view.pixels, view.pixels + static_cast<std::size_t>(view.bytesPerRow) * view.height};
}

void Scribble(int minx, int maxx, int miny, int maxy) {
  GfxSetColor(GfxMapRGB(255, 0, 255));
  GfxFillRect(minx, maxx, miny, maxy);
}

using UiSaveUnderTest = UiTest;

TEST_F(UiSaveUnderTest, MemoryStoreRestoresExactlyAndContainersUseItOnlyWhenEnabled) {
  PaintPattern(screenBuffer_, 800, 600);
  const std::vector<std::uint8_t> before = Snapshot(screenBuffer_);
  ProbeWidget w(nullptr, 100, 80, 60, 30);
  w.SaveUnder();
  EXPECT_EQ(w.GetSaveState(), kUiSavedInMemory);
  Scribble(100, 159, 80, 109);
  w.RestoreUnder();
  EXPECT_EQ(w.GetSaveState(), kUiNothingSaved);
  EXPECT_EQ(Snapshot(screenBuffer_), before);
  // Reaching off the screen it keeps what is on it; restoring twice changes nothing.
  ProbeWidget edge(nullptr, 760, 580, 100, 100);
  edge.SaveUnder();
  Scribble(760, 799, 580, 599);
  edge.RestoreUnder();
  edge.RestoreUnder();
  EXPECT_EQ(Snapshot(screenBuffer_), before);
  ProbePanel panel(nullptr, 200, 150, 300, 200);
  panel.Show();
  EXPECT_EQ(panel.GetSaveState(), kUiNothingSaved);  // off by default
  panel.Hide();
  UiToolkit.saveUnderEnabled = true;
  panel.Show();
  Scribble(200, 499, 150, 349);
  panel.Hide();
  EXPECT_EQ(Snapshot(screenBuffer_), before);
  UiToolkit.saveUnderEnabled = false;
}

}  // namespace
