// The fit to extents over a full element store: 100,000 elements, lines and arcs (seven
// points each), every ninth a rapid move that does not count.
#include <benchmark/benchmark.h>

#include <numbers>

#include "editor/navigation.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace {

using movra::TFormaGeom;

void Fill(TFormaGeom& geom) {
  for (int i = 0; geom.NewElement(); ++i) {
    TFormaGeom::GeomT& e = *geom.CurElement();
    const double x = (i % 400) * 2.5, y = (i / 400) * 2.5;
    e.GeomNo = 1 + i % 200;
    e.Feed = i % 9 == 0 ? movra::NoValue : 200.0;
    if (i % 2 == 0) {
      e.Kind = 1;
      e.V1 = x, e.V2 = y, e.V3 = x + 2, e.V4 = y + 1;
    } else {
      e.Kind = 2;
      e.V1 = x, e.V2 = y, e.V3 = i % 4 == 1 ? 1.5 : -1.5;
      e.V4 = 0.1 * (i % 60), e.V5 = e.V4 + std::numbers::pi / 3;
    }
  }
}

void BM_FitToExtents(benchmark::State& state) {
  movra::TFormaDaten daten;
  TFormaGeom geom(daten, "");
  Fill(geom);
  movra::EditorView view;
  for (auto _ : state) {
    movra::FitViewToStore(view, geom, 0, 30, 1920, 1000);
    benchmark::DoNotOptimize(view.ViewScale);
  }
  state.counters["elements"] = geom.ElementCount();
}
BENCHMARK(BM_FitToExtents)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
