// The program text of the main window with a 10,000-line program: opening it (read, load and
// colour), one typed key, the colouring pass each released key runs, and how long a key typed
// while that pass runs waits before it is in the text. Then the template browser with a
// 20,000-line template file: loading it into the tree, and each press of Expand. Runs on Qt's
// offscreen platform unless a display platform is chosen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <memory>
#include <optional>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "shell/base/folders.h"
#include "shell/base/forma_info.h"
#include "shell/base/forma_input.h"
#include "shell/base/forma_settings.h"
#include "shell/forma_rudizi.h"

namespace {

using namespace movra;

constexpr int kLines = 10000;

// The windows the main window needs, in a temporary folder beside a stand-in executable.
struct Windows {
  QTemporaryDir dir;
  TFormaDatenFolders folders;
  platform::WindowList list;
  TFormaDaten daten{&list};
  std::unique_ptr<TFormaSettings> settings;
  TFormaInfo info;
  TFormaInput input;
  std::unique_ptr<TFormaGeom> geom;
  std::unique_ptr<TFormaEditor> editor;
  std::unique_ptr<TForma_Rudizi> main;
  QString program;

  Windows() {
    const QString folder = dir.path() + "/";
    QFile(folder + "Movra_Rudizi").open(QIODevice::WriteOnly);
    folders.SetExeFolder(folder, folder + "Movra_Rudizi");
    settings = std::make_unique<TFormaSettings>(folders, daten, list);
    settings->SetApplicationTitle("?");
    settings->Timer.SetEnabled(false);
    settings->TimerColor.SetEnabled(false);
    geom = std::make_unique<TFormaGeom>(daten, folder.toStdString());
    editor = std::make_unique<TFormaEditor>(list, *geom);
    main = std::make_unique<TForma_Rudizi>(list, MainWindowLinks{*settings, folders, info, *editor, input});
    main->resize(1280, 900);
    main->show();
    QApplication::processEvents();

    program = folder + "Program.nc";
    QByteArray bytes;
    for (int i = 0; i < kLines; ++i)
      bytes += "G1 X" + QByteArray::number(i) + ".25 Y-" + QByteArray::number(i % 97) +
               " Z2 F150 (cut " + QByteArray::number(i) + ")\r\n";
    QFile file(program);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    main->OpenDialog_Program->Runner = [this](const platform::FileDialog&) {
      return std::optional<QString>(program);
    };
    main->Ask = [](const QString&) { return true; };
  }

  platform::RichEdit& Text() { return *main->RichEditProgram; }
  void Open() {
    main->POpenClick();
    QApplication::processEvents();
  }
  void PutCaretAtLine(int line) {
    QTextCursor caret(Text().document()->findBlockByNumber(line));
    caret.movePosition(QTextCursor::EndOfBlock);
    Text().setTextCursor(caret);
  }
};

// Built once, and gone before the application object.
std::unique_ptr<Windows> shared;
Windows& Shared() {
  if (!shared) shared = std::make_unique<Windows>();
  return *shared;
}

void BM_OpenAndColour(benchmark::State& state) {
  Windows& w = Shared();
  for (auto _ : state) w.Open();
  state.counters["lines"] = w.Text().document()->blockCount();
}
BENCHMARK(BM_OpenAndColour)->Unit(benchmark::kMillisecond)->UseRealTime();

// A letter typed in the middle of the program: inserted in its colour, laid out and painted.
void BM_TypedKey(benchmark::State& state) {
  Windows& w = Shared();
  w.Open();
  w.PutCaretAtLine(kLines / 2);
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(&w.Text(), &press);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_TypedKey)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The pass a released key runs over the whole coloured program; events are let through at
// every line end, so this is not the time a key waits (see the next benchmark).
void BM_ColouringPassAfterKeyUp(benchmark::State& state) {
  Windows& w = Shared();
  w.Open();
  for (auto _ : state) w.main->ColourizeText(w.Text());
}
BENCHMARK(BM_ColouringPassAfterKeyUp)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the start of a colouring pass to the moment a key typed meanwhile is in the text.
void BM_KeyWaitDuringColouring(benchmark::State& state) {
  Windows& w = Shared();
  w.Open();
  w.PutCaretAtLine(kLines / 2);
  QElapsedTimer clock;
  qint64 insertedAt = -1;
  QObject::connect(w.Text().document(), &QTextDocument::contentsChange,
                   [&](int, int removed, int added) {
                     if (added > removed && insertedAt < 0) insertedAt = clock.nsecsElapsed();
                   });
  for (auto _ : state) {
    insertedAt = -1;
    QApplication::postEvent(&w.Text(), new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier,
                                                     QStringLiteral("x")));
    clock.start();
    w.main->ColourizeText(w.Text());
    state.SetIterationTime(static_cast<double>(insertedAt) * 1e-9);
    QApplication::processEvents();  // the colouring that follows the stopped one
  }
}
BENCHMARK(BM_KeyWaitDuringColouring)->Unit(benchmark::kMicrosecond)->UseManualTime();

constexpr int kTemplateLines = 20000;

// Sections of templates, each a header, five program lines and a comment.
QString TemplateFile(const QString& Folder) {
  const QString file = Folder + "Templates.en";
  QByteArray bytes;
  for (int line = 0; line < kTemplateLines; ++line) {
    const int place = line % 701;  // a section line and 100 templates of seven lines
    if (place == 0)
      bytes += "Section " + QByteArray::number(line) + "\r\n";
    else if (place % 7 == 1)
      bytes += "\tTemplate " + QByteArray::number(line) + ":\r\n";
    else if (place % 7 == 0)
      bytes += "\t\tThe pass at depth 2~\r\n";
    else
      bytes += "\t\tG1 X" + QByteArray::number(line) + " Y-4.5 RD2 F120\r\n";
  }
  QFile out(file);
  out.open(QIODevice::WriteOnly);
  out.write(bytes);
  return file;
}

// Reading the file, building and styling the tree, and the view's first layout and paint.
void BM_LoadTemplateFile(benchmark::State& state) {
  Windows& w = Shared();
  const QString file = TemplateFile(w.dir.path() + "/");
  for (auto _ : state) {
    if (!w.main->LoadTemplateFile(file)) state.SkipWithError("not loaded");
    QApplication::processEvents();
  }
  state.counters["nodes"] = static_cast<double>(kTemplateLines);
}
BENCHMARK(BM_LoadTemplateFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// One press of Expand on that tree, shown: to depth 1, 2, 3, and (4) all collapsed again.
void BM_ExpandTemplates(benchmark::State& state) {
  Windows& w = Shared();
  w.main->LoadTemplateFile(TemplateFile(w.dir.path() + "/"));
  QApplication::processEvents();
  const int press = static_cast<int>(state.range(0));
  for (auto _ : state) {
    w.main->PExpandTag = press - 1;
    w.main->PExpandClick();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ExpandTemplates)->DenseRange(1, 4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  shared.reset();
  return 0;
}
