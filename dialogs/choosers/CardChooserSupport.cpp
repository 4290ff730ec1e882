// The card size the card choosers lay out by.
#include "dialogs/choosers/CardChooserSupport.h"

#include "gfx/art/ArtworkSet.h"
#include "ui/widgets/WidgetArtwork.h"

CardSpan ChooserCardSpan() {
  const ArtworkSet* art = UiWidgetArtwork();
  if (art == nullptr) return {52, 82};
  return {art->CardWidth(), art->CardHeight()};
}
