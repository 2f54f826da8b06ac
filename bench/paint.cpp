// The editor's whole repaint of 10,000 elements (lines and 61-point arcs, mixed pens) into a
// 1920 x 1080 picture: fitted, zoomed in (most of it outside), and with every element long;
// a step of a colour bar with the repaint in the new colour; the ISO view of 254 geometries.
#include "bench/qt_bench_main.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <memory>
#include <numbers>

#include "editor/colour_tool_iso.h"
#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "shell/base/folders.h"
#include "platform/qt/colors.h"
#include "shell/base/forma_settings.h"

namespace {

using movra::NoValue;
using movra::TFormaGeom;
constexpr double kPi = std::numbers::pi;

void Add(TFormaGeom& geom, double kind, double v1, double v2, double v3, double v4, double v5,
         std::uint8_t side, double feed) {
  if (!geom.NewElement()) return;
  TFormaGeom::GeomT* e = geom.CurElement();
  e->GeomNo = 1 + (geom.CurElementSlot() / 100) % 200;
  e->Kind = kind;
  e->V1 = v1, e->V2 = v2, e->V3 = v3, e->V4 = v4, e->V5 = v5;
  e->Side = side;
  e->Feed = feed;
}

// A field of 100 x 50 cells, each a line and a fillet arc, every ninth a rapid move, sides
// in turn: 10,000 elements. Long = every element crosses much of the picture.
void Fill(TFormaGeom& geom, bool Long) {
  geom.ClearElements();
  for (int row = 0; row < 50; ++row)
    for (int col = 0; col < 100; ++col) {
      const double x = col * 10.0, y = row * 10.0;
      const auto side = static_cast<std::uint8_t>((row + col) % 3);
      const double feed = (row * 100 + col) % 9 == 0 ? NoValue : 200.0;
      if (Long) {
        Add(geom, 1, x * 0.3, y, 1000 - x * 0.7, 500 - y, 0, side, feed);
        Add(geom, 2, 500, 250, 50 + x * 0.2, 0.1 * col, kPi + 0.1 * row, side, 200.0);
      } else {
        Add(geom, 1, x, y, x + 6, y, 0, side, feed);
        Add(geom, 2, x + 6, y + 3, -3, 3 * kPi / 2, kPi / 2, side, 200.0);
      }
    }
}

struct Scene {
  QTemporaryDir dir;
  movra::TFormaDatenFolders folders;
  movra::platform::WindowList windows;
  movra::TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  std::unique_ptr<movra::TFormaSettings> settings;
  std::unique_ptr<movra::TFormaEditor> editor;

  Scene() {
    // No executable in the folder: the settings are never written.
    folders.SetExeFolder(QDir::cleanPath(dir.path()) + "/", dir.path() + "/Movra_Rudizi");
    settings = std::make_unique<movra::TFormaSettings>(folders, daten, windows);
    editor = std::make_unique<movra::TFormaEditor>(windows, geom);
    editor->FormaSettings = settings.get();
    editor->Activated = 1;
    editor->setMinimumSize(0, 0);
  }
  void Show(bool Long, double Zoom) {
    Fill(geom, Long);
    editor->BackBuffer = QImage(1920, 1080, movra::TFormaEditor::BackBufferFormat);
    movra::FitViewToStore(*editor, geom, 0, 0, 1920, 1080);
    editor->ViewScale *= Zoom;
  }
};

void Repaint(benchmark::State& state, bool Long, double Zoom) {
  Scene scene;
  scene.Show(Long, Zoom);
  for (auto _ : state) {
    scene.editor->PaintView();
    benchmark::DoNotOptimize(scene.editor->BackBuffer.constBits());
  }
  state.SetItemsProcessed(state.iterations() * scene.geom.ElementCount());
}

void BM_PaintViewFitted(benchmark::State& state) { Repaint(state, false, 1.0); }
void BM_PaintViewZoomedIn(benchmark::State& state) { Repaint(state, false, 10.0); }
void BM_PaintViewLongElements(benchmark::State& state) { Repaint(state, true, 1.0); }

BENCHMARK(BM_PaintViewFitted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewZoomedIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintViewLongElements)->Unit(benchmark::kMillisecond);

// The user drags the green bar of the background one step: the slot, then the whole repaint,
// which must show the new colour (no pen or brush kept from the last picture).
void BM_ColourBarStepRepaint(benchmark::State& state) {
  Scene scene;
  scene.Show(false, 1.0);
  movra::TFormaEditor& e = *scene.editor;
  e.ComboBoxColor->setCurrentIndex(1);
  emit e.ComboBoxColor->activated(1);
  int green = 0;
  for (auto _ : state) {
    green = (green + 10) % 256;
    e.ScrollBarColorG->setSliderPosition(green);
    e.PaintView();
    if (e.BackBuffer.pixelColor(1, 1) != movra::platform::ToQColor(movra::platform::MakeColor(0, green, 0))) {
      state.SkipWithError("the repaint missed the new background");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * scene.geom.ElementCount());
}
BENCHMARK(BM_ColourBarStepRepaint)->Unit(benchmark::kMillisecond);

// Every geometry 1..254 with its share of 10,000 lines, written as subprograms into MemoIso.
void BM_IsoViewAllGeometries(benchmark::State& state) {
  Scene scene;
  TFormaGeom& geom = scene.geom;
  for (int i = 0; i < 10000; ++i) {
    if (!geom.NewElement()) break;
    TFormaGeom::GeomT* el = geom.CurElement();
    el->GeomNo = 1 + i * 254 / 10000;
    el->Kind = 1;
    el->V1 = i, el->V2 = 0, el->V3 = i + 1, el->V4 = (i % 7) * 0.5, el->V5 = 0;
    el->Feed = i % 40 == 0 ? NoValue : 100.0;
  }
  movra::TFormaEditor& e = *scene.editor;
  e.EditIndex->clear();
  if (state.range(0) == 0) {  // the text alone, without the memo
    for (auto _ : state)
      benchmark::DoNotOptimize(movra::BuildIsoView(geom, scene.daten, "", 18).Text.size());
    return;
  }
  for (auto _ : state) {
    e.SpeedButton_G17Click(18);
    benchmark::DoNotOptimize(e.MemoIso->document());
  }
  state.counters["lines"] = e.MemoIso->document()->blockCount();
}
BENCHMARK(BM_IsoViewAllGeometries)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

MOVRA_QT_BENCHMARK_MAIN()
