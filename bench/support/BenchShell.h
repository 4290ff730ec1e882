// The program's shell run headless for game benchmarks, set up as the program sets itself up: the
// theme artwork, the toolkit, a settings store and an undo directory of the bench's own, and a
// game started on it. A table is brought in the way a player's Undo brings it: a snapshot
// written as the newest one and read back by the game.
#pragma once

#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppShell.h"
#include "app/ShellWindow.h"
#include "engine/CardFlight.h"
#include "engine/CardGame.h"
#include "engine/GameServices.h"
#include "engine/UndoHistory.h"
#include "gfx/HeadlessDisplay.h"
#include "persist/Preferences.h"
#include "platform/DataDir.h"
#include "platform/MessageLoop.h"

// Stands in for the window surface: every shown rectangle is copied row by row into a frame of
// its own, as the display back end copies it onto the window, and counted.
class BenchFrameDisplay final : public HeadlessDisplay {
public:
  BenchFrameDisplay() : HeadlessDisplay(32, HeadlessDisplay::Masks888()), frame_(800 * 600) {}
  void Show(const GfxBufferView& source, int minx, int maxx, int miny, int maxy, int newx,
            int newy) override {
    ++shows_;
    const int top = newy - (maxy - miny);
    for (int y = miny; y <= maxy; ++y) {
      const auto* row =
          reinterpret_cast<const std::uint32_t*>(source.pixels + y * source.bytesPerRow) + minx;
      std::memcpy(&frame_[static_cast<std::size_t>((top + y - miny) * 800 + newx)], row,
                  static_cast<std::size_t>(maxx - minx + 1) * 4);
    }
  }
  long Shows() const { return shows_; }

private:
  std::vector<std::uint32_t> frame_;
  long shows_ = 0;
};

class BenchQuietWindow final : public ShellWindow {
public:
  void Show() override {}
  void Resized() override {}
  void ReapplyCursorClip() override {}
  void ShowError(const char*) override {}
};

// A new directory under the temporary directory that no other process uses: `prefix` followed by
// six random characters.
inline std::filesystem::path PrivateTempDirectory(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) return std::filesystem::temp_directory_path() / prefix;
  return pattern;
}

class BenchShell {
public:
  // `name` keeps the bench's directories apart from another bench's; `seed` deals the game.
  BenchShell(const std::string& name, std::uint32_t seed) : shell_(display_, window_) {
    const char* media = std::getenv("QS_MEDIA_DIR");
    SetDataDir(media != nullptr && *media != '\0' ? media : QS_MEDIA_DIR);
    // A directory of this run's own: a bench of the same name run beside it (another
    // worktree's) would otherwise share the settings store and remove it under this one.
    own_ = PrivateTempDirectory("qs-bench-" + name);
    undoDir_ = own_ / "undo";
    std::filesystem::create_directories(undoDir_);
    ResetGameServices();
    TheGameServices().undoDirectory = undoDir_;
    TheGameServices().flightStepDelay = std::chrono::microseconds(0);
    TheGameServices().dealSeed = seed;
    ResetMessageLoop();
    // A player who is not asked for at start-up: the start-up's player dialog would otherwise
    // wait for an answer nobody gives.
    store_ = own_ / "store";
    std::filesystem::create_directories(store_);
    ::setenv("XDG_CONFIG_HOME", store_.c_str(), 1);
    Preferences prefs;
    LoadPreferences(prefs);
    RunPlayerSelect(prefs, [](const std::string&, bool) { return PlayerChoice{"Bench", true}; });
    created_ = shell_.Create();
  }
  ~BenchShell() {
    shell_.Destroy();
    ResetGameServices();
    std::error_code ignored;
    std::filesystem::remove_all(own_, ignored);
  }
  BenchShell(const BenchShell&) = delete;
  BenchShell& operator=(const BenchShell&) = delete;

  // Starts a game of this class on the shell; null when the shell could not start.
  template <class Game>
  Game* Start() {
    if (!created_) return nullptr;
    shell_.StartGame(std::make_unique<Game>(*shell_.Artwork()));
    return dynamic_cast<Game*>(shell_.Game());
  }
  // Puts the table of a whole snapshot on the game's screen through its Undo.
  void LoadSnapshot(CardGame& game, const std::vector<std::uint8_t>& bytes) {
    game.History().WriteNew(bytes);
    game.Undo();
  }

  long Shows() const { return display_.Shows(); }
  int Screen() const { return shell_.ScreenBuffer(); }

private:
  BenchFrameDisplay display_;
  BenchQuietWindow window_;
  AppShell shell_;
  bool created_ = false;
  std::filesystem::path own_;
  std::filesystem::path undoDir_;
  std::filesystem::path store_;
};
