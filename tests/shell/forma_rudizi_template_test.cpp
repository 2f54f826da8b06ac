// The template browser of the main window: loading template files, the node styles, the
// expansion cycle, showing a template body, Add and Copy, editing a line, the enabling rules,
// and the templates that come with the program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "geometry/forma_geom.h"
#include "platform/core/tree_text.h"
#include "shell/core/template_tree.h"
#include "shell/forma_rudizi.h"
#include "tests/shell/main_window_fixture.h"

namespace movra {
namespace {

const QColor kHeaderRed(128, 0, 0);
const QColor kCommentGrey(128, 128, 128);

const char* const kShaft =
    "Turning\n\tShaft:\n\t\tg1 x0\n\t\tx10\n\t\ty5\n\t\tfinish~\n\tBore:\n\t\tg41\nPockets\n";

// Every item in tree order.
std::vector<QTreeWidgetItem*> Items(QTreeWidget& Tree) {
  std::vector<QTreeWidgetItem*> items;
  std::vector<QTreeWidgetItem*> stack;
  for (int i = Tree.topLevelItemCount() - 1; i >= 0; --i) stack.push_back(Tree.topLevelItem(i));
  while (!stack.empty()) {
    QTreeWidgetItem* item = stack.back();
    stack.pop_back();
    items.push_back(item);
    for (int i = item->childCount() - 1; i >= 0; --i) stack.push_back(item->child(i));
  }
  return items;
}

class TemplateBrowser : public testing::MainWindow {
 protected:
  QTreeWidget& Tree() { return *main_->TreeView_Template; }
  platform::RichEdit& Body() { return *main_->RichEditTemplate; }

  // Writes Bytes to a template file and loads it; the loader's result.
  bool Load(const QByteArray& Bytes, const char* Name = "Templates.en") {
    QFile file(File(Name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(Bytes) != Bytes.size())
      return false;
    file.close();
    return main_->LoadTemplateFile(File(Name));
  }
  // Selects the first item of this text in tree order.
  QTreeWidgetItem* Select(const QString& Text) {
    for (QTreeWidgetItem* item : Items(Tree()))
      if (item->text(0) == Text) {
        Tree().setCurrentItem(item);
        return item;
      }
    ADD_FAILURE() << "no item " << Text.toStdString();
    return nullptr;
  }
  // The body view's lines when it is shown, else nothing.
  QStringList Shown() { return Body().isVisibleTo(main_.get()) ? Body().Lines() : QStringList(); }
  QStringList Outline() {
    QStringList lines;
    for (QTreeWidgetItem* item : Items(Tree())) {
      int depth = 0;
      for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++depth;
      lines.append(QString(depth, QChar(u' ')) + item->text(0));
    }
    return lines;
  }
  // Items whose children are shown, as texts.
  QStringList Expanded() {
    QStringList texts;
    for (QTreeWidgetItem* item : Items(Tree()))
      if (item->childCount() > 0 && item->isExpanded()) texts.append(item->text(0));
    return texts;
  }
};

// ---- Loading ----

TEST_F(TemplateBrowser, LoadSelectsTheFirstNodeCollapsesAllAndResetsTheCounter) {
  main_->PExpandTag = 2;
  ASSERT_TRUE(Load(kShaft));
  EXPECT_EQ(Outline(), QStringList({"Turning", " Shaft:", "  g1 x0", "  x10", "  y5",
                                    "  finish~", " Bore:", "  g41", "Pockets"}));
  EXPECT_EQ(Tree().currentItem(), Tree().topLevelItem(0));
  EXPECT_TRUE(Expanded().isEmpty());
  EXPECT_EQ(main_->PExpandTag, 0);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(TemplateBrowser, BadFilesGiveAMessageAndAUsableTree) {
  struct Case {
    const char* name;
    QByteArray bytes;
    QStringList outline;  // of the tree afterwards
    bool message;
  };
  // Ten thousand levels of TABs take some 50 MB and are refused as too large; three thousand
  // fit and meet the bound on the depth.
  QByteArray nested;
  for (int i = 0; i < 3000; ++i) nested += QByteArray(i, '\t') + "n\n";
  QByteArray binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) % 256);
  const Case cases[] = {
      {"a line too deep keeps the nodes before it", "a\n\tb\n\t\t\tc\n\td\n", {"a", " b"}, true},
      {"CR line ends", "a\r\tb\r", {"a", " b"}, false},
      {"NUL bytes stay in the text", QByteArray("a\0b\n\tc\n", 7), {QString("a") + QChar(0) + "b", " c"},
       false},
      {"no UTF-8: the Russian page for the Russian interface", "\xd4\xf0\xe5\xe7\xe0\n\t\xcf\xe0\xe7:\n",
       {"Фреза", " Паз:"}, false},
      {"a line of one megabyte", "a\n\t" + QByteArray(1 << 20, 'x') + "\n",
       {"a", " " + QString(1 << 20, QChar(u'x'))}, false},
  };
  for (const Case& c : cases) {
    messages_.clear();
    Load(c.bytes);
    EXPECT_EQ(Outline(), c.outline) << c.name;
    EXPECT_EQ(messages_.size(), c.message ? 1 : 0) << c.name;
  }

  messages_.clear();
  EXPECT_FALSE(Load(nested)) << "ten thousand nested levels";
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_[0].contains("nests deeper than 256 levels")) << messages_[0].toStdString();
  EXPECT_EQ(Items(Tree()).size(), platform::MaxTreeTextDepth);
  main_->PExpandTag = 3;
  main_->PExpandClick();  // all collapsed again; nothing to open beyond
  Load(binary);           // any bytes: no crash, some tree or a message
  QApplication::processEvents();
}

TEST_F(TemplateBrowser, AFileThatCannotBeReadLeavesThePreviousTree) {
  ASSERT_TRUE(Load(kShaft));
  const QStringList before = Outline();
  EXPECT_FALSE(main_->LoadTemplateFile(File("missing.de")));
  EXPECT_FALSE(main_->LoadTemplateFile(folder_.Folder()));
  QFile big(File("big.de"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  ASSERT_TRUE(big.resize(TForma_Rudizi::MaxTemplateFileBytes + 1));
  big.close();
  EXPECT_FALSE(main_->LoadTemplateFile(File("big.de")));
  EXPECT_EQ(Outline(), before);
  ASSERT_EQ(messages_.size(), 3);
  EXPECT_TRUE(messages_[2].contains("too large")) << messages_[2].toStdString();
}

TEST_F(TemplateBrowser, TemplateLoadRunsTheDialogAndHidesTheBody) {
  ASSERT_TRUE(Load(kShaft));
  Select("x10");
  main_->ActionEditExecute();
  ASSERT_FALSE(Shown().isEmpty());
  QStringList filters;
  main_->OpenDialog_Template->Runner = [&](const platform::FileDialog& dialog) {
    filters = dialog.NameFilters();
    return std::optional<QString>();  // cancelled: nothing changes
  };
  main_->TemplateLoadClick();
  EXPECT_FALSE(Shown().isEmpty());
  EXPECT_EQ(filters.value(0), "*.* (*)") << "names without a dot are shown too";
  main_->OpenDialog_Template->Runner = [&](const platform::FileDialog&) {
    return std::optional<QString>(File("Templates.en"));
  };
  main_->TemplateLoadClick();
  EXPECT_TRUE(Shown().isEmpty());
  EXPECT_EQ(Tree().topLevelItemCount(), 2);
}

// ---- Styles ----

TEST_F(TemplateBrowser, NodesAreStyledByTheirKindsWhenLoadedAndWhenEdited) {
  ASSERT_TRUE(Load("Head:\n\tSection line\n\tg1 x0\n\tnote~\n\t\nplain\n"));
  struct Style {
    bool bold, italic, underline;
    QColor colour;  // invalid: the view's own
  };
  const auto style = [&](const QString& text) {
    QTreeWidgetItem* item = Select(text);
    const QFont font = item->font(0);
    const QVariant colour = item->data(0, Qt::ForegroundRole);
    return Style{font.bold(), font.italic(), font.underline(),
                 colour.isValid() ? colour.value<QBrush>().color() : QColor()};
  };
  const auto expect = [&](const QString& text, Style want) {
    const Style got = style(text);
    EXPECT_EQ(got.bold, want.bold) << text.toStdString();
    EXPECT_EQ(got.italic, want.italic) << text.toStdString();
    EXPECT_EQ(got.underline, want.underline) << text.toStdString();
    EXPECT_EQ(got.colour, want.colour) << text.toStdString();
  };
  expect("Head:", {true, true, true, kHeaderRed});
  expect("g1 x0", {false, false, false, QColor()});
  expect("note~", {false, true, false, kCommentGrey});
  expect("", {false, false, false, QColor()});
  expect("plain", {true, false, false, QColor()});

  // A line edited to end in ":" becomes a header; edited back, a line again.
  main_->InputValue = [](const QString&, const QString&, QString& value) {
    value = "Turning:";
    return true;
  };
  Select("g1 x0");
  main_->TreeView_TemplateKeyDown(Qt::Key_Backspace);
  expect("Turning:", {false, true, true, kHeaderRed});
}

// ---- Expansion ----

TEST_F(TemplateBrowser, ExpandOpensOneLevelMoreEachTimeThenCollapsesAll) {
  ASSERT_TRUE(Load("A\n\tB:\n\t\tC\n\t\t\tD\nE\n"));
  const QList<QStringList> steps = {{"A"}, {"A", "B:"}, {"A", "B:", "C"}, {}};
  for (int press = 0; press < 8; ++press) {
    main_->PExpandClick();
    EXPECT_EQ(main_->PExpandTag, (press + 1) % 4);
    EXPECT_EQ(Expanded(), steps[press % 4]) << "press " << press + 1;
  }
}

TEST_F(TemplateBrowser, ExpandOnAnEmptyTreeOnlyAdvancesTheCounter) {
  for (int want : {1, 2, 3, 0, 1}) {
    main_->PExpandClick();
    EXPECT_EQ(main_->PExpandTag, want);
  }
  EXPECT_EQ(Tree().topLevelItemCount(), 0);
}

// ---- Showing a body ----

TEST_F(TemplateBrowser, EditShowsTheDirectChildrenOfATemplateHeader) {
  struct Case {
    const char* name;
    const char* text;
    const char* selected;
    QStringList body;  // empty: nothing shown
  };
  const Case cases[] = {
      {"a line shows all four children, the comment too", kShaft, "x10",
       {"g1 x0", "x10", "y5", "finish~"}},
      {"the comment itself shows nothing", kShaft, "finish~", {}},
      {"the header shows nothing", kShaft, "Shaft:", {}},
      {"a top-level node shows nothing", kShaft, "Pockets", {}},
      {"grandchildren are skipped", "S\n\tH:\n\t\tx1\n\t\t\tdeep\n\t\tx2\n", "x1", {"x1", "x2"}},
      {"a header with a blank after its colon has no body", "S\n\tH: \n\t\tx1\n", "x1", {}},
      {"a:b: is no template parent", "S\n\ta:b:\n\t\tx1\n", "x1", {}},
      {"a:b: under a header is a line of it", "S\n\tH:\n\t\ta:b:\n\t\tx1\n", "a:b:",
       {"a:b:", "x1"}},
      {"a parent that is not a header", "S\n\tline\n\t\tx1\n", "x1", {}},
      {"an empty parent counts as a header", "S\n\t\n\t\tx1\n\t\tx2\n", "x2", {"x1", "x2"}},
  };
  for (const Case& c : cases) {
    main_->HideTemplateText();
    ASSERT_TRUE(Load(c.text)) << c.name;
    Select(QString::fromUtf8(c.selected));
    main_->ActionEditExecute();
    EXPECT_EQ(Shown(), c.body) << c.name;
    EXPECT_EQ(main_->PanelBottom->isVisibleTo(main_.get()), !c.body.isEmpty()) << c.name;
  }
}

TEST_F(TemplateBrowser, ShownBodyIsColouredNotModifiedAndEditable) {
  ASSERT_TRUE(Load(kShaft));
  main_->SpeedButtonAdd->setEnabled(false);
  Select("y5");
  main_->ActionEditExecute();
  EXPECT_FALSE(Body().document()->isModified());
  EXPECT_TRUE(main_->SpeedButtonAdd->isEnabled());
  EXPECT_TRUE(main_->SpeedButtonCopy->isEnabled());
  EXPECT_TRUE(main_->ActionEdit->isEnabled());
  // "g1 x0": g and x stand before digits.
  const QTextBlock first = Body().document()->firstBlock();
  QTextCursor at(first);
  at.setPosition(first.position() + 1);
  EXPECT_EQ(at.charFormat().foreground().color(), QColor(0, 0, 255));
  // A typed letter shows its class at once.
  main_->show();
  Body().setFocus();
  QTextCursor end = Body().textCursor();
  end.movePosition(QTextCursor::End);
  Body().setTextCursor(end);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, "m");
  QApplication::sendEvent(&Body(), &press);
  EXPECT_EQ(Body().Lines().last(), "finish~m");
  EXPECT_EQ(Body().textCursor().charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST_F(TemplateBrowser, DoubleClickShowsTheBody) {
  ASSERT_TRUE(Load(kShaft));
  Select("g1 x0");
  main_->TreeView_TemplateDblClick();
  EXPECT_EQ(Shown().size(), 4);
}

// ---- Add and Copy ----

TEST_F(TemplateBrowser, AddTwiceOnAnEmptyTextGivesTwoBlocksAndOneEmptyLineBetween) {
  ASSERT_TRUE(Load("S\n\tH:\n\t\tG1 X0 Y0\n\t\tX10 \n"));
  for (int i = 0; i < 2; ++i) {
    Select("X10 ");
    main_->ActionEditExecute();
    main_->SpeedButtonAddClick(main_->SpeedButtonAdd);
    EXPECT_TRUE(Shown().isEmpty());
  }
  EXPECT_EQ(Text().Lines(), QStringList({"G1 X0 Y0", "X10", "", "G1 X0 Y0", "X10", ""}));
  EXPECT_TRUE(Modified()) << "the added text must not be lost unasked";
  answer_ = false;
  EXPECT_FALSE(main_->FormCloseQuery());
  EXPECT_EQ(asked_.size(), 1);
  // The added text is coloured, and the caret stands at its end.
  const QTextBlock last = Text().document()->findBlockByNumber(3);
  QTextCursor at(last);
  at.setPosition(last.position() + 1);
  EXPECT_EQ(at.charFormat().foreground().color(), QColor(0, 0, 255));
  EXPECT_EQ(Text().textCursor().position(), Text().document()->characterCount() - 1);
}

TEST_F(TemplateBrowser, AddGoesAfterTheLastLineAndUndoTakesItBack) {
  Text().SetLines({"%1", "G1 X0 Y0"});
  ASSERT_TRUE(Load("S\n\tH:\n\t\tX5\n"));
  Select("X5");
  main_->ActionEditExecute();
  // What the user typed into the body goes with it, trimmed as a whole.
  Body().SetLines({"", "  X5", "Y7  ", " "});
  main_->SpeedButtonAddClick(main_->SpeedButtonAdd);
  EXPECT_EQ(Text().Lines(), QStringList({"%1", "G1 X0 Y0", "X5", "Y7", ""}));
  Text().undo();
  EXPECT_EQ(Text().Lines(), QStringList({"%1", "G1 X0 Y0"}));
}

TEST_F(TemplateBrowser, CopyFillsTheClipboardAndLeavesTheProgramText) {
  ASSERT_TRUE(Load(kShaft));
  Select("x10");
  main_->ActionEditExecute();
  QApplication::clipboard()->clear();
  main_->SpeedButtonAddClick(main_->SpeedButtonCopy);
  EXPECT_EQ(QApplication::clipboard()->text(), "g1 x0\nx10\ny5\nfinish~");
  EXPECT_FALSE(Text().HasLines());
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(TemplateBrowser, NewOpenEscAndCancelHideTheBody) {
  ASSERT_TRUE(Load(kShaft));
  const auto show = [&] {
    Select("x10");
    main_->ActionEditExecute();
    ASSERT_FALSE(Shown().isEmpty());
  };
  show();
  main_->SpeedButtonCloseClick();
  EXPECT_TRUE(Shown().isEmpty()) << "Cancel";
  show();
  main_->FormKeyDown(Qt::Key_Escape);
  EXPECT_TRUE(Shown().isEmpty()) << "Esc";
  show();
  main_->PNewClick();
  EXPECT_TRUE(Shown().isEmpty()) << "New";
  show();
  QFile program(File("p.txt"));
  ASSERT_TRUE(program.open(QIODevice::WriteOnly) && program.write("X1\r\n") == 4);
  program.close();
  openChoice_ = File("p.txt");
  main_->POpenClick();
  EXPECT_TRUE(Shown().isEmpty()) << "Open";
  EXPECT_FALSE(main_->ActionEdit->isEnabled());
  EXPECT_FALSE(main_->PExpand->isEnabled());
}

// ---- Editing a line ----

TEST_F(TemplateBrowser, BackspaceEditsOnlyLinesThroughTheInputDialog) {
  ASSERT_TRUE(Load(kShaft));
  QStringList asked;
  QString answer = "x20";
  bool ok = true;
  main_->InputValue = [&](const QString& caption, const QString& info, QString& value) {
    asked.append(caption + "|" + info + "|" + value);
    if (ok) value = answer;
    return ok;
  };
  const auto backspace = [&](const QString& text) {
    QTreeWidgetItem* item = Select(text);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, "\b");
    QApplication::sendEvent(&Tree(), &key);
    EXPECT_EQ(Tree().currentItem(), item) << "the tree's keyboard search saw the key";
  };
  backspace("Shaft:");
  backspace("finish~");
  EXPECT_TRUE(asked.isEmpty());
  backspace("x10");
  EXPECT_EQ(asked, QStringList({"x10||x10"}));
  EXPECT_EQ(Outline()[3], "  x20");
  ok = false;
  backspace("x20");
  EXPECT_EQ(Outline()[3], "  x20") << "Cancel keeps the line";
  // The change lives in the tree: a new load forgets it.
  ASSERT_TRUE(Load(kShaft));
  EXPECT_EQ(Outline()[3], "  x10");
}

// ---- Enabling and the bar ----

TEST_F(TemplateBrowser, MouseOverTheTreeEnablesAndLeavingItDisablesEditAndExpand) {
  main_->show();
  const auto move = [&] {
    QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Tree().viewport(), &event);
  };
  move();
  EXPECT_FALSE(main_->ActionEdit->isEnabled()) << "no node selected";
  EXPECT_FALSE(main_->PExpand->isEnabled());
  ASSERT_TRUE(Load(kShaft));
  move();
  EXPECT_TRUE(main_->ActionEdit->isEnabled());
  EXPECT_TRUE(main_->PExpand->isEnabled());
  QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(&Tree(), &popup);
  EXPECT_TRUE(main_->ActionEdit->isEnabled()) << "the tree's own popup menu";
  QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&Tree(), &away);
  EXPECT_FALSE(main_->ActionEdit->isEnabled());
  EXPECT_FALSE(main_->PExpand->isEnabled());
}

TEST_F(TemplateBrowser, BarButtonsTakeAThirdEachAndCancelTheRest) {
  main_->PanelBottom->resize(301, 25);
  main_->PanelBottomResize();
  EXPECT_EQ(main_->SpeedButtonAdd->geometry(), QRect(0, 0, 100, 25));
  EXPECT_EQ(main_->SpeedButtonCopy->geometry(), QRect(100, 0, 100, 25));
  EXPECT_EQ(main_->SpeedButtonClose->geometry(), QRect(200, 0, 101, 25));
}

// ---- The templates that come with the program ----

QString ShippedTemplate(const char* Extension) {
  return QStringLiteral(MOVRA_TEST_DATA "/../../resources/folders/Template/Templates.") +
         QString::fromLatin1(Extension);
}

TEST_F(TemplateBrowser, EveryShippedTemplateBodyInterpretsWithoutAnError) {
  std::vector<QStringList> programLines;  // per language, every body line but the comments
  for (const char* extension : {"de", "en", "ru"}) {
    messages_.clear();
    ASSERT_TRUE(main_->LoadTemplateFile(ShippedTemplate(extension))) << extension;
    QStringList lines;
    int templates = 0;
    for (QTreeWidgetItem* item : Items(Tree())) {
      if (item->childCount() == 0 || !IsTemplateParent(item->text(0).toStdString())) continue;
      ++templates;
      Tree().setCurrentItem(item->child(0));
      main_->ActionEditExecute();
      const QStringList body = Shown();
      ASSERT_EQ(body.size(), item->childCount()) << item->text(0).toStdString();
      std::vector<std::string> program;
      for (const QString& line : body) {
        program.push_back(line.toStdString());
        if (!line.endsWith(QChar(u'~'))) lines.append(line);
      }
      EXPECT_TRUE(body.last().endsWith(QChar(u'~'))) << "a comment ends each template";
      std::string error;
      geom_->InterpretProgram(program, error);
      EXPECT_EQ(error, "") << extension << ": " << item->text(0).toStdString();
      EXPECT_GT(geom_->ElementCount(), 0) << extension << ": " << item->text(0).toStdString();
    }
    EXPECT_GE(templates, 8) << extension;
    EXPECT_EQ(Tree().topLevelItemCount(), 4) << "turning, contours, pockets, cycles";
    programLines.push_back(lines);
  }
  EXPECT_EQ(programLines[0], programLines[1]) << "de and en";
  EXPECT_EQ(programLines[0], programLines[2]) << "de and ru";
}

}  // namespace
}  // namespace movra
