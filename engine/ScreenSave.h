// Saving and restoring screen areas for the drag image, the card flights and the end screens:
// the engine's own helpers, not part of any interface.
#pragma once

#include "gfx/Gfx.h"
#include "platform/Screen.h"

namespace engine_detail {

inline int Width(const ScreenRect& r) {
  return r.right - r.left + 1;
}
inline int Height(const ScreenRect& r) {
  return r.bottom - r.top + 1;
}

// Copies the screen under `rect` into the top-left of `buffer`. Copies place blocks by their
// lower-left corner, hence the bottom rows as targets.
inline void SaveScreen(const ScreenRect& rect, int screen, int buffer) {
  if (buffer < 0) return;
  GfxCopyRect(rect.left, rect.right, rect.top, rect.bottom, 0, Height(rect) - 1, screen, buffer);
}

inline void RestoreScreen(const ScreenRect& rect, int screen, int buffer) {
  if (buffer < 0) return;
  GfxCopyRect(0, Width(rect) - 1, 0, Height(rect) - 1, rect.left, rect.bottom, buffer, screen);
}

// An off-screen buffer for the length of one flight or one end screen.
class ScratchBuffer {
public:
  ScratchBuffer(int width, int height, int screen) : screen_(screen) {
    handle_ = GfxAllocBuffer(width, height);
    if (handle_ < 0) handle_ = -1;
  }
  ~ScratchBuffer() {
    if (handle_ < 0) return;
    // The layer refuses to free the buffer that is being drawn into.
    if (GfxActiveBuffer() == handle_) GfxOpenBuffer(screen_);
    GfxFreeBuffer(handle_);
  }
  ScratchBuffer(const ScratchBuffer&) = delete;
  ScratchBuffer& operator=(const ScratchBuffer&) = delete;
  int Handle() const { return handle_; }

private:
  int handle_ = -1;
  int screen_;
};

}  // namespace engine_detail
