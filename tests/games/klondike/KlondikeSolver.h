// Klondike's move-finder for tests and benches: the seeded deal as the game deals it, played to a
// win through the rules alone (AutoFlip's turn-ups included), the most promising moves first.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/Move.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr KlondikeRules kKlondikeDefaultRules{
    .cardsDealt = 3,
    .filledIn = false,
    .recycles = 3,
    .startCard = kAceRank,
    .tableauStart = true,
    .movePartial = false,
    .autoFlip = false,
    .dontShowAgain = false,
};

// A deal the move-finder wins under the default rules.
inline constexpr std::uint32_t kKlondikeWinningSeed = 7;

using KlondikeDeal = GameDeal<KlondikePosition>;

inline KlondikeDeal DealKlondike(std::uint32_t seed, const KlondikeRules& rules) {
  KlondikeDeal deal{EmptyKlondikePosition(kAceRank), Deck()};
  deal.position = KlondikePrepareDeal(deal.stock, rules, seed);
  KlondikeDealTableau(deal.position, deal.stock);
  return deal;
}

inline MoveResult KlondikeApplyWithAutoFlip(KlondikePosition& position, Deck& stock,
                                            const KlondikeRules& rules, const Move& move) {
  MoveResult result = KlondikeApplyMove(position, stock, rules, move);
  if (!result.Happened()) return result;
  MoveList automatic;
  KlondikeAutoFlipMoves(position, rules, automatic);
  for (const Move& flip : automatic)
    result.points += KlondikeApplyMove(position, stock, rules, flip).points;
  return result;
}

// Plays one move as the game would: the points it earned, or nothing (and no change) when the
// move is not legal here.
inline std::optional<int> PlayKlondikeMove(KlondikeDeal& deal, const KlondikeRules& rules,
                                           const Move& move) {
  const MoveResult result = KlondikeApplyWithAutoFlip(deal.position, deal.stock, rules, move);
  if (!result.Happened()) return std::nullopt;
  return result.points;
}

// Where the cards lie, counted apart from the rules (for the property test and the fuzzer).
inline CardCount CountKlondikeCards(const KlondikePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  for (std::size_t c = 0; c < kKlondikeColumns; ++c) count.AddPile(p.tableau[c], p.columnCount[c]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  return count;
}

// How promising a move looks, lower first; -1 for moves that only shuffle cards sideways.
inline int KlondikeMovePriority(const KlondikePosition& p, const Move& move) {
  const auto at = [](int i) { return static_cast<std::size_t>(i); };
  if (move.kind == MoveKind::kStock) return 50;
  const int column = move.from - KlondikeColumnPile(0);
  const Card& card = column < 0 ? p.waste[at(move.index)] : p.tableau[at(column)][at(move.index)];
  if (move.to < KlondikeColumnPile(0)) {
    // The two lowest cards of a suit never hold anything up.
    return (card.rank - p.startRank + kRankCount) % kRankCount <= 1 ? 0 : 10;
  }
  if (column < 0) return 40;  // waste onto a column
  const int lowest = p.faceDown[at(column)];
  const bool targetEmpty = p.columnCount[at(move.to - KlondikeColumnPile(0))] == 0;
  if (move.index == lowest) {
    if (lowest > 0) return targetEmpty ? 30 - lowest : 20 - lowest;
    // The whole column moves away: worth it only when something can fill the gap.
    return targetEmpty ? -1 : 60;
  }
  // Part of a run: worth it when the card it uncovers can go up.
  const Card& below = p.tableau[at(column)][at(move.index - 1)];
  for (const Card& top : p.foundations)
    if (top != kNoCard && KlondikeFoundationAccepts(below, top, p.startRank)) return 45;
  return -1;
}

inline std::optional<FoundWin> SolveKlondike(std::uint32_t seed, const KlondikeRules& rules,
                                             int nodeLimit = 200000) {
  static constexpr MoveFinderGame<KlondikePosition, KlondikeRules> kGame{
      .legalMoves = KlondikeLegalMoves,
      .applyMove = KlondikeApplyWithAutoFlip,
      .tableKey = KlondikeTableKey,
      .cleared = KlondikeCleared,
      .order = [](const KlondikePosition& p, const MoveList& legal) -> std::vector<Move> {
        // Turning a card up can only help, so nothing else needs trying first.
        for (const Move& move : legal)
          if (move.kind == MoveKind::kTurnUp) return {move};
        return OrderByPriority(legal,
                               [&p](const Move& move) { return KlondikeMovePriority(p, move); });
      }};
  return FindWin(kGame, DealKlondike(seed, rules), rules, nodeLimit);
}
