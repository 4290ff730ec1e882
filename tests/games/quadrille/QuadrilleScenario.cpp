// Quadrille's rule values and click place for the shared scenario driver.
#include "tests/games/quadrille/QuadrilleScenario.h"

#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/quadrille/QuadrilleSettings.h"

namespace {

ScenarioGame QuadrilleScenarioGame(const QuadrilleSetup& setup) {
  ScenarioGame game;
  game.row = GameRowById(kQuadrilleGameId);
  game.writeRules = [setup] {
    WriteRuleValue(kQuadrilleSettings, "CardsDealt", setup.cardsDealt);
    WriteRuleValue(kQuadrilleSettings, "FilledIn", setup.filledIn);
    WriteRuleValue(kQuadrilleSettings, "Recycles", setup.recycles);
  };
  // The stock click is the only move a click makes.
  game.clickPoint = [](const CardGame&, const Move&) { return QuadrilleScenario::kStockPoint; };
  return game;
}

}  // namespace

QuadrilleScenario::QuadrilleScenario(const QuadrilleSetup& setup)
    : ScenarioOf(QuadrilleScenarioGame(setup), setup) {}
