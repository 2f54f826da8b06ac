// The interpreter on any text, split into lines at "\n" (a "\r" before it stays in the line,
// as a memo may hand it over). The run must end, leave Busy clear, and every element it left
// in the store must hold finite values. An error text names a real line exactly:
// "N" + its number + " [ " + the line as passed + " ]". A second run of the same text on the
// same object gives the same error and the same store, variables and block tables.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "program_lines.h"

namespace {

using movra::TFormaGeom;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// "N" + k + " [ " + line k + " ]" for a line k of Lines, counted from 1.
bool NamesALine(const std::string& Error, const std::vector<std::string>& Lines) {
  if (Error.size() < 2 || Error[0] != 'N') return false;
  std::size_t k = 0;
  const char* digits = Error.data() + 1;
  const auto [end, ec] = std::from_chars(digits, Error.data() + Error.size(), k);
  if (ec != std::errc{} || end == digits || *digits == '0') return false;
  if (k < 1 || k > Lines.size()) return false;
  return Error == "N" + std::to_string(k) + " [ " + Lines[k - 1] + " ]";
}

// Everything a run leaves behind, field by field; reals compared by their bits, so that a
// rerun that flips a sign of zero is caught too.
struct Snapshot {
  std::string Error;
  std::vector<TFormaGeom::GeomT> Elements;
  std::vector<std::string> Names;
  std::vector<std::uint8_t> Closed;
  std::vector<double> Reals;  // block parameters, then variables

  Snapshot(TFormaGeom& geom, const std::string& error) : Error(error) {
    for (int slot = 1; slot <= geom.ElementCount(); ++slot) Elements.push_back(*geom.Elements(slot));
    for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) {
      Names.push_back(geom.GeomNames(n));
      Closed.push_back(geom.GeomClosed(n));
      for (int p = 1; p <= TFormaGeom::ParamCount; ++p) Reals.push_back(geom.GeomParams(n)(p));
      Reals.push_back(geom.Daten().Vars(n));
    }
  }
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool Same(const TFormaGeom::GeomT& a, const TFormaGeom::GeomT& b) {
  return a.Removed == b.Removed && SameBits(a.OffsetDist, b.OffsetDist) &&
         SameBits(a.Feed, b.Feed) && a.Name == b.Name && a.CycleCode == b.CycleCode &&
         a.GeomNo == b.GeomNo && SameBits(a.Kind, b.Kind) && SameBits(a.V1, b.V1) &&
         SameBits(a.V2, b.V2) && SameBits(a.V3, b.V3) && SameBits(a.V4, b.V4) &&
         SameBits(a.V5, b.V5) && SameBits(a.ZLevel, b.ZLevel) && a.Stop == b.Stop &&
         a.Side == b.Side;
}

bool Same(const Snapshot& a, const Snapshot& b) {
  if (a.Error != b.Error || a.Names != b.Names || a.Closed != b.Closed) return false;
  if (a.Elements.size() != b.Elements.size() || a.Reals.size() != b.Reals.size()) return false;
  for (std::size_t i = 0; i < a.Elements.size(); ++i)
    if (!Same(a.Elements[i], b.Elements[i])) return false;
  for (std::size_t i = 0; i < a.Reals.size(); ++i)
    if (!SameBits(a.Reals[i], b.Reals[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static movra::TFormaDaten daten;
  static movra::TFormaGeom geom(daten, "");
  geom.FromEditor = static_cast<std::uint8_t>(size % 7 == 0 ? 0 : 1);
  const std::vector<std::string> lines =
      ProgramLines(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string error;
  geom.InterpretProgram(lines, error);
  Check(geom.Busy == 0);
  Check(error.empty() || NamesALine(error, lines));
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const movra::TFormaGeom::GeomT* e = geom.Elements(slot);
    Check(e != nullptr);  // the run ends compacted
    for (const double v : {e->V1, e->V2, e->V3, e->V4, e->V5, e->Feed}) Check(std::isfinite(v));
  }

  const Snapshot first(geom, error);
  std::string again = "left over from before";
  geom.InterpretProgram(lines, again);
  Check(Same(first, Snapshot(geom, again)));
  return 0;
}
