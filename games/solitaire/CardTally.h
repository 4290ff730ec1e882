// Checks of card piles read from a file (an undo snapshot, a saved deal): whether the cards the
// counts claim are real, and whether a position and its stock hold every card of the pack
// exactly once.
#pragma once

#include <array>
#include <span>

#include "engine/Card.h"
#include "engine/Deck.h"

class CardTally {
public:
  // False for no card, a card that is none of the 52, or a card seen before.
  bool Add(const Card& card);
  // A foundation that keeps only its top card: the cards under it run from `baseRank` up to the
  // top (step +1) or down to it (step -1), wrapping round the ranks.
  bool AddBuiltPile(const Card& top, int baseRank, int step);
  // The first `count` cards of a pile.
  bool AddPile(std::span<const Card> cards, int count);
  // The stock's undealt cards and the waste's first `wasteCount`. A recycle hands the waste back
  // to the deck, which takes only cards of its composition: any other card is refused.
  bool AddStockAndWaste(const Deck& stock, std::span<const Card> waste, int wasteCount);
  // Foundations that keep only their top card, built up from the start rank; (-1, -1) is empty.
  bool AddFoundations(std::span<const Card> tops, int startRank);
  // Every card seen once.
  bool Complete() const;

private:
  std::array<int, kSuitCount * kRankCount> seen_{};
};

// The first `count` slots hold real cards; the slots past the count are blanked whatever a file
// held there, so a loaded pile looks like one that was played to. False for a count out of range
// or a slot under it without a real card.
bool KeepCards(std::span<Card> slots, int count);
