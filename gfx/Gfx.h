// The graphics layer: a table of off-screen pixel buffers, one active buffer that every
// drawing call goes to, copies between buffers and to the display, and the colour table.
#pragma once

#include <cstddef>
#include <cstdint>

// A raw pixel of the current buffer depth; always obtained from GfxMapRGB.
using Color = std::uint32_t;

class GfxDisplay;

constexpr int kGfxMaxBuffers = 32;

// --- Display set-up and shut-down -----------------------------------------------------------

// Bits per pixel of the desktop as the display back end reports it: the size of a pixel in
// memory, so a desktop of 4-byte pixels is 32 even when only 24 of the bits carry colour.
// 15 is reported as 16.
int GfxDisplayDepth();
// Records the mode GfxStart will open. bitsPerPixel 0 asks for a window instead of the full screen.
int GfxSetMode(int width, int height, int bitsPerPixel, int backBuffers);
// Records where the screen is shown (stands in for the window's device context).
// nullptr detaches the display; GfxShowRect then shows nothing.
int GfxSetDC(GfxDisplay* display);
// Fills the colour table with its defaults and returns the palette handle (always 1).
int GfxDefaultPalette();
// Selects the palette; only meaningful at 8 bits per pixel.
int GfxRealizePalette(int palette);
// Resets the layer's state and opens the display recorded by GfxSetDC.
// Returns 0, or the back end's error code (also kept for GfxLastDisplayError).
int GfxStart();
int GfxSetBufferDepth(int bitsPerPixel);
int GfxStop();
int GfxLastDisplayError();
// At 16 bits: true when the display's red mask is 0xF800.
bool GfxIs565();

// --- Buffers ------------------------------------------------------------------------------------

int GfxAllocBuffer(int width, int height);
int GfxFreeBuffer(int handle);
int GfxOpenBuffer(int handle);
int GfxCloseBuffer();
int GfxAttachPalette();
int GfxActiveBuffer();
int GfxMaxX();
int GfxMaxY();
int GfxSetClip(int minx, int maxx, int miny, int maxy);
// Reads back the clip rectangle of the active state (inclusive bounds, as GfxSetClip took them).
int GfxGetClip(int* minx, int* maxx, int* miny, int* maxy);
int GfxImageSize(int width, int height);

// Raw view of one buffer, for the image readers, the fonts and the display back end.
// pixels is null when the slot is empty or the handle is out of range.
struct GfxBufferView {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int bytesPerRow = 0;
};
GfxBufferView GfxGetBufferView(int handle);

// --- Copies -----------------------------------------------------------------------------------

int GfxCopyRect(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
int GfxCopyRectTransparent(int minx, int maxx, int miny, int maxy, int newx, int newy, int source,
                           int dest);
int GfxShowRect(int minx, int maxx, int miny, int maxy, int newx, int newy);
int GfxGetBlock(void* array, int minx, int maxx, int miny, int maxy);
int GfxPutBlock(const void* array, int minx, int maxx, int miny, int maxy);
int GfxGetImage(void* array, int width, int height);
int GfxPutImage(const void* array, int width, int height);
int GfxScaleImage(const void* source, void* dest, int sourceWidth, int sourceHeight, int destWidth,
                  int destHeight);

// --- Colour and drawing -------------------------------------------------------------------------

Color GfxMapRGB(int r, int g, int b);
int GfxSetColor(Color color);
Color GfxGetColor();
int GfxSetTransparent(int index, int flag);
int GfxGetPaletteRGB(int start, int count, std::uint8_t* out);
// Native value of colour-table entry index at the active depth (0 for an index out of range).
Color GfxPaletteColor(int index);
int GfxMove(int x, int y);
int GfxMoveRel(int dx, int dy);
int GfxGetX();
int GfxGetY();
int GfxPoint(int x, int y);
int GfxLineTo(int x, int y);
int GfxLineRel(int dx, int dy);
int GfxDashTo(int x, int y, int pattern);
int GfxFillRect(int minx, int maxx, int miny, int maxy);
int GfxFillRectClipped(int minx, int maxx, int miny, int maxy);
int GfxSetBoxWidth(int horizontal, int vertical);
int GfxBox(int minx, int maxx, int miny, int maxy);
int GfxClear();
int GfxSetTextJustify(int horizontal, int vertical);
int GfxSystemText(const char* text, int length);
// Width in pixels of text in the built-in system font, and the font's cell height.
int GfxSystemTextWidth(const char* text, int length);
int GfxSystemTextHeight();

// --- Input --------------------------------------------------------------------------------------

int GfxInitMouse();
int GfxShowMouse(int flag);
bool GfxKeyDown(int scanCode);
