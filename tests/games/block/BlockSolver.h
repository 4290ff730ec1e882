// A small move-finder for Block Solitaire tests: deals a seeded game exactly as the game does and
// plays it to a win through the rules' LegalMoves and ApplyMove alone, returning the moves for a
// scenario test to make again with the mouse.
#pragma once

#include <cstdint>
#include <optional>

#include "games/block/BlockPlay.h"
#include "tests/support/MoveFinder.h"

using BlockDealt = GameDeal<BlockPosition>;

// The deal that `--seed seed` gives, through the game's own deal function.
BlockDealt DealBlock(std::uint32_t seed);

using BlockSolution = FoundWin;

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
std::optional<BlockSolution> SolveBlock(std::uint32_t seed, int nodeLimit = 20000);
