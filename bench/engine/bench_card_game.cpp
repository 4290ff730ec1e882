// One step of a drag (put back what was under the stack, save under the new place, draw the
// stack, show the changed rectangles), for one card and for a thirteen-card stack; goal: under
// 0.3 ms. Measured in the same run against the floor of copying one full screen and one
// stack-sized rectangle, since the machines these run on are shared and noisy.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/support/BenchGfx.h"
#include "engine/CardFlight.h"
#include "engine/CardGame.h"
#include "engine/GameServices.h"
#include "engine/UndoHistory.h"
#include "gfx/Gfx.h"
#include "gfx/HeadlessDisplay.h"
#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "platform/DataDir.h"
#include "platform/Messages.h"
#include "ui/UiToolkit.h"

namespace {

// The graphics layer at the game's 32-bit screen depth, the theme artwork and the toolkit.
class Session {
public:
  Session() {
    UiInit(nullptr, gfx_.Screen(), 0);
    art_.Load(gfx_.Screen(), 1);
    art_.LoadTheme(0);
    // Of this run alone: another bench run beside it would remove a shared one under it.
    std::string pattern =
        (std::filesystem::temp_directory_path() / "qs-bench-card-game-XXXXXX").string();
    undoDir_ = ::mkdtemp(pattern.data()) != nullptr
                   ? std::filesystem::path(pattern)
                   : std::filesystem::temp_directory_path() / "qs-bench-undo";
    std::filesystem::create_directories(undoDir_);
    TheGameServices().undoDirectory = undoDir_;
  }
  ~Session() {
    ResetGameServices();
    std::error_code ignored;
    std::filesystem::remove_all(undoDir_, ignored);
    UiShutdown();
  }
  ArtworkSet& Art() { return art_; }
  int Screen() const { return gfx_.Screen(); }

private:
  BenchGfx gfx_;
  ArtworkSet art_;
  std::filesystem::path undoDir_;
};

// A game of one pile of `count` cards that can be carried as a whole; the drag is all it does.
class DragGame : public CardGame {
public:
  DragGame(ArtworkSet& art, int count) : CardGame(art, 12), count_(count) {
    for (int i = 0; i < count_; ++i) cards_[static_cast<std::size_t>(i)] = Card{i % 4, i};
  }
  void StartGame(bool) override {
    art_.RestoreBackground(0, 799, 0, 599);
    UpdatePlayState();
    StartClock(0);
  }
  void RedrawAll(bool) override {}
  const char* GetGameName() const override { return "Klondike"; }
  double ScoreFactor() const override { return 1.0; }
  void LegalMoves(MoveList& moves) const override { moves.clear(); }

protected:
  // One pile of cards to lift; nothing to drop them on: the bench only carries them about.
  bool IsLegalMove(const Move&) const override { return false; }
  MoveResult ApplyMoveToTable(const Move&) override { return {}; }
  void ShowMove(const MoveResult&) override {}
  bool NoMovesLeft() const override { return false; }
  bool IsCleared() const override { return false; }
  void BuildHitLists(DragSourceList& sources, DropTargetList&) const override {
    sources.Add(100, 100, cards_.data(), count_, 0, 0);
  }
  void DrawPile(int, bool) override {}
  void WriteBlock(SnapshotWriter&) const override {}
  std::optional<SnapshotTail> StageBlock(SnapshotReader&, const Deck&) override {
    return std::nullopt;
  }
  void CommitStagedBlock(std::span<const std::uint8_t>) override {}

private:
  int count_;
  std::array<Card, kMaxCarriedCards> cards_{};
};

void BM_DragStep(benchmark::State& state) {
  Session session;
  DragGame game(session.Art(), static_cast<int>(state.range(0)));
  game.StartGame(false);
  game.OnLButtonDown(MK_LBUTTON, 110, 110);
  int step = 0;
  for (auto _ : state) {
    // Back and forth by a few pixels, as a hand moves the mouse.
    const int dx = (step++ & 1) != 0 ? 7 : 0;
    game.OnMouseMove(MK_LBUTTON, 300 + dx, 200 + dx);
  }
  game.OnLButtonUp(0, 110, 110);
}
BENCHMARK(BM_DragStep)->Arg(1)->Arg(13)->Unit(benchmark::kMicrosecond);

// Floors: the copies a step cannot do without, straight through the graphics layer.
void BM_FloorFullScreenCopy(benchmark::State& state) {
  Session session;
  const int other = GfxAllocBuffer(800, 600);
  for (auto _ : state) GfxCopyRect(0, 799, 0, 599, 0, 599, session.Screen(), other);
  GfxFreeBuffer(other);
}
BENCHMARK(BM_FloorFullScreenCopy)->Unit(benchmark::kMicrosecond);

void BM_FloorStackCopy(benchmark::State& state) {
  Session session;
  const int other = GfxAllocBuffer(53, 83 + 12 * 15);
  for (auto _ : state)
    GfxCopyRect(100, 152, 100, 100 + 82 + 12 * 15, 0, 82 + 12 * 15, session.Screen(), other);
  GfxFreeBuffer(other);
}
BENCHMARK(BM_FloorStackCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
