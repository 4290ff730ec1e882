// Drawing of the dialog buttons: the face cut from the skin, the caption, focus frame and
// mnemonic underline.
#include "ui/widgets/TextButton.h"

#include <algorithm>
#include <string>

#include "gfx/font/Font.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetArtwork.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

// Where the button faces sit in the skin: the face rows, the rows of the bottom edge, and the
// columns of the unpressed and pressed faces with their right edges.
constexpr int kFaceTop = 628;
constexpr int kEdgeTop = 726;
constexpr int kEdgeBottom = 734;
constexpr int kUpLeft = 0;
constexpr int kUpRight = 198;
constexpr int kDownLeft = 206;
constexpr int kDownRight = 404;
constexpr int kRightEdgeWidth = 8;
constexpr int kBottomEdgeHeight = 9;
// The skin holds faces for buttons up to this wide; wider ones would read the other face.
constexpr int kWidestFace = kUpRight - kUpLeft + kRightEdgeWidth;

}  // namespace

TextButton::TextButton(UiElement* parent, int x, int y, int width, int height, int skin,
                       const char* caption)
    : PushButton(parent, x, y, width, height), skin_(skin) {
  TextButton::SetText(caption);
}

void TextButton::SetText(const char* caption) {
  const std::string stripped = UiStripMnemonic(caption, &mnemonic_);
  PushButton::SetText(caption != nullptr ? stripped.c_str() : nullptr);
}

void TextButton::Draw() {
  UiSelectDrawingBuffer();
  if (UiToolkit.saveUnderEnabled && !backgroundSaved_) {
    SaveUnder();
    backgroundSaved_ = true;
  }
  DrawFace();
  DrawCaption();
  UiMarkElement(*this);
}

void TextButton::DrawFace() const {
  const int target = UiToolkit.drawingBuffer;
  if (skin_ < 0 || target < 0 || width_ <= kRightEdgeWidth || height_ <= kBottomEdgeHeight) return;
  const int left = pressed_ ? kDownLeft : kUpLeft;
  const int rightEdge = pressed_ ? kDownRight : kUpRight;
  const int bodyWidth = std::min(width_ - kRightEdgeWidth, kWidestFace - kRightEdgeWidth);
  const int faceBottom = kFaceTop + height_ - 9;
  const int edgeX = x_ + width_ - kRightEdgeWidth;
  const int bottom = y_ + height_ - 1;
  // Copies place a block by its lower-left corner.
  GfxCopyRect(left, left + bodyWidth - 1, kFaceTop, faceBottom, x_, y_ + height_ - 9, skin_,
              target);
  GfxCopyRect(rightEdge, rightEdge + kRightEdgeWidth - 1, kFaceTop, faceBottom, edgeX,
              y_ + height_ - 9, skin_, target);
  GfxCopyRect(left, left + bodyWidth - 1, kEdgeTop, kEdgeBottom, x_, bottom, skin_, target);
  GfxCopyRect(rightEdge, rightEdge + kRightEdgeWidth - 1, kEdgeTop, kEdgeBottom, edgeX, bottom,
              skin_, target);
}

void TextButton::DrawCaption() const {
  const char* text = GetText();
  const int length = GetTextLength();
  const int shift = pressed_ ? 1 : 0;
  Color colour = UiButtonTextColour();
  if (disabled_) {
    colour = GfxMapRGB(127, 127, 127);
  } else if (hover_ || pressed_) {
    colour = UiButtonHoverTextColour();
  }
  const int centreX = x_ + width_ / 2 + (pressed_ ? 0 : -2);
  const int centreY = y_ + height_ / 2 + (pressed_ ? 1 : -1);
  if (UiSelectButtonFont()) {
    GfxSetColor(colour);
    GfxMove(centreX, centreY);
    GfxFontJustify(0, 0);
    GfxFontTextClipped(text, length);
    UiUnderlineCharacter(centreX, centreY, text, length, mnemonic_.index, 0, 0, true, colour);
  } else {
    UiDrawText(centreX, centreY, text, length, colour, 0, 0);
    UiUnderlineCharacter(centreX, centreY, text, length, mnemonic_.index, 0, 0, UiUseDialogFont(),
                         colour);
  }
  if (focus_ != kUiNoFocus) {
    GfxSetColor(UiColour(kUiColourDarkestEdge));
    UiDottedRect(x_ + 7 + shift, y_ + 7 + shift, x_ + width_ - 8 + shift,
                 y_ + height_ - 10 + shift);
  }
}
