// An on/off option: a square with a check mark and a caption, flipped by a click, by Space while
// it has the focus, or by its mnemonic.
#pragma once

#include "ui/widgets/CheckItem.h"

class CheckBox : public CheckItem {
public:
  CheckBox(UiElement* parent, int x, int y, const char* caption, bool keepBackground,
           int wrapWidth);

protected:
  void Change() override;
  void HandleKey() override;
  void DrawIndicator() const override;
};
