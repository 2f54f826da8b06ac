// Roughing a long shaft profile level by level, and writing the moves as turning text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "machining/forma_editor_turn.h"

namespace {

using movra::NoValue;
using movra::TFormaDaten;
using movra::TFormaEditorTurn;
using movra::TFormaGeom;

// The program of a shaft growing towards -x by `Rise` in radius over `Elements` elements,
// four per step: a diameter, a concave radius, a taper and a chamfer.
std::vector<std::string> Shaft(int Elements, double Rise) {
  const auto n = [](double v) { return TFormaDaten::FormatReal(v, 6); };
  const int steps = Elements / 4;
  const double h = Rise / steps;  // radius gained per step
  const double r = h / 4;
  double x = 0.0, y = 5.0;
  std::vector<std::string> lines = {"G1 X0 Y5"};
  for (int k = 0; k < steps; ++k) {
    lines.push_back("G1 X" + n(x - 2) + " Y" + n(y));
    lines.push_back("G2 X" + n(x - 2 - r) + " Y" + n(y + r) + " R" + n(r));
    lines.push_back("G1 X" + n(x - 2.2 - r) + " Y" + n(y + 3 * r));
    lines.push_back("G1 X" + n(x - 2.4 - 2 * r) + " Y" + n(y + h));
    x -= 2.4 + 2 * r;
    y += h;
  }
  return lines;
}

struct Prepared {
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  TFormaEditorTurn turn{daten, geom};
  bool ok = false;

  explicit Prepared(int Elements, double Rise = 100.0) {
    geom.FromEditor = 1;
    std::string error;
    geom.InterpretProgram(Shaft(Elements, Rise), error);
    double sx = 0, sy = 0, ex = 0, ey = 0;
    ok = error.empty() && geom.ElementCount() == Elements &&
         turn.BuildContour(sx, sy, 0, 0, 0, NoValue, NoValue, NoValue, NoValue, 0, ex, ey);
  }
};

void BM_RoughLongitudinal(benchmark::State& state) {
  Prepared p(static_cast<int>(state.range(0)));
  if (!p.ok) state.SkipWithError("preparation failed");
  for (auto _ : state) {
    p.turn.ClearOut();
    if (!p.turn.RoughLongitudinal(0, 0, 0, 0, 1.0, 0.3, 0.5)) state.SkipWithError("roughing failed");
    benchmark::DoNotOptimize(p.turn.OutElements.Count());
  }
  state.counters["moves"] = static_cast<double>(p.turn.OutElements.Count());
}
BENCHMARK(BM_RoughLongitudinal)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RoughFacing(benchmark::State& state) {
  Prepared p(static_cast<int>(state.range(0)));
  if (!p.ok) state.SkipWithError("preparation failed");
  for (auto _ : state) {
    p.turn.ClearOut();
    // About 100 levels along the shaft's length.
    if (!p.turn.RoughFacing(0, 0, 0, 0, 6.0, 0.3, 0.5)) state.SkipWithError("roughing failed");
    benchmark::DoNotOptimize(p.turn.OutElements.Count());
  }
  state.counters["moves"] = static_cast<double>(p.turn.OutElements.Count());
}
BENCHMARK(BM_RoughFacing)->Arg(1000)->Unit(benchmark::kMillisecond);

// A stock far too deep for the output list (10,000 levels): the roughing stops at the cap.
void BM_RoughCutShort(benchmark::State& state) {
  Prepared p(1000, 1000.0);
  for (auto _ : state) {
    p.turn.ClearOut();
    benchmark::DoNotOptimize(p.turn.RoughLongitudinal(0, 0, 0, 0, 0.1, 0.3, 0.5));
  }
  state.counters["moves"] = static_cast<double>(p.turn.OutElements.Count());
}
BENCHMARK(BM_RoughCutShort)->Unit(benchmark::kMillisecond);

void BM_WriteProgram(benchmark::State& state) {
  Prepared p(1000);
  // Roughing with a fine step fills the output list with lines and arcs.
  if (!p.ok || !p.turn.RoughLongitudinal(0, 0, 0, 0, 0.25, 0.3, 0.5))
    state.SkipWithError("roughing failed");
  std::vector<std::string> text;
  for (auto _ : state) {
    p.turn.WriteProgram(text);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations() * p.turn.OutElements.Count());
  state.counters["moves"] = static_cast<double>(p.turn.OutElements.Count());
}
BENCHMARK(BM_WriteProgram)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
