// The equidistant of a radius-corrected contour: each element moved by the cutter radius to
// its correction side, neighbours joined where their carriers cross, the chain's first and
// last lines left in place as the moves onto and off the equidistant.
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <numbers>

#include "geometry/corner_join.h"
#include "geometry/element_offset.h"
#include "geometry/element_points.h"
#include "geometry/forma_geom.h"
#include "geometry/tolerances.h"

namespace movra {
namespace {

using GeomT = TFormaGeom::GeomT;
constexpr double TwoPi = 2.0 * std::numbers::pi;

// A corner arc trimmed below this sweep (radians) is a sliver no cutter follows.
constexpr double MinCornerSweep = 0.01;
// Two directions are perpendicular when their unit vectors, scaled by PerpendicularScale,
// lie PerpendicularScale * sqrt 2 apart within PerpendicularSlack.
constexpr double PerpendicularScale = 100.0;
constexpr double PerpendicularSlack = 0.001;

bool HasNumber(const GeomT& e, double Number) { return static_cast<double>(e.GeomNo) == Number; }

double Sweep(const GeomT& e) { return TFormaDaten::ArcSweep(e.V3, e.V4, e.V5); }

// Elements the offset leaves where they are: a point, or an arc that sweeps nothing (also a
// full circle, whose start and end coincide).
bool Degenerate(const GeomT& e) {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x1, y1, x2, y2);
  if (std::hypot(x2 - x1, y2 - y1) < Same) return true;
  return e.Kind == 2 && std::fabs(Sweep(e)) < Same;
}

double LineLength(const GeomT& e) { return std::hypot(e.V3 - e.V1, e.V4 - e.V2); }

}  // namespace

void TFormaGeom::DropLastElement() {
  CheckNotPumping();
  if (slots_.empty()) return;
  Touch();
  if (current_ == ElementCount()) current_ = 0;
  slots_.pop_back();
}

int TFormaGeom::LastOfNumber(double Number) const {
  for (int slot = ElementCount(); slot >= 1; --slot) {
    const GeomT* e = Elements(slot);
    if (e && HasNumber(*e, Number)) return slot;
  }
  return 0;
}

bool TFormaGeom::CompareDirections(double A1, double A2) {
  const double c = PerpendicularScale * std::hypot(std::cos(A1) - std::cos(A2),
                                                   std::sin(A1) - std::sin(A2));
  if (c < JoinGap) return true;  // the same direction
  return std::fabs(PerpendicularScale * std::numbers::sqrt2 - c) > PerpendicularSlack;
}

bool TFormaGeom::CheckCornerArc(double SweepBefore) {
  const GeomT* arc = Elements(ElementCount());
  if (!arc || arc->Kind != 2) return true;
  const double after = Sweep(*arc);
  const double size = std::fabs(after);
  // The join ended exactly where the arc ended: nothing of it is left to cut.
  if (size < Same || std::fabs(size - TwoPi) < Same) {
    DropLastElement();
    return true;
  }
  if (SweepFlipped(SweepBefore, after) || size < MinCornerSweep) {
    DropLastElement();
    return false;
  }
  return true;
}

bool TFormaGeom::JoinOffsetCorner(GeomT& P, GeomT& C, double Dist, double SweepBefore,
                                  bool LastKept) {
  double px = 0, py = 0, cx = 0, cy = 0;
  EndPointOf(P, px, py);
  StartPointOf(C, cx, cy);
  if (std::hypot(cx - px, cy - py) < JoinGap) return true;  // they meet already
  const bool lineP = P.Kind == 1, lineC = C.Kind == 1;
  // Where the carriers give no corner (collinear lines, a line that touched the arc), the
  // elements still meet: the line whose inner end is free goes to the other's end. Those
  // gaps are rounding, or the offset itself where the chain's first or last line stayed.
  const auto bridge = [&] {
    if (lineC && (LastKept || !lineP)) {
      C.V1 = px;
      C.V2 = py;
    } else {
      P.V3 = cx;
      P.V4 = cy;
    }
    return true;
  };

  if (lineP && lineC) {
    const double aP = TFormaDaten::DirAngle(P.V1, P.V2, P.V3, P.V4);
    const double aC = TFormaDaten::DirAngle(C.V1, C.V2, C.V3, C.V4);
    // Collinear lines (either side of 0 / 2pi) have no corner; a line that runs straight back
    // has none an offset could join.
    if (TFormaDaten::SameDirection(aP, aC, Same)) return bridge();
    if (ParallelDirections(aP, aC)) return false;
    const double reach = std::fabs(Dist) + LineLength(P) + LineLength(C) + JoinGap;
    const GeomT keepP = P, keepC = C;
    if (JoinCorner(daten_, P, C) != CornerJoin::Joined) return false;
    if (std::hypot(P.V3 - px, P.V4 - py) <= reach) return true;
    // A crossing farther off than both lines are long is no corner of this contour: lines
    // that all but run on are bridged like collinear ones, a near reversal cannot be offset.
    P = keepP;
    C = keepC;
    if (std::cos(aC - aP) <= 0) return false;
    return bridge();
  }

  const double sweepP = lineP ? 0.0 : Sweep(P);
  const CornerJoin join = JoinCorner(daten_, P, C);
  if (join != CornerJoin::Joined) {
    // Only a line that touched the arc where it starts or ends may miss it after the offset;
    // any other miss has no equidistant.
    if (lineP && !CompareDirections(C.V4, TFormaDaten::DirAngle(P.V1, P.V2, P.V3, P.V4)))
      return bridge();
    if (lineC && !CompareDirections(P.V5, TFormaDaten::DirAngle(C.V1, C.V2, C.V3, C.V4)))
      return bridge();
    return false;
  }
  // A line that touched the arc crosses the grown circle twice, as far before the touching
  // point as after it: of such a pair the crossing is the one that leaves the arc running
  // its own way.
  const auto turned = [](const GeomT& arc, double before) {
    const double after = Sweep(arc);
    return std::fabs(after) >= Same && SweepFlipped(before, after);
  };
  if (lineP != lineC && turned(lineP ? C : P, lineP ? SweepBefore : sweepP)) {
    const TFormaDaten::GeoResultT& g = daten_.GeoResult;  // the crossings JoinCorner chose from
    GeomT& line = lineP ? P : C;
    GeomT& arc = lineP ? C : P;
    double& x = lineP ? line.V3 : line.V1;
    double& y = lineP ? line.V4 : line.V2;
    const TFormaDaten::PointT other = (x == g.Near.X && y == g.Near.Y) ? g.Far : g.Near;
    x = other.X;
    y = other.Y;
    (lineP ? arc.V4 : arc.V5) = TFormaDaten::DirAngle(arc.V1, arc.V2, other.X, other.Y);
  }
  // The arc before the corner must not have been turned round by moving its end.
  if (!lineP && turned(P, sweepP)) return false;
  return lineC || CheckCornerArc(SweepBefore);
}

bool TFormaGeom::OffsetGeometry(double SourceNo, double TargetNo, double Dist, int FromSlot) {
  CheckNotPumping();
  double r = Dist == NoValue ? 0.0 : Dist;
  const double target = std::round(TargetNo);
  if (!std::isfinite(r) || target != TargetNo ||
      !(std::fabs(target) <= std::numeric_limits<std::int32_t>::max()))
    return false;
  const double source = std::fabs(SourceNo);
  const int n0 = ElementCount();

  // The chain's last element: it keeps its outer end.
  FromSlot = std::max(FromSlot, 1);
  int lastSlot = n0;
  for (; lastSlot >= FromSlot; --lastSlot) {
    const GeomT* e = Elements(lastSlot);
    if (e && HasNumber(*e, source) && !Degenerate(*e)) break;
  }

  bool sideFixed = false;
  std::uint8_t side = 0;
  int built = 0;
  for (int slot = FromSlot; slot <= n0; ++slot) {
    const GeomT* found = Elements(slot);
    if (!found || !HasNumber(*found, source) || Degenerate(*found)) continue;
    if (!sideFixed) {
      side = found->Side;
      if (side == 0) r = 0;
      if (side == 2) r = -r;
      sideFixed = true;
    }
    GeomT e;
    e.Removed = found->Removed;
    CopyShape(e, *found);
    Dispose(slot);
    const bool first = built == 0, last = slot == lastSlot;
    const double sweepBefore = e.Kind == 2 ? Sweep(e) : 0.0;
    if (r != 0) {
      if (e.Kind == 2 && (first || last)) return false;
      if (!(e.Kind == 1 && (first || last))) {
        const ElementOffset moved = OffsetElementBy(daten_, e, r, 0.0);
        if (moved == ElementOffset::ThroughCentre) return false;
        // An arc of exactly the offset radius shrinks to its centre, where its neighbours
        // meet: it has no place on the equidistant.
        if (moved == ElementOffset::Vanished) continue;
      }
    }
    GeomT* out = AppendShape(target, side, e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5);
    if (!out) return false;
    out->OffsetDist = r;
    out->Removed = e.Removed;
    ++built;
    if (r == 0 || built == 1) continue;
    GeomT& previous = At(ElementCount() - 1);
    if (!JoinOffsetCorner(previous, *out, r, sweepBefore, last && out->Kind == 1)) return false;
    // CheckCornerArc may have dropped the arc: the element before it is the last built now.
    built = ElementCount() - n0;
  }
  return true;
}

}  // namespace movra
