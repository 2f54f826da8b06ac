// Reading list files: a usual list of a few kilobytes, and 50 MB documents (a long text of
// Cyrillic escapes, a picture of hex digits, a binary group) that a user may open by mistake.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "platform/core/rich_text.h"

namespace {

constexpr std::size_t LargeBytes = std::size_t{50} << 20;

std::string Header() {
  return "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}"
         "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
}

// Entries "T<n> \'d4\'f0\'e5\'e7\'e0 <n> mm" until Bytes.
std::string ListDocument(std::size_t Bytes) {
  std::string text = Header();
  for (int i = 0; text.size() < Bytes; ++i)
    text += "T" + std::to_string(i) + " \\'d4\\'f0\\'e5\\'e7\\'e0 \\u1060? " +
            std::to_string(i % 100) + " mm\\par\r\n";
  return text + "}";
}

std::string PictureDocument() {
  std::string text = Header() + "a{\\pict\\pngblip ";
  while (text.size() < LargeBytes) text += "89504e470d0a1a0a0000000d49484452\r\n";
  return text + "}b}";
}

std::string BinaryDocument() {
  std::string text = Header() + "a{\\pict\\bin" + std::to_string(LargeBytes) + " ";
  text.append(LargeBytes, '\xFF');
  return text + "}b}";
}

void Read(benchmark::State& state, const std::string& text) {
  for (auto _ : state) benchmark::DoNotOptimize(movra::platform::RichTextLines(text, true));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

void BM_ReadUsualList(benchmark::State& state) { Read(state, ListDocument(4096)); }
BENCHMARK(BM_ReadUsualList);

void BM_ReadLargeList(benchmark::State& state) { Read(state, ListDocument(LargeBytes)); }
BENCHMARK(BM_ReadLargeList)->Unit(benchmark::kMillisecond);

void BM_ReadLargePicture(benchmark::State& state) { Read(state, PictureDocument()); }
BENCHMARK(BM_ReadLargePicture)->Unit(benchmark::kMillisecond);

void BM_ReadLargeBinaryGroup(benchmark::State& state) { Read(state, BinaryDocument()); }
BENCHMARK(BM_ReadLargeBinaryGroup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
