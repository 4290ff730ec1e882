// Shows baseline JPEG pictures in the active buffer, with the header probe and the working
// buffer the game sizes for each picture.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/image/ImageFlags.h"
#include "gfx/image/ImageResult.h"

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

// Result codes of GfxReadJPEGHeader; GfxLastImageError() adds why.
enum GfxJpegHeaderResult : int {
  kJpegHeaderOk = 0,
  kJpegHeaderCannotOpen = -1,
  kJpegHeaderBad = -2,  // Read error, no 0xFFD8 at the start, or no baseline frame header.
};

// Result codes of GfxShowJPEG; GfxLastImageError() adds why.
enum GfxJpegResult : int {
  kJpegOk = 0,  // Also when nothing could be drawn (no buffer, an 8-bit one, or off its edges).
  kJpegCannotOpen = 1,
  kJpegNoStart = 2,        // No start-of-image marker, or a frame type we do not decode.
  kJpegBadStream = 3,      // A marker not introduced by 0xFF, or a damaged segment or scan.
  kJpegBufferTooSmall = 4  // The working buffer cannot hold one row of MCUs.
};

// Fills the record: width, height, component count, and the sampling byte of component id at
// sampling[id - 1] (ids 1..3; other ids take the slots left free, in frame order).
int GfxReadJPEGHeader(const char* fileName, GfxJPEGHeader* header);
int GfxReadJPEGHeader(const std::uint8_t* data, std::size_t size, GfxJPEGHeader* header);

// Bytes of working memory GfxShowJPEG needs for that picture, from the largest horizontal and
// vertical factors over all components; 0 for a record not filled in, a zero width, a component
// count other than 1 or 3, or any factor outside 1..4.
int GfxJPEGBufferSize(const GfxJPEGHeader* header);

// Makes memory[0..size) the working buffer; size 0 (or no memory) returns to the built-in one.
// The memory stays the caller's and must outlive its use.
int GfxSetJPEGBuffer(void* memory, std::size_t size);

// Decodes a baseline JPEG into the active buffer, top-left at (0, 0) or, with kGfxImageAtCursor,
// at the graphics cursor; parts outside the buffer are clipped. Frames that are not baseline
// 8-bit (progressive, lossless, arithmetic-coded, 12-bit and the like) give kJpegNoStart.
int GfxShowJPEG(const char* fileName, int flags);
int GfxShowJPEG(const std::uint8_t* data, std::size_t size, int flags);
