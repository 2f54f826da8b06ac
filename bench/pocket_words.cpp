// The words that make many elements from one line: a pocket, a slot or a peck-drilling cycle
// near the store's limit, a block of many moved rectangular pockets, and a path too large for
// the store, which must be refused before any of it is made.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace {

using movra::TFormaDaten;
using movra::TFormaGeom;

void RunProgram(benchmark::State& state, const std::vector<std::string>& lines,
                bool ExpectError = false) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FromEditor = 1;
  std::string error;
  geom.InterpretProgram(lines, error);
  if (error.empty() == ExpectError) {
    state.SkipWithError(ExpectError ? "the program was not refused" : error.c_str());
    return;
  }
  for (auto _ : state) {
    geom.InterpretProgram(lines, error);
    benchmark::DoNotOptimize(geom.ElementCount());
  }
  state.counters["elements"] = geom.ElementCount();
  state.counters["elements/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * geom.ElementCount(), benchmark::Counter::kIsRate);
}

// 33330 rings, 99990 elements.
void BM_CircularPocketAtTheLimit(benchmark::State& state) {
  RunProgram(state, {"FCIRCLE X0 Y0 R3333 RF0.1"});
}

// Rounded rings past the sharp ones: about 52000 elements.
void BM_RectangularPocketRoundedRings(benchmark::State& state) {
  RunProgram(state, {"FRECT X5 Y5 LX2000 LY2000 R900 RF0.2"});
}

// Many pockets in one block: each moves the whole block drawn before it, so the cost grows
// with the square of the block.
void BM_ManyMovedRectanglesInOneBlock(benchmark::State& state) {
  std::vector<std::string> lines;
  for (int k = 0; k < state.range(0); ++k)
    lines.push_back("FRECT X" + std::to_string(k % 7) + " Y1 LX20 LY12 R2 RF1");
  RunProgram(state, lines);
}

// 33000 stations of three lines.
void BM_SlotAtTheLimit(benchmark::State& state) {
  RunProgram(state, {"FSLOT X1=0 Y1=5 X2=3310 Y2=0 B10 L0.1"});
}

// 33000 pecks of three lines.
void BM_PeckDrillingAtTheLimit(benchmark::State& state) {
  RunProgram(state, {"G1 X5 Y0", "X0 Y0", "X-3300 Y0 G283 Q0.1"});
}

// Ten million rings: refused at once, not built up to the limit.
void BM_PocketBeyondTheStoreRefused(benchmark::State& state) {
  RunProgram(state, {"FCIRCLE X0 Y0 R1000000 RF0.1"}, true);
}

BENCHMARK(BM_CircularPocketAtTheLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RectangularPocketRoundedRings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyMovedRectanglesInOneBlock)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlotAtTheLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeckDrillingAtTheLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PocketBeyondTheStoreRefused)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
