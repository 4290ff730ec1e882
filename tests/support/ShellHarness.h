// Runs the real window procedure (AppShell) headless for scenario tests: a headless display that
// remembers what was shown, a stand-in window that records what the shell asked of it, and
// input scheduled on a clock that moves only when a loop waits, so every run is exact.
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

// Records every request the shell makes of its window.
class FakeShellWindow final : public ShellWindow {
public:
  void Show() override { ++shows; }
  void Resized() override { ++resizes; }
  void ReapplyCursorClip() override { ++clipReapplies; }
  void ShowError(const char* message) override { errors.emplace_back(message); }

  int shows = 0;
  int resizes = 0;
  int clipReapplies = 0;
  std::vector<std::string> errors;
};

class ShellHarness {
public:
  struct Options {
    int desktopDepth = 32;
    GfxPixelMasks masks = HeadlessDisplay::Masks888();
    // Points the data directory at the generated media when the build has them.
    bool useMedia = true;
    // A settings store of the harness's own; off when the test keeps one itself.
    bool scratchStore = true;
    // Stored as the last player with the player-select dialog switched off, so start-up goes
    // straight to the title screen. Empty: the dialog comes up and the test answers it.
    std::string player = "Tester";
  };

  // Exit code Run reports when the script ran out while the loop still waited: the scenario
  // forgot to end the program (or the program ignored the end), and the test must say so.
  static constexpr int kScriptRanDry = 125;
  // Free message numbers for the tests' own actions (see OnMessage).
  static constexpr std::uint32_t kTestAction = 0x8000;

  ShellHarness() : ShellHarness(Options{}) {}
  explicit ShellHarness(const Options& options);
  ~ShellHarness();
  ShellHarness(const ShellHarness&) = delete;
  ShellHarness& operator=(const ShellHarness&) = delete;

  HeadlessDisplay& Display() { return display_; }
  FakeShellWindow& Window() { return window_; }
  AppShell& Shell() { return *shell_; }
  // Milliseconds on the harness clock.
  std::uint64_t Now() const { return clock_; }

  // Queues a message `afterMs` from now the way the SDL event translation posts it: mouse, keys
  // and activation as input, the rest (close, size) as posted window messages.
  void PostAt(std::uint64_t afterMs, std::uint32_t message, std::uintptr_t wParam = 0,
              std::intptr_t lParam = 0);
  // A key pressed and released 20 ms later.
  void KeyAt(std::uint64_t afterMs, std::uint32_t virtualKey);
  // A left click at (x, y), released 30 ms later.
  void ClickAt(std::uint64_t afterMs, int x, int y);
  // Runs `action` inside the window procedure when `message` arrives there, the way a menu
  // command of a game opens a dialog; the shell does not see the message.
  void OnMessage(std::uint32_t message, std::function<void()> action);
  // Runs `check` inside the window procedure `afterMs` from now, on a test message of its own.
  void CheckAt(std::uint64_t afterMs, std::function<void()> check);

  bool Create() { return shell_->Create(); }
  // The main loop to its end, exactly as main runs it. Returns the exit code.
  int Run() { return shell_->Run(); }

  // Every message the window procedure was handed, in order.
  const std::vector<std::uint32_t>& Dispatched() const { return dispatched_; }

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
  // When the last scripted step was handed over, and how long after it a loop may go on waking
  // for timers alone.
  std::uint64_t lastStepAt_ = 0;
  static constexpr std::uint64_t kDryScriptLimitMs = 60 * 60 * 1000;
  Source source_{*this};
  std::map<std::uint32_t, std::function<void()>> actions_;
  std::uint32_t nextCheck_ = kTestAction;
  std::vector<std::uint32_t> dispatched_;
};
