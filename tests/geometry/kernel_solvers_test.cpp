// The kernel solvers that write GeoResult: what they find, which fields they write, and that a
// failing one writes none. The constructions are checked by their constraints (points on their
// circles, tangents perpendicular to radii) as well as by fixed coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "geometry/forma_daten.h"

namespace movra {
namespace {

using PointT = TFormaDaten::PointT;

constexpr double pi = std::numbers::pi;
constexpr double kTol = 1e-9;

double Distance(PointT a, PointT b) { return std::hypot(a.X - b.X, a.Y - b.Y); }
PointT Unit(double angle) { return {std::cos(angle), std::sin(angle)}; }

#define EXPECT_POINT_NEAR(actual, x, y, tol) \
  do {                                       \
    EXPECT_NEAR((actual).X, (x), (tol));     \
    EXPECT_NEAR((actual).Y, (y), (tol));     \
  } while (0)

// Every field starts with a mark, so a test can name the fields a call wrote.
class KernelSolver : public testing::Test {
 protected:
  static constexpr double kMark = -12345.678;

  void SetUp() override {
    TFormaDaten::GeoResultT& g = daten.GeoResult;
    for (double* field : Fields(g)) *field = kMark;
  }

  // The names of the fields that no longer hold the mark, in declaration order.
  std::string Written() {
    TFormaDaten::GeoResultT& g = daten.GeoResult;
    const std::vector<std::pair<const char*, std::vector<double*>>> named = {
        {"Dist", {&g.Dist}},
        {"Angle", {&g.Angle}},
        {"Point", {&g.Point.X, &g.Point.Y}},
        {"Tangent1", {&g.Tangent1.X, &g.Tangent1.Y}},
        {"Tangent2", {&g.Tangent2.X, &g.Tangent2.Y}},
        {"RadialAngle1", {&g.RadialAngle1}},
        {"RadialAngle2", {&g.RadialAngle2}},
        {"ArcCentre", {&g.ArcCentre.X, &g.ArcCentre.Y}},
        {"ArcStart", {&g.ArcStart}},
        {"ArcEnd", {&g.ArcEnd}},
        {"ArcStartRaw", {&g.ArcStartRaw}},
        {"ArcEndRaw", {&g.ArcEndRaw}},
        {"Near", {&g.Near.X, &g.Near.Y}},
        {"Far", {&g.Far.X, &g.Far.Y}},
    };
    std::string names;
    for (const auto& [name, fields] : named) {
      bool changed = false;
      for (const double* f : fields) changed = changed || *f != kMark;
      if (changed) names += names.empty() ? name : std::string(" ") + name;
    }
    return names;
  }

  static std::vector<double*> Fields(TFormaDaten::GeoResultT& g) {
    return {&g.Dist,        &g.Angle,       &g.Point.X,      &g.Point.Y,     &g.Tangent1.X,
            &g.Tangent1.Y,  &g.Tangent2.X,  &g.Tangent2.Y,   &g.RadialAngle1, &g.RadialAngle2,
            &g.ArcCentre.X, &g.ArcCentre.Y, &g.ArcStart,     &g.ArcEnd,      &g.ArcStartRaw,
            &g.ArcEndRaw,   &g.Near.X,      &g.Near.Y,       &g.Far.X,       &g.Far.Y};
  }

  TFormaDaten daten;
  const TFormaDaten::GeoResultT& r = daten.GeoResult;
};

// ---- LineCircleIntersect ----

TEST_F(KernelSolver, LineCircleIntersectOrdersThePointsAlongTheLine) {
  ASSERT_TRUE(daten.LineCircleIntersect(-5, 0, 0, 0, 0, 0, 1, 0));
  EXPECT_EQ(Written(), "Near Far");
  EXPECT_POINT_NEAR(r.Near, -1, 0, kTol);
  EXPECT_POINT_NEAR(r.Far, 1, 0, kTol);

  // Running the other way meets (1, 0) first, though (-1, 0) is nearer to the given point.
  ASSERT_TRUE(daten.LineCircleIntersect(-5, 0, 0, pi, 0, 0, 1, 0));
  EXPECT_POINT_NEAR(r.Near, 1, 0, kTol);
  EXPECT_POINT_NEAR(r.Far, -1, 0, kTol);
}

TEST_F(KernelSolver, LineCircleIntersectMovesTheLineRightAndShrinksTheCircle) {
  struct Case {
    const char* name;
    double shift, eq;
    double lineY, radius;  // the moved line y = lineY, the reduced circle
  } const cases[] = {
      {"shift to the right of +X", 0.5, 0, -0.5, 1},
      {"shift to the left", -0.5, 0, 0.5, 1},
      {"equidistant moves the line left and shrinks the circle", 0, 0.2, 0.2, 0.8},
      {"both", 0.3, 0.1, -0.2, 0.9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(daten.LineCircleIntersect(-5, 0, c.shift, 0, 0, 0, 1, c.eq));
    const double x = std::sqrt(c.radius * c.radius - c.lineY * c.lineY);
    EXPECT_POINT_NEAR(r.Near, -x, c.lineY, kTol);
    EXPECT_POINT_NEAR(r.Far, x, c.lineY, kTol);
  }
}

TEST_F(KernelSolver, LineCircleIntersectPointsLieOnLineAndCircle) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> coordinate(-50, 50), angle(-7, 7), size(0.1, 30);
  int hits = 0;
  for (int i = 0; i < 2000; ++i) {
    const double x = coordinate(random), y = coordinate(random), a = angle(random);
    const double cx = coordinate(random) / 5, cy = coordinate(random) / 5, radius = size(random);
    const double shift = coordinate(random) / 10, eq = coordinate(random) / 50;
    if (!daten.LineCircleIntersect(x, y, shift, a, cx, cy, radius, eq)) continue;
    ++hits;
    const PointT u = Unit(a);
    const PointT o{x + (shift - eq) * u.Y, y - (shift - eq) * u.X};  // the moved line
    for (const PointT p : {r.Near, r.Far}) {
      ASSERT_NEAR(Distance(p, {cx, cy}), std::fabs(radius - eq), 1e-7);
      ASSERT_NEAR((p.X - o.X) * u.Y - (p.Y - o.Y) * u.X, 0.0, 1e-9);
    }
    // Near comes first along the direction.
    ASSERT_LE((r.Near.X - r.Far.X) * u.X + (r.Near.Y - r.Far.Y) * u.Y, 1e-9);
  }
  EXPECT_GT(hits, 100);
}

TEST_F(KernelSolver, LineCircleIntersectTouchingLineSucceedsOutsideLineFails) {
  // y = 1 touches the unit circle: two points close together around (0, 1).
  ASSERT_TRUE(daten.LineCircleIntersect(-5, 1, 0, 0, 0, 0, 1, 0));
  EXPECT_POINT_NEAR(r.Near, 0, 1, 1e-3);
  EXPECT_POINT_NEAR(r.Far, 0, 1, 1e-3);
  EXPECT_LE(r.Near.X, r.Far.X);

  SetUp();
  EXPECT_FALSE(daten.LineCircleIntersect(-5, 1.001, 0, 0, 0, 0, 1, 0));
  // A circle so far away that the squares overflow.
  EXPECT_FALSE(daten.LineCircleIntersect(0, 0, 0, 0, 1e200, 0, 1e200, 0));
  EXPECT_EQ(Written(), "");
}

// ---- OffsetLinesIntersect ----

TEST_F(KernelSolver, OffsetLinesIntersectFilletOfTheAxes) {
  ASSERT_TRUE(daten.OffsetLinesIntersect(0, 0, 0, 0, 0, pi / 2, 1));
  EXPECT_EQ(Written(), "Point Tangent1 Tangent2");
  EXPECT_POINT_NEAR(r.Point, -1, 1, kTol);
  EXPECT_POINT_NEAR(r.Tangent1, -1, 0, kTol);
  EXPECT_POINT_NEAR(r.Tangent2, 0, 1, kTol);

  // D = 0 is the plain intersection, and the feet are the point itself.
  ASSERT_TRUE(daten.OffsetLinesIntersect(0, 2, -pi / 4, 10, 0, pi / 2, 0));
  EXPECT_POINT_NEAR(r.Point, 10, -8, kTol);
  EXPECT_POINT_NEAR(r.Tangent1, 10, -8, kTol);
  EXPECT_POINT_NEAR(r.Tangent2, 10, -8, kTol);
}

TEST_F(KernelSolver, OffsetLinesIntersectCentreIsDFromBothLinesWithTheFeetOnThem) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> coordinate(-100, 100), angle(-7, 7), offset(-20, 20);
  for (int i = 0; i < 2000; ++i) {
    const double x1 = coordinate(random), y1 = coordinate(random), a1 = angle(random);
    const double x2 = coordinate(random), y2 = coordinate(random), a2 = angle(random);
    const double d = offset(random);
    if (std::fabs(std::sin(a1 - a2)) < 0.05) continue;  // keep the point near the lines
    ASSERT_TRUE(daten.OffsetLinesIntersect(x1, y1, a1, x2, y2, a2, d));
    const auto leftOf = [](PointT p, double x, double y, double a) {
      return std::cos(a) * (p.Y - y) - std::sin(a) * (p.X - x);
    };
    const double tol = 1e-7;
    ASSERT_NEAR(leftOf(r.Point, x1, y1, a1), d, tol);
    ASSERT_NEAR(leftOf(r.Point, x2, y2, a2), d, tol);
    ASSERT_NEAR(leftOf(r.Tangent1, x1, y1, a1), 0, tol);
    ASSERT_NEAR(leftOf(r.Tangent2, x2, y2, a2), 0, tol);
    ASSERT_NEAR(Distance(r.Point, r.Tangent1), std::fabs(d), tol);
    ASSERT_NEAR(Distance(r.Point, r.Tangent2), std::fabs(d), tol);
  }
}

TEST_F(KernelSolver, OffsetLinesIntersectParallelLinesFailAndWriteNothing) {
  struct Case {
    const char* name;
    double a1, a2;
  } const cases[] = {
      {"same direction", 0.3, 0.3},
      {"a full turn apart", 0.3, 0.3 + 2 * pi},
      // The sine of pi is about 1e-16: without a tolerance the point lies some 1e16 away.
      {"opposite directions", 0, pi},
      {"opposite, slanted", 1, 1 + pi},
      {"opposite up to 1e-14", 0, pi - 1e-14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(daten.OffsetLinesIntersect(0, 0, c.a1, 0, 1, c.a2, 0.5));
    EXPECT_EQ(Written(), "");
  }
  // Lines 1e-9 rad apart still meet, however far away.
  ASSERT_TRUE(daten.OffsetLinesIntersect(0, 0, 0, 0, 1, 1e-9, 0));
  EXPECT_NEAR(r.Point.X, -1e9, 1);
}

TEST_F(KernelSolver, OffsetLinesIntersectAnInfiniteResultFails) {
  // The first line moved beyond the largest real.
  EXPECT_FALSE(daten.OffsetLinesIntersect(1.7e308, 0, pi / 2, 0, 0, 0, -1e308));
  // Lines 1e-11 rad apart, 1e300 apart: they would meet some 1e311 away.
  EXPECT_FALSE(daten.OffsetLinesIntersect(0, 0, 0, 0, 1e300, 1e-11, 0));
  EXPECT_EQ(Written(), "");
}

// ---- TangentTwoCircles ----

TEST_F(KernelSolver, TangentTwoCirclesOuterTangentOfTwoCounterClockwiseCircles) {
  ASSERT_TRUE(daten.TangentTwoCircles(0, 0, 1, 10, 0, 1));
  EXPECT_EQ(Written(), "Dist Angle Tangent1 Tangent2 RadialAngle1 RadialAngle2");
  EXPECT_POINT_NEAR(r.Tangent1, 0, -1, kTol);
  EXPECT_POINT_NEAR(r.Tangent2, 10, -1, kTol);
  EXPECT_NEAR(r.Dist, 10, kTol);
  EXPECT_NEAR(r.Angle, 0, kTol);
  EXPECT_NEAR(r.RadialAngle1, -pi / 2, kTol);
  EXPECT_NEAR(r.RadialAngle2, -pi / 2, kTol);
}

// A tangent of circle i leaves or reaches it at Ti, perpendicular to the radius and running in
// the circle's own sense.
void ExpectTangentOf(PointT c, double radius, PointT t, double angle, double radial) {
  EXPECT_NEAR(Distance(c, t), std::fabs(radius), 1e-9);
  if (radius == 0) {
    EXPECT_TRUE(TFormaDaten::SameDirection(radial, angle, 1e-12));
    return;
  }
  // (T - C) turned left by a quarter and divided by the signed radius is the running direction.
  const PointT run{-(t.Y - c.Y) / radius, (t.X - c.X) / radius};
  EXPECT_NEAR(run.X, std::cos(angle), 1e-9);
  EXPECT_NEAR(run.Y, std::sin(angle), 1e-9);
  EXPECT_TRUE(TFormaDaten::SameDirection(radial, std::atan2(t.Y - c.Y, t.X - c.X), 1e-9));
}

TEST_F(KernelSolver, TangentTwoCirclesTouchesBothCirclesInTheirSense) {
  struct Case {
    const char* name;
    double x1, y1, r1, x2, y2, r2;
  } const cases[] = {
      {"outer, ccw ccw", 0, 0, 1, 10, 0, 1},
      {"outer, different radii", 0, 0, 3, 10, 4, 1},
      {"outer, cw cw", -2, 5, -2, 8, -3, -4},
      {"crossed, ccw cw", 0, 0, 1, 10, 0, -1},
      {"crossed, cw ccw", 3, 3, -2, -7, 1, 2.5},
      {"from a point to a ccw circle", 0, 0, 0, 10, 0, 3},
      {"from a cw circle to a point", 0, 0, -3, -10, 2, 0},
      {"point to point", 1, 2, 0, 4, 6, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(daten.TangentTwoCircles(c.x1, c.y1, c.r1, c.x2, c.y2, c.r2));
    ExpectTangentOf({c.x1, c.y1}, c.r1, r.Tangent1, r.Angle, r.RadialAngle1);
    ExpectTangentOf({c.x2, c.y2}, c.r2, r.Tangent2, r.Angle, r.RadialAngle2);
    EXPECT_NEAR(Distance(r.Tangent1, r.Tangent2), r.Dist, 1e-9);
    EXPECT_TRUE(TFormaDaten::SameDirection(
        std::atan2(r.Tangent2.Y - r.Tangent1.Y, r.Tangent2.X - r.Tangent1.X), r.Angle, 1e-9));
  }
}

TEST_F(KernelSolver, TangentTwoCirclesTouchingCirclesGiveTheTouchingPoint) {
  // Centres |R2 - R1| apart: the tangent of length 0 at the point where the circles touch,
  // the limit of the general rule for centres a hair further apart.
  struct Case {
    const char* name;
    double x1, y1, r1, x2, y2, r2;
    PointT touch;
    double angle;
  } const cases[] = {
      {"ccw inside a larger ccw", 0, 0, 1, 2, 0, 3, {-1, 0}, -pi / 2},
      {"cw inside a larger cw", 0, 0, -1, 2, 0, -3, {-1, 0}, pi / 2},
      {"larger ccw around a smaller", 0, 0, 3, 2, 0, 1, {3, 0}, pi / 2},
      {"point on a cw circle", 0, 0, 0, 1, 0, -1, {0, 0}, pi / 2},
      {"point on a ccw circle", 0, 0, 0, 0, 1, 1, {0, 0}, 0},
      {"ccw circle through a point", 0, 0, 2, 0, 2, 0, {0, 2}, pi},
      {"one ccw circle twice", 5, 5, 2, 5, 5, 2, {7, 5}, pi / 2},
      {"one cw circle twice", 5, 5, -2, 5, 5, -2, {7, 5}, -pi / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(daten.TangentTwoCircles(c.x1, c.y1, c.r1, c.x2, c.y2, c.r2));
    EXPECT_EQ(r.Dist, 0);
    EXPECT_POINT_NEAR(r.Tangent1, c.touch.X, c.touch.Y, kTol);
    EXPECT_POINT_NEAR(r.Tangent2, c.touch.X, c.touch.Y, kTol);
    EXPECT_TRUE(TFormaDaten::SameDirection(r.Angle, c.angle, kTol)) << r.Angle;
    ExpectTangentOf({c.x1, c.y1}, c.r1, r.Tangent1, r.Angle, r.RadialAngle1);
    ExpectTangentOf({c.x2, c.y2}, c.r2, r.Tangent2, r.Angle, r.RadialAngle2);

    // Nudged a hair apart, the general rule gives nearly the same tangent.
    const double away = 1e-9;
    const double dx = c.x2 - c.x1, dy = c.y2 - c.y1, l = std::hypot(dx, dy);
    if (l == 0) continue;
    ASSERT_TRUE(daten.TangentTwoCircles(c.x1, c.y1, c.r1, c.x2 + away * dx / l,
                                        c.y2 + away * dy / l, c.r2));
    EXPECT_POINT_NEAR(r.Tangent1, c.touch.X, c.touch.Y, 1e-3);
    EXPECT_TRUE(TFormaDaten::SameDirection(r.Angle, c.angle, 1e-3)) << r.Angle;
  }
}

TEST_F(KernelSolver, TangentTwoCirclesFailsForNestedCirclesAndInfiniteLengths) {
  EXPECT_FALSE(daten.TangentTwoCircles(0, 0, 1, 1, 0, 3));  // centres closer than |R2 - R1|
  EXPECT_FALSE(daten.TangentTwoCircles(0, 0, -5, 0.5, 0.5, -1));
  EXPECT_FALSE(daten.TangentTwoCircles(-1e300, 0, 1, 1e300, 0, 1));  // length overflows
  EXPECT_EQ(Written(), "");
}

// ---- ArcTangentTwoCircles ----

TEST_F(KernelSolver, ArcTangentTwoCirclesWithZeroRadiusIntersectsTheCircles) {
  ASSERT_TRUE(daten.ArcTangentTwoCircles(0, 0, 5, 8, 0, 5, 0, 1));
  EXPECT_EQ(Written(), "Dist Angle ArcCentre ArcStart ArcEnd ArcStartRaw ArcEndRaw");
  EXPECT_POINT_NEAR(r.ArcCentre, 4, -3, kTol);  // right of the way C1 -> C2
  EXPECT_NEAR(r.Dist, 5, kTol);                  // arc centre to C2, left by DistAngle
  EXPECT_EQ(r.Angle, r.ArcEndRaw);

  ASSERT_TRUE(daten.ArcTangentTwoCircles(0, 0, 5, 8, 0, 5, 0, 2));
  EXPECT_POINT_NEAR(r.ArcCentre, 4, 3, kTol);  // left of it
  for (const int mode : {0, 7, -1}) {
    SCOPED_TRACE(testing::Message() << "mode " << mode << " acts as 1");
    ASSERT_TRUE(daten.ArcTangentTwoCircles(0, 0, 5, 8, 0, 5, 0, mode));
    EXPECT_POINT_NEAR(r.ArcCentre, 4, -3, kTol);
  }
}

TEST_F(KernelSolver, ArcTangentTwoCirclesIntersectionLiesOnBothCircles) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> coordinate(-50, 50), size(0.5, 40);
  int found = 0;
  for (int i = 0; i < 3000; ++i) {
    const double x1 = coordinate(random), y1 = coordinate(random), r1 = size(random);
    const double x2 = coordinate(random), y2 = coordinate(random), r2 = size(random);
    const double l = std::hypot(x2 - x1, y2 - y1);
    if (l > r1 + r2 - 1e-3 || l < std::fabs(r1 - r2) + 1e-3) continue;  // clearly cutting
    ++found;
    for (const int mode : {1, 2}) {
      ASSERT_TRUE(daten.ArcTangentTwoCircles(x1, y1, r1, x2, y2, r2, 0, mode));
      ASSERT_NEAR(Distance(r.ArcCentre, {x1, y1}), r1, 1e-7);
      ASSERT_NEAR(Distance(r.ArcCentre, {x2, y2}), r2, 1e-7);
      const double side = (x2 - x1) * (r.ArcCentre.Y - y1) - (y2 - y1) * (r.ArcCentre.X - x1);
      ASSERT_TRUE(mode == 1 ? side <= 1e-9 : side >= -1e-9) << "mode " << mode;
    }
  }
  EXPECT_GT(found, 200);
}

TEST_F(KernelSolver, ArcTangentTwoCirclesArcThroughTwoPoints) {
  const double h = std::sqrt(24.0);
  struct Case {
    const char* name;
    double radius;
    int mode;
    PointT centre;
    bool longWay;
  } const cases[] = {
      {"ccw, mode 1: the short arc", 5, 1, {1, h}, false},
      {"ccw, mode 2: the long arc", 5, 2, {1, -h}, true},
      {"cw, mode 1: the short arc", -5, 1, {1, -h}, false},
      {"cw, mode 2: the long arc", -5, 2, {1, h}, true},
      {"half circle", 1, 1, {1, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(daten.ArcTangentTwoCircles(0, 0, 0, 2, 0, 0, c.radius, c.mode));
    EXPECT_POINT_NEAR(r.ArcCentre, c.centre.X, c.centre.Y, 1e-7);
    EXPECT_EQ(r.ArcStart, r.ArcStartRaw);  // a point has no sign to oppose
    EXPECT_EQ(r.ArcEnd, r.ArcEndRaw);
    // The arc from the raw angles runs from the first point to the second.
    double sx, sy, ex, ey;
    TFormaDaten::ElementEndPoints(2, r.ArcCentre.X, r.ArcCentre.Y, c.radius, r.ArcStartRaw,
                                  r.ArcEndRaw, sx, sy, ex, ey);
    EXPECT_POINT_NEAR(PointT({sx, sy}), 0, 0, 1e-7);
    EXPECT_POINT_NEAR(PointT({ex, ey}), 2, 0, 1e-7);
    const double sweep = std::fabs(TFormaDaten::ArcSweep(c.radius, r.ArcStartRaw, r.ArcEndRaw));
    EXPECT_EQ(sweep > pi + 1e-7, c.longWay) << sweep;
  }
}

TEST_F(KernelSolver, ArcTangentTwoCirclesFilletTouchesBothCircles) {
  // The base-circle arc ends at ArcStart where the fillet starts at ArcStartRaw, and the
  // fillet ends at ArcEndRaw where the next base circle goes on from ArcEnd.
  struct Case {
    const char* name;
    double r1, r2, radius;
  } const cases[] = {
      {"cw fillet outside two ccw circles", 1, 1, -6},
      {"ccw fillet around two ccw circles", 1, 1, 20},
      {"cw fillet from a ccw to a cw circle", 1, -1, -6},
      {"ccw fillet outside two cw circles", -2, -1.5, 7},
  };
  for (const Case& c : cases) {
    for (const int mode : {1, 2}) {
      SCOPED_TRACE(testing::Message() << c.name << ", mode " << mode);
      const PointT c1{0, 0}, c2{10, 0};
      ASSERT_TRUE(daten.ArcTangentTwoCircles(c1.X, c1.Y, c.r1, c2.X, c2.Y, c.r2, c.radius, mode));
      const PointT centre = r.ArcCentre;
      EXPECT_NEAR(Distance(centre, c1), std::fabs(c.r1 - c.radius), 1e-9);
      EXPECT_NEAR(Distance(centre, c2), std::fabs(c.r2 - c.radius), 1e-9);
      const double ar = std::fabs(c.radius);
      const PointT onBase1{c1.X + std::fabs(c.r1) * std::cos(r.ArcStart),
                           c1.Y + std::fabs(c.r1) * std::sin(r.ArcStart)};
      const PointT onArc1{centre.X + ar * std::cos(r.ArcStartRaw),
                          centre.Y + ar * std::sin(r.ArcStartRaw)};
      EXPECT_NEAR(Distance(onBase1, onArc1), 0, 1e-9);
      const PointT onBase2{c2.X + std::fabs(c.r2) * std::cos(r.ArcEnd),
                           c2.Y + std::fabs(c.r2) * std::sin(r.ArcEnd)};
      const PointT onArc2{centre.X + ar * std::cos(r.ArcEndRaw),
                          centre.Y + ar * std::sin(r.ArcEndRaw)};
      EXPECT_NEAR(Distance(onBase2, onArc2), 0, 1e-9);
    }
  }
}

TEST_F(KernelSolver, ArcTangentTwoCirclesCentreStaysOnTheCentreLineWithinTheSlack) {
  struct Case {
    const char* name;
    double x1, r1, x2, r2, radius;
    double centreX;
  } const cases[] = {
      // Two unit circles a tenth of a micron too far apart to touch.
      {"cosine a hair above 1", 0, 1, 2.0001, 1, 0, 1},
      // A unit circle a hair outside the circle of radius 2 it should touch from inside.
      {"cosine a hair below -1", 0.99995, 1, 0, 2, 0, 1.99995},
      // Radius 0.995 between two points 2 apart: a half circle, forgiven up to 0.01.
      {"half circle with a radius a little short", 0, 0, 2, 0, 0.995, 0.995},
  };
  for (const Case& c : cases) {
    for (const int mode : {1, 2}) {
      SCOPED_TRACE(testing::Message() << c.name << ", mode " << mode);
      ASSERT_TRUE(daten.ArcTangentTwoCircles(c.x1, 0, c.r1, c.x2, 0, c.r2, c.radius, mode));
      EXPECT_NEAR(r.ArcCentre.X, c.centreX, 1e-9);
      EXPECT_NEAR(r.ArcCentre.Y, 0, 1e-12);
    }
  }
}

TEST_F(KernelSolver, ArcTangentTwoCirclesFailuresWriteNothing) {
  struct Case {
    const char* name;
    double x1, y1, r1, x2, y2, r2, radius;
  } const cases[] = {
      {"same centre", 1, 1, 2, 1, 1, 5, 0},
      {"radius equal to the first within 1e-6", 0, 0, 5, 8, 0, 5, 5 + 5e-7},
      {"circles too far apart", 0, 0, 1, 10, 0, 1, 0},
      {"circle inside the other, cosine far above 1", 0, 0, 10, 1, 0, 1, 0},
      {"circle inside the other, cosine far below -1", 1, 0, 1, 0, 0, 10, 0},
      {"half circle radius more than 0.01 short", 0, 0, 0, 2, 0, 0, 0.98},
      {"coordinates whose squares overflow", -1e200, 0, 1, 1e200, 0, 1, 1e200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(daten.ArcTangentTwoCircles(c.x1, c.y1, c.r1, c.x2, c.y2, c.r2, c.radius, 1));
    EXPECT_FALSE(daten.ArcTangentTwoCircles(c.x1, c.y1, c.r1, c.x2, c.y2, c.r2, c.radius, 2));
    EXPECT_EQ(Written(), "");
  }
}

}  // namespace
}  // namespace movra
