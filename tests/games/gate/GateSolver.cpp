// Gate's part of the move-finder: the deal and which moves look promising.
#include "tests/games/gate/GateSolver.h"

#include <vector>

namespace {

// How promising a move looks from the piles it names, lower first; -1 for moves that only shuffle
// cards sideways.
int Priority(const GatePosition& p, const Move& move) {
  if (move.kind == MoveKind::kStock) return 50;
  if (move.to < GateTableauPile(0)) return 0;                                       // home
  if (move.from != kGateWastePile && move.from < GateFoundationPile(0)) return 10;  // a post
  const int target = p.tableauCount[static_cast<std::size_t>(move.to - GateTableauPile(0))];
  if (move.from == kGateWastePile) return target == 0 ? 35 : 30;
  // Between tableau piles: worth it when it empties a pile onto another's cards.
  return move.index == 0 && target > 0 ? 20 : -1;
}

std::vector<Move> Order(const GatePosition& p, const MoveList& legal) {
  return OrderByPriority(legal, [&p](const Move& move) { return Priority(p, move); });
}

constexpr MoveFinderGame<GatePosition, GateRules> kGame{
    .legalMoves = GateLegalMoves,
    .applyMove = GateApplyMove,
    .tableKey = GateTableKey,
    .cleared = GateCleared,
    .order = Order,
};

}  // namespace

GateDeal DealGate(std::uint32_t seed, const GateRules& rules) {
  GateDeal deal{EmptyGatePosition(kAceRank), Deck()};
  deal.position = GatePrepareDeal(deal.stock, rules, seed);
  GateDealTable(deal.position, deal.stock);
  return deal;
}

std::optional<GateSolution> SolveGate(std::uint32_t seed, const GateRules& rules, int nodeLimit) {
  return FindWin(kGame, DealGate(seed, rules), rules, nodeLimit);
}
