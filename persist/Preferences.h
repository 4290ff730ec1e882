// Who is playing and that player's choices: the program-wide preference record, its loading and
// saving, the numbered player list and the start-up sequence that picks the player.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Player numbers are handed out from here upward, in order of first use.
inline constexpr std::int32_t kFirstPlayerNumber = 20;
// The player number before anyone has been chosen.
inline constexpr std::int32_t kNoPlayer = -1;
inline constexpr int kSongCount = 6;

// The values the program keeps in memory for the whole run: all zero or empty before the first
// load, the player number kNoPlayer.
struct Preferences {
  std::string playerName;
  std::int32_t playerNumber = kNoPlayer;
  std::int32_t dontShowAgain = 0;
  std::int32_t cardBack = 0;
  std::int32_t cardFront = 0;
  std::int32_t background = 0;
  std::int32_t songs[kSongCount] = {};
  std::int32_t musicEnabled = 0;
  std::int32_t soundEnabled = 0;
  std::int32_t autoGameOver = 0;

  bool operator==(const Preferences&) const = default;
};

// The one record the whole program shares.
Preferences& ThePreferences();

// With no player chosen: reads the last player's name and the don't-show flag. With a player:
// reads that player's values, writing the defaults of any missing ones in one change.
void LoadPreferences(Preferences& prefs);
// Writes every per-player value under the current player number (also when it is kNoPlayer).
void SavePreferences(const Preferences& prefs);

// The number of the player with exactly this name (case counts), adding the player with the next
// free number when there is none.
std::int32_t FindOrAddPlayer(const std::string& name);

// What the player-select step gives back when confirmed.
struct PlayerChoice {
  std::string name;  // Never empty: the dialog insists on a name.
  bool dontShowAgain = false;
};
// The player-select step: shown the current name and flag, it returns the choice or nothing when
// cancelled. The dialog is one such step; tests pass their own.
using PlayerSelectStep =
    std::function<std::optional<PlayerChoice>(const std::string& name, bool dontShowAgain)>;

// Runs the step; when confirmed, makes the chosen player current and remembers the name and the
// flag for the next start. False when cancelled.
bool RunPlayerSelect(Preferences& prefs, const PlayerSelectStep& select);

// The start-up sequence: reads the last player, finds their number, asks through `select` unless
// told not to, and loads the chosen player's values. False when the player cancelled, which ends
// the program.
bool RunStartupPlayerSequence(Preferences& prefs, const PlayerSelectStep& select);
