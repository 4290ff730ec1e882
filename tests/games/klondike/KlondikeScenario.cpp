// Klondike's rule values and click places for the shared scenario driver.
#include "tests/games/klondike/KlondikeScenario.h"

#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/klondike/KlondikeSettings.h"
#include "gfx/art/ArtworkSet.h"

namespace {

ScenarioGame KlondikeScenarioGame(const KlondikeSetup& setup) {
  ScenarioGame game;
  game.row = GameRowById(kKlondikeGameId);
  game.writeRules = [setup] {
    WriteRuleValue(kKlondikeSettings, "CardsDealt", setup.cardsDealt);
    WriteRuleValue(kKlondikeSettings, "Recycles", setup.recycles);
    WriteRuleValue(kKlondikeSettings, "AutoFlip", setup.autoFlip);
  };
  game.clickPoint = [](const CardGame& played, const Move& move) -> ScreenPoint {
    // Inside the stock's top card however thick the pile is, and on the empty stock's marker.
    if (move.kind == MoveKind::kStock) return {kKlondikeStockX + 20, kKlondikeStockY + 10};
    const auto& klondike = dynamic_cast<const KlondikeGame&>(played);
    const int column = move.from - KlondikeColumnPile(0);
    const int top = klondike.Position().columnCount[static_cast<std::size_t>(column)] - 1;
    return Grip(KlondikeScenario::ColumnCard(column, top));
  };
  return game;
}

}  // namespace

KlondikeScenario::KlondikeScenario(const KlondikeSetup& setup)
    : ScenarioOf(KlondikeScenarioGame(setup), setup) {}

ScreenPoint KlondikeScenario::StockTop() {
  KlondikeGame* game = Game();
  const int remaining = game != nullptr ? game->GetDeck().Remaining() : 0;
  return Harness().Shell().Artwork()->StockTop(kKlondikeStockX, kKlondikeStockY, remaining);
}
