#include "platform/core/window_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace movra::platform {
namespace {

struct Window : NotifyReceiver {
  std::vector<int>* log;
  int id;
  std::function<void()> onNotify;
  Window(std::vector<int>* l, int i) : log(l), id(i) {}
  void FormaNotify(int Code) override {
    log->push_back(id * 10000 + Code);
    if (onNotify) onNotify();
  }
};

TEST(WindowList, DeliversInCreationOrderOnlyTheBroadcastMessage) {
  std::vector<int> log;
  Window a(&log, 1), b(&log, 2);
  WindowList list;
  list.Register(&a);
  list.Register(&b);
  list.Register(&a);  // twice is once
  list.Send(FormaNotify, 2000);
  list.Send(99, 5);
  EXPECT_EQ(log, (std::vector<int>{12000, 22000}));
}

TEST(WindowList, WindowThatGoesAwayDuringBroadcastIsSkipped) {
  std::vector<int> log;
  WindowList list;
  Window a(&log, 1), b(&log, 2), c(&log, 3);
  a.onNotify = [&] { list.Unregister(&b); };
  list.Register(&a);
  list.Register(&b);
  list.Register(&c);
  list.Send(FormaNotify, 0);
  EXPECT_EQ(log, (std::vector<int>{10000, 30000}));
  EXPECT_EQ(list.Count(), 2u);
}

}  // namespace
}  // namespace movra::platform
