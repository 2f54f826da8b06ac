// The thread panel in the editor window: opening over a program, the block written after it
// at every run, the tables, the language, saving and cancelling.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <memory>

#include "editor/forma_editor.h"
#include "editor/thread_panel.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "platform/qt/one_shot_timer.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"
#include "shell/base/language_targets.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

// A stepped shaft: face at x 0, radii 10, 15, 20 back to x -60.
const QString kShaft = QStringLiteral("G1 X0 Y0\nX0 Y10\nX-20\nY15\nX-40\nY20\nX-60");
const QStringList kExampleBlock = {QStringLiteral("v50 w100 max"), QStringLiteral("v0 w20 max"),
                                   QStringLiteral("v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f2"),
                                   QStringLiteral("v50 w100 max")};

class ThreadPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ready());
    folders_.SetExeFolder(folder_.Folder(), folder_.Exe());
    settings_ = std::make_unique<TFormaSettings>(folders_, daten_, windows_);
    editor_.FormaSettings = settings_.get();
    editor_.Dialogs.AskYesNo = [](const QString&) { return true; };
    editor_.Dialogs.SaveFileName = [this](const QString&) { return saveName_; };
    editor_.Dialogs.ShowMessage = [](const QString&) {};
    editor_.resize(900, 600);
    editor_.show();
  }
  // The program, then the selection menu's item and the mouse move that shows the panel, and
  // its first run.
  void OpenOver(const QString& program) {
    // The start timer's re-interpretation resets the element bar; let it pass first.
    ASSERT_TRUE(testing::RunEventLoopUntil([this] { return !editor_.TimerStart->isActive(); }));
    editor_.Memo->setPlainText(program);
    editor_.SelectThreadClick();
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 300), QPointF(300, 300), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&editor_, &move);
    ASSERT_TRUE(editor_.GroupBoxThread->isVisible());
    ASSERT_TRUE(Run());
  }
  bool Run() {
    return testing::RunEventLoopUntil([this] { return !editor_.TimerThread->Enabled(); });
  }
  void Type(QLineEdit* field, const char* text) {
    field->setText(QString::fromLatin1(text));
    ASSERT_TRUE(editor_.TimerThread->Enabled()) << "the change arms the timer";
    ASSERT_TRUE(Run());
  }
  QStringList MemoLines() const { return editor_.Memo->toPlainText().split(QLatin1Char('\n')); }
  QStringList Expected(const QStringList& block) const {
    return kShaft.split(QLatin1Char('\n')) + QStringList{QStringLiteral("%254")} + block;
  }

  testing::StandInExeFolder folder_;
  TFormaDatenFolders folders_;
  platform::WindowList windows_;
  TFormaDaten daten_{&windows_};
  std::unique_ptr<TFormaSettings> settings_;
  TFormaGeom geom_{daten_, ""};
  TFormaEditor editor_{windows_, geom_};
  QString saveName_;  // the answer of the save dialog; empty = cancelled
  QTemporaryDir files_;
};

TEST_F(ThreadPanel, OpensWithItsDefaultsOverTheProgramAndWritesNothing) {
  OpenOver(kShaft);
  EXPECT_EQ(editor_.EditThreadValue->text(), "v1= w1= v2= w2=");
  EXPECT_EQ(editor_.EditThreadF->text(), "f2");
  EXPECT_EQ(editor_.EditThreadH->text(), "h1.23");
  EXPECT_EQ(editor_.ComboBoxThreadP->currentText(), "p6");
  EXPECT_EQ(editor_.ComboBoxThreadV->currentText(), "v50");
  EXPECT_EQ(editor_.ComboBoxThreadW->currentText(), "w50");
  EXPECT_EQ(MemoLines(), Expected({}));
  EXPECT_TRUE(editor_.GeneratedText.isEmpty());
  EXPECT_FALSE(editor_.ButtonThreadSave->isEnabled());
  EXPECT_TRUE(geom_.GeomExists(1.0)) << "the shaft stays drawn";
}

TEST_F(ThreadPanel, ExampleBlockFollowsTheProgramAndReplacesItsOwnAtEveryRun) {
  OpenOver(kShaft);
  Type(editor_.EditThreadValue, "v1=0 w1=20 v2=-30 w2=20");
  EXPECT_EQ(editor_.GeneratedText, kExampleBlock);
  EXPECT_EQ(MemoLines(), Expected(kExampleBlock));
  EXPECT_TRUE(geom_.GeomExists(1.0)) << "the shaft stays drawn";
  EXPECT_TRUE(geom_.GeomExists(254.0));
  EXPECT_TRUE(editor_.ButtonThreadSave->isEnabled());
  EXPECT_GT(editor_.ScrollBarIndex->minimum(), 0) << "the bar starts at the block";

  editor_.CheckBoxThreadNorm->click();
  ASSERT_TRUE(Run());
  QStringList swapped = kExampleBlock;
  swapped[1] = QStringLiteral("v-30 w20 max");
  swapped[2] = QStringLiteral("v0 w20 g233 h-1.23 p6 l1=0 l2=0 f2");
  EXPECT_EQ(MemoLines(), Expected(swapped)) << "one block, the program kept once";

  Type(editor_.EditThreadValue, "v1= w1= v2= w2=");
  EXPECT_EQ(MemoLines(), Expected({}));
  EXPECT_FALSE(editor_.ButtonThreadSave->isEnabled());
}

TEST_F(ThreadPanel, TheInterpreterJudgesTheCycleAndSaveGoesByTheBlocksMoves) {
  OpenOver(kShaft);
  Type(editor_.EditThreadValue, "v1=0 w1=20 v2=-30 w2=20");
  EXPECT_TRUE(editor_.SpeedButtonCaption->text().isEmpty())
      << editor_.SpeedButtonCaption->text().toStdString();
  // A depth the panel takes and the cycle refuses: the error is on the caption button, the
  // safe-point moves are drawn and the block may still be saved.
  Type(editor_.EditThreadH, "h20");
  EXPECT_EQ(editor_.GeneratedText.value(2), "v-30 w20 g233 h-20 p6 l1=0 l2=0 f2");
  EXPECT_FALSE(editor_.SpeedButtonCaption->text().isEmpty());
  EXPECT_TRUE(editor_.ButtonThreadSave->isEnabled());
}

TEST_F(ThreadPanel, AUsersOwnBlock254StaysInTheProgram) {
  const QString program = kShaft + QStringLiteral("\n%254\nG1 X5 Y5\nX10");
  OpenOver(program);
  Type(editor_.EditThreadValue, "v1=0 w1=20 v2=-30 w2=20");
  EXPECT_EQ(MemoLines(), program.split(QLatin1Char('\n')) + QStringList{QStringLiteral("%254")} +
                             kExampleBlock);
}

TEST_F(ThreadPanel, TableRowsFillPitchAndDepthByTheKindsIndex) {
  OpenOver(kShaft);
  Type(editor_.EditThreadValue, "v1=0 w1=20 v2=-30 w2=20");
  // The kind goes by the item, whatever the language calls it.
  ApplyLanguageTargets(LanguageTargets(), [](std::string_view id) {
    return QStringLiteral("T") + QString::fromLatin1(id.data(), static_cast<qsizetype>(id.size()));
  });
  EXPECT_EQ(editor_.ComboBoxThreadTyp->itemText(1), "T455941");
  editor_.ComboBoxThreadTyp->setCurrentIndex(ThreadInternal);
  EXPECT_TRUE(editor_.ComboBoxThreadTyp2->isVisibleTo(editor_.GroupBoxThread));
  EXPECT_FALSE(editor_.ComboBoxThreadTyp1->isVisibleTo(editor_.GroupBoxThread));
  QComboBox* table = editor_.ComboBoxThreadTyp2;
  table->setCurrentIndex(4);
  editor_.ComboBoxThreadTyp1Change(table);
  EXPECT_EQ(editor_.EditThreadF->text(), "f2");
  EXPECT_EQ(editor_.EditThreadH->text(), "h-1.08");
  ASSERT_TRUE(Run());
  EXPECT_EQ(editor_.GeneratedText.value(2), "v-30 w20 g233 h1.08 p6 l1=0 l2=0 f2");

  table->setCurrentIndex(table->count() - 1);  // the empty row
  editor_.ComboBoxThreadTyp1Change(table);
  EXPECT_EQ(editor_.EditThreadF->text(), "f2");
  EXPECT_EQ(editor_.EditThreadH->text(), "h-1.08");

  editor_.ComboBoxThreadTyp->setCurrentIndex(ThreadExternal);
  editor_.ComboBoxThreadTyp1->setCurrentIndex(7);
  editor_.ComboBoxThreadTyp1Change(editor_.ComboBoxThreadTyp1);
  EXPECT_EQ(editor_.EditThreadF->text(), "f3.5");
  EXPECT_EQ(editor_.EditThreadH->text(), "h2.15");
}

TEST_F(ThreadPanel, SaveWritesTheBlockAloneOrKeepsTheProgramWhenCancelled) {
  OpenOver(kShaft);
  editor_.Memo->document()->setModified(false);
  Type(editor_.EditThreadValue, "v1=0 w1=20 v2=-30 w2=20");
  ASSERT_TRUE(editor_.ButtonThreadSave->isEnabled());
  const QString shown = editor_.Memo->toPlainText();

  editor_.ButtonThreadSaveClick();  // the save dialog is cancelled
  EXPECT_TRUE(editor_.isVisible());
  EXPECT_EQ(editor_.Memo->toPlainText(), shown);

  saveName_ = files_.filePath(QStringLiteral("thread.geo"));
  editor_.ButtonThreadSaveClick();
  EXPECT_FALSE(editor_.isVisible()) << "a written file closes the editor";
  QFile file(saveName_);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(file.readAll());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  EXPECT_EQ(text.trimmed().split(QLatin1Char('\n')), kExampleBlock);
}

TEST_F(ThreadPanel, ClosingStopsTheTimerAndHidesThePanel) {
  OpenOver(kShaft);
  editor_.EditThreadValue->setText(QStringLiteral("v1=0 w1=20 v2=-30 w2=20"));
  ASSERT_TRUE(editor_.TimerThread->Enabled());
  editor_.ButtonThreadCloseClick();
  EXPECT_FALSE(editor_.TimerThread->Enabled());
  EXPECT_FALSE(editor_.GroupBoxThread->isVisible());
  EXPECT_TRUE(editor_.ProgramHead.isEmpty());
}

}  // namespace
}  // namespace movra
