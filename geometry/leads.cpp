// Approach and departure moves of a geometry: straight (FL), tangent arcs (FR) and on the
// correction side (FRL). Leads are ordinary elements of the geometry; the approach stands
// before its first element, the departure after the last slot.
#include <cmath>
#include <cstdint>

#include "geometry/element_points.h"
#include "geometry/forma_geom.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

using GeomT = TFormaGeom::GeomT;
using namespace words;

// An approach point this close to the axis Y = 0 lies on it (the turning axis).
constexpr double AxisSnap = 0.0001;

double LineDirection(const GeomT& e) { return TFormaDaten::DirAngle(e.V1, e.V2, e.V3, e.V4); }

// The centre of an arc lead of signed radius R that touches E at its start (AtStart) or end
// with E's sense of travel. False when no such arc exists: on an arc of the same sense the
// lead must be the smaller circle.
bool TangentLeadCentre(const GeomT& E, bool AtStart, double R, PointT& Centre) {
  if (E.Kind == 1) {
    Centre = Along(AtStart ? StartPoint(E) : EndPoint(E), LineDirection(E) + HalfPi, R);
    return true;
  }
  if (E.Kind != 2) return false;
  const double r = E.V3;
  if ((r > 0 && R > 0 && R >= r) || (r < 0 && R < 0 && R <= r)) return false;
  Centre = Along({E.V1, E.V2}, AtStart ? E.V4 : E.V5, std::fabs(r - R));
  return true;
}

// The point at signed distance D to the left of E's travel at its start or end.
PointT SidePoint(const GeomT& E, bool AtStart, double D) {
  const PointT p = AtStart ? StartPoint(E) : EndPoint(E);
  if (E.Kind == 1) return Along(p, LineDirection(E) + HalfPi, D);
  const double radial = AtStart ? E.V4 : E.V5;
  return Along(p, E.V3 > 0 ? radial + Pi : radial, D);
}

}  // namespace

TFormaGeom::GeomT* TFormaGeom::AppendShape(double Number, std::uint8_t Side, double Kind,
                                           double V1, double V2, double V3, double V4,
                                           double V5) {
  for (double v : {V1, V2, V3, V4, V5})
    if (!std::isfinite(v)) return nullptr;
  if (!NewElement()) return nullptr;
  GeomT& e = At(ElementCount());
  e.GeomNo = static_cast<std::int32_t>(Number);
  e.Side = Side;
  e.Kind = Kind;
  e.V1 = V1;
  e.V2 = V2;
  e.V3 = V3;
  e.V4 = V4;
  e.V5 = V5;
  return &e;
}

bool TFormaGeom::AddLead(double Number, std::uint8_t Side, int Index, double Kind, double V1,
                         double V2, double V3, double V4, double V5) {
  if (!AppendShape(Number, Side, Kind, V1, V2, V3, V4, V5)) return false;
  if (Index >= 0) MoveLastElementTo(Index);
  return true;
}

bool TFormaGeom::AddLineLeads(double Number, double L1, double A1, double L2, double A2,
                              int* Before) {
  CheckNotPumping();
  int placed = 0;
  if (Before) *Before = 0;
  L1 = OrZero(L1);
  L2 = OrZero(L2);
  int examined = 0;
  const int first = FirstOfNumber(Number, examined);
  if (first == 0) return false;
  const int last = LastOfNumber(Number);
  const std::uint8_t side = At(first).Side;
  const PointT s = StartPoint(At(first)), e = EndPoint(At(last));
  bool added = false;
  if (L1 != 0 && A1 != NoValue) {
    const PointT a = Along(s, A1, L1);
    if (!AddLead(Number, side, first - 1, 1, a.X, a.Y, s.X, s.Y, 0)) return false;
    added = true;
    ++placed;
  }
  if (Before) *Before = placed;
  if (L2 != 0 && A2 != NoValue) {
    const PointT b = Along(e, A2, L2);
    if (!AddLead(Number, side, -1, 1, e.X, e.Y, b.X, b.Y, 0)) return false;
    added = true;
  }
  return added;
}

bool TFormaGeom::AddArcLeads(double Number, double R1, double A1, double R2, double A2,
                             int* Before) {
  CheckNotPumping();
  if (Before) *Before = 0;
  R1 = OrZero(R1);
  A1 = OrZero(A1);
  R2 = OrZero(R2);
  A2 = OrZero(A2);
  int examined = 0;
  const int first = FirstOfNumber(Number, examined);
  if (first == 0) return false;
  const int last = LastOfNumber(Number);
  const std::uint8_t side = At(first).Side;
  // Both ends are read before the approach moves the slots.
  const GeomT firstElement = At(first), lastElement = At(last);
  bool added = false;
  PointT k;
  if (R1 != 0 && (firstElement.Kind == 1 || firstElement.Kind == 2)) {
    if (!TangentLeadCentre(firstElement, true, R1, k)) return false;
    if (!AddLead(Number, side, first - 1, 2, k.X, k.Y, R1, A1, Dir(k, StartPoint(firstElement))))
      return false;
    added = true;
    if (Before) *Before = 1;
  }
  if (R2 != 0 && (lastElement.Kind == 1 || lastElement.Kind == 2)) {
    if (!TangentLeadCentre(lastElement, false, R2, k)) return added;
    const double start = Dir(k, EndPoint(lastElement));
    if (!AddLead(Number, side, -1, 2, k.X, k.Y, R2, start, A2)) return false;
    added = true;
  }
  return added;
}

bool TFormaGeom::AddCorrectionLeads(double Number, double D1, double C1, double D2, double C2,
                                    int* Before) {
  CheckNotPumping();
  if (Before) *Before = 0;
  const auto sweep = [](double c) {
    if (c == NoValue) return NoValue;
    c = std::fabs(c);
    return c == 0 || c > Pi ? NoValue : c;
  };
  C1 = sweep(C1);
  C2 = sweep(C2);
  if (D1 == 0) D1 = NoValue;
  if (D2 == 0) D2 = NoValue;
  int examined = 0;
  const int first = FirstOfNumber(Number, examined);
  if (first == 0) return false;
  const std::uint8_t side = At(first).Side;
  if (side != 1 && side != 2) return false;
  if (side == 2) {
    if (D1 != NoValue) D1 = -D1;
    if (D2 != NoValue) D2 = -D2;
  }
  // The departure leaves the end of this geometry, not whatever the store holds last.
  const GeomT firstElement = At(first), lastElement = At(LastOfNumber(Number));

  if (D1 != NoValue) {
    const PointT s = StartPoint(firstElement);
    PointT p = SidePoint(firstElement, true, D1);
    if (firstElement.Kind == 1 && std::fabs(p.Y) < AxisSnap) p.Y = 0;
    PointT a = s;
    if (C1 != NoValue) {
      const double e = Dir(p, s);
      const double start = D1 > 0 ? e - C1 : e + C1;
      if (!AddLead(Number, side, first - 1, 2, p.X, p.Y, D1, start, e)) return false;
      a = Along(p, start, std::fabs(D1));
      if (Before) ++*Before;
    }
    if (!AddLead(Number, side, first - 1, 1, p.X, p.Y, a.X, a.Y, 0)) return false;
    if (Before) ++*Before;
  }
  if (D2 != NoValue) {
    const PointT e = EndPoint(lastElement);
    const PointT q = SidePoint(lastElement, false, D2);
    PointT b = e;
    if (C2 != NoValue) {
      const double s = Dir(q, e);
      const double end = D2 > 0 ? s + C2 : s - C2;
      if (!AddLead(Number, side, -1, 2, q.X, q.Y, D2, s, end)) return false;
      b = Along(q, end, std::fabs(D2));
    }
    if (!AddLead(Number, side, -1, 1, b.X, b.Y, q.X, q.Y, 0)) return false;
  }
  return true;
}

}  // namespace movra
