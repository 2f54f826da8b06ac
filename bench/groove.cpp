// The groove cycle on a long profile: two straight flanks and a wavy bottom of 998 shallow
// arcs, about 200 mm of contour. The roughing series runs the panel's 100 depths of 0.1 mm;
// the deepest ones end in the waves, so the search for entry and exit must cross them.
#include <benchmark/benchmark.h>

#include <cmath>

#include "machining/forma_editor_turn.h"

namespace {

using movra::TFormaDaten;
using movra::TFormaEditorTurn;
using movra::TFormaGeom;
using TurnT = TFormaEditorTurn::TurnT;

constexpr double ChordY = 60.0;

// A shallow arc from P to Q whose middle lies Sag to the left of the way from P to Q.
TurnT Arc(double px, double py, double qx, double qy, double sag) {
  const double c = std::hypot(qx - px, qy - py);
  const double tx = (qx - px) / c, ty = (qy - py) / c;
  const double nx = -ty, ny = tx;  // left of travel
  const double h = std::fabs(sag);
  const double r = (c * c / 4.0 + h * h) / (2.0 * h);
  const double side = sag > 0 ? -1.0 : 1.0;  // the centre lies opposite the bulge
  const double cx = (px + qx) / 2.0 + side * (r - h) * nx;
  const double cy = (py + qy) / 2.0 + side * (r - h) * ny;
  TurnT a;
  a.Kind = 2;
  a.V1 = cx;
  a.V2 = cy;
  a.V3 = sag > 0 ? -r : r;  // bulging left of travel turns clockwise
  a.V4 = std::atan2(py - cy, px - cx);
  a.V5 = std::atan2(qy - cy, qx - cx);
  return a;
}

TurnT Line(double x1, double y1, double x2, double y2) {
  TurnT l;
  l.Kind = 1;
  l.V1 = x1;
  l.V2 = y1;
  l.V3 = x2;
  l.V4 = y2;
  return l;
}

// Depth below the chord of the bottom at x: a triangle wave between 9.2 and 10.4.
double BottomDepth(double x) {
  const double period = 4.0;
  const double u = std::fmod(-x, period) / period;  // 0..1
  return 9.8 + 1.2 * (u < 0.5 ? u : 1.0 - u) * 2.0 - 0.6;
}

void LongGroove(TFormaEditorTurn& turn) {
  turn.ClearLists();
  const int bottom = 998;
  const double dx = 0.16;
  double x = 0.0, y = ChordY - BottomDepth(0.0);
  turn.InElements.Add(Line(0.0, ChordY, x, y));
  for (int i = 1; i <= bottom; ++i) {
    const double nx = -dx * i, ny = ChordY - BottomDepth(nx);
    turn.InElements.Add(Arc(x, y, nx, ny, i % 2 == 0 ? 0.01 : -0.01));
    x = nx;
    y = ny;
  }
  turn.InElements.Add(Line(x, y, x, ChordY));
}

void BM_GrooveRoughingSeries(benchmark::State& state) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  TFormaEditorTurn turn(daten, geom);
  LongGroove(turn);
  double sx, sy, ex, ey;
  turn.ContourEnds(sx, sy, ex, ey);
  int calls = 0;
  for (auto _ : state) {
    turn.ClearOut();
    turn.GrooveState = {};
    calls = 0;
    for (int i = 1; i <= 100; ++i) {
      ++calls;
      if (!turn.GroovePass(sx, sy, ex, ey, 0.1 * i, 0.1, 5, 0, 1, 0.1)) break;
    }
    benchmark::DoNotOptimize(turn.OutElements.Count());
  }
  state.counters["calls"] = calls;
  state.counters["moves"] = static_cast<double>(turn.OutElements.Count());
}
BENCHMARK(BM_GrooveRoughingSeries)->Unit(benchmark::kMillisecond);

void BM_GrooveFinishing(benchmark::State& state) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  TFormaEditorTurn turn(daten, geom);
  LongGroove(turn);
  double sx, sy, ex, ey;
  turn.ContourEnds(sx, sy, ex, ey);
  for (auto _ : state) {
    turn.ClearOut();
    turn.GrooveState = {};
    if (!turn.GroovePass(sx, sy, ex, ey, 0.1, 0.1, 5, 2, 0, 0.1))
      state.SkipWithError("finishing failed");
    benchmark::DoNotOptimize(turn.OutElements.Count());
  }
  state.counters["moves"] = static_cast<double>(turn.OutElements.Count());
}
BENCHMARK(BM_GrooveFinishing)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
