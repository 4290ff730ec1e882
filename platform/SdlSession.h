// Owns SDL itself for the life of the program: video and events start with the session and stop
// when it ends, and the player's error box comes from here.
#pragma once

#include <signal.h>

#include <string>

class Window;

class SdlSession {
public:
  SdlSession() = default;
  // Shuts SDL down if Start succeeded; every window and display must be gone by then.
  ~SdlSession();
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;

  // Starts SDL's video and event subsystems. False when SDL refuses, and when it could reach no
  // display and fell back to a video driver without windows that nobody asked for; Error() says
  // why ("cannot open display ...").
  bool Start();
  // SDL's drivers that draw into memory only: the program runs on them when SDL_VIDEODRIVER names
  // them (the tests), never by SDL's own choice.
  static bool IsWindowlessDriver(const char* driver);
  bool Started() const { return started_; }
  // SDL's description of the last thing that went wrong.
  static std::string Error();

  // A modal error box titled with the program's title, over `parent` when it exists. Works
  // before Start as well (the box then has no parent window).
  static void ShowErrorBox(const char* message, const Window* parent);

private:
  void EndCleanlyOnHangupAndQuit();

  bool started_ = false;
  struct sigaction oldHangup_ {};
  struct sigaction oldQuit_ {};
};
