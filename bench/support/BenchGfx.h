// The graphics layer as the program runs it, for benchmarks: a headless 32-bit display, an
// 800 x 600 screen buffer left as the drawing target, and the generated media as data directory.
#pragma once

#include <cstdlib>

#include "gfx/Gfx.h"
#include "gfx/HeadlessDisplay.h"
#include "gfx/font/Font.h"
#include "platform/DataDir.h"

class BenchGfx {
public:
  BenchGfx() : display_(32, HeadlessDisplay::Masks888()) {
    GfxSetMode(800, 600, 32, 0);
    GfxSetDC(&display_);
    GfxDefaultPalette();
    GfxStart();
    GfxSetBufferDepth(32);
    screen_ = GfxAllocBuffer(800, 600);
    GfxOpenBuffer(screen_);
    const char* media = std::getenv("QS_MEDIA_DIR");
    SetDataDir(media != nullptr && *media != '\0' ? media : QS_MEDIA_DIR);
  }
  ~BenchGfx() {
    GfxOpenBuffer(screen_);
    GfxCloseBuffer();
    GfxFreeBuffer(screen_);
    GfxFreeFont(-1);
    GfxStop();
    GfxSetDC(nullptr);
  }
  BenchGfx(const BenchGfx&) = delete;
  BenchGfx& operator=(const BenchGfx&) = delete;

  int Screen() const { return screen_; }

private:
  HeadlessDisplay display_;
  int screen_ = -1;
};
