// Preparing and finishing a long turning profile: every corner needs a join under the offset.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "machining/forma_editor_turn.h"

namespace {

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

// Steps of a shaft growing towards -x, four elements each: cylinder, concave fillet, a
// steep taper (a corner after the fillet) and a chamfer (corners on both sides).
void StepProfile(TFormaGeom& geom, int steps) {
  constexpr double Pi = std::numbers::pi;
  double x = 0.0, y = 5.0;
  for (int k = 0; k < steps; ++k) {
    Add(geom, 1, x, y, x - 4, y, 0);                        // cylinder
    Add(geom, 2, x - 4, y + 1, -1, 3 * Pi / 2, Pi);         // fillet, clockwise
    Add(geom, 1, x - 5, y + 1, x - 5.5, y + 3, 0);          // taper
    Add(geom, 1, x - 5.5, y + 3, x - 6.5, y + 4, 0);        // chamfer
    x -= 6.5;
    y += 4.0;
  }
}

void BM_BuildAndFinish(benchmark::State& state) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  StepProfile(geom, static_cast<int>(state.range(0)) / 4);
  TFormaEditorTurn turn(daten, geom);
  for (auto _ : state) {
    double sx = 0, sy = 0, ex = 0, ey = 0;
    turn.ClearLists();
    const bool built = turn.BuildContour(sx, sy, 0, 0, 0.8, 5, 0, 5, 3.14159 / 2, 2, ex, ey);
    const bool done = built && turn.FinishContour(2, 0.2);
    if (!done) state.SkipWithError("preparation failed");
    benchmark::DoNotOptimize(turn.OutElements.Count());
  }
  state.counters["moves"] = static_cast<double>(turn.OutElements.Count());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildAndFinish)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
