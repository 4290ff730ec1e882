// A plain button drawn with bevel lines two pixels deep and a centred caption.
#pragma once

#include "ui/widgets/TextItem.h"

class BevelButton : public TextItem {
public:
  BevelButton(UiElement* parent, int x, int y, int width, int height, const char* text);

  // Press, drag off and back on, release to click, like every push button.
  void HandleEvent() override;
  void Draw() override;

protected:
  // The face and the bevel of the current look.
  void DrawBevel() const;
  // What sits on the face; the caption here.
  virtual void DrawContent() const;
  void Redraw();
};
