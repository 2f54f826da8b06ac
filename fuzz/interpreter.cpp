// The interpreter on any text, split into lines at "\n" (a "\r" before it stays in the line,
// as a memo may hand it over). The run must end, leave Busy clear, and every element it left
// in the store must hold finite values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static movra::TFormaDaten daten;
  static movra::TFormaGeom geom(daten, "");
  geom.FromEditor = static_cast<std::uint8_t>(size % 7 == 0 ? 0 : 1);
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t cut = input.find('\n', start);
    lines.emplace_back(input.substr(start, cut == std::string_view::npos ? cut : cut - start));
    if (cut == std::string_view::npos) break;
    start = cut + 1;
  }
  std::string error;
  geom.InterpretProgram(lines, error);
  if (geom.Busy != 0) __builtin_trap();
  if (!error.empty() && error[0] != 'N') __builtin_trap();
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const movra::TFormaGeom::GeomT* e = geom.Elements(slot);
    if (!e) __builtin_trap();  // the run ends compacted
    for (const double v : {e->V1, e->V2, e->V3, e->V4, e->V5, e->Feed}) {
      if (!std::isfinite(v)) __builtin_trap();
    }
  }
  return 0;
}
