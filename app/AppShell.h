// The main window's life: the start-up sequence, the window procedure that routes every message
// to the running game or the title screen, the main loop and the orderly tear-down.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/session/GameSession.h"

class ArtworkSet;
class ArtworkScreenUpdate;
class CardGame;
class GfxDisplay;
class ShellWindow;
class TitleScreen;

// The window timers. 2 is the running session's tick: the score box and the end of a deal;
// 3 animates the title menu's marker. (The original timer 1 has no work and is not made.)
inline constexpr std::uintptr_t kScoreTimer = 2;
inline constexpr std::uint32_t kScoreTimerMs = 100;
inline constexpr std::uintptr_t kTitleTimer = 3;
inline constexpr std::uint32_t kTitleTimerMs = 50;

class AppShell {
public:
  // Both are observed and must outlive the shell.
  AppShell(GfxDisplay& display, ShellWindow& window);
  ~AppShell();
  AppShell(const AppShell&) = delete;
  AppShell& operator=(const AppShell&) = delete;

  // The window-creation sequence: graphics, artwork, toolkit, the logo, the title screen, the
  // player and the timers. Returns false when the program cannot run (the player has been told
  // why, or cancelled the choice of player); the caller then ends with exit code 0.
  bool Create();
  // Start-up without the logo's wait (the logo still shows), for measuring start-up.
  void SkipLogoWait() { skipLogoWait_ = true; }

  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

  // The main loop: dispatches until the quit message, then tears down. Returns the exit code.
  int Run();

  // Tears everything down in order; safe to call twice. Only after the last loop has ended:
  // a dialog still open would draw into what this frees.
  void Destroy();

  // What a title button does: makes its game, asks for its rule settings unless the player
  // turned that off, and deals. A button whose game is not in this build does nothing.
  void LaunchTitleButton(int button);
  // Makes `game` the running game in a session of its own and deals its first hand; a running
  // game is ended first.
  void StartGame(std::unique_ptr<CardGame> game);
  // Ends the running game (its deal, its snapshots) and shows the title screen again.
  void ReturnToTitle();

  // The running game's session and the game itself; null at the title screen.
  GameSession* Session() const { return session_.get(); }
  CardGame* Game() const { return session_ != nullptr ? &session_->Game() : nullptr; }
  ArtworkSet* Artwork() const { return artwork_.get(); }
  TitleScreen* Title() const { return title_.get(); }
  // The windows a game opens that belong to the program (choosers, About, ...); handed to every
  // session the shell starts.
  void SetGameWindows(GameWindows windows) { gameWindows_ = std::move(windows); }

  int ScreenBuffer() const { return screenBuffer_; }
  bool IsActive() const { return active_; }
  // True once the program has been asked to end; input is ignored from then on.
  bool IsEnding() const { return ending_; }

private:
  bool StartGraphics();
  void StartArtworkAndToolkit();
  // Preferences and the player: false when the player cancelled the choice.
  bool ChoosePlayer();
  // After the player changed: that player's card back and background take effect.
  void ApplyPlayerLook();
  void ShowTitleScreen();
  void PaintWholeScreen();
  // Escape at the title screen, F12 there, the exit button and the window's close all end the
  // program the same way: the quit message lets every open loop unwind first.
  void EndProgram();

  // The input pre-pass with a game: true when the game's screen or menu took the message.
  bool GameTookInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  void RouteMouseToGame(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  void TitleInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  void TitleTick();

  GfxDisplay& display_;
  ShellWindow& window_;
  std::unique_ptr<ArtworkSet> artwork_;
  std::unique_ptr<ArtworkScreenUpdate> screenUpdate_;
  std::unique_ptr<TitleScreen> title_;
  std::unique_ptr<GameSession> session_;
  GameWindows gameWindows_;
  int screenBuffer_ = -1;
  bool active_ = true;
  bool ending_ = false;
  bool destroyed_ = false;
  // Set once Create has handed the display to the graphics layer; only then is there anything
  // of the layer's to stop.
  bool graphicsAttached_ = false;
  bool toolkitStarted_ = false;
  bool skipLogoWait_ = false;
};
