// Block transformations on the store: mirror, rotate, scale, reverse and repeat the elements
// of a geometry, in place or as appended copies.
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "geometry/element_points.h"
#include "geometry/forma_geom.h"
#include "geometry/tolerances.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

using GeomT = TFormaGeom::GeomT;
using words::OrZero;
using words::RoundHalfEven;

constexpr double MaxRotateCount = 1000;
constexpr double MaxRepeatCount = 100;

bool Selected(const GeomT& e, double GeomNo) {
  return GeomNo <= 0 || static_cast<double>(e.GeomNo) == GeomNo;
}

std::uint8_t SwappedSide(std::uint8_t Side) { return Side == 1 ? 2 : Side == 2 ? 1 : Side; }

}  // namespace

template <class Move>
bool TFormaGeom::TransformRun(int First, int Last, double Steps, Move&& move) {
  // The run as it stood before the operation: a copy is never made of a copy.
  std::vector<std::pair<int, GeomT>> run;
  for (int slot = First; slot <= Last; ++slot)
    if (const GeomT* e = Elements(slot)) run.emplace_back(slot, *e);
  if (Steps == 0) {
    for (const auto& entry : run) move(At(entry.first), 1.0);
    return true;
  }
  for (double k = 1; k <= Steps; ++k) {
    for (const auto& entry : run) {
      const GeomT& source = entry.second;
      GeomT shape;
      CopyShape(shape, source);
      move(shape, k);
      if (!AppendShape(source.GeomNo, source.Side, shape.Kind, shape.V1, shape.V2, shape.V3,
                       shape.V4, shape.V5))
        return false;
    }
  }
  return true;
}

bool TFormaGeom::SelectedRun(double GeomNo, int Limit, int& First, int& Last) const {
  First = Last = 0;
  for (int slot = 1; slot <= Limit; ++slot) {
    const GeomT* e = Elements(slot);
    if (!e) continue;
    if (Selected(*e, GeomNo)) {
      if (First == 0) First = slot;
      Last = slot;
    } else if (First != 0) {
      break;
    }
  }
  return First != 0;
}

bool TFormaGeom::MirrorGeometry(double GeomNo, double Axis) {
  CheckNotPumping();
  if (Axis != 1 && Axis != 2) return false;
  const double fx = Axis == 1 ? -1.0 : 1.0, fy = Axis == 2 ? -1.0 : 1.0;
  bool any = false;
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    GeomT* e = Elements(slot);
    if (!e || !Selected(*e, GeomNo)) continue;
    any = true;
    e->Side = SwappedSide(e->Side);
    if (e->Kind == 1) {
      e->V1 *= fx;
      e->V3 *= fx;
      e->V2 *= fy;
      e->V4 *= fy;
    } else if (e->Kind == 2) {
      // Start stays start; the sense turns with the mirror.
      double sx = 0, sy = 0, ex = 0, ey = 0;
      StartPointOf(*e, sx, sy);
      EndPointOf(*e, ex, ey);
      e->V1 *= fx;
      e->V2 *= fy;
      e->V3 = -e->V3;
      e->V4 = TFormaDaten::DirAngle(e->V1, e->V2, sx * fx, sy * fy);
      e->V5 = TFormaDaten::DirAngle(e->V1, e->V2, ex * fx, ey * fy);
    }
  }
  return any;
}

bool TFormaGeom::RotateGeometry(double GeomNo, double CX, double CY, double Angle,
                                double Count) {
  CheckNotPumping();
  if (ElementCount() == 0) return false;
  CX = OrZero(CX);
  CY = OrZero(CY);
  Angle = OrZero(Angle);
  Count = OrZero(Count);
  const double steps = RoundHalfEven(std::fabs(Count));
  if (!(steps <= MaxRotateCount) || (Angle == 0 && Count == 0)) return false;
  int first = 0, last = 0;
  // A negative count, or one that rounds to none, makes no copy.
  if (!SelectedRun(GeomNo, ElementCount(), first, last) || Count < 0 || (Count > 0 && steps == 0))
    return true;
  return TransformRun(first, last, Count == 0 ? 0 : steps, [&](GeomT& e, double k) {
    daten_.RotateElement(k * Angle, CX, CY, e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5);
  });
}

bool TFormaGeom::ScaleGeometry(double GeomNo, double Factor) {
  CheckNotPumping();
  const double f = std::fabs(Factor);
  if (f == 0 || f == 1 || !std::isfinite(f)) return false;
  bool any = false;
  for (int slot = 1; slot <= ElementCount(); ++slot) {
    GeomT* e = Elements(slot);
    if (!e || !Selected(*e, GeomNo)) continue;
    any = true;
    e->V1 *= f;
    e->V2 *= f;
    e->V3 *= f;
    if (e->Kind != 2) e->V4 *= f;  // an arc keeps its angles
  }
  return any;
}

bool TFormaGeom::ReverseGeometry(double GeomNo) {
  CheckNotPumping();
  const int count = ElementCount();
  // CopyElement selects the number and its derived copy n + 1000.
  const int number = GeomNo <= 0 ? 0 : static_cast<int>(GeomNo);
  if (number != GeomNo && GeomNo > 0) return false;
  bool any = false;
  for (int slot = count; slot >= 1; --slot) {
    const GeomT* e = Elements(slot);
    if (!e || (number > 0 && e->GeomNo != number && e->GeomNo != number + DerivedOffset))
      continue;
    if (!CopyElement(number, slot, count)) return false;  // the store is full
    GeomT& copy = At(ElementCount());
    if (copy.Kind == 1) {
      std::swap(copy.V1, copy.V3);
      std::swap(copy.V2, copy.V4);
    } else if (copy.Kind == 2) {
      copy.V3 = -copy.V3;
      std::swap(copy.V4, copy.V5);
    }
    copy.Side = SwappedSide(copy.Side);
    Dispose(slot);
    any = true;
  }
  return any;
}

bool TFormaGeom::RepeatGeometry(double GeomNo, double DX, double DY, double Count,
                                double Limit) {
  CheckNotPumping();
  if (ElementCount() == 0) return false;
  DX = OrZero(DX);
  DY = OrZero(DY);
  if (!(Count >= 1 && Count <= MaxRepeatCount)) Count = 0;
  const int limit = Limit >= 1 && Limit <= ElementCount() ? static_cast<int>(Limit)
                                                          : ElementCount();
  if (DX == 0 && DY == 0 && Count == 0) return false;
  if (DX == 0 && DY == 0) {
    // Chained copies: each one starts where the one before ends.
    const GeomT* firstElement = nullptr;
    const GeomT* lastElement = nullptr;
    for (int slot = 1; slot <= limit; ++slot) {
      const GeomT* e = Elements(slot);
      if (!e || !Selected(*e, GeomNo)) continue;
      if (!firstElement) firstElement = e;
      lastElement = e;
    }
    if (!firstElement) return false;
    double sx = 0, sy = 0, ex = 0, ey = 0;
    StartPointOf(*firstElement, sx, sy);
    EndPointOf(*lastElement, ex, ey);
    DX = ex - sx;
    DY = ey - sy;
    // Ends joined within the join gap make a closed contour: it cannot be chained.
    if (std::hypot(DX, DY) < JoinGap) return false;
  }
  int first = 0, last = 0;
  if (!SelectedRun(GeomNo, limit, first, last)) return true;
  const double steps = Count == 0 ? 0 : RoundHalfEven(Count);
  return TransformRun(first, last, steps, [&](GeomT& e, double k) {
    e.V1 += k * DX;
    e.V2 += k * DY;
    if (e.Kind == 1) {
      e.V3 += k * DX;
      e.V4 += k * DY;
    }
  });
}

}  // namespace movra
