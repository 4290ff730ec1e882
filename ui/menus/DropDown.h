// The panel of items that drops down under a menu title: laid out when shown, drawn from the
// theme's menu column, moved through with the arrow keys.
#pragma once

#include <cstdint>

#include "ui/UiWidget.h"

class MenuEntry;

class DropDown : public UiCompoundWidget {
public:
  // Placed directly under its title, as wide as its top piece, and moved left when it would run
  // past the right edge of the screen. image is the menu-column picture.
  DropDown(UiElement* title, int topX, int topY, int topWidth, int topHeight, int bottomX,
           int bottomY, int bottomWidth, int bottomHeight, int image);
  ~DropDown() override;

  // Lays the items out, saves the screen under the panel and draws it.
  void Show() override;
  // Puts the saved screen back.
  void Hide() override;
  void HandleEvent() override;
  void Draw() override;

  // Adds an item with this caption and command number; nullptr when it cannot be made.
  MenuEntry* AddItem(const char* caption, int command, std::uint32_t style = 0x2);
  // Removes every item (the game rebuilds a menu whose captions change).
  void ClearItems();
  // The item that sends this command, or null.
  MenuEntry* FindItem(int command) const;
  int GetImage() const { return image_; }
  // The item that the keys or the pointer highlight; nullptr when none.
  MenuEntry* HighlightedItem() const;
  // Called by the title when it goes first.
  void ForgetTitle() { title_ = nullptr; }
  // Repaints the rows top..bottom of the panel's body from the menu column, under an item that
  // is about to be drawn again.
  void DrawBackground(int top, int bottom);

private:
  // Moves the keyboard highlight one item on (or back), wrapping, passing over one fixed entry.
  void MoveMark(bool forward);

  MenuEntry* title_ = nullptr;
  int topX_, topY_, topWidth_, topHeight_;
  int bottomX_, bottomY_, bottomWidth_, bottomHeight_;
  int image_;
};
