// Set up and put back for every card-game test: services, undo dir, store, player, sound log.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "audio/Audio.h"
#include "engine/CardFlight.h"
#include "engine/GameClock.h"
#include "engine/GameServices.h"
#include "engine/UndoHistory.h"
#include "persist/Preferences.h"
#include "tests/support/ScratchStore.h"

class GameTestEnvironment {
public:
  // With `undoDirectory` empty the snapshots go to a fresh directory removed at the end.
  explicit GameTestEnvironment(const std::filesystem::path& undoDirectory = {})
      : undoDirectory_(undoDirectory), savedPrefs_(ThePreferences()) {
    if (undoDirectory_.empty()) {
      std::string pattern =
          (std::filesystem::temp_directory_path() / "qs-game-undo-XXXXXX").string();
      EXPECT_NE(::mkdtemp(pattern.data()), nullptr) << "no temporary snapshot directory";
      undoDirectory_ = ownUndoDirectory_ = pattern;
    }
    ResetGameServices();
    TheGameServices().undoDirectory = undoDirectory_;
    TheGameServices().flightStepDelay = std::chrono::microseconds(0);
    Preferences& prefs = ThePreferences() = Preferences{};
    prefs.playerName = "Tester";
    prefs.playerNumber = kFirstPlayerNumber;
    prefs.soundEnabled = prefs.musicEnabled = 1;
    SetSfxListener([this](std::string_view name) { sounds_.emplace_back(name); });
  }
  ~GameTestEnvironment() {
    SetSfxListener({});
    ThePreferences() = savedPrefs_;
    ResetGameServices();
    std::error_code ignored;
    if (!ownUndoDirectory_.empty()) std::filesystem::remove_all(ownUndoDirectory_, ignored);
  }
  GameTestEnvironment(const GameTestEnvironment&) = delete;
  GameTestEnvironment& operator=(const GameTestEnvironment&) = delete;

  // The game clock reads these seconds from now until the environment goes.
  void UseClock(SecondsSource seconds) { TheGameServices().clock = std::move(seconds); }
  ScratchStore& Store() { return store_; }
  const std::filesystem::path& UndoDirectory() const { return undoDirectory_; }
  // Every sound effect asked for, in order.
  const std::vector<std::string>& Sounds() const { return sounds_; }
  void ClearSounds() { sounds_.clear(); }

private:
  ScratchStore store_;
  std::filesystem::path undoDirectory_, ownUndoDirectory_;
  Preferences savedPrefs_;
  std::vector<std::string> sounds_;
};
