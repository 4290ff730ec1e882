// What a game tells the session that runs it while it draws. Everything else the session needs
// (a deal that has ended, the clock, the final score) it reads from the game when its timer ticks.
#pragma once

class GameEvents {
public:
  virtual ~GameEvents() = default;
  // The game has painted its whole table, over the menu bar too: the bar goes back on now, at
  // its place in the game's drawing, before the score box shows the result.
  virtual void TablePainted() = 0;
};
