// The radio button's own parts: choosing itself, losing the focus on Tab, the round indicator.
#include "ui/widgets/RadioButton.h"

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"

RadioButton::RadioButton(UiElement* group, int x, int y, const char* caption, bool keepBackground,
                         int wrapWidth)
    : CheckItem(group, x, y, caption, keepBackground, wrapWidth) {}

void RadioButton::Change() {
  // A chosen button stays chosen when clicked again; only choosing another clears it.
  selected_ = true;
}

void RadioButton::HandleKey() {
  if (UiInput.event == EV_TAB || UiInput.event == EV_BACK_TAB) {
    focus_ = kUiNoFocus;
    Redraw();
  }
}

void RadioButton::DrawIndicator() const {
  // A ring of radius 6 around the centre of the 12-pixel square: its upper-left half in the dark
  // edge colours and its lower-right half in the light ones, like the bevel of the check box.
  const int twiceCentre = 11;
  for (int row = 0; row < 12; ++row) {
    for (int col = 0; col < 12; ++col) {
      const int dx = 2 * col - twiceCentre;
      const int dy = 2 * row - twiceCentre;
      const int distance = dx * dx + dy * dy;  // four times the squared distance
      Color colour;
      const bool upperLeft = col + row < 11;
      if (distance > 144) {
        continue;
      } else if (distance > 100) {
        colour = upperLeft ? UiColour(kUiColourDarkEdge) : UiColour(kUiColourLightEdge);
      } else if (distance > 64) {
        colour = upperLeft ? UiColour(kUiColourDarkestEdge) : UiColour(kUiColourFace);
      } else if (selected_ && distance <= 16) {
        // The mark of the chosen button: a round dot of four rows, its corners cut.
        colour = UiColour(kUiColourDarkestEdge);
      } else {
        colour = IndicatorFace();
      }
      GfxSetColor(colour);
      GfxPoint(x_ + col, y_ + row);
    }
  }
}
