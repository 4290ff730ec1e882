// Shows the graphics layer's screen buffer in the SDL window.
#include "gfx/sdl/SdlDisplay.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/Keyboard.h"

namespace {

// Converts one buffer pixel to 0x00RRGGBB. The layer's buffers all share the display's depth,
// so the branch is taken once per rectangle in practice and predicted after that.
inline std::uint32_t ToXrgb(const std::uint8_t* p, int bitsPerPixel, bool is565) {
  switch (bitsPerPixel) {
    case 32: {
      std::uint32_t v;
      std::memcpy(&v, p, sizeof v);
      return v & 0x00FFFFFF;
    }
    case 24:
      return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    case 16: {
      std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
      std::uint32_t r, g, b;
      if (is565) {
        r = (v >> 11) & 31;
        g = (v >> 5) & 63;
        b = v & 31;
        return (r * 255 / 31) << 16 | (g * 255 / 63) << 8 | (b * 255 / 31);
      }
      r = (v >> 10) & 31;
      g = (v >> 5) & 31;
      b = v & 31;
      return (r * 255 / 31) << 16 | (g * 255 / 31) << 8 | (b * 255 / 31);
    }
    default:
      return 0;
  }
}

}  // namespace

void SdlDisplay::Region::Merge(int x0, int x1, int y0, int y1) {
  if (Empty()) {
    minx = x0, maxx = x1, miny = y0, maxy = y1;
    return;
  }
  minx = std::min(minx, x0);
  maxx = std::max(maxx, x1);
  miny = std::min(miny, y0);
  maxy = std::max(maxy, y1);
}

SdlDisplay::SdlDisplay(SDL_Window* window, Clock clock)
    : window_(window), clock_(clock ? std::move(clock) : Clock([] { return SDL_GetTicks(); })) {
  SDL_DisplayMode mode;
  int index = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
  if (SDL_GetDesktopDisplayMode(index < 0 ? 0 : index, &mode) == 0 && mode.refresh_rate > 0) {
    frameMs_ = std::max(4, 1000 / mode.refresh_rate);
  }
}

SdlDisplay::~SdlDisplay() {
  Close();
}

int SdlDisplay::DesktopDepth() const {
  SDL_DisplayMode mode;
  int index = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
  if (SDL_GetDesktopDisplayMode(index < 0 ? 0 : index, &mode) != 0) return 0;
  // SDL counts the bits that carry colour, so an XRGB8888 desktop says 24; the depth the game
  // asks about is the size of a pixel in memory, as Windows reports it: 32 there.
  if (SDL_BYTESPERPIXEL(mode.format) == 4) return 32;
  int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
  return bits == 15 ? 16 : bits;
}

int SdlDisplay::Open(int width, int height, int /*bitsPerPixel*/) {
  if (!window_ || width <= 0 || height <= 0) return -1;
  width_ = width;
  height_ = height;
  shadow_.assign(static_cast<size_t>(width) * height, 0);
  pending_ = Region{};
  WindowResized();
  return 0;
}

void SdlDisplay::Close() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
  shadow_.clear();
  pending_ = Region{};
}

GfxPixelMasks SdlDisplay::Masks() const {
  return GfxPixelMasks{};
}

void SdlDisplay::Show(const GfxBufferView& source, int minx, int maxx, int miny, int maxy, int newx,
                      int newy) {
  if (!source.pixels || shadow_.empty()) return;
  // Keep the source rectangle inside its buffer and the placement inside the screen; the
  // layer's callers are trusted to stay inside, but a bad rectangle must never write wild.
  int dstTop = newy - (maxy - miny);
  // The columns that lie inside both the source buffer and the screen.
  int firstCol = std::max({0, -minx, -newx});
  int lastCol = std::min({maxx - minx, source.width - 1 - minx, width_ - 1 - newx});
  int bytesPerPixel = source.bitsPerPixel / 8;
  bool is565 = GfxIs565();
  for (int row = 0; firstCol <= lastCol && row <= maxy - miny; ++row) {
    int sy = miny + row;
    int dy = dstTop + row;
    if (sy < 0 || sy >= source.height || dy < 0 || dy >= height_) continue;
    const std::uint8_t* srcRow = source.pixels + static_cast<size_t>(sy) * source.bytesPerRow;
    std::uint32_t* dstRow = shadow_.data() + static_cast<size_t>(dy) * width_;
    if (source.bitsPerPixel == 32) {
      // The layer keeps 32-bit pixels as 0x00RRGGBB already: whole-row copies.
      std::memcpy(dstRow + newx + firstCol, srcRow + static_cast<size_t>(minx + firstCol) * 4,
                  static_cast<size_t>(lastCol - firstCol + 1) * 4);
      continue;
    }
    for (int col = firstCol; col <= lastCol; ++col) {
      dstRow[newx + col] = ToXrgb(srcRow + static_cast<size_t>(minx + col) * bytesPerPixel,
                                  source.bitsPerPixel, is565);
    }
  }
  int x0 = std::max(0, newx), x1 = std::min(width_ - 1, newx + (maxx - minx));
  int y0 = std::max(0, dstTop), y1 = std::min(height_ - 1, newy);
  if (x0 > x1 || y0 > y1) return;
  pending_.Merge(x0, x1, y0, y1);
  // Presenting more often than the display refreshes only burns time; a held-back rectangle
  // goes out with the next Show or Flush once the frame interval has passed.
  if (clock_() - lastPresentMs_ >= static_cast<std::uint32_t>(frameMs_)) Present();
}

int SdlDisplay::Flush() {
  if (pending_.Empty()) return -1;
  std::uint32_t elapsed = clock_() - lastPresentMs_;
  if (elapsed >= static_cast<std::uint32_t>(frameMs_)) {
    Present();
    return -1;
  }
  return frameMs_ - static_cast<int>(elapsed);
}

void SdlDisplay::Present() {
  if (pending_.Empty() || shadow_.empty()) return;
  SDL_Rect rect{pending_.minx, pending_.miny, pending_.maxx - pending_.minx + 1,
                pending_.maxy - pending_.miny + 1};
  const std::uint32_t* first = shadow_.data() + static_cast<size_t>(rect.y) * width_ + rect.x;
  int pitch = width_ * 4;
  if (renderer_) {
    SDL_UpdateTexture(texture_, &rect, first, pitch);
    const Viewport& v = CurrentViewport();
    SDL_Rect dst{v.offsetX, v.offsetY, static_cast<int>(std::lround(width_ * v.scaleX)),
                 static_cast<int>(std::lround(height_ * v.scaleY))};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    SDL_RenderPresent(renderer_);
  } else if (SDL_Surface* surface = SDL_GetWindowSurface(window_)) {
    if (rect.x + rect.w <= surface->w && rect.y + rect.h <= surface->h) {
      auto* dst = static_cast<std::uint8_t*>(surface->pixels) +
                  static_cast<size_t>(rect.y) * surface->pitch +
                  static_cast<size_t>(rect.x) * surface->format->BytesPerPixel;
      SDL_LockSurface(surface);
      SDL_ConvertPixels(rect.w, rect.h, SDL_PIXELFORMAT_RGB888, first, pitch,
                        surface->format->format, dst, surface->pitch);
      SDL_UnlockSurface(surface);
      SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
    }
  }
  pending_ = Region{};
  lastPresentMs_ = clock_();
}

Viewport SdlDisplay::FitViewport(int windowWidth, int windowHeight, int logicalWidth,
                                 int logicalHeight) {
  Viewport v;
  v.logicalWidth = logicalWidth;
  v.logicalHeight = logicalHeight;
  if (windowWidth <= 0 || windowHeight <= 0 || logicalWidth <= 0 || logicalHeight <= 0) return v;
  int steps = std::min(windowWidth / logicalWidth, windowHeight / logicalHeight);
  double scale = steps >= 1 ? steps
                            : std::min(double(windowWidth) / logicalWidth,
                                       double(windowHeight) / logicalHeight);
  v.scaleX = v.scaleY = scale;
  v.offsetX = (windowWidth - static_cast<int>(std::lround(logicalWidth * scale))) / 2;
  v.offsetY = (windowHeight - static_cast<int>(std::lround(logicalHeight * scale))) / 2;
  return v;
}

bool SdlDisplay::EnsureRenderer() {
  if (renderer_) return true;
  // Software rendering keeps start-up fast and memory small where only software GL exists.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) return false;
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                               width_, height_);
  if (!texture_) {
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    return false;
  }
  return true;
}

void SdlDisplay::WindowResized() {
  if (!window_ || width_ <= 0) return;
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  Viewport v = FitViewport(w, h, width_, height_);
  bool unscaled =
      v.scaleX == 1.0 && v.offsetX == 0 && v.offsetY == 0 && w == width_ && h == height_;
  if (!unscaled || renderer_) {
    if (!EnsureRenderer()) v = Viewport{};
  }
  if (texture_) {
    // Whole steps stay sharp; a fractional fit is smoothed so text does not shimmer.
    SDL_SetTextureScaleMode(
        texture_, v.scaleX == std::floor(v.scaleX) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  }
  SetCurrentViewport(v);
  pending_.Merge(0, width_ - 1, 0, height_ - 1);
  Present();
}

bool SdlDisplay::HasMouse() const {
  return true;
}

void SdlDisplay::ShowMouse(bool visible) {
  mouseVisible_ = visible;
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool SdlDisplay::KeyDown(int scanCode) const {
  return IsScanCodeDown(scanCode);
}
