// Preferences and players over the settings store, each load or save one commit so that a new
// player's defaults appear together or not at all.
#include "persist/Preferences.h"

#include <string_view>
#include <utility>

#include "persist/Registry.h"
#include "persist/Settings.h"

namespace {

constexpr std::size_t kTextBuffer = 300;

std::string Key(std::string_view sub) {
  return std::string(kSettingsRoot) + "\\" + std::string(sub);
}
std::string PreferencesKey() {
  return Key("Preferences");
}
std::string PlayerPreferencesKey(std::int32_t number) {
  return Key("Preferences\\" + std::to_string(number));
}
std::string PlayersKey() {
  return Key("Players");
}
std::string PlayerKey(std::int32_t number) {
  return Key("Players\\" + std::to_string(number));
}

std::string SongName(int d) {
  return "song" + std::to_string(d);
}

Registry Store() {
  return Registry(Registry::DefaultFilePath());
}

// The read rule of the store: a value that cannot be read gets its default written.
std::int32_t ReadDword(RegistryTree& tree, const std::string& key, std::string_view name,
                       std::int32_t fallback) {
  std::uint32_t stored = 0;
  if (tree.QueryDword(key, name, stored)) return static_cast<std::int32_t>(stored);
  tree.SetDword(key, name, static_cast<std::uint32_t>(fallback));
  return fallback;
}

std::string ReadString(RegistryTree& tree, const std::string& key, std::string_view name,
                       const std::string& fallback) {
  std::string stored;
  if (tree.QueryString(key, name, kTextBuffer, stored)) return stored;
  tree.SetString(key, name, fallback);
  return fallback;
}

}  // namespace

Preferences& ThePreferences() {
  static Preferences prefs;
  return prefs;
}

void LoadPreferences(Preferences& prefs) {
  // The values land in a copy first, so `prefs` changes only in full.
  Preferences loaded = prefs;
  Store().Change([&](RegistryTree& tree) {
    loaded = prefs;
    if (prefs.playerNumber == kNoPlayer) {
      const std::string key = PreferencesKey();
      tree.CreateKey(key);
      loaded.playerName = ReadString(tree, key, "HumanName", "");
      loaded.dontShowAgain = ReadDword(tree, key, "DontShowAgain", 0);
      return;
    }
    const std::string key = PlayerPreferencesKey(prefs.playerNumber);
    tree.CreateKey(key);
    loaded.cardBack = ReadDword(tree, key, "CardBack", 0);
    loaded.cardFront = ReadDword(tree, key, "CardFront", 0);
    for (int d = 0; d < kSongCount; ++d) loaded.songs[d] = ReadDword(tree, key, SongName(d), 1);
    loaded.musicEnabled = ReadDword(tree, key, "MusicEnabled", 1);
    loaded.soundEnabled = ReadDword(tree, key, "SoundEnabled", 1);
    loaded.autoGameOver = ReadDword(tree, key, "AutoGameOver", 1);
    // The background chooser is offered in the game, so the player's choice is kept across runs.
    loaded.background = ReadDword(tree, key, "Background", 0);
  });
  prefs = std::move(loaded);
}

void SavePreferences(const Preferences& prefs) {
  Store().Change([&](RegistryTree& tree) {
    const std::string key = PlayerPreferencesKey(prefs.playerNumber);
    auto put = [&](std::string_view name, std::int32_t v) {
      tree.SetDword(key, name, static_cast<std::uint32_t>(v));
    };
    put("CardBack", prefs.cardBack);
    put("CardFront", prefs.cardFront);
    put("Background", prefs.background);
    for (int d = 0; d < kSongCount; ++d) put(SongName(d), prefs.songs[d]);
    put("MusicEnabled", prefs.musicEnabled);
    put("SoundEnabled", prefs.soundEnabled);
    put("AutoGameOver", prefs.autoGameOver);
  });
}

std::int32_t FindOrAddPlayer(const std::string& name) {
  std::int32_t found = kFirstPlayerNumber;
  Store().Change([&](RegistryTree& tree) {
    tree.CreateKey(PlayersKey());
    for (std::int32_t n = kFirstPlayerNumber;; ++n) {
      const std::string key = PlayerKey(n);
      if (!tree.KeyExists(key)) {
        tree.SetString(key, "Name", name);
        found = n;
        return;
      }
      if (ReadString(tree, key, "Name", "") == name) {
        found = n;
        return;
      }
    }
  });
  return found;
}

bool RunPlayerSelect(Preferences& prefs, const PlayerSelectStep& select) {
  const std::optional<PlayerChoice> choice = select(prefs.playerName, prefs.dontShowAgain != 0);
  if (!choice) return false;
  prefs.playerName = choice->name;
  prefs.dontShowAgain = choice->dontShowAgain ? 1 : 0;
  prefs.playerNumber = FindOrAddPlayer(choice->name);
  Store().Change([&](RegistryTree& tree) {
    tree.SetString(PreferencesKey(), "HumanName", prefs.playerName);
    tree.SetDword(PreferencesKey(), "DontShowAgain",
                  static_cast<std::uint32_t>(prefs.dontShowAgain));
  });
  return true;
}

bool RunStartupPlayerSequence(Preferences& prefs, const PlayerSelectStep& select) {
  prefs.playerNumber = kNoPlayer;
  LoadPreferences(prefs);
  if (!prefs.playerName.empty()) prefs.playerNumber = FindOrAddPlayer(prefs.playerName);
  if (prefs.dontShowAgain == 0 && !RunPlayerSelect(prefs, select)) return false;
  LoadPreferences(prefs);
  return true;
}
