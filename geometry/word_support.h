#pragma once
// Small helpers the interpreter's word groups share: whether a word value was given, whether
// a point is set, degree conversions. Inside geometry/ only; windows never need them.
#include <cmath>
#include <cstddef>
#include <cstring>
#include <numbers>
#include <string_view>

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

// Line.find(Word, From), quicker for a word with its leading blank: a prepared line is mostly
// blanks, so the search runs over the word's letter, which is rare, and looks back for the
// blank. The first occurrence from From on, exactly as find reports it.
inline std::size_t FindText(std::string_view Line, std::string_view Word, std::size_t From = 0) {
  if (Word.size() < 2 || Word[0] != ' ') return Line.find(Word, From);
  const std::size_t n = Line.size();
  if (From >= n || n - From < Word.size()) return std::string_view::npos;
  const char* const data = Line.data();
  const char letter = Word[1];
  const std::size_t rest = Word.size() - 2;
  // The letter may stand at From + 1 up to the last place the whole word still fits.
  const std::size_t last = n - Word.size() + 1;
  for (std::size_t p = From + 1; p <= last;) {
    const void* hit = std::memchr(data + p, letter, last + 1 - p);
    if (!hit) break;
    p = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    if (data[p - 1] == ' ' && (rest == 0 || std::memcmp(data + p + 1, Word.data() + 2, rest) == 0))
      return p - 1;
    ++p;
  }
  return std::string_view::npos;
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
