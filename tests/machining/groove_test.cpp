// The groove cycle: entry and exit of a depth, finishing, the two roughing series and the
// inputs that must be refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "machining/forma_editor_turn.h"

namespace movra {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Near = 0.002;  // a point of a pass may lie one sample off
constexpr double Meet = 0.001;  // consecutive moves meet within this

using TurnT = TFormaEditorTurn::TurnT;

// Record i of a list; a missing record reads as a zero one, so a short list fails the
// comparisons instead of crashing.
const TurnT& At(const RecordList<TurnT>& list, int i) {
  static const TurnT none{};
  const TurnT* r = list(i);
  return r != nullptr ? *r : none;
}

TurnT L(double x1, double y1, double x2, double y2) {
  return TurnT{.Kind = 1, .V1 = x1, .V2 = y1, .V3 = x2, .V4 = y2};
}

TurnT A(double cx, double cy, double r, double a1, double a2) {
  return TurnT{.Kind = 2, .V1 = cx, .V2 = cy, .V3 = r, .V4 = a1, .V5 = a2};
}

void Ends(const TurnT* r, double& x1, double& y1, double& x2, double& y2) {
  if (r == nullptr) {
    x1 = y1 = x2 = y2 = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  TFormaDaten::ElementEndPoints(r->Kind, r->V1, r->V2, r->V3, r->V4, r->V5, x1, y1, x2, y2);
}

void Ends(const TurnT& r, double& x1, double& y1, double& x2, double& y2) {
  TFormaDaten::ElementEndPoints(r.Kind, r.V1, r.V2, r.V3, r.V4, r.V5, x1, y1, x2, y2);
}

std::string Transcript(const RecordList<TurnT>& list, int from = 1) {
  std::ostringstream out;
  for (int i = from; i <= list.Count(); ++i) {
    const TurnT& r = At(list, i);
    double x1, y1, x2, y2;
    Ends(r, x1, y1, x2, y2);
    out << i << (r.Kind == 1 ? " L " : " A ") << x1 << ' ' << y1 << " -> " << x2 << ' ' << y2
        << (r.Feed == NoValue ? " rapid" : " F" + std::to_string(r.Feed)) << " S" << int(r.Side)
        << '\n';
  }
  return out.str();
}

// The samples of the profile as the cycle defines them, walked one by one: the reference
// that the cycle's own search must agree with.
struct Found {
  bool entry = false, exit = false;
  bool left = false, right = false;  // some sample lies 1e-9 or more on that side of the chord
  int entryIndex = 0, exitIndex = 0;
  double ex = 0, ey = 0, xx = 0, xy = 0;
};

Found SampleEveryPoint(const RecordList<TurnT>& in, double depth) {
  Found f;
  double sx, sy, ex, ey, x2, y2;
  Ends(in(1), sx, sy, x2, y2);
  Ends(in(in.Count()), x2, y2, ex, ey);
  auto probe = [&](int i, double x, double y) {
    // The distance from the chord as its normal component: samples that lie exactly at the
    // depth must count on both sides of the comparison.
    const double len = std::hypot(ex - sx, ey - sy);
    const double side = ((y - sy) * (ex - sx) - (x - sx) * (ey - sy)) / len;
    f.left |= side >= 1e-9;
    f.right |= side <= -1e-9;
    if (std::fabs(side) < depth) return;
    if (!f.entry) {
      f.entry = true;
      f.entryIndex = i;
      f.ex = x;
      f.ey = y;
    } else {
      f.exit = true;
      f.exitIndex = i;
      f.xx = x;
      f.xy = y;
    }
  };
  for (int i = 1; i <= in.Count(); ++i) {
    const TurnT& r = At(in, i);
    if (r.Kind == 1) {
      const double len = std::hypot(r.V3 - r.V1, r.V4 - r.V2);
      if (len < 0.001) continue;
      for (double k = 0; k * 0.001 < len; ++k) {
        const double t = k * 0.001 / len;
        probe(i, r.V1 + (r.V3 - r.V1) * t, r.V2 + (r.V4 - r.V2) * t);
      }
      probe(i, r.V3, r.V4);
    } else {
      const double rad = std::fabs(r.V3);
      if (rad < 0.01) continue;
      const double sweep = TFormaDaten::ArcSweep(r.V3, r.V4, r.V5);
      const double s = std::copysign(2 * std::asin(0.0005 / rad), r.V3);
      for (double k = 0; std::fabs(k * s) < std::fabs(sweep); ++k)
        probe(i, r.V1 + rad * std::cos(r.V4 + k * s), r.V2 + rad * std::sin(r.V4 + k * s));
      probe(i, r.V1 + rad * std::cos(r.V5), r.V2 + rad * std::sin(r.V5));
    }
  }
  return f;
}

// Small grooves. The rectangle's chord runs from (-10, 20) to (-20, 20), its bottom lies 3.5
// below it.
const std::vector<TurnT> Rectangle = {L(-10, 20, -10, 16.5), L(-10, 16.5, -20, 16.5),
                                      L(-20, 16.5, -20, 20)};
const std::vector<TurnT> Vee = {L(0, 10, -5, 6), L(-5, 6, -10, 10)};
// A half circle of radius 3 below the chord from (0, 10) to (-6, 10), clockwise.
const std::vector<TurnT> Round = {A(-3, 10, -3, 0, Pi)};
// The same above its chord, counter-clockwise.
const std::vector<TurnT> RoundAbove = {A(-3, 0, 3, 0, Pi)};
// Straight flanks into a half-circle bottom.
const std::vector<TurnT> UShape = {L(0, 10, 0, 7), A(-2, 7, -2, 0, Pi), L(-4, 7, -4, 10)};
// Sloped flanks into a flat bottom.
const std::vector<TurnT> Sloped = {L(0, 10, -1, 7), L(-1, 7, -6, 7), L(-6, 7, -8, 10)};
// Along the chord to its middle, then down: with K -1 the entry at depth 1 is G itself.
const std::vector<TurnT> Step = {L(0, 10, -5, 10), L(-5, 10, -5, 6), L(-5, 6, -10, 6),
                                 L(-10, 6, -10, 10)};
// A bottom with a raised middle: two pockets of depth 4 with a ridge of depth 2 between.
const std::vector<TurnT> Ridge = {L(0, 10, 0, 6),   L(0, 6, -3, 6),  L(-3, 6, -3, 8),
                                  L(-3, 8, -5, 8),  L(-5, 8, -5, 6), L(-5, 6, -8, 6),
                                  L(-8, 6, -8, 10)};
// A groove on the far side of the chord (above it), with a record under 0.001 long.
const std::vector<TurnT> Above = {L(0, 0, 0.0005, 0.0002), L(0.0005, 0.0002, -2, 3),
                                  L(-2, 3, -4, 3), L(-4, 3, -6, 0)};
// A shallow V that never gets 0.1 away from its chord.
const std::vector<TurnT> ShallowVee = {L(0, 10, -5, 9.95), L(-5, 9.95, -10, 10)};
// Flat flanks into a bottom of scallops: half circles alternately bulging up and down.
std::vector<TurnT> Scallops() {
  std::vector<TurnT> c = {L(0, 10, 0, 6)};
  for (int i = 0; i < 16; ++i) c.push_back(A(-0.5 * i - 0.25, 6, i % 2 ? -0.25 : 0.25, 0, Pi));
  c.push_back(L(-8, 6, -8, 10));
  return c;
}
const std::vector<TurnT> Wavy = Scallops();
// A profile that stays on its chord.
const std::vector<TurnT> OnChord = {L(0, 0, -5, 0), L(-5, 0, -10, 0)};

class Groove : public ::testing::Test {
 protected:
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  TFormaEditorTurn turn{daten, geom};
  double sx = 0, sy = 0, ex = 0, ey = 0;

  void Contour(const std::vector<TurnT>& records) {
    turn.ClearLists();
    for (const TurnT& r : records) ASSERT_TRUE(turn.InElements.Add(r));
    ASSERT_TRUE(turn.ContourEnds(sx, sy, ex, ey));
    turn.GrooveState = {};
  }
  bool Pass(double depth, double step, double k, double typ, double rough, double feed = 0.2) {
    return turn.GroovePass(sx, sy, ex, ey, depth, step, k, typ, rough, feed);
  }
  // A roughing series as the panel runs it; the number of the call that returned false,
  // or 101 when every call succeeded.
  int Series(double i, double k, bool clearEveryDepth, std::vector<int>* passStarts = nullptr) {
    turn.GrooveState = {};
    for (int n = 1; n <= 100; ++n) {
      if (clearEveryDepth) turn.GrooveState = {};
      if (passStarts) passStarts->push_back(turn.OutElements.Count() + 1);
      if (!Pass(n * i, i, k, 0, 1)) return n;
    }
    return 101;
  }
  const TurnT& Out(int i) { return At(turn.OutElements, i); }
};

void ExpectPoint(double x, double y, double wx, double wy, const std::string& what) {
  EXPECT_NEAR(x, wx, Near) << what;
  EXPECT_NEAR(y, wy, Near) << what;
}

void ExpectMovesMeet(const RecordList<TurnT>& out) {
  for (int i = 2; i <= out.Count(); ++i) {
    double a1, b1, a2, b2, c1, d1, c2, d2;
    Ends(out(i - 1), a1, b1, a2, b2);
    Ends(out(i), c1, d1, c2, d2);
    EXPECT_LT(std::hypot(c1 - a2, d1 - b2), Meet) << "before move " << i << " of\n"
                                                  << Transcript(out);
  }
}

void ExpectNoNaN(const RecordList<TurnT>& out) {
  for (int i = 1; i <= out.Count(); ++i) {
    const TurnT& r = At(out, i);
    for (double v : {r.Feed, r.V1, r.V2, r.V3, r.V4, r.V5})
      EXPECT_TRUE(std::isfinite(v)) << "move " << i << " of\n" << Transcript(out);
  }
}

// Every move goes somewhere.
void ExpectNoStandstill(const RecordList<TurnT>& out) {
  for (int i = 1; i <= out.Count(); ++i) {
    double x1, y1, x2, y2;
    Ends(At(out, i), x1, y1, x2, y2);
    const bool arc = At(out, i).Kind == 2;
    EXPECT_TRUE(arc || std::hypot(x2 - x1, y2 - y1) > 1e-6)
        << "move " << i << " of\n" << Transcript(out);
  }
}

// ---- Entry and exit of a depth ----

struct DepthCase {
  const char* name;
  const std::vector<TurnT>* contour;
  double depth;
};
void PrintTo(const DepthCase& c, std::ostream* os) { *os << c.name << " at " << c.depth; }

class EntryAndExit : public Groove, public ::testing::WithParamInterface<DepthCase> {};

// The search that skips samples finds exactly the samples a walk over every one finds.
TEST_P(EntryAndExit, AgreeWithAWalkOverEverySample) {
  const DepthCase& c = GetParam();
  Contour(*c.contour);
  const Found want = SampleEveryPoint(turn.InElements, c.depth);
  Pass(c.depth, 1, 2, 0, 1);
  const auto& s = turn.GrooveState;
  EXPECT_EQ(s.Valid, 1);
  ASSERT_EQ(s.EntryIndex, want.entry ? want.entryIndex : 0);
  ASSERT_EQ(s.ExitIndex, want.exit ? want.exitIndex : 0);
  if (want.entry) {
    EXPECT_NEAR(s.EntryX, want.ex, 1e-9);
    EXPECT_NEAR(s.EntryY, want.ey, 1e-9);
  }
  if (want.exit) {
    EXPECT_NEAR(s.ExitX, want.xx, 1e-9);
    EXPECT_NEAR(s.ExitY, want.xy, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grooves, EntryAndExit,
    ::testing::Values(DepthCase{"Rectangle", &Rectangle, 0.1}, DepthCase{"Rectangle", &Rectangle, 1},
                      DepthCase{"Rectangle", &Rectangle, 2.0005},
                      DepthCase{"RectangleBottom", &Rectangle, 3.5},
                      DepthCase{"RectangleBelow", &Rectangle, 3.6},
                      DepthCase{"Vee", &Vee, 1.3}, DepthCase{"VeeTip", &Vee, 3.9999},
                      DepthCase{"Round", &Round, 0.1}, DepthCase{"Round", &Round, 2.7183},
                      DepthCase{"RoundBottom", &Round, 2.9999999},
                      DepthCase{"RoundAbove", &RoundAbove, 1.5},
                      DepthCase{"UShape", &UShape, 2.5}, DepthCase{"UShape", &UShape, 4.2},
                      DepthCase{"Sloped", &Sloped, 1.7}, DepthCase{"Sloped", &Sloped, 3},
                      DepthCase{"Step", &Step, 1}, DepthCase{"Wavy", &Wavy, 3.9},
                      DepthCase{"Wavy", &Wavy, 4.1}, DepthCase{"Wavy", &Wavy, 4.2}, DepthCase{"OnChord", &OnChord, 0.1},
                      DepthCase{"Ridge", &Ridge, 1}, DepthCase{"RidgeTop", &Ridge, 2.5},
                      DepthCase{"Above", &Above, 0.1}, DepthCase{"Above", &Above, 2.9995}));

// Random profiles of lines and arcs, with a fixed seed: the search agrees with the walk over
// every sample, and a series leaves moves that meet and go somewhere.
TEST_F(Groove, RandomProfilesAgreeWithTheWalkAndLeaveJoinedMoves) {
  std::mt19937 random(27);
  std::uniform_real_distribution<double> coord(-3, 3), unit(0, 1);
  int grooves = 0;
  for (int profile = 0; profile < 400 && grooves < 40; ++profile) {
    std::vector<TurnT> records;
    double x = coord(random), y = coord(random);
    const int count = 2 + profile % 5;
    for (int i = 0; i < count; ++i) {
      if (unit(random) < 0.5) {
        const double nx = coord(random), ny = coord(random);
        records.push_back(L(x, y, nx, ny));
        x = nx;
        y = ny;
      } else {
        const double cx = x + coord(random) / 2, cy = y + coord(random) / 2;
        const double r = std::hypot(x - cx, y - cy);
        const double a1 = std::atan2(y - cy, x - cx);
        const double sweep = (unit(random) - 0.5) * 3 * Pi;
        const double a2 = a1 + sweep;
        records.push_back(A(cx, cy, sweep < 0 ? -r : r, a1, a2));
        x = cx + r * std::cos(a2);
        y = cy + r * std::sin(a2);
      }
    }
    Contour(records);
    // A groove lies on one side of its opening; a profile across it has none.
    if (std::hypot(ex - sx, ey - sy) < 0.5) continue;
    const Found sides = SampleEveryPoint(turn.InElements, 0.1);
    if (sides.left && sides.right) continue;
    ++grooves;
    SCOPED_TRACE("profile " + std::to_string(profile) + "\n" + Transcript(turn.InElements));
    for (const double depth : {0.3, 1.1, 2.05}) {
      const Found want = SampleEveryPoint(turn.InElements, depth);
      turn.GrooveState = {};
      Pass(depth, 1, 2, 0, 1);
      EXPECT_EQ(turn.GrooveState.EntryIndex, want.entry ? want.entryIndex : 0) << depth;
      EXPECT_EQ(turn.GrooveState.ExitIndex, want.exit ? want.exitIndex : 0) << depth;
      if (want.exit) {
        EXPECT_NEAR(turn.GrooveState.ExitX, want.xx, 1e-9) << depth;
      }
    }
    turn.ClearOut();
    Series(0.5, 2, false);
    ExpectMovesMeet(turn.OutElements);
    ExpectNoNaN(turn.OutElements);
    ExpectNoStandstill(turn.OutElements);
  }
  EXPECT_EQ(grooves, 40);
}

// ---- Finishing ----

TEST_F(Groove, FinishingRunsFromGAlongTheProfileAndBack) {
  geom.FromEditor = 1;
  std::string error;
  geom.InterpretProgram({"G1 X-10 Y20", "Y16.5", "X-20", "Y20"}, error);
  ASSERT_EQ(error, "");
  ASSERT_TRUE(turn.BuildContour(sx, sy, 0, 0, 0, NoValue, NoValue, NoValue, NoValue, 0, ex, ey));
  turn.GrooveState = {};
  ASSERT_TRUE(turn.GroovePass(sx, sy, ex, ey, 0.1, 0.1, 2, 1, 0, 0.15));
  const std::string moves = Transcript(turn.OutElements);
  ASSERT_EQ(turn.OutElements.Count(), 5) << moves;
  const double want[5][4] = {{-15, 22, -10, 20},     {-10, 20, -10, 16.5}, {-10, 16.5, -20, 16.5},
                             {-20, 16.5, -20, 20}, {-20, 20, -15, 22}};
  for (int i = 1; i <= 5; ++i) {
    double x1, y1, x2, y2;
    Ends(Out(i), x1, y1, x2, y2);
    ExpectPoint(x1, y1, want[i - 1][0], want[i - 1][1], moves);
    ExpectPoint(x2, y2, want[i - 1][2], want[i - 1][3], moves);
    const bool rapid = i == 1 || i == 5;
    EXPECT_EQ(Out(i).Feed, rapid ? NoValue : 0.15) << moves;
    EXPECT_EQ(Out(i).Side, rapid ? 0 : 1) << moves;
  }
}

TEST_F(Groove, FinishingAContourThatNeverGetsDeepAppendsItsMovesAndFails) {
  Contour(ShallowVee);
  EXPECT_FALSE(Pass(0.1, 0.1, 2, 2, 0));
  ASSERT_EQ(turn.OutElements.Count(), 4) << Transcript(turn.OutElements);
  // No sample is deep enough, so G takes the side away from the deepest point (below).
  EXPECT_NEAR(Out(1).V1, -5, 1e-9);
  EXPECT_NEAR(Out(1).V2, 12, 1e-9);
  ExpectMovesMeet(turn.OutElements);
}

TEST_F(Groove, FinishingOutsideG40ToG42WritesNoCorrection) {
  for (const double typ : {-1.0, 3.0, 1e300}) {
    Contour(Rectangle);
    ASSERT_TRUE(Pass(0.1, 0.1, 2, typ, 0));
    for (int i = 1; i <= turn.OutElements.Count(); ++i) EXPECT_EQ(Out(i).Side, 0) << typ;
  }
}

struct SideCase {
  const char* name;
  const std::vector<TurnT>* contour;
  double k, gx, gy;
};
void PrintTo(const SideCase& c, std::ostream* os) { *os << c.name; }
class StartPoint : public Groove, public ::testing::WithParamInterface<SideCase> {};

// G lies K from the chord's middle on the side away from the groove.
TEST_P(StartPoint, LiesAwayFromTheGroove) {
  const SideCase& c = GetParam();
  Contour(*c.contour);
  Pass(0.1, 0.1, c.k, 0, 0);
  ASSERT_GE(turn.OutElements.Count(), 1);
  EXPECT_NEAR(Out(1).V1, c.gx, 1e-9);
  EXPECT_NEAR(Out(1).V2, c.gy, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Grooves, StartPoint,
    ::testing::Values(SideCase{"RectangleBelowChord", &Rectangle, 2, -15, 22},
                      SideCase{"NegativeKLiesInTheGroove", &Rectangle, -2, -15, 18},
                      SideCase{"GrooveAboveChord", &Above, 1, -3, -1},
                      SideCase{"ArcBelowChord", &Round, 4, -3, 14},
                      // On the chord: right of it (the chord runs towards -x: up).
                      SideCase{"ContourOnTheChord", &OnChord, 3, -5, 3}));

// ---- The two roughing series ----

TEST_F(Groove, SeriesOfMode4StepsFromDepthToDepthAndCutsTheBottomLast) {
  Contour(Rectangle);
  std::vector<int> starts;
  EXPECT_EQ(Series(1, 2, false, &starts), 4);
  ASSERT_EQ(starts.size(), 4u);
  starts.push_back(turn.OutElements.Count() + 1);
  const std::string moves = Transcript(turn.OutElements);
  const double firstX[4][2] = {{-10, 20}, {-10, 19}, {-10, 18}, {-10, 17}};
  const double lastX[4][2] = {{-20, 20}, {-20, 19}, {-20, 18}, {-20, 17}};
  for (int p = 0; p < 4; ++p) {
    const int first = starts[p], last = starts[p + 1] - 1;
    SCOPED_TRACE("pass " + std::to_string(p + 1) + " of\n" + moves);
    ASSERT_GE(last - first, 3);
    double x1, y1, x2, y2;
    // Rapid from G to 1 short of the first point, feed onto it.
    Ends(Out(first), x1, y1, x2, y2);
    ExpectPoint(x1, y1, -15, 22, "approach from G");
    EXPECT_EQ(Out(first).Feed, NoValue);
    EXPECT_NEAR(std::hypot(x2 - firstX[p][0], y2 - firstX[p][1]), 1, Near);
    Ends(Out(first + 1), x1, y1, x2, y2);
    ExpectPoint(x2, y2, firstX[p][0], firstX[p][1], "first point");
    EXPECT_EQ(Out(first + 1).Feed, 0.2);
    // Back to G at the end.
    Ends(Out(last), x1, y1, x2, y2);
    ExpectPoint(x1, y1, lastX[p][0], lastX[p][1], "last point");
    ExpectPoint(x2, y2, -15, 22, "retract to G");
    EXPECT_EQ(Out(last).Feed, NoValue);
    for (int i = first + 1; i < last; ++i) {
      EXPECT_EQ(Out(i).Feed, 0.2);
      EXPECT_EQ(Out(i).Side, 0);
    }
  }
  // Passes 1 to 3 cut across at y 19, 18, 17; the fourth cuts the bottom between them.
  for (int p = 0; p < 3; ++p) {
    bool across = false;
    for (int i = starts[p]; i < starts[p + 1]; ++i) {
      double x1, y1, x2, y2;
      Ends(Out(i), x1, y1, x2, y2);
      across |= std::fabs(x1 + 10) < Near && std::fabs(x2 + 20) < Near &&
                std::fabs(y1 - (19 - p)) < Near && std::fabs(y2 - (19 - p)) < Near;
    }
    EXPECT_TRUE(across) << "pass " << p + 1 << " of\n" << moves;
  }
  const std::vector<std::vector<double>> bottom = {
      {-10, 17, -10, 16.5}, {-10, 16.5, -20, 16.5}, {-20, 16.5, -20, 17}};
  ASSERT_EQ(starts[4] - starts[3], 6) << moves;
  for (int i = 0; i < 3; ++i) {
    double x1, y1, x2, y2;
    Ends(Out(starts[3] + 2 + i), x1, y1, x2, y2);
    ExpectPoint(x1, y1, bottom[i][0], bottom[i][1], moves);
    ExpectPoint(x2, y2, bottom[i][2], bottom[i][3], moves);
  }
  ExpectMovesMeet(turn.OutElements);
}

TEST_F(Groove, SeriesOfMode5RunsEveryPassOverBothWholeFlanks) {
  Contour(Rectangle);
  std::vector<int> starts;
  EXPECT_EQ(Series(1, 2, true, &starts), 4);
  starts.push_back(turn.OutElements.Count() + 1);
  for (std::size_t p = 0; p + 1 < starts.size(); ++p) {
    double x1, y1, x2, y2;
    Ends(Out(starts[p] + 1), x1, y1, x2, y2);
    ExpectPoint(x2, y2, -10, 20, "start of pass " + std::to_string(p + 1));
    Ends(Out(starts[p + 1] - 1), x1, y1, x2, y2);
    ExpectPoint(x1, y1, -20, 20, "end of pass " + std::to_string(p + 1));
  }
  ExpectMovesMeet(turn.OutElements);
}

// What a series leaves, for every small groove and both modes: moves that meet, no NaN,
// an end within the panel's 100 calls, and (for grooves that deepen once) no cut across
// that leaves the groove.
struct SeriesCase {
  const char* name;
  const std::vector<TurnT>* contour;
  double i, k;
  bool deepensOnce;
};
void PrintTo(const SeriesCase& c, std::ostream* os) { *os << c.name; }
class SeriesProperties : public Groove, public ::testing::WithParamInterface<SeriesCase> {};

// Does segment ab cross the profile anywhere but near its own ends?
bool LeavesTheGroove(const RecordList<TurnT>& in, double ax, double ay, double bx, double by) {
  const double len = std::hypot(bx - ax, by - ay);
  if (len < 0.01) return false;
  // A cut that leaves the groove crosses the profile: some profile point lies on it away
  // from its ends.
  for (int i = 1; i <= in.Count(); ++i) {
    const TurnT& r = At(in, i);
    const int n = 2000;
    for (int k = 0; k <= n; ++k) {
      double x, y;
      if (r.Kind == 1) {
        x = r.V1 + (r.V3 - r.V1) * k / n;
        y = r.V2 + (r.V4 - r.V2) * k / n;
      } else {
        const double a = r.V4 + TFormaDaten::ArcSweep(r.V3, r.V4, r.V5) * k / n;
        x = r.V1 + std::fabs(r.V3) * std::cos(a);
        y = r.V2 + std::fabs(r.V3) * std::sin(a);
      }
      const double t = ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / (len * len);
      if (t < 0.01 || t > 0.99) continue;
      const double off = std::fabs((x - ax) * (by - ay) - (y - ay) * (bx - ax)) / len;
      if (off < 0.0005) return true;
    }
  }
  return false;
}

TEST_P(SeriesProperties, MovesMeetAndTheSeriesEnds) {
  const SeriesCase& c = GetParam();
  for (const bool mode5 : {false, true}) {
    SCOPED_TRACE(mode5 ? "mode 5" : "mode 4");
    Contour(*c.contour);
    std::vector<int> starts;
    const int end = Series(c.i, c.k, mode5, &starts);
    EXPECT_GT(end, 1);
    EXPECT_LE(end, 100);
    ExpectMovesMeet(turn.OutElements);
    ExpectNoNaN(turn.OutElements);
    ExpectNoStandstill(turn.OutElements);
    if (!c.deepensOnce) continue;
    // Every move that is neither on a flank nor a lead: the cuts across.
    for (int i = 1; i <= turn.OutElements.Count(); ++i) {
      const TurnT& m = Out(i);
      if (m.Kind != 1 || m.Feed == NoValue) continue;
      double x1, y1, x2, y2;
      Ends(m, x1, y1, x2, y2);
      bool onProfile = false;
      for (int j = 1; j <= turn.InElements.Count(); ++j) {
        const TurnT& r = At(turn.InElements, j);
        if (r.Kind == 1 &&
            TFormaDaten::DistPointLine3D(r.V1, r.V2, 0, r.V3, r.V4, 0, x1, y1, 0) < 1e-6 &&
            TFormaDaten::DistPointLine3D(r.V1, r.V2, 0, r.V3, r.V4, 0, x2, y2, 0) < 1e-6)
          onProfile = true;
      }
      if (onProfile) continue;
      EXPECT_FALSE(LeavesTheGroove(turn.InElements, x1, y1, x2, y2))
          << "move " << i << " of\n" << Transcript(turn.OutElements);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grooves, SeriesProperties,
    ::testing::Values(SeriesCase{"Rectangle", &Rectangle, 1, 2, true},
                      SeriesCase{"RectangleFineSteps", &Rectangle, 0.3, 2, true},
                      SeriesCase{"Vee", &Vee, 0.5, 3, true},
                      SeriesCase{"Round", &Round, 0.7, 1, true},
                      SeriesCase{"RoundAbove", &RoundAbove, 0.7, 1, true},
                      SeriesCase{"UShape", &UShape, 0.4, 2, true},
                      SeriesCase{"Sloped", &Sloped, 0.5, 2, true},
                      SeriesCase{"Above", &Above, 0.5, 1, true},
                      SeriesCase{"Ridge", &Ridge, 0.5, 2, false},
                      SeriesCase{"Wavy", &Wavy, 0.3, 2, false},
                      SeriesCase{"WavyFine", &Wavy, 0.1, 2, false},
                      SeriesCase{"GOnTheProfile", &Step, 1, -1, true}));

TEST_F(Groove, APassThatStartsAtGNeedsNoApproach) {
  Contour(Step);
  ASSERT_TRUE(Pass(1, 1, -1, 0, 1));
  const int first = turn.OutElements.Count() + 1;
  ASSERT_TRUE(Pass(2, 1, -1, 0, 1));
  double x1, y1, x2, y2;
  Ends(Out(first), x1, y1, x2, y2);
  ExpectPoint(x1, y1, -5, 9, Transcript(turn.OutElements));
  ExpectPoint(x2, y2, -5, 8, Transcript(turn.OutElements));
  EXPECT_EQ(Out(first).Feed, 0.2);
  ExpectNoNaN(turn.OutElements);
}

TEST_F(Groove, EveryNonZeroRoughReturnsToG) {
  Contour(Rectangle);
  ASSERT_TRUE(Pass(1, 1, 2, 0, 2));
  double x1, y1, x2, y2;
  Ends(At(turn.OutElements, turn.OutElements.Count()), x1, y1, x2, y2);
  ExpectPoint(x2, y2, -15, 22, Transcript(turn.OutElements));
}

TEST_F(Groove, ARoughingPassWithOnlyOneDeepSampleCutsTheWholeProfile) {
  // The tip of the V is the only sample 4 deep (the step beside it is too short to be
  // probed): an entry but no exit.
  Contour({L(0, 10, -5, 6), L(-5, 6, -5.0005, 6.0004), L(-5.0005, 6.0004, -10, 10)});
  EXPECT_FALSE(Pass(4, 1, 2, 0, 1));
  EXPECT_EQ(turn.GrooveState.EntryIndex, 1);
  EXPECT_EQ(turn.GrooveState.ExitIndex, 0);
  // Approach, the three records, retract.
  EXPECT_EQ(turn.OutElements.Count(), 6) << Transcript(turn.OutElements);
  ExpectMovesMeet(turn.OutElements);
}

// The approach stops Step short of the first cut along the line from G, also when G lies so
// far out that Step times the distance, or the distance itself, passes the largest real.
TEST_F(Groove, ApproachFromAFarGStaysInTheReals) {
  struct Case {
    const char* what;
    std::vector<TurnT> contour;
    double depth, step, k;
  };
  const Case cases[] = {
      {"step times the distance beyond the reals", Rectangle, 1, 1e5, 1e304},
      {"the distance to G beyond the reals",
       {L(1e307, 0, 5e306, -1e307), L(5e306, -1e307, -5e306, -1e307),
        L(-5e306, -1e307, -1e307, 0)},
       1000, 1e306, 1.797e308},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Contour(c.contour);
    ASSERT_TRUE(Pass(c.depth, c.step, c.k, 0, 1)) << Transcript(turn.OutElements);
    ExpectNoNaN(turn.OutElements);
    ASSERT_GE(turn.OutElements.Count(), 3);
    // Rapid from G, then Step fed onto the first cut.
    EXPECT_EQ(Out(1).Feed, NoValue);
    double x1, y1, x2, y2;
    Ends(Out(2), x1, y1, x2, y2);
    EXPECT_NEAR(std::hypot(x2 - x1, y2 - y1), c.step, 1e-9 * c.step);
    EXPECT_EQ(Out(2).Feed, 0.2);
  }
}

// ---- Failures ----

struct BadCase {
  const char* name;
  std::vector<TurnT> contour;
  double dsx, dsy, dex, dey;  // added to the ends passed
  double depth, step, k, typ, rough, feed;
};
void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }
class Refused : public Groove, public ::testing::WithParamInterface<BadCase> {};

TEST_P(Refused, FailsWithNothingAppendedAndTheStateKept) {
  const BadCase& c = GetParam();
  turn.ClearLists();
  for (const TurnT& r : c.contour) ASSERT_TRUE(turn.InElements.Add(r));
  if (!c.contour.empty()) turn.ContourEnds(sx, sy, ex, ey);
  turn.OutElements.Add(L(1, 2, 3, 4));
  turn.GrooveState = {};
  turn.GrooveState.EntryIndex = 7;
  EXPECT_FALSE(turn.GroovePass(sx + c.dsx, sy + c.dsy, ex + c.dex, ey + c.dey, c.depth, c.step,
                               c.k, c.typ, c.rough, c.feed));
  EXPECT_EQ(turn.OutElements.Count(), 1);
  EXPECT_EQ(turn.GrooveState.Valid, 0);
  EXPECT_EQ(turn.GrooveState.EntryIndex, 7);
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Grooves, Refused,
    ::testing::Values(
        BadCase{"EmptyInput", {}, 0, 0, 0, 0, 1, 1, 2, 0, 1, 0.2},
        BadCase{"DepthBelowOneTenth", Rectangle, 0, 0, 0, 0, 0.05, 1, 2, 0, 1, 0.2},
        BadCase{"NegativeStep", Rectangle, 0, 0, 0, 0, 1, -1, 2, 0, 1, 0.2},
        BadCase{"StepBelowOneTenth", Rectangle, 0, 0, 0, 0, 1, 0.09, 2, 0, 0, 0.2},
        BadCase{"NoChord", {L(0, 0, 0, -3), L(0, -3, 0.0005, 0)}, 0, 0, 0, 0, 1, 1, 2, 0, 1, 0.2},
        BadCase{"StartOfAnotherContour", Rectangle, 0.0015, 0, 0, 0, 1, 1, 2, 0, 1, 0.2},
        BadCase{"EndOfAnotherContour", Rectangle, 0, 0, 0, -0.002, 1, 1, 2, 0, 1, 0.2},
        BadCase{"NaNDepth", Rectangle, 0, 0, 0, 0, NaN, 1, 2, 0, 1, 0.2},
        BadCase{"InfiniteDepth", Rectangle, 0, 0, 0, 0, Inf, 1, 2, 0, 1, 0.2},
        BadCase{"NaNStep", Rectangle, 0, 0, 0, 0, 1, NaN, 2, 0, 1, 0.2},
        BadCase{"InfiniteK", Rectangle, 0, 0, 0, 0, 1, 1, -Inf, 0, 1, 0.2},
        BadCase{"NaNTyp", Rectangle, 0, 0, 0, 0, 1, 1, 2, NaN, 0, 0.2},
        BadCase{"NaNRough", Rectangle, 0, 0, 0, 0, 1, 1, 2, 0, NaN, 0.2},
        BadCase{"NaNFeed", Rectangle, 0, 0, 0, 0, 1, 1, 2, 0, 1, NaN},
        BadCase{"NaNStart", Rectangle, NaN, 0, 0, 0, 1, 1, 2, 0, 1, 0.2},
        BadCase{"ChordBeyondTheReals", {L(1e308, 0, 0, 5), L(0, 5, -1e308, 0)}, 0, 0, 0, 0, 1, 1,
                2, 0, 1, 0.2},
        BadCase{"GBeyondTheReals", {L(1e308, 0, 9e307, -5), L(9e307, -5, 1e308, -10)}, 0, 0, 0,
                0, 0.5, 1, 1e308, 0, 0, 0.2},
        BadCase{"NaNInTheProfile", {L(0, 10, 0, 5), A(-2, 5, NaN, Pi, 0), L(-4, 5, -4, 10)}, 0,
                0, 0, 0, 1, 1, 2, 0, 1, 0.2}));

TEST_F(Groove, NegativeDepthCountsAsItsMagnitude) {
  Contour(Rectangle);
  ASSERT_TRUE(Pass(-1, 1, 2, 0, 1));
  EXPECT_NEAR(turn.GrooveState.EntryY, 19, Near);
  EXPECT_NEAR(turn.GrooveState.ExitY, 19, Near);
}

TEST_F(Groove, AZeroSweepArcDoesNotHangTheSearch) {
  Contour({L(0, 10, 0, 5), A(-2, 5, 2, 0, 0), L(0, 5, -4, 5), L(-4, 5, -4, 10)});
  EXPECT_TRUE(Pass(1, 1, 2, 0, 1));
  EXPECT_FALSE(Pass(6, 1, 2, 0, 1));
  ExpectNoNaN(turn.OutElements);
  ExpectMovesMeet(turn.OutElements);
}

TEST_F(Groove, AFullOutputListEndsThePassAsNotDone) {
  Contour(Rectangle);
  while (turn.OutElements.Count() < TFormaEditorTurn::MaxRecords - 3)
    turn.OutElements.Add(L(0, 0, 1, 1));
  // Approach (2), down, across, up, retract: two moves too many.
  EXPECT_FALSE(Pass(1, 1, 2, 0, 1));
  EXPECT_EQ(turn.OutElements.Count(), TFormaEditorTurn::MaxRecords);
  EXPECT_EQ(turn.GrooveState.Valid, 1);
  EXPECT_EQ(turn.GrooveState.OutputFull, 1);
  // The next depth appends nothing and still says why.
  EXPECT_FALSE(Pass(2, 1, 2, 0, 1));
  EXPECT_EQ(turn.GrooveState.OutputFull, 1);
  // A pass that fits says so too.
  Contour(Rectangle);
  EXPECT_TRUE(Pass(1, 1, 2, 0, 1));
  EXPECT_EQ(turn.GrooveState.OutputFull, 0);
}

}  // namespace
}  // namespace movra
