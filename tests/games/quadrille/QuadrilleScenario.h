// Quadrille's part of the scenario harness: its rule values written before the deal and where a
// click turns the stock.
#pragma once

#include "games/quadrille/QuadrilleGame.h"
#include "tests/support/GameScenario.h"

struct QuadrilleSetup : ScenarioSetup {
  int cardsDealt = 1;
  int filledIn = 0;
  int recycles = 2;
};

class QuadrilleScenario : public ScenarioOf<QuadrilleGame> {
public:
  explicit QuadrilleScenario(const QuadrilleSetup& setup = {});

  // Inside the stock's card however thick the pile is, and on the empty stock's marker.
  static constexpr ScreenPoint kStockPoint{kQuadrilleStockX + 20, kQuadrilleStockY + 10};
};
