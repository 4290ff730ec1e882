// A number with up and down arrows: the arrows step it (repeating while held), the field takes
// typed digits, and the value stays within its range.
#pragma once

#include <cstdint>

#include "ui/UiWidget.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/SpriteButton.h"

// The window timer that repeats a held arrow.
inline constexpr std::uintptr_t kSpinBoxTimer = 8000;
inline constexpr std::uint32_t kSpinBoxFirstDelayMs = 500;
inline constexpr std::uint32_t kSpinBoxRepeatMs = 50;
// Slow repeats before the arrow speeds up.
inline constexpr int kSpinBoxSlowRepeats = 5;

class SpinBox : public UiCompoundWidget {
public:
  // x and y are relative to the parent; the caption sits left of the field. unused is always 1.
  SpinBox(UiElement* parent, int x, int y, int fieldWidth, const char* caption, int unused = 1);
  ~SpinBox() override;

  void Show() override;
  void Hide() override;
  void HandleEvent() override;
  // The focus goes to the field, never to the arrows.
  void SetFocus(int focus) override;
  void SetDisabled(bool disabled) override;

  void SetRange(int minimum, int maximum, int step);
  // Writes the value into the field in decimal and draws it.
  void SetValue(int value);
  // The field's number, kept within the range; an empty field or one without a number gives
  // the last number it held.
  int GetValue() const;
  int GetMinimum() const { return minimum_; }
  int GetMaximum() const { return maximum_; }

  EditField* Field() const { return field_; }
  SpriteButton* UpArrow() const { return up_; }
  SpriteButton* DownArrow() const { return down_; }

private:
  int Clamp(int value) const;
  void Step(int direction);
  // Starts the repeat when an arrow goes down, steps on its ticks, stops it on release.
  void HandleArrows();
  void StopRepeat();
  // The number the field spells, unclamped; false when it spells none.
  bool ReadField(int* number) const;
  // Writes GetValue back into the field when it shows anything else.
  void Commit();
  // The group-like focus move when one of the parts is pressed.
  void TakePressedFocus();

  EditField* field_ = nullptr;
  SpriteButton* up_ = nullptr;
  SpriteButton* down_ = nullptr;
  int value_ = 0;
  int minimum_ = -999;
  int maximum_ = 1000;
  int step_ = 1;
  int repeats_ = 0;
  // +1 while the up arrow is held, -1 for the down arrow, 0 when neither.
  int held_ = 0;
};
