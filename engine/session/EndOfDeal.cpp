// The end of a deal, played out once on the first tick after the game has said it is over: the
// final score, the music or the "no moves" message, the win or lose screen, the high scores and,
// when the player asks, the next deal.
#include "audio/Audio.h"
#include "dialogs/DialogResults.h"
#include "dialogs/HighScoreDialog.h"
#include "engine/CardGame.h"
#include "engine/ScreenSave.h"
#include "engine/session/GameSession.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/HighScores.h"
#include "persist/Preferences.h"
#include "platform/Window.h"
#include "ui/UiContainer.h"
#include "ui/UiMessageBox.h"

using namespace engine_detail;

void GameSession::RunEndOfDeal() {
  endOfDealRunning_ = true;
  game_->FixFinalScore();
  const int finalScore = game_->FinalScore();

  const bool won = game_->IsWon();
  if (won) {
    MusicGameOver(true);
  } else {
    if (!game_->EndedByUser()) {
      // Without a caption the box would look unfinished; the window's title names the program.
      UiMessageBox box(screen_.get(), kWindowTitle, kUiMbOk, "There are no moves left.");
      box.DoModal();
    }
    MusicGameOver(false);
  }

  const int screen = art_.ScreenBuffer();
  {
    ScratchBuffer saved(kScreenWidth, kScreenHeight, screen);
    SaveScreen(kScreenRect, screen, saved.Handle());
    art_.ShowEndScreen(won, game_->EndedByUser());
    GfxOpenBuffer(screen);
    RestoreScreen(kScreenRect, screen, saved.Handle());
    art_.ShowScreenRect();
  }

  const char* name = game_->GetGameName();
  AddHighScore(name, ThePreferences().playerName, finalScore);
  const int result = RunHighScoreDialog(name, finalScore, true);
  art_.ShowScreenRect();
  endOfDealRunning_ = false;
  if (result == kDialogResultPlayAgain) Deal(true);
}
