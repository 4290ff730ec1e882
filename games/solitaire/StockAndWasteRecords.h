// The stock and the waste in the records a game keeps of a position: the key a search tells two
// tables apart by, and the tally a snapshot reader checks every card against.
#pragma once

#include <span>
#include <string>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "games/solitaire/CardTally.h"

// One byte per card: 0 for no card, else 1 + suit * 13 + rank.
char CardKeyByte(const Card& card);

// Appends the stock's cards, top first, then '|', the waste's cards, bottom first, then '|'.
void AppendStockAndWasteKey(std::string& key, const Deck& stock, std::span<const Card> waste,
                            int wasteCount);

// Counts the stock's cards and the waste's first `wasteCount` cards. False for a card seen before,
// a slot that holds no card, or a waste card the deck's composition lacks: a recycle hands the
// waste back to the deck, which takes only cards of its composition.
bool TallyStockAndWaste(CardTally& tally, const Deck& stock, std::span<const Card> waste,
                        int wasteCount);
