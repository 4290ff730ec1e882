#include "games/solitaire/CardTally.h"

#include <algorithm>

bool CardTally::Add(const Card& card) {
  if (!IsRealCard(card)) return false;
  int& seen = seen_[static_cast<std::size_t>(card.suit * kRankCount + card.rank)];
  return ++seen == 1;
}

bool CardTally::AddBuiltPile(const Card& top, int baseRank, int step) {
  if (!IsRealCard(top) || baseRank < 0 || baseRank >= kRankCount || (step != 1 && step != -1))
    return false;
  const int depth = ((top.rank - baseRank) * step + kRankCount) % kRankCount;
  for (int k = 0; k <= depth; ++k) {
    const int rank = ((baseRank + step * k) % kRankCount + kRankCount) % kRankCount;
    if (!Add(Card{top.suit, rank})) return false;
  }
  return true;
}

bool CardTally::Complete() const {
  return std::all_of(seen_.begin(), seen_.end(), [](int seen) { return seen == 1; });
}

bool KeepCards(std::span<Card> slots, int count) {
  if (count < 0 || count > static_cast<int>(slots.size())) return false;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (static_cast<int>(i) >= count) {
      slots[i] = kNoCard;
    } else if (!IsRealCard(slots[i])) {
      return false;
    }
  }
  return true;
}
