// The queue's order (posted, quit, paint, timers), timer rhythm and mouse-move merging on a
// hand-driven clock.
#include "platform/MessageQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class MessageQueueTest : public ::testing::Test {
protected:
  std::uint64_t now = 1000;
  MessageQueue queue{[this] { return now; }};

  std::vector<Message> Drain() {
    std::vector<Message> out;
    for (Message m; queue.Take(&m);) out.push_back(m);
    return out;
  }
  std::vector<std::uint32_t> Codes() {
    std::vector<std::uint32_t> codes;
    for (const Message& m : Drain()) codes.push_back(m.message);
    return codes;
  }
  // The ids of the messages due now, all of which must be timers.
  std::vector<std::uintptr_t> Timers() {
    std::vector<std::uintptr_t> ids;
    for (const Message& m : Drain()) {
      EXPECT_EQ(m.message, WM_TIMER);
      ids.push_back(m.wParam);
    }
    return ids;
  }
};

using Ids = std::vector<std::uintptr_t>;

}  // namespace

TEST_F(MessageQueueTest, OrderIsPostedThenQuitThenOnePaintThenTimers) {
  queue.SetTimer(1, 100);
  now += 100;
  queue.Invalidate();
  queue.Invalidate();  // several invalidations give one paint
  queue.PostQuit(3);
  queue.Post(WM_KEYDOWN, VK_ESCAPE, 7);
  queue.PostInput(WM_KEYUP, 'A', 0);
  const std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(std::tie(got[0].message, got[0].wParam, got[0].lParam, got[0].time),
            std::make_tuple(std::uint32_t{WM_KEYDOWN}, std::uintptr_t{VK_ESCAPE}, std::intptr_t{7},
                            std::uint64_t{1100}));
  EXPECT_FALSE(got[0].fromDevice);
  EXPECT_TRUE(got[1].fromDevice);
  EXPECT_EQ(got[2].message, WM_QUIT);
  EXPECT_EQ(got[2].wParam, 3u);
  EXPECT_EQ(got[3].message, WM_PAINT);
  EXPECT_EQ(got[4].message, WM_TIMER);
  // A message posted after the first is taken still goes ahead of a due timer.
  now += 100;
  queue.Post(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Message m;
  ASSERT_TRUE(queue.Take(&m));
  queue.Post(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(Codes(), (std::vector<std::uint32_t>{WM_LBUTTONUP, WM_TIMER}));
}

TEST_F(MessageQueueTest, ConsecutiveMouseMovesMergeIntoTheLatest) {
  queue.Post(WM_MOUSEMOVE, 0, MakeLParam(1, 1));
  queue.Post(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(2, 2));
  queue.Post(WM_LBUTTONUP, 0, MakeLParam(2, 2));
  queue.Post(WM_MOUSEMOVE, 0, MakeLParam(3, 3));
  const std::vector<Message> got = Drain();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(got[0].lParam, MakeLParam(2, 2));
  EXPECT_EQ(got[0].wParam, MK_LBUTTON);
  EXPECT_EQ(got[1].message, WM_LBUTTONUP);
  EXPECT_EQ(got[2].lParam, MakeLParam(3, 3));
}

TEST_F(MessageQueueTest, TimerFiresWhenDueOnceHoweverLateAndKeepsItsRhythm) {
  queue.SetTimer(2, 100);
  now += 99;
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 1);
  now += 1;
  EXPECT_EQ(Timers(), Ids{2});
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 100);
  // Ten periods missed give one message; a slightly late tick keeps the rhythm.
  now += 1000;
  EXPECT_EQ(Timers(), Ids{2});
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 100);
  now += 130;
  EXPECT_EQ(Timers(), Ids{2});
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), 70) << "due at the next step of its rhythm";
}

TEST_F(MessageQueueTest, DueTimersComeEarliestFirstAndKillTimerStopsThem) {
  queue.SetTimer(1, 100);
  queue.SetTimer(2, 100);
  queue.SetTimer(3, 50);
  now += 100;
  // Timer 3 was due at 50, timers 1 and 2 at 100; equal due times keep their SetTimer order.
  EXPECT_EQ(Timers(), (Ids{3, 1, 2}));
  EXPECT_TRUE(queue.KillTimer(3));
  EXPECT_FALSE(queue.KillTimer(3));
  now += 100;
  EXPECT_EQ(Timers(), (Ids{1, 2}));
  queue.KillTimer(1);
  queue.KillTimer(2);
  EXPECT_EQ(queue.MillisecondsUntilNextTimer(), -1);
  now += 1000;
  EXPECT_TRUE(Drain().empty());
}
