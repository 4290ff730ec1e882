// The player-select dialog through its modal loop: the name and switch it hands back, an empty
// name refused with a message box on top of it, cancelling, and its goldens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/PlayerSelectDialog.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/UiMessageBox.h"

namespace {

constexpr int kScanLetter = 0x1E;
constexpr int kScanShift = 0x2A;
// Screen places of the dialog's controls: the dialog stands at (200, 210).
constexpr int kOkX = 200 + 66 + 50;
constexpr int kOkY = 210 + 130 + 15;
constexpr int kCancelX = 200 + 233 + 50;
constexpr int kCheckX = 200 + 48 + 6;
constexpr int kCheckY = 210 + 100 + 8;
constexpr int kFieldX = 200 + 155 + 90;
constexpr int kFieldY = 210 + 60 + 10;

class PlayerSelectDialogTest : public DialogTest {
protected:
  // Types text from `ms` on, 60 ms a key, capitals with Shift; returns the time after it.
  std::uint64_t TypeAt(std::uint64_t ms, const char* text) {
    for (; *text != '\0'; ++text, ms += 60) {
      const char c = *text;
      const bool capital = c >= 'A' && c <= 'Z';
      const std::uint32_t key = c >= 'a' && c <= 'z' ? static_cast<std::uint32_t>(c - 'a' + 'A')
                                                     : static_cast<std::uint32_t>(c);
      if (capital)
        input_->At(ms, WM_KEYDOWN, VK_SHIFT, KeyLParam(1, kScanShift, false, false, false));
      input_->KeyAt(ms + 5, key, kScanLetter);
      if (capital)
        input_->At(ms + 40, WM_KEYUP, VK_SHIFT, KeyLParam(1, kScanShift, false, true, true));
    }
    return ms;
  }
};

// OK, or Enter in the field (focused as it opens), hand back the name and switch as they stand;
// Cancel, or Escape from the field, the values handed in.
TEST_F(PlayerSelectDialogTest, OkAndEnterGiveTheNameAndSwitchCancelAndEscapeKeepTheOldOnes) {
  const struct {
    const char* name;
    bool dontShow;
    const char* typed;
    bool toggle;        // a click on the switch after the typing
    std::uint32_t key;  // 0: a click on `x` at the end
    int x;
    int result;
    const char* expectedName;
    bool expectedDontShow;
  } cases[] = {
      {"", false, "Ann P1", true, 0, kOkX, kDialogResultOk, "Ann P1", true},
      {"Carol", true, "", false, VK_RETURN, 0, kDialogResultOk, "Carol", true},
      {"Dora", false, "xyz", true, 0, kCancelX, kDialogResultCancel, "Dora", false},
      {"Dora", true, "xyz", false, VK_ESCAPE, 0, kDialogResultCancel, "Dora", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expectedName);
    PlayerSelectDialog dialog(c.name, c.dontShow);
    const std::uint64_t typed = TypeAt(In(40), c.typed);
    if (c.toggle) input_->ClickAt(typed + 100, kCheckX, kCheckY);
    if (c.key != 0) {
      input_->KeyAt(typed + 300, c.key, c.key == VK_RETURN ? kScanEnter : kScanEscape);
    } else {
      input_->ClickAt(typed + 300, c.x, kOkY);
    }
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(dialog.GetPlayerName(), c.expectedName);
    EXPECT_EQ(dialog.GetDontShowAgain(), c.expectedDontShow);
    EXPECT_FALSE(dialog.IsShown());
  }
  EXPECT_EQ(PlayerSelectDialog(nullptr, false).GetPlayerName(), "") << "no name handed in";
}

// An empty name is refused with a message box on top of the dialog. However the box is closed,
// the dialog beneath does not take that key or click too: it stays open until a name is typed.
TEST_F(PlayerSelectDialogTest, AnEmptyNameShowsTheMessageAndTheDialogStaysOpen) {
  // Without the skin the box does not paint its whole rectangle: no comparison, and a skip.
  const bool withArtwork = UseArtworkOnBackdrop(0);

  UiMessageBox expected(nullptr, "Player Select", kUiMbOk, "You must enter a name.");
  const int boxX = expected.GetX(), boxY = expected.GetY();
  const int boxW = expected.GetWidth(), boxH = expected.GetHeight();
  const int boxOkX = boxX + boxW / 2, boxOkY = boxY + 55 + 15;

  const struct {
    std::uint32_t key;  // 0: a click on the box's OK
    int scan;
  } closings[] = {{VK_RETURN, kScanEnter}, {VK_ESCAPE, kScanEscape}, {0, 0}};
  for (const auto& close : closings) {
    SCOPED_TRACE(testing::Message() << "closed with key " << close.key);
    PlayerSelectDialog dialog("", true);
    // Each window timer tick notes how many loops run, and keeps the screen of the box's first.
    std::string depths;
    std::vector<std::uint32_t> shownBox;
    bool dialogShownUnderBox = false;
    SetWindowProc([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
      if (message == WM_TIMER) {
        depths += static_cast<char>('0' + UiModalDepth());
        if (UiModalDepth() == 2 && shownBox.empty()) {
          shownBox = ScreenPixels(screenBuffer_);
          dialogShownUnderBox = dialog.IsShown();
        }
      }
      return std::intptr_t{0};
    });
    SetTimer(5, 100);
    const std::uint64_t start = clock_;
    // The switch off, then OK with the field empty.
    input_->ClickAt(start + 20, kCheckX, kCheckY);
    input_->ClickAt(start + 140, kOkX, kOkY);
    if (close.key != 0) {
      input_->KeyAt(start + 430, close.key, close.scan);
    } else {
      input_->ClickAt(start + 400, boxOkX, boxOkY);
    }
    input_->ClickAt(start + 750, kFieldX, kFieldY);
    const std::uint64_t typed = TypeAt(start + 900, "Eve");
    input_->ClickAt(typed + 200, kOkX, kOkY);

    EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
    KillTimer(5);
    EXPECT_EQ(dialog.GetPlayerName(), "Eve");
    EXPECT_FALSE(dialog.GetDontShowAgain());
    EXPECT_GE(clock_, typed + 250) << "closed by the last click, not before";
    ASSERT_TRUE(dialogShownUnderBox) << "no box over the dialog";

    // The box (a second loop) was open from about 190 ms to 450 ms, never again.
    EXPECT_EQ(std::count(depths.begin(), depths.end(), '2'), 3) << depths;
    EXPECT_EQ(depths.find('2'), depths.find("222")) << depths;
    EXPECT_EQ(depths.back(), '1') << depths;

    if (!withArtwork) continue;
    // What the player saw is that box.
    expected.Show();
    EXPECT_EQ(Changed(shownBox, boxX, boxX + boxW - 1, boxY, boxY + boxH - 1), 0);
    expected.Hide();
  }
  SetWindowProc([](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; });
  if (!withArtwork) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
}

TEST_F(PlayerSelectDialogTest, LooksRightWithTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    PlayerSelectDialog dialog("Ann", false);
    EXPECT_TRUE(ShowsAsGolden(dialog, "dialogs/player_select_theme" + std::to_string(theme),
                              200 - 12, 599 + 12, 210 - 12, 389 + 12));
  }
}

}  // namespace
