// Block Solitaire's move-finder for tests and benches: the seeded deal as the game deals it, played
// to a win through the rules alone, every legal move tried in the order the rules list them.
#pragma once

#include <cstdint>
#include <optional>

#include "games/block/BlockPlay.h"
#include "tests/support/MoveFinder.h"

using BlockDealt = GameDeal<BlockPosition>;

// The deal that `--seed seed` gives.
inline BlockDealt DealBlock(std::uint32_t seed) {
  BlockDealt deal{EmptyBlockPosition(), Deck()};
  deal.position = BlockDeal(deal.stock, seed);
  return deal;
}

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
inline std::optional<FoundWin> SolveBlock(std::uint32_t seed, int nodeLimit = 20000) {
  struct NoRules {};  // the game has none; the search passes this for them
  static constexpr MoveFinderGame<BlockPosition, NoRules> kGame{
      .legalMoves = [](const BlockPosition& position, const Deck&, const NoRules&,
                       MoveList& moves) { BlockLegalMoves(position, moves); },
      .applyMove = [](BlockPosition& position, Deck& stock, const NoRules&,
                      const Move& move) { return BlockApplyMove(position, stock, move); },
      .tableKey = [](const BlockPosition& position, const Deck& stock,
                     const NoRules&) { return BlockTableKey(position, stock); },
      .cleared = BlockCleared,
      .order = AsListed<BlockPosition>};
  return FindWin(kGame, DealBlock(seed), NoRules{}, nodeLimit);
}
