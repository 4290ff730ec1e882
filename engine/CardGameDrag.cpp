// Dragging with save-under and pointer confinement, the double-click move, and the card flights.
#include "engine/CardGame.h"

#include <algorithm>
#include <cstdlib>

#include "audio/Audio.h"
#include "engine/CardFlight.h"
#include "engine/ScreenSave.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/Window.h"

using namespace engine_detail;

namespace {

// A stack carried less than this far on both axes was put back on purpose, not thrown away.
constexpr int kInvalidDropDistance = 10;

}  // namespace

// --- Dragging --------------------------------------------------------------------------------

bool CardGame::MouseIgnored() const {
  return IsPaused() || gameOver_;
}

ScreenRect CardGame::StackRect(int x, int y, int count) const {
  int fx = 0;
  int fy = 0;
  GetFanOffset(fx, fy);
  const int spread = std::max(count, 1) - 1;
  return {x, y, x + spread * fx + art_.CardWidth(), y + spread * fy + art_.CardHeight()};
}

void CardGame::DrawStack(int x, int y, const DragSource& record) const {
  int fx = 0;
  int fy = 0;
  GetFanOffset(fx, fy);
  art_.DrawCards(x, y, record.cards.data(), art_.ScreenBuffer(),
                 std::clamp(record.count, 0, kMaxCarriedCards), fx, fy);
}

void CardGame::AllocateSaveBuffer(const ScreenRect& rect) {
  FreeSaveBuffer();
  const int handle = GfxAllocBuffer(Width(rect), Height(rect));
  saveBuffer_ = handle >= 0 ? handle : -1;
}

void CardGame::FreeSaveBuffer() {
  if (saveBuffer_ < 0) return;
  if (GfxActiveBuffer() == saveBuffer_) GfxOpenBuffer(art_.ScreenBuffer());
  GfxFreeBuffer(saveBuffer_);
  saveBuffer_ = -1;
}

bool CardGame::ClickHandledFirst(int x, int y) {
  // A press while cards are carried means their button-up was lost (another window took it):
  // they go back rather than stay in the hand.
  if (dragging_) {
    CancelDrag();
    return true;
  }
  // The stock and a face-down card answer every click, the second of two quick ones too.
  if (const std::optional<Move> move = MoveForClick(x, y)) {
    PlayMove(*move);
    return true;
  }
  return false;
}

void CardGame::OnLButtonDown(std::uint32_t, int x, int y) {
  if (MouseIgnored() || ClickHandledFirst(x, y)) return;
  const DragSource* hit = HitTestDragSource(x, y);
  if (hit != nullptr) ApplyDragStart(*hit, x, y);
  UpdatePlayState();
}

void CardGame::ApplyDragStart(const DragSource& hit, int x, int y) {
  int fx = 0;
  int fy = 0;
  GetFanOffset(fx, fy);
  // A copy: PickUp rebuilds the lists, and `hit` lives in them.
  dragRecord_ = hit;
  dragging_ = true;
  PickUp(dragRecord_);

  grabX_ = x - dragRecord_.x;
  grabY_ = y - dragRecord_.y;
  dragRect_ = StackRect(dragRecord_.x, dragRecord_.y, dragRecord_.count);
  AllocateSaveBuffer(dragRect_);

  const int screen = art_.ScreenBuffer();
  GfxOpenBuffer(screen);
  SaveScreen(dragRect_, screen, saveBuffer_);
  DrawStack(dragRect_.left, dragRect_.top, dragRecord_);
  art_.AddDirtyRect(dragRect_);
  art_.FlushDirtyRects();

  // The pointer may go only where the whole stack stays on the screen.
  const int spread = std::max(dragRecord_.count, 1) - 1;
  const ScreenRect confine{grabX_, grabY_,
                           grabX_ - spread * fx - art_.CardWidth() + kScreenWidth - 1,
                           grabY_ - spread * fy - art_.CardHeight() + kScreenHeight - 1};
  const CursorRect rect = ToCursorRect(confine);
  ClipCursor(&rect);
}

void CardGame::OnMouseMove(std::uint32_t, int x, int y) {
  if (MouseIgnored() || !dragging_) return;
  const int nx = x - grabX_;
  const int ny = y - grabY_;
  if (nx == dragRect_.left && ny == dragRect_.top) return;
  const ScreenRect next = StackRect(nx, ny, dragRecord_.count);
  // The stack stops at the last place where all of it is on the screen.
  if (next.left < 0 || next.top < 0 || next.right >= kScreenWidth || next.bottom >= kScreenHeight)
    return;

  const int screen = art_.ScreenBuffer();
  GfxOpenBuffer(screen);
  RestoreScreen(dragRect_, screen, saveBuffer_);
  art_.AddDirtyRect(dragRect_);
  dragRect_ = next;
  SaveScreen(dragRect_, screen, saveBuffer_);
  DrawStack(dragRect_.left, dragRect_.top, dragRecord_);
  art_.AddDirtyRect(dragRect_);
  art_.FlushDirtyRects();
}

void CardGame::EndDrag() {
  if (!dragging_) return;
  dragging_ = false;
  ClipCursor(nullptr);
  FreeSaveBuffer();
}

void CardGame::CancelDrag() {
  if (!dragging_) return;
  const int screen = art_.ScreenBuffer();
  GfxOpenBuffer(screen);
  RestoreScreen(dragRect_, screen, saveBuffer_);
  art_.AddDirtyRect(dragRect_);
  FlyCards(dragRect_.left, dragRect_.top, dragRecord_.x, dragRecord_.y, dragRecord_.count,
           dragRecord_.cards.data(), true, false);
  EndDrag();
  CancelMove();
}

void CardGame::OnLButtonUp(std::uint32_t, int x, int y) {
  if (!dragging_) return;
  // Paused or ended while carrying: the cards go back, nothing is played.
  if (MouseIgnored()) {
    CancelDrag();
    return;
  }
  const int stackX = x - grabX_;
  const int stackY = y - grabY_;
  const int screen = art_.ScreenBuffer();
  GfxOpenBuffer(screen);
  RestoreScreen(dragRect_, screen, saveBuffer_);
  art_.AddDirtyRect(dragRect_);

  const DropTarget* hit = HitTestDropTarget(x, y);
  if (hit != nullptr && CanDrop(dragRecord_, *hit)) {
    // A copy: DropCards rebuilds the lists.
    const DropTarget target = *hit;
    EndDrag();
    DropCards(dragRecord_, target);
  } else {
    FlyCards(stackX, stackY, dragRecord_.x, dragRecord_.y, dragRecord_.count,
             dragRecord_.cards.data(), true, false);
    if (std::abs(stackX - dragRecord_.x) >= kInvalidDropDistance ||
        std::abs(stackY - dragRecord_.y) >= kInvalidDropDistance) {
      PlaySfx("invalid.wav");
    }
    EndDrag();
    CancelMove();
  }
  UpdatePlayState();
  AutoFlip();
}

void CardGame::OnLButtonDblClk(std::uint32_t, int x, int y) {
  if (MouseIgnored() || ClickHandledFirst(x, y)) return;
  if (DoubleClickHook(x, y)) return;
  const DragSource* hit = HitTestDragSource(x, y);
  if (hit == nullptr) return;
  const DragSource record = *hit;
  const DropTarget* found = FindDropTarget(record, 1);
  if (found == nullptr) return;
  const DropTarget target = *found;

  SaveUndo();
  dragRecord_ = record;
  dragging_ = true;
  PickUp(record);
  FlyCards(record.x, record.y, target.x, target.y, record.count, record.cards.data(), true, false);
  // No save-under or confinement was set up for this lift: only the hand is emptied.
  dragging_ = false;
  DropCards(record, target);
  AutoFlip();
  UpdatePlayState();
}

// --- Flights -----------------------------------------------------------------------------------

void CardGame::FlyCard(int fromX, int fromY, int toX, int toY, const Card& card, bool leaveDrawn,
                       bool fast, int back) {
  Fly(fromX, fromY, toX, toY, art_.CardWidth() + 1, art_.CardHeight() + 1, leaveDrawn, fast,
      [this, card, back](int x, int y, int dest) {
        if (back == -1) {
          art_.DrawCard(x, y, card, dest, 0);
        } else {
          art_.DrawBack(x, y, back, dest);
        }
      });
}

void CardGame::FlyCards(int fromX, int fromY, int toX, int toY, int count, const Card* cards,
                        bool leaveDrawn, bool fast) {
  if (cards == nullptr) return;
  count = std::clamp(count, 0, kMaxCarriedCards);
  const ScreenRect rect = StackRect(0, 0, count);
  int fx = 0;
  int fy = 0;
  GetFanOffset(fx, fy);
  Fly(fromX, fromY, toX, toY, Width(rect), Height(rect), leaveDrawn, fast,
      [this, cards, count, fx, fy](int x, int y, int dest) {
        art_.DrawCards(x, y, cards, dest, count, fx, fy);
      });
}

void CardGame::Fly(int fromX, int fromY, int toX, int toY, int width, int height, bool leaveDrawn,
                   bool fast, const std::function<void(int x, int y, int dest)>& draw) {
  const int screen = art_.ScreenBuffer();
  ScratchBuffer save(width, height, screen);
  ScratchBuffer work(width, height, screen);
  // The image is drawn once on the transparent colour; every step but the last copies it with
  // its corners keyed out, which costs one copy instead of one copy per card.
  if (work.Handle() >= 0) {
    GfxOpenBuffer(work.Handle());
    GfxSetColor(GfxMapRGB(255, 0, 255));
    GfxClear();
    draw(0, 0, work.Handle());
  }
  GfxOpenBuffer(screen);

  const auto rectAt = [width, height](ScreenPoint p) {
    return ScreenRect{p.x, p.y, p.x + width - 1, p.y + height - 1};
  };
  const std::vector<ScreenPoint> positions = FlightPositions(fromX, fromY, toX, toY, fast);
  const FlightPacer pacer(fast);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (i > 0) {
      pacer.WaitForStep(static_cast<int>(i));
      const ScreenRect previous = rectAt(positions[i - 1]);
      RestoreScreen(previous, screen, save.Handle());
      art_.AddDirtyRect(previous);
    }
    const ScreenRect here = rectAt(positions[i]);
    SaveScreen(here, screen, save.Handle());
    if (i + 1 == positions.size() || work.Handle() < 0) {
      draw(here.left, here.top, screen);
    } else {
      GfxCopyRectTransparent(0, width - 1, 0, height - 1, here.left, here.bottom, work.Handle(),
                             screen);
    }
    art_.AddDirtyRect(here);
    art_.FlushDirtyRects();
  }
  if (!leaveDrawn && !positions.empty()) {
    const ScreenRect last = rectAt(positions.back());
    RestoreScreen(last, screen, save.Handle());
    art_.AddDirtyRect(last);
    art_.FlushDirtyRects();
  }
}
