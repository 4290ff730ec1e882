// The high-score dialog joined to the settings store: "&Reset" clears only its own game's table.
// The player-select dialog joined to the store is run by the shell in TitleScenarioTest (the
// first start); the start-up steps themselves are PreferencesTest's.
#include <gtest/gtest.h>

#include "dialogs/DialogResults.h"
#include "dialogs/HighScoreDialog.h"
#include "persist/HighScores.h"
#include "tests/support/ScratchStore.h"
#include "tests/ui/DialogTestSupport.h"

namespace {

// "&Reset" of the table opened from the menu (no "&Play Again"), at (216, 310), 90 x 30.
constexpr int kResetX = 200 + 216 + 45;
constexpr int kResetY = 100 + 310 + 15;

class StoreDialogsTest : public DialogTest {
protected:
  ScratchStore store_;
};

TEST_F(StoreDialogsTest, ResetClearsThatGamesTableOnly) {
  ASSERT_TRUE(AddHighScore("Klondike", "Ann", 120));
  ASSERT_TRUE(AddHighScore("Klondike", "Bob", 90));
  ASSERT_TRUE(AddHighScore("Gate", "Ann", 300));
  input_->ClickAt(In(40), kResetX, kResetY);
  EXPECT_EQ(RunHighScoreDialog("Klondike", 0, false), kDialogResultOk);
  EXPECT_EQ(CountHighScores("Klondike"), 0);
  EXPECT_EQ(CountHighScores("Gate"), 1);
}

}  // namespace
