// The six table themes as the pictures are drawn: the game's own theme table gives each one its
// lettering colours, check-mark row and title strip; the cloth, panel and trim colours here are
// chosen to carry them.
#pragma once

#include <string>

#include "Common.h"
#include "gfx/art/Themes.h"

namespace mk {

// The inks of one in-game title strip.
struct StripInk {
  Rgb top, bottom;  // lettering gradient
  Rgb outline;
  Rgb ornament;
  Rgb matte;  // what the keyed edges were drawn against
};

struct Theme {
  const char* name;
  Rgb cloth;            // the tablecloth's own colour at the centre of the table
  bool velvet;          // velvet (soft folds and sheen) or felt (fine fibres)
  bool darkPanel;       // dialogs and menus are dark (gold or white lettering) or light (black)
  Rgb panel;            // dialog body and menu column
  Rgb trim;             // frame and ornament colour
  StripInk strip;       // used when this theme is the first to name its title strip
  Rgb strong;           // the game's strong text colour for this theme
  Rgb light;            // the game's hover text colour
  Rgb bar;              // the game's bar under a highlighted entry (the open menu title's face)
  Rgb barText;          // and the lettering on it
  const ::Theme* game;  // the game's own entry: title strip file and check-mark row
};

const Theme& GetTheme(int index);

// The file name the game asks for ("artwork\\x.bmp") as a path below the output directory.
std::string MediaPath(const char* gameName);

// The cloth of a theme, 800 x 600, as used for the backdrops (and the title picture).
Image ClothImage(const Theme& t, std::uint32_t seed);

// Lettering with a dark outline and a two-tone fill, as on the title strips and plaques.
void OutlinedText(cairo_t* cr, double cx, double baseline, const std::string& text, Rgb top,
                  Rgb bottom, Rgb outline, double outlineWidth);

}  // namespace mk
