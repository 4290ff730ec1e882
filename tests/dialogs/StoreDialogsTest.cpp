// The player-select and high-score dialogs joined to the settings store: the first start asks
// for a name and creates player 20, and "&Reset" clears only its own game's table.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/DialogResults.h"
#include "dialogs/HighScoreDialog.h"
#include "dialogs/PlayerSelectDialog.h"
#include "persist/HighScores.h"
#include "persist/Preferences.h"
#include "persist/Settings.h"
#include "tests/support/ScratchStore.h"
#include "tests/ui/DialogTestSupport.h"

namespace {

constexpr int kScanEnter = 0x1C;
constexpr int kScanLetter = 0x1E;
constexpr int kScanShift = 0x2A;
// "&Reset" of the table opened from the menu (no "&Play Again"), at (216, 310), 90 x 30.
constexpr int kResetX = 200 + 216 + 45;
constexpr int kResetY = 100 + 310 + 15;

class StoreDialogsTest : public DialogTest {
protected:
  ScratchStore store_;
};

TEST_F(StoreDialogsTest, TheFirstStartAsksForANameAndCreatesPlayer20) {
  // "P1" typed into the empty field, then Enter.
  input_->At(In(40), WM_KEYDOWN, VK_SHIFT, KeyLParam(1, kScanShift, false, false, false));
  input_->KeyAt(In(45), 'P', kScanLetter);
  input_->At(In(80), WM_KEYUP, VK_SHIFT, KeyLParam(1, kScanShift, false, true, true));
  input_->KeyAt(In(120), '1', kScanLetter);
  input_->KeyAt(In(200), VK_RETURN, kScanEnter);

  Preferences prefs;
  ASSERT_TRUE(RunStartupPlayerSequence(prefs, &RunPlayerSelectDialog));
  EXPECT_EQ(prefs.playerName, "P1");
  EXPECT_EQ(prefs.playerNumber, kFirstPlayerNumber);
  EXPECT_EQ(ReadSettingString("Players\\20", "Name", "?"), "P1");
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "?"), "P1");
  EXPECT_EQ(prefs.musicEnabled, 1) << "the new player's defaults were loaded";
}

TEST_F(StoreDialogsTest, CancellingTheFirstStartEndsIt) {
  input_->KeyAt(In(40), VK_ESCAPE, 0x01);
  Preferences prefs;
  EXPECT_FALSE(RunStartupPlayerSequence(prefs, &RunPlayerSelectDialog));
  EXPECT_EQ(prefs.playerNumber, kNoPlayer);
}

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
