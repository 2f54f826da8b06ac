// Turning roughing: the stock between the prepared contour and its ends is removed in
// straight cuts, level by level. Longitudinal levels are lines parallel to x stepped along
// y, starting at the contour's end and ending on its start's y; facing levels are parallel
// to y stepped along x, from the start's x to the end's x. Each level cuts in from the
// reference (the start's x, or the end's y) up to the contour, follows the contour back
// to where the previous level met it, and lifts off.
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "geometry/tolerances.h"
#include "machining/forma_editor_turn.h"

namespace movra {

namespace {

constexpr double Pi = std::numbers::pi;
// A line's end this close to a level lies on the level, as joined ends do.
constexpr double OnLevel = JoinGap;
// Depths of cut below this are refused.
constexpr double MinStep = 0.1;

using TurnT = TFormaEditorTurn::TurnT;

struct Point {
  double X = 0.0;
  double Y = 0.0;
};

bool IsLine(const TurnT& r) { return r.Kind == 1.0; }
bool IsArc(const TurnT& r) { return r.Kind == 2.0; }

// The record run the other way round.
TurnT Reversed(const TurnT& r) {
  TurnT q = r;
  if (IsLine(r)) {
    std::swap(q.V1, q.V3);
    std::swap(q.V2, q.V4);
  } else if (IsArc(r)) {
    q.V3 = -r.V3;
    std::swap(q.V4, q.V5);
  }
  return q;
}

void MoveStartTo(TurnT& r, Point p) {
  if (IsLine(r)) {
    r.V1 = p.X;
    r.V2 = p.Y;
  } else if (IsArc(r)) {
    r.V4 = TFormaDaten::DirAngle(r.V1, r.V2, p.X, p.Y);
  }
}

void MoveEndTo(TurnT& r, Point p) {
  if (IsLine(r)) {
    r.V3 = p.X;
    r.V4 = p.Y;
  } else if (IsArc(r)) {
    r.V5 = TFormaDaten::DirAngle(r.V1, r.V2, p.X, p.Y);
  }
}

// Does the trimmed Piece still run along Record, the same way and not the long way round?
// A trimmed arc is part of its record: its sweep keeps the sign and is no longer than the
// record's own. Comparing each sweep with half a turn instead would throw away every piece
// of an arc just over a semicircle.
bool RunsAlong(const TurnT& Record, const TurnT& Piece) {
  if (IsArc(Record) && IsArc(Piece)) {
    const double whole = TFormaDaten::ArcSweep(Record.V3, Record.V4, Record.V5);
    const double part = TFormaDaten::ArcSweep(Piece.V3, Piece.V4, Piece.V5);
    return std::fabs(part) >= Same && (part > 0.0) == (whole > 0.0) &&
           std::fabs(part) <= std::fabs(whole) + Same;
  }
  return TFormaDaten::SameSense(Record.Kind, Record.V1, Record.V2, Record.V3, Record.V4,
                                Record.V5, Piece.Kind, Piece.V1, Piece.V2, Piece.V3, Piece.V4,
                                Piece.V5);
}

// A line or arc whose start and end coincide.
bool StandsStill(const TurnT& r) {
  if (!IsLine(r) && !IsArc(r)) return false;
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
  TFormaDaten::ElementEndPoints(r.Kind, r.V1, r.V2, r.V3, r.V4, r.V5, x1, y1, x2, y2);
  return TFormaDaten::Dist(x1, y1, x2, y2) == 0.0;
}

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

}  // namespace

struct TFormaEditorTurn::RoughRun {
  RoughRun(bool IsFacing, double X1, double Y1, double X2, double Y2, double Depth,
           double CutFeed, double Lift)
      : Facing(IsFacing), StartX(X1), StartY(Y1), EndX(X2), EndY(Y2), Step(Depth),
        Feed(CutFeed), Retract(Lift) {}

  bool Facing = false;
  double StartX = 0.0, StartY = 0.0, EndX = 0.0, EndY = 0.0;
  double Step = 0.0, Feed = 0.0, Retract = 0.0;
  double Rx = 0.0, Ry = 0.0;
  double Level = 0.0;
  Point Cut;
  int CutIndex = 0;
  Point PrevCut;
  int PrevIndex = 0;
  std::optional<Point> LastRetract;
  std::optional<Point> FirstStart;
  bool Result = false;
  bool CutShort = false;  // an append was refused: the output list is full
  bool Moved = false;     // a move that goes somewhere was appended
  // Per input record the range of the level coordinate it covers, so that the cut search
  // passes over the records a level cannot meet without any geometry.
  std::vector<std::pair<double, double>> Span;
  // The lines lying along the current level, as ranges of reach.
  std::vector<std::pair<double, double>> Along;

  // The level coordinate of a point: y for longitudinal levels, x for facing ones.
  double LevelOf(Point p) const { return Facing ? p.X : p.Y; }
  // Where the level line starts: on the start's x, or on the end's y.
  Point LevelPoint() const { return Facing ? Point{Level, EndY} : Point{StartX, Level}; }
  double LevelDirection() const { return Facing ? Pi / 2.0 : 0.0; }
  // Distance along the level from its start.
  double Reach(Point p) const { return Facing ? std::fabs(p.Y - EndY) : std::fabs(p.X - StartX); }
};

bool TFormaEditorTurn::RoughLongitudinal(double StartX, double StartY, double EndX, double EndY,
                                         double Step, double Feed, double Retract) {
  RoughRun run{false, StartX, StartY, EndX, EndY, Step, Feed, Retract};
  return Rough(run);
}

bool TFormaEditorTurn::RoughFacing(double StartX, double StartY, double EndX, double EndY,
                                   double Step, double Feed, double Retract) {
  RoughRun run{true, StartX, StartY, EndX, EndY, Step, Feed, Retract};
  return Rough(run);
}

bool TFormaEditorTurn::Rough(RoughRun& Run) {
  // Parameters that are no number would never end the level loop or write a text.
  if (InElements.Empty() || !std::isfinite(Run.Step) || std::fabs(Run.Step) < MinStep ||
      !std::isfinite(Run.Feed) || !std::isfinite(Run.Retract))
    return false;
  Run.Step = std::fabs(Run.Step);
  Run.Rx = Run.Ry = Run.Step / 2.0;
  Run.Retract = std::fabs(Run.Retract);
  if (Run.Retract != 0.0 && Run.Retract != NoValue) Run.Rx = Run.Ry = Run.Retract;
  if (!ContourEnds(Run.StartX, Run.StartY, Run.EndX, Run.EndY)) return false;
  if (!Finite(Run.StartX, Run.StartY, Run.EndX, Run.EndY)) return false;
  // Ends on one height (or one length) leave nothing to rough, also when rounding kept
  // them a hair apart.
  if (std::fabs(Run.StartX - Run.EndX) < Same || std::fabs(Run.StartY - Run.EndY) < Same)
    return false;
  // Lift off away from the part, step from the stock towards the contour.
  if (Run.StartX < Run.EndX) Run.Rx = -Run.Rx;
  if (Run.StartY > Run.EndY) Run.Ry = -Run.Ry;
  if (Run.Facing ? Run.StartX > Run.EndX : Run.StartY < Run.EndY) Run.Step = -Run.Step;
  // A cut without a feed is written without one (the feed in force), never as a rapid
  // through the stock.
  if (Run.Feed == NoValue) Run.Feed = 0.0;

  const double last = Run.Facing ? Run.EndX : Run.StartY;
  Run.Level = Run.Facing ? Run.StartX : Run.EndY;
  if (Run.Facing) {
    Run.Cut = {Run.StartX, Run.StartY};
    Run.CutIndex = 1;
  } else {
    Run.Cut = {Run.EndX, Run.EndY};
    Run.CutIndex = InElements.Count();
  }

  Run.Span.assign(static_cast<std::size_t>(InElements.Count()), {1.0, -1.0});
  for (int i = 1; i <= InElements.Count(); ++i) {
    const TurnT* r = InElements(i);
    if (r == nullptr) continue;
    auto& span = Run.Span[static_cast<std::size_t>(i - 1)];
    if (IsArc(*r)) {
      const double c = Run.Facing ? r->V1 : r->V2;
      span = {c - std::fabs(r->V3), c + std::fabs(r->V3)};
    } else if (IsLine(*r)) {
      const double a = Run.Facing ? r->V1 : r->V2;
      const double b = Run.Facing ? r->V3 : r->V4;
      span = {std::fmin(a, b), std::fmax(a, b)};
    }
  }

  bool reachedLast = false;
  while (!Run.CutShort) {
    if (Run.Level == last) {
      reachedLast = true;
      break;
    }
    Run.Level += Run.Step;
    // The last level lies exactly on the last coordinate.
    if ((Run.Step < 0.0 && Run.Level < last) || (Run.Step > 0.0 && Run.Level > last))
      Run.Level = last;
    Run.PrevIndex = Run.CutIndex;
    Run.PrevCut = Run.Cut;
    if (!(Run.Facing ? CutAtLevelFacing(Run) : CutAtLevel(Run))) break;

    const Point at = Run.LevelPoint();
    if (Run.LastRetract && !AppendMove(Run, Run.LastRetract->X, Run.LastRetract->Y, at.X, at.Y,
                                       NoValue))
      break;
    const Point from = Run.Facing ? Point{Run.Cut.X, Run.EndY} : at;
    const Point to = Run.Facing ? Run.Cut : Point{Run.Cut.X, Run.Level};
    if (!AppendMove(Run, from.X, from.Y, to.X, to.Y, Run.Feed)) break;
    if (!Run.FirstStart) Run.FirstStart = from;
    if (!AppendPiece(Run)) break;
    const Point lift{Run.PrevCut.X + Run.Rx, Run.PrevCut.Y + Run.Ry};
    if (!AppendMove(Run, Run.PrevCut.X, Run.PrevCut.Y, lift.X, lift.Y, NoValue)) break;
    const Point back = Run.Facing ? Point{lift.X, Run.EndY} : Point{Run.StartX, lift.Y};
    if (!AppendMove(Run, lift.X, lift.Y, back.X, back.Y, NoValue)) break;
    Run.LastRetract = back;
    Run.Result = true;
  }
  if (reachedLast && Run.LastRetract && Run.FirstStart) {
    AppendMove(Run, Run.LastRetract->X, Run.LastRetract->Y, Run.FirstStart->X,
               Run.FirstStart->Y, NoValue);
  }
  if (Run.Result) TidyOutput();
  // A roughing whose every move stood still has done nothing.
  return Run.Result && Run.Moved && !Run.CutShort;
}

bool TFormaEditorTurn::AppendMove(RoughRun& Run, double X1, double Y1, double X2, double Y2,
                                  double Feed) {
  if (!AddOut()) {
    Run.CutShort = true;
    return false;
  }
  TurnT* r = OutElements.Current();
  if (r == nullptr) return false;
  *r = TurnT{Feed, 1.0, X1, Y1, X2, Y2, 0.0, 0};
  if (!StandsStill(*r)) Run.Moved = true;
  return true;
}

// The contour between this level's cut and the previous one's, copied with the feed:
// longitudinal in contour order, facing against it (the facing levels run from the
// contour's start towards its end, so the way back to the previous cut runs backwards).
bool TFormaEditorTurn::AppendPiece(RoughRun& Run) {
  const int step = Run.Facing ? -1 : 1;
  if ((Run.CutIndex - Run.PrevIndex) * step > 0) return true;
  for (int i = Run.CutIndex;; i += step) {
    if (const TurnT* r = InElements(i)) {
      const TurnT record = Run.Facing ? Reversed(*r) : *r;
      TurnT piece = record;
      if (i == Run.CutIndex) MoveStartTo(piece, Run.Cut);
      if (i == Run.PrevIndex) MoveEndTo(piece, Run.PrevCut);
      if (RunsAlong(record, piece)) {
        if (!AddOut()) {
          Run.CutShort = true;
          return false;
        }
        TurnT* out = OutElements.Current();
        if (out == nullptr) return false;
        *out = piece;
        out->Feed = Run.Feed;
        out->Side = 0;
        if (!StandsStill(piece)) Run.Moved = true;
      }
    }
    if (i == Run.PrevIndex) break;
  }
  return true;
}

// The facing levels are searched the same way, along y from the end's y.
bool TFormaEditorTurn::CutAtLevelFacing(RoughRun& Run) { return CutAtLevel(Run); }

// Where the level first meets the contour, counted from the level's start: the nearest
// crossing with any record, a line ending on the level within the level tolerance being
// met at its end. A line lying along the level is no obstacle where the tool first touches
// it: the cut runs along it to its far end, and the records that meet the level at a point
// of such a line end their reach there too. Equal reaches keep the record found first.
bool TFormaEditorTurn::CutAtLevel(RoughRun& Run) {
  const Point from = Run.LevelPoint();
  const double direction = Run.LevelDirection();
  const auto onLevel = [&](Point p) { return std::fabs(Run.LevelOf(p) - Run.Level) < OnLevel; };
  const auto inSpan = [&](const std::pair<double, double>& span) {
    return Run.Level >= span.first - OnLevel && Run.Level <= span.second + OnLevel;
  };

  // The lines lying along the level, as ranges of reach.
  Run.Along.clear();
  for (int i = 1; i <= InElements.Count(); ++i) {
    const TurnT* r = InElements(i);
    if (r == nullptr || !IsLine(*r) || !inSpan(Run.Span[static_cast<std::size_t>(i - 1)]))
      continue;
    const Point start{r->V1, r->V2}, end{r->V3, r->V4};
    if (onLevel(start) && onLevel(end))
      Run.Along.emplace_back(std::fmin(Run.Reach(start), Run.Reach(end)),
                             std::fmax(Run.Reach(start), Run.Reach(end)));
  }
  const auto touchesAlong = [&](Point p) {
    const double reach = Run.Reach(p);
    for (const auto& [nearest, farthest] : Run.Along) {
      if (reach >= nearest - OnLevel && reach <= farthest + OnLevel) return true;
    }
    return false;
  };

  double best = std::numeric_limits<double>::infinity();
  bool found = false;
  const auto take = [&](Point p, int index) {
    const double reach = Run.Reach(p);
    if (!(reach < best)) return;
    best = reach;
    Run.Cut = p;
    Run.CutIndex = index;
    found = true;
  };
  const auto meet = [&](Point p, int index) {
    if (!touchesAlong(p)) take(p, index);
  };
  for (int i = 1; i <= InElements.Count(); ++i) {
    const TurnT* r = InElements(i);
    if (r == nullptr || !inSpan(Run.Span[static_cast<std::size_t>(i - 1)])) continue;
    if (IsLine(*r)) {
      const Point start{r->V1, r->V2}, end{r->V3, r->V4};
      if (onLevel(end)) {
        if (onLevel(start)) {
          take(Run.Reach(start) > Run.Reach(end) ? start : end, i);
        } else {
          meet(end, i);
        }
        continue;
      }
      const double angle = TFormaDaten::DirAngle(r->V1, r->V2, r->V3, r->V4);
      if (!daten_.OffsetLinesIntersect(from.X, from.Y, direction, r->V1, r->V2, angle, 0.0))
        continue;
      const Point p{daten_.GeoResult.Point.X, daten_.GeoResult.Point.Y};
      if (TFormaDaten::PointOnSegment(r->V1, r->V2, r->V3, r->V4, p.X, p.Y)) meet(p, i);
    } else if (IsArc(*r)) {
      if (!daten_.LineCircleIntersect(from.X, from.Y, 0.0, direction, r->V1, r->V2,
                                      std::fabs(r->V3), 0.0))
        continue;
      const Point nearPoint{daten_.GeoResult.Near.X, daten_.GeoResult.Near.Y};
      const Point farPoint{daten_.GeoResult.Far.X, daten_.GeoResult.Far.Y};
      const bool nearOn =
          TFormaDaten::PointOnArc(r->V1, r->V2, r->V3, r->V4, r->V5, nearPoint.X, nearPoint.Y);
      const bool farOn =
          TFormaDaten::PointOnArc(r->V1, r->V2, r->V3, r->V4, r->V5, farPoint.X, farPoint.Y);
      if (nearOn && farOn) {
        meet(Run.Reach(nearPoint) < Run.Reach(farPoint) ? nearPoint : farPoint, i);
      } else if (nearOn) {
        meet(nearPoint, i);
      } else if (farOn) {
        meet(farPoint, i);
      }
    }
  }
  return found;
}

void TFormaEditorTurn::TidyOutput() { OutElements.RemoveIf(StandsStill); }

}  // namespace movra
