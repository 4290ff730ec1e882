// Quadrille played through the real window procedure, for what the mouse, the screen and the
// undo files add to the rules' own tests: a whole deal won, Undo of a recycle, and a game in play
// against its golden image.
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

// Inside the stock's card however thick the pile is, and on the empty stock's marker.
constexpr ScreenPoint kStockPoint{kQuadrilleStockX + 20, kQuadrilleStockY + 10};

// Quadrille with its stock settings written before the deal; FilledIn stays at its default.
class QuadrilleScenario : public ScenarioOf<QuadrilleGame> {
public:
  QuadrilleScenario(const ScenarioSetup& setup, int cardsDealt, int recycles)
      : ScenarioOf(Game(cardsDealt, recycles), setup) {}

  void ClickStock() { Click(kStockPoint.x, kStockPoint.y); }

private:
  static ScenarioGame Game(int cardsDealt, int recycles) {
    ScenarioGame game;
    game.row = GameRowById(kQuadrilleGameId);
    game.writeRules = [cardsDealt, recycles] {
      WriteRuleValue(kQuadrilleSettings, "CardsDealt", cardsDealt);
      WriteRuleValue(kQuadrilleSettings, "Recycles", recycles);
    };
    // The stock click is the only move a click makes.
    game.clickPoint = [](const CardGame&, const Move&) { return kStockPoint; };
    return game;
  }
};

class QuadrilleScenarioTest : public GameScenarioTest {};

TEST_F(QuadrilleScenarioTest, ASeededDealIsPlayedToAWinThroughTheMouse) {
  const std::optional<QuadrilleSolution> solution =
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

// A recycle costs 5 points; Undo takes it back with its recycle and the waste fanned as before,
// for the usual 5 points of an Undo.
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
  // The recycle given back can be made again.
  s.ClickStock();
  s.Check([](QuadrilleGame& game) {
    EXPECT_EQ(game.Position().recyclesUsed, 1);
    EXPECT_EQ(game.Points(), -10);
  });
  EXPECT_EQ(s.Run(), 0);
}

// A game in play, pixel for pixel (the fresh deal's images are checked for every game in
// GameTableTest). Rewrite with QS_UPDATE_GOLDEN=1 and look at the PNG first.
TEST_F(QuadrilleScenarioTest, AGameInPlayLooksAsDrawnInItsGoldenImage) {
  // Three a click: play the winning line of a deal until the centre holds two Queens and the
  // ring six cards, then turn the stock once more so the waste fans three cards.
  QuadrilleRules rules = kQuadrilleDefaultRules;
  rules.cardsDealt = 3;
  rules.recycles = kRecyclesUnlimited;
  std::uint32_t seed = 1;
  std::optional<QuadrilleSolution> solution;
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
