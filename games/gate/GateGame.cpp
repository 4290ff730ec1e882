// Gate's drawing, animation, sounds and snapshots around the rules of GatePlay.
#include "games/gate/GateGame.h"

#include <algorithm>

#include "audio/Audio.h"
#include "games/solitaire/SolitaireDrawing.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/Screen.h"

namespace {

constexpr int kScoreAreaX = 150;
constexpr int kScoreAreaY = 550;
constexpr ScreenRect kScoreArea{50, 500, 350, 600};

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

}  // namespace

GateGame::GateGame(ArtworkSet& artwork, int gameId)
    : CardGame(artwork, gameId), position_(EmptyGatePosition(kAceRank)) {}

void GateGame::StartGame(bool) {
  ResetDealState();
  art_.LoadTheme(-1);
  rules_ = GatePlayableRules(ReadGateRules());
  position_ = GatePrepareDeal(deck_, rules_, TakeDealSeed());
  PositionChanged();

  art_.DrawGameTitle(GameId());
  RedrawAll(true);
  MusicInGame();
  // The position is dealt at once; the animation then plays its steps one by one.
  const std::vector<MoveStep> steps = GateDealTable(position_, deck_);
  PositionChanged();
  AnimateDeal(steps);
  RedrawAll(true);
  StartClock(0);
}

void GateGame::AnimateDeal(const std::vector<MoveStep>& steps) {
  int stockShown = deck_.Remaining() + static_cast<int>(steps.size());
  for (const MoveStep& step : steps) {
    const ScreenPoint place = kGateLayout[At(step.to)].CardPlace(step.index);
    DrawStockPile(true, --stockShown);
    art_.FlushDirtyRects();
    FlyCard(kGateStockX, kGateStockY, place.x, place.y, step.card, true, true, -1);
    PlaySfx("flip.wav");
  }
}

void GateGame::RedrawAll(bool erase) {
  (void)erase;
  art_.RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
  art_.AddDirtyRect(kScreenRect);
  DrawStockPile(false);
  DrawWastePile(false);
  for (int post = 0; post < kGatePosts; ++post) DrawPost(post, false);
  DrawFoundations(false);
  for (int t = 0; t < kGateTableauPiles; ++t) DrawTableauPile(t, false);
  // The menu bar before the score box: the box's refresh shows everything drawn so far in one
  // go. The whole background was put back, score box included: draw it again whatever it showed.
  DrawMenuBar();
  ForgetScoreBox();
  UpdateScoreDisplay(-1);
  art_.FlushDirtyRects();
  UpdatePlayState();
}

void GateGame::LegalMoves(MoveList& moves) const {
  GateLegalMoves(position_, deck_, rules_, moves);
}

ScreenRect GateGame::CardRect(int x, int y) const {
  return {x, y, x + art_.CardWidth(), y + art_.CardHeight()};
}

void GateGame::DrawPile(int pile, bool erase) {
  if (pile == kGateStockPile) {
    DrawStockPile(erase);
  } else if (pile == kGateWastePile) {
    DrawWastePile(erase);
  } else if (pile < GateFoundationPile(0)) {
    DrawPost(pile - GatePostPile(0), erase);
  } else if (pile < GateTableauPile(0)) {
    DrawFoundations(erase);
  } else if (pile < kGatePileCount) {
    DrawTableauPile(pile - GateTableauPile(0), erase);
  }
}

void GateGame::DrawStockPile(bool erase, int shownCards) {
  DrawSolitaireStock(art_, kGateStockX, kGateStockY,
                     shownCards >= 0 ? shownCards : deck_.Remaining(),
                     GateCanRecycle(position_, rules_), erase);
}

void GateGame::DrawWastePile(bool erase) {
  const ScreenPoint highest = GateWasteTop(kGateWasteSlots);
  const ScreenRect area{highest.x, highest.y, kGateWasteX + art_.CardWidth(),
                        kGateWasteY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  // A card lifted by a drag is drawn in the hand, and the pile shows one card fewer.
  const int count =
      LiftedFrom(kGateWastePile) >= 0 ? position_.wasteCount - 1 : position_.wasteCount;
  if (count <= 0) {
    art_.DrawPlaceholder(kGateWasteX, kGateWasteY, screen);
  } else {
    // A squared pile, one layer for every five cards, the top card on the highest layer.
    const ScreenPoint top = GateWasteTop(count);
    const int layers = (kGateWasteX - top.x) / 2;
    for (int j = 0; j <= layers; ++j)
      art_.DrawCard(kGateWasteX - 2 * j, kGateWasteY - j,
                    position_.waste[At(count - 1 - layers + j)], screen, 0);
  }
  art_.AddDirtyRect(area);
}

void GateGame::DrawPost(int post, bool erase) {
  const PileLayout& layout = kGateLayout[At(GatePostPile(post))];
  const ScreenPoint last = layout.CardPlace(kGatePostSlots - 1);
  const ScreenRect area{layout.x, layout.y, layout.x + art_.CardWidth(),
                        last.y + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  const int lifted = LiftedFrom(GatePostPile(post));
  const int count = lifted >= 0 ? lifted : position_.postCount[At(post)];
  if (count <= 0) art_.DrawPlaceholder(layout.x, layout.y, screen);
  for (int i = 0; i < count; ++i) {
    const ScreenPoint place = layout.CardPlace(i);
    art_.DrawCard(place.x, place.y, position_.posts[At(post)][At(i)], screen, 0);
  }
  art_.AddDirtyRect(area);
}

void GateGame::DrawFoundations(bool erase) {
  DrawFoundationRow(art_, std::span(kGateLayout).subspan(GateFoundationPile(0), kGateFoundations),
                    position_.foundations, position_.startRank, erase);
}

void GateGame::DrawTableauPile(int t, bool erase) {
  const int x = GateTableauX(t);
  // Tableau piles overlap nothing but the background from their top down to the screen's bottom.
  const ScreenRect area{x, kGateTableauY, x + art_.CardWidth(), kScreenHeight - 1};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  const int lifted = LiftedFrom(GateTableauPile(t));
  const int count = lifted >= 0 ? lifted : position_.tableauCount[At(t)];
  if (count <= 0) art_.DrawPlaceholder(x, kGateTableauY, screen);
  const PileLayout& layout = kGateLayout[At(GateTableauPile(t))];
  for (int i = 0; i < count; ++i) {
    const ScreenPoint place = layout.CardPlace(i);
    art_.DrawCard(place.x, place.y, position_.tableau[At(t)][At(i)], screen, 0);
  }
  art_.AddDirtyRect(area);
}

// --- The rule path ------------------------------------------------------------------------------

bool GateGame::IsLegalMove(const Move& move) const {
  return GateIsLegal(position_, deck_, rules_, move);
}

MoveResult GateGame::ApplyMoveToTable(const Move& move) {
  return GateApplyMove(position_, deck_, rules_, move);
}

void GateGame::ShowMove(const MoveResult& result) {
  for (const MoveStep& step : result.steps) {
    switch (step.kind) {
      case StepKind::kStockTurned:
      case StepKind::kRecycled:
        DrawStockPile(true);
        DrawWastePile(true);
        art_.FlushDirtyRects();
        if (step.kind == StepKind::kStockTurned) PlaySfx("flip.wav");
        break;
      case StepKind::kMoved: {
        DrawPile(step.from, true);
        DrawPile(step.to, true);
        art_.FlushDirtyRects();
        const bool home = kGateLayout[At(step.to)].kind == PileKind::kFoundation;
        PlaySfx(home ? "foundation.wav" : "tableau.wav");
        break;
      }
      case StepKind::kTurnedUp:
      case StepKind::kDealt:
        DrawPile(step.to, true);
        art_.FlushDirtyRects();
        break;
      case StepKind::kSelected:
      case StepKind::kUnselected:
      case StepKind::kPairRemoved:
        break;  // Gate selects nothing
    }
  }
}

std::optional<Move> GateGame::MoveForClick(int x, int y) const {
  const ScreenPoint top = art_.StockTop(kGateStockX, kGateStockY, deck_.Remaining());
  const ScreenRect r = CardRect(top.x, top.y);
  if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom)
    return Move{MoveKind::kStock, kGateStockPile, 0, -1};
  return std::nullopt;
}

bool GateGame::NoMovesLeft() const {
  return GateNoMovesLeft(position_, deck_, rules_);
}

bool GateGame::IsCleared() const {
  return GateCleared(position_, deck_);
}

void GateGame::BuildHitLists(DragSourceList& sources, DropTargetList& targets) const {
  GateBuildHitLists(position_, rules_, sources, targets);
}

void GateGame::WriteBlock(SnapshotWriter& out) const {
  WriteGateBlock(out, position_, points_, ElapsedSeconds());
}

std::optional<CardGame::SnapshotTail> GateGame::StageBlock(SnapshotReader& in,
                                                           const Deck& stagedDeck) {
  staged_ = ReadGateBlock(in, stagedDeck);
  if (!staged_) return std::nullopt;
  return SnapshotTail{staged_->points, staged_->elapsedSeconds};
}

void GateGame::CommitStagedBlock(std::span<const std::uint8_t>) {
  // Gate's block holds the recycles used itself: nothing is kept beside the file.
  if (!staged_) return;
  position_ = staged_->position;
  staged_.reset();
}

void GateGame::GetFanOffset(int& dx, int& dy) const {
  dx = 0;
  dy = kGateFanDy;
}

void GateGame::GetSecondFanOffset(int& dx, int& dy) const {
  dx = 10;
  dy = 0;
}

void GateGame::GetScoreArea(int& x, int& y, ScreenRect& area) const {
  x = kScoreAreaX;
  y = kScoreAreaY;
  area = kScoreArea;
}

double GateGame::ScoreFactor() const {
  return GateScoreFactor(rules_);
}
