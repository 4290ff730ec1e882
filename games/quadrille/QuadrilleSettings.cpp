// Quadrille's settings table and its value readers.
#include "games/quadrille/QuadrilleSettings.h"

namespace {

using enum RuleControlKind;

constexpr RuleControl kControls[] = {
    {"FilledIn", 0, kCheckBox, "&Foundation already filled in.", 30, 60, kRuleNoWrap},
    {"CardsDealt", 1, kSpinBox, "&Cards Dealt:", 133, 90, 20},
    {"Recycles", 2, kRecycles, "Recycles", 30, 125, 0},
    {"DontShowAgain", 0, kCheckBox, "&Don't show Quadrille Settings at start again", 30, 230,
     kRuleDontShowWrap},
};

constexpr SummaryLine kSummary[] = {
    {"FilledIn", "Foundation already filled in", SummaryForm::kYesNo},
    {"CardsDealt", "Cards Dealt", SummaryForm::kNumber},
    {"Recycles", "", SummaryForm::kRecycles},
};

}  // namespace

// Constant-initialised, so other files may use it from their own static initialisers.
constinit const RuleSettingsLayout kQuadrilleSettings = {
    "Quadrille", "Quadrille Rule Settings", 200, 140, 400, 320, kControls, 270, "Cancel", false,
    kSummary};

std::int32_t ReadQuadrilleCardsDealt() {
  return ReadRuleValue(kQuadrilleSettings, "CardsDealt");
}
bool ReadQuadrilleFilledIn() {
  return ReadRuleValue(kQuadrilleSettings, "FilledIn") != 0;
}
std::int32_t ReadQuadrilleRecycles() {
  return ReadRuleValue(kQuadrilleSettings, "Recycles");
}
bool ReadQuadrilleDontShowAgain() {
  return ReadRuleValue(kQuadrilleSettings, "DontShowAgain") != 0;
}

QuadrilleRules ReadQuadrilleRules() {
  return {ReadQuadrilleCardsDealt(), ReadQuadrilleFilledIn(), ReadQuadrilleRecycles(),
          ReadQuadrilleDontShowAgain()};
}

std::vector<std::string> QuadrilleSummaryLines() {
  return RuleSummaryLines(kQuadrilleSettings);
}
