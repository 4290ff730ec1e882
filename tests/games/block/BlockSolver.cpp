// Depth-first search over the legal moves with every table seen once. It knows no rule: what may
// be played and what it does come from LegalMoves and ApplyMove.
#include "tests/games/block/BlockSolver.h"

#include <string>
#include <unordered_set>

namespace {

class Search {
public:
  explicit Search(int nodeLimit) : nodeLimit_(nodeLimit) {}

  bool Run(const BlockDealt& deal) {
    if (BlockCleared(deal.position, deal.stock)) return true;
    if (++nodes_ > nodeLimit_) return false;
    if (!seen_.insert(BlockTableKey(deal.position, deal.stock)).second) return false;
    MoveList moves;
    BlockLegalMoves(deal.position, moves);
    for (const Move& move : moves) {
      BlockDealt next = deal;
      if (!BlockApplyMove(next.position, next.stock, move).Happened()) continue;
      path_.push_back(move);
      if (Run(next)) return true;
      path_.pop_back();
    }
    return false;
  }

  const std::vector<Move>& Path() const { return path_; }

private:
  int nodeLimit_;
  int nodes_ = 0;
  std::unordered_set<std::string> seen_;
  std::vector<Move> path_;
};

}  // namespace

BlockDealt DealBlock(std::uint32_t seed) {
  BlockDealt deal{EmptyBlockPosition(), Deck()};
  deal.position = BlockDeal(deal.stock, seed);
  return deal;
}

std::optional<BlockSolution> SolveBlock(std::uint32_t seed, int nodeLimit) {
  const BlockDealt deal = DealBlock(seed);
  Search search(nodeLimit);
  if (!search.Run(deal)) return std::nullopt;
  BlockSolution solution;
  solution.moves = search.Path();
  BlockDealt replay = deal;
  for (const Move& move : solution.moves)
    solution.points += BlockApplyMove(replay.position, replay.stock, move).points;
  return solution;
}
