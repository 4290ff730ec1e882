// The menu bar across the top of a game screen: it holds the menu titles, tracks the pointer
// over itself and moves between the menus with the Left and Right arrows.
#pragma once

#include "ui/UiWidget.h"

class MenuEntry;

class MenuBar : public UiCompoundWidget {
public:
  // Placed at the absolute position given; the parent screen's client area then starts below
  // the bar, so the game's own drawing never covers it. image is the menu picture.
  MenuBar(UiElement* screen, int x, int y, int sourceX, int sourceY, int width, int height,
          int image);
  // A menu still open when the game goes must not leave the other widgets blocked.
  ~MenuBar() override;

  void Show() override;
  // Closes any open menu with the bar.
  void Hide() override;
  void HandleEvent() override;
  // Draws the titles.
  void Draw() override { DrawChildren(); }

  // True while a list is open or a title is held: the game leaves the input to the menus.
  bool IsOpen() const;
  // The pointer is over the bar.
  bool IsHot() const { return hot_; }
  int GetImage() const { return image_; }
  // The title whose list is open; nullptr when none.
  MenuEntry* OpenTitle() const;

private:
  void SwitchMenu(bool forward);
  // True while one of the titles is the reason menuOpen is set.
  bool HoldsMenuOpen() const;

  int image_;
  // Where the bar's own piece of the menu picture would start; the game's bar draws only its
  // titles, so nothing reads it yet.
  int sourceX_;
  int sourceY_;
  bool hot_ = false;
};
