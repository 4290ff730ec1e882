// The rules view: the settings lines in the card artwork's small font, and OK.
#include "games/RulesViewDialog.h"

#include <algorithm>
#include <utility>

#include "dialogs/DialogResults.h"
#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetArtwork.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

constexpr int kOkWidth = 100;
constexpr int kOkHeight = 30;
// Places within the view: the lines' left edge, the first base line and the line pitch.
constexpr int kLineX = 20;
constexpr int kFirstLineY = 60;
constexpr int kLinePitch = 20;

}  // namespace

RulesViewDialog::RulesViewDialog(RulesViewLayout layout)
    : UiDialog(layout.x, layout.y, kRulesViewWidth, layout.height, layout.title),
      layout_(std::move(layout)) {
  okButton_ = MakeChild<TextButton>(kRulesViewWidth / 2 - kOkWidth / 2, layout_.height - 50,
                                    kOkWidth, kOkHeight, DialogSkinBuffer(), "OK");
}

void RulesViewDialog::Draw() {
  UiDialog::Draw();
  DrawLines();
}

void RulesViewDialog::DrawLines() const {
  if (!layout_.lines) return;
  UiSelectDrawingBuffer();
  const ArtworkSet* art = UiWidgetArtwork();
  const Color colour = art != nullptr ? art->DialogTextColor() : UiColour(kUiColourText);
  const int smallFont = art != nullptr ? art->SmallFont() : 0;
  const int oldFont = GfxSelectedFont();
  int oldMinX = 0, oldMaxX = 0, oldMinY = 0, oldMaxY = 0;
  GfxGetClip(&oldMinX, &oldMaxX, &oldMinY, &oldMaxY);
  GfxSetClip(x_ + border, x_ + width_ - 1 - border, y_ + border, y_ + height_ - 1 - border);
  int y = y_ + kFirstLineY;
  for (const std::string& line : layout_.lines()) {
    const int length = static_cast<int>(std::min<std::size_t>(line.size(), kUiTextLimit));
    if (smallFont > 0) {
      GfxSelectFont(smallFont);
      GfxSetColor(colour);
      GfxMove(x_ + kLineX, y);
      GfxFontJustify(-1, -1);
      GfxFontTextClipped(line.c_str(), length);
    } else {
      // Without the card artwork the dialog font stands in.
      UiDrawText(x_ + kLineX, y, line.c_str(), length, colour, -1, -1);
    }
    y += kLinePitch;
  }
  GfxSetClip(oldMinX, oldMaxX, oldMinY, oldMaxY);
  if (oldFont > 0) GfxSelectFont(oldFont);
}

bool RulesViewDialog::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED && UiInput.subject == okButton_->GetId()) {
    result = kDialogResultOk;
  }
  return result != 0;
}

int RunRulesView(RulesViewLayout layout) {
  RulesViewDialog dialog(std::move(layout));
  return dialog.DoModal();
}
