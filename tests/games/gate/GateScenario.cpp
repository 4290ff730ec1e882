// Gate's rule values and click places for the shared scenario driver.
#include "tests/games/gate/GateScenario.h"

#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/gate/GateSettings.h"

namespace {

ScenarioGame GateScenarioGame(const GateSetup& setup) {
  ScenarioGame game;
  game.row = GameRowById(kGateGameId);
  game.writeRules = [setup] {
    WriteRuleValue(kGateSettings, "StartCard", setup.startCard);
    WriteRuleValue(kGateSettings, "FilledIn", setup.filledIn);
    WriteRuleValue(kGateSettings, "Recycles", setup.recycles);
    WriteRuleValue(kGateSettings, "MovePartial", setup.movePartial);
    WriteRuleValue(kGateSettings, "FillFromWaste", setup.fillFromWaste);
  };
  // The stock is Gate's only click move.
  game.clickPoint = [](const CardGame&, const Move&) { return GateScenario::kStockClick; };
  return game;
}

}  // namespace

GateScenario::GateScenario(const GateSetup& setup) : ScenarioOf(GateScenarioGame(setup), setup) {}
