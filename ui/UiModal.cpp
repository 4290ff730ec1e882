// Runs a modal loop over any screen: waits for messages, records and polls input, passes the
// rest to the window, and leaves the input record and the menus as it found them.
#include "ui/UiModal.h"

#include <cstdint>
#include <vector>

#include "platform/MessageLoop.h"
#include "ui/UiElement.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"

namespace {

int g_modalDepth = 0;

// The menuOpen flags that the running loops will put back, innermost last.
std::vector<std::uint32_t>& SavedMenuOpen() {
  static std::vector<std::uint32_t> saved;
  return saved;
}

// Holds the count of running loops and the menus' flag for the life of one loop.
class ModalScope {
public:
  ModalScope() {
    SavedMenuOpen().push_back(UiToolkit.menuOpen);
    ++g_modalDepth;
    // A menu left open beneath (the end-of-game box opens from the score timer whatever the
    // player is doing) must not make this screen's widgets stand still.
    UiToolkit.menuOpen = 0;
    // The click that opened this screen may be the first of a double click; its second press
    // was meant for the screen beneath and must not press whatever this one has there.
    UiInput.doubleClickTaken = true;
  }
  ~ModalScope() {
    UiToolkit.menuOpen = SavedMenuOpen().back();
    SavedMenuOpen().pop_back();
    --g_modalDepth;
    UiClearTurn();
    // Likewise a quick second click after the one that closed it is not a press beneath.
    UiInput.doubleClickTaken = true;
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
};

bool Done(const ModalOptions& options) {
  return options.done && options.done();
}

}  // namespace

bool UiIsModalInput(const Message& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
      return msg.wParam != VK_CAPITAL;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_TIMER:
      return true;
    default:
      return msg.message >= WM_MOUSEMOVE && msg.message <= WM_RBUTTONDBLCLK;
  }
}

int UiModalDepth() {
  return g_modalDepth;
}

void UiReleaseMenuOpen() {
  UiToolkit.menuOpen = 0;
  for (std::uint32_t& saved : SavedMenuOpen()) saved = 0;
}

bool UiRunModal(UiElement& screen, const ModalOptions& options) {
  ModalScope scope;
  // What the screen drew as it was shown reaches the display now: the loop below blocks until
  // the next message, and a dialog must not wait for the player to move the mouse to appear.
  UiFinishTurn(screen, UiAppActive());
  bool finished = Done(options);
  while (!finished) {
    Message msg;
    WaitForMessage(&msg);
    if (msg.message == WM_QUIT) {
      // The program is ending: leave the quit for the main loop and close.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    const bool input = UiIsModalInput(msg) || (options.recordKeyUp && msg.message == WM_KEYUP);
    if (input) {
      UiRecord(msg);
      if (options.poll && options.poll()) finished = true;
    }
    // Timer ticks are the screen's (a spin box repeats on them) and the window's (the score box
    // and the end-of-game check keep running while a dialog is open).
    if (!input || msg.message == WM_TIMER) DispatchMessage(msg);
    UiFinishTurn(screen, UiAppActive());
    finished = finished || Done(options);
  }
  return true;
}
