// Auld Lang Syne's settings table and its value readers.
#include "games/auldlangsyne/AuldLangSyneSettings.h"

namespace {

using enum RuleControlKind;

constexpr RuleControl kControls[] = {
    {"FilledIn", 0, kCheckBox, "&Foundation already filled in.", 30, 60, kRuleNoWrap},
    {"StartCard", 12, kStartCard, "Starting card", 30, 90, 130, 160, 85},
    {"DontShowAgain", 0, kCheckBox, "&Don't show Auld Lang Syne Settings at start again", 30, 130,
     kRuleDontShowWrap},
};

constexpr SummaryLine kSummary[] = {
    {"FilledIn", "Foundation already filled in", SummaryForm::kYesNo},
    {"StartCard", "", SummaryForm::kStartCard},
};

}  // namespace

// Constant-initialised, so other files may use it from their own static initialisers.
constinit const RuleSettingsLayout kAuldLangSyneSettings = {"Auld Lang Syne",
                                                            "Auld Lang Syne Rule Settings",
                                                            200,
                                                            190,
                                                            400,
                                                            220,
                                                            kControls,
                                                            170,
                                                            "&Cancel",
                                                            false,
                                                            kSummary};

bool ReadAuldLangSyneFilledIn() {
  return ReadRuleValue(kAuldLangSyneSettings, "FilledIn") != 0;
}
std::int32_t ReadAuldLangSyneStartCard() {
  return ReadRuleValue(kAuldLangSyneSettings, "StartCard");
}
bool ReadAuldLangSyneDontShowAgain() {
  return ReadRuleValue(kAuldLangSyneSettings, "DontShowAgain") != 0;
}

AuldLangSyneRules ReadAuldLangSyneRules() {
  return {ReadAuldLangSyneFilledIn(), ReadAuldLangSyneStartCard(), ReadAuldLangSyneDontShowAgain()};
}

std::vector<std::string> AuldLangSyneSummaryLines() {
  return RuleSummaryLines(kAuldLangSyneSettings);
}
