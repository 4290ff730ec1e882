// Bitmap-font text for the whole game: the table of loaded fonts, the selection and justification,
// measuring, and drawing text with colour escapes and underlines into the active buffer.
#include "gfx/font/Font.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/font/FgfFont.h"
#include "gfx/font/FontRaster.h"
#include "platform/FileBytes.h"

namespace {

struct FontTable {
  std::array<std::unique_ptr<FgfFont>, kGfxMaxFonts> slots;
  int selected = 0;
  int justifyHorizontal = -1;
  int justifyVertical = -1;
};

FontTable& Fonts() {
  static FontTable table;
  return table;
}

const FgfFont* FontFor(int handle) {
  if (handle < 1 || handle > kGfxMaxFonts) return nullptr;
  return Fonts().slots[static_cast<std::size_t>(handle - 1)].get();
}

const FgfFont* SelectedFont() {
  return FontFor(Fonts().selected);
}

int FreeSlot() {
  const auto& slots = Fonts().slots;
  for (int i = 0; i < kGfxMaxFonts; ++i) {
    if (!slots[static_cast<std::size_t>(i)]) return i;
  }
  return -1;
}

GfxFontError gLastFontError;

int Failed(GfxFontLoadStatus status, const char* reason) {
  gLastFontError = {status, reason};
  return 0;
}

int Store(std::unique_ptr<FgfFont> font) {
  const int slot = FreeSlot();
  if (slot < 0) return Failed(kFontNoFreeSlot, "no free font slot");
  if (!font) return Failed(kFontTooShort, "file shorter than its layout");
  Fonts().slots[static_cast<std::size_t>(slot)] = std::move(font);
  Fonts().selected = slot + 1;
  gLastFontError = {kFontLoaded, "done"};
  return slot + 1;
}

// The largest file any layout can need: 256 glyphs of 127 x 255 bytes with their sizes.
const std::size_t kLargestFontFile = FgfRequiredSize(0xFF, 0xFF);

int Saturate(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// Calls visit(code) for every character of the text, passing over escapes and their argument.
template <typename Visit>
void ForEachCharacter(const unsigned char* text, int length, Visit visit) {
  for (int i = 0; i < length; ++i) {
    if (text[i] == kGfxFontEscape) {
      ++i;
      continue;
    }
    visit(text[i]);
  }
}

int TextWidth(const FgfFont& font, const unsigned char* text, int length) {
  std::int64_t width = 0;
  ForEachCharacter(text, length, [&](int code) { width += font.widths[code]; });
  return Saturate(width);
}

int TextHeight(const FgfFont& font, const unsigned char* text, int length) {
  int height = 0;
  ForEachCharacter(text, length,
                   [&](int code) { height = std::max<int>(height, font.heights[code]); });
  return height;
}

int DrawText(const char* text, int length, bool clipped) {
  const FgfFont* font = SelectedFont();
  if (text == nullptr || length <= 0 || font == nullptr) return 0;
  const int active = GfxActiveBuffer();
  if (active < 0) return 0;

  // The whole-buffer variant never touches the clip rectangle at all: leaving it alone is the
  // same as switching it off for the call and putting it back afterwards.
  const GfxBufferView view = GfxGetBufferView(active);
  int minx = 0, maxx = view.width - 1, miny = 0, maxy = view.height - 1;
  if (clipped) GfxGetClip(&minx, &maxx, &miny, &maxy);
  FontTarget target;
  if (!MakeFontTarget(view, minx, maxx, miny, maxy, &target)) return 0;

  // Callers keep a line within the work area; anything past it is not drawn.
  std::array<unsigned char, kGfxFontWorkArea> work{};
  const int count = std::min(length, kGfxFontWorkArea);
  std::memcpy(work.data(), text, static_cast<std::size_t>(count));

  const FontTable& table = Fonts();
  const int cursorY = GfxGetY();
  std::int64_t x = GfxGetX();
  std::int64_t baseline = static_cast<std::int64_t>(cursorY) + font->descent;
  if (table.justifyHorizontal >= 0) {
    const int width = TextWidth(*font, work.data(), count);
    x -= ((table.justifyHorizontal + 1) * (width - 1)) / 2;
  }
  if (table.justifyVertical >= 0) {
    const int height = TextHeight(*font, work.data(), count);
    baseline += ((table.justifyVertical + 1) * (height - 1 - font->descent)) / 2;
  }

  target.color = GfxGetColor();
  bool underlining = false;
  std::int64_t underlineStart = 0;
  for (int i = 0; i < count; ++i) {
    const unsigned char code = work[static_cast<std::size_t>(i)];
    if (code != kGfxFontEscape) {
      DrawGlyph(target, font->Glyph(code), x, baseline);
      x += font->widths[code];
      continue;
    }
    if (++i >= count) break;
    const unsigned char argument = work[static_cast<std::size_t>(i)];
    if (argument == kGfxFontUnderline) {
      if (underlining) DrawSpan(target, underlineStart, x - 1, baseline - font->descent);
      underlineStart = x;
      underlining = !underlining;
    } else {
      target.color = GfxPaletteColor(argument);
      GfxSetColor(target.color);
    }
  }
  GfxMove(Saturate(x), cursorY);
  return 0;
}

}  // namespace

int GfxLoadFont(const char* fileName) {
  if (FreeSlot() < 0) return Failed(kFontNoFreeSlot, "no free font slot");
  // Memory follows the file's real length, never the layout its header claims: a tiny file
  // announcing a huge glyph table costs only its own bytes before ReadFgf refuses it.
  std::vector<std::uint8_t> bytes;
  switch (const FileBytesStatus status = ReadFileBytes(fileName, kLargestFontFile, bytes)) {
    case FileBytesStatus::kOk:
      break;
    case FileBytesStatus::kTooLarge:
      return Failed(kFontTooLarge, FileBytesReason(status));
    case FileBytesStatus::kReadError:
      return Failed(kFontReadError, FileBytesReason(status));
    case FileBytesStatus::kCannotOpen:
      return Failed(kFontCannotOpen, FileBytesReason(status));
  }
  return Store(ReadFgf(bytes.data(), bytes.size()));
}

int GfxLoadFont(const std::uint8_t* data, std::size_t size) {
  if (FreeSlot() < 0) return Failed(kFontNoFreeSlot, "no free font slot");
  return Store(ReadFgf(data, size));
}

GfxFontError GfxLastFontError() {
  return gLastFontError;
}

int GfxSelectFont(int handle) {
  if (FontFor(handle) != nullptr) Fonts().selected = handle;
  return 0;
}

int GfxSelectedFont() {
  return Fonts().selected;
}

int GfxFreeFont(int handle) {
  FontTable& table = Fonts();
  if (handle < 0) {
    for (auto& slot : table.slots) slot.reset();
    table.selected = 0;
    return 0;
  }
  if (FontFor(handle) == nullptr) return 0;
  table.slots[static_cast<std::size_t>(handle - 1)].reset();
  if (table.selected == handle) table.selected = 0;
  return 0;
}

int GfxFontJustify(int horizontal, int vertical) {
  // Only -1, 0 and 1 have a meaning; clamping keeps the offsets from overflowing.
  Fonts().justifyHorizontal = std::clamp(horizontal, -1, 1);
  Fonts().justifyVertical = std::clamp(vertical, -1, 1);
  return 0;
}

int GfxFontWidth(const char* text, int length) {
  const FgfFont* font = SelectedFont();
  if (font == nullptr || text == nullptr || length <= 0) return 0;
  return TextWidth(*font, reinterpret_cast<const unsigned char*>(text), length);
}

int GfxFontHeight(const char* text, int length) {
  const FgfFont* font = SelectedFont();
  if (font == nullptr || text == nullptr || length <= 0) return 0;
  return TextHeight(*font, reinterpret_cast<const unsigned char*>(text), length);
}

int GfxFontBaseline(const char* text, int length) {
  const FgfFont* font = SelectedFont();
  const int vertical = Fonts().justifyVertical;
  if (font == nullptr || text == nullptr || length <= 0 || vertical < 0) return 0;
  const int count = std::min(length, kGfxFontWorkArea);
  const int height = TextHeight(*font, reinterpret_cast<const unsigned char*>(text), count);
  return ((vertical + 1) * (height - 1 - font->descent)) / 2;
}

int GfxFontDescent(int handle) {
  const FgfFont* font = FontFor(handle);
  return font ? font->descent : 0;
}

int GfxFontText(const char* text, int length) {
  return DrawText(text, length, false);
}

int GfxFontTextClipped(const char* text, int length) {
  return DrawText(text, length, true);
}
