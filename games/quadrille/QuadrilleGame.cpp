// Quadrille's drawing, mouse, sounds and snapshots around the rules of QuadrillePlay.
#include "games/quadrille/QuadrilleGame.h"

#include <algorithm>

#include "audio/Audio.h"
#include "games/solitaire/Building.h"
#include "games/solitaire/StockSideState.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/Screen.h"

namespace {

// The offset from one card of a carried stack to the next; Quadrille carries one card at a time.
constexpr int kFanDx = 14, kFanDy = 16;

// The background a pile restores before it is drawn again: the stock's thickness to the upper
// left; the waste's thickness (52 cards: five layers) and a fan of three to the right.
constexpr int kStockMarginX = 22, kStockMarginY = 11;
constexpr int kWasteMarginX = 12, kWasteMarginY = 6;
constexpr int kWasteFanRoom = 2 * kQuadrilleWasteFanDx;

// The centre shows every Queen it holds side by side, 14 pixels apart and centred on its place,
// so each Queen's index corner stays in sight and the fan keeps clear of the ring.
constexpr int kCentreFanDx = 14;
constexpr int kCentreRoom = kCentreFanDx * (kQuadrilleCentreSlots - 1) / 2;

const PileLayout& Layout(int pile) {
  return kQuadrilleLayout[static_cast<std::size_t>(pile)];
}

}  // namespace

QuadrilleGame::QuadrilleGame(ArtworkSet& artwork, int gameId)
    : CardGame(artwork, gameId), position_(EmptyQuadrillePosition()) {}

void QuadrilleGame::StartGame(bool) {
  ResetDealState();
  art_.LoadTheme(-1);
  rules_ = QuadrillePlayableRules(ReadQuadrilleRules());
  position_ = QuadrillePrepareDeal(deck_, rules_, TakeDealSeed());
  PositionChanged();

  art_.DrawGameTitle(GameId());
  RedrawAll(true);
  MusicInGame();
  StartClock(0);
}

void QuadrilleGame::RedrawAll(bool) {
  art_.RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
  art_.AddDirtyRect(kScreenRect);
  for (int pile = 0; pile < kQuadrillePileCount; ++pile) DrawPile(pile, false);
  // The menu bar before the score box: the box's refresh shows everything drawn so far in one
  // go. The whole background was put back, score box included: draw it again whatever it showed.
  DrawMenuBar();
  ForgetScoreBox();
  UpdateScoreDisplay(-1);
  art_.FlushDirtyRects();
  UpdatePlayState();
}

void QuadrilleGame::LegalMoves(MoveList& moves) const {
  QuadrilleLegalMoves(position_, deck_, rules_, moves);
}

ScreenRect QuadrilleGame::CardRect(int x, int y) const {
  return {x, y, x + art_.CardWidth(), y + art_.CardHeight()};
}

// --- Drawing ------------------------------------------------------------------------------------

void QuadrilleGame::DrawPile(int pile, bool erase) {
  if (pile == kQuadrilleStockPile) {
    DrawStockPile(erase);
  } else if (pile == kQuadrilleWastePile) {
    DrawWastePile(erase);
  } else if (pile == kQuadrilleCentrePile) {
    DrawCentre(erase);
  } else if (pile > kQuadrilleWastePile && pile < kQuadrillePileCount) {
    DrawFoundation(pile, erase);
  }
}

void QuadrilleGame::DrawStockPile(bool erase) {
  const ScreenRect area{kQuadrilleStockX - kStockMarginX, kQuadrilleStockY - kStockMarginY,
                        kQuadrilleStockX + art_.CardWidth(), kQuadrilleStockY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  // An empty stock shows the third marker while a recycle is left, the second once none is.
  art_.DrawStock(nullptr, kQuadrilleStockX, kQuadrilleStockY, art_.CardBack(), deck_.Remaining(),
                 art_.ScreenBuffer(), RecycleLeft(rules_.recycles, position_.recyclesUsed));
  art_.AddDirtyRect(area);
}

void QuadrilleGame::DrawWastePile(bool erase) {
  const ScreenRect area{kQuadrilleWasteX - kWasteMarginX, kQuadrilleWasteY - kWasteMarginY,
                        kQuadrilleWasteX + kWasteFanRoom + art_.CardWidth(),
                        kQuadrilleWasteY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  // A card lifted by a drag is drawn in the hand, and the fan shows one card fewer.
  const bool lifted = LiftedFrom(kQuadrilleWastePile) >= 0;
  const int count = lifted ? position_.wasteCount - 1 : position_.wasteCount;
  const int turned = lifted ? position_.turned - 1 : position_.turned;
  if (count <= 0) {
    art_.DrawPlaceholder(kQuadrilleWasteX, kQuadrilleWasteY, screen);
  } else if (rules_.cardsDealt < 2) {
    art_.DrawFannedPile(kQuadrilleWasteX, kQuadrilleWasteY, position_.waste.data(), count, screen,
                        -1, 0, 0);
  } else {
    art_.DrawFannedPile(kQuadrilleWasteX, kQuadrilleWasteY, position_.waste.data(), count, screen,
                        std::max(1, turned), kQuadrilleWasteFanDx, 0);
  }
  art_.AddDirtyRect(area);
}

void QuadrilleGame::DrawFoundation(int pile, bool erase) {
  const PileLayout& layout = Layout(pile);
  const ScreenRect area = CardRect(layout.x, layout.y);
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int six = pile - QuadrilleSixPile(0);
  const Card top = six < kQuadrilleFoundations
                       ? position_.sixes[static_cast<std::size_t>(six)]
                       : position_.fives[static_cast<std::size_t>(pile - QuadrilleFivePile(0))];
  // A foundation holds six cards at most: never thick enough to show a second layer.
  if (IsRealCard(top)) {
    art_.DrawCard(layout.x, layout.y, top, art_.ScreenBuffer(), 0);
  } else {
    art_.DrawPlaceholder(layout.x, layout.y, art_.ScreenBuffer());
  }
  art_.AddDirtyRect(area);
}

void QuadrilleGame::DrawCentre(bool erase) {
  const ScreenRect area{kQuadrilleCentreX - kCentreRoom, kQuadrilleCentreY,
                        kQuadrilleCentreX + kCentreRoom + art_.CardWidth(),
                        kQuadrilleCentreY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int count = position_.centreCount;
  if (count <= 0) {
    art_.DrawPlaceholder(kQuadrilleCentreX, kQuadrilleCentreY, art_.ScreenBuffer());
  } else {
    const int left = kQuadrilleCentreX - kCentreFanDx * (count - 1) / 2;
    art_.DrawCards(left, kQuadrilleCentreY, position_.centre.data(), art_.ScreenBuffer(), count,
                   kCentreFanDx, 0);
  }
  art_.AddDirtyRect(area);
}

// --- The rule path ------------------------------------------------------------------------------

bool QuadrilleGame::IsLegalMove(const Move& move) const {
  return QuadrilleIsLegal(position_, deck_, rules_, move);
}

MoveResult QuadrilleGame::ApplyMoveToTable(const Move& move) {
  return QuadrilleApplyMove(position_, deck_, rules_, move);
}

void QuadrilleGame::ShowMove(const MoveResult& result) {
  for (const MoveStep& step : result.steps) {
    DrawPile(step.from, true);
    DrawPile(step.to, true);
    art_.FlushDirtyRects();
    if (step.kind == StepKind::kStockTurned) PlaySfx("flip.wav");
    if (step.kind == StepKind::kMoved) PlaySfx("foundation.wav");
  }
}

std::optional<Move> QuadrilleGame::MoveForClick(int x, int y) const {
  const auto inside = [x, y](const ScreenRect& r) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
  };
  // The stock's place, and its top layer when the pile is thick.
  const ScreenPoint top = art_.StockTop(kQuadrilleStockX, kQuadrilleStockY, deck_.Remaining());
  if (inside(CardRect(kQuadrilleStockX, kQuadrilleStockY)) || inside(CardRect(top.x, top.y)))
    return Move{MoveKind::kStock, kQuadrilleStockPile, 0, -1};
  return std::nullopt;
}

bool QuadrilleGame::NoMovesLeft() const {
  return QuadrilleNoMovesLeft(position_, deck_, rules_);
}

bool QuadrilleGame::IsCleared() const {
  return QuadrilleCleared(position_, deck_);
}

void QuadrilleGame::BuildHitLists(DragSourceList& sources, DropTargetList& targets) const {
  QuadrilleBuildHitLists(position_, rules_, sources, targets);
}

// --- Snapshots ----------------------------------------------------------------------------------

void QuadrilleGame::WriteBlock(SnapshotWriter& out) const {
  WriteQuadrilleBlock(out, position_, points_, ElapsedSeconds());
}

std::optional<CardGame::SnapshotTail> QuadrilleGame::StageBlock(SnapshotReader& in,
                                                                const Deck& stagedDeck) {
  staged_ = ReadQuadrilleBlock(in, position_, stagedDeck);
  if (!staged_) return std::nullopt;
  return SnapshotTail{staged_->points, staged_->elapsedSeconds};
}

std::vector<std::uint8_t> QuadrilleGame::SideState() const {
  return WriteStockSideStateOf(position_);
}

void QuadrilleGame::CommitStagedBlock(std::span<const std::uint8_t> sideState) {
  if (!staged_) return;
  position_ = staged_->position;
  staged_.reset();
  // The recycle and the fan come back with the position they belong to.
  RestoreStockSideState(sideState, position_);
}

void QuadrilleGame::GetFanOffset(int& dx, int& dy) const {
  dx = kFanDx;
  dy = kFanDy;
}

double QuadrilleGame::ScoreFactor() const {
  return QuadrilleScoreFactor(rules_);
}
