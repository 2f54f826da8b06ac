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
  return TurnT{.Kind = 2,
               .V1 = cx,
               .V2 = cy,
               .V3 = sag > 0 ? -r : r,  // bulging left of travel turns clockwise
               .V4 = std::atan2(py - cy, px - cx),
               .V5 = std::atan2(qy - cy, qx - cx)};
}

TurnT Line(double x1, double y1, double x2, double y2) {
  return TurnT{.Kind = 1, .V1 = x1, .V2 = y1, .V3 = x2, .V4 = y2};
}

// Depth below the chord of the bottom at x: a triangle wave between 9.2 and 10.4.
double BottomDepth(double x) {
  const double period = 4.0;
  const double u = std::fmod(-x, period) / period;  // 0..1
  return 9.8 + 1.2 * (u < 0.5 ? u : 1.0 - u) * 2.0 - 0.6;
}

// The groove prepared in the input list, and its ends.
struct LongGroove {
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  TFormaEditorTurn turn{daten, geom};
  double sx = 0, sy = 0, ex = 0, ey = 0;

  LongGroove() {
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
    turn.ContourEnds(sx, sy, ex, ey);
  }
  bool Pass(double depth, double k, double typ, double rough) {
    return turn.GroovePass(sx, sy, ex, ey, depth, 0.1, k, typ, rough, 0.1);
  }
};

void BM_GrooveRoughingSeries(benchmark::State& state) {
  LongGroove g;
  int calls = 0;
  for (auto _ : state) {
    g.turn.ClearOut();
    g.turn.GrooveState = {};
    calls = 0;
    for (int i = 1; i <= 100; ++i) {
      ++calls;
      if (!g.Pass(0.1 * i, 5, 0, 1)) break;
    }
    benchmark::DoNotOptimize(g.turn.OutElements.Count());
  }
  state.counters["calls"] = calls;
  state.counters["moves"] = static_cast<double>(g.turn.OutElements.Count());
}
BENCHMARK(BM_GrooveRoughingSeries)->Unit(benchmark::kMillisecond);

void BM_GrooveFinishing(benchmark::State& state) {
  LongGroove g;
  for (auto _ : state) {
    g.turn.ClearOut();
    g.turn.GrooveState = {};
    if (!g.Pass(0.1, 5, 2, 0)) state.SkipWithError("finishing failed");
    benchmark::DoNotOptimize(g.turn.OutElements.Count());
  }
  state.counters["moves"] = static_cast<double>(g.turn.OutElements.Count());
}
BENCHMARK(BM_GrooveFinishing)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
