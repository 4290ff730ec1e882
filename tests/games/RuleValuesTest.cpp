// The rule values of the four games in a scratch settings store: defaults created on first read,
// stored values read back, and the summary lines of the rules views.
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
  ScratchStore store;
  const KlondikeRules klondike = ReadKlondikeRules();
  EXPECT_EQ(klondike.cardsDealt, 3);
  EXPECT_FALSE(klondike.filledIn);
  EXPECT_EQ(klondike.recycles, 3);
  EXPECT_EQ(klondike.startCard, 12);
  EXPECT_TRUE(klondike.tableauStart);
  EXPECT_FALSE(klondike.movePartial);
  EXPECT_FALSE(klondike.autoFlip);
  EXPECT_FALSE(klondike.dontShowAgain);
  ExpectStoredDefaults(store, "Klondike", kKlondikeDefaults);

  const GateRules gate = ReadGateRules();
  EXPECT_EQ(gate.recycles, 0);
  EXPECT_EQ(gate.startCard, kStartCardNextFromDeck);
  EXPECT_FALSE(gate.fillFromWaste);
  ExpectStoredDefaults(store, "Gate", kGateDefaults);

  const QuadrilleRules quadrille = ReadQuadrilleRules();
  EXPECT_EQ(quadrille.cardsDealt, 1);
  EXPECT_EQ(quadrille.recycles, 2);
  ExpectStoredDefaults(store, "Quadrille", kQuadrilleDefaults);

  const AuldLangSyneRules auld = ReadAuldLangSyneRules();
  EXPECT_EQ(auld.startCard, 12);
  EXPECT_FALSE(auld.filledIn);
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
  // Nothing is kept between reads: a change in the store shows at the next one.
  WriteSettingDword("Klondike", "CardsDealt", 2);
  EXPECT_EQ(ReadKlondikeCardsDealt(), 2);
  // Each game keeps its values under its own key: Klondike's did not touch Quadrille's.
  EXPECT_EQ(ReadQuadrilleCardsDealt(), 1);
}

// The lines of the default values are what the rules views' golden images show (RulesViewTest);
// here the lines of other values, and an entry no rank has.
TEST(RuleValuesTest, SummaryLinesSpellEachGamesCurrentValues) {
  ScratchStore store;
  WriteSettingDword("Klondike", "MovePartial", 1);
  WriteSettingDword("Klondike", "Recycles", kRecyclesUnlimited);
  WriteSettingDword("Klondike", "StartCard", 0);
  WriteSettingDword("Gate", "StartCard", 9);
  WriteSettingDword("Gate", "FillFromWaste", 1);
  WriteSettingDword("Quadrille", "FilledIn", 1);
  // A number no rank has (only an edited store holds one) leaves the name empty.
  WriteSettingDword("Auld Lang Syne", "StartCard", 13);
  const std::vector<std::string> klondike = RuleSummaryLines(kKlondikeSettings);
  EXPECT_EQ(klondike[0], "Can move partial rows: Yes");
  EXPECT_EQ(klondike[5], "Number of recycles: Infinite");
  EXPECT_EQ(klondike[6], "Starting Card: Two");
  const std::vector<std::string> gate = RuleSummaryLines(kGateSettings);
  EXPECT_EQ(gate[2], "Use waste pile to fill in blank tableau: Yes");
  EXPECT_EQ(gate[3], "Starting Card: Jack");
  EXPECT_EQ(RuleSummaryLines(kQuadrilleSettings)[0], "Foundation already filled in: Yes");
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
