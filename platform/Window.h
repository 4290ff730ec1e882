// The program's one SDL window with its pointer confinement, cursors and mouse capture, plus
// process-wide helpers so code without SDL can confine, capture and change the pointer.
#pragma once

#include <memory>

#include "platform/Screen.h"

struct SDL_Window;
struct SDL_Cursor;

inline constexpr const char* kWindowTitle = "Quenbry Solitaire - Velvet Edition";
inline constexpr int kMaxWindowScale = 8;

// A rectangle of the logical screen the Windows way: right and bottom are one past the last
// pixel inside.
struct CursorRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

constexpr CursorRect ToCursorRect(const ScreenRect& r) {
  return {r.left, r.top, r.right + 1, r.bottom + 1};
}

enum class CursorShape { Arrow, Wait };

class Window {
public:
  Window();
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Creates the window hidden and resizable, 800 x 600 times scale (clamped to 1..8 and to what
  // fits on the usable desktop: see Scale), centred there, or covering the desktop when
  // fullscreen. SDL video must be initialised. The first window created becomes the main window
  // of the helpers below. False when SDL refuses.
  bool Create(int scale, bool fullscreen);
  SDL_Window* Handle() const;
  // The whole steps the window opened with: the one asked for unless it did not fit on the
  // desktop, 0 when not even one step fits there.
  int Scale() const;

  // Covers the whole desktop, or gives back the window as it was. The display must be told
  // afterwards (the size changed); the window's own size event follows as well.
  void SetFullscreen(bool fullscreen);
  void ToggleFullscreen() { SetFullscreen(!IsFullscreen()); }
  bool IsFullscreen() const;

  // Shows the window; a window that does not fit with its frame is made to fit first.
  void Show();
  // Brings the window back from the task bar and in front of the others.
  void RestoreAndRaise();
  bool IsMinimized() const;

  // Confines the pointer to a logical rectangle (clamped to the screen); nullptr frees it.
  void ClipCursor(const CursorRect* rect);
  // Converts the confinement again after the viewport changed (resize, scale, full screen).
  void ReapplyCursorClip();
  // The window-pixel rectangle of the current confinement; false when the pointer is free.
  bool CursorClipInWindow(int* x, int* y, int* w, int* h) const;

  void SetCursorShape(CursorShape shape);
  // Keeps mouse events coming while the pointer is outside the window.
  void CaptureMouse(bool capture);

private:
  // Shrinks the window when its frame, known once it is shown, takes it past the desktop.
  void FitFrameOnDesktop();

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The window the helpers act on: the first one created, until it is destroyed. nullptr otherwise.
Window* MainWindow();

// Windows-named helpers for the main window; silent no-ops without one (headless tests).
void ClipCursor(const CursorRect* rect);
void SetCapture();
void ReleaseCapture();
void SetCursor(CursorShape shape);
// The shape last asked for through SetCursor (the arrow at first), also without a window, so
// code that shows the hourglass for a while can put back whatever it found.
CursorShape CurrentCursor();
