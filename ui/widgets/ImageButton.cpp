// Drawing of the picture buttons: one rectangle of the picture per look, and the focus frame.
#include "ui/widgets/ImageButton.h"

#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetSupport.h"

ImageButton::ImageButton(UiElement* parent, int x, int y, int width, int height, int image,
                         int normalX, int normalY, int hoverX, int hoverY, int disabledX,
                         int disabledY, int pressedX, int pressedY)
    : PushButton(parent, x, y, width, height),
      image_(image),
      normalSource_{normalX, normalY},
      hoverSource_{hoverX, hoverY},
      disabledSource_{disabledX, disabledY},
      pressedSource_{pressedX, pressedY} {}

UiPoint ImageButton::SourceOfLook() const {
  if (disabled_) return disabledSource_;
  if (pressed_) return pressedSource_;
  if (hover_) return hoverSource_;
  return normalSource_;
}

void ImageButton::Draw() {
  UiSelectDrawingBuffer();
  if (!backgroundSaved_) {
    SaveUnder();
    backgroundSaved_ = true;
  }
  const UiPoint from = SourceOfLook();
  if (image_ >= 0 && UiToolkit.drawingBuffer >= 0 && width_ > 0 && height_ > 0) {
    GfxCopyRect(from.x, from.x + width_ - 1, from.y, from.y + height_ - 1, x_, y_ + height_ - 1,
                image_, UiToolkit.drawingBuffer);
  }
  if (focus_ != kUiNoFocus) {
    const int shift = pressed_ ? 1 : 0;
    GfxSetColor(UiColour(kUiColourDarkestEdge));
    UiDottedRect(x_ + 2 + shift, y_ + 3 + shift, x_ + width_ - 5 + shift, y_ + height_ - 5 + shift);
  }
  UiMarkElement(*this);
}
