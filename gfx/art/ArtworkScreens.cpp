// The full-screen pictures shown on their own (title, logo, win and lose screens) and the short
// waits that keep the logo and the end screens up.
#include <algorithm>
#include <cstdint>

#include "gfx/art/ArtworkFiles.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/MessageLoop.h"

namespace {

constexpr int kLogoMs = 5000;
constexpr int kEndScreenMs = 5000;
// Long enough that a click meant for the last move of a game does not skip its end screen.
constexpr int kEndScreenDeafMs = 1000;
// The longest one look at the queue may sleep: fine enough for a 5-second limit without
// keeping the processor busy.
constexpr int kPollMs = 10;

bool IsPress(const Message& msg) {
  switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return true;
    default:
      return false;
  }
}

// Input of any kind while a picture covers the screen: it was meant for the picture, never for
// the game or title screen behind it.
bool IsInput(const Message& msg) {
  return IsMouseMessage(msg.message) || (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST);
}

// Waits until limitMs have passed, or a mouse or key press queued at least deafMs after the
// start arrives. Earlier presses and all other input are dropped unseen; everything else is
// passed on, so the window keeps painting, follows activation and its timers keep running.
void WaitForPress(int limitMs, int deafMs) {
  const MessageQueue& queue = ThreadMessageQueue();
  const std::uint64_t start = queue.Now();
  for (;;) {
    const std::uint64_t elapsed = queue.Now() - start;
    if (elapsed >= static_cast<std::uint64_t>(limitMs)) return;
    const int wait = std::min<int>(kPollMs, limitMs - static_cast<int>(elapsed));
    Message msg;
    if (!PeekMessage(&msg, wait)) continue;
    if (msg.message == WM_QUIT) {
      // The quit belongs to the main loop; put it back and let the picture go.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (IsPress(msg)) {
      if (deafMs <= 0 || msg.time >= start + static_cast<std::uint64_t>(deafMs)) return;
      continue;
    }
    if (IsInput(msg)) continue;
    DispatchMessage(msg);
  }
}

}  // namespace

void ArtworkSet::ShowTitle() {
  ActiveBufferKeeper keep;
  ShowJpegInBuffer(ScreenBuffer(), "artwork\\title.jpg");
}

void ArtworkSet::ShowLogoPicture() {
  ShowJpegInBuffer(ScreenBuffer(), "artwork\\logo.jpg");
  ShowScreenRect();
}

void ArtworkSet::ShowLogo() {
  ShowLogoPicture();
  WaitForPress(kLogoMs, 0);
}

void ArtworkSet::ShowEndScreen(bool won, bool endedByPlayer) {
  const char* picture = won             ? "artwork\\winscreen.jpg"
                        : endedByPlayer ? "artwork\\losescreen_ended.jpg"
                                        : "artwork\\losescreen.jpg";
  ShowJpegInBuffer(ScreenBuffer(), picture);
  ShowScreenRect();
  // Presses already waiting were made before the picture appeared; they fall inside the deaf
  // first second and are dropped with the rest.
  WaitForPress(kEndScreenMs, kEndScreenDeafMs);
}
