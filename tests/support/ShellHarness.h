// The real window procedure (AppShell) run headless: a display that remembers what was shown, a
// window that records the shell's requests, and input on a clock that moves only when a loop waits.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/AppShell.h"
#include "app/ShellWindow.h"
#include "gfx/HeadlessDisplay.h"
#include "platform/MessageLoop.h"
#include "tests/support/ScratchStore.h"

class FakeShellWindow final : public ShellWindow {
public:
  void Show() override { ++shows; }
  void Resized() override { ++resizes; }
  void ReapplyCursorClip() override { ++clipReapplies; }
  void ShowError(const char* message) override { errors.emplace_back(message); }

  int shows = 0, resizes = 0, clipReapplies = 0;
  std::vector<std::string> errors;
};

class ShellHarness {
public:
  struct Options {
    int desktopDepth = 32;
    GfxPixelMasks masks = HeadlessDisplay::Masks888();
    bool useMedia = true;      // the generated media, when the build has them
    bool scratchStore = true;  // a settings store of the harness's own
    // The last player, with the player dialog switched off; empty: the dialog comes up.
    std::string player = "Tester";
  };

  // Run's exit code when the script ran out while the loop still waited (a failure too).
  static constexpr int kScriptRanDry = 125;

  ShellHarness() : ShellHarness(Options{}) {}
  explicit ShellHarness(const Options& options);
  ~ShellHarness();
  ShellHarness(const ShellHarness&) = delete;
  ShellHarness& operator=(const ShellHarness&) = delete;

  HeadlessDisplay& Display() { return display_; }
  FakeShellWindow& Window() { return window_; }
  AppShell& Shell() { return *shell_; }
  std::uint64_t Now() const { return clock_; }  // milliseconds on the harness clock

  // Queues a message `afterMs` from now as the SDL translation would: mouse, keys and
  // activation as input, the rest as posted messages.
  void PostAt(std::uint64_t afterMs, std::uint32_t message, std::uintptr_t wParam = 0,
              std::intptr_t lParam = 0);
  void KeyAt(std::uint64_t afterMs, std::uint32_t virtualKey);  // released 20 ms later
  void ClickAt(std::uint64_t afterMs, int x, int y);            // left, released 30 ms later
  // Runs `check` in the window procedure `afterMs` from now, on a free message number of its own
  // that the shell never sees, the way a game's menu command opens a dialog.
  void CheckAt(std::uint64_t afterMs, std::function<void()> check);

  bool Create() { return shell_->Create(); }
  int Run() { return shell_->Run(); }  // the main loop as main runs it; the exit code

private:
  class Source : public MessageSource {
  public:
    explicit Source(ShellHarness& harness) : harness_(harness) {}
    void Pump(int waitMs) override;

  private:
    ShellHarness& harness_;
  };
  struct Step {
    std::uint64_t at;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };

  std::unique_ptr<ScratchStore> store_;
  HeadlessDisplay display_;
  FakeShellWindow window_;
  std::unique_ptr<AppShell> shell_;
  std::uint64_t clock_ = 1000;
  std::vector<Step> script_;
  // When the last step was handed over; a loop may wake for timers alone this long after it.
  std::uint64_t lastStepAt_ = 0;
  static constexpr std::uint64_t kDryScriptLimitMs = 60 * 60 * 1000;
  Source source_{*this};
  std::map<std::uint32_t, std::function<void()>> checks_;
  std::uint32_t nextCheck_ = 0x8000;
};
