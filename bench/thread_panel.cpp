// The thread panel's timer event up to the drawn frame, with a program of 10,000 elements
// ahead of the thread block: the memo rebuilt, the whole text interpreted once, the block
// found, and the repaint into a 1920 x 1080 picture.
#include "bench/qt_bench_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"

namespace {

// A zigzag shaft of 10,000 lines between radii 10 and 12.
QString LongShaft() {
  std::string text = "G1 X0 Y0\nX0 Y10\n";
  for (int k = 1; k < 9999; ++k)
    text += "X" + std::to_string(-k) + (k % 2 ? " Y12\n" : " Y10\n");
  return QString::fromStdString(text);
}

void BM_ThreadTimerToFrame(benchmark::State& state) {
  QTemporaryDir dir;
  movra::TFormaDatenFolders folders;
  movra::platform::WindowList windows;
  movra::TFormaDaten daten;
  movra::TFormaGeom geom{daten, ""};
  // No executable in the folder: the settings are never written.
  folders.SetExeFolder(QDir::cleanPath(dir.path()) + "/", dir.path() + "/Movra_Rudizi");
  auto settings = std::make_unique<movra::TFormaSettings>(folders, daten, windows);
  movra::TFormaEditor e(windows, geom);
  e.FormaSettings = settings.get();
  e.Activated = 1;
  e.setMinimumSize(0, 0);
  e.resize(1920, 1080);
  e.show();
  e.Memo->setPlainText(LongShaft());
  e.SelectThreadClick();
  e.ShowWaitingPanel();
  e.EditThreadValue->setText(QStringLiteral("v1=0 w1=30 v2=-30 w2=30"));
  for (auto _ : state) {
    e.TimerThreadTimer();
    if (state.range(0) != 0) e.PaintView();
    benchmark::DoNotOptimize(e.BackBuffer.constBits());
  }
  state.counters["elements"] = geom.ElementCount();
}

// Argument: 1 = with the repaint, 0 = the timer event alone.
BENCHMARK(BM_ThreadTimerToFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

MOVRA_QT_BENCHMARK_MAIN()
