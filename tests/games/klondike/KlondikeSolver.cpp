// Klondike's part of the move-finder: the deal, a move played with AutoFlip's turn-ups, and which
// moves look promising.
#include "tests/games/klondike/KlondikeSolver.h"

#include <vector>

namespace {

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

// How promising a move looks, lower first; -1 for moves that only shuffle cards sideways.
int Priority(const KlondikePosition& p, const Move& move) {
  if (move.kind == MoveKind::kStock) return 50;
  const int startRank = p.startRank;
  const bool toFoundation = move.to < KlondikeColumnPile(0);
  const int column = move.from - KlondikeColumnPile(0);
  const Card& card = column < 0 ? p.waste[At(move.index)] : p.tableau[At(column)][At(move.index)];
  if (toFoundation) {
    // The two lowest cards of a suit never hold anything up.
    const int height = (card.rank - startRank + kRankCount) % kRankCount;
    return height <= 1 ? 0 : 10;
  }
  if (column < 0) return 40;  // waste onto a column
  const int lowest = p.faceDown[At(column)];
  const bool targetEmpty = p.columnCount[At(move.to - KlondikeColumnPile(0))] == 0;
  if (move.index == lowest) {
    if (lowest > 0) return targetEmpty ? 30 - lowest : 20 - lowest;
    // The whole column moves away: worth it only when something can fill the gap.
    return targetEmpty ? -1 : 60;
  }
  // Part of a run: worth it when the card it uncovers can go up.
  const Card& below = p.tableau[At(column)][At(move.index - 1)];
  for (const Card& top : p.foundations)
    if (top != kNoCard && KlondikeFoundationAccepts(below, top, startRank)) return 45;
  return -1;
}

std::vector<Move> Order(const KlondikePosition& p, const MoveList& legal) {
  // Turning a card up can only help, so nothing else needs trying first.
  for (const Move& move : legal)
    if (move.kind == MoveKind::kTurnUp) return {move};
  return OrderByPriority(legal, [&p](const Move& move) { return Priority(p, move); });
}

MoveResult ApplyWithAutoFlip(KlondikePosition& position, Deck& stock, const KlondikeRules& rules,
                             const Move& move) {
  MoveResult result = KlondikeApplyMove(position, stock, rules, move);
  if (!result.Happened()) return result;
  MoveList automatic;
  KlondikeAutoFlipMoves(position, rules, automatic);
  for (const Move& flip : automatic)
    result.points += KlondikeApplyMove(position, stock, rules, flip).points;
  return result;
}

constexpr MoveFinderGame<KlondikePosition, KlondikeRules> kGame{
    .legalMoves = KlondikeLegalMoves,
    .applyMove = ApplyWithAutoFlip,
    .tableKey = KlondikeTableKey,
    .cleared = KlondikeCleared,
    .order = Order,
};

}  // namespace

KlondikeDeal DealKlondike(std::uint32_t seed, const KlondikeRules& rules) {
  KlondikeDeal deal{EmptyKlondikePosition(kAceRank), Deck()};
  deal.position = KlondikePrepareDeal(deal.stock, rules, seed);
  KlondikeDealTableau(deal.position, deal.stock);
  return deal;
}

std::optional<int> PlayKlondikeMove(KlondikeDeal& deal, const KlondikeRules& rules,
                                    const Move& move) {
  const MoveResult result = ApplyWithAutoFlip(deal.position, deal.stock, rules, move);
  if (!result.Happened()) return std::nullopt;
  return result.points;
}

std::optional<KlondikeSolution> SolveKlondike(std::uint32_t seed, const KlondikeRules& rules,
                                              int nodeLimit) {
  return FindWin(kGame, DealKlondike(seed, rules), rules, nodeLimit);
}
