// An independent count of where the cards of one pack lie, for the property tests and snapshot
// fuzzers; it shares nothing with the rules' own tally, so that a fault there cannot hide itself.
#pragma once

#include <array>
#include <span>
#include <string>

#include "engine/Card.h"
#include "engine/Deck.h"

class CardCount {
public:
  void Add(const Card& card) {
    if (IsRealCard(card)) {
      ++seen_[static_cast<std::size_t>(card.suit * kRankCount + card.rank)];
    } else {
      ++notCards_;
    }
  }
  void AddStock(const Deck& stock) {
    for (int i = 0; i < stock.Remaining(); ++i) Add(stock.PeekCard(i));
  }
  // The first `count` cards of a pile.
  void AddPile(std::span<const Card> cards, int count) {
    for (int i = 0; i < count; ++i) Add(cards[static_cast<std::size_t>(i)]);
  }
  // A foundation keeps only its top card: the cards from the start rank to it, up (or down with
  // a `step` of -1), lie there.
  void AddFoundation(const Card& top, int startRank, int step = 1) {
    if (!IsRealCard(top)) return;
    for (int rank = startRank;; rank = (rank + kRankCount + step) % kRankCount) {
      Add(Card{top.suit, rank});
      if (rank == top.rank) break;
    }
  }
  bool EveryCardOnce() const { return Fault().empty(); }
  // What is wrong, or nothing.
  std::string Fault() const {
    if (notCards_ > 0) return std::to_string(notCards_) + " places hold no card";
    for (std::size_t i = 0; i < seen_.size(); ++i)
      if (seen_[i] != 1)
        return "card " + std::to_string(i) + " lies " + std::to_string(seen_[i]) + " times";
    return {};
  }

private:
  std::array<int, kSuitCount * kRankCount> seen_{};
  int notCards_ = 0;
};
