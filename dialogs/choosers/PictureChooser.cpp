// The picture choosers' shared behaviour: picking a sample, the selection outline, the buttons.
#include "dialogs/choosers/PictureChooser.h"

#include "dialogs/DialogResults.h"
#include "gfx/art/ArtworkSet.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 30;
// The outline stands this far outside the sample, clear of its rounded corners.
constexpr int kOutlineGap = 3;

}  // namespace

int ChooserDrawingBuffer() {
  return UiToolkit.drawingBuffer >= 0 ? UiToolkit.drawingBuffer : GfxActiveBuffer();
}

ScreenPoint ChooserOkPlace(int width, int height) {
  return {(width - 2 * kButtonWidth) / 3, height - 50};
}

ScreenPoint ChooserCancelPlace(int width, int height) {
  return {(2 * width - 4 * kButtonWidth) / 3 + kButtonWidth, height - 50};
}

void MakeChooserButtons(UiDialog& dialog, TextButton** ok, TextButton** cancel) {
  const int skin = DialogSkinBuffer();
  const ScreenPoint okAt = ChooserOkPlace(dialog.GetWidth(), dialog.GetHeight());
  const ScreenPoint cancelAt = ChooserCancelPlace(dialog.GetWidth(), dialog.GetHeight());
  *ok = dialog.MakeChild<TextButton>(okAt.x, okAt.y, kButtonWidth, kButtonHeight, skin, "OK");
  *cancel = dialog.MakeChild<TextButton>(cancelAt.x, cancelAt.y, kButtonWidth, kButtonHeight, skin,
                                         "Cancel");
}

PictureChooser::PictureChooser(int x, int y, int width, int height, const char* title, int initial,
                               int sampleCount)
    : UiDialog(x, y, width, height, title),
      choice_(initial >= 0 && initial < sampleCount ? initial : 0) {
  MakeChooserButtons(*this, &okButton_, &cancelButton_);
}

int PictureChooser::SampleAt(int x, int y) const {
  for (int i = 0; i < SampleCount(); ++i) {
    const ScreenRect r = SampleRect(i);
    if (x > r.left && x < r.right && y > r.top && y < r.bottom) return i;
  }
  return -1;
}

void PictureChooser::Draw() {
  UiDialog::Draw();
  UiSelectDrawingBuffer();
  DrawSamples();
  DrawOutline();
}

void PictureChooser::DrawOutline() const {
  const ArtworkSet* art = UiWidgetArtwork();
  const ScreenRect r = SampleRect(choice_);
  const int left = r.left - kOutlineGap;
  const int right = r.right + kOutlineGap;
  const int top = r.top - kOutlineGap;
  const int bottom = r.bottom + kOutlineGap;
  UiSelectDrawingBuffer();
  // The theme's outline colour: the card artwork's pale green vanishes on the paper themes.
  GfxSetColor(art != nullptr ? art->ChooserOutlineColor() : UiColour(kUiColourSelection));
  GfxMove(left, top);
  GfxLineTo(right, top);
  GfxLineTo(right, bottom);
  GfxLineTo(left, bottom);
  GfxLineTo(left, top);
}

bool PictureChooser::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED) {
    if (okButton_ != nullptr && UiInput.subject == okButton_->GetId()) {
      result = kDialogResultOk;
    } else if (cancelButton_ != nullptr && UiInput.subject == cancelButton_->GetId()) {
      result = kDialogResultCancel;
    }
  }
  if (result == 0 && UiInput.mouseState == MS_LEFT_PRESSED) {
    const int picked = SampleAt(UiInput.mouseX, UiInput.mouseY);
    if (picked >= 0) {
      choice_ = picked;
      // Only the old and the new outline changed, but the whole screen goes out at once so the
      // move never shows half drawn.
      Draw();
      UiShowScreenRect({0, 0, kScreenWidth - 1, kScreenHeight - 1});
    }
  }
  return result != 0;
}
