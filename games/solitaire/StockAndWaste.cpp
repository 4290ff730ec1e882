#include "games/solitaire/StockAndWaste.h"

#include <algorithm>

namespace {

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

}  // namespace

int TurnFromStock(Deck& stock, std::span<Card> waste, int& wasteCount, int perClick) {
  const int slots = static_cast<int>(waste.size());
  int turned = 0;
  for (int i = 0; i < std::max(1, perClick) && wasteCount < slots; ++i) {
    const Card card = stock.DealCard();
    if (!IsRealCard(card)) break;
    waste[At(wasteCount++)] = card;
    ++turned;
  }
  return turned;
}

int RecycleWaste(Deck& stock, std::span<Card> waste, int& wasteCount) {
  const int count = std::clamp(wasteCount, 0, static_cast<int>(waste.size()));
  // The refused cards, top down; the waste is read top down too, so they cannot share its slots.
  std::array<Card, kDeckCardSlots> refused;
  int kept = 0;
  int returned = 0;
  for (int i = count - 1; i >= 0; --i) {
    const Card card = waste[At(i)];
    const int before = stock.Remaining();
    stock.ReturnCard(card);
    if (stock.Remaining() != before) {
      ++returned;
    } else if (kept < kDeckCardSlots) {
      refused[At(kept++)] = card;
    }
  }
  std::fill(waste.begin(), waste.end(), kNoCard);
  for (int i = 0; i < kept; ++i) waste[At(i)] = refused[At(kept - 1 - i)];
  wasteCount = kept;
  return returned;
}

void StockCandidates::Add(const Card& card) {
  if (count_ < kCapacity && IsRealCard(card)) cards_[At(count_++)] = card;
}

void StockCandidates::AddStockAndWaste(const Deck& stock, std::span<const Card> waste,
                                       int wasteCount, int perClick, int recyclesLeft) {
  perClick = std::max(1, perClick);
  wasteCount = std::clamp(wasteCount, 0, static_cast<int>(waste.size()));
  const int stockCount = stock.Remaining();
  const auto stockCard = [&stock](int i) { return stock.PeekCard(i); };
  const auto wasteCard = [&waste](int i) { return waste[At(i)]; };

  if (wasteCount > 0) Add(wasteCard(wasteCount - 1));
  AddPass(stockCount, perClick, stockCard);
  if (recyclesLeft < 1) return;
  // After the stock runs out the waste holds the old waste with the whole stock on it. A recycle
  // returns it from the top down, so the new stock deals the last stock card first and the old
  // waste's bottom card last.
  const int all = stockCount + wasteCount;
  AddPass(all, perClick, [&](int i) {
    return i < stockCount ? stockCard(stockCount - 1 - i)
                          : wasteCard(wasteCount - 1 - (i - stockCount));
  });
  if (recyclesLeft < 2) return;
  // A second recycle reverses that order again, back to the old waste's bottom first.
  AddPass(all, perClick,
          [&](int i) { return i < wasteCount ? wasteCard(i) : stockCard(i - wasteCount); });
}
