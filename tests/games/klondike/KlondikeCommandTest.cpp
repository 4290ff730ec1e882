// The commands of the in-game menu, chosen with the mouse in a running Klondike: a new deal, back
// to the title, exit, the choosers and windows the program opens around the game (each paused
// around), the two switches, and a pause that a window in between does not keep.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/AppShell.h"
#include "engine/GameMenuBar.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "persist/Settings.h"
#include "tests/games/klondike/KlondikeScenario.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "ui/UiModal.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuEntry.h"

namespace {

std::string PlayerKey() {
  return "Preferences\\" + std::to_string(kFirstPlayerNumber);
}

class KlondikeCommandTest : public testing::Test {
protected:
  void SetUp() override {
    if (MediaDir().empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  }
};

TEST_F(KlondikeCommandTest, NewGameDealsAFreshHandAndForgetsTheOldHistory) {
  KlondikeScenario s;
  const ScreenPoint stock = Grip(s.StockTop());
  s.Click(stock.x, stock.y);
  KlondikePosition before;
  s.Check([&before](KlondikeGame& game) {
    before = game.Position();
    EXPECT_EQ(game.UndoCount(), 1);
  });
  s.Menu(GameMenu::kGame, kCmdNewGame);
  s.Check([&before](KlondikeGame& game) {
    EXPECT_EQ(game.UndoCount(), 0) << "a new deal starts a new history";
    EXPECT_EQ(game.Position().wasteCount, 0);
    EXPECT_EQ(game.GetDeck().Remaining(), 24);
    EXPECT_NE(game.Position().tableau, before.tableau) << "another deal";
    EXPECT_EQ(game.Points(), 0);
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([](KlondikeGame& game) { EXPECT_EQ(game.Position().wasteCount, 0); });
  EXPECT_EQ(s.Run(), 0);
}

TEST_F(KlondikeCommandTest, MainMenuLeadsBackToTheTitleAndExitEndsAfterTheUpgradeScreen) {
  {
    KlondikeScenario s;
    s.Menu(GameMenu::kGame, kCmdMainMenu);
    s.CheckShell([&s] {
      EXPECT_EQ(s.Harness().Shell().Game(), nullptr);
      EXPECT_NE(s.Harness().Shell().Title(), nullptr);
    });
    s.Key(VK_ESCAPE);
    EXPECT_EQ(s.Harness().Run(), 0);
  }
  {
    int upgrades = 0;
    KlondikeSetup setup;
    setup.windows.upgrade = [&upgrades] { ++upgrades; };
    KlondikeScenario s(setup);
    s.Menu(GameMenu::kGame, kCmdExit);
    EXPECT_EQ(s.Harness().Run(), 0);
    EXPECT_EQ(upgrades, 1);
    EXPECT_TRUE(s.Harness().Shell().IsEnding());
  }
}

TEST_F(KlondikeCommandTest, TheChoosersStoreTheChoiceAndRedrawOrChangeNothingWhenCancelled) {
  std::vector<bool> pausedInside;
  std::optional<int> answer = 5;
  KlondikeScenario* scenario = nullptr;
  KlondikeSetup setup;
  auto chooser = [&](int) {
    pausedInside.push_back(scenario->Game()->IsPaused());
    return answer;
  };
  setup.windows.chooseCardBack = chooser;
  setup.windows.chooseCardFront = chooser;
  setup.windows.chooseBackground = chooser;
  KlondikeScenario s(setup);
  scenario = &s;
  s.Menu(GameMenu::kOptions, kCmdCardBack);
  s.Check([&s](KlondikeGame&) {
    EXPECT_EQ(ThePreferences().cardBack, 5);
    EXPECT_EQ(s.Harness().Shell().Artwork()->CardBack(), 5);
    EXPECT_EQ(ReadSettingDword(PlayerKey(), "CardBack", -1), 5);
  });
  s.Menu(GameMenu::kOptions, kCmdCardFront);
  s.Check([](KlondikeGame&) { EXPECT_EQ(ReadSettingDword(PlayerKey(), "CardFront", -1), 5); });
  s.CheckShell([&answer] { answer = 2; });
  s.Menu(GameMenu::kOptions, kCmdBackground);
  s.Check([&s](KlondikeGame&) {
    EXPECT_EQ(ThePreferences().background, 2);
    EXPECT_EQ(s.Harness().Shell().Artwork()->BackgroundIndex(), 2);
    EXPECT_EQ(ReadSettingDword(PlayerKey(), "Background", -1), 2);
  });
  s.CheckShell([&answer] { answer = std::nullopt; });
  s.Menu(GameMenu::kOptions, kCmdCardBack);
  s.Check([](KlondikeGame& game) {
    EXPECT_EQ(ThePreferences().cardBack, 5) << "cancelled: nothing changes";
    EXPECT_FALSE(game.IsPaused()) << "the clock runs again after the chooser";
  });
  EXPECT_EQ(s.Run(), 0);
  EXPECT_EQ(pausedInside, (std::vector<bool>{true, true, true, true}));
}

TEST_F(KlondikeCommandTest, AWindowOpenedWhilePausedResumesTheClock) {
  int abouts = 0;
  std::vector<std::string> rules;
  int upgrades = 0;
  KlondikeSetup setup;
  setup.windows.about = [&abouts] { ++abouts; };
  setup.windows.rulesHelp = [&rules](const char* title) { rules.emplace_back(title); };
  setup.windows.upgrade = [&upgrades] { ++upgrades; };
  KlondikeScenario s(setup);
  s.Menu(GameMenu::kGame, kCmdPauseResume);
  s.Check([](KlondikeGame& game) {
    EXPECT_TRUE(game.IsPaused());
    EXPECT_NE(game.Menus().game->FindItem(kCmdPauseResume), nullptr);
    EXPECT_STREQ(game.Menus().game->FindItem(kCmdPauseResume)->GetText(), "Resume");
  });
  s.Menu(GameMenu::kHelp, kCmdAbout);
  s.Check([](KlondikeGame& game) {
    EXPECT_FALSE(game.IsPaused()) << "About resumed the paused game";
    EXPECT_STREQ(game.Menus().game->FindItem(kCmdPauseResume)->GetText(), "Resume")
        << "the menu still offers to resume";
  });
  s.Menu(GameMenu::kGame, kCmdPauseResume);
  s.Check([](KlondikeGame& game) {
    EXPECT_TRUE(game.IsPaused()) << "choosing Resume now pauses";
    EXPECT_STREQ(game.Menus().game->FindItem(kCmdPauseResume)->GetText(), "Resume");
  });
  s.Menu(GameMenu::kGame, kCmdPauseResume);
  s.Menu(GameMenu::kHelp, kCmdRulesHelp);
  s.Menu(GameMenu::kHelp, kCmdUpgrade);
  s.Check([](KlondikeGame& game) { EXPECT_FALSE(game.IsPaused()); });
  EXPECT_EQ(s.Run(), 0);
  EXPECT_EQ(abouts, 1);
  EXPECT_EQ(rules, std::vector<std::string>{"Klondike"});
  EXPECT_EQ(upgrades, 1);
}

TEST_F(KlondikeCommandTest, SfxAndAutoGameOverToggleAndAreSavedEachTime) {
  bool musicConfirmed = false;
  KlondikeSetup setup;
  setup.windows.musicDialog = [&musicConfirmed] {
    ThePreferences().musicEnabled = 2;
    musicConfirmed = true;
    return true;
  };
  KlondikeScenario s(setup);
  s.Menu(GameMenu::kOptions, kCmdSfx);
  s.Check([](KlondikeGame& game) {
    EXPECT_EQ(ThePreferences().soundEnabled, 0);
    EXPECT_EQ(ReadSettingDword(PlayerKey(), "SoundEnabled", -1), 0);
    EXPECT_FALSE(game.Menus().sfx->IsSelected());
  });
  s.Menu(GameMenu::kOptions, kCmdSfx);
  s.Check([](KlondikeGame& game) {
    EXPECT_EQ(ThePreferences().soundEnabled, 1);
    EXPECT_EQ(ReadSettingDword(PlayerKey(), "SoundEnabled", -1), 1) << "saved the second time";
    EXPECT_TRUE(game.Menus().sfx->IsSelected());
  });
  s.Menu(GameMenu::kOptions, kCmdAutoGameOver);
  s.Check([](KlondikeGame& game) {
    EXPECT_EQ(ThePreferences().autoGameOver, 1);
    EXPECT_EQ(ReadSettingDword(PlayerKey(), "AutoGameOver", -1), 1);
    EXPECT_TRUE(game.Menus().autoGameOver->IsSelected());
  });
  s.Menu(GameMenu::kOptions, kCmdMusic);
  s.Check([&musicConfirmed](KlondikeGame& game) {
    EXPECT_TRUE(musicConfirmed);
    EXPECT_FALSE(game.Menus().music->IsSelected()) << "event music only plays no songs";
  });
  EXPECT_EQ(s.Run(), 0);
}

TEST_F(KlondikeCommandTest, EveryMenuWindowOfTheProgramOpensAndClosesAgain) {
  KlondikeSetup setup;
  setup.programWindows = true;
  KlondikeScenario s(setup);
  // Each window is open (a modal loop runs) once its item is chosen, and Enter (OK, the focused
  // button) or Escape (the upgrade screen) closes it with the game running again.
  const struct {
    GameMenu menu;
    int command;
    std::uint32_t closeKey;
  } windows[] = {
      {GameMenu::kHelp, kCmdAbout, VK_RETURN},
      {GameMenu::kHelp, kCmdRulesHelp, VK_RETURN},
      {GameMenu::kHelp, kCmdUpgrade, VK_ESCAPE},
      {GameMenu::kView, kCmdRulesView, VK_RETURN},
      {GameMenu::kView, kCmdHighScores, VK_ESCAPE},
      {GameMenu::kOptions, kCmdCardBack, VK_RETURN},
      {GameMenu::kOptions, kCmdCardFront, VK_RETURN},
      {GameMenu::kOptions, kCmdBackground, VK_RETURN},
  };
  for (const auto& w : windows) {
    s.Menu(w.menu, w.command);
    s.CheckShell([command = w.command] {
      EXPECT_EQ(UiModalDepth(), 1) << "command " << command << " opened no window";
    });
    s.Key(w.closeKey);
    s.Wait(200);
    s.Check([command = w.command](KlondikeGame& game) {
      EXPECT_EQ(UiModalDepth(), 0) << "command " << command << " left its window open";
      EXPECT_FALSE(game.IsPaused()) << "command " << command;
    });
  }
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
