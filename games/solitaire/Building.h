// The building rules the solitaire games share, as plain functions of cards and a start rank.
// Ranks wrap: one above the King is the Ace, one above the Ace the Two (rank indexes modulo 13),
// so a pile that starts on any rank runs through all thirteen.
#pragma once

#include <cstdint>

#include "engine/Card.h"
#include "games/RuleSettings.h"

constexpr int NextRank(int rank) {
  return (rank + 1) % kRankCount;
}
constexpr int PreviousRank(int rank) {
  return (rank + kRankCount - 1) % kRankCount;
}

// A foundation that keeps only its top card builds up in suit from the start rank; the start
// rank itself only begins a pile, it never lands on one.
constexpr bool BuildsUpInSuit(const Card& card, const Card& top, int startRank) {
  if (!IsRealCard(card) || !IsRealCard(top) || card.rank == startRank) return false;
  return NextRank(top.rank) == card.rank && top.suit == card.suit;
}

// Whether a foundation whose top card is `top` takes `card` (a single card): an empty one, (-1,
// -1), takes a card of the start rank of any suit, a begun one the next card of its suit.
constexpr bool FoundationTakes(const Card& card, const Card& top, int startRank) {
  if (top == kNoCard) return IsRealCard(card) && card.rank == startRank;
  return BuildsUpInSuit(card, top, startRank);
}

// A tableau pile builds down in alternating colours; a card of the start rank belongs on a
// foundation and is never built on a pile.
constexpr bool BuildsDownAlternating(const Card& card, const Card& top, int startRank) {
  if (!IsRealCard(card) || !IsRealCard(top) || card.rank == startRank) return false;
  return NextRank(card.rank) == top.rank && SuitColor(card) != SuitColor(top);
}

// How many cards are under a foundation's top card, counting it: a pile built up from the start
// rank to `top` holds this many. Zero for no card.
constexpr int FoundationDepth(const Card& top, int startRank) {
  if (!IsRealCard(top)) return 0;
  return (top.rank - startRank + kRankCount) % kRankCount + 1;
}

// The settings dialogs offer 0 to 4 recycles or unlimited; a value edited into the settings file
// past an end plays as that end.
constexpr std::int32_t PlayableRecycles(std::int32_t recycles) {
  if (recycles < 0) return 0;
  if (recycles >= kRecyclesUnlimited) return kRecyclesUnlimited;
  return recycles > 4 ? 4 : recycles;
}

// Whether the waste may be turned back into the stock once more under a recycle limit.
constexpr bool RecycleLeft(std::int32_t recycles, int recyclesUsed) {
  return recycles == kRecyclesUnlimited || recyclesUsed < recycles;
}

// How many recycles the stock candidates look through: those left, and two when there is no
// limit (a third would repeat the order of the first).
constexpr int CandidateRecycles(std::int32_t recycles, int recyclesUsed) {
  if (recycles == kRecyclesUnlimited) return 2;
  return recycles > recyclesUsed ? recycles - recyclesUsed : 0;
}
