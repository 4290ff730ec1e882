// The theme table and the in-game title widths.
#include "gfx/art/Themes.h"

namespace {

// The paper themes share one hover colour, and three velvet themes share one title strip, so the
// table repeats a few entries on purpose. The bars are the trim of the paper themes (white
// lettering) and gold on the velvet ones (lettered in the panel's own dark colour); on the white
// combo list the velvet themes use their dark panel colour instead, as gold hardly shows on white.
// The velvet themes keep the pale green outline, which already stands out on their dark bodies.
constexpr ThemeRgb kPaleGreen = {160, 255, 160};
constexpr ThemeRgb kWhite = {255, 255, 255};

constexpr Theme kThemes[kThemeCount] = {
    {"artwork\\ingame_title1_3_6.bmp",
     0,
     {220, 180, 79},
     {255, 220, 128},
     {220, 180, 79},
     {52, 12, 22},
     {52, 12, 22},
     {255, 220, 128},
     kPaleGreen},
    {"artwork\\ingame_title2.bmp",
     13,
     {0, 0, 0},
     {98, 93, 74},
     {30, 92, 54},
     kWhite,
     {30, 92, 54},
     kWhite,
     {30, 92, 54}},
    {"artwork\\ingame_title1_3_6.bmp",
     0,
     {235, 190, 66},
     {255, 255, 255},
     {235, 190, 66},
     {14, 22, 54},
     {14, 22, 54},
     {235, 190, 66},
     kPaleGreen},
    {"artwork\\ingame_title4.bmp",
     26,
     {0, 0, 0},
     {98, 93, 74},
     {18, 86, 94},
     kWhite,
     {18, 86, 94},
     kWhite,
     {18, 86, 94}},
    {"artwork\\ingame_title5.bmp",
     39,
     {0, 0, 0},
     {98, 93, 74},
     {92, 56, 128},
     kWhite,
     {92, 56, 128},
     kWhite,
     {92, 56, 128}},
    {"artwork\\ingame_title1_3_6.bmp",
     0,
     {220, 180, 79},
     {255, 220, 128},
     {220, 180, 79},
     {26, 24, 24},
     {26, 24, 24},
     {255, 220, 128},
     kPaleGreen},
};

constexpr int kTitleWidths[kGameTitleCount] = {306, 237, 392, 395, 338, 283, 444, 368, 356, 218,
                                               216, 287, 347, 400, 276, 306, 403, 310, 248, 378};

}  // namespace

int ValidBackgroundIndex(int backgroundIndex) {
  return backgroundIndex >= 0 && backgroundIndex < kThemeCount ? backgroundIndex : 0;
}

const Theme& ThemeFor(int backgroundIndex) {
  return kThemes[ValidBackgroundIndex(backgroundIndex)];
}

int GameTitleWidth(int titleNumber) {
  if (titleNumber < 1 || titleNumber > kGameTitleCount) return 0;
  return kTitleWidths[titleNumber - 1];
}
