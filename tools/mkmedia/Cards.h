// Card faces and card backs: the deck strips, their darkened twins and the strip of backs.
#pragma once

#include "Common.h"

namespace mk {

// Deck styles in card-front order: classic, classic with large indices, four-colour, four-colour
// with large indices.
constexpr int kDeckStyles = 4;
constexpr int kBacks = 21;
constexpr int kCardW = 53, kCardH = 83;

// One card face, 53 x 83, transparent outside its rounded corners. Suits: 0 clubs, 1 diamonds,
// 2 spades, 3 hearts; rank 0 = Two ... 11 = King, 12 = Ace.
Image DrawCardFace(int style, int suit, int rank);
Image DrawCardBack(int index);

// Draws a suit symbol of height `size` centred on (cx, cy) in the current source.
void SuitPath(cairo_t* cr, int suit, double cx, double cy, double size, bool flipped = false);

void MakeDecks(Output& out);
void MakeBacks(Output& out);

}  // namespace mk
