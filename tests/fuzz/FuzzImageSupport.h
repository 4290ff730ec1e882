// Shared set-up of the image reader and font fuzz targets: a fixed-size buffer to draw into, at a
// depth chosen by the input so every pixel path is exercised.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/Gfx.h"

// Makes the buffer of the depth picked by the low two bits of `selector` active; the layer is
// started once and each depth's buffer kept for the whole run.
inline void FuzzOpenBuffer(std::uint8_t selector) {
  static const int kDepths[] = {32, 24, 16, 8};
  static int handles[33] = {};
  if (static bool started = false; !started) {
    GfxStart();
    GfxDefaultPalette();
    for (int& h : handles) h = -1;
    started = true;
  }
  const int bits = kDepths[selector & 3];
  if (handles[bits] < 0) {
    GfxSetBufferDepth(bits);
    handles[bits] = GfxAllocBuffer(61, 47);  // Rounded up to 64 wide.
  }
  GfxOpenBuffer(handles[bits]);
}

// The same, with the cursor on one of 8 x 8 places from (-20, -20), reaching past every edge.
inline void FuzzOpenBufferAt(std::uint8_t selector) {
  FuzzOpenBuffer(selector);
  GfxMove((selector >> 2 & 7) * 9 - 20, (selector >> 5) * 9 - 20);
}
