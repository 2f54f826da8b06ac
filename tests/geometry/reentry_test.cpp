// A run lets window events in once per line. What such an event may do to the store: read
// it, and ask for a run after the current one; never change it under the run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/forma_geom.h"
#include "platform/core/application.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

using namespace transcript;

class Reentry : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetMessagePump({}); }
  Editor ed;
};

TEST_F(Reentry, PumpPointsAreMarkedOnlyWhileTheEventsRun) {
  int inside = 0;
  platform::SetMessagePump([&] { inside += ed.geom.InsidePump() ? 1 : 0; });
  EXPECT_FALSE(ed.geom.InsidePump());
  ed.Run("G1 X0 Y0\nX10\nY10");
  EXPECT_EQ(inside, 3);
  EXPECT_FALSE(ed.geom.InsidePump());
}

TEST_F(Reentry, RequestedRunFollowsTheRunInProgress) {
  std::vector<std::string> seen;
  int requests = 0;
  platform::SetMessagePump([&] {
    // Every line of the first run asks again: only the latest request is run, once.
    if (requests < 3) {
      ++requests;
      ed.geom.RequestRun({"G1 X0 Y0", "X5", "Y5", "X0", "Y0"},
                         [&](const std::string& error) { seen.push_back(error); });
      EXPECT_TRUE(ed.geom.RunRequested());
      EXPECT_EQ(ed.geom.ElementCount(), ed.geom.ElementCount());  // reading is fine
    }
  });
  ed.Run("G1 X0 Y0\nX10\nY10");
  EXPECT_EQ(requests, 3);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "");
  EXPECT_FALSE(ed.geom.RunRequested());
  // The store and the caller's verdict are those of the requested text, not the dropped one.
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(ed.geom.ElementCount(), 4);
  EXPECT_EQ(ed.geom.Busy, 0);
}

TEST_F(Reentry, RequestedRunReportsItsOwnError) {
  bool asked = false;
  std::string verdict = "not run";
  platform::SetMessagePump([&] {
    if (asked) return;
    asked = true;
    ed.geom.RequestRun({"G1 X0 Y0", "G2 X10 Y0"}, [&](const std::string& e) { verdict = e; });
  });
  ed.Run("G1 X0 Y0\nX10");
  EXPECT_EQ(verdict, "N2 [ G2 X10 Y0 ]");
  EXPECT_EQ(ed.error, verdict);
}

TEST_F(Reentry, RequestOutsideARunRunsAtOnce) {
  std::string verdict = "not run";
  ed.geom.RequestRun({"G1 X0 Y0", "X10"}, [&](const std::string& e) { verdict = e; });
  EXPECT_EQ(verdict, "");
  EXPECT_EQ(ed.geom.ElementCount(), 1);
  EXPECT_FALSE(ed.geom.RunRequested());
}

using ReentryDeathTest = Reentry;

TEST_F(ReentryDeathTest, ChangingTheStoreFromAPumpPointFailsLoudly) {
  // In a release build the check is compiled out and the statement simply runs.
  EXPECT_DEBUG_DEATH(
      {
        platform::SetMessagePump([&] { ed.geom.ClearElements(); });
        ed.Run("G1 X0 Y0\nX10\nY10");
      },
      "inside a running interpreter");
  EXPECT_DEBUG_DEATH(
      {
        platform::SetMessagePump([&] { ed.geom.SetCurElement(1); });
        ed.Run("G1 X0 Y0\nX10\nY10");
      },
      "inside a running interpreter");
}

}  // namespace
}  // namespace movra
