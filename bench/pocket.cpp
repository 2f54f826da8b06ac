// Collecting and offsetting a pocket: a circle of radius 100 with six circular islands,
// one pass of a tool of radius 3. The contours keep their true arcs, so the work grows
// with the number of elements, not with a tolerance of approximation.
#include <benchmark/benchmark.h>

#include <cmath>
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

}  // namespace

BENCHMARK_MAIN();
