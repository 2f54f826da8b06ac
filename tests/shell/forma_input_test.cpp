// The one-line input dialog and the list dialog it opens.
#include "shell/base/forma_input.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <ostream>

#include "shell/base/forma_input_list.h"
#include "tests/shell/dialog_test_support.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

using movra::testing::Click;
using movra::testing::DoubleClick;
using movra::testing::PressKey;
using movra::testing::WhenModalShows;

TEST(InputTexts, AcceleratorBlanksAndTrim) {
  struct Case {
    const char* name;
    QString text;
    QString withoutMark;
    QString collapsed;
  };
  const Case cases[] = {
      {"plain", "Pole", "Pole", "Pole"},
      {"one mark", "&Pole input", "Pole input", "&Pole input"},
      {"only the first mark goes", "A&&B &C", "A&B &C", "A&&B &C"},
      {"runs of four and two blanks", "G1    X10  Y5", "G1    X10  Y5", "G1 X10 Y5"},
      {"several leading blanks keep one", "   T1", "   T1", " T1"},
      {"trailing blanks keep one", "T1  ", "T1  ", "T1 "},
      {"single blanks stay", " a b ", " a b ", " a b "},
      {"tabs are no blanks", "a\t\tb", "a\t\tb", "a\t\tb"},
      {"empty", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DeleteFirstAmpersand(c.text), c.withoutMark) << c.name;
    EXPECT_EQ(CollapseBlankRuns(c.text), c.collapsed) << c.name;
  }
  EXPECT_EQ(TrimBlanks(QStringLiteral(" \t x y \r\n")), QStringLiteral("x y"));
  EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), QString());
}

TEST(FormaInput, PrepareSetsCaptionInfoAndWidth) {
  TFormaInput input;
  input.PrepareInput(QStringLiteral("  &Pole &input "), QStringLiteral("&x...y"), QString());
  EXPECT_EQ(input.windowTitle(), QStringLiteral("Pole &input"));
  EXPECT_EQ(input.PanelInfo->text(), QStringLiteral("   x...y   ?"));
  EXPECT_EQ(input.Edit->text(), QString());
  EXPECT_EQ(input.width(), TFormaInput::MinWidth);
  EXPECT_EQ(input.height(), TFormaInput::FixedHeight);

  // Without Info the question line is empty, also after a call that had one.
  input.PrepareInput(QStringLiteral("Line"), QString(), QStringLiteral("G1 X10"));
  EXPECT_EQ(input.PanelInfo->text(), QString());
  EXPECT_EQ(input.Edit->text(), QStringLiteral("G1 X10"));
  EXPECT_EQ(input.width(), TFormaInput::MinWidth);  // a short value needs no more

  input.PrepareInput(QStringLiteral("Line"), QString(), QString(400, QLatin1Char('W')));
  EXPECT_EQ(input.width(), TFormaInput::MaxWidth);

  // A value between: the edit line shows it whole with two blanks to spare.
  const QString medium(40, QLatin1Char('W'));
  input.PrepareInput(QStringLiteral("Line"), QString(), medium);
  EXPECT_GT(input.width(), TFormaInput::MinWidth);
  EXPECT_LT(input.width(), TFormaInput::MaxWidth);
  input.show();
  EXPECT_GE(input.Edit->width(), QFontMetrics(input.Edit->font()).horizontalAdvance(medium));
  input.hide();
}

TEST(FormaInput, ButtonsTakeHalfTheBar) {
  TFormaInput input;
  input.resize(600, TFormaInput::FixedHeight);
  input.show();
  const int half = input.Panel0->width() / 2 - input.Panel0->contentsMargins().left() - 5;
  EXPECT_EQ(input.ButtonOk->width(), half);
  EXPECT_EQ(input.ButtonCancel->width(), half);
  EXPECT_LT(input.ButtonOk->geometry().right(), input.ButtonCancel->geometry().left());
  input.hide();
}

// How the dialog ends, and what InputValue gives back then.
TEST(FormaInput, EnterIsOkEscAndClosingCancel) {
  struct Case {
    const char* name;
    std::function<void(TFormaInput*)> end;
    bool result;
    QString value;
  };
  const Case cases[] = {
      {"Enter in the edit line", [](TFormaInput* d) { PressKey(d->Edit, Qt::Key_Return); }, true,
       " a b c "},
      {"Enter of the keypad", [](TFormaInput* d) { PressKey(d->Edit, Qt::Key_Enter); }, true,
       " a b c "},
      {"Enter on the cancel button",
       [](TFormaInput* d) { PressKey(d->ButtonCancel, Qt::Key_Return); }, true, " a b c "},
      {"OK button", [](TFormaInput* d) { d->ButtonOk->click(); }, true, " a b c "},
      {"Esc", [](TFormaInput* d) { PressKey(d->Edit, Qt::Key_Escape); }, false, "old"},
      {"Esc on the OK button", [](TFormaInput* d) { PressKey(d->ButtonOk, Qt::Key_Escape); },
       false, "old"},
      {"Cancel button", [](TFormaInput* d) { d->ButtonCancel->click(); }, false, "old"},
      {"closing the window", [](TFormaInput* d) { d->close(); }, false, "old"},
  };
  TFormaInput input;
  for (const Case& c : cases) {
    QString value = QStringLiteral("old");
    bool caretAtEnd = false;
    WhenModalShows<TFormaInput>([&](TFormaInput* dialog) {
      caretAtEnd = dialog->Edit->cursorPosition() == 3 && !dialog->Edit->hasSelectedText();
      dialog->Edit->setText(QStringLiteral("   a    b  c  "));
      c.end(dialog);
    });
    EXPECT_EQ(input.InputValue(QStringLiteral("Caption"), QString(), value), c.result) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
    EXPECT_TRUE(caretAtEnd) << c.name;
  }
}

// The list dialog over the input dialog: a double-click into the edit line, an entry chosen.
TEST(FormaInput, DoubleClickChoosesFromTheList) {
  struct Case {
    const char* name;
    QString line;
    QString result;
  };
  const Case cases[] = {
      {"with a ';'", "T1; old tool; more", "T1; CNMG 120408"},
      {"without a ';'", "old tool", "CNMG 120408"},
  };
  TFormaInputList list;
  list.ListBoxTool->addItems({QStringLiteral("DNMG 150608"), QStringLiteral("CNMG 120408")});
  TFormaInput input;
  input.FormaInputList = &list;
  for (const Case& c : cases) {
    QString value = c.line;
    QString afterChoice;
    WhenModalShows<TFormaInput>([&](TFormaInput* dialog) {
      WhenModalShows<TFormaInputList>([](TFormaInputList* chooser) {
        QListWidgetItem* entry = chooser->ListBoxTool->item(1);
        chooser->ListBoxClick(entry);
        chooser->ButtonSave->click();
      });
      DoubleClick(dialog->Edit, QPoint(5, 5));
      afterChoice = dialog->Edit->text();
      PressKey(dialog->Edit, Qt::Key_Return);
    });
    EXPECT_TRUE(input.InputValue(QStringLiteral("Line"), QString(), value)) << c.name;
    EXPECT_EQ(afterChoice, c.result) << c.name;
    EXPECT_EQ(value, c.result) << c.name;
  }
}

TEST(FormaInputList, AppliedText) {
  struct Case {
    const char* name;
    QString target;
    QString chosen;
    QString result;
  };
  const Case cases[] = {
      {"up to the first ';'", "T1; old; older", "Drill", "T1; Drill"},
      {"no ';'", "old text", "Drill", "Drill"},
      {"chosen text trimmed", "T1;", "  Centre drill  ", "T1; Centre drill"},
      {"nothing chosen keeps the head", "T1; old", "", "T1;"},
      {"nothing chosen and no ';'", "old", "", ""},
      {"leading blanks of the head go", "  T1 ;x", "Tap", "T1 ; Tap"},
      {"';' first", ";old", "Tap", "; Tap"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TFormaInputList::AppliedText(c.target, c.chosen), c.result) << c.name;
}

TEST(FormaInputList, HowTheDialogEndsDecidesTheTarget) {
  struct Case {
    const char* name;
    std::function<void(TFormaInputList*)> act;
    QString result;
  };
  const Case cases[] = {
      {"Enter in the empty line", [](TFormaInputList* d) { PressKey(d->Edit, Qt::Key_Return); },
       "T1;"},
      {"Enter with a typed word",
       [](TFormaInputList* d) {
         d->Edit->setText(QStringLiteral(" Reamer "));
         PressKey(d->Edit, Qt::Key_Return);
       },
       "T1; Reamer"},
      {"double-click on an entry",
       [](TFormaInputList* d) {
         d->ListBoxClick(d->ListBoxTool->item(0));
         d->ListBoxDblClick(d->ListBoxTool->item(0));
       },
       "T1; Drill"},
      {"Esc after a choice", [](TFormaInputList* d) {
         d->ListBoxClick(d->ListBoxTool->item(0));
         PressKey(d->Edit, Qt::Key_Escape);
       },
       "T1; old"},
      {"close button", [](TFormaInputList* d) {
         d->Edit->setText(QStringLiteral("Tap"));
         d->ButtonClose->click();
       },
       "T1; old"},
  };
  TFormaInputList list;
  list.ListBoxTool->addItems({QStringLiteral("Drill"), QStringLiteral("Tap")});
  for (const Case& c : cases) {
    QLineEdit target(QStringLiteral("T1; old"));
    WhenModalShows<TFormaInputList>([&](TFormaInputList* dialog) { c.act(dialog); });
    list.ShowAndApply(target);
    EXPECT_EQ(target.text(), c.result) << c.name;
  }

  // Enter in the empty line of a target without ";" empties it.
  QLineEdit plain(QStringLiteral("old"));
  WhenModalShows<TFormaInputList>([](TFormaInputList* d) { PressKey(d->Edit, Qt::Key_Return); });
  list.ShowAndApply(plain);
  EXPECT_EQ(plain.text(), QString());

  // A combo box as target.
  QComboBox combo;
  combo.setEditable(true);
  combo.setEditText(QStringLiteral("G81; old"));
  WhenModalShows<TFormaInputList>([](TFormaInputList* d) {
    d->Edit->setText(QStringLiteral("Tap"));
    d->ButtonSave->click();
  });
  list.ShowAndApply(combo);
  EXPECT_EQ(combo.currentText(), QStringLiteral("G81; Tap"));
}

TEST(FormaInputList, SaveIsEnabledByTextAndClicksCopyEntries) {
  TFormaInputList list;
  list.ListBoxTool->addItems({QStringLiteral("Drill"), QStringLiteral("Tap")});
  list.resize(480, 360);
  list.show();
  list.Edit->setText(QStringLiteral("left over"));
  list.FormShow();
  EXPECT_EQ(list.Edit->text(), QString());
  EXPECT_EQ(list.EditTag, 0);
  EXPECT_FALSE(list.ButtonSave->isEnabled());
  list.Edit->setText(QStringLiteral("   "));
  EXPECT_FALSE(list.ButtonSave->isEnabled());
  list.Edit->setText(QStringLiteral(" x "));
  EXPECT_TRUE(list.ButtonSave->isEnabled());

  // A click on an entry copies it; a click into the empty area below the entries changes nothing.
  QWidget* viewport = list.ListBoxTool->viewport();
  const QRect first = list.ListBoxTool->visualItemRect(list.ListBoxTool->item(1));
  Click(viewport, first.center());
  EXPECT_EQ(list.Edit->text(), QStringLiteral("Tap"));
  Click(viewport, QPoint(5, viewport->height() - 5));
  EXPECT_EQ(list.Edit->text(), QStringLiteral("Tap"));
  list.hide();
}

class ListFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(ListFiles, OpenFillsTheActiveTabOnly) {
  TFormaInputList list;
  QStringList errors;
  list.ShowError = [&](const QString& message) { errors << message; };
  list.ListBoxTool->addItem(QStringLiteral("kept"));
  const QString file =
      Write("Terms.rtf", R"({\rtf1\ansi\ansicpg1251 Chamfer\par \'d4\'e0\'f1\'ea\'e0\par})");
  list.OpenFileDialog = [&] { return file; };
  list.PageControl->setCurrentWidget(list.TabSheetTerm);
  list.OpenClick();
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(list.LoadedList, QStringList({"Chamfer", "Фаска"}));
  ASSERT_EQ(list.ListBoxTerm->count(), 2);
  EXPECT_EQ(list.ListBoxTerm->item(1)->text(), QStringLiteral("Фаска"));
  EXPECT_EQ(list.ListBoxTool->count(), 1);
  EXPECT_EQ(list.ListBoxTech->count(), 0);

  // Opened again, the entries are replaced, not added to.
  list.OpenClick();
  EXPECT_EQ(list.ListBoxTerm->count(), 2);

  // A cancelled dialog changes nothing.
  list.OpenFileDialog = [] { return QString(); };
  list.PageControl->setCurrentWidget(list.TabSheetTech);
  list.OpenClick();
  EXPECT_EQ(list.ListBoxTech->count(), 0);
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ListFiles, PlainTextFilesFollowTheInterfaceCodePage) {
  TFormaInputList list;
  const QString file = Write("Plain.rtf", "\xD4\xF0\xE5\xE7\xE0\r\n");
  list.RussianInterface = [] { return true; };
  ASSERT_TRUE(list.LoadListFile(file));
  EXPECT_EQ(list.LoadedList, QStringList({"Фреза"}));
  list.RussianInterface = [] { return false; };
  ASSERT_TRUE(list.LoadListFile(file));
  EXPECT_EQ(list.LoadedList, QStringList({"Ôðåçà"}));
}

TEST_F(ListFiles, UnreadableFilesShowTheErrorAndKeepTheLists) {
  TFormaInputList list;
  QStringList errors;
  list.ShowError = [&](const QString& message) { errors << message; };
  list.ListBoxTool->addItem(QStringLiteral("kept"));
  list.LoadedList = QStringList({"kept"});
  const QString unreadable = Write("Locked.rtf", "{\\rtf1 x}");
  QFile::setPermissions(unreadable, QFileDevice::Permissions());
  const bool canStillRead = QFile(unreadable).open(QIODevice::ReadOnly);  // as root
  for (const QString& name : {dir_.filePath("Missing.rtf"), dir_.path(), unreadable}) {
    if (name == unreadable && canStillRead) continue;
    errors.clear();
    EXPECT_FALSE(list.LoadListFile(name)) << name.toStdString();
    ASSERT_EQ(errors.size(), 1) << name.toStdString();
    EXPECT_TRUE(errors.front().startsWith(name)) << errors.front().toStdString();
    EXPECT_EQ(list.ListBoxTool->count(), 1);
    EXPECT_EQ(list.LoadedList, QStringList({"kept"}));
  }
}

// The lists shipped beside the program: one per tab, each a rich-text file of entries.
TEST_F(ListFiles, ShippedListsReadAsEntries) {
  const QDir folder(QStringLiteral(MOVRA_TEST_DATA "/../../resources/folders/Listbox"));
  const QStringList files = folder.entryList({QStringLiteral("*.rtf")}, QDir::Files);
  EXPECT_EQ(files.size(), 3) << files.join(' ').toStdString();
  TFormaInputList list;
  list.ShowError = [](const QString& message) { ADD_FAILURE() << message.toStdString(); };
  for (const QString& name : files) {
    ASSERT_TRUE(list.LoadListFile(folder.filePath(name))) << name.toStdString();
    EXPECT_GE(list.LoadedList.size(), 10) << name.toStdString();
    for (const QString& entry : list.LoadedList) {
      EXPECT_FALSE(TrimBlanks(entry).isEmpty()) << name.toStdString();
      EXPECT_EQ(entry, TrimBlanks(entry)) << name.toStdString();
      EXPECT_FALSE(entry.contains(QLatin1Char('\\')) || entry.contains(QLatin1Char('{')))
          << name.toStdString() << ": " << entry.toStdString();
    }
  }
}

}  // namespace
}  // namespace movra
