// The one path every move takes, whoever makes it: the mouse's drag, drop and clicks become Move
// values here and are played through the game's rules; undo snapshots, the play state with the
// Auto Game Over decision, and Undo itself are the same for every game.
#include <algorithm>

#include "audio/Audio.h"
#include "engine/BaseSnapshot.h"
#include "engine/CardGame.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"

namespace {

constexpr int kUndoPenalty = 5;

}  // namespace

bool CardGame::PlayMove(const Move& move, bool snapshotTaken) {
  if (MouseIgnored() || dragging_) return false;
  if (!IsLegalMove(move)) {
    UpdatePlayState();
    return false;
  }
  if (!snapshotTaken) SaveUndo();
  const MoveResult result = ApplyMoveToTable(move);
  PositionChanged();
  points_ += result.points;
  ShowMove(result);
  UpdatePlayState();
  return result.Happened();
}

bool CardGame::CanDrop(const DragSource& record, const DropTarget& target) {
  return IsLegalMove(MoveFor(record, target));
}

void CardGame::PickUp(const DragSource& record) {
  if (MouseIgnored()) return;
  // The snapshot holds the table before the lift; the cards stay in the position until the drop.
  SaveUndo();
  if (record.pile >= 0) DrawPile(record.pile, true);
  UpdatePlayState();
}

void CardGame::DropCards(const DragSource& record, const DropTarget& target) {
  // PickUp took the snapshot of this move.
  if (!PlayMove(MoveFor(record, target), true)) UpdatePlayState();
}

void CardGame::CancelMove() {
  undo_.DiscardLast();
  if (dragRecord_.pile >= 0 && !dragging_) {
    DrawPile(dragRecord_.pile, true);
    art_.FlushDirtyRects();
  }
  UpdatePlayState();
}

void CardGame::AutoFlip() {
  MoveList moves;
  AutomaticMoves(moves);
  for (const Move& move : moves) PlayMove(move);
}

bool CardGame::CachedNoMovesLeft() {
  if (analysedSerial_ != positionSerial_) {
    noMovesLeft_ = NoMovesLeft();
    analysedSerial_ = positionSerial_;
    ++noMovesAnalyses_;
  }
  return noMovesLeft_;
}

bool CardGame::UpdatePlayState() {
  bool over = true;
  if (!endedByUser_) over = !dragging_ && (IsCleared() || CachedNoMovesLeft());
  gameOver_ = over;
  // Without Auto Game Over only a win or End Game ends a deal.
  if (gameOver_ && ThePreferences().autoGameOver == 0 && !endedByUser_ && !IsWon())
    gameOver_ = false;

  ClearDragSources();
  ClearDropTargets();
  if (!IsPaused() && !gameOver_) BuildHitLists(dragSources_, dropTargets_);
  return gameOver_;
}

bool CardGame::IsWon() const {
  return gameOver_ && IsCleared();
}

void CardGame::SaveUndo() {
  if (IsPaused() || IsGameOver()) return;
  SnapshotWriter out;
  SaveState(out);
  WriteBlock(out);
  const std::vector<std::uint8_t> side = SideState();
  undo_.WriteNew(out.Bytes(), side);
}

void CardGame::Undo() {
  if (IsPaused() || IsGameOver() || dragging_) return;
  std::vector<std::uint8_t> side;
  const std::optional<std::vector<std::uint8_t>> bytes = undo_.ReadLast(&side);
  if (!bytes) {
    if (SoundsEmptyUndo()) PlaySfx("undo.wav");
    return;
  }
  // A double click writes the same snapshot twice, one for the click and one for the lift: one
  // Undo takes back one action.
  while (undo_.Count() > 0 && undo_.PeekLast() == bytes) undo_.DiscardLast();

  SnapshotReader in(*bytes);
  BaseState staged(deck_);
  if (!ReadBaseState(in, staged)) return;
  const std::optional<SnapshotTail> tail = StageBlock(in, staged.deck);
  // A file longer than its blocks is not one this game wrote.
  if (!tail || !in.Finished()) return;
  deck_ = staged.deck;
  spareList1_ = std::move(staged.spare1);
  spareList2_ = std::move(staged.spare2);
  CommitStagedBlock(side);
  PositionChanged();

  points_ = tail->points - kUndoPenalty;
  StartClock(tail->elapsedSeconds);
  UpdatePlayState();
  RedrawAll(true);
  PlaySfx("undo.wav");
}
