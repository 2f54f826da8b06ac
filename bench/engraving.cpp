// Engraving: a program of many FTEXT lines with the shipped font, and reading the font.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "platform/core/text_file.h"

namespace {

using movra::TFormaDaten;
using movra::TFormaGeom;

const std::filesystem::path FontFile =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / "folders" /
    "Default" / "Engraving.txt";

std::vector<std::string> FontLines() {
  std::vector<std::string> lines;
  movra::platform::ReadTextLines(FontFile, 1 << 20, false, lines);
  return lines;
}

// Lines of 50 characters each: Latin, German and Russian, straight, turned and round.
std::vector<std::string> EngravingProgram(int Lines) {
  const std::string texts[] = {
      "Flansch DN50 PN16 - Größe 4 (Stahl) Übermaß 0,2 mm",  // 50 characters
      "Привет, Деталь №7: ЩИТ-Ёж 12 шт. Объём 3,5 л ЭЮЯ?!",
      "QUICK BROWN FOX 0123456789 jumps over lazy dogs #%",
  };
  std::vector<std::string> lines;
  for (int k = 0; k < Lines; ++k) {
    const std::string& t = texts[k % 3];
    const std::string y = std::to_string(k * 12);
    if (k % 10 == 9) {
      lines.push_back("FTEXT X0 Y" + y + " R900 H8 A" + std::to_string(k) + " {" + t + "}");
    } else {
      lines.push_back("FTEXT X0 Y" + y + " H8 A" + std::to_string(k % 7) + " K1.2 {" + t + "}");
    }
  }
  return lines;
}

void BM_InterpretEngraving(benchmark::State& state) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FontText = FontLines();
  geom.FromEditor = 1;
  const std::vector<std::string> program = EngravingProgram(static_cast<int>(state.range(0)));
  std::string error;
  for (auto _ : state) {
    geom.InterpretProgram(program, error);
    benchmark::DoNotOptimize(geom.ElementCount());
  }
  if (!error.empty()) state.SkipWithError(error.c_str());
  state.counters["elements"] = geom.ElementCount();
}
// 100 lines; 250 lines make about 40,000 elements.
BENCHMARK(BM_InterpretEngraving)->Arg(100)->Arg(250)->Unit(benchmark::kMillisecond);

void BM_LoadEngravingFont(benchmark::State& state) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FontText = FontLines();
  for (auto _ : state) benchmark::DoNotOptimize(geom.LoadEngravingFont());
  state.counters["strokes"] = geom.GlyphLast + 1;
}
BENCHMARK(BM_LoadEngravingFont)->Unit(benchmark::kMicrosecond);

void BM_ReadAndLoadEngravingFont(benchmark::State& state) {
  // What the first FTEXT after start costs: the file read at creation, then the table.
  for (auto _ : state) {
    TFormaDaten daten;
    TFormaGeom geom(daten, FontFile.parent_path().parent_path().string() + "/");
    benchmark::DoNotOptimize(geom.LoadEngravingFont());
  }
}
BENCHMARK(BM_ReadAndLoadEngravingFont)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
