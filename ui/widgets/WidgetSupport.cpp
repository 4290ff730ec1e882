// The shared hit test, blocking rule and drawing helpers of the widgets.
#include "ui/widgets/WidgetSupport.h"

#include <algorithm>

#include "gfx/SystemFont.h"
#include "gfx/font/Font.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"

bool UiIsOver(const UiElement& element, int mouseX, int mouseY) {
  return element.GetX() < mouseX && mouseX < element.GetX() + element.GetWidth() &&
         element.GetY() < mouseY && mouseY < element.GetY() + element.GetHeight();
}

bool UiMouseOver(const UiElement& element) {
  return UiIsOver(element, UiInput.mouseX, UiInput.mouseY);
}

bool UiBlockedByMenu(UiElement& element) {
  const bool blocked = UiToolkit.menuOpen != 0;
  element.SetActive(!blocked);
  return blocked;
}

void UiRaise(int event, int subject) {
  UiInput.event = event;
  UiInput.subject = subject;
}

void UiMarkElement(const UiElement& element) {
  UiAddDirtyRect(element.GetX(), element.GetX() + element.GetWidth() - 1, element.GetY(),
                 element.GetY() + element.GetHeight() - 1);
}

bool UiUseDialogFont() {
  if (UiToolkit.dialogFont == 0) return false;
  GfxSelectFont(UiToolkit.dialogFont);
  return GfxSelectedFont() == UiToolkit.dialogFont;
}

int UiTextWidth(const char* text, int length) {
  if (text == nullptr || length <= 0) return 0;
  length = std::min(length, kUiTextLimit);
  return UiUseDialogFont() ? GfxFontWidth(text, length) : GfxSystemTextWidth(text, length);
}

void UiDrawText(int x, int y, const char* text, int length, Color colour, int horizontal,
                int vertical) {
  if (text == nullptr || length <= 0) return;
  length = std::min(length, kUiTextLimit);
  GfxSetColor(colour);
  GfxMove(x, y);
  if (UiUseDialogFont()) {
    GfxFontJustify(horizontal, vertical);
    GfxFontTextClipped(text, length);
  } else {
    GfxSetTextJustify(horizontal, vertical);
    GfxSystemText(text, length);
  }
}

namespace {

// The row of the built-in font's cell that its letters stand on.
constexpr int kSystemFootRow = 11;
// Rows from the letters' foot down to the line: one clear row between them.
constexpr int kUnderlineDrop = 2;

}  // namespace

void UiUnderlineCharacter(int x, int y, const char* text, int length, int index, int horizontal,
                          int vertical, bool bitmapFont, Color colour) {
  if (text == nullptr || index < 0 || index >= length) return;
  length = std::min(length, kUiTextLimit);
  if (index >= length) return;
  int left = 0, from = 0, to = 0, foot = 0;
  if (bitmapFont) {
    // The same placement the font gives the text itself.
    const int width = GfxFontWidth(text, length);
    left = horizontal >= 0 ? x - ((horizontal + 1) * (width - 1)) / 2 : x;
    from = GfxFontWidth(text, index);
    to = GfxFontWidth(text, index + 1);
    foot = y + GfxFontBaseline(text, length);
  } else {
    const int width = length * kSystemFontWidth;
    left = x - ((horizontal + 1) * width) / 2;
    from = index * kSystemFontWidth;
    to = from + kSystemFontWidth;
    const int top = y + ((vertical + 1) * kSystemFontHeight) / 2 - kSystemFontHeight;
    foot = top + kSystemFootRow;
  }
  if (to > from) UiHLine(left + from, left + to - 1, foot + kUnderlineDrop, colour);
}

void UiDottedRect(int left, int top, int right, int bottom) {
  GfxMove(left, top);
  GfxDashTo(right, top, kUiDottedPattern);
  GfxDashTo(right, bottom, kUiDottedPattern);
  GfxDashTo(left, bottom, kUiDottedPattern);
  GfxDashTo(left, top, kUiDottedPattern);
}

void UiHLine(int left, int right, int y, Color colour) {
  UiFill(left, y, right, y, colour);
}

void UiVLine(int x, int top, int bottom, Color colour) {
  UiFill(x, top, x, bottom, colour);
}

void UiFill(int left, int top, int right, int bottom, Color colour) {
  if (right < left || bottom < top) return;
  GfxSetColor(colour);
  GfxFillRect(left, right, top, bottom);
}

void UiSunkenBox(int left, int top, int right, int bottom, Color face) {
  UiFill(left, top, right, bottom, face);
  // Outer ring dark on the top and left, light on the bottom and right; the inner ring darker
  // still on the top and left, so the box looks pressed into the dialog.
  UiHLine(left, right, top, UiColour(23));
  UiVLine(left, top, bottom, UiColour(23));
  UiHLine(left, right, bottom, UiColour(22));
  UiVLine(right, top, bottom, UiColour(22));
  UiHLine(left + 1, right - 1, top + 1, UiColour(24));
  UiVLine(left + 1, top + 1, bottom - 1, UiColour(24));
  UiHLine(left + 1, right - 1, bottom - 1, UiColour(25));
  UiVLine(right - 1, top + 1, bottom - 1, UiColour(25));
}

bool UiSavedPixels::Save(int minx, int maxx, int miny, int maxy) {
  Forget();
  UiSelectDrawingBuffer();
  // Only what lies on the drawing buffer can come back; the rest is never drawn over either.
  minx = std::max(minx, 0);
  miny = std::max(miny, 0);
  maxx = std::min(maxx, GfxMaxX());
  maxy = std::min(maxy, GfxMaxY());
  if (maxx < minx || maxy < miny) return false;
  const long long bytes = static_cast<long long>(maxx - minx + 1) * (maxy - miny + 1) * 4;
  pixels_.assign(static_cast<std::size_t>(bytes), 0);
  GfxGetBlock(pixels_.data(), minx, maxx, miny, maxy);
  minx_ = minx;
  maxx_ = maxx;
  miny_ = miny;
  maxy_ = maxy;
  return true;
}

bool UiSavedPixels::Restore() const {
  if (pixels_.empty()) return false;
  UiSelectDrawingBuffer();
  GfxPutBlock(pixels_.data(), minx_, maxx_, miny_, maxy_);
  UiAddDirtyRect(minx_, maxx_, miny_, maxy_);
  return true;
}

void UiSavedPixels::Forget() {
  pixels_.clear();
  pixels_.shrink_to_fit();
}

UiPress UiTrackLeftButton(bool over, int* focus, bool* pressed) {
  switch (UiInput.mouseState) {
    case MS_LEFT_PRESSED:
      if (over && !*pressed) {
        *focus = kUiMouseFocus;
        *pressed = true;
        return UiPress::kPressed;
      }
      if (!over && *focus != kUiNoFocus) {
        *focus = kUiNoFocus;
        *pressed = false;
        return UiPress::kCancelled;
      }
      return UiPress::kNone;
    case MS_LEFT_HELD:
      if (*focus == kUiMouseFocus && *pressed != over) {
        *pressed = over;
        return UiPress::kMovedInOut;
      }
      return UiPress::kNone;
    case MS_LEFT_RELEASED:
      if (*focus != kUiMouseFocus) return UiPress::kNone;
      *pressed = false;
      *focus = kUiKeyboardFocus;
      return over ? UiPress::kReleasedOver : UiPress::kReleasedOff;
    default:
      return UiPress::kNone;
  }
}
