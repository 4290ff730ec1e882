// Input and drawing of the bevelled buttons.
#include "ui/widgets/BevelButton.h"

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetSupport.h"

BevelButton::BevelButton(UiElement* parent, int x, int y, int width, int height, const char* text)
    : TextItem(parent, x, y, width, height, text) {}

void BevelButton::Redraw() {
  Draw();
  dirty_ = true;
}

void BevelButton::HandleEvent() {
  if (disabled_) return;
  switch (UiTrackLeftButton(UiMouseOver(*this), &focus_, &pressed_)) {
    case UiPress::kPressed:
      Redraw();
      UiRaise(EV_PRESSED, id_);
      break;
    case UiPress::kReleasedOver:
      Redraw();
      UiRaise(EV_CLICKED, id_);
      break;
    case UiPress::kNone:
      break;
    default:
      Redraw();
      break;
  }
}

void BevelButton::DrawBevel() const {
  const int right = x_ + width_ - 1;
  const int bottom = y_ + height_ - 1;
  UiFill(x_, y_, right, bottom, UiColour(kUiColourFace));
  if (pressed_ && !disabled_) {
    const Color outline = UiColour(kUiColourDarkestEdge);
    UiHLine(x_, right, y_, outline);
    UiHLine(x_, right, bottom, outline);
    UiVLine(x_, y_, bottom, outline);
    UiVLine(right, y_, bottom, outline);
    UiHLine(x_ + 1, right - 1, y_ + 1, UiColour(kUiColourDarkEdge));
    UiVLine(x_ + 1, y_ + 1, bottom - 1, UiColour(kUiColourDarkEdge));
    return;
  }
  for (int ring = 0; ring < 2; ++ring) {
    const Color shade = ring == 0 ? UiColour(kUiColourDarkestEdge) : UiColour(kUiColourDarkEdge);
    UiHLine(x_ + ring, right - ring, y_ + ring, UiColour(kUiColourLightEdge));
    UiVLine(x_ + ring, y_ + ring, bottom - ring, UiColour(kUiColourLightEdge));
    UiHLine(x_ + ring, right - ring, bottom - ring, shade);
    UiVLine(right - ring, y_ + ring, bottom - ring, shade);
  }
}

void BevelButton::DrawContent() const {
  const int shift = pressed_ ? 1 : 0;
  // The face is the light system grey in every theme; a theme's gold or white lettering would
  // vanish on it, so the caption is always dark.
  UiDrawText(x_ + width_ / 2 + shift, y_ + height_ / 2 + shift, GetText(), GetTextLength(),
             UiColour(kUiColourDarkestEdge), 0, 0);
}

void BevelButton::Draw() {
  UiSelectDrawingBuffer();
  DrawBevel();
  DrawContent();
  UiMarkElement(*this);
}
