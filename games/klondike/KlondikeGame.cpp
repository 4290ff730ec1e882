// Klondike's drawing, animation, mouse, sounds and snapshots around the rules of KlondikePlay.
#include "games/klondike/KlondikeGame.h"

#include <algorithm>

#include "audio/Audio.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "platform/Screen.h"

namespace {

constexpr int kScoreAreaX = 150;
constexpr int kScoreAreaY = 550;
constexpr ScreenRect kScoreArea{50, 500, 350, 600};

// The background a pile restores before it is drawn again: room for the stock's and the
// foundations' thickness to the upper left, and for a fan of three on the waste.
constexpr int kStockMarginX = 22;
constexpr int kStockMarginY = 11;
constexpr int kWasteMarginX = 8;
constexpr int kWasteMarginY = 4;
constexpr int kWasteFanRoom = 3 * kKlondikeWasteFanDx;
constexpr int kFoundationMarginX = 4;
constexpr int kFoundationMarginY = 2;

}  // namespace

KlondikeGame::KlondikeGame(ArtworkSet& artwork, int gameId)
    : CardGame(artwork, gameId), position_(EmptyKlondikePosition(kAceRank)) {}

void KlondikeGame::StartGame(bool) {
  endedByUser_ = false;
  clockStarted_ = false;
  points_ = 0;
  finalScore_ = kScoreNotFixed;
  clock_.ClearPause();
  gameOver_ = false;

  art_.LoadTheme(-1);
  rules_ = ReadKlondikeRules();
  ClearDragSources();
  ClearDropTargets();
  position_ = KlondikePrepareDeal(deck_, rules_);

  art_.DrawGameTitle(GameId());
  RedrawAll(true);
  MusicInGame();
  DealTableau();
  StartClock(0);
}

void KlondikeGame::DealTableau() {
  const int screen = art_.ScreenBuffer();
  for (int row = 0; row < kKlondikeColumns; ++row) {
    for (int column = row; column < kKlondikeColumns; ++column) {
      const bool faceUp = column == row;
      if (!KlondikeDealToColumn(position_, deck_, column, faceUp)) {
        // An empty stock ends the row; with the row's own face-up card missing, the deal.
        if (faceUp) {
          UpdatePlayState();
          return;
        }
        break;
      }
      const int index = position_.columnCount[static_cast<std::size_t>(column)] - 1;
      const ScreenPoint place = KlondikeCardPlace(position_, column, index);
      DrawStockPile(true);
      ShowChanges();
      const Card card =
          position_.tableau[static_cast<std::size_t>(column)][static_cast<std::size_t>(index)];
      FlyCard(kKlondikeStockX, kKlondikeStockY, place.x, place.y, card, true, true,
              faceUp ? -1 : art_.CardBack());
      (void)screen;
      PlaySfx("deal.wav");
    }
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

ScreenRect KlondikeGame::CardRect(int x, int y) const {
  return {x, y, x + art_.CardWidth(), y + art_.CardHeight()};
}

void KlondikeGame::ShowChanges() {
  art_.FlushDirtyRects();
}

void KlondikeGame::DrawStockPile(bool erase) {
  const ScreenRect area{kKlondikeStockX - kStockMarginX, kKlondikeStockY - kStockMarginY,
                        kKlondikeStockX + art_.CardWidth(), kKlondikeStockY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  art_.DrawStock(nullptr, kKlondikeStockX, kKlondikeStockY, art_.CardBack(), deck_.Remaining(),
                 art_.ScreenBuffer(), KlondikeCanRecycle(position_, rules_));
  art_.AddDirtyRect(area);
}

void KlondikeGame::DrawWastePile(bool erase) {
  const ScreenRect area{kKlondikeWasteX - kWasteMarginX, kKlondikeWasteY - kWasteMarginY,
                        kKlondikeWasteX + kWasteFanRoom + art_.CardWidth(),
                        kKlondikeWasteY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  if (position_.wasteCount <= 0) {
    art_.DrawPlaceholder(kKlondikeWasteX, kKlondikeWasteY, screen);
  } else if (rules_.cardsDealt < 2) {
    art_.DrawFannedPile(kKlondikeWasteX, kKlondikeWasteY, position_.waste.data(),
                        position_.wasteCount, screen, -1, 0, 0);
  } else {
    art_.DrawFannedPile(kKlondikeWasteX, kKlondikeWasteY, position_.waste.data(),
                        position_.wasteCount, screen, std::max(1, position_.turned),
                        kKlondikeWasteFanDx, 0);
  }
  art_.AddDirtyRect(area);
}

void KlondikeGame::DrawFoundations(bool erase) {
  const int last = kKlondikeFoundations - 1;
  const ScreenRect area{
      KlondikeFoundationX(0) - kFoundationMarginX, kKlondikeFoundationY - kFoundationMarginY,
      KlondikeFoundationX(last) + art_.CardWidth(), kKlondikeFoundationY + art_.CardHeight()};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  for (int f = 0; f < kKlondikeFoundations; ++f) {
    const Card top = position_.foundations[static_cast<std::size_t>(f)];
    if (IsRealCard(top)) {
      art_.DrawFoundation(KlondikeFoundationX(f), kKlondikeFoundationY, top, screen,
                          position_.startRank, -1);
    } else {
      art_.DrawPlaceholder(KlondikeFoundationX(f), kKlondikeFoundationY, screen);
    }
  }
  art_.AddDirtyRect(area);
}

void KlondikeGame::DrawColumn(int column, bool erase) {
  const auto c = static_cast<std::size_t>(column);
  const int x = KlondikeColumnX(column);
  // Columns overlap nothing but the background from their top down to the screen's bottom.
  const ScreenRect area{x, kKlondikeColumnY, x + art_.CardWidth(), kScreenHeight - 1};
  if (erase) art_.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art_.ScreenBuffer();
  const int count = position_.columnCount[c];
  if (count <= 0) {
    art_.DrawPlaceholder(x, kKlondikeColumnY, screen);
  } else {
    for (int i = 0; i < count; ++i) {
      const ScreenPoint place = KlondikeCardPlace(position_, column, i);
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

void KlondikeGame::OnLButtonDown(std::uint32_t flags, int x, int y) {
  if (IsPaused() || IsGameOver()) return;
  const ScreenPoint top = art_.StockTop(kKlondikeStockX, kKlondikeStockY, deck_.Remaining());
  const ScreenRect stock = CardRect(top.x, top.y);
  if (x >= stock.left && x <= stock.right && y >= stock.top && y <= stock.bottom) {
    ClickStock();
    return;
  }
  for (int column = 0; column < kKlondikeColumns; ++column) {
    if (!KlondikeCanTurnUp(position_, column)) continue;
    const int count = position_.columnCount[static_cast<std::size_t>(column)];
    const ScreenPoint place = KlondikeCardPlace(position_, column, count - 1);
    const ScreenRect card = CardRect(place.x, place.y);
    if (x >= card.left && x <= card.right && y >= card.top && y <= card.bottom) {
      TurnUpColumn(column);
      return;
    }
  }
  CardGame::OnLButtonDown(flags, x, y);
  UpdatePlayState();
}

void KlondikeGame::ClickStock() {
  if (deck_.Remaining() > 0) {
    SaveUndo();
    KlondikeTurnStock(position_, deck_, rules_);
    UpdatePlayState();
    DrawStockPile(true);
    DrawWastePile(true);
    ShowChanges();
    PlaySfx("flip.wav");
    return;
  }
  if (!KlondikeCanRecycle(position_, rules_)) {
    UpdatePlayState();
    return;
  }
  SaveUndo();
  points_ += KlondikeRecycle(position_, deck_);
  DrawStockPile(true);
  DrawWastePile(true);
  ShowChanges();
  PlaySfx("shuffle.wav");
  position_.turned = 0;
  UpdatePlayState();
}

void KlondikeGame::TurnUpColumn(int column) {
  SaveUndo();
  points_ += KlondikeTurnUp(position_, column);
  DrawColumn(column, true);
  ShowChanges();
  UpdatePlayState();
}

void KlondikeGame::PickUp(const DragSource& record) {
  if (IsPaused() || IsGameOver()) return;
  // The snapshot must hold the position before the lift, and only a lift that happens.
  KlondikePosition lifted = position_;
  if (!KlondikePickUp(lifted, record)) return;
  SaveUndo();
  position_ = lifted;
  if (position_.source == kKlondikeFromWaste) {
    DrawWastePile(true);
  } else {
    DrawColumn(position_.source, true);
  }
  UpdatePlayState();
}

bool KlondikeGame::CanDrop(const DragSource& record, const DropTarget& target) {
  return KlondikeCanDrop(position_, rules_, record, target);
}

int KlondikeGame::ColumnOfTarget(const DropTarget& target) const {
  for (int column = 0; column < kKlondikeColumns; ++column)
    if (KlondikeColumnX(column) == target.x) return column;
  return -1;
}

void KlondikeGame::DropCards(const DragSource& record, const DropTarget& target) {
  const int column = ColumnOfTarget(target);
  const std::optional<int> points = KlondikeDrop(position_, record, target);
  if (!points.has_value()) {
    UpdatePlayState();
    return;
  }
  points_ += *points;
  if (target.kind == kKlondikeFoundationKind) {
    DrawFoundations(true);
    ShowChanges();
    PlaySfx("foundation.wav");
  } else if (column >= 0) {
    DrawColumn(column, true);
    ShowChanges();
    PlaySfx("tableau.wav");
  }
  UpdatePlayState();
}

void KlondikeGame::CancelMove() {
  History().DiscardLast();
  KlondikeCancelCarry(position_);
  UpdatePlayState();
}

void KlondikeGame::AutoFlip() {
  if (!rules_.autoFlip) return;
  for (int column = 0; column < kKlondikeColumns; ++column) {
    if (!KlondikeCanTurnUp(position_, column)) continue;
    TurnUpColumn(column);
  }
}

bool KlondikeGame::UpdatePlayState() {
  bool over = true;
  if (!EndedByUser()) {
    over = IsDragging() ? false : KlondikeNoMovesLeft(position_, deck_, rules_);
  }
  gameOver_ = over;
  // Without Auto Game Over only a win or End Game ends a deal.
  if (gameOver_ && ThePreferences().autoGameOver == 0 && !EndedByUser() && !IsWon())
    gameOver_ = false;

  ClearDragSources();
  ClearDropTargets();
  if (!IsPaused() && !gameOver_) {
    DragSourceList sources;
    DropTargetList targets;
    KlondikeBuildHitLists(position_, deck_, rules_, sources, targets);
    for (int i = 0; i < sources.Size(); ++i) {
      const DragSource& s = sources.At(i);
      AddDragSource(s.x, s.y, s.cards.data(), s.count);
    }
    for (int i = 0; i < targets.Size(); ++i) {
      const DropTarget& t = targets.At(i);
      AddDropTarget(t.x, t.y, t.left, t.top, t.right, t.bottom, t.kind);
    }
  }
  return gameOver_;
}

void KlondikeGame::SaveUndo() {
  if (IsPaused() || IsGameOver()) return;
  WriteSnapshot([this](SnapshotWriter& out) {
    WriteKlondikeBlock(out, position_, points_, ElapsedSeconds());
  });
}

void KlondikeGame::Undo() {
  if (IsPaused() || IsGameOver()) return;
  std::optional<KlondikeSnapshot> snapshot;
  const bool restored = ReadSnapshot([this, &snapshot](SnapshotReader& in, const Deck& stock) {
    snapshot = ReadKlondikeBlock(in, position_, stock);
    return snapshot.has_value();
  });
  if (!restored || !snapshot.has_value()) return;
  position_ = snapshot->position;
  points_ = snapshot->points - 5;
  StartClock(snapshot->elapsedSeconds);
  UpdatePlayState();
  RedrawAll(true);
  PlaySfx("undo.wav");
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

bool KlondikeGame::IsWon() const {
  return IsGameOver() && KlondikeCleared(position_, deck_);
}
