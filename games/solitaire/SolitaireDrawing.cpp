// The stock and the foundation row as the solitaire games with a stock draw them.
#include "games/solitaire/SolitaireDrawing.h"

#include "gfx/art/ArtworkSet.h"

namespace {

// Room for the thickness the card drawing gives a stock and a foundation, up and to the left.
constexpr int kStockMarginX = 22;
constexpr int kStockMarginY = 11;
constexpr int kFoundationMarginX = 4;
constexpr int kFoundationMarginY = 2;

}  // namespace

void DrawSolitaireStock(ArtworkSet& art, int x, int y, int count, bool canRecycle, bool erase) {
  const ScreenRect area{x - kStockMarginX, y - kStockMarginY, x + art.CardWidth(),
                        y + art.CardHeight()};
  if (erase) art.RestoreBackground(area.left, area.right, area.top, area.bottom);
  art.DrawStock(nullptr, x, y, art.CardBack(), count, art.ScreenBuffer(), canRecycle);
  art.AddDirtyRect(area);
}

void DrawFoundationRow(ArtworkSet& art, std::span<const PileLayout> piles,
                       std::span<const Card> tops, int startRank, bool erase) {
  if (piles.empty()) return;
  const PileLayout& first = piles.front();
  const PileLayout& last = piles.back();
  const ScreenRect area{first.x - kFoundationMarginX, first.y - kFoundationMarginY,
                        last.x + art.CardWidth(), last.y + art.CardHeight()};
  if (erase) art.RestoreBackground(area.left, area.right, area.top, area.bottom);
  const int screen = art.ScreenBuffer();
  for (std::size_t f = 0; f < piles.size() && f < tops.size(); ++f) {
    if (IsRealCard(tops[f])) {
      art.DrawFoundation(piles[f].x, piles[f].y, tops[f], screen, startRank, -1);
    } else {
      art.DrawPlaceholder(piles[f].x, piles[f].y, screen);
    }
  }
  art.AddDirtyRect(area);
}
