// The settings dialog of a game with rule settings, built from the game's table: check boxes, the
// cards-dealt spin box, the recycles group, the start card list, the don't-show box and the two
// buttons; confirming writes every value back to the game's key.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "games/RuleSettings.h"
#include "ui/UiDialog.h"

class CheckBox;
class ComboBox;
class RadioButton;
class RadioGroup;
class SpinBox;
class TextButton;

inline constexpr int kRuleSettingsConfirmed = 1;
inline constexpr int kRuleSettingsCancelled = 2;

// The six recycle choices in the order of their buttons.
inline constexpr int kRecycleChoices = 6;

class RuleSettingsDialog : public UiDialog {
public:
  // Reads every value of the game (creating missing ones with their defaults) and sets the
  // controls from them. The layout must outlive the dialog.
  RuleSettingsDialog(const RuleSettingsLayout& layout, RuleSettingsMode mode);

  void Show() override;
  bool Poll() override;

  // The controls, for the tests that drive the dialog as a player does; null when the game has
  // no such control.
  CheckBox* FlagBox(const char* value) const;
  SpinBox* CardsDealtBox() const { return cardsDealt_; }
  RadioGroup* RecycleGroup() const { return recycles_; }
  RadioButton* RecycleButton(int choice) const;
  ComboBox* StartCardList() const { return startCard_; }
  TextButton* ConfirmButton() const { return confirm_; }
  TextButton* CancelButton() const { return cancel_; }

private:
  void Build(const RuleControl& control, std::int32_t number);
  void BuildRecycles(const RuleControl& control, std::int32_t number);
  void BuildStartCard(const RuleControl& control, std::int32_t number);
  // What the control of entry `index` of the table now says, as the number to store.
  std::int32_t ValueOf(std::size_t index) const;
  void WriteBack() const;

  const RuleSettingsLayout& layout_;
  // The numbers read when the dialog opened, one per table entry.
  std::vector<std::int32_t> read_;
  // The control of each table entry: a check box, the spin box, the group or the combo box.
  std::vector<UiElement*> controls_;
  SpinBox* cardsDealt_ = nullptr;
  RadioGroup* recycles_ = nullptr;
  std::array<RadioButton*, kRecycleChoices> recycleButtons_{};
  // False when the stored Recycles matched none of the buttons: then none is shown chosen.
  bool recycleMatched_ = true;
  ComboBox* startCard_ = nullptr;
  TextButton* confirm_ = nullptr;
  TextButton* cancel_ = nullptr;
};
