// The game's screen poll and the commands every game's menu shares.
#include "engine/CardGame.h"

#include "audio/Audio.h"
#include "engine/GameList.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "platform/MessageLoop.h"
#include "ui/UiContainer.h"
#include "ui/UiInput.h"
#include "ui/UiModal.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"

namespace {

constexpr int kEscapeScanCode = 0x01;

}  // namespace

// --- Input and commands --------------------------------------------------------------------------

bool CardGame::ProcessInput() {
  if (!screen_) return false;
  UiPoll(*screen_);
  if (screen_->NeedsRedraw()) {
    art_.ShowScreenRect();
    screen_->ClearRedraw();
  }
  if (UiInput.event != EV_CLICKED) return false;
  const int command = UiInput.subject;
  return HandleCommand(command) || HandleGameCommand(command);
}

bool CardGame::IsMenuActive() const {
  return menus_.bar != nullptr && menus_.bar->IsOpen();
}

void CardGame::PauseAround(const std::function<void()>& window) {
  if (!IsPaused()) PauseClock();
  if (window) window();
  if (IsPaused()) ResumeClock();
}

void CardGame::RebuildGameMenu() {
  FillGameMenu(menus_.game, IsPaused());
  const Preferences& prefs = ThePreferences();
  if (menus_.music != nullptr) menus_.music->SetSelected(prefs.musicEnabled == 1);
  if (menus_.sfx != nullptr) menus_.sfx->SetSelected(prefs.soundEnabled != 0);
  if (menus_.autoGameOver != nullptr) menus_.autoGameOver->SetSelected(prefs.autoGameOver != 0);
}

void CardGame::DrawMenuBar() {
  if (menus_.bar == nullptr) return;
  GfxOpenBuffer(art_.ScreenBuffer());
  menus_.bar->Draw();
  art_.AddDirtyRect({menus_.bar->GetX(), menus_.bar->GetY(),
                     menus_.bar->GetX() + menus_.bar->GetWidth() - 1,
                     menus_.bar->GetY() + menus_.bar->GetHeight() - 1});
}

namespace {

// Flips a check-mark item and the preference behind it, and stores the preference at once.
void ToggleCheck(MenuEntry* item, std::int32_t& preference) {
  const bool on = item != nullptr ? !item->IsSelected() : preference == 0;
  if (item != nullptr) item->SetSelected(on);
  preference = on ? 1 : 0;
  SavePreferences(ThePreferences());
}

}  // namespace

bool CardGame::HandleCommand(int command) {
  // A command chosen while cards are carried (from the keyboard) plays on the table as it lies.
  CancelDrag();
  Preferences& prefs = ThePreferences();
  switch (command) {
    case kCmdNewGame:
      EndDeal();
      StartGame(true);
      return true;
    case kCmdMainMenu:
      PostMessage(WM_KEYDOWN, VK_ESCAPE, KeyLParam(1, kEscapeScanCode, false, false, false));
      return true;
    case kCmdExit:
      if (windows_.upgrade) windows_.upgrade();
      PostMessage(WM_CLOSE, 0, 0);
      return true;
    case kCmdUndo:
      Undo();
      return true;
    case kCmdPauseResume:
      if (IsPaused()) {
        ResumeClock();
      } else {
        PauseClock();
      }
      RebuildGameMenu();
      return true;
    case kCmdEndGame:
      endedByUser_ = true;
      UpdatePlayState();
      UpdateScoreDisplay(-1);
      return true;
    case kCmdCardBack: {
      if (!windows_.chooseCardBack) return true;
      std::optional<int> chosen;
      PauseAround([&] { chosen = windows_.chooseCardBack(art_.CardBack()); });
      if (chosen) {
        art_.SetCardBack(*chosen);
        prefs.cardBack = *chosen;
        SavePreferences(prefs);
        RedrawAll(true);
      } else {
        art_.ShowScreenRect();
      }
      return true;
    }
    case kCmdCardFront: {
      if (!windows_.chooseCardFront) return true;
      std::optional<int> chosen;
      PauseAround([&] { chosen = windows_.chooseCardFront(prefs.cardFront); });
      if (chosen) {
        prefs.cardFront = *chosen;
        SavePreferences(prefs);
        art_.LoadDecks();
        RedrawAll(true);
      } else {
        art_.ShowScreenRect();
      }
      return true;
    }
    case kCmdBackground: {
      if (!windows_.chooseBackground) return true;
      std::optional<int> chosen;
      PauseAround([&] { chosen = windows_.chooseBackground(prefs.background); });
      if (chosen) {
        prefs.background = *chosen;
        art_.LoadTheme(*chosen);
        art_.DrawGameTitle(gameId_);
        SavePreferences(prefs);
        RedrawAll(true);
      } else {
        art_.ShowScreenRect();
      }
      return true;
    }
    case kCmdMusic: {
      if (!windows_.musicDialog) return true;
      bool confirmed = false;
      PauseAround([&] { confirmed = windows_.musicDialog(); });
      if (confirmed) {
        SavePreferences(prefs);
        MusicInGame();
        if (menus_.music != nullptr) menus_.music->SetSelected(prefs.musicEnabled == 1);
      } else {
        art_.ShowScreenRect();
      }
      return true;
    }
    case kCmdSfx:
      ToggleCheck(menus_.sfx, prefs.soundEnabled);
      return true;
    case kCmdAutoGameOver:
      ToggleCheck(menus_.autoGameOver, prefs.autoGameOver);
      return true;
    case kCmdAbout:
      if (windows_.about) {
        PauseAround(windows_.about);
        art_.ShowScreenRect();
      }
      return true;
    case kCmdRulesHelp:
      if (windows_.rulesHelp) {
        const char* title = GameListTitle(gameId_);
        PauseAround([&] { windows_.rulesHelp(title != nullptr ? title : GetGameName()); });
        art_.ShowScreenRect();
      }
      return true;
    case kCmdUpgrade:
      if (windows_.upgrade) {
        PauseAround(windows_.upgrade);
        art_.ShowScreenRect();
      }
      return true;
    default:
      return false;
  }
}
