// Saves a rectangle of the active buffer to a run-length encoded PCX file and shows it again:
// the save-under of window elements too large to keep in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/image/ImageFlags.h"

// Writes the rectangle (inclusive bounds, clipped to the active buffer) to fileName.
// 0 done; 1 the file cannot be created, or there is no buffer or nothing of the rectangle in it.
int GfxSavePCX(int minx, int maxx, int miny, int maxy, const char* fileName);

// Puts a file written by GfxSavePCX back where it came from, or with its top-left corner at the
// graphics cursor with kGfxImageAtCursor; parts outside the active buffer are dropped.
// 0 done; 1 the file cannot be opened; 2 not such a file, or saved at another pixel format;
// 3 the pixel data is cut short or damaged (rows shown so far stay).
int GfxShowPCX(const char* fileName, int flags);
int GfxShowPCX(const std::uint8_t* data, std::size_t size, int flags);

// The bytes GfxSavePCX would write, for tests and fuzz seeds; empty when there is nothing to save.
std::vector<std::uint8_t> GfxEncodePCX(int minx, int maxx, int miny, int maxy);
