// Block Solitaire's drawing, mouse, sounds and snapshots around the rules of BlockPlay.
#include "games/block/BlockGame.h"

#include <chrono>

#include "audio/Audio.h"
#include "engine/CardFlight.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/Screen.h"

namespace {

// The stock's thickness to the upper left, restored with it.
constexpr int kStockMarginX = 22, kStockMarginY = 11;
// How long a pair stays on the table, both cards selected, before it goes.
constexpr std::chrono::milliseconds kPairShown{200};

const PileLayout& Layout(int pile) {
  return kBlockLayout[static_cast<std::size_t>(pile)];
}

}  // namespace

BlockGame::BlockGame(ArtworkSet& artwork, int gameId)
    : CardGame(artwork, gameId), position_(EmptyBlockPosition()) {}

void BlockGame::StartGame(bool) {
  ResetDealState();
  art_.LoadTheme(-1);
  position_ = EmptyBlockPosition();
  BlockPrepareDeal(deck_, TakeDealSeed());
  PositionChanged();

  art_.DrawGameTitle(GameId());
  RedrawAll(true);
  // The twelve cards fly out one by one, slot 0 first, as a refill does.
  MoveResult dealt;
  dealt.steps = BlockRefill(position_, deck_);
  PositionChanged();
  ShowMove(dealt);
  UpdatePlayState();
  MusicInGame();
  StartClock(0);
}

void BlockGame::RedrawAll(bool) {
  art_.RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
  art_.AddDirtyRect(kScreenRect);
  for (int pile = 0; pile < kBlockPileCount; ++pile) DrawPile(pile, false);
  // The menu bar before the score box: the box's refresh shows everything drawn so far in one
  // go. The whole background was put back, score box included: draw it again whatever it showed.
  DrawMenuBar();
  ForgetScoreBox();
  UpdateScoreDisplay(-1);
  art_.FlushDirtyRects();
  UpdatePlayState();
}

void BlockGame::LegalMoves(MoveList& moves) const {
  BlockLegalMoves(position_, moves);
}

// --- Drawing ------------------------------------------------------------------------------------

void BlockGame::DrawPile(int pile, bool erase) {
  if (pile == kBlockStockPile) {
    DrawStockPile(erase);
  } else if (pile >= 0 && pile < kBlockSlots) {
    const auto slot = static_cast<std::size_t>(pile);
    DrawSlot(pile, position_.slots[slot], position_.selected[slot] != 0, erase);
  }
}

void BlockGame::DrawStockPile(bool erase, int count) {
  const ScreenRect area{kBlockStockX - kStockMarginX, kBlockStockY - kStockMarginY,
                        kBlockStockX + art_.CardWidth(), kBlockStockY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  art_.DrawStock(nullptr, kBlockStockX, kBlockStockY, art_.CardBack(),
                 count < 0 ? deck_.Remaining() : count, art_.ScreenBuffer(), false);
  art_.AddDirtyRect(area);
}

void BlockGame::DrawSlot(int slot, const Card& card, bool selected, bool erase) {
  const PileLayout& layout = Layout(slot);
  const ScreenRect area{layout.x, layout.y, layout.x + art_.CardWidth(),
                        layout.y + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  if (IsRealCard(card)) art_.DrawCard(layout.x, layout.y, card, art_.ScreenBuffer(), selected);
  art_.AddDirtyRect(area);
}

// --- The rule path ------------------------------------------------------------------------------

bool BlockGame::IsLegalMove(const Move& move) const {
  return BlockIsLegal(position_, move);
}

MoveResult BlockGame::ApplyMoveToTable(const Move& move) {
  return BlockApplyMove(position_, deck_, move);
}

// The position already holds the move's end; each step draws from the card it names, so the
// second card of a pair shows selected before the pair goes.
void BlockGame::ShowMove(const MoveResult& result) {
  // The stock shrinks card by card as the refill deals: it holds the cards still to fly.
  int stockShown = deck_.Remaining();
  for (const MoveStep& step : result.steps) stockShown += step.kind == StepKind::kDealt;
  for (const MoveStep& step : result.steps) {
    switch (step.kind) {
      case StepKind::kSelected:
      case StepKind::kUnselected:
        DrawSlot(step.from, step.card, step.kind == StepKind::kSelected, true);
        art_.FlushDirtyRects();
        break;
      case StepKind::kPairRemoved:
        HoldAnimation(kPairShown);
        DrawSlot(step.from, kNoCard, false, true);
        DrawSlot(step.to, kNoCard, false, true);
        art_.FlushDirtyRects();
        break;
      case StepKind::kDealt: {
        const PileLayout& to = Layout(step.to);
        DrawStockPile(true, --stockShown);
        FlyCard(kBlockStockX, kBlockStockY, to.x, to.y, step.card, true, true, -1);
        PlaySfx("flip.wav");
        break;
      }
      case StepKind::kMoved:
      case StepKind::kTurnedUp:
      case StepKind::kStockTurned:
      case StepKind::kRecycled:
        break;  // no card of Block Solitaire moves between piles
    }
  }
  // The flights drew over the stock; the slots end as the position says.
  DrawStockPile(true);
  for (int slot = 0; slot < kBlockSlots; ++slot) DrawPile(slot, true);
  art_.FlushDirtyRects();
}

std::optional<Move> BlockGame::MoveForClick(int x, int y) const {
  const int slot = BlockSlotAt(x, y, art_.CardWidth(), art_.CardHeight());
  // A press on an empty slot (or beside the block) does nothing and writes no snapshot.
  if (slot < 0 || !IsRealCard(position_.slots[static_cast<std::size_t>(slot)])) return std::nullopt;
  return Move{MoveKind::kSelect, slot, 0, -1};
}

bool BlockGame::NoMovesLeft() const {
  return BlockNoMovesLeft(position_, deck_);
}

bool BlockGame::IsCleared() const {
  return BlockCleared(position_, deck_);
}

void BlockGame::BuildHitLists(DragSourceList& sources, DropTargetList& targets) const {
  // Nothing is dragged: every card answers a press.
  sources.Clear();
  targets.Clear();
}

// --- Snapshots ----------------------------------------------------------------------------------

void BlockGame::WriteBlock(SnapshotWriter& out) const {
  WriteBlockSnapshotBlock(out, position_, points_, ElapsedSeconds());
}

std::optional<CardGame::SnapshotTail> BlockGame::StageBlock(SnapshotReader& in,
                                                            const Deck& stagedDeck) {
  staged_ = ReadBlockSnapshotBlock(in, stagedDeck);
  if (!staged_) return std::nullopt;
  return SnapshotTail{staged_->points, staged_->elapsedSeconds};
}

void BlockGame::CommitStagedBlock(std::span<const std::uint8_t>) {
  if (!staged_) return;
  position_ = staged_->position;
  staged_.reset();
}
