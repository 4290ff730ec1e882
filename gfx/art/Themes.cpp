// The theme table and the in-game title widths.
#include "gfx/art/Themes.h"

namespace {

// The two black-lettered paper themes share one hover colour, and three velvet themes share one
// title strip, so the table repeats a few entries on purpose.
constexpr Theme kThemes[kThemeCount] = {
    {"artwork\\ingame_title1_3_6.bmp", 0, {220, 180, 79}, {255, 220, 128}},
    {"artwork\\ingame_title2.bmp", 13, {0, 0, 0}, {98, 93, 74}},
    {"artwork\\ingame_title1_3_6.bmp", 0, {235, 190, 66}, {255, 255, 255}},
    {"artwork\\ingame_title4.bmp", 26, {0, 0, 0}, {98, 93, 74}},
    {"artwork\\ingame_title5.bmp", 39, {0, 0, 0}, {98, 93, 74}},
    {"artwork\\ingame_title1_3_6.bmp", 0, {220, 180, 79}, {255, 220, 128}},
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
