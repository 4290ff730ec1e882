// Where a game's piles lie on the screen: one row per pile, in the order of the pile numbers that
// moves name. The mouse code turns pixels into piles through it once; the rules never see pixels.
#pragma once

#include <cstdint>

#include "platform/Screen.h"

enum class PileKind : std::uint8_t { kStock, kWaste, kFoundation, kTableau };

struct PileLayout {
  PileKind kind = PileKind::kTableau;
  int x = 0;  // top-left of the pile's bottom card
  int y = 0;
  int fanDx = 0;  // how far each card lies from the one below it
  int fanDy = 0;

  constexpr ScreenPoint CardPlace(int index) const {
    return {x + fanDx * index, y + fanDy * index};
  }
};

// The drop-target kind of a pile: foundations are kind 1, which the double click looks for.
constexpr int DropKindOf(PileKind kind) {
  return kind == PileKind::kFoundation ? 1 : 2;
}
