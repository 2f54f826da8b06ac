// The repeat words at the sizes the store allows: one keystroke in the editor runs the whole
// program, so none of them may take seconds.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace {

using movra::TFormaDaten;
using movra::TFormaGeom;

// An open G41 contour whose first line is 1000.001 long, then Teeth sharp teeth.
std::vector<std::string> Contour(int Teeth) {
  std::vector<std::string> lines{"G41 G1 X0 Y0", "X-1000.001"};
  for (int k = 1; k <= Teeth; ++k)
    lines.push_back("X" + std::to_string(-1000.001 + 2.0 * k) + " Y" + (k % 2 ? "-3" : "-6"));
  return lines;
}

void RunProgram(benchmark::State& state, const std::vector<std::string>& lines) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FromEditor = 1;
  std::string error;
  for (auto _ : state) {
    geom.InterpretProgram(lines, error);
    benchmark::DoNotOptimize(geom.ElementCount());
  }
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  state.counters["elements"] = geom.ElementCount();
}

// Offset passes of a G41 box whose first line is 1000.001 long: a step of 0.25 gives 4000
// passes of five elements, close to what the store holds.
void BM_OffsetPasses(benchmark::State& state) {
  RunProgram(state, {"G41 G1 X0 Y0", "X-1000.001", "Y-3000", "X2000", "Y0", "X1000",
                     "FREPE 0.25"});
}
// A hundred turned copies of a 900-element block.
void BM_PolarRepeat(benchmark::State& state) {
  auto lines = Contour(900);
  lines.push_back("FREPA 0 0 3 100");
  RunProgram(state, lines);
}
// Z steps of a 900-element block up to the store's limit.
void BM_StepsInZ(benchmark::State& state) {
  auto lines = Contour(900);
  lines.push_back("FREPZ 0 0 50 0.5");
  RunProgram(state, lines);
}

BENCHMARK(BM_OffsetPasses)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolarRepeat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepsInZ)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
