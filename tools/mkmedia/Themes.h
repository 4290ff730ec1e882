// The six table themes: cloth, panel and lettering colours shared by every themed picture.
#pragma once

#include "Common.h"

namespace mk {

struct Theme {
  const char* name;
  Rgb cloth;       // the tablecloth's own colour at the centre of the table
  bool velvet;     // velvet (soft folds and sheen) or felt (fine fibres)
  bool darkPanel;  // dialogs and menus are dark (gold or white lettering) or light (black)
  Rgb panel;       // dialog body and menu column
  Rgb trim;        // frame and ornament colour
  Rgb strong;      // the game's strong text colour for this theme
  Rgb light;       // the game's hover and highlight text colour
};

constexpr int kThemes = 6;
const Theme& theme(int index);

// The cloth of a theme, 800 x 600, as used for the backdrops (and the title picture).
Image clothImage(const Theme& t, uint32_t seed);

// Lettering with a dark outline and a two-tone fill, as on the title strips and plaques.
void outlinedText(cairo_t* cr, double cx, double baseline, const std::string& text, Rgb top,
                  Rgb bottom, Rgb outline, double outlineWidth);

}  // namespace mk
