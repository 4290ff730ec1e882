// Holds the radio buttons of one choice and keeps exactly one of them selected: clicks, the
// buttons' mnemonics and the arrow keys move the choice.
#pragma once

#include "ui/UiWidget.h"

class RadioGroup : public UiCompoundWidget {
public:
  // x and y are relative to the parent; the buttons are placed relative to the group.
  RadioGroup(UiElement* parent, int x, int y);

  void Show() override;
  void HandleEvent() override;
  // The group's focus is shown on its focus-marked button.
  void SetFocus(int focus) override;
  // Disabling the group greys every button, so none can be chosen while the choice is off.
  void SetDisabled(bool disabled) override;
  // Selects child and clears every other selected button, drawing each that changes.
  void SelectChild(UiElement* child) override;

  // The selected button, or null.
  UiElement* GetSelectedChild() const;
  // The button that holds (or last held) the group's focus.
  UiElement* GetMarkedChild() const;

private:
  bool IsChild(int id, UiElement** child) const;
  // Up and Down: the focus and the choice move to the previous or next enabled button.
  // Makes child the one chosen button; draws the buttons that change when draw is set.
  void Choose(UiElement* child, bool draw);
  void MoveChoice(bool forward);
  void TakeFocusFrom(UiElement* child);
};
