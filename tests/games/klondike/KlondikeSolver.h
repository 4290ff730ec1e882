// A small move-finder for Klondike tests: deals a seeded game exactly as the game does and plays
// it to a win with the rule functions alone, returning moves that a scenario test can replay
// through the mouse.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/Deck.h"
#include "games/klondike/KlondikePlay.h"

// The rule values a new player starts with, written out so tests need no settings store.
inline constexpr KlondikeRules kKlondikeDefaultRules{
    .cardsDealt = 3,
    .filledIn = false,
    .recycles = 3,
    .startCard = kAceRank,
    .tableauStart = true,
    .movePartial = false,
    .autoFlip = false,
    .dontShowAgain = false,
};

// One player action, in screen terms: a click on the stock, a click on a face-down top card, or
// a drag of the drag source at (sourceX, sourceY) holding `count` cards onto the drop target
// that the game knows by (targetX, targetY).
struct KlondikeMove {
  enum class Kind { kStockClick, kTurnUp, kMove };
  Kind kind = Kind::kStockClick;
  int column = -1;  // kTurnUp
  int sourceX = 0, sourceY = 0;
  int targetX = 0, targetY = 0;
  int count = 0;
};

struct KlondikeDeal {
  KlondikePosition position;
  Deck stock;
};

// The deal that `--seed seed` gives: a Deck made while the seed override is set, then the
// game's own deal steps. The override in force before the call is restored.
KlondikeDeal DealKlondike(std::uint32_t seed, const KlondikeRules& rules);

// Plays one move as the game would (a drag goes through the hit lists, CanDrop, PickUp and Drop;
// with AutoFlip the exposed cards turn up afterwards). The points it earned, or nothing when the
// move is not possible in this position; then nothing has changed.
std::optional<int> PlayKlondikeMove(KlondikeDeal& deal, const KlondikeRules& rules,
                                    const KlondikeMove& move);

struct KlondikeSolution {
  std::vector<KlondikeMove> moves;
  int points = 0;  // the sum of what the moves earned
};

// A won game from this seed, or nothing when none was found within `nodeLimit` positions.
std::optional<KlondikeSolution> SolveKlondike(std::uint32_t seed, const KlondikeRules& rules,
                                              int nodeLimit = 200000);
