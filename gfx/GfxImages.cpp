// Moving pixels between the active buffer and memory: native blocks, bottom-up image arrays,
// and the nearest-neighbour scaling of image arrays.
#include <algorithm>
#include <climits>
#include <cstring>

#include "gfx/GfxState.h"

namespace {

// No caller moves more than a screenful; a larger claim means a bad size, not a real array.
constexpr long long kMaxArrayBytes = 64LL * 1024 * 1024;

bool ArraySizeIsSane(long long width, long long height, int bytesPerPixel) {
  // Each side is bounded first so that the product cannot overflow.
  return width > 0 && height > 0 && width <= kMaxArrayBytes && height <= kMaxArrayBytes &&
         width * height * bytesPerPixel <= kMaxArrayBytes;
}

// Image arrays hold 32-bit pixels as three bytes b, g, r; every other depth keeps its pixels.
void StoreImagePixel(std::uint8_t* at, int imageBytes, Color value) {
  GfxStorePixel(at, imageBytes, value);
}

// Walks the rows of the rectangle [x0, x0+w) x rows that lie inside the buffer and hands each
// part, with its offset in the array, to the mover. rowOf maps array row to buffer row.
template <typename RowOf, typename Move>
void ForEachVisibleRow(const GfxSlot& slot, long long x0, long long width, long long height,
                       int arrayPixelBytes, RowOf rowOf, Move move) {
  const long long firstX = std::max<long long>(x0, 0);
  const long long lastX = std::min<long long>(x0 + width - 1, slot.width - 1);
  if (firstX > lastX) return;
  const int count = static_cast<int>(lastX - firstX + 1);
  const long long skipped = firstX - x0;
  for (long long row = 0; row < height; ++row) {
    const long long y = rowOf(row);
    if (y < 0 || y >= slot.height) continue;
    const std::size_t arrayOffset =
        static_cast<std::size_t>((row * width + skipped) * arrayPixelBytes);
    move(slot.At(static_cast<int>(firstX), static_cast<int>(y)), arrayOffset, count);
  }
}

}  // namespace

int GfxImageSize(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  const long long bytes = static_cast<long long>(width) * height *
                          GfxImageBytesPerPixel(GfxCurrentFormat().bitsPerPixel);
  return bytes > INT_MAX ? 0 : static_cast<int>(bytes);
}

int GfxGetBlock(void* array, int minx, int maxx, int miny, int maxy) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr || array == nullptr) return 0;
  const int bytes = slot->BytesPerPixel();
  const long long width = static_cast<long long>(maxx) - minx + 1;
  const long long height = static_cast<long long>(maxy) - miny + 1;
  if (!ArraySizeIsSane(width, height, bytes)) return 0;
  GfxLockGuard lock;
  auto* out = static_cast<std::uint8_t*>(array);
  ForEachVisibleRow(
      *slot, minx, width, height, bytes, [miny](long long row) { return miny + row; },
      [out, bytes](std::uint8_t* pixels, std::size_t offset, int count) {
        std::memcpy(out + offset, pixels, static_cast<std::size_t>(count) * bytes);
      });
  return 0;
}

int GfxPutBlock(const void* array, int minx, int maxx, int miny, int maxy) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr || array == nullptr) return 0;
  const int bytes = slot->BytesPerPixel();
  const long long width = static_cast<long long>(maxx) - minx + 1;
  const long long height = static_cast<long long>(maxy) - miny + 1;
  if (!ArraySizeIsSane(width, height, bytes)) return 0;
  GfxLockGuard lock;
  const auto* in = static_cast<const std::uint8_t*>(array);
  ForEachVisibleRow(
      *slot, minx, width, height, bytes, [miny](long long row) { return miny + row; },
      [in, bytes](std::uint8_t* pixels, std::size_t offset, int count) {
        std::memcpy(pixels, in + offset, static_cast<std::size_t>(count) * bytes);
      });
  return 0;
}

int GfxGetImage(void* array, int width, int height) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr || array == nullptr) return 0;
  const int pixelBytes = slot->BytesPerPixel();
  const int imageBytes = GfxImageBytesPerPixel(slot->format.bitsPerPixel);
  if (!ArraySizeIsSane(width, height, imageBytes)) return 0;
  const GfxState& state = GfxGlobal();
  const long long bottom = state.cursorY;
  GfxLockGuard lock;
  auto* out = static_cast<std::uint8_t*>(array);
  ForEachVisibleRow(
      *slot, state.cursorX, width, height, imageBytes,
      [bottom](long long row) { return bottom - row; },
      [out, pixelBytes, imageBytes](std::uint8_t* pixels, std::size_t offset, int count) {
        if (pixelBytes == imageBytes) {
          std::memcpy(out + offset, pixels, static_cast<std::size_t>(count) * imageBytes);
          return;
        }
        for (int i = 0; i < count; ++i) {
          StoreImagePixel(out + offset + static_cast<std::size_t>(i) * imageBytes, imageBytes,
                          GfxLoadPixel(pixels + i * pixelBytes, pixelBytes));
        }
      });
  return 0;
}

int GfxPutImage(const void* array, int width, int height) {
  const GfxSlot* slot = GfxActiveSlot();
  if (slot == nullptr || array == nullptr) return 0;
  const int pixelBytes = slot->BytesPerPixel();
  const int imageBytes = GfxImageBytesPerPixel(slot->format.bitsPerPixel);
  if (!ArraySizeIsSane(width, height, imageBytes)) return 0;
  const GfxState& state = GfxGlobal();
  const long long bottom = state.cursorY;
  GfxLockGuard lock;
  const auto* in = static_cast<const std::uint8_t*>(array);
  ForEachVisibleRow(
      *slot, state.cursorX, width, height, imageBytes,
      [bottom](long long row) { return bottom - row; },
      [in, pixelBytes, imageBytes](std::uint8_t* pixels, std::size_t offset, int count) {
        std::uint8_t* to = pixels;
        if (pixelBytes == imageBytes) {
          std::memcpy(to, in + offset, static_cast<std::size_t>(count) * imageBytes);
          return;
        }
        for (int i = 0; i < count; ++i) {
          GfxStorePixel(
              to + i * pixelBytes, pixelBytes,
              GfxLoadPixel(in + offset + static_cast<std::size_t>(i) * imageBytes, imageBytes));
        }
      });
  return 0;
}

int GfxScaleImage(const void* source, void* dest, int sourceWidth, int sourceHeight, int destWidth,
                  int destHeight) {
  if (source == nullptr || dest == nullptr) return 0;
  const int bytes = GfxImageBytesPerPixel(GfxCurrentFormat().bitsPerPixel);
  if (!ArraySizeIsSane(sourceWidth, sourceHeight, bytes) ||
      !ArraySizeIsSane(destWidth, destHeight, bytes)) {
    return 0;
  }
  const auto* in = static_cast<const std::uint8_t*>(source);
  auto* out = static_cast<std::uint8_t*>(dest);
  for (long long y = 0; y < destHeight; ++y) {
    const long long sy = y * sourceHeight / destHeight;
    const std::uint8_t* sourceRow = in + sy * sourceWidth * bytes;
    for (long long x = 0; x < destWidth; ++x) {
      const long long sx = x * sourceWidth / destWidth;
      std::memcpy(out, sourceRow + sx * bytes, static_cast<std::size_t>(bytes));
      out += bytes;
    }
  }
  return 0;
}
