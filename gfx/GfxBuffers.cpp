// The table of 32 off-screen buffers: allocation, the active buffer and its clip rectangle.
#include <new>

#include "gfx/GfxState.h"

namespace {

// Far beyond any picture the game uses; larger requests are refused like a platform that cannot
// provide the memory, before any size arithmetic can overflow.
constexpr int kMaxBufferSide = 16384;
constexpr long long kMaxBufferBytes = 256LL * 1024 * 1024;

}  // namespace

int GfxAllocBuffer(int width, int height) {
  GfxState& state = GfxGlobal();
  int handle = -1;
  for (int i = 0; i < kGfxMaxBuffers; ++i) {
    if (!state.slots[static_cast<std::size_t>(i)].InUse()) {
      handle = i;
      break;
    }
  }
  if (handle < 0) return -1;
  if (width <= 0 || height <= 0 || width > kMaxBufferSide || height > kMaxBufferSide) return -2;

  // Rows start on a word boundary at every depth when the width is a multiple of 4.
  const int roundedWidth = (width + 3) & ~3;
  const GfxPixelFormat format{state.bufferDepth, state.is565};
  const int bytesPerRow = roundedWidth * GfxBytesPerPixel(format.bitsPerPixel);
  const long long bytes = static_cast<long long>(bytesPerRow) * height;
  if (bytes > kMaxBufferBytes) return -2;

  // Zeroed rather than left undefined, so a buffer read before it is drawn is predictable.
  GfxPixelMemory pixels(
      static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(bytes), 1)));
  if (pixels == nullptr) return -2;

  GfxSlot& slot = state.slots[static_cast<std::size_t>(handle)];
  slot.pixels = std::move(pixels);
  slot.width = roundedWidth;
  slot.height = height;
  slot.format = format;
  slot.bytesPerRow = bytesPerRow;
  slot.clip = slot.Bounds();
  return handle;
}

int GfxFreeBuffer(int handle) {
  GfxState& state = GfxGlobal();
  if (handle == state.active) return 0;
  if (GfxSlot* slot = GfxSlotFor(handle)) *slot = GfxSlot{};
  return 0;
}

int GfxOpenBuffer(int handle) {
  if (handle < 0 || handle >= kGfxMaxBuffers) return -1;
  GfxSlot* slot = GfxSlotFor(handle);
  if (slot == nullptr) return -2;
  GfxState& state = GfxGlobal();
  state.active = handle;
  state.clip = slot->clip;
  GfxNativeTable(slot->format);
  return 0;
}

int GfxCloseBuffer() {
  GfxGlobal().active = -1;
  return 0;
}

int GfxActiveBuffer() {
  return GfxGlobal().active;
}

int GfxMaxX() {
  const GfxSlot* slot = GfxActiveSlot();
  return slot ? slot->width - 1 : -1;
}

int GfxMaxY() {
  const GfxSlot* slot = GfxActiveSlot();
  return slot ? slot->height - 1 : -1;
}

int GfxSetClip(int minx, int maxx, int miny, int maxy) {
  GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr) return 0;
  const ScreenRect clip = GfxBoundsRect(minx, maxx, miny, maxy);
  GfxGlobal().clip = clip;
  slot->clip = clip;
  return 0;
}

GfxBufferView GfxGetBufferView(int handle) {
  const GfxSlot* slot = GfxSlotFor(handle);
  if (slot == nullptr) return {};
  return {slot->pixels.get(), slot->width, slot->height, slot->format.bitsPerPixel,
          slot->bytesPerRow};
}

int GfxGetClip(int* minx, int* maxx, int* miny, int* maxy) {
  const ScreenRect& clip = GfxGlobal().clip;
  if (minx != nullptr) *minx = clip.left;
  if (maxx != nullptr) *maxx = clip.right;
  if (miny != nullptr) *miny = clip.top;
  if (maxy != nullptr) *maxy = clip.bottom;
  return 0;
}
