// The program's and the game's own windows opened from the in-game menu of a running Klondike,
// chosen with the mouse through the real window procedure as the shell wires them: each opens,
// closes again and leaves the game running.
// What each command does is tested on every built game in tests/games/GameTableTest.cpp.
#include <gtest/gtest.h>

#include "engine/session/GameMenuBar.h"
#include "tests/games/klondike/KlondikeScenario.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "ui/UiModal.h"

namespace {

class KlondikeCommandTest : public testing::Test {
protected:
  void SetUp() override {
    if (MediaDir().empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  }
};

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
