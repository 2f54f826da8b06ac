// The groove cycle of the turning generator: finishing the groove profile, and roughing it
// depth by depth with cuts across the groove between the flanks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

#include "geometry/element_points.h"
#include "geometry/tolerances.h"
#include "machining/forma_editor_turn.h"

namespace movra {

namespace {

using TurnT = TFormaEditorTurn::TurnT;

constexpr double TwoPi = 2.0 * std::numbers::pi;
// The profile is probed at points 0.001 mm apart along every record.
constexpr double SampleSpacing = 0.001;
// Arcs of a smaller radius are not probed (their step angle would be meaningless).
constexpr double MinProbedRadius = 0.01;
// The shallowest depth and the shortest approach a pass accepts.
constexpr double MinDepthOrStep = 0.1;
// A skip over samples that cannot reach the depth is shortened by this share (and length),
// so that rounding never jumps over the first sample that does.
constexpr double SkipShare = 1e-9;
// A record is probed at most this many times; a longer one is probed more coarsely.
constexpr double MaxSamples = 1e15;
// The parameter of a record's end, whatever its length.
constexpr double ToEnd = std::numeric_limits<double>::infinity();

bool IsLine(const TurnT& r) { return r.Kind == 1.0; }

// Record I of a list; a slot out of range reads as an empty record.
const TurnT& RecordAt(const RecordList<TurnT>& List, int I) {
  static const TurnT none{};
  const TurnT* r = List(I);
  return r != nullptr ? *r : none;
}
bool IsArc(const TurnT& r) { return r.Kind == 2.0; }

bool Finite(const TurnT& r) {
  return std::isfinite(r.Feed) && std::isfinite(r.V1) && std::isfinite(r.V2) &&
         std::isfinite(r.V3) && std::isfinite(r.V4) && std::isfinite(r.V5);
}

// The correction side of finishing moves: G40, G41 or G42; anything else writes none.
std::uint8_t GrooveSide(double Typ) {
  if (!(Typ > -0.5 && Typ < 2.5)) return 0;
  return static_cast<std::uint8_t>(std::lround(Typ));
}

TurnT LineMove(double X1, double Y1, double X2, double Y2, double Feed, std::uint8_t Side) {
  return TurnT{.Feed = Feed, .Kind = 1.0, .V1 = X1, .V2 = Y1, .V3 = X2, .V4 = Y2, .V5 = 0.0,
               .Side = Side};
}

// An angle folded into [0, 2 pi).
double Wrap(double A) {
  const double w = std::fmod(A, TwoPi);
  const double r = w < 0.0 ? w + TwoPi : w;
  return r < TwoPi ? r : 0.0;
}

}  // namespace

// One pass: the chord, the depth, the start point G, and the output it appends.
struct TFormaEditorTurn::GrooveRun {
  // How one input record is walked: by a parameter from 0 to Total (the length of a line,
  // the unsigned sweep of an arc), probed at k x Step for k < Count and at Total itself.
  // Samples are placed by their count, never by summing steps.
  struct Walk {
    bool Known = false;      // worked out (records are walked only when a search gets there)
    bool Probed = false;     // lines under 0.001 and arcs of radius under 0.01 are not
    double Total = 0.0;
    double Step = 0.0;
    std::int64_t Count = 0;  // the end sample has index Count
    double Reach = 0.0;      // the most the depth changes from one sample to the next
    double Dir = 1.0;        // arcs: +1 counter-clockwise, -1 clockwise
  };
  // A sample: record, index, parameter, point and signed distance from the chord.
  struct Hit {
    int Record = 0;
    std::int64_t Sample = 0;
    double Along = 0.0;
    double X = 0.0, Y = 0.0;
    double Signed = 0.0;
  };

  TFormaEditorTurn& Turn;
  double Sx, Sy, Ex, Ey;  // the contour's ends: the chord
  double Ux, Uy;          // unit direction of the chord
  double Nx, Ny;          // unit normal on the chord's left
  double Depth;
  double Step;
  double Feed;
  bool Roughing;
  double Gx = 0.0, Gy = 0.0;
  mutable std::vector<Walk> Walks;  // by input index; slot 0 unused
  bool Full = false;        // an append was refused
  bool Led = false;         // the approach to the pass's first move is done

  GrooveRun(TFormaEditorTurn& T, double SX, double SY, double EX, double EY)
      : Turn(T), Sx(SX), Sy(SY), Ex(EX), Ey(EY), Depth(0), Step(0), Feed(0), Roughing(false) {
    const double l = std::hypot(Ex - Sx, Ey - Sy);
    Ux = (Ex - Sx) / l;
    Uy = (Ey - Sy) / l;
    Nx = -Uy;
    Ny = Ux;
    Walks.resize(static_cast<std::size_t>(Turn.InElements.Count()) + 1);
  }

  const Walk& WalkAt(int I) const {
    Walk& w = Walks[static_cast<std::size_t>(I)];
    if (!w.Known) w = WalkOf(RecordAt(Turn.InElements, I));
    return w;
  }

  double SignedAt(double X, double Y) const { return Nx * (X - Sx) + Ny * (Y - Sy); }

  Walk WalkOf(const TurnT& r) const {
    Walk w;
    w.Known = true;
    double rate = 1.0;  // depth change per unit length along the record
    double radius = 0.0;
    if (IsLine(r)) {
      const double dx = r.V3 - r.V1, dy = r.V4 - r.V2;
      w.Total = std::hypot(dx, dy);
      w.Probed = w.Total >= SampleSpacing;
      w.Step = SampleSpacing;
      rate = w.Total > 0.0 ? std::fabs(Nx * dx + Ny * dy) / w.Total : 0.0;
    } else {
      radius = std::fabs(r.V3);
      w.Dir = r.V3 < 0.0 ? -1.0 : 1.0;
      w.Total = std::fabs(TFormaDaten::ArcSweep(r.V3, r.V4, r.V5));
      w.Probed = radius >= MinProbedRadius;
      if (w.Probed) w.Step = 2.0 * std::asin(0.5 * SampleSpacing / radius);
    }
    if (!w.Probed) return w;
    if (w.Total / w.Step > MaxSamples) w.Step = w.Total / MaxSamples;
    // A sweep of 0 is one sample, the start that is also the end.
    auto count = static_cast<std::int64_t>(std::ceil(w.Total / w.Step));
    while (count > 0 && static_cast<double>(count - 1) * w.Step >= w.Total) --count;
    while (static_cast<double>(count) * w.Step < w.Total) ++count;
    w.Count = count;
    w.Reach = IsLine(r) ? rate * w.Step : 2.0 * radius * std::sin(0.5 * w.Step);
    return w;
  }

  double ParamOf(const Walk& w, std::int64_t k) const {
    return k < w.Count ? static_cast<double>(k) * w.Step : w.Total;
  }

  static void PointAt(const TurnT& r, const Walk& w, double P, double& X, double& Y) {
    if (IsLine(r)) {
      if (P >= w.Total || w.Total <= 0.0) {
        X = P <= 0.0 ? r.V1 : r.V3;
        Y = P <= 0.0 ? r.V2 : r.V4;
        return;
      }
      const double f = P / w.Total;
      X = r.V1 + (r.V3 - r.V1) * f;
      Y = r.V2 + (r.V4 - r.V2) * f;
      return;
    }
    const double a = P >= w.Total ? r.V5 : r.V4 + w.Dir * P;
    const double radius = std::fabs(r.V3);
    X = r.V1 + radius * std::cos(a);
    Y = r.V2 + radius * std::sin(a);
  }

  // The parameter of the point of record I nearest to (X, Y).
  double Locate(int I, double X, double Y) const {
    const TurnT& r = RecordAt(Turn.InElements, I);
    const Walk& w = WalkAt(I);
    if (IsLine(r)) {
      if (w.Total <= 0.0) return 0.0;
      const double t = ((X - r.V1) * (r.V3 - r.V1) + (Y - r.V2) * (r.V4 - r.V2)) / w.Total;
      return std::clamp(t, 0.0, w.Total);
    }
    const double off = Wrap(w.Dir * (std::atan2(Y - r.V2, X - r.V1) - r.V4));
    if (off <= w.Total) return off;
    return off - w.Total < TwoPi - off ? w.Total : 0.0;
  }

  // No sample of record I can lie Depth or more from the chord.
  bool TooShallow(int I) const {
    const TurnT& r = RecordAt(Turn.InElements, I);
    double bound;
    if (IsLine(r)) {
      bound = std::max(std::fabs(SignedAt(r.V1, r.V2)), std::fabs(SignedAt(r.V3, r.V4)));
    } else {
      bound = std::fabs(SignedAt(r.V1, r.V2)) + std::fabs(r.V3);
    }
    return bound + SkipShare < Depth * (1.0 - SkipShare);
  }

  // Samples to move on from one whose depth lies Gap short of Depth, so that no sample
  // skipped could reach it; at most Room.
  static std::int64_t Skip(double Gap, double Reach, std::int64_t Room) {
    if (Room <= 1) return Room;
    if (!(Reach > 0.0)) return Room;  // the depth is the same all along: the end decides
    const double m = std::floor((Gap * (1.0 - SkipShare) - SkipShare) / Reach);
    if (!(m >= 1.0)) return 1;
    return m >= static_cast<double>(Room) ? Room : static_cast<std::int64_t>(m);
  }

  Hit Probe(int I, std::int64_t K) const {
    Hit h;
    h.Record = I;
    h.Sample = K;
    h.Along = ParamOf(WalkAt(I), K);
    h.Signed = Turn.GrooveDepthProbe(*this, I, K, h.X, h.Y);
    return h;
  }

  // The first sample of record I at least Depth from the chord, walking from sample From
  // to sample To (either way).
  bool Scan(int I, std::int64_t From, std::int64_t To, Hit& Found) const {
    const Walk& w = WalkAt(I);
    const std::int64_t way = To >= From ? 1 : -1;
    for (std::int64_t k = From;;) {
      const Hit h = Probe(I, k);
      const double d = std::fabs(h.Signed);
      if (d >= Depth) {
        Found = h;
        return true;
      }
      if (k == To) return false;
      k += way * Skip(Depth - d, w.Reach, (To - k) * way);
    }
  }

  // The first sample in contour order at least Depth from the chord.
  bool FindEntry(Hit& Entry) const {
    for (int i = 1; i <= Turn.InElements.Count(); ++i) {
      if (TooShallow(i) || !WalkAt(i).Probed) continue;
      if (Scan(i, 0, WalkAt(i).Count, Entry)) return true;
    }
    return false;
  }

  // The last sample at least Depth from the chord, when it is not the entry itself.
  bool FindExit(const Hit& Entry, Hit& Exit) const {
    for (int i = Turn.InElements.Count(); i >= Entry.Record; --i) {
      if (TooShallow(i) || !WalkAt(i).Probed) continue;
      const std::int64_t lowest = i == Entry.Record ? Entry.Sample + 1 : 0;
      if (lowest <= WalkAt(i).Count && Scan(i, WalkAt(i).Count, lowest, Exit)) return true;
    }
    return false;
  }

  // The signed distance of the contour point farthest from the chord (0 when it stays on
  // it): where no sample reaches the depth, it tells which side the groove lies on.
  double Deepest() const {
    double best = 0.0;
    auto consider = [&best](double f) {
      if (std::fabs(f) > std::fabs(best)) best = f;
    };
    for (int i = 1; i <= Turn.InElements.Count(); ++i) {
      const TurnT& r = RecordAt(Turn.InElements, i);
      double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
      StartPointOf(r, x1, y1);
      EndPointOf(r, x2, y2);
      consider(SignedAt(x1, y1));
      consider(SignedAt(x2, y2));
      if (!IsArc(r)) continue;
      const Walk& w = WalkAt(i);
      const double centre = SignedAt(r.V1, r.V2);
      const double radius = std::fabs(r.V3);
      // The circle lies farthest on either side where its radius runs along the normal.
      for (const double s : {1.0, -1.0}) {
        const double a = std::atan2(s * Ny, s * Nx);
        if (Wrap(w.Dir * (a - r.V4)) <= w.Total) consider(centre + s * radius);
      }
    }
    return std::fabs(best) < Same ? 0.0 : best;
  }

  // Appends Move; false (and Full) when the output list refuses it.
  bool Emit(const TurnT& Move) {
    if (Full) return false;
    if (!Turn.AddOut()) {
      Full = true;
      return false;
    }
    TurnT* out = Turn.OutElements.Current();
    if (out != nullptr) *out = Move;
    return true;
  }

  bool Line(double X1, double Y1, double X2, double Y2, double F, std::uint8_t Side) {
    return Emit(LineMove(X1, Y1, X2, Y2, F, Side));
  }

  // A cutting move of a roughing pass; the pass's first one is preceded by the approach.
  bool Cut(TurnT Move) {
    Move.Feed = Feed;
    Move.Side = 0;
    if (!Led) {
      Led = true;
      double x = 0.0, y = 0.0;
      StartPointOf(Move, x, y);
      if (!Turn.GrooveApproach(*this, x, y)) return false;
    }
    return Emit(Move);
  }

  // Record I from parameter A to B as a cutting move. A whole record is copied as it is;
  // a trimmed span that shrank to a point is left out.
  bool Span(int I, double A, double B) {
    const TurnT& r = RecordAt(Turn.InElements, I);
    if (A <= 0.0 && B == ToEnd) return Cut(r);
    const Walk& w = WalkAt(I);
    B = std::min(B, w.Total);
    const bool fromStart = A <= 0.0, toEnd = B >= w.Total;
    TurnT p = r;
    if (!(fromStart && toEnd)) {
      const double length = IsLine(r) ? B - A : std::fabs(r.V3) * (B - A);
      if (length < Same) return true;
      if (IsLine(r)) {
        if (!fromStart) PointAt(r, w, A, p.V1, p.V2);
        if (!toEnd) PointAt(r, w, B, p.V3, p.V4);
      } else {
        if (!fromStart) p.V4 = Wrap(r.V4 + w.Dir * A);
        if (!toEnd) p.V5 = Wrap(r.V4 + w.Dir * B);
      }
    }
    return Cut(p);
  }

  // The records from (First, at parameter A) to (Last, at parameter B) in contour order.
  bool Stretch(int First, double A, int Last, double B) {
    for (int i = First; i <= Last; ++i) {
      const double from = i == First ? A : 0.0;
      const double to = i == Last ? B : ToEnd;
      if (from > to) continue;
      if (!Span(i, from, to)) return false;
    }
    return true;
  }

  bool ValidIndex(std::int32_t I) const { return I >= 1 && I <= Turn.InElements.Count(); }

  // Finishing: the whole profile with the correction side, from G and back to G.
  bool Finish(std::uint8_t Side, double F) {
    if (!Line(Gx, Gy, Sx, Sy, NoValue, 0)) return false;
    for (int i = 1; i <= Turn.InElements.Count(); ++i) {
      TurnT m = RecordAt(Turn.InElements, i);
      m.Feed = F;
      m.Side = Side;
      if (!Emit(m)) return false;
    }
    return Line(Ex, Ey, Gx, Gy, NoValue, 0);
  }

  // Roughing at a depth the groove reaches: down one flank from the previous depth, across,
  // up the other flank to the previous depth.
  bool Across(const GrooveStateT& Before, const Hit& Entry, const Hit& Exit) {
    int first = 1;
    double firstAt = 0.0;
    if (Before.Valid != 0 && ValidIndex(Before.EntryIndex)) {
      first = Before.EntryIndex;
      firstAt = Locate(first, Before.EntryX, Before.EntryY);
    }
    if (!Stretch(first, firstAt, Entry.Record, Entry.Along)) return false;
    // Entry and exit on the same point (the two ends of a sharp bottom) need no cut across.
    if (std::hypot(Exit.X - Entry.X, Exit.Y - Entry.Y) >= Same) {
      if (!Cut(LineMove(Entry.X, Entry.Y, Exit.X, Exit.Y, Feed, 0))) return false;
    }
    int last = Turn.InElements.Count();
    double lastAt = ToEnd;
    if (Before.Valid != 0 && ValidIndex(Before.ExitIndex)) {
      last = Before.ExitIndex;
      lastAt = Locate(last, Before.ExitX, Before.ExitY);
    }
    return Stretch(Exit.Record, Exit.Along, last, lastAt);
  }

  // Roughing below the groove's depth: the bottom between the last entry and exit, or the
  // whole profile when no depth came before. True when something was cut.
  bool Bottom(const GrooveStateT& Before) {
    int first = 1, last = Turn.InElements.Count();
    double firstAt = 0.0, lastAt = ToEnd;
    if (Before.Valid != 0) {
      if (ValidIndex(Before.EntryIndex)) {
        first = Before.EntryIndex;
        firstAt = Locate(first, Before.EntryX, Before.EntryY);
      }
      if (ValidIndex(Before.ExitIndex)) {
        last = Before.ExitIndex;
        lastAt = Locate(last, Before.ExitX, Before.ExitY);
      }
    }
    const int before = Turn.OutElements.Count();
    return Stretch(first, firstAt, last, lastAt) && Turn.OutElements.Count() > before;
  }
};

double TFormaEditorTurn::GrooveDepthProbe(const GrooveRun& Run, int Record, std::int64_t Sample,
                                          double& X, double& Y) const {
  const TurnT& r = RecordAt(InElements, Record);
  const GrooveRun::Walk& w = Run.WalkAt(Record);
  GrooveRun::PointAt(r, w, Run.ParamOf(w, Sample), X, Y);
  return Run.SignedAt(X, Y);
}

bool TFormaEditorTurn::GrooveApproach(GrooveRun& Run, double X, double Y) {
  // Half the way to G, so that a G far out (K at the edge of the reals) stays in the reals;
  // the step goes along the unit direction, never as Step * distance / length.
  const double hx = 0.5 * Run.Gx - 0.5 * X, hy = 0.5 * Run.Gy - 0.5 * Y;
  const double half = std::hypot(hx, hy);
  const double l = 2.0 * half;  // may be infinite: farther than any step
  // A pass that starts at G is there already.
  if (l < Same) return true;
  // A point no farther from G than the approach distance is fed to from G itself.
  if (l <= Run.Step + Same) return Run.Line(Run.Gx, Run.Gy, X, Y, Run.Feed, 0);
  const double qx = X + Run.Step * (hx / half), qy = Y + Run.Step * (hy / half);
  return Run.Line(Run.Gx, Run.Gy, qx, qy, NoValue, 0) && Run.Line(qx, qy, X, Y, Run.Feed, 0);
}

bool TFormaEditorTurn::GrooveRetract(GrooveRun& Run) {
  const TurnT* last = OutElements.Last();
  if (last == nullptr) return true;
  double x = 0.0, y = 0.0;
  EndPointOf(*last, x, y);
  if (std::hypot(Run.Gx - x, Run.Gy - y) < Same) return true;
  return Run.Line(x, y, Run.Gx, Run.Gy, NoValue, 0);
}

bool TFormaEditorTurn::GroovePass(double StartX, double StartY, double EndX, double EndY,
                                  double Depth, double Step, double K, double Typ, double Rough,
                                  double Feed) {
  for (const double v : {StartX, StartY, EndX, EndY, Depth, Step, K, Typ, Rough, Feed})
    if (!std::isfinite(v)) return false;
  Depth = std::fabs(Depth);
  if (Depth < MinDepthOrStep || Step < MinDepthOrStep || InElements.Empty()) return false;
  for (int i = 1; i <= InElements.Count(); ++i) {
    const TurnT* r = InElements(i);
    if (r == nullptr || !(IsLine(*r) || IsArc(*r)) || !Finite(*r)) return false;
  }
  // The chord is the prepared contour's own; ends given for another contour are refused,
  // and ends that meet leave no opening.
  double sx = 0.0, sy = 0.0, ex = 0.0, ey = 0.0;
  if (!ContourEnds(sx, sy, ex, ey)) return false;
  if (std::hypot(StartX - sx, StartY - sy) > JoinGap ||
      std::hypot(EndX - ex, EndY - ey) > JoinGap)
    return false;
  const double chord = std::hypot(ex - sx, ey - sy);
  if (!(chord >= JoinGap && std::isfinite(chord))) return false;

  GrooveRun run(*this, sx, sy, ex, ey);
  run.Depth = Depth;
  run.Step = Step;
  run.Feed = Feed;
  run.Roughing = Rough != 0.0;

  GrooveRun::Hit entry, exit;
  const bool haveEntry = Depth < NoValue && run.FindEntry(entry);
  const bool haveExit = haveEntry && run.FindExit(entry, exit);

  // G lies on the side of the chord away from the groove: away from the entry, or from the
  // deepest point where the depth lies below the groove; right of the chord when the
  // contour never leaves it.
  const double groove = haveEntry ? entry.Signed : run.Deepest();
  const double away = groove < 0.0 ? 1.0 : -1.0;
  run.Gx = 0.5 * sx + 0.5 * ex + K * away * run.Nx;
  run.Gy = 0.5 * sy + 0.5 * ey + K * away * run.Ny;
  // Coordinates at the edge of the reals put G beyond them: nothing a machine could reach.
  if (!std::isfinite(run.Gx) || !std::isfinite(run.Gy)) return false;

  const GrooveStateT before = GrooveState;
  bool result;
  if (!run.Roughing)
    result = run.Finish(GrooveSide(Typ), Feed);
  else if (haveExit)
    result = run.Across(before, entry, exit);
  else
    result = run.Bottom(before);

  GrooveStateT after;
  after.Valid = 1;
  if (haveEntry) {
    after.EntryIndex = entry.Record;
    after.EntryX = entry.X;
    after.EntryY = entry.Y;
  }
  if (haveExit) {
    after.ExitIndex = exit.Record;
    after.ExitX = exit.X;
    after.ExitY = exit.Y;
  }
  // Every roughing pass that cut something returns to G, so the next one starts from there.
  if (run.Roughing && result) result = GrooveRetract(run);
  after.OutputFull = run.Full ? 1 : 0;
  GrooveState = after;
  // A pass cut short by a full output list is not a finished groove.
  if (run.Full || !haveExit) return false;
  return result;
}

}  // namespace movra
