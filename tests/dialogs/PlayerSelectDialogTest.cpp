// The player-select dialog run through its modal loop with queued keys and clicks: the name and
// switch it hands back, the refusal of an empty name with a message box on top of it, cancelling,
// and its look with the theme artwork.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/PlayerSelectDialog.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/UiMessageBox.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/TextButton.h"

namespace {

constexpr int kScanLetter = 0x1E;
constexpr int kScanShift = 0x2A;
// Screen places of the dialog's controls: the dialog stands at (200, 210).
constexpr int kOkX = 200 + 66 + 50;
constexpr int kOkY = 210 + 130 + 15;
constexpr int kCancelX = 200 + 233 + 50;
constexpr int kCancelY = kOkY;
constexpr int kCheckX = 200 + 48 + 6;
constexpr int kCheckY = 210 + 100 + 8;
constexpr int kFieldX = 200 + 155 + 90;
constexpr int kFieldY = 210 + 60 + 10;

class PlayerSelectDialogTest : public DialogTest {
protected:
  // Types text key by key from `ms` on, 60 ms a key; capitals with Shift held. Returns the time
  // after the last key.
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

  // The pixels of a screen rectangle, row by row.
  std::vector<std::uint32_t> Grab(int left, int top, int width, int height) const {
    std::vector<std::uint32_t> pixels;
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) pixels.push_back(PixelAt(screenBuffer_, x, y));
    }
    return pixels;
  }
};

TEST_F(PlayerSelectDialogTest, StartsWithTheGivenValues) {
  PlayerSelectDialog dialog("Ann", true);
  EXPECT_STREQ(dialog.GetText(), "Select a player name");
  EXPECT_STREQ(dialog.GetNameField()->GetText(), "Ann");
  EXPECT_EQ(dialog.GetNameField()->GetCaption(), "Player Name");
  EXPECT_TRUE(dialog.GetDontShowBox()->IsSelected());
  EXPECT_STREQ(dialog.GetDontShowBox()->GetText(), "Don't show at startup again.");
  EXPECT_EQ(dialog.GetDontShowBox()->GetMnemonic().character, 'D');
  EXPECT_EQ(dialog.GetPlayerName(), "Ann");
  EXPECT_TRUE(dialog.GetDontShowAgain());

  PlayerSelectDialog empty(nullptr, false);
  EXPECT_EQ(empty.GetPlayerName(), "");
  EXPECT_FALSE(empty.GetDontShowBox()->IsSelected());
}

TEST_F(PlayerSelectDialogTest, ATypedNameAndOkGiveTheNameAndTheSwitch) {
  PlayerSelectDialog dialog("", false);
  const std::uint64_t typed = TypeAt(In(40), "Ann P1");
  input_->ClickAt(typed + 100, kCheckX, kCheckY);
  input_->ClickAt(typed + 300, kOkX, kOkY);

  EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
  EXPECT_EQ(dialog.GetPlayerName(), "Ann P1");
  EXPECT_TRUE(dialog.GetDontShowAgain());
  EXPECT_FALSE(dialog.IsShown());
}

TEST_F(PlayerSelectDialogTest, EnterInTheFieldAcceptsTheNameAsItStands) {
  PlayerSelectDialog dialog("Carol", true);
  // The field holds the focus when the dialog opens.
  input_->KeyAt(In(40), VK_RETURN, kScanEnter);
  EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
  EXPECT_EQ(dialog.GetPlayerName(), "Carol");
  EXPECT_TRUE(dialog.GetDontShowAgain());

  // Backspace over part of the name, then a click into the field and more typing.
  PlayerSelectDialog edited("Carol", false);
  input_->KeyAt(In(40), VK_BACK, 0x0E);
  input_->KeyAt(In(100), VK_BACK, 0x0E);
  input_->ClickAt(In(200), kFieldX + 80, kFieldY);
  const std::uint64_t typed = TypeAt(In(300), "ine");
  input_->KeyAt(typed + 50, VK_RETURN, kScanEnter);
  EXPECT_EQ(edited.DoModal(), kDialogResultOk);
  EXPECT_EQ(edited.GetPlayerName(), "Carine");
  EXPECT_FALSE(edited.GetDontShowAgain());
}

TEST_F(PlayerSelectDialogTest, CancelAndEscapeGiveCancelAndKeepTheValuesHandedIn) {
  PlayerSelectDialog clicked("Dora", false);
  const std::uint64_t typed = TypeAt(In(40), "xyz");
  input_->ClickAt(typed + 100, kCheckX, kCheckY);
  input_->ClickAt(typed + 300, kCancelX, kCancelY);
  EXPECT_EQ(clicked.DoModal(), kDialogResultCancel);
  EXPECT_EQ(clicked.GetPlayerName(), "Dora");
  EXPECT_FALSE(clicked.GetDontShowAgain());

  // Escape leaves the focused field and reaches the dialog.
  PlayerSelectDialog escaped("Dora", true);
  TypeAt(In(40), "xyz");
  input_->KeyAt(In(400), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(escaped.DoModal(), kDialogResultCancel);
  EXPECT_EQ(escaped.GetPlayerName(), "Dora");
  EXPECT_TRUE(escaped.GetDontShowAgain());
}

// An empty name is refused with a message box on top of the dialog. Whichever way the box is
// closed, the key or click that closes it is not taken by the dialog beneath (Enter on its
// focused OK button would open the box again, Escape would cancel it): the dialog stays open
// until a name is typed.
TEST_F(PlayerSelectDialogTest, AnEmptyNameShowsTheMessageAndTheDialogStaysOpen) {
  // The box paints its whole rectangle only with the theme's skin; without one the comparison of
  // what was shown is left out, and the test counts as skipped once the rest has run.
  const bool withArtwork = UseArtwork(0);
  if (withArtwork) art_->RestoreBackground(0, 799, 0, 599);

  UiMessageBox expected(nullptr, "Player Select", kUiMbOk, "You must enter a name.");
  const int boxX = expected.GetX(), boxY = expected.GetY();
  const int boxW = expected.GetWidth(), boxH = expected.GetHeight();
  const int boxOkX = boxX + boxW / 2, boxOkY = boxY + 55 + 15;

  enum class Close { kEnter, kEscape, kClick };
  for (const Close close : {Close::kEnter, Close::kEscape, Close::kClick}) {
    SCOPED_TRACE(static_cast<int>(close));
    PlayerSelectDialog dialog("", true);
    // Each window timer tick notes how many loops run and keeps the screen under the box while
    // the box is open.
    std::vector<int> depths;
    std::vector<std::uint32_t> shownBox;
    bool dialogShownUnderBox = false;
    SetWindowProc([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
      if (message == WM_TIMER) {
        depths.push_back(UiModalDepth());
        if (UiModalDepth() == 2 && shownBox.empty()) {
          shownBox = Grab(boxX, boxY, boxW, boxH);
          dialogShownUnderBox = dialog.IsShown();
        }
      }
      return std::intptr_t{0};
    });
    SetTimer(5, 100);
    const std::uint64_t start = clock_;
    // The player selects the switch off, then presses OK with the field empty.
    input_->ClickAt(start + 20, kCheckX, kCheckY);
    input_->ClickAt(start + 140, kOkX, kOkY);
    switch (close) {
      case Close::kEnter:
        input_->KeyAt(start + 430, VK_RETURN, kScanEnter);
        break;
      case Close::kEscape:
        input_->KeyAt(start + 430, VK_ESCAPE, kScanEscape);
        break;
      case Close::kClick:
        input_->ClickAt(start + 400, boxOkX, boxOkY);
        break;
    }
    input_->ClickAt(start + 750, kFieldX, kFieldY);
    const std::uint64_t typed = TypeAt(start + 900, "Eve");
    input_->ClickAt(typed + 200, kOkX, kOkY);

    EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
    KillTimer(5);
    EXPECT_EQ(dialog.GetPlayerName(), "Eve");
    EXPECT_FALSE(dialog.GetDontShowAgain());
    EXPECT_GE(clock_, typed + 250) << "closed by the last click, not before";
    EXPECT_TRUE(dialogShownUnderBox);

    // The box was open from the first OK until it was closed, and never again.
    std::size_t firstOpen = depths.size(), lastOpen = 0;
    for (std::size_t i = 0; i < depths.size(); ++i) {
      if (depths[i] == 2) {
        firstOpen = std::min(firstOpen, i);
        lastOpen = i;
      }
    }
    ASSERT_LT(firstOpen, depths.size()) << "no message box was opened";
    EXPECT_EQ(lastOpen - firstOpen + 1, 3u) << "open from about 190 ms to 450 ms";
    for (std::size_t i = firstOpen; i <= lastOpen; ++i) EXPECT_EQ(depths[i], 2);
    EXPECT_EQ(depths.back(), 1) << "the dialog itself ran on";

    if (!withArtwork) continue;
    // What the player saw is the box with that caption, style and text: the same box shown on
    // its own looks the same, and a box with any other text does not.
    expected.Show();
    EXPECT_EQ(Grab(boxX, boxY, boxW, boxH), shownBox);
    expected.Hide();
    UiMessageBox otherText(nullptr, "Player Select", kUiMbOk, "You must enter a name,");
    ASSERT_EQ(otherText.GetWidth(), boxW);
    otherText.Show();
    EXPECT_NE(Grab(boxX, boxY, boxW, boxH), shownBox);
    otherText.Hide();
    UiMessageBox otherCaption(nullptr, "Player Selects", kUiMbOk, "You must enter a name.");
    otherCaption.Show();
    EXPECT_NE(Grab(boxX, boxY, boxW, boxH), shownBox);
    otherCaption.Hide();
  }
  SetWindowProc([](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; });
  if (!withArtwork) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
}

TEST_F(PlayerSelectDialogTest, LooksRightWithTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtwork(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    art_->RestoreBackground(0, 799, 0, 599);
    PlayerSelectDialog dialog("Ann", false);
    dialog.Show();
    EXPECT_TRUE(MatchesGolden("dialogs/player_select_theme" + std::to_string(theme), screenBuffer_,
                              200 - 12, 599 + 12, 210 - 12, 389 + 12));
    dialog.Hide();
  }
}

}  // namespace
