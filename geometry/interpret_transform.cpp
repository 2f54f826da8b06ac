// Repeats and block transformations of the elements the open block has drawn so far.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/element_points.h"
#include "geometry/interpreter.h"
#include "geometry/tolerances.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

using namespace words;
using GeomT = TFormaGeom::GeomT;

constexpr std::size_t npos = std::string::npos;
constexpr int Derived = TFormaGeom::DerivedOffset;
// Scratch numbers of the offset passes: the copy being offset and its equidistant.
constexpr int PassCopy = Derived;
constexpr int PassOffset = Derived + 1;
constexpr double MaxCount = 100;     // copies of one repeat word
constexpr double MinZStep = 0.1;     // the Z repeat's smallest step
constexpr double MinScale = 0.01;
constexpr double MaxScale = 100;
// A pass of the offset passes stores its copy, its equidistant and, on the way back, that
// equidistant reversed: three slots per element of the contour.
constexpr int SlotsPerPassElement = 3;

bool InCountRange(double p) { return p >= 1 && p <= MaxCount; }

// Room for Count more elements in the store.
bool Fits(const TFormaGeom& Geom, double Count) {
  return Count <= TFormaGeom::MaxElements - Geom.ElementCount();
}

// The turn of one element's values about a centre, as every turning word makes it.
void RotateLocalElement(TFormaDaten& Daten, GeomT& E, double CX, double CY, double Angle) {
  Daten.RotateElement(Angle, CX, CY, E.Kind, E.V1, E.V2, E.V3, E.V4, E.V5);
}

// REPA: P copies of the block turned about (X, Y) by the angle that takes its start to its
// end. The block's own elements and its equidistant are copied, each keeping its number.
bool RepeatPolar(InterpretRun& Run, double X, double Y, double P) {
  TFormaGeom& geom = Run.Geom;
  const int n = Run.Block.BlockNumber;
  const int from = Run.Block.BlockStartCount + 1;
  if (geom.ElementCount() == 0 || !(P >= 1) || !geom.Elements(from)) return false;
  std::vector<GeomT> sources;
  const GeomT* firstOwn = nullptr;
  const GeomT* lastOwn = nullptr;
  for (int slot = from; slot <= geom.ElementCount(); ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (!e || (e->GeomNo != n && e->GeomNo != n + Derived)) continue;
    if (e->GeomNo == n) {
      if (!firstOwn) firstOwn = e;
      lastOwn = e;
    }
    if (e->Kind == 1 || (e->Kind == 2 && e->V3 != 0)) sources.push_back(*e);
  }
  if (!firstOwn) return false;
  const PointT c{X, Y}, s = StartPoint(*firstOwn), e = EndPoint(*lastOwn);
  const double r1 = Dist(c, s), r2 = Dist(c, e);
  if (std::fabs(r1 - r2) > Same) return false;
  const double h = Dist(s, e) / 2.0;
  if (h < Same) return false;
  const double w = 2.0 * std::asin(std::min(h / r1, 1.0));  // h / r1 may pass 1 by rounding
  // The turn that takes the start to the end, whichever way round it goes.
  const double a = Dir(c, s);
  const double step = Dist(Along(c, a + w, r2), e) <= Dist(Along(c, a - w, r2), e) ? w : -w;
  const double count = RoundHalfEven(P);
  if (!Fits(geom, count * static_cast<double>(sources.size()))) return false;
  for (double k = 1; k <= count; ++k) {
    for (const GeomT& source : sources) {
      GeomT turned = source;
      RotateLocalElement(Run.Daten, turned, X, Y, k * step);
      if (!geom.NewElement()) return false;
      Run.StampElement();
      GeomT& copy = *geom.CurElement();
      CopyShape(copy, turned);
      copy.Side = source.Side;
      if (source.GeomNo != n) copy.GeomNo = source.GeomNo;
    }
  }
  return true;
}

// FREPZ: the block in N + 1 steps along (X, Y, Z), each step a copy numbered n + 1000 at
// its Z level.
bool RepeatStepZ(InterpretRun& Run, double X, double Y, double Z, double S) {
  TFormaGeom& geom = Run.Geom;
  const int n = Run.Block.BlockNumber;
  S = std::fabs(OrZero(S));
  X = OrZero(X);
  Y = OrZero(Y);
  Z = OrZero(Z);
  if (!(S >= MinZStep)) return false;
  const double length = std::sqrt(X * X + Y * Y + Z * Z);
  if (!(S <= length)) return false;
  std::vector<GeomT> sources;
  int first = 0, last = 0;
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (!e || e->GeomNo != n) continue;
    if (first == 0) first = slot;
    last = slot;
  }
  if (first == 0) return false;
  for (int slot = first; slot <= last; ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (e && e->GeomNo == n) sources.push_back(*e);
  }
  const double steps = RoundHalfEven(length / S);
  if (!Fits(geom, (steps + 1) * static_cast<double>(sources.size()))) return false;
  const double dx = X / steps, dy = Y / steps, dz = Z / steps;
  for (double k = 0; k <= steps; ++k) {
    for (const GeomT& source : sources) {
      if (!geom.NewElement()) return false;
      GeomT& copy = *geom.CurElement();
      copy.GeomNo = n + Derived;
      CopyShape(copy, source);
      copy.V1 += k * dx;
      copy.V2 += k * dy;
      if (copy.Kind == 1) {
        copy.V3 += k * dx;
        copy.V4 += k * dy;
        copy.V5 += k * dz;
      }
      copy.ZLevel = k * dz;
      copy.Side = static_cast<std::uint8_t>(Run.Block.BlockSide);
    }
  }
  return true;
}

// FREPE: concentric passes at distances o, o - G, o - 2G, ... and last G + allowance, where
// o is the length of the contour's first line (the move onto every pass). Passes of an open
// contour run back and forth, the first one backwards.
bool RepeatEquidistant(InterpretRun& Run, double G, double E) {
  TFormaGeom& geom = Run.Geom;
  auto& block = Run.Block;
  const int n = block.BlockNumber;
  if (G == NoValue || G == 0) return false;
  const double g = std::fabs(G);
  const double allowance = std::min(std::fabs(OrZero(E)), g / 2.0);

  // The corrected contour: its first line and the slots it spans.
  int a = 0, w = 0;
  double o = 0;
  PointT p0{}, p1{NoValue, NoValue};
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (!e || e->GeomNo != n || (e->Side != 1 && e->Side != 2)) continue;
    if (a == 0) {
      if (e->Kind != 1) return false;
      a = slot;
      p0 = StartPoint(*e);
      o = Dist(p0, EndPoint(*e)) - JoinGap;
      if (o - allowance - g < 0) return false;
    } else {
      w = slot;
      if (e->Kind == 1) p1 = EndPoint(*e);
    }
  }
  // A contour of one element has no equidistant to step through.
  if (a == 0 || w == 0) return false;
  const bool closed = FullySet(p1) && Dist(p0, p1) <= Same;
  std::vector<GeomT> sources;
  for (int slot = a; slot <= w; ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (e && e->GeomNo == n) sources.push_back(*e);
  }

  // The passes must fit into the store before the first one is made.
  const double room = static_cast<double>(TFormaGeom::MaxElements - geom.ElementCount()) /
                      (SlotsPerPassElement * static_cast<double>(sources.size()));
  const auto nextDistance = [g](double F) {
    F -= g;
    return F < g + Same ? g : F;
  };
  double passes = 0;
  for (double F = o + g - allowance; F - g > Same; F = nextDistance(F))
    if (++passes > room) return false;

  geom.DeleteGeomElements(PassCopy);
  const int j = geom.ElementCount() + 1;  // everything the passes keep lies from here on
  int staleFrom = j;                      // the unreversed equidistant of the last pass
  int direction = 1;
  const auto fail = [&] {
    geom.DeleteGeomElements(PassCopy, j);
    geom.DeleteGeomElements(PassOffset, j);
    return false;
  };
  for (double F = o + g - allowance; F - g > Same;) {
    F = nextDistance(F);
    const double h = F + allowance;
    geom.DeleteGeomElements(PassOffset, staleFrom);
    const int copyFrom = geom.ElementCount() + 1;
    for (const GeomT& source : sources) {
      if (!geom.NewElement()) return fail();
      GeomT& copy = *geom.CurElement();
      copy.GeomNo = PassCopy;
      copy.OffsetDist = h;
      CopyShape(copy, source);
      copy.Side = static_cast<std::uint8_t>(block.BlockSide != 0 ? block.BlockSide : source.Side);
    }
    const int offsetFrom = geom.ElementCount() + 1;
    if (!geom.OffsetGeometry(PassCopy, PassOffset, h, copyFrom)) return fail();
    geom.DeleteGeomElements(PassCopy, copyFrom);
    if (!closed) direction = -direction;
    const int offsetTo = geom.ElementCount();
    if (direction == 1) {
      for (int slot = offsetFrom; slot <= offsetTo; ++slot)
        if (GeomT* e = geom.Elements(slot); e && e->GeomNo == PassOffset) e->GeomNo = n;
      staleFrom = geom.ElementCount() + 1;
      continue;
    }
    // The way back: the pass reversed, kept under the block's number until the end.
    for (int slot = offsetTo; slot >= offsetFrom; --slot) {
      const GeomT* e = geom.Elements(slot);
      if (!e || e->GeomNo != PassOffset) continue;
      const GeomT pass = *e;
      if (!geom.NewElement()) return fail();
      GeomT& back = *geom.CurElement();
      back.GeomNo = n;
      back.OffsetDist = h;
      back.Side = pass.Side;
      back.Kind = pass.Kind;
      if (pass.Kind == 1) {
        back.V1 = pass.V3;
        back.V2 = pass.V4;
        back.V3 = pass.V1;
        back.V4 = pass.V2;
      } else {
        back.V1 = pass.V1;
        back.V2 = pass.V2;
        back.V3 = -pass.V3;
        back.V4 = pass.V5;
        back.V5 = pass.V4;
      }
    }
    staleFrom = offsetFrom;
  }
  // What the joins shrank to nothing goes with the scratch numbers; the rest is the result.
  for (int slot = j; slot <= geom.ElementCount(); ++slot) {
    GeomT* e = geom.Elements(slot);
    if (!e) continue;
    const bool empty = e->Kind == 1   ? Dist(StartPoint(*e), EndPoint(*e)) <= Same
                       : e->Kind == 2 ? std::fabs(e->V3) <= Same
                                      : true;
    if (empty) e->GeomNo = PassOffset;
  }
  geom.DeleteGeomElements(PassCopy, j);
  geom.DeleteGeomElements(PassOffset, j);
  for (int slot = j; slot <= geom.ElementCount(); ++slot) {
    if (GeomT* e = geom.Elements(slot)) {
      e->GeomNo = n + Derived;
      e->Side = 0;
    }
  }
  block.BlockSide = 0;
  return true;
}

// The handler frame's first steps: the block has elements of its own (a drilling block may
// move its pending point), and Stamp writes a side given before the first point into them.
bool BlockReady(InterpretRun& Run, bool Stamp, bool DrillingPoint = false) {
  const auto& block = Run.Block;
  if (Run.Geom.ElementCount() == block.BlockStartCount && !(DrillingPoint && block.BlockSide == 3))
    return false;
  return !Stamp || block.BlockSide == 0 ||
         Run.Geom.SetGeomCorrection(block.BlockNumber, block.BlockSide);
}

// Once for n, and once more for its equidistant n + 1000 when FE has made one.
template <class Operation>
bool WithEquidistant(InterpretRun& Run, Operation&& Apply) {
  const int n = Run.Block.BlockNumber;
  if (!Apply(n)) return false;
  return Run.Block.BlockOffsetMark == 0 || Apply(n + Derived);
}

bool RepeatWord(InterpretRun& Run, std::string& L, std::size_t Pos, std::string_view Word) {
  TFormaGeom& geom = Run.Geom;
  auto& block = Run.Block;
  const int n = block.BlockNumber;
  const bool stamp = Word == " FREPL" || Word == " FREPA";
  if (!BlockReady(Run, stamp)) return false;
  if (Word == " FREPE") {
    // The side of a G41 or G42 given before the first point is in the elements only now.
    if (block.BlockSide != 0 && !geom.SetGeomCorrection(n, block.BlockSide)) return false;
  }
  const auto v = Run.TakeWordValues(L, Pos, Word);
  if (geom.ElementCount() == 0) return false;
  if (Word == " REPL") {
    return InCountRange(v[0]) && geom.RepeatGeometry(n, 0, 0, v[0], 0);
  }
  if (Word == " REPA") {
    return v[0] != NoValue && v[1] != NoValue && InCountRange(v[2]) &&
           RepeatPolar(Run, v[0], v[1], v[2]);
  }
  if (Word == " FREPZ") {
    return v[0] != NoValue && block.BlockOffsetMark == 0 &&
           RepeatStepZ(Run, v[0], v[1], v[2], v[3]);
  }
  if (Word == " FREPE") {
    return block.BlockOffsetMark == 0 && RepeatEquidistant(Run, v[0], v[1]);
  }
  const double x = OrZero(v[0]), y = OrZero(v[1]);
  if (Word == " FREPL") {
    const double p = v[2] == NoValue ? 1 : v[2];
    if ((x == 0 && y == 0) || !InCountRange(p)) return false;
    return WithEquidistant(Run, [&](int m) { return geom.RepeatGeometry(m, x, y, p, 0); });
  }
  // FREPA
  const double angle = v[2];
  if (angle == NoValue || angle == 0 || !InCountRange(v[3])) return false;
  return WithEquidistant(
      Run, [&](int m) { return geom.RotateGeometry(m, x, y, Rad(angle), v[3]); });
}

// FT: the block, or in a drilling block the point it names, moved by (x, y).
bool TranslateWord(InterpretRun& Run, double X, double Y) {
  TFormaGeom& geom = Run.Geom;
  auto& block = Run.Block;
  int n = block.BlockNumber;
  if (geom.ElementCount() == 0) {
    // A drilling block's point exists only once the block is closed.
    if (!Run.CloseBlock() || geom.ElementCount() == 0) return false;
    n = 0;
  } else if (block.BlockSide == 3 && n != 0) {
    const GeomT* lastElement = geom.Elements(geom.ElementCount());
    if (lastElement && lastElement->GeomNo != n) {
      if (!Run.CloseBlock()) return false;
      n = 0;
    }
    lastElement = geom.Elements(geom.ElementCount());
    if (lastElement && lastElement->Kind == 1 && lastElement->V1 == lastElement->V3 &&
        lastElement->V2 == lastElement->V4)
      n = lastElement->GeomNo;
  }
  if (!geom.RepeatGeometry(n, X, Y, 0, 0)) return false;
  // The equidistant moves along, unless the block was closed above (n is then the point's).
  return block.BlockOffsetMark == 0 || n != block.BlockNumber ||
         geom.RepeatGeometry(n + Derived, X, Y, 0, 0);
}

bool TransformWord(InterpretRun& Run, std::string& L, std::size_t Pos, std::string_view Word) {
  TFormaGeom& geom = Run.Geom;
  auto& block = Run.Block;
  const int n = block.BlockNumber;
  const bool ft = Word == " FT";
  const bool stamp = ft ? block.BlockSide == 1 || block.BlockSide == 2 : Word != " FS";
  if (!BlockReady(Run, stamp, ft)) return false;
  const auto v = Word == " FMX" || Word == " FMY" || Word == " FN"
                     ? (InterpretRun::ConsumeWordAt(L, Pos, Word.size()),
                        std::array<double, 4>{NoValue, NoValue, NoValue, NoValue})
                     : Run.TakeWordValues(L, Pos, Word);
  const double x = OrZero(v[0]), y = OrZero(v[1]);
  if (ft) {
    if (v[0] == NoValue || (x == 0 && y == 0)) return false;
    return TranslateWord(Run, x, y);
  }
  if (geom.ElementCount() == 0) return false;
  if (Word == " FREP") {
    if (x == 0 && y == 0) return false;
    // Every FREP of the block copies the block as it stood before its first FREP.
    if (block.FrepLimit == 0) block.FrepLimit = geom.ElementCount();
    return geom.RepeatGeometry(n, x, y, 1, block.FrepLimit);
  }
  if (Word == " FA") {
    if (v[2] == NoValue || v[2] == 0) return false;
    return WithEquidistant(Run, [&](int m) { return geom.RotateGeometry(m, x, y, Rad(v[2]), 0); });
  }
  if (Word == " FS") {
    const double f = std::fabs(v[0]);
    if (v[0] == NoValue || f < MinScale || f > MaxScale) return false;
    return WithEquidistant(Run, [&](int m) { return geom.ScaleGeometry(m, f); });
  }
  if (Word == " FN") {
    if (block.BlockSide == 1 || block.BlockSide == 2) block.BlockSide = 3 - block.BlockSide;
    if (!geom.ReverseGeometry(n)) return false;
  } else {
    const double axis = Word == " FMX" ? 1 : 2;
    if (!WithEquidistant(Run, [&](int m) { return geom.MirrorGeometry(m, axis); })) return false;
  }
  block.BlockSide = geom.GeomSide(n);
  return true;
}

}  // namespace

// After the motion words: REPL, REPA, FREPZ, FREPE, FREPL, FREPA, tried in that order. A line
// that holds one of them is done by it, or fails.
LineVerdict InterpretRun::HandleRepeatWords(std::string& L) {
  static constexpr std::array<std::string_view, 6> Words{" REPL",  " REPA",  " FREPZ",
                                                         " FREPE", " FREPL", " FREPA"};
  for (std::string_view word : Words) {
    const std::size_t pos = FindWord(L, word);
    if (pos == npos) continue;
    if (!RepeatWord(*this, L, pos, word)) return LineVerdict::Failed;
    TakeEndPoint();
    return LineVerdict::Done;
  }
  return LineVerdict::NotPresent;
}

// Next, for Word one of " FREP", " FA", " FS", " FMX", " FMY", " FN", " FT" (the first
// present of the transformation words, found by the dispatch): Done or Failed.
LineVerdict InterpretRun::HandleTransformWords(std::string& L, std::string_view Word) {
  const std::size_t pos = FindWord(L, Word);
  if (pos == npos) return LineVerdict::NotPresent;
  if (!TransformWord(*this, L, pos, Word)) return LineVerdict::Failed;
  TakeEndPoint();
  return LineVerdict::Done;
}

}  // namespace movra
