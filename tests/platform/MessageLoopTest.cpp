// Checks the process-wide loop functions: waits are cut at the next timer, peeking waits only as
// long as asked, dispatch reaches the window procedure, WM_QUIT ends GetMessage.
#include "platform/MessageLoop.h"

#include "platform/Keyboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A source that advances the fake clock by the time it is asked to wait and can deliver
// scripted input after a given wait.
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
};

}  // namespace

TEST_F(MessageLoopTest, GetMessageBlocksExactlyUntilTheNextTimerOrWithoutLimitWhenNoneRuns) {
  SetTimer(2, 100);
  SetTimer(3, 50);
  Message m;
  ASSERT_TRUE(GetMessage(&m));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, 3u);
  // One look without waiting, one wait of exactly the 50 ms left, one look after it.
  EXPECT_EQ(source.waits, (std::vector<int>{0, 50, 0}));
  EXPECT_EQ(now, 5050u);
  // With no timer running the wait has no limit.
  KillTimer(2);
  KillTimer(3);
  source.waits.clear();
  source.inputAfterWait = true;
  ASSERT_TRUE(GetMessage(&m));
  EXPECT_EQ(m.message, WM_LBUTTONDOWN);
  EXPECT_EQ(source.waits, (std::vector<int>{0, -1, 0}));
}

TEST_F(MessageLoopTest, GetMessageReturnsFalseWithTheQuitCode) {
  PostMessage(WM_CLOSE, 0, 0);
  PostQuitMessage(7);
  Message m;
  ASSERT_TRUE(GetMessage(&m));
  EXPECT_EQ(m.message, WM_CLOSE);
  EXPECT_FALSE(GetMessage(&m));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 7u);
}

TEST_F(MessageLoopTest, GetMessageWithoutSourceOrTimerReportsQuitInsteadOfHanging) {
  SetMessageSource(nullptr);
  Message m;
  EXPECT_FALSE(GetMessage(&m));
  EXPECT_EQ(m.message, WM_QUIT);
}

TEST_F(MessageLoopTest, WaitForMessageWaitsOnceForTheNextTimerAndHandsOutTheQuit) {
  SetTimer(2, 100);
  Message m;
  WaitForMessage(&m);
  EXPECT_EQ(m.message, WM_TIMER);
  // An idle turn is one wait, not a look before and after it as well.
  EXPECT_EQ(source.waits, std::vector<int>{100});
  EXPECT_EQ(now, 5100u);

  PostQuitMessage(4);
  WaitForMessage(&m);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 4u);
  EXPECT_EQ(source.waits, (std::vector<int>{100, 0})) << "a queued message is only looked past";

  KillTimer(2);
  source.inputAfterWait = true;
  WaitForMessage(&m);
  EXPECT_EQ(m.message, WM_LBUTTONDOWN);
  EXPECT_EQ(source.waits.back(), -1);

  SetMessageSource(nullptr);
  WaitForMessage(&m);
  EXPECT_EQ(m.message, WM_QUIT) << "nothing could ever arrive";
}

TEST_F(MessageLoopTest, PeekWaitsUpToTheGivenTimeButNeverPastADueTimer) {
  Message m;
  EXPECT_FALSE(PeekMessage(&m, 0));
  EXPECT_EQ(source.waits, std::vector<int>{0});
  EXPECT_EQ(now, 5000u);
  EXPECT_FALSE(PeekMessage(&m, 10));
  EXPECT_EQ(now, 5010u);
  source.inputAfterWait = true;
  ASSERT_TRUE(PeekMessage(&m, 10));
  EXPECT_EQ(m.message, WM_LBUTTONDOWN);
  EXPECT_EQ(GetXLParam(m.lParam), 1);
  EXPECT_EQ(GetYLParam(m.lParam), 2);
  SetTimer(1, 4);  // clamped to 10 ms
  ASSERT_TRUE(PeekMessage(&m, 25));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(now, 5030u);
}

TEST_F(MessageLoopTest, DispatchAndSendReachTheWindowProcedure) {
  std::vector<std::uint32_t> seen;
  SetWindowProc([&seen](std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
    seen.push_back(message);
    return static_cast<std::intptr_t>(wParam + 1);
  });
  EXPECT_EQ(DispatchMessage(Message{WM_KEYDOWN, VK_ESCAPE, 0, 0}), 28);
  EXPECT_EQ(SendMessage(WM_PAINT, 0, 0), 1);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{WM_KEYDOWN, WM_PAINT}));
  SetWindowProc(nullptr);
  EXPECT_EQ(SendMessage(WM_PAINT, 0, 0), 0);
}

TEST_F(MessageLoopTest, InvalidateAndKillTimerActOnTheThreadQueue) {
  SetTimer(1, 100);
  EXPECT_TRUE(KillTimer(1));
  EXPECT_FALSE(KillTimer(1));
  InvalidateWindow();
  Message m;
  ASSERT_TRUE(PeekMessage(&m));
  EXPECT_EQ(m.message, WM_PAINT);
  EXPECT_FALSE(PeekMessage(&m));
}

TEST_F(MessageLoopTest, KeyStateIsThatOfTheMessageInHand) {
  // Shift+J typed fast: the Shift release is already queued when the J arrives.
  MessageQueue& queue = ThreadMessageQueue();
  queue.PostInput(WM_KEYDOWN, VK_SHIFT, KeyLParam(1, 0x2A, false, false, false));
  queue.PostInput(WM_KEYDOWN, 'J', KeyLParam(1, 0x24, false, false, false));
  queue.PostInput(WM_KEYUP, VK_SHIFT, KeyLParam(1, 0x2A, false, true, true));
  Message m;
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
