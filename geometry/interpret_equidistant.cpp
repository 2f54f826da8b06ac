// The equidistant contour (FE) and the leads (FL, FR, FRL) of the open block.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
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
// Scratch number of the chain being offset.
constexpr int ChainCopy = TFormaGeom::DerivedOffset;
// The FRL distances are kept within this size.
constexpr double MaxLeadDistance = 100.0;

// The steps every word of this group starts with: the block has elements of its own, and
// a side given before its first point is written into them now.
bool BlockReady(InterpretRun& Run) {
  const auto& block = Run.Block;
  if (Run.Geom.ElementCount() == block.BlockStartCount) return false;
  if (block.BlockNumber < 1 || block.BlockNumber > TFormaGeom::MaxGeomNumber) return false;
  return block.BlockSide == 0 || Run.Geom.SetGeomCorrection(block.BlockNumber, block.BlockSide);
}

double RadiansIfGiven(double Degrees) { return Degrees == NoValue ? NoValue : Rad(Degrees); }

// FE: the equidistant of block n as geometry n + 1000, one offset per unbroken chain.
bool MakeEquidistant(InterpretRun& Run, std::string& L, std::size_t Pos) {
  TFormaGeom& geom = Run.Geom;
  auto& block = Run.Block;
  // A side switched after the first point leaves no one side to offset to.
  if (block.BlockOffsetMark != 0 || block.SideOverride != -1) return false;
  if (!BlockReady(Run)) return false;
  const double d = Run.TakeWordValues(L, Pos, " FE")[0];
  const int n = block.BlockNumber;
  if (d == NoValue || d == 0 || !geom.GeomExists(n)) return false;
  // A G40 contour has no side, a drilling block no contour.
  const int side = geom.GetGeomCorrection(n);
  if (side != 1 && side != 2) return false;
  const int target = n + TFormaGeom::DerivedOffset;
  // Copies n + 1000 made by a repeat would be mixed with the equidistant.
  if (geom.GeomExists(target)) return false;

  // The elements of n as they stand now; the copies and results go after them.
  std::vector<int> slots;
  for (int slot = 1, count = geom.ElementCount(); slot <= count; ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (e && e->GeomNo == n) slots.push_back(slot);
  }
  if (slots.size() < 2) return false;  // one element has no corner to offset
  geom.DeleteGeomElements(ChainCopy);
  int chainFrom = geom.ElementCount() + 1;
  for (std::size_t k = 0; k < slots.size(); ++k) {
    const GeomT source = *geom.Elements(slots[k]);
    if (!geom.NewElement()) return false;
    GeomT& copy = *geom.CurElement();
    copy.GeomNo = ChainCopy;
    CopyShape(copy, source);
    copy.Side = source.Side;
    copy.Removed = source.Removed;
    // A chain ends at the block's last element or where the next one does not start at its
    // end.
    bool chainEnds = k + 1 == slots.size();
    if (!chainEnds) {
      double ex = 0, ey = 0, sx = 0, sy = 0;
      EndPointOf(source, ex, ey);
      StartPointOf(*geom.Elements(slots[k + 1]), sx, sy);
      chainEnds = std::hypot(sx - ex, sy - ey) > JoinGap;
    }
    if (!chainEnds) continue;
    // The offset takes the copies out of the store; only points and empty arcs, which it
    // leaves where they are, remain of them, and the next chain skips those again.
    if (!geom.OffsetGeometry(ChainCopy, target, d, chainFrom)) {
      // The scratch copy never outlives the word, not even a failed one: it would be drawn
      // as a contour of its own.
      geom.DeleteGeomElements(ChainCopy);
      return false;
    }
    chainFrom = geom.ElementCount() + 1;
  }
  geom.DeleteGeomElements(ChainCopy);
  // The equidistant carries the block's name and side (its number lies beyond the tables).
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    GeomT* e = geom.Elements(slot);
    if (!e || e->GeomNo != target) continue;
    if (!block.BlockName.empty()) e->Name = block.BlockName;
    if (block.BlockSide != 0) e->Side = static_cast<std::uint8_t>(block.BlockSide);
  }
  block.BlockOffsetMark = 1;
  Run.TakeEndPoint();
  return true;
}

// FL, FR, FRL: the leads at the block's then first and last element; whatever of n lies
// before or after its contour is marked removed.
bool AddLeads(InterpretRun& Run, std::string& L, std::size_t Pos, std::string_view Word) {
  if (!BlockReady(Run)) return false;
  TFormaGeom& geom = Run.Geom;
  const int n = Run.Block.BlockNumber;
  auto v = Run.TakeWordValues(L, Pos, Word);
  if (Word != " FL" && v[0] == NoValue) return false;
  v[1] = RadiansIfGiven(v[1]);
  v[3] = RadiansIfGiven(v[3]);
  if (Word == " FRL") {
    // One side given serves both ends.
    if (v[0] != NoValue && v[1] != NoValue && v[2] == NoValue && v[3] == NoValue) {
      v[2] = v[0];
      v[3] = v[1];
    } else if (v[0] != NoValue && v[1] == NoValue) {
      v[2] = v[0];
    }
    for (std::size_t k : {0u, 2u})
      if (v[k] != NoValue) v[k] = std::clamp(v[k], -MaxLeadDistance, MaxLeadDistance);
  }
  int first = 0, last = 0;
  if (!geom.FindGeomEnds(n, first, last)) return false;
  int before = 0;
  bool added = false;
  if (Word == " FL") {
    added = geom.AddLineLeads(n, v[0], v[1], v[2], v[3], &before);
  } else if (Word == " FR") {
    added = geom.AddArcLeads(n, v[0], v[1], v[2], v[3], &before);
  } else {
    added = geom.AddCorrectionLeads(n, v[0], v[1], v[2], v[3], &before);
  }
  if (!added || !geom.TrimGeomEnds(first + before, last + before, n)) return false;
  Run.TakeEndPoint();
  return true;
}

}  // namespace

// After the repeats, for Word one of " FE", " FL", " FRL", " FR" (the first present of
// FREP, FA, FE, FL, FS, FMX, FMY, FN, FRL, FR, FT, found by the dispatch): the offset copy
// n + 1000 or the leads, then the end point taken. A line that reaches this group and cannot
// complete its word fails.
LineVerdict InterpretRun::HandleEquidistantWords(std::string& L, std::string_view Word) {
  const std::size_t pos = FindWord(L, Word);
  if (pos == npos) return LineVerdict::NotPresent;
  const bool done = Word == " FE" ? MakeEquidistant(*this, L, pos) : AddLeads(*this, L, pos, Word);
  return done ? LineVerdict::Done : LineVerdict::Failed;
}

}  // namespace movra
