// Shows SPR run-length sprites: (colour index, run length) byte pairs, no header, the width
// supplied by the caller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/image/ImageResult.h"

// Result codes of GfxShowSPR; GfxLastImageError() adds why.
enum GfxSprResult : int {
  kSprOk = 0,
  kSprCannotOpen = 1,  // The file cannot be opened or read.
};

// Draws rows of `width` pixels from the graphics cursor: the first row on the cursor's row, each
// following row above the previous one. Every pixel is written (no transparency); pixels outside
// the active buffer are dropped.
int GfxShowSPR(const char* fileName, int width);
int GfxShowSPR(const std::uint8_t* data, std::size_t size, int width);
