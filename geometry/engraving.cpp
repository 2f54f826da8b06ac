// Engraving a line of text with the stroke font: straight, turned by an angle, or round a
// circle. The whole text is laid out first and only then are elements made, so a text that
// does not fit (the circle, the store) leaves the store as it was.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "geometry/forma_geom.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

using words::Pi;

constexpr double TwoPi = 2 * Pi;
constexpr double MinHeight = 1;
constexpr double MaxHeight = 500;
constexpr double MaxCircleRadius = 999;  // a larger radius engraves straight
constexpr double MinGapFactor = 0.5;
constexpr double MaxGapFactor = 2;
constexpr std::uint32_t BlankCode = 32;

bool Blankish(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Blankish(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blankish(s.back())) s.remove_suffix(1);
  return s;
}

// The code points of UTF-8 text. A byte that starts no valid sequence stands for itself, so
// every byte of a damaged text still is one character (without a glyph, it is a gap).
void DecodeUtf8(std::string_view s, std::vector<std::uint32_t>& Codes) {
  Codes.clear();
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  for (std::size_t i = 0; i < s.size();) {
    const unsigned c = byte(i);
    std::size_t len = 0;
    std::uint32_t cp = 0, min = 0;
    if (c < 0x80) {
      len = 1, cp = c;
    } else if (c >= 0xC2 && c <= 0xDF) {
      len = 2, cp = c & 0x1Fu, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3, cp = c & 0x0Fu, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4, cp = c & 0x07u, min = 0x10000;
    }
    bool ok = len > 0 && i + len <= s.size();
    for (std::size_t k = 1; ok && k < len; ++k) {
      const unsigned t = byte(i + k);
      ok = (t & 0xC0u) == 0x80u;
      cp = (cp << 6) | (t & 0x3Fu);
    }
    ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    if (!ok) {
      Codes.push_back(c);
      ++i;
      continue;
    }
    Codes.push_back(cp);
    i += len;
  }
}

double NormalAngle(double a) {
  a = std::fmod(a, TwoPi);
  if (a < 0) a += TwoPi;
  return a < TwoPi ? a : 0.0;
}

// One character that is drawn, and where: the advance along the line (font units) for
// straight text, the polar angle for text on a circle.
struct Placed {
  int Begin;
  int End;
  double Where;
};

}  // namespace

void TFormaGeom::PlaceGlyphElement(GeomT& Element, double X, double Y, double R, double Angle) {
  const double c = std::cos(Angle), s = std::sin(Angle);
  const auto place = [&](double& x, double& y) {
    const double u = x, v = y + R;
    x = X + c * u - s * v;
    y = Y + s * u + c * v;
  };
  place(Element.V1, Element.V2);
  if (Element.Kind == 2) {
    // Turning an arc turns the directions to its ends by the same angle.
    Element.V4 = NormalAngle(Element.V4 + Angle);
    Element.V5 = NormalAngle(Element.V5 + Angle);
  } else {
    place(Element.V3, Element.V4);
  }
}

bool TFormaGeom::EngraveText(std::string_view Text, double GeomNo, double X, double Y, double A,
                             double R, double H, double K) {
  H = std::clamp(std::fabs(H), MinHeight, MaxHeight);
  R = std::fabs(R);
  if (R > MaxCircleRadius) R = 0;
  if (K == 0 || K == NoValue) K = 1;
  K = std::clamp(K, MinGapFactor, MaxGapFactor);
  if (A == NoValue) A = 0;
  if (X == NoValue) X = 0;
  if (Y == NoValue) Y = 0;
  for (double v : {GeomNo, X, Y, A, R, H, K})
    if (!std::isfinite(v)) return false;

  Text = Trim(Text);
  if (Text.empty()) return false;
  if (GlyphLast < 1 && !LoadEngravingFont()) return false;
  const double gap = SpaceWidth * K;

  std::vector<std::uint32_t> codes;
  DecodeUtf8(Text, codes);
  std::vector<Placed> placed;
  placed.reserve(codes.size());
  std::size_t strokes = 0;
  // A character without strokes in the font, like the blank, leaves a gap.
  if (R == 0) {
    double a = 0;
    for (const std::uint32_t code : codes) {
      const GlyphSpan* g = code == BlankCode ? nullptr : FindGlyph(code);
      if (!g) {
        a += gap;
        continue;
      }
      placed.push_back({g->Begin, g->End, a});
      strokes += static_cast<std::size_t>(g->End - g->Begin);
      a += (g->MaxX - g->MinX) + gap;
    }
  } else {
    // The letters stand on the circle with their feet, upright away from the centre, and run
    // clockwise. Each takes the arc whose chord on the baseline is its width plus the gap, so
    // neighbours keep the gap at their feet and spread apart above them.
    // A step longer than the diameter has no chord: the text does not fit the circle, unless
    // no letter follows.
    if (!(R > H)) return false;
    double t = A - words::HalfPi;
    bool lost = false;
    const auto step = [&](double length) {
      const double s = length / (2 * R);
      if (s <= 1) {
        t -= 2 * std::asin(s);
      } else {
        lost = true;
      }
    };
    for (const std::uint32_t code : codes) {
      const GlyphSpan* g = code == BlankCode ? nullptr : FindGlyph(code);
      if (!g) {
        step(gap * H);
        continue;
      }
      if (lost) return false;
      placed.push_back({g->Begin, g->End, t});
      strokes += static_cast<std::size_t>(g->End - g->Begin);
      step((g->MaxX - g->MinX + gap) * H);
    }
  }
  if (placed.empty()) return false;
  if (strokes > static_cast<std::size_t>(MaxElements - ElementCount())) return false;

  PurgeHighElements();
  const std::int32_t number = static_cast<std::int32_t>(GeomNo);
  for (const Placed& p : placed) {
    for (int k = p.Begin; k < p.End; ++k) {
      const TGlyph& g = Glyphs[static_cast<std::size_t>(glyphOrder_[static_cast<std::size_t>(k)])];
      if (!NewElement()) return false;
      GeomT& e = *CurElement();
      e.GeomNo = number;
      e.Kind = g.Kind;
      e.V1 = g.V1;
      e.V2 = g.V2;
      e.V3 = g.V3;
      e.V4 = g.V4;
      e.V5 = g.V5;
      if (R == 0) {
        e.V1 = (e.V1 + p.Where) * H;
        e.V2 *= H;
        e.V3 *= H;
        if (e.Kind != 2) {
          e.V3 += p.Where * H;
          e.V4 *= H;
        }
        PlaceGlyphElement(e, X, Y, 0, A);
      } else {
        e.V1 *= H;
        e.V2 *= H;
        e.V3 *= H;
        if (e.Kind != 2) e.V4 *= H;
        PlaceGlyphElement(e, X, Y, R, p.Where);
      }
    }
  }
  return true;
}

}  // namespace movra
