// A small move-finder for Klondike tests: deals a seeded game exactly as the game does and plays
// it to a win through the rules' LegalMoves and ApplyMove alone, returning the moves for a
// scenario test to make again with the mouse.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/Move.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr KlondikeRules kKlondikeDefaultRules{
    .cardsDealt = 3,
    .filledIn = false,
    .recycles = 3,
    .startCard = kAceRank,
    .tableauStart = true,
    .movePartial = false,
    .autoFlip = false,
    .dontShowAgain = false,
};

using KlondikeDeal = GameDeal<KlondikePosition>;
using KlondikeSolution = FoundWin;

// The deal that `--seed seed` gives, through the game's own deal functions.
KlondikeDeal DealKlondike(std::uint32_t seed, const KlondikeRules& rules);

// Plays one move as the game would, AutoFlip's turn-ups after it included. The points it earned,
// or nothing when the move is not legal in this position; then nothing has changed.
std::optional<int> PlayKlondikeMove(KlondikeDeal& deal, const KlondikeRules& rules,
                                    const Move& move);

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
std::optional<KlondikeSolution> SolveKlondike(std::uint32_t seed, const KlondikeRules& rules,
                                              int nodeLimit = 200000);
