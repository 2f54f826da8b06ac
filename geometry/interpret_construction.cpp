// Construction words (intersections, angles, relative and polar steps, base circles, fillet
// arcs, AR and RA) and the corners between consecutive elements (RD, CF, C, RDM, CFM).
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/element_points.h"
#include "geometry/interpreter.h"
#include "geometry/tolerances.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

using namespace words;
using PointT = TFormaDaten::PointT;
using GeomT = TFormaGeom::GeomT;

constexpr std::size_t npos = std::string::npos;

// Cosine and sine of an angle in degrees, exact on the axes, so that L10 90 keeps X.
void CosSinDeg(double Degrees, double& c, double& s) {
  double r = std::fmod(Degrees, 360.0);
  if (r < 0) r += 360.0;
  if (r == 0) { c = 1; s = 0; return; }
  if (r == 90) { c = 0; s = 1; return; }
  if (r == 180) { c = -1; s = 0; return; }
  if (r == 270) { c = 0; s = -1; return; }
  c = std::cos(Rad(r));
  s = std::sin(Rad(r));
}

// A taper: the diameter change a over the length t, as the angle of the falling line.
bool TaperAngle(double a, double t, double& Angle) {
  if (a == 0 || t == 0) return false;
  Angle = 180.0 + Deg(std::atan(a / (2.0 * std::fabs(t))));
  return true;
}

// The values after a whole word (value 1 first), the word consumed; false when it is absent.
using WordValues = std::array<double, 7>;
bool TakeValues(InterpretRun& run, std::string& L, std::string_view Word, WordValues& v) {
  const std::size_t pos = run.FindWholeWord(L, Word);
  if (pos == npos) return false;
  run.WordValueAt(L, pos, Word);
  for (std::size_t k = 0; k < v.size(); ++k) {
    const double x = run.Daten.Values(static_cast<int>(k) + 1);
    v[k] = std::isfinite(x) ? x : NoValue;
  }
  InterpretRun::ConsumeWordAt(L, pos, Word.size());
  return true;
}

// An element's kind and values, with its ends.
struct Seg {
  double Kind = 0, V1 = 0, V2 = 0, V3 = 0, V4 = 0, V5 = 0;
  PointT Start, End;
  explicit Seg(const GeomT& e) {
    CopyShape(*this, e);
    TFormaDaten::ElementEndPoints(Kind, V1, V2, V3, V4, V5, Start.X, Start.Y, End.X, End.Y);
  }
  Seg(double kind, double v1, double v2, double v3, double v4, double v5)
      : Kind(kind), V1(v1), V2(v2), V3(v3), V4(v4), V5(v5) {
    TFormaDaten::ElementEndPoints(Kind, V1, V2, V3, V4, V5, Start.X, Start.Y, End.X, End.Y);
  }
  bool Line() const { return Kind == 1; }
  PointT Centre() const { return {V1, V2}; }
};

Seg LineSeg(const PointT& a, const PointT& b, double z = 0) { return {1, a.X, a.Y, b.X, b.Y, z}; }
Seg ArcSeg(const PointT& c, double r, double a1, double a2) { return {2, c.X, c.Y, r, a1, a2}; }

// Where a fillet of radius r about M touches the circle (N, R): on the line through both
// centres, on the side at distance |r| from M (the far side when the circle lies inside).
PointT TouchPoint(const PointT& N, double R, const PointT& M, double r) {
  const double u = Dir(N, M);
  const PointT nearSide = Along(N, u, std::fabs(R)), farSide = Along(N, u + Pi, std::fabs(R));
  return std::fabs(Dist(M, farSide) - std::fabs(r)) < std::fabs(Dist(M, nearSide) - std::fabs(r))
             ? farSide
             : nearSide;
}

// One piece of a changed corner and whose record (feed, side, number) it carries.
struct Piece {
  Seg S;
  bool FromQ;
};

// Writes the pieces of a corner over the last two elements: the first into P's slot, the
// second into Q's, a third into a new slot. P's rest keeps P's record; the corner element
// and Q's rest are Q's, made on this line (an arc is never rapid).
bool PlaceCorner(InterpretRun& run, int SlotP, const std::array<Piece, 3>& Pieces, int Count) {
  for (int i = 0; i < Count; ++i) {
    const Seg& s = Pieces[static_cast<std::size_t>(i)].S;
    for (double v : {s.V1, s.V2, s.V3, s.V4, s.V5})
      if (!std::isfinite(v)) return false;
  }
  TFormaGeom& geom = run.Geom;
  const GeomT oldP = *geom.Elements(SlotP), oldQ = *geom.Elements(SlotP + 1);
  if (Count == 3 && !geom.NewElement()) return false;
  for (int i = 0; i < Count; ++i) {
    const Piece& piece = Pieces[static_cast<std::size_t>(i)];
    GeomT& e = *geom.Elements(SlotP + i);
    e = piece.FromQ ? oldQ : oldP;
    CopyShape(e, piece.S);
    if (e.Kind == 2 && e.Feed == NoValue) e.Feed = run.Block.FeedValue;
  }
  geom.SetCurElement(SlotP + Count - 1);
  return true;
}

// P's rest, the fillet and Q's rest. A fillet whose ends lie closer than JoinGap is not cut:
// the corner stays as it was, so that its elements still meet exactly. A fillet that does not
// reach its neighbours (the solvers' slack for touching circles let a centre through that is
// not |r| from both) is no rounding.
bool PlaceFillet(InterpretRun& run, int SlotP, const Seg& RestP, const Seg& Fillet,
                 const Seg& RestQ) {
  if (Dist(RestP.End, Fillet.Start) >= JoinGap || Dist(Fillet.End, RestQ.Start) >= JoinGap)
    return false;
  if (Dist(Fillet.Start, Fillet.End) < JoinGap) return true;
  return PlaceCorner(run, SlotP, {{{RestP, false}, {Fillet, true}, {RestQ, true}}}, 3);
}

// AR and RA: a line at an angle and an arc of a radius that touches it, between the previous
// point and the target. They differ only in which end the line is anchored at: AR's line
// leaves the previous point and its arc reaches the target; RA's arc leaves the previous
// point and its line reaches the target.
enum class TangentRole { LineFirst, ArcFirst };

struct TangentArc {
  double Direction = 0;  // of the line, radians
  double R = 0;          // signed radius of the arc
  PointT Touch;          // where the arc touches the line
  PointT Centre;
};

bool SolveTangentArc(TFormaDaten& Daten, const InterpretRun::PenState& Pen, TangentRole Role,
                     double Angle, double Radius, double Flag, TangentArc& T) {
  if (!Given(Radius) || Radius == 0) return false;
  if (!FullySet(Pen.PreviousPoint) || !FullySet(Pen.CurrentPoint)) return false;
  const bool lineFirst = Role == TangentRole::LineFirst;
  // The line runs through Anchor; the arc's free end is the other point.
  const PointT anchor = lineFirst ? Pen.PreviousPoint : Pen.CurrentPoint;
  const PointT free = lineFirst ? Pen.CurrentPoint : Pen.PreviousPoint;
  const double o = TFormaDaten::DirAngle(0, 0, std::cos(Rad(Angle)), std::sin(Rad(Angle)));
  // The arc turns towards the free end's side of the line.
  const double size = std::fabs(Radius);
  const double toRight = Dist(free, Along(anchor, o - HalfPi, 1));
  const double toLeft = Dist(free, Along(anchor, o + HalfPi, 1));
  const double r = toRight < toLeft ? -size : size;
  if (!Daten.OffsetLinesIntersect(anchor.X, anchor.Y, o, free.X, free.Y, o + HalfPi, 0))
    return false;
  const PointT foot = Daten.GeoResult.Point;
  const double d = Dist(foot, free);
  if (d < Same || std::fabs(d - size) > size) return false;  // on the line, or out of reach
  double s = std::sqrt(r * r - (d - size) * (d - size));
  // Flag 2 takes the other tangent point; the roles run the line the other way round.
  if ((Flag == 2) != lineFirst) s = -s;
  T.Direction = o;
  T.R = r;
  T.Touch = Along(foot, o, s);
  T.Centre = Along(T.Touch, o + HalfPi, r);
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The construction words, in the order a line is read

bool InterpretRun::HandleConstructionWords(std::string& L) {
  WordValues v{};

  if (TakeValues(*this, L, " LL", v)) {
    if (!Given(v[0]) || !Given(v[5])) return false;
    if (!Daten.OffsetLinesIntersect(v[0], v[1], LineAngle(v[2]), v[3], v[4], LineAngle(v[5]), 0))
      return false;
    Pen.CurrentPoint = Daten.GeoResult.Point;
  }
  if (TakeValues(*this, L, " LC", v)) {
    if (!Given(v[0]) || !Given(v[5])) return false;
    // The direction counts here: Near is met first running from (x, y) along it.
    if (!Daten.LineCircleIntersect(v[0], v[1], 0, Rad(v[2]), v[3], v[4], v[5], 0)) return false;
    Pen.CurrentPoint = v[6] == 2 ? Daten.GeoResult.Far : Daten.GeoResult.Near;
  }
  if (TakeValues(*this, L, " CC", v)) {
    if (!Given(v[0]) || !Given(v[5])) return false;
    const double l = std::hypot(v[3] - v[0], v[4] - v[1]);
    // Circles that neither cut nor touch. The solver lets them pass when its centres lie
    // within 0.02 (its slack for a half circle through two points), which is no meeting.
    if (!(l > 0) || std::fabs(v[2]) < 1e-6 ||
        std::fabs((l * l - v[5] * v[5] + v[2] * v[2]) / (2.0 * l) / std::fabs(v[2])) >
            CosineSlack)
      return false;
    if (!Daten.ArcTangentTwoCircles(v[0], v[1], v[2], v[3], v[4], v[5], 0, v[6] == 2 ? 2 : 1))
      return false;
    Pen.CurrentPoint = Daten.GeoResult.ArcCentre;
  }

  // A coordinate, reached along an angle from the previous point when one is given.
  const auto angled = [&](double a, bool vertical, double value) {
    if (!FullySet(Pen.PreviousPoint)) return false;  // no start to run the angle from
    const bool ok = vertical ? Daten.OffsetLinesIntersect(Pen.PreviousPoint.X, Pen.PreviousPoint.Y,
                                                          LineAngle(a), value, 0, Rad(90), 0)
                             : Daten.OffsetLinesIntersect(Pen.PreviousPoint.X, Pen.PreviousPoint.Y,
                                                          LineAngle(a), 0, value, 0, 0);
    if (!ok) return false;
    const PointT p = Daten.GeoResult.Point;
    if (!Finite(p) || Dist(p, Pen.PreviousPoint) < Same) return false;  // the target must move
    Pen.CurrentPoint = p;
    return true;
  };
  for (const std::string_view word : {std::string_view(" X"), std::string_view(" V")}) {
    if (!TakeValues(*this, L, word, v)) continue;
    if (!Given(v[0])) return false;
    const double x = v[0];
    Pen.CurrentPoint.X = x;
    double a = v[1];
    if (!Given(a)) continue;
    if (Given(v[2]) && !TaperAngle(a, v[2], a)) return false;
    if (!FullySet(Pen.PreviousPoint)) return false;
    if (Pen.PreviousPoint.X != x && Pen.PreviousPoint.Y == Pen.CurrentPoint.Y &&
        !angled(a, true, x))
      return false;
  }
  for (const std::string_view word : {std::string_view(" Y"), std::string_view(" W")}) {
    if (!TakeValues(*this, L, word, v)) continue;
    if (!Given(v[0])) return false;
    const double y = word == " W" ? v[0] / 2.0 : v[0];
    Pen.CurrentPoint.Y = y;
    if (!Given(v[1])) continue;
    if (!FullySet(Pen.PreviousPoint)) return false;
    if (Pen.PreviousPoint.X == Pen.CurrentPoint.X && Pen.PreviousPoint.Y != y &&
        !angled(v[1], false, y))
      return false;
  }

  // Relative and polar steps; an unset coordinate stays unset, as in incremental motion.
  const auto add = [](double& coordinate, double step) {
    if (coordinate != NoValue) coordinate += step;
  };
  const bool polar = L.find("L1=") == npos && L.find("L2=") == npos;  // not the cycle's L1=
  for (bool any = true; any;) {
    any = false;
    for (const std::string_view word : {std::string_view(" IX"), std::string_view(" IV")}) {
      if (!TakeValues(*this, L, word, v)) continue;
      any = true;
      if (!Given(v[0])) return false;
      double a = v[1];
      if (Given(v[2]) && !TaperAngle(a, v[2], a)) return false;
      add(Pen.CurrentPoint.X, v[0]);
      if (!Given(a)) continue;
      double c = 0, s = 0;
      CosSinDeg(LineDegrees(a), c, s);
      if (std::fabs(c) < SteepLimit || std::fabs(s / c) < SteepLimit) return false;
      add(Pen.CurrentPoint.Y, s / c * v[0]);
    }
    for (const std::string_view word : {std::string_view(" IY"), std::string_view(" IW")}) {
      if (!TakeValues(*this, L, word, v)) continue;
      any = true;
      if (!Given(v[0])) return false;
      add(Pen.CurrentPoint.Y, v[0]);
      if (!Given(v[1])) continue;
      double c = 0, s = 0;
      CosSinDeg(LineDegrees(v[1]), c, s);
      if (std::fabs(s) < SteepLimit || std::fabs(c / s) < SteepLimit) return false;
      add(Pen.CurrentPoint.X, v[0] * (c / s));
    }
    if (polar && TakeValues(*this, L, " L", v)) {
      any = true;
      if (!Given(v[0]) || !Given(v[1])) return false;
      double c = 0, s = 0;
      CosSinDeg(v[1], c, s);
      add(Pen.CurrentPoint.X, v[0] * c);
      add(Pen.CurrentPoint.Y, v[0] * s);
    }
  }

  if (TakeValues(*this, L, " B", v)) {
    if (!Given(v[0]) || v[0] == 0) return false;
    SetArcRadius(v[0], v[1] == 2);
    if (!FullySet(Pen.CurrentPoint)) {
      Pen.PointRadius = Pen.PreviousPointRadius = 0;
      SetArcRadius(0, false);
    }
  }

  // AR and RA take the rounding of the corner before them themselves: the previous element
  // line's RD (RA also the modal RDM). Used once, it is spent.
  const auto previousRounding = [&]() {
    std::string words(ElementLineText);
    KeepWordsOnly(words);
    const std::size_t pos = FindWholeWord(words, " RD");
    if (pos == npos) return true;
    const double r = WordValueAt(words, pos, " RD");
    if (!Given(r)) return false;
    Pen.RoundValue = r;
    return true;
  };
  if (TakeValues(*this, L, " AR", v)) {
    if (!previousRounding()) return false;
    const bool ok = Given(v[0]) && Given(v[1]) && AngleRadiusLineArc(v[0], v[1], v[2]);
    Pen.RoundValue = NoValue;
    if (!ok) return false;
  }
  if (TakeValues(*this, L, " RA", v)) {
    if (Pen.ModalRoundValue != NoValue) Pen.RoundValue = Pen.ModalRoundValue;
    if (!previousRounding()) return false;
    const bool ok = Given(v[0]) && Given(v[1]) && RadiusAngleArcLine(v[0], v[1], v[2]);
    Pen.RoundValue = NoValue;
    if (!ok) return false;
  }

  if (TakeValues(*this, L, " R", v) && Given(v[0])) Pen.PointRadius = v[0];

  if (TakeValues(*this, L, " A", v)) {
    if (!Given(v[0]) || !Given(v[1]) || !ThisLine.NextRawLine) return false;
    if (!FullySet(Pen.PreviousPoint) || !FullySet(Pen.CurrentPoint) ||
        Dist(Pen.CurrentPoint, Pen.PreviousPoint) >= Same)
      return false;  // the line names a point of its own
    std::string next = NextLineText();
    KeepWordsOnly(next);
    PointT to{};
    bool hasX = false, hasY = false;
    const std::array<std::pair<std::string_view, int>, 4> words{
        {{" X", 0}, {" V", 0}, {" Y", 1}, {" W", 2}}};
    for (const auto& [word, axis] : words) {
      const std::size_t pos = FindWholeWord(next, word);
      if (pos == npos) continue;
      const double value = WordValueAt(next, pos, word);
      if (!Given(value)) return false;
      if (axis == 0) {
        to.X = value;
        hasX = true;
      } else {
        to.Y = axis == 2 ? value / 2.0 : value;
        hasY = true;
      }
    }
    // With one coordinate only the line through the next point is not fixed.
    if (!hasX || !hasY) return false;
    if (!Daten.OffsetLinesIntersect(Pen.CurrentPoint.X, Pen.CurrentPoint.Y, LineAngle(v[0]), to.X,
                                    to.Y, LineAngle(v[1]), 0))
      return false;
    Pen.CurrentPoint = Daten.GeoResult.Point;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// AR and RA

bool InterpretRun::AngleRadiusLineArc(double Angle, double Radius, double Flag) {
  TangentArc t;
  if (!SolveTangentArc(Daten, Pen, TangentRole::LineFirst, Angle, Radius, Flag, t)) return false;
  const PointT from = Pen.PreviousPoint, to = Pen.CurrentPoint;
  // The tangent point lies ahead on the ray (or is the start itself: no line).
  const bool line = Dist(from, t.Touch) >= Same;
  if (!line) t.Touch = from;
  if (line && !TFormaDaten::SameDirection(Dir(from, t.Touch), t.Direction, Same)) return false;
  const double start = Dir(t.Centre, t.Touch), end = Dir(t.Centre, to);
  const PointT arrival = Along(t.Centre, end, std::fabs(Radius));
  if (std::fabs(arrival.X - to.X) > Same || std::fabs(arrival.Y - to.Y) > Same) return false;

  const bool round = Pen.RoundValue != NoValue && Pen.RoundValue != 0;
  if (line) {
    if (!AddSegment(1, from.X, from.Y, t.Touch.X, t.Touch.Y, 0)) return false;
    if (round && !RoundCorner()) return false;
  }
  if (!AddSegment(2, t.Centre.X, t.Centre.Y, t.R, start, end)) return false;
  if (!line && round && !RoundCorner()) return false;
  Pen.PreviousPoint = to;
  return true;
}

bool InterpretRun::RadiusAngleArcLine(double Radius, double Angle, double Flag) {
  TangentArc t;
  if (!SolveTangentArc(Daten, Pen, TangentRole::ArcFirst, Angle, Radius, Flag, t)) return false;
  const PointT from = Pen.PreviousPoint, to = Pen.CurrentPoint;
  if (std::fabs(Dist(t.Centre, t.Touch) - std::fabs(Radius)) > Same) return false;
  // The target lies ahead of the tangent point (or is the tangent point: no line).
  const bool line = Dist(t.Touch, to) >= Same;
  if (line && !TFormaDaten::SameDirection(Dir(t.Touch, to), t.Direction, Same)) return false;

  if (!AddSegment(2, t.Centre.X, t.Centre.Y, t.R, Dir(t.Centre, from), Dir(t.Centre, t.Touch)))
    return false;
  if (Pen.RoundValue != NoValue && Pen.RoundValue != 0 && !RoundCorner()) return false;
  if (line && !AddSegment(1, t.Touch.X, t.Touch.Y, to.X, to.Y, 0)) return false;
  Pen.PreviousPoint = to;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Corners

bool InterpretRun::RoundCorner() {
  const int slotQ = Geom.ElementCount(), slotP = slotQ - 1;
  if (slotQ - Block.BlockStartCount < 2) return true;
  const GeomT* ep = Geom.Elements(slotP);
  const GeomT* eq = Geom.Elements(slotQ);
  if (!ep || !eq) return true;
  const Seg P(*ep), Q(*eq);
  // Elements that do not meet (a new chain after a pen-up) have no corner between them.
  if (Dist(P.End, Q.Start) >= JoinGap) return true;
  double r = std::fabs(Pen.RoundValue);

  if (P.Line() && Q.Line()) {
    const PointT K = Q.Start;
    const double a1 = Dir(P.Start, P.End), a2 = Dir(Q.Start, Q.End);
    // A reversal has its fillet centre almost at infinity.
    if (TFormaDaten::SameDirection(a1, a2 + Pi, Same)) return false;
    if (!Daten.OffsetLinesIntersect(K.X, K.Y, a1, K.X, K.Y, a2, r)) return false;
    TFormaDaten::GeoResultT g = Daten.GeoResult;
    if (TFormaDaten::TurnSenseTest(r, Dir(g.Point, g.Tangent1), Dir(g.Point, g.Tangent2)) == -1) {
      r = -r;  // the corner turns right: the fillet on the other side
      if (!Daten.OffsetLinesIntersect(K.X, K.Y, a1, K.X, K.Y, a2, r)) return false;
      g = Daten.GeoResult;
    }
    if (Dist(g.Tangent1, P.Start) < Same || Dist(g.Tangent2, Q.End) < Same) return false;
    return PlaceFillet(*this, slotP, LineSeg(P.Start, g.Tangent1),
                       ArcSeg(g.Point, r, Dir(g.Point, g.Tangent1), Dir(g.Point, g.Tangent2)),
                       LineSeg(g.Tangent2, Q.End, Q.V5));
  }

  if (P.Line() != Q.Line()) {
    const bool lineFirst = P.Line();
    const Seg& line = lineFirst ? P : Q;
    const Seg& arc = lineFirst ? Q : P;
    const PointT K = lineFirst ? P.End : Q.Start;
    const double e = Dir(line.Start, line.End);
    const PointT N = arc.Centre();
    const double Rn = arc.V3;
    PointT M{}, TL{}, TA{};
    const auto solve = [&](double rr) {
      // The fillet centre: on the line moved by r and on the circle of radius Rn - r.
      if (!Daten.LineCircleIntersect(K.X, K.Y, 0, e, N.X, N.Y, Rn, rr) &&
          !Daten.LineCircleIntersect(K.X, K.Y, 0, e, N.X, N.Y, Rn, -rr))
        return false;
      const PointT nearC = Daten.GeoResult.Near, farC = Daten.GeoResult.Far;
      M = Dist(K, farC) < Dist(K, nearC) ? farC : nearC;
      if (!Daten.OffsetLinesIntersect(K.X, K.Y, e, M.X, M.Y, e + HalfPi, 0)) return false;
      TL = Daten.GeoResult.Point;
      TA = TouchPoint(N, Rn, M, rr);
      return true;
    };
    if (!solve(r)) return false;
    const auto turns = [&] {
      return lineFirst ? TFormaDaten::TurnSenseTest(r, Dir(M, TL), Dir(M, TA))
                       : TFormaDaten::TurnSenseTest(r, Dir(M, TA), Dir(M, TL));
    };
    if (turns() == -1) {
      r = -r;
      if (!solve(r)) return false;
    }
    const double g = Dir(N, TA);
    if (lineFirst) {
      return PlaceFillet(*this, slotP, LineSeg(P.Start, TL), ArcSeg(M, r, Dir(M, TL), Dir(M, TA)),
                         ArcSeg(N, Rn, g, Q.V5));
    }
    return PlaceFillet(*this, slotP, ArcSeg(N, Rn, P.V4, g), ArcSeg(M, r, Dir(M, TA), Dir(M, TL)),
                       LineSeg(TL, Q.End, Q.V5));
  }

  // Two arcs.
  const PointT K = Q.Start, N1 = P.Centre(), N2 = Q.Centre();
  const double R1 = P.V3, R2 = Q.V3;
  if (R1 > 0 && R2 > 0 && R1 > r && R2 > r) r = -r;
  PointT M{}, T1{}, T2{};
  const auto solve = [&](double rr, double tolerance) {
    if (!Daten.ArcTangentTwoCircles(N1.X, N1.Y, R1, N2.X, N2.Y, R2, rr, 1)) return false;
    const PointT m1 = Daten.GeoResult.ArcCentre;
    if (!Daten.ArcTangentTwoCircles(N1.X, N1.Y, R1, N2.X, N2.Y, R2, rr, 2)) return false;
    const PointT m2 = Daten.GeoResult.ArcCentre;
    M = Dist(K, m1) <= Dist(K, m2) + tolerance ? m1 : m2;
    T1 = TouchPoint(N1, R1, M, rr);
    T2 = TouchPoint(N2, R2, M, rr);
    return true;
  };
  if (!solve(r, Same)) return false;
  if (TFormaDaten::TurnSenseTest(r, Dir(M, T1), Dir(M, T2)) == -1) {
    r = -r;
    if (!solve(r, 0)) return false;
  }
  return PlaceFillet(*this, slotP, ArcSeg(N1, R1, P.V4, Dir(N1, T1)),
                     ArcSeg(M, r, Dir(M, T1), Dir(M, T2)), ArcSeg(N2, R2, Dir(N2, T2), Q.V5));
}

bool InterpretRun::ChamferCorner() {
  const double c = Pen.ChamferValue;
  if (!Given(c) || c == 0) return true;
  const int slotQ = Geom.ElementCount(), slotP = slotQ - 1;
  if (slotQ - Block.BlockStartCount < 2) return true;
  const GeomT* ep = Geom.Elements(slotP);
  const GeomT* eq = Geom.Elements(slotQ);
  if (!ep || !eq) return true;
  const Seg P(*ep), Q(*eq);
  if (!P.Line() || !Q.Line() || Dist(P.End, Q.Start) >= JoinGap) return true;

  const PointT K = Q.Start;
  const double a1 = Dir(P.Start, P.End), a2 = Dir(Q.Start, Q.End), b = a1 + Pi;
  // Collinear lines, straight on or reversed, have no corner to cut; tested before the width
  // is turned into a leg, which divides by 0 for a reversal.
  if (TFormaDaten::SameDirection(a1, a2, Same) || TFormaDaten::SameDirection(a2, b, Same))
    return false;
  const double LP = Dist(P.Start, P.End), LQ = Dist(Q.Start, Q.End);
  const double leg =
      c < 0 ? -c / std::hypot(std::cos(b) - std::cos(a2), std::sin(b) - std::sin(a2)) : c;
  if (LP < leg || leg > LQ) return false;
  const PointT S1 = Along(K, b, leg), S2 = Along(K, a2, leg);
  if (Dist(S1, S2) < Same) return false;

  // A leg as long as its line leaves no rest of that line: the chamfer takes the line's end.
  const bool keepP = Dist(P.Start, S1) >= Same, keepQ = Dist(S2, Q.End) >= Same;
  const PointT from = keepP ? S1 : P.Start, to = keepQ ? S2 : Q.End;
  const Seg restP = LineSeg(P.Start, S1), cut = LineSeg(from, to), restQ = LineSeg(S2, Q.End, Q.V5);
  if (keepP && keepQ)
    return PlaceCorner(*this, slotP, {{{restP, false}, {cut, true}, {restQ, true}}}, 3);
  if (keepQ) return PlaceCorner(*this, slotP, {{{cut, true}, {restQ, true}, {restQ, true}}}, 2);
  // Without Q's rest the chamfer ends the corner; with neither rest P keeps a point.
  return PlaceCorner(*this, slotP, {{{restP, false}, {cut, true}, {cut, true}}}, 2);
}

}  // namespace movra
