// GetWordValue on typical upper-cased program lines, one call per iteration.
#include <benchmark/benchmark.h>

#include <string>

#include "geometry/forma_daten.h"

namespace {

void ReadWord(benchmark::State& state, const std::string& line, const std::string& word) {
  movra::TFormaDaten daten;
  daten.Vars(3) = 7.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(daten.GetWordValue(line, word));
  }
}

void BM_PlainMove(benchmark::State& s) { ReadWord(s, "G1 X10.5 Y-20 F200", " X"); }
void BM_PlainMoveFeed(benchmark::State& s) { ReadWord(s, "G1 X10.5 Y-20 F200", " F"); }
void BM_Typical40(benchmark::State& s) {
  ReadWord(s, "N120 G1 X10.5 Y-20.25 Z-3 F200 S1200 M3", " Y");
}
void BM_Variable(benchmark::State& s) { ReadWord(s, "G1 X#3 Y-#3 F200 (POCKET EDGE)", " Y"); }
void BM_Operator(benchmark::State& s) { ReadWord(s, "G1 X 10.5 * 2 Y-20 F200 (HALF)", " X"); }
void BM_DecimalComma(benchmark::State& s) { ReadWord(s, "G1 X 10,5 Y 5,5 F200", " Y"); }
void BM_WordNearEnd(benchmark::State& s) {
  ReadWord(s,
           "N10 G1 X10.5 Y-20 Z-3 I5 J5 R2 A30 D12 (FLANGE OUTER CONTOUR SECOND PASS) RDM 2 "
           "CFM 0 F350",
           " F");
}
void BM_WordMissing(benchmark::State& s) { ReadWord(s, "N120 G1 X10.5 Y-20.25 Z-3 F200 S1200 M3", " RD"); }
void BM_ManyValues(benchmark::State& s) { ReadWord(s, "FA 10 20 30 40 50 60 70 80 90 100", " FA"); }

BENCHMARK(BM_PlainMove);
BENCHMARK(BM_PlainMoveFeed);
BENCHMARK(BM_Typical40);
BENCHMARK(BM_Variable);
BENCHMARK(BM_Operator);
BENCHMARK(BM_DecimalComma);
BENCHMARK(BM_WordNearEnd);
BENCHMARK(BM_WordMissing);
BENCHMARK(BM_ManyValues);

}  // namespace

BENCHMARK_MAIN();
