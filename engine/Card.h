// The playing-card value that every pile, deck, snapshot and drawing call passes around.
#pragma once

#include <cstdint>

// One card, or no card: (-1, -1). Rank 0 is the Two, 11 the King and 12 the Ace, so that runs
// wrapping from King to Ace to Two are tested with (rank + 1) % 13.
struct Card {
  std::int32_t suit = -1;
  std::int32_t rank = -1;

  friend constexpr bool operator==(const Card&, const Card&) = default;
};
static_assert(sizeof(Card) == 8, "a card is two 32-bit fields on disk and in snapshots");

inline constexpr Card kNoCard{};

// Suits 0 and 2 share one colour and suits 1 and 3 the other; alternating colours means a
// different SuitColor.
constexpr int SuitColor(const Card& card) {
  return (card.suit == 1 || card.suit == 3) ? 1 : 0;
}
