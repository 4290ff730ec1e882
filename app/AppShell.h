// The main window's life: the start-up sequence, the window procedure that routes every message,
// the main loop and the orderly tear-down once it has ended.
#pragma once

#include <cstdint>
#include <memory>

class ArtworkSet;
class ArtworkScreenUpdate;
class CardGame;
class GfxDisplay;
class ShellWindow;

// The window timers: 2 refreshes the running game's score box and notices the end of a game.
inline constexpr std::uintptr_t kScoreTimer = 2;
inline constexpr std::uint32_t kScoreTimerMs = 100;

class AppShell {
public:
  // Both are observed and must outlive the shell.
  AppShell(GfxDisplay& display, ShellWindow& window);
  ~AppShell();
  AppShell(const AppShell&) = delete;
  AppShell& operator=(const AppShell&) = delete;

  // The window-creation sequence. Returns false when the program cannot run (the player has
  // been told why); the caller then ends with exit code 0.
  bool Create();

  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

  // The main loop: dispatches until the quit message, then tears down. Returns the exit code.
  int Run();

  // Tears everything down in order; safe to call twice. Only after the last loop has ended:
  // a dialog still open would draw into what this frees.
  void Destroy();

  // Makes `game` the running game and deals its first hand. A game that was running is ended
  // first. Needs a successful Create.
  void StartGame(std::unique_ptr<CardGame> game);
  // Ends the running game (its deal, its snapshots) and clears the screen; the title screen
  // takes over from here.
  void EndGame();
  CardGame* Game() const { return game_.get(); }
  ArtworkSet* Artwork() const { return artwork_.get(); }

  int ScreenBuffer() const { return screenBuffer_; }
  bool IsActive() const { return active_; }
  // True once the program has been asked to end; input is ignored from then on.
  bool IsEnding() const { return ending_; }

private:
  void PaintWholeScreen();
  // Escape at the title screen, F12 there, and the window's close all end the program the same
  // way: the quit message lets every open loop unwind first.
  void EndProgram();

  // The input pre-pass with a game: true when the game's screen or menu took the message.
  bool GameTookInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  void RouteMouseToGame(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

  GfxDisplay& display_;
  ShellWindow& window_;
  std::unique_ptr<ArtworkSet> artwork_;
  std::unique_ptr<ArtworkScreenUpdate> screenUpdate_;
  std::unique_ptr<CardGame> game_;
  int screenBuffer_ = -1;
  bool active_ = true;
  bool ending_ = false;
  bool destroyed_ = false;
  // Set once Create has handed the display to the graphics layer; only then is there anything
  // of the layer's to stop.
  bool graphicsAttached_ = false;
  bool toolkitStarted_ = false;
};
