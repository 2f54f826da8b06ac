#include "machining/forma_editor_insel.h"

#include "geometry/element_offset.h"
#include "geometry/element_points.h"
#include "geometry/corner_join.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace movra {
namespace {

// Samples of one line in the start search beyond which only its ends are tried: 100 km.
constexpr double MaxLineSamples = 1e7;

bool IsLine(const TFormaEditorInsel::InselT& e) { return e.Kind == 1.0; }

// The join moved the start of the line C: its direction must survive, else the join
// point lay beyond C's end and the line turned round.
bool LineKeptDirection(double Before, double After) {
  constexpr double tol = JoinGap;  // the join tolerance, read as an angle
  if (std::fabs(After - Before) < tol) return true;
  return std::fabs(std::cos(After) - std::cos(Before)) < tol &&
         std::fabs(std::sin(After) - std::sin(Before)) < tol;
}

}  // namespace

// The reference line runs along the hatch direction A, 32767.5 to the right of the origin.
// A sample's distance to it is measured along the line's normal and keeps its sign, so
// geometry lying beyond the line still ranks by how far right it lies. (The triangle formula
// of the kernel gives the distance without sign, and at this range carries rounding noise
// larger than the difference between two samples of an edge parallel to the hatch, so it
// would pick any of them instead of the first.)
struct TFormaEditorInsel::StartSearch {
  TFormaDaten::PointT& Start;  // the unit's StartPoint
  double Distance;
  double NX, NY;  // unit normal to the right of A
  double Best = std::numeric_limits<double>::infinity();
  bool Found = false;

  StartSearch(TFormaDaten::PointT& Point, double A, double D)
      : Start(Point), Distance(D), NX(std::sin(A)), NY(-std::cos(A)) {}

  void StartCandidate(double X, double Y) {
    const double d = Distance - (X * NX + Y * NY);
    if (d < Best) {
      Best = d;
      Start = {X, Y};
      Found = true;
    }
  }
};

// A line's ends swap; an arc keeps its centre, turns its sense and swaps its angles.
void TFormaEditorInsel::Reverse(InselT& e) {
  if (IsLine(e)) {
    std::swap(e.V1, e.V3);
    std::swap(e.V2, e.V4);
  } else {
    e.V3 = -e.V3;
    std::swap(e.V4, e.V5);
  }
  if (e.Side == 1) {
    e.Side = 2;
  } else if (e.Side == 2) {
    e.Side = 1;
  }
}

TFormaEditorInsel::InselT TFormaEditorInsel::LineRecord(double X1, double Y1, double X2,
                                                        double Y2, std::int32_t Group) {
  InselT e;
  e.Group = Group;
  e.Kind = 1.0;
  e.V1 = X1;
  e.V2 = Y1;
  e.V3 = X2;
  e.V4 = Y2;
  return e;
}

TFormaEditorInsel::InselT TFormaEditorInsel::ShapeRecord(const InselT& E,
                                                         std::int32_t Group) {
  InselT e;
  e.Group = Group;
  CopyShape(e, E);
  return e;
}

TFormaEditorInsel::TFormaEditorInsel(TFormaDaten& Daten, TFormaGeom& Geom)
    : daten_(Daten), geom_(Geom) {}

TFormaEditorInsel::~TFormaEditorInsel() { Reset(); }

void TFormaEditorInsel::Reset() {
  ContourCount = 0;
  ClearPath();
  ClearOffset();
  ClearHatch();
  ClearHits();
  ClearContours();
  Params = {};
  StartPoint = {};
  Truncated = false;
  linkSegments_.clear();
  ContourTable.Fill(ContourEntryT{0, 1});
}

void TFormaEditorInsel::ClearContours() {
  Contours.Clear();
  groupTypes_.clear();
}

bool TFormaEditorInsel::SetContourEntry(int Index, double Number, double Type) {
  if (!ContourTable.InRange(Index)) return false;
  if (!std::isfinite(Number) || Number == NoValue) return false;
  constexpr double maxNumber = std::numeric_limits<std::int32_t>::max();
  const double number = std::clamp(std::nearbyint(Number), -maxNumber, maxNumber);
  const double type = std::isfinite(Type) ? std::nearbyint(Type) : -1.0;
  ContourTable(Index).Number = static_cast<std::int32_t>(number);
  ContourTable(Index).Type =
      type >= 0.0 && type <= 255.0 ? static_cast<std::uint8_t>(type) : KeepType;
  return true;
}

bool TFormaEditorInsel::ContourUsable(std::int32_t Number) const {
  const TFormaGeom& geom = geom_;
  for (const int slot : geom.GeomSlots(Number)) {
    const TFormaGeom::GeomT* e = geom.Elements(slot);
    if (e && e->Removed != 1 && e->GeomNo == Number && e->Side == 3) return false;
  }
  return true;
}

bool TFormaEditorInsel::CollectContours() {
  ContourCount = 0;
  ClearContours();
  for (int k = 1; k <= TableSize; ++k) {
    const ContourEntryT entry = ContourTable(k);
    if (entry.Number == 0) continue;
    const bool reversed = entry.Number < 0;
    // A number written straight into the table may be the one int32 without a negation.
    const std::int64_t wide = std::llabs(static_cast<std::int64_t>(entry.Number));
    if (wide > std::numeric_limits<std::int32_t>::max()) continue;
    const auto number = static_cast<std::int32_t>(wide);
    if (!ContourUsable(number)) continue;
    ++ContourCount;
    const std::int32_t serial = ContourCount;
    groupTypes_.push_back(entry.Type);

    bool any = false;
    double firstX = 0.0, firstY = 0.0, lastX = 0.0, lastY = 0.0;
    std::uint8_t lastSide = 0;
    // Only the geometry's own slots are walked, not the whole store.
    const TFormaGeom& geom = geom_;
    const std::vector<int>& slots = geom.GeomSlots(number);
    const std::size_t count = slots.size();
    for (std::size_t i = 0; i < count; ++i) {
      const TFormaGeom::GeomT* g = geom.Elements(slots[reversed ? count - 1 - i : i]);
      if (!g || g->Removed == 1 || g->GeomNo != number) continue;
      if (g->Kind == 1.0) {
        if (TFormaDaten::Dist(g->V1, g->V2, g->V3, g->V4) == 0.0) continue;
      } else if (g->Kind == 2.0) {
        if (g->V3 == 0.0) continue;
      } else {
        continue;
      }
      InselT rec;
      rec.Group = serial;
      CopyShape(rec, *g);
      rec.Side = g->Side;
      if (reversed) Reverse(rec);
      if (!Contours.Add(rec)) return false;
      if (!any) StartPointOf(rec, firstX, firstY);
      EndPointOf(rec, lastX, lastY);
      lastSide = rec.Side;
      any = true;
    }
    if (any && TFormaDaten::Dist(firstX, firstY, lastX, lastY) >= JoinTolerance) {
      InselT closing = LineRecord(lastX, lastY, firstX, firstY, serial);
      closing.Side = lastSide;
      if (!Contours.Add(closing)) return false;
    }
  }
  return Contours.Count() > 2;
}

bool TFormaEditorInsel::OffsetContours() {
  ClearOffset();
  std::int32_t group = 0;
  double g = 0.0;
  int firstOfOpen = 0;  // first offset record of the contour being built
  for (int i = 1; i <= Contours.Count(); ++i) {
    const InselT& source = *Contours(i);
    if (source.Group != group) {
      double d = Params.R;
      if (Params.E != 0.0) {
        if (d > 0.0) {
          d += Params.E;
        } else if (d < 0.0) {
          d -= Params.E;
        }
      }
      if (!(std::fabs(d) <= MaxOffset)) return false;
      const std::size_t slot = static_cast<std::size_t>(source.Group) - 1;
      const std::uint8_t type = slot < groupTypes_.size() ? groupTypes_[slot] : KeepType;
      if (type == 0) {
        g = 0.0;
      } else if (type == 1) {
        g = d;
      } else if (type == 2) {
        g = -d;
      }
      group = source.Group;
    }

    InselT rec = ShapeRecord(source, source.Group);
    // A line shorter than the join gap, and an arc that the offset shrinks to its centre or
    // runs through it, are no longer there: the neighbours join across them.
    if (g != 0.0 && OffsetElementBy(daten_, rec, g, JoinTolerance) != ElementOffset::Moved)
      continue;
    if (!Offsets.Add(rec)) continue;
    const int last = Offsets.Count();
    if (last == 1) firstOfOpen = 1;
    if (i == 1) continue;
    if (last == 1) return false;

    InselT* P = Offsets(last - 1);
    InselT* C = Offsets(last);
    if (!P || !C) return false;
    if (P->Group == C->Group) {
      if (!OffsetElement(P, C, group)) return false;
    } else {
      // P ends its contour: close it on its own first record, as its own group.
      if (!OffsetElement(P, Offsets(firstOfOpen), P->Group)) return false;
      firstOfOpen = last;
    }
  }
  InselT* P = Offsets.Last();
  if (!P) return true;
  return OffsetElement(P, Offsets(firstOfOpen), P->Group);
}

bool TFormaEditorInsel::OffsetElement(InselT* P, InselT* C, std::int32_t CurrentGroup) {
  if (!P || !C || P->Group != CurrentGroup) return true;
  double pEndX = 0.0, pEndY = 0.0, cStartX = 0.0, cStartY = 0.0;
  EndPointOf(*P, pEndX, pEndY);
  StartPointOf(*C, cStartX, cStartY);
  if (TFormaDaten::Dist(pEndX, pEndY, cStartX, cStartY) < JoinTolerance) return true;

  const bool lineC = IsLine(*C);
  const double before = lineC ? TFormaDaten::DirAngle(C->V1, C->V2, C->V3, C->V4)
                              : TFormaDaten::ArcSweep(C->V3, C->V4, C->V5);
  if (JoinCorner(daten_, *P, *C) != CornerJoin::Joined) return false;

  if (lineC) return LineKeptDirection(before, TFormaDaten::DirAngle(C->V1, C->V2, C->V3, C->V4));
  return !SweepFlipped(before, TFormaDaten::ArcSweep(C->V3, C->V4, C->V5));
}

bool TFormaEditorInsel::FindStart() {
  if (Offsets.Empty()) return false;
  StartSearch search(StartPoint, Params.A, ReferenceDistance);

  for (int i = 1; i <= Offsets.Count(); ++i) {
    const InselT& e = *Offsets(i);
    if (IsLine(e)) {
      daten_.DistAngle(e.V1, e.V2, e.V3, e.V4);
      const double length = daten_.GeoResult.Dist;
      const double c = std::cos(daten_.GeoResult.Angle);
      const double s = std::sin(daten_.GeoResult.Angle);
      // Along a line the distance to the reference changes evenly, so its best sample is
      // one of its ends (the start when all are equal). A line too long to sample in steps
      // of 0.01 within reason (or of no finite length) is tried at its ends only.
      if (!(length / 0.01 <= MaxLineSamples)) {
        search.StartCandidate(e.V1, e.V2);
        search.StartCandidate(e.V3, e.V4);
        continue;
      }
      for (std::int64_t k = 1;; ++k) {
        const double t = -0.01 + 0.01 * static_cast<double>(k);
        if (!(t < length)) {  // a length that is no number ends the samples too
          search.StartCandidate(e.V3, e.V4);
          break;
        }
        search.StartCandidate(e.V1 + t * c, e.V2 + t * s);
      }
    } else {
      const double sweep = TFormaDaten::ArcSweep(e.V3, e.V4, e.V5);
      const double r = std::fabs(e.V3);
      for (int k = 0; k < 359; ++k) {
        const double a = e.V4 + k * sweep / 360.0;
        search.StartCandidate(e.V1 + r * std::cos(a), e.V2 + r * std::sin(a));
      }
      double x = 0.0, y = 0.0;
      EndPointOf(e, x, y);
      search.StartCandidate(x, y);
    }
  }
  return search.Found;
}

void TFormaEditorInsel::CountChains(std::int32_t& Count, std::int32_t& Chains) {
  Count = Path.Count();
  if (Count == 0) return;
  Chains = 1;
  const InselT* previous = nullptr;
  for (int i = 1; i <= Path.Count(); ++i) {
    InselT* e = Path(i);
    if (!e) continue;
    if (previous) {
      double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
      EndPointOf(*previous, x1, y1);
      StartPointOf(*e, x2, y2);
      if (TFormaDaten::Dist(x1, y1, x2, y2) > JoinTolerance) ++Chains;
    }
    e->Chain = Chains;
    previous = e;
  }
}

}  // namespace movra
