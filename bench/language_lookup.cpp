// One application of the language: about 120 lookups, each a linear scan of a table the size
// of the full one (477 entries, 2,383 lines), ids spread over the whole table.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

#include "shell/core/language_lookup.h"

namespace {

constexpr int kEntries = 477;
constexpr int kLookups = 120;

std::string IdOf(int entry) { return std::to_string(100000 + entry * 7); }

std::vector<std::string> MakeTable() {
  std::vector<std::string> lines;
  for (int e = 0; e < kEntries; ++e) {
    lines.push_back(IdOf(e));
    lines.push_back("Russian=Текст номер " + std::to_string(e));
    lines.push_back("German=Ge@andert " + std::to_string(e));
    lines.push_back("English=Text " + std::to_string(e));
    lines.push_back("");
  }
  return lines;
}

void BM_OneApplication(benchmark::State& state, const char* language) {
  const std::vector<std::string> lines = MakeTable();
  std::vector<std::string> ids;
  for (int i = 0; i < kLookups; ++i) ids.push_back(IdOf(i * kEntries / kLookups));
  for (auto _ : state) {
    std::size_t total = 0;
    for (const std::string& id : ids) total += movra::shell::LookupText(lines, language, id).size();
    benchmark::DoNotOptimize(total);
  }
  state.counters["lines"] = static_cast<double>(lines.size());
  state.counters["lookups"] = kLookups;
}
BENCHMARK_CAPTURE(BM_OneApplication, English, "English")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OneApplication, German, "German")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
