#include "machining/forma_editor_turn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Tol = 1e-4;   // coordinates and angles of expected records
constexpr double Joined = 1e-3; // end points closer than this count as joined

using TurnT = TFormaEditorTurn::TurnT;

struct Rec {
  double Kind, V1, V2, V3, V4, V5;
};

// Record i of a list; a missing record reads as a zero one, so a short list fails the
// comparisons instead of crashing.
const TurnT& At(const RecordList<TurnT>& list, int i) {
  static const TurnT none{};
  const TurnT* r = list(i);
  return r != nullptr ? *r : none;
}

std::string Transcript(const RecordList<TurnT>& list) { return transcript::ListTranscript(list); }

// Difference of two angles folded into (-pi, pi].
double AngleDiff(double a, double b) { return std::remainder(a - b, 2.0 * Pi); }

void ExpectRecords(const RecordList<TurnT>& list, const std::vector<Rec>& want) {
  ASSERT_EQ(list.Count(), static_cast<int>(want.size())) << Transcript(list);
  for (int i = 1; i <= list.Count(); ++i) {
    const TurnT& r = At(list, i);
    const Rec& w = want[static_cast<std::size_t>(i - 1)];
    SCOPED_TRACE("record " + std::to_string(i) + " of\n" + Transcript(list));
    EXPECT_EQ(r.Kind, w.Kind);
    EXPECT_NEAR(r.V1, w.V1, Tol);
    EXPECT_NEAR(r.V2, w.V2, Tol);
    EXPECT_NEAR(r.V3, w.V3, Tol);
    if (w.Kind == 2.0) {
      EXPECT_NEAR(AngleDiff(r.V4, w.V4), 0.0, Tol);
      EXPECT_NEAR(AngleDiff(r.V5, w.V5), 0.0, Tol);
    } else {
      EXPECT_NEAR(r.V4, w.V4, Tol);
    }
  }
}

void Ends(const TurnT& r, double& x1, double& y1, double& x2, double& y2) {
  TFormaDaten::ElementEndPoints(r.Kind, r.V1, r.V2, r.V3, r.V4, r.V5, x1, y1, x2, y2);
}

class Turning : public ::testing::Test, protected transcript::Editor {
 protected:
  TFormaEditorTurn turn{daten, geom};

  // Runs the program as the editor does, block 1 open from the first line.
  void Program(const std::vector<std::string>& lines) { Load(lines); }
  void AddElement(double kind, double v1, double v2, double v3, double v4, double v5) {
    Put(1, kind, v1, v2, v3, v4, v5);
  }
  bool Build(double e1, double e2, double e3, double typ, double l1 = NoValue,
             double a1 = NoValue, double l2 = NoValue, double a2 = NoValue) {
    sx = sy = ex = ey = -777.0;
    return turn.BuildContour(sx, sy, e1, e2, e3, l1, a1, l2, a2, typ, ex, ey);
  }
  void ExpectConsecutiveJoined() {
    for (int i = 2; i <= turn.InElements.Count(); ++i) {
      double ax, ay, bx, by, cx, cy, dx, dy;
      Ends(At(turn.InElements, i - 1), ax, ay, bx, by);
      Ends(At(turn.InElements, i), cx, cy, dx, dy);
      EXPECT_LT(std::hypot(cx - bx, cy - by), Joined)
          << "corner before record " << i << " of\n" << Transcript(turn.InElements);
    }
  }
  double sx = 0, sy = 0, ex = 0, ey = 0;
};

// ---- The preparation of short profiles ----

const std::vector<std::string> PlusXLine = {"G1 X0 Y10", "X20 Y10"};
const std::vector<std::string> Corner = {"G1 X0 Y0", "X10 Y0", "X10 Y10"};
// A line, a clockwise semicircle over the top, a line: corners of 90 degrees at both ends.
const std::vector<std::string> Semicircle = {"G1 X0 Y10", "X10 Y10", "G2 X30 Y10 R10",
                                             "G1 X40 Y10"};
// Two counter-clockwise semicircles below the axis meeting in a cusp at (10, 0).
const std::vector<std::string> TwoBumps = {"G1 X0 Y0", "G3 X10 Y0 R5", "G3 X20 Y0 R5"};
// Two counter-clockwise quarter circles (centres (5, 0) and (10, -5)), a right-angle corner
// at (5, -5).
const std::vector<std::string> TwoQuarters = {"G1 X0 Y0", "G3 X5 Y-5 R5", "G3 X10 Y-10 R5"};
// A line into a counter-clockwise fillet of radius 2 (centre (10, 2)), then up.
const std::vector<std::string> Fillet = {"G1 X0 Y0", "X10 Y0", "G3 X12 Y2 R2", "G1 X12 Y10"};

struct ProfileCase {
  const char* name;
  std::vector<std::string> program;
  double e1, e2, e3, typ;
  std::vector<Rec> want;
};

void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.name; }

class Profiles : public Turning, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(Profiles, PreparedRecords) {
  const ProfileCase& c = GetParam();
  Program(c.program);
  ASSERT_TRUE(Build(c.e1, c.e2, c.e3, c.typ));
  ExpectRecords(turn.InElements, c.want);
  const auto side = static_cast<std::uint8_t>(std::lround(c.typ));
  for (int i = 1; i <= turn.InElements.Count(); ++i) {
    EXPECT_EQ(At(turn.InElements, i).Side, side);
    EXPECT_EQ(At(turn.InElements, i).Feed, 0.0);
  }
  // The var points are the ends of the prepared contour.
  double x1, y1, x2, y2;
  Ends(At(turn.InElements, 1), x1, y1, x2, y2);
  EXPECT_NEAR(sx, x1, 1e-12);
  EXPECT_NEAR(sy, y1, 1e-12);
  Ends(At(turn.InElements, turn.InElements.Count()), x1, y1, x2, y2);
  EXPECT_NEAR(ex, x2, 1e-12);
  EXPECT_NEAR(ey, y2, 1e-12);
}

const double s11 = std::sqrt(120.0);  // half chord of y = 11 in a circle of radius 11
const double s9 = std::sqrt(80.0);    // half chord of y = 9 in a circle of radius 9
const double a11 = std::asin(1.0 / 11.0);
const double a9 = std::asin(1.0 / 9.0);
// The outer offsets (radius 6) of the quarters cross at the point right of centre 1 -> 2.
const double crossH = std::sqrt(36.0 - 12.5) / std::sqrt(2.0);
const double crossX = 7.5 - crossH, crossY = -2.5 - crossH;
const double quarter1 = std::atan2(crossY, crossX - 5) + 2 * Pi;
const double quarter2 = std::atan2(crossY + 5, crossX - 10) + 2 * Pi;

INSTANTIATE_TEST_SUITE_P(
    Turning, Profiles,
    ::testing::Values(
        ProfileCase{"Typ0IgnoresE3", PlusXLine, 0, 0, 5, 0, {{1, 0, 10, 20, 10, 0}}},
        ProfileCase{"Typ2E3OneMovesPlusXLineTowardsMinusY", PlusXLine, 0, 0, 1, 2,
                    {{1, 0, 9, 20, 9, 0}}},
        ProfileCase{"Typ1E3OneMovesPlusXLineTowardsPlusY", PlusXLine, 0, 0, 1, 1,
                    {{1, 0, 11, 20, 11, 0}}},
        ProfileCase{"ShiftAlongXAndY", PlusXLine, 2, -3, 0, 1, {{1, 2, 7, 22, 7, 0}}},
        ProfileCase{"NoValueShiftsAndDistanceCountAsZero", PlusXLine, NoValue, NoValue,
                    NoValue, 1, {{1, 0, 10, 20, 10, 0}}},
        ProfileCase{"OuterCornerGapIsClosed", Corner, 0, 0, 1, 2,
                    {{1, 0, -1, 11, -1, 0}, {1, 11, -1, 11, 10, 0}}},
        ProfileCase{"InnerCornerOverlapIsTrimmed", Corner, 0, 0, 1, 1,
                    {{1, 0, 1, 9, 1, 0}, {1, 9, 1, 9, 10, 0}}},
        ProfileCase{"CollinearLinesWithGapStayUnjoined",
                    {"G1 X0 Y10", "X10 Y10", "|", "G1 X15 Y10", "X25 Y10"}, 0, 0, 0, 0,
                    {{1, 0, 10, 10, 10, 0}, {1, 15, 10, 25, 10, 0}}},
        ProfileCase{"ReversalStaysUnjoined",
                    {"G1 X0 Y10", "X20 Y10", "|", "G1 X20 Y11", "X0 Y11"}, 0, 0, 0, 0,
                    {{1, 0, 10, 20, 10, 0}, {1, 20, 11, 0, 11, 0}}},
        ProfileCase{"DirectionsEitherSideOfZeroAreParallel",
                    {"G1 X0 Y0", "X10 Y0", "|", "G1 X10 Y1", "X20 Y0.999999999"}, 0, 0, 0, 0,
                    {{1, 0, 0, 10, 0, 0}, {1, 10, 1, 20, 0.999999999, 0}}},
        ProfileCase{"NearZeroLengthLineMakesNoRecord",
                    {"G1 X0 Y0", "X10 Y0", "X10.00000001 Y0", "X10.00000001 Y5"}, 0, 0, 0, 0,
                    {{1, 0, 0, 10, 0, 0}, {1, 10.00000001, 0, 10.00000001, 5, 0}}},
        ProfileCase{"SemicircleOffsetOutwardIsKept", Semicircle, 0, 0, 1, 1,
                    {{1, 0, 11, 20 - s11, 11, 0},
                     {2, 20, 10, -11, Pi - a11, a11},
                     {1, 20 + s11, 11, 40, 11, 0}}},
        ProfileCase{"SemicircleOffsetInwardIsKept", Semicircle, 0, 0, 1, 2,
                    {{1, 0, 9, 20 - s9, 9, 0},
                     {2, 20, 10, -9, Pi + a9, 2 * Pi - a9},
                     {1, 20 + s9, 9, 40, 9, 0}}},
        ProfileCase{"TwoArcsMeetWhereTheirOffsetsCross", TwoQuarters, 0, 0, 1, 2,
                    {{2, 5, 0, 6, Pi, quarter1}, {2, 10, -5, 6, quarter2, 3 * Pi / 2}}},
        ProfileCase{"FilletOffsetToItsRadiusIsLeftOut", Fillet, 0, 0, 2, 1,
                    {{1, 0, 2, 10, 2, 0}, {1, 10, 2, 10, 10, 0}}},
        ProfileCase{"FilletOffsetOutwardGrows", Fillet, 0, 0, 1, 2,
                    {{1, 0, -1, 10, -1, 0},
                     {2, 10, 2, 3, 3 * Pi / 2, 0},
                     {1, 13, 2, 13, 10, 0}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Turning, ZeroLengthLineAndZeroSweepArcMakeNoRecordAndNoJoin) {
  AddElement(1, 0, 0, 10, 0, 0);
  AddElement(1, 50, 50, 50, 50, 0);     // a point far off the contour
  AddElement(2, 60, 60, 5, 1.0, 1.0);   // an arc of no sweep far off the contour
  AddElement(1, 10, 0, 10, 5, 0);
  ASSERT_TRUE(Build(0, 0, 0, 0));
  ExpectRecords(turn.InElements, {{1, 0, 0, 10, 0, 0}, {1, 10, 0, 10, 5, 0}});
}

TEST_F(Turning, NothingToPrepareGivesFalseAndKeepsThePoints) {
  AddElement(1, 5, 5, 5, 5, 0);
  EXPECT_FALSE(Build(0, 0, 0, 1));
  EXPECT_TRUE(turn.InElements.Empty());
  EXPECT_EQ(sx, -777.0);
  EXPECT_EQ(ey, -777.0);
  geom.ClearElements();
  EXPECT_FALSE(Build(0, 0, 0, 1));
}

TEST_F(Turning, RadiusSignChangeStopsThePreparationAsFailure) {
  Program(Fillet);
  // Radius 2 offset by 3 on its inner side would run through its centre.
  EXPECT_FALSE(Build(0, 0, 3, 1, 5, Pi, 5, 0));
  ExpectRecords(turn.InElements, {{1, 0, 3, 10, 3, 0}});  // what was built stays
  EXPECT_EQ(sx, -777.0);
  EXPECT_EQ(ex, -777.0);
}

TEST_F(Turning, JoinWithoutIntersectionFails) {
  Program(TwoBumps);
  // The inner offsets (radius 4) of the two bumps do not reach each other.
  EXPECT_FALSE(Build(0, 0, 1, 1));
  EXPECT_EQ(turn.InElements.Count(), 2);  // both stored, the corner left open
  EXPECT_EQ(sx, -777.0);
}

TEST_F(Turning, ArcTrimmedBeyondItsEndIsDropped) {
  // A short counter-clockwise arc (centre (10.5, -5), sweep 0.5) leaving the line backwards;
  // offset outwards, the line meets the grown circle beyond the arc's end, so the trimmed
  // arc would run the long way round.
  Program({"G1 X0 Y0", "X10 Y0", "G3 X7.664081 Y-0.8518 I0.5 J-5"});
  ASSERT_EQ(geom.ElementCount(), 2);
  const double r = std::sqrt(25.25);
  ASSERT_NEAR(TFormaDaten::ArcSweep(geom.Elements(2)->V3, geom.Elements(2)->V4,
                                    geom.Elements(2)->V5),
              0.5, 1e-5);
  ASSERT_TRUE(Build(0, 0, 1, 2));
  ASSERT_EQ(turn.InElements.Count(), 1) << Transcript(turn.InElements);
  // The line keeps its end on the grown circle.
  EXPECT_NEAR(At(turn.InElements, 1).V3, 10.5 - std::sqrt((r + 1) * (r + 1) - 16), Tol);
}

struct LeadCase {
  const char* name;
  double l1, a1, l2, a2;
  std::vector<Rec> want;
};

void PrintTo(const LeadCase& c, std::ostream* os) { *os << c.name; }

class Leads : public Turning, public ::testing::WithParamInterface<LeadCase> {};

TEST_P(Leads, ApproachAndDeparture) {
  const LeadCase& c = GetParam();
  Program(PlusXLine);
  ASSERT_TRUE(Build(0, 0, 0, 1, c.l1, c.a1, c.l2, c.a2));
  ExpectRecords(turn.InElements, c.want);
  EXPECT_NEAR(sx, c.want.front().V1, 1e-12);
  EXPECT_NEAR(sy, c.want.front().V2, 1e-12);
  EXPECT_NEAR(ex, c.want.back().V3, 1e-12);
  EXPECT_NEAR(ey, c.want.back().V4, 1e-12);
  for (int i = 1; i <= turn.InElements.Count(); ++i) EXPECT_EQ(At(turn.InElements, i).Side, 1);
}

const Rec Contour{1, 0, 10, 20, 10, 0};

INSTANTIATE_TEST_SUITE_P(
    Turning, Leads,
    ::testing::Values(
        LeadCase{"NoLeadsByDefault", NoValue, NoValue, NoValue, NoValue, {Contour}},
        LeadCase{"ZeroLengthsAddNothing", 0, Pi / 2, 0, 0, {Contour}},
        LeadCase{"NoValueLengthsAddNothing", NoValue, Pi / 2, NoValue, 0, {Contour}},
        LeadCase{"NoValueAnglesAddNothing", 5, NoValue, 3, NoValue, {Contour}},
        LeadCase{"ApproachComesFirst", 5, Pi / 2, NoValue, NoValue,
                 {{1, 0, 15, 0, 10, 0}, Contour}},
        LeadCase{"NegativeApproachLengthIsItsMagnitude", -5, Pi / 2, NoValue, NoValue,
                 {{1, 0, 15, 0, 10, 0}, Contour}},
        LeadCase{"DepartureComesLast", NoValue, NoValue, -3, 0,
                 {Contour, {1, 20, 10, 23, 10, 0}}},
        LeadCase{"Both", 2, Pi, 3, Pi / 2,
                 {{1, -2, 10, 0, 10, 0}, Contour, {1, 20, 10, 20, 13, 0}}}),
    [](const auto& p) { return std::string(p.param.name); });

// Parameters that are no number, or that carry the contour out of the reals, prepare
// nothing that could be drawn or written: the preparation fails, keeps only finite records
// and leaves the var points alone.
TEST_F(Turning, NonFiniteParametersFailWithoutNonFiniteRecords) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    double e1, e2, e3, l1, a1, l2, a2;
  };
  const Case cases[] = {
      {"shift x not a number", nan, 0, 0, NoValue, NoValue, NoValue, NoValue},
      {"shift y infinite", 0, -inf, 0, NoValue, NoValue, NoValue, NoValue},
      {"distance not a number", 0, 0, nan, NoValue, NoValue, NoValue, NoValue},
      {"shift beyond the reals", 1.7e308, 0, 0, NoValue, NoValue, NoValue, NoValue},
      {"approach length infinite", 0, 0, 0, inf, 0, NoValue, NoValue},
      {"approach angle not a number", 0, 0, 0, 5, nan, NoValue, NoValue},
      {"departure length not a number", 0, 0, 0, NoValue, NoValue, nan, 0},
      {"departure angle infinite", 0, 0, 0, NoValue, NoValue, 3, inf},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    geom.ClearElements();
    // Ends at x = 1e308 so that a large shift along x overflows.
    Program(Fillet);
    AddElement(1, 12, 10, 1e308, 10, 0);
    sx = sy = ex = ey = -777.0;
    EXPECT_FALSE(turn.BuildContour(sx, sy, c.e1, c.e2, c.e3, c.l1, c.a1, c.l2, c.a2, 1, ex, ey));
    for (int i = 1; i <= turn.InElements.Count(); ++i) {
      const TurnT& r = At(turn.InElements, i);
      for (double v : {r.V1, r.V2, r.V3, r.V4, r.V5}) {
        EXPECT_TRUE(std::isfinite(v)) << "record " << i << "\n" << Transcript(turn.InElements);
      }
    }
    EXPECT_EQ(sx, -777.0);
    EXPECT_EQ(sy, -777.0);
    EXPECT_EQ(ex, -777.0);
    EXPECT_EQ(ey, -777.0);
  }
}

// ---- A typical shaft, finished on G42 with the nose radius ----

// Face, chamfer, cylinder, concave fillet, shoulder, convex fillet, taper, cylinder, face.
const std::vector<std::string> Shaft = {
    "G42",           "G1 X0 Y0",     "X0 Y8",   "X-2 Y10",  "X-20 Y10", "G2 X-22 Y12 R2",
    "G1 X-22 Y16",   "G3 X-24 Y18 R2", "G1 X-40 Y22", "X-50 Y22", "X-50 Y30"};

TEST_F(Turning, ShaftOffsetOnG42JoinsEveryCornerAtTheNoseRadius) {
  Program(Shaft);
  ASSERT_EQ(geom.ElementCount(), 9);
  std::vector<TFormaGeom::GeomT> source;
  for (int i = 1; i <= geom.ElementCount(); ++i) source.push_back(*geom.Elements(i));

  const double nose = 0.8;
  ASSERT_TRUE(Build(0, 0, nose, 2));
  ASSERT_EQ(turn.InElements.Count(), 9) << Transcript(turn.InElements);
  ExpectConsecutiveJoined();

  for (int i = 1; i <= 9; ++i) {
    const TurnT& r = At(turn.InElements, i);
    const TFormaGeom::GeomT& s = source[static_cast<std::size_t>(i - 1)];
    SCOPED_TRACE("record " + std::to_string(i));
    ASSERT_EQ(r.Kind, s.Kind);
    if (r.Kind == 1.0) {
      // Both ends lie on the source's carrier moved by the nose radius, to the right.
      for (auto [x, y] : {std::pair{r.V1, r.V2}, std::pair{r.V3, r.V4}}) {
        EXPECT_NEAR(TFormaDaten::DistPointLine3D(s.V1, s.V2, 0, s.V3, s.V4, 0, x, y, 0), nose,
                    1e-6);
        const double cross = (s.V3 - s.V1) * (y - s.V2) - (s.V4 - s.V2) * (x - s.V1);
        EXPECT_LT(cross, 0.0);
      }
    } else {
      EXPECT_NEAR(r.V1, s.V1, 1e-9);
      EXPECT_NEAR(r.V2, s.V2, 1e-9);
      EXPECT_NEAR(r.V3, s.V3 + nose, 1e-9);  // right of a clockwise arc is its inside
    }
  }
  // The face ends where it meets the chamfer moved out: x + y = 8 + 0.8 * sqrt(2).
  EXPECT_NEAR(At(turn.InElements, 1).V3, nose, Tol);
  EXPECT_NEAR(At(turn.InElements, 1).V4, 8 + nose * std::sqrt(2.0) - nose, Tol);
  EXPECT_NEAR(sx, nose, Tol);
  EXPECT_NEAR(sy, 0, Tol);
  EXPECT_NEAR(ex, -50 + nose, Tol);
  EXPECT_NEAR(ey, 30, Tol);
}

// The same on the lathe's own axes: Z along the length, X a diameter (halved to the
// radius). A face, the cylinder d20, an ogee of two R5 arcs up to d40, the cylinder d40 and
// the shoulder to d50, on G42 with nose radius 0.8, with an approach along +Z and a
// departure up the shoulder. Values worked out by hand.
TEST_F(Turning, OgeeShaftOnTheLatheAxes) {
  Program({"G42", "G1 Z0 X0", "X20", "G3 Z-5 X30 R5", "G2 Z-10 X40 R5", "G1 Z-20", "X50"});
  ASSERT_EQ(geom.ElementCount(), 5);
  ASSERT_TRUE(Build(0, 0, 0.8, 2, 2, 0, 2, Pi / 2));
  // The grown first arc (5.8) and the shrunk second one (4.2) still touch at (-5, 15.8);
  // the second meets the cylinder at y = 20.8 where x = -5 - sqrt(4.2^2 - 0.8^2).
  const double meetX = -5 - std::sqrt(17.0);
  const double meetAngle = Pi - std::atan(0.8 / std::sqrt(17.0));
  ExpectRecords(turn.InElements, {{1, 2.8, 0, 0.8, 0, 0},
                                  {1, 0.8, 0, 0.8, 10, 0},
                                  {2, -5, 10, 5.8, 0, Pi / 2},
                                  {2, -5, 20, -4.2, 1.5 * Pi, meetAngle},
                                  {1, meetX, 20.8, -19.2, 20.8, 0},
                                  {1, -19.2, 20.8, -19.2, 25, 0},
                                  {1, -19.2, 25, -19.2, 27, 0}});
  ExpectConsecutiveJoined();
  EXPECT_NEAR(sx, 2.8, Tol);
  EXPECT_NEAR(sy, 0, Tol);
  EXPECT_NEAR(ex, -19.2, Tol);
  EXPECT_NEAR(ey, 27, Tol);
}

// ---- Finishing ----

TEST_F(Turning, FinishContourCopiesTheContourWithFeedAndSideAndConsumesIt) {
  Program(Corner);
  ASSERT_TRUE(Build(0, 0, 1, 2, 5, Pi / 2, NoValue, NoValue));
  const std::string prepared = Transcript(turn.InElements);
  ASSERT_TRUE(turn.FinishContour(1.0, 0.25));
  EXPECT_TRUE(turn.InElements.Empty());
  EXPECT_EQ(Transcript(turn.OutElements), prepared);
  for (int i = 1; i <= turn.OutElements.Count(); ++i) {
    EXPECT_EQ(At(turn.OutElements, i).Feed, 0.25);
    EXPECT_EQ(At(turn.OutElements, i).Side, 1);
  }
}

TEST_F(Turning, FinishContourOnEmptyInputReturnsFalseAndLeavesTheOutput) {
  ASSERT_TRUE(turn.AddOut());
  ASSERT_NE(turn.OutElements.Current(), nullptr);
  if (TurnT* r = turn.OutElements.Current()) r->V1 = 42;
  EXPECT_FALSE(turn.FinishContour(0, 100));
  ASSERT_EQ(turn.OutElements.Count(), 1);
  EXPECT_EQ(At(turn.OutElements, 1).V1, 42);
}

TEST_F(Turning, FinishContourIntoAFullOutputFailsAndKeepsTheInput) {
  Program(Corner);
  ASSERT_TRUE(Build(0, 0, 0, 0));
  while (turn.AddOut()) {
  }
  EXPECT_FALSE(turn.FinishContour(0, 100));
  EXPECT_EQ(turn.InElements.Count(), 2);
  EXPECT_EQ(turn.OutElements.Count(), TFormaEditorTurn::MaxRecords);
}

TEST_F(Turning, ListsHoldTenThousandRecords) {
  for (int i = 0; i < TFormaEditorTurn::MaxRecords; ++i) ASSERT_TRUE(turn.AddIn());
  EXPECT_FALSE(turn.AddIn());
  EXPECT_EQ(turn.InElements.Count(), 10000);
  ASSERT_TRUE(turn.AddOut());
  turn.ClearLists();
  EXPECT_TRUE(turn.InElements.Empty());
  EXPECT_TRUE(turn.OutElements.Empty());
  EXPECT_TRUE(turn.AddIn());
  EXPECT_EQ(turn.InElements.CurrentIndex(), 1);
}

TEST_F(Turning, ContourTooLongForTheListFails) {
  for (int i = 0; i <= TFormaEditorTurn::MaxRecords; ++i) AddElement(1, i, 0, i + 1, 0, 0);
  EXPECT_FALSE(Build(0, 0, 0, 0));
  EXPECT_EQ(turn.InElements.Count(), TFormaEditorTurn::MaxRecords);
  EXPECT_EQ(sx, -777.0);
}

}  // namespace
}  // namespace movra
