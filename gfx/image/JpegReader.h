// Shows baseline JPEG pictures in the active buffer, with the header probe and the working
// buffer the game sizes for each picture.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/image/ImageFlags.h"

// The 12-byte header record the game keeps for a JPEG before showing it.
struct GfxJPEGHeader {
  std::uint16_t marker = 0;  // 0xFFD8 once filled.
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t components = 0;
  std::uint8_t sampling[3] = {};  // Per component in frame order: horizontal << 4 | vertical.
  std::uint8_t reserved[2] = {};
};
static_assert(sizeof(GfxJPEGHeader) == 12);

// Size of the built-in working buffer, used until GfxSetJPEGBuffer supplies another.
constexpr std::size_t kGfxJPEGBuiltInBuffer = 10240;

// 0 done; -1 the file cannot be opened; -2 read error, no 0xFFD8 at the start, or no baseline
// frame header before the end of the file.
int GfxReadJPEGHeader(const char* fileName, GfxJPEGHeader* header);
int GfxReadJPEGHeader(const std::uint8_t* data, std::size_t size, GfxJPEGHeader* header);

// Bytes of working memory GfxShowJPEG needs for that picture; 0 for a record not filled in.
int GfxJPEGBufferSize(const GfxJPEGHeader* header);

// Makes memory[0..size) the working buffer; size 0 (or no memory) returns to the built-in one.
// The memory stays the caller's and must outlive its use.
int GfxSetJPEGBuffer(void* memory, std::size_t size);

// Decodes a baseline JPEG into the active buffer, top-left at (0, 0) or, with kGfxImageAtCursor,
// at the graphics cursor; parts outside the buffer are clipped. Results: 0 done (also when there
// is no active buffer or it has 8 bits per pixel: nothing is drawn); 1 the file cannot be
// opened; 2 no start-of-image marker, or not a baseline 8-bit frame (progressive, lossless,
// arithmetic-coded, 12-bit and the like); 3 a marker not introduced by 0xFF or another damaged
// segment or scan; 4 the working buffer is too small for one row of MCUs.
int GfxShowJPEG(const char* fileName, int flags);
int GfxShowJPEG(const std::uint8_t* data, std::size_t size, int flags);

// A short fixed text saying why the last GfxShowJPEG stopped ("done" after success).
const char* GfxLastJPEGReason();
