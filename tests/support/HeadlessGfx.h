// Starts the graphics layer on a headless display for the life of one test and stops it again,
// so every suite that draws sets the layer up the same way the main window does.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "gfx/Gfx.h"
#include "gfx/HeadlessDisplay.h"
#include "platform/Screen.h"

class HeadlessGfx {
public:
  struct Options {
    int bits = 32;
    GfxPixelMasks masks = HeadlessDisplay::Masks888();
    // Most suites draw into an 800 x 600 screen buffer, left open as the active buffer.
    bool screenBuffer = true;
    bool hasMouse = true;
    // Starts the layer on this display (observed, not owned) instead of the headless one, for
    // the tests of a real display back end.
    GfxDisplay* display = nullptr;
  };

  HeadlessGfx() : HeadlessGfx(Options{}) {}
  explicit HeadlessGfx(const Options& options)
      : display_(std::make_unique<HeadlessDisplay>(options.bits, options.masks, options.hasMouse)) {
    GfxSetMode(kScreenWidth, kScreenHeight, options.bits, 0);
    GfxSetDC(options.display != nullptr ? options.display : display_.get());
    GfxDefaultPalette();
    GfxRealizePalette(1);
    started_ = GfxStart() == 0;
    EXPECT_TRUE(started_) << "the graphics layer did not start";
    GfxSetBufferDepth(options.bits);
    if (options.screenBuffer && started_) {
      screen_ = GfxAllocBuffer(kScreenWidth, kScreenHeight);
      EXPECT_GE(screen_, 0);
      GfxOpenBuffer(screen_);
    }
  }
  ~HeadlessGfx() {
    GfxCloseBuffer();
    if (screen_ >= 0) GfxFreeBuffer(screen_);
    GfxStop();
    GfxSetDC(nullptr);
  }
  HeadlessGfx(const HeadlessGfx&) = delete;
  HeadlessGfx& operator=(const HeadlessGfx&) = delete;

  // The 16-bit layouts by name, for suites that run at every depth.
  static Options AtDepth(int bits, bool is565 = true) {
    Options options;
    options.bits = bits;
    if (bits == 16)
      options.masks = is565 ? HeadlessDisplay::Masks565() : HeadlessDisplay::Masks555();
    return options;
  }

  bool Started() const { return started_; }
  HeadlessDisplay& Display() { return *display_; }
  // The 800 x 600 screen buffer, or -1 when the options asked for none.
  int Screen() const { return screen_; }

private:
  std::unique_ptr<HeadlessDisplay> display_;
  bool started_ = false;
  int screen_ = -1;
};
