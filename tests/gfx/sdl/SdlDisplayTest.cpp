// The SDL display back end under the dummy video driver: where the screen sits in the window,
// both presentation paths (surface, scaling renderer) showing exactly the rectangle, and pacing.
#include "gfx/sdl/SdlDisplay.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "gfx/Gfx.h"
#include "tests/support/HeadlessGfx.h"

namespace {

TEST(SdlDisplayViewport, WholeStepsWhileTheyFitThenASmoothFit) {
  struct Case {
    int windowW, windowH;
    double scale;
    int offsetX, offsetY;
  };
  const Case cases[] = {
      {800, 600, 1.0, 0, 0},
      {1000, 700, 1.0, 100, 50},  // a little larger than one step: unscaled, letter-boxed
      {2560, 1300, 2.0, (2560 - 1600) / 2, (1300 - 1200) / 2},  // the smaller side decides
      {640, 600, 0.8, 0, (600 - 480) / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.windowW << "x" << c.windowH);
    const Viewport v = SdlDisplay::FitViewport(c.windowW, c.windowH, 800, 600);
    EXPECT_DOUBLE_EQ(v.scaleX, c.scale);
    EXPECT_EQ(std::pair(v.offsetX, v.offsetY), std::pair(c.offsetX, c.offsetY));
  }
  int x = -1, y = -1;
  SdlDisplay::FitViewport(2560, 1300, 800, 600)
      .ToLogical(480 + 2 * 799 + 1, 50 + 2 * 599 + 1, &x, &y);
  EXPECT_EQ(std::pair(x, y), std::pair(799, 599));
}

class SdlDisplayTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    window_ = SDL_CreateWindow("test", 0, 0, 800, 600, SDL_WINDOW_RESIZABLE);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    display_ = std::make_unique<SdlDisplay>(window_, [this] { return now_; });
    HeadlessGfx::Options options;
    options.display = display_.get();
    gfx_ = std::make_unique<HeadlessGfx>(options);
    ASSERT_TRUE(gfx_->Started());
    screen_ = gfx_->Screen();
    GfxSetColor(GfxMapRGB(0, 0, 0));
    GfxClear();
  }
  void TearDown() override {
    gfx_.reset();
    display_.reset();
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  // Fills a rectangle with one colour and shows the part of it up to column showMaxx in place.
  static void FillAndShow(Color color, int minx, int maxx, int miny, int maxy, int showMaxx) {
    GfxSetColor(color);
    GfxFillRect(minx, maxx, miny, maxy);
    GfxShowRect(minx, showMaxx, miny, maxy, minx, maxy);
  }
  // A red square at (100..149, 200..249) of which only (100..124, 200..249) is shown.
  void ShowHalfOfARedSquare() {
    FillAndShow(GfxMapRGB(255, 0, 0), 100, 149, 200, 249, 124);
    display_->ForcePresent();
  }

  // The display's clock: it moves only when a test says so, so the pacing is exact.
  std::uint32_t now_ = 1000;
  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlDisplay> display_;
  std::unique_ptr<HeadlessGfx> gfx_;
  int screen_ = -1;  // owned by gfx_
};

std::uint32_t SurfacePixel(SDL_Surface* surface, int x, int y) {
  std::uint32_t raw = 0;
  std::memcpy(&raw,
              static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch +
                  x * surface->format->BytesPerPixel,
              surface->format->BytesPerPixel);
  std::uint8_t r, g, b;
  SDL_GetRGB(raw, surface->format, &r, &g, &b);
  return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
}

TEST_F(SdlDisplayTest, UnscaledWindowShowsExactlyTheRectangleOnTheSurface) {
  ASSERT_FALSE(display_->IsScaled());
  ShowHalfOfARedSquare();
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(SurfacePixel(surface, 100, 200), 0xFF0000u);
  EXPECT_EQ(SurfacePixel(surface, 124, 249), 0xFF0000u);
  EXPECT_EQ(SurfacePixel(surface, 125, 220), 0x000000u) << "outside the shown rectangle";
  // Lower-left placement beyond every edge: cut to the screen, not written wild.
  GfxSetColor(GfxMapRGB(0, 255, 0));
  GfxClear();
  GfxShowRect(0, 799, 0, 599, -400, 900);
  GfxShowRect(0, 799, 0, 599, 700, 100);
  GfxShowRect(790, 900, 590, 700, 0, 599);
  display_->ForcePresent();
  EXPECT_EQ(SurfacePixel(surface, 0, 599), 0x00FF00u);
  EXPECT_EQ(SurfacePixel(surface, 799, 0), 0x00FF00u);
}

TEST_F(SdlDisplayTest, ScaledWindowShowsThePictureInWholeSteps) {
  SDL_SetWindowSize(window_, 1600, 1200);
  display_->WindowResized();
  ASSERT_TRUE(display_->IsScaled()) << SDL_GetError();
  EXPECT_EQ(CurrentViewport().scaleX, 2.0);
  ShowHalfOfARedSquare();
  SDL_Renderer* renderer = SDL_GetRenderer(window_);
  ASSERT_NE(renderer, nullptr);
  // Logical (100, 200) covers window pixels (200..201, 400..401); logical (125, 200) is not shown.
  for (auto [x, colour] : {std::pair{200, 0xFF0000u}, {250, 0u}}) {
    std::uint32_t pixels[4] = {};
    SDL_Rect rect{x, 400, 2, 2};
    ASSERT_EQ(SDL_RenderReadPixels(renderer, &rect, SDL_PIXELFORMAT_RGB888, pixels, 8), 0)
        << SDL_GetError();
    for (std::uint32_t p : pixels) EXPECT_EQ(p & 0xFFFFFF, colour) << x;
  }
}

TEST_F(SdlDisplayTest, PacingHoldsBackAndFlushReleases) {
  const int frame = display_->FrameMs();
  ASSERT_GT(frame, 1);
  GfxShowRect(0, 799, 0, 599, 0, 599);
  display_->ForcePresent();
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  ASSERT_NE(surface, nullptr);
  now_ += 3;
  FillAndShow(GfxMapRGB(0, 0, 255), 0, 9, 0, 9, 9);
  // Straight after a present the new rectangle waits for the rest of the frame.
  EXPECT_EQ(SurfacePixel(surface, 5, 5), 0x000000u) << "shown before the frame was over";
  EXPECT_EQ(display_->Flush(), frame - 3);
  EXPECT_EQ(SurfacePixel(surface, 5, 5), 0x000000u);
  now_ += static_cast<std::uint32_t>(frame - 3);
  EXPECT_EQ(display_->Flush(), -1) << "the frame is over: everything goes out";
  EXPECT_EQ(SurfacePixel(surface, 5, 5), 0x0000FFu);
  // A Show a whole frame after the last present goes out at once.
  now_ += static_cast<std::uint32_t>(frame);
  FillAndShow(GfxMapRGB(255, 255, 255), 40, 49, 0, 9, 49);
  EXPECT_EQ(SurfacePixel(surface, 45, 5), 0xFFFFFFu);
}

TEST_F(SdlDisplayTest, DesktopDepthCountsTheBytesAPixelTakes) {
  SDL_DisplayMode mode;
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0) << SDL_GetError();
  // The dummy driver's desktop is XRGB8888: 24 bits of colour in 4-byte pixels, which a
  // Windows desktop reports as 32 bits per pixel.
  ASSERT_EQ(SDL_BYTESPERPIXEL(mode.format), 4);
  ASSERT_EQ(SDL_BITSPERPIXEL(mode.format), 24);
  EXPECT_EQ(GfxDisplayDepth(), 32);
}

}  // namespace
