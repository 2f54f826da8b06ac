// The plane-geometry solvers and the number formatter of the shared data.
//
// A solver with several results computes them all first and writes GeoResult only when it
// succeeds and every value it would write is finite; a failing solver leaves GeoResult as it was.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <system_error>

#include "geometry/forma_daten.h"
#include "geometry/tolerances.h"

namespace movra {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2;
constexpr double kThreeHalfPi = std::numbers::pi * 1.5;
constexpr double kTwoPi = std::numbers::pi * 2;

// DistAngle keeps distances down to this before it calls them 0.
constexpr double kDistAngleZero = 1e-9;
// An arc whose short way ends this far from its end angle runs the long way round.
constexpr double kSweepArrive = 1e-10;
// A point this close to a circle lies on it, for PointOnArc.
constexpr double kOnCircle = 0.001;
// Lines whose directions have a smaller sine between them are parallel: antiparallel lines
// give a sine of about 1e-16 and would otherwise meet some 1e16 away.
constexpr double kParallelSine = 1e-12;
// An arc centre closer than this to the first centre leaves no arc to build.
constexpr double kMinCentreOffset = 1e-6;
// The cosine at the first centre may overshoot 1 by CosineSlack from rounding of the input...
// ...and by any amount for a half circle through two points, where |R| is L/2 to this.
constexpr double kHalfCircleSlack = 0.01;
// Values smaller than this are written as 0.
constexpr double kFormatZero = 1e-6;
// A double has at most 1074 binary places after the point; more decimals add only zeros.
constexpr int kMaxFormatDecimals = 1074;
// Beyond this size DistPointLine3D works at a power-of-two scale so that Heron's product of
// four lengths does not overflow.
constexpr double kHugeCoordinate = 1e75;

// sqrt(dx^2 + dy^2); hypot only when the squares overflow, as it is slower.
double Length(double dx, double dy) {
  const double d = std::sqrt(dx * dx + dy * dy);
  return std::isfinite(d) ? d : std::hypot(dx, dy);
}

bool AllFinite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

struct DistDir {
  double Dist;
  double Angle;
};

// What DistAngle writes, without writing it.
DistDir DistAngleOf(double X1, double Y1, double X2, double Y2) {
  double d = Length(X2 - X1, Y2 - Y1);
  if (d < kDistAngleZero) d = 0.0;
  return {d, TFormaDaten::DirAngle(X1, Y1, X2, Y2)};
}

bool StrictlyOpposite(double A, double B) { return (A > 0 && B < 0) || (A < 0 && B > 0); }

}  // namespace

double TFormaDaten::Dist(double X1, double Y1, double X2, double Y2) {
  const double d = Length(X1 - X2, Y1 - Y2);
  return d < Same ? 0.0 : d;
}

double TFormaDaten::DirAngle(double X1, double Y1, double X2, double Y2) {
  double dx = std::fabs(X2 - X1);
  double dy = std::fabs(Y2 - Y1);
  if (!std::isfinite(dx) || !std::isfinite(dy)) {
    // The difference of two huge coordinates overflows; half of each keeps the ratio.
    dx = std::fabs(X2 * 0.5 - X1 * 0.5);
    dy = std::fabs(Y2 * 0.5 - Y1 * 0.5);
  }
  double a;
  if (X2 > X1 && Y2 >= Y1) {
    a = std::atan(dy / dx);
  } else if (X2 <= X1 && Y2 > Y1) {
    a = std::atan(dx / dy) + kHalfPi;
  } else if (X2 < X1 && Y2 <= Y1) {
    a = std::atan(dy / dx) + kPi;
  } else if (X2 >= X1 && Y2 < Y1) {
    a = std::atan(dx / dy) + kThreeHalfPi;
  } else {
    return 0.0;
  }
  // A way a hair below the +X axis rounds up to a full turn: that direction is 0.
  return a < kTwoPi ? a : 0.0;
}

bool TFormaDaten::SameDirection(double A1, double A2, double Tol) {
  return std::fabs(std::remainder(A1 - A2, kTwoPi)) <= Tol;
}

void TFormaDaten::DistAngle(double X1, double Y1, double X2, double Y2) {
  const DistDir r = DistAngleOf(X1, Y1, X2, Y2);
  GeoResult.Dist = r.Dist;
  GeoResult.Angle = r.Angle;
}

void TFormaDaten::ArcSweep(double R, double A1, double A2, double& Sweep) {
  const double c = Length(std::cos(A1) - std::cos(A2), std::sin(A1) - std::sin(A2));
  // Two opposite unit points can come out a hair more than 2 apart.
  const double s = 2.0 * std::asin(std::min(c / 2.0, 1.0));
  double sweep = R >= 0 ? s : -s;
  const double miss =
      Length(std::cos(A1 + sweep) - std::cos(A2), std::sin(A1 + sweep) - std::sin(A2));
  if (miss >= kSweepArrive) sweep = R > 0 ? kTwoPi - sweep : -(sweep + kTwoPi);
  Sweep = sweep;
}

double TFormaDaten::ArcSweep(double R, double A1, double A2) {
  double sweep = 0.0;
  ArcSweep(R, A1, A2, sweep);
  return sweep;
}

int TFormaDaten::TurnSenseTest(double R, double A1, double A2) {
  const double c1 = 10.0 * std::cos(A1), s1 = 10.0 * std::sin(A1);
  const double c2 = 10.0 * std::cos(A2), s2 = 10.0 * std::sin(A2);
  const double c = Length(c1 - c2, s1 - s2);
  // Same or opposite direction: no short turn. More than 20 apart is opposite up to rounding.
  if (c == 0.0 || c >= 20.0) return -1;
  const double turn = 2.0 * std::asin(std::min(c / 2.0 / 10.0, 1.0));
  const double t = R >= 0 ? A1 + turn : A1 - turn;
  const bool arrives =
      std::fabs(10.0 * std::cos(t) - c2) < Same && std::fabs(10.0 * std::sin(t) - s2) < Same;
  return arrives ? 0 : -1;
}

void TFormaDaten::ElementEndPoints(double Kind, double V1, double V2, double V3, double V4,
                                   double V5, double& X1, double& Y1, double& X2, double& Y2) {
  if (Kind == 1) {
    X1 = V1;
    Y1 = V2;
    X2 = V3;
    Y2 = V4;
  } else if (Kind == 2) {
    const double r = std::fabs(V3);
    X1 = V1 + r * std::cos(V4);
    Y1 = V2 + r * std::sin(V4);
    X2 = V1 + r * std::cos(V5);
    Y2 = V2 + r * std::sin(V5);
  }
}

bool TFormaDaten::PointOnSegment(double X1, double Y1, double X2, double Y2, double PX,
                                 double PY) {
  const double l = Length(X2 - X1, Y2 - Y1);
  const double a = Length(PX - X1, PY - Y1);
  const double b = Length(PX - X2, PY - Y2);
  return a < Same || b < Same || std::fabs(l - a - b) <= Same;
}

bool TFormaDaten::PointOnArc(double CX, double CY, double R, double A1, double A2, double PX,
                             double PY) {
  if (R == 0) return false;
  const double r = std::fabs(R);
  if (std::fabs(Length(PX - CX, PY - CY) - r) > kOnCircle) return false;
  const double sx = CX + r * std::cos(A1), sy = CY + r * std::sin(A1);
  const double ex = CX + r * std::cos(A2), ey = CY + r * std::sin(A2);
  // The end points themselves, even when rounding puts them on the wrong side of the chord.
  if (Length(PX - sx, PY - sy) < Same || Length(PX - ex, PY - ey) < Same) return true;
  // A counter-clockwise arc lies right of its chord S->E, a clockwise one left of it.
  const double h = DirAngle(sx, sy, ex, ey);
  const double hx = std::cos(h), hy = std::sin(h);
  const double along = (PX - sx) * hx + (PY - sy) * hy;
  const double fx = sx + along * hx, fy = sy + along * hy;
  const double w = Length(PX - fx, PY - fy);
  const double n = R > 0 ? h - kHalfPi : h + kHalfPi;
  return Length(PX - (fx + w * std::cos(n)), PY - (fy + w * std::sin(n))) <= Same;
}

double TFormaDaten::DistPointLine3D(double X1, double Y1, double Z1, double X2, double Y2,
                                    double Z2, double X3, double Y3, double Z3) {
  // Huge coordinates are brought down by a power of two, which is exact; lengths are then
  // scaled back with ldexp before every comparison.
  const double biggest = std::max({std::fabs(X1), std::fabs(Y1), std::fabs(Z1), std::fabs(X2),
                                   std::fabs(Y2), std::fabs(Z2), std::fabs(X3), std::fabs(Y3),
                                   std::fabs(Z3)});
  const int e = biggest > kHugeCoordinate ? std::ilogb(biggest) : 0;
  const auto length3 = [e](double x1, double y1, double z1, double x2, double y2, double z2) {
    const double dx = std::ldexp(x2, -e) - std::ldexp(x1, -e);
    const double dy = std::ldexp(y2, -e) - std::ldexp(y1, -e);
    const double dz = std::ldexp(z2, -e) - std::ldexp(z1, -e);
    return std::sqrt(dx * dx + dy * dy + dz * dz);
  };
  const double a = length3(X1, Y1, Z1, X2, Y2, Z2);
  const double b = length3(X1, Y1, Z1, X3, Y3, Z3);
  const double c = length3(X2, Y2, Z2, X3, Y3, Z3);
  if (std::ldexp(std::fabs(a + b + c), e) < Same) return 0.0;
  // No line through two points that coincide: the distance to that point.
  if (std::ldexp(a, e) < Same) return std::ldexp(b, e);
  const double s = (a + b + c) / 2.0;
  // Heron's squared area. Rounding can take a flat triangle's product below 0: that is a
  // point on the line as well, not a root of a negative number.
  const double q = s * (s - a) * (s - b) * (s - c);
  if (std::ldexp(q, 4 * e) < Same) return 0.0;
  return std::ldexp(2.0 * std::sqrt(q) / a, e);
}

bool TFormaDaten::LineCircleIntersect(double X, double Y, double Shift, double Angle, double CX,
                                      double CY, double R, double Eq) {
  const double ux = std::cos(Angle), uy = std::sin(Angle);
  // Moved to the right of its direction, (cos, sin)(Angle - pi/2) = (sin, -cos)(Angle).
  const double ox = X + (Shift - Eq) * uy;
  const double oy = Y - (Shift - Eq) * ux;
  const double rho = R - Eq;
  const double wx = CX - ox, wy = CY - oy;
  const double k = 2.0 * (ux * wx + uy * wy);
  double q = wx * wx + wy * wy - rho * rho;
  // A line that touches within the tolerance cuts in two close points.
  if (std::fabs(k * k / 4.0 - q) < Same) q -= Same;
  const double disc = k * k / 4.0 - q;
  if (disc < 0) return false;
  const double root = std::sqrt(disc);
  const double t1 = k / 2.0 - root, t2 = k / 2.0 + root;
  const PointT nearPoint{ox + t1 * ux, oy + t1 * uy};
  const PointT farPoint{ox + t2 * ux, oy + t2 * uy};
  if (!AllFinite({nearPoint.X, nearPoint.Y, farPoint.X, farPoint.Y})) return false;
  GeoResult.Near = nearPoint;
  GeoResult.Far = farPoint;
  return true;
}

bool TFormaDaten::OffsetLinesIntersect(double X1, double Y1, double A1, double X2, double Y2,
                                       double A2, double D) {
  const double c1 = std::cos(A1), s1 = std::sin(A1);
  const double c2 = std::cos(A2), s2 = std::sin(A2);
  const double sine = -c1 * s2 + s1 * c2;
  if (std::fabs(sine) < kParallelSine) return false;
  // Each line moved along its left normal, (cos, sin)(A + pi/2) = (-sin, cos)(A).
  const double p1x = X1 - D * s1, p1y = Y1 + D * c1;
  const double p2x = X2 - D * s2, p2y = Y2 + D * c2;
  // P1' + t u1 = P2' + s u2, solved for t by crossing with u2.
  const double t = ((p2x - p1x) * s2 - (p2y - p1y) * c2) / -sine;
  const PointT point{p1x + t * c1, p1y + t * s1};
  // Back along the right normals, (cos, sin)(A - pi/2) = (sin, -cos)(A), to the given lines.
  const PointT tangent1{point.X + D * s1, point.Y - D * c1};
  const PointT tangent2{point.X + D * s2, point.Y - D * c2};
  if (!AllFinite({point.X, point.Y, tangent1.X, tangent1.Y, tangent2.X, tangent2.Y})) {
    return false;
  }
  GeoResult.Point = point;
  GeoResult.Tangent1 = tangent1;
  GeoResult.Tangent2 = tangent2;
  return true;
}

bool TFormaDaten::TangentTwoCircles(double X1, double Y1, double R1, double X2, double Y2,
                                    double R2) {
  double v = DirAngle(X1, Y1, X2, Y2);
  const double l = Length(X2 - X1, Y2 - Y1);
  const double q = l * l - (R2 - R1) * (R2 - R1);
  if (q < 0) return false;
  if (q > 0) {
    v += std::atan((R1 - R2) / std::sqrt(q));
  } else if (R1 != R2) {
    // The circles touch: the tangent at the touching point, where the general rule tends
    // as q goes to 0, so that both tangent points are that one point.
    v += R1 > R2 ? kHalfPi : -kHalfPi;
  } else {
    // One circle twice: the tangent at its point at angle 0, in the circle's sense.
    v += R1 > 0 ? kHalfPi : -kHalfPi;
  }
  const double n = v - kHalfPi;
  const double cn = std::cos(n), sn = std::sin(n);
  const PointT tangent1{X1 + R1 * cn, Y1 + R1 * sn};
  const PointT tangent2{X2 + R2 * cn, Y2 + R2 * sn};
  const auto radial = [v](double r) { return r == 0 ? v : (r > 0 ? v - kHalfPi : v + kHalfPi); };
  const double dist = std::sqrt(q);
  if (!AllFinite({v, dist, tangent1.X, tangent1.Y, tangent2.X, tangent2.Y})) return false;
  GeoResult.Tangent1 = tangent1;
  GeoResult.Tangent2 = tangent2;
  GeoResult.Angle = v;
  GeoResult.Dist = dist;
  GeoResult.RadialAngle1 = radial(R1);
  GeoResult.RadialAngle2 = radial(R2);
  return true;
}

bool TFormaDaten::ArcTangentTwoCircles(double X1, double Y1, double R1, double X2, double Y2,
                                       double R2, double R, int Mode) {
  const double v = DirAngle(X1, Y1, X2, Y2);
  const double dx = X2 - X1, dy = Y2 - Y1;
  if (!(dx * dx + dy * dy > 0)) return false;
  const double l = Length(dx, dy);
  const double m = std::fabs(R1 - R);
  if (m < kMinCentreOffset) return false;
  // Projection of C1 -> arc centre on the centre line, and the cosine of the angle at C1.
  const double e = (l * l - (R2 - R) * (R2 - R) + (R1 - R) * (R1 - R)) / 2.0 / l;
  const double f = e / m;
  // Beyond the slack on either side the circles are too far apart or nested: no arc.
  if (std::fabs(f) > CosineSlack && std::fabs(std::fabs(R) - l / 2.0) > kHalfCircleSlack) {
    return false;
  }
  // Within the slack the arc centre lies on the centre line.
  const double fc = std::clamp(f, -1.0, 1.0);
  const double g = std::sqrt(1.0 - fc * fc);
  double h;
  if (e > 0) {
    h = std::atan(g / fc);
  } else if (e == 0) {
    h = kHalfPi;
  } else {
    h = g != 0 ? kHalfPi - std::atan(fc / g) : kPi;
  }
  const bool counterClockwise = Mode == 2 ? !(R > 0) : R > 0;
  const double side = counterClockwise ? v + h : v - h;
  const PointT centre{X1 + m * std::cos(side), Y1 + m * std::sin(side)};
  const DistDir toFirst = DistAngleOf(centre.X, centre.Y, X1, Y1);
  const DistDir toSecond = DistAngleOf(centre.X, centre.Y, X2, Y2);
  const double start = toFirst.Angle + (StrictlyOpposite(R1, R) ? kPi : 0.0);
  const double end = toSecond.Angle + (StrictlyOpposite(R2, R) ? kPi : 0.0);
  if (!AllFinite({centre.X, centre.Y, toFirst.Angle, toSecond.Angle, toSecond.Dist})) {
    return false;
  }
  GeoResult.ArcCentre = centre;
  GeoResult.ArcStartRaw = toFirst.Angle;
  GeoResult.ArcEndRaw = toSecond.Angle;
  GeoResult.ArcStart = start;
  GeoResult.ArcEnd = end;
  GeoResult.Dist = toSecond.Dist;
  GeoResult.Angle = toSecond.Angle;
  return true;
}

bool TFormaDaten::SameSense(double Kind1, double V11, double V12, double V13, double V14,
                            double V15, double Kind2, double V21, double V22, double V23,
                            double V24, double V25) {
  if (Kind1 != Kind2) return false;
  if (Kind1 == 1) {
    if (Dist(V11, V12, V13, V14) < Same || Dist(V21, V22, V23, V24) < Same) return false;
    const double a1 = DirAngle(V11, V12, V13, V14);
    const double a2 = DirAngle(V21, V22, V23, V24);
    return std::fabs(std::cos(a1) - std::cos(a2)) <= Same &&
           std::fabs(std::sin(a1) - std::sin(a2)) <= Same;
  }
  if (Kind1 == 2) {
    const double s1 = ArcSweep(V13, V14, V15);
    const double s2 = ArcSweep(V23, V24, V25);
    if (std::fabs(s1) < Same || std::fabs(s2) < Same) return false;
    return !((s1 < kPi && s2 > kPi) || (s1 > kPi && s2 < kPi));
  }
  return true;
}

void TFormaDaten::RotateElement(double Angle, double CX, double CY, double& Kind, double& V1,
                                double& V2, double& V3, double& V4, double& V5) {
  if (Angle == NoValue) Angle = 0.0;
  if (CX == NoValue) CX = 0.0;
  if (CY == NoValue) CY = 0.0;
  if (Angle == 0) return;
  // In polar form about the pole, so the distance from the pole is kept.
  const auto rotate = [&](double& x, double& y) {
    DistAngle(CX, CY, x, y);
    const double d = GeoResult.Dist, a = GeoResult.Angle + Angle;
    x = CX + d * std::cos(a);
    y = CY + d * std::sin(a);
  };
  if (Kind == 1) {
    rotate(V1, V2);
    rotate(V3, V4);
  } else if (Kind == 2) {
    double sx = 0.0, sy = 0.0, ex = 0.0, ey = 0.0;
    ElementEndPoints(Kind, V1, V2, V3, V4, V5, sx, sy, ex, ey);
    rotate(V1, V2);
    rotate(sx, sy);
    rotate(ex, ey);
    V4 = DirAngle(V1, V2, sx, sy);
    V5 = DirAngle(V1, V2, ex, ey);
  }
}

std::string TFormaDaten::FormatReal(double Value, int Decimals) {
  if (Decimals < 0) return {};
  if (std::fabs(Value) < kFormatZero) Value = 0.0;
  // Sign, 309 digits before the point, the point and the decimals.
  std::array<char, 1 + 309 + 1 + kMaxFormatDecimals + 8> buffer;
  const auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), Value,
                    std::chars_format::fixed, std::min(Decimals, kMaxFormatDecimals));
  if (ec != std::errc{}) return "0";  // cannot happen: the buffer holds every double
  std::string text(buffer.data(), end);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

}  // namespace movra
