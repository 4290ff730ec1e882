// Auld Lang Syne's move-finder for tests and benches: the seeded deal as the game deals it, played
// to a win through the rules alone, placing a card before dealing (the click is listed first).
#pragma once

#include <cstdint>
#include <optional>

#include "games/auldlangsyne/AuldLangSynePlay.h"
#include "tests/support/MoveFinder.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr AuldLangSyneRules kAlsDefaultRules{
    .filledIn = false,
    .startCard = 12,
    .dontShowAgain = false,
};

// A deal the move-finder wins under the default rules: the only one among seeds 1 to 1,000.
inline constexpr std::uint32_t kAlsWinningSeed = 888;

using AuldLangSyneDeal = GameDeal<AuldLangSynePosition>;

// The table `--seed seed` puts out, first round dealt.
inline AuldLangSyneDeal DealAuldLangSyne(std::uint32_t seed, const AuldLangSyneRules& rules) {
  AuldLangSyneDeal deal{EmptyAuldLangSynePosition(), Deck()};
  deal.position = AuldLangSynePrepareDeal(deal.stock, AuldLangSynePlayableRules(rules), seed);
  AuldLangSyneDealRound(deal.position, deal.stock);
  return deal;
}

// The rules take no rule values once the deal is made; the search passes them anyway.
inline std::optional<FoundWin> SolveAuldLangSyne(std::uint32_t seed, const AuldLangSyneRules& rules,
                                                 int nodeLimit = 100000) {
  using Rules = AuldLangSyneRules;
  static constexpr MoveFinderGame<AuldLangSynePosition, Rules> kGame{
      .legalMoves = [](const AuldLangSynePosition& position, const Deck& stock, const Rules&,
                       MoveList& moves) { AuldLangSyneLegalMoves(position, stock, moves); },
      .applyMove = [](AuldLangSynePosition& position, Deck& stock, const Rules&,
                      const Move& move) { return AuldLangSyneApplyMove(position, stock, move); },
      .tableKey = [](const AuldLangSynePosition& position, const Deck& stock,
                     const Rules&) { return AuldLangSyneTableKey(position, stock); },
      .cleared = AuldLangSyneCleared,
      .order = LastFirst<AuldLangSynePosition>};
  return FindWin(kGame, DealAuldLangSyne(seed, rules), rules, nodeLimit);
}
