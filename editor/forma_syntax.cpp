#include "editor/forma_syntax.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace movra {

TFormaSyntax::TFormaSyntax(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FormaSyntax"));
  setMinimumSize(480, 360);

  PopupMenuSyntax = new QMenu(this);
  PopupMenuSyntax->setObjectName(QStringLiteral("PopupMenuSyntax"));
  FullCollapse = PopupMenuSyntax->addAction(QStringLiteral("Collapse"));
  FullCollapse->setObjectName(QStringLiteral("FullCollapse"));
  FullExpand = PopupMenuSyntax->addAction(QStringLiteral("Expand"));
  FullExpand->setObjectName(QStringLiteral("FullExpand"));

  auto* layout = new QVBoxLayout(this);
  const auto tree = [this, layout](const char* name) {
    auto* t = new QTreeWidget(this);
    t->setObjectName(QString::fromLatin1(name));
    t->setHeaderHidden(true);
    t->setIndentation(19);
    t->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(t, &QTreeWidget::customContextMenuRequested, this,
            [this, t](const QPoint& at) { PopupMenuSyntax->popup(t->viewport()->mapToGlobal(at)); });
    layout->addWidget(t, 1);
    return t;
  };
  TreeViewSyntaxRu = tree("TreeViewSyntaxRu");
  TreeViewSyntaxDe = tree("TreeViewSyntaxDe");
  TreeViewSyntaxEn = tree("TreeViewSyntaxEn");
  TreeViewSyntaxDe->hide();
  TreeViewSyntaxEn->hide();

  Edit = new QLineEdit(this);
  Edit->setObjectName(QStringLiteral("Edit"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(16);
  Edit->setFont(font);
  layout->addWidget(Edit);

  ButtonClose = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
  connect(ButtonClose, &QPushButton::clicked, this, &TFormaSyntax::ButtonCloseClick);
  layout->addWidget(ButtonClose);

  resize(0, 0);  // the minimum size holds
}

void TFormaSyntax::ButtonCloseClick() { close(); }

}  // namespace movra
