// The one list of the games: each game's stable number, its title button, its name, its rule
// settings and rules view, how its object is made and how big one of its undo snapshots is.
#pragma once

#include <memory>
#include <span>

class ArtworkSet;
class CardGame;
struct RuleSettingsLayout;

struct GameRow {
  int gameId;        // number in the game list: the title artwork and the rules help's section
  int titleButton;   // 0..4, top to bottom on the title screen
  const char* name;  // the registry key of its rules and high scores
  const RuleSettingsLayout* settings;  // asked before the first deal and from Options; null: none
  int (*rulesView)();                  // the View menu's rules window; null: none
  // A new game object, not yet dealt; null while the game is not part of this build.
  std::unique_ptr<CardGame> (*make)(ArtworkSet& art);
  int snapshotBytes;  // one undo snapshot file; 0 until the game is built
};

// Every game, in the order of the title screen's buttons.
std::span<const GameRow> GameTable();
// The row of a game number or of a title button; null when there is none.
const GameRow* GameRowById(int gameId);
const GameRow* GameRowByButton(int button);
