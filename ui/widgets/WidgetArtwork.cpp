// The widgets' view of the program's artwork object.
#include "ui/widgets/WidgetArtwork.h"

#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "ui/UiToolkit.h"

namespace {
const ArtworkSet* g_artwork = nullptr;
}  // namespace

void UiSetWidgetArtwork(const ArtworkSet* artwork) {
  g_artwork = artwork;
}

const ArtworkSet* UiWidgetArtwork() {
  return g_artwork;
}

Color UiButtonTextColour() {
  return g_artwork != nullptr ? g_artwork->TitleTextColor() : UiColour(kUiColourText);
}

Color UiButtonHoverTextColour() {
  return g_artwork != nullptr ? g_artwork->ButtonHoverTextColor() : UiColour(kUiColourText);
}

bool UiSelectButtonFont() {
  if (g_artwork == nullptr || g_artwork->ButtonFont() == 0) return false;
  GfxSelectFont(g_artwork->ButtonFont());
  return GfxSelectedFont() == g_artwork->ButtonFont();
}

int UiArrowBuffer() {
  return g_artwork != nullptr ? g_artwork->ArrowBuffer() : -1;
}
