// A tiny card game (one pile, two switchable targets) and its fixture, the clock at seconds_.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/CardGame.h"
#include "persist/Preferences.h"
#include "tests/support/GameTestEnvironment.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"

inline constexpr int kPileX = 100, kPileY = 200;
inline constexpr int kFoundationX = 300, kFoundationY = 200;
inline constexpr int kColumnX = 500, kColumnY = 200;
inline constexpr const char* kTestGameName = "Testgame";

class TestGame : public CardGame {
public:
  explicit TestGame(ArtworkSet& art) : CardGame(art, 12) {}
  static constexpr int kPile = 0, kFoundationPile = 1, kColumnPile = 2;

  bool foundationAccepts = true, columnAccepts = true;
  double factor = 1.0;
  bool won = false;  // every card home: the game is won at the next UpdatePlayState
  // Bottom first; the top card of the pile alone can be picked up.
  std::vector<Card> pile, foundation, column;
  int restarts = 0, cancels = 0, redraws = 0;

  // No move left, as the next UpdatePlayState finds; the engine ends a deal there only with Auto
  // Game Over on.
  void SetStuck(bool stuck) {
    if (stuck) ThePreferences().autoGameOver = 1;
    stuck_ = stuck;
    PositionChanged();
  }
  void SetPoints(int points) { points_ = points; }
  int TopY() const { return kPileY + 15 * Top(); }  // of the pile's top card

  void StartGame(bool restart) override {
    restarts += restart;
    pile = {Card{0, 5}, Card{1, 6}, Card{2, 7}};
    foundation.clear();
    column.clear();
    won = stuck_ = false;
    deck_.Shuffle();
    ResetDealState();
    PositionChanged();
    RedrawAll(true);
    StartClock(0);
  }
  void RedrawAll(bool) override {
    ++redraws;
    art_.RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
    for (int p = kPile; p <= kColumnPile; ++p) DrawPile(p, false);
    ForgetScoreBox();
    UpdateScoreDisplay(-1);
    DrawMenuBar();
    UpdatePlayState();
  }
  void CancelMove() override {
    ++cancels;
    CardGame::CancelMove();
  }
  const char* GetGameName() const override { return kTestGameName; }
  double ScoreFactor() const override { return factor; }
  void LegalMoves(MoveList& moves) const override {
    moves.clear();
    for (int to : {kFoundationPile, kColumnPile})
      if (IsLegalMove(Move{MoveKind::kCards, kPile, Top(), to}))
        moves.push_back({MoveKind::kCards, kPile, Top(), to});
  }

protected:
  int Top() const { return static_cast<int>(pile.size()) - 1; }
  bool IsLegalMove(const Move& move) const override {
    if (move.kind != MoveKind::kCards || move.from != kPile || Top() < 0 || move.index != Top())
      return false;
    return move.to == kFoundationPile ? foundationAccepts : move.to == kColumnPile && columnAccepts;
  }
  MoveResult ApplyMoveToTable(const Move& move) override {
    auto& into = move.to == kFoundationPile ? foundation : column;
    const int index = static_cast<int>(into.size());
    into.push_back(pile.back());
    pile.pop_back();
    MoveResult result;
    result.points = 10;
    result.steps.push_back({StepKind::kMoved, kPile, move.to, index, 1, true, into[index]});
    return result;
  }
  void ShowMove(const MoveResult& result) override {
    for (const MoveStep& step : result.steps) DrawPile(step.from, true), DrawPile(step.to, true);
    art_.FlushDirtyRects();
  }
  bool NoMovesLeft() const override { return stuck_; }
  bool IsCleared() const override { return won; }
  void BuildHitLists(DragSourceList& sources, DropTargetList& targets) const override {
    if (Top() >= 0) sources.Add(kPileX, TopY(), &pile.back(), 1, kPile, Top());
    targets.Add(kFoundationX, kFoundationY, kFoundationX, kFoundationY, kFoundationX + 53,
                kFoundationY + 83, 1, kFoundationPile);
    targets.Add(kColumnX, kColumnY, kColumnX, kColumnY, kColumnX + 53, kColumnY + 300, 2,
                kColumnPile);
  }
  void DrawPile(int which, bool erase) override {
    const int x = which == kPile ? kPileX : (which == kFoundationPile ? kFoundationX : kColumnX);
    const std::vector<Card>& cards =
        which == kPile ? pile : (which == kFoundationPile ? foundation : column);
    if (erase) art_.RestoreBackground(x, x + 53, kPileY, kScreenHeight - 1);
    const int count = LiftedFrom(which) >= 0 ? LiftedFrom(which) : static_cast<int>(cards.size());
    if (count <= 0) art_.DrawPlaceholder(x, kPileY, art_.ScreenBuffer());
    if (count > 0) art_.DrawCards(x, kPileY, cards.data(), art_.ScreenBuffer(), count, 0, 15);
    art_.AddDirtyRect({x, kPileY, x + 53, kScreenHeight - 1});
  }
  // Undo is run on every real game (GameTableTest); these snapshots are never taken back.
  void WriteBlock(SnapshotWriter&) const override {}
  std::optional<SnapshotTail> StageBlock(SnapshotReader&, const Deck&) override {
    return std::nullopt;
  }
  void CommitStagedBlock(std::span<const std::uint8_t>) override {}

private:
  bool stuck_ = false;
};

class CardGameTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    env_ = std::make_unique<GameTestEnvironment>();
    env_->UseClock([this] { return seconds_; });
    SetWindowProc([this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
      dispatched_.push_back({message, wParam});
      if (onDispatch_) onDispatch_(message);
      return std::intptr_t{0};
    });
  }
  void TearDown() override {
    game_.reset();
    env_.reset();
    DialogTest::TearDown();
  }

  // The game on the theme artwork, dealt; false (and the test should skip) without media.
  bool StartTestGame() {
    if (!UseArtwork()) return false;
    game_ = std::make_unique<TestGame>(*art_);
    game_->StartGame(false);
    return true;
  }

  std::int64_t seconds_ = 5'000'000;
  std::unique_ptr<GameTestEnvironment> env_;
  std::function<void(std::uint32_t)> onDispatch_;
  std::unique_ptr<TestGame> game_;
};
