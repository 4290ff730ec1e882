// What the window procedure needs from the window it runs in, so that the shell runs the same
// on the real SDL window and headless in tests.
#pragma once

class ShellWindow {
public:
  virtual ~ShellWindow() = default;

  // Puts the window on the desktop; it is created hidden so the first picture is ready.
  virtual void Show() = 0;
  // The window changed size or full-screen state: the picture is fitted to it again.
  virtual void Resized() = 0;
  // Converts the pointer confinement again after the picture moved in the window.
  virtual void ReapplyCursorClip() = 0;
  // Tells the player why the program cannot run, in a box the player must close.
  virtual void ShowError(const char* message) = 0;
};
