// Small pieces every widget shares: the hit test, blocking while a list or menu is open, raising
// events, and the drawing of bevels, dotted focus frames and dialog text.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/Gfx.h"
#include "ui/UiElement.h"

// Longest text, in bytes, a widget keeps: one text call of the fonts draws at most 256 bytes
// including the terminating zero, so anything beyond could never be seen.
inline constexpr int kUiTextLimit = 255;
// The focus frames are drawn one pixel on, one pixel off.
inline constexpr int kUiDottedPattern = 0x5555;

// True when the point lies strictly inside the element: its outermost rows and columns do not
// count, so two widgets that share an edge never both take a press.
bool UiIsOver(const UiElement& element, int mouseX, int mouseY);
// The same for this turn's mouse position.
bool UiMouseOver(const UiElement& element);
// Makes the element's active flag follow the open list or menu; true when the turn is blocked.
bool UiBlockedByMenu(UiElement& element);
// Leaves an event about an element for the container and the loop to read.
void UiRaise(int event, int subject);

// What one turn of the left button did to a widget that can be pushed.
enum class UiPress {
  kNone,          // nothing that concerns this widget
  kPressed,       // pressed over it: it now holds the press
  kCancelled,     // pressed elsewhere while it had the focus: it lets go
  kMovedInOut,    // held, and the pointer left it or came back: its face changes
  kReleasedOver,  // released over it: a click
  kReleasedOff,   // released after dragging off it: no click
};
// The press, drag and release rule every pushable widget shares: the widget that took the press
// keeps it until the release, and only a release over it counts. Updates focus and pressed.
UiPress UiTrackLeftButton(bool over, int* focus, bool* pressed);
// Marks the element's whole rectangle as changed.
void UiMarkElement(const UiElement& element);

// The normal dialog font when one is loaded; false means the built-in system font is used.
bool UiUseDialogFont();
// Width of text in the dialog font, or 8 pixels a character in the system font.
int UiTextWidth(const char* text, int length);
// Draws text at (x, y) in the given colour with the fonts' justification (-1, 0, 1).
void UiDrawText(int x, int y, const char* text, int length, Color colour, int horizontal,
                int vertical);

// The line under character `index` of text just drawn at (x, y) with the justification given,
// in the bitmap font now selected (bitmapFont) or the built-in one: as wide as that character,
// with one clear row between the letters' foot and the line.
void UiUnderlineCharacter(int x, int y, const char* text, int length, int index, int horizontal,
                          int vertical, bool bitmapFont, Color colour);

// A dotted rectangle with inclusive corners.
void UiDottedRect(int left, int top, int right, int bottom);
// One-pixel lines with inclusive ends.
void UiHLine(int left, int right, int y, Color colour);
void UiVLine(int x, int top, int bottom, Color colour);
// A rectangle filled in one colour.
void UiFill(int left, int top, int right, int bottom, Color colour);
// The sunken text box of edit fields and combo boxes: face filled, then the two-pixel bevel in
// the colour-scheme entries 22 to 25.
void UiSunkenBox(int left, int top, int right, int bottom, Color face);

// Screen pixels a widget keeps to draw itself over again and again (check-box captions over a
// dialog picture, a group box's title gap, an open combo box list). Unlike the element's own
// save-under, putting them back keeps them for the next time.
class UiSavedPixels {
public:
  // Saves the inclusive rectangle of the drawing buffer; false when it could not be kept.
  bool Save(int minx, int maxx, int miny, int maxy);
  // Puts the pixels back where they came from; false when nothing is saved.
  bool Restore() const;
  void Forget();
  bool IsSaved() const { return !pixels_.empty(); }

private:
  std::vector<std::uint8_t> pixels_;
  int minx_ = 0, maxx_ = -1, miny_ = 0, maxy_ = -1;
};
