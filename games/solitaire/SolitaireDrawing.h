// The piles every solitaire game with a stock draws the same way: the squared stock with its
// empty-pile markers, and a row of foundations that keep only their top card. Each draws onto
// the screen buffer, optionally restoring its background first, and marks what it covers.
#pragma once

#include <span>

#include "engine/Card.h"
#include "engine/PileLayout.h"

class ArtworkSet;

// The stock at (x, y) with `count` cards (the deal may show fewer than the deck holds). Empty, it
// shows the marker for a stock that can be turned again when `canRecycle`, else the other one.
void DrawSolitaireStock(ArtworkSet& art, int x, int y, int count, bool canRecycle, bool erase);

// The foundations, laid out in a row by `piles`, their top cards `tops` built from `startRank`;
// an empty one shows the empty-pile marker.
void DrawFoundationRow(ArtworkSet& art, std::span<const PileLayout> piles,
                       std::span<const Card> tops, int startRank, bool erase);
