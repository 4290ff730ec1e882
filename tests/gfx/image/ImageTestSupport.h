// Shared helpers of the image reader tests: synthetic pictures, PPM files, a JPEG encoder for
// making inputs, the external peer tools, and one driver for the damaged-input tables.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "gfx/Gfx.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/support/HeadlessGfx.h"

// An RGB picture, 3 bytes per pixel, rows top to bottom.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  const std::uint8_t* At(int x, int y) const {
    return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  }
};

// Gradients, noisy bands, checker edges and a saturated diagonal: the content that shows IDCT,
// sampling and clamping faults. The same seed gives the same picture.
inline RgbImage SyntheticImage(int width, int height, unsigned seed) {
  RgbImage img{width, height, {}};
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> noise(-60, 60);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int c[3] = {width > 1 ? x * 255 / (width - 1) : 128,
                  height > 1 ? y * 255 / (height - 1) : 128, ((x / 7 + y / 5) & 1) ? 240 : 15};
      for (int& v : c) v += y % 16 < 6 ? noise(rng) : 0;
      for (int v : c)
        img.rgb.push_back(x == y % width ? 255 : static_cast<std::uint8_t>(std::clamp(v, 0, 255)));
    }
  }
  return img;
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline void WritePpm(const std::string& path, const RgbImage& img) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << img.width << " " << img.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(img.rgb.data()),
            static_cast<std::streamsize>(img.rgb.size()));
}

// Reads a binary PPM (P6) as djpeg -ppm writes it; width 0 when it cannot.
inline RgbImage ReadPnm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  RgbImage img;
  int maxval = 0;
  in >> magic >> img.width >> img.height >> maxval;
  in.get();  // the one whitespace byte before the samples
  if (magic != "P6" || maxval != 255 || img.width <= 0 || img.height <= 0) return {};
  img.rgb.resize(static_cast<std::size_t>(img.width) * img.height * 3);
  if (!in.read(reinterpret_cast<char*>(img.rgb.data()),
               static_cast<std::streamsize>(img.rgb.size())))
    return {};
  return img;
}

// Options for making a JPEG with the system's libjpeg.
struct JpegEncodeOptions {
  int quality = 75;
  int h = 2, v = 2;  // Luminance sampling; chroma is 1x1.
  bool grey = false;
  int restartRows = 0;
};

std::vector<std::uint8_t> EncodeJpeg(const RgbImage& img, const JpegEncodeOptions& options);

// Runs a shell command quietly; true when it exits 0.
inline bool RunQuietly(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline bool HaveTool(const char* name) {
  return RunQuietly(std::string("command -v ") + name);
}

// A good file spoilt one way: `size` bytes of `value` written little-endian at `offset`, or with
// size 0 the file cut to `offset` bytes; `expected` is the reader's result for it.
struct Damage {
  std::string what;
  std::size_t offset;
  std::uint32_t value;
  int size;
  int expected;
};

// Shows each damaged copy of `good` with `show`, which must give the case's result and leave
// every byte of the active buffer (if any) as it was.
inline void ExpectRefused(const std::vector<std::uint8_t>& good, const std::vector<Damage>& cases,
                          const std::function<int(const std::vector<std::uint8_t>&)>& show) {
  const std::vector<std::uint8_t> before = BufferBytes(GfxActiveBuffer());
  for (const Damage& d : cases) {
    std::vector<std::uint8_t> f = good;
    if (d.size == 0) f.resize(std::min(f.size(), d.offset));
    for (int i = 0; i < d.size; ++i)
      f.at(d.offset + i) = static_cast<std::uint8_t>(d.value >> 8 * i);
    EXPECT_EQ(show(f), d.expected) << d.what;
    EXPECT_EQ(BufferBytes(GfxActiveBuffer()), before) << d.what << ": pixels were written";
  }
}

// A fresh, empty scratch directory for one test.
inline std::string ScratchDir(const std::string& name) {
  std::string dir = testing::TempDir() + "qs_images_" + name + "_" + std::to_string(::getpid());
  RunQuietly("rm -rf '" + dir + "' && mkdir -p '" + dir + "'");
  return dir;
}

// The raw pixel for (r, g, b) at a depth, written out from the pixel-format table rather than
// taken from the graphics layer, so a packing fault shows up.
inline std::uint32_t ExpectedPixel(const DepthCase& depth, int r, int g, int b) {
  if (depth.bits == 16 && depth.is565)
    return static_cast<std::uint32_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
  if (depth.bits == 16)
    return static_cast<std::uint32_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}
