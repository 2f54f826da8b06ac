// The interpreter over large programs, as the editor runs it on every change of its memo.
// Programs stay below the store's 100000 elements, so the interpreter is measured, not the
// error path of a full store.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"

namespace {

using movra::TFormaDaten;
using movra::TFormaGeom;

constexpr int ProgramLines = 100000;

// A length in thousandths written with three decimals: 25.125.
std::string Coord(int thousandths) {
  std::string frac = std::to_string(1000 + thousandths % 1000);
  return std::to_string(thousandths / 1000) + "." + frac.substr(1);
}

// A zig-zag of plain moves: every line one line element.
std::vector<std::string> PlainMoves() {
  std::vector<std::string> lines;
  lines.reserve(ProgramLines);
  lines.push_back("G1 X0 Y0");
  for (int k = 1; k < ProgramLines; ++k)
    lines.push_back("G1 X" + Coord((k % 2) * 25125 + k % 97) + " Y" + Coord(k * 7 % 50000));
  return lines;
}

// A closed loop of fourteen lines repeated: comment, variables, feeds, arcs by centre and by
// radius, a rapid, a ";" tail, words written apart from their values, and the construction
// and corner words: roundings at a tangent and at a real corner, a chamfer, points by LL and
// CC and a fillet arc by B.
std::vector<std::string> MixedProgram() {
  const char* loop[] = {
      "(contour pass)",
      "#1=10 #2=#1 * 0.5",
      "G1 X#1 Y0 F200",
      "X#1 Y#2 RD 1",
      "G3 X0 Y5 I-5 J0",
      "G2 X-5 Y0 R5",
      "G1 X-5 Y-5 RD 0.5 ; down",
      "G1 X0 Y0 MAX",
      "X 2.5 Y 0 F 300",
      "G1 X0 Y0",
      "LL 0 0 90 0 8 0 CF 1",
      "CC 0 8 5 5 8 5",
      "X8 Y2 B-6",
      "G1 X0 Y0",
  };
  // The corners add elements of their own: 6000 passes stay below the store's limit.
  constexpr int Passes = 6000;
  std::vector<std::string> lines;
  lines.reserve(Passes * std::size(loop));
  for (int pass = 0; pass < Passes; ++pass)
    for (const char* l : loop) lines.emplace_back(l);
  return lines;
}

// Only comments and definitions: no element, so nothing may grow.
std::vector<std::string> NoElements() {
  std::vector<std::string> lines;
  lines.reserve(ProgramLines);
  for (int k = 0; lines.size() < ProgramLines; ++k) {
    lines.push_back("(note " + std::to_string(k) + ")");
    lines.push_back("#" + std::to_string(1 + k % 254) + "=" + std::to_string(k % 1000) + " * 2");
  }
  return lines;
}

long ResidentKiB() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * 4;
}

void RunProgram(benchmark::State& state, const std::vector<std::string>& lines) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FromEditor = 1;
  std::string error;
  geom.InterpretProgram(lines, error);  // the store and buffers take their size once
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  const long before = ResidentKiB();
  for (auto _ : state) {
    geom.InterpretProgram(lines, error);
    benchmark::DoNotOptimize(geom.ElementCount());
  }
  state.counters["lines/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(lines.size()),
      benchmark::Counter::kIsRate);
  state.counters["elements"] = geom.ElementCount();
  // Growth of the resident set over the repeated runs: the runs reuse what the first took.
  state.counters["growth KiB"] = static_cast<double>(ResidentKiB() - before);
}

void BM_PlainG1Moves(benchmark::State& state) { RunProgram(state, PlainMoves()); }
void BM_MixedProgram(benchmark::State& state) { RunProgram(state, MixedProgram()); }
void BM_CommentsAndVariables(benchmark::State& state) { RunProgram(state, NoElements()); }

BENCHMARK(BM_PlainG1Moves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixedProgram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommentsAndVariables)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
