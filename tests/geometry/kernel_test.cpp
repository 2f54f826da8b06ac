// Directions, sweeps, distances, point tests and number text of the geometry kernel.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <iostream>
#include <limits>
#include <locale>
#include <numbers>
#include <random>
#include <string>

#include "geometry/forma_daten.h"

namespace movra {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double kTol = 1e-9;

// ---- DirAngle, SameDirection ----

struct DirCase {
  const char* name;
  double x1, y1, x2, y2;
  double expected;
};

TEST(DirAngle, FollowsTheFourQuadrantRule) {
  const double big = 1e308;
  const DirCase cases[] = {
      {"+X axis", 0, 0, 1, 0, 0},
      {"+Y axis", 0, 0, 0, 1, pi / 2},
      {"-X axis", 0, 0, -1, 0, pi},
      {"-Y axis", 0, 0, 0, -1, 3 * pi / 2},
      {"coincident points", 3, 4, 3, 4, 0},
      {"first quadrant", 1, 1, 2, 2, pi / 4},
      {"second quadrant", 1, 1, 0, 2, 3 * pi / 4},
      {"third quadrant", 1, 1, 0, 0, 5 * pi / 4},
      {"fourth quadrant", 1, 1, 2, 0, 7 * pi / 4},
      {"last digit in X", 1, 1, std::nextafter(1.0, 2.0), 1, 0},
      {"last digit below in Y", 1, 1, 1, std::nextafter(1.0, 0.0), 3 * pi / 2},
      {"a hair below +X is 0, not a full turn", 0, 0, 1, -1e-17, 0},
      {"huge coordinates whose difference overflows", -big, -big, big, big, pi / 4},
      {"huge, along -X", big, 0, -big, 0, pi},
  };
  for (const DirCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(TFormaDaten::DirAngle(c.x1, c.y1, c.x2, c.y2), c.expected, kTol);
  }
}

TEST(DirAngle, AlwaysLiesInHalfOpenTurnAndPointsTheWay) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> coordinate(-100, 100);
  for (int i = 0; i < 20000; ++i) {
    const double x1 = coordinate(random), y1 = coordinate(random);
    // Every other target lies a hair from the start, where the quadrant seams are.
    const double scale = i % 2 ? 1.0 : 1e-13;
    const double x2 = x1 + scale * coordinate(random), y2 = y1 + scale * coordinate(random);
    const double a = TFormaDaten::DirAngle(x1, y1, x2, y2);
    ASSERT_GE(a, 0.0);
    ASSERT_LT(a, 2 * pi);
    ASSERT_TRUE(TFormaDaten::SameDirection(a, std::atan2(y2 - y1, x2 - x1), 1e-12))
        << x1 << " " << y1 << " " << x2 << " " << y2;
  }
}

TEST(SameDirection, ComparesRoundTheCircle) {
  struct Case {
    const char* name;
    double a1, a2, tol;
    bool expected;
  } const cases[] = {
      {"equal", 1, 1, 1e-7, true},
      {"either side of the 0/2pi seam", 1e-8, 2 * pi - 1e-8, 1e-7, true},
      {"0 and a full turn", 0, 2 * pi, 1e-7, true},
      {"several turns apart", 0.5, 0.5 + 6 * pi, 1e-7, true},
      {"-pi is pi", -pi, pi, 1e-7, true},
      {"just outside the tolerance", 0, 2e-7, 1e-7, false},
      {"across the seam, outside the tolerance", 1e-7, 2 * pi - 1e-7, 1e-7, false},
      {"opposite", 0, pi, 1e-7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TFormaDaten::SameDirection(c.a1, c.a2, c.tol), c.expected);
    EXPECT_EQ(TFormaDaten::SameDirection(c.a2, c.a1, c.tol), c.expected);
  }
}

// ---- Dist, DistAngle ----

TEST(Dist, PointsCloserThanTheToleranceAreZeroApart) {
  EXPECT_DOUBLE_EQ(TFormaDaten::Dist(0, 0, 3, 4), 5.0);
  EXPECT_EQ(TFormaDaten::Dist(1, 1, 1 + 5e-8, 1), 0.0);
  EXPECT_NEAR(TFormaDaten::Dist(0, 0, 1.5e-7, 0), 1.5e-7, 1e-20);
  EXPECT_NEAR(TFormaDaten::Dist(0, 0, 1e200, 1e200), std::sqrt(2.0) * 1e200, 1e186);
}

TEST(DistAngle, KeepsDistancesDownTo1e9AndWritesOnlyDistAndAngle) {
  TFormaDaten daten;
  daten.DistAngle(1, 1, 1 + 5e-8, 1);
  EXPECT_NEAR(daten.GeoResult.Dist, 5e-8, 1e-15);
  EXPECT_EQ(daten.GeoResult.Angle, 0.0);

  daten.DistAngle(0, 0, 0, 5e-10);
  EXPECT_EQ(daten.GeoResult.Dist, 0.0);
  EXPECT_NEAR(daten.GeoResult.Angle, pi / 2, kTol);  // direction even of a zero distance

  daten.DistAngle(2, 2, -1, -2);
  EXPECT_NEAR(daten.GeoResult.Dist, 5.0, kTol);
  EXPECT_NEAR(daten.GeoResult.Angle, pi + std::atan(4.0 / 3.0), kTol);
  EXPECT_EQ(daten.GeoResult.Point.X, 0.0);
  EXPECT_EQ(daten.GeoResult.ArcStart, 0.0);
}

// ---- ArcSweep ----

TEST(ArcSweep, SignFollowsTheRadiusAndEqualAnglesGiveZero) {
  struct Case {
    const char* name;
    double r, a1, a2, expected;
  } const cases[] = {
      {"ccw quarter", 1, 0, pi / 2, pi / 2},
      {"cw the long way to the same end", -1, 0, pi / 2, -3 * pi / 2},
      {"ccw the long way", 1, pi / 2, 0, 3 * pi / 2},
      {"cw quarter", -1, pi / 2, 0, -pi / 2},
      {"equal angles ccw", 1, 1, 1, 0},
      {"equal angles cw", -1, 1, 1, 0},
      {"full turn apart counts as equal", 1, 0, 2 * pi, 0},
      {"ccw half", 1, 0, pi, pi},
      {"cw half", -1, 0, pi, -pi},
      {"ccw across the seam", 1, -0.1, 0.1, 0.2},
      {"ccw almost a full turn", 1, 0.1, -0.1, 2 * pi - 0.2},
      {"cw across the seam", -2.5, 0.1, -0.1, -0.2},
      {"radius size does not matter", 1000, 0, pi / 2, pi / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(TFormaDaten::ArcSweep(c.r, c.a1, c.a2), c.expected, kTol);
    double sweep = 99;
    TFormaDaten::ArcSweep(c.r, c.a1, c.a2, sweep);
    EXPECT_EQ(sweep, TFormaDaten::ArcSweep(c.r, c.a1, c.a2));
  }
}

TEST(ArcSweep, OppositeUnitPointsMoreThanTwoApartByRoundingGiveAHalfTurn) {
  // For this start angle the two unit points come out a hair more than 2 apart, and the
  // arcsine of the half distance would be NaN.
  const double a1 = 2.451850062, a2 = a1 + pi;
  ASSERT_GT(std::hypot(std::cos(a1) - std::cos(a2), std::sin(a1) - std::sin(a2)), 2.0);
  EXPECT_NEAR(TFormaDaten::ArcSweep(1, a1, a2), pi, 1e-7);
  EXPECT_NEAR(TFormaDaten::ArcSweep(-1, a1, a2), -pi, 1e-7);
}

// ---- TurnSenseTest ----

TEST(TurnSenseTest, ShortTurnInTheSenseOfTheRadius) {
  struct Case {
    const char* name;
    double r, a1, a2;
    int expected;
  } const cases[] = {
      {"ccw reaches a quarter left", 1, 0, pi / 2, 0},
      {"cw does not reach a quarter left", -1, 0, pi / 2, -1},
      {"cw reaches a quarter right", -1, 0, -pi / 2, 0},
      {"ccw does not reach a quarter right", 1, 0, -pi / 2, -1},
      {"zero radius turns ccw", 0, 1, 1.5, 0},
      {"ccw across the seam", 1, 2 * pi - 0.1, 0.1, 0},
      {"same direction", 1, 1, 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TFormaDaten::TurnSenseTest(c.r, c.a1, c.a2), c.expected);
  }
}

TEST(TurnSenseTest, OppositeDirectionIsMinusOneWhateverTheRadius) {
  // 0.0002469134 is a start angle whose opposite unit points come out more than 20 apart.
  for (const double a1 : {0.0, 1.0, 2.5, -3.0, 0.0002469134, 100.0}) {
    for (const double r : {1.0, -1.0, 0.0}) {
      SCOPED_TRACE(testing::Message() << "A1 " << a1 << " R " << r);
      EXPECT_EQ(TFormaDaten::TurnSenseTest(r, a1, a1 + pi), -1);
    }
  }
}

// ---- ElementEndPoints, PointOnSegment, PointOnArc ----

TEST(ElementEndPoints, LineArcAndOtherKinds) {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TFormaDaten::ElementEndPoints(1, 1, 2, 3, 4, 99, x1, y1, x2, y2);
  EXPECT_EQ(x1, 1);
  EXPECT_EQ(y1, 2);
  EXPECT_EQ(x2, 3);
  EXPECT_EQ(y2, 4);

  // The sign of the radius does not move the points.
  TFormaDaten::ElementEndPoints(2, 10, 20, -5, 0, pi / 2, x1, y1, x2, y2);
  EXPECT_NEAR(x1, 15, kTol);
  EXPECT_NEAR(y1, 20, kTol);
  EXPECT_NEAR(x2, 10, kTol);
  EXPECT_NEAR(y2, 25, kTol);

  x1 = y1 = x2 = y2 = 7;
  TFormaDaten::ElementEndPoints(3, 1, 2, 3, 4, 5, x1, y1, x2, y2);
  EXPECT_EQ(x1 + y1 + x2 + y2, 28);
}

TEST(PointOnSegment, EndsInsideAndOutside) {
  struct Case {
    const char* name;
    double px, py;
    bool expected;
  } const cases[] = {
      {"start", 0, 0, true},
      {"end", 10, 0, true},
      {"middle", 5, 0, true},
      {"close to the start", 5e-8, 5e-8, true},
      {"1e-3 beside the middle", 5, 1e-3, false},
      {"on the line beyond the end", 10.001, 0, false},
      {"on the line before the start", -1, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TFormaDaten::PointOnSegment(0, 0, 10, 0, c.px, c.py), c.expected);
  }
  EXPECT_TRUE(TFormaDaten::PointOnSegment(2, 2, 2, 2, 2, 2)) << "degenerate segment, same point";
  EXPECT_FALSE(TFormaDaten::PointOnSegment(2, 2, 2, 2, 3, 2)) << "degenerate segment, other point";
}

TEST(PointOnArc, AcceptsThePointsOfTheCircleOnTheArcsSideOfItsChord) {
  const auto at = [](double r, double angle) {
    return TFormaDaten::PointT{r * std::cos(angle), r * std::sin(angle)};
  };
  struct Case {
    const char* name;
    double r, a1, a2;
    TFormaDaten::PointT p;
    bool expected;
  } const cases[] = {
      {"ccw quarter, middle", 1, 0, pi / 2, at(1, pi / 4), true},
      {"ccw quarter, 0.0005 outside", 1, 0, pi / 2, at(1.0005, pi / 4), true},
      {"ccw quarter, 0.002 outside", 1, 0, pi / 2, at(1.002, pi / 4), false},
      {"ccw quarter, far side", 1, 0, pi / 2, at(1, 5 * pi / 4), false},
      {"ccw quarter, start", 1, 0, pi / 2, at(1, 0), true},
      {"ccw quarter, end", 1, 0, pi / 2, at(1, pi / 2), true},
      {"cw long way, far side", -1, 0, pi / 2, at(1, 5 * pi / 4), true},
      {"cw long way, not the short side", -1, 0, pi / 2, at(1, pi / 4), false},
      {"ccw three quarters", 1, 0, 3 * pi / 2, at(1, pi), true},
      {"ccw three quarters, missing quarter", 1, 0, 3 * pi / 2, at(1, 7 * pi / 4), false},
      {"start a hair on the wrong side of the chord", 1, 0, pi / 2, {1 + 3e-8, -3e-8}, true},
      {"zero radius", 0, 0, pi / 2, at(0, 0), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TFormaDaten::PointOnArc(0, 0, c.r, c.a1, c.a2, c.p.X, c.p.Y), c.expected);
  }
  // A centre away from the origin.
  EXPECT_TRUE(TFormaDaten::PointOnArc(100, -50, 10, 0, pi, 100, -40));
  EXPECT_FALSE(TFormaDaten::PointOnArc(100, -50, 10, 0, pi, 100, -60));
}

// ---- DistPointLine3D ----

TEST(DistPointLine3D, DistanceFromTheLineInSpace) {
  struct Case {
    const char* name;
    double x1, y1, z1, x2, y2, z2, x3, y3, z3;
    double expected, tol;
  } const cases[] = {
      {"plane, above the middle", 0, 0, 0, 10, 0, 0, 5, 3, 0, 3, kTol},
      {"plane, beyond the end", 0, 0, 0, 10, 0, 0, 20, -4, 0, 4, kTol},
      {"space, around the Z axis", 0, 0, 0, 0, 0, 10, 3, 4, 5, 5, kTol},
      {"on the line", 0, 0, 0, 10, 10, 0, 3, 3, 0, 0, 0},
      {"on the line, outside the points", 0, 0, 0, 10, 10, 0, -7, -7, 0, 0, 0},
      {"all three the same", 2, 2, 2, 2, 2, 2, 2, 2, 2, 0, 0},
      // No line through one point twice: the distance to that point.
      {"line of one point", 1, 1, 0, 1, 1, 0, 4, 5, 0, 5, kTol},
      {"line shorter than the tolerance", 1, 1, 0, 1 + 5e-8, 1, 0, 1, 1e5 + 1, 0, 1e5, 1e-6},
      // Collinear points whose Heron product rounds to -0.75.
      {"flat triangle rounding below zero", 18117, 78244, 0, 21447, 74692, 0, 26307, 69508, 0, 0,
       0},
      {"huge coordinates", -1e300, 0, 0, 1e300, 0, 0, 0, 3e300, 0, 3e300, 1e286},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(TFormaDaten::DistPointLine3D(c.x1, c.y1, c.z1, c.x2, c.y2, c.z2, c.x3, c.y3, c.z3),
                c.expected, c.tol);
  }
}

// ---- SameSense ----

TEST(SameSense, LinesByDirectionArcsBySweep) {
  struct Case {
    const char* name;
    double e1[6];
    double e2[6];
    bool expected;
  } const cases[] = {
      {"line and arc", {1, 0, 0, 1, 0, 0}, {2, 0, 0, 1, 0, 1}, false},
      {"parallel lines, same way", {1, 0, 0, 1, 1, 0}, {1, 5, 5, 7, 7, 0}, true},
      {"parallel lines, opposite ways", {1, 0, 0, 1, 1, 0}, {1, 7, 7, 5, 5, 0}, false},
      {"lines either side of the 0/2pi seam", {1, 0, 0, 1, 1e-9, 0}, {1, 0, 0, 1, -1e-9, 0}, true},
      {"a line shorter than the tolerance", {1, 0, 0, 1, 0, 0}, {1, 0, 0, 5e-8, 0, 0}, false},
      {"arcs with sweeps 1 and 4", {2, 0, 0, 1, 0, 1}, {2, 0, 0, 1, 0, 4}, false},
      {"arcs with sweeps 1 and 2", {2, 0, 0, 1, 0, 1}, {2, 5, 5, 3, 1, 3}, true},
      {"arcs with sweeps 4 and 5", {2, 0, 0, 1, 0, 4}, {2, 0, 0, 1, 0, 5}, true},
      {"an arc without sweep", {2, 0, 0, 1, 0, 1}, {2, 0, 0, 1, 2, 2}, false},
      {"two elements of another kind", {3, 0, 0, 0, 0, 0}, {3, 1, 2, 3, 4, 5}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TFormaDaten::SameSense(c.e1[0], c.e1[1], c.e1[2], c.e1[3], c.e1[4], c.e1[5],
                                     c.e2[0], c.e2[1], c.e2[2], c.e2[3], c.e2[4], c.e2[5]),
              c.expected);
  }
}

// ---- RotateElement ----

TEST(RotateElement, LineAboutAPole) {
  TFormaDaten daten;
  double kind = 1, v1 = 2, v2 = 1, v3 = 4, v4 = 1, v5 = 42;
  daten.RotateElement(pi / 2, 1, 1, kind, v1, v2, v3, v4, v5);
  EXPECT_EQ(kind, 1);
  EXPECT_NEAR(v1, 1, kTol);
  EXPECT_NEAR(v2, 2, kTol);
  EXPECT_NEAR(v3, 1, kTol);
  EXPECT_NEAR(v4, 4, kTol);
  EXPECT_EQ(v5, 42);
}

TEST(RotateElement, ArcKeepsItsRadiusAndGetsAnglesInOneTurn) {
  TFormaDaten daten;
  // Centre (10, 0), clockwise radius 2 from angle 0 to angle pi/2, a half turn about the origin.
  double kind = 2, v1 = 10, v2 = 0, v3 = -2, v4 = 0, v5 = pi / 2;
  daten.RotateElement(pi, NoValue, NoValue, kind, v1, v2, v3, v4, v5);
  EXPECT_NEAR(v1, -10, kTol);
  EXPECT_NEAR(v2, 0, kTol);
  EXPECT_EQ(v3, -2);
  EXPECT_NEAR(v4, pi, kTol);
  EXPECT_NEAR(v5, 3 * pi / 2, kTol);

  // A start angle past a full turn comes back into [0, 2pi).
  v1 = 0, v2 = 0, v3 = 1, v4 = 7 * pi / 4, v5 = 0.5;
  daten.RotateElement(pi / 2, 0, 0, kind, v1, v2, v3, v4, v5);
  EXPECT_NEAR(v4, pi / 4, kTol);
  EXPECT_NEAR(v5, 0.5 + pi / 2, kTol);
}

TEST(RotateElement, NoAngleOrAnotherKindChangesNothing) {
  TFormaDaten daten;
  double kind = 1, v1 = 2, v2 = 3, v3 = 4, v4 = 5, v5 = 6;
  daten.RotateElement(NoValue, 0, 0, kind, v1, v2, v3, v4, v5);
  daten.RotateElement(0, 0, 0, kind, v1, v2, v3, v4, v5);
  kind = 7;
  daten.RotateElement(1, 0, 0, kind, v1, v2, v3, v4, v5);
  EXPECT_EQ(kind, 7);
  EXPECT_EQ(v1 + v2 + v3 + v4 + v5, 20);
}

// ---- FormatReal ----

TEST(FormatReal, FixedPointWithoutTrailingZeros) {
  struct Case {
    double value;
    int decimals;
    const char* expected;
  } const cases[] = {
      {12.5, 3, "12.5"},
      {2.0, 3, "2"},
      {-0.0004, 3, "0"},
      {0.0000004, 3, "0"},
      {-0.00004, 4, "0"},
      {1.23456789, 6, "1.234568"},
      {100, 3, "100"},
      {100, 0, "100"},
      {-2.5, 1, "-2.5"},
      {-0.4, 0, "0"},
      {0.0000009, 6, "0"},  // below 1e-6 is 0 whatever the decimals
      {0.000001, 6, "0.000001"},
      {-1e-6, 7, "-0.000001"},
      {0.1, 20, "0.10000000000000000555"},  // the exact binary value, not a shortest form
      {1e20, 2, "100000000000000000000"},
      {-65535, 4, "-65535"},
      {0.5, std::numeric_limits<int>::max(), "0.5"},
      {1.5, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " with " << c.decimals);
    EXPECT_EQ(TFormaDaten::FormatReal(c.value, c.decimals), c.expected);
  }
}

TEST(FormatReal, HalvesRoundToTheNearestOfTheExactBinaryValue) {
  EXPECT_EQ(TFormaDaten::FormatReal(0.125, 2), "0.12");  // an exact tie goes to even
  EXPECT_EQ(TFormaDaten::FormatReal(0.375, 2), "0.38");
  EXPECT_EQ(TFormaDaten::FormatReal(2.675, 2), "2.67");  // 2.675 is stored a little below
  EXPECT_EQ(TFormaDaten::FormatReal(1.0005, 3), "1");    // ...and 1.0005 too
  EXPECT_EQ(TFormaDaten::FormatReal(-0.0005, 3), "-0.001");
}

TEST(FormatReal, NotANumberStaysVisibleInTheText) {
  EXPECT_EQ(TFormaDaten::FormatReal(std::numeric_limits<double>::infinity(), 3), "inf");
  EXPECT_EQ(TFormaDaten::FormatReal(-std::numeric_limits<double>::infinity(), 3), "-inf");
  EXPECT_EQ(TFormaDaten::FormatReal(std::numeric_limits<double>::quiet_NaN(), 3), "nan");
}

// A desktop locale with a decimal comma must not reach the program text.
class CommaPoint : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(FormatReal, DoesNotFollowTheLocale) {
  const std::locale oldGlobal = std::locale::global(std::locale(std::locale(), new CommaPoint));
  std::string oldC = std::setlocale(LC_ALL, nullptr);
  bool haveCLocale = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8"}) {
    if (std::setlocale(LC_ALL, name)) {
      haveCLocale = true;
      break;
    }
  }
  const std::string big = TFormaDaten::FormatReal(1234567.25, 3);
  const std::string small = TFormaDaten::FormatReal(-0.5, 4);
  std::setlocale(LC_ALL, oldC.c_str());
  std::locale::global(oldGlobal);
  EXPECT_EQ(big, "1234567.25");
  EXPECT_EQ(small, "-0.5");
  if (!haveCLocale) std::cout << "[ note ] no German or Russian C locale installed; "
                                 "checked with a decimal-comma C++ locale only\n";
}

}  // namespace
}  // namespace movra
