// The session's life: the game's screen and menu bar around the game, the poll of the input, the
// score timer and new deals.
#include "engine/session/GameSession.h"

#include "engine/CardGame.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "platform/Screen.h"
#include "ui/UiContainer.h"
#include "ui/UiInput.h"
#include "ui/UiModal.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"

GameSession::GameSession(ArtworkSet& artwork, std::unique_ptr<CardGame> game, GameWindows windows,
                         GameOwnWindows own)
    : art_(artwork), game_(std::move(game)), windows_(std::move(windows)), own_(std::move(own)) {
  screen_ = std::make_unique<UiScreen>(0, 0, kScreenWidth, kScreenHeight);
  menus_ = BuildGameMenuBar(screen_.get(), art_.MenuBuffer(), art_.MenuColumnBuffer(),
                            art_.ScreenBuffer());
  RebuildGameMenu();
  // Shown once the bar is in it: showing a screen shows (and activates) what it holds then.
  screen_->Show();
  game_->SetEvents(this);
}

GameSession::~GameSession() {
  game_->EndDeal();
  game_->SetEvents(nullptr);
  screen_->Hide();
  menus_ = GameMenus{};
  screen_.reset();
}

void GameSession::Start() {
  if (own_.settings && menus_.options != nullptr)
    menus_.options->AddItem("&Game Settings...", kCmdGameSettings);
  if (own_.rulesView && menus_.view != nullptr) menus_.view->AddItem("&Rules...", kCmdRulesView);
  RebuildGameMenu();
  game_->StartGame(false);
  RebuildGameMenu();
  game_->UpdateScoreDisplay(-1);
}

void GameSession::Deal(bool restart) {
  game_->EndDeal();
  game_->StartGame(restart);
  RebuildGameMenu();
  // The box shows the new deal at once, not only at the next tick.
  game_->UpdateScoreDisplay(-1);
}

// --- Input and the timer -----------------------------------------------------------------------

bool GameSession::ProcessInput() {
  UiPoll(*screen_);
  if (screen_->NeedsRedraw()) {
    art_.ShowScreenRect();
    screen_->ClearRedraw();
  }
  if (UiInput.event != EV_CLICKED) return false;
  return HandleCommand(UiInput.subject);
}

bool GameSession::IsMenuActive() const {
  return menus_.bar != nullptr && menus_.bar->IsOpen();
}

void GameSession::Tick() {
  if (UiModalDepth() > 0 || endOfDealRunning_) return;
  // A paused game waits for the resume before its end is played out.
  if (game_->IsGameOver() && !game_->IsPaused() && game_->FinalScore() == kScoreNotFixed) {
    RunEndOfDeal();
    return;
  }
  game_->UpdateScoreDisplay(-1);
}

// --- Menus ---------------------------------------------------------------------------------------

void GameSession::TablePainted() {
  if (menus_.bar == nullptr) return;
  GfxOpenBuffer(art_.ScreenBuffer());
  menus_.bar->Draw();
  art_.AddDirtyRect({menus_.bar->GetX(), menus_.bar->GetY(),
                     menus_.bar->GetX() + menus_.bar->GetWidth() - 1,
                     menus_.bar->GetY() + menus_.bar->GetHeight() - 1});
}

void GameSession::RebuildGameMenu() {
  FillGameMenu(menus_.game, game_->IsPaused());
  const Preferences& prefs = ThePreferences();
  if (menus_.music != nullptr) menus_.music->SetSelected(prefs.musicEnabled == 1);
  if (menus_.sfx != nullptr) menus_.sfx->SetSelected(prefs.soundEnabled != 0);
  if (menus_.autoGameOver != nullptr) menus_.autoGameOver->SetSelected(prefs.autoGameOver != 0);
}

void GameSession::PauseAround(const std::function<void()>& window) {
  if (!game_->IsPaused()) game_->PauseClock();
  if (window) window();
  if (game_->IsPaused()) game_->ResumeClock();
}
