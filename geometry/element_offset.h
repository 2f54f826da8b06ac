#pragma once
// The offset of one element of a contour: a line moves sideways, an arc keeps its centre and
// changes its radius. What becomes of an element that vanishes or turns round is the
// caller's policy (the turning contour stops, a pocket drops it), so the offset only says
// which it was.
#include <cmath>
#include <numbers>

#include "geometry/forma_daten.h"
#include "geometry/tolerances.h"

namespace movra {

enum class ElementOffset {
  Moved,          // the element now runs at the distance
  Vanished,       // a line shorter than the caller's minimum, or an arc shrunk to its centre
  ThroughCentre,  // the offset passes the arc's centre: the arc would run the other way
};

// Offsets the record E (Kind and V1..V5) by Distance to the left of its direction of travel
// (to the right for a negative Distance). A line moves along its direction angle + pi/2, its
// direction and length taken from its current ends (DistAngle); it vanishes when that
// length is below MinLineLength. An arc gets the radius r - Distance; it vanishes within
// Same of 0 and passes its centre when the radius changes sign. E is changed only when the
// result is Moved. Any other kind is left as it is (Moved).
template <class Record>
ElementOffset OffsetElementBy(TFormaDaten& Daten, Record& E, double Distance,
                              double MinLineLength) {
  if (E.Kind == 1.0) {
    Daten.DistAngle(E.V1, E.V2, E.V3, E.V4);
    if (Daten.GeoResult.Dist < MinLineLength) return ElementOffset::Vanished;
    const double normal = Daten.GeoResult.Angle + std::numbers::pi / 2.0;
    const double dx = Distance * std::cos(normal);
    const double dy = Distance * std::sin(normal);
    E.V1 += dx;
    E.V2 += dy;
    E.V3 += dx;
    E.V4 += dy;
  } else if (E.Kind == 2.0) {
    const double r = E.V3 - Distance;
    if (std::fabs(r) < Same) return ElementOffset::Vanished;
    if ((E.V3 > 0.0 && r < 0.0) || (E.V3 < 0.0 && r > 0.0)) return ElementOffset::ThroughCentre;
    E.V3 = r;
  }
  return ElementOffset::Moved;
}

}  // namespace movra
