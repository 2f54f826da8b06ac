// A panel's timer event up to the drawn frame: the turning panel roughing a shaft of 200
// elements (mode 1), and the pocket panel on a circle of radius 100 with six islands (memo
// interpreted, contours collected and offset, hatched, linked, counted), each with and
// without the repaint into a 1920 x 1080 picture that follows it.
#include "bench/qt_bench_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"

namespace {

using movra::TFormaDaten;

std::string Num(double v) { return TFormaDaten::FormatReal(v, 6); }

// 200 lines: from the face down the axis, then 199 steps of alternating shoulders and
// cylinders, the radius growing from 10 to about 60.
QString Shaft() {
  QString text = QStringLiteral("G1 X0 Y0\nX0 Y10\n");
  double x = 0, y = 10;
  for (int k = 0; k < 198; ++k) {
    if (k % 2 == 0) {
      x -= 2.0;
    } else {
      y += 0.5;
    }
    text += QString::fromStdString("X" + Num(x) + " Y" + Num(y) + "\n");
  }
  return text;
}

// Outer circle counter-clockwise, six islands of radius 15 on a circle of radius 55.
QString CircleWithSixIslands() {
  std::string text =
      "%1\nG0 X100 Y0\nG3 X0 Y100 I-100 J0\nG3 X-100 Y0 I0 J-100\nG3 X0 Y-100 I100 J0\n"
      "G3 X100 Y0 I0 J100\n";
  for (int k = 0; k < 6; ++k) {
    const double a = k * std::numbers::pi / 3;
    const double cx = 55 * std::cos(a), cy = 55 * std::sin(a);
    text += "%" + std::to_string(k + 2) + "\n";
    text += "G0 X" + Num(cx + 15) + " Y" + Num(cy) + "\n";
    text += "G2 X" + Num(cx - 15) + " Y" + Num(cy) + " I-15 J0\n";
    text += "G2 X" + Num(cx + 15) + " Y" + Num(cy) + " I15 J0\n";
  }
  return QString::fromStdString(text);
}

struct Scene {
  QTemporaryDir dir;
  movra::TFormaDatenFolders folders;
  movra::platform::WindowList windows;
  movra::TFormaDaten daten;
  movra::TFormaGeom geom{daten, ""};
  movra::TFormaEditorTurn turn{daten, geom};
  movra::TFormaEditorInsel insel{daten, geom};
  std::unique_ptr<movra::TFormaSettings> settings;
  std::unique_ptr<movra::TFormaEditor> editor;

  explicit Scene(const QString& Program) {
    // No executable in the folder: the settings are never written.
    folders.SetExeFolder(QDir::cleanPath(dir.path()) + "/", dir.path() + "/Movra_Rudizi");
    settings = std::make_unique<movra::TFormaSettings>(folders, daten, windows);
    editor = std::make_unique<movra::TFormaEditor>(windows, geom);
    editor->FormaSettings = settings.get();
    editor->FormaEditorTurn = &turn;
    editor->FormaEditorInsel = &insel;
    editor->Activated = 1;
    editor->setMinimumSize(0, 0);
    editor->resize(1920, 1080);
    editor->show();
    editor->Memo->setPlainText(Program);
    std::string error;
    geom.FromEditor = 1;
    geom.InterpretProgram(editor->MemoLines(), error);
  }
};

void BM_TurnTimerToFrame(benchmark::State& state) {
  Scene scene(Shaft());
  movra::TFormaEditor& e = *scene.editor;
  e.SelectTurnClick();
  e.ShowWaitingPanel();
  e.ListBoxTurn->setCurrentRow(1);
  for (auto _ : state) {
    e.TimerTurnTimer();
    if (state.range(0) != 0) e.PaintView();
    benchmark::DoNotOptimize(e.BackBuffer.constBits());
  }
  state.counters["moves"] = scene.turn.OutElements.Count();
}

void BM_InselTimerToFrame(benchmark::State& state) {
  Scene scene(CircleWithSixIslands());
  movra::TFormaEditor& e = *scene.editor;
  e.SelectInselClick();
  e.ShowWaitingPanel();
  e.ComboBoxInsel_D->setEditText(QStringLiteral("d6"));
  for (auto _ : state) {
    e.TimerInselTimer();
    if (state.range(0) != 0) e.PaintView();
    benchmark::DoNotOptimize(e.BackBuffer.constBits());
  }
  state.counters["items"] = scene.insel.Path.Count();
}

// Argument: 1 = with the repaint, 0 = the timer event alone.
BENCHMARK(BM_TurnTimerToFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InselTimerToFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

MOVRA_QT_BENCHMARK_MAIN()
