// The 800 x 600 screen the program draws, and the rectangle and point types every layer uses for
// it. Rectangles are inclusive on all four sides; the Win32-shaped edges (pointer confinement)
// convert explicitly.
#pragma once

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;

// Inclusive bounds: a card at (x, y) covers left x .. right x + 52.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  friend constexpr bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;

  friend constexpr bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Rectangles that share at least one pixel.
constexpr bool Intersects(const ScreenRect& a, const ScreenRect& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

constexpr ScreenRect Union(const ScreenRect& a, const ScreenRect& b) {
  return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
          a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

// The shared pixels; left > right or top > bottom when there are none.
constexpr ScreenRect Intersection(const ScreenRect& a, const ScreenRect& b) {
  return {a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
          a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
}

constexpr bool IsEmpty(const ScreenRect& r) {
  return r.left > r.right || r.top > r.bottom;
}

// The whole screen.
inline constexpr ScreenRect kScreenRect{0, 0, kScreenWidth - 1, kScreenHeight - 1};
