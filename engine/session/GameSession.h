// The game session: runs one game object for the shell. It owns the game, the game's screen with
// the menu bar, runs the menu commands every game shares and the game's own, and plays out the
// end of a deal (final score, music, the win or lose screen, high scores, playing again).
#pragma once

#include <functional>
#include <memory>

#include "engine/GameEvents.h"
#include "engine/session/GameMenuBar.h"
#include "engine/session/GameWindows.h"

class ArtworkSet;
class CardGame;
class UiScreen;

class GameSession final : private GameEvents {
public:
  // Takes the game, not yet dealt, and builds its screen and menu bar over the artwork (observed;
  // it outlives the session). `own` adds the game's own items to the menus.
  GameSession(ArtworkSet& artwork, std::unique_ptr<CardGame> game, GameWindows windows,
              GameOwnWindows own);
  // Ends the deal (its snapshots go) and the game with it.
  ~GameSession() override;
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // The first deal.
  void Start();

  // One poll of the game's screen and menu bar for the input just recorded; runs a chosen
  // command. True when a command was handled.
  bool ProcessInput();
  // Whether one of the menus is open.
  bool IsMenuActive() const;
  // Runs a menu command: the shared ones and the game's own. False for a command it does not
  // know. A drag under way is put back first.
  bool HandleCommand(int command);
  // The score timer: refreshes the score box, and once the deal is over plays out its end. Does
  // nothing while a modal window is open or the end is being played out, so nothing draws over a
  // dialog and the end runs once, on the first tick after a window closes.
  void Tick();

  CardGame& Game() const { return *game_; }
  UiScreen* Screen() const { return screen_.get(); }
  const GameMenus& Menus() const { return menus_; }

private:
  void TablePainted() override;
  // A new deal on the same game: the old deal's end, the deal, the menu and the box after it.
  void Deal(bool restart);
  // Runs `window` with the clock paused (when it was running) and resumes the clock afterwards,
  // whatever it was before: a game the player had paused is running again.
  void PauseAround(const std::function<void()>& window);
  // The check marks and the Game menu's Pause/Resume item follow the state.
  void RebuildGameMenu();
  bool RunSharedCommand(int command, bool wasDragging);
  bool RunOwnCommand(int command);
  void ChooseCardBack();
  void ChooseCardFront();
  void ChooseBackground();
  void ChooseMusic();
  // Runs `window` paused around and shows the screen again; nothing when there is no window.
  void ShowWindow(const std::function<void()>& window);
  // Final score, music or the "no moves" message, the end screen, high scores, playing again.
  void RunEndOfDeal();

  ArtworkSet& art_;
  std::unique_ptr<CardGame> game_;
  std::unique_ptr<UiScreen> screen_;
  GameMenus menus_;
  GameWindows windows_;
  GameOwnWindows own_;
  bool endOfDealRunning_ = false;
};
