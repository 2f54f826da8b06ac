// The main window: the colouring of the program text, typing, the files, the questions, the
// zoom, the folder items, the broadcast and the editor button.
#include "shell/forma_rudizi.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QWheelEvent>
#include <memory>
#include <optional>
#include <vector>

#include "editor/forma_editor.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "shell/base/folders.h"
#include "shell/base/forma_info.h"
#include "shell/base/forma_input.h"
#include "shell/base/forma_settings.h"
#include "tests/qt_test_support.h"
#include "tests/shell/dialog_test_support.h"
#include "tests/shell/main_window_fixture.h"

namespace movra {
namespace {

using movra::testing::MainWindow;
using movra::testing::RunEventLoopUntil;
using movra::testing::WhenModalShows;

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);

// The colour a character shows: its own, or the font colour.
QColor ColourAt(const platform::RichEdit& Edit, int Line, int Index) {
  const QTextBlock block = Edit.document()->findBlockByNumber(Line);
  const int position = block.position() + Index;
  for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment f = it.fragment();
    if (position < f.position() || position >= f.position() + f.length()) continue;
    const QBrush brush = f.charFormat().foreground();
    return brush.style() == Qt::NoBrush ? Edit.FontColour() : brush.color();
  }
  return QColor();
}

void SetColour(platform::RichEdit& Edit, int Position, const QColor& Colour) {
  QTextCursor cursor(Edit.document());
  cursor.setPosition(Position);
  cursor.setPosition(Position + 1, QTextCursor::KeepAnchor);
  QTextCharFormat format;
  format.setForeground(Colour);
  cursor.mergeCharFormat(format);
}

void Type(QWidget* Target, const QString& Text) {
  for (QChar c : Text) {
    const int key = c.toUpper().unicode();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(Target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(Target, &release);
  }
}

QByteArray FileBytes(const QString& Path) {
  QFile file(Path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteBytes(const QString& Path, const QByteArray& Bytes) {
  QFile file(Path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(Bytes) == Bytes.size();
}

QStringList ManyLines(int Count) {
  QStringList lines;
  for (int i = 0; i < Count; ++i) lines.append(QStringLiteral("G1 X%1 Y-2.5 F100").arg(i));
  return lines;
}

// ---- Colouring ----

TEST_F(MainWindow, ColouringGivesLettersBeforeDigitsTheirClass) {
  Text().SetLines({QStringLiteral("G1 X-5.2 M3"), QStringLiteral("1G")});
  SetColour(Text(), 3, kGreen);  // the X
  const QColor font = Text().FontColour();
  EXPECT_EQ(main_->ColourizeText(Text()), ColouringEnd::Finished);
  EXPECT_EQ(ColourAt(Text(), 0, 0), kBlue) << "G";
  EXPECT_EQ(ColourAt(Text(), 0, 3), kGreen) << "the X stays as it was: a minus sign follows it";
  EXPECT_EQ(ColourAt(Text(), 0, 4), font) << "the minus sign";
  EXPECT_EQ(ColourAt(Text(), 0, 9), kRed) << "M";
  EXPECT_EQ(ColourAt(Text(), 1, 0), font) << "a digit at the start of a line";
  EXPECT_EQ(ColourAt(Text(), 1, 1), font) << "a G before no digit";
  EXPECT_EQ(Text().toPlainText(), QStringLiteral("G1 X-5.2 M3\n1G"));
  EXPECT_EQ(main_->ColouringBusy, 0);
}

TEST_F(MainWindow, ColouringLeavesCaretSelectionAndModifiedMarkAlone) {
  Text().SetLines({QStringLiteral("G1 X10"), QStringLiteral("M3")});
  QTextCursor selection(Text().document());
  selection.setPosition(2);
  selection.setPosition(5, QTextCursor::KeepAnchor);
  Text().setTextCursor(selection);
  Text().document()->setModified(false);

  main_->ColourizeText(Text());
  EXPECT_EQ(Text().textCursor().anchor(), 2);
  EXPECT_EQ(Text().textCursor().position(), 5);
  EXPECT_FALSE(Modified()) << "colours are not saved with the text";
  EXPECT_EQ(ColourAt(Text(), 0, 3), kBlue);
}

TEST_F(MainWindow, EmptyTextIsNotColoured) {
  EXPECT_EQ(main_->ColourizeText(Text()), ColouringEnd::NoLines);
  main_->ColouringBusy = 1;
  Text().SetLines({QStringLiteral("G1")});
  EXPECT_EQ(main_->ColourizeText(Text()), ColouringEnd::AlreadyBusy);
  EXPECT_EQ(ColourAt(Text(), 0, 0), Text().FontColour());
}

// A key typed while the colouring lets events run is never overwritten: the colouring stops
// before it touches the text again, and colours the whole text once more afterwards.
TEST_F(MainWindow, TypingDuringAColouringKeepsEveryKey) {
  QStringList lines = ManyLines(300);
  Text().SetLines(lines);
  QTextCursor caret(Text().document());
  caret.setPosition(0);
  Text().setTextCursor(caret);
  QApplication::postEvent(&Text(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier,
                                                 QStringLiteral("q")));
  EXPECT_EQ(main_->ColourizeText(Text()), ColouringEnd::TextChanged);
  lines[0].prepend(QChar(u'q'));
  EXPECT_EQ(Text().Lines(), lines);
  EXPECT_EQ(ColourAt(Text(), 299, 0), Text().FontColour()) << "the walk stopped early";
  ASSERT_TRUE(RunEventLoopUntil([this] { return ColourAt(Text(), 299, 0) == kBlue; }))
      << "coloured again once the stopped run has ended";
  EXPECT_EQ(Text().Lines(), lines);
}

TEST_F(MainWindow, EscStopsALongColouringAndKeepsTheColoursDoneSoFar) {
  Text().SetLines(ManyLines(2000));
  QTimer::singleShot(0, main_.get(), [this] { main_->FormKeyDown(Qt::Key_Escape); });
  EXPECT_EQ(main_->ColourizeText(Text()), ColouringEnd::Stopped);
  EXPECT_EQ(ColourAt(Text(), 0, 0), kBlue);
  EXPECT_EQ(ColourAt(Text(), 1999, 0), Text().FontColour());
  EXPECT_EQ(main_->ColouringBusy, 0);

  // A click on the window's free area stops it too.
  QTimer::singleShot(0, main_.get(), [this] { main_->FormClick(); });
  EXPECT_EQ(main_->ColourizeText(Text()), ColouringEnd::Stopped);
}

TEST_F(MainWindow, TypedLettersShowTheirClassAtOnce) {
  ASSERT_NO_FATAL_FAILURE(FocusText());
  Type(&Text(), QStringLiteral("x10y20"));
  const QColor font = Text().FontColour();
  const std::vector<QColor> expected = {kBlue, font, font, kBlue, font, font};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ColourAt(Text(), 0, i), expected[i]) << "character " << i;

  Type(&Text(), QStringLiteral(" m a"));
  EXPECT_EQ(ColourAt(Text(), 0, 7), kRed) << "a typed m is red before any digit follows";
  EXPECT_EQ(ColourAt(Text(), 0, 9), font);
  EXPECT_EQ(Text().toPlainText(), QStringLiteral("x10y20 m a"));
  EXPECT_TRUE(Modified());
}

TEST_F(MainWindow, TypingOverASelectionReplacesItInOneUndoStep) {
  ASSERT_NO_FATAL_FAILURE(FocusText());
  Text().SetLines({QStringLiteral("A1 B2")});
  QTextCursor selection(Text().document());
  selection.setPosition(3);
  selection.setPosition(4, QTextCursor::KeepAnchor);
  Text().setTextCursor(selection);
  Type(&Text(), QStringLiteral("g"));
  EXPECT_EQ(Text().toPlainText(), QStringLiteral("A1 g2"));
  EXPECT_EQ(ColourAt(Text(), 0, 3), kBlue);
  Text().undo();
  EXPECT_EQ(Text().toPlainText(), QStringLiteral("A1 B2"));
}

// ---- New, Open, Save, Save as, Quit ----

TEST_F(MainWindow, NewAsksOnlyForAModifiedText) {
  main_->PNewClick();
  EXPECT_TRUE(asked_.isEmpty());

  Edited(QStringLiteral("G1"));
  answer_ = false;
  main_->PNewClick();
  ASSERT_EQ(asked_.size(), 1);
  EXPECT_EQ(asked_[0], QStringLiteral(
                           "The text have been changed. Do you really want to create a new text ?"));
  EXPECT_EQ(Text().toPlainText(), QStringLiteral("G1")) << "No keeps the text";

  answer_ = true;
  main_->setWindowTitle(QStringLiteral("old.txt"));
  main_->SaveDialog_Program->FileName = File("old.txt");
  main_->PNewClick();
  EXPECT_TRUE(Text().toPlainText().isEmpty());
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(main_->CurrentFileName().isEmpty());
  EXPECT_EQ(main_->windowTitle(), TForma_Rudizi::ApplicationTitle());
}

TEST_F(MainWindow, OpenReadsTheWholeFileColoursItAndNamesTheCaption) {
  const QString file = File("Part.nc");
  // Not UTF-8: read in the code page of the interface language.
  ASSERT_TRUE(WriteBytes(file, "G1 X10\r\nM3 (Stra\xDF" "e)\r\n"));
  openChoice_ = file;
  settings_->SelectLanguage(2);
  main_->POpenClick();
  EXPECT_EQ(Text().Lines().value(1), QString::fromUtf8("M3 (StraЯe)")) << "Windows-1251";
  settings_->SelectLanguage(0);
  main_->POpenClick();
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_EQ(Text().Lines(), (QStringList{"G1 X10", QString::fromUtf8("M3 (Straße)")}));
  EXPECT_EQ(ColourAt(Text(), 0, 0), kBlue);
  EXPECT_EQ(ColourAt(Text(), 1, 0), kRed);
  EXPECT_FALSE(Modified());
  EXPECT_EQ(main_->windowTitle(), file);
  EXPECT_EQ(main_->CurrentFileName(), file);
  Text().undo();
  EXPECT_EQ(ColourAt(Text(), 0, 0), kBlue) << "the colouring of an opened file is no undo step";
}

TEST_F(MainWindow, OpenOfAFileThatCannotBeReadChangesNothing) {
  Text().setPlainText(QStringLiteral("G1 X1"));
  Text().document()->setModified(false);
  main_->setWindowTitle(QStringLiteral("before"));
  const QString big = File("big.txt");
  {
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(TForma_Rudizi::MaxProgramFileBytes + 1));
  }
  for (const QString& path : {File("missing.txt"), big, folder_.Folder()}) {
    messages_.clear();
    openChoice_ = path;
    main_->POpenClick();
    EXPECT_EQ(messages_.size(), 1) << path.toStdString();
    EXPECT_EQ(Text().toPlainText(), QStringLiteral("G1 X1"));
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("before"));
    EXPECT_TRUE(main_->CurrentFileName().isEmpty());
  }
}

TEST_F(MainWindow, OpenOfAModifiedTextAsksFirst) {
  Edited(QStringLiteral("G1"));
  answer_ = false;
  openChoice_ = File("any.txt");
  main_->POpenClick();
  EXPECT_EQ(asked_.size(), 1);
  EXPECT_EQ(openDialogs_, 0) << "No ends before the dialog";
}

TEST_F(MainWindow, SaveAsWritesLinesWithCrLf) {
  Edited(QString::fromUtf8("G1 X10\nM3 (Straße)\n"));
  saveChoice_ = File("new.txt");
  main_->PSaveAsClick();
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_EQ(FileBytes(File("new.txt")), QByteArray("G1 X10\r\nM3 (Stra\xC3\x9F" "e)\r\n\r\n"));
  EXPECT_FALSE(Modified());
  EXPECT_EQ(main_->windowTitle(), File("new.txt"));
  EXPECT_EQ(main_->CurrentFileName(), File("new.txt"));
  EXPECT_TRUE(main_->SaveBuffer.isEmpty());

  // Saved and opened again, the text is the same.
  openChoice_ = File("new.txt");
  const QStringList lines = Text().Lines();
  main_->POpenClick();
  EXPECT_EQ(Text().Lines(), lines);
}

TEST_F(MainWindow, SaveAsOntoAnExistingFileAsksAndNoWritesNothing) {
  const QString existing = File("old.txt");
  ASSERT_TRUE(WriteBytes(existing, "OLD\r\n"));
  Edited(QStringLiteral("G1"));
  main_->setWindowTitle(QStringLiteral("caption"));
  saveChoice_ = existing;
  answer_ = false;
  main_->PSaveAsClick();
  ASSERT_EQ(asked_.size(), 1);
  EXPECT_EQ(asked_[0], existing + "\nAre you sure you want to replace the file?");
  EXPECT_EQ(FileBytes(existing), QByteArray("OLD\r\n"));
  EXPECT_EQ(main_->windowTitle(), QStringLiteral("caption"));
  EXPECT_TRUE(Modified());
  // The declined name did not become the current file: Save asks again instead of
  // overwriting it silently.
  EXPECT_TRUE(main_->CurrentFileName().isEmpty());
  main_->PSaveClick();
  EXPECT_EQ(saveDialogs_, 2);
  EXPECT_EQ(FileBytes(existing), QByteArray("OLD\r\n"));

  answer_ = true;
  main_->PSaveAsClick();
  EXPECT_EQ(FileBytes(existing), QByteArray("G1\r\n"));
}

TEST_F(MainWindow, AFailedWriteKeepsNameCaptionAndModifiedMark) {
  Edited(QStringLiteral("G1"));
  main_->setWindowTitle(QStringLiteral("caption"));
  main_->SaveDialog_Program->FileName = File("current.txt");
  saveChoice_ = File("no/such/folder/x.txt");
  main_->PSaveAsClick();
  EXPECT_EQ(messages_.size(), 1);
  EXPECT_EQ(main_->CurrentFileName(), File("current.txt"));
  EXPECT_EQ(main_->windowTitle(), QStringLiteral("caption"));
  EXPECT_TRUE(Modified());
  EXPECT_FALSE(QFileInfo::exists(File("no")));
}

TEST_F(MainWindow, SaveWritesTheCurrentFileWithoutAQuestionOrFallsBackToSaveAs) {
  const QString current = File("current.txt");
  ASSERT_TRUE(WriteBytes(current, "OLD\r\n"));
  main_->SaveDialog_Program->FileName = current;
  Edited(QStringLiteral("G2"));
  main_->PSaveClick();
  EXPECT_EQ(saveDialogs_, 0);
  EXPECT_TRUE(asked_.isEmpty());
  EXPECT_EQ(FileBytes(current), QByteArray("G2\r\n"));
  EXPECT_FALSE(Modified());

  // The file vanished: Save becomes Save as, starting from the old name.
  ASSERT_TRUE(QFile::remove(current));
  saveChoice_ = std::nullopt;
  main_->PSaveClick();
  EXPECT_EQ(saveDialogs_, 1);
  EXPECT_EQ(seenSaveName_, current);
}

TEST_F(MainWindow, QuitAsksOnlyForAModifiedText) {
  int closed = 0;
  QObject::connect(main_.get(), &TForma_Rudizi::Closed, [&closed] { ++closed; });
  main_->show();
  Edited(QStringLiteral("G1"));
  answer_ = false;
  main_->PCloseClick();
  ASSERT_EQ(asked_.size(), 1);
  EXPECT_EQ(asked_[0], QStringLiteral("The project have been changed. Do you really want to quit ?"));
  EXPECT_TRUE(main_->isVisible());
  EXPECT_EQ(closed, 0);

  Text().document()->setModified(false);
  main_->PCloseClick();
  EXPECT_EQ(asked_.size(), 1);
  EXPECT_FALSE(main_->isVisible());
  EXPECT_EQ(closed, 1);
}

// ---- Zoom ----

TEST_F(MainWindow, CtrlWheelSizesTheFocusedTextWithinTenToThirty) {
  Text().SetLines({QStringLiteral("G1 X10")});
  const int font = Text().FontSize();
  struct Case {
    const char* name;
    int size;  // 0: the font size
    int delta;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    bool used;
    int expected;
  };
  const Case cases[] = {
      {"towards the user: larger", 0, -120, Qt::ControlModifier, Qt::NoButton, true, font + 2},
      {"away from the user: smaller", 20, 120, Qt::ControlModifier, Qt::NoButton, true, 18},
      {"30 towards the user stays 30", 30, -120, Qt::ControlModifier, Qt::NoButton, true, 30},
      {"10 away from the user stays 10", 10, 120, Qt::ControlModifier, Qt::NoButton, true, 10},
      {"Shift+Ctrl does nothing", 20, -120, Qt::ControlModifier | Qt::ShiftModifier,
       Qt::NoButton, false, 20},
      {"without Ctrl nothing", 20, -120, Qt::NoModifier, Qt::NoButton, false, 20},
      {"with a mouse button nothing", 20, -120, Qt::ControlModifier, Qt::LeftButton, false, 20},
  };
  for (const Case& c : cases) {
    if (c.size > 0) Text().SetWholeTextSize(c.size);
    Text().document()->setModified(false);
    EXPECT_EQ(main_->FormMouseWheel(&Text(), c.delta, c.modifiers, c.buttons), c.used) << c.name;
    EXPECT_EQ(Text().WholeTextSize(), c.expected) << c.name;
    EXPECT_FALSE(Modified()) << c.name;
  }
  EXPECT_EQ(Text().textCursor().position(), 0) << "the caret goes to the start";
  EXPECT_FALSE(main_->FormMouseWheel(nullptr, -120, Qt::ControlModifier, Qt::NoButton))
      << "no control has the focus";
  EXPECT_FALSE(main_->FormMouseWheel(main_->ButtonEdit, -120, Qt::ControlModifier, Qt::NoButton));
}

TEST_F(MainWindow, OpenUndoesTheZoom) {
  Text().SetWholeTextSize(24);
  const QString file = File("a.txt");
  ASSERT_TRUE(WriteBytes(file, "G1\r\n"));
  openChoice_ = file;
  main_->POpenClick();
  EXPECT_EQ(Text().WholeTextSize(), Text().FontSize());
}

TEST_F(MainWindow, AWheelOverTheUnfocusedLanguageBoxSwitchesNothing) {
  main_->ComboBoxLanguage->setCurrentIndex(1);
  QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(main_->ComboBoxLanguage, &wheel);
  EXPECT_EQ(main_->ComboBoxLanguage->currentIndex(), 1);
}

// ---- Layout, folders, broadcast, editor ----

TEST_F(MainWindow, TemplatePanelTakesHalfTheWidth) {
  main_->resize(1001, 600);
  main_->show();
  ASSERT_TRUE(RunEventLoopUntil([this] { return main_->width() == 1001; }));
  EXPECT_EQ(main_->Splitter1->sizes().value(1), 500);
}

TEST_F(MainWindow, FolderItemsTakeTheChosenFolderOrTheDefaultOne) {
  main_->SaveDialog_Program->FileName = File("current.txt");
  const QString chosen = folder_.Folder() + "Programs";
  folders_.FolderDialog = [&](const QString&) { return std::optional<QString>(chosen); };
  main_->FilesLocationProgramClick();
  EXPECT_EQ(settings_->PathProgram, chosen + "/");
  EXPECT_EQ(main_->OpenDialog_Program->InitialDir, chosen + "/");
  EXPECT_EQ(main_->SaveDialog_Program->InitialDir, chosen + "/");
  EXPECT_TRUE(main_->CurrentFileName().isEmpty()) << "the next Save asks for a name";

  folders_.FolderDialog = [](const QString&) { return std::optional<QString>(); };
  main_->FilesLocationProgramClick();
  EXPECT_EQ(settings_->PathProgram, folders_.ProgramFolder()) << "cancelled: the default folder";
  main_->FilesLocationTemplateClick();
  EXPECT_EQ(settings_->PathTemplate, folders_.TemplateFolder());
  EXPECT_EQ(main_->OpenDialog_Template->InitialDir, folders_.TemplateFolder());
}

TEST_F(MainWindow, EveryBroadcastShowsTheTitleAndTheLanguageFollows) {
  main_->setWindowTitle(File("open.txt"));
  daten_.BroadcastToForms(platform::FormaNotify, 0);
  EXPECT_EQ(main_->windowTitle(), TForma_Rudizi::ApplicationTitle());

  main_->SaveDialog_Program->FileName = File("open.txt");
  settings_->SelectLanguage(0);
  EXPECT_EQ(main_->ComboBoxLanguage->currentIndex(), 0);
  EXPECT_TRUE(main_->CurrentFileName().isEmpty()) << "after a switch Save asks for a name";
  EXPECT_EQ(main_->SaveDialog_Program->InitialDir, settings_->PathProgram);
  EXPECT_EQ(main_->OpenDialog_Template->InitialDir, settings_->PathTemplate);
  EXPECT_EQ(main_->PNew->text(), QStringLiteral("Neu"));
  EXPECT_EQ(main_->ButtonEdit->text(), QStringLiteral("Editor"));
  EXPECT_EQ(main_->HelpAbout->text(), QString::fromUtf8("Über..."));
  settings_->SelectLanguage(1);
  EXPECT_EQ(main_->ComboBoxLanguage->currentIndex(), 1);
  EXPECT_EQ(main_->PSaveAs->statusTip(), QStringLiteral("Are you sure you want to replace the file?"));
  EXPECT_EQ(main_->Files->title(), QStringLiteral("File"));
}

TEST_F(MainWindow, QtsOwnTextsFollowTheLanguage) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!QFileInfo::exists(folder + "/qtbase_de.qm") || !QFileInfo::exists(folder + "/qtbase_ru.qm"))
    GTEST_SKIP() << "Qt's translations are not installed (qt6-translations-l10n)";
  const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
  settings_->SelectLanguage(0);
  EXPECT_EQ(yes(), QStringLiteral("&Ja"));
  settings_->SelectLanguage(2);
  EXPECT_EQ(yes(), QString::fromUtf8("&Да"));
  settings_->SelectLanguage(1);
  EXPECT_EQ(yes(), QStringLiteral("&Yes"));
}

TEST_F(MainWindow, EditorButtonShowsTheEditorWithItsStarterText) {
  Text().setPlainText(QStringLiteral("G1 X10"));
  editor_->ProgramHead = QStringList{QStringLiteral("old head")};
  editor_->Memo->setPlainText(QStringLiteral("old memo"));
  editor_->PanelSave->show();
  editor_->PanelIso->hide();

  bool shown = false;
  WhenModalShows<TFormaEditor>([&](TFormaEditor* editor) {
    shown = true;
    EXPECT_EQ(editor->Memo->toPlainText(), QStringLiteral("()\ng40"));
    EXPECT_FALSE(editor->Memo->document()->isModified());
    EXPECT_TRUE(editor->ProgramHead.isEmpty());
    EXPECT_TRUE(editor->PanelSave->isHidden());
    EXPECT_FALSE(editor->PanelIso->isHidden());
    editor->reject();
  });
  main_->ButtonEditClick();
  EXPECT_TRUE(shown);
  EXPECT_EQ(Text().toPlainText(), QStringLiteral("G1 X10")) << "the program text is not passed";
}

}  // namespace
}  // namespace movra
