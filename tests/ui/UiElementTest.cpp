// Element bookkeeping: ids, positions relative to the parent, child lists with their cursor and
// focus mark, moving and centring, ownership and destruction order, the toolkit settings.
#include <memory>

#include "tests/ui/UiTestSupport.h"

namespace {

using UiElementTest = UiTest;

TEST_F(UiElementTest, ConstructionNumbersElementsAndPlacesWidgetsRelativeToTheParent) {
  UiToolkit.idCounter = 0;
  UiScreen screen(0, 0, 799, 599);
  EXPECT_EQ(screen.GetId(), 1);
  { ProbeWidget gone(&screen, 0, 0); }
  ProbePanel panel(&screen, 100, 50, 300, 200);
  EXPECT_EQ(panel.GetId(), 3);   // ids are never reused
  EXPECT_EQ(panel.GetX(), 100);  // containers take absolute positions
  EXPECT_TRUE(screen.Containers()->Contains(&panel));
  EXPECT_EQ(screen.GetText(), nullptr);  // an empty title is no title
  EXPECT_EQ(panel.GetClientRight(), 399);
  EXPECT_EQ(panel.GetClientBottom(), 249);

  ProbeWidget w(&panel, 10, 20);
  EXPECT_EQ(w.GetX(), 110);
  EXPECT_EQ(w.GetY(), 70);
  EXPECT_TRUE(panel.Children()->Contains(&w));
}

TEST_F(UiElementTest, ChildListCursorMarkAndRemoval) {
  UiScreen screen(0, 0, 799, 599);
  ProbeWidget a(&screen, 0, 0), b(&screen, 50, 0), c(&screen, 100, 0);
  ChildList& list = *screen.Children();
  EXPECT_EQ(list.Mark(), &a);  // the first child holds the initial focus
  EXPECT_EQ(list.Count(), 3u);

  EXPECT_EQ(screen.AddChild(&b), 1);  // already there: nothing changes
  EXPECT_EQ(list.Count(), 3u);
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
  EXPECT_EQ(list.Tail(), &b);

  list.MarkPrevWrapping();
  EXPECT_EQ(list.Mark(), &b);
  list.MarkNextWrapping();
  EXPECT_EQ(list.Mark(), &a);
}

TEST_F(UiElementTest, CentringAndMovingAContainerCarriesItsWidgets) {
  UiScreen screen(0, 0, 800, 600);
  ProbePanel panel(&screen, 0, 0, 300, 100);
  ProbeWidget w(&panel, 20, 30);
  panel.Center();
  EXPECT_EQ(panel.GetX(), 250);
  EXPECT_EQ(panel.GetY(), 250);
  EXPECT_EQ(w.GetX(), 270);
  EXPECT_EQ(w.GetY(), 280);
  EXPECT_EQ(panel.GetClientLeft(), 250);
  EXPECT_EQ(panel.GetClientRight(), 549);
  EXPECT_TRUE(panel.IsDirty());

  panel.MoveTo(0, 0);  // relative to the screen at (0, 0)
  EXPECT_EQ(w.GetX(), 20);
  EXPECT_EQ(panel.GetClientTop(), 0);

  // Without a parent an element centres on the screen.
  ProbeWidget loose(nullptr, 0, 0, 100, 50);
  loose.Center();
  EXPECT_EQ(loose.GetX(), 350);
  EXPECT_EQ(loose.GetY(), 275);
}

TEST_F(UiElementTest, OwnedChildrenDieWithTheParentAndSurvivorsForgetIt) {
  auto screen = std::make_unique<UiScreen>(0, 0, 799, 599);
  ProbePanel* panel = screen->MakeChild<ProbePanel>(10, 10, 100, 100);
  ProbeWidget* owned = panel->MakeChild<ProbeWidget>(1, 1);
  EXPECT_TRUE(panel->Children()->Contains(owned));
  ProbeWidget survivor(panel, 2, 2);

  EXPECT_TRUE(panel->DestroyChild(owned));
  EXPECT_EQ(panel->Children()->Count(), 1u);
  EXPECT_FALSE(panel->DestroyChild(&survivor));  // not owned

  screen.reset();  // takes the panel along; the survivor must not reach back into it
  EXPECT_EQ(survivor.GetParent(), nullptr);
  EXPECT_EQ(survivor.NextSibling(), nullptr);
}

TEST_F(UiElementTest, ToolkitInitialisesOnceAndBuildsTheColourScheme) {
  EXPECT_TRUE(UiToolkit.initialised);
  EXPECT_TRUE(UiToolkit.routeToContainers);
  EXPECT_FALSE(UiToolkit.saveUnderEnabled);
  EXPECT_EQ(UiToolkit.screenWidth, 800);
  EXPECT_EQ(UiToolkit.screenHeight, 600);

  // A second call only takes the new window and buffer.
  UiInit(nullptr, 7, kUiSaveUnder);
  EXPECT_EQ(UiToolkit.drawingBuffer, 7);
  EXPECT_FALSE(UiToolkit.saveUnderEnabled);
  UiToolkit.drawingBuffer = screenBuffer_;

  EXPECT_NE(UiColour(kUiColourBackground), UiColour(kUiColourDarkEdge));
  EXPECT_EQ(UiColour(kUiColourCount), 0u) << "past the scheme";

  UiShutdown();
  EXPECT_FALSE(UiToolkit.initialised);
  EXPECT_TRUE(UiToolkit.captions[kUiCaptionOk].empty());
  UiInit(nullptr, screenBuffer_, kUiSaveUnder | kUiRouteToContainers);
  EXPECT_TRUE(UiToolkit.saveUnderEnabled);
}

// A handler may take elements out of the tree (a menu rebuilt while it is polled): those the
// loops already passed live until the turn ends, those still ahead are not handled, and what is
// built in their place serves from the next turn on.
TEST_F(UiElementTest, ElementsTakenOutDuringATurnLiveUntilItEndsAndHandleNoMoreOfIt) {
  // The flags outlive the screen: its children report to them when it destroys them.
  bool earlierAlive = false, laterAlive = false, replacementAlive = false;
  int laterHandled = 0, replacementHandled = 0;
  bool aliveInsideTurn = false;
  bool done = false;
  UiScreen screen(0, 0, 799, 599);
  auto* earlier = screen.MakeChild<HookWidget>(0, 0, &earlierAlive);
  auto* rebuilder = screen.MakeChild<HookWidget>(50, 0);
  auto* later = screen.MakeChild<HookWidget>(100, 0, &laterAlive, &laterHandled);
  rebuilder->hook = [&] {
    if (done) return;
    done = true;
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
  EXPECT_EQ(screen.Children()->Count(), 2u);
  const int before = replacementHandled;
  Turn(screen, WM_MOUSEMOVE, 0, MakeLParam(301, 300));
  EXPECT_EQ(replacementHandled, before + 1);

  // Outside a turn nothing waits.
  bool alive = false;
  auto* plain = screen.MakeChild<HookWidget>(200, 0, &alive);
  EXPECT_TRUE(screen.DestroyChild(plain));
  EXPECT_FALSE(alive);
}

}  // namespace
