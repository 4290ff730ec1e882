// Where the widgets find the theme's pictures and lettering colours: the program hands in its
// artwork object once it is loaded; without one the widgets draw their shapes and plain text.
#pragma once

#include "gfx/Gfx.h"

class ArtworkSet;

// Observed, not owned; nullptr detaches it.
void UiSetWidgetArtwork(const ArtworkSet* artwork);
const ArtworkSet* UiWidgetArtwork();

// Lettering colours of the theme, falling back to the colour scheme's text entry.
Color UiButtonTextColour();
Color UiButtonHoverTextColour();
// Selects the theme's button font; false (and the current font stays) when it names none.
bool UiSelectButtonFont();
// The up-down arrow picture of the theme; -1 when there is none.
int UiArrowBuffer();
