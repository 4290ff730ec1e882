// Pixel layouts of the graphics layer's buffers: how (r, g, b) becomes a native value and back,
// and how many bytes a pixel takes in a buffer and in an image array.
#pragma once

#include <cstdint>
#include <cstring>

#include "gfx/Gfx.h"

struct GfxPixelFormat {
  int bitsPerPixel = 32;
  // Only meaningful at 16 bits: 5-6-5 when true, else 5-5-5.
  bool is565 = true;

  friend bool operator==(const GfxPixelFormat&, const GfxPixelFormat&) = default;
};

inline bool GfxIsSupportedDepth(int bitsPerPixel) {
  return bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

inline int GfxBytesPerPixel(int bitsPerPixel) {
  return bitsPerPixel / 8;
}

// Image arrays keep 32-bit pixels as three bytes; blocks keep them whole.
inline int GfxImageBytesPerPixel(int bitsPerPixel) {
  return bitsPerPixel == 32 ? 3 : bitsPerPixel / 8;
}

// The native value of (r, g, b) at 16, 24 or 32 bits. 8-bit values are palette indices and are
// mapped through the colour table instead (see GfxMapRGB).
inline Color GfxPackRGB(const GfxPixelFormat& format, int r, int g, int b) {
  const auto ur = static_cast<std::uint32_t>(r) & 0xFF;
  const auto ug = static_cast<std::uint32_t>(g) & 0xFF;
  const auto ub = static_cast<std::uint32_t>(b) & 0xFF;
  if (format.bitsPerPixel == 16) {
    if (format.is565) return (ur >> 3) << 11 | (ug >> 2) << 5 | (ub >> 3);
    return (ur >> 3) << 10 | (ug >> 3) << 5 | (ub >> 3);
  }
  return ur << 16 | ug << 8 | ub;
}

// Pixels are moved with memcpy so that byte buffers can be read as 16- and 32-bit words without
// breaking aliasing rules; the compiler turns each into a single load or store.
inline Color GfxLoadPixel(const std::uint8_t* at, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 4: {
      std::uint32_t v;
      std::memcpy(&v, at, 4);
      return v;
    }
    case 3:
      return static_cast<Color>(at[0]) | static_cast<Color>(at[1]) << 8 |
             static_cast<Color>(at[2]) << 16;
    case 2: {
      std::uint16_t v;
      std::memcpy(&v, at, 2);
      return v;
    }
    default:
      return at[0];
  }
}

inline void GfxStorePixel(std::uint8_t* at, int bytesPerPixel, Color value) {
  switch (bytesPerPixel) {
    case 4:
      std::memcpy(at, &value, 4);
      break;
    case 3:
      at[0] = static_cast<std::uint8_t>(value);
      at[1] = static_cast<std::uint8_t>(value >> 8);
      at[2] = static_cast<std::uint8_t>(value >> 16);
      break;
    case 2: {
      const auto v = static_cast<std::uint16_t>(value);
      std::memcpy(at, &v, 2);
      break;
    }
    default:
      at[0] = static_cast<std::uint8_t>(value);
      break;
  }
}
