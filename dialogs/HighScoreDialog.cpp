// The high-score dialog: the rows of the table, the highlighted score and the three buttons.
#include "dialogs/HighScoreDialog.h"

#include <cstdio>
#include <utility>

#include "dialogs/DialogResults.h"
#include "gfx/art/ArtworkSet.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetArtwork.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

constexpr int kLeft = 200;
constexpr int kTop = 100;
constexpr int kSize = 360;
// Places within the dialog: the heading, the first row's base line and the rows' spacing, the
// two columns.
constexpr int kHeadingX = 205;
constexpr int kHeadingY = 60;
constexpr int kFirstRowY = 85;
constexpr int kRowSpacing = 20;
constexpr int kNameX = 35;
constexpr int kScoreX = 220;
// A long name stops this far before the score column rather than running into it.
constexpr int kNameGap = 6;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 30;
constexpr int kPlayAgainWidth = 120;
// The bar under the new score's row: the row's full spacing but for one pixel, from just before
// the place number to as far right of the score column.
constexpr int kBarLeft = 27;
constexpr int kBarAbove = 14;
constexpr int kBarBelow = 3;

std::string TitleFor(const char* gameName) {
  return std::string(gameName != nullptr ? gameName : "") + " High Scores";
}

Color NormalTextColour() {
  const ArtworkSet* art = UiWidgetArtwork();
  return art != nullptr ? art->DialogTextColor() : UiColour(kUiColourText);
}

Color HighlightTextColour() {
  const ArtworkSet* art = UiWidgetArtwork();
  return art != nullptr ? art->MenuHighlightTextColor() : UiColour(kUiColourSelection);
}

// The new score's row sits on the theme's highlight bar, like a lit menu item; without theme
// artwork its colour alone marks it.
void DrawHighlightBar(int left, int right, int base) {
  const ArtworkSet* art = UiWidgetArtwork();
  if (art == nullptr) return;
  GfxSetColor(art->MenuHighlightBarColor());
  GfxFillRect(left, right, base - kBarAbove, base + kBarBelow);
}

// The fonts take byte 0x7F as the start of a colour change; a name read back from the settings
// file shows that byte as a plain mark instead.
std::string Printable(std::string name) {
  for (char& c : name) {
    if (c == '\x7f') c = '?';
  }
  return name;
}

// Draws text with its base line at (x, y), cut to the columns left..right.
void DrawClipped(int x, int y, const std::string& text, Color colour, int left, int right) {
  int oldMinX = 0, oldMaxX = 0, oldMinY = 0, oldMaxY = 0;
  GfxGetClip(&oldMinX, &oldMaxX, &oldMinY, &oldMaxY);
  GfxSetClip(left, right, oldMinY, oldMaxY);
  UiDrawText(x, y, text.c_str(), static_cast<int>(text.size()), colour, -1, -1);
  GfxSetClip(oldMinX, oldMaxX, oldMinY, oldMaxY);
}

}  // namespace

HighScoreDialog::HighScoreDialog(const char* gameName, std::vector<HighScoreEntry> entries,
                                 std::int32_t highlightScore, bool withPlayAgain,
                                 std::function<void()> reset)
    : UiDialog(kLeft, kTop, kSize, kSize, TitleFor(gameName).c_str()),
      entries_(std::move(entries)),
      reset_(std::move(reset)) {
  if (entries_.size() > static_cast<std::size_t>(kHighScoreRows)) entries_.resize(kHighScoreRows);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].score == highlightScore) {
      highlightedRow_ = static_cast<int>(i);
      break;
    }
  }
  // Close is made first so that it holds the focus: Enter closes the table.
  const int skin = DialogSkinBuffer();
  const int buttonTop = withPlayAgain ? 280 : 310;
  closeButton_ = MakeChild<TextButton>(53, buttonTop, kButtonWidth, kButtonHeight, skin, "Close");
  resetButton_ = MakeChild<TextButton>(216, buttonTop, kButtonWidth, kButtonHeight, skin, "&Reset");
  if (withPlayAgain) {
    playAgainButton_ =
        MakeChild<TextButton>(120, 317, kPlayAgainWidth, kButtonHeight, skin, "&Play Again");
  }
}

void HighScoreDialog::Draw() {
  UiDialog::Draw();
  DrawRows();
}

void HighScoreDialog::DrawRows() const {
  UiSelectDrawingBuffer();
  // Nothing is written outside the frame: only the dialog's own rectangle goes back when it
  // closes.
  const int innerLeft = x_ + border;
  const int innerRight = x_ + width_ - 1 - border;
  const Color normal = NormalTextColour();
  DrawClipped(x_ + kHeadingX, y_ + kHeadingY, "Score", normal, innerLeft, innerRight);
  char buffer[32];
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const int row = static_cast<int>(i);
    const int base = y_ + kFirstRowY + kRowSpacing * row;
    const Color colour = row == highlightedRow_ ? HighlightTextColour() : normal;
    if (row == highlightedRow_) DrawHighlightBar(x_ + kBarLeft, x_ + width_ - 1 - kBarLeft, base);
    std::snprintf(buffer, sizeof buffer, "%d. ", row + 1);
    DrawClipped(x_ + kNameX, base, buffer + Printable(entries_[i].name), colour, innerLeft,
                x_ + kScoreX - kNameGap);
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(entries_[i].score));
    DrawClipped(x_ + kScoreX, base, buffer, colour, innerLeft, innerRight);
  }
}

bool HighScoreDialog::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED) {
    const int subject = UiInput.subject;
    if (subject == closeButton_->GetId()) {
      result = kDialogResultOk;
    } else if (subject == resetButton_->GetId()) {
      // The table is cleared at once, without asking; the dialog closes rather than show the
      // rows it no longer stands for.
      if (reset_) reset_();
      result = kDialogResultOk;
    } else if (playAgainButton_ != nullptr && subject == playAgainButton_->GetId()) {
      result = kDialogResultPlayAgain;
    }
  }
  if (result == 0 && EscapePressed()) result = kDialogResultOk;
  return result != 0;
}

int RunHighScoreDialog(const std::string& game, std::int32_t highlightScore, bool withPlayAgain) {
  std::vector<HighScoreEntry> entries;
  const int count = CountHighScores(game);
  for (int n = 1; n <= count; ++n) entries.push_back(ReadHighScore(game, n));
  HighScoreDialog dialog(game.c_str(), std::move(entries), highlightScore, withPlayAgain,
                         [&game] { ClearHighScores(game); });
  return dialog.DoModal();
}
