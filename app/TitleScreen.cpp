// The title screen's picture, menu and corner buttons.
#include "app/TitleScreen.h"

#include "gfx/art/ArtworkSet.h"
#include "platform/Screen.h"
#include "ui/UiContainer.h"
#include "ui/UiInput.h"
#include "ui/widgets/ImageButton.h"

namespace {

constexpr int kCornerButtonWidth = 84;
constexpr int kCornerButtonHeight = 54;
constexpr int kPlayerButtonX = 20;
constexpr int kExitButtonX = 696;
constexpr int kCornerButtonY = 15;

}  // namespace

TitleScreen::TitleScreen() = default;

TitleScreen::~TitleScreen() {
  if (screen_) screen_->Hide();
}

void TitleScreen::Create(ArtworkSet& art) {
  art_ = &art;
  menu_.Load(art);
  screen_ = std::make_unique<UiScreen>(0, 0, kScreenWidth, kScreenHeight);
  const int sheet = art.TitleButtonBuffer();
  // Normal, hover, disabled and pressed looks side by side; the player's row lies below the
  // exit button's.
  playerButton_ =
      screen_->MakeChild<ImageButton>(kPlayerButtonX, kCornerButtonY, kCornerButtonWidth,
                                      kCornerButtonHeight, sheet, 0, 54, 84, 54, 168, 54, 168, 54);
  exitButton_ =
      screen_->MakeChild<ImageButton>(kExitButtonX, kCornerButtonY, kCornerButtonWidth,
                                      kCornerButtonHeight, sheet, 0, 0, 84, 0, 168, 0, 168, 0);
  screen_->Show();
}

void TitleScreen::Draw() {
  if (art_ == nullptr) return;
  art_->ShowTitle();
  menu_.DrawAll();
  if (screen_) screen_->DrawChildren();
  art_->AddDirtyRect(kScreenRect);
}

TitleAction TitleScreen::Poll() {
  if (!screen_) return TitleAction::kNone;
  UiPoll(*screen_);
  if (screen_->NeedsRedraw()) {
    art_->ShowScreenRect();
    screen_->ClearRedraw();
  }
  if (UiInput.event != EV_CLICKED) return TitleAction::kNone;
  if (playerButton_ != nullptr && UiInput.subject == playerButton_->GetId())
    return TitleAction::kChoosePlayer;
  if (exitButton_ != nullptr && UiInput.subject == exitButton_->GetId()) return TitleAction::kExit;
  return TitleAction::kNone;
}
