// One turn of a push button: the mouse states of the turn, then the keyboard.
#include "ui/widgets/PushButton.h"

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetSupport.h"

PushButton::PushButton(UiElement* parent, int x, int y, int width, int height)
    : UiWidget(parent, x, y, width, height) {}

void PushButton::Redraw() {
  Draw();
  dirty_ = true;
}

void PushButton::HandleEvent() {
  if (UiBlockedByMenu(*this) || disabled_) return;
  HandleMouse();
  HandleKeyboard();
}

void PushButton::Hide() {
  UiWidget::Hide();
  backgroundSaved_ = false;
}

void PushButton::HandleMouse() {
  const bool over = UiMouseOver(*this);
  // While the button is held the press stays with this button: leaving it only lifts the face,
  // and coming back pushes it in again. A hover look left from before the press goes too.
  const bool heldWithHover =
      UiInput.mouseState == MS_LEFT_HELD && focus_ == kUiMouseFocus && hover_;
  switch (UiTrackLeftButton(over, &focus_, &pressed_)) {
    case UiPress::kPressed:
      Redraw();
      UiPlaySound("button.wav");
      UiRaise(EV_PRESSED, id_);
      return;
    case UiPress::kReleasedOver:
      Redraw();
      UiRaise(EV_CLICKED, id_);
      return;
    case UiPress::kNone:
      break;
    default:
      hover_ = false;
      Redraw();
      return;
  }
  if (heldWithHover) {
    hover_ = false;
    Redraw();
  } else if (UiInput.mouseState == MS_RIGHT_PRESSED && over) {
    UiRaise(EV_RIGHT_CLICKED, id_);
  } else if (UiInput.mouseState == MS_MOVE && hover_ != over) {
    hover_ = over;
    Redraw();
  }
}

void PushButton::HandleKeyboard() {
  if (UiInput.keyState != KS_CHAR) return;
  if (focus_ != kUiNoFocus && UiInput.keyChar == 13) {
    UiRaise(EV_CLICKED, id_);
    UiInput.keyState = KS_NONE;
    return;
  }
  // A mnemonic only counts when nothing else happened this turn, so a press elsewhere and a
  // typed letter in the same turn never click two things.
  if (UiInput.event == EV_NONE && IsShortcut(UiInput.keyChar)) {
    UiRaise(EV_CLICKED, id_);
    UiInput.keyState = KS_NONE;
  }
}
