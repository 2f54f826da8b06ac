#pragma once
// The syntax reference of the contour language: one tree of topics, keywords and examples per
// language, of which the one of the chosen language is shown.
#include <QWidget>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace movra {

class TFormaSyntax : public QWidget {
  Q_OBJECT

 public:
  // FormCreate: the window opens at its minimum size.
  explicit TFormaSyntax(QWidget* parent = nullptr);

  QTreeWidget* TreeViewSyntaxRu = nullptr;  // shown at start
  QTreeWidget* TreeViewSyntaxDe = nullptr;
  QTreeWidget* TreeViewSyntaxEn = nullptr;
  QLineEdit* Edit = nullptr;         // Tahoma, 16 pixels: the line picked from a tree
  QPushButton* ButtonClose = nullptr;
  QMenu* PopupMenuSyntax = nullptr;
  QAction* FullCollapse = nullptr;
  QAction* FullExpand = nullptr;

  void ButtonCloseClick();
};

}  // namespace movra
