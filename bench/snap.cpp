// The snap search on a mouse move over 10,000 elements (lines and arcs in a 1920 x 1080
// picture), with all candidates and with start, end and midpoint or centre only; the same
// drawing with a turning output and a pocket path of 2,000 items each beside it; and the
// worst order, where every element lies nearer to the mouse than all before it, so that
// each one is searched through and wins.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "editor/editor_view.h"
#include "editor/snap_search.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"

namespace {

using movra::TFormaGeom;
constexpr double kPi = std::numbers::pi;

// A field of 100 x 50 cells, each a line and a fillet arc: 10,000 elements.
void Fill(TFormaGeom& geom) {
  for (int row = 0; row < 50; ++row)
    for (int col = 0; col < 100; ++col) {
      const double x = col * 10.0, y = row * 10.0;
      if (!geom.NewElement() || !geom.NewElement()) return;
      TFormaGeom::GeomT& line = *geom.Elements(geom.ElementCount() - 1);
      line.Kind = 1;
      line.V1 = x, line.V2 = y, line.V3 = x + 6, line.V4 = y;
      line.Feed = 200;
      TFormaGeom::GeomT& arc = *geom.Elements(geom.ElementCount());
      arc.Kind = 2;
      arc.V1 = x + 6, arc.V2 = y + 3, arc.V3 = -3, arc.V4 = 3 * kPi / 2, arc.V5 = kPi / 2;
      arc.Feed = 200;
    }
}

struct Scene {
  movra::TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  movra::TFormaEditorTurn turn{daten, geom};
  movra::TFormaEditorInsel insel{daten, geom};
  movra::EditorView view;

  explicit Scene(bool Overlays) {
    Fill(geom);
    movra::FitViewToStore(view, geom, 0, 0, 1920, 1080);
    if (!Overlays) return;
    for (int i = 0; i < 2000; ++i) {
      const double y = -20.0 - i * 0.25;
      turn.OutElements.Add({200, 1, 0, y, 990, y, 0, 0});
      movra::TFormaEditorInsel::InselT item;
      item.Kind = i % 2 == 0 ? 1 : 2;
      item.V1 = 500, item.V2 = 250, item.V3 = 20 + i * 0.1, item.V4 = 0.1, item.V5 = 2.0;
      insel.Path.Add(item);
    }
  }
};

void Search(benchmark::State& state, bool All, bool Overlays) {
  Scene scene(Overlays);
  movra::SnapSources sources{scene.geom};
  sources.AllParameters = All;
  sources.PocketPath = &scene.insel.Path;
  sources.TurnOutput = &scene.turn.OutElements;
  std::int32_t step = 0;
  for (auto _ : state) {
    // The mouse walks across the picture, a new pixel every move.
    step = (step + 37) % (1920 * 1080);
    scene.view.MousePixel = {step % 1920, step / 1920};
    scene.view.ScreenToWorld(scene.view.MousePixel.X, scene.view.MousePixel.Y,
                             scene.view.MouseModelX, scene.view.MouseModelY);
    benchmark::DoNotOptimize(movra::FindSnapPoint(scene.view, sources));
    benchmark::DoNotOptimize(scene.view.CursorX);
  }
  state.SetItemsProcessed(state.iterations() * scene.geom.ElementCount());
}

void BM_SnapWorstOrder(benchmark::State& state) {
  movra::TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  // Lines and arcs in turn along a spiral that winds in towards the origin.
  for (int i = 0; i < 10000; ++i) {
    if (!geom.NewElement()) break;
    TFormaGeom::GeomT& e = *geom.CurElement();
    const double r = 10000.0 - i, a = i * 0.01;
    const double x = r * std::cos(a), y = r * std::sin(a);
    e.Feed = 200;
    e.Kind = i % 2 == 0 ? 1 : 2;
    if (e.Kind == 1)
      e.V1 = x, e.V2 = y, e.V3 = x * 1.0001, e.V4 = y * 1.0001;
    else
      e.V1 = x, e.V2 = y, e.V3 = 0.4, e.V4 = 0.0, e.V5 = 1.0;
  }
  movra::EditorView view;
  movra::FitViewToStore(view, geom, 0, 0, 1920, 1080);
  movra::SnapSources sources{geom};
  double sx = 0, sy = 0;
  view.WorldToScreen(0, 0, sx, sy);
  view.MousePixel = {static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy)};
  for (auto _ : state) {
    benchmark::DoNotOptimize(movra::FindSnapPoint(view, sources));
    benchmark::DoNotOptimize(view.CursorX);
  }
  state.SetItemsProcessed(state.iterations() * geom.ElementCount());
}

void BM_SnapAllCandidates(benchmark::State& state) { Search(state, true, false); }
void BM_SnapThreeCandidates(benchmark::State& state) { Search(state, false, false); }
void BM_SnapWithOverlays(benchmark::State& state) { Search(state, true, true); }

BENCHMARK(BM_SnapAllCandidates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapThreeCandidates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapWithOverlays)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapWorstOrder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
