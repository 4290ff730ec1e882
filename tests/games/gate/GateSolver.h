// A small move-finder for Gate tests: deals a seeded game exactly as the game does and plays it
// to a win through the rules' LegalMoves and ApplyMove alone, returning the moves for a scenario
// test to make again with the mouse.
#pragma once

#include <cstdint>
#include <optional>

#include "games/gate/GatePlay.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr GateRules kGateDefaultRules{
    .filledIn = false,
    .recycles = 0,
    .startCard = kStartCardNextFromDeck,
    .movePartial = false,
    .fillFromWaste = false,
    .dontShowAgain = false,
};

// A deal the move-finder wins, and its rules: one recycle (without any, none of the first sixty
// seeds is won within the finder's limit).
inline constexpr std::uint32_t kGateWinningSeed = 14;
inline constexpr GateRules kGateWinningRules = [] {
  GateRules rules = kGateDefaultRules;
  rules.recycles = 1;
  return rules;
}();

using GateDeal = GameDeal<GatePosition>;
using GateSolution = FoundWin;

// The deal that `--seed seed` gives, through the game's own deal functions.
GateDeal DealGate(std::uint32_t seed, const GateRules& rules);

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
std::optional<GateSolution> SolveGate(std::uint32_t seed, const GateRules& rules,
                                      int nodeLimit = 200000);
