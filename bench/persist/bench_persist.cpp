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

// Parses a crafted text and reports its size and the size it is written back at.
void ParseCrafted(benchmark::State& state, const std::string& text) {
  std::size_t written = 0;
  for (auto _ : state) {
    RegistryParseResult parsed = RegistryTree::ParseLines(text);
    written = parsed.tree.SerialisedSize();
    benchmark::DoNotOptimize(parsed);
  }
  state.counters["bytes"] = static_cast<double>(text.size());
  state.counters["written"] = static_cast<double>(written);
}

constexpr std::size_t kFull = kRegistryMaxBytes - 64;

// As many keys as a tree may hold, as many siblings per key as allowed, with names long enough
// to fill 1 MiB: every lookup searches a full list. Written as the store writes it, so every
// line is taken.
void BM_ParseLargestCrowdedFile(benchmark::State& state) {
  constexpr std::size_t kParents = kRegistryMaxKeys / (kRegistryMaxChildren + 1);
  constexpr std::size_t kLine = kFull / (kParents * (kRegistryMaxChildren + 1));
  std::string text = "REGEDIT4\n\n";
  for (std::size_t parent = 0; parent < kParents; ++parent) {
    const std::string path = "[HKEY_CURRENT_USER\\p" + std::to_string(parent);
    text += path + "]\n\n";
    for (std::size_t i = 0; i < kRegistryMaxChildren; ++i) {
      const std::string number = std::to_string(1000000 + i);
      text += path + "\\" + std::string(kLine - path.size() - number.size() - 5, 'k') + number +
              "]\n\n";
    }
  }
  ParseCrafted(state, text);
}
BENCHMARK(BM_ParseLargestCrowdedFile)->Unit(benchmark::kMillisecond);

// 1 MiB of the most values a key may hold, with names of one length that differ only at their
// end: every comparison of two names runs their whole length.
void BM_ParseSameLengthValueNames(benchmark::State& state) {
  constexpr std::size_t kNameLength = kFull / kRegistryMaxChildren - 20;
  std::string text = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n";
  for (std::size_t i = 0; i < kRegistryMaxChildren; ++i) {
    const std::string number = std::to_string(1000000 + i);
    text += '"' + std::string(kNameLength - number.size(), 'n') + number + "\"=dword:00000001\n";
  }
  ParseCrafted(state, text);
}
BENCHMARK(BM_ParseSameLengthValueNames)->Unit(benchmark::kMillisecond);

// Key lines as deep and long as allowed, repeated to 1 MiB: each one walks its whole path, and
// all but what fits under the written cap is left out.
void BM_ParseDeepLongPaths(benchmark::State& state) {
  std::string path;
  for (int depth = 0; depth < kRegistryMaxDepth; ++depth) {
    path += (depth > 0 ? "\\" : "") + std::string(kRegistryMaxKeyName, 'a' + depth % 26);
  }
  std::string text = "REGEDIT4\n";
  for (std::size_t cut = 1; text.size() + path.size() < kFull; cut += 257) {
    text += "[HKEY_CURRENT_USER\\" + path.substr(0, path.size() - cut) + "]\n";
  }
  ParseCrafted(state, text);
}
BENCHMARK(BM_ParseDeepLongPaths)->Unit(benchmark::kMillisecond);

}  // namespace
