// Gate played through the real window procedure, for what the mouse, the screen and the files add
// to the rules' own tests: the deal's sounds, a whole deal won with the mouse, and the table half
// way against its golden image. Undo (its snapshot holds the recycles used) and a damaged snapshot
// are checked for every game in GameTableTest, and the block round trip in GatePropertyTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/gate/GateGame.h"
#include "games/gate/GateSettings.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/GameScenario.h"

namespace {

int Count(const std::vector<std::string>& sounds, const std::string& name) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

// Inside the stock's top card however thick the pile is, and on the empty stock's marker.
constexpr ScreenPoint kStockClick{kGateStockX + 20, kGateStockY + 10};

// Gate under the move-finder's rules, whose only rule value away from the default is Recycles.
ScenarioGame WinningRulesGate() {
  ScenarioGame game;
  game.row = GameRowById(kGateGameId);
  game.writeRules = [] { WriteRuleValue(kGateSettings, "Recycles", kGateWinningRules.recycles); };
  // The stock is Gate's only click move.
  game.clickPoint = [](const CardGame&, const Move&) { return kStockClick; };
  return game;
}

class GateScenarioTest : public GameScenarioTest {};

// A whole deal won with the mouse: the move-finder plays the seeded deal with the rules alone,
// and every one of its moves is made again here as a player would make it; half way the table
// is compared with its golden image.
TEST_F(GateScenarioTest, ASeededDealIsDealtWithItsSoundsAndWonThroughTheMouse) {
  const std::optional<GateSolution> solution = SolveGate(kGateWinningSeed, kGateWinningRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  EXPECT_EQ(solution->points, 470);
  ScenarioSetup setup;
  setup.seed = kGateWinningSeed;
  ScenarioOf<GateGame> s(WinningRulesGate(), setup);
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

}  // namespace
