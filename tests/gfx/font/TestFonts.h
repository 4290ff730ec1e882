// The glyph pictures and the small font that the font tests draw and measure with.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/gfx/font/FgfBuilder.h"

namespace testfonts {

// A stands two rows above the bottom of its cell, so the font's descent is 2.
inline const GlyphRows kA = {
    "..##..", ".#..#.", "#....#", "######", "#....#", "#....#", "......", "......",
};
inline const GlyphRows kB = {"#####.", "#....#", "#####.", "#....#",
                             "#....#", "#####.", "......", "......"};
inline const GlyphRows kC = {".####", "#....", "#....", "#....",
                             "#....", ".####", ".....", "....."};
// Descenders use the two rows under the baseline.
inline const GlyphRows kG = {".....", ".###.", "#...#", "#...#",
                             ".####", "....#", "#...#", ".###."};
inline const GlyphRows kP = {".....", "####.", "#...#", "#...#",
                             "####.", "#....", "#....", "#...."};
// j is one row taller than the rest, so the tallest glyph is not simply the cell.
inline const GlyphRows kJ = {"..#", "...", "..#", "..#", "..#", "..#", "..#", "#.#", ".#."};
// Eleven pixels wide: its rows take two bytes.
inline const GlyphRows kW = {
    "#.........#", "#.........#", "#....#....#", "#...#.#...#",
    "#..#...#..#", "#.#.....#.#", "##.......##", "...........",
};
inline const GlyphRows kI = {"#.", "#.", "#.", "#.", "#.", "#.", "..", ".."};
// The underscore glyph: it must never appear when 0x5F is the argument of an escape.
inline const GlyphRows kUnderscore = {"#######", "#######"};
inline const GlyphRows kSpace = {};

constexpr int kWidthA = 6, kWidthB = 6, kWidthC = 5, kWidthG = 5, kWidthP = 5, kWidthJ = 3;
constexpr int kWidthW = 11, kWidthI = 2, kWidthUnderscore = 7;
constexpr int kDescent = 2;

inline FgfBuilder VelvetBuilder(bool large = true) {
  FgfBuilder b(large, 4, 6);  // 24-byte slots: up to 12 rows of two bytes
  b.Glyph('A', kA).Glyph('B', kB).Glyph('C', kC).Glyph('g', kG).Glyph('p', kP).Glyph('j', kJ);
  b.Glyph('W', kW).Glyph('i', kI).Glyph('_', kUnderscore);
  // A wide space: advances without drawing.
  b.Metrics(' ', 4, 0);
  return b;
}

inline std::vector<std::uint8_t> VelvetFont(bool large = true) {
  return VelvetBuilder(large).Bytes();
}

}  // namespace testfonts
