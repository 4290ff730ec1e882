// Auld Lang Syne through the real window procedure: a seeded deal won with clicks.
#include <gtest/gtest.h>

#include "games/GameTable.h"
#include "games/auldlangsyne/AuldLangSyneGame.h"
#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"
#include "tests/support/GameScenario.h"

namespace {

class AuldLangSyneScenarioTest : public GameScenarioTest {};

// Every move is a click: the stock (inside its card however thick, or its empty marker), or the
// top card it sends home.
TEST_F(AuldLangSyneScenarioTest, ASeededDealIsWonWithClicks) {
  const std::optional<FoundWin> solution = SolveAuldLangSyne(kAlsWinningSeed, kAlsDefaultRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  EXPECT_EQ(solution->points, 52 * 5);
  static constexpr ScreenPoint kStockPoint{kAlsStockX + 20, kAlsStockY + 10};
  ScenarioSetup setup;
  setup.seed = kAlsWinningSeed;
  ScenarioOf<AuldLangSyneGame> s({GameRowById(kAuldLangSyneGameId),
                                  {},
                                  [](const CardGame&, const Move&) { return kStockPoint; }},
                                 setup);
  for (const Move& move : solution->moves) {
    const ScreenPoint at =
        move.kind == MoveKind::kStock
            ? kStockPoint
            : Grip(kAlsLayout[static_cast<std::size_t>(move.from)].CardPlace(move.index));
    s.Click(at.x, at.y);
  }
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
