// The windows a running game opens: those of the program around it, which the shell fills in,
// and the game's own, which its row in the game table supplies.
#pragma once

#include <functional>
#include <optional>

// The program's windows (choosers, About, the rules help, the upgrade screen). A command whose
// window is missing does nothing. Each returns when its window has closed.
struct GameWindows {
  // The card-back and card-front choosers: the chosen number, or nothing when cancelled.
  std::function<std::optional<int>(int current)> chooseCardBack;
  std::function<std::optional<int>(int current)> chooseCardFront;
  std::function<std::optional<int>(int current)> chooseBackground;
  // The music dialog: true when confirmed (it has stored the preferences itself).
  std::function<bool()> musicDialog;
  std::function<void()> about;
  std::function<void(const char* gameTitle)> rulesHelp;
  std::function<void()> upgrade;
};

// The game's own windows. A game without one has no menu item for it.
struct GameOwnWindows {
  // The rule settings in the form that restarts the deal: true when confirmed.
  std::function<bool()> settings;
  // The summary of the rules in play.
  std::function<void()> rulesView;
};
