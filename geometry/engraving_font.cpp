// The stroke font of the engraving: reading the font text into the glyph table.
//
// A font is a list of lines: "% K<code>" starts a character ("% K32 <width>" gives the blank's
// width), and every other line is a point "X.. Y.." of the pen; the way from the previous point
// is a stroke, straight or, with "B r [1|2]", an arc of signed radius r. A "|" on a line lifts
// the pen after its stroke. The first line that makes no sense ends the font; what was read
// before it stays.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

#include "geometry/forma_geom.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

using PointT = TFormaDaten::PointT;

// Character codes are Unicode code points; a code outside them names no character.
constexpr double MaxCode = 0x10FFFF;

bool Blankish(char c) { return static_cast<unsigned char>(c) <= 32; }

// The line as the reader sees it: trimmed, ASCII letters upper-cased, one blank on each side
// so that a word first on its line stands after a blank like every other.
void PrepareFontLine(std::string_view Raw, std::string& Line) {
  std::size_t b = 0, e = Raw.size();
  while (b < e && Blankish(Raw[b])) ++b;
  while (e > b && Blankish(Raw[e - 1])) --e;
  Line.assign(1, ' ');
  for (std::size_t i = b; i < e; ++i) {
    const char c = Raw[i];
    Line += (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
  }
  Line += ' ';
}

// A whole number in the range of code points, as the index keeps it.
bool IndexableCode(double Code) {
  return Code >= 0 && Code <= MaxCode && Code == std::floor(Code);
}

}  // namespace

void TFormaGeom::ClearGlyphs() {
  Glyphs.clear();
  GlyphLast = -1;
  SpaceWidth = 0;
  glyphOrder_.clear();
  glyphSpans_.clear();
}

bool TFormaGeom::LoadEngravingFont() {
  using words::Given;
  ClearGlyphs();
  TFormaDaten& daten = daten_;
  bool widthRead = false;
  double code = 0;
  // Before the first character the pen stands at the origin.
  double x = 0, y = 0;
  bool haveX = true, haveY = true;
  bool havePrevious = true;
  PointT previous{0, 0};
  std::string line;

  for (const std::string& raw : FontText) {
    PrepareFontLine(raw, line);
    if (line.size() == 2) continue;  // an empty line
    if (line[1] == '%') {
      const double k = daten.GetWordValue(line, " K");
      if (!Given(k)) break;
      const double width = daten.Values(2);
      if (k == 32) {
        if (!Given(width)) break;
        SpaceWidth = std::fabs(width);
        widthRead = true;
      }
      code = k;
      havePrevious = false;
      haveX = haveY = false;
      continue;
    }

    const bool hasX = line.find(" X") != std::string::npos;
    const bool hasY = line.find(" Y") != std::string::npos;
    if (hasX) {
      x = daten.GetWordValue(line, " X");
      if (!Given(x)) break;
      haveX = true;
    }
    if (hasY) {
      y = daten.GetWordValue(line, " Y");
      if (!Given(y)) break;
      haveY = true;
    }
    double radius = 0;
    int mode = 1;
    if (line.find(" B") != std::string::npos) {
      radius = daten.GetWordValue(line, " B");
      if (!Given(radius)) break;
      if (daten.Values(2) == 2) mode = 2;
    }
    // A coordinate not given since the pen was put down leaves no point yet.
    if (!haveX || !haveY) continue;
    const PointT point{x, y};
    if (!havePrevious) {
      previous = point;
      havePrevious = true;
      continue;
    }
    if (point.X == previous.X && point.Y == previous.Y) continue;

    TGlyph g;
    g.Code = code;
    if (radius == 0) {
      g.Kind = 1;
      g.V1 = previous.X;
      g.V2 = previous.Y;
      g.V3 = point.X;
      g.V4 = point.Y;
    } else {
      if (!daten.ArcTangentTwoCircles(previous.X, previous.Y, 0, point.X, point.Y, 0, radius,
                                      mode))
        break;
      const TFormaDaten::GeoResultT& r = daten.GeoResult;
      g.Kind = 2;
      g.V1 = r.ArcCentre.X;
      g.V2 = r.ArcCentre.Y;
      g.V3 = radius;
      g.V4 = r.ArcStartRaw;
      g.V5 = r.ArcEndRaw;
    }
    Glyphs.push_back(g);
    previous = point;
    if (line.find('|') != std::string::npos) havePrevious = false;
  }

  GlyphLast = static_cast<int>(Glyphs.size()) - 1;
  if (Glyphs.empty() && !widthRead) {
    ClearGlyphs();
    return false;
  }
  IndexGlyphs();
  return true;
}

void TFormaGeom::GlyphExtent(int Index, double& MinX, double& MaxX) const {
  if (Index < 0 || Index > GlyphLast) return;
  const TGlyph& g = Glyphs[static_cast<std::size_t>(Index)];
  const auto widen = [&](double v) {
    MinX = std::min(MinX, v);
    MaxX = std::max(MaxX, v);
  };
  if (g.Kind != 2) {
    widen(g.V1);
    widen(g.V3);
    return;
  }
  const double r = std::fabs(g.V3);
  widen(g.V1 + r * std::cos(g.V4));
  widen(g.V1 + r * std::cos(g.V5));
  // The extreme points of the circle count where the arc passes them.
  const PointT extremes[] = {{g.V1 + r, g.V2}, {g.V1 - r, g.V2}, {g.V1, g.V2 + r},
                             {g.V1, g.V2 - r}};
  for (const PointT& p : extremes)
    if (TFormaDaten::PointOnArc(g.V1, g.V2, g.V3, g.V4, g.V5, p.X, p.Y)) widen(p.X);
}

void TFormaGeom::IndexGlyphs() {
  glyphOrder_.clear();
  glyphSpans_.clear();
  for (int i = 0; i <= GlyphLast; ++i)
    if (IndexableCode(Glyphs[static_cast<std::size_t>(i)].Code)) glyphOrder_.push_back(i);
  std::stable_sort(glyphOrder_.begin(), glyphOrder_.end(), [this](int a, int b) {
    return Glyphs[static_cast<std::size_t>(a)].Code < Glyphs[static_cast<std::size_t>(b)].Code;
  });
  const int n = static_cast<int>(glyphOrder_.size());
  for (int begin = 0; begin < n;) {
    const int first = glyphOrder_[static_cast<std::size_t>(begin)];
    const double code = Glyphs[static_cast<std::size_t>(first)].Code;
    GlyphSpan span;
    span.Code = static_cast<std::uint32_t>(code);
    span.Begin = begin;
    span.MinX = NoValue;
    span.MaxX = -NoValue;
    int end = begin;
    for (; end < n; ++end) {
      const int i = glyphOrder_[static_cast<std::size_t>(end)];
      if (Glyphs[static_cast<std::size_t>(i)].Code != code) break;
      GlyphExtent(i, span.MinX, span.MaxX);
    }
    span.End = end;
    glyphSpans_.push_back(span);
    begin = end;
  }
}

const TFormaGeom::GlyphSpan* TFormaGeom::FindGlyph(std::uint32_t Code) const {
  const auto it = std::lower_bound(glyphSpans_.begin(), glyphSpans_.end(), Code,
                                   [](const GlyphSpan& s, std::uint32_t c) { return s.Code < c; });
  return it != glyphSpans_.end() && it->Code == Code ? &*it : nullptr;
}

}  // namespace movra
