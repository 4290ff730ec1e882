// Block Solitaire's move-finder for tests and benches: the seeded deal as the game deals it, played
// to a win through the rules alone, every legal move tried in the order the rules list them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "games/block/BlockPlay.h"
#include "tests/support/MoveFinder.h"

using BlockDealt = GameDeal<BlockPosition>;

// The deal that `--seed seed` gives.
inline BlockDealt DealBlock(std::uint32_t seed) {
  BlockDealt deal{EmptyBlockPosition(), Deck()};
  deal.position = BlockDeal(deal.stock, seed);
  return deal;
}

// What is wrong with where the cards lie, or nothing: every card of the 40 once in the stock or a
// slot, or gone with the card that made 11 with it. Counted apart from the rules' own tally.
inline std::string BlockCardFault(const BlockPosition& p, const Deck& stock) {
  std::array<int, kSuitCount * kRankCount> seen{};
  int strays = 0;
  const auto add = [&seen, &strays](const Card& card) {
    if (!IsRealCard(card))
      ++strays;
    else
      ++seen[static_cast<std::size_t>(card.suit * kRankCount + card.rank)];
  };
  for (int i = 0; i < stock.Remaining(); ++i) add(stock.PeekCard(i));
  for (const Card& card : p.slots)
    if (card != kNoCard) add(card);
  if (strays > 0) return std::to_string(strays) + " places hold no card";
  std::array<int, kBlockPairTotal> gone{};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    const Card card{static_cast<int>(i) / kRankCount, static_cast<int>(i) % kRankCount};
    const bool court = card.rank >= 9 && card.rank <= 11;
    if (seen[i] > 1 || (court && seen[i] != 0))
      return "card " + std::to_string(i) + " lies " + std::to_string(seen[i]) + " times";
    if (!court && seen[i] == 0) ++gone[static_cast<std::size_t>(BlockValue(card))];
  }
  for (std::size_t v = 1; v < kBlockPairTotal; ++v)
    if (gone[v] != gone[kBlockPairTotal - v])
      return "values " + std::to_string(v) + " gone without their partners";
  return {};
}

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
inline std::optional<FoundWin> SolveBlock(std::uint32_t seed, int nodeLimit = 20000) {
  struct NoRules {};  // the game has none; the search passes this for them
  static constexpr MoveFinderGame<BlockPosition, NoRules> kGame{
      .legalMoves = [](const BlockPosition& position, const Deck&, const NoRules&,
                       MoveList& moves) { BlockLegalMoves(position, moves); },
      .applyMove = [](BlockPosition& position, Deck& stock, const NoRules&,
                      const Move& move) { return BlockApplyMove(position, stock, move); },
      .tableKey = [](const BlockPosition& position, const Deck& stock,
                     const NoRules&) { return BlockTableKey(position, stock); },
      .cleared = BlockCleared,
      .order = AsListed<BlockPosition>};
  return FindWin(kGame, DealBlock(seed), NoRules{}, nodeLimit);
}
