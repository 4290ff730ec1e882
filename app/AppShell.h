// The main window's life: the start-up sequence, the window procedure that routes every message,
// and the orderly tear-down.
#pragma once

#include <cstdint>

class SdlDisplay;

class AppShell {
public:
  explicit AppShell(SdlDisplay& display) : display_(display) {}

  // The window-creation sequence. Returns false when the program cannot run (the player has
  // been told why); the caller then ends with exit code 0.
  bool Create();

  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

  // Tears everything down in order and posts the quit message; safe to call twice.
  void Destroy();

  int ScreenBuffer() const { return screenBuffer_; }

private:
  void PaintWholeScreen();

  SdlDisplay& display_;
  int screenBuffer_ = -1;
  bool active_ = true;
  bool destroyed_ = false;
};
