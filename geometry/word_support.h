#pragma once
// Small helpers the interpreter's word groups share: whether a word value was given, whether
// a point is set, degree conversions. Inside geometry/ only; windows never need them.
#include <cmath>
#include <numbers>

#include "geometry/forma_daten.h"

namespace movra::words {

using PointT = TFormaDaten::PointT;

inline constexpr double Pi = std::numbers::pi;
inline constexpr double HalfPi = std::numbers::pi / 2;

// A word value that was read: not NoValue and a finite number.
inline bool Given(double v) { return v != NoValue && std::isfinite(v); }
// A value that was not given counts as 0.
inline double OrZero(double v) { return v == NoValue ? 0.0 : v; }
// A count as the loops take it: to the nearest integer, halves to the even neighbour,
// whatever the floating-point environment says.
inline double RoundHalfEven(double v) {
  if (std::fabs(v - std::trunc(v)) == 0.5) return 2.0 * std::round(v / 2.0);
  return std::round(v);
}
// Both coordinates of the point are known.
inline bool FullySet(const PointT& p) { return p.X != NoValue && p.Y != NoValue; }
inline bool Finite(const PointT& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

inline double Dist(const PointT& a, const PointT& b) { return std::hypot(b.X - a.X, b.Y - a.Y); }
inline double Dir(const PointT& a, const PointT& b) {
  return TFormaDaten::DirAngle(a.X, a.Y, b.X, b.Y);
}
inline PointT Along(const PointT& p, double angle, double length) {
  return {p.X + length * std::cos(angle), p.Y + length * std::sin(angle)};
}

inline double Rad(double Degrees) { return Degrees * (Pi / 180.0); }
inline double Deg(double Radians) { return Radians * (180.0 / Pi); }

// A line's direction modulo 180 degrees: the same line, and a vertical or horizontal
// direction comes out exactly as 90 or 0, so the parallel test of an intersection is exact.
inline double LineDegrees(double Degrees) {
  double r = std::fmod(Degrees, 180.0);
  if (r < 0) r += 180.0;
  return r;
}
inline double LineAngle(double Degrees) { return Rad(LineDegrees(Degrees)); }

}  // namespace movra::words
