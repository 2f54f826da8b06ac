// Hatching and linking of a pocket: parallel lines at the hatch angle cross the offset
// contours, the pieces of each line inside the pocket become segments (every other line's
// run along A and go to the path), and the linking joins them into zig-zags that move from
// one segment to the next along the offset contours.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

#include "geometry/element_points.h"
#include "machining/forma_editor_insel.h"
#include "platform/core/application.h"

namespace movra {
namespace {

using PointT = TFormaDaten::PointT;

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2.0 * Pi;
// A contour point this near a hatch line lies on it. Such points count to the side the line
// advances to, so a line through a vertex it crosses gets one hit there, through a vertex it
// only touches none or two at one place, and a gap below the join tolerance between two
// records lets no crossing slip through.
constexpr double OnLine = TFormaEditorInsel::JoinTolerance;
// Crossings of one line closer than this along it are one place.
constexpr double SamePlace = TFormaEditorInsel::JoinTolerance;
// A hatch segment goes to the path when its direction is A within this (radians).
constexpr double AlongA = 0.001;
// Split points of an arc this near its ends are its ends (radians).
constexpr double AngleEps = 1e-12;
// A connecting piece of an arc sweeping more than its record by this has wrapped round.
constexpr double SweepSlack = 1e-9;

bool AboveLine(double S) { return S >= -OnLine; }

double Dist(const PointT& A, const PointT& B) { return TFormaDaten::Dist(A.X, A.Y, B.X, B.Y); }

}  // namespace

bool TFormaEditorInsel::Pump() {
  platform::ProcessMessages();
  return platform::ApplicationTag() != 0;
}

void TFormaEditorInsel::FormDblClick() { platform::SetApplicationTag(0); }

// Lines are monotone across the hatch lines already; arcs are cut where they run parallel
// to A, at the two points of the circle farthest ahead and behind across the lines.
void TFormaEditorInsel::BuildHatchPieces() {
  HatchRunT& run = hatch_;
  run.Pieces.clear();
  const double phi = std::atan2(run.NY, run.NX);  // direction of the normal
  for (int i = 1; i <= Offsets.Count(); ++i) {
    const InselT* e = Offsets(i);
    if (!e) continue;
    HatchPiece piece;
    piece.Record = i;
    if (e->Kind == 1.0) {
      piece.X0 = e->V1;
      piece.Y0 = e->V2;
      piece.X1 = e->V3;
      piece.Y1 = e->V4;
      piece.H0 = piece.X0 * run.NX + piece.Y0 * run.NY;
      piece.H1 = piece.X1 * run.NX + piece.Y1 * run.NY;
      run.Pieces.push_back(piece);
      continue;
    }
    if (e->Kind != 2.0) continue;
    const double sweep = TFormaDaten::ArcSweep(e->V3, e->V4, e->V5);
    const double length = std::fabs(sweep);
    if (!(length > 0.0)) continue;
    const double sense = sweep > 0.0 ? 1.0 : -1.0;
    piece.Arc = true;
    piece.CX = e->V1;
    piece.CY = e->V2;
    piece.Rho = std::fabs(e->V3);
    piece.HC = piece.CX * run.NX + piece.CY * run.NY;
    double startX = 0.0, startY = 0.0, endX = 0.0, endY = 0.0;
    StartPointOf(*e, startX, startY);
    EndPointOf(*e, endX, endY);

    // Cut points: the angles phi + k pi inside the sweep, as distances along it.
    std::vector<double> cuts{0.0};
    double t = std::fmod(sense * (phi - e->V4), Pi);
    if (t < 0.0) t += Pi;
    for (; t < length - AngleEps; t += Pi) {
      if (t > AngleEps) cuts.push_back(t);
    }
    cuts.push_back(length);
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
      const double a0 = e->V4 + sense * cuts[k];
      const double a1 = e->V4 + sense * cuts[k + 1];
      piece.X0 = k == 0 ? startX : piece.CX + piece.Rho * std::cos(a0);
      piece.Y0 = k == 0 ? startY : piece.CY + piece.Rho * std::sin(a0);
      const bool last = k + 2 == cuts.size();
      piece.X1 = last ? endX : piece.CX + piece.Rho * std::cos(a1);
      piece.Y1 = last ? endY : piece.CY + piece.Rho * std::sin(a1);
      piece.H0 = piece.X0 * run.NX + piece.Y0 * run.NY;
      piece.H1 = piece.X1 * run.NX + piece.Y1 * run.NY;
      piece.BehindCentre = std::remainder(0.5 * (a0 + a1) - phi, TwoPi) >= 0.0;
      run.Pieces.push_back(piece);
    }
  }
}

// A piece is crossed when its ends lie on either side of the line (points on the line count
// to the side ahead). The crossing is computed on the piece itself and moved onto the line.
bool TFormaEditorInsel::IntersectHatchLine() {
  int record = 0;
  for (std::size_t k = 0; k < hatch_.Pieces.size(); ++k) {
    if (hatch_.Pieces[k].Record != record) {
      record = hatch_.Pieces[k].Record;
      if (!Pump()) return false;
      if (k >= hatch_.Pieces.size()) break;
    }
    const HatchPiece p = hatch_.Pieces[k];
    const double level = hatch_.Level;
    const double s0 = p.H0 - level;
    const double s1 = p.H1 - level;
    if (AboveLine(s0) == AboveLine(s1)) continue;
    double x = 0.0, y = 0.0;
    if (!p.Arc) {
      const double t = std::clamp(s0 / (s0 - s1), 0.0, 1.0);
      x = p.X0 + t * (p.X1 - p.X0);
      y = p.Y0 + t * (p.Y1 - p.Y0);
    } else {
      // Along the piece cos(theta - phi) runs monotonely between its values at the ends.
      const double c0 = (p.H0 - p.HC) / p.Rho;
      const double c1 = (p.H1 - p.HC) / p.Rho;
      const double v = std::clamp(std::clamp((level - p.HC) / p.Rho, std::min(c0, c1),
                                             std::max(c0, c1)),
                                  -1.0, 1.0);
      const double phi = std::atan2(hatch_.NY, hatch_.NX);
      const double theta = phi + (p.BehindCentre ? 1.0 : -1.0) * std::acos(v);
      x = p.CX + p.Rho * std::cos(theta);
      y = p.CY + p.Rho * std::sin(theta);
    }
    const double off = x * hatch_.NX + y * hatch_.NY - level;
    if (!AddHit(x - off * hatch_.NX, y - off * hatch_.NY)) return false;
  }
  return true;
}

bool TFormaEditorInsel::AddHit(double X, double Y) {
  if (!Pump()) return false;
  if (!HitPoints.Add(HitT{X, Y})) {
    hatch_.HitsLost = true;
    Truncated = true;
  }
  return true;
}

bool TFormaEditorInsel::NextHitPair(std::size_t& Position, HitT& From, HitT& To) {
  if (!Pump()) return false;
  const std::vector<HitT>& sorted = hatch_.Sorted;
  const std::size_t m = sorted.size();
  if (Position + 1 >= m) return false;
  if (hatch_.Forward) {
    From = sorted[Position];
    To = sorted[Position + 1];
  } else {
    From = sorted[m - 1 - Position];
    To = sorted[m - 2 - Position];
  }
  Position += 2;
  return true;
}

bool TFormaEditorInsel::HatchLineSegments() {
  struct AlongT {
    double U;
    HitT P;
  };
  std::vector<AlongT> along;
  along.reserve(static_cast<std::size_t>(HitPoints.Count()));
  for (int i = 1; i <= HitPoints.Count(); ++i) {
    const HitT* h = HitPoints(i);
    if (h) along.push_back({h->X * hatch_.DX + h->Y * hatch_.DY, *h});
  }
  const bool lost = hatch_.HitsLost;
  hatch_.HitsLost = false;
  ClearHits();
  hatch_.Sorted.clear();
  if (along.size() < 2) return true;

  // Sorted along A; crossings at one place pair off (a touched vertex, two contours meeting
  // there) and an odd number of them leaves one.
  std::stable_sort(along.begin(), along.end(),
                   [](const AlongT& a, const AlongT& b) { return a.U < b.U; });
  std::size_t clusterStart = 0;
  for (std::size_t i = 0; i < along.size(); ++i) {
    if (!Pump()) return false;
    const bool ends = i + 1 == along.size() || !(along[i + 1].U - along[i].U < SamePlace);
    if (!ends) continue;
    if ((i + 1 - clusterStart) % 2 == 1) hatch_.Sorted.push_back(along[clusterStart].P);
    clusterStart = i + 1;
  }
  if (hatch_.Sorted.size() < 2) return true;

  // An odd count (or a lost point) leaves the line's inside unknown: it gets no segment
  // rather than one across an island.
  if (hatch_.Sorted.size() % 2 == 0 && !lost) {
    std::size_t position = 0;
    HitT from, to;
    while (NextHitPair(position, from, to)) {
      if (TFormaDaten::Dist(from.X, from.Y, to.X, to.Y) < hatch_.R) continue;
      if (!HatchSegments.Add(LineRecord(from.X, from.Y, to.X, to.Y, 0))) {
        Truncated = true;
        break;
      }
    }
    if (platform::ApplicationTag() == 0) return false;
  }
  hatch_.Sorted.clear();
  hatch_.Forward = !hatch_.Forward;
  return true;
}

std::int32_t TFormaEditorInsel::Hatch() {
  if (platform::ApplicationTag() != 0) return 0;
  platform::SetApplicationTag(1);
  if (ShowHourglass) ShowHourglass();
  Truncated = false;
  ClearPath();
  ClearHatch();
  ClearHits();

  const ParamsT params = Params;
  hatch_ = {};
  hatch_.R = params.R;
  hatch_.Step = params.R * params.K;
  const PointT start = StartPoint;
  const auto finish = [](std::int32_t lines) {
    platform::SetApplicationTag(0);
    return lines;
  };
  if (!(hatch_.Step > 0.0) || !std::isfinite(hatch_.Step) || !std::isfinite(params.A) ||
      !std::isfinite(start.X) || !std::isfinite(start.Y) || Offsets.Empty()) {
    return finish(0);
  }
  hatch_.DX = std::cos(params.A);
  hatch_.DY = std::sin(params.A);
  hatch_.NX = -hatch_.DY;
  hatch_.NY = hatch_.DX;
  hatch_.Level = start.X * hatch_.NX + start.Y * hatch_.NY;
  BuildHatchPieces();
  double farthest = -std::numeric_limits<double>::infinity();
  for (const HatchPiece& p : hatch_.Pieces) farthest = std::max({farthest, p.H0, p.H1});

  std::int32_t lines = 0;
  const auto cancel = [&] {
    ClearPath();
    ClearHits();
    hatch_.Sorted.clear();
    return finish(lines);
  };
  int previous = -1;
  bool covered = false;
  for (int pass = 1; pass <= MaxHatchLines; ++pass) {
    if (!Pump()) return cancel();
    const int n = HitPoints.Count();
    if (n >= CrowdedHits && n == previous) break;
    previous = n;
    if (n > 0) {
      ++lines;
      if (!HatchLineSegments()) return cancel();
    }
    hatch_.Level += HatchSegments.Empty() ? CreepStep : hatch_.Step;
    // A line beyond every contour crosses nothing: the pocket is covered.
    if (!(hatch_.Level <= farthest + OnLine)) {
      covered = true;
      break;
    }
    if (!IntersectHatchLine()) return cancel();
  }
  if (!covered) Truncated = true;
  ClearHits();  // the crossings of a line the cap left unprocessed

  // The path: the offsets as contour passes, then the segments that run along A.
  bool full = false;
  for (int i = 1; i <= Offsets.Count() && !full; ++i) {
    const InselT* e = Offsets(i);
    if (!e) continue;
    full = !Path.Add(ShapeRecord(*e, 1));
  }
  for (int i = 1; i <= HatchSegments.Count() && !full; ++i) {
    const InselT* e = HatchSegments(i);
    if (!e) continue;
    const double direction = TFormaDaten::DirAngle(e->V1, e->V2, e->V3, e->V4);
    if (!TFormaDaten::SameDirection(direction, params.A, AlongA)) continue;
    full = !Path.Add(ShapeRecord(*e, 2));
  }
  if (full) Truncated = true;
  return finish(lines);
}

// ---- Linking ----

bool TFormaEditorInsel::AppendSegment(PointT S, PointT E) {
  if (Path.Add(LineRecord(S.X, S.Y, E.X, E.Y, 2))) return true;
  Truncated = true;
  return false;
}

TFormaEditorInsel::ContourSpotT TFormaEditorInsel::LocateOnOffsets(PointT P) const {
  ContourSpotT best;
  best.P = P;
  double bestDist = LinkCapture;
  for (int i = 1; i <= Offsets.Count(); ++i) {
    const InselT* e = Offsets(i);
    if (!e) continue;
    double dist = 0.0, along = 0.0;
    if (e->Kind == 1.0) {
      const double dx = e->V3 - e->V1, dy = e->V4 - e->V2;
      const double length2 = dx * dx + dy * dy;
      const double t = length2 > 0.0
                           ? std::clamp(((P.X - e->V1) * dx + (P.Y - e->V2) * dy) / length2,
                                        0.0, 1.0)
                           : 0.0;
      dist = TFormaDaten::Dist(P.X, P.Y, e->V1 + t * dx, e->V2 + t * dy);
      along = t * std::sqrt(length2);
    } else if (e->Kind == 2.0) {
      // No point of the arc is nearer than its circle.
      const double fromCentre = TFormaDaten::Dist(e->V1, e->V2, P.X, P.Y);
      if (!(std::fabs(fromCentre - std::fabs(e->V3)) < bestDist)) continue;
      const double sweep = TFormaDaten::ArcSweep(e->V3, e->V4, e->V5);
      const double length = std::fabs(sweep);
      const double sense = sweep >= 0.0 ? 1.0 : -1.0;
      along = std::fmod(sense * (TFormaDaten::DirAngle(e->V1, e->V2, P.X, P.Y) - e->V4), TwoPi);
      if (along < 0.0) along += TwoPi;
      if (along <= length) {
        dist = std::fabs(fromCentre - std::fabs(e->V3));
      } else {
        // Beyond the arc's ends: the nearer end.
        double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
        TFormaDaten::ElementEndPoints(e->Kind, e->V1, e->V2, e->V3, e->V4, e->V5, x1, y1, x2,
                                      y2);
        const double d1 = TFormaDaten::Dist(P.X, P.Y, x1, y1);
        const double d2 = TFormaDaten::Dist(P.X, P.Y, x2, y2);
        dist = std::min(d1, d2);
        along = d1 <= d2 ? 0.0 : length;
      }
    } else {
      continue;
    }
    if (dist < bestDist) {
      bestDist = dist;
      best.Record = i;
      best.Along = along;
    }
  }
  return best;
}

bool TFormaEditorInsel::AppendContourPiece(int Index, bool Reversed, const ContourSpotT* From,
                                           const ContourSpotT* To) {
  const InselT* source = Offsets(Index);
  if (!source) return true;
  InselT piece = ShapeRecord(*source, 2);
  if (piece.Kind == 1.0) {
    if (Reversed) Reverse(piece);
    if (From) {
      piece.V1 = From->P.X;
      piece.V2 = From->P.Y;
    }
    if (To) {
      piece.V3 = To->P.X;
      piece.V4 = To->P.Y;
    }
  } else {
    // Arc ends are set by how far along the record they lie, so a piece never sweeps more
    // than its record.
    const double sweep = TFormaDaten::ArcSweep(source->V3, source->V4, source->V5);
    const double length = std::fabs(sweep);
    const double sense = sweep >= 0.0 ? 1.0 : -1.0;
    const auto angleAt = [&](double along) {
      if (along <= 0.0) return source->V4;
      if (along >= length) return source->V5;
      return source->V4 + sense * along;
    };
    if (Reversed) Reverse(piece);
    if (From) piece.V4 = angleAt(From->Along);
    if (To) piece.V5 = angleAt(To->Along);
    // A piece of almost no length that rounding turned into a nearly full circle runs the
    // short way round instead, between the same ends.
    if (std::fabs(TFormaDaten::ArcSweep(piece.V3, piece.V4, piece.V5)) > length + SweepSlack) {
      piece.V3 = -piece.V3;
    }
  }
  piece.Side = 0;  // a reversal swapped it
  if (Path.Add(piece)) return true;
  Truncated = true;
  return false;
}

// The move runs along the contour both points lie on, the shorter way round it: forwards or
// backwards through its records, across its start point where that is shorter.
bool TFormaEditorInsel::LinkAlongContour(PointT From, PointT To) {
  const ContourSpotT from = LocateOnOffsets(From);
  const ContourSpotT to = LocateOnOffsets(To);
  if (from.Record == 0 || to.Record == 0) return true;
  const auto groupOf = [this](int i) {
    const InselT* e = Offsets(i);
    return e ? e->Group : -1;
  };
  const std::int32_t group = groupOf(from.Record);
  if (groupOf(to.Record) != group) return true;
  if (from.Record == to.Record && from.Along == to.Along) return true;

  int first = from.Record, last = from.Record;
  while (groupOf(first - 1) == group) --first;
  while (groupOf(last + 1) == group) ++last;
  // Where each point lies along the whole contour, from its first record's start.
  double perimeter = 0.0, fromAt = 0.0, toAt = 0.0;
  for (int i = first; i <= last; ++i) {
    const InselT* e = Offsets(i);
    if (!e) continue;
    const bool line = e->Kind == 1.0;
    const double scale = line ? 1.0 : std::fabs(e->V3);
    if (i == from.Record) fromAt = perimeter + from.Along * scale;
    if (i == to.Record) toAt = perimeter + to.Along * scale;
    perimeter += line ? TFormaDaten::Dist(e->V1, e->V2, e->V3, e->V4)
                      : std::fabs(TFormaDaten::ArcSweep(e->V3, e->V4, e->V5)) * scale;
  }
  double ahead = toAt - fromAt;
  if (ahead < 0.0) ahead += perimeter;
  const bool forward = ahead <= perimeter - ahead;

  const int step = forward ? 1 : -1;
  const auto next = [&](int i) {
    i += step;
    return i > last ? first : i < first ? last : i;
  };
  const bool direct = from.Record == to.Record &&
                      (forward ? to.Along >= from.Along : to.Along <= from.Along);
  if (direct) return AppendContourPiece(from.Record, !forward, &from, &to);
  if (!AppendContourPiece(from.Record, !forward, &from, nullptr)) return false;
  for (int i = next(from.Record);; i = next(i)) {
    if (i == to.Record) return AppendContourPiece(i, !forward, nullptr, &to);
    if (!AppendContourPiece(i, !forward, nullptr, nullptr)) return false;
  }
}

std::int32_t TFormaEditorInsel::NearestSegment(PointT& Current) {
  // Squared distances rank alike. No distance is too far: a segment left over would be lost
  // from the path.
  const auto distance2 = [&Current](const PointT& P) {
    const double dx = P.X - Current.X, dy = P.Y - Current.Y;
    return dx * dx + dy * dy;
  };
  double best = std::numeric_limits<double>::infinity();
  int chosen = -1;
  bool reversed = false;
  for (std::size_t k = 0; k < linkSegments_.size(); ++k) {
    const LinkCandidateT& c = linkSegments_[k];
    if (c.Taken) continue;
    const double dS = distance2(c.S);
    if (dS < best) {
      best = dS;
      chosen = static_cast<int>(k);
      reversed = false;
    }
    const double dE = distance2(c.E);
    if (dE < best) {
      best = dE;
      chosen = static_cast<int>(k);
      reversed = true;
    }
  }
  if (chosen < 0) return 0;
  LinkCandidateT& c = linkSegments_[static_cast<std::size_t>(chosen)];
  c.Taken = true;
  const PointT s = reversed ? c.E : c.S;
  const PointT e = reversed ? c.S : c.E;
  if (Dist(Current, s) > JoinTolerance) LinkAlongContour(Current, s);
  if (Dist(s, e) > JoinTolerance) {
    AppendSegment(s, e);
    Current = e;
  }
  return reversed ? -(chosen + 1) : chosen + 1;
}

bool TFormaEditorInsel::LinkPath() {
  if (Path.Empty()) return false;
  ClearHatch();
  ClearContours();
  linkSegments_.clear();
  const auto isSegment = [](const InselT& e) { return e.Group == 2 && e.Kind == 1.0; };
  int start = -1;
  for (int i = 1; i <= Path.Count(); ++i) {
    const InselT* e = Path(i);
    if (!e || !isSegment(*e)) continue;
    linkSegments_.push_back({{e->V1, e->V2}, {e->V3, e->V4}, false});
    if (start < 0 && TFormaDaten::Dist(e->V1, e->V2, e->V3, e->V4) >= MinStartSegment) {
      start = static_cast<int>(linkSegments_.size()) - 1;
    }
  }
  // Without a segment to start from the path stays as it is.
  if (start < 0) {
    linkSegments_.clear();
    return false;
  }
  // The segments leave the path and come back linked, in the order they are taken.
  Path.RemoveIf(isSegment);
  PointT current = linkSegments_[static_cast<std::size_t>(start)].S;
  bool linked = false;
  while (Path.Count() < Path.Capacity() && NearestSegment(current) != 0) linked = true;
  if (std::any_of(linkSegments_.begin(), linkSegments_.end(),
                  [](const LinkCandidateT& c) { return !c.Taken; })) {
    Truncated = true;
  }
  linkSegments_.clear();
  return linked;
}

// ---- Final path ----

void TFormaEditorInsel::FilterPath(std::int32_t Kind) {
  Path.RemoveIf([Kind](const InselT& e) { return e.Group != Kind; });
}

void TFormaEditorInsel::CompactPath() {
  Path.RemoveIf([](const InselT& e) {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x1, y1, x2, y2);
    return TFormaDaten::Dist(x1, y1, x2, y2) < JoinTolerance;
  });
  for (int i = 1; i <= Path.Count(); ++i) {
    InselT* e = Path(i);
    if (e && e->Kind == 2.0) e->Sweep = TFormaDaten::ArcSweep(e->V3, e->V4, e->V5);
  }
}

}  // namespace movra
