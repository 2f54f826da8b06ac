#pragma once
// The syntax reference of the contour language: one tree of topics, keywords and examples per
// language, of which the one of the chosen language is shown.
#include <QByteArray>
#include <QColor>
#include <QString>
#include <QWidget>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QStyleOptionViewItem;
class QTreeWidget;

namespace movra {

class TFormaSyntax : public QWidget {
  Q_OBJECT

 public:
  // A keyword node is drawn red, every other node black.
  static constexpr QRgb KeywordColour = 0xFF0000;
  static constexpr QRgb TextColour = 0x000000;
  // The range of the trees' font size under Ctrl and the wheel, in points.
  static constexpr int MinFontSize = 10;
  static constexpr int MaxFontSize = 30;
  static constexpr int FontSizeStep = 2;

  // FormCreate: the window opens at its minimum size with the three trees loaded.
  explicit TFormaSyntax(QWidget* parent = nullptr);

  QTreeWidget* TreeViewSyntaxRu = nullptr;  // shown at start
  QTreeWidget* TreeViewSyntaxDe = nullptr;
  QTreeWidget* TreeViewSyntaxEn = nullptr;
  QLineEdit* Edit = nullptr;         // Tahoma, 16 pixels: the line picked from a tree
  QPushButton* ButtonClose = nullptr;
  QMenu* PopupMenuSyntax = nullptr;
  QAction* FullCollapse = nullptr;
  QAction* FullExpand = nullptr;

  // What the editor's Syntax item calls: the window becomes visible and comes to the front.
  // Opener, the window it is asked from, may be modal; the reference belongs to it then, so
  // that it takes clicks and keys while the opener blocks every other window.
  void ShowFrom(QWidget* Opener);

  // Fills Tree from an indented tree text in UTF-8. A text that is no UTF-8 or whose levels
  // break off leaves the tree empty (false).
  static bool LoadSyntaxTree(QTreeWidget& Tree, const QByteArray& Utf8Text);
  // The resource of a language's tree: ":/syntax/Syntax.ru", ".de" or ".en".
  static QString SyntaxResource(const char* Extension);

  // The colour and style of a node of an enabled tree before it is drawn (black; red for a
  // keyword node).
  static void TreeViewSyntaxRuCustomDrawItem(QStyleOptionViewItem& Option);
  // A double click on the selected node of Tree puts its text, behind three blanks, into Edit;
  // a node with children leaves only the blanks.
  void TreeViewSyntaxRuDblClick(QTreeWidget& Tree);
  void FullCollapseClick();
  void FullExpandClick();
  // Ctrl alone with the wheel: the visible trees' font grows by two points for a turn towards
  // the user, shrinks for one away. False when the wheel is not the window's (no Ctrl alone).
  bool FormMouseWheel(Qt::KeyboardModifiers Shift, int WheelDelta);
  void ButtonCloseClick();

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;

 private:
  QTreeWidget* VisibleTree() const;
  bool shownOnce_ = false;
};

}  // namespace movra
