// The high-score dialog run through its modal loop with queued clicks and keys: the buttons of
// both modes and their results, the reset action and its effect on the store, which rows are drawn
// and in which colour, and its look with the theme artwork (whose goldens pin the title and the
// buttons of both modes).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/HighScoreDialog.h"
#include "persist/HighScores.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ScratchStore.h"
#include "tests/ui/DialogTestSupport.h"

namespace {

constexpr int kDialogX = 200;
constexpr int kDialogY = 100;
constexpr int kScanP = 0x19;
constexpr int kScanR = 0x13;

// The middle of a button given by its place within the dialog and its size.
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

class HighScoreDialogTest : public DialogTest {
protected:
  // Pixels that differ between the screen and `reference` (a grab of the whole screen) in the
  // rectangle of text row `row` (-1: the heading), and how many of those are in `colour`.
  struct RowInk {
    int changed = 0;
    int inColour = 0;
  };
  RowInk InkOfRow(const std::vector<std::uint32_t>& reference, int row, Color colour) const {
    const int base = kDialogY + (row < 0 ? 60 : 85 + 20 * row);
    RowInk ink;
    for (int y = base - 15; y <= base + 4; ++y) {
      for (int x = kDialogX + 8; x < kDialogX + 352; ++x) {
        const std::uint32_t pixel = PixelAt(screenBuffer_, x, y);
        if (pixel == reference[static_cast<std::size_t>(y) * 800 + x]) continue;
        ++ink.changed;
        ink.inColour += pixel == colour;
      }
    }
    return ink;
  }
};

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
      {false, 0, 0, kCloseAlone, kDialogResultOk, 0},
      {false, 0, 0, kResetAlone, kDialogResultOk, 1},
      {true, VK_RETURN, kScanEnter, {}, kDialogResultOk, 0},  // Close holds the focus
      {true, VK_ESCAPE, kScanEscape, {}, kDialogResultOk, 0},
      {true, 'P', kScanP, {}, kDialogResultPlayAgain, 0},
      {true, 'R', kScanR, {}, kDialogResultOk, 1},
      {false, VK_ESCAPE, kScanEscape, {}, kDialogResultOk, 0},
      {false, 'R', kScanR, {}, kDialogResultOk, 1},
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
    if (c.resets > 0) {
      EXPECT_TRUE(shownWhileReset) << "the table is cleared before it closes";
    }
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

  HighScoreDialog equal("Klondike", Table({900, 450, 450, 450, -3}), 450, true, nullptr);
  EXPECT_EQ(equal.GetHighlightedRow(), 1);
  HighScoreDialog negative("Klondike", Table({900, 450, -3, -3}), -3, true, nullptr);
  EXPECT_EQ(negative.GetHighlightedRow(), 2);
  HighScoreDialog none("Klondike", Table({900, 450}), 0, false, nullptr);
  EXPECT_EQ(none.GetHighlightedRow(), -1);
}

// A frame with the same title and nothing else, to see what the dialog writes on it.
class FrameOnly : public UiDialog {
public:
  FrameOnly() : UiDialog(kDialogX, kDialogY, 360, 360, "Klondike High Scores") {}
  bool Poll() override { return true; }
};

// Every row of a full table is drawn in one colour, the heading is there even with no rows, and
// text that is too long or carries the fonts' escape byte stays plain and in its column.
TEST_F(HighScoreDialogTest, AFullTableFillsTenRowsAndLongTextStaysInItsColumns) {
  if (!UseArtworkOnBackdrop(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  FrameOnly frame;
  frame.Show();
  const std::vector<std::uint32_t> bare = ScreenPixels(screenBuffer_);
  frame.Hide();
  HighScoreDialog empty("Klondike", {}, 0, false, nullptr);
  empty.Show();
  const std::vector<std::uint32_t> reference = ScreenPixels(screenBuffer_);
  const RowInk heading = InkOfRow(bare, -1, art_->DialogTextColor());
  EXPECT_GT(heading.changed, 20);
  EXPECT_EQ(heading.inColour, heading.changed);
  EXPECT_EQ(Changed(bare, kDialogX + 8, kDialogX + 351, kDialogY + 85 - 15, kDialogY + 265 + 4), 0)
      << "no rows without entries";
  empty.Hide();
  std::vector<HighScoreEntry> entries =
      Table({-2147483647 - 1, 2147483647, 0, 1, 2, 3, 4, 5, 6, 7});
  entries[0].name = std::string(300, 'W');
  entries[1].name = std::string(
      "Bell\x7f"
      "1ring");
  HighScoreDialog dialog("Klondike", entries, 99, false, nullptr);
  dialog.Show();
  const Color normal = art_->DialogTextColor();
  for (int row = 0; row < 10; ++row) {
    const RowInk ink = InkOfRow(reference, row, normal);
    EXPECT_GT(ink.changed, 20) << "row " << row;
    EXPECT_EQ(ink.inColour, ink.changed) << "row " << row << ": one colour, no escapes";
  }
  // The long name stops before the score column; the score column starts with the score.
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

// Joined to the settings store, "&Reset" clears only its own game's table. (The player-select
// dialog joined to the store is run by the shell in TitleScenarioTest, at the first start.)
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
