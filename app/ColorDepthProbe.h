// Decides whether the display is deep enough for the game, from the modes it offers.
#pragma once

#include <vector>

struct DisplayModeInfo {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

// Among the modes of exactly width x height, keeps the largest depth below 33 bits; once 24 bits
// has been kept it is no longer replaced (a 24-bit mode is preferred to a later 32-bit one).
// Returns 0 when no mode of that size exists.
int ChooseColorDepth(const std::vector<DisplayModeInfo>& modes, int width, int height);

// The game needs at least this many bits per pixel.
constexpr int kMinimumColorDepth = 16;

inline constexpr const char* kColorDepthMessage =
    "Quenbry Solitaire requires 16-bit color or higher";
