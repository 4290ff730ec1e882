// Depth-first search over the legal moves, placing a card before turning the stock, with every
// table seen once. It knows no rule: what may be played and what it does come from LegalMoves and
// ApplyMove.
#include "tests/games/quadrille/QuadrilleSolver.h"

#include <string>
#include <unordered_set>

namespace {

class Search {
public:
  Search(const QuadrilleRules& rules, int nodeLimit) : rules_(rules), nodeLimit_(nodeLimit) {}

  bool Run(const QuadrilleDeal& deal) {
    if (QuadrilleCleared(deal.position, deal.stock)) return true;
    if (++nodes_ > nodeLimit_) return false;
    if (!seen_.insert(QuadrilleTableKey(deal.position, deal.stock, rules_)).second) return false;
    MoveList moves;
    QuadrilleLegalMoves(deal.position, deal.stock, rules_, moves);
    // The stock click comes first in the list: try it last.
    for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
      QuadrilleDeal next = deal;
      if (!QuadrilleApplyMove(next.position, next.stock, rules_, *move).Happened()) continue;
      path_.push_back(*move);
      if (Run(next)) return true;
      path_.pop_back();
    }
    return false;
  }

  const std::vector<Move>& Path() const { return path_; }

private:
  QuadrilleRules rules_;
  int nodeLimit_;
  int nodes_ = 0;
  std::unordered_set<std::string> seen_;
  std::vector<Move> path_;
};

}  // namespace

QuadrilleDeal DealQuadrille(std::uint32_t seed, const QuadrilleRules& rules) {
  QuadrilleDeal deal{EmptyQuadrillePosition(), Deck()};
  deal.position = QuadrillePrepareDeal(deal.stock, QuadrillePlayableRules(rules), seed);
  return deal;
}

std::optional<QuadrilleSolution> SolveQuadrille(std::uint32_t seed, const QuadrilleRules& rules,
                                                int nodeLimit) {
  const QuadrilleDeal deal = DealQuadrille(seed, rules);
  Search search(rules, nodeLimit);
  if (!search.Run(deal)) return std::nullopt;
  QuadrilleSolution solution;
  solution.moves = search.Path();
  QuadrilleDeal replay = deal;
  for (const Move& move : solution.moves)
    solution.points += QuadrilleApplyMove(replay.position, replay.stock, rules, move).points;
  return solution;
}
