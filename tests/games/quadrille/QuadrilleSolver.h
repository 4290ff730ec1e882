// A small move-finder for Quadrille tests: deals a seeded game exactly as the game does and plays
// it to a win through the rules' LegalMoves and ApplyMove alone, returning the moves for a
// scenario test to make again with the mouse.
#pragma once

#include <cstdint>
#include <optional>

#include "games/quadrille/QuadrillePlay.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr QuadrilleRules kQuadrilleDefaultRules{
    .cardsDealt = 1,
    .filledIn = false,
    .recycles = 2,
    .dontShowAgain = false,
};

// A deal the move-finder wins under the default rules.
inline constexpr std::uint32_t kQuadrilleWinningSeed = 10;

using QuadrilleDeal = GameDeal<QuadrillePosition>;
using QuadrilleSolution = FoundWin;

// The deal that `--seed seed` gives, through the game's own deal function.
QuadrilleDeal DealQuadrille(std::uint32_t seed, const QuadrilleRules& rules);

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
std::optional<QuadrilleSolution> SolveQuadrille(std::uint32_t seed, const QuadrilleRules& rules,
                                                int nodeLimit = 100000);
