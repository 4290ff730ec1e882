// The session around a test game: a deal's end, the pause, options, commands, a command mid-drag.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "audio/Audio.h"
#include "persist/HighScores.h"
#include "platform/MessageLoop.h"
#include "tests/engine/session/SessionTestSupport.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "ui/menus/MenuEntry.h"

namespace {

class GameSessionTest : public SessionTest {
protected:
  bool StartTestSession(GameOwnWindows own = {}) {
    if (!StartSession([](ArtworkSet& art) { return std::make_unique<TestGame>(art); }, own))
      return false;
    game = static_cast<TestGame*>(&Game());
    return true;
  }
  TestGame* game = nullptr;
};

#define START_OR_SKIP(...) \
  if (!StartTestSession(__VA_ARGS__)) QS_SKIP_MISSING("no generated media with the theme artwork")

// Out of moves while About is open: a tick inside it does nothing; the next tick after ends the
// deal.
TEST_F(GameSessionTest, NoMoveLeftWaitsForAnOpenWindowThenShowsTheMessageThenTheTableOnce) {
  int fixedInside = -1;
  windows_.about = [this, &fixedInside] {
    UiScreen screen(0, 0, 800, 600);
    screen.Show();
    ModalOptions options;
    options.poll = [this, &fixedInside] {
      session_->Tick();
      fixedInside = Game().FinalScore();
      return true;
    };
    input_->At(In(10), WM_MOUSEMOVE, 0, MakeLParam(5, 5));
    UiRunModal(screen, options);
  };
  START_OR_SKIP();
  game->SetPoints(50);
  seconds_ += 20;
  game->SetStuck(true);
  game->UpdatePlayState();
  session_->HandleCommand(kCmdAbout);
  EXPECT_EQ(fixedInside, kScoreNotFixed);
  // The message carries the program's name as its caption.
  whileEnding_ = [this] {
    EXPECT_TRUE(MatchesGolden("engine/no_moves_message", art_->ScreenBuffer(), 250, 549, 240, 359));
  };
  EXPECT_EQ(RunEnd(false), 1) << "the message box was open";
  // The lose screen says why the deal ended: here that no move was left (End Game: GameTableTest).
  EXPECT_EQ(EndScreenDifferences("artwork\\losescreen.jpg"), 0);
  EXPECT_EQ(endLine1_ + " " + endLine2_, "Final Score 48") << "under the message box";
  EXPECT_EQ(RequestedTrack(), MusicTrack::kLose);
  EXPECT_EQ(ReadHighScore(kTestGameName, 1), (HighScoreEntry{"Tester", 48}));
  EXPECT_EQ(game->restarts, 0);
  // Later ticks find the score fixed: no second run, and the time no longer counts.
  seconds_ += 100;
  session_->Tick();
  EXPECT_EQ(CountHighScores(kTestGameName), 1);
  EXPECT_EQ(game->ElapsedSeconds(), 20);
}

// A window in between runs the clock again without counting its own time.
TEST_F(GameSessionTest, PauseRenamesItsItemAWindowLiftsItAndEndGameWaitsForTheResume) {
  windows_.about = [this] {
    EXPECT_TRUE(Game().IsPaused()) << "paused around the window";
    seconds_ += 20;
  };
  START_OR_SKIP();
  const auto pauseItem = [this] {
    return std::string(session_->Menus().game->FindItem(kCmdPauseResume)->GetText());
  };
  game->SetPoints(30);
  seconds_ += 5;
  ASSERT_TRUE(session_->HandleCommand(kCmdAbout));
  EXPECT_FALSE(game->IsPaused());
  EXPECT_EQ(game->ElapsedSeconds(), 5) << "the time in the window is not counted";
  ASSERT_TRUE(session_->HandleCommand(kCmdPauseResume));
  EXPECT_TRUE(game->IsPaused());
  EXPECT_EQ(pauseItem(), "Resume");
  session_->Tick();
  EXPECT_EQ(game->ScoreLine2(), "Paused");
  ASSERT_TRUE(session_->HandleCommand(kCmdAbout));
  EXPECT_FALSE(game->IsPaused()) << "running again, as the player's pause is lifted too";
  EXPECT_EQ(pauseItem(), "Resume") << "while the menu still offers to resume";
  ASSERT_TRUE(session_->HandleCommand(kCmdPauseResume));
  EXPECT_TRUE(game->IsPaused()) << "choosing it now pauses";
  ASSERT_TRUE(session_->HandleCommand(kCmdEndGame));
  EXPECT_EQ(game->ScoreLine1() + " " + game->ScoreLine2(), "Final Score 99999");
  seconds_ += 60;
  session_->Tick();
  EXPECT_EQ(game->ScoreLine2(), "99999");
  EXPECT_EQ(CountHighScores(kTestGameName), 0);
  ASSERT_TRUE(session_->HandleCommand(kCmdPauseResume));
  EXPECT_EQ(pauseItem(), "Pause");
  RunEnd(false);
  EXPECT_EQ(game->ElapsedSeconds(), 5) << "neither the windows nor the pause counted";
  EXPECT_EQ(game->ScoreLine2(), "30");
  EXPECT_EQ(CountHighScores(kTestGameName), 1);
}

// Each choice is saved at once and redraws the table; windows running paused: GameTableTest.
TEST_F(GameSessionTest, OptionsTakeEffectOnlyWhenConfirmedAndAreSavedAtOnce) {
  std::optional<int> answer;
  windows_.chooseCardBack = windows_.chooseCardFront =
      windows_.chooseBackground = [&](int) { return answer; };
  windows_.musicDialog = [] { return (ThePreferences().musicEnabled = 2) != 0; };
  bool confirm = false;
  GameOwnWindows own;
  own.settings = [&confirm] { return confirm; };
  own.rulesView = [] {};
  START_OR_SKIP(own);
  const std::string key = "Preferences\\" + std::to_string(kFirstPlayerNumber);
  const int redraws = game->redraws;
  for (const auto& [command, value, chosen] : {std::tuple{kCmdCardBack, "CardBack", 5},
                                               {kCmdCardFront, "CardFront", 4},
                                               {kCmdBackground, "Background", 2}}) {
    answer = chosen;
    ASSERT_TRUE(session_->HandleCommand(command));
    EXPECT_EQ(env_->Store().Stored(key, value), chosen) << value;
  }
  EXPECT_EQ(art_->BackgroundIndex(), 2);
  answer.reset();
  ASSERT_TRUE(session_->HandleCommand(kCmdCardBack));
  EXPECT_EQ(art_->CardBack(), 5) << "cancelled: nothing changes";
  EXPECT_EQ(game->redraws, redraws + 3) << "each new look drawn, the cancelled choice not";
  ASSERT_TRUE(session_->HandleCommand(kCmdGameSettings));
  EXPECT_EQ(game->restarts, 0) << "cancelled: the deal goes on";
  confirm = true;
  ASSERT_TRUE(session_->HandleCommand(kCmdGameSettings));
  EXPECT_EQ(game->restarts, 1) << "the new rules take effect with a new deal";
  ASSERT_TRUE(session_->HandleCommand(kCmdRulesView));
  EXPECT_EQ(game->redraws, redraws + 5) << "the deal, then the table after the rules view";
  // Checks start from the preferences; the second flip is saved too, and event music only
  // (2) plays no songs.
  const GameMenus& menus = session_->Menus();
  EXPECT_TRUE(menus.sfx->IsSelected() && menus.music->IsSelected());
  EXPECT_FALSE(menus.autoGameOver->IsSelected());
  for (const auto& [command, item, value, stored] :
       {std::tuple{kCmdSfx, menus.sfx, "SoundEnabled", 0},
        {kCmdSfx, menus.sfx, "SoundEnabled", 1},
        {kCmdAutoGameOver, menus.autoGameOver, "AutoGameOver", 1},
        {kCmdMusic, menus.music, "MusicEnabled", 2}}) {
    ASSERT_TRUE(session_->HandleCommand(command));
    EXPECT_EQ(item->IsSelected(), stored == 1) << value;
    EXPECT_EQ(env_->Store().Stored(key, value), stored) << value;
  }
}

// Main Menu and Exit leave through the program's own messages, Exit after the upgrade screen.
TEST_F(GameSessionTest, MainMenuAndExitPostTheirMessagesAndUnknownCommandsAreRefused) {
  int upgrades = 0;
  windows_.upgrade = [&upgrades] { ++upgrades; };
  START_OR_SKIP();
  Message msg;
  while (PeekMessage(&msg)) continue;
  ASSERT_TRUE(session_->HandleCommand(kCmdMainMenu));
  ASSERT_TRUE(PeekMessage(&msg));
  EXPECT_EQ(msg.message, WM_KEYDOWN);
  EXPECT_EQ(msg.wParam, VK_ESCAPE);
  ASSERT_TRUE(session_->HandleCommand(kCmdExit));
  EXPECT_EQ(upgrades, 1) << "the upgrade screen before the end";
  ASSERT_TRUE(PeekMessage(&msg));
  EXPECT_EQ(msg.message, WM_CLOSE);
  EXPECT_FALSE(session_->HandleCommand(4242));
}

TEST_F(GameSessionTest, ACommandPutsTheStackInHandBackAndUndoThenTakesNothingElse) {
  START_OR_SKIP();
  game->SaveUndo();
  const auto before = ScreenPixels(screenBuffer_);
  const auto press = [this] {
    game->OnLButtonDown(MK_LBUTTON, kPileX + 10, game->TopY() + 20);
    game->OnMouseMove(MK_LBUTTON, kColumnX + 20, kColumnY + 40);
    ASSERT_TRUE(game->IsDragging());
    ASSERT_EQ(game->UndoCount(), 2) << "the pick-up's snapshot";
  };
  press();
  ASSERT_TRUE(session_->HandleCommand(kCmdUndo));
  EXPECT_EQ(game->cancels, 1);
  EXPECT_EQ(game->UndoCount(), 1) << "the move before the drag stays";
  EXPECT_EQ(game->pile.size(), 3u);
  EXPECT_TRUE(env_->Sounds().empty()) << "the player threw nothing away";
  EXPECT_EQ(ScreenPixels(screenBuffer_), before) << "the stack flew home without a trace";
  press();
  ASSERT_TRUE(session_->HandleCommand(kCmdPauseResume));
  EXPECT_FALSE(game->IsDragging());
  ASSERT_TRUE(session_->HandleCommand(kCmdPauseResume));
  press();
  RunEnd(false, [this] { session_->HandleCommand(kCmdEndGame); });
  EXPECT_TRUE(game->IsGameOver());
  EXPECT_TRUE(game->column.empty()) << "the stack went home, not where it hung";
  EXPECT_EQ(game->cancels, 3) << "the commands without a stack in hand put nothing back";
  EXPECT_EQ(game->pile.size(), 3u);
}

// Every turn after the first move reads as movement; Escape must still leave the title unlit.
TEST_F(GameSessionTest, EscapeClosesTheMenuAndItsTitleComesUpAtOnce) {
  START_OR_SKIP();
  const std::vector<Color> normal = ScreenPixels(screenBuffer_);
  for (const std::uint32_t message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) {
    Record(message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MakeLParam(100, 15));
    EXPECT_FALSE(session_->ProcessInput());
  }
  EXPECT_TRUE(session_->IsMenuActive());
  Record(WM_KEYDOWN, VK_ESCAPE, KeyLParam(1, kScanEscape, false, false, false));
  session_->ProcessInput();
  EXPECT_FALSE(session_->IsMenuActive());
  EXPECT_EQ(ScreenPixels(screenBuffer_), normal)
      << "the title is drawn up without waiting for the mouse";
}

}  // namespace
