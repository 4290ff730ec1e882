// Shows the graphics layer's screen buffer in the SDL window: straight onto the window surface
// when the picture is unscaled, through a streaming texture when it is scaled or full screen.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "gfx/GfxDisplay.h"
#include "platform/Viewport.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SdlDisplay final : public GfxDisplay {
public:
  // Milliseconds from any fixed start; the pacing measures frames with it.
  using Clock = std::function<std::uint32_t()>;

  // The window is owned by the caller and must outlive the display. Without a clock the display
  // uses SDL's tick count; tests pass their own to step through frames exactly.
  explicit SdlDisplay(SDL_Window* window, Clock clock = {});
  ~SdlDisplay() override;

  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  int DesktopDepth() const override;
  int Open(int width, int height, int bitsPerPixel) override;
  void Close() override;
  GfxPixelMasks Masks() const override;
  void Show(const GfxBufferView& source, int minx, int maxx, int miny, int maxy, int newx,
            int newy) override;
  bool HasMouse() const override;
  void ShowMouse(bool visible) override;
  bool KeyDown(int scanCode) const override;
  int Flush() override;

  // Call after the window changed size or full-screen state: recomputes where the logical
  // screen sits and repaints all of it from the last shown pixels.
  void WindowResized();
  // Presents everything held back at once, ignoring the refresh pacing (benchmarks, tests).
  void ForcePresent() { Present(); }
  // True while pictures go through the scaling renderer rather than the window surface.
  bool IsScaled() const { return renderer_ != nullptr; }
  // The shortest time between two presents: one refresh of the desktop.
  int FrameMs() const { return frameMs_; }

  // The viewport for a window of the given size: integer steps while they fit (sharp pixels,
  // letter-boxed), a smooth fit only when the window is smaller than the logical screen.
  static Viewport FitViewport(int windowWidth, int windowHeight, int logicalWidth,
                              int logicalHeight);

private:
  struct Region {
    int minx = 0, maxx = -1, miny = 0, maxy = -1;
    bool Empty() const { return maxx < minx || maxy < miny; }
    void Merge(int x0, int x1, int y0, int y1);
  };

  bool EnsureRenderer();
  void Present();

  SDL_Window* window_;
  Clock clock_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  // The last picture shown, in 0x00RRGGBB: what a resize or a late present repaints from.
  std::vector<std::uint32_t> shadow_;
  Region pending_;
  std::uint32_t lastPresentMs_ = 0;
  int frameMs_ = 16;
  bool mouseVisible_ = true;
};
