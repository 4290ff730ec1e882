// Klondike's part of the scenario harness: its rule values written before the deal, where a click
// makes its click moves, and the places on its table the tests point at.
#pragma once

#include "games/klondike/KlondikeGame.h"
#include "tests/support/GameScenario.h"

// The values the scenarios change; the others keep the defaults a first read writes.
struct KlondikeSetup : ScenarioSetup {
  int cardsDealt = 3;
  int recycles = 3;
  int autoFlip = 0;
};

class KlondikeScenario : public ScenarioOf<KlondikeGame> {
public:
  explicit KlondikeScenario(const KlondikeSetup& setup = {});

  // Places on the table.
  static ScreenPoint ColumnCard(int column, int index) {
    return {KlondikeColumnX(column), kKlondikeColumnY + kKlondikeFanDy * index};
  }
  ScreenPoint StockTop();
};
