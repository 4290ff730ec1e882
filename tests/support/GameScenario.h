// Any game of the game table played headless through the real window procedure: a seeded deal in
// a scratch store and snapshot directory, and a timeline of input and checkpoints run in-program.
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

// A game's row, its rule values written before the deal, and where a click makes a click move.
struct ScenarioGame {
  const GameRow* row = nullptr;
  std::function<void()> writeRules;
  std::function<ScreenPoint(const CardGame&, const Move&)> clickPoint;
};

struct ScenarioSetup {
  std::uint32_t seed = 1;
  bool autoGameOver = false;
  int background = 0;                   // the player's theme
  GameWindows windows;                  // the program's windows as the test stands them in,
  bool programWindows = false;          // or the real ones
  std::filesystem::path undoDirectory;  // empty: a fresh one of the scenario's own
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
  CardGame* Game() { return harness_->Shell().Game(); }  // null once the player has left it
  const std::filesystem::path& UndoDirectory() const { return env_.UndoDirectory(); }
  const std::vector<std::string>& Sounds() const { return env_.Sounds(); }

  // The timeline: each call happens at the scenario's cursor and moves it on.
  void Wait(std::uint64_t ms) { cursor_ += ms; }
  void Click(int x, int y);
  void Drag(int fromX, int fromY, int toX, int toY);
  void DoubleClick(int x, int y);
  void Key(std::uint32_t virtualKey);
  // One mouse message, the button held unless it is the release, and `then` ms before the next.
  void Mouse(std::uint32_t message, int x, int y, std::uint64_t then = 20);
  // A click where the game makes click moves, or a drag from the move's card to its pile, both
  // found in the game's hit lists when the time comes.
  void MakeWithTheMouse(const Move& move);
  // Clicks the menu's title, then the item that sends `command`.
  void Menu(GameMenu menu, int command);
  // Run inside the window procedure when their time comes.
  void Check(std::function<void(CardGame& game)> check);
  void CheckShell(std::function<void()> check);
  // After a won line: won with these points, the win tune, and once the win screen and high
  // scores are gone the final score the formula gives with the win multiplier.
  void ExpectWonWith(int points);

  // Two Escapes leave game and program; runs the timeline and returns the exit code
  // (ShellHarness::kScriptRanDry when the program was still waiting for input).
  int Run();

private:
  void At(std::uint32_t message, std::uintptr_t wParam, int x, int y);
  std::uint64_t FromNow() const;
  ScenarioGame game_;
  GameTestEnvironment env_;
  std::unique_ptr<ShellHarness> harness_;
  std::uint64_t base_ = 0;  // when the deal was on the table
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
