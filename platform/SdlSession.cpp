// Starts and stops SDL for the whole program and shows its error box.
#include "platform/SdlSession.h"

#include <SDL.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Window.h"
#include "platform/X11Quirks.h"

SdlSession::~SdlSession() {
  if (!started_) return;
  sigaction(SIGHUP, &oldHangup_, nullptr);
  sigaction(SIGQUIT, &oldQuit_, nullptr);
  SDL_Quit();
}

namespace {

// SDL's own handler acts on SIGINT and SIGTERM only; raise() may be called from a handler.
void AsTerminate(int) {
  raise(SIGTERM);
}

}  // namespace

void SdlSession::EndCleanlyOnHangupAndQuit() {
  // SDL turns SIGINT and SIGTERM into a quit event, and the program ends as if closed. A closed
  // terminal (SIGHUP) and Ctrl+\ (SIGQUIT) would otherwise kill it where it stands, leaving its
  // undo snapshots and its socket behind; they take SIGTERM's way out instead.
  struct sigaction term {};
  sigaction(SIGHUP, nullptr, &oldHangup_);
  sigaction(SIGQUIT, nullptr, &oldQuit_);
  if (sigaction(SIGTERM, nullptr, &term) != 0 || term.sa_handler == SIG_DFL ||
      term.sa_handler == SIG_IGN)
    return;
  struct sigaction forward {};
  forward.sa_handler = AsTerminate;
  sigemptyset(&forward.sa_mask);
  sigaction(SIGHUP, &forward, nullptr);
  sigaction(SIGQUIT, &forward, nullptr);
}

bool SdlSession::Start() {
  if (started_) return true;
  // Must come before SDL_Init, which keeps the X error handler it finds.
  TolerateStaleWakeupsOnX11();
  started_ = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
  if (started_) EndCleanlyOnHangupAndQuit();
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
