// Pockets, slots, the programmed stop and the turning cycles.
//
//   FCIRCLE X.. Y.. R.. RF..             circular pocket: concentric circles RF apart
//   FRECT X.. Y.. LX.. LY.. R.. RF..     rectangular pocket: concentric rectangles
//   FSLOT X1=.. Y1=.. X2=.. Y2=.. B.. L..  slot: cross cuts L apart with a tool B wide
//   STOP                                 programmed stop after the move of its line
//   G284                                 marks a move along the axis
//   G233 F.. H.. P.. L1=.. L2=..         thread cycle on the move of its line
//   G283 Q.. P..                         peck drilling on the move of its line
//
// The turning cycles read the first coordinate as the rotation axis and the second as the
// radius. Every step loop runs on a count of steps, the last one ending exactly at the
// programmed end, so that accumulated sums never add a sliver of a ring, cut or peck.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/element_points.h"
#include "geometry/interpreter.h"
#include "geometry/tolerances.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

using namespace words;
using GeomT = TFormaGeom::GeomT;

constexpr std::size_t npos = std::string::npos;

constexpr double MinStep = 0.1;             // smallest ring step, slot width and slot step
constexpr double MinPitch = 0.1;            // thread pitch 0 (no feed) or within these
constexpr double MaxPitch = 10;
constexpr double MinDepth = 0.1;            // thread depth, either sign
constexpr double MaxDepth = 10;
constexpr double MaxPasses = 100;
constexpr double MinDrillLength = 0.1;
constexpr double MinClearance = 0.1;        // peck clearance above the previous bottom
constexpr double ClearanceShare = 0.1;      // the clearance is at most this share of a peck

// A cycle line that keeps the feed it was stamped with (feeds are never negative).
constexpr double StampedFeed = -1;

constexpr std::int32_t ThreadCycle = 233;
constexpr std::int32_t PeckCycle = 283;
constexpr std::int32_t AxialMark = 284;

constexpr int LinesPerCircle = 3;           // the link and two half circles
constexpr int LinesPerRoundedRing = 10;
constexpr int LinesPerStation = 3;
constexpr int LinesPerPass = 4;
constexpr int LinesPerPeck = 3;

// The number of steps of Step that reach Length, the last one shortened; a rest within Same
// of the last full step is no step of its own (it would leave a ring or cut 1e-15 wide).
double StepCount(double Length, double Step) {
  return std::max(1.0, std::ceil((Length - Same) / Step));
}
// Where step k of Count ends: k Step, the last one exactly at Length.
double StepEnd(double k, double Count, double Step, double Length) {
  return k >= Count ? Length : k * Step;
}

// Room for Count more elements in the store: a path that cannot be made whole is refused
// before its first element.
bool Fits(const TFormaGeom& Geom, double Count) {
  return Count <= TFormaGeom::MaxElements - Geom.ElementCount();
}

// The line after its pocket word is gone: the blank before the first value stays, so that
// a value written right after the word is found.
void BlankWord(std::string& L, std::size_t At, std::size_t Length) {
  L.replace(At, Length, Length, ' ');
}

// The rectangular pocket, built about the origin, moves into place with every element of
// its block, and with the block's offset copy when it has one. Elements of other numbers in
// between (an offset copy made before the pocket) do not end the block, so the pocket moves
// with what came before it however the store interleaves them.
void ShiftBlock(InterpretRun& Run, double DX, double DY) {
  if (DX == 0 && DY == 0) return;
  const int n = Run.Block.BlockNumber;
  const int derived = Run.Block.BlockOffsetMark != 0 ? n + TFormaGeom::DerivedOffset : n;
  for (int slot = Run.Block.BlockStartCount + 1; slot <= Run.Geom.ElementCount(); ++slot) {
    GeomT* e = Run.Geom.Elements(slot);
    if (!e || (e->GeomNo != n && e->GeomNo != derived)) continue;
    e->V1 += DX;
    e->V2 += DY;
    if (e->Kind == 1) {
      e->V3 += DX;
      e->V4 += DY;
    }
  }
}

// A move along the axis: its first coordinates differ, its radii are both exactly 0.
bool AlongAxis(const GeomT& M) { return M.V1 != M.V3 && M.V2 == 0 && M.V4 == 0; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pockets and slots

LineVerdict InterpretRun::HandlePocketWords(std::string& L) {
  constexpr std::string_view Circle = " FCIRCLE", Rect = " FRECT", Slot = " FSLOT";
  std::size_t at = FindWord(L, Circle);
  std::string_view word = Circle;
  if (at == npos) {
    at = FindWord(L, Rect);
    word = Rect;
  }
  if (at == npos) {
    at = FindWord(L, Slot);
    word = Slot;
  }
  if (at == npos) return LineVerdict::NotPresent;
  BlankWord(L, at, word.size());

  // The first occurrence counts, as a plain substring: " R" written after " RF" is read
  // from " RF" and has no value.
  const auto value = [&](std::string_view Word) {
    const double v = WordValueAt(L, FindWord(L, Word), Word);
    return Given(v) ? v : NoValue;
  };

  // Appends a shape; Rapid marks it as a rapid move. A zero-length line is not made, and then
  // nothing is marked.
  const auto add = [&](int Kind, double P1, double P2, double P3, double P4, double P5,
                       bool Rapid = false) {
    const int before = Geom.ElementCount();
    if (!AddSegment(Kind, P1, P2, P3, P4, P5)) return false;
    if (Rapid && Geom.ElementCount() != before) Geom.CurElement()->Feed = NoValue;
    return true;
  };
  const auto line = [&](PointT From, PointT To, bool Rapid = false) {
    return add(1, From.X, From.Y, To.X, To.Y, 0, Rapid);
  };
  const auto arc = [&](PointT Centre, double Radius, double From, double To) {
    return add(2, Centre.X, Centre.Y, Radius, From, To);
  };

  if (word == Circle) {
    const double x = OrZero(value(" X")), y = OrZero(value(" Y"));
    const double rv = value(" R"), fv = value(" RF");
    if (rv == NoValue || rv == 0 || fv == NoValue) return LineVerdict::Failed;
    const double r = std::fabs(rv), f = std::fabs(fv);
    if (!(f >= MinStep) || !(f < r)) return LineVerdict::Failed;
    const double rings = StepCount(r, f);
    if (!Fits(Geom, rings * LinesPerCircle)) return LineVerdict::Failed;
    const PointT c{x, y};
    double p = 0;
    for (double k = 1; k <= rings; ++k) {
      const double rk = StepEnd(k, rings, f, r);
      if (!line({x + p, y}, {x + rk, y}) || !arc(c, rk, 0, Pi) || !arc(c, rk, Pi, 2 * Pi))
        return LineVerdict::Failed;
      p = rk;
    }
    return LineVerdict::Done;
  }

  if (word == Rect) {
    const double x = OrZero(value(" X")), y = OrZero(value(" Y"));
    const double lx = value(" LX"), ly = value(" LY");
    const double rv = value(" R"), fv = value(" RF");
    if (lx == NoValue || lx == 0 || ly == NoValue || ly == 0 || fv == NoValue)
      return LineVerdict::Failed;
    const double r = std::fabs(OrZero(rv)), f = std::fabs(fv);
    if (!(f >= MinStep)) return LineVerdict::Failed;
    if (r > 0 && f > r) return LineVerdict::Failed;
    // The corners of the innermost full rectangle: the rounded rings grow round them.
    const double inset = r > 0 ? r : f;
    const double a = lx / 2 - inset, b = ly / 2 - inset;
    if (!(a > 0) || !(b > 0)) return LineVerdict::Failed;
    const double d = std::hypot(a, b), dmax = d + r, phi = std::atan2(b, a);
    const double rings = StepCount(dmax, f);
    if (!Fits(Geom, rings * LinesPerRoundedRing)) return LineVerdict::Failed;
    const double cs = std::cos(phi), sn = std::sin(phi);
    double p = 0;
    for (double k = 1; k <= rings; ++k) {
      const double s = StepEnd(k, rings, f, dmax);
      const PointT corner{s * cs, s * sn};
      // Every ring starts and ends on the diagonal at its own distance, so the link always
      // runs from the previous ring's corner (the centre before the first ring).
      const PointT from{p * cs, p * sn};
      bool ok = line(from, corner);
      if (s <= d + Same) {
        ok = ok && line(corner, {-corner.X, corner.Y}) &&
             line({-corner.X, corner.Y}, {-corner.X, -corner.Y}) &&
             line({-corner.X, -corner.Y}, {corner.X, -corner.Y}) &&
             line({corner.X, -corner.Y}, corner);
      } else {
        const double q = s - d;
        ok = ok && arc({a, b}, q, phi, HalfPi) && line({a, b + q}, {-a, b + q}) &&
             arc({-a, b}, q, HalfPi, Pi) && line({-a - q, b}, {-a - q, -b}) &&
             arc({-a, -b}, q, Pi, 3 * HalfPi) && line({-a, -b - q}, {a, -b - q}) &&
             arc({a, -b}, q, 3 * HalfPi, 2 * Pi) && line({a + q, -b}, {a + q, b}) &&
             arc({a, b}, q, 0, phi);
      }
      if (!ok) return LineVerdict::Failed;
      p = s;
    }
    ShiftBlock(*this, x, y);
    return LineVerdict::Done;
  }

  // FSLOT. A V or W value wins over its X or Y; W values are diameters.
  double x1 = value(" X1="), y1 = value(" Y1="), x2 = value(" X2="), y2 = value(" Y2=");
  const double v1 = value(" V1="), w1 = value(" W1="), v2 = value(" V2="), w2 = value(" W2=");
  if (v1 != NoValue) x1 = v1;
  if (w1 != NoValue) y1 = w1 / 2;
  if (v2 != NoValue) x2 = v2;
  if (w2 != NoValue) y2 = w2 / 2;
  const double bv = value(" B"), lv = value(" L");
  if (x1 == NoValue || y1 == NoValue || x2 == NoValue || y2 == NoValue || bv == NoValue ||
      lv == NoValue)
    return LineVerdict::Failed;
  double b = std::fabs(bv), l = std::fabs(lv);
  if (!(b >= MinStep) || !(l >= MinStep) || !(b >= l)) return LineVerdict::Failed;
  const double dx = std::fabs(x1 - x2), dy = std::fabs(y1 - y2);
  if (dx == dy) return LineVerdict::Failed;
  // The slot runs along its longer side, from station s1 towards s2; each cut runs across
  // it from c1 to c2. At(s, c) makes the point in program coordinates.
  const bool alongX = dx > dy;
  const double s1 = alongX ? x1 : y1, s2 = alongX ? x2 : y2;
  const double c1 = alongX ? y1 : x1, c2 = alongX ? y2 : x2;
  const auto at_ = [alongX](double s, double c) { return alongX ? PointT{s, c} : PointT{c, s}; };
  if (!(std::fabs(s2 - s1) > b)) return LineVerdict::Failed;
  if (s1 > s2) {
    b = -b;
    l = -l;
  }
  const double last = s2 - b;  // the tool's far edge reaches s2 here
  const double travel = std::fabs(last - s1);
  const double steps = travel <= Same ? 0 : std::ceil((travel - Same) / std::fabs(l));
  if (!Fits(Geom, (steps + 1) * LinesPerStation)) return LineVerdict::Failed;
  double previous = s1;
  for (double k = 0; k <= steps; ++k) {
    const double s = k == steps && steps > 0 ? last : s1 + k * l;
    // From the previous station's start of cut: with cuts of length 0 the element made last
    // is not this slot's, so the link is taken from the station itself.
    if (k > 0 && !line(at_(previous, c1), at_(s, c1), true)) return LineVerdict::Failed;
    if (!line(at_(s, c1), at_(s, c2))) return LineVerdict::Failed;
    if (k == steps) {
      const bool ok = line(at_(s, c2), at_(s1, c2)) && line(at_(s1, c2), at_(s1, c1), true);
      return ok ? LineVerdict::Done : LineVerdict::Failed;
    }
    if (!line(at_(s, c2), at_(s, c1), true)) return LineVerdict::Failed;
    previous = s;
  }
  return LineVerdict::Done;
}

// ---------------------------------------------------------------------------------------------
// The programmed stop and the cycles

bool InterpretRun::HandleStop(std::string& L) {
  const std::size_t at = FindWord(L, " STOP");
  if (at == npos) return true;
  ConsumeWordAt(L, at, 5);
  const int last = Geom.ElementCount();
  if (last == 0 || !Geom.Elements(last)) return false;
  Geom.SetCurElement(last);
  Geom.CurElement()->Stop = 1;
  return true;
}

LineVerdict InterpretRun::HandleCycleWords(std::string& L) {
  std::int32_t code = 0;
  if (L.find("G284") != npos) {
    code = AxialMark;
  } else if (L.find("G233") != npos) {
    code = ThreadCycle;
  } else if (L.find("G283") != npos) {
    code = PeckCycle;
  } else {
    return LineVerdict::NotPresent;
  }

  // The approach A and the move M: the last two slots, both lines. M must be the open block's
  // own: on a line that made no move the last element may be another geometry's, which the
  // cycle would otherwise change or remove.
  const int count = Geom.ElementCount();
  if (count < 2) return LineVerdict::Failed;
  const GeomT* a = Geom.Elements(count - 1);
  const GeomT* m = Geom.Elements(count);
  if (!a || !m || a->Kind != 1 || m->Kind != 1) return LineVerdict::Failed;
  if (Block.BlockNumber == 0 || m->GeomNo != Block.BlockNumber) return LineVerdict::Failed;

  const auto value = [&](std::string_view Word) {
    const double v = WordValueAt(L, FindWord(L, Word), Word);
    return Given(v) ? v : NoValue;
  };
  // A cycle line with its marks: the cycle code, and Feed (NoValue: rapid) unless it is
  // StampedFeed. A zero-length line is not made, and then nothing is marked.
  const auto add = [&](PointT From, PointT To, double Feed) {
    const int before = Geom.ElementCount();
    if (!AddSegment(1, From.X, From.Y, To.X, To.Y, 0)) return false;
    if (Geom.ElementCount() != before) {
      GeomT& e = *Geom.CurElement();
      e.CycleCode = code;
      if (Feed != StampedFeed) e.Feed = Feed;
    }
    return true;
  };

  if (code == AxialMark) {
    if (!AlongAxis(*m)) return LineVerdict::Failed;
    Geom.SetCurElement(count);
    Geom.CurElement()->CycleCode = AxialMark;
    return LineVerdict::Done;
  }

  const PointT S = StartPoint(*m), E = EndPoint(*m);

  if (code == ThreadCycle) {
    // The approach is changed too: it must be the block's own as well.
    if (a->GeomNo != Block.BlockNumber) return LineVerdict::Failed;
    if (!(S.Y > 0) || !(E.Y > 0)) return LineVerdict::Failed;
    const double fw = value(" F");
    const double pitch = fw != NoValue ? std::fabs(fw) : Block.FeedValue;
    if (pitch != 0 && !(pitch >= MinPitch && pitch <= MaxPitch)) return LineVerdict::Failed;
    const double h = value(" H"), pv = value(" P");
    if (h == NoValue || !(std::fabs(h) >= MinDepth && std::fabs(h) <= MaxDepth) ||
        pv == NoValue)
      return LineVerdict::Failed;
    const double passes = std::fabs(RoundHalfEven(pv));
    if (!(passes >= 1 && passes <= MaxPasses)) return LineVerdict::Failed;
    // A move across the axis has no side to feed in from: every pass and the return line
    // would lie on the programmed line itself.
    if (std::fabs(S.X - E.X) <= Same) return LineVerdict::Failed;
    if (!Fits(Geom, (passes + 1) * LinesPerPass)) return LineVerdict::Failed;
    const double l1 = OrZero(value(" L1=")), l2 = OrZero(value(" L2="));

    const double dir = Dir(S, E);
    const PointT s = l1 != 0 ? Along(S, dir + Pi, l1) : S;
    const PointT e = l2 != 0 ? Along(E, dir, l2) : E;
    // The return line lies |H| off the thread on the side away from the material: outside
    // for H < 0 (an outer thread), towards the axis for H > 0 (an inner one). The passes go
    // the other way, into the material, the first on the programmed line, the last |H| deep.
    const bool towardsSmallerX = S.X > E.X;
    const double c = (h > 0) == towardsSmallerX ? dir + HalfPi : dir - HalfPi;
    const double depth = std::fabs(h);
    const PointT rs = Along(s, c, depth), re = Along(e, c, depth);

    GeomT& approach = *Geom.Elements(count - 1);
    approach.V3 = rs.X;
    approach.V4 = rs.Y;
    approach.Feed = NoValue;
    Geom.DropLastElement();
    for (double k = 0; k <= passes; ++k) {
      const double dk = StepEnd(k, passes, depth / passes, depth);
      const PointT ps = Along(s, c, -dk), pe = Along(e, c, -dk);
      // The pass runs at the pitch, a pitch of 0 included.
      if (!add(rs, ps, NoValue) || !add(ps, pe, pitch) || !add(pe, re, NoValue) ||
          !add(re, rs, NoValue))
        return LineVerdict::Failed;
    }
    TakeEndPoint();
    return LineVerdict::Done;
  }

  // G283: M becomes the first peck; each further peck starts a clearance above the bottom
  // of the one before and returns to the start at rapid.
  if (!AlongAxis(*m)) return LineVerdict::Failed;
  const double length = std::fabs(S.X - E.X);
  if (!(length >= MinDrillLength)) return LineVerdict::Failed;
  const double qv = value(" Q"), pv = value(" P");
  const double q = std::fabs(OrZero(qv));
  const double step = q > 0 && q < length ? q : length;
  double clearance = pv == NoValue ? 0 : std::fabs(pv);
  if (clearance < MinClearance) clearance = MinClearance;
  clearance = std::min(clearance, step * ClearanceShare);
  const double pecks = StepCount(length, step);
  if (!Fits(Geom, (pecks - 1) * LinesPerPeck + 1)) return LineVerdict::Failed;
  const double sense = E.X < S.X ? -1.0 : 1.0;
  const auto bottom = [&](double k) {
    return k >= pecks ? E.X : S.X + sense * StepEnd(k, pecks, step, length);
  };
  const PointT top{S.X, 0};
  double t = bottom(1);
  Geom.Elements(count)->V3 = t;
  if (!add({t, 0}, top, NoValue)) return LineVerdict::Failed;
  for (double k = 2; k <= pecks; ++k) {
    const double from = t - sense * clearance;
    t = bottom(k);
    if (!add(top, {from, 0}, NoValue) || !add({from, 0}, {t, 0}, StampedFeed) || !add({t, 0}, top, NoValue))
      return LineVerdict::Failed;
  }
  TakeEndPoint();
  return LineVerdict::Done;
}

}  // namespace movra
