// Builds a game's settings dialog from its table, and writes the controls back on confirming.
#include "games/RuleSettingsDialog.h"

#include <cstring>

#include "gfx/art/ArtworkSet.h"
#include "persist/Settings.h"
#include "ui/UiInput.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/ComboBox.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/Label.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/SpinBox.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

constexpr int kCardsDealtMin = 1;
constexpr int kCardsDealtMax = 3;

constexpr int kGroupWidth = 340;
constexpr int kGroupHeight = 80;
struct RecycleChoice {
  const char* caption;
  int x, y;  // relative to the group
  std::int32_t number;
};
constexpr RecycleChoice kRecycleButtons[kRecycleChoices] = {
    {"&None", 10, 15, 0}, {"&1", 10, 35, 1},  {"&2", 10, 55, 2},
    {"&3", 150, 15, 3},   {"&4", 150, 35, 4}, {"&Infinite", 150, 55, kRecyclesUnlimited},
};

// Long enough for every rank name and the deck entry.
constexpr int kStartCardCapacity = 32;

constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 30;

}  // namespace

RuleSettingsDialog::RuleSettingsDialog(const RuleSettingsLayout& layout, RuleSettingsMode mode)
    : UiDialog(layout.x, layout.y, layout.width, layout.height, layout.title),
      layout_(layout),
      read_(ReadAllRuleValues(layout)) {
  controls_.reserve(layout.controls.size());
  for (std::size_t i = 0; i < layout.controls.size(); ++i) Build(layout.controls[i], read_[i]);

  const int w = layout.width;
  const int skin = DialogSkinBuffer();
  confirm_ = MakeChild<TextButton>((w - 200) / 3, layout.buttonsY, kButtonWidth, kButtonHeight,
                                   skin, mode == RuleSettingsMode::kStart ? "&Start" : "&Restart");
  cancel_ = MakeChild<TextButton>((2 * w - 400) / 3 + 100, layout.buttonsY, kButtonWidth,
                                  kButtonHeight, skin, layout.cancelCaption);
}

void RuleSettingsDialog::Build(const RuleControl& control, std::int32_t number) {
  switch (control.kind) {
    case RuleControlKind::kCheckBox: {
      auto* box = MakeChild<CheckBox>(control.x, control.y, control.caption, true, control.width);
      box->SetSelected(number != 0);
      controls_.push_back(box);
      return;
    }
    case RuleControlKind::kSpinBox:
      cardsDealt_ = MakeChild<SpinBox>(control.x, control.y, control.width, control.caption);
      cardsDealt_->SetRange(kCardsDealtMin, kCardsDealtMax, 1);
      cardsDealt_->SetValue(number);
      controls_.push_back(cardsDealt_);
      return;
    case RuleControlKind::kRecycles:
      BuildRecycles(control, number);
      controls_.push_back(recycles_);
      return;
    case RuleControlKind::kStartCard:
      BuildStartCard(control, number);
      controls_.push_back(startCard_);
      return;
  }
  controls_.push_back(nullptr);
}

void RuleSettingsDialog::BuildRecycles(const RuleControl& control, std::int32_t number) {
  MakeChild<GroupBox>(control.x, control.y, kGroupWidth, kGroupHeight, control.caption,
                      kGroupBoxEtched);
  recycles_ = MakeChild<RadioGroup>(control.x, control.y);
  RadioButton* chosen = nullptr;
  for (int i = 0; i < kRecycleChoices; ++i) {
    const RecycleChoice& choice = kRecycleButtons[i];
    recycleButtons_[i] =
        recycles_->MakeChild<RadioButton>(choice.x, choice.y, choice.caption, true, kUiNoWrap);
    if (choice.number == number) chosen = recycleButtons_[i];
  }
  recycleMatched_ = chosen != nullptr;
  if (chosen != nullptr) recycles_->SelectChild(chosen);
}

void RuleSettingsDialog::BuildStartCard(const RuleControl& control, std::int32_t number) {
  MakeChild<Label>(control.x, control.y, -1, control.caption);
  startCard_ =
      MakeChild<ComboBox>(control.comboX, control.comboY, control.width, kStartCardCapacity);
  for (int rank = 0; rank < kRankCount; ++rank) startCard_->AddItem(RankName(rank));
  if (layout_.offersNextFromDeck) {
    const int deckEntry = startCard_->AddItem(kNextCardFromDeckCaption);
    if (number == kStartCardNextFromDeck) number = deckEntry;
  }
  // A number outside the list (only an edited store holds one) leaves the box empty.
  startCard_->SetSelection(number);
}

void RuleSettingsDialog::Show() {
  UiDialog::Show();
  // The group shows its first button chosen when nothing else was chosen; an odd stored number
  // matches none, and claiming "None" would tell the player something untrue.
  if (recycleMatched_ || recycles_ == nullptr) return;
  for (RadioButton* button : recycleButtons_) {
    if (button == nullptr || !button->IsSelected()) continue;
    button->SetSelected(false);
    button->Draw();
  }
}

CheckBox* RuleSettingsDialog::FlagBox(const char* value) const {
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const RuleControl& control = layout_.controls[i];
    if (control.kind == RuleControlKind::kCheckBox && std::strcmp(control.value, value) == 0) {
      return static_cast<CheckBox*>(controls_[i]);
    }
  }
  return nullptr;
}

RadioButton* RuleSettingsDialog::RecycleButton(int choice) const {
  return choice >= 0 && choice < kRecycleChoices ? recycleButtons_[choice] : nullptr;
}

std::int32_t RuleSettingsDialog::ValueOf(std::size_t index) const {
  const RuleControl& control = layout_.controls[index];
  const std::int32_t unchanged = read_[index];
  switch (control.kind) {
    case RuleControlKind::kCheckBox:
      return controls_[index]->IsSelected() ? 1 : 0;
    case RuleControlKind::kSpinBox:
      return cardsDealt_->GetValue();
    case RuleControlKind::kRecycles:
      // With no button chosen the player has not picked a number: the stored one stays.
      for (int i = 0; i < kRecycleChoices; ++i) {
        if (recycleButtons_[i] != nullptr && recycleButtons_[i]->IsSelected()) {
          return kRecycleButtons[i].number;
        }
      }
      return unchanged;
    case RuleControlKind::kStartCard: {
      const int selection = startCard_->GetSelection();
      if (selection < 0) return unchanged;
      if (layout_.offersNextFromDeck && selection >= kRankCount) return kStartCardNextFromDeck;
      return selection;
    }
  }
  return unchanged;
}

void RuleSettingsDialog::WriteBack() const {
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    WriteSettingDword(layout_.game, layout_.controls[i].value, ValueOf(i));
  }
}

bool RuleSettingsDialog::Poll() {
  // Escape closes an open start card list; only with the list shut does it cancel the dialog.
  const bool listWasOpen = startCard_ != nullptr && startCard_->IsOpen();
  PollWidgets();
  if (UiInput.event == EV_CLICKED) {
    if (confirm_ != nullptr && UiInput.subject == confirm_->GetId()) {
      WriteBack();
      result = kRuleSettingsConfirmed;
    } else if (cancel_ != nullptr && UiInput.subject == cancel_->GetId()) {
      result = kRuleSettingsCancelled;
    }
  }
  if (result == 0 && !listWasOpen && EscapePressed()) result = kRuleSettingsCancelled;
  return result != 0;
}
