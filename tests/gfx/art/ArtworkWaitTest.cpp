// How long the logo and the end screens stay up, and what input ends them.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/DataDir.h"
#include "platform/MessageLoop.h"
#include "tests/gfx/art/ArtworkTestSupport.h"

namespace {

class ArtworkWaitTest : public ArtworkTest {
protected:
  void SetUp() override {
    ArtworkTest::SetUp();
    SetDataDir("/nonexistent-media");  // a missing picture must not shorten or skip the wait
    art_ = std::make_unique<ArtworkSet>();
    art_->Load(screen_, 1);
    SetWindowProc([this](std::uint32_t message, std::uintptr_t, std::intptr_t) {
      dispatched_.push_back(message);
      return std::intptr_t{0};
    });
  }

  // Milliseconds the call under test kept the thread.
  template <typename F>
  std::uint64_t Duration(F&& call) {
    const std::uint64_t start = clock_;
    call();
    return clock_ - start;
  }

  std::vector<std::uint32_t> dispatched_;
};

TEST_F(ArtworkWaitTest, InputNeverReachesTheGameButTimersPaintAndQuitDo) {
  SetTimer(2, 100);
  int ms = 40;
  for (std::uint32_t m : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_KEYUP, WM_ACTIVATEAPP}) {
    source_->At(clock_ + (ms += 10), m);
  }
  source_->At(clock_ + 200, WM_PAINT);
  source_->At(clock_ + 450, WM_LBUTTONDOWN);
  art_->ShowLogo();
  std::map<std::uint32_t, int> count;
  for (std::uint32_t message : dispatched_) {
    ++count[message];
    const bool mouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
    EXPECT_FALSE(mouse) << "mouse message " << message << " reached the window behind the logo";
  }
  EXPECT_EQ(count[WM_KEYUP], 0);
  EXPECT_EQ(count[WM_TIMER], 4);
  EXPECT_EQ(count[WM_PAINT], 1);
  EXPECT_EQ(count[WM_ACTIVATEAPP], 1);
  KillTimer(2);
  // The end screen behaves the same way, also during its deaf first second.
  dispatched_.clear();
  source_->At(clock_ + 300, WM_MOUSEMOVE);
  source_->At(clock_ + 1300, WM_MOUSEMOVE);
  source_->At(clock_ + 1400, WM_LBUTTONDOWN);
  art_->ShowEndScreen(false);
  for (std::uint32_t message : dispatched_) EXPECT_NE(message, WM_MOUSEMOVE);
  PostQuitMessage(7);
  EXPECT_LT(Duration([&] { art_->ShowLogo(); }), 20u);
  Message msg;
  ASSERT_FALSE(GetMessage(&msg));  // the quit is still there for the main loop
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
