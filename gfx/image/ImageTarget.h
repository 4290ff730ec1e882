// Where the image readers put their pixels: the active buffer seen as raw rows, the packing of
// an (r, g, b) triple into that buffer's pixel format, and the loading of a whole image file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/GfxPixelFormat.h"
#include "platform/FileBytes.h"

// The active buffer as the readers see it. Everything outside 0..width-1 x 0..height-1 is off
// limits; the readers clip against it before every store.
struct ImageTarget {
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int bytesPerRow = 0;
  GfxPixelFormat format;

  bool valid() const { return pixels != nullptr && width > 0 && height > 0; }
  std::uint8_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * bytesPerRow; }
  int BytesPerPixel() const { return GfxBytesPerPixel(format.bitsPerPixel); }
  std::uint8_t* At(int x, int y) const { return Row(y) + x * BytesPerPixel(); }
  void Put(int x, int y, Color c) const { GfxStorePixel(At(x, y), BytesPerPixel(), c); }
  Color Pack(int r, int g, int b) const { return GfxPackRGB(format, r, g, b); }
};

// The active buffer, or an invalid target when there is none (or its depth is not one of
// 8, 16, 24, 32 bits).
ImageTarget ActiveImageTarget();

// Largest image file any reader will load; artwork files are far smaller.
constexpr std::size_t kMaxImageFileBytes = std::size_t{64} << 20;

// Reads a whole picture file into out, refusing files above kMaxImageFileBytes unread.
FileBytesStatus ReadImageFile(const char* fileName, std::vector<std::uint8_t>& out);
