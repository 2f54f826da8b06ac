#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "machining/forma_editor_turn.h"
#include "turn_support.h"

namespace movra {
namespace {

using namespace turning;

constexpr double Pi = std::numbers::pi;
constexpr double Tol = 1e-4;

class Roughing : public ::testing::Test, protected Lathe {
 protected:
  void AddElement(double kind, double v1, double v2, double v3, double v4, double v5) {
    Put({kind, v1, v2, v3, v4, v5});
  }
  // The profile through the points, prepared on G40 without leads.
  void Prepare(const std::vector<Pt>& profile) {
    for (std::size_t i = 1; i < profile.size(); ++i)
      Put(L(profile[i - 1].X, profile[i - 1].Y, profile[i].X, profile[i].Y));
    Lathe::Prepare();
  }
  void Build() { Lathe::Prepare(); }
  // The points passed in are overwritten by the contour's own ends.
  bool Longitudinal(double step, double feed, double retract) {
    return turn.RoughLongitudinal(123, 456, 789, 12, step, feed, retract);
  }
  bool Facing(double step, double feed, double retract) {
    return turn.RoughFacing(123, 456, 789, 12, step, feed, retract);
  }
  const TurnT& Out(int i) { return At(turn.OutElements, i); }
  // The levels: the y of every longitudinal cut, the x of every facing cut. A cut is the
  // first feed move of a level, straight along the level from the reference.
  std::vector<double> Levels(bool facing) {
    std::vector<double> levels;
    for (int i = 1; i <= turn.OutElements.Count(); ++i) {
      const TurnT& r = Out(i);
      if (r.Feed == NoValue || r.Kind != 1.0 || (i > 1 && Out(i - 1).Feed != NoValue)) continue;
      // A cut starts on the reference: the start's x, or the top y of the stock.
      if (!facing && r.V2 == r.V4 && r.V1 == At(turn.InElements, 1).V1) levels.push_back(r.V2);
      if (facing && r.V1 == r.V3 && r.V2 > r.V4 + Tol && r.V2 == levelTop) levels.push_back(r.V1);
    }
    return levels;
  }
  double levelTop = 0;
};

void ExpectMove(const TurnT& r, double x1, double y1, double x2, double y2, bool rapid) {
  EXPECT_EQ(r.Kind, 1.0) << Line(r);
  EXPECT_NEAR(r.V1, x1, Tol) << Line(r);
  EXPECT_NEAR(r.V2, y1, Tol) << Line(r);
  EXPECT_NEAR(r.V3, x2, Tol) << Line(r);
  EXPECT_NEAR(r.V4, y2, Tol) << Line(r);
  EXPECT_EQ(r.Feed == NoValue, rapid) << Line(r);
  EXPECT_EQ(r.Side, 0) << Line(r);
}

void ExpectLevels(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], Tol) << i;
}

// A shaft of two diameters: a step at x -20 up to the shoulder at x -40.
const std::vector<Pt> TwoSteps = {{0, 10}, {-20, 10}, {-20, 15}, {-40, 15}, {-40, 20}};

// ---- Longitudinal ----

TEST_F(Roughing, LongitudinalTwoStepsLevelByLevel) {
  Prepare(TwoSteps);
  ASSERT_TRUE(Longitudinal(2, 0.2, 0));
  ExpectLevels(Levels(false), {18, 16, 14, 12, 10});
  ASSERT_EQ(turn.OutElements.Count(), 27) << Transcript(turn.OutElements);
  // The y-14 level: in from the rapid, cut to the step, up the step, along the shoulder's
  // diameter and up the shoulder to where the y-16 level met it, then lift off.
  ExpectMove(Out(10), 0, 19, 0, 14, true);
  ExpectMove(Out(11), 0, 14, -20, 14, false);
  ExpectMove(Out(12), -20, 14, -20, 15, false);
  ExpectMove(Out(13), -20, 15, -40, 15, false);
  ExpectMove(Out(14), -40, 15, -40, 16, false);
  ExpectMove(Out(15), -40, 16, -39, 17, true);
  ExpectMove(Out(16), -39, 17, 0, 17, true);
  // Every lift-off is (+1, +1): away from the part and from the shoulder, half the step.
  for (int i = 1; i <= 27; ++i) {
    const TurnT& r = Out(i);
    if (r.Feed == NoValue && r.V1 != 0 && r.V3 != 0) {
      EXPECT_NEAR(r.V3 - r.V1, 1, Tol) << Line(r);
      EXPECT_NEAR(r.V4 - r.V2, 1, Tol) << Line(r);
    }
  }
  // The y-10 level runs along the diameter lying on it up to the step.
  ExpectMove(Out(23), 0, 10, -20, 10, false);
  ExpectMove(Out(27), 0, 13, 0, 18, true);  // back to the first level's start
  for (int i = 1; i <= 27; ++i) {
    if (Out(i).Feed != NoValue) {
      EXPECT_EQ(Out(i).Feed, 0.2);
    }
  }
  ExpectSoundPath(turn.OutElements, turn.InElements);
  EXPECT_EQ(turn.InElements.Count(), 4);  // the contour stays for another roughing
}

TEST_F(Roughing, FacingTwoStepsLevelByLevel) {
  Prepare(TwoSteps);
  ASSERT_TRUE(Facing(5, 0.2, 0));
  levelTop = 20;
  ExpectLevels(Levels(true), {-5, -10, -15, -20, -25, -30, -35, -40});
  ASSERT_EQ(turn.OutElements.Count(), 41) << Transcript(turn.OutElements);
  // Down from y 20 to y 10 up to x -20, to y 15 from x -25 on.
  for (int i = 1; i <= turn.OutElements.Count(); ++i) {
    const TurnT& r = Out(i);
    if (r.Feed == NoValue || r.V1 != r.V3 || r.V2 != 20) continue;
    EXPECT_NEAR(r.V4, r.V1 > -20.5 ? 10 : 15, Tol) << Line(r);
  }
  ExpectMove(Out(1), -5, 20, -5, 10, false);
  ExpectMove(Out(2), -5, 10, 0, 10, false);  // back along the diameter to the start
  ExpectMove(Out(3), 0, 10, 2.5, 12.5, true);  // lift off by half the step
  ExpectMove(Out(4), 2.5, 12.5, 2.5, 20, true);
  ExpectMove(Out(41), -32.5, 20, -5, 20, true);
  ExpectSoundPath(turn.OutElements, turn.InElements);
}

struct LevelCase {
  const char* name;
  std::vector<Pt> profile;
  bool facing;
  double step, retract;
  std::vector<double> levels;
  int moves;
};

void PrintTo(const LevelCase& c, std::ostream* os) { *os << c.name; }

class LevelTable : public Roughing, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelTable, CutsAndMoves) {
  const LevelCase& c = GetParam();
  Prepare(c.profile);
  levelTop = c.profile.back().Y;
  ASSERT_TRUE(c.facing ? Facing(c.step, 0.3, c.retract) : Longitudinal(c.step, 0.3, c.retract));
  ExpectLevels(Levels(c.facing), c.levels);
  EXPECT_EQ(turn.OutElements.Count(), c.moves) << Transcript(turn.OutElements);
  ExpectSoundPath(turn.OutElements, turn.InElements);
}

// A taper from d10 to d20 over 10 mm, then a face up to d30.
const std::vector<Pt> Taper = {{0, 5}, {-10, 10}, {-10, 15}};
// Three steps, the middle one on a level of its own.
const std::vector<Pt> ThreeSteps = {{0, 4}, {-5, 4}, {-5, 6}, {-10, 6}, {-10, 9}, {-15, 9}};
// A groove between two collars that the longitudinal levels must not cut through: the
// collar at x -10 .. -20 stands higher than the groove's floor beyond it.
const std::vector<Pt> Collar = {{0, 5},   {-10, 5},  {-10, 15}, {-20, 15},
                                {-20, 10}, {-30, 10}, {-30, 20}};

INSTANTIATE_TEST_SUITE_P(
    Roughing, LevelTable,
    ::testing::Values(
        LevelCase{"NegativeStepIsItsMagnitude", TwoSteps, false, -2, 0, {18, 16, 14, 12, 10},
                  27},
        LevelCase{"StepOverTheWholeHeightIsOneLevelOnTheStart", TwoSteps, false, 25, 0, {10}, 7},
        LevelCase{"LastLevelLiesOnTheStart", TwoSteps, false, 3, 0, {17, 14, 11, 10}, 22},
        // The level on the start's y meets the contour at its start: no cut is left there.
        LevelCase{"Taper", Taper, false, 2, 0, {13, 11, 9, 7}, 25},
        LevelCase{"TaperFaced", Taper, true, 2.5, 0, {-2.5, -5, -7.5, -10}, 20},
        LevelCase{"ThreeSteps", ThreeSteps, false, 1, 0.5, {8, 7, 6, 5, 4}, 27},
        // The last level lies on the end, at the top of the stock: only its contour piece.
        LevelCase{"ThreeStepsFaced", ThreeSteps, true, 5, 0.5, {-5, -10}, 16},
        // The y-10 level meets the collar at x -10 and stops there; the floor beyond is left
        // to the contour pieces, which follow the part's surface.
        LevelCase{"CollarStopsTheLevel", Collar, false, 2, 0, {18, 16, 14, 12, 10, 8, 6, 5},
                  44}),
    [](const auto& p) { return std::string(p.param.name); });

// The level at y 10 meets the collar at x -10, not at the corner (-20, 10) beyond it that
// merely lies on the same level.
TEST_F(Roughing, LineEndingOnTheLevelDoesNotWinOverANearerCrossing) {
  Prepare(Collar);
  ASSERT_TRUE(Longitudinal(2, 0.2, 0));
  bool seen = false;
  for (int i = 1; i <= turn.OutElements.Count(); ++i) {
    const TurnT& r = Out(i);
    if (r.Feed != NoValue && r.V1 == 0 && r.V2 == 10 && r.V4 == 10) {
      EXPECT_NEAR(r.V3, -10, Tol) << Line(r);
      seen = true;
    }
  }
  EXPECT_TRUE(seen) << Transcript(turn.OutElements);
}

TEST_F(Roughing, RetractGivesTheLiftOffWithTheSignsOfTheContour) {
  struct Case {
    const char* name;
    std::vector<Pt> profile;
    double retract, rx, ry;
  };
  // A profile running towards +x lifts off towards -x; one running down lifts off down.
  const Case cases[] = {
      {"zero is half the step", TwoSteps, 0, 1, 1},
      {"NoValue is half the step", TwoSteps, NoValue, 1, 1},
      {"one and a half", TwoSteps, 1.5, 1.5, 1.5},
      {"negative is its magnitude", TwoSteps, -1.5, 1.5, 1.5},
      {"towards +x", {{0, 10}, {20, 10}, {20, 15}}, 1.5, -1.5, 1.5},
      {"running down", {{0, 15}, {-20, 15}, {-20, 10}}, 1.5, 1.5, -1.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    geom.ClearElements();
    turn.ClearLists();
    Prepare(c.profile);
    ASSERT_TRUE(Longitudinal(2, 0.2, c.retract));
    // The first lift-off follows the first level's contour piece.
    int lift = 0;
    for (int i = 2; i <= turn.OutElements.Count() && lift == 0; ++i) {
      if (Out(i).Feed == NoValue && Out(i - 1).Feed != NoValue) lift = i;
    }
    ASSERT_NE(lift, 0) << Transcript(turn.OutElements);
    EXPECT_NEAR(Out(lift).V3 - Out(lift).V1, c.rx, Tol) << Transcript(turn.OutElements);
    EXPECT_NEAR(Out(lift).V4 - Out(lift).V2, c.ry, Tol) << Transcript(turn.OutElements);
  }
}

// Without a feed the cuts carry none (the feed in force), never a rapid through the stock.
TEST_F(Roughing, NoFeedCutsAreNoRapids) {
  for (bool facing : {false, true}) {
    turn.ClearOut();
    geom.ClearElements();
    Prepare(TwoSteps);
    ASSERT_TRUE(facing ? Facing(5, NoValue, 0) : Longitudinal(5, NoValue, 0));
    int cuts = 0;
    for (int i = 1; i <= turn.OutElements.Count(); ++i) {
      if (Out(i).Feed != NoValue) {
        EXPECT_EQ(Out(i).Feed, 0.0);
        ++cuts;
      }
    }
    EXPECT_GT(cuts, 2) << Transcript(turn.OutElements);
  }
}

// A bump of a little over half a circle, counter-clockwise over the top: every level that
// meets it follows its trimmed rest, so the path never jumps.
TEST_F(Roughing, ArcJustOverASemicircleKeepsItsPieces) {
  const double drop = 0.1;  // the centre lies above the chord: the sweep exceeds pi
  const double r = std::hypot(5.0, drop);
  const double a = std::atan2(drop, 5.0);
  AddElement(1, 0, 5, -10, 5, 0);
  AddElement(2, -15, 5 + drop, r, -a, Pi + a);
  AddElement(1, -20, 5, -30, 5, 0);
  AddElement(1, -30, 5, -30, 15, 0);
  Build();
  ASSERT_EQ(turn.InElements.Count(), 4);
  const TurnT& bump = At(turn.InElements, 2);
  ASSERT_GT(TFormaDaten::ArcSweep(bump.V3, bump.V4, bump.V5), Pi);
  ASSERT_TRUE(Longitudinal(2, 0.2, 0));
  int arcs = 0;
  for (int i = 1; i <= turn.OutElements.Count(); ++i) {
    const TurnT& m = Out(i);
    if (m.Kind == 2.0) {
      ++arcs;
      EXPECT_GT(m.V3, 0.0);
      EXPECT_LE(TFormaDaten::ArcSweep(m.V3, m.V4, m.V5), Pi + 2 * a + 1e-9) << Line(m);
    }
    if (i > 1) {
      EXPECT_LT(Gap(EndOf(Out(i - 1)), StartOf(m)), JoinGap) << "move " << i;
    }
  }
  // The levels at y 9 and y 7 meet the bump and follow it over the top.
  EXPECT_GE(arcs, 2) << Transcript(turn.OutElements);
}

TEST_F(Roughing, FacingFollowsArcsBackwards) {
  // A convex corner radius between the diameter and the face.
  AddElement(1, 0, 10, -15, 10, 0);
  AddElement(2, -15, 15, -5, 1.5 * Pi, Pi);
  AddElement(1, -20, 15, -20, 25, 0);
  Build();
  ASSERT_TRUE(Facing(2, 0.2, 0));
  int arcs = 0;
  for (int i = 1; i <= turn.OutElements.Count(); ++i) {
    const TurnT& m = Out(i);
    if (m.Kind != 2.0) continue;
    ++arcs;
    EXPECT_GT(m.V3, 0.0) << "the clockwise radius run backwards turns counter-clockwise";
  }
  EXPECT_GE(arcs, 2) << Transcript(turn.OutElements);
  ExpectSoundPath(turn.OutElements, turn.InElements);
}

TEST_F(Roughing, LevelWithoutCutEndsEarlyWithoutTheLastRapid) {
  // Two parts of a face with a gap between y 12 and y 16 that no level meets.
  AddElement(1, 0, 10, -10, 10, 0);
  AddElement(1, -10, 10, -10, 12, 0);
  AddElement(1, -10, 16, -10, 20, 0);
  AddElement(1, -10, 20, -20, 20, 0);
  Build();
  ASSERT_EQ(turn.InElements.Count(), 4);
  ASSERT_TRUE(Longitudinal(2, 0.2, 0));
  ExpectLevels(Levels(false), {18, 16});
  const TurnT& last = Out(turn.OutElements.Count());
  ExpectMove(last, -9, 19, 0, 19, true);  // the return of the y-16 level
}

TEST_F(Roughing, BadInputAppendsNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    std::vector<Pt> profile;
    double step, feed, retract;
  };
  const Case cases[] = {
      {"step below 0.1", TwoSteps, 0.05, 0.2, 0},
      {"step not a number", TwoSteps, nan, 0.2, 0},
      {"step infinite", TwoSteps, inf, 0.2, 0},
      {"feed not a number", TwoSteps, 2, nan, 0},
      {"feed infinite", TwoSteps, 2, -inf, 0},
      {"retract not a number", TwoSteps, 2, 0.2, nan},
      {"retract infinite", TwoSteps, 2, 0.2, inf},
      {"ends on one y", {{0, 10}, {-10, 12}, {-20, 10}}, 2, 0.2, 0},
      {"ends on one x", {{0, 10}, {-10, 12}, {0, 14}}, 2, 0.2, 0},
      {"ends a hair apart on one y", {{0, 10}, {-10, 12}, {-20, 10 + 1e-9}}, 2, 0.2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    geom.ClearElements();
    turn.ClearLists();
    Prepare(c.profile);
    ASSERT_TRUE(turn.AddOut());
    for (bool facing : {false, true}) {
      EXPECT_FALSE(facing ? Facing(c.step, c.feed, c.retract)
                          : Longitudinal(c.step, c.feed, c.retract));
      EXPECT_EQ(turn.OutElements.Count(), 1);
    }
  }
  turn.ClearLists();
  EXPECT_FALSE(Longitudinal(2, 0.2, 0));  // nothing prepared
  EXPECT_FALSE(Facing(2, 0.2, 0));
  EXPECT_TRUE(turn.OutElements.Empty());
}

// A stock far too deep for the output list: the roughing stops at the cap, keeps what it
// appended, tidied, and reports that it is not complete.
TEST_F(Roughing, StockTooDeepForTheListIsCutShort) {
  Prepare({{0, 10}, {-20, 10}, {-20, 100000}});
  EXPECT_FALSE(Longitudinal(0.1, 0.2, 0));
  EXPECT_GT(turn.OutElements.Count(), TFormaEditorTurn::MaxRecords - 10);
  EXPECT_LE(turn.OutElements.Count(), TFormaEditorTurn::MaxRecords);
  for (int i = 1; i <= turn.OutElements.Count(); ++i)
    ASSERT_GT(Gap(StartOf(Out(i)), EndOf(Out(i))), 1e-7) << i;
}

TEST_F(Roughing, FullOutputListIsCutShort) {
  Prepare(TwoSteps);
  while (turn.OutElements.Count() < TFormaEditorTurn::MaxRecords - 10) ASSERT_TRUE(turn.AddOut());
  // The zero records a test appended are no moves; the first levels still fit.
  EXPECT_FALSE(Longitudinal(2, 0.2, 0));
  EXPECT_EQ(turn.OutElements.Count(), TFormaEditorTurn::MaxRecords);
}

TEST_F(Roughing, TidyOutputFreesMovesThatStandStill) {
  const auto add = [&](double kind, double v1, double v2, double v3, double v4, double v5) {
    ASSERT_TRUE(turn.OutElements.Add(TurnT{0.2, kind, v1, v2, v3, v4, v5, 0}));
  };
  add(1, 0, 0, 1, 0, 0);
  add(1, 1, 0, 1 + 5e-8, 0, 0);  // stands still
  add(2, 0, 0, 5, 0.5, 0.5);     // an arc whose ends coincide
  add(2, 0, 0, 5, 0, Pi);
  add(1, 1, 1, 1, 1, 0);
  turn.TidyOutput();
  ASSERT_EQ(turn.OutElements.Count(), 2) << Transcript(turn.OutElements);
  EXPECT_EQ(Out(1).Kind, 1.0);
  EXPECT_EQ(Out(2).Kind, 2.0);
}

}  // namespace
}  // namespace movra
