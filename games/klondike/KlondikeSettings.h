// Klondike's rule values as the game reads them at each deal and rule test, and the table that
// describes its settings dialog and rules summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "games/RuleSettings.h"

extern const RuleSettingsLayout kKlondikeSettings;

struct KlondikeRules {
  std::int32_t cardsDealt;  // cards turned from the stock per click, 1 to 3
  bool filledIn;            // foundations start with their base cards
  std::int32_t recycles;    // 0 to 4, or kRecyclesUnlimited
  std::int32_t startCard;   // rank index of the foundations' base card
  bool tableauStart;        // only the rank below the start rank fills a blank tableau pile
  bool movePartial;         // partial tableau rows may be moved
  bool autoFlip;            // face-down tableau cards turn up by themselves
  bool dontShowAgain;       // skip the settings dialog when the game is chosen
};

// Each reads its value now, creating it with its default when missing.
KlondikeRules ReadKlondikeRules();
std::int32_t ReadKlondikeCardsDealt();
bool ReadKlondikeFilledIn();
std::int32_t ReadKlondikeRecycles();
std::int32_t ReadKlondikeStartCard();
bool ReadKlondikeTableauStart();
bool ReadKlondikeMovePartial();
bool ReadKlondikeAutoFlip();
bool ReadKlondikeDontShowAgain();

// The lines of the game's rules view, top to bottom, from the values stored now.
std::vector<std::string> KlondikeSummaryLines();
