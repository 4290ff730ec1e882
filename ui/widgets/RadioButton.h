// One choice of a radio group: a round indicator with a caption; a click or its mnemonic
// chooses it, and the group clears the others.
#pragma once

#include "ui/widgets/CheckItem.h"

class RadioButton : public CheckItem {
public:
  // group is the RadioGroup that holds the button; x and y are relative to it.
  RadioButton(UiElement* group, int x, int y, const char* caption, bool keepBackground,
              int wrapWidth);

protected:
  void Change() override;
  void HandleKey() override;
  void DrawIndicator() const override;
};
