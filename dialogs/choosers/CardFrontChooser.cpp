// The card-front chooser: layout of the four deck samples and their drawing.
#include "dialogs/choosers/CardFrontChooser.h"

#include "dialogs/DialogResults.h"
#include "dialogs/choosers/CardChooserSupport.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

// The samples are two fanned cards each, so they are wider than a card and sit closer together
// than the card backs, centred in the dialog.
constexpr int kLeftMargin = 22;
constexpr int kTop = 60;
constexpr int kGap = 9;

}  // namespace

CardFrontChooser::CardFrontChooser() : CardFrontChooser(ThePreferences().cardFront) {}

CardFrontChooser::CardFrontChooser(int initial)
    : PictureChooser(230, 195, 340, 210, "Select a card front", initial, kCardFrontCount) {}

int CardFrontChooser::SampleCount() const {
  return kCardFrontCount;
}

ScreenRect CardFrontChooser::SampleRect(int i) const {
  const CardSpan card = ChooserCardSpan();
  const int width = card.width + kDeckSampleFan;
  const int left = x_ + kLeftMargin + (width + 1 + kGap) * i;
  const int top = y_ + kTop;
  return {left, top, left + width, top + card.height};
}

void CardFrontChooser::DrawSamples() {
  const ArtworkSet* art = UiWidgetArtwork();
  if (art == nullptr) return;
  const int dest = ChooserDrawingBuffer();
  for (int i = 0; i < kCardFrontCount; ++i) {
    const ScreenRect r = SampleRect(i);
    art->DrawDeckSample(r.left, r.top, i, dest);
  }
}

std::optional<int> RunCardFrontChooser(int current) {
  CardFrontChooser chooser(current);
  if (chooser.DoModal() != kDialogResultOk) return std::nullopt;
  return chooser.GetChoice();
}
