// The element store: a run's worth of appends and the clear that starts the next run.
#include <benchmark/benchmark.h>

#include "geometry/forma_geom.h"

namespace {

using movra::TFormaGeom;

void Fill(TFormaGeom& geom, int count) {
  for (int k = 0; k < count; ++k) {
    geom.NewElement();
    TFormaGeom::GeomT& e = *geom.CurElement();
    e.GeomNo = 1 + k % 254;
    e.Kind = 1;
    e.V3 = k;
  }
}

// A store that was used before: the usual case, every run refills it.
void BM_AppendAndClearFull(benchmark::State& state) {
  movra::TFormaDaten daten;
  TFormaGeom geom(daten, "");
  for (auto _ : state) {
    Fill(geom, TFormaGeom::MaxElements);
    benchmark::DoNotOptimize(geom.ElementCount());
    geom.ClearElements();
  }
  state.counters["ns/element"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * TFormaGeom::MaxElements,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A store new to the window: growth included.
void BM_AppendAndClearFresh(benchmark::State& state) {
  movra::TFormaDaten daten;
  for (auto _ : state) {
    TFormaGeom geom(daten, "");
    Fill(geom, TFormaGeom::MaxElements);
    benchmark::DoNotOptimize(geom.ElementCount());
    geom.ClearElements();
  }
}

void BM_DeleteAndCompact(benchmark::State& state) {
  movra::TFormaDaten daten;
  TFormaGeom geom(daten, "");
  for (auto _ : state) {
    state.PauseTiming();
    geom.ClearElements();
    Fill(geom, TFormaGeom::MaxElements);
    state.ResumeTiming();
    geom.DeleteGeomElements(7);
    geom.PurgeHighElements();
    geom.CompactElements();
  }
}

void BM_GeomExistsMissing(benchmark::State& state) {
  movra::TFormaDaten daten;
  TFormaGeom geom(daten, "");
  Fill(geom, TFormaGeom::MaxElements);
  for (auto _ : state) benchmark::DoNotOptimize(geom.GeomExists(300));
}

BENCHMARK(BM_AppendAndClearFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendAndClearFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteAndCompact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeomExistsMissing)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
