// The six looks of the game: which in-game title strip, check mark and lettering colours each
// background index brings with it, and the widths of the in-game game titles.
#pragma once

struct ThemeRgb {
  int r, g, b;
};

struct Theme {
  const char* titlesFile;  // media name of the in-game title strip
  int checkRow;            // first of the 13 rows of its check mark in "artwork\checks.bmp"
  ThemeRgb strong;         // titles, button captions, dialog and menu text
  ThemeRgb light;          // hovered buttons
  // A highlighted entry is lettered on a bar of its own, so that it reads as chosen rather than
  // greyed out: menu items, the open menu title and the new high-score row on the theme's panel;
  // the combo box's list, which is white in every theme, gets a bar that stands out on white.
  ThemeRgb highlightBar;
  ThemeRgb highlightText;
  ThemeRgb listBar;
  ThemeRgb listText;
  ThemeRgb outline;  // around the chosen sample of the picture choosers, on the dialog body
};

inline constexpr int kThemeCount = 6;
inline constexpr int kGameTitleCount = 20;
inline constexpr int kGameTitleRowHeight = 34;

// The theme of a background index; an index outside 0..5 (a damaged preference) gets theme 0.
const Theme& ThemeFor(int backgroundIndex);
// A background index kept inside 0..5.
int ValidBackgroundIndex(int backgroundIndex);
// Width value of in-game title 1..20 (its lettering spans columns 0..width); 0 for any other.
int GameTitleWidth(int titleNumber);
