// Auld Lang Syne's drawing, mouse, sounds and snapshots around the rules of AuldLangSynePlay.
#include "games/auldlangsyne/AuldLangSyneGame.h"

#include "audio/Audio.h"
#include "games/solitaire/SolitaireDrawing.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/Screen.h"

namespace {

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

const PileLayout& Layout(int pile) {
  return kAlsLayout[At(pile)];
}

}  // namespace

AuldLangSyneGame::AuldLangSyneGame(ArtworkSet& artwork, int gameId)
    : CardGame(artwork, gameId), position_(EmptyAuldLangSynePosition()) {}

void AuldLangSyneGame::StartGame(bool) {
  ResetDealState();
  art_.LoadTheme(-1);
  rules_ = AuldLangSynePlayableRules(ReadAuldLangSyneRules());
  position_ = AuldLangSynePrepareDeal(deck_, rules_, TakeDealSeed());
  PositionChanged();

  art_.DrawGameTitle(GameId());
  RedrawAll(true);
  MusicInGame();
  // The first round is dealt at once; the animation then plays its steps one by one.
  const std::vector<MoveStep> steps = AuldLangSyneDealRound(position_, deck_);
  PositionChanged();
  AnimateDeal(steps, true);
  RedrawAll(true);
  StartClock(0);
}

void AuldLangSyneGame::AnimateDeal(const std::vector<MoveStep>& steps, bool fast) {
  int stockShown = deck_.Remaining() + static_cast<int>(steps.size());
  for (const MoveStep& step : steps) {
    const ScreenPoint place = Layout(step.to).CardPlace(step.index);
    DrawStockPile(true, --stockShown);
    art_.FlushDirtyRects();
    FlyCard(kAlsStockX, kAlsStockY, place.x, place.y, step.card, true, fast, -1);
    PlaySfx("deal.wav");
  }
}

void AuldLangSyneGame::RedrawAll(bool) {
  art_.RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
  art_.AddDirtyRect(kScreenRect);
  DrawStockPile(false);
  DrawFoundations(false);
  for (int t = 0; t < kAlsTableauPiles; ++t) DrawTableauPile(t, false);
  // The menu bar before the score box: the box's refresh shows everything drawn so far in one
  // go. The whole background was put back, score box included: draw it again whatever it showed.
  DrawMenuBar();
  ForgetScoreBox();
  UpdateScoreDisplay(-1);
  art_.FlushDirtyRects();
  UpdatePlayState();
}

void AuldLangSyneGame::LegalMoves(MoveList& moves) const {
  AuldLangSyneLegalMoves(position_, deck_, moves);
}

ScreenRect AuldLangSyneGame::CardRect(int x, int y) const {
  return {x, y, x + art_.CardWidth(), y + art_.CardHeight()};
}

// --- Drawing ------------------------------------------------------------------------------------

void AuldLangSyneGame::DrawPile(int pile, bool erase) {
  if (pile == kAlsStockPile) {
    DrawStockPile(erase);
  } else if (pile < AlsTableauPile(0)) {
    DrawFoundations(erase);
  } else if (pile < kAlsPileCount) {
    DrawTableauPile(pile - AlsTableauPile(0), erase);
  }
}

void AuldLangSyneGame::DrawStockPile(bool erase, int shownCards) {
  // The stock is never turned again: an empty one shows the second marker.
  DrawSolitaireStock(art_, kAlsStockX, kAlsStockY, shownCards >= 0 ? shownCards : deck_.Remaining(),
                     false, erase);
}

void AuldLangSyneGame::DrawFoundations(bool erase) {
  DrawFoundationRow(art_, std::span(kAlsLayout).subspan(AlsFoundationPile(0), kAlsFoundations),
                    position_.foundations, position_.startRank, erase);
}

void AuldLangSyneGame::DrawTableauPile(int t, bool erase) {
  const PileLayout& layout = Layout(AlsTableauPile(t));
  // Tableau piles overlap nothing but the background from their top down to the screen's bottom.
  const ScreenRect area{layout.x, layout.y, layout.x + art_.CardWidth(), kScreenHeight - 1};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  const int count = position_.tableauCount[At(t)];
  if (count <= 0) art_.DrawPlaceholder(layout.x, layout.y, screen);
  for (int i = 0; i < count; ++i) {
    const ScreenPoint place = layout.CardPlace(i);
    art_.DrawCard(place.x, place.y, position_.tableau[At(t)][At(i)], screen, 0);
  }
  art_.AddDirtyRect(area);
}

// --- The rule path ------------------------------------------------------------------------------

bool AuldLangSyneGame::IsLegalMove(const Move& move) const {
  return AuldLangSyneIsLegal(position_, move);
}

MoveResult AuldLangSyneGame::ApplyMoveToTable(const Move& move) {
  return AuldLangSyneApplyMove(position_, deck_, move);
}

void AuldLangSyneGame::ShowMove(const MoveResult& result) {
  if (!result.steps.empty() && result.steps.front().kind == StepKind::kDealt) {
    AnimateDeal(result.steps, false);
    for (int t = 0; t < kAlsTableauPiles; ++t) DrawTableauPile(t, true);
    DrawStockPile(true);
    art_.FlushDirtyRects();
    return;
  }
  for (const MoveStep& step : result.steps) {
    if (step.kind != StepKind::kMoved) continue;
    // The pile gives up its card first, so the flight leaves from an uncovered place.
    DrawPile(step.from, true);
    art_.FlushDirtyRects();
    const ScreenPoint from = Layout(step.from).CardPlace(step.index);
    const PileLayout& to = Layout(step.to);
    FlyCard(from.x, from.y, to.x, to.y, step.card, true, false, -1);
    DrawPile(step.to, true);
    art_.FlushDirtyRects();
    PlaySfx("foundation.wav");
  }
}

std::optional<Move> AuldLangSyneGame::MoveForClick(int x, int y) const {
  const auto inside = [x, y](const ScreenRect& r) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
  };
  // The stock's place, and its top layer when the pile is thick; an empty stock answers too.
  const ScreenPoint top = art_.StockTop(kAlsStockX, kAlsStockY, deck_.Remaining());
  if (inside(CardRect(kAlsStockX, kAlsStockY)) || inside(CardRect(top.x, top.y)))
    return Move{MoveKind::kStock, kAlsStockPile, 0, -1};
  for (int t = 0; t < kAlsTableauPiles; ++t) {
    const int count = position_.tableauCount[At(t)];
    if (count <= 0) continue;
    const ScreenPoint place = Layout(AlsTableauPile(t)).CardPlace(count - 1);
    if (!inside(CardRect(place.x, place.y))) continue;
    const int f = AuldLangSyneTargetOf(position_, t);
    if (f < 0) return std::nullopt;
    return Move{MoveKind::kCards, AlsTableauPile(t), count - 1, AlsFoundationPile(f)};
  }
  return std::nullopt;
}

bool AuldLangSyneGame::NoMovesLeft() const {
  return AuldLangSyneNoMovesLeft(position_, deck_);
}

bool AuldLangSyneGame::IsCleared() const {
  return AuldLangSyneCleared(position_, deck_);
}

void AuldLangSyneGame::BuildHitLists(DragSourceList& sources, DropTargetList& targets) const {
  // No drag sources: a press the click rule does not turn into a move must lift nothing.
  sources.Clear();
  AuldLangSyneBuildHitLists(targets);
}

// --- Snapshots ----------------------------------------------------------------------------------

void AuldLangSyneGame::WriteBlock(SnapshotWriter& out) const {
  WriteAuldLangSyneBlock(out, position_, points_, ElapsedSeconds());
}

std::optional<CardGame::SnapshotTail> AuldLangSyneGame::StageBlock(SnapshotReader& in,
                                                                   const Deck& stagedDeck) {
  staged_ = ReadAuldLangSyneBlock(in, position_, stagedDeck);
  if (!staged_) return std::nullopt;
  return SnapshotTail{staged_->points, staged_->elapsedSeconds};
}

void AuldLangSyneGame::CommitStagedBlock(std::span<const std::uint8_t>) {
  // The block holds the whole position but the start rank, which a deal never changes.
  if (!staged_) return;
  position_ = staged_->position;
  staged_.reset();
}

void AuldLangSyneGame::GetFanOffset(int& dx, int& dy) const {
  dx = 0;
  dy = kAlsFanDy;
}

double AuldLangSyneGame::ScoreFactor() const {
  return AuldLangSyneScoreFactor(rules_);
}
