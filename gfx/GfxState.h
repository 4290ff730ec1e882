// The process-wide state of the graphics layer and the small helpers that the files
// implementing it share; nothing outside gfx/Gfx*.cpp includes this.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/GfxDisplay.h"
#include "gfx/GfxPixelFormat.h"
#include "platform/Screen.h"

// Rectangles inside the layer are the program's ScreenRect; the public operations take their
// bounds in the order minx, maxx, miny, maxy, and this turns such a list into one.
constexpr ScreenRect GfxBoundsRect(int minx, int maxx, int miny, int maxy) {
  return {minx, miny, maxx, maxy};
}

// A clip rectangle that holds no pixel, as the layer has before any buffer is opened.
inline constexpr ScreenRect kGfxNoRect{0, 0, -1, -1};

// Coordinates computed from caller values are summed in 64 bits and clamped, so that absurd
// arguments stay well-defined and simply land far outside every buffer.
inline int GfxClampToInt(long long value) {
  return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// Buffer memory comes from calloc: a large block arrives as fresh zero pages from the system,
// so a new buffer is zero without a pass that writes every byte of it first.
struct GfxFreePixels {
  void operator()(std::uint8_t* pixels) const { std::free(pixels); }
};
using GfxPixelMemory = std::unique_ptr<std::uint8_t[], GfxFreePixels>;

struct GfxSlot {
  GfxPixelMemory pixels;
  int width = 0;
  int height = 0;
  GfxPixelFormat format;
  int bytesPerRow = 0;
  ScreenRect clip = kGfxNoRect;

  bool InUse() const { return pixels != nullptr; }
  int BytesPerPixel() const { return GfxBytesPerPixel(format.bitsPerPixel); }
  ScreenRect Bounds() const { return GfxBoundsRect(0, width - 1, 0, height - 1); }
  std::uint8_t* At(int x, int y) const {
    return pixels.get() + static_cast<std::ptrdiff_t>(y) * bytesPerRow +
           static_cast<std::ptrdiff_t>(x) * BytesPerPixel();
  }
};

struct GfxColorEntry {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool transparent = false;
};

// The native values that a transparent copy skips at one pixel format, derived from the colour
// table by the first-matching-entry rule. Kept sorted; usually it holds only magenta.
struct GfxTransparentSet {
  GfxPixelFormat format;
  std::uint64_t tableVersion = 0;
  std::vector<Color> values;
  // At 8 bits the pixel is the table index, so its flag is read directly.
  std::array<bool, 256> byIndex{};
};

struct GfxState {
  // Buffers.
  std::array<GfxSlot, kGfxMaxBuffers> slots;
  int active = -1;
  ScreenRect clip = kGfxNoRect;
  int bufferDepth = 8;
  int lockDepth = 0;

  // Drawing state.
  int cursorX = 0;
  int cursorY = 0;
  Color color = 0;
  int justifyHorizontal = -1;
  int justifyVertical = -1;
  int boxHorizontal = 1;
  int boxVertical = 1;

  // Display.
  GfxDisplay* display = nullptr;
  int modeWidth = 800;
  int modeHeight = 600;
  int modeDepth = 0;
  int modeBackBuffers = 0;
  bool displayOpen = false;
  int lastDisplayError = 0;
  GfxPixelMasks masks;
  bool is565 = true;
  bool mouseAvailable = false;
  bool mouseVisible = false;

  // Colour table; tableVersion changes with every edit so derived values know to refresh.
  std::array<GfxColorEntry, 256> table{};
  std::uint64_t tableVersion = 1;
  GfxTransparentSet transparent;
  std::array<Color, 256> native{};
  GfxPixelFormat nativeFormat;
  std::uint64_t nativeVersion = 0;
};

GfxState& GfxGlobal();

// The active buffer's slot, or null when no buffer is open.
GfxSlot* GfxActiveSlot();
// Format of the active buffer, or of the buffers allocated next when none is open.
GfxPixelFormat GfxCurrentFormat();
// The clip rectangle limited to the active buffer, so that no clipped write leaves it.
ScreenRect GfxEffectiveClip(const GfxSlot& slot);
// Slot for a handle, or null when the handle is out of range or the slot is empty.
GfxSlot* GfxSlotFor(int handle);

// Resets everything GfxStart resets (buffers, flags, cursor, colour, justification, box width,
// active buffer, buffer depth); the colour triples and the display record stay.
void GfxResetState();
std::array<GfxColorEntry, 256> GfxDefaultColorTable();
// Native values of the colour table at a format, refreshed when the table or format changed.
const std::array<Color, 256>& GfxNativeTable(const GfxPixelFormat& format);
const GfxTransparentSet& GfxTransparentValues(const GfxPixelFormat& format);

// Fills a rectangle already limited to the slot's bounds.
void GfxFillArea(const GfxSlot& slot, const ScreenRect& area, Color color);
// Sets one pixel when it lies inside the effective clip rectangle.
void GfxPlotClipped(const GfxSlot& slot, const ScreenRect& clip, int x, int y, Color color);

// The nested buffer lock. Buffers are plain memory, so there is no platform lock to take;
// the counter is kept so that nesting stays visible while debugging.
class GfxLockGuard {
public:
  GfxLockGuard() { ++GfxGlobal().lockDepth; }
  ~GfxLockGuard() { --GfxGlobal().lockDepth; }
  GfxLockGuard(const GfxLockGuard&) = delete;
  GfxLockGuard& operator=(const GfxLockGuard&) = delete;
};
