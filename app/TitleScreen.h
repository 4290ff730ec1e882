// The title screen: the title picture, the game menu and the two corner buttons (choose the
// player, leave the program) on a screen of their own.
#pragma once

#include <memory>

#include "app/TitleMenu.h"

class ArtworkSet;
class ImageButton;
class UiScreen;

// What a poll of the title screen asks the shell to do.
enum class TitleAction { kNone, kChoosePlayer, kExit };

class TitleScreen {
public:
  TitleScreen();
  ~TitleScreen();
  TitleScreen(const TitleScreen&) = delete;
  TitleScreen& operator=(const TitleScreen&) = delete;

  // Loads the menu's pictures and builds the screen with its buttons (shown, not yet drawn).
  void Create(ArtworkSet& art);
  // Draws the title picture, the menu and the buttons into the screen buffer, unshown.
  void Draw();
  // One poll of the screen's buttons for the input just recorded.
  TitleAction Poll();

  TitleMenu& Menu() { return menu_; }
  UiScreen* Screen() const { return screen_.get(); }
  ImageButton* PlayerButton() const { return playerButton_; }
  ImageButton* ExitButton() const { return exitButton_; }

private:
  ArtworkSet* art_ = nullptr;
  TitleMenu menu_;
  std::unique_ptr<UiScreen> screen_;
  ImageButton* playerButton_ = nullptr;  // owned by the screen
  ImageButton* exitButton_ = nullptr;
};
