// Block Solitaire's part of the move-finder: the deal, and every legal move tried in the order
// the rules list them.
#include "tests/games/block/BlockSolver.h"

#include <vector>

namespace {

// The game has no rule values; the search passes this for them.
struct NoRules {};

std::vector<Move> Order(const BlockPosition&, const MoveList& legal) {
  return {legal.begin(), legal.end()};
}

constexpr MoveFinderGame<BlockPosition, NoRules> kGame{
    .legalMoves = [](const BlockPosition& position, const Deck&, const NoRules&,
                     MoveList& moves) { BlockLegalMoves(position, moves); },
    .applyMove = [](BlockPosition& position, Deck& stock, const NoRules&,
                    const Move& move) { return BlockApplyMove(position, stock, move); },
    .tableKey = [](const BlockPosition& position, const Deck& stock,
                   const NoRules&) { return BlockTableKey(position, stock); },
    .cleared = BlockCleared,
    .order = Order,
};

}  // namespace

BlockDealt DealBlock(std::uint32_t seed) {
  BlockDealt deal{EmptyBlockPosition(), Deck()};
  deal.position = BlockDeal(deal.stock, seed);
  return deal;
}

std::optional<BlockSolution> SolveBlock(std::uint32_t seed, int nodeLimit) {
  return FindWin(kGame, DealBlock(seed), NoRules{}, nodeLimit);
}
