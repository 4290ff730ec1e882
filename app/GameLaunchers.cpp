// Title buttons to games.
#include "app/GameLaunchers.h"

#include <iterator>

#include "engine/CardGame.h"
#include "games/auldlangsyne/AuldLangSyneSettings.h"
#include "games/gate/GateSettings.h"
#include "games/klondike/KlondikeGame.h"
#include "games/klondike/KlondikeSettings.h"
#include "games/quadrille/QuadrilleSettings.h"

namespace {

const TitleGame kTitleGames[] = {
    {3, &kAuldLangSyneSettings},  // Auld Lang Syne
    {4, nullptr},                 // Block Solitaire deals at once
    {12, &kKlondikeSettings},     // Klondike
    {10, &kGateSettings},         // Gate
    {16, &kQuadrilleSettings},    // Quadrille
};

}  // namespace

const TitleGame& TitleGameFor(int button) {
  static constexpr TitleGame kNoGame{0, nullptr};
  if (button < 0 || button >= static_cast<int>(std::size(kTitleGames))) return kNoGame;
  return kTitleGames[button];
}

bool IsTitleGameBuilt(int button) {
  // Auld Lang Syne, Block Solitaire, Gate and Quadrille come in later versions.
  return button == 2;
}

std::unique_ptr<CardGame> MakeTitleGame(int button, ArtworkSet& art) {
  switch (button) {
    case 2:
      return std::make_unique<KlondikeGame>(art, TitleGameFor(button).gameId);
    default:
      return nullptr;
  }
}
