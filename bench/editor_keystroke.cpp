// One keystroke in the editor's memo holding a program of 10,000 elements: the whole text
// re-interpreted into the store, then the picture repainted (1920 x 1080, fitted).
#include "bench/qt_bench_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QPushButton>
#include <string>
#include <memory>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"

namespace {

// A staircase of lines with a quarter arc on every step: 10,003 elements.
QString Program() {
  QString text = QStringLiteral("(stairs)\nG1 X0 Y0\n");
  for (int i = 0; i < 2501; ++i) {
    const int x = (i % 100) * 10, y = (i / 100) * 10;
    text += QStringLiteral("G1 X%1 Y%2\nX%3\nG3 X%4 Y%5 I0 J2\nG1 X%6\n")
                .arg(x)
                .arg(y)
                .arg(x + 4)
                .arg(x + 4)
                .arg(y + 4)
                .arg(x + 8);
  }
  return text;
}

struct Scene {
  QTemporaryDir dir;
  movra::TFormaDatenFolders folders;
  movra::platform::WindowList windows;
  movra::TFormaDaten daten;
  movra::TFormaGeom geom{daten, ""};
  std::unique_ptr<movra::TFormaSettings> settings;
  std::unique_ptr<movra::TFormaEditor> editor;

  Scene() {
    folders.SetExeFolder(QDir::cleanPath(dir.path()) + "/", dir.path() + "/Movra_Rudizi");
    settings = std::make_unique<movra::TFormaSettings>(folders, daten, windows);
    editor = std::make_unique<movra::TFormaEditor>(windows, geom);
    editor->FormaSettings = settings.get();
    editor->Activated = 1;
    editor->setMinimumSize(0, 0);
    editor->Memo->setPlainText(Program());
    editor->BackBuffer = QImage(1920, 1080, movra::TFormaEditor::BackBufferFormat);
    movra::FitViewToStore(*editor, geom, 0, 0, 1920, 1080);
  }
};

void BM_KeystrokeInterpretAndPaint(benchmark::State& state) {
  Scene scene;
  QPlainTextEdit& memo = *scene.editor->Memo;
  QTextCursor cursor(memo.document());
  cursor.setPosition(7);  // inside the comment of the first line
  bool typed = false;
  for (auto _ : state) {
    // A character typed or taken back: each fires the memo's change and a whole run.
    if (typed)
      cursor.deletePreviousChar();
    else
      cursor.insertText(QStringLiteral("s"));
    typed = !typed;
    scene.editor->PaintView();
    benchmark::DoNotOptimize(scene.editor->BackBuffer.constBits());
  }
  if (scene.geom.ElementCount() < 10000) {
    static std::string why;
    why = scene.editor->SpeedButtonCaption->text().toStdString() + " " +
          std::to_string(scene.geom.ElementCount());
    state.SkipWithError(why.c_str());
  }
  state.counters["elements"] = scene.geom.ElementCount();
}
BENCHMARK(BM_KeystrokeInterpretAndPaint)->Unit(benchmark::kMillisecond);

// The parts of one keystroke, to tell where its time goes.
void BM_KeystrokeInterpretOnly(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) scene.editor->ActionAutoExecute();
  state.counters["elements"] = scene.geom.ElementCount();
}
BENCHMARK(BM_KeystrokeInterpretOnly)->Unit(benchmark::kMillisecond);

void BM_KeystrokeMemoLines(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) benchmark::DoNotOptimize(scene.editor->MemoLines());
}
BENCHMARK(BM_KeystrokeMemoLines)->Unit(benchmark::kMillisecond);

void BM_KeystrokePaintOnly(benchmark::State& state) {
  Scene scene;
  for (auto _ : state) {
    scene.editor->PaintView();
    benchmark::DoNotOptimize(scene.editor->BackBuffer.constBits());
  }
}
BENCHMARK(BM_KeystrokePaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace

MOVRA_QT_BENCHMARK_MAIN()
