// The editor's text and files: typing re-interprets, the verdict on the caption button, the
// questions before text is lost or a file replaced, *.geo files kept byte for byte.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "editor/forma_editor.h"
#include "editor/forma_syntax.h"
#include "editor/geo_file.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "platform/core/application.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

// Six good lines, then one without a value.
constexpr const char* kFaultySeventh = "G1 X0 Y0\nX10\nY10\nX0\nY0\nX20\nX";

// Types Text key by key; a line feed is the Return key.
void Type(QWidget* Target, const QString& Text) {
  const QStringList pieces = Text.split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    if (i > 0) QTest::keyClick(Target, Qt::Key_Return);
    QTest::keyClicks(Target, pieces[i]);
  }
}

class EditorText : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ready());
    folders_.SetExeFolder(folder_.Folder(), folder_.Exe());
    settings_ = std::make_unique<TFormaSettings>(folders_, daten_, windows_);
    editor_ = std::make_unique<TFormaEditor>(windows_, geom_);
    editor_->FormaSettings = settings_.get();
    editor_->setMinimumSize(0, 0);
    editor_->resize(400, 300);
    // Every question and file name comes from the test.
    editor_->Dialogs.AskYesNo = [this](const QString& Text) {
      questions_.append(Text);
      return answer_;
    };
    editor_->Dialogs.OpenFileName = [this](const QString&) { return openName_; };
    editor_->Dialogs.SaveFileName = [this](const QString&) { return saveName_; };
    editor_->Dialogs.ShowMessage = [this](const QString& Text) { messages_.append(Text); };
  }
  void TearDown() override { platform::SetMessagePump({}); }

  // The memo as if typed: changed and modified.
  void SetMemo(const QString& Text) {
    editor_->Memo->setPlainText(Text);
    editor_->Memo->document()->setModified(true);
  }
  QString Caption() const { return editor_->SpeedButtonCaption->text(); }
  bool Modified() const { return editor_->Memo->document()->isModified(); }
  QString Path(const char* Name) const { return dir_.filePath(QString::fromLatin1(Name)); }
  static QByteArray Bytes(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  static void Write(const QString& Path, const QByteArray& Bytes) {
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
  }

  testing::StandInExeFolder folder_;
  QTemporaryDir dir_;
  TFormaDatenFolders folders_;
  platform::WindowList windows_;
  TFormaDaten daten_;
  TFormaGeom geom_{daten_, ""};
  std::unique_ptr<TFormaSettings> settings_;
  std::unique_ptr<TFormaEditor> editor_;
  QStringList questions_;
  QStringList messages_;
  bool answer_ = false;
  QString openName_, saveName_;
};

TEST_F(EditorText, EveryKeystrokeReinterpretsTheWholeMemo) {
  editor_->Memo->setFocus();
  Type(editor_->Memo, "G1 X0 Y0\nX10");
  EXPECT_EQ(geom_.ElementCount(), 1);
  EXPECT_EQ(Caption(), "");
  EXPECT_EQ(editor_->ScrollBarIndex->maximum(), 1);
  Type(editor_->Memo, "\nY");
  EXPECT_EQ(Caption(), "N3 [ Y ] ?");
  Type(editor_->Memo, "5");
  EXPECT_EQ(Caption(), "");
  EXPECT_EQ(geom_.ElementCount(), 2);
  EXPECT_TRUE(Modified());
}

TEST_F(EditorText, FaultySeventhLineKeepsTheElementsBeforeIt) {
  SetMemo(QString::fromLatin1(kFaultySeventh));
  EXPECT_EQ(Caption(), "N7 [ X ] ?");
  EXPECT_EQ(geom_.ElementCount(), 5);
  const TFormaGeom::GeomT* last = geom_.Elements(5);
  ASSERT_NE(last, nullptr);
  EXPECT_DOUBLE_EQ(last->V3, 20.0);
  // And they are drawn: the top edge of the square shows in the picture.
  editor_->Activated = 1;
  editor_->FormResize();
  editor_->PaintView();
  const QImage& picture = editor_->BackBuffer;
  const QRgb background = picture.pixel(1, picture.height() - 2);
  double sx = 0, sy = 0;
  editor_->WorldToScreen(5.0, 10.0, sx, sy);
  // The pen may be dotted: some pixel along a stretch of the edge is drawn.
  int drawn = 0;
  for (int dx = -10; dx <= 10; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      drawn += picture.pixel(static_cast<int>(sx) + dx, static_cast<int>(sy) + dy) != background;
  EXPECT_GT(drawn, 5);
}

TEST_F(EditorText, ClickIntoTheMemoReinterprets) {
  SetMemo("G1 X0 Y0\nX10");
  geom_.ClearElements();
  QTest::mouseClick(editor_->Memo->viewport(), Qt::LeftButton);
  EXPECT_EQ(geom_.ElementCount(), 1);
}

TEST_F(EditorText, DisabledMemoRunsNothing) {
  editor_->Memo->setEnabled(false);
  SetMemo("G1 X0 Y0\nX10");
  EXPECT_EQ(geom_.ElementCount(), 0);
}

TEST_F(EditorText, AutoShowRefitsAfterEveryChange) {
  editor_->FormResize();
  editor_->AutoShow->setChecked(true);
  SetMemo("G1 X0 Y0\nX1000");
  EXPECT_DOUBLE_EQ(editor_->ViewCenterX, 500.0);
  editor_->AutoShow->setChecked(false);
  SetMemo("G1 X0 Y0\nX10");
  EXPECT_DOUBLE_EQ(editor_->ViewCenterX, 500.0);
}

// The interpreter lets window events in once per line; an edit arriving then must not touch
// the store under the run, and must be the text the store holds at the end.
TEST_F(EditorText, EditDuringARunRunsAgainAfterIt) {
  int pumps = 0;
  platform::SetMessagePump([&] {
    if (++pumps == 2) {
      EXPECT_EQ(geom_.Busy, 1);
      editor_->Memo->appendPlainText("Y7");
    }
  });
  SetMemo("G1 X0 Y0\nX10\nX20");
  platform::SetMessagePump({});
  EXPECT_GT(pumps, 2);
  EXPECT_EQ(Caption(), "");
  ASSERT_EQ(geom_.ElementCount(), 3);
  EXPECT_DOUBLE_EQ(geom_.Elements(3)->V4, 7.0);
  EXPECT_FALSE(geom_.RunRequested());
}

TEST_F(EditorText, EditDuringARunShowsTheVerdictOfTheLastText) {
  bool once = false;
  platform::SetMessagePump([&] {
    if (!once) {
      once = true;
      editor_->Memo->appendPlainText("Y");
    }
  });
  SetMemo("G1 X0 Y0\nX10");
  platform::SetMessagePump({});
  EXPECT_EQ(Caption(), "N3 [ Y ] ?");
}

TEST_F(EditorText, ClearEmptiesStoreMemoAndCaption) {
  SetMemo(QString::fromLatin1(kFaultySeventh));
  editor_->GeneratedText << "G0 X1";
  editor_->ActionClearExecute();
  EXPECT_EQ(geom_.ElementCount(), 0);
  EXPECT_TRUE(editor_->Memo->toPlainText().isEmpty());
  EXPECT_FALSE(Modified());
  EXPECT_EQ(Caption(), "");
  EXPECT_TRUE(editor_->GeneratedText.isEmpty());
  EXPECT_EQ(editor_->ScrollBarIndex->maximum(), 0);
}

TEST_F(EditorText, NewAsksAboutModifiedTextAndNoKeepsIt) {
  SetMemo("G1 X0 Y0\nX10");
  answer_ = false;
  editor_->PNewClick();
  ASSERT_EQ(questions_.size(), 1);
  EXPECT_EQ(questions_[0],
            "The text have been changed. Do you really want to create a new text ?");
  EXPECT_EQ(editor_->Memo->toPlainText(), "G1 X0 Y0\nX10");
  answer_ = true;
  editor_->PNewClick();
  EXPECT_TRUE(editor_->Memo->toPlainText().isEmpty());
  EXPECT_TRUE(editor_->FileName.isEmpty());
  editor_->PNewClick();  // nothing modified: no question
  EXPECT_EQ(questions_.size(), 2);
}

TEST_F(EditorText, SaveWithoutFileNameIsSaveAsAndClearsTheMark) {
  SetMemo("G1 X0 Y0\nX10");
  saveName_ = Path("a.geo");
  editor_->PSaveClick();
  EXPECT_EQ(Bytes(saveName_), "G1 X0 Y0\r\nX10\r\n");
  EXPECT_EQ(editor_->FileName, saveName_);
  EXPECT_EQ(editor_->windowTitle(), saveName_);
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(questions_.isEmpty());
  // Save again writes to the same file without a dialog.
  saveName_.clear();
  Type(editor_->Memo, "Y5\n");
  editor_->PSaveClick();
  EXPECT_TRUE(Bytes(Path("a.geo")).startsWith("Y5\n") || Bytes(Path("a.geo")).contains("Y5"));
  EXPECT_FALSE(Modified());
}

TEST_F(EditorText, SaveAsOverAnExistingFileAsksAndNoKeepsTheFile) {
  Write(Path("old.geo"), "G1 X1 Y1\r\n");
  SetMemo("G1 X0 Y0\nX10");
  saveName_ = Path("old.geo");
  answer_ = false;
  editor_->PSaveAsClick();
  ASSERT_EQ(questions_.size(), 1);
  EXPECT_EQ(questions_[0], saveName_ + "\r\nAre you sure you want to replace the file?");
  EXPECT_EQ(Bytes(saveName_), "G1 X1 Y1\r\n");
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(editor_->FileName.isEmpty());
  answer_ = true;
  editor_->PSaveAsClick();
  EXPECT_EQ(Bytes(saveName_), "G1 X0 Y0\r\nX10\r\n");
  EXPECT_FALSE(Modified());
}

TEST_F(EditorText, SaveAsAsksWithTheLanguagesText) {
  settings_->Messages[11] = "Datei ersetzen?";
  Write(Path("old.geo"), "x");
  saveName_ = Path("old.geo");
  editor_->PSaveAsClick();
  ASSERT_EQ(questions_.size(), 1);
  EXPECT_EQ(questions_[0], saveName_ + "\r\nDatei ersetzen?");
}

TEST_F(EditorText, CancelledSaveDialogChangesNothing) {
  SetMemo("G1 X0 Y0");
  saveName_.clear();
  editor_->PSaveAsClick();
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(editor_->FileName.isEmpty());
}

TEST_F(EditorText, FileThatCannotBeWrittenIsToldAndStaysModified) {
  SetMemo("G1 X0 Y0");
  saveName_ = Path("missing-folder/a.geo");
  editor_->PSaveAsClick();
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_[0].contains(saveName_));
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(editor_->FileName.isEmpty());
}

struct RoundTripCase {
  const char* Name;
  QByteArray Bytes;
};

TEST_F(EditorText, OpenedAndSavedUnchangedIsByteIdentical) {
  const RoundTripCase cases[] = {
      {"CrLfWithLastLineEnd", "G1 X0 Y0\r\nX10\r\n"},
      {"CrLfWithoutLastLineEnd", "G1 X0 Y0\r\nX10"},
      {"LfOnly", "G1 X0 Y0\nX10\n"},
      {"EmptyLastLine", "G1 X0 Y0\r\nX10\r\n\r\n"},
      {"Utf8WithBom", "\xEF\xBB\xBF(Fr\xC3\xA4sen)\r\nG1 X0 Y0\r\n"},
      {"Windows1252", "(Fr\xE4sen \xB5m)\r\nG1 X0 Y0\r\n"},
      {"EmptyFile", ""},
  };
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Write(Path("in.geo"), c.Bytes);
    openName_ = Path("in.geo");
    editor_->POpenClick();
    EXPECT_FALSE(Modified());
    EXPECT_EQ(editor_->FileName, openName_);
    saveName_ = Path("out.geo");
    QFile::remove(saveName_);
    editor_->PSaveAsClick();
    EXPECT_EQ(Bytes(saveName_), c.Bytes);
  }
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(EditorText, OpenShowsTheProgramAndItsVerdict) {
  Write(Path("p.geo"), QByteArray(kFaultySeventh).replace("\n", "\r\n"));
  openName_ = Path("p.geo");
  editor_->POpenClick();
  EXPECT_EQ(Caption(), "N7 [ X ] ?");
  EXPECT_EQ(geom_.ElementCount(), 5);
  EXPECT_EQ(editor_->MousePixel.X, 0);
}

TEST_F(EditorText, OpenAsksAboutModifiedTextAndNoKeepsIt) {
  Write(Path("p.geo"), "G1 X0 Y0\r\n");
  SetMemo("X5");
  openName_ = Path("p.geo");
  answer_ = false;
  editor_->POpenClick();
  EXPECT_EQ(questions_.size(), 1);
  EXPECT_EQ(editor_->Memo->toPlainText(), "X5");
}

TEST_F(EditorText, FilesThatAreNoProgramTextAreRefusedWithAMessage) {
  SetMemo("G1 X0 Y0");
  editor_->Memo->document()->setModified(false);
  Write(Path("bin.geo"), QByteArray("G1\0X0", 5));
  {
    QFile big(Path("big.geo"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(static_cast<qint64>(MaxGeoFileBytes) + 1));
  }
  for (const char* name : {"bin.geo", "big.geo", "none.geo"}) {
    SCOPED_TRACE(name);
    messages_.clear();
    openName_ = Path(name);
    editor_->POpenClick();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains(openName_));
    EXPECT_EQ(editor_->Memo->toPlainText(), "G1 X0 Y0");
    EXPECT_TRUE(editor_->FileName.isEmpty());
  }
}

// ---- Showing and closing ----

TEST_F(EditorText, ShownWithTheStarterTextUnmodifiedAndSaveButtonHidden) {
  editor_->PanelSave->show();
  editor_->ProgramHead << "old head";
  bool result = true;
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(editor_->Memo->toPlainText(), "()\ng40");
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(editor_->PanelSave->isHidden());
    EXPECT_FALSE(editor_->PanelIso->isHidden());
    EXPECT_TRUE(editor_->ProgramHead.isEmpty());
    EXPECT_EQ(Caption(), "");
    editor_->PCloseClick();
  });
  result = editor_->ExecuteWithText({"()", "g40"});
  EXPECT_FALSE(result);
  EXPECT_TRUE(questions_.isEmpty());
}

TEST_F(EditorText, SaveButtonClosesWithoutAQuestionAndReportsSave) {
  QTimer::singleShot(0, [&] {
    Type(editor_->Memo, "G1 X0 Y0");
    editor_->PanelSave->show();
    editor_->SpeedButtonSave->click();
  });
  EXPECT_TRUE(editor_->ExecuteWithText({"()", "g40"}));
  EXPECT_TRUE(questions_.isEmpty());
}

TEST_F(EditorText, ClosingWithModifiedTextAsksAndNoKeepsTheEditorOpen) {
  int asked = 0;
  QTimer::singleShot(0, [&] {
    editor_->Memo->setFocus();
    Type(editor_->Memo, "G1 X0 Y0");
    answer_ = false;
    for (auto close : {+[](TFormaEditor& e) { e.PCloseClick(); },
                       +[](TFormaEditor& e) { QTest::keyClick(e.Memo, Qt::Key_Escape); },
                       +[](TFormaEditor& e) { e.close(); }}) {
      close(*editor_);
      ++asked;
      EXPECT_TRUE(editor_->isVisible()) << asked;
    }
    EXPECT_EQ(questions_.size(), 3);
    EXPECT_EQ(questions_.value(0), "The project have been changed. Do you really want to quit ?");
    answer_ = true;
    QTest::keyClick(editor_->Memo, Qt::Key_Escape);
  });
  EXPECT_FALSE(editor_->ExecuteWithText({"()", "g40"}));
  EXPECT_EQ(questions_.size(), 4);
  EXPECT_FALSE(editor_->isVisible());
}

TEST_F(EditorText, EnterInTheMemoNeitherClosesNorClicksAButton) {
  QSignalSpy clicked(editor_->SpeedButtonCaption, &QPushButton::clicked);
  QTimer::singleShot(0, [&] {
    QTest::keyClick(editor_->Memo, Qt::Key_Return);
    QTest::keyClick(editor_.get(), Qt::Key_Enter);
    EXPECT_TRUE(editor_->isVisible());
    editor_->Memo->document()->setModified(false);
    editor_->PCloseClick();
  });
  editor_->ExecuteWithText({"()", "g40"});
  EXPECT_EQ(clicked.count(), 0);
}

TEST_F(EditorText, CloseResetsThePanelsAndTheBusyFlag) {
  QTimer::singleShot(0, [&] {
    editor_->GroupBoxTurn->show();
    editor_->GeneratedText << "G0";
    editor_->ActionEditor->setEnabled(false);
    platform::SetApplicationTag(1);
    editor_->PCloseClick();
  });
  editor_->ExecuteWithText({"()", "g40"});
  EXPECT_TRUE(editor_->GroupBoxTurn->isHidden());
  EXPECT_TRUE(editor_->GeneratedText.isEmpty());
  EXPECT_TRUE(editor_->ActionEditor->isEnabled());
  EXPECT_EQ(platform::ApplicationTag(), 0);
}

TEST_F(EditorText, EscFirstEndsABusyComputationOnly) {
  QTimer::singleShot(0, [&] {
    platform::SetApplicationTag(1);
    QTest::keyClick(editor_.get(), Qt::Key_Escape);
    EXPECT_EQ(platform::ApplicationTag(), 0);
    EXPECT_TRUE(editor_->isVisible());
    QTest::keyClick(editor_.get(), Qt::Key_Escape);
  });
  editor_->ExecuteWithText({"()", "g40"});
  EXPECT_FALSE(editor_->isVisible());
}

TEST_F(EditorText, SyntaxItemShowsTheReferenceOwnedByTheModalEditor) {
  TFormaSyntax syntax;
  editor_->FormaSyntax = &syntax;
  QTimer::singleShot(0, [&] {
    editor_->PSyntax->trigger();
    EXPECT_TRUE(syntax.isVisible());
    ASSERT_NE(syntax.windowHandle(), nullptr);
    EXPECT_EQ(syntax.windowHandle()->transientParent(), editor_->windowHandle());
    editor_->PCloseClick();
  });
  editor_->ExecuteWithText({"()", "g40"});
  syntax.hide();
}

TEST_F(EditorText, TextPanelShowsHidesAndDocksLeft) {
  editor_->show();
  ASSERT_TRUE(editor_->PanelMemo->isHidden());
  editor_->ActionEditorExecute();
  EXPECT_FALSE(editor_->PanelMemo->isHidden());
  EXPECT_EQ(editor_->PanelMemo->width(), editor_->width());
  EXPECT_FALSE(editor_->MemoDockedLeft());
  editor_->SpeedButtonAlignClick();
  EXPECT_TRUE(editor_->MemoDockedLeft());
  EXPECT_EQ(editor_->PanelMemo->width(), editor_->width() / 4);
  editor_->SpeedButtonAlignClick();
  EXPECT_EQ(editor_->PanelMemo->width(), editor_->width());
  editor_->ActionEditorExecute();
  EXPECT_TRUE(editor_->PanelMemo->isHidden());
  editor_->hide();
}

// ---- The file form, without a window ----

TEST(GeoFile, TextThatNoCodePageHoldsIsWrittenAsUtf8) {
  GeoFileFormat format;
  format.Text = GeoFileFormat::Encoding::Cp1252;
  EXPECT_EQ(EncodeGeoText({"(\xC3\xA4)"}, format), "(\xE4)\r\n");
  EXPECT_EQ(EncodeGeoText({"(\xD0\x96)"}, format), "(\xD0\x96)\r\n");
  format.Text = GeoFileFormat::Encoding::Cp1251;
  EXPECT_EQ(EncodeGeoText({"(\xD0\x96)"}, format), "(\xC6)\r\n");
}

TEST(GeoFile, RussianInterfaceReadsSingleBytesAsCyrillic) {
  std::vector<std::string> lines;
  GeoFileFormat format;
  ASSERT_EQ(DecodeGeoText("(\xC6)\rG1", true, lines, format), GeoReadResult::Ok);
  EXPECT_EQ(lines, (std::vector<std::string>{"(\xD0\x96)", "G1"}));
  EXPECT_EQ(format.LineEnd, "\r");
  EXPECT_FALSE(format.FinalLineEnd);
  EXPECT_EQ(EncodeGeoText(lines, format), "(\xC6)\rG1");
}

}  // namespace
}  // namespace movra
