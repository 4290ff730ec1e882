// Gate through the real window procedure: the deal's sounds and a whole deal won with the mouse,
// half way against its golden image. Undo and a damaged snapshot are GameTableTest's.
#include <gtest/gtest.h>

#include <algorithm>

#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/gate/GateGame.h"
#include "games/gate/GateSettings.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/GameScenario.h"

namespace {

class GateScenarioTest : public GameScenarioTest {};

TEST_F(GateScenarioTest, ASeededDealIsDealtWithItsSoundsAndWonThroughTheMouse) {
  const std::optional<FoundWin> solution = SolveGate(kGateWinningSeed, kGateWinningRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  EXPECT_EQ(solution->points, 470);
  ScenarioSetup setup;
  setup.seed = kGateWinningSeed;
  // The stock (inside its top card however thick, or its empty marker) is the only click move.
  ScenarioOf<GateGame> s(
      {GameRowById(kGateGameId),
       [] { WriteRuleValue(kGateSettings, "Recycles", kGateWinningRules.recycles); },
       [](const CardGame&, const Move&) {
         return ScreenPoint{kGateStockX + 20, kGateStockY + 10};
       }},
      setup);
  s.Check([&s](GateGame& game) {
    EXPECT_EQ(game.GetDeck().Remaining(), 33);
    EXPECT_EQ(std::count(s.Sounds().begin(), s.Sounds().end(), "flip.wav"), 18)
        << "one for every card dealt";
  });
  const std::size_t half = solution->moves.size() / 2;
  for (std::size_t i = 0; i < solution->moves.size(); ++i) {
    s.MakeWithTheMouse(solution->moves[i]);
    if (i + 1 != half) continue;
    // A thick waste, posts part spent, runs on the tableau.
    s.CheckShell([&s] {
      EXPECT_TRUE(
          MatchesGolden("games/gate_mid_game", s.Harness().Shell().ScreenBuffer(), 0, 799, 0, 599));
    });
  }
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
