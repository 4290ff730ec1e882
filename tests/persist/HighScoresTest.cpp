// High-score tables: entering, refusing, replacing the tenth, sorting and clearing one game's
// table.
#include "persist/HighScores.h"

#include <gtest/gtest.h>

#include <vector>

#include "persist/Settings.h"
#include "tests/persist/TempConfigHome.h"

namespace {

using HighScores = TempConfigHome;
using Table = std::vector<HighScoreEntry>;

Table TableOf(const std::string& game) {
  Table out;
  for (int n = 1; n <= CountHighScores(game); ++n) out.push_back(ReadHighScore(game, n));
  return out;
}

}  // namespace

// Empty names and scores of no points are refused; below ten entries any other score enters.
TEST_F(HighScores, AFirstScoreCreatesEntryOneAndEmptyNamesOrNoPointsAreRefused) {
  EXPECT_EQ(ReadHighScore("Klondike", 1), HighScoreEntry{});
  EXPECT_FALSE(AddHighScore("Klondike", "", 500));
  EXPECT_FALSE(AddHighScore("Klondike", "Ann", 0));
  EXPECT_FALSE(AddHighScore("Klondike", "Ann", -5));
  EXPECT_EQ(CountHighScores("Klondike"), 0);
  ASSERT_TRUE(AddHighScore("Klondike", "Ann", 120));
  EXPECT_EQ(StoredText("Klondike\\Scores\\1", "Name"), "Ann");
  EXPECT_EQ(StoredDword("Klondike\\Scores\\1", "Score"), 120u);
  EXPECT_TRUE(AddHighScore("Klondike", "Bob", 120)) << "only the tenth entry bars the way";
  EXPECT_EQ(CountHighScores("Klondike"), 2);
}

TEST_F(HighScores, AFullTableRefusesTheLowestScoreAndLetsOneMoreReplaceIt) {
  for (int s : {50, 300, 90, 120, 75, 200, 60, 110, 80, 100})
    ASSERT_TRUE(AddHighScore("Quadrille", "P" + std::to_string(s), s));
  Table table = TableOf("Quadrille");
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table.front(), (HighScoreEntry{"P300", 300}));
  EXPECT_EQ(table.back(), (HighScoreEntry{"P50", 50}));
  EXPECT_FALSE(AddHighScore("Quadrille", "Late", 50));
  EXPECT_EQ(TableOf("Quadrille"), table);

  ASSERT_TRUE(AddHighScore("Quadrille", "Late", 51));
  EXPECT_EQ(TableOf("Quadrille")[9], (HighScoreEntry{"Late", 51}));
  ASSERT_TRUE(AddHighScore("Quadrille", "Top", 1000));
  table = TableOf("Quadrille");
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table[0], (HighScoreEntry{"Top", 1000}));
  EXPECT_EQ(table[9], (HighScoreEntry{"P60", 60}));
}

TEST_F(HighScores, SortingRewritesAHandEditedTableInOrder) {
  // Entries written out of order, one without a name, and a gap after entry 3.
  const std::string scores = "Auld Lang Syne\\Scores\\";
  WriteSettingDword(scores + "1", "Score", 5);
  WriteSettingString(scores + "1", "Name", "Low");
  WriteSettingDword(scores + "2", "Score", 40);
  WriteSettingDword(scores + "3", "Score", 20);
  WriteSettingString(scores + "3", "Name", "Mid");
  WriteSettingDword(scores + "5", "Score", 99);
  SortHighScores("Auld Lang Syne");
  EXPECT_EQ(TableOf("Auld Lang Syne"), (Table{{"", 40}, {"Mid", 20}, {"Low", 5}}));
  EXPECT_FALSE(Stored().KeyExists(Under(scores + "5")));
}

TEST_F(HighScores, ClearingOneTableLeavesTheOthersAndTheGamesSettings) {
  ASSERT_TRUE(AddHighScore("Klondike", "Ann", 120));
  ASSERT_TRUE(AddHighScore("Block Solitaire", "Ann", 70));
  WriteSettingDword("Klondike", "CardsDealt", 1);
  ClearHighScores("Klondike");
  EXPECT_EQ(CountHighScores("Klondike"), 0);
  EXPECT_FALSE(Stored().KeyExists(Under("Klondike\\Scores")));
  EXPECT_EQ(TableOf("Block Solitaire"), (Table{{"Ann", 70}}));
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 3), 1);
}
