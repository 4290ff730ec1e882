// Shows Windows and OS/2 BMP pictures (1, 4, 8 and 24 bits per pixel, uncompressed) in the
// active buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/image/ImageFlags.h"
#include "gfx/image/ImageResult.h"

// Result codes of GfxShowBMP; GfxLastImageError() adds why.
enum GfxBmpResult : int {
  kBmpOk = 0,
  kBmpCannotRead = 1,  // The file cannot be opened or read, or it is cut short.
  kBmpNotBmp = 2,      // No "BM" at the start.
  kBmpBadDepth = 3,    // Not 1, 4, 8 or 24 bits per pixel (or 24 into an 8-bit buffer).
  kBmpCompressed = 4,  // Run-length or other compressed pixels.
};

// Draws the picture with its top-left corner at (0, 0), or at the graphics cursor with
// kGfxImageAtCursor. Columns and rows outside the active buffer are dropped. At 8 bits per pixel
// the buffer receives the picture's colour indices.
int GfxShowBMP(const char* fileName, int flags);
// Width and height of a BMP in memory; false when its headers cannot be read.
bool GfxBMPSize(const std::uint8_t* data, std::size_t size, int* width, int* height);
int GfxShowBMP(const std::uint8_t* data, std::size_t size, int flags);
