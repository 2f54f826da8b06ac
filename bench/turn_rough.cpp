// Roughing a long shaft profile level by level, and writing the moves as turning text.
#include <benchmark/benchmark.h>

#include <numbers>
#include <string>
#include <vector>

#include "machining/forma_editor_turn.h"

namespace {

using movra::NoValue;
using movra::TFormaDaten;
using movra::TFormaEditorTurn;
using movra::TFormaGeom;

void Add(TFormaGeom& geom, double kind, double v1, double v2, double v3, double v4, double v5) {
  if (!geom.NewElement()) return;
  TFormaGeom::GeomT* e = geom.CurElement();
  if (e == nullptr) return;
  e->GeomNo = 1;
  e->Kind = kind;
  e->V1 = v1;
  e->V2 = v2;
  e->V3 = v3;
  e->V4 = v4;
  e->V5 = v5;
}

// A shaft growing towards -x by `Rise` in radius over `Elements` elements, four per step:
// a diameter, a concave radius, a taper and a chamfer.
void Shaft(TFormaGeom& geom, int Elements, double Rise) {
  constexpr double Pi = std::numbers::pi;
  const int steps = Elements / 4;
  const double h = Rise / steps;  // radius gained per step
  double x = 0.0, y = 5.0;
  for (int k = 0; k < steps; ++k) {
    const double r = h / 4;
    Add(geom, 1, x, y, x - 2, y, 0);
    Add(geom, 2, x - 2, y + r, -r, 1.5 * Pi, Pi);
    Add(geom, 1, x - 2 - r, y + r, x - 2.2 - r, y + 3 * r, 0);
    Add(geom, 1, x - 2.2 - r, y + 3 * r, x - 2.4 - 2 * r, y + h, 0);
    x -= 2.4 + 2 * r;
    y += h;
  }
}

struct Prepared {
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  TFormaEditorTurn turn{daten, geom};
  bool ok = false;

  explicit Prepared(int Elements, double Rise = 100.0) {
    Shaft(geom, Elements, Rise);
    double sx = 0, sy = 0, ex = 0, ey = 0;
    ok = turn.BuildContour(sx, sy, 0, 0, 0, NoValue, NoValue, NoValue, NoValue, 0, ex, ey);
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
