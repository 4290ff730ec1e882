// libFuzzer target: arbitrary bytes as an FGF font, and text drawn with whatever loads at every
// depth, with the cursor and clip rectangle reaching past the buffer's edges.
#include <cstddef>
#include <cstdint>

#include "gfx/Gfx.h"
#include "gfx/font/Font.h"
#include "tests/fuzz/FuzzImageSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int font = GfxLoadFont(data, size);
  if (font == 0) return 0;
  // Bytes from the end of the input drive the drawing, so one file drives font and drawing.
  const auto tail = [&](std::size_t back) { return back < size ? data[size - 1 - back] : 0; };
  FuzzOpenBuffer(tail(0));
  GfxSetColor(GfxPaletteColor(tail(1)));
  GfxFontJustify(((tail(0) >> 2) % 3) - 1, ((tail(0) >> 4) % 3) - 1);
  GfxSetClip(tail(2) - 100, tail(3) - 60, tail(4) - 100, tail(5) - 60);
  // The text is the end of the input: up to 300 bytes, more than one call draws.
  const int length = static_cast<int>(size < 300 ? size : 300);
  const char* text = reinterpret_cast<const char*>(data + size - static_cast<std::size_t>(length));
  GfxMove(tail(6) * 2 - 300, tail(7) - 128);
  GfxFontText(text, length);
  GfxMove(tail(8) - 128, tail(9) - 100);
  GfxFontTextClipped(text, length);
  GfxFontWidth(text, length);
  GfxFontHeight(text, length);
  GfxCloseBuffer();
  GfxFreeFont(font);
  return 0;
}
