// The stock and the waste as every game with a stock plays them: turning cards over, turning
// the waste back, and the cards a run of stock clicks can bring to the top of the waste, which
// the no-moves analyses look at.
#pragma once

#include <array>
#include <span>

#include "engine/Card.h"
#include "engine/Deck.h"

// Turns up to `perClick` cards (at least one) from the stock onto the waste, one by one, until
// the stock or the waste's slots run out. Returns how many were turned.
int TurnFromStock(Deck& stock, std::span<Card> waste, int& wasteCount, int perClick);

// Turns the waste back into the stock, from its top down, so the card that lay on top is the
// first one turned again. A card the deck refuses (not of its composition) stays on the waste
// rather than vanish. Returns how many cards went back.
int RecycleWaste(Deck& stock, std::span<Card> waste, int& wasteCount);

// The cards a number of stock clicks could bring to the top of the waste, without playing
// anything in between, recycles included.
class StockCandidates {
public:
  // More than a pass can collect: the waste top and three passes over at most 52 cards.
  static constexpr int kCapacity = 256;

  void Add(const Card& card);
  // The waste's top card, every card that a click of `perClick` cards leaves on top as the stock
  // is gone through, and when `recyclesLeft` allows, the same after one and after two recycles
  // (a third recycle repeats the order of the first).
  void AddStockAndWaste(const Deck& stock, std::span<const Card> waste, int wasteCount,
                        int perClick, int recyclesLeft);

  int Count() const { return count_; }
  const Card& operator[](int i) const { return cards_[static_cast<std::size_t>(i)]; }

private:
  // One pass through cards dealt in the order card(0), card(1), ...: each click of n cards leaves
  // card k*n - 1 on top, and the last click, which may turn fewer, leaves the last card.
  template <typename CardAt>
  void AddPass(int length, int perClick, CardAt card) {
    for (int i = perClick - 1; i < length; i += perClick) Add(card(i));
    if (length > 0) Add(card(length - 1));
  }

  std::array<Card, kCapacity> cards_;
  int count_ = 0;
};
