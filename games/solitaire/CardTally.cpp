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

bool CardTally::AddPile(std::span<const Card> cards, int count) {
  if (count < 0 || count > static_cast<int>(cards.size())) return false;
  for (int i = 0; i < count; ++i)
    if (!Add(cards[static_cast<std::size_t>(i)])) return false;
  return true;
}

bool CardTally::AddStockAndWaste(const Deck& stock, std::span<const Card> waste, int wasteCount) {
  for (int i = 0; i < stock.Remaining(); ++i)
    if (!Add(stock.PeekCard(i))) return false;
  if (wasteCount < 0 || wasteCount > static_cast<int>(waste.size())) return false;
  for (int i = 0; i < wasteCount; ++i) {
    const Card& card = waste[static_cast<std::size_t>(i)];
    if (!stock.IsPresent(card) || !Add(card)) return false;
  }
  return true;
}

bool CardTally::AddFoundations(std::span<const Card> tops, int startRank) {
  for (const Card& top : tops)
    if (top != kNoCard && !AddBuiltPile(top, startRank, +1)) return false;
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
