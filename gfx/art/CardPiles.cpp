// Drawing of whole piles: the stock and foundations with their visible thickness, and fans.
#include "gfx/art/CardArt.h"

void CardArt::DrawStock(ScreenRect* bounds, int x, int y, int back, int stockCount, int dest,
                        bool useThirdMarker) const {
  if (stockCount < 1) {
    if (useThirdMarker) {
      DrawPlaceholder3(x, y, dest);
    } else {
      DrawPlaceholder2(x, y, dest);
    }
    if (bounds != nullptr) *bounds = {x, y, x + cardWidth_, y + cardHeight_};
    return;
  }
  const int layers = PileLayers(stockCount);
  for (int j = 0; j <= layers; ++j) DrawBack(x - 2 * j, y - j, back, dest);
  if (bounds != nullptr) *bounds = {x - 2 * layers, y - layers, x + cardWidth_, y + cardHeight_};
}

ScreenPoint CardArt::StockTop(int x, int y, int stockCount) const {
  const int layers = PileLayers(stockCount);
  return {x - 2 * layers, y - layers};
}

void CardArt::DrawFannedPile(int x, int y, const Card* cards, int count, int dest, int visible,
                             int dx, int dy) const {
  if (count <= 0) return;
  if (visible == -1) {
    const int layers = PileLayers(count);
    for (int j = 0; j <= layers; ++j) {
      DrawCard(x - 2 * j, y - j, cards[count - (layers + 1) + j], dest, 0);
    }
    return;
  }
  if (visible < 0) return;
  // The covered card under the fan shows the pile continues below the visible cards.
  if (count > visible) DrawCard(x, y, cards[count - visible - 1], dest, 0);
  for (int i = 0; i < visible; ++i) {
    const int index = count - visible + i;
    if (index < 0) continue;
    DrawCard(x + i * dx, y + i * dy, cards[index], dest, 0);
  }
}

void CardArt::DrawFoundation(int x, int y, Card card, int dest, int baseRank, int count) const {
  const int cards = count != -1 ? count : FoundationCardsAbove(card.rank, baseRank);
  const int layers = PileLayers(cards);
  for (int j = 0; j <= layers; ++j) DrawCard(x - 2 * j, y - j, card, dest, 0);
}
