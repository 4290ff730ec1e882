// Depth-first search over the legal moves, the promising ones first, with every position seen
// once. Good enough to find wins for tests; not a strong solver. It knows no rule: what may be
// played and what it does come from GateLegalMoves and GateApplyMove.
#include "tests/games/gate/GateSolver.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {

struct Candidate {
  Move move;
  int priority;  // lower first
};

class Search {
public:
  Search(const GateRules& rules, int nodeLimit) : rules_(rules), nodeLimit_(nodeLimit) {}

  bool Run(const GateDeal& deal) {
    if (GateCleared(deal.position, deal.stock)) return true;
    if (++nodes_ > nodeLimit_) return false;
    if (!seen_.insert(GateTableKey(deal.position, deal.stock, rules_)).second) return false;
    for (const Candidate& candidate : Moves(deal)) {
      GateDeal next = deal;
      if (!GateApplyMove(next.position, next.stock, rules_, candidate.move).Happened()) continue;
      path_.push_back(candidate.move);
      if (Run(next)) return true;
      path_.pop_back();
    }
    return false;
  }

  const std::vector<Move>& Path() const { return path_; }

private:
  std::vector<Candidate> Moves(const GateDeal& deal) const {
    MoveList legal;
    GateLegalMoves(deal.position, deal.stock, rules_, legal);
    std::vector<Candidate> moves;
    for (const Move& move : legal) {
      const int priority = Priority(deal.position, move);
      if (priority >= 0) moves.push_back({move, priority});
    }
    std::stable_sort(moves.begin(), moves.end(), [](const Candidate& a, const Candidate& b) {
      return a.priority < b.priority;
    });
    return moves;
  }

  // How promising a move looks from the piles it names; -1 for moves that only shuffle cards
  // sideways.
  int Priority(const GatePosition& p, const Move& move) const {
    if (move.kind == MoveKind::kStock) return 50;
    if (move.to < GateTableauPile(0)) return 0;                                       // home
    if (move.from != kGateWastePile && move.from < GateFoundationPile(0)) return 10;  // a post
    const int target = p.tableauCount[static_cast<std::size_t>(move.to - GateTableauPile(0))];
    if (move.from == kGateWastePile) return target == 0 ? 35 : 30;
    // Between tableau piles: worth it when it empties a pile onto another's cards.
    return move.index == 0 && target > 0 ? 20 : -1;
  }

  GateRules rules_;
  int nodeLimit_;
  int nodes_ = 0;
  std::unordered_set<std::string> seen_;
  std::vector<Move> path_;
};

}  // namespace

GateDeal DealGate(std::uint32_t seed, const GateRules& rules) {
  GateDeal deal{EmptyGatePosition(kAceRank), Deck()};
  deal.position = GatePrepareDeal(deal.stock, rules, seed);
  GateDealTable(deal.position, deal.stock);
  return deal;
}

std::optional<GateSolution> SolveGate(std::uint32_t seed, const GateRules& rules, int nodeLimit) {
  const GateDeal deal = DealGate(seed, rules);
  Search search(rules, nodeLimit);
  if (!search.Run(deal)) return std::nullopt;
  GateSolution solution;
  solution.moves = search.Path();
  GateDeal replay = deal;
  for (const Move& move : solution.moves)
    solution.points += GateApplyMove(replay.position, replay.stock, rules, move).points;
  return solution;
}
