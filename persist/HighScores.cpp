// High-score tables as numbered entry keys below "<game>\Scores"; every change to a table,
// including its re-sorting, is written as one commit so a crash never leaves half a table.
#include "persist/HighScores.h"

#include <algorithm>
#include <vector>

#include "persist/Registry.h"
#include "persist/Settings.h"

namespace {

constexpr std::size_t kTextBuffer = 300;

std::string ScoresKey(const std::string& game) {
  return std::string(kSettingsRoot) + "\\" + game + "\\Scores";
}
std::string EntryKey(const std::string& game, int n) {
  return ScoresKey(game) + "\\" + std::to_string(n);
}

Registry Store() {
  return Registry(Registry::DefaultFilePath());
}

int Count(const RegistryTree& tree, const std::string& game) {
  int n = 0;
  while (n < kHighScoreEntries && tree.KeyExists(EntryKey(game, n + 1))) ++n;
  return n;
}

HighScoreEntry Read(const RegistryTree& tree, const std::string& game, int n) {
  HighScoreEntry entry;
  const std::string key = EntryKey(game, n);
  std::uint32_t score = 0;
  if (tree.QueryDword(key, "Score", score)) entry.score = static_cast<std::int32_t>(score);
  if (!tree.QueryString(key, "Name", kTextBuffer, entry.name)) entry.name.clear();
  return entry;
}

void Write(RegistryTree& tree, const std::string& game, int n, const HighScoreEntry& entry) {
  const std::string key = EntryKey(game, n);
  tree.SetString(key, "Name", entry.name);
  tree.SetDword(key, "Score", static_cast<std::uint32_t>(entry.score));
}

void Sort(RegistryTree& tree, const std::string& game) {
  const int count = Count(tree, game);
  std::vector<HighScoreEntry> entries;
  for (int n = 1; n <= count; ++n) entries.push_back(Read(tree, game, n));
  std::stable_sort(
      entries.begin(), entries.end(),
      [](const HighScoreEntry& a, const HighScoreEntry& b) { return a.score > b.score; });
  tree.DeleteKey(ScoresKey(game));
  for (int n = 1; n <= count; ++n) Write(tree, game, n, entries[static_cast<std::size_t>(n - 1)]);
}

}  // namespace

int CountHighScores(const std::string& game) {
  return Count(Store().Read(), game);
}

HighScoreEntry ReadHighScore(const std::string& game, int n) {
  return Read(Store().Read(), game, n);
}

bool AddHighScore(const std::string& game, const std::string& playerName, std::int32_t score) {
  if (playerName.empty()) return false;
  bool added = false;
  Store().Change([&](RegistryTree& tree) {
    if (score <= Read(tree, game, kHighScoreEntries).score) return;
    const int n = std::min(Count(tree, game) + 1, kHighScoreEntries);
    Write(tree, game, n, HighScoreEntry{playerName, score});
    Sort(tree, game);
    added = true;
  });
  return added;
}

void SortHighScores(const std::string& game) {
  Store().Change([&](RegistryTree& tree) { Sort(tree, game); });
}

void ClearHighScores(const std::string& game) {
  Store().Change([&](RegistryTree& tree) { tree.DeleteKey(ScoresKey(game)); });
}
