// Quadrille's move-finder for tests and benches: the seeded deal as the game deals it, played to a
// win through the rules alone, placing a card before the stock click (listed first).
#pragma once

#include <cstdint>
#include <optional>

#include "games/quadrille/QuadrillePlay.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr QuadrilleRules kQuadrilleDefaultRules{
    .cardsDealt = 1,
    .filledIn = false,
    .recycles = 2,
    .dontShowAgain = false,
};

// A deal the move-finder wins under the default rules.
inline constexpr std::uint32_t kQuadrilleWinningSeed = 10;

using QuadrilleDeal = GameDeal<QuadrillePosition>;

inline QuadrilleDeal DealQuadrille(std::uint32_t seed, const QuadrilleRules& rules) {
  QuadrilleDeal deal{EmptyQuadrillePosition(), Deck()};
  deal.position = QuadrillePrepareDeal(deal.stock, QuadrillePlayableRules(rules), seed);
  return deal;
}

// Where the cards lie, counted apart from the rules (for the property test and the fuzzer): a Six
// foundation holds the Six up to its top, a Five foundation the Five down to it.
inline CardCount CountQuadrilleCards(const QuadrillePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  count.AddPile(p.centre, p.centreCount);
  for (const Card& top : p.sixes) count.AddFoundation(top, kSixRank);
  for (const Card& top : p.fives) count.AddFoundation(top, kFiveRank, -1);
  return count;
}

inline std::optional<FoundWin> SolveQuadrille(std::uint32_t seed, const QuadrilleRules& rules,
                                              int nodeLimit = 100000) {
  static constexpr MoveFinderGame<QuadrillePosition, QuadrilleRules> kGame{
      .legalMoves = QuadrilleLegalMoves,
      .applyMove = QuadrilleApplyMove,
      .tableKey = QuadrilleTableKey,
      .cleared = QuadrilleCleared,
      .order = LastFirst<QuadrillePosition>};
  return FindWin(kGame, DealQuadrille(seed, rules), rules, nodeLimit);
}
