// System text: fixed-pitch text in the built-in 8 x 16 font, drawn into the active buffer in the
// current colour with the justification rules of the platform's text output.
#include <algorithm>

#include "gfx/GfxState.h"
#include "gfx/SystemFont.h"

namespace {

// Longer strings only extend beyond every buffer; capping keeps the width arithmetic in range.
constexpr int kMaxSystemTextLength = 1 << 20;

int ClampedLength(const char* text, int length) {
  if (text == nullptr || length <= 0) return 0;
  return std::min(length, kMaxSystemTextLength);
}

void DrawGlyph(const GfxSlot& slot, const ScreenRect& limit, int left, int top, unsigned char code,
               Color color) {
  const std::uint8_t* rows = kSystemFontGlyphs[code];
  for (int row = 0; row < kSystemFontHeight; ++row) {
    const unsigned bits = rows[row];
    if (bits == 0) continue;
    for (int col = 0; col < kSystemFontWidth; ++col) {
      if (bits & (0x80u >> col)) GfxPlotClipped(slot, limit, left + col, top + row, color);
    }
  }
}

}  // namespace

int GfxSetTextJustify(int horizontal, int vertical) {
  GfxState& state = GfxGlobal();
  state.justifyHorizontal = std::clamp(horizontal, -1, 1);
  state.justifyVertical = std::clamp(vertical, -1, 1);
  return 0;
}

int GfxSystemTextWidth(const char* text, int length) {
  return ClampedLength(text, length) * kSystemFontWidth;
}

int GfxSystemTextHeight() {
  return kSystemFontHeight;
}

int GfxSystemText(const char* text, int length) {
  const GfxSlot* slot = GfxActiveSlot();
  length = ClampedLength(text, length);
  if (slot == nullptr || length == 0) return 0;
  GfxState& state = GfxGlobal();
  const long long width = static_cast<long long>(length) * kSystemFontWidth;
  const long long x = state.cursorX - ((state.justifyHorizontal + 1) * width) / 2;
  const long long y =
      state.cursorY + ((state.justifyVertical + 1) * static_cast<long long>(kSystemFontHeight)) / 2;
  // The font has no external leading, so the cell's top row is one font height above y.
  const long long top = y - kSystemFontHeight;

  // Like text on a window, system text ignores the layer's clip rectangle; it only stays
  // inside the buffer.
  const ScreenRect limit = slot->Bounds();
  if (top <= limit.bottom && top + kSystemFontHeight > limit.top) {
    GfxLockGuard lock;
    for (int i = 0; i < length; ++i) {
      const long long left = x + static_cast<long long>(i) * kSystemFontWidth;
      if (left > limit.right) break;
      if (left + kSystemFontWidth <= limit.left) continue;
      DrawGlyph(*slot, limit, static_cast<int>(left), static_cast<int>(top),
                static_cast<unsigned char>(text[i]), state.color);
    }
  }
  state.cursorX = GfxClampToInt(std::min<long long>(x + width, slot->width));
  state.cursorY = GfxClampToInt(top);
  return 0;
}
