// The process-wide loop: waits cut at the next timer, and peeks that wait only as long as asked.
// Dispatch and the quit code are played by every scenario run (ShellHarness, its dry script).
#include "platform/MessageLoop.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Keyboard.h"

namespace {

// Moves the fake clock on by each wait; can deliver a click after the next real wait.
class ScriptedSource : public MessageSource {
public:
  explicit ScriptedSource(std::uint64_t* now) : now_(now) {}
  void Pump(int waitMs) override {
    waits.push_back(waitMs);
    if (waitMs > 0) *now_ += static_cast<std::uint64_t>(waitMs);
    if (inputAfterWait && waitMs != 0) {
      PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 2));
      inputAfterWait = false;
    }
  }
  std::vector<int> waits;
  bool inputAfterWait = false;

private:
  std::uint64_t* now_;
};

class MessageLoopTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetMessageLoop([this] { return now; });
    SetMessageSource(&source);
  }
  void TearDown() override { ResetMessageLoop(); }

  std::uint64_t now = 5000;
  ScriptedSource source{&now};
  Message m;
};

using Waits = std::vector<int>;

}  // namespace

TEST_F(MessageLoopTest, GetMessageBlocksExactlyUntilTheNextTimerOrWithoutLimitWhenNoneRuns) {
  SetTimer(2, 100);
  SetTimer(3, 50);
  ASSERT_TRUE(GetMessage(&m));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, 3u);
  // One look without waiting, one wait of exactly the 50 ms left, one look after it.
  EXPECT_EQ(source.waits, (Waits{0, 50, 0}));
  EXPECT_EQ(now, 5050u);
  KillTimer(2);
  KillTimer(3);
  source.waits.clear();
  source.inputAfterWait = true;
  ASSERT_TRUE(GetMessage(&m));
  EXPECT_EQ(m.message, WM_LBUTTONDOWN);
  EXPECT_EQ(source.waits, (Waits{0, -1, 0}));
  SetMessageSource(nullptr);
  EXPECT_FALSE(GetMessage(&m)) << "no source and no timer must not hang";
  EXPECT_EQ(m.message, WM_QUIT);
}

// A modal loop idles here: it must sleep in one wait, not poll around it.
TEST_F(MessageLoopTest, WaitForMessageWaitsOnceForTheNextTimerAndHandsOutTheQuit) {
  SetTimer(2, 100);
  WaitForMessage(&m);
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(source.waits, Waits{100});
  EXPECT_EQ(now, 5100u);
  PostQuitMessage(4);
  WaitForMessage(&m);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 4u);
  EXPECT_EQ(source.waits, (Waits{100, 0})) << "a queued message is only looked past";
  KillTimer(2);
  SetMessageSource(nullptr);
  WaitForMessage(&m);
  EXPECT_EQ(m.message, WM_QUIT) << "nothing could ever arrive";
}

TEST_F(MessageLoopTest, PeekWaitsUpToTheGivenTimeButNeverPastADueTimer) {
  EXPECT_FALSE(PeekMessage(&m, 0));
  EXPECT_EQ(source.waits, Waits{0});
  EXPECT_EQ(now, 5000u);
  EXPECT_FALSE(PeekMessage(&m, 10));
  EXPECT_EQ(source.waits, (Waits{0, 10})) << "an idle peek is one wait, not a look as well";
  EXPECT_EQ(now, 5010u);
  source.inputAfterWait = true;
  ASSERT_TRUE(PeekMessage(&m, 10));
  EXPECT_EQ(m.message, WM_LBUTTONDOWN);
  EXPECT_EQ(m.lParam, MakeLParam(1, 2));
  SetTimer(1, 4);  // clamped to 10 ms
  ASSERT_TRUE(PeekMessage(&m, 25));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(now, 5030u);
}

// Shift+J typed fast: the Shift release is already queued when the J is taken.
TEST_F(MessageLoopTest, KeyStateIsThatOfTheMessageInHand) {
  MessageQueue& queue = ThreadMessageQueue();
  queue.PostInput(WM_KEYDOWN, VK_SHIFT, KeyLParam(1, 0x2A, false, false, false));
  queue.PostInput(WM_KEYDOWN, 'J', KeyLParam(1, 0x24, false, false, false));
  queue.PostInput(WM_KEYUP, VK_SHIFT, KeyLParam(1, 0x2A, false, true, true));
  ASSERT_TRUE(GetMessage(&m));
  ASSERT_TRUE(PeekMessage(&m));
  EXPECT_EQ(m.wParam, static_cast<std::uintptr_t>('J'));
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  ASSERT_TRUE(GetMessage(&m));
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
  // A key press posted by the program (the menu's Escape) is no physical key.
  PostMessage(WM_KEYDOWN, VK_ESCAPE, KeyLParam(1, 0x01, false, false, false));
  ASSERT_TRUE(GetMessage(&m));
  EXPECT_FALSE(m.fromDevice);
  EXPECT_EQ(GetKeyState(VK_ESCAPE), 0);
}
