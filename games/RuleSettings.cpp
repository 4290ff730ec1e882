// Reading, writing and summarising a game's rule values through its table.
#include "games/RuleSettings.h"

#include <cstring>

#include "games/RuleSettingsDialog.h"
#include "persist/Settings.h"

namespace {

std::string YesNo(const char* text, std::int32_t number) {
  return std::string(text) + (number != 0 ? ": Yes" : ": No");
}

std::string SummaryText(const SummaryLine& line, std::int32_t number) {
  switch (line.form) {
    case SummaryForm::kYesNo:
      return YesNo(line.text, number);
    case SummaryForm::kNumber:
      return std::string(line.text) + ": " + std::to_string(number);
    case SummaryForm::kRecycles:
      return std::string("Number of recycles: ") +
             (number == kRecyclesUnlimited ? std::string("Infinite") : std::to_string(number));
    case SummaryForm::kStartCard:
      // The program has always spelt this line so; players who know it expect it unchanged.
      if (number == kStartCardNextFromDeck) return "Starting Card: Next Card form Deck";
      return std::string("Starting Card: ") + RankName(number);
  }
  return {};
}

}  // namespace

const RuleControl* FindRuleControl(const RuleSettingsLayout& layout, const char* value) {
  if (value == nullptr) return nullptr;
  for (const RuleControl& control : layout.controls) {
    if (std::strcmp(control.value, value) == 0) return &control;
  }
  return nullptr;
}

std::int32_t ReadRuleValue(const RuleSettingsLayout& layout, const char* value) {
  const RuleControl* control = FindRuleControl(layout, value);
  if (control == nullptr) return 0;
  return ReadSettingDword(layout.game, control->value, control->fallback);
}

void WriteRuleValue(const RuleSettingsLayout& layout, const char* value, std::int32_t number) {
  const RuleControl* control = FindRuleControl(layout, value);
  if (control == nullptr) return;
  WriteSettingDword(layout.game, control->value, number);
}

std::vector<std::int32_t> ReadAllRuleValues(const RuleSettingsLayout& layout) {
  std::vector<std::int32_t> numbers;
  numbers.reserve(layout.controls.size());
  for (const RuleControl& control : layout.controls) {
    numbers.push_back(ReadSettingDword(layout.game, control.value, control.fallback));
  }
  return numbers;
}

std::vector<std::string> RuleSummaryLines(const RuleSettingsLayout& layout) {
  std::vector<std::string> lines;
  lines.reserve(layout.summary.size());
  for (const SummaryLine& line : layout.summary) {
    lines.push_back(SummaryText(line, ReadRuleValue(layout, line.value)));
  }
  return lines;
}

int RunRuleSettingsAtStart(const RuleSettingsLayout& layout) {
  if (ReadRuleValue(layout, "DontShowAgain") != 0) return kRuleSettingsConfirmed;
  RuleSettingsDialog dialog(layout, RuleSettingsMode::kStart);
  return dialog.DoModal();
}

int RunRuleSettingsToRestart(const RuleSettingsLayout& layout) {
  RuleSettingsDialog dialog(layout, RuleSettingsMode::kRestart);
  return dialog.DoModal();
}
