// The bytes a search tells two tables apart by: one byte per card, the stock and the waste first.
// Every game's table key starts the same way, so a search sees the stock and the waste alike in
// every game.
#pragma once

#include <span>
#include <string>

#include "engine/Card.h"
#include "engine/Deck.h"

// 1 to 52 for the cards, 0 for no card.
constexpr char CardKeyByte(const Card& card) {
  return static_cast<char>(IsRealCard(card) ? card.suit * kRankCount + card.rank + 1 : 0);
}

// The stock's undealt cards, top first, then '|', the waste's first `wasteCount` cards, bottom
// first, then '|'.
inline void AppendStockAndWasteKey(std::string& key, const Deck& stock, std::span<const Card> waste,
                                   int wasteCount) {
  for (int i = 0; i < stock.Remaining(); ++i) key += CardKeyByte(stock.PeekCard(i));
  key += '|';
  for (int i = 0; i < wasteCount && i < static_cast<int>(waste.size()); ++i)
    key += CardKeyByte(waste[static_cast<std::size_t>(i)]);
  key += '|';
}
