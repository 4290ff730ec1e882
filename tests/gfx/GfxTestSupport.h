// Shared helpers of the graphics layer tests: the depths and pixel layouts they run at, and
// pixels read straight from buffer memory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/HeadlessDisplay.h"
#include "tests/support/HeadlessGfx.h"

struct DepthCase {
  int bits;
  bool is565;
  const char* name;
};

// Names the case in failure messages instead of dumping its bytes.
inline void PrintTo(const DepthCase& depth, std::ostream* out) {
  *out << depth.name;
}

inline const DepthCase kAllDepths[] = {
    {16, true, "Rgb565"}, {16, false, "Rgb555"}, {24, false, "Bgr24"}, {32, false, "Xrgb32"}};
inline constexpr DepthCase kDepth32{32, false, "Xrgb32"};

inline std::string DepthName(const testing::TestParamInfo<DepthCase>& info) {
  return info.param.name;
}

// No screen buffer: the core suites count and open buffers themselves.
inline HeadlessGfx::Options CoreGfxOptions(const DepthCase& depth) {
  HeadlessGfx::Options options = HeadlessGfx::AtDepth(depth.bits, depth.is565);
  options.screenBuffer = false;
  return options;
}

// Decodes the bytes by hand rather than through the layer, so a fault in the layer's own pixel
// access cannot hide itself.
inline std::uint32_t RawPixel(int handle, int x, int y) {
  const GfxBufferView view = GfxGetBufferView(handle);
  if (view.pixels == nullptr || x < 0 || y < 0 || x >= view.width || y >= view.height) {
    ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside buffer " << handle;
    return 0xDEADBEEF;
  }
  const int bytes = view.bitsPerPixel / 8;
  const std::uint8_t* p = view.pixels + y * view.bytesPerRow + x * bytes;
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

// Every byte of a buffer's pixel memory, padding included; empty for no buffer.
inline std::vector<std::uint8_t> BufferBytes(int handle) {
  const GfxBufferView v = GfxGetBufferView(handle);
  if (v.pixels == nullptr) return {};
  return std::vector<std::uint8_t>(v.pixels,
                                   v.pixels + static_cast<std::size_t>(v.bytesPerRow) * v.height);
}

// Allocates, opens and clears a buffer to one colour; returns its handle.
inline int MakeFilledBuffer(int width, int height, Color color) {
  const int handle = GfxAllocBuffer(width, height);
  EXPECT_GE(handle, 0);
  GfxOpenBuffer(handle);
  GfxSetColor(color);
  GfxClear();
  return handle;
}

// Pixels of a rectangle of a buffer that hold the given value.
inline int CountPixels(int handle, int minx, int maxx, int miny, int maxy, std::uint32_t value) {
  int count = 0;
  for (int y = miny; y <= maxy; ++y) {
    for (int x = minx; x <= maxx; ++x) count += RawPixel(handle, x, y) == value;
  }
  return count;
}

// Every pixel of the buffer holds picture(x - left, y - top) inside the w x h picture placed at
// (left, top), and `guard` everywhere else.
inline void ExpectPlaced(int handle, int left, int top, int w, int h,
                         const std::function<std::uint32_t(int, int)>& picture,
                         std::uint32_t guard) {
  const GfxBufferView view = GfxGetBufferView(handle);
  for (int y = 0; y < view.height; ++y) {
    for (int x = 0; x < view.width; ++x) {
      const int sx = x - left, sy = y - top;
      const bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
      ASSERT_EQ(RawPixel(handle, x, y), inside ? picture(sx, sy) : guard) << x << "," << y;
    }
  }
}

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of a width x height buffer that hold `ink`; every other pixel must still hold
// `background`, so a stray write anywhere fails the test that drew.
inline PixelSet InkedPixels(int handle, int width, int height, std::uint32_t ink,
                            std::uint32_t background) {
  PixelSet set;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = RawPixel(handle, x, y);
      if (pixel == ink)
        set.insert({x, y});
      else
        EXPECT_EQ(pixel, background) << x << "," << y;
    }
  }
  return set;
}
