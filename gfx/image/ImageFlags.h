// Flags shared by the picture readers (GfxShowBMP, GfxShowJPEG, GfxShowPCX).
#pragma once

// Leaves the display palette alone (only meaningful at 8 bits per pixel).
constexpr int kGfxImageKeepPalette = 1;
// Places the picture's top-left corner at the graphics cursor instead of at (0, 0).
constexpr int kGfxImageAtCursor = 2;
// The picture comes from memory; the memory overloads of the readers imply it.
constexpr int kGfxImageFromMemory = 4;
