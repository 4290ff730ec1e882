// The one artwork object of the program: the screen buffer and every theme picture, the theme's
// lettering colours, the list of changed screen rectangles and the full-screen pictures (logo,
// title, win and lose screens). Its first part is the card artwork.
#pragma once

#include <functional>

#include "gfx/Gfx.h"
#include "gfx/art/CardArt.h"
#include "gfx/art/DirtyRects.h"
#include "platform/Screen.h"

// The dialog skin of the artwork set loaded last and still alive ("artwork\\dialog%d.bmp"):
// dialog bodies, the title plate and the button faces are cut from it. -1 without one.
int DialogSkinBuffer();

class ArtworkSet : public CardArt {
public:
  ArtworkSet();
  ~ArtworkSet() override;

  // Where LoadTheme(-1) finds the player's background; background 0 until set.
  void SetBackgroundSource(std::function<int()> source) { backgroundSource_ = std::move(source); }

  // Start-up: takes over the screen buffer (still the caller's to free), allocates the theme
  // buffers, loads the arrows and title buttons, keys magenta, and loads the card pictures.
  void Load(int screenBuffer, int palette);
  // Switches the whole look to background 0..5, or to the player's choice with -1.
  void LoadTheme(int index);

  // Draws the title picture into the screen buffer without showing it.
  void ShowTitle();
  // Shows the logo until a click or a key, at most 5 seconds.
  void ShowLogo();
  // Shows the logo and returns at once.
  void ShowLogoPicture();
  // Shows the win or lose picture for 5 seconds; a click or key ends it once 1 second has passed.
  // A deal the player ended himself gets a lose picture of its own, as moves may be left.
  void ShowEndScreen(bool won, bool endedByPlayer = false);

  // Puts the backdrop on the screen buffer, then letters game title 1..20 into the backdrop so
  // that every later restore of the background shows it.
  void DrawGameTitle(int title);
  void RestoreBackground(int minx, int maxx, int miny, int maxy);
  // A dialog body of any size cut from the skin, keeping the skin's right and bottom border.
  void DrawDialogFrame(int x, int y, int width, int height, int dest);

  void AddDirtyRect(const ScreenRect& rect) { dirty_.Add(rect); }
  // Shows every changed rectangle, newest first, and forgets them.
  void FlushDirtyRects();
  void ClearDirtyRects() { dirty_.Clear(); }
  // Shows the part of `rect` that lies on the screen.
  void ShowScreenRect(const ScreenRect& rect);
  // Shows the whole screen; whatever was marked is covered by that and forgotten.
  void ShowScreenRect();

  int ScreenBuffer() const { return screen_; }
  int Palette() const { return palette_; }
  int BackdropBuffer() const { return backdrop_; }
  int MenuBuffer() const { return menu_; }
  int MenuColumnBuffer() const { return menuColumn_; }
  int GameTitlesBuffer() const { return gameTitles_; }
  int TitleButtonBuffer() const { return titleButtons_; }
  int ArrowBuffer() const { return arrows_; }
  int DialogSkin() const { return dialogSkin_; }

  Color TitleTextColor() const { return titleText_; }
  Color ButtonHoverTextColor() const { return buttonHoverText_; }
  Color DialogTextColor() const { return dialogText_; }
  Color MenuTextColor() const { return menuText_; }
  Color MenuHighlightTextColor() const { return menuHighlightText_; }
  // The bar under a highlighted menu item or high-score row (lettered in MenuHighlightTextColor).
  Color MenuHighlightBarColor() const { return menuHighlightBar_; }
  // The bar and lettering of the chosen entry of an open combo box list.
  Color ListHighlightColor() const { return listHighlight_; }
  Color ListHighlightTextColor() const { return listHighlightText_; }
  // The outline around the chosen sample of a picture chooser.
  Color ChooserOutlineColor() const { return chooserOutline_; }
  // No font is loaded into these: selecting them keeps whatever font the caller has in force.
  int ButtonFont() const { return buttonFont_; }
  int MenuFont() const { return menuFont_; }

private:
  void LoadMenuColumn(int index);
  void SetThemeColors(int index);

  int screen_ = -1;
  int palette_ = 0;
  int backdrop_ = -1;
  DirtyRectList dirty_;
  int menu_ = -1;
  int menuColumn_ = -1;
  int gameTitles_ = -1;
  int titleButtons_ = -1;
  int arrows_ = -1;
  int dialogSkin_ = -1;
  Color titleText_ = 0;
  Color buttonHoverText_ = 0;
  Color dialogText_ = 0;
  Color menuText_ = 0;
  Color menuHighlightText_ = 0;
  Color menuHighlightBar_ = 0;
  Color listHighlight_ = 0;
  Color listHighlightText_ = 0;
  Color chooserOutline_ = 0;
  int buttonFont_ = 0;
  int menuFont_ = 0;
  std::function<int()> backgroundSource_;
};
