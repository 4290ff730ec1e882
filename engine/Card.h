// The playing-card value that every pile, deck, snapshot and drawing call passes around.
#pragma once

#include <cstdint>

inline constexpr int kSuitCount = 4;
// The rank names, list index = rank index (0 = Two ... 12 = Ace).
inline constexpr int kRankCount = 13;
inline constexpr int kAceRank = 12;

// One card, or no card: (-1, -1). Rank 0 is the Two, 11 the King and 12 the Ace, so that runs
// wrapping from King to Ace to Two are tested with (rank + 1) % 13.
struct Card {
  std::int32_t suit = -1;
  std::int32_t rank = -1;

  friend constexpr bool operator==(const Card&, const Card&) = default;
};
static_assert(sizeof(Card) == 8, "a card is two 32-bit fields on disk and in snapshots");

inline constexpr Card kNoCard{};

// True for the 52 real cards; false for (-1, -1) and for anything a damaged file may hold.
constexpr bool IsRealCard(const Card& card) {
  return card.suit >= 0 && card.suit < kSuitCount && card.rank >= 0 && card.rank < kRankCount;
}

// Suits 0 and 2 share one colour and suits 1 and 3 the other; alternating colours means a
// different SuitColor.
constexpr int SuitColor(const Card& card) {
  return (card.suit == 1 || card.suit == 3) ? 1 : 0;
}

// The value a card counts for where pips are added up: the Two to the King count 2 to 13, the
// Ace 1. Anything that is not a rank counts 0, so a missing card adds nothing.
constexpr int FaceValue(int rank) {
  if (rank >= 0 && rank < kAceRank) return rank + 2;
  return rank == kAceRank ? 1 : 0;
}

// "Two" ... "Ace" for 0 ... 12; "" for any other number, so a caller can print the result of an
// unchecked setting without testing it first.
constexpr const char* RankName(int rank) {
  constexpr const char* kNames[kRankCount] = {"Two",   "Three", "Four", "Five", "Six",
                                              "Seven", "Eight", "Nine", "Ten",  "Jack",
                                              "Queen", "King",  "Ace"};
  return rank >= 0 && rank < kRankCount ? kNames[rank] : "";
}
