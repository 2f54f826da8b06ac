// The equidistant word FE over large radius-corrected contours, and the repeat words at the
// sizes the store allows, as the editor runs the whole program on every change of its memo:
// no word may take seconds. The same program without FE is the baseline.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace {

using movra::TFormaDaten;
using movra::TFormaGeom;

// A G41 zig-zag of Teeth teeth: sharp corners and rounded ones, lines and arcs, so that every
// kind of join occurs. Chains > 1 lifts the pen that often, so that FE offsets as many chains.
// FE needs room for a scratch copy and the result: 10000 teeth (16667 elements) fill half the
// store.
std::vector<std::string> Comb(int Teeth, int Chains, bool WithFE) {
  std::vector<std::string> lines{"G41 G1 X0 Y0"};
  const int perChain = Teeth / Chains;
  for (int k = 1; k <= Teeth; ++k) {
    const std::string x = " X" + std::to_string(4 * k);
    lines.push_back(x + " Y" + std::to_string(k % 2 ? 10 : 0) + (k % 3 ? " RD 1" : ""));
    if (Chains > 1 && k % perChain == 0 && k < Teeth) {
      lines.push_back("|");
      lines.push_back(x + " Y-5");
      lines.push_back(x + " Y0");
    }
  }
  lines.push_back("X" + std::to_string(4 * Teeth + 10));
  if (WithFE) lines.push_back("FE 0.5");
  return lines;
}

// An open G41 contour whose first line is 1000.001 long, then Teeth sharp teeth (the block
// that the polar and Z repeats copy).
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

void BM_ContourWithoutFE(benchmark::State& state) {
  RunProgram(state, Comb(static_cast<int>(state.range(0)), 1, false));
}
void BM_ContourWithFE(benchmark::State& state) {
  RunProgram(state, Comb(static_cast<int>(state.range(0)), 1, true));
}
// The same teeth in a hundred chains: each chain is offset on its own.
void BM_ManyChainsWithFE(benchmark::State& state) {
  RunProgram(state, Comb(static_cast<int>(state.range(0)), 100, true));
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

BENCHMARK(BM_ContourWithoutFE)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContourWithFE)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyChainsWithFE)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_OffsetPasses)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolarRepeat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepsInZ)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
