// The program-text writers on a large generated path: contour text of one geometry (as a
// pocket path is stored), the subprogram of one geometry, and the subprograms of every
// geometry of a full store one by one (as the ISO view asks for them).
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/forma_geom.h"
#include "geometry/text_writers.h"

namespace {

using movra::TFormaGeom;

// A zig-zag of lines and half-circle turns with a gap every 50 elements, spread over
// Numbers geometry numbers in runs of equal numbers.
void Fill(TFormaGeom& geom, int count, int numbers) {
  const int run = (count + numbers - 1) / numbers;
  double x = 0.0, y = 0.0;
  for (int k = 0; k < count; ++k) {
    geom.NewElement();
    TFormaGeom::GeomT& e = *geom.CurElement();
    e.GeomNo = 1 + k / run;
    e.Feed = k % 50 == 0 ? movra::NoValue : 250.0;
    e.Side = 1;
    if (k % 50 == 49) y += 3.0;  // a gap
    if (k % 2 == 0) {
      const double dx = (k / 2) % 2 == 0 ? 123.456789 : -123.456789;
      e.Kind = 1;
      e.V1 = x;
      e.V2 = y;
      e.V3 = x + dx;
      e.V4 = y;
      x += dx;
    } else {
      const bool left = (k / 2) % 2 == 0;
      e.Kind = 2;
      e.V1 = x;
      e.V2 = y + 0.75;
      e.V3 = left ? 0.75 : -0.75;
      e.V4 = -std::numbers::pi / 2;
      e.V5 = std::numbers::pi / 2;
      y += 1.5;
    }
  }
}

// One geometry of state.range(0) elements written again and again.
template <class Writer>
void WriteOneGeometry(benchmark::State& state, Writer Write) {
  movra::TFormaDaten daten;
  TFormaGeom geom(daten, "");
  const int count = static_cast<int>(state.range(0));
  Fill(geom, count, 1);
  std::vector<std::string> list;
  for (auto _ : state) {
    Write(geom, list);
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["ns/element"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * count,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_GeometryToText(benchmark::State& state) {
  WriteOneGeometry(state, [](const TFormaGeom& geom, std::vector<std::string>& list) {
    movra::GeometryToText(geom, 1, movra::TextModeCoordinates, "Pocket", "", list);
  });
}
BENCHMARK(BM_GeometryToText)
    ->Arg(10000)
    ->Arg(TFormaGeom::MaxElements)
    ->Unit(benchmark::kMillisecond);

void BM_GeometryToSubprogram(benchmark::State& state) {
  WriteOneGeometry(state, [](const TFormaGeom& geom, std::vector<std::string>& list) {
    movra::GeometryToSubprogram(geom, list, 1, 17);
  });
}
BENCHMARK(BM_GeometryToSubprogram)
    ->Arg(10000)
    ->Arg(TFormaGeom::MaxElements)
    ->Unit(benchmark::kMillisecond);

// A full store of 254 geometries written one number after the other: each call walks the
// whole store.
void BM_SubprogramPerNumber(benchmark::State& state) {
  movra::TFormaDaten daten;
  TFormaGeom geom(daten, "");
  Fill(geom, TFormaGeom::MaxElements, TFormaGeom::MaxGeomNumber);
  std::vector<std::string> list, all;
  for (auto _ : state) {
    all.clear();
    for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) {
      movra::GeometryToSubprogram(geom, list, n, 18);
      all.insert(all.end(), list.begin(), list.end());
    }
    benchmark::DoNotOptimize(all.data());
  }
}
BENCHMARK(BM_SubprogramPerNumber)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
