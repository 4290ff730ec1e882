// Legibility measured on pixels: relative luminance and contrast ratio as the accessibility
// guidelines define them, and the background and lettering of a drawn area.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace qs_test {

// Relative luminance of a 0x00RRGGBB pixel, 0 (black) to 1 (white).
inline double Luminance(std::uint32_t rgb) {
  const auto linear = [](std::uint32_t channel) {
    const double c = static_cast<double>(channel & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
}

// 1 (the same) to 21 (black on white).
inline double ContrastRatio(std::uint32_t a, std::uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct AreaInk {
  std::uint32_t background = 0;
  std::uint32_t ink = 0;
  double contrast = 1.0;  // of the ink on the background
};

// The background of an area is its median pixel by luminance (lettering covers far less than
// half of any area measured), its ink the pixel that stands out most from that background.
inline AreaInk InkOf(const std::function<std::uint32_t(int, int)>& pixel, int left, int top,
                     int right, int bottom) {
  std::vector<std::uint32_t> pixels;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) pixels.push_back(pixel(x, y) & 0xFFFFFF);
  }
  AreaInk area;
  if (pixels.empty()) return area;
  auto middle = pixels.begin() + static_cast<std::ptrdiff_t>(pixels.size() / 2);
  std::nth_element(pixels.begin(), middle, pixels.end(),
                   [](std::uint32_t a, std::uint32_t b) { return Luminance(a) < Luminance(b); });
  area.background = *middle;
  for (const std::uint32_t p : pixels) {
    const double c = ContrastRatio(p, area.background);
    if (c > area.contrast) {
      area.contrast = c;
      area.ink = p;
    }
  }
  return area;
}

}  // namespace qs_test
