// A push button drawn entirely from a picture, with separate looks for normal, hover, disabled
// and pressed (the title screen's corner buttons, the upgrade screen's button).
#pragma once

#include "ui/widgets/PushButton.h"

struct UiPoint {
  int x = 0;
  int y = 0;
};

class ImageButton : public PushButton {
public:
  // image is a graphics-layer buffer; the four points are the top-left corners of the looks in it.
  ImageButton(UiElement* parent, int x, int y, int width, int height, int image, int normalX,
              int normalY, int hoverX, int hoverY, int disabledX, int disabledY, int pressedX,
              int pressedY);

  void Draw() override;

private:
  UiPoint SourceOfLook() const;

  int image_;
  UiPoint normalSource_;
  UiPoint hoverSource_;
  UiPoint disabledSource_;
  UiPoint pressedSource_;
};
