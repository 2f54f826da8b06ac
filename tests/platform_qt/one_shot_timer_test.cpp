#include "platform/qt/one_shot_timer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/qt_test_support.h"

namespace movra::platform {
namespace {

using movra::testing::RunEventLoop;
using movra::testing::RunEventLoopUntil;

TEST(OneShotTimer, FiresOnceAndIsDisabledBeforeItActs) {
  OneShotTimer timer(20);
  int fired = 0;
  bool enabledInside = true;
  timer.OnTimer = [&] {
    ++fired;
    enabledInside = timer.Enabled();
  };
  EXPECT_FALSE(timer.Enabled());
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Enabled());
  ASSERT_TRUE(RunEventLoopUntil([&] { return fired > 0; }));
  RunEventLoop(80);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(enabledInside);
  EXPECT_FALSE(timer.Enabled());
}

TEST(OneShotTimer, EnablingARunningTimerDoesNotRestartIt) {
  // A runs 100 ms, B 150 ms. A is enabled again at 60 ms: restarted it would fire after B.
  OneShotTimer a(100), b(150), again(60);
  std::string order;
  a.OnTimer = [&] { order += 'A'; };
  b.OnTimer = [&] { order += 'B'; };
  again.OnTimer = [&] { a.SetEnabled(true); };
  a.SetEnabled(true);
  b.SetEnabled(true);
  again.SetEnabled(true);
  ASSERT_TRUE(RunEventLoopUntil([&] { return order.find('B') != std::string::npos; }));
  EXPECT_EQ(order.front(), 'A') << order;
}

TEST(OneShotTimer, ABurstOfEnablingsFiresOnce) {
  OneShotTimer timer(30);
  int fired = 0;
  timer.OnTimer = [&] { ++fired; };
  for (int i = 0; i < 100; ++i) timer.SetEnabled(true);
  ASSERT_TRUE(RunEventLoopUntil([&] { return fired > 0; }));
  RunEventLoop(100);
  EXPECT_EQ(fired, 1);
}

TEST(OneShotTimer, DisablingStopsIt) {
  OneShotTimer timer(20), later(100);
  int fired = 0;
  bool laterFired = false;
  timer.OnTimer = [&] { ++fired; };
  later.OnTimer = [&] { laterFired = true; };
  timer.SetEnabled(true);
  later.SetEnabled(true);
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());
  ASSERT_TRUE(RunEventLoopUntil([&] { return laterFired; }));
  EXPECT_EQ(fired, 0);
}

TEST(OneShotTimer, MayEnableItselfAgainAndSignalsEachFiring) {
  OneShotTimer timer(5);
  int fired = 0;
  int signalled = 0;
  timer.OnTimer = [&] {
    if (++fired < 3) timer.SetEnabled(true);
  };
  QObject::connect(&timer, &OneShotTimer::Timeout, [&] { ++signalled; });
  timer.SetEnabled(true);
  ASSERT_TRUE(RunEventLoopUntil([&] { return fired == 3; }));
  RunEventLoop(30);
  EXPECT_EQ(fired, 3);
  EXPECT_EQ(signalled, 3);
}

TEST(OneShotTimer, IntervalIsNeverNegative) {
  OneShotTimer timer(-5);
  EXPECT_EQ(timer.Interval(), 0);
  timer.SetInterval(250);
  EXPECT_EQ(timer.Interval(), 250);
  timer.SetInterval(-1);
  EXPECT_EQ(timer.Interval(), 0);
}

}  // namespace
}  // namespace movra::platform
