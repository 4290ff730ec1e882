// Auld Lang Syne's part of the move-finder: the deal, and every legal move tried in turn, placing
// a card before dealing.
#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"

#include <vector>

namespace {

// The stock click comes first in the list: try it last.
std::vector<Move> Order(const AuldLangSynePosition&, const MoveList& legal) {
  return {legal.rbegin(), legal.rend()};
}

// The rules take no rule values once the deal is made; the search passes them anyway.
constexpr MoveFinderGame<AuldLangSynePosition, AuldLangSyneRules> kGame{
    .legalMoves = [](const AuldLangSynePosition& position, const Deck& stock,
                     const AuldLangSyneRules&,
                     MoveList& moves) { AuldLangSyneLegalMoves(position, stock, moves); },
    .applyMove = [](AuldLangSynePosition& position, Deck& stock, const AuldLangSyneRules&,
                    const Move& move) { return AuldLangSyneApplyMove(position, stock, move); },
    .tableKey = [](const AuldLangSynePosition& position, const Deck& stock,
                   const AuldLangSyneRules&) { return AuldLangSyneTableKey(position, stock); },
    .cleared = AuldLangSyneCleared,
    .order = Order,
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
  return FindWin(kGame, DealAuldLangSyne(seed, rules), rules, nodeLimit);
}
