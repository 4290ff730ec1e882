// Quadrille's rule values as the game reads them at each deal and rule test, and the table that
// describes its settings dialog and rules summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "games/RuleSettings.h"

extern const RuleSettingsLayout kQuadrilleSettings;

struct QuadrilleRules {
  std::int32_t cardsDealt;  // cards turned from the stock per click, 1 to 3
  bool filledIn;            // foundations start with their base cards
  std::int32_t recycles;    // 0 to 4, or kRecyclesUnlimited
  bool dontShowAgain;       // skip the settings dialog when the game is chosen
};

// Each reads its value now, creating it with its default when missing.
QuadrilleRules ReadQuadrilleRules();
std::int32_t ReadQuadrilleCardsDealt();
bool ReadQuadrilleFilledIn();
std::int32_t ReadQuadrilleRecycles();
bool ReadQuadrilleDontShowAgain();

// The lines of the game's rules view, top to bottom, from the values stored now.
std::vector<std::string> QuadrilleSummaryLines();
