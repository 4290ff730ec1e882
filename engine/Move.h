// A move as a value: what the mouse, the keyboard, hints, a solver and a resumed game all hand to
// a game's rules, and the steps the rules report back so that drawing and sounds can follow them
// without deciding any rule again. Piles are named by their index in the game's layout table.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Card.h"

enum class MoveKind : std::uint8_t {
  kStock,   // a click on the stock pile `from`: turn cards onto the waste or turn the waste back
  kTurnUp,  // turn up the face-down top card of pile `from`
  kCards,   // the cards of pile `from`, from card `index` to its top, onto pile `to`
  // A press on the card of pile `from` in a pairing game: selects it, or unselects it when it is
  // selected. A second selection plays the pair when the two cards make one.
  kSelect,
};

struct Move {
  MoveKind kind = MoveKind::kCards;
  int from = -1;
  int index = 0;
  int to = -1;

  friend bool operator==(const Move&, const Move&) = default;
};

using MoveList = std::vector<Move>;

enum class StepKind : std::uint8_t {
  kMoved,        // `count` cards from pile `from` onto pile `to`, the first landing at `index`
  kTurnedUp,     // the top card of pile `from` turned face up
  kStockTurned,  // `count` cards from the stock `from` onto the waste `to`
  kRecycled,     // `count` cards of the waste `from` turned back into the stock `to`
  kDealt,        // one card from the stock `from` onto pile `to` at `index`, face up or down
  kSelected,     // the card `card` of pile `from` selected (drawn highlighted)
  kUnselected,   // the card `card` of pile `from` no longer selected
  kPairRemoved,  // the cards of piles `from` and `to`, a pair, taken out of play
};

struct MoveStep {
  StepKind kind = StepKind::kMoved;
  int from = -1;
  int to = -1;
  int index = 0;
  int count = 0;
  bool faceUp = true;
  Card card{};

  friend bool operator==(const MoveStep&, const MoveStep&) = default;
};

// What one move did: the points it earned and its steps in order. No steps: the move was not
// legal in that position and nothing changed.
struct MoveResult {
  int points = 0;
  std::vector<MoveStep> steps;

  bool Happened() const { return !steps.empty(); }
};
