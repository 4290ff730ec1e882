// Works around a shutdown race of SDL's X11 back end.
#include "platform/X11Quirks.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <dlfcn.h>

#include <cstdlib>

namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);
using SetErrorHandler = ErrorHandler (*)(ErrorHandler);

ErrorHandler g_previous = nullptr;

int TolerantHandler(Display* display, XErrorEvent* error) {
  // Only SDL's wake-up message is ever sent by this program; a window that went away before it
  // arrived is no reason to end.
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return g_previous != nullptr ? g_previous(display, error) : 0;
}

}  // namespace

void TolerateStaleWakeupsOnX11() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') return;
  // SDL loads Xlib at run time and so does this; both get the same library, whose error handler
  // is process-wide. The handle stays open so the handler's library outlives SDL's unloading.
  static void* xlib = dlopen("libX11.so.6", RTLD_LAZY);
  if (xlib == nullptr) return;
  auto set = reinterpret_cast<SetErrorHandler>(dlsym(xlib, "XSetErrorHandler"));
  if (set == nullptr) return;
  ErrorHandler previous = set(TolerantHandler);
  if (previous != TolerantHandler) g_previous = previous;
}
