// The table of a game's ten best scores, shown after every deal and from the game's menu, with
// the buttons to close it, to clear the table and (after a deal) to play again. The caller hands
// in the entries and what clearing the table means.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "persist/HighScores.h"
#include "ui/UiDialog.h"

class TextButton;

// A table never shows more than this many entries.
inline constexpr int kHighScoreRows = kHighScoreEntries;

class HighScoreDialog : public UiDialog {
public:
  // Only the first ten entries are kept. The row that shows the first entry from the top whose
  // score equals highlightScore is drawn in the theme's highlight colour. reset is called when
  // "&Reset" is pressed, before the dialog closes; it may be empty.
  HighScoreDialog(const char* gameName, std::vector<HighScoreEntry> entries,
                  std::int32_t highlightScore, bool withPlayAgain, std::function<void()> reset);

  void Draw() override;
  // Close (and Escape): kDialogResultOk; Play Again: kDialogResultPlayAgain; Reset: the reset
  // action, then kDialogResultOk.
  bool Poll() override;

  const std::vector<HighScoreEntry>& GetEntries() const { return entries_; }
  // Index of the highlighted row, -1 when no entry has the highlight score.
  int GetHighlightedRow() const { return highlightedRow_; }
  TextButton* GetCloseButton() const { return closeButton_; }
  TextButton* GetResetButton() const { return resetButton_; }
  // Null without "&Play Again".
  TextButton* GetPlayAgainButton() const { return playAgainButton_; }

private:
  void DrawRows() const;

  std::vector<HighScoreEntry> entries_;
  int highlightedRow_ = -1;
  std::function<void()> reset_;
  TextButton* closeButton_ = nullptr;
  TextButton* resetButton_ = nullptr;
  TextButton* playAgainButton_ = nullptr;
};

// The table of `game` as the settings store holds it, with "&Reset" clearing that table in the
// store. Returns the dialog's result.
int RunHighScoreDialog(const std::string& game, std::int32_t highlightScore, bool withPlayAgain);
