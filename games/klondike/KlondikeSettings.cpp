// Klondike's settings table and its value readers.
#include "games/klondike/KlondikeSettings.h"

namespace {

using enum RuleControlKind;

constexpr RuleControl kControls[] = {
    {"MovePartial", 0, kCheckBox, "Can move &partial rows.", 30, 60, kRuleNoWrap},
    {"AutoFlip", 0, kCheckBox, "F&lip face down cards when available.", 30, 90, kRuleNoWrap},
    {"FilledIn", 0, kCheckBox, "&Foundation already filled in.", 30, 120, kRuleNoWrap},
    {"TableauStart", 1, kCheckBox, "&Only King may fill in blank tableau.", 30, 150, kRuleNoWrap},
    {"CardsDealt", 3, kSpinBox, "&Cards Dealt:", 133, 175, 20},
    {"Recycles", 3, kRecycles, "Recycles", 30, 210, 0},
    {"StartCard", 12, kStartCard, "Starting card", 30, 310, 190, 160, 305},
    {"DontShowAgain", 0, kCheckBox, "&Don't show Klondike Settings at start again", 30, 350,
     kRuleNoWrap},
};

constexpr SummaryLine kSummary[] = {
    {"MovePartial", "Can move partial rows", SummaryForm::kYesNo},
    {"AutoFlip", "Flip face down cards when available", SummaryForm::kYesNo},
    {"FilledIn", "Foundation already filled in", SummaryForm::kYesNo},
    {"TableauStart", "Only King may fill in blank tableau", SummaryForm::kYesNo},
    {"CardsDealt", "Cards Dealt", SummaryForm::kNumber},
    {"Recycles", "", SummaryForm::kRecycles},
    {"StartCard", "", SummaryForm::kStartCard},
};

}  // namespace

// Constant-initialised, so other files may use it from their own static initialisers.
constinit const RuleSettingsLayout kKlondikeSettings = {
    "Klondike", "Klondike Rule Settings", 200, 95, 400, 440, kControls, 390, "Cancel", false,
    kSummary};

std::int32_t ReadKlondikeCardsDealt() {
  return ReadRuleValue(kKlondikeSettings, "CardsDealt");
}
bool ReadKlondikeFilledIn() {
  return ReadRuleValue(kKlondikeSettings, "FilledIn") != 0;
}
std::int32_t ReadKlondikeRecycles() {
  return ReadRuleValue(kKlondikeSettings, "Recycles");
}
std::int32_t ReadKlondikeStartCard() {
  return ReadRuleValue(kKlondikeSettings, "StartCard");
}
bool ReadKlondikeTableauStart() {
  return ReadRuleValue(kKlondikeSettings, "TableauStart") != 0;
}
bool ReadKlondikeMovePartial() {
  return ReadRuleValue(kKlondikeSettings, "MovePartial") != 0;
}
bool ReadKlondikeAutoFlip() {
  return ReadRuleValue(kKlondikeSettings, "AutoFlip") != 0;
}
bool ReadKlondikeDontShowAgain() {
  return ReadRuleValue(kKlondikeSettings, "DontShowAgain") != 0;
}

KlondikeRules ReadKlondikeRules() {
  return {ReadKlondikeCardsDealt(), ReadKlondikeFilledIn(),     ReadKlondikeRecycles(),
          ReadKlondikeStartCard(),  ReadKlondikeTableauStart(), ReadKlondikeMovePartial(),
          ReadKlondikeAutoFlip(),   ReadKlondikeDontShowAgain()};
}

std::vector<std::string> KlondikeSummaryLines() {
  return RuleSummaryLines(kKlondikeSettings);
}
