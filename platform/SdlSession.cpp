// Starts and stops SDL for the whole program and shows its error box.
#include "platform/SdlSession.h"

#include <SDL.h>

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
  return started_;
}

std::string SdlSession::Error() {
  return SDL_GetError();
}

void SdlSession::ShowErrorBox(const char* message, const Window* parent) {
  SDL_Window* owner = parent != nullptr ? parent->Handle() : nullptr;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kWindowTitle, message, owner);
}
