// The syntax reference window: its three trees as built in, picking a line, the font under
// Ctrl and the wheel, the language switch and use beside the modal editor.
#include "editor/forma_syntax.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWindow>
#include <array>
#include <string>
#include <vector>

#include "platform/core/text_file.h"
#include "platform/core/tree_text.h"
#include "shell/base/language_targets.h"

namespace movra {
namespace {

using platform::TreeText;

// The English tree, two blanks a level; every line ends with "|" so that an editor's trimming
// cannot hide the blanks that belong to a node.
constexpr const char* kEnglishTree = R"(Start|
  "G"|
    g40 / g41 / g42 / g81|
Absolute coordinates|
  "X"|
    x100 / x100 45|
  "Y"|
    y100 / y100 45|
Relative coordinates|
  "IX"|
    ix100 / ix100 45|
  "IY"|
    iy100 / iy100 45|
Absolute coordinates ( Turning )|
  "V"|
    v100 / v100 45|
  "W"|
    w200 / w200 45|
Relative coordinates ( Turning )|
  "IV"|
    iv100 / iv100 45|
  "IW"|
    iw200 / iw200 45|
Polar coordinates|
  "L"|
    L100 45|
Intersection|
  Line - Line intersection, 2 Parameters|
    "A"|
      A30 45|
  Line - Line intersection, 6 Parameters|
    "LL" |
      ll x1..y1..a1..x2..y2..a2|
        ll X-100 Y-100 90 100 100 0|
  Line - Circle intersection|
    "LC" |
      lc x..y..a..xc..yc..rc..1..2|
        lc -100 -100 45 0 0 100 1|
  Circle - Circle intersection|
    "CC" |
      cc xc1..yc1..rc1..xc2..yc2..rc2..1/2|
        cc -50 -50 100 50 50 100 1|
Fillet Radius|
  "B" 1..2|
    b100 / b100 2|
Base radius|
  "R"|
    r10|
Tangent line and radius|
  "AR" 1..2|
    x100 y100 ar45 10 / x100 y100 ar45 10 2|
Tangent radius and line |
  "RA" 1..2|
    x100 y100 ra10 45 / x100 y100 ra10 45 2|
Rounding|
  "RD"|
    rd10|
  Modal|
    "RDM"|
      rdm10|
Chamfer +/-|
  "CF"|
    cf10 / cf-10|
  Modal|
  "CFM"|
    cfm10 / cfm-10|
Partial contours|
  Repeat and move|
    "REPL"|
      repl10|
  Repeat and rotate|
    "REPA"|
      repa x..y..p|
        repa 0 0 10|
Contour transformation|
  Reverse contour direction|
  "FN"|
    fn|
  Equidistant of a contour|
    "FE"|
      fe0.5|
  Displacement|
  "FT"|
    ft x..y|
      ft100 100|
  Rotation|
  "FA"|
    fa x..y..a|
      fa 0 0 45|
  Mirror|
    "FM"|
      fmx / fmy|
  Scale|
    "FS"|
      fs 1.5|
Approach and departure|
  Line with angle|
    "FL"|
      fl l1..a1..l2..a2 ) |
        fl 10 30 20 45|
  Radius with angle|
    "FR"|
      fr r1..a1..r2..a2|
        fr 10 30 / fr 10 30 20 45|
  Line with radius|
    "FRL"|
      frl r1..a1|
        frl 10 30|
      frl r1..a1..r2..a2|
        frl 10 30 20 45|
Duplicate contours|
  Copy|
    "FREP"|
      frep x..y|
        frep 100 100|
  Contour offset|
    "FREPL"|
      frepl x..y..p|
        frepl 0 0 10|
  Contour turn|
    "FREPA"|
      frepa x..y..a..p|
        frepa 0 0 30 10|
  Radial|
    "FREPE"|
      frepe r..e|
        frepe 10 0.2|
)";

std::vector<std::string> EnglishOutline() {
  std::vector<std::string> out;
  for (const std::string& line : platform::SplitLines(kEnglishTree)) {
    const std::size_t indent = line.find_first_not_of(' ');
    out.push_back(std::to_string(indent / 2) + "|" +
                  line.substr(indent, line.size() - indent - 1));
  }
  return out;
}

std::vector<std::string> Outline(const TreeText& Tree) {
  std::vector<std::string> out;
  for (const platform::TreeTextNode& node : Tree.Nodes)
    out.push_back(std::to_string(node.Depth) + "|" + node.Text);
  return out;
}

TreeText ReadResource(const char* Extension) {
  TFormaSyntax created;  // registers the resources
  QFile file(TFormaSyntax::SyntaxResource(Extension));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << Extension;
  const QByteArray bytes = file.readAll();
  return platform::ReadTreeText(platform::SplitLines(bytes.toStdString()));
}

int NodeCount(const QTreeWidget& Tree) {
  int count = 0;
  for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&Tree)); *it; ++it) ++count;
  return count;
}

QTreeWidgetItem* Node(QTreeWidget& Tree, const QString& Text) {
  const QList<QTreeWidgetItem*> found =
      Tree.findItems(Text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.first();
}

// The three built-in trees: one shape, 127 nodes under 17 topics, the same keyword, syntax and
// example lines (every node from a keyword node down), the English one as the reference has it.
TEST(SyntaxResources, ThreeTreesOfOneShape) {
  const TreeText en = ReadResource("en");
  EXPECT_FALSE(en.Error);
  EXPECT_EQ(Outline(en), EnglishOutline());
  for (const char* extension : {"de", "ru"}) {
    const TreeText tree = ReadResource(extension);
    EXPECT_FALSE(tree.Error) << extension;
    ASSERT_EQ(tree.Nodes.size(), 127u) << extension;
    int topics = 0;
    std::size_t keywordDepth = SIZE_MAX;  // inside a keyword's subtree below this depth
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
      const platform::TreeTextNode& node = tree.Nodes[i];
      const platform::TreeTextNode& english = en.Nodes[i];
      EXPECT_EQ(node.Depth, english.Depth) << extension << " node " << i;
      if (node.Depth == 0) ++topics;
      if (node.Depth <= keywordDepth) keywordDepth = SIZE_MAX;
      if (english.Text.starts_with('"')) keywordDepth = node.Depth;
      if (keywordDepth != SIZE_MAX)
        EXPECT_EQ(node.Text, english.Text) << extension << " node " << i;
      else
        EXPECT_FALSE(node.Text.empty() || node.Text.starts_with('"')) << extension << " " << i;
    }
    EXPECT_EQ(topics, 17) << extension;
  }
}

TEST(SyntaxResources, DamagedTextLeavesTheTreeEmpty) {
  QTreeWidget tree;
  EXPECT_TRUE(TFormaSyntax::LoadSyntaxTree(tree, "a\n\tb\n"));
  EXPECT_EQ(NodeCount(tree), 2);
  for (const QByteArray& damaged :
       {QByteArray("a\n\t\tb\n"), QByteArray("a\n\t\xE4\n"), QByteArray()}) {
    EXPECT_FALSE(TFormaSyntax::LoadSyntaxTree(tree, damaged)) << damaged.toStdString();
    EXPECT_EQ(NodeCount(tree), 0) << damaged.toStdString();
  }
}

TEST(FormaSyntax, OpensSmallWithTheRussianTree) {
  TFormaSyntax syntax;
  EXPECT_EQ(syntax.size(), QSize(480, 360));
  for (QTreeWidget* tree : {syntax.TreeViewSyntaxRu, syntax.TreeViewSyntaxDe,
                            syntax.TreeViewSyntaxEn}) {
    EXPECT_EQ(NodeCount(*tree), 127) << tree->objectName().toStdString();
    EXPECT_EQ(tree->topLevelItemCount(), 17) << tree->objectName().toStdString();
  }
  EXPECT_TRUE(syntax.TreeViewSyntaxRu->isVisibleTo(&syntax));
  EXPECT_FALSE(syntax.TreeViewSyntaxDe->isVisibleTo(&syntax));
  EXPECT_FALSE(syntax.TreeViewSyntaxEn->isVisibleTo(&syntax));
}

TEST(FormaSyntax, CentredOnlyAtItsFirstShowingAndOnTop) {
  TFormaSyntax syntax;
  EXPECT_TRUE(syntax.windowFlags() & Qt::WindowStaysOnTopHint);
  syntax.show();
  const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((syntax.frameGeometry().center() - centre).manhattanLength(), 2);
  syntax.hide();
  syntax.move(7, 9);
  syntax.show();
  EXPECT_EQ(syntax.pos(), QPoint(7, 9));
}

TEST(FormaSyntax, DoubleClickPutsALineBehindThreeBlanks) {
  TFormaSyntax syntax;
  QTreeWidget& tree = *syntax.TreeViewSyntaxEn;
  tree.setCurrentItem(Node(tree, "Intersection"));
  syntax.Edit->setText("old");
  syntax.TreeViewSyntaxRuDblClick(tree);
  EXPECT_EQ(syntax.Edit->text(), "   ");
  tree.setCurrentItem(Node(tree, "lc -100 -100 45 0 0 100 1"));
  syntax.TreeViewSyntaxRuDblClick(tree);
  EXPECT_EQ(syntax.Edit->text(), "   lc -100 -100 45 0 0 100 1");
  // "Modal" beside CFM has no children: its own text is taken.
  tree.setCurrentItem(Node(tree, "Chamfer +/-")->child(1));
  syntax.TreeViewSyntaxRuDblClick(tree);
  EXPECT_EQ(syntax.Edit->text(), "   Modal");
}

TEST(FormaSyntax, CollapseAndExpandTheVisibleTree) {
  TFormaSyntax syntax;
  syntax.FullExpandClick();
  EXPECT_TRUE(Node(*syntax.TreeViewSyntaxRu, "\"LL\" ")->isExpanded());
  EXPECT_FALSE(Node(*syntax.TreeViewSyntaxEn, "\"LL\" ")->isExpanded());
  syntax.FullCollapseClick();
  EXPECT_FALSE(Node(*syntax.TreeViewSyntaxRu, "\"LL\" ")->isExpanded());
}

void SendWheel(QWidget& Target, int Delta, Qt::KeyboardModifiers Keys) {
  const QPointF at(10, 10);
  QWheelEvent wheel(at, Target.mapToGlobal(at), QPoint(), QPoint(0, Delta), Qt::NoButton, Keys,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&Target, &wheel);
}

struct WheelCase {
  const char* name;
  Qt::KeyboardModifiers keys;
  int delta;  // negative: towards the user
  int size;
  int expected;
};

TEST(FormaSyntax, CtrlAndTheWheelSizeTheFont) {
  const WheelCase cases[] = {
      {"towards the user at the top stays", Qt::ControlModifier, -120, 30, 30},
      {"towards the user grows", Qt::ControlModifier, -120, 12, 14},
      {"away at the bottom stays", Qt::ControlModifier, 120, 10, 10},
      {"away shrinks", Qt::ControlModifier, 120, 14, 12},
      {"odd size held in range", Qt::ControlModifier, 120, 11, 10},
      {"Shift with Ctrl changes nothing", Qt::ControlModifier | Qt::ShiftModifier, -120, 12, 12},
      {"no Ctrl changes nothing", Qt::NoModifier, -120, 12, 12},
  };
  for (const WheelCase& c : cases) {
    TFormaSyntax syntax;
    syntax.show();
    syntax.FullExpandClick();
    QTreeWidget& tree = *syntax.TreeViewSyntaxRu;
    for (QTreeWidget* each : {syntax.TreeViewSyntaxRu, syntax.TreeViewSyntaxEn}) {
      QFont font = each->font();
      font.setPointSize(c.size);
      each->setFont(font);
    }
    QApplication::processEvents();
    QScrollBar& bar = *tree.verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0) << c.name;
    bar.setValue(bar.maximum() / 2);
    const int scrolled = bar.value();
    SendWheel(*tree.viewport(), c.delta, c.keys);
    EXPECT_EQ(tree.font().pointSize(), c.expected) << c.name;
    EXPECT_EQ(syntax.TreeViewSyntaxEn->font().pointSize(), c.size) << c.name << ": hidden tree";
    // The window takes Ctrl alone and the wheel for itself; otherwise the tree scrolls.
    EXPECT_EQ(bar.value() == scrolled, c.keys == Qt::ControlModifier) << c.name;
  }
}

int RedPixels(const QImage& Image) {
  int red = 0;
  for (int y = 0; y < Image.height(); ++y)
    for (int x = 0; x < Image.width(); ++x) {
      const QColor c = Image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
    }
  return red;
}

TEST(FormaSyntax, GermanTreeAfterTheSwitchHasRedKeywords) {
  TFormaSyntax syntax;
  syntax.show();
  ShowSyntaxTree("German");
  EXPECT_TRUE(syntax.TreeViewSyntaxDe->isVisible());
  EXPECT_FALSE(syntax.TreeViewSyntaxRu->isVisible());
  QTreeWidget& tree = *syntax.TreeViewSyntaxDe;
  // Collapsed, only topics show: no red. "Start" opened shows the keyword "G".
  tree.collapseAll();
  EXPECT_EQ(RedPixels(tree.viewport()->grab().toImage()), 0);
  tree.expandItem(tree.topLevelItem(0));
  QApplication::processEvents();
  const QImage image = tree.viewport()->grab().toImage();
  const QRect keyword = tree.visualItemRect(tree.topLevelItem(0)->child(0));
  EXPECT_GT(RedPixels(image.copy(keyword)), 0);
  EXPECT_EQ(RedPixels(image.copy(tree.visualItemRect(tree.topLevelItem(1)))), 0);
}

void DoubleClickAt(QWindow& Window, QPointF At) {
  const QPointF global = Window.mapToGlobal(At.toPoint());
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, At, At, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&Window, &event);
  }
}

// A double click reaching the window as the desktop delivers it, at the node's place.
QString DoubleClickNode(TFormaSyntax& Syntax, const QString& Text) {
  QTreeWidget& tree = *Syntax.TreeViewSyntaxRu;
  Syntax.FullExpandClick();
  QApplication::processEvents();
  QTreeWidgetItem* node = Node(tree, Text);
  tree.scrollToItem(node);
  QApplication::processEvents();
  const QPoint inTree = tree.visualItemRect(node).center();
  Syntax.Edit->setText("untouched");
  DoubleClickAt(*Syntax.windowHandle(), tree.viewport()->mapTo(&Syntax, inTree));
  return Syntax.Edit->text();
}

TEST(FormaSyntax, TakesADoubleClickWhileTheEditorIsModal) {
  QDialog editor;
  editor.setWindowModality(Qt::ApplicationModal);
  editor.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &editor);
  {
    TFormaSyntax syntax;
    syntax.ShowFrom(&editor);
    EXPECT_EQ(DoubleClickNode(syntax, "fa 0 0 45"), "   fa 0 0 45");
  }
  // Shown on its own, the window is blocked like any other.
  TFormaSyntax alone;
  alone.ShowFrom(nullptr);
  EXPECT_EQ(DoubleClickNode(alone, "fa 0 0 45"), "untouched");
  editor.hide();
  EXPECT_EQ(DoubleClickNode(alone, "fa 0 0 45"), "   fa 0 0 45");
}

}  // namespace
}  // namespace movra
