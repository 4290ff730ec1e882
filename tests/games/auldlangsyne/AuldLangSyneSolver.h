// A small move-finder for Auld Lang Syne tests: deals a seeded game exactly as the game does and
// plays it to a win through the rules' LegalMoves and ApplyMove alone, returning the moves for a
// scenario test to make again with the mouse.
#pragma once

#include <cstdint>
#include <optional>

#include "games/auldlangsyne/AuldLangSynePlay.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr AuldLangSyneRules kAlsDefaultRules{
    .filledIn = false,
    .startCard = 12,
    .dontShowAgain = false,
};

// A deal the move-finder wins under the default rules: the only one among seeds 1 to 1,000.
inline constexpr std::uint32_t kAlsWinningSeed = 888;

using AuldLangSyneDeal = GameDeal<AuldLangSynePosition>;

// The table `--seed seed` puts out, first round dealt, through the game's own deal functions.
AuldLangSyneDeal DealAuldLangSyne(std::uint32_t seed, const AuldLangSyneRules& rules);

using AuldLangSyneSolution = FoundWin;

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
std::optional<AuldLangSyneSolution> SolveAuldLangSyne(std::uint32_t seed,
                                                      const AuldLangSyneRules& rules,
                                                      int nodeLimit = 100000);
