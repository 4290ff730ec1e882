// Depth-first search over the legal moves, placing a card before dealing, with every table seen
// once. It knows no rule: what may be played and what it does come from LegalMoves and ApplyMove.
#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"

#include <string>
#include <unordered_set>

namespace {

class Search {
public:
  explicit Search(int nodeLimit) : nodeLimit_(nodeLimit) {}

  bool Run(const AuldLangSyneDeal& deal) {
    if (AuldLangSyneCleared(deal.position, deal.stock)) return true;
    if (++nodes_ > nodeLimit_) return false;
    if (!seen_.insert(AuldLangSyneTableKey(deal.position, deal.stock)).second) return false;
    MoveList moves;
    AuldLangSyneLegalMoves(deal.position, deal.stock, moves);
    // The stock click comes first in the list: try it last.
    for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
      AuldLangSyneDeal next = deal;
      if (!AuldLangSyneApplyMove(next.position, next.stock, *move).Happened()) continue;
      path_.push_back(*move);
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

AuldLangSyneDeal DealAuldLangSyne(std::uint32_t seed, const AuldLangSyneRules& rules) {
  AuldLangSyneDeal deal{EmptyAuldLangSynePosition(), Deck()};
  deal.position = AuldLangSynePrepareDeal(deal.stock, AuldLangSynePlayableRules(rules), seed);
  AuldLangSyneDealRound(deal.position, deal.stock);
  return deal;
}

std::optional<AuldLangSyneSolution> SolveAuldLangSyne(std::uint32_t seed,
                                                      const AuldLangSyneRules& rules,
                                                      int nodeLimit) {
  const AuldLangSyneDeal deal = DealAuldLangSyne(seed, rules);
  Search search(nodeLimit);
  if (!search.Run(deal)) return std::nullopt;
  AuldLangSyneSolution solution;
  solution.moves = search.Path();
  AuldLangSyneDeal replay = deal;
  for (const Move& move : solution.moves)
    solution.points += AuldLangSyneApplyMove(replay.position, replay.stock, move).points;
  return solution;
}
