// The games the title buttons start, read from the game table: whether a button's game is part
// of this build, making its game object, and the game's own windows for its session.
#pragma once

#include <memory>

#include "engine/session/GameWindows.h"

class ArtworkSet;
class CardGame;
struct GameRow;

// Whether the button's game is part of this build: its row has a factory.
bool IsTitleGameBuilt(int button);

// A new game object for the button, not yet dealt; null for a button out of range or a game
// that is not part of this build yet.
std::unique_ptr<CardGame> MakeTitleGame(int button, ArtworkSet& art);

// The settings dialog in its restart form and the rules view of the game's row, for its menus;
// none for a game without a row.
GameOwnWindows OwnWindowsOf(const GameRow* row);
