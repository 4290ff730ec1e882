// Gate played through the real window procedure, for what the mouse, the screen and the files add
// to the rules' own tests: the deal's flights and sounds, a whole deal won with the mouse, undo
// with the recycle it gives back, and the table against golden images. A damaged snapshot is
// refused by the block reader in GatePlayTest and on the screen for every game in GameTableTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/Audio.h"
#include "engine/GameClock.h"
#include "engine/session/GameMenuBar.h"
#include "tests/games/gate/GateScenario.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"

namespace {

int Count(const std::vector<std::string>& sounds, const std::string& name) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

}  // namespace

class GateScenarioTest : public GameScenarioTest {};

// A whole deal won with the mouse: the move-finder plays the seeded deal with the rules alone,
// and every one of its moves is made again here as a player would make it; half way the table
// is compared with its golden image.
TEST_F(GateScenarioTest, ASeededDealIsDealtWithItsSoundsAndWonThroughTheMouse) {
  const std::optional<GateSolution> solution = SolveGate(kGateWinningSeed, kGateWinningRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  GateSetup setup;
  setup.seed = kGateWinningSeed;
  setup.recycles = kGateWinningRules.recycles;
  GateScenario s(setup);
  s.Check([&s](GateGame& game) {
    EXPECT_EQ(game.GetDeck().Remaining(), 33);
    EXPECT_EQ(Count(s.Sounds(), "flip.wav"), 18) << "one for every card dealt";
    EXPECT_TRUE(game.IsClockStarted());
  });
  const std::size_t half = solution->moves.size() / 2;
  for (std::size_t i = 0; i < solution->moves.size(); ++i) {
    s.MakeWithTheMouse(solution->moves[i]);
    // Half way: a thick waste, posts part spent, runs on the tableau.
    if (i + 1 == half) {
      s.CheckShell([&s] {
        EXPECT_TRUE(MatchesGolden("games/gate_mid_game", s.Harness().Shell().ScreenBuffer(), 0, 799,
                                  0, 599));
      });
    }
  }
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

TEST_F(GateScenarioTest, UndoCostsFivePointsAndGivesTheRecycleBack) {
  GateSetup setup;
  setup.recycles = 1;
  GateScenario s(setup);
  // A press on the bare table is no move and leaves no snapshot behind.
  s.Click(400, 560);
  for (int click = 0; click < 33; ++click)
    s.Click(GateScenario::kStockClick.x, GateScenario::kStockClick.y);
  s.Check([](GateGame& game) {
    EXPECT_EQ(game.GetDeck().Remaining(), 0);
    EXPECT_EQ(game.Position().wasteCount, 33);
    EXPECT_EQ(game.UndoCount(), 33);
  });
  s.Click(GateScenario::kStockClick.x, GateScenario::kStockClick.y);
  s.Check([](GateGame& game) {
    EXPECT_EQ(game.Position().recyclesUsed, 1);
    EXPECT_EQ(game.GetDeck().Remaining(), 33);
    EXPECT_FALSE(GateCanRecycle(game.Position(), game.Rules()));
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([&s](GateGame& game) {
    EXPECT_EQ(game.Position().recyclesUsed, 0) << "the recycle is given back";
    EXPECT_EQ(game.Position().wasteCount, 33);
    EXPECT_EQ(game.GetDeck().Remaining(), 0);
    EXPECT_EQ(game.Points(), -5);
    EXPECT_EQ(Count(s.Sounds(), "undo.wav"), 1);
  });
  // And the recycle can be made again.
  s.Click(GateScenario::kStockClick.x, GateScenario::kStockClick.y);
  s.Check([](GateGame& game) { EXPECT_EQ(game.GetDeck().Remaining(), 33); });
  EXPECT_EQ(s.Run(), 0);
}
