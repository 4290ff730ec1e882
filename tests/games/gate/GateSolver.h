// Gate's move-finder for tests and benches: the seeded deal as the game deals it, played to a win
// through the rules alone, the moves that look most promising first.
#pragma once

#include <cstdint>
#include <optional>

#include "games/gate/GatePlay.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr GateRules kGateDefaultRules{
    .filledIn = false,
    .recycles = 0,
    .startCard = kStartCardNextFromDeck,
    .movePartial = false,
    .fillFromWaste = false,
    .dontShowAgain = false,
};

// A deal the move-finder wins, and its rules: one recycle (without any, none of the first sixty
// seeds is won within the finder's limit).
inline constexpr std::uint32_t kGateWinningSeed = 14;
inline constexpr GateRules kGateWinningRules = [] {
  GateRules rules = kGateDefaultRules;
  rules.recycles = 1;
  return rules;
}();

using GateDeal = GameDeal<GatePosition>;

inline GateDeal DealGate(std::uint32_t seed, const GateRules& rules) {
  GateDeal deal{EmptyGatePosition(kAceRank), Deck()};
  deal.position = GatePrepareDeal(deal.stock, rules, seed);
  GateDealTable(deal.position, deal.stock);
  return deal;
}

// Where the cards lie, counted apart from the rules (for the property test and the fuzzer).
inline CardCount CountGateCards(const GatePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  for (std::size_t i = 0; i < kGatePosts; ++i) count.AddPile(p.posts[i], p.postCount[i]);
  for (std::size_t t = 0; t < kGateTableauPiles; ++t)
    count.AddPile(p.tableau[t], p.tableauCount[t]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  return count;
}

// How promising a move looks, lower first; -1 for moves that only shuffle cards sideways.
inline int GateMovePriority(const GatePosition& p, const Move& move) {
  if (move.kind == MoveKind::kStock) return 50;
  if (move.to < GateTableauPile(0)) return 0;                                       // home
  if (move.from != kGateWastePile && move.from < GateFoundationPile(0)) return 10;  // a post
  const int target = p.tableauCount[static_cast<std::size_t>(move.to - GateTableauPile(0))];
  if (move.from == kGateWastePile) return target == 0 ? 35 : 30;
  // Between tableau piles: worth it when it empties a pile onto another's cards.
  return move.index == 0 && target > 0 ? 20 : -1;
}

inline std::optional<FoundWin> SolveGate(std::uint32_t seed, const GateRules& rules,
                                         int nodeLimit = 200000) {
  static constexpr MoveFinderGame<GatePosition, GateRules> kGame{
      .legalMoves = GateLegalMoves,
      .applyMove = GateApplyMove,
      .tableKey = GateTableKey,
      .cleared = GateCleared,
      .order = [](const GatePosition& p, const MoveList& legal) {
        return OrderByPriority(legal, [&p](const Move& move) { return GateMovePriority(p, move); });
      }};
  return FindWin(kGame, DealGate(seed, rules), rules, nodeLimit);
}
