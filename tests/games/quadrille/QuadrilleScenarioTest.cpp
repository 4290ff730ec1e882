// Quadrille through the real window procedure: a deal won with the mouse, Undo of a recycle, and a
// game in play against its golden image.
#include <gtest/gtest.h>

#include <memory>

#include "engine/session/GameMenuBar.h"
#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/quadrille/QuadrilleGame.h"
#include "games/quadrille/QuadrilleSettings.h"
#include "tests/games/quadrille/QuadrilleSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/GameScenario.h"

namespace {

// Inside the stock's card however thick the pile, or on its empty marker: the only click move.
constexpr ScreenPoint kStockPoint{kQuadrilleStockX + 20, kQuadrilleStockY + 10};

struct QuadrilleScenario : ScenarioOf<QuadrilleGame> {
  QuadrilleScenario(const ScenarioSetup& setup, int cardsDealt, int recycles)
      : ScenarioOf({GameRowById(kQuadrilleGameId),
                    [cardsDealt, recycles] {
                      WriteRuleValue(kQuadrilleSettings, "CardsDealt", cardsDealt);
                      WriteRuleValue(kQuadrilleSettings, "Recycles", recycles);
                    },
                    [](const CardGame&, const Move&) { return kStockPoint; }},
                   setup) {}
  void ClickStock() { Click(kStockPoint.x, kStockPoint.y); }
};

class QuadrilleScenarioTest : public GameScenarioTest {};

TEST_F(QuadrilleScenarioTest, ASeededDealIsPlayedToAWinThroughTheMouse) {
  const std::optional<FoundWin> solution =
      SolveQuadrille(kQuadrilleWinningSeed, kQuadrilleDefaultRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  EXPECT_GE(solution->points, 52 * 5 - 2 * 5) << "every card placed, at most two recycles";
  ScenarioSetup setup;
  setup.seed = kQuadrilleWinningSeed;
  QuadrilleScenario s(setup, kQuadrilleDefaultRules.cardsDealt, kQuadrilleDefaultRules.recycles);
  for (const Move& move : solution->moves) s.MakeWithTheMouse(move);
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

// Undo gives back a recycle (-5) and the waste's fan, for the usual 5 points.
TEST_F(QuadrilleScenarioTest, UndoGivesBackARecycleAndTheFan) {
  QuadrilleScenario s(ScenarioSetup{}, 3, 1);
  for (int click = 0; click < 18; ++click) s.ClickStock();
  auto before = std::make_shared<QuadrillePosition>();
  s.Check([before](QuadrilleGame& game) {
    ASSERT_EQ(game.GetDeck().Remaining(), 0);
    ASSERT_EQ(game.Position().turned, 1) << "52 cards, three a click: the last click turns one";
    *before = game.Position();
  });
  s.ClickStock();
  s.Check([](QuadrilleGame& game) {
    EXPECT_EQ(game.GetDeck().Remaining(), 52 - game.Position().wasteCount);
    EXPECT_EQ(game.Position().recyclesUsed, 1);
    EXPECT_EQ(game.Points(), -5);
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([before](QuadrilleGame& game) {
    EXPECT_EQ(game.Position(), *before) << "the recycle and the fan come back";
    EXPECT_EQ(game.Points(), -5) << "the snapshot's 0 points, less 5 for the Undo";
  });
  s.ClickStock();  // the recycle given back can be made again
  s.Check([](QuadrilleGame& game) {
    EXPECT_EQ(game.Position().recyclesUsed, 1);
    EXPECT_EQ(game.Points(), -10);
  });
  EXPECT_EQ(s.Run(), 0);
}

// Three a click: a winning line played until the centre holds two Queens and the ring six cards,
// then one more stock click so the waste fans three (QS_UPDATE_GOLDEN=1 rewrites the PNG).
TEST_F(QuadrilleScenarioTest, AGameInPlayLooksAsDrawnInItsGoldenImage) {
  QuadrilleRules rules = kQuadrilleDefaultRules;
  rules.cardsDealt = 3;
  rules.recycles = kRecyclesUnlimited;
  std::uint32_t seed = 1;
  std::optional<FoundWin> solution;
  for (; !solution; ++seed) solution = SolveQuadrille(seed, rules);
  --seed;
  ScenarioSetup setup;
  setup.seed = seed;
  QuadrilleScenario s(setup, rules.cardsDealt, rules.recycles);
  QuadrilleDeal deal = DealQuadrille(seed, rules);
  const auto placed = [](const QuadrillePosition& p) {
    int cards = 0;
    for (int f = 0; f < kQuadrilleFoundations; ++f)
      cards += IsRealCard(p.sixes[static_cast<std::size_t>(f)]) +
               IsRealCard(p.fives[static_cast<std::size_t>(f)]);
    return cards;
  };
  for (const Move& move : solution->moves) {
    if (deal.position.centreCount >= 2 && placed(deal.position) >= 6 &&
        move.kind == MoveKind::kStock && deal.stock.Remaining() >= 3)
      break;
    QuadrilleApplyMove(deal.position, deal.stock, rules, move);
    s.MakeWithTheMouse(move);
  }
  s.ClickStock();
  s.Wait(300);
  s.Check([](QuadrilleGame& game) {
    EXPECT_EQ(game.Position().turned, 3);
    EXPECT_GE(game.Position().centreCount, 2);
  });
  s.CheckShell([&s] {
    EXPECT_TRUE(MatchesGolden("games/quadrille_in_play", s.Harness().Shell().ScreenBuffer(), 0, 799,
                              0, 599));
  });
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
