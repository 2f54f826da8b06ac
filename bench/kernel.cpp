// The kernel solvers are called per element and per mouse move; FormatReal per written value.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <numbers>
#include <random>
#include <vector>

#include "geometry/forma_daten.h"

namespace {

using movra::TFormaDaten;

constexpr double pi = std::numbers::pi;

// A fixed ring of inputs, so that neither the compiler nor the branch predictor sees one case.
struct Inputs {
  std::vector<double> v;
  explicit Inputs(double lo, double hi, std::size_t n = 4096) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> d(lo, hi);
    v.resize(n);
    for (double& x : v) x = d(random);
  }
  double operator[](std::size_t i) const { return v[i & (v.size() - 1)]; }
};

const Inputs& Coordinates() {
  static const Inputs in(-200, 200);
  return in;
}
const Inputs& Angles() {
  static const Inputs in(0, 2 * pi);
  return in;
}
const Inputs& Radii() {
  static const Inputs in(0.5, 20);
  return in;
}

void BM_DirAngle(benchmark::State& state) {
  const Inputs& c = Coordinates();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TFormaDaten::DirAngle(c[i], c[i + 1], c[i + 2], c[i + 3]));
    i += 4;
  }
}
BENCHMARK(BM_DirAngle);

void BM_Dist(benchmark::State& state) {
  const Inputs& c = Coordinates();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TFormaDaten::Dist(c[i], c[i + 1], c[i + 2], c[i + 3]));
    i += 4;
  }
}
BENCHMARK(BM_Dist);

void BM_ArcSweep(benchmark::State& state) {
  const Inputs& a = Angles();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TFormaDaten::ArcSweep(a[i] - pi, a[i + 1], a[i + 2]));
    i += 3;
  }
}
BENCHMARK(BM_ArcSweep);

void BM_PointOnArc(benchmark::State& state) {
  const Inputs& a = Angles();
  std::size_t i = 0;
  for (auto _ : state) {
    const double p = a[i + 2];  // points on the circle, half of them on the arc
    benchmark::DoNotOptimize(
        TFormaDaten::PointOnArc(0, 0, 10, a[i], a[i + 1], 10 * std::cos(p), 10 * std::sin(p)));
    i += 3;
  }
}
BENCHMARK(BM_PointOnArc);

void BM_LineCircleIntersect(benchmark::State& state) {
  const Inputs& c = Coordinates();
  const Inputs& a = Angles();
  TFormaDaten daten;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        daten.LineCircleIntersect(c[i] / 20, c[i + 1] / 20, 0, a[i], 0, 0, 10, 0.5));
    i += 2;
  }
}
BENCHMARK(BM_LineCircleIntersect);

void BM_OffsetLinesIntersect(benchmark::State& state) {
  const Inputs& c = Coordinates();
  const Inputs& a = Angles();
  TFormaDaten daten;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        daten.OffsetLinesIntersect(c[i], c[i + 1], a[i], c[i + 2], c[i + 3], a[i + 1], 2));
    i += 4;
  }
}
BENCHMARK(BM_OffsetLinesIntersect);

void BM_TangentTwoCircles(benchmark::State& state) {
  const Inputs& c = Coordinates();
  const Inputs& r = Radii();
  TFormaDaten daten;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(daten.TangentTwoCircles(c[i], c[i + 1], r[i], c[i + 2], c[i + 3],
                                                     i & 4 ? r[i + 1] : -r[i + 1]));
    i += 4;
  }
}
BENCHMARK(BM_TangentTwoCircles);

void BM_ArcTangentTwoCircles(benchmark::State& state) {
  const Inputs& c = Coordinates();
  const Inputs& r = Radii();
  TFormaDaten daten;
  std::size_t i = 0;
  for (auto _ : state) {
    // Two circles about 30 apart and an arc large enough to reach both, as a fillet.
    const double x1 = c[i] / 10, y1 = c[i + 1] / 10;
    benchmark::DoNotOptimize(daten.ArcTangentTwoCircles(x1, y1, r[i], x1 + 30, y1 + c[i + 2] / 20,
                                                        r[i + 1], -40, i & 4 ? 1 : 2));
    i += 3;
  }
}
BENCHMARK(BM_ArcTangentTwoCircles);

void BM_RotateElement(benchmark::State& state) {
  const Inputs& c = Coordinates();
  const Inputs& a = Angles();
  TFormaDaten daten;
  std::size_t i = 0;
  for (auto _ : state) {
    double kind = 2, v1 = c[i], v2 = c[i + 1], v3 = 5, v4 = a[i], v5 = a[i + 1];
    daten.RotateElement(a[i + 2], 1, 2, kind, v1, v2, v3, v4, v5);
    benchmark::DoNotOptimize(v4);
    benchmark::DoNotOptimize(v5);
    i += 3;
  }
}
BENCHMARK(BM_RotateElement);

// The contour writer uses 6 decimals, turning text 4.
void BM_FormatReal(benchmark::State& state) {
  const Inputs& c = Coordinates();
  const int decimals = static_cast<int>(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TFormaDaten::FormatReal(c[i], decimals));
    ++i;
  }
}
BENCHMARK(BM_FormatReal)->Arg(4)->Arg(6);

// Whole numbers lose all their decimals again.
void BM_FormatRealWhole(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TFormaDaten::FormatReal(static_cast<double>(i % 1000), 6));
    ++i;
  }
}
BENCHMARK(BM_FormatRealWhole);

}  // namespace

BENCHMARK_MAIN();
