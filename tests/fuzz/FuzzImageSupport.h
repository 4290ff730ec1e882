// Shared set-up of the image reader and font fuzz targets: a fixed-size buffer to draw into, at a
// depth chosen by the input so every pixel path is exercised.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/Gfx.h"

// Starts the layer once and makes the buffer of the given depth active (one buffer per depth,
// kept for the whole run).
inline void FuzzOpenBuffer(int bitsPerPixel) {
  static bool started = false;
  static int handles[33] = {};
  if (!started) {
    GfxStart();
    GfxDefaultPalette();
    for (int& h : handles) h = -1;
    started = true;
  }
  if (handles[bitsPerPixel] < 0) {
    GfxSetBufferDepth(bitsPerPixel);
    handles[bitsPerPixel] = GfxAllocBuffer(61, 47);  // Rounded up to 64 wide.
  }
  GfxOpenBuffer(handles[bitsPerPixel]);
}

// Depth from one byte of the input.
inline int FuzzDepth(std::uint8_t selector) {
  static const int kDepths[] = {32, 24, 16, 8};
  return kDepths[selector & 3];
}
