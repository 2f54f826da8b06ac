#pragma once
// The corner join of offset contours (turning, pockets, equidistants): after an offset two
// consecutive elements no longer meet (a gap at an outer corner, an overlap at an inner
// one), so both are extended or trimmed to where their carriers cross.
#include <cmath>

#include "geometry/element_points.h"
#include "geometry/forma_daten.h"

namespace movra {

enum class CornerJoin {
  Joined,      // P's end and C's start now lie on the crossing
  Parallel,    // two lines that run the same way or against each other: left as they are
  NoCrossing,  // the carriers do not meet
};

// Lines of the same or of opposite direction (within Same, also either side of 0 / 2pi):
// their carriers meet nowhere or everywhere.
bool ParallelDirections(double A1, double A2);

// A join moves an arc's start by well under half a turn. A sweep that vanished, changed
// sign or moved by more than pi from Before has wrapped round: the start ran past the end.
// A semicircle trimmed a little is fine, whichever side of pi its sweep ends on.
bool SweepFlipped(double Before, double After);

// Joins P's end to C's start. Line and arc: the crossing of line and circle nearer to the
// line's end at the corner (Near on a tie); arc and arc: the crossing of the two circles,
// the second solution only when it is strictly nearer to C's start.
template <class Record>
CornerJoin JoinCorner(TFormaDaten& Daten, Record& P, Record& C) {
  double pEndX = 0.0, pEndY = 0.0, cStartX = 0.0, cStartY = 0.0;
  EndPointOf(P, pEndX, pEndY);
  StartPointOf(C, cStartX, cStartY);
  const auto& r = Daten.GeoResult;
  const auto dist = [](const TFormaDaten::PointT& a, double X, double Y) {
    return std::hypot(a.X - X, a.Y - Y);
  };
  const auto nearer = [&](double X, double Y) {
    return dist(r.Far, X, Y) < dist(r.Near, X, Y) ? r.Far : r.Near;
  };
  const bool lineP = P.Kind == 1.0, lineC = C.Kind == 1.0;
  if (lineP && lineC) {
    const double aP = TFormaDaten::DirAngle(P.V1, P.V2, P.V3, P.V4);
    const double aC = TFormaDaten::DirAngle(C.V1, C.V2, C.V3, C.V4);
    if (ParallelDirections(aP, aC)) return CornerJoin::Parallel;
    if (!Daten.OffsetLinesIntersect(P.V1, P.V2, aP, C.V1, C.V2, aC, 0.0))
      return CornerJoin::NoCrossing;
    P.V3 = C.V1 = r.Point.X;
    P.V4 = C.V2 = r.Point.Y;
  } else if (lineP) {
    const double aP = TFormaDaten::DirAngle(P.V1, P.V2, P.V3, P.V4);
    if (!Daten.LineCircleIntersect(P.V1, P.V2, 0.0, aP, C.V1, C.V2, std::fabs(C.V3), 0.0))
      return CornerJoin::NoCrossing;
    const TFormaDaten::PointT p = nearer(pEndX, pEndY);
    P.V3 = p.X;
    P.V4 = p.Y;
    C.V4 = TFormaDaten::DirAngle(C.V1, C.V2, p.X, p.Y);
  } else if (lineC) {
    const double aC = TFormaDaten::DirAngle(C.V1, C.V2, C.V3, C.V4);
    if (!Daten.LineCircleIntersect(C.V1, C.V2, 0.0, aC, P.V1, P.V2, std::fabs(P.V3), 0.0))
      return CornerJoin::NoCrossing;
    const TFormaDaten::PointT p = nearer(cStartX, cStartY);
    P.V5 = TFormaDaten::DirAngle(P.V1, P.V2, p.X, p.Y);
    C.V1 = p.X;
    C.V2 = p.Y;
  } else {
    // The circles cross where a radius-0 arc touches both.
    if (!Daten.ArcTangentTwoCircles(P.V1, P.V2, P.V3, C.V1, C.V2, C.V3, 0.0, 1))
      return CornerJoin::NoCrossing;
    TFormaDaten::PointT p = r.ArcCentre;
    if (!Daten.ArcTangentTwoCircles(P.V1, P.V2, P.V3, C.V1, C.V2, C.V3, 0.0, 2))
      return CornerJoin::NoCrossing;
    if (dist(r.ArcCentre, cStartX, cStartY) < dist(p, cStartX, cStartY)) p = r.ArcCentre;
    P.V5 = TFormaDaten::DirAngle(P.V1, P.V2, p.X, p.Y);
    C.V4 = TFormaDaten::DirAngle(C.V1, C.V2, p.X, p.Y);
  }
  return CornerJoin::Joined;
}

}  // namespace movra
