// The player-select and high-score dialogs through their modal loops: the name and switch handed
// back, an empty name refused, the buttons and keys of both high-score modes, the reset action and
// the store, the rows drawn, and their goldens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/HighScoreDialog.h"
#include "dialogs/PlayerSelectDialog.h"
#include "persist/HighScores.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ScratchStore.h"
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
// the dialog beneath does not take that key or click too: the box opens once (Enter on the
// dialog's OK would open it again), and the dialog stays open until a name is typed.
TEST_F(PlayerSelectDialogTest, AnEmptyNameShowsTheMessageAndTheDialogStaysOpen) {
  const UiMessageBox box(nullptr, "Player Select", kUiMbOk, "You must enter a name.");
  const int boxOkX = box.GetX() + box.GetWidth() / 2, boxOkY = box.GetY() + 55 + 15;
  const struct {
    std::uint32_t key;  // 0: a click on the box's OK
    int scan;
  } closings[] = {{VK_RETURN, kScanEnter}, {VK_ESCAPE, kScanEscape}, {0, 0}};
  for (const auto& close : closings) {
    SCOPED_TRACE(testing::Message() << "closed with key " << close.key);
    PlayerSelectDialog dialog("", true);
    std::string depths;  // the loops running at each window timer tick
    SetWindowProc([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
      if (message == WM_TIMER) depths += static_cast<char>('0' + UiModalDepth());
      return std::intptr_t{0};
    });
    SetTimer(5, 100);
    const std::uint64_t start = clock_;
    input_->ClickAt(start + 20, kCheckX, kCheckY);  // the switch off, then OK with no name
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
    // The box was open from about 190 ms to 450 ms, and never again.
    EXPECT_EQ(std::count(depths.begin(), depths.end(), '2'), 3) << depths;
    EXPECT_EQ(depths.find('2'), depths.find("222")) << depths;
  }
  SetWindowProc([](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; });
}

TEST_F(PlayerSelectDialogTest, LooksRightWithTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    PlayerSelectDialog dialog("Ann", false);
    EXPECT_TRUE(ShowsAsGolden(dialog, "dialogs/player_select_theme" + std::to_string(theme),
                              200 - 12, 599 + 12, 210 - 12, 389 + 12));
  }
}

constexpr int kDialogX = 200;
constexpr int kDialogY = 100;
constexpr int kScanP = 0x19;
constexpr int kScanR = 0x13;

struct Spot {
  int x, y;
};
constexpr Spot Middle(int left, int top, int width) {
  return {kDialogX + left + width / 2, kDialogY + top + 15};
}
constexpr Spot kCloseWithPlayAgain = Middle(53, 280, 90);
constexpr Spot kResetWithPlayAgain = Middle(216, 280, 90);
constexpr Spot kPlayAgain = Middle(120, 317, 120);
constexpr Spot kCloseAlone = Middle(53, 310, 90);
constexpr Spot kResetAlone = Middle(216, 310, 90);

std::vector<HighScoreEntry> Table(const std::vector<std::int32_t>& scores) {
  std::vector<HighScoreEntry> entries;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    entries.push_back({"Player " + std::string(1, static_cast<char>('A' + i)), scores[i]});
  }
  return entries;
}

using HighScoreDialogTest = DialogTest;

TEST_F(HighScoreDialogTest, EachButtonAndKeyGivesItsResultAndOnlyResetClears) {
  int resets = 0;
  bool shownWhileReset = false;
  const struct {
    bool withPlayAgain;
    std::uint32_t key;  // 0: a click on `click`
    int scan;
    Spot click;
    int result;
    int resets;
  } cases[] = {
      {true, 0, 0, kCloseWithPlayAgain, kDialogResultOk, 0},
      {true, 0, 0, kPlayAgain, kDialogResultPlayAgain, 0},
      {true, 0, 0, kResetWithPlayAgain, kDialogResultOk, 1},
      {true, VK_RETURN, kScanEnter, {}, kDialogResultOk, 0},  // Close holds the focus
      {true, VK_ESCAPE, kScanEscape, {}, kDialogResultOk, 0},
      {true, 'P', kScanP, {}, kDialogResultPlayAgain, 0},
      {true, 'R', kScanR, {}, kDialogResultOk, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    resets = 0;
    HighScoreDialog* running = nullptr;
    HighScoreDialog dialog("Klondike", Table({300, 200}), 200, c.withPlayAgain, [&] {
      ++resets;
      shownWhileReset = running != nullptr && running->IsShown();
    });
    running = &dialog;
    if (c.key != 0) {
      input_->KeyAt(In(40), c.key, c.scan);
    } else {
      input_->ClickAt(In(40), c.click.x, c.click.y);
    }
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(resets, c.resets);
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_TRUE(c.resets == 0 || shownWhileReset) << "the table is cleared before it closes";
    EXPECT_EQ(dialog.GetEntries().size(), 2u) << "the rows it was opened with stay as they were";
  }
}

// Opened from the menu there is no Play Again: its letter and its place do nothing, and only the
// later click on Close ends the dialog. An empty reset action is simply not called.
TEST_F(HighScoreDialogTest, WithoutPlayAgainItsPlaceAndLetterDoNothing) {
  HighScoreDialog dialog("Block Solitaire", Table({40}), 0, false, nullptr);
  input_->ClickAt(In(40), kPlayAgain.x, kPlayAgain.y);
  input_->KeyAt(In(200), 'P', kScanP);
  const std::uint64_t closing = In(400);
  input_->ClickAt(closing, kCloseAlone.x, kCloseAlone.y);
  EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
  EXPECT_GE(clock_, closing + 50) << "nothing before the click on Close ended it";

  HighScoreDialog unresettable("Block Solitaire", Table({40}), 0, false, nullptr);
  input_->ClickAt(In(40), kResetAlone.x, kResetAlone.y);
  EXPECT_EQ(unresettable.DoModal(), kDialogResultOk);
}

TEST_F(HighScoreDialogTest, KeepsAtMostTenEntriesAndFindsTheFirstEqualScore) {
  HighScoreDialog twelve("Klondike", Table({12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}), 1, true,
                         nullptr);
  EXPECT_EQ(twelve.GetEntries().size(), 10u);
  EXPECT_EQ(twelve.GetHighlightedRow(), -1) << "the eleventh entry is not shown, so not marked";

  HighScoreDialog equal("Klondike", Table({900, 450, 450, -3, -3}), -3, true, nullptr);
  EXPECT_EQ(equal.GetHighlightedRow(), 3);
  HighScoreDialog none("Klondike", Table({900, 450}), 0, false, nullptr);
  EXPECT_EQ(none.GetHighlightedRow(), -1);
}

// Every row of a full table is drawn, in one colour; text too long or carrying the fonts' escape
// byte stays plain and in its column.
TEST_F(HighScoreDialogTest, AFullTableFillsTenRowsAndLongTextStaysInItsColumns) {
  if (!UseArtworkOnBackdrop(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  HighScoreDialog empty("Klondike", {}, 0, false, nullptr);
  empty.Show();
  const std::vector<std::uint32_t> reference = ScreenPixels(screenBuffer_);
  empty.Hide();
  std::vector<HighScoreEntry> entries =
      Table({-2147483647 - 1, 2147483647, 0, 1, 2, 3, 4, 5, 6, 7});
  entries[0].name = std::string(300, 'W');
  entries[1].name =
      "Bell\x7f"
      "1ring";
  HighScoreDialog dialog("Klondike", entries, 99, false, nullptr);
  dialog.Show();
  for (int row = 0; row < 10; ++row) {
    const int base = kDialogY + 85 + 20 * row;
    int changed = 0, inColour = 0;
    for (int y = base - 15; y <= base + 4; ++y) {
      for (int x = kDialogX + 8; x < kDialogX + 352; ++x) {
        const std::uint32_t pixel = PixelAt(screenBuffer_, x, y);
        changed += pixel != reference[static_cast<std::size_t>(y) * 800 + x];
        inColour += pixel != reference[static_cast<std::size_t>(y) * 800 + x] &&
                    pixel == art_->DialogTextColor();
      }
    }
    EXPECT_GT(changed, 20) << "row " << row;
    EXPECT_EQ(inColour, changed) << "row " << row << ": one colour, no escapes";
  }
  // The long name stops before the score column.
  EXPECT_EQ(
      Changed(reference, kDialogX + 215, kDialogX + 219, kDialogY + 85 - 15, kDialogY + 85 + 4), 0);
  dialog.Hide();
}

TEST_F(HighScoreDialogTest, LooksRightInBothModesWithTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    std::vector<HighScoreEntry> entries = {{"Ann", 1520}, {"Bert", 1210},  {"Ann", 980},
                                           {"Cleo", 980}, {"Dmitri", 455}, {"Eve", 120},
                                           {"Fritz", -40}};
    for (const bool withPlayAgain : {true, false}) {
      HighScoreDialog dialog("Klondike", entries, withPlayAgain ? 980 : 0, withPlayAgain, nullptr);
      const std::string name = std::string("dialogs/high_scores_") +
                               (withPlayAgain ? "play_again" : "from_menu") + "_theme" +
                               std::to_string(theme);
      EXPECT_TRUE(ShowsAsGolden(dialog, name, 200 - 12, 559 + 12, 100 - 12, 459 + 12));
    }
  }
}

// Joined to the settings store, "&Reset" clears only its own game's table.
class HighScoreStoreTest : public DialogTest {
protected:
  ScratchStore store_;
};

TEST_F(HighScoreStoreTest, ResetClearsThatGamesTableOnly) {
  ASSERT_TRUE(AddHighScore("Klondike", "Ann", 120));
  ASSERT_TRUE(AddHighScore("Klondike", "Bob", 90));
  ASSERT_TRUE(AddHighScore("Gate", "Ann", 300));
  input_->ClickAt(In(40), kResetAlone.x, kResetAlone.y);
  EXPECT_EQ(RunHighScoreDialog("Klondike", 0, false), kDialogResultOk);
  EXPECT_EQ(CountHighScores("Klondike"), 0);
  EXPECT_EQ(CountHighScores("Gate"), 1);
}

}  // namespace
