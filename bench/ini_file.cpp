// Reading a settings file: the usual one of a few hundred bytes, and foreign files at the read
// cap made of many distinct sections or keys, which must not hold up the start.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/core/ini_file.h"

namespace {

std::string UsualSettings() {
  std::string text = "[Color]\n";
  for (int i = 0; i < 23; ++i) text += "Color_Key_" + std::to_string(i) + "=16711680\n";
  text += "[Path]\nProgram=/home/user/Movra_Rudizi/Program/\n";
  text += "[Language]\nLanguage_Name=German\n";
  return text;
}

// Lines made by Line(i) up to the read cap.
template <class LineOf>
std::string UpToTheCap(std::string text, LineOf Line) {
  for (int i = 0; text.size() < movra::platform::IniFile::MaxReadBytes; ++i) text += Line(i);
  text.resize(movra::platform::IniFile::MaxReadBytes);
  return text;
}

void Parse(benchmark::State& state, const std::string& text) {
  movra::platform::IniFile ini;
  for (auto _ : state) {
    ini.Parse(text);
    benchmark::DoNotOptimize(ini);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

void BM_ParseUsualSettings(benchmark::State& state) { Parse(state, UsualSettings()); }
BENCHMARK(BM_ParseUsualSettings);

void BM_ParseManyKeysAtTheCap(benchmark::State& state) {
  Parse(state, UpToTheCap("[Color]\n", [](int i) { return "K" + std::to_string(i) + "=1\n"; }));
}
BENCHMARK(BM_ParseManyKeysAtTheCap)->Unit(benchmark::kMillisecond);

void BM_ParseManySectionsAtTheCap(benchmark::State& state) {
  Parse(state, UpToTheCap("", [](int i) { return "[S" + std::to_string(i) + "]\n"; }));
}
BENCHMARK(BM_ParseManySectionsAtTheCap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
