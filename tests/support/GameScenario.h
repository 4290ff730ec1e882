// Plays any game of the game table headless through the real window procedure: a seeded deal in a
// scratch settings store with its own snapshot directory, and a timeline of clicks, drags, double
// clicks, keys, menu commands and checkpoints that run inside the program when their time comes.
// A game adds only its rule values and where a click makes its click moves (ScenarioGame).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/CardGame.h"
#include "engine/Move.h"
#include "engine/session/GameWindows.h"
#include "games/GameTable.h"
#include "platform/Screen.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/GameTestEnvironment.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ShellHarness.h"

// What a game's scenarios know of it beyond its row.
struct ScenarioGame {
  const GameRow* row = nullptr;
  // Writes the game's rule values into the scenario's settings store before the deal.
  std::function<void()> writeRules;
  // The point a click makes a click move at (a stock click, a face-down top card turned up).
  std::function<ScreenPoint(const CardGame&, const Move&)> clickPoint;
};

// What every scenario may choose, whatever the game.
struct ScenarioSetup {
  std::uint32_t seed = 1;
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

// A point well inside the card whose top-left is `place`, on its visible top strip.
constexpr ScreenPoint Grip(ScreenPoint place) {
  return {place.x + 20, place.y + 6};
}

class GameScenario {
public:
  GameScenario(const ScenarioGame& game, const ScenarioSetup& setup);
  ~GameScenario();
  GameScenario(const GameScenario&) = delete;
  GameScenario& operator=(const GameScenario&) = delete;

  ShellHarness& Harness() { return *harness_; }
  // The running game; null once the player has left it.
  CardGame* Game() { return harness_->Shell().Game(); }
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
  // One mouse message with the left button held (press, move) or just let go (release), and
  // `then` milliseconds before the next.
  void Mouse(std::uint32_t message, int x, int y, std::uint64_t then = 20);
  // Makes the move as a player would: a click where the game makes its click moves, or a drag
  // from the drag source that holds the move's pile and card to the drop target of its pile, both
  // found in the game's hit lists when the time comes.
  void MakeWithTheMouse(const Move& move);
  // Opens the menu with a click on its title and clicks the item that sends `command`.
  void Menu(GameMenu menu, int command);
  // Runs inside the window procedure when its time comes.
  void Check(std::function<void(CardGame& game)> check);
  void CheckShell(std::function<void()> check);
  // After the last move of a won line: the deal is won with the points the rules counted, the win
  // tune asked for, and once the win screen and the high scores are gone the final score is the
  // one the formula gives with the win multiplier.
  void ExpectWonWith(int points);

  // Leaves the game and the program with two Escapes and runs the whole timeline. Returns the
  // exit code (ShellHarness::kScriptRanDry when the program was still waiting for input).
  int Run();

private:
  void At(std::uint32_t message, std::uintptr_t wParam, int x, int y);
  std::uint64_t FromNow() const;

  ScenarioGame game_;
  GameTestEnvironment env_;
  std::unique_ptr<ShellHarness> harness_;
  // The timeline counts from the moment the deal was on the table.
  std::uint64_t base_ = 0;
  std::uint64_t cursor_ = 0;
};

// The scenario of one game class, whose checkpoints see that class.
template <class G>
class ScenarioOf : public GameScenario {
public:
  using GameScenario::GameScenario;

  G* Game() { return dynamic_cast<G*>(GameScenario::Game()); }
  void Check(std::function<void(G& game)> check) {
    GameScenario::Check([check = std::move(check)](CardGame& game) {
      G* typed = dynamic_cast<G*>(&game);
      ASSERT_NE(typed, nullptr) << "another game is running at this checkpoint";
      check(*typed);
    });
  }
};

// Scenario tests step aside when the generated media are missing.
class GameScenarioTest : public testing::Test {
protected:
  void SetUp() override {
    if (MediaDir().empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  }
};
