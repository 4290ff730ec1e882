// Checks the queue's order (posted, quit, paint, timers), timer rhythm and mouse-move merging on
// a hand-driven clock.
#include "platform/MessageQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class MessageQueueTest : public ::testing::Test {
protected:
  std::uint64_t now = 1000;
  MessageQueue queue{[this] { return now; }};

  // Everything the queue hands out right now.
  std::vector<Message> Drain() {
    std::vector<Message> out;
    Message m;
    while (queue.Take(&m)) out.push_back(m);
    return out;
  }
};

std::vector<std::uintptr_t> TimerIds(const std::vector<Message>& messages) {
  std::vector<std::uintptr_t> ids;
  for (const Message& m : messages) {
    EXPECT_EQ(m.message, WM_TIMER);
    ids.push_back(m.wParam);
  }
  return ids;
}

}  // namespace

TEST_F(MessageQueueTest, PostedMessagesComeInOrderWithTheirParameters) {
  queue.Post(WM_KEYDOWN, VK_ESCAPE, 7);
  queue.Post(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 4));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, WM_KEYDOWN);
  EXPECT_EQ(got[0].wParam, VK_ESCAPE);
  EXPECT_EQ(got[0].lParam, 7);
  EXPECT_EQ(got[0].time, 1000u);
  EXPECT_EQ(got[1].message, WM_LBUTTONDOWN);
  EXPECT_FALSE(got[1].fromDevice);
  EXPECT_FALSE(queue.HasMessage());
  queue.PostInput(WM_KEYUP, 'A', 0);
  got = Drain();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_TRUE(got[0].fromDevice);
}

TEST_F(MessageQueueTest, OrderIsPostedThenQuitThenOnePaintThenTimers) {
  queue.SetTimer(1, 100);
  now += 100;
  queue.Invalidate();
  queue.Invalidate();  // several invalidations give one paint
  queue.PostQuit(3);
  queue.Post(WM_MOUSEMOVE, 0, 0);
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(got[1].message, WM_QUIT);
  EXPECT_EQ(got[1].wParam, 3u);
  EXPECT_EQ(got[2].message, WM_PAINT);
  EXPECT_EQ(got[3].message, WM_TIMER);
  // A message posted after the first is taken still goes ahead of a due timer.
  now += 100;
  queue.Post(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Message m;
  ASSERT_TRUE(queue.Take(&m));
  EXPECT_EQ(m.message, WM_LBUTTONDOWN);
  queue.Post(WM_LBUTTONUP, 0, 0);
  ASSERT_TRUE(queue.Take(&m));
  EXPECT_EQ(m.message, WM_LBUTTONUP);
  ASSERT_TRUE(queue.Take(&m));
  EXPECT_EQ(m.message, WM_TIMER);
}

TEST_F(MessageQueueTest, ConsecutiveMouseMovesMergeIntoTheLatest) {
  queue.Post(WM_MOUSEMOVE, 0, MakeLParam(1, 1));
  queue.Post(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(2, 2));
  queue.Post(WM_LBUTTONUP, 0, MakeLParam(2, 2));
  queue.Post(WM_MOUSEMOVE, 0, MakeLParam(3, 3));
  std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(got[0].lParam, MakeLParam(2, 2));
  EXPECT_EQ(got[0].wParam, MK_LBUTTON);
  EXPECT_EQ(got[1].message, WM_LBUTTONUP);
  EXPECT_EQ(got[2].lParam, MakeLParam(3, 3));
}

TEST_F(MessageQueueTest, TimerFiresWhenDueOnceHoweverLateAndKeepsItsRhythm) {
  queue.SetTimer(2, 100);
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 100);
  now += 99;
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 1);
  now += 1;
  EXPECT_EQ(TimerIds(Drain()), std::vector<std::uintptr_t>{2});
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 100);
  now += 100;
  EXPECT_EQ(TimerIds(Drain()), std::vector<std::uintptr_t>{2});
  // Ten periods missed give one message; a slightly late tick keeps the rhythm.
  now += 1000;
  EXPECT_EQ(TimerIds(Drain()), std::vector<std::uintptr_t>{2});
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 100);
  now += 130;
  EXPECT_EQ(TimerIds(Drain()).size(), 1u);
  // Due again at the next step of its rhythm, not 100 ms after this late tick.
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 70);
}

TEST_F(MessageQueueTest, DueTimersComeEarliestFirst) {
  queue.SetTimer(1, 100);
  queue.SetTimer(2, 100);
  queue.SetTimer(3, 50);
  now += 100;
  // Timer 3 was due at 50, timers 1 and 2 at 100; equal due times keep their SetTimer order.
  EXPECT_EQ(TimerIds(Drain()), (std::vector<std::uintptr_t>{3, 1, 2}));
}

TEST_F(MessageQueueTest, KillTimerStopsItAndReportsUnknownIds) {
  queue.SetTimer(1, 100);
  queue.SetTimer(3, 50);
  EXPECT_TRUE(queue.KillTimer(3));
  EXPECT_FALSE(queue.KillTimer(3));
  EXPECT_FALSE(queue.KillTimer(42));
  now += 100;
  EXPECT_EQ(TimerIds(Drain()), std::vector<std::uintptr_t>{1});
  EXPECT_TRUE(queue.KillTimer(1));
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), -1);
  now += 1000;
  EXPECT_TRUE(Drain().empty());
}

TEST_F(MessageQueueTest, SetTimerAgainRestartsWithTheNewPeriod) {
  queue.SetTimer(3, 50);
  now += 40;
  queue.SetTimer(3, 200);
  now += 20;  // the old period would be due now
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 180);
  // Periods are clamped to the Windows minimum.
  queue.SetTimer(3, 0);
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), static_cast<int>(MessageQueue::kMinTimerMs));
}

TEST_F(MessageQueueTest, ClearDropsEverything) {
  queue.Post(WM_CLOSE, 0, 0);
  queue.PostQuit(0);
  queue.Invalidate();
  queue.SetTimer(1, 10);
  queue.Clear();
  now += 100;
  EXPECT_FALSE(queue.HasMessage());
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), -1);
}
