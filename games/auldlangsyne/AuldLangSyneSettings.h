// Auld Lang Syne's rule values as the game reads them at each deal and rule test, and the table
// that describes its settings dialog and rules summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "games/RuleSettings.h"

extern const RuleSettingsLayout kAuldLangSyneSettings;

struct AuldLangSyneRules {
  bool filledIn;           // foundations start with their base cards
  std::int32_t startCard;  // rank index of the foundations' base card
  bool dontShowAgain;      // skip the settings dialog when the game is chosen
};

// Each reads its value now, creating it with its default when missing.
AuldLangSyneRules ReadAuldLangSyneRules();
bool ReadAuldLangSyneFilledIn();
std::int32_t ReadAuldLangSyneStartCard();
bool ReadAuldLangSyneDontShowAgain();

// The lines of the game's rules view, top to bottom, from the values stored now.
std::vector<std::string> AuldLangSyneSummaryLines();
