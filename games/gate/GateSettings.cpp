// Gate's settings table and its value readers.
#include "games/gate/GateSettings.h"

namespace {

using enum RuleControlKind;

constexpr RuleControl kControls[] = {
    {"MovePartial", 0, kCheckBox, "Can move &partial rows.", 30, 60, kRuleNoWrap},
    {"FilledIn", 0, kCheckBox, "&Foundation already filled in.", 30, 90, kRuleNoWrap},
    {"FillFromWaste", 0, kCheckBox, "&Use waste pile to fill in blank tableau.", 30, 120,
     kRuleNoWrap},
    {"Recycles", 0, kRecycles, "Recycles", 30, 150, 0},
    {"StartCard", kStartCardNextFromDeck, kStartCard, "Starting card:", 30, 250, 190, 160, 245},
    {"DontShowAgain", 0, kCheckBox, "&Don't show Gate Settings at start again", 30, 295,
     kRuleDontShowWrap},
};

constexpr SummaryLine kSummary[] = {
    {"MovePartial", "Can move partial rows", SummaryForm::kYesNo},
    {"FilledIn", "Foundation already filled in", SummaryForm::kYesNo},
    {"FillFromWaste", "Use waste pile to fill in blank tableau", SummaryForm::kYesNo},
    {"StartCard", "", SummaryForm::kStartCard},
    {"Recycles", "", SummaryForm::kRecycles},
};

}  // namespace

// Constant-initialised, so other files may use it from their own static initialisers.
constinit const RuleSettingsLayout kGateSettings = {
    "Gate", "Gate Rule Settings", 200, 107, 400, 385, kControls, 335, "Cancel", true, kSummary};

bool ReadGateFilledIn() {
  return ReadRuleValue(kGateSettings, "FilledIn") != 0;
}
std::int32_t ReadGateRecycles() {
  return ReadRuleValue(kGateSettings, "Recycles");
}
std::int32_t ReadGateStartCard() {
  return ReadRuleValue(kGateSettings, "StartCard");
}
bool ReadGateMovePartial() {
  return ReadRuleValue(kGateSettings, "MovePartial") != 0;
}
bool ReadGateFillFromWaste() {
  return ReadRuleValue(kGateSettings, "FillFromWaste") != 0;
}
bool ReadGateDontShowAgain() {
  return ReadRuleValue(kGateSettings, "DontShowAgain") != 0;
}

GateRules ReadGateRules() {
  return {ReadGateFilledIn(),    ReadGateRecycles(),      ReadGateStartCard(),
          ReadGateMovePartial(), ReadGateFillFromWaste(), ReadGateDontShowAgain()};
}

std::vector<std::string> GateSummaryLines() {
  return RuleSummaryLines(kGateSettings);
}
