// The main window's start-up sequence, window procedure and tear-down.
#include "app/AppShell.h"

#include <SDL.h>

#include "app/ColorDepthProbe.h"
#include "gfx/Gfx.h"
#include "gfx/sdl/SdlDisplay.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/Window.h"
#include "ui/UiToolkit.h"

namespace {
// The picture is always kept at 32 bits: every colour goes through GfxMapRGB, and the display
// back end shows 0x00RRGGBB without conversion.
constexpr int kBufferDepth = 32;
}  // namespace

bool AppShell::Create() {
  int depth = ChooseColorDepth({{kScreenWidth, kScreenHeight, display_.DesktopDepth()}},
                               kScreenWidth, kScreenHeight);
  if (depth < kMinimumColorDepth) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kWindowTitle, kColorDepthMessage, nullptr);
    return false;
  }

  GfxSetMode(kScreenWidth, kScreenHeight, kBufferDepth, 0);
  GfxSetDC(&display_);
  GfxRealizePalette(GfxDefaultPalette());
  if (Window* window = MainWindow()) window->Show();
  if (GfxStart() != 0) return false;
  GfxSetBufferDepth(kBufferDepth);
  screenBuffer_ = GfxAllocBuffer(kScreenWidth, kScreenHeight);
  if (screenBuffer_ < 0) return false;
  GfxOpenBuffer(screenBuffer_);
  GfxAttachPalette();
  GfxSetColor(GfxMapRGB(0, 0, 0));
  GfxClear();
  GfxShowRect(0, kScreenWidth - 1, 0, kScreenHeight - 1, 0, kScreenHeight - 1);
  GfxInitMouse();
  GfxShowMouse(1);
  SetCursor(CursorShape::Arrow);
  return true;
}

void AppShell::PaintWholeScreen() {
  if (screenBuffer_ < 0) return;
  GfxOpenBuffer(screenBuffer_);
  GfxShowRect(0, kScreenWidth - 1, 0, kScreenHeight - 1, 0, kScreenHeight - 1);
}

std::intptr_t AppShell::WindowProc(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  (void)lParam;
  switch (message) {
    case WM_ACTIVATEAPP:
      active_ = wParam != 0;
      UiSetAppActive(active_);
      return 0;
    case WM_KEYDOWN:
      if (!active_) return 0;
      if (wParam == VK_ESCAPE || wParam == VK_F12) Destroy();
      return 0;
    case WM_SIZE:
      display_.WindowResized();
      if (Window* window = MainWindow()) window->ReapplyCursorClip();
      return 0;
    case WM_PAINT:
      if (active_) PaintWholeScreen();
      return 0;
    case WM_CLOSE:
      Destroy();
      return 0;
    default:
      return 0;
  }
}

void AppShell::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  GfxShowMouse(1);
  GfxCloseBuffer();
  if (screenBuffer_ >= 0) GfxFreeBuffer(screenBuffer_);
  screenBuffer_ = -1;
  GfxStop();
  GfxSetDC(nullptr);
  PostQuitMessage(0);
}
