// Settings, players and high scores over a scratch store: defaults, the store's place, start-up.
#include "persist/Settings.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "persist/HighScores.h"
#include "persist/Preferences.h"
#include "persist/Registry.h"
#include "tests/persist/TempConfigHome.h"

namespace {

using Settings = TempConfigHome;
using Players = TempConfigHome;
using HighScores = TempConfigHome;
using Table = std::vector<HighScoreEntry>;

Table TableOf(const std::string& game) {
  Table out;
  for (int n = 1; n <= CountHighScores(game); ++n) out.push_back(ReadHighScore(game, n));
  return out;
}

// A player-select step that answers from a script and records the name and flag it was shown.
struct ScriptedSelect {
  std::vector<std::optional<PlayerChoice>> answers;
  std::vector<std::string> shown = {};

  PlayerSelectStep Step() {
    return [this](const std::string& name, bool flag) {
      shown.push_back(name + (flag ? " [x]" : ""));
      std::optional<PlayerChoice> answer = answers.front();
      answers.erase(answers.begin());
      return answer;
    };
  }
  // Runs the start-up sequence on fresh preferences; false when it was cancelled.
  bool Start(Preferences& prefs) { return RunStartupPlayerSequence(prefs, Step()); }
};

}  // namespace

TEST_F(Settings, AMissingOrMistypedValueIsWrittenWithItsDefaultAndThenKept) {
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 3), 3);
  EXPECT_EQ(StoredDword("Klondike", "CardsDealt"), 3u);
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 1), 3);
  WriteSettingDword("klondike", "cardsdealt", -1);
  EXPECT_EQ(ReadSettingDword("KLONDIKE", "CardsDealt", 1), -1);
  EXPECT_EQ(Stored().FindKey(Under("Klondike"))->values.size(), 1u);
  EXPECT_EQ(ReadSettingDword("", "AtTheRoot", 9), 9);
  WriteSettingString("Gate", "StartCard", "twelve");
  EXPECT_EQ(ReadSettingDword("Gate", "StartCard", -1), -1);
  EXPECT_EQ(StoredDword("Gate", "StartCard"), 0xffffffffu);
  EXPECT_EQ(ReadSettingString("Gate", "StartCard", "fallback"), "fallback");
  // Texts are read up to 299 characters, else replaced by the default.
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", ""), "");
  EXPECT_EQ(StoredText("Preferences", "HumanName"), "");
  WriteSettingString("Preferences", "HumanName", std::string(299, 'a'));
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "d"), std::string(299, 'a'));
  WriteSettingString("Preferences", "HumanName", std::string(300, 'a'));
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "d"), "d");
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "e"), "d");
}

// A regular file where the store's directory should be: nothing can be created below it.
TEST_F(Settings, AStoreThatCannotBeWrittenStillAnswersWithDefaults) {
  WriteText(home_ + "/file", "");
  ::setenv("XDG_CONFIG_HOME", (home_ + "/file").c_str(), 1);
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 3), 3);
  WriteSettingDword("Klondike", "CardsDealt", 1);
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 2), 2);
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "n"), "n");
  EXPECT_EQ(FindOrAddPlayer("Ann"), 20) << "the player search still ends, with the first number";
}

// Relative XDG_CONFIG_HOME or HOME fall back further; with no home at all nothing is written.
TEST_F(Settings, TheStoreLiesUnderAnAbsoluteHomeOnly) {
  const struct passwd* user = ::getpwuid(::getuid());
  ASSERT_NE(user, nullptr);
  const std::string fromDatabase =
      std::string(user->pw_dir) + "/.config/quenbry-solitaire/registry.reg";
  const char* home = std::getenv("HOME");
  const std::optional<std::string> saved = home != nullptr ? std::optional(home) : std::nullopt;
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  ::setenv("HOME", home_.c_str(), 1);
  const std::string fromHome = Registry::DefaultFilePath();
  WriteSettingDword("Klondike", "CardsDealt", 2);
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "relative", 1);
  const std::string relative = Registry::DefaultFilePath();
  ::unsetenv("HOME");
  const std::string none = Registry::DefaultFilePath();
  if (saved) ::setenv("HOME", saved->c_str(), 1);
  EXPECT_EQ(fromHome, home_ + "/.config/quenbry-solitaire/registry.reg");
  EXPECT_TRUE(std::filesystem::exists(fromHome));
  EXPECT_EQ(relative, fromDatabase);
  EXPECT_EQ(none, fromDatabase);
  const Registry nowhere("");
  bool edited = false;
  EXPECT_FALSE(nowhere.Change([&](RegistryTree& tree) { edited = tree.SetDword("K", "V", 1); }));
  EXPECT_TRUE(edited);
  EXPECT_EQ(nowhere.Read(), RegistryTree());
}

TEST_F(Players, NumbersFollowFirstUseAndNamesMatchExactly) {
  EXPECT_EQ(FindOrAddPlayer("P1"), 20);
  EXPECT_EQ(FindOrAddPlayer("Ann"), 21);
  EXPECT_EQ(FindOrAddPlayer("P1"), 20);
  EXPECT_EQ(FindOrAddPlayer("p1"), 22);
  EXPECT_EQ(FindOrAddPlayer("P1 "), 23);
  EXPECT_EQ(FindOrAddPlayer("p1"), 22);
  // A player key without a name gets an empty one written and is passed over.
  WriteSettingDword("Players\\24", "Other", 1);
  EXPECT_EQ(FindOrAddPlayer("Bob"), 25);
  EXPECT_EQ(StoredText("Players\\24", "Name"), "");
}

// A cancelled start ends the program: TitleScenarioTest.
TEST_F(Players, TheFirstStartAsksAndWritesEveryDefaultALaterOneFindsThePlayerOrAsksNoMore) {
  ScriptedSelect select{{PlayerChoice{"P1", false}}};
  Preferences first;
  ASSERT_TRUE(select.Start(first));
  EXPECT_EQ(select.shown, std::vector<std::string>{""});
  EXPECT_EQ(StoredText("Players\\20", "Name"), "P1");
  EXPECT_EQ(StoredDword("Preferences", "DontShowAgain"), 0u);
  const RegistryTree stored = Stored();
  ASSERT_NE(stored.FindKey(Under("Preferences\\20")), nullptr);
  EXPECT_EQ(stored.FindKey(Under("Preferences\\20"))->values.size(), 12u);
  EXPECT_EQ(StoredDword("Preferences\\20", "Background"), 0u);
  first.cardBack = 4;
  first.background = 3;
  SavePreferences(first);
  ScriptedSelect again{{PlayerChoice{"P1", false}}};
  Preferences prefs;
  ASSERT_TRUE(again.Start(prefs));
  EXPECT_EQ(again.shown, std::vector<std::string>{"P1"});
  EXPECT_EQ(prefs.playerNumber, 20);
  EXPECT_EQ(prefs.cardBack, 4);
  EXPECT_EQ(prefs.background, 3) << "the chosen background comes back with the player";
  Preferences other;
  ASSERT_TRUE((ScriptedSelect{{PlayerChoice{"Someone", true}}}.Start(other)));
  EXPECT_EQ(other.playerNumber, 21);
  EXPECT_EQ(other.cardBack, 0);
  // The flag is now set: no question, straight to player 21.
  ScriptedSelect silent{{}};
  Preferences last;
  ASSERT_TRUE(silent.Start(last));
  EXPECT_TRUE(silent.shown.empty());
  EXPECT_EQ(last.playerNumber, 21);
  EXPECT_EQ(last.playerName, "Someone");
}

// Empty names and scores of no points are refused; below ten entries any other score enters.
TEST_F(HighScores, EmptyNamesNoPointsAndTheLowestOfAFullTableAreRefused) {
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
