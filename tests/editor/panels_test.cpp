// The turning and pocket panels in the editor window: opening, the timers and their bursts,
// resets that are no parameter events, runs that pump, cancelling, saving and dragging.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <memory>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/application.h"
#include "platform/qt/one_shot_timer.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"
#include "shell/base/language_targets.h"
#include "tests/geometry/interpreter_support.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

// A stepped shaft: face at x 0, radii 10, 15, 20 back to x -60.
const char* const kShaft = "G1 X0 Y0\nX0 Y10\nX-20\nY15\nX-40\nY20\nX-60";
// A rectangle 80 x 50 with a round island of radius 10.
const char* const kPocket =
    "%1\nG1 X0 Y0\nX80\nY50\nX0\nY0\n%2\nG1 X50 Y25\nG2 X30 Y25 R10\nG2 X50 Y25 R10";

// Counts the broadcasts a window receives.
struct Listener : platform::NotifyReceiver {
  std::vector<int> codes;
  void FormaNotify(int Code) override { codes.push_back(Code); }
};

class Panels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ready());
    folders_.SetExeFolder(folder_.Folder(), folder_.Exe());
    settings_ = std::make_unique<TFormaSettings>(folders_, daten_, windows_);
    editor_.FormaSettings = settings_.get();
    editor_.FormaEditorTurn = &turn_;
    editor_.FormaEditorInsel = &insel_;
    windows_.Register(&listener_);
    editor_.Dialogs.AskYesNo = [](const QString&) { return true; };
    editor_.Dialogs.SaveFileName = [this](const QString&) { return saveName_; };
    editor_.Dialogs.ShowMessage = [](const QString&) {};
    editor_.resize(900, 600);
    editor_.show();
  }
  void TearDown() override {
    platform::SetMessagePump({});
    platform::SetApplicationTag(0);
    windows_.Unregister(&listener_);
  }
  // The memo's text, interpreted as the editor does at every change.
  void Memo(const char* text) {
    editor_.Memo->setPlainText(QString::fromLatin1(text));
    std::string error;
    geom_.FromEditor = 1;
    geom_.InterpretProgram(transcript::SplitLines(text), error);
  }
  // The selection menu's item, then the mouse move that shows the panel.
  void Open(void (TFormaEditor::*select)()) {
    (editor_.*select)();
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 300), QPointF(300, 300), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&editor_, &move);
  }
  // Lets the panel's timer fire and run.
  static bool WaitFor(platform::OneShotTimer* timer) {
    return testing::RunEventLoopUntil([timer] { return !timer->Enabled(); });
  }
  std::string Caption() const { return editor_.GroupBoxInsel->title().toStdString(); }

  testing::StandInExeFolder folder_;
  TFormaDatenFolders folders_;
  platform::WindowList windows_;
  TFormaDaten daten_{&windows_};
  std::unique_ptr<TFormaSettings> settings_;
  TFormaGeom geom_{daten_, ""};
  TFormaEditorTurn turn_{daten_, geom_};
  TFormaEditorInsel insel_{daten_, geom_};
  TFormaEditor editor_{windows_, geom_};
  Listener listener_;
  QString saveName_;  // the answer of the save dialog; empty = cancelled
  QTemporaryDir files_;
};

TEST_F(Panels, TurningPanelOpensOnTheNextMouseMoveAndRuns) {
  Memo(kShaft);
  editor_.SelectTurnClick();
  EXPECT_FALSE(editor_.GroupBoxTurn->isVisible());
  EXPECT_TRUE(editor_.PanelSave->isHidden());
  Open(&TFormaEditor::SelectTurnClick);
  ASSERT_TRUE(editor_.GroupBoxTurn->isVisible());
  EXPECT_EQ(editor_.ListBoxTurn->currentRow(), 0);
  ASSERT_TRUE(editor_.TimerTurn->Enabled());
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  EXPECT_TRUE(editor_.ButtonTurnSave->isEnabled());
  EXPECT_FALSE(turn_.OutElements.Empty());
  // Mode 0 uses neither step, retract nor start offset.
  EXPECT_FALSE(editor_.ComboBoxTurnI->isEnabled());
  EXPECT_FALSE(editor_.ComboBoxTurnL->isEnabled());
  EXPECT_FALSE(editor_.ComboBoxTurnK->isEnabled());
}

TEST_F(Panels, ChoosingAModeResetsEveryTurningParameter) {
  Memo(kShaft);
  Open(&TFormaEditor::SelectTurnClick);
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  editor_.ComboBoxTurnF->setEditText(QStringLiteral("f0.20"));
  editor_.ComboBoxTurnTyp->setCurrentIndex(0);
  editor_.ComboBoxTurnI->setCurrentIndex(0);
  EXPECT_FALSE(editor_.TimerTurn->Enabled()) << "a change by the program is no parameter event";
  editor_.ListBoxTurn->setCurrentRow(2);
  editor_.ListBoxTurnClick();
  EXPECT_EQ(editor_.ComboBoxTurnF->currentText(), "f0");
  EXPECT_EQ(editor_.ComboBoxTurnTyp->currentText(), "g42");
  EXPECT_EQ(editor_.ComboBoxTurnI->currentText(), "i2.0");
  EXPECT_EQ(editor_.ComboBoxTurnK->currentText(), "k0");
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  EXPECT_TRUE(editor_.ComboBoxTurnI->isEnabled());
  EXPECT_TRUE(editor_.ComboBoxTurnL->isEnabled());
  EXPECT_TRUE(editor_.ButtonTurnSave->isEnabled());
}

TEST_F(Panels, TurningRunWithoutContourKeepsSaveOff) {
  Memo("");
  Open(&TFormaEditor::SelectTurnClick);
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  EXPECT_FALSE(editor_.ButtonTurnSave->isEnabled());
  EXPECT_TRUE(turn_.OutElements.Empty());
}

TEST_F(Panels, TypedFieldsNeverBreakATurningRun) {
  Memo(kShaft);
  Open(&TFormaEditor::SelectTurnClick);
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  for (const char* typed : {"", "x", "=", "a1=1e300", "e3=1e300", "-", "l1=-1e308"}) {
    SCOPED_TRACE(typed);
    for (QComboBox* box : {editor_.ComboBoxTurnA1, editor_.ComboBoxTurnE3, editor_.ComboBoxTurnL1,
                           editor_.ComboBoxTurnF}) {
      editor_.ResetTurnPanel();
      box->setEditText(QString::fromLatin1(typed));
      editor_.TimerTurnTimer();
      EXPECT_EQ(editor_.ButtonTurnSave->isEnabled(), !turn_.OutElements.Empty());
    }
  }
}

TEST_F(Panels, TimerFiringInsideAnInterpreterRunComesBackAfterIt) {
  Memo(kShaft);
  Open(&TFormaEditor::SelectTurnClick);
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  turn_.ClearLists();
  geom_.Busy = 1;  // as at a pump point of a run
  editor_.TimerTurnTimer();
  EXPECT_TRUE(editor_.TimerTurn->Enabled());
  EXPECT_TRUE(turn_.OutElements.Empty()) << "nothing ran over the half-built store";
  editor_.TimerInsel->SetEnabled(false);
  editor_.TimerInselTimer();
  EXPECT_TRUE(editor_.TimerInsel->Enabled());
  geom_.Busy = 0;
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  EXPECT_FALSE(turn_.OutElements.Empty());
}

TEST_F(Panels, PocketPanelListsTheGeometriesAndCaptionsItsResult) {
  Memo(kPocket);
  Open(&TFormaEditor::SelectInselClick);
  ASSERT_TRUE(editor_.GroupBoxInsel->isVisible());
  ASSERT_EQ(editor_.CheckListBoxInsel->count(), 2);
  EXPECT_EQ(editor_.CheckListBoxInsel->item(0)->text(), "1 : 1");
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  const int count = insel_.Path.Count();
  ASSERT_GT(count, 0);
  EXPECT_EQ(Caption().substr(0, Caption().find(' ')), std::to_string(count));
  EXPECT_TRUE(editor_.ButtonInselSave->isEnabled());
  EXPECT_TRUE(editor_.ComboBoxSelect->isEnabled());
  EXPECT_EQ(editor_.ComboBoxSelect->itemText(0), "0");
  EXPECT_EQ(editor_.Panels.InselFit, 0);

  editor_.ComboBoxInsel_D->setEditText(QStringLiteral("d0"));
  editor_.ComboBoxInsel_DClick();
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  EXPECT_EQ(Caption(), "???");
  EXPECT_FALSE(editor_.ButtonInselSave->isEnabled());
  EXPECT_FALSE(editor_.ComboBoxSelect->isEnabled());
  EXPECT_EQ(editor_.ComboBoxSelect->count(), 0);
}

TEST_F(Panels, ThreeQuickChangesRunOnceAHundredMillisecondsAfterTheFirst) {
  Memo(kPocket);
  Open(&TFormaEditor::SelectInselClick);
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  int runs = 0;
  qint64 firedAt = -1;
  QElapsedTimer clock;
  QObject::connect(editor_.TimerInsel, &platform::OneShotTimer::Timeout, &editor_, [&] {
    ++runs;
    firedAt = clock.elapsed();
  });
  clock.start();
  for (const char* d : {"d4", "d5", "d6"}) {
    editor_.ComboBoxInsel_D->setEditText(QString::fromLatin1(d));
    editor_.ComboBoxInsel_DClick();
    testing::RunEventLoop(20);
  }
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  testing::RunEventLoop(150);
  EXPECT_EQ(runs, 1);
  // 100 ms after the first change, give or take the 5 % a coarse timer may fire early.
  EXPECT_GE(firedAt, 94);
}

TEST_F(Panels, TypeButtonCyclesTheSelectedRowAndArmsTheTimer) {
  Memo(kPocket);
  Open(&TFormaEditor::SelectInselClick);
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  QListWidgetItem* row = editor_.CheckListBoxInsel->item(0);
  {
    QSignalBlocker quiet(editor_.CheckListBoxInsel);
    row->setText(QStringLiteral("7 : 2"));
  }
  editor_.CheckListBoxInsel->setCurrentRow(0);
  editor_.SpeedButtonInselTypClick();
  EXPECT_EQ(row->text(), "7 : 0");
  EXPECT_TRUE(editor_.TimerInsel->Enabled());
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  // Unticking is a parameter event.
  row->setCheckState(Qt::Unchecked);
  EXPECT_TRUE(editor_.TimerInsel->Enabled());
}

// A pump that does one thing at its N-th call, while the hatch runs.
struct PumpAt {
  int calls = 0;
  int at = 0;
  std::function<void()> act;
  void operator()() {
    if (++calls == at && act) act();
  }
};

TEST_F(Panels, EventsPumpedMidHatchStopItAndEndCleanly) {
  struct Case {
    const char* name;
    std::function<void(TFormaEditor&)> act;
    bool closes;
  };
  const Case cases[] = {
      {"field change", [](TFormaEditor& e) { e.ComboBoxInsel_DClick(); }, false},
      {"save", [](TFormaEditor& e) { e.ButtonInselSaveClick(); }, false},
      {"type button", [](TFormaEditor& e) { e.SpeedButtonInselTypClick(); }, false},
      {"double click", [](TFormaEditor& e) { e.GroupBoxTurnDblClick(); }, false},
      {"turning save", [](TFormaEditor& e) { e.ButtonTurnSaveClick(); }, false},
      {"cancel", [](TFormaEditor& e) { e.ButtonInselCloseClick(); }, true},
  };
  Memo(kPocket);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!editor_.isVisible()) editor_.show();
    Open(&TFormaEditor::SelectInselClick);
    ASSERT_TRUE(WaitFor(editor_.TimerInsel));
    ASSERT_TRUE(editor_.ButtonInselSave->isEnabled());
    PumpAt pump;
    pump.at = 30;  // past the interpretation of the memo, inside the hatch
    pump.act = [&] {
      EXPECT_EQ(platform::ApplicationTag(), 1) << "the hatch runs";
      EXPECT_FALSE(editor_.ButtonInselSave->isEnabled());
      c.act(editor_);
      EXPECT_FALSE(editor_.TimerInsel->Enabled()) << "no second calculation is armed";
    };
    platform::SetMessagePump([&pump] { pump(); });
    editor_.TimerInselTimer();
    platform::SetMessagePump({});
    ASSERT_GE(pump.calls, pump.at);
    EXPECT_EQ(platform::ApplicationTag(), 0);
    EXPECT_EQ(editor_.Panels.InselRunning, 0);
    EXPECT_TRUE(insel_.Path.Empty()) << "a stopped hatch keeps no path";
    EXPECT_FALSE(editor_.ButtonInselSave->isEnabled());
    EXPECT_EQ(editor_.isVisible(), !c.closes);
    if (!c.closes) {
      EXPECT_EQ(Caption(), "???");
    }
    EXPECT_EQ(std::count(listener_.codes.begin(), listener_.codes.end(), 10), 0)
        << "nothing was saved";
  }
}

TEST_F(Panels, CancelledSaveKeepsTheEditorOpenAndTheProgram) {
  Memo(kPocket);
  editor_.Memo->document()->setModified(false);
  Open(&TFormaEditor::SelectInselClick);
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  ASSERT_TRUE(editor_.ButtonInselSave->isEnabled());
  editor_.ButtonInselSaveClick();  // the save dialog is cancelled
  EXPECT_TRUE(editor_.isVisible());
  EXPECT_EQ(editor_.Memo->toPlainText(), kPocket);
  EXPECT_FALSE(editor_.Memo->document()->isModified());
  for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) EXPECT_TRUE(geom_.GeomTexts(n).empty());
  EXPECT_EQ(std::count(listener_.codes.begin(), listener_.codes.end(), 10), 0);
  EXPECT_TRUE(geom_.GeomExists(1.0)) << "the store holds the program again";
}

// Reads a written file back as its lines.
QStringList FileLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QString text = QString::fromUtf8(f.readAll());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
  return lines;
}

TEST_F(Panels, SavedPocketGoesToAFileUnderTheFirstTwoFreeNumbers) {
  Memo(kPocket);
  geom_.GeomTexts(1) = {"(taken)"};
  Open(&TFormaEditor::SelectInselClick);
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  ASSERT_TRUE(editor_.ButtonInselSave->isEnabled());
  saveName_ = files_.filePath(QStringLiteral("pocket.geo"));
  editor_.ButtonInselSaveClick();
  EXPECT_FALSE(editor_.isVisible()) << "a written file closes the editor";
  EXPECT_EQ(editor_.result(), QDialog::Accepted);
  EXPECT_FALSE(geom_.GeomTexts(2).empty());
  EXPECT_FALSE(geom_.GeomTexts(3).empty());
  EXPECT_TRUE(geom_.GeomTexts(4).empty());
  EXPECT_EQ(std::count(listener_.codes.begin(), listener_.codes.end(), 10), 1);
  const QStringList lines = FileLines(saveName_);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.front(), "%2");
  EXPECT_TRUE(lines.contains(QStringLiteral("%3")));
  EXPECT_TRUE(insel_.Path.Empty()) << "the generator is reset";
}

TEST_F(Panels, SavedTurningGoesToAFileOrStaysWhenCancelled) {
  Memo(kShaft);
  editor_.Memo->document()->setModified(false);
  Open(&TFormaEditor::SelectTurnClick);
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  ASSERT_TRUE(editor_.ButtonTurnSave->isEnabled());
  std::vector<std::string> expected;
  ASSERT_TRUE(turn_.WriteProgram(expected));

  editor_.ButtonTurnSaveClick();  // cancelled
  EXPECT_TRUE(editor_.isVisible());
  EXPECT_EQ(editor_.Memo->toPlainText(), kShaft);
  EXPECT_FALSE(editor_.Memo->document()->isModified());

  saveName_ = files_.filePath(QStringLiteral("shaft.geo"));
  editor_.ButtonTurnSaveClick();
  EXPECT_FALSE(editor_.isVisible());
  const QStringList lines = FileLines(saveName_);
  ASSERT_EQ(lines.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(lines[static_cast<qsizetype>(i)].toStdString(), expected[i]);
}

TEST_F(Panels, ClosingResetsThePanelsAndTheirWaitingMarks) {
  Memo(kShaft);
  Open(&TFormaEditor::SelectTurnClick);
  ASSERT_TRUE(WaitFor(editor_.TimerTurn));
  editor_.SelectInselClick();
  editor_.SelectThreadClick();
  platform::SetApplicationTag(1);
  editor_.close();
  EXPECT_EQ(editor_.Panels.InselWaiting, 0);
  EXPECT_EQ(editor_.Panels.ThreadWaiting, 0);
  EXPECT_FALSE(editor_.GroupBoxTurn->isVisible());
  EXPECT_EQ(platform::ApplicationTag(), 0);
  EXPECT_TRUE(turn_.OutElements.Empty());
  EXPECT_FALSE(editor_.TimerTurn->Enabled());
}

TEST_F(Panels, LanguageSwitchRenamesWithoutRunning) {
  Memo(kPocket);
  Open(&TFormaEditor::SelectInselClick);
  ASSERT_TRUE(WaitFor(editor_.TimerInsel));
  editor_.ListBoxTurn->setCurrentRow(3);
  ApplyLanguageTargets(LanguageTargets(), [](std::string_view id) {
    return QStringLiteral("T") + QString::fromLatin1(id.data(), static_cast<qsizetype>(id.size()));
  });
  EXPECT_EQ(editor_.ListBoxTurn->item(1)->text(), "1. T352624");
  EXPECT_EQ(editor_.ListBoxTurn->currentRow(), 3);
  EXPECT_EQ(editor_.ButtonInselSave->text(), "T795513");
  EXPECT_FALSE(editor_.TimerInsel->Enabled());
  EXPECT_FALSE(editor_.TimerTurn->Enabled());
}

TEST_F(Panels, BoxesAreDraggedByTheirAnchor) {
  QGroupBox* box = editor_.GroupBoxInsel;
  box->show();
  box->move(100, 100);
  editor_.GroupBoxTurnEnter();
  editor_.GroupBoxInselMouseMove(box, QPoint(5, 5), false);  // takes the anchor
  EXPECT_EQ(editor_.PanelDragX, 5);
  editor_.GroupBoxInselMouseDown(box, QPoint(10, 10));
  editor_.GroupBoxInselMouseMove(box, QPoint(30, 25), true);
  EXPECT_EQ(box->pos(), QPoint(120, 115));
  editor_.GroupBoxInselMouseMove(box, QPoint(40, 40), false);  // no button: no move
  EXPECT_EQ(box->pos(), QPoint(120, 115));
}

}  // namespace
}  // namespace movra
