// The accurate integer inverse DCT of the JPEG decoder: 8x8 dequantised coefficients to samples.
#pragma once

#include <cstdint>

// Transforms one block of dequantised coefficients (natural order) into
// 8 rows of 8 samples at out, rows stride bytes apart.
void JpegIdctBlock(const std::int16_t* coef, std::uint8_t* out, int stride);

// A block with only its DC coefficient set becomes one flat value; this is that value, equal to
// what JpegIdctBlock produces for such a block.
std::uint8_t JpegIdctDcValue(int dcDequantised);
