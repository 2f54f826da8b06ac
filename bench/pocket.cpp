// Collecting, offsetting, hatching and linking a pocket: a circle of radius 100 with six
// circular islands, one pass of a tool of radius 3. The contours keep their true arcs, so the
// work grows with the number of elements, not with a tolerance of approximation.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"

namespace {

using movra::TFormaDaten;
using movra::TFormaEditorInsel;
using movra::TFormaGeom;

std::string Num(double v) { return TFormaDaten::FormatReal(v, 6); }

// Outer circle counter-clockwise in four quarters; islands of radius 15 on a circle of
// radius 55, clockwise in two halves.
std::vector<std::string> CircleWithSixIslands() {
  std::vector<std::string> lines = {"%1",
                                    "G0 X100 Y0",
                                    "G3 X0 Y100 I-100 J0",
                                    "G3 X-100 Y0 I0 J-100",
                                    "G3 X0 Y-100 I100 J0",
                                    "G3 X100 Y0 I0 J100"};
  for (int k = 0; k < 6; ++k) {
    const double a = k * std::numbers::pi / 3;
    const double cx = 55 * std::cos(a);
    const double cy = 55 * std::sin(a);
    lines.push_back("%" + std::to_string(k + 2));
    lines.push_back("G0 X" + Num(cx + 15) + " Y" + Num(cy));
    lines.push_back("G2 X" + Num(cx - 15) + " Y" + Num(cy) + " I-15 J0");
    lines.push_back("G2 X" + Num(cx + 15) + " Y" + Num(cy) + " I15 J0");
  }
  return lines;
}

struct Shape {
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  TFormaEditorInsel insel{daten, geom};

  Shape() {
    std::string error;
    geom.FromEditor = 1;
    geom.InterpretProgram(CircleWithSixIslands(), error);
  }
  void Prepare() {
    insel.Reset();
    for (int k = 1; k <= 7; ++k) insel.ContourTable(k) = {k, 1};
    insel.Params.R = 3;
    insel.Params.E = 0;
  }
};

void BM_PocketCollectAndOffset(benchmark::State& state) {
  Shape shape;
  for (auto _ : state) {
    shape.Prepare();
    const bool ok = shape.insel.CollectContours() && shape.insel.OffsetContours();
    if (!ok) state.SkipWithError("offsetting failed");
    benchmark::DoNotOptimize(shape.insel.Offsets.Count());
  }
  state.counters["offsets"] = shape.insel.Offsets.Count();
}
BENCHMARK(BM_PocketCollectAndOffset)->Unit(benchmark::kMicrosecond);

void BM_PocketStartPoint(benchmark::State& state) {
  Shape shape;
  shape.Prepare();
  if (!shape.insel.CollectContours() || !shape.insel.OffsetContours()) {
    state.SkipWithError("offsetting failed");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(shape.insel.FindStart());
}
BENCHMARK(BM_PocketStartPoint)->Unit(benchmark::kMicrosecond);

// Hatching and linking the circle with six islands as the pocket panel does: the hatch, the
// linking, the compaction and the chain count. Arguments: stepover K in tenths, hatch angle
// in degrees.
void BM_PocketHatchAndLink(benchmark::State& state) {
  Shape shape;
  const double K = static_cast<double>(state.range(0)) / 10.0;
  const double A = static_cast<double>(state.range(1)) * std::numbers::pi / 180.0;
  shape.Prepare();
  shape.insel.Params.K = K;
  shape.insel.Params.A = A;
  if (!shape.insel.CollectContours() || !shape.insel.OffsetContours() ||
      !shape.insel.FindStart()) {
    state.SkipWithError("offsetting failed");
    return;
  }
  std::int32_t lines = 0, count = 0, chains = 0;
  for (auto _ : state) {
    lines = shape.insel.Hatch();
    shape.insel.LinkPath();
    shape.insel.CompactPath();
    shape.insel.CountChains(count, chains);
    benchmark::DoNotOptimize(chains);
  }
  state.counters["lines"] = lines;
  state.counters["records"] = count;
  state.counters["chains"] = chains;
}
BENCHMARK(BM_PocketHatchAndLink)
    ->Args({8, 0})
    ->Args({8, 30})
    ->Args({1, 0})
    ->Args({1, 30})
    ->Unit(benchmark::kMillisecond);

// Collecting the seven contours of the pocket when the store holds many other elements, in
// geometries of 450 elements each: the collection walks the pocket's own geometries, not the
// whole store. Arguments: elements of other geometries; 1 = the store changed before each
// collection (as after every edit of the program text), so its index by number is rebuilt.
void BM_PocketCollectBesideOthers(benchmark::State& state) {
  Shape shape;
  for (std::int64_t k = 0; k < state.range(0); ++k) {
    if (!shape.geom.NewElement()) break;
    TFormaGeom::GeomT& e = *shape.geom.CurElement();
    e.GeomNo = 10 + static_cast<std::int32_t>(k / 450);
    e.Kind = 1;
    e.V1 = static_cast<double>(k);
    e.V3 = static_cast<double>(k) + 1;
  }
  const bool changed = state.range(1) != 0;
  for (auto _ : state) {
    if (changed) benchmark::DoNotOptimize(shape.geom.Elements(1));  // may rewrite it
    shape.Prepare();
    benchmark::DoNotOptimize(shape.insel.CollectContours());
  }
  state.counters["contours"] = shape.insel.Contours.Count();
}
BENCHMARK(BM_PocketCollectBesideOthers)
    ->Args({0, 0})
    ->Args({90000, 0})
    ->Args({90000, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
