// Gate's rule values as the game reads them at each deal and rule test, and the table that
// describes its settings dialog and rules summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "games/RuleSettings.h"

extern const RuleSettingsLayout kGateSettings;

struct GateRules {
  bool filledIn;           // foundations start with their base cards
  std::int32_t recycles;   // 0 to 4, or kRecyclesUnlimited
  std::int32_t startCard;  // rank index of the base card, or kStartCardNextFromDeck
  bool movePartial;        // partial tableau rows may be moved
  bool fillFromWaste;      // a blank tableau pile may be filled from elsewhere than the posts
  bool dontShowAgain;      // skip the settings dialog when the game is chosen
};

// Each reads its value now, creating it with its default when missing.
GateRules ReadGateRules();
bool ReadGateFilledIn();
std::int32_t ReadGateRecycles();
std::int32_t ReadGateStartCard();
bool ReadGateMovePartial();
bool ReadGateFillFromWaste();
bool ReadGateDontShowAgain();

// The lines of the game's rules view, top to bottom, from the values stored now.
std::vector<std::string> GateSummaryLines();
