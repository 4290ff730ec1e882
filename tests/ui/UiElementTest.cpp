// Element bookkeeping: ids, positions relative to the parent, child lists with their cursor and
// focus mark, centring, ownership and destruction order, the toolkit settings.
#include <memory>
#include <utility>

#include "tests/ui/UiTestSupport.h"

namespace {

using UiElementTest = UiTest;

TEST_F(UiElementTest, IdsAreNeverReusedAndWidgetsMoveWithTheirContainer) {
  UiToolkit.idCounter = 0;
  UiScreen screen(0, 0, 800, 600);
  EXPECT_EQ(screen.GetId(), 1);
  { ProbeWidget gone(&screen, 0, 0); }
  ProbePanel panel(&screen, 100, 50, 300, 100);  // containers take absolute positions
  EXPECT_EQ(panel.GetId(), 3);
  EXPECT_EQ(panel.GetClientRight(), 399);
  ProbeWidget w(&panel, 20, 30);
  EXPECT_EQ(w.GetX(), 120);
  EXPECT_EQ(w.GetY(), 80);
  panel.Center();
  EXPECT_EQ(w.GetX(), 270);
  EXPECT_EQ(w.GetY(), 280);
  EXPECT_EQ(panel.GetClientLeft(), 250);
  EXPECT_TRUE(panel.IsDirty());
  ProbeWidget loose(nullptr, 0, 0, 100, 50);  // without a parent, on the screen
  loose.Center();
  EXPECT_EQ(loose.GetX(), 350);
  EXPECT_EQ(loose.GetY(), 275);
}

TEST_F(UiElementTest, ChildListCursorMarkAndRemoval) {
  UiScreen screen(0, 0, 799, 599);
  ProbeWidget a(&screen, 0, 0), b(&screen, 50, 0), c(&screen, 100, 0);
  ChildList& list = *screen.Children();
  EXPECT_EQ(list.Mark(), &a);         // the first child holds the initial focus
  EXPECT_EQ(screen.AddChild(&b), 1);  // already there: nothing changes
  ProbeWidget stranger(nullptr, 0, 0);
  EXPECT_EQ(screen.RemoveChild(&stranger), 1);
  EXPECT_EQ(list.Count(), 3u);
  // Removing the marked child takes its focus and moves the mark on, wrapping to the head.
  list.ToTail();
  list.MarkCurrent();
  c.SetFocus(kUiKeyboardFocus);
  EXPECT_EQ(screen.RemoveChild(&c), 0);
  EXPECT_EQ(c.GetFocus(), kUiNoFocus);
  EXPECT_EQ(list.Mark(), &a);
  EXPECT_EQ(list.Current(), &a);
  list.MarkPrevWrapping();
  EXPECT_EQ(list.Mark(), &b);
  list.MarkNextWrapping();
  EXPECT_EQ(list.Mark(), &a);
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

TEST_F(UiElementTest, ASecondInitTakesOnlyTheBufferAndShutdownClears) {
  UiInit(nullptr, 7, kUiSaveUnder);
  EXPECT_EQ(UiToolkit.drawingBuffer, 7);
  EXPECT_FALSE(UiToolkit.saveUnderEnabled);
  UiToolkit.drawingBuffer = screenBuffer_;
  EXPECT_EQ(UiColour(kUiColourCount), 0u) << "past the scheme";
  UiShutdown();
  EXPECT_FALSE(UiToolkit.initialised);
  EXPECT_TRUE(UiToolkit.captions[kUiCaptionOk].empty());
  UiInit(nullptr, screenBuffer_, kUiSaveUnder | kUiRouteToContainers);
  EXPECT_TRUE(UiToolkit.saveUnderEnabled);
}

// A handler may take elements out of the tree (a menu rebuilt while it is polled): those already
// passed live until the turn ends, those ahead are not handled, replacements serve from next turn.
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

}  // namespace
