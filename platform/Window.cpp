// Creates the SDL window and carries out pointer confinement, capture and cursor changes on it.
#include "platform/Window.h"

#include <SDL.h>

#include <algorithm>
#include <optional>

#include "platform/Viewport.h"
#include "platform/WindowFit.h"
#include "platform/X11Quirks.h"

namespace {

Window* g_mainWindow = nullptr;
CursorShape g_cursorShape = CursorShape::Arrow;

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct CursorDeleter {
  void operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }
};

// A smaller window would make the letter-boxed picture too small to use.
constexpr int kMinWindowWidth = kScreenWidth / 4;
constexpr int kMinWindowHeight = kScreenHeight / 4;

}  // namespace

struct Window::Impl {
  std::unique_ptr<SDL_Window, WindowDeleter> window;
  std::unique_ptr<SDL_Cursor, CursorDeleter> arrow;
  std::unique_ptr<SDL_Cursor, CursorDeleter> wait;
  std::optional<CursorRect> clip;
  int requestedScale = 1;
  int scale = 1;
  // Full screen made by moving and sizing the window itself (no window manager to ask), and
  // where the window was before.
  bool coveredByHand = false;
  SDL_Rect windowed{};
};

Window::Window() : impl_(std::make_unique<Impl>()) {}

Window::~Window() {
  if (g_mainWindow == this) g_mainWindow = nullptr;
  if (impl_->window) SDL_SetWindowMouseRect(impl_->window.get(), nullptr);
}

bool Window::Create(int scale, bool fullscreen) {
  if (impl_->window) return true;
  scale = std::clamp(scale, 1, kMaxWindowScale);
  // A window larger than the desktop would open with its menu bar and corner buttons out of
  // reach; panels and task bars are left uncovered too.
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = SDL_Rect{};
  WindowFit fit =
      ChooseWindowFit(scale, usable.w, usable.h, 0, 0, kMinWindowWidth, kMinWindowHeight);
  int x = SDL_WINDOWPOS_CENTERED;
  int y = SDL_WINDOWPOS_CENTERED;
  if (usable.w > 0 && usable.h > 0) {
    x = usable.x + (usable.w - fit.width) / 2;
    y = usable.y + (usable.h - fit.height) / 2;
  }
  // The window surface is all the display needs; without this hint SDL would load GL (a software
  // one on most machines) just to show it, which costs start-up time and memory.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The click that activates the window also counts, as it does on Windows.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Switching to another program must not minimise a full-screen game.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");

  impl_->window.reset(SDL_CreateWindow(kWindowTitle, x, y, fit.width, fit.height,
                                       SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
  if (!impl_->window) return false;
  impl_->requestedScale = scale;
  impl_->scale = fit.scale;
  if (fullscreen) SetFullscreen(true);
  SDL_SetWindowMinimumSize(impl_->window.get(), kMinWindowWidth, kMinWindowHeight);
  // Drivers without system cursors leave these null; the pointer then keeps its current look.
  impl_->arrow.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW));
  impl_->wait.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT));
  if (g_mainWindow == nullptr) g_mainWindow = this;
  return true;
}

SDL_Window* Window::Handle() const {
  return impl_->window.get();
}

int Window::Scale() const {
  return impl_->scale;
}

void Window::SetFullscreen(bool fullscreen) {
  SDL_Window* window = impl_->window.get();
  if (window == nullptr || fullscreen == IsFullscreen()) return;
  if (impl_->coveredByHand) {
    SDL_SetWindowSize(window, impl_->windowed.w, impl_->windowed.h);
    SDL_SetWindowPosition(window, impl_->windowed.x, impl_->windowed.y);
    impl_->coveredByHand = false;
    return;
  }
  if (!fullscreen) {
    SDL_SetWindowFullscreen(window, 0);
    return;
  }
  if (HasWindowManager(window)) {
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  // Without a window manager SDL's full screen leaves the window as it is while reporting the
  // desktop's size, so the picture would be placed for a screen the window does not cover. On
  // a bare server the window can simply be moved and sized to cover it.
  int index = std::max(0, SDL_GetWindowDisplayIndex(window));
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(index, &bounds) != 0) return;
  SDL_GetWindowPosition(window, &impl_->windowed.x, &impl_->windowed.y);
  SDL_GetWindowSize(window, &impl_->windowed.w, &impl_->windowed.h);
  impl_->coveredByHand = true;
  SDL_SetWindowPosition(window, bounds.x, bounds.y);
  SDL_SetWindowSize(window, bounds.w, bounds.h);
  SDL_RaiseWindow(window);
}

bool Window::IsFullscreen() const {
  if (!impl_->window) return false;
  return impl_->coveredByHand ||
         (SDL_GetWindowFlags(impl_->window.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void Window::Show() {
  if (!impl_->window) return;
  SDL_ShowWindow(impl_->window.get());
  FitFrameOnDesktop();
}

void Window::FitFrameOnDesktop() {
  SDL_Window* window = impl_->window.get();
  if (IsFullscreen()) return;
  // The frame a window manager puts around the window is known only once it is shown.
  // SDL learns it from the manager's answer among the events, which may take a moment; a bare
  // server has no manager and no frame to wait for.
  if (!HasWindowManager(window)) return;
  int top = 0, left = 0, bottom = 0, right = 0;
  for (int tries = 0; tries < 25; ++tries) {
    SDL_PumpEvents();
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) return;
    if (top != 0 || left != 0 || bottom != 0 || right != 0) break;
    SDL_Delay(8);
  }
  SDL_Rect usable;
  int index = std::max(0, SDL_GetWindowDisplayIndex(window));
  if (SDL_GetDisplayUsableBounds(index, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return;
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  if (w + left + right <= usable.w && h + top + bottom <= usable.h) return;
  WindowFit fit = ChooseWindowFit(impl_->requestedScale, usable.w, usable.h, left + right,
                                  top + bottom, kMinWindowWidth, kMinWindowHeight);
  impl_->scale = std::min(impl_->scale, fit.scale);
  SDL_SetWindowSize(window, fit.width, fit.height);
  SDL_SetWindowPosition(window, usable.x + left + (usable.w - left - right - fit.width) / 2,
                        usable.y + top + (usable.h - top - bottom - fit.height) / 2);
}

void Window::RestoreAndRaise() {
  SDL_Window* window = impl_->window.get();
  if (window == nullptr) return;
  if (IsMinimized()) SDL_RestoreWindow(window);
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
}

bool Window::IsMinimized() const {
  return impl_->window && (SDL_GetWindowFlags(impl_->window.get()) & SDL_WINDOW_MINIMIZED) != 0;
}

void Window::ClipCursor(const CursorRect* rect) {
  if (rect == nullptr) {
    impl_->clip.reset();
  } else {
    impl_->clip = *rect;
  }
  ReapplyCursorClip();
}

bool Window::CursorClipInWindow(int* x, int* y, int* w, int* h) const {
  if (!impl_->clip) return false;
  const CursorRect& r = *impl_->clip;
  const Viewport& viewport = CurrentViewport();
  int maxX = viewport.logicalWidth - 1;
  int maxY = viewport.logicalHeight - 1;
  // Windows keeps the pointer inside even for an empty or off-screen rectangle: it pins it to
  // the nearest pixel, so the bounds are clamped rather than rejected.
  int minx = std::clamp(r.left, 0, maxX);
  int miny = std::clamp(r.top, 0, maxY);
  int maxx = std::clamp(r.right - 1, minx, maxX);
  int maxy = std::clamp(r.bottom - 1, miny, maxY);
  viewport.ToWindowRect(minx, maxx, miny, maxy, x, y, w, h);
  return true;
}

void Window::ReapplyCursorClip() {
  SDL_Window* window = impl_->window.get();
  if (window == nullptr) return;
  SDL_Rect rect;
  if (CursorClipInWindow(&rect.x, &rect.y, &rect.w, &rect.h)) {
    SDL_SetWindowMouseRect(window, &rect);
  } else {
    SDL_SetWindowMouseRect(window, nullptr);
  }
}

void Window::SetCursorShape(CursorShape shape) {
  SDL_Cursor* cursor = shape == CursorShape::Wait ? impl_->wait.get() : impl_->arrow.get();
  if (cursor != nullptr) SDL_SetCursor(cursor);
}

void Window::CaptureMouse(bool capture) {
  // Not every video driver can capture; the program works without it, only a release outside
  // the window may then be missed.
  if (impl_->window) SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

Window* MainWindow() {
  return g_mainWindow;
}

void ClipCursor(const CursorRect* rect) {
  if (g_mainWindow != nullptr) g_mainWindow->ClipCursor(rect);
}

void SetCapture() {
  if (g_mainWindow != nullptr) g_mainWindow->CaptureMouse(true);
}

void ReleaseCapture() {
  if (g_mainWindow != nullptr) g_mainWindow->CaptureMouse(false);
}

void SetCursor(CursorShape shape) {
  g_cursorShape = shape;
  if (g_mainWindow != nullptr) g_mainWindow->SetCursorShape(shape);
}

CursorShape CurrentCursor() {
  return g_cursorShape;
}
