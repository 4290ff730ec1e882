// The opening blocks of every undo snapshot: the deck's 952-byte image and two card lists (each
// a count, then its cards), which no game fills but every snapshot carries.
#pragma once

#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/SnapshotBytes.h"

// More cards than any list of a deal can hold: a count above it is damage, not a list.
inline constexpr int kMaxSpareListCards = kDeckCardSlots;

void WriteBaseState(SnapshotWriter& out, const Deck& deck, const std::vector<Card>& spare1,
                    const std::vector<Card>& spare2);

struct BaseState {
  // Starts from a copy of the game's deck: a freshly made Deck would seed the generator again and
  // change every deal after an Undo.
  explicit BaseState(const Deck& current) : deck(current) {}

  Deck deck;
  std::vector<Card> spare1;
  std::vector<Card> spare2;
};
// Reads the three blocks into `state` (whose deck is overwritten only by a valid image). False
// when a block is short, the deck image breaks a rule of the deck, a count is negative or above
// kMaxSpareListCards, or a listed card is not a real card.
bool ReadBaseState(SnapshotReader& in, BaseState& state);
