// The main window's start-up sequence, window procedure, main loop and tear-down.
#include "app/AppShell.h"

#include "app/ColorDepthProbe.h"
#include "app/ShellWindow.h"
#include "gfx/Gfx.h"
#include "gfx/GfxDisplay.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/Window.h"
#include "ui/UiToolkit.h"

namespace {

// The picture is always kept at 32 bits: every colour goes through GfxMapRGB, and the display
// back end shows 0x00RRGGBB without conversion.
constexpr int kBufferDepth = 32;

// The messages that pass through the input pre-pass: key presses and the mouse.
bool IsShellInput(std::uint32_t message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return true;
    default:
      return message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK;
  }
}

}  // namespace

bool AppShell::Create() {
  GfxSetDC(&display_);
  const int depth = ChooseColorDepth({{kScreenWidth, kScreenHeight, GfxDisplayDepth()}},
                                     kScreenWidth, kScreenHeight);
  if (depth < kMinimumColorDepth) {
    GfxSetDC(nullptr);
    window_.ShowError(kColorDepthMessage);
    return false;
  }

  graphicsAttached_ = true;
  GfxSetMode(kScreenWidth, kScreenHeight, kBufferDepth, 0);
  GfxRealizePalette(GfxDefaultPalette());
  window_.Show();
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

void AppShell::EndProgram() {
  if (ending_) return;
  ending_ = true;
  PostQuitMessage(0);
}

std::intptr_t AppShell::WindowProc(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  (void)lParam;
  // A message that was already queued when the loops ended finds nothing left to act on.
  if (destroyed_) return 0;
  if (IsShellInput(message)) {
    // Input that arrives after the program was asked to end would start things it cannot
    // finish; the quit is already on its way.
    if (!active_ || ending_) return 0;
    if (message == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_F12)) EndProgram();
    return 0;
  }
  switch (message) {
    case WM_ACTIVATEAPP:
      active_ = wParam != 0;
      UiSetAppActive(active_);
      return 0;
    case WM_SIZE:
      window_.Resized();
      window_.ReapplyCursorClip();
      return 0;
    case WM_PAINT:
      if (active_) PaintWholeScreen();
      return 0;
    case WM_CLOSE:
      // Only the request to end: a dialog may be open in a loop further up this very call
      // stack, and it must leave (on the quit message) before anything it draws on is freed.
      EndProgram();
      return 0;
    default:
      return 0;
  }
}

int AppShell::Run() {
  Message msg;
  while (GetMessage(&msg)) DispatchMessage(msg);
  Destroy();
  return static_cast<int>(msg.wParam);
}

void AppShell::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (!graphicsAttached_) return;
  graphicsAttached_ = false;
  GfxShowMouse(1);
  GfxCloseBuffer();
  if (screenBuffer_ >= 0) GfxFreeBuffer(screenBuffer_);
  screenBuffer_ = -1;
  GfxStop();
  GfxSetDC(nullptr);
}
