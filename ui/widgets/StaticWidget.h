// The base of the widgets that only show something (frames and labels): they take no input and
// are passed over by the keyboard focus.
#pragma once

#include "ui/UiWidget.h"

class StaticWidget : public UiWidget {
public:
  StaticWidget(UiElement* parent, int x, int y, int width, int height);

  void HandleEvent() override {}
  // Static widgets never hold the focus, whatever the container asks.
  void SetFocus(int) override {}
};
