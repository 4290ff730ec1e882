// A windowless display that remembers what was shown, for tests and headless runs.
#include "gfx/HeadlessDisplay.h"

#include "gfx/GfxPixelFormat.h"

namespace {

// The largest screen a test could sensibly ask for; anything beyond is refused like a mode the
// hardware does not offer.
constexpr int kMaxScreenSide = 8192;
constexpr int kModeNotSupported = -1;

}  // namespace

HeadlessDisplay::HeadlessDisplay(int desktopDepth, GfxPixelMasks masks, bool hasMouse)
    : desktopDepth_(desktopDepth), masks_(masks), hasMouse_(hasMouse) {}

void HeadlessDisplay::SetKeyDown(int scanCode, bool down) {
  if (scanCode >= 0 && scanCode < static_cast<int>(keys_.size())) {
    keys_[static_cast<std::size_t>(scanCode)] = down;
  }
}

int HeadlessDisplay::Open(int width, int height, int bitsPerPixel) {
  ++openCount_;
  if (openError_ != 0) return openError_;
  if (width <= 0 || height <= 0 || width > kMaxScreenSide || height > kMaxScreenSide) {
    return kModeNotSupported;
  }
  width_ = width;
  height_ = height;
  openedDepth_ = bitsPerPixel;
  screen_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  open_ = true;
  return 0;
}

void HeadlessDisplay::Close() {
  ++closeCount_;
  open_ = false;
}

void HeadlessDisplay::Show(const GfxBufferView& source, int minx, int maxx, int miny, int maxy,
                           int newx, int newy) {
  shown_.push_back({minx, maxx, miny, maxy, newx, newy});
  if (!open_ || source.pixels == nullptr) return;
  const int bytes = GfxBytesPerPixel(source.bitsPerPixel);
  const long long top = static_cast<long long>(newy) - (static_cast<long long>(maxy) - miny);
  for (long long sy = miny; sy <= maxy; ++sy) {
    const long long dy = top + (sy - miny);
    if (sy < 0 || sy >= source.height || dy < 0 || dy >= height_) continue;
    for (long long sx = minx; sx <= maxx; ++sx) {
      const long long dx = static_cast<long long>(newx) + (sx - minx);
      if (sx < 0 || sx >= source.width || dx < 0 || dx >= width_) continue;
      const std::uint8_t* at = source.pixels + sy * source.bytesPerRow + sx * bytes;
      screen_[static_cast<std::size_t>(dy * width_ + dx)] = GfxLoadPixel(at, bytes);
    }
  }
  if (showListener_) showListener_(shown_.back());
}

void HeadlessDisplay::ShowMouse(bool visible) {
  ++showMouseCalls_;
  mouseVisible_ = visible;
}

bool HeadlessDisplay::KeyDown(int scanCode) const {
  return scanCode >= 0 && scanCode < static_cast<int>(keys_.size()) &&
         keys_[static_cast<std::size_t>(scanCode)];
}

Color HeadlessDisplay::ScreenPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return screen_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}
