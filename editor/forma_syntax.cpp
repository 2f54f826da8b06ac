#include "editor/forma_syntax.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <string>

#include "platform/core/text_encoding.h"
#include "platform/core/text_file.h"
#include "platform/core/tree_text.h"
#include "platform/qt/tree_text.h"
#include "platform/qt/window_place.h"

// A resource of a static library must be registered by name from outside any namespace.
static void InitSyntaxResource() { Q_INIT_RESOURCE(syntax); }

namespace movra {
namespace {

// Draws every node through TreeViewSyntaxRuCustomDrawItem.
class SyntaxNodeDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* Option, const QModelIndex& Index) const override {
    QStyledItemDelegate::initStyleOption(Option, Index);
    TFormaSyntax::TreeViewSyntaxRuCustomDrawItem(*Option);
  }
};

bool IsKeywordNode(const QString& Text) { return Text.trimmed().startsWith(QLatin1Char('"')); }

}  // namespace

TFormaSyntax::TFormaSyntax(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  InitSyntaxResource();
  setObjectName(QStringLiteral("FormaSyntax"));
  setMinimumSize(480, 360);

  PopupMenuSyntax = new QMenu(this);
  PopupMenuSyntax->setObjectName(QStringLiteral("PopupMenuSyntax"));
  FullCollapse = PopupMenuSyntax->addAction(QStringLiteral("Collapse"));
  FullCollapse->setObjectName(QStringLiteral("FullCollapse"));
  connect(FullCollapse, &QAction::triggered, this, &TFormaSyntax::FullCollapseClick);
  FullExpand = PopupMenuSyntax->addAction(QStringLiteral("Expand"));
  FullExpand->setObjectName(QStringLiteral("FullExpand"));
  connect(FullExpand, &QAction::triggered, this, &TFormaSyntax::FullExpandClick);

  // Black nodes stay readable on a dark desktop theme only on a light ground.
  QPalette light = palette();
  light.setColor(QPalette::Base, Qt::white);
  light.setColor(QPalette::AlternateBase, Qt::white);
  light.setColor(QPalette::Text, Qt::black);
  auto* delegate = new SyntaxNodeDelegate(this);
  auto* layout = new QVBoxLayout(this);
  const auto tree = [&](const char* name, const char* extension) {
    auto* t = new QTreeWidget(this);
    t->setObjectName(QString::fromLatin1(name));
    t->setHeaderHidden(true);
    t->setIndentation(19);
    t->setMouseTracking(true);  // hot tracking
    t->setAttribute(Qt::WA_Hover);
    t->setPalette(light);
    t->setItemDelegate(delegate);
    t->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(t, &QTreeWidget::customContextMenuRequested, this,
            [this, t](const QPoint& at) { PopupMenuSyntax->popup(t->viewport()->mapToGlobal(at)); });
    connect(t, &QTreeWidget::itemDoubleClicked, this,
            [this, t] { TreeViewSyntaxRuDblClick(*t); });
    // The wheel with Ctrl sizes the font; the tree must not page as well.
    t->viewport()->installEventFilter(this);
    QFile resource(SyntaxResource(extension));
    LoadSyntaxTree(*t, resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray());
    layout->addWidget(t, 1);
    return t;
  };
  TreeViewSyntaxRu = tree("TreeViewSyntaxRu", "ru");
  TreeViewSyntaxDe = tree("TreeViewSyntaxDe", "de");
  TreeViewSyntaxEn = tree("TreeViewSyntaxEn", "en");
  TreeViewSyntaxDe->hide();
  TreeViewSyntaxEn->hide();

  Edit = new QLineEdit(this);
  Edit->setObjectName(QStringLiteral("Edit"));
  QFont font;
  // Tahoma is rare outside Windows: a sans-serif of the same width stands in.
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Verdana"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(16);
  Edit->setFont(font);
  layout->addWidget(Edit);

  ButtonClose = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
  connect(ButtonClose, &QPushButton::clicked, this, &TFormaSyntax::ButtonCloseClick);
  layout->addWidget(ButtonClose);

  resize(0, 0);  // the minimum size holds
}

QString TFormaSyntax::SyntaxResource(const char* Extension) {
  return QStringLiteral(":/syntax/Syntax.") + QString::fromLatin1(Extension);
}

bool TFormaSyntax::LoadSyntaxTree(QTreeWidget& Tree, const QByteArray& Utf8Text) {
  const std::string_view bytes(Utf8Text.constData(), static_cast<std::size_t>(Utf8Text.size()));
  platform::TreeText text;
  if (platform::IsValidUtf8(bytes)) text = platform::ReadTreeText(platform::SplitLines(bytes));
  const bool sound = !text.Error && !text.Nodes.empty();
  if (!sound) text.Nodes.clear();
  platform::FillTree(Tree, text.Nodes);
  return sound;
}

void TFormaSyntax::ShowFrom(QWidget* Opener) {
  // A window the modal one owns is not blocked by it.
  QWidget* owner = Opener != nullptr ? Opener->window() : nullptr;
  if (owner != nullptr && owner != this) {
    winId();
    owner->winId();
    windowHandle()->setTransientParent(owner->windowHandle());
  }
  show();
  raise();
  activateWindow();
}

void TFormaSyntax::showEvent(QShowEvent* Event) {
  if (!shownOnce_) {
    shownOnce_ = true;
    platform::CentreOnScreen(*this);
  }
  QWidget::showEvent(Event);
}

void TFormaSyntax::TreeViewSyntaxRuCustomDrawItem(QStyleOptionViewItem& Option) {
  // A disabled tree keeps the greyed look of the desktop.
  if (!(Option.state & QStyle::State_Enabled)) return;
  const QColor colour(IsKeywordNode(Option.text) ? KeywordColour : TextColour);
  Option.palette.setColor(QPalette::Text, colour);
  Option.font.setBold(false);
  Option.font.setItalic(false);
  Option.font.setUnderline(false);
}

void TFormaSyntax::TreeViewSyntaxRuDblClick(QTreeWidget& Tree) {
  const QTreeWidgetItem* node = Tree.currentItem();
  if (node == nullptr) return;
  const QString blanks = QStringLiteral("   ");
  Edit->setText(node->childCount() > 0 ? blanks : blanks + node->text(0));
}

void TFormaSyntax::FullCollapseClick() {
  for (QTreeWidget* tree : {TreeViewSyntaxRu, TreeViewSyntaxDe, TreeViewSyntaxEn})
    if (tree->isVisibleTo(this)) tree->collapseAll();
}

void TFormaSyntax::FullExpandClick() {
  for (QTreeWidget* tree : {TreeViewSyntaxRu, TreeViewSyntaxDe, TreeViewSyntaxEn})
    if (tree->isVisibleTo(this)) tree->expandAll();
}

QTreeWidget* TFormaSyntax::VisibleTree() const {
  for (QTreeWidget* tree : {TreeViewSyntaxRu, TreeViewSyntaxDe, TreeViewSyntaxEn})
    if (tree->isVisibleTo(this)) return tree;
  return nullptr;
}

bool TFormaSyntax::FormMouseWheel(Qt::KeyboardModifiers Shift, int WheelDelta) {
  if (Shift != Qt::ControlModifier) return false;
  const QTreeWidget* shown = VisibleTree();
  if (shown == nullptr) return true;
  int size = shown->font().pointSize();
  if (WheelDelta < 0) size += FontSizeStep;
  if (WheelDelta > 0) size -= FontSizeStep;
  size = std::clamp(size, MinFontSize, MaxFontSize);
  for (QTreeWidget* tree : {TreeViewSyntaxRu, TreeViewSyntaxDe, TreeViewSyntaxEn}) {
    if (!tree->isVisibleTo(this)) continue;
    QFont font = tree->font();
    font.setPointSize(size);
    tree->setFont(font);
  }
  return true;
}

bool TFormaSyntax::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(Event);
    // Keypad and similar flags are no keys held.
    const Qt::KeyboardModifiers held =
        wheel->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                              Qt::MetaModifier);
    if (FormMouseWheel(held, wheel->angleDelta().y())) return true;
  }
  return QWidget::eventFilter(Watched, Event);
}

void TFormaSyntax::ButtonCloseClick() { close(); }

}  // namespace movra
