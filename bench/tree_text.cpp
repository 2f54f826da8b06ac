// A large template file read into a tree: 20,000 lines of sections, headers, program lines
// and comments, read into nodes and, where the windows are built, filled into a tree view.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/core/text_file.h"
#include "platform/core/tree_text.h"

#ifdef MOVRA_BENCH_QT
#include <QApplication>
#include <QTreeWidget>

#include "platform/qt/tree_text.h"
#endif

namespace {

constexpr int kLines = 20000;
constexpr int kSectionLines = 601;  // a section line and 100 templates of six lines

// Sections of templates: a header, four program lines and a comment each.
std::string TemplateText() {
  std::string text;
  for (int line = 0; line < kLines; ++line) {
    const int inSection = line % kSectionLines;
    if (inSection == 0)
      text += "Section " + std::to_string(line) + "\r\n";
    else if ((inSection - 1) % 6 == 0)
      text += "\tTemplate " + std::to_string(line) + ":\r\n";
    else if ((inSection - 1) % 6 == 5)
      text += "\t\tcomment on the cut~\r\n";
    else
      text += "\t\tg1 x" + std::to_string(line) + " y-12.5 f200\r\n";
  }
  return text;
}

void BM_ReadTemplateFile(benchmark::State& state) {
  const std::string text = TemplateText();
  for (auto _ : state) {
    const movra::platform::TreeText tree =
        movra::platform::ReadTreeText(movra::platform::SplitLines(text));
    if (tree.Error || tree.Nodes.size() != kLines) state.SkipWithError("not read whole");
    benchmark::DoNotOptimize(tree.Nodes.data());
  }
}
BENCHMARK(BM_ReadTemplateFile)->Unit(benchmark::kMillisecond);

#ifdef MOVRA_BENCH_QT
// Reading and filling a view that already holds the same tree, as a second load does.
void BM_LoadTemplateTree(benchmark::State& state) {
  const std::string text = TemplateText();
  QTreeWidget view;
  view.resize(600, 800);
  view.show();
  for (auto _ : state) {
    const movra::platform::TreeText tree =
        movra::platform::ReadTreeText(movra::platform::SplitLines(text));
    movra::platform::FillTree(view, tree.Nodes);
    QApplication::processEvents();
  }
  if (view.topLevelItemCount() != (kLines + kSectionLines - 1) / kSectionLines)
    state.SkipWithError("wrong tree");
}
BENCHMARK(BM_LoadTemplateTree)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef MOVRA_BENCH_QT
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
