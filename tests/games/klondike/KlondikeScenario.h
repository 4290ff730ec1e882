// Plays Klondike headless through the real window procedure: a seeded deal in a scratch settings
// store with its own snapshot directory, and a timeline of mouse clicks, drags, double clicks,
// menu commands and checkpoints that run inside the program when their time comes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "games/klondike/KlondikeGame.h"
#include "tests/app/ShellHarness.h"
#include "tests/support/GameTestEnvironment.h"

struct KlondikeSetup {
  std::uint32_t seed = 1;
  int cardsDealt = 3;
  int startCard = kAceRank;
  int filledIn = 0;
  int recycles = 3;
  int tableauStart = 1;
  int movePartial = 0;
  int autoFlip = 0;
  bool autoGameOver = false;
  int background = 0;  // the player's theme
  // The program's own windows (choosers, About, ...) as the test stands them in; with
  // `programWindows` the real ones stay.
  GameWindows windows;
  bool programWindows = false;
  // Where the snapshots go; empty for a fresh directory of the scenario's own.
  std::filesystem::path undoDirectory;
};

// Menu titles of the game's bar.
enum class GameMenu { kGame, kOptions, kView, kHelp };

class KlondikeScenario {
public:
  explicit KlondikeScenario(const KlondikeSetup& setup = {});
  ~KlondikeScenario();
  KlondikeScenario(const KlondikeScenario&) = delete;
  KlondikeScenario& operator=(const KlondikeScenario&) = delete;

  ShellHarness& Harness() { return *harness_; }
  // The running game; null once the player has left it.
  KlondikeGame* Game();
  const std::filesystem::path& UndoDirectory() const { return env_.UndoDirectory(); }
  // Every sound effect the game asked for, in order.
  const std::vector<std::string>& Sounds() const { return env_.Sounds(); }

  // The timeline: each call happens at the scenario's cursor and moves it on.
  void Wait(std::uint64_t ms) { cursor_ += ms; }
  void Click(int x, int y);
  // Press at one point, move there in a few steps with the button held, release.
  void Drag(int fromX, int fromY, int toX, int toY);
  void DoubleClick(int x, int y);
  void Key(std::uint32_t virtualKey);
  // One mouse message with the left button held (press, move) or just let go (release).
  void Mouse(std::uint32_t message, int x, int y);
  // Makes the move as a player would: a click on the stock or on the face-down card, or a drag
  // from the drag source that holds the move's cards to the drop target of its pile, both found
  // in the game's hit lists when the time comes.
  void MakeWithTheMouse(const Move& move);
  // Opens the menu with a click on its title and clicks the item that sends `command`.
  void Menu(GameMenu menu, int command);
  // Runs inside the window procedure when its time comes.
  void Check(std::function<void(KlondikeGame& game)> check);
  void CheckShell(std::function<void()> check);

  // Leaves the game and the program with two Escapes and runs the whole timeline. Returns the
  // exit code (ShellHarness::kScriptRanDry when the program was still waiting for input).
  int Run();

  // Places on the table.
  static ScreenPoint ColumnCard(int column, int index) {
    return {KlondikeColumnX(column), kKlondikeColumnY + kKlondikeFanDy * index};
  }
  ScreenPoint StockTop();

private:
  void At(std::uint32_t message, std::uintptr_t wParam, int x, int y);

  GameTestEnvironment env_;
  std::unique_ptr<ShellHarness> harness_;
  // The timeline counts from the moment the deal was on the table.
  std::uint64_t base_ = 0;
  std::uint64_t cursor_ = 0;
  std::uint32_t nextAction_ = ShellHarness::kTestAction;
};

// A point well inside the card whose top-left is `place`, on its visible top strip.
constexpr ScreenPoint Grip(ScreenPoint place) {
  return {place.x + 20, place.y + 6};
}
