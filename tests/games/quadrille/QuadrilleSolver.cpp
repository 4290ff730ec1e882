// Quadrille's part of the move-finder: the deal, and every legal move tried in turn.
#include "tests/games/quadrille/QuadrilleSolver.h"

#include <vector>

namespace {

// Placing a card never hurts, and the stock click comes first in the list: try it last.
std::vector<Move> Order(const QuadrillePosition&, const MoveList& legal) {
  return {legal.rbegin(), legal.rend()};
}

constexpr MoveFinderGame<QuadrillePosition, QuadrilleRules> kGame{
    .legalMoves = QuadrilleLegalMoves,
    .applyMove = QuadrilleApplyMove,
    .tableKey = QuadrilleTableKey,
    .cleared = QuadrilleCleared,
    .order = Order,
};

}  // namespace

QuadrilleDeal DealQuadrille(std::uint32_t seed, const QuadrilleRules& rules) {
  QuadrilleDeal deal{EmptyQuadrillePosition(), Deck()};
  deal.position = QuadrillePrepareDeal(deal.stock, QuadrillePlayableRules(rules), seed);
  return deal;
}

std::optional<QuadrilleSolution> SolveQuadrille(std::uint32_t seed, const QuadrilleRules& rules,
                                                int nodeLimit) {
  return FindWin(kGame, DealQuadrille(seed, rules), rules, nodeLimit);
}
