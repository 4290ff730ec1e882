// Gate's part of the scenario harness: its rule values written before the deal, where a click
// turns the stock, and the places on its table the tests point at.
#pragma once

#include "games/gate/GateGame.h"
#include "tests/support/GameScenario.h"

struct GateSetup : ScenarioSetup {
  int startCard = kStartCardNextFromDeck;
  int filledIn = 0;
  int recycles = 0;
  int movePartial = 0;
  int fillFromWaste = 0;
};

class GateScenario : public ScenarioOf<GateGame> {
public:
  explicit GateScenario(const GateSetup& setup = {});

  // Inside the stock's top card however thick the pile is, and on the empty stock's marker.
  static constexpr ScreenPoint kStockClick{kGateStockX + 20, kGateStockY + 10};
};
