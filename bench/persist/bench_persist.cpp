// Measures a settings read on a store of realistic size (every game's settings and full score
// tables, a handful of players) against the floor of reading the same file's bytes.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "persist/HighScores.h"
#include "persist/Preferences.h"
#include "persist/Registry.h"
#include "persist/Settings.h"
#include "platform/FileBytes.h"

namespace {

// Removes the temporary store when the run ends.
struct TempHome {
  std::string dir = (std::filesystem::temp_directory_path() / "qs-bench-XXXXXX").string();
  TempHome() {
    if (::mkdtemp(dir.data()) == nullptr) std::abort();
  }
  ~TempHome() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

// A store in a private temporary XDG_CONFIG_HOME, filled once per process.
const std::string& StorePath() {
  static const TempHome home;
  static const std::string path = [] {
    ::setenv("XDG_CONFIG_HOME", home.dir.c_str(), 1);
    const char* games[] = {"Klondike", "Gate", "Quadrille", "Auld Lang Syne", "Block Solitaire"};
    for (const char* game : games) {
      for (const char* value : {"CardsDealt", "FilledIn", "Recycles", "StartCard", "TableauStart",
                                "MovePartial", "AutoFlip", "DontShowAgain"}) {
        ReadSettingDword(game, value, 1);
      }
      for (int i = 1; i <= kHighScoreEntries; ++i) {
        AddHighScore(game, "Player " + std::to_string(i), 100 * i);
      }
    }
    for (int p = 0; p < 6; ++p) {
      Preferences prefs;
      prefs.playerNumber = FindOrAddPlayer("Player " + std::to_string(p));
      LoadPreferences(prefs);
    }
    return Registry::DefaultFilePath();
  }();
  return path;
}

void BM_ReadFileBytesFloor(benchmark::State& state) {
  const std::string& path = StorePath();
  std::vector<std::uint8_t> bytes;
  for (auto _ : state) {
    ReadFileBytes(path.c_str(), 1u << 24, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadFileBytesFloor);

void BM_ReadSettingDword(benchmark::State& state) {
  StorePath();
  for (auto _ : state) benchmark::DoNotOptimize(ReadSettingDword("Klondike", "CardsDealt", 3));
}
BENCHMARK(BM_ReadSettingDword);

void BM_WriteSettingDword(benchmark::State& state) {
  StorePath();
  std::int32_t v = 0;
  for (auto _ : state) WriteSettingDword("Klondike", "Recycles", (v++ & 3));
}
BENCHMARK(BM_WriteSettingDword);

// The slowest file the store will still read: 1 MiB of keys, as many siblings per key as allowed,
// so every lookup walks a full list.
void BM_ParseLargestCrowdedFile(benchmark::State& state) {
  std::string text = "REGEDIT4\n";
  for (int parent = 0; text.size() < (1u << 20) - 64; ++parent) {
    for (std::size_t i = 0; i < kRegistryMaxChildren && text.size() < (1u << 20) - 64; ++i) {
      text += "[HKEY_CURRENT_USER\\p" + std::to_string(parent) + "\\k" + std::to_string(i) + "]\n";
    }
  }
  for (auto _ : state) benchmark::DoNotOptimize(RegistryTree::Parse(text));
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ParseLargestCrowdedFile)->Unit(benchmark::kMillisecond);

}  // namespace
