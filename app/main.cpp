// Program entry: command line, single instance, the window, then the message loop.
#include <SDL.h>

#include <cstdio>
#include <span>

#include "app/AppShell.h"
#include "app/PresentingSource.h"
#include "app/ToolkitDemo.h"
#include "gfx/sdl/SdlDisplay.h"
#include "platform/CommandLine.h"
#include "platform/DataDir.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/SdlEvents.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"
#include "platform/X11Quirks.h"

int main(int argc, char** argv) {
  CommandLineResult args = ParseCommandLine(std::span<const char* const>(argv, argc));
  if (!args.out.empty()) std::fputs(args.out.c_str(), stdout);
  if (!args.err.empty()) std::fputs(args.err.c_str(), stderr);
  if (!args.run) return args.exitCode;

  SingleInstance instance;
  if (instance.Acquire() == SingleInstance::Role::Second) {
    instance.AskFirstToShow();
    return 0;
  }

  DataDirChoice data = FindDataDir(args.options.dataDir);
  if (!data.exists) {
    std::fprintf(stderr, "quenbry-solitaire: data directory %s not found; playing without media\n",
                 data.path.c_str());
  }
  SetDataDir(data.path);

  TolerateStaleWakeupsOnX11();
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "quenbry-solitaire: %s\n", SDL_GetError());
    return 1;
  }
  int exitCode = 0;
  {
    Window window;
    if (!window.Create(args.options.scale, args.options.fullscreen)) {
      std::fprintf(stderr, "quenbry-solitaire: cannot create the window: %s\n", SDL_GetError());
      SDL_Quit();
      return 1;
    }
    SdlDisplay display(window.Handle());
    SdlEvents events(ThreadMessageQueue());
    events.SetRaiseHandler([&window] { window.RestoreAndRaise(); });
    // F11 works everywhere, dialogs included, so it never reaches the program's own loops.
    events.SetKeyFilter([&display](std::uint32_t key, bool pressed) {
      if (key != VK_F11) return false;
      if (pressed) display.ToggleFullscreen();
      return true;
    });
    instance.StartListening(SdlEvents::PostRaiseRequest);
    PresentingSource source(events, display);
    SetMessageSource(&source);

    AppShell shell(display);
    SetWindowProc([&shell](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
      return shell.WindowProc(message, wParam, lParam);
    });
    bool created = shell.Create();
    if (created && args.options.demoToolkit) {
      exitCode = RunToolkitDemo(shell.ScreenBuffer());
      shell.Destroy();
    } else if (created) {
      Message msg;
      while (GetMessage(&msg)) DispatchMessage(msg);
      exitCode = static_cast<int>(msg.wParam);
    }
    SetWindowProc({});
    SetMessageSource(nullptr);
  }
  SDL_Quit();
  return exitCode;
}
