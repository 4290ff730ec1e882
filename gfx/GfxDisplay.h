// What the graphics layer needs from the platform: a place to show pixels, the pointer and the
// keyboard. The SDL back end implements it for the real window; tests use a headless one.
#pragma once

#include <cstdint>

#include "gfx/Gfx.h"

struct GfxPixelMasks {
  std::uint32_t red = 0x00FF0000;
  std::uint32_t green = 0x0000FF00;
  std::uint32_t blue = 0x000000FF;
};

class GfxDisplay {
public:
  virtual ~GfxDisplay() = default;

  // Bits per pixel of the desktop (15 is reported as 16).
  virtual int DesktopDepth() const = 0;
  // Prepares a width x height screen; returns 0 or a non-zero error code.
  virtual int Open(int width, int height, int bitsPerPixel) = 0;
  virtual void Close() = 0;
  // Pixel layout of the screen; at 16 bits the red mask decides between 565 and 555.
  virtual GfxPixelMasks Masks() const = 0;
  // Shows a rectangle of a buffer (inclusive source bounds) with its lower-left corner at
  // (newx, newy) of the screen. The back end clips against the screen itself.
  virtual void Show(const GfxBufferView& source, int minx, int maxx, int miny, int maxy, int newx,
                    int newy) = 0;
  // Returns false when no pointing device is available.
  virtual bool HasMouse() const = 0;
  virtual void ShowMouse(bool visible) = 0;
  // True while the key with that set-1 scan code is held.
  virtual bool KeyDown(int scanCode) const = 0;
  // Shows whatever Show held back to keep presentation at the display's refresh rate.
  // Returns the milliseconds until it should be called again, or -1 when nothing is pending.
  virtual int Flush() { return -1; }
};
