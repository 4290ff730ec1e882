#include "games/solitaire/StockAndWasteRecords.h"

char CardKeyByte(const Card& card) {
  return static_cast<char>(IsRealCard(card) ? card.suit * kRankCount + card.rank + 1 : 0);
}

void AppendStockAndWasteKey(std::string& key, const Deck& stock, std::span<const Card> waste,
                            int wasteCount) {
  for (int i = 0; i < stock.Remaining(); ++i) key += CardKeyByte(stock.PeekCard(i));
  key += '|';
  for (int i = 0; i < wasteCount && i < static_cast<int>(waste.size()); ++i)
    key += CardKeyByte(waste[static_cast<std::size_t>(i)]);
  key += '|';
}

bool TallyStockAndWaste(CardTally& tally, const Deck& stock, std::span<const Card> waste,
                        int wasteCount) {
  if (wasteCount < 0 || wasteCount > static_cast<int>(waste.size())) return false;
  for (int i = 0; i < stock.Remaining(); ++i)
    if (!tally.Add(stock.PeekCard(i))) return false;
  for (int i = 0; i < wasteCount; ++i) {
    const Card& card = waste[static_cast<std::size_t>(i)];
    if (!stock.IsPresent(card) || !tally.Add(card)) return false;
  }
  return true;
}
