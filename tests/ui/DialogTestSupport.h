// Dialogs on a headless display with the generated fonts, optionally the theme artwork, and input
// scheduled on a hand-driven clock that the modal loop takes from the thread's queue.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "gfx/art/ArtworkSet.h"
#include "platform/DataDir.h"
#include "platform/MessageLoop.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/widgets/WidgetArtwork.h"

// Posts each message when the clock reaches it; waits move the clock instead of sleeping. A minute
// past the script's end it posts the quit message: a dialog that never closes fails, not hangs.
class ScriptedInput : public MessageSource {
public:
  explicit ScriptedInput(std::uint64_t* clock) : clock_(clock) {}
  void At(std::uint64_t ms, std::uint32_t message, std::uintptr_t wParam = 0,
          std::intptr_t lParam = 0) {
    steps_.push_back({ms, message, wParam, lParam});
  }
  void KeyAt(std::uint64_t ms, std::uint32_t virtualKey, int scan) {
    At(ms, WM_KEYDOWN, virtualKey, KeyLParam(1, scan, false, false, false));
    At(ms + 30, WM_KEYUP, virtualKey, KeyLParam(1, scan, false, true, true));
  }
  // Keys are released 30 ms and clicks 50 ms after their press.
  void ClickAt(std::uint64_t ms, int x, int y) {
    At(ms, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    At(ms + 50, WM_LBUTTONUP, 0, MakeLParam(x, y));
  }
  void Pump(int waitMs) override {
    ++pumps_;
    if (waitMs != 0) {
      std::uint64_t until = waitMs > 0 ? *clock_ + static_cast<std::uint64_t>(waitMs)
                                       : std::numeric_limits<std::uint64_t>::max();
      for (const Step& step : steps_) until = std::min(until, std::max(step.ms, *clock_));
      if (until == std::numeric_limits<std::uint64_t>::max()) until = *clock_ + 60001;
      *clock_ = until;
    }
    std::uint64_t last = 0;
    bool posted = false;
    for (auto it = steps_.begin(); it != steps_.end();) {
      last = std::max(last, it->ms);
      if (it->ms <= *clock_) {
        ThreadMessageQueue().PostInput(it->message, it->wParam, it->lParam);
        posted = true;
        it = steps_.erase(it);
      } else {
        ++it;
      }
    }
    lastStep_ = std::max(lastStep_, last);
    // A loop that stopped waiting would not move the clock: the pumps are counted too.
    const bool scriptDone = !posted && steps_.empty() && *clock_ > lastStep_ + 60000;
    if (!gaveUp_ && (scriptDone || pumps_ > 1000000)) {
      gaveUp_ = true;
      PostQuitMessage(0);
    }
  }
  long Pumps() const { return pumps_; }

private:
  struct Step {
    std::uint64_t ms;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  std::uint64_t* clock_;
  std::vector<Step> steps_;
  std::uint64_t lastStep_ = 0;
  long pumps_ = 0;
  bool gaveUp_ = false;
};

class DialogTest : public UiTest {
protected:
  void SetUp() override {
    SetDataDir(MediaDir());
    options_ = kUiLoadFonts | kUiRouteToContainers;
    UiTest::SetUp();
    UiSetDialogFont("windb_10.fgf");
    UiSetDefaultFont("windb_10.fgf");
    UiSetAppActive(true);
    ResetMessageLoop([this] { return clock_; });
    input_ = std::make_unique<ScriptedInput>(&clock_);
    SetMessageSource(input_.get());
    SetWindowProc([this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
      dispatched_.push_back({message, wParam});
      return std::intptr_t{0};
    });
  }
  void TearDown() override {
    UiSetWidgetArtwork(nullptr);
    art_.reset();
    SetMessageSource(nullptr);
    ResetMessageLoop();
    UiSetAppActive(true);
    UiTest::TearDown();
  }
  // The theme artwork; false (the test should skip) without generated media.
  bool UseArtwork(int theme = 0) {
    if (MediaDir().empty() || UiToolkit.dialogFont == 0) return false;
    art_ = std::make_unique<ArtworkSet>();
    art_->Load(screenBuffer_, 1);
    art_->LoadTheme(theme);
    UiSetWidgetArtwork(art_.get());
    return DialogSkinBuffer() >= 0;
  }
  bool UseArtworkOnBackdrop(int theme = 0) {
    if (!UseArtwork(theme)) return false;
    art_->RestoreBackground(0, 799, 0, 599);
    return true;
  }
  // Pixels of the screen rectangle that differ from `reference`, an earlier whole-screen grab.
  int Changed(const std::vector<std::uint32_t>& reference, int left, int right, int top,
              int bottom) const {
    int changed = 0;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        changed += PixelAt(screenBuffer_, x, y) != reference[static_cast<std::size_t>(y) * 800 + x];
      }
    }
    return changed;
  }
  // Shows `element`, compares the rectangle with tests/golden/<name>.png, hides it again.
  testing::AssertionResult ShowsAsGolden(UiElement& element, const std::string& name, int left,
                                         int right, int top, int bottom) {
    element.Show();
    testing::AssertionResult matched = MatchesGolden(name, screenBuffer_, left, right, top, bottom);
    element.Hide();
    return matched;
  }
  std::uint64_t In(std::uint64_t ms) const { return clock_ + ms; }
  int Dispatched(std::uint32_t message, std::uintptr_t wParam) const {
    int count = 0;
    for (const auto& [m, w] : dispatched_) count += m == message && w == wParam;
    return count;
  }

  std::uint64_t clock_ = 1000;
  std::unique_ptr<ScriptedInput> input_;
  std::unique_ptr<ArtworkSet> art_;
  std::vector<std::pair<std::uint32_t, std::uintptr_t>> dispatched_;
};

inline constexpr int kScanEscape = 0x01;
inline constexpr int kScanEnter = 0x1C;
inline constexpr int kScanCapsLock = 0x3A;
inline constexpr int kScanN = 0x31;
