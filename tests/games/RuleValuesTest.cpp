// The rule values of the four games in a scratch settings store: defaults created on first read,
// stored values read back, and the rules views' summary lines.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "games/auldlangsyne/AuldLangSyneSettings.h"
#include "games/gate/GateSettings.h"
#include "games/klondike/KlondikeSettings.h"
#include "games/quadrille/QuadrilleSettings.h"
#include "tests/support/ScratchStore.h"

namespace {

using Defaults = std::vector<std::pair<const char*, std::int32_t>>;

// Written out here rather than taken from the games' tables, so that a slip in a table shows.
const Defaults kKlondikeDefaults = {{"CardsDealt", 3}, {"FilledIn", 0},     {"Recycles", 3},
                                    {"StartCard", 12}, {"TableauStart", 1}, {"MovePartial", 0},
                                    {"AutoFlip", 0},   {"DontShowAgain", 0}};
const Defaults kGateDefaults = {{"FilledIn", 0},    {"Recycles", 0},      {"StartCard", -1},
                                {"MovePartial", 0}, {"FillFromWaste", 0}, {"DontShowAgain", 0}};
const Defaults kQuadrilleDefaults = {
    {"CardsDealt", 1}, {"FilledIn", 0}, {"Recycles", 2}, {"DontShowAgain", 0}};
const Defaults kAuldLangSyneDefaults = {{"FilledIn", 0}, {"StartCard", 12}, {"DontShowAgain", 0}};

void ExpectStoredDefaults(const ScratchStore& store, const char* game, const Defaults& defaults) {
  EXPECT_EQ(store.ValueCount(game), defaults.size()) << game;
  for (const auto& [value, number] : defaults) {
    EXPECT_EQ(store.Stored(game, value), number) << game << " " << value;
  }
}

TEST(RuleValuesTest, FirstReadOfEachGameCreatesEveryValueWithItsDefault) {
  // What the first read returns is what the settings dialogs' golden images show.
  ScratchStore store;
  ReadKlondikeRules();
  ExpectStoredDefaults(store, "Klondike", kKlondikeDefaults);
  ReadGateRules();
  ExpectStoredDefaults(store, "Gate", kGateDefaults);
  ReadQuadrilleRules();
  ExpectStoredDefaults(store, "Quadrille", kQuadrilleDefaults);
  ReadAuldLangSyneRules();
  ExpectStoredDefaults(store, "Auld Lang Syne", kAuldLangSyneDefaults);
}

TEST(RuleValuesTest, StoredValuesAreReadAtEachUseAndFlagsAreAnyNonZero) {
  ScratchStore store;
  WriteSettingDword("Klondike", "CardsDealt", 1);
  WriteSettingDword("Klondike", "AutoFlip", 7);
  WriteSettingDword("Gate", "StartCard", 4);
  WriteSettingDword("Quadrille", "Recycles", kRecyclesUnlimited);
  WriteSettingDword("Auld Lang Syne", "FilledIn", 1);
  EXPECT_EQ(ReadKlondikeCardsDealt(), 1);
  EXPECT_TRUE(ReadKlondikeAutoFlip());
  EXPECT_EQ(ReadGateStartCard(), 4);
  EXPECT_EQ(ReadQuadrilleRecycles(), kRecyclesUnlimited);
  EXPECT_TRUE(ReadAuldLangSyneFilledIn());
  WriteSettingDword("Klondike", "CardsDealt", 2);
  EXPECT_EQ(ReadKlondikeCardsDealt(), 2) << "nothing is kept between reads";
  EXPECT_EQ(ReadQuadrilleCardsDealt(), 1);
}

// The default values' lines are the rules views' golden images; a number no rank has (only an
// edited store holds one) leaves the name empty rather than reading past the names.
TEST(RuleValuesTest, SummaryLinesSpellStoredValuesAndNoNameForANumberPastTheRanks) {
  ScratchStore store;
  WriteSettingDword("Klondike", "Recycles", kRecyclesUnlimited);
  WriteSettingDword("Gate", "StartCard", 9);
  WriteSettingDword("Auld Lang Syne", "StartCard", 13);
  EXPECT_EQ(RuleSummaryLines(kKlondikeSettings)[5], "Number of recycles: Infinite");
  EXPECT_EQ(RuleSummaryLines(kGateSettings)[3], "Starting Card: Jack");
  EXPECT_EQ(RuleSummaryLines(kAuldLangSyneSettings)[1], "Starting Card: ");
}

TEST(RuleValuesTest, ValuesAGameDoesNotHaveAreNeitherReadNorWritten) {
  ScratchStore store;
  EXPECT_EQ(ReadRuleValue(kAuldLangSyneSettings, "Recycles"), 0);
  WriteRuleValue(kAuldLangSyneSettings, "CardsDealt", 3);
  EXPECT_EQ(store.ValueCount("Auld Lang Syne"), 0u);
  EXPECT_EQ(ReadRuleValue(kAuldLangSyneSettings, nullptr), 0);
}

}  // namespace
