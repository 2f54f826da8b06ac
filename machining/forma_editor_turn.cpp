#include "machining/forma_editor_turn.h"

#include "geometry/element_offset.h"
#include "geometry/element_points.h"
#include "geometry/tolerances.h"
#include "geometry/corner_join.h"

#include <cmath>

namespace movra {

namespace {

using TurnT = TFormaEditorTurn::TurnT;

bool IsLine(const TurnT& r) { return r.Kind == 1.0; }
bool IsArc(const TurnT& r) { return r.Kind == 2.0; }

// The correction side Typ as the nearest integer; the panel passes 0, 1 or 2.
std::uint8_t SideOf(double Typ) {
  if (!(Typ > 0.0)) return 0;
  if (Typ >= 255.0) return 255;
  return static_cast<std::uint8_t>(std::lround(Typ));
}

// A shift or distance that is no number, or one that carries a point beyond the reals,
// gives nothing a machine could move along.
bool Finite(const TurnT& r) {
  return std::isfinite(r.V1) && std::isfinite(r.V2) && std::isfinite(r.V3) &&
         std::isfinite(r.V4) && std::isfinite(r.V5);
}

double Distance(double X1, double Y1, double X2, double Y2) {
  return std::hypot(X2 - X1, Y2 - Y1);
}

}  // namespace

TFormaEditorTurn::TFormaEditorTurn(TFormaDaten& Daten, TFormaGeom& Geom)
    : daten_(Daten), geom_(Geom) {}

void TFormaEditorTurn::ClearLists() {
  ClearOut();
  ClearIn();
}

void TFormaEditorTurn::ClearOut() { OutElements.Clear(); }

void TFormaEditorTurn::ClearIn() { InElements.Clear(); }

bool TFormaEditorTurn::AddOut() { return OutElements.Add(); }

bool TFormaEditorTurn::AddIn() { return InElements.Add(); }

bool TFormaEditorTurn::AddLine(double X1, double Y1, double X2, double Y2, std::uint8_t Side) {
  if (!std::isfinite(X1) || !std::isfinite(Y1) || !std::isfinite(X2) || !std::isfinite(Y2))
    return false;
  if (!AddIn()) return false;
  TurnT* r = InElements.Current();
  if (r == nullptr) return false;
  r->Kind = 1.0;
  r->V1 = X1;
  r->V2 = Y1;
  r->V3 = X2;
  r->V4 = Y2;
  r->Side = Side;
  return true;
}

bool TFormaEditorTurn::BuildContour(double& StartX, double& StartY, double E1, double E2,
                                    double E3, double L1, double A1, double L2, double A2,
                                    double Typ, double& EndX, double& EndY) {
  ClearIn();
  if (E1 == NoValue) E1 = 0.0;
  if (E2 == NoValue) E2 = 0.0;
  if (E3 == NoValue) E3 = 0.0;
  const std::uint8_t side = SideOf(Typ);
  // A positive distance lies left of travel for G41 and right of it for G42.
  if (side == 0) E3 = 0.0;
  if (side == 2) E3 = -E3;

  for (int slot = 1; slot <= geom_.ElementCount(); ++slot) {
    const TFormaGeom::GeomT* e = geom_.Elements(slot);
    if (e == nullptr) continue;
    geom_.SetCurElement(slot);
    TurnT c;
    CopyShape(c, *e);
    double sweep = 0.0;
    if (IsLine(c)) {
      if (TFormaDaten::Dist(c.V1, c.V2, c.V3, c.V4) == 0.0) continue;
      c.V1 += E1;
      c.V2 += E2;
      c.V3 += E1;
      c.V4 += E2;
      // Only a line of length 0 (a point) was skipped: every other line is offset.
      OffsetElementBy(daten_, c, E3, 0.0);
      c.V5 = 0.0;  // a line's fifth value (a repeat's Z) means nothing to turning
    } else if (IsArc(c)) {
      sweep = TFormaDaten::ArcSweep(c.V3, c.V4, c.V5);
      if (std::fabs(sweep) < Same) continue;
      c.V1 += E1;
      c.V2 += E2;
      switch (OffsetElementBy(daten_, c, E3, 0.0)) {
        case ElementOffset::Moved:
          break;
        // A fillet whose radius equals the offset shrinks to its centre: the tool would stand
        // still there, so the arc is left out and its neighbours meet at the centre.
        case ElementOffset::Vanished:
          continue;
        // The offset runs through the centre: no equidistant exists there.
        case ElementOffset::ThroughCentre:
          return false;
      }
    } else {
      continue;
    }
    if (!Finite(c)) return false;

    if (!AddIn()) return false;
    TurnT* rec = InElements.Current();
    if (rec == nullptr) return false;
    *rec = c;
    rec->Feed = 0.0;
    rec->Side = side;
    if (InElements.Count() > 1 && JoinLast(sweep) == Join::Failed) return false;
  }

  const TurnT* first = InElements.First();
  if (first == nullptr) return false;

  if (L1 != 0.0 && L1 != NoValue && A1 != NoValue) {
    double x = 0.0, y = 0.0;
    StartPointOf(*first, x, y);
    const double l = std::fabs(L1);
    if (!AddLine(x + l * std::cos(A1), y + l * std::sin(A1), x, y, side)) return false;
    InElements.MoveLastTo(1);
  }
  const TurnT* last = InElements.Last();
  if (L2 != 0.0 && L2 != NoValue && A2 != NoValue && last != nullptr) {
    double x = 0.0, y = 0.0;
    EndPointOf(*last, x, y);
    const double l = std::fabs(L2);
    if (!AddLine(x, y, x + l * std::cos(A2), y + l * std::sin(A2), side)) return false;
  }
  return ContourEnds(StartX, StartY, EndX, EndY);
}

// Joins the last input record to the one before it: the offset moved their common corner
// apart (a gap at an outer corner, an overlap at an inner one), so both are extended or
// trimmed to the intersection of their carriers.
TFormaEditorTurn::Join TFormaEditorTurn::JoinLast(double SourceSweep) {
  const int n = InElements.Count();
  TurnT* prevRec = InElements(n - 1);
  TurnT* curRec = InElements(n);
  if (prevRec == nullptr || curRec == nullptr) return Join::Done;
  TurnT& prev = *prevRec;
  TurnT& cur = *curRec;
  double px = 0.0, py = 0.0, qx = 0.0, qy = 0.0;
  StartPointOf(cur, px, py);
  EndPointOf(prev, qx, qy);
  if (Distance(px, py, qx, qy) < Same) return Join::Done;
  switch (JoinCorner(daten_, prev, cur)) {
    case CornerJoin::Parallel:
      return Join::Done;  // parallel lines stay unjoined
    case CornerJoin::NoCrossing:
      return Join::Failed;
    case CornerJoin::Joined:
      break;
  }
  // Only a trimmed arc start can wrap round; an arc's end moved onto a line is kept.
  if (IsArc(cur)) DropFlippedArc(SourceSweep);
  return Join::Done;
}

// A trim moves an arc's start by well under half a turn. When its sweep now differs from
// the sweep it was read with by more than pi, or vanished, the trimmed arc runs the long
// way round (its new start lies beyond its end): such an arc is dropped. A semicircle
// trimmed a little stays, whichever side of pi its sweep ends on.
void TFormaEditorTurn::DropFlippedArc(double SourceSweep) {
  const TurnT* last = InElements.Last();
  if (last == nullptr || !IsArc(*last)) return;
  if (SweepFlipped(SourceSweep, TFormaDaten::ArcSweep(last->V3, last->V4, last->V5)))
    InElements.Remove(InElements.Count());
}

bool TFormaEditorTurn::ContourEnds(double& StartX, double& StartY, double& EndX, double& EndY) {
  const TurnT* first = InElements.First();
  const TurnT* last = InElements.Last();
  if (first == nullptr || last == nullptr) return false;
  StartPointOf(*first, StartX, StartY);
  EndPointOf(*last, EndX, EndY);
  return true;
}

bool TFormaEditorTurn::FinishContour(double Typ, double Feed) {
  if (InElements.Empty()) return false;
  const std::uint8_t side = SideOf(Typ);
  for (int i = 1; i <= InElements.Count(); ++i) {
    const TurnT* in = InElements(i);
    if (in == nullptr) continue;
    if (!AddOut()) return false;
    TurnT* out = OutElements.Current();
    if (out == nullptr) return false;
    *out = *in;
    out->Feed = Feed;
    out->Side = side;
  }
  ClearIn();
  return true;
}

}  // namespace movra
