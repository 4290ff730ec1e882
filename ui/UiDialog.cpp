// Frame drawing, showing and hiding, and the modal message loop shared by every dialog.
#include "ui/UiDialog.h"

#include <algorithm>
#include <string>

#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetArtwork.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

// The skin's body is 800 x 600; its right columns and bottom rows hold the frame border.
constexpr int kSkinRight = 799;
constexpr int kSkinBottom = 599;
// The title plate below the body: 313 x 24, keyed with magenta.
constexpr int kPlateLeft = 288;
constexpr int kPlateRight = 600;
constexpr int kPlateTop = 600;
constexpr int kPlateBottom = 623;
// The plate sits this far left of the dialog's middle.
constexpr int kPlateHalf = 154;
constexpr int kTitleGap = 2;
constexpr int kTitleDrop = 7;
constexpr int kRefreshTitleDrop = 2;
constexpr int kTitleBandHeight = 23;
constexpr int kRefreshBandHeight = 6;
constexpr int kRefreshTitleExtra = 16;

std::string CutToTextLimit(const char* text) {
  if (text == nullptr) return {};
  std::string cut(text, std::find(text, text + kUiTextLimit, '\0'));
  return cut;
}

int DrawingTarget() {
  return UiToolkit.drawingBuffer >= 0 ? UiToolkit.drawingBuffer : GfxActiveBuffer();
}

// The inactive look letters the title in the bold font when there is one.
void DrawBoldCentred(int x, int y, const char* text, int length, Color colour) {
  if (UiToolkit.boldDialogFont == 0) {
    UiDrawText(x, y, text, length, colour, 0, 0);
    return;
  }
  GfxSelectFont(UiToolkit.boldDialogFont);
  GfxSetColor(colour);
  GfxMove(x, y);
  GfxFontJustify(0, 0);
  GfxFontTextClipped(text, std::min(length, kUiTextLimit));
}

}  // namespace

UiDialog::UiDialog(int x, int y, int width, int height, const char* title)
    : UiContainer(nullptr, x, y, width, height, CutToTextLimit(title).c_str(), 0) {
  if (const ArtworkSet* art = UiWidgetArtwork()) {
    UiToolkit.colours[kUiColourText] = art->DialogTextColor();
  }
}

void UiDialog::Show() {
  SaveUnder();
  UiContainer::Show();
}

void UiDialog::Hide() {
  UiContainer::Hide();
  RestoreUnder();
  MarkWhole();
}

void UiDialog::Draw() {
  DrawFrame(false);
  DrawChildren();
  MarkWhole();
  dirty_ = true;
}

void UiDialog::Refresh() {
  DrawFrame(true);
  // The frame covered the widgets; what changed must still reach the display.
  MarkWhole();
  dirty_ = true;
}

void UiDialog::MarkWhole() const {
  UiAddDirtyRect(x_, x_ + width_ - 1, y_, y_ + height_ - 1);
}

void UiDialog::DrawFrame(bool alternative) {
  UiSelectDrawingBuffer();
  const int skin = DialogSkinBuffer();
  const int dest = DrawingTarget();
  const int b = border;
  const int right = x_ + width_ - 1;
  const int bottom = y_ + height_ - 1;
  // Copies are placed by their lower-left corner. The body first, then the skin's right border
  // and bottom border moved in to the dialog's own edges, then the corner where they meet.
  GfxCopyRect(0, width_ - 1, 0, height_ - 1, x_, bottom, skin, dest);
  GfxCopyRect(kSkinRight - b + 1, kSkinRight, 0, height_ - b + 1, right - b + 1,
              y_ + height_ - b + 1, skin, dest);
  GfxCopyRect(0, width_ - b - 1, kSkinBottom - b + 1, kSkinBottom, x_, bottom, skin, dest);
  GfxCopyRect(kSkinRight - b, kSkinRight, kSkinBottom - b + 1, kSkinBottom, right - b, bottom, skin,
              dest);

  const bool titled = GetText() != nullptr;
  titleLeft = x_ + b + kTitleGap;
  titleRight = right - b - kTitleGap;
  if (!alternative) {
    titleTop = y_ + b + kTitleDrop;
    titleBottom = titleTop + kTitleBandHeight;
    if (titled) DrawTitlePlate(titleBottom);
  } else {
    titleTop = y_ + b + kRefreshTitleDrop;
    titleBottom = titleTop + kRefreshBandHeight + (titled ? kRefreshTitleExtra : 0);
    DrawTitlePlate(titleTop + kTitleBandHeight);
  }
  if (!titled) return;
  const int centreX = (titleLeft + titleRight) / 2;
  const int centreY = (titleTop + titleBottom) / 2;
  if (!alternative) {
    UiDrawText(centreX, centreY, GetText(), GetTextLength(), UiButtonTextColour(), 0, 0);
  } else {
    DrawBoldCentred(centreX, centreY, GetText(), GetTextLength(), GfxMapRGB(255, 170, 64));
  }
}

void UiDialog::DrawTitlePlate(int bottomRow) {
  // The plate is wider than a small dialog. It is cut to the inside of the frame: anything drawn
  // outside the dialog would stay on the screen, as only the dialog's rectangle is saved and
  // restored, and the frame reads better unbroken.
  const int innerLeft = x_ + border;
  const int innerRight = x_ + width_ - 1 - border;
  int left = x_ + width_ / 2 - kPlateHalf;
  int sourceLeft = kPlateLeft;
  int sourceRight = kPlateRight;
  if (left < innerLeft) {
    sourceLeft += innerLeft - left;
    left = innerLeft;
  }
  const int overhang = left + (sourceRight - sourceLeft) - innerRight;
  if (overhang > 0) sourceRight -= overhang;
  if (sourceRight < sourceLeft) return;
  GfxCopyRectTransparent(sourceLeft, sourceRight, kPlateTop, kPlateBottom, left, bottomRow,
                         DialogSkinBuffer(), DrawingTarget());
}

void UiDialog::PaintSkin(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  const int offsetX = x - x_;
  const int offsetY = y - y_;
  GfxCopyRect(offsetX, offsetX + width - 1, offsetY, offsetY + height - 1, x, y + height - 1,
              DialogSkinBuffer(), DrawingTarget());
}

int UiDialog::DoModal() {
  result = 0;
  Show();
  ModalOptions options;
  options.poll = [this] {
    Poll();
    return result != 0;
  };
  if (!UiRunModal(*this, options)) result = kUiDialogQuit;
  Hide();
  // Show the screen under the dialog at once rather than with the caller's next change.
  if (UiAppActive()) UiFlushDirtyRects();
  return result;
}

void UiDialog::PollWidgets() {
  UiPoll(*this);
}

bool UiDialog::EscapePressed() {
  return UiInput.keyState == KS_CHAR && UiInput.keyChar == 27;
}
