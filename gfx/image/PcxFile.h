// Saves a rectangle of the active buffer to a run-length encoded PCX file and shows it again:
// the save-under of window elements too large to keep in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/image/ImageFlags.h"
#include "gfx/image/ImageResult.h"

// Result codes of GfxSavePCX and GfxShowPCX; GfxLastImageError() adds why.
enum GfxPcxResult : int {
  kPcxOk = 0,
  kPcxCannotOpen =
      1,            // Saving: cannot create the file, or nothing to save. Showing: cannot read it.
  kPcxNotOurs = 2,  // Not a file GfxSavePCX wrote, or saved at another pixel format.
  kPcxDamaged = 3,  // The pixel data is cut short or damaged (rows shown so far stay).
};

// Writes the rectangle (inclusive bounds, clipped to the active buffer) to fileName.
int GfxSavePCX(int minx, int maxx, int miny, int maxy, const char* fileName);

// Puts a file written by GfxSavePCX back where it came from, or with its top-left corner at the
// graphics cursor with kGfxImageAtCursor; parts outside the active buffer are dropped.
int GfxShowPCX(const char* fileName, int flags);
int GfxShowPCX(const std::uint8_t* data, std::size_t size, int flags);

// The bytes GfxSavePCX would write, for tests and fuzz seeds; empty when there is nothing to save.
std::vector<std::uint8_t> GfxEncodePCX(int minx, int maxx, int miny, int maxy);
