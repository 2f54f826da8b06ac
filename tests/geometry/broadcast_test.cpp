#include <gtest/gtest.h>

#include <vector>

#include "geometry/forma_daten.h"
#include "platform/core/window_list.h"

namespace movra {
namespace {

struct Receiver : platform::NotifyReceiver {
  std::vector<int>* log;
  int id;
  Receiver(std::vector<int>* l, int i) : log(l), id(i) {}
  void FormaNotify(int Code) override { log->push_back(id * 10000 + Code); }
};

TEST(Broadcast, ReachesEveryWindowInOrderWithTheCode) {
  std::vector<int> log;
  Receiver main(&log, 1), editor(&log, 2);
  platform::WindowList windows;
  windows.Register(&main);
  windows.Register(&editor);
  TFormaDaten daten(&windows);
  daten.BroadcastToForms(platform::FormaNotify, LanguageApplied);
  daten.BroadcastToForms(platform::FormaNotify, NotifyRepaint);
  EXPECT_EQ(log, (std::vector<int>{12000, 22000, 10000, 20000}));
}

TEST(Broadcast, WithoutWindowsGoesNowhere) {
  TFormaDaten daten;
  daten.BroadcastToForms(platform::FormaNotify, NotifyModified);  // no crash, nothing to reach
  SUCCEED();
}

}  // namespace
}  // namespace movra
