// The high-score dialog run through its modal loop with queued clicks and keys: the buttons of
// both modes and their results, the reset action, which rows are drawn and in which colour, and
// its look with the theme artwork (whose goldens pin the title and the buttons of both modes).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/HighScoreDialog.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/widgets/WidgetArtwork.h"

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
  // The screen with the dialog drawn without any rows: what every row is compared against.
  std::vector<std::uint32_t> EmptyTableScreen(bool withPlayAgain) {
    HighScoreDialog empty("Klondike", {}, 0, withPlayAgain, nullptr);
    empty.Show();
    std::vector<std::uint32_t> pixels = ScreenPixels(screenBuffer_);
    empty.Hide();
    return pixels;
  }
};

TEST_F(HighScoreDialogTest, EachButtonGivesItsResultAndOnlyResetClears) {
  int resets = 0;
  bool shownWhileReset = false;
  const struct {
    bool withPlayAgain;
    Spot click;
    int result;
    int resets;
  } cases[] = {
      {true, kCloseWithPlayAgain, kDialogResultOk, 0},
      {true, kPlayAgain, kDialogResultPlayAgain, 0},
      {true, kResetWithPlayAgain, kDialogResultOk, 1},
      {false, kCloseAlone, kDialogResultOk, 0},
      {false, kResetAlone, kDialogResultOk, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "click at " << c.click.x << ", " << c.click.y);
    resets = 0;
    HighScoreDialog* running = nullptr;
    HighScoreDialog dialog("Klondike", Table({300, 200}), 200, c.withPlayAgain, [&] {
      ++resets;
      shownWhileReset = running != nullptr && running->IsShown();
    });
    running = &dialog;
    input_->ClickAt(In(40), c.click.x, c.click.y);
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(resets, c.resets);
    EXPECT_FALSE(dialog.IsShown());
    if (c.resets > 0) {
      EXPECT_TRUE(shownWhileReset) << "the table is cleared before it closes";
    }
    EXPECT_EQ(dialog.GetEntries().size(), 2u) << "the rows it was opened with stay as they were";
  }
}

TEST_F(HighScoreDialogTest, KeysCloseResetAndPlayAgain) {
  int resets = 0;
  auto reset = [&resets] { ++resets; };
  const struct {
    bool withPlayAgain;
    std::uint32_t key;
    int scan;
    int result;
    int resets;
  } cases[] = {
      {true, VK_RETURN, kScanEnter, kDialogResultOk, 0},  // Close holds the focus
      {true, VK_ESCAPE, kScanEscape, kDialogResultOk, 0},
      {true, 'P', kScanP, kDialogResultPlayAgain, 0},
      {true, 'R', kScanR, kDialogResultOk, 1},
      {false, VK_ESCAPE, kScanEscape, kDialogResultOk, 0},
      {false, 'R', kScanR, kDialogResultOk, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << (c.withPlayAgain ? " after a deal" : ""));
    resets = 0;
    HighScoreDialog dialog("Quadrille", Table({5}), 5, c.withPlayAgain, reset);
    input_->KeyAt(In(40), c.key, c.scan);
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(resets, c.resets);
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

// Two equal scores: only the upper row is in the highlight colour, every other row and the
// heading in the dialog text colour; rows past the last entry draw nothing. Checked on the
// pixels of each text row without artwork; with the themes' artwork the goldens pin the same.
TEST_F(HighScoreDialogTest, OnlyTheFirstEqualScoreIsHighlightedAndOnlyEntriesAreDrawn) {
  // Without a skin the dialog draws on whatever is there; the text must stand out from it.
  GfxSetColor(GfxMapRGB(200, 200, 200));
  GfxFillRect(0, 799, 0, 599);
  const Color normal = UiColour(kUiColourText);
  const Color highlight = UiColour(kUiColourSelection);
  ASSERT_NE(normal, highlight);

  for (const bool withPlayAgain : {true, false}) {
    SCOPED_TRACE(withPlayAgain ? "with Play Again" : "from the menu");
    const std::vector<std::uint32_t> reference = EmptyTableScreen(withPlayAgain);
    HighScoreDialog dialog("Klondike", Table({1200, 800, 800, 650}), 800, withPlayAgain, nullptr);
    dialog.Show();
    const RowInk heading = InkOfRow(reference, -1, normal);
    EXPECT_EQ(heading.changed, 0) << "the heading is drawn with or without rows";
    for (int row = 0; row < 10; ++row) {
      SCOPED_TRACE(testing::Message() << "row " << row);
      const RowInk ink = InkOfRow(reference, row, row == 1 ? highlight : normal);
      if (row < 4) {
        EXPECT_GT(ink.changed, 20);
        EXPECT_EQ(ink.inColour, ink.changed);
      } else if (!withPlayAgain || row < 9) {
        // With Play Again the tenth row's rectangle reaches the buttons, which are the same in
        // both pictures anyway.
        EXPECT_EQ(ink.changed, 0);
      }
    }
    dialog.Hide();
  }
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
  if (!UseArtwork(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  art_->RestoreBackground(0, 799, 0, 599);
  FrameOnly frame;
  frame.Show();
  const std::vector<std::uint32_t> bare = ScreenPixels(screenBuffer_);
  frame.Hide();
  const std::vector<std::uint32_t> reference = EmptyTableScreen(false);
  {
    HighScoreDialog empty("Klondike", {}, 0, false, nullptr);
    empty.Show();
    const RowInk heading = InkOfRow(bare, -1, art_->DialogTextColor());
    EXPECT_GT(heading.changed, 20);
    EXPECT_EQ(heading.inColour, heading.changed);
    for (int row = 0; row < 10; ++row) EXPECT_EQ(InkOfRow(bare, row, 0).changed, 0);
    empty.Hide();
  }
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
  int nameInScoreColumn = 0;
  for (int y = kDialogY + 85 - 15; y <= kDialogY + 85 + 4; ++y) {
    for (int x = kDialogX + 215; x < kDialogX + 220; ++x) {
      nameInScoreColumn += PixelAt(screenBuffer_, x, y) != reference[y * 800 + x];
    }
  }
  EXPECT_EQ(nameInScoreColumn, 0);
  dialog.Hide();
}

TEST_F(HighScoreDialogTest, LooksRightInBothModesWithTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtwork(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    art_->RestoreBackground(0, 799, 0, 599);
    std::vector<HighScoreEntry> entries = {{"Ann", 1520}, {"Bert", 1210},  {"Ann", 980},
                                           {"Cleo", 980}, {"Dmitri", 455}, {"Eve", 120},
                                           {"Fritz", -40}};
    for (const bool withPlayAgain : {true, false}) {
      HighScoreDialog dialog("Klondike", entries, withPlayAgain ? 980 : 0, withPlayAgain, nullptr);
      dialog.Show();
      const std::string name = std::string("dialogs/high_scores_") +
                               (withPlayAgain ? "play_again" : "from_menu") + "_theme" +
                               std::to_string(theme);
      EXPECT_TRUE(MatchesGolden(name, screenBuffer_, 200 - 12, 559 + 12, 100 - 12, 459 + 12));
      dialog.Hide();
    }
  }
}

}  // namespace
