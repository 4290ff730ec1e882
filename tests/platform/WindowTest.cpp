// Checks the main window under the dummy video driver: title, size, pointer confinement through
// the viewport, and that the helpers are harmless without a window.
#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/Viewport.h"

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

}  // namespace

TEST_F(WindowTest, CreatesTheTitledWindowHiddenResizableAndOnTheDesktop) {
  // The dummy driver's desktop is 1024 x 768: twice the picture does not fit, once does.
  SDL_Rect usable;
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
  ASSERT_EQ(usable.w, 1024);
  Window window;
  ASSERT_TRUE(window.Create(2, false)) << SDL_GetError();
  ASSERT_NE(window.Handle(), nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(window.Handle()), "Quenbry Solitaire - Velvet Edition");
  EXPECT_EQ(window.Scale(), 1);
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(window.Handle(), &w, &h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  int x = -1;
  int y = -1;
  SDL_GetWindowPosition(window.Handle(), &x, &y);
  EXPECT_EQ(x, usable.x + (usable.w - 800) / 2);
  EXPECT_EQ(y, usable.y + (usable.h - 600) / 2);
  Uint32 flags = SDL_GetWindowFlags(window.Handle());
  EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
  EXPECT_NE(flags & SDL_WINDOW_HIDDEN, 0u);
  EXPECT_STREQ(SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION), "0");
  EXPECT_EQ(MainWindow(), &window);
  window.Show();
  EXPECT_EQ(SDL_GetWindowFlags(window.Handle()) & SDL_WINDOW_HIDDEN, 0u);
  window.RestoreAndRaise();
  EXPECT_FALSE(window.IsMinimized());
}

TEST_F(WindowTest, ConfinementIsClampedToTheScreenAndConvertedThroughTheViewport) {
  Window window;
  ASSERT_TRUE(window.Create(1, false)) << SDL_GetError();
  int x, y, w, h;
  EXPECT_FALSE(window.CursorClipInWindow(&x, &y, &w, &h));
  // Right and bottom are one past the last pixel, as in a Windows RECT. Rectangles off the
  // screen or empty are clamped, not rejected.
  struct Case {
    CursorRect rect;
    int x, y, w, h;
  };
  const Case cases[] = {{{-50, -10, 5000, 700}, 0, 0, 800, 600},
                        {{300, 200, 100, 100}, 300, 200, 1, 1},
                        {{100, 50, 300, 250}, 100, 50, 200, 200}};
  for (const Case& c : cases) {
    ClipCursor(&c.rect);
    ASSERT_TRUE(window.CursorClipInWindow(&x, &y, &w, &h));
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(w, c.w);
    EXPECT_EQ(h, c.h);
  }
  const SDL_Rect* applied = SDL_GetWindowMouseRect(window.Handle());
  ASSERT_NE(applied, nullptr);
  EXPECT_EQ(applied->x, 100);
  EXPECT_EQ(applied->w, 200);

  // The window grows to twice the size with a 20-pixel margin: the same logical rectangle.
  Viewport scaled;
  scaled.scaleX = 2.0;
  scaled.scaleY = 2.0;
  scaled.offsetX = 20;
  SetCurrentViewport(scaled);
  window.ReapplyCursorClip();
  applied = SDL_GetWindowMouseRect(window.Handle());
  ASSERT_NE(applied, nullptr);
  EXPECT_EQ(applied->x, 220);
  EXPECT_EQ(applied->y, 100);
  EXPECT_EQ(applied->w, 400);
  EXPECT_EQ(applied->h, 400);

  ClipCursor(nullptr);
  EXPECT_FALSE(window.CursorClipInWindow(&x, &y, &w, &h));
  EXPECT_EQ(SDL_GetWindowMouseRect(window.Handle()), nullptr);
}

TEST_F(WindowTest, HelpersDoNothingWithoutAWindow) {
  ASSERT_EQ(MainWindow(), nullptr);
  CursorRect rect{0, 0, 10, 10};
  ClipCursor(&rect);
  SetCapture();
  ReleaseCapture();
  SetCursor(CursorShape::Wait);
  {
    Window window;
    ASSERT_TRUE(window.Create(1, false));
    SetCursor(CursorShape::Wait);
    SetCursor(CursorShape::Arrow);
    SetCapture();
    ReleaseCapture();
  }
  EXPECT_EQ(MainWindow(), nullptr);
}
