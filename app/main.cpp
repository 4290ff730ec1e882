// Program entry: command line, single instance, SDL, the window, then the main loop.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "app/AppShell.h"
#include "app/PresentingSource.h"
#include "app/ShellWindow.h"
#include "app/ToolkitDemo.h"
#include "engine/Deck.h"
#include "engine/GameServices.h"
#include "engine/UndoHistory.h"
#include "gfx/sdl/SdlDisplay.h"
#include "platform/CommandLine.h"
#include "platform/DataDir.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/RuntimeDir.h"
#include "platform/SdlEvents.h"
#include "platform/SdlSession.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"
#include "platform/WindowFit.h"

namespace {

// The shell's view of the real window: SDL's window, the display that shows pictures in it, and
// the session's error box.
class DesktopWindow final : public ShellWindow {
public:
  DesktopWindow(Window& window, SdlDisplay& display) : window_(window), display_(display) {}

  void Show() override { window_.Show(); }
  void Resized() override { display_.WindowResized(); }
  void ReapplyCursorClip() override { window_.ReapplyCursorClip(); }
  void ShowError(const char* message) override { SdlSession::ShowErrorBox(message, &window_); }

private:
  Window& window_;
  SdlDisplay& display_;
};

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  CommandLineResult args = ParseCommandLine(std::span<const char* const>(argv, argc));
  if (!args.out.empty()) std::fputs(args.out.c_str(), stdout);
  if (!args.err.empty()) std::fputs(args.err.c_str(), stderr);
  if (!args.run) return args.exitCode;

  SingleInstance instance;
  if (instance.Acquire() == SingleInstance::Role::Second) {
    if (instance.AskFirstToShow()) return 0;
    std::fprintf(stderr,
                 "quenbry-solitaire: another copy holds %s but does not answer; not starting a "
                 "second one\n",
                 instance.LockPath().c_str());
    return 1;
  }
  // Runs that were killed or crashed could not remove their undo snapshots; this one can.
  RemoveStaleProcessDirectories(RuntimeDirectory(), kUndoDirectoryPrefix);

  DataDirChoice data = FindDataDir(args.options.dataDir);
  if (!data.exists) {
    std::fprintf(stderr, "quenbry-solitaire: data directory %s not found; playing without media\n",
                 data.path.c_str());
  }
  SetDataDir(data.path);
  if (data.exists) {
    // One line for a data directory that lacks part of the media: the program plays on without
    // it, and the player can see where it looked.
    std::string missing;
    for (const char* part : {"artwork", "SFX", "music", "windb_10.fgf"}) {
      std::error_code error;
      if (!std::filesystem::exists(std::filesystem::path(data.path) / part, error)) {
        missing += missing.empty() ? "" : ", ";
        missing += part;
      }
    }
    if (!missing.empty()) {
      std::fprintf(stderr, "quenbry-solitaire: %s missing in data directory %s; playing without\n",
                   missing.c_str(), data.path.c_str());
    }
  }
  // A seed deals the same hands again: every deck the games make starts from it.
  if (args.options.hasSeed) TheGameServices().dealSeed = args.options.seed;

  // Declared first so that SDL stops only after every window and display below is gone.
  SdlSession sdl;
  if (!sdl.Start()) {
    std::fprintf(stderr, "quenbry-solitaire: %s\n", SdlSession::Error().c_str());
    return 1;
  }
  Window window;
  if (!window.Create(args.options.scale, args.options.fullscreen)) {
    std::fprintf(stderr, "quenbry-solitaire: cannot create the window: %s\n",
                 SdlSession::Error().c_str());
    return 1;
  }
  SdlDisplay display(window.Handle());
  SdlEvents events(ThreadMessageQueue());
  events.SetRaiseHandler([&window] { window.RestoreAndRaise(); });
  // F11 works everywhere, dialogs included, so it never reaches the program's own loops.
  events.SetKeyFilter([&window, &display](std::uint32_t key, bool pressed) {
    if (key != VK_F11) return false;
    if (pressed) {
      window.ToggleFullscreen();
      display.WindowResized();
    }
    return true;
  });
  instance.StartListening(SdlEvents::PostRaiseRequest);
  PresentingSource source(events, display);
  SetMessageSource(&source);

  int exitCode = 0;
  {
    DesktopWindow desktopWindow(window, display);
    AppShell shell(display, desktopWindow);
    SetWindowProc([&shell](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
      return shell.WindowProc(message, wParam, lParam);
    });
    if (args.options.exitAtTitle) shell.SkipLogoWait();
    if (shell.Create()) {
      // The window is shown by now, so its frame has been counted too.
      std::string fitNote = WindowFitNote(args.options.scale, window.Scale());
      if (!fitNote.empty()) std::fprintf(stderr, "quenbry-solitaire: %s\n", fitNote.c_str());
      if (args.options.exitAtTitle) {
        // Start-up ends when the title is on the screen; the tear-down is not part of it.
        const auto shown =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
        std::printf("title shown after %.1f ms\n", shown.count());
        std::fflush(stdout);
        shell.Destroy();
      } else if (args.options.demoToolkit) {
        exitCode = RunToolkitDemo(shell.ScreenBuffer());
        shell.Destroy();
      } else {
        exitCode = shell.Run();
      }
    }
    SetWindowProc({});
  }
  SetMessageSource(nullptr);
  return exitCode;
}
