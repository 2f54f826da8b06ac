// The editor's whole repaint of 10,000 elements (lines and 61-point arcs, mixed pens) into a
// 1920 x 1080 picture: fitted, zoomed in (most of it outside), and with every element long.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <memory>
#include <numbers>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "shell/base/folders.h"
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

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
