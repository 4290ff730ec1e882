// The headless window and event source the scenario tests run the shell with.
#include "tests/support/ShellHarness.h"

#include <algorithm>
#include <cstdlib>

#include "engine/CardFlight.h"
#include "engine/GameServices.h"
#include "persist/Settings.h"
#include "platform/DataDir.h"
#include "platform/Messages.h"

namespace {

bool PostedAsInput(std::uint32_t message) {
  return IsMouseMessage(message) || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         message == WM_ACTIVATEAPP;
}

}  // namespace

ShellHarness::ShellHarness(const Options& options)
    : store_(options.scratchStore ? std::make_unique<ScratchStore>() : nullptr),
      display_(options.desktopDepth, options.masks),
      shell_(std::make_unique<AppShell>(display_, window_)) {
  if (!options.player.empty()) {
    WriteSettingString("Preferences", "HumanName", options.player);
    WriteSettingDword("Preferences", "DontShowAgain", 1);
  }
  // Effects would hold the window's thread for their real length; the device has its own tests.
  ::setenv("QS_NO_AUDIO", "1", 1);
  // Flights run at once: the harness's clock stands still while the window thread works.
  TheGameServices().flightStepDelay = std::chrono::microseconds(0);
  ResetMessageLoop([this] { return clock_; });
  SetMessageSource(&source_);
  const char* media = std::getenv("QS_MEDIA_DIR");
  SetDataDir(options.useMedia && media != nullptr ? media : "/nonexistent-media");
  SetWindowProc([this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    const auto check = checks_.find(message);
    if (check == checks_.end()) return shell_->WindowProc(message, wParam, lParam);
    check->second();
    return std::intptr_t{0};
  });
}

ShellHarness::~ShellHarness() {
  shell_.reset();
  TheGameServices().flightStepDelay = kDefaultFlightStepDelay;
  SetMessageSource(nullptr);
  ResetMessageLoop();
  SetDataDir(".");
}

void ShellHarness::PostAt(std::uint64_t afterMs, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
  script_.push_back({clock_ + afterMs, message, wParam, lParam});
  std::stable_sort(script_.begin(), script_.end(),
                   [](const Step& a, const Step& b) { return a.at < b.at; });
}

void ShellHarness::KeyAt(std::uint64_t afterMs, std::uint32_t virtualKey) {
  PostAt(afterMs, WM_KEYDOWN, virtualKey, 1);
  PostAt(afterMs + 20, WM_KEYUP, virtualKey, static_cast<std::intptr_t>(0xC0000001u));
}

void ShellHarness::ClickAt(std::uint64_t afterMs, int x, int y) {
  PostAt(afterMs, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
  PostAt(afterMs + 30, WM_LBUTTONUP, 0, MakeLParam(x, y));
}

void ShellHarness::CheckAt(std::uint64_t afterMs, std::function<void()> check) {
  checks_[nextCheck_] = std::move(check);
  PostAt(afterMs, nextCheck_++);
}

void ShellHarness::Source::Pump(int waitMs) {
  ShellHarness& h = harness_;
  if (waitMs != 0) {
    // Nothing will ever arrive: end the loop rather than hang. A timer would run the clock on for
    // ever, so a script dry for an hour of harness time counts as run out too.
    if (h.script_.empty() && (waitMs < 0 || h.clock_ >= h.lastStepAt_ + kDryScriptLimitMs)) {
      ADD_FAILURE() << "the scenario ran out of input while the program still waited";
      PostQuitMessage(kScriptRanDry);
      return;
    }
    std::uint64_t until = waitMs < 0 ? h.script_.front().at : h.clock_ + waitMs;
    if (!h.script_.empty()) until = std::min(until, std::max(h.clock_, h.script_.front().at));
    h.clock_ = std::max(h.clock_, until);
  }
  MessageQueue& queue = ThreadMessageQueue();
  while (!h.script_.empty() && h.script_.front().at <= h.clock_) {
    const Step step = h.script_.front();
    h.script_.erase(h.script_.begin());
    h.lastStepAt_ = step.at;
    if (PostedAsInput(step.message)) {
      queue.PostInput(step.message, step.wParam, step.lParam);
    } else {
      queue.Post(step.message, step.wParam, step.lParam);
    }
  }
}
