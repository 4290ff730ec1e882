// The check box's own parts: flipping its mark, Space, and the check mark.
#include "ui/widgets/CheckBox.h"

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"

CheckBox::CheckBox(UiElement* parent, int x, int y, const char* caption, bool keepBackground,
                   int wrapWidth)
    : CheckItem(parent, x, y, caption, keepBackground, wrapWidth) {}

void CheckBox::Change() {
  selected_ = !selected_;
}

void CheckBox::HandleKey() {
  if (UiInput.keyState != KS_CHAR || UiInput.keyChar != ' ' || UiInput.event != EV_NONE) return;
  Change();
  UiRaise(EV_CLICKED, id_);
  Redraw();
}

void CheckBox::DrawIndicator() const {
  DrawSquareBevel();
  if (!selected_) return;
  GfxSetColor(UiColour(kUiColourDarkestEdge));
  for (int stroke = 0; stroke < 3; ++stroke) {
    GfxMove(x_ + 3, y_ + 6 + stroke);
    GfxLineTo(x_ + 5, y_ + 8 + stroke);
    GfxLineTo(x_ + 9, y_ + 4 + stroke);
    GfxPoint(x_ + 9, y_ + 4 + stroke);
  }
}
