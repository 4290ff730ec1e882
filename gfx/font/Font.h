// Bitmap-font text for the whole game: loading FGF fonts, choosing one, measuring and drawing
// text with justification, inline colour changes and underlines into the active buffer.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kGfxMaxFonts = 32;
// Bytes of one text call that are drawn; longer text is cut here.
constexpr int kGfxFontWorkArea = 256;
// Text byte that starts a two-byte escape; an escape byte of kGfxFontUnderline starts or ends
// an underline, any other sets the colour to that colour-table entry.
constexpr unsigned char kGfxFontEscape = 0x7F;
constexpr unsigned char kGfxFontUnderline = 0x5F;

// What the last GfxLoadFont found. The call itself returns only a handle or 0; this says which
// of the reasons for a 0 it was.
enum GfxFontLoadStatus : int {
  kFontLoaded = 0,
  kFontCannotOpen = 1,  // Missing, unreadable, or not a regular file.
  kFontTooLarge = 2,    // Larger than any font layout: refused before it is read.
  kFontReadError = 3,
  kFontNoFreeSlot = 4,  // All 32 slots are in use.
  kFontTooShort = 5,    // Shorter than the layout its first two bytes announce.
};

struct GfxFontError {
  GfxFontLoadStatus status = kFontLoaded;
  const char* reason = "";  // A fixed phrase: "done", "file shorter than its layout", ...
};

// The outcome of the most recent GfxLoadFont call.
GfxFontError GfxLastFontError();

// Loads a font and selects it. Returns its handle 1..32, or 0 when the file cannot be read, all
// slots are taken, or the file is shorter than its layout needs (the selection then stays).
// Files larger than the largest layout (about 8 MB) are refused unread.
int GfxLoadFont(const char* fileName);
// The same from an FGF image already in memory.
int GfxLoadFont(const std::uint8_t* data, std::size_t size);
// Selects a loaded font; any other handle is ignored.
int GfxSelectFont(int handle);
// Handle of the selected font, 0 for none.
int GfxSelectedFont();
// Frees one font (deselecting it when selected) or, for any negative handle, every font.
int GfxFreeFont(int handle);
// Horizontal: -1 text starts at the cursor, 0 centred on it, 1 ends at it.
// Vertical: -1 baseline on the cursor row, 0 centred, 1 top on the cursor row.
int GfxFontJustify(int horizontal, int vertical);
// Sum of the glyph widths of the text, escapes excluded; 0 with no font selected.
int GfxFontWidth(const char* text, int length);
// Tallest glyph of the text, escapes excluded; 0 with no font selected.
int GfxFontHeight(const char* text, int length);
// Rows below the cursor at which the letters of the text stand (the foot of an "A") when it is
// drawn with the selected font and the current vertical justification; 0 with no font.
int GfxFontBaseline(const char* text, int length);
// Blank rows under the letter A of a loaded font; 0 for a handle that names none.
int GfxFontDescent(int handle);
// Draws text at the graphics cursor over the whole active buffer, ignoring the clip rectangle.
// Afterwards the cursor x is after the last glyph and the cursor y unchanged.
int GfxFontText(const char* text, int length);
// The same, limited to the active buffer's clip rectangle.
int GfxFontTextClipped(const char* text, int length);
