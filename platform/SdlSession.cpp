// Starts and stops SDL for the whole program and shows its error box.
#include "platform/SdlSession.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Window.h"
#include "platform/X11Quirks.h"

SdlSession::~SdlSession() {
  if (started_) SDL_Quit();
}

bool SdlSession::Start() {
  if (started_) return true;
  // Must come before SDL_Init, which keeps the X error handler it finds.
  TolerateStaleWakeupsOnX11();
  started_ = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
  const char* requested = std::getenv("SDL_VIDEODRIVER");
  const bool chosenBySdl = requested == nullptr || requested[0] == '\0';
  if (started_ && chosenBySdl && IsWindowlessDriver(SDL_GetCurrentVideoDriver())) {
    // Without a display SDL settles for drawing into memory: the program would run unseen,
    // holding the single-instance lock, and every later start would only "raise" it.
    SDL_Quit();
    started_ = false;
    const char* display = std::getenv("DISPLAY");
    std::string error = "cannot open display";
    if (display != nullptr && display[0] != '\0') error += std::string(" \"") + display + "\"";
    SDL_SetError("%s", error.c_str());
  }
  return started_;
}

bool SdlSession::IsWindowlessDriver(const char* driver) {
  if (driver == nullptr) return false;
  return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
}

std::string SdlSession::Error() {
  return SDL_GetError();
}

void SdlSession::ShowErrorBox(const char* message, const Window* parent) {
  SDL_Window* owner = parent != nullptr ? parent->Handle() : nullptr;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kWindowTitle, message, owner);
}
