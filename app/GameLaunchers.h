// The games the title buttons start: which game each button stands for, whether its rule
// settings are asked for first, and making its game object.
#pragma once

#include <memory>

class ArtworkSet;
class CardGame;
struct RuleSettingsLayout;

struct TitleGame {
  int gameId;                          // number in the game list
  const RuleSettingsLayout* settings;  // asked for before the first deal; null: deals at once
};

// The game of title button 0..4 (Auld Lang Syne, Block Solitaire, Klondike, Gate, Quadrille);
// game number 0 for any other button.
const TitleGame& TitleGameFor(int button);

// Whether the button's game is part of this build.
bool IsTitleGameBuilt(int button);

// A new game object for the button, not yet dealt; null for a button out of range or a game
// that is not part of this build yet.
std::unique_ptr<CardGame> MakeTitleGame(int button, ArtworkSet& art);
