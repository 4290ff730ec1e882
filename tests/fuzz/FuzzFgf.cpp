// Feeds arbitrary bytes to the FGF font reader and draws with whatever loads, at every buffer
// depth, with the cursor and clip rectangle reaching past the buffer's edges.
#include <cstddef>
#include <cstdint>

#include "gfx/Gfx.h"
#include "gfx/font/Font.h"
#include "tests/fuzz/FuzzImageSupport.h"

namespace {

// A byte from near the end of the input, so the same file drives both the font and the drawing.
std::uint8_t Tail(const std::uint8_t* data, std::size_t size, std::size_t back) {
  return back < size ? data[size - 1 - back] : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int font = GfxLoadFont(data, size);
  if (font == 0) return 0;

  const std::uint8_t control = Tail(data, size, 0);
  FuzzOpenBuffer(FuzzDepth(control));
  GfxSetColor(GfxPaletteColor(Tail(data, size, 1)));
  GfxFontJustify(((control >> 2) % 3) - 1, ((control >> 4) % 3) - 1);
  GfxSetClip(Tail(data, size, 2) - 100, Tail(data, size, 3) - 60, Tail(data, size, 4) - 100,
             Tail(data, size, 5) - 60);

  // The text is the end of the input: up to 300 bytes, more than one call draws.
  const std::size_t length = size < 300 ? size : 300;
  const char* text = reinterpret_cast<const char*>(data + size - length);
  GfxMove(static_cast<int>(Tail(data, size, 6)) * 2 - 300,
          static_cast<int>(Tail(data, size, 7)) - 128);
  GfxFontText(text, static_cast<int>(length));
  GfxMove(static_cast<int>(Tail(data, size, 8)) - 128, static_cast<int>(Tail(data, size, 9)) - 100);
  GfxFontTextClipped(text, static_cast<int>(length));
  GfxFontWidth(text, static_cast<int>(length));
  GfxFontHeight(text, static_cast<int>(length));

  GfxCloseBuffer();
  GfxFreeFont(font);
  return 0;
}
