// The browser is started by SDL (xdg-open on Linux), which does not wait for it to finish.
#include "platform/OpenUrl.h"

#include <SDL.h>

bool OpenUrl(const std::string& url) {
  return !url.empty() && SDL_OpenURL(url.c_str()) == 0;
}
