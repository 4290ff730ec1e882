// The rule-help viewer: page layout, paging and the one way out.
#include "dialogs/RuleHelpDialog.h"

#include <string>
#include <utility>

#include "dialogs/DialogResults.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/DataDir.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetArtwork.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

constexpr int kLeft = 50;
constexpr int kTop = 50;
constexpr int kWidth = 700;
constexpr int kHeight = 500;
constexpr int kButtonTop = kHeight - 50;
constexpr int kOkWidth = 100;
constexpr int kPageButtonSize = 30;
constexpr int kPreviousX = 450;
constexpr int kNextX = 510;
// Places within the dialog: the label column, the text column, the first row and the row pitch.
constexpr int kLabelX = 30;
constexpr int kTextX = 220;
constexpr int kFirstRowY = 40;
constexpr int kRowPitch = 16;
// Rows hang from their top line, so the first clears the title plate. Rows that would reach the
// buttons are not drawn: a page too long for the box loses its end rather than writing over "OK".
constexpr int kLastRowTop = kButtonTop - kRowPitch;

Color TextColour() {
  const ArtworkSet* art = UiWidgetArtwork();
  return art != nullptr ? art->DialogTextColor() : UiColour(kUiColourText);
}

// The fonts take byte 0x7F as the start of a colour change; in the help text it is a plain mark.
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\x7f') c = '?';
  }
  return out;
}

}  // namespace

RuleHelpDialog::RuleHelpDialog(HelpSection section)
    : UiDialog(kLeft, kTop, kWidth, kHeight, "Rule Help"), section_(std::move(section)) {
  // OK is made first so that it holds the focus: Enter closes the viewer.
  const int skin = DialogSkinBuffer();
  okButton_ = MakeChild<TextButton>(kWidth / 2 - kOkWidth / 2, kButtonTop, kOkWidth,
                                    kPageButtonSize, skin, "OK");
  if (section_.PageCount() >= 2) {
    previousButton_ =
        MakeChild<TextButton>(kPreviousX, kButtonTop, kPageButtonSize, kPageButtonSize, skin, "<<");
    nextButton_ =
        MakeChild<TextButton>(kNextX, kButtonTop, kPageButtonSize, kPageButtonSize, skin, ">>");
    previousButton_->SetDisabled(true);
  }
}

void RuleHelpDialog::Draw() {
  UiDialog::Draw();
  DrawPage();
}

void RuleHelpDialog::DrawPage() const {
  if (page_ < 0 || page_ >= section_.PageCount()) return;
  UiSelectDrawingBuffer();
  // Nothing is written outside the frame: only the dialog's own rectangle goes back when it
  // closes. A line too long for its column is cut at the frame.
  int oldMinX = 0, oldMaxX = 0, oldMinY = 0, oldMaxY = 0;
  GfxGetClip(&oldMinX, &oldMaxX, &oldMinY, &oldMaxY);
  GfxSetClip(x_ + border, x_ + width_ - 1 - border, y_ + border, y_ + height_ - 1 - border);
  const Color colour = TextColour();
  int y = kFirstRowY;
  for (const std::string& line : section_.pages[static_cast<std::size_t>(page_)].lines) {
    if (y > kLastRowTop) break;
    if (IsHelpLabel(line)) {
      const std::string label = Printable(std::string_view(line).substr(1));
      UiDrawText(x_ + kLabelX, y_ + y, label.c_str(), static_cast<int>(label.size()), colour, -1,
                 1);
      continue;
    }
    if (!line.empty()) {
      const std::string text = Printable(line);
      UiDrawText(x_ + kTextX, y_ + y, text.c_str(), static_cast<int>(text.size()), colour, -1, 1);
    }
    y += kRowPitch;
  }
  GfxSetClip(oldMinX, oldMaxX, oldMinY, oldMaxY);
}

void RuleHelpDialog::TurnTo(int page) {
  if (page < 0 || page >= section_.PageCount() || page == page_) return;
  page_ = page;
  previousButton_->SetDisabled(page_ == 0);
  nextButton_->SetDisabled(page_ == section_.PageCount() - 1);
  Draw();
}

bool RuleHelpDialog::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED) {
    const int subject = UiInput.subject;
    if (subject == okButton_->GetId()) {
      result = kDialogResultOk;
    } else if (previousButton_ != nullptr && subject == previousButton_->GetId()) {
      TurnTo(page_ - 1);
    } else if (nextButton_ != nullptr && subject == nextButton_->GetId()) {
      TurnTo(page_ + 1);
    }
  }
  return result != 0;
}

int RunRuleHelp(const char* gameTitle) {
  RuleHelpDialog dialog(
      LoadHelpSection(MediaPath("HELP.TXT"), gameTitle != nullptr ? gameTitle : ""));
  return dialog.DoModal();
}
