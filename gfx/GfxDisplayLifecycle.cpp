// Opening and closing the display through its back end, and the pointer and keyboard queries
// that the layer passes on to it.
#include "gfx/GfxState.h"

int GfxDisplayDepth() {
  const GfxDisplay* display = GfxGlobal().display;
  if (display == nullptr) return 0;
  const int depth = display->DesktopDepth();
  return depth == 15 ? 16 : depth;
}

int GfxSetMode(int width, int height, int bitsPerPixel, int backBuffers) {
  GfxState& state = GfxGlobal();
  state.modeWidth = width;
  state.modeHeight = height;
  state.modeDepth = bitsPerPixel;
  state.modeBackBuffers = backBuffers;
  return 0;
}

int GfxSetDC(GfxDisplay* display) {
  GfxState& state = GfxGlobal();
  if (state.display != display) {
    if (state.displayOpen && state.display != nullptr) state.display->Close();
    state.displayOpen = false;
  }
  state.display = display;
  return 0;
}

int GfxStart() {
  GfxResetState();
  GfxState& state = GfxGlobal();
  state.lastDisplayError = 0;
  state.mouseAvailable = false;
  state.mouseVisible = false;
  state.is565 = true;
  if (state.displayOpen && state.display != nullptr) state.display->Close();
  state.displayOpen = false;

  // Without a display the layer still works on its buffers; only showing them does nothing.
  if (state.display == nullptr) return 0;

  const int error = state.display->Open(state.modeWidth, state.modeHeight, state.modeDepth);
  if (error != 0) {
    state.lastDisplayError = error;
    return error;
  }
  state.displayOpen = true;
  state.masks = state.display->Masks();
  const int desktopDepth = state.modeDepth != 0 ? state.modeDepth : GfxDisplayDepth();
  if (desktopDepth == 16) state.is565 = state.masks.red == 0xF800;
  if (state.modeDepth != 0 && GfxIsSupportedDepth(state.modeDepth)) {
    state.bufferDepth = state.modeDepth;
  }
  return 0;
}

int GfxSetBufferDepth(int bitsPerPixel) {
  if (bitsPerPixel == 15) bitsPerPixel = 16;
  if (!GfxIsSupportedDepth(bitsPerPixel)) return -1;
  GfxGlobal().bufferDepth = bitsPerPixel;
  return 0;
}

int GfxStop() {
  GfxState& state = GfxGlobal();
  state.active = -1;
  if (state.displayOpen && state.display != nullptr) state.display->Close();
  state.displayOpen = false;
  return 0;
}

int GfxLastDisplayError() {
  return GfxGlobal().lastDisplayError;
}

bool GfxIs565() {
  return GfxGlobal().is565;
}

int GfxInitMouse() {
  GfxState& state = GfxGlobal();
  if (state.display == nullptr || !state.display->HasMouse()) {
    state.mouseAvailable = false;
    return -1;
  }
  // The system pointer starts out visible, so only the record is set here.
  state.mouseAvailable = true;
  state.mouseVisible = true;
  return 1;
}

int GfxShowMouse(int flag) {
  GfxState& state = GfxGlobal();
  const bool visible = flag != 0;
  if (!state.mouseAvailable || state.display == nullptr || visible == state.mouseVisible) return 0;
  state.display->ShowMouse(visible);
  state.mouseVisible = visible;
  return 0;
}

bool GfxKeyDown(int scanCode) {
  const GfxDisplay* display = GfxGlobal().display;
  return display != nullptr && display->KeyDown(scanCode);
}
