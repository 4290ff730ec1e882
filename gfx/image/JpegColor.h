// Turns the decoded component rows of a JPEG picture into pixels: chroma brought to the luminance
// grid by repeating samples, YCbCr to RGB by table, then packed for the target.
#pragma once

#include <cstdint>

#include "gfx/image/ImageTarget.h"

// One output row as the decoder hands it over: for each component a row of samples and whether
// each sample covers one pixel (shift 0) or two (shift 1).
struct JpegRowSet {
  int width = 0;
  int components = 3;  // 1 (grey) or 3.
  bool ycc = true;     // false: the three components are R, G, B already.
  const std::uint8_t* rows[3] = {};
  int xShift[3] = {};
};

// Writes pixels first..first+count-1 of the row as r, g, b bytes.
void JpegRowToRGB(const JpegRowSet& row, int first, int count, std::uint8_t* rgb);

// Writes pixels first..first+count-1 of the row in the target's pixel format (16, 24 or 32 bits)
// to dst.
void JpegRowToNative(const JpegRowSet& row, int first, int count, const GfxPixelFormat& format,
                     std::uint8_t* dst);
