// Only five of these games exist; the numbering keeps room for the rest of the family, so the
// existing games keep their numbers (and the rules help its sections) whatever is added.
#include "engine/GameList.h"

namespace {

constexpr const char* kTitles[kGameListSize] = {
    "Accordion",
    "Agnes",
    "Auld Lang Syne",
    "Block Solitaire",
    "Calculation",
    "Canfield",
    "Cribbage Solitaire",
    "Forty Thieves",
    "Four Seasons",
    "Gate",
    "Golf",
    "Klondike",
    "Monte Carlo",
    "Poker Solitaire",
    "Pyramid",
    "Quadrille",
    "Simple Addition",
    "Simplicity",
    "Spider",
    "Take Fourteen",
};

}  // namespace

const char* GameListTitle(int number) {
  if (number < 1 || number > kGameListSize) return nullptr;
  return kTitles[number - 1];
}
