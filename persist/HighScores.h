// Each game's table of its ten best scores with the players' names, kept in the settings store
// under the game's name; the data only, the dialog that shows a table lives with the dialogs.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kHighScoreEntries = 10;

struct HighScoreEntry {
  std::string name;
  std::int32_t score = 0;

  bool operator==(const HighScoreEntry&) const = default;
};

// The number of consecutive entries from 1 upward, 0 to 10.
int CountHighScores(const std::string& game);
// Entry n (1 is the best); a missing entry or value reads as an empty name or a score of 0.
HighScoreEntry ReadHighScore(const std::string& game, int n);
// Offers a score to the table: refused (false) for an empty name or a score not above the tenth
// entry's (0 when there is none); else written as the next entry, or over the tenth in a full
// table, and the table re-sorted, all in one change.
bool AddHighScore(const std::string& game, const std::string& playerName, std::int32_t score);
// Rewrites the table as entries 1 to count, highest score first; equal scores keep their order.
void SortHighScores(const std::string& game);
// Removes the game's whole table; other games' tables stay.
void ClearHighScores(const std::string& game);
