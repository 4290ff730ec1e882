// A game on the table the way the program sets it up, for the games' benchmarks: the real shell,
// headless, with the theme artwork, the toolkit and the game's menu bar, a settings store of its
// own, and a position of the bench's choosing loaded through the game's own Undo.
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
#include "engine/UndoHistory.h"
#include "gfx/Gfx.h"
#include "gfx/HeadlessDisplay.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "platform/DataDir.h"
#include "platform/MessageLoop.h"

// Stands in for the window surface: every shown rectangle is copied row by row into a frame of
// its own, as the display back end copies it onto the window, and counted.
class FrameDisplay final : public HeadlessDisplay {
public:
  FrameDisplay() : HeadlessDisplay(32, HeadlessDisplay::Masks888()), frame_(800 * 600) {}
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

class QuietWindow final : public ShellWindow {
public:
  void Show() override {}
  void Resized() override {}
  void ReapplyCursorClip() override {}
  void ShowError(const char*) override {}
};

// The shell running a game of type G dealt from `seed`; Load puts a snapshot's position on it.
template <class G>
class BenchGameTable {
public:
  BenchGameTable(const std::string& name, std::uint32_t seed) : shell_(display_, window_) {
    const char* media = std::getenv("QS_MEDIA_DIR");
    SetDataDir(media != nullptr && *media != '\0' ? media : QS_MEDIA_DIR);
    undoDir_ = std::filesystem::temp_directory_path() / ("qs-bench-" + name + "-undo");
    std::filesystem::create_directories(undoDir_);
    SetUndoDirectory(undoDir_);
    SetFlightStepDelay(std::chrono::microseconds(0));
    SetDeckSeedOverride(seed);
    ResetMessageLoop();
    // A settings store of the bench's own with a player who is not asked for at start-up: the
    // start-up's player dialog would otherwise wait for an answer nobody gives.
    store_ = std::filesystem::temp_directory_path() / ("qs-bench-" + name + "-store");
    std::filesystem::create_directories(store_);
    ::setenv("XDG_CONFIG_HOME", store_.c_str(), 1);
    Preferences prefs;
    LoadPreferences(prefs);
    RunPlayerSelect(prefs, [](const std::string&, bool) { return PlayerChoice{"Bench", true}; });
    if (!shell_.Create()) return;
    shell_.StartGame(std::make_unique<G>(*shell_.Artwork()));
    game_ = dynamic_cast<G*>(shell_.Game());
  }
  ~BenchGameTable() {
    shell_.Destroy();
    SetDeckSeedOverride(std::nullopt);
    SetUndoDirectory({});
    std::error_code ignored;
    std::filesystem::remove_all(undoDir_, ignored);
    std::filesystem::remove_all(store_, ignored);
  }
  BenchGameTable(const BenchGameTable&) = delete;
  BenchGameTable& operator=(const BenchGameTable&) = delete;

  // Brings the snapshot's position onto the table as Undo does.
  void Load(const std::vector<std::uint8_t>& snapshot) {
    if (game_ == nullptr) return;
    game_->History().WriteNew(snapshot);
    game_->Undo();
  }
  G* Game() const { return game_; }
  long Shows() const { return display_.Shows(); }
  int Screen() const { return shell_.ScreenBuffer(); }

private:
  FrameDisplay display_;
  QuietWindow window_;
  AppShell shell_;
  G* game_ = nullptr;
  std::filesystem::path undoDir_;
  std::filesystem::path store_;
};
