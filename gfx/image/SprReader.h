// Shows SPR run-length sprites: (colour index, run length) byte pairs, no header, the width
// supplied by the caller.
#pragma once

#include <cstddef>
#include <cstdint>

// Draws rows of `width` pixels from the graphics cursor: the first row on the cursor's row, each
// following row above the previous one. Every pixel is written (no transparency); pixels outside
// the active buffer are dropped. 0 done; 1 the file cannot be opened.
int GfxShowSPR(const char* fileName, int width);
int GfxShowSPR(const std::uint8_t* data, std::size_t size, int width);
