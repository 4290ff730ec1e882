// The behaviour shared by the picture buttons and the text buttons: press, drag off and back on,
// release to click, hover, Enter on the focused button.
#pragma once

#include <cstdint>

#include "ui/UiWidget.h"

class PushButton : public UiWidget {
public:
  PushButton(UiElement* parent, int x, int y, int width, int height);

  void HandleEvent() override;
  // Puts back the screen under the button; the next drawing saves it afresh.
  void Hide() override;

protected:
  // Keys that click the button besides Enter (the text buttons' mnemonics); none here.
  virtual bool IsShortcut(std::uint8_t) const { return false; }
  // Draws the new look at once and tells the loop that something changed.
  void Redraw();

  bool hover_ = false;
  bool backgroundSaved_ = false;

private:
  void HandleMouse();
  void HandleKeyboard();
};
