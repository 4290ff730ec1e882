// Klondike's drawing, animation, mouse, sounds and snapshots around the rules of KlondikePlay.
#include "games/klondike/KlondikeGame.h"

#include <algorithm>

#include "audio/Audio.h"
#include "games/solitaire/SolitaireDrawing.h"
#include "games/solitaire/StockSideState.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "platform/Screen.h"

namespace {

constexpr int kScoreAreaX = 150;
constexpr int kScoreAreaY = 550;
constexpr ScreenRect kScoreArea{50, 500, 350, 600};

// The background the waste restores before it is drawn again: room for a fan of three.
constexpr int kWasteMarginX = 8;
constexpr int kWasteMarginY = 4;
constexpr int kWasteFanRoom = 3 * kKlondikeWasteFanDx;

}  // namespace

KlondikeGame::KlondikeGame(ArtworkSet& artwork, int gameId)
    : CardGame(artwork, gameId), position_(EmptyKlondikePosition(kAceRank)) {}

void KlondikeGame::StartGame(bool) {
  ResetDealState();
  art_.LoadTheme(-1);
  rules_ = KlondikePlayableRules(ReadKlondikeRules());
  position_ = KlondikePrepareDeal(deck_, rules_, TakeDealSeed());
  PositionChanged();

  art_.DrawGameTitle(GameId());
  RedrawAll(true);
  MusicInGame();
  // The position is dealt at once; the animation then plays its steps one by one.
  const std::vector<MoveStep> steps = KlondikeDealTableau(position_, deck_);
  PositionChanged();
  AnimateDeal(steps);
  StartClock(0);
}

void KlondikeGame::AnimateDeal(const std::vector<MoveStep>& steps) {
  int stockShown = deck_.Remaining() + static_cast<int>(steps.size());
  for (const MoveStep& step : steps) {
    const ScreenPoint place =
        kKlondikeLayout[static_cast<std::size_t>(step.to)].CardPlace(step.index);
    DrawStockPile(true, --stockShown);
    ShowChanges();
    FlyCard(kKlondikeStockX, kKlondikeStockY, place.x, place.y, step.card, true, true,
            step.faceUp ? -1 : art_.CardBack());
    PlaySfx("deal.wav");
  }
  UpdatePlayState();
}

void KlondikeGame::RedrawAll(bool erase) {
  (void)erase;
  art_.RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
  art_.AddDirtyRect(kScreenRect);
  DrawStockPile(false);
  DrawWastePile(false);
  DrawFoundations(false);
  for (int column = 0; column < kKlondikeColumns; ++column) DrawColumn(column, false);
  // The menu bar before the score box: the box's refresh shows everything drawn so far in one
  // go. The whole background was put back, score box included: draw it again whatever it showed.
  DrawMenuBar();
  ForgetScoreBox();
  UpdateScoreDisplay(-1);
  ShowChanges();
  UpdatePlayState();
}

void KlondikeGame::LegalMoves(MoveList& moves) const {
  KlondikeLegalMoves(position_, deck_, rules_, moves);
}

ScreenRect KlondikeGame::CardRect(int x, int y) const {
  return {x, y, x + art_.CardWidth(), y + art_.CardHeight()};
}

void KlondikeGame::ShowChanges() {
  art_.FlushDirtyRects();
}

void KlondikeGame::DrawPile(int pile, bool erase) {
  if (pile == kKlondikeStockPile) {
    DrawStockPile(erase);
  } else if (pile == kKlondikeWastePile) {
    DrawWastePile(erase);
  } else if (pile >= KlondikeColumnPile(0) && pile < kKlondikePileCount) {
    DrawColumn(pile - KlondikeColumnPile(0), erase);
  } else if (pile >= KlondikeFoundationPile(0)) {
    DrawFoundations(erase);
  }
}

void KlondikeGame::DrawStockPile(bool erase, int shownCards) {
  DrawSolitaireStock(art_, kKlondikeStockX, kKlondikeStockY,
                     shownCards >= 0 ? shownCards : deck_.Remaining(),
                     KlondikeCanRecycle(position_, rules_), erase);
}

void KlondikeGame::DrawWastePile(bool erase) {
  const ScreenRect area{kKlondikeWasteX - kWasteMarginX, kKlondikeWasteY - kWasteMarginY,
                        kKlondikeWasteX + kWasteFanRoom + art_.CardWidth(),
                        kKlondikeWasteY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  // A card lifted by a drag is drawn in the hand, and the fan shows one card fewer.
  const bool lifted = LiftedFrom(kKlondikeWastePile) >= 0;
  const int count = lifted ? position_.wasteCount - 1 : position_.wasteCount;
  const int turned = lifted ? position_.turned - 1 : position_.turned;
  if (count <= 0) {
    art_.DrawPlaceholder(kKlondikeWasteX, kKlondikeWasteY, screen);
  } else if (rules_.cardsDealt < 2) {
    art_.DrawFannedPile(kKlondikeWasteX, kKlondikeWasteY, position_.waste.data(), count, screen, -1,
                        0, 0);
  } else {
    art_.DrawFannedPile(kKlondikeWasteX, kKlondikeWasteY, position_.waste.data(), count, screen,
                        std::max(1, turned), kKlondikeWasteFanDx, 0);
  }
  art_.AddDirtyRect(area);
}

void KlondikeGame::DrawFoundations(bool erase) {
  DrawFoundationRow(
      art_, std::span(kKlondikeLayout).subspan(KlondikeFoundationPile(0), kKlondikeFoundations),
      position_.foundations, position_.startRank, erase);
}

void KlondikeGame::DrawColumn(int column, bool erase) {
  const auto c = static_cast<std::size_t>(column);
  const int x = KlondikeColumnX(column);
  // Columns overlap nothing but the background from their top down to the screen's bottom.
  const ScreenRect area{x, kKlondikeColumnY, x + art_.CardWidth(), kScreenHeight - 1};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  const int lifted = LiftedFrom(KlondikeColumnPile(column));
  const int count = lifted >= 0 ? lifted : position_.columnCount[c];
  if (count <= 0) {
    art_.DrawPlaceholder(x, kKlondikeColumnY, screen);
  } else {
    for (int i = 0; i < count; ++i) {
      const ScreenPoint place = KlondikeCardPlace(column, i);
      if (i < position_.faceDown[c]) {
        art_.DrawBack(place.x, place.y, art_.CardBack(), screen);
      } else {
        art_.DrawCard(place.x, place.y, position_.tableau[c][static_cast<std::size_t>(i)], screen,
                      0);
      }
    }
  }
  art_.AddDirtyRect(area);
}

// --- The rule path ------------------------------------------------------------------------------

bool KlondikeGame::IsLegalMove(const Move& move) const {
  return KlondikeIsLegal(position_, deck_, rules_, move);
}

MoveResult KlondikeGame::ApplyMoveToTable(const Move& move) {
  return KlondikeApplyMove(position_, deck_, rules_, move);
}

void KlondikeGame::ShowMove(const MoveResult& result) {
  for (const MoveStep& step : result.steps) {
    switch (step.kind) {
      case StepKind::kStockTurned:
      case StepKind::kRecycled:
        DrawStockPile(true);
        DrawWastePile(true);
        ShowChanges();
        PlaySfx(step.kind == StepKind::kStockTurned ? "flip.wav" : "shuffle.wav");
        break;
      case StepKind::kTurnedUp:
        DrawPile(step.from, true);
        ShowChanges();
        break;
      case StepKind::kMoved: {
        DrawPile(step.from, true);
        DrawPile(step.to, true);
        ShowChanges();
        const bool home =
            kKlondikeLayout[static_cast<std::size_t>(step.to)].kind == PileKind::kFoundation;
        PlaySfx(home ? "foundation.wav" : "tableau.wav");
        break;
      }
      case StepKind::kDealt:
        DrawPile(step.to, true);
        ShowChanges();
        break;
      case StepKind::kSelected:
      case StepKind::kUnselected:
      case StepKind::kPairRemoved:
        break;  // Klondike selects nothing
    }
  }
}

std::optional<Move> KlondikeGame::MoveForClick(int x, int y) const {
  const auto inside = [x, y](const ScreenRect& r) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
  };
  const ScreenPoint top = art_.StockTop(kKlondikeStockX, kKlondikeStockY, deck_.Remaining());
  if (inside(CardRect(top.x, top.y))) return Move{MoveKind::kStock, kKlondikeStockPile, 0, -1};
  for (int column = 0; column < kKlondikeColumns; ++column) {
    if (!KlondikeCanTurnUp(position_, column)) continue;
    const int count = position_.columnCount[static_cast<std::size_t>(column)];
    const ScreenPoint place = KlondikeCardPlace(column, count - 1);
    if (inside(CardRect(place.x, place.y)))
      return Move{MoveKind::kTurnUp, KlondikeColumnPile(column), 0, -1};
  }
  return std::nullopt;
}

void KlondikeGame::AutomaticMoves(MoveList& moves) const {
  KlondikeAutoFlipMoves(position_, rules_, moves);
}

bool KlondikeGame::NoMovesLeft() const {
  return KlondikeNoMovesLeft(position_, deck_, rules_);
}

bool KlondikeGame::IsCleared() const {
  return KlondikeCleared(position_, deck_);
}

void KlondikeGame::BuildHitLists(DragSourceList& sources, DropTargetList& targets) const {
  KlondikeBuildHitLists(position_, rules_, sources, targets);
}

void KlondikeGame::WriteBlock(SnapshotWriter& out) const {
  WriteKlondikeBlock(out, position_, points_, ElapsedSeconds());
}

std::optional<CardGame::SnapshotTail> KlondikeGame::StageBlock(SnapshotReader& in,
                                                               const Deck& stagedDeck) {
  staged_ = ReadKlondikeBlock(in, position_, stagedDeck);
  if (!staged_) return std::nullopt;
  return SnapshotTail{staged_->points, staged_->elapsedSeconds};
}

std::vector<std::uint8_t> KlondikeGame::SideState() const {
  return WriteStockSideStateOf(position_);
}

void KlondikeGame::CommitStagedBlock(std::span<const std::uint8_t> sideState) {
  if (!staged_) return;
  position_ = staged_->position;
  staged_.reset();
  // The recycle and the fan come back with the position they belong to.
  RestoreStockSideState(sideState, position_);
}

KlondikeFullState KlondikeGame::FullState() const {
  return {position_, deck_, points_, ElapsedSeconds()};
}

void KlondikeGame::GetFanOffset(int& dx, int& dy) const {
  dx = 0;
  dy = kKlondikeFanDy;
}

void KlondikeGame::GetSecondFanOffset(int& dx, int& dy) const {
  dx = kKlondikeWasteFanDx;
  dy = 0;
}

void KlondikeGame::GetScoreArea(int& x, int& y, ScreenRect& area) const {
  x = kScoreAreaX;
  y = kScoreAreaY;
  area = kScoreArea;
}

double KlondikeGame::ScoreFactor() const {
  return KlondikeScoreFactor(rules_);
}
