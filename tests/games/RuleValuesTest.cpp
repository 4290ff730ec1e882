// The rule values of the four games in a scratch settings store: stored values read back, and the
// rules views' summary lines (the defaults are the settings dialogs' golden images).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/auldlangsyne/AuldLangSyneSettings.h"
#include "games/gate/GateSettings.h"
#include "games/klondike/KlondikeSettings.h"
#include "games/quadrille/QuadrilleSettings.h"
#include "tests/support/ScratchStore.h"

namespace {

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
