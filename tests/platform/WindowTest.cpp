// The main window under the dummy video driver. Through a scaled viewport the confinement is
// display-check's drag in full screen.
#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/Viewport.h"

// Found by argument lookup, so beside SDL_Rect in the global namespace.
inline bool operator==(const SDL_Rect& a, const SDL_Rect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}
inline std::ostream& operator<<(std::ostream& out, const SDL_Rect& r) {
  return out << r.x << "," << r.y << " " << r.w << "x" << r.h;
}

namespace {

class WindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SetCurrentViewport(Viewport{});
  }
  void TearDown() override {
    SetCurrentViewport(Viewport{});
    SDL_Quit();
  }
};

SDL_Rect Rect(int x, int y, int w, int h) {
  return {x, y, w, h};
}

}  // namespace

TEST_F(WindowTest, CreatesTheWindowHiddenResizableAndCentredOnTheDesktop) {
  // The dummy driver's desktop is 1024 x 768: twice the picture does not fit, once does.
  SDL_Rect usable;
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
  ASSERT_EQ(usable.w, 1024);
  Window window;
  ASSERT_TRUE(window.Create(2, false)) << SDL_GetError();
  EXPECT_EQ(window.Scale(), 1);
  SDL_Rect placed;
  SDL_GetWindowPosition(window.Handle(), &placed.x, &placed.y);
  SDL_GetWindowSize(window.Handle(), &placed.w, &placed.h);
  EXPECT_EQ(placed,
            Rect(usable.x + (usable.w - 800) / 2, usable.y + (usable.h - 600) / 2, 800, 600));
  const Uint32 flags = SDL_GetWindowFlags(window.Handle());
  EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
  EXPECT_NE(flags & SDL_WINDOW_HIDDEN, 0u);
  window.Show();
  EXPECT_EQ(SDL_GetWindowFlags(window.Handle()) & SDL_WINDOW_HIDDEN, 0u);
}

TEST_F(WindowTest, ConfinementIsClampedToTheScreen) {
  Window window;
  ASSERT_TRUE(window.Create(1, false)) << SDL_GetError();
  SDL_Rect clip;
  EXPECT_FALSE(window.CursorClipInWindow(&clip.x, &clip.y, &clip.w, &clip.h));
  // Right and bottom are one past the last pixel, as in a Windows RECT. Rectangles off the
  // screen or empty are clamped, not rejected.
  const struct {
    CursorRect rect;
    SDL_Rect want;
  } cases[] = {{{-50, -10, 5000, 700}, {0, 0, 800, 600}},
               {{300, 200, 100, 100}, {300, 200, 1, 1}},
               {{100, 50, 300, 250}, {100, 50, 200, 200}}};
  for (const auto& c : cases) {
    ClipCursor(&c.rect);
    ASSERT_TRUE(window.CursorClipInWindow(&clip.x, &clip.y, &clip.w, &clip.h));
    EXPECT_EQ(clip, c.want);
  }
  ASSERT_NE(SDL_GetWindowMouseRect(window.Handle()), nullptr);
  EXPECT_EQ(*SDL_GetWindowMouseRect(window.Handle()), Rect(100, 50, 200, 200));
  ClipCursor(nullptr);
  EXPECT_FALSE(window.CursorClipInWindow(&clip.x, &clip.y, &clip.w, &clip.h));
  EXPECT_EQ(SDL_GetWindowMouseRect(window.Handle()), nullptr);
}
