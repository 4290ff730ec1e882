// What every game shares from construction to destruction: the hit lists, the undo snapshots'
// base blocks and the status line. Dragging and flights, and the score, have files of their own.
#include "engine/CardGame.h"

#include <algorithm>
#include <cstring>

#include "engine/BaseSnapshot.h"
#include "engine/GameEvents.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "platform/Window.h"

namespace {

// The band of the status line and where its two halves are written.
constexpr ScreenRect kStatusBand{20, 550, 780, 580};
constexpr int kStatusLeftX = 35;
constexpr int kStatusRightX = 750;
constexpr int kStatusBaseline = 567;

}  // namespace

// --- Construction --------------------------------------------------------------------------------

CardGame::CardGame(ArtworkSet& artwork, int gameId) : art_(artwork), gameId_(gameId) {
  dragRecord_.cards.fill(kNoCard);
  art_.LoadDecks();
  AllocateSaveBuffer({0, 0, art_.CardWidth() + 1, art_.CardHeight() + 1});
}

CardGame::~CardGame() {
  // A stack still carried must not leave the pointer confined to a game that is gone.
  if (dragging_) ClipCursor(nullptr);
  FreeSaveBuffer();
  // The undo history deletes its snapshot files as it goes.
}

void CardGame::EndDeal() {
  // A stack still carried belongs to the deal that is ending: it is simply let go.
  EndDrag();
  ClearDragSources();
  ClearDropTargets();
  // A new deal may be played under other rules: undoing into the previous one would mix them.
  undo_.Clear();
}

void CardGame::ResetDealState() {
  endedByUser_ = false;
  clockStarted_ = false;
  points_ = 0;
  finalScore_ = kScoreNotFixed;
  clock_.ClearPause();
  gameOver_ = false;
  ClearDragSources();
  ClearDropTargets();
}

void CardGame::EndByUser() {
  endedByUser_ = true;
  UpdatePlayState();
}

void CardGame::DrawMenuBar() {
  if (events_ != nullptr) events_->TablePainted();
}

bool CardGame::DoubleClickHook(int, int) {
  return false;
}

void CardGame::GetFanOffset(int& dx, int& dy) const {
  dx = 0;
  dy = 15;
}

void CardGame::GetSecondFanOffset(int& dx, int& dy) const {
  dx = 10;
  dy = 0;
}

void CardGame::GetScoreArea(int& x, int& y, ScreenRect& area) const {
  x = 150;
  y = 550;
  area = {50, 500, 350, 600};
}

// --- Hit lists -----------------------------------------------------------------------------------

const DragSource* CardGame::AddDragSource(int x, int y, const Card* cards, int count) {
  return dragSources_.Add(x, y, cards, count);
}

void CardGame::RemoveDragSource(const DragSource* record) {
  dragSources_.Remove(record);
}

void CardGame::ClearDragSources() {
  dragSources_.Clear();
}

const DragSource* CardGame::HitTestDragSource(int x, int y) const {
  return dragSources_.HitTest(x, y);
}

void CardGame::AddDropTarget(int x, int y, int left, int top, int right, int bottom, int kind) {
  dropTargets_.Add(x, y, left, top, right, bottom, kind);
}

void CardGame::ClearDropTargets() {
  dropTargets_.Clear();
}

const DropTarget* CardGame::HitTestDropTarget(int x, int y) const {
  return dropTargets_.HitTest(x, y);
}

const DropTarget* CardGame::FindDropTarget(const DragSource& record, int kind) {
  for (int i = 0; i < dropTargets_.Size(); ++i) {
    const DropTarget& target = dropTargets_.At(i);
    if (kind != 0 && target.kind != kind) continue;
    if (CanDrop(record, target)) return &target;
  }
  return nullptr;
}

// --- Undo snapshots --------------------------------------------------------------------------

void CardGame::SaveState(SnapshotWriter& out) const {
  WriteBaseState(out, deck_, spareList1_, spareList2_);
}

bool CardGame::LoadState(SnapshotReader& in) {
  BaseState staged(deck_);
  if (!ReadBaseState(in, staged)) return false;
  deck_ = staged.deck;
  spareList1_ = std::move(staged.spare1);
  spareList2_ = std::move(staged.spare2);
  return true;
}

// --- Status line ---------------------------------------------------------------------------------

namespace {

void CopyStatus(std::array<char, kStatusTextSize>& into, const char* text) {
  into.fill('\0');
  if (text == nullptr) return;
  // Cut to the buffer, keeping its terminating zero.
  std::strncpy(into.data(), text, into.size() - 1);
}

}  // namespace

void CardGame::SetLeftStatus(const char* text) {
  CopyStatus(leftStatus_, text);
  DrawStatusLine(true);
  art_.FlushDirtyRects();
}

void CardGame::SetRightStatus(const char* text) {
  CopyStatus(rightStatus_, text);
  DrawStatusLine(true);
  art_.FlushDirtyRects();
}

void CardGame::DrawStatusLine(bool erase) {
  const int screen = art_.ScreenBuffer();
  GfxOpenBuffer(screen);
  if (erase) {
    art_.RestoreBackground(kStatusBand.left, kStatusBand.right, kStatusBand.top,
                           kStatusBand.bottom);
  }
  GfxSelectFont(art_.SmallFont());
  GfxSetColor(art_.SelectionColor());
  const int leftLength = static_cast<int>(std::strlen(leftStatus_.data()));
  if (leftLength > 0) {
    GfxFontJustify(-1, -1);
    GfxMove(kStatusLeftX, kStatusBaseline);
    GfxFontText(leftStatus_.data(), leftLength);
  }
  const int rightLength = static_cast<int>(std::strlen(rightStatus_.data()));
  if (rightLength > 0) {
    GfxFontJustify(1, -1);
    GfxMove(kStatusRightX, kStatusBaseline);
    GfxFontText(rightStatus_.data(), rightLength);
  }
  art_.AddDirtyRect(kStatusBand);
}
