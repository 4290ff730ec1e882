// Works around a shutdown race of SDL's X11 back end.
#include "platform/X11Quirks.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <dlfcn.h>

#include <cstdlib>

namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);
using SetErrorHandler = ErrorHandler (*)(ErrorHandler);

ErrorHandler g_previous = nullptr;

// The one copy of Xlib that SDL uses too; null when it cannot be loaded.
void* Xlib() {
  static void* xlib = dlopen("libX11.so.6", RTLD_LAZY);
  return xlib;
}

template <typename Function>
Function XlibFunction(const char* name) {
  void* xlib = Xlib();
  return xlib != nullptr ? reinterpret_cast<Function>(dlsym(xlib, name)) : nullptr;
}

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
  auto set = XlibFunction<SetErrorHandler>("XSetErrorHandler");
  if (set == nullptr) return;
  ErrorHandler previous = set(TolerantHandler);
  if (previous != TolerantHandler) g_previous = previous;
}

bool HasWindowManager(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    // Other systems always manage their windows.
    return true;
  }
  using InternAtom = Atom (*)(Display*, const char*, Bool);
  using GetProperty = int (*)(Display*, ::Window, Atom, long, long, Bool, Atom, Atom*, int*,
                              unsigned long*, unsigned long*, unsigned char**);
  using Free = int (*)(void*);
  auto intern = XlibFunction<InternAtom>("XInternAtom");
  auto get = XlibFunction<GetProperty>("XGetWindowProperty");
  auto release = XlibFunction<Free>("XFree");
  if (intern == nullptr || get == nullptr || release == nullptr) return true;
  Display* display = info.info.x11.display;
  // Every manager that follows the desktop conventions names its check window here.
  Atom check = intern(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  int status = get(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                   &format, &items, &after, &data);
  bool found = status == Success && type == XA_WINDOW && format == 32 && items == 1;
  if (data != nullptr) release(data);
  return found;
}
