// The real window procedure driven headless through whole runs: start-up, the ways the program
// ends (Escape, closing the window, also while a dialog is open), activation and resizing.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ColorDepthProbe.h"
#include "app/TitleMenu.h"
#include "audio/music/MusicShared.h"
#include "games/GameTable.h"
#include "gfx/Gfx.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ShellHarness.h"
#include "ui/UiDialog.h"
#include "ui/UiMessageBox.h"

namespace {

// F12 at the title is played by TitleTest's walk over the games.
TEST(ShellStartUp, ShowsTheTitleAndEndsAtOnceOnEscape) {
  if (MediaDir().empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  ShellHarness h;
  SetCursor(CursorShape::Wait);
  ASSERT_TRUE(h.Create());
  EXPECT_EQ(h.Window().shows, 1);
  EXPECT_TRUE(h.Window().errors.empty());
  EXPECT_TRUE(MatchesGolden("app/title_screen", h.Shell().ScreenBuffer(), 0, 799, 0, 599));
  EXPECT_EQ(CurrentCursor(), CursorShape::Arrow);
  // Queued behind the key in the same turn, a click on a game that deals at once and a second key
  // must reach nothing: the quit is already on its way.
  const std::uint64_t start = h.Now();
  const GameRow* dealsAtOnce = nullptr;
  for (const GameRow& row : GameTable())
    if (row.make != nullptr && row.settings == nullptr) dealsAtOnce = &row;
  ASSERT_NE(dealsAtOnce, nullptr);
  const ScreenRect rect = TitleButtonRect(dealsAtOnce->titleButton);
  const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
  h.KeyAt(100, VK_ESCAPE);
  h.PostAt(100, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
  h.PostAt(100, WM_LBUTTONUP, 0, MakeLParam(x, y));
  h.CheckAt(100, [&h] { EXPECT_EQ(h.Shell().Game(), nullptr) << "a game started on the way out"; });
  h.KeyAt(100, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
  EXPECT_TRUE(h.Shell().IsEnding());
  EXPECT_LT(h.Now(), start + 200u) << "the program ended at the key, not later";
  EXPECT_FALSE(h.Display().IsOpen());
  EXPECT_EQ(h.Display().CloseCount(), 1);
  EXPECT_EQ(h.Shell().ScreenBuffer(), -1);
}

TEST(ShellStartUp, RefusesAnEightBitDesktopAndAFailedDisplayAndAcceptsFifteenBits) {
  for (int depth : {8, 15}) {
    ShellHarness::Options options;
    options.desktopDepth = depth;
    if (depth > 8) options.masks = HeadlessDisplay::Masks555();
    ShellHarness h(options);
    EXPECT_EQ(h.Create(), depth > 8) << depth << " bits";
    EXPECT_EQ(h.Window().shows, depth > 8 ? 1 : 0) << depth << " bits";
    EXPECT_EQ(h.Window().errors, depth > 8 ? std::vector<std::string>{}
                                           : std::vector<std::string>{kColorDepthMessage});
    EXPECT_EQ(h.Display().OpenCount(), depth > 8 ? 1 : 0);
  }
  ShellHarness h;
  h.Display().FailOpenWith(-7);
  EXPECT_FALSE(h.Create());
  EXPECT_TRUE(h.Window().errors.empty()) << "the display's failure was reported already";
  h.Shell().Destroy();
  EXPECT_EQ(GfxActiveBuffer(), -1);
}

TEST(ShellWindowMessages, InactiveProgramIgnoresKeysAndPaintsNothing) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  h.Display().ClearShown();
  h.PostAt(10, WM_ACTIVATEAPP, 0);
  h.KeyAt(20, VK_ESCAPE);
  h.PostAt(50, WM_PAINT);
  h.CheckAt(60, [&h] {
    EXPECT_FALSE(h.Shell().IsActive());
    EXPECT_FALSE(ReadMusicInputs().appActive) << "the music thread is told to stop";
    EXPECT_EQ(h.Display().Shown().size(), 0u) << "painted while inactive";
  });
  h.PostAt(70, WM_ACTIVATEAPP, 1);
  h.PostAt(80, WM_PAINT);
  h.CheckAt(85, [&h] { EXPECT_EQ(h.Display().Shown().size(), 1u) << "one paint once active"; });
  h.PostAt(90, WM_SIZE, SIZE_RESTORED, MakeLParam(1200, 900));
  h.PostAt(200, WM_CLOSE);
  EXPECT_EQ(h.Run(), 0);
  EXPECT_TRUE(ReadMusicInputs().appActive);
  // A resize refits the picture and the pointer confinement; it came, so Escape ended nothing.
  EXPECT_EQ(h.Window().resizes, 1);
  EXPECT_EQ(h.Window().clipReapplies, 1);
}

// A close only asks to end; the teardown follows the loop. Handed to the window procedure inside
// a dialog's loop, it must leave the display and the screen to the dialog until it has gone.
TEST(ShellWindowMessages, CloseDuringADialogLetsTheDialogLeaveBeforeTheTeardown) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  const int screen = h.Shell().ScreenBuffer();
  // A green screen, so what shows after the dialog has gone is easy to tell apart.
  GfxOpenBuffer(screen);
  GfxSetColor(GfxMapRGB(0, 160, 0));
  GfxClear();
  GfxShowRect(0, 799, 0, 599, 0, 599);
  const Color green = h.Display().ScreenPixel(400, 300);
  int result = 0;
  bool dialogShown = false, openWhenLeft = false, screenWhenLeft = false, greenWhenLeft = false;
  // Opened from inside the window procedure, as a game's menu command opens one.
  h.CheckAt(100, [&] {
    UiMessageBox box(nullptr, "Question", kUiMbOk, "Close the window now.");
    result = box.DoModal();
    openWhenLeft = h.Display().IsOpen();
    screenWhenLeft = GfxGetBufferView(screen).pixels != nullptr;
    greenWhenLeft = h.Display().ScreenPixel(400, 300) == green;
  });
  h.PostAt(150, WM_MOUSEMOVE, 0, MakeLParam(400, 300));  // the dialog's first turn shows it
  // Arrives while the dialog's own loop runs, which hands it to the window procedure.
  h.CheckAt(200, [&] { dialogShown = h.Display().ScreenPixel(400, 300) != green; });
  h.PostAt(300, WM_CLOSE);
  h.ClickAt(310, 400, 300);  // too late: the program is ending
  EXPECT_EQ(h.Run(), 0);
  EXPECT_TRUE(dialogShown) << "the dialog never showed";
  EXPECT_EQ(result, kUiDialogQuit);
  EXPECT_TRUE(openWhenLeft) << "the display was stopped under the open dialog";
  EXPECT_TRUE(screenWhenLeft) << "the screen buffer was freed under the open dialog";
  EXPECT_TRUE(greenWhenLeft) << "the screen under the dialog was not shown again";
  EXPECT_FALSE(h.Display().IsOpen());
  EXPECT_EQ(h.Display().CloseCount(), 1);
  const std::size_t shown = h.Display().Shown().size();
  h.Shell().WindowProc(WM_PAINT, 0, 0);
  EXPECT_EQ(h.Display().Shown().size(), shown) << "painting after the end reached the display";
}

// A scenario that forgets to end the program while a timer keeps waking it must fail, not run its
// clock on for ever and fill the memory with dispatched timer messages.
TEST(ShellHarnessRun, AScriptThatRunsDryUnderARunningTimerFails) {
  ShellHarness::Options options;
  options.useMedia = false;
  ShellHarness h(options);
  ASSERT_TRUE(h.Create());
  h.CheckAt(100, [] { ThreadMessageQueue().SetTimer(77, 1000); });
  int code = 0;
  EXPECT_NONFATAL_FAILURE(code = h.Run(), "ran out of input");
  EXPECT_EQ(code, ShellHarness::kScriptRanDry);
}

}  // namespace
