// The card-back chooser: layout of the backs and their drawing.
#include "dialogs/choosers/CardBackChooser.h"

#include "dialogs/DialogResults.h"
#include "dialogs/choosers/CardChooserSupport.h"
#include "gfx/art/ArtworkSet.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

constexpr int kColumns = 7;
constexpr int kLeftMargin = 30;
constexpr int kFirstRowTop = 60;
// Gap between neighbouring backs, across and down.
constexpr int kGap = 15;

int CurrentBack() {
  const ArtworkSet* art = UiWidgetArtwork();
  return art != nullptr ? art->CardBack() : 0;
}

}  // namespace

CardBackChooser::CardBackChooser() : CardBackChooser(CurrentBack()) {}

CardBackChooser::CardBackChooser(int initial)
    : PictureChooser(142, 100, 517, 400, "Select a card back", initial, kCardBackCount) {}

int CardBackChooser::SampleCount() const {
  return kCardBackCount;
}

ScreenRect CardBackChooser::SampleRect(int i) const {
  const CardSpan card = ChooserCardSpan();
  const int row = i / kColumns;
  const int column = i % kColumns;
  const int left = x_ + kLeftMargin + (card.width + kGap) * column;
  const int top = y_ + kFirstRowTop + (card.height + kGap) * row;
  return {left, top, left + card.width, top + card.height};
}

void CardBackChooser::DrawSamples() {
  const ArtworkSet* art = UiWidgetArtwork();
  if (art == nullptr) return;
  const int dest = ChooserDrawingBuffer();
  for (int i = 0; i < kCardBackCount; ++i) {
    const ScreenRect r = SampleRect(i);
    art->DrawBack(r.left, r.top, i, dest);
  }
}

std::optional<int> RunCardBackChooser(int current) {
  CardBackChooser chooser(current);
  if (chooser.DoModal() != kDialogResultOk) return std::nullopt;
  return chooser.GetChoice();
}
