// The menu commands: those every game shares and the game's own (settings, rules view, high
// scores), which every game answers the same way from its row in the game table.
#include <cstdint>
#include <optional>

#include "audio/Audio.h"
#include "dialogs/HighScoreDialog.h"
#include "engine/CardGame.h"
#include "engine/GameList.h"
#include "engine/session/GameSession.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "platform/MessageLoop.h"
#include "ui/menus/MenuEntry.h"

namespace {

constexpr int kEscapeScanCode = 0x01;

// Flips a check-mark item and the preference behind it, and stores the preference at once.
void ToggleCheck(MenuEntry* item, std::int32_t& preference) {
  const bool on = item != nullptr ? !item->IsSelected() : preference == 0;
  if (item != nullptr) item->SetSelected(on);
  preference = on ? 1 : 0;
  SavePreferences(ThePreferences());
}

}  // namespace

bool GameSession::HandleCommand(int command) {
  // A command may redraw the table or deal anew: the stack in the player's hand goes home first.
  const bool wasDragging = game_->IsDragging();
  game_->CancelDrag();
  return RunSharedCommand(command, wasDragging) || RunOwnCommand(command);
}

bool GameSession::RunSharedCommand(int command, bool wasDragging) {
  Preferences& prefs = ThePreferences();
  switch (command) {
    case kCmdNewGame:
      Deal(true);
      return true;
    case kCmdMainMenu:
      PostMessage(WM_KEYDOWN, VK_ESCAPE, KeyLParam(1, kEscapeScanCode, false, false, false));
      return true;
    case kCmdExit:
      if (windows_.upgrade) windows_.upgrade();
      PostMessage(WM_CLOSE, 0, 0);
      return true;
    case kCmdUndo:
      // The cancelled drag has taken back its own pick-up; the move before it stays.
      if (!wasDragging) game_->Undo();
      return true;
    case kCmdPauseResume:
      if (game_->IsPaused()) {
        game_->ResumeClock();
      } else {
        game_->PauseClock();
      }
      RebuildGameMenu();
      return true;
    case kCmdEndGame:
      game_->EndByUser();
      Tick();
      return true;
    case kCmdCardBack:
      ChooseCardBack();
      return true;
    case kCmdCardFront:
      ChooseCardFront();
      return true;
    case kCmdBackground:
      ChooseBackground();
      return true;
    case kCmdMusic:
      ChooseMusic();
      return true;
    case kCmdSfx:
      ToggleCheck(menus_.sfx, prefs.soundEnabled);
      return true;
    case kCmdAutoGameOver:
      ToggleCheck(menus_.autoGameOver, prefs.autoGameOver);
      return true;
    case kCmdAbout:
      ShowWindow(windows_.about);
      return true;
    case kCmdRulesHelp:
      if (windows_.rulesHelp) {
        const char* title = GameListTitle(game_->GameId());
        const char* section = title != nullptr ? title : game_->GetGameName();
        ShowWindow([this, section] { windows_.rulesHelp(section); });
      }
      return true;
    case kCmdUpgrade:
      ShowWindow(windows_.upgrade);
      return true;
    default:
      return false;
  }
}

bool GameSession::RunOwnCommand(int command) {
  switch (command) {
    case kCmdGameSettings: {
      if (!own_.settings) return false;
      bool confirmed = false;
      PauseAround([this, &confirmed] { confirmed = own_.settings(); });
      if (confirmed) {
        Deal(true);
      } else {
        art_.ShowScreenRect();
      }
      return true;
    }
    case kCmdRulesView:
      if (!own_.rulesView) return false;
      PauseAround(own_.rulesView);
      game_->RedrawAll(true);
      return true;
    case kCmdHighScores:
      PauseAround([this] { RunHighScoreDialog(game_->GetGameName(), 0, false); });
      game_->RedrawAll(true);
      return true;
    default:
      return false;
  }
}

void GameSession::ShowWindow(const std::function<void()>& window) {
  if (!window) return;
  PauseAround(window);
  art_.ShowScreenRect();
}

void GameSession::ChooseCardBack() {
  if (!windows_.chooseCardBack) return;
  std::optional<int> chosen;
  PauseAround([this, &chosen] { chosen = windows_.chooseCardBack(art_.CardBack()); });
  if (!chosen) {
    art_.ShowScreenRect();
    return;
  }
  Preferences& prefs = ThePreferences();
  art_.SetCardBack(*chosen);
  prefs.cardBack = *chosen;
  SavePreferences(prefs);
  game_->RedrawAll(true);
}

void GameSession::ChooseCardFront() {
  if (!windows_.chooseCardFront) return;
  Preferences& prefs = ThePreferences();
  std::optional<int> chosen;
  PauseAround([this, &chosen, &prefs] { chosen = windows_.chooseCardFront(prefs.cardFront); });
  if (!chosen) {
    art_.ShowScreenRect();
    return;
  }
  prefs.cardFront = *chosen;
  SavePreferences(prefs);
  art_.LoadDecks();
  game_->RedrawAll(true);
}

void GameSession::ChooseBackground() {
  if (!windows_.chooseBackground) return;
  Preferences& prefs = ThePreferences();
  std::optional<int> chosen;
  PauseAround([this, &chosen, &prefs] { chosen = windows_.chooseBackground(prefs.background); });
  if (!chosen) {
    art_.ShowScreenRect();
    return;
  }
  prefs.background = *chosen;
  art_.LoadTheme(*chosen);
  art_.DrawGameTitle(game_->GameId());
  SavePreferences(prefs);
  game_->RedrawAll(true);
}

void GameSession::ChooseMusic() {
  if (!windows_.musicDialog) return;
  bool confirmed = false;
  PauseAround([this, &confirmed] { confirmed = windows_.musicDialog(); });
  if (!confirmed) {
    art_.ShowScreenRect();
    return;
  }
  const Preferences& prefs = ThePreferences();
  SavePreferences(prefs);
  MusicInGame();
  if (menus_.music != nullptr) menus_.music->SetSelected(prefs.musicEnabled == 1);
}
