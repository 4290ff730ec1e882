// The real window procedure driven headless through whole runs: start-up, the ways the program
// ends (Escape, F12, closing the window, also while a dialog is open), activation and resizing.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/ColorDepthProbe.h"
#include "audio/music/MusicShared.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkFiles.h"
#include "persist/Preferences.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ShellHarness.h"
#include "ui/UiDialog.h"
#include "ui/UiMessageBox.h"

namespace {

bool Contains(const std::vector<std::uint32_t>& messages, std::uint32_t message) {
  return std::find(messages.begin(), messages.end(), message) != messages.end();
}

// The colour of a media picture at the left edge of the screen, where the title screen draws
// nothing over it, as the program draws it.
std::uint32_t PictureMiddle(const char* mediaName) {
  const int buffer = GfxAllocBuffer(800, 600);
  ShowJpegInBuffer(buffer, mediaName);
  const std::uint32_t middle = PixelAt(buffer, 40, 300);
  GfxFreeBuffer(buffer);
  return middle;
}

TEST(ShellStartUp, ShowsBlackThenTheLogoThenTheTitleAndEndsOnEscape) {
  if (MediaDir().empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  ShellHarness h;
  SetCursor(CursorShape::Wait);
  // The same place each time the whole screen is shown.
  std::vector<std::uint32_t> wholeScreens;
  h.Display().SetShowListener([&h, &wholeScreens](const HeadlessDisplay::ShownRect& r) {
    if (r.minx == 0 && r.maxx == 799 && r.miny == 0 && r.maxy == 599)
      wholeScreens.push_back(h.Display().ScreenPixel(40, 300));
  });
  ASSERT_TRUE(h.Create());
  h.Display().SetShowListener({});
  EXPECT_EQ(h.Window().shows, 1);
  EXPECT_TRUE(h.Window().errors.empty());
  EXPECT_EQ(h.Display().ScreenWidth(), 800);
  EXPECT_EQ(h.Display().ScreenHeight(), 600);
  EXPECT_GE(h.Now(), 1000u + 5000u) << "the logo stays its five seconds when nobody presses";

  const std::uint32_t logo = PictureMiddle("artwork\\logo.jpg");
  const std::uint32_t title = PictureMiddle("artwork\\title.jpg");
  ASSERT_NE(logo, title);
  ASSERT_GE(wholeScreens.size(), 3u);
  EXPECT_EQ(wholeScreens[0], 0u) << "black first";
  EXPECT_EQ(wholeScreens[1], logo) << "then the logo";
  EXPECT_EQ(wholeScreens.back(), title) << "then the title";
  EXPECT_TRUE(MatchesGolden("app/title_screen", h.Shell().ScreenBuffer(), 0, 799, 0, 599));
  EXPECT_EQ(CurrentCursor(), CursorShape::Arrow);
  EXPECT_EQ(ThePreferences().playerName, "Tester");
  EXPECT_EQ(ThePreferences().playerNumber, kFirstPlayerNumber);

  h.KeyAt(100, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
  EXPECT_FALSE(h.Display().IsOpen());
  EXPECT_EQ(h.Display().CloseCount(), 1);
  EXPECT_EQ(h.Shell().ScreenBuffer(), -1);
}

TEST(ShellStartUp, RefusesAnEightBitDesktopAndAcceptsFifteenAndSixteenBits) {
  for (int depth : {8, 15, 16}) {
    ShellHarness::Options options;
    options.desktopDepth = depth;
    if (depth > 8)
      options.masks = depth == 15 ? HeadlessDisplay::Masks555() : HeadlessDisplay::Masks565();
    ShellHarness h(options);
    const bool deepEnough = depth >= 15;
    EXPECT_EQ(h.Create(), deepEnough) << depth << " bits";
    EXPECT_EQ(h.Window().shows, deepEnough ? 1 : 0) << depth << " bits";
    if (deepEnough) {
      EXPECT_TRUE(h.Window().errors.empty()) << depth << " bits";
    } else {
      EXPECT_EQ(h.Window().errors, std::vector<std::string>{kColorDepthMessage});
      EXPECT_EQ(h.Display().OpenCount(), 0);
    }
  }
}

TEST(ShellStartUp, FailedDisplayStartEndsWithoutAWindowError) {
  ShellHarness h;
  h.Display().FailOpenWith(-7);
  EXPECT_FALSE(h.Create());
  EXPECT_TRUE(h.Window().errors.empty());
  h.Shell().Destroy();
  EXPECT_EQ(GfxActiveBuffer(), -1);
}

class ShellEndKey : public testing::TestWithParam<std::uint32_t> {};

TEST_P(ShellEndKey, AtTheTitleEndsTheProgramAndLaterInputIsIgnored) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  const std::uint64_t start = h.Now();
  h.KeyAt(100, GetParam());
  // Queued behind the key in the same turn: it must not reach anything once the end is asked.
  h.PostAt(101, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  h.KeyAt(102, GetParam());
  EXPECT_EQ(h.Run(), 0);
  EXPECT_TRUE(h.Shell().IsEnding());
  EXPECT_EQ(h.Display().CloseCount(), 1);
  EXPECT_LT(h.Now(), start + 200u) << "the program ended at the key, not later";
}

INSTANTIATE_TEST_SUITE_P(EscapeAndF12, ShellEndKey, testing::Values(VK_ESCAPE, VK_F12),
                         [](const testing::TestParamInfo<std::uint32_t>& key) {
                           return std::string(key.param == VK_ESCAPE ? "Escape" : "F12");
                         });

TEST(ShellWindowMessages, InactiveProgramIgnoresKeysAndPaintsNothing) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  h.Display().ClearShown();
  h.PostAt(10, WM_ACTIVATEAPP, 0);
  h.KeyAt(20, VK_ESCAPE);
  h.PostAt(50, WM_PAINT);
  h.OnMessage(ShellHarness::kTestAction, [&h] {
    EXPECT_FALSE(h.Shell().IsActive());
    EXPECT_FALSE(ReadMusicInputs().appActive) << "the music thread is told to stop";
    EXPECT_EQ(h.Display().Shown().size(), 0u) << "painted while inactive";
  });
  h.PostAt(60, ShellHarness::kTestAction);
  h.PostAt(70, WM_ACTIVATEAPP, 1);
  h.PostAt(80, WM_PAINT);
  h.PostAt(200, WM_CLOSE);
  EXPECT_EQ(h.Run(), 0);
  EXPECT_TRUE(Contains(h.Dispatched(), WM_CLOSE)) << "Escape ended the inactive program";
  EXPECT_EQ(h.Display().Shown().size(), 1u) << "one paint once active again";
  EXPECT_TRUE(ReadMusicInputs().appActive);
}

TEST(ShellWindowMessages, ResizeRefitsThePictureAndThePointerConfinement) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  h.PostAt(10, WM_SIZE, SIZE_RESTORED, (900 << 16) | 1200);
  h.PostAt(20, WM_CLOSE);
  EXPECT_EQ(h.Run(), 0);
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

  struct Seen {
    int result = 0;
    bool dialogShown = false;
    bool openWhenDialogLeft = false;
    bool screenWhenDialogLeft = false;
    bool greenAgainWhenDialogLeft = false;
  } seen;
  // A dialog opened from inside the window procedure, as a game's menu command opens one, on the
  // shell's own toolkit and artwork.
  h.OnMessage(ShellHarness::kTestAction, [&] {
    UiMessageBox box(nullptr, "Question", kUiMbOk, "Close the window now.");
    seen.result = box.DoModal();
    seen.openWhenDialogLeft = h.Display().IsOpen();
    seen.screenWhenDialogLeft = GfxGetBufferView(screen).pixels != nullptr;
    seen.greenAgainWhenDialogLeft = h.Display().ScreenPixel(400, 300) == green;
  });
  // Arrives while the dialog's own loop runs, which hands it to the window procedure.
  h.OnMessage(ShellHarness::kTestAction + 1,
              [&] { seen.dialogShown = h.Display().ScreenPixel(400, 300) != green; });
  h.PostAt(100, ShellHarness::kTestAction);
  h.PostAt(150, WM_MOUSEMOVE, 0, (300 << 16) | 400);  // the dialog's first turn shows it
  h.PostAt(200, ShellHarness::kTestAction + 1);
  h.PostAt(300, WM_CLOSE);
  h.ClickAt(310, 400, 300);  // too late: the program is ending

  EXPECT_EQ(h.Run(), 0);
  EXPECT_TRUE(seen.dialogShown) << "the dialog never showed";
  EXPECT_EQ(seen.result, kUiDialogQuit);
  EXPECT_TRUE(seen.openWhenDialogLeft) << "the display was stopped under the open dialog";
  EXPECT_TRUE(seen.screenWhenDialogLeft) << "the screen buffer was freed under the open dialog";
  EXPECT_TRUE(seen.greenAgainWhenDialogLeft) << "the screen under the dialog was not shown again";
  EXPECT_FALSE(h.Display().IsOpen());
  EXPECT_EQ(h.Display().CloseCount(), 1);
  EXPECT_EQ(h.Shell().ScreenBuffer(), -1);
  // Painting after the end reaches nothing.
  const std::size_t shown = h.Display().Shown().size();
  h.Shell().WindowProc(WM_PAINT, 0, 0);
  EXPECT_EQ(h.Display().Shown().size(), shown);
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
