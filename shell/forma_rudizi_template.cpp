// The template browser of the main window: the template tree at the right, the body view laid
// over it, and the bar with Add, Copy and Cancel below.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/text_file.h"
#include "platform/core/tree_text.h"
#include "platform/qt/colors.h"
#include "platform/qt/tree_text.h"
#include "shell/base/forma_input.h"
#include "shell/base/forma_settings.h"
#include "shell/core/template_tree.h"
#include "shell/forma_rudizi.h"

namespace movra {
namespace {

constexpr int kBarHeight = 25;
constexpr int kTreeIndent = 19;
constexpr int kTreeBorder = 10;
constexpr int kBodyTextPixels = 13;

std::string Utf8(const QString& Text) { return Text.toStdString(); }

std::vector<std::string> Utf8Lines(const QStringList& Lines) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(Lines.size()));
  for (const QString& line : Lines) lines.push_back(Utf8(line));
  return lines;
}

QStringList QtLines(const std::vector<std::string>& Lines) {
  QStringList lines;
  for (const std::string& line : Lines) lines.append(QString::fromStdString(line));
  return lines;
}

// Dresses an item by the kinds of its text. Only the style bits are set in the font, so the
// view's own family and size (a zoom) still apply.
void StyleTemplateItem(QTreeWidgetItem& Item, std::string_view Text, std::size_t Depth) {
  const TemplateNodeStyle style = TemplateStyle(Text, Depth);
  QFont font;
  if (style.Section) font.setBold(true);
  if (style.Header || style.Comment) font.setItalic(true);
  if (style.Header) font.setUnderline(true);
  Item.setData(0, Qt::FontRole, style == TemplateNodeStyle{} ? QVariant() : QVariant(font));
  QVariant colour;
  if (style.Header)
    colour = platform::ToQColor(TemplateHeaderColour);
  else if (style.Comment)
    colour = platform::ToQColor(TemplateCommentColour);
  Item.setData(0, Qt::ForegroundRole, colour);
}

// The template tree lets its owner ask for one layout after many expansions: opening nodes
// one by one in a laid-out view would lay it out again for each of them.
class TemplateTreeView : public QTreeWidget {
 public:
  using QTreeWidget::QTreeWidget;
  using QAbstractItemView::scheduleDelayedItemsLayout;
};

std::size_t ItemDepth(const QTreeWidgetItem& Item) {
  std::size_t depth = 0;
  for (const QTreeWidgetItem* p = Item.parent(); p != nullptr; p = p->parent()) ++depth;
  return depth;
}

}  // namespace

void TForma_Rudizi::CreateTemplateBrowser() {
  InputValue = [this](const QString& Caption, const QString& Info, QString& Value) {
    return FormaInput.InputValue(Caption, Info, Value);
  };

  TreeView_Template = new TemplateTreeView(Panel_Template);
  TreeView_Template->setObjectName(QStringLiteral("TreeView_Template"));
  TreeView_Template->setHeaderHidden(true);
  TreeView_Template->setColumnCount(1);
  TreeView_Template->setIndentation(kTreeIndent);
  TreeView_Template->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeView_Template->setUniformRowHeights(true);
  TreeView_Template->setStyleSheet(
      QStringLiteral("QTreeWidget { padding: %1px; }").arg(kTreeBorder));
  TreeView_Template->setContextMenuPolicy(Qt::CustomContextMenu);
  TreeView_Template->viewport()->setMouseTracking(true);
  TreeView_Template->installEventFilter(this);
  TreeView_Template->viewport()->installEventFilter(this);
  connect(TreeView_Template, &QTreeWidget::currentItemChanged, this,
          &TForma_Rudizi::TreeView_TemplateChange);
  connect(TreeView_Template, &QTreeWidget::itemDoubleClicked, this,
          &TForma_Rudizi::TreeView_TemplateDblClick);

  RichEditTemplate = new platform::RichEdit(Panel_Template);
  RichEditTemplate->setObjectName(QStringLiteral("RichEditTemplate"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(kBodyTextPixels);
  RichEditTemplate->setFont(font);
  RichEditTemplate->KeyPress = [this](QChar typed) {
    RichEditTemplate->SetInsertionColour(LetterColour(typed, RichEditTemplate->FontColour()));
  };
  RichEditTemplate->viewport()->installEventFilter(this);
  RichEditTemplate->hide();

  PanelBottom = new QWidget(Panel_Template);
  PanelBottom->setObjectName(QStringLiteral("PanelBottom"));
  PanelBottom->setFixedHeight(kBarHeight);
  PanelBottom->installEventFilter(this);
  const auto button = [this](const char* name, const char* text) {
    auto* b = new QPushButton(QString::fromLatin1(text), PanelBottom);
    b->setObjectName(QString::fromLatin1(name));
    return b;
  };
  SpeedButtonAdd = button("SpeedButtonAdd", "Add");
  SpeedButtonCopy = button("SpeedButtonCopy", "Copy");
  SpeedButtonClose = button("SpeedButtonClose", "Cancel");
  connect(SpeedButtonAdd, &QPushButton::clicked, this, [this] { SpeedButtonAddClick(SpeedButtonAdd); });
  connect(SpeedButtonCopy, &QPushButton::clicked, this,
          [this] { SpeedButtonAddClick(SpeedButtonCopy); });
  connect(SpeedButtonClose, &QPushButton::clicked, this, &TForma_Rudizi::SpeedButtonCloseClick);
  PanelBottom->hide();

  // The body view lies in the same cell as the tree, in front of it while shown.
  auto* stack = new QGridLayout();
  stack->setContentsMargins(0, 0, 0, 0);
  stack->addWidget(TreeView_Template, 0, 0);
  stack->addWidget(RichEditTemplate, 0, 0);
  auto* layout = new QVBoxLayout(Panel_Template);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(stack, 1);
  layout->addWidget(PanelBottom);

  ActionEdit = new QAction(QStringLiteral("Edit"), this);
  ActionEdit->setObjectName(QStringLiteral("ActionEdit"));
  ActionEdit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  connect(ActionEdit, &QAction::triggered, this, &TForma_Rudizi::ActionEditExecute);
  PExpand = new QAction(QStringLiteral("Expand"), this);
  PExpand->setObjectName(QStringLiteral("PExpand"));
  PExpand->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(PExpand, &QAction::triggered, this, &TForma_Rudizi::PExpandClick);
  addAction(ActionEdit);
  addAction(PExpand);
  PopupMenuTree = new QMenu(this);
  PopupMenuTree->setObjectName(QStringLiteral("PopupMenuTree"));
  PopupMenuTree->addAction(ActionEdit);
  PopupMenuTree->addAction(PExpand);
  connect(TreeView_Template, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenuTree->popup(TreeView_Template->viewport()->mapToGlobal(at));
  });
}

bool TForma_Rudizi::TemplateEvent(QObject* watched, QEvent* event) {
  // Filters are installed while the browser is built; its controls may not all exist yet.
  if (TreeView_Template == nullptr || RichEditTemplate == nullptr || PanelBottom == nullptr)
    return false;
  if (watched == TreeView_Template) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
      TreeView_TemplateKeyDown(Qt::Key_Backspace);
      return true;  // before the tree's keyboard search
    }
    if (event->type() == QEvent::FocusOut)
      TreeView_TemplateExit(static_cast<QFocusEvent*>(event)->reason());
  } else if (watched == TreeView_Template->viewport()) {
    if (event->type() == QEvent::MouseMove) TreeView_TemplateMouseMove();
  } else if (watched == RichEditTemplate->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) FormClick();
  } else if (watched == PanelBottom) {
    if (event->type() == QEvent::Resize) PanelBottomResize();
  }
  return false;
}

void TForma_Rudizi::TemplateLoadClick() {
  if (!OpenDialog_Template->Execute(this)) return;
  LoadTemplateFile(OpenDialog_Template->FileName);
}

bool TForma_Rudizi::LoadTemplateFile(const QString& Path) {
  HideTemplateText();
  const QString shown = QDir::toNativeSeparators(Path);
  const QFileInfo info(Path);
  if (!info.isFile()) {
    ShowMessage(QStringLiteral("%1\nThe file does not exist or is no file.").arg(shown));
    return false;
  }
  if (info.size() > MaxTemplateFileBytes) {
    ShowMessage(QStringLiteral("%1\nThe file is too large for a template tree (%2 MB; at most %3 MB).")
                    .arg(shown)
                    .arg(info.size() / (1024 * 1024))
                    .arg(MaxTemplateFileBytes / (1024 * 1024)));
    return false;
  }
  std::vector<std::string> lines;
  const bool russian = FormaSettings.CurrentLanguage() == 2;
  if (!platform::ReadTextLines(std::filesystem::path(QFile::encodeName(Path).toStdString()),
                               static_cast<std::uintmax_t>(MaxTemplateFileBytes), russian, lines)) {
    ShowMessage(QStringLiteral("%1\nThe file could not be read.").arg(shown));
    return false;
  }
  const platform::TreeText tree = platform::ReadTreeText(lines);
  lines.clear();
  platform::FillTree(*TreeView_Template, tree.Nodes,
                     [](QTreeWidgetItem& item, const platform::TreeTextNode& node) {
                       StyleTemplateItem(item, node.Text, node.Depth);
                     });
  if (QTreeWidgetItem* first = TreeView_Template->topLevelItem(0))
    TreeView_Template->setCurrentItem(first);
  TreeView_Template->collapseAll();
  // The program text at the left, the template panel at the right with half the width.
  Panel_Template->show();
  FormResize();
  PExpandTag = 0;
  update();
  if (tree.Error) {
    // The nodes read before the faulty line stay and can be used.
    ShowMessage(shown + QChar(u'\n') +
                QString::fromStdString(platform::TreeTextErrorMessage(*tree.Error)));
    return false;
  }
  return true;
}

void TForma_Rudizi::PExpandClick() {
  ++PExpandTag;
  TreeView_Template->collapseAll();
  if (PExpandTag >= 4) {
    PExpandTag = 0;
    return;
  }
  // Every node of a level below the counter opens. Only nodes with children are marked: a
  // line has nothing to show, and there are many of them. The view lays itself out once for
  // all of them.
  static_cast<TemplateTreeView*>(TreeView_Template)->scheduleDelayedItemsLayout();
  std::vector<QTreeWidgetItem*> open;
  for (int i = 0; i < TreeView_Template->topLevelItemCount(); ++i)
    open.push_back(TreeView_Template->topLevelItem(i));
  std::vector<QTreeWidgetItem*> next;
  for (int level = 0; level < PExpandTag && !open.empty(); ++level) {
    next.clear();
    for (QTreeWidgetItem* item : open) {
      if (item->childCount() == 0) continue;
      item->setExpanded(true);
      for (int i = 0; i < item->childCount(); ++i) next.push_back(item->child(i));
    }
    open.swap(next);
  }
}

void TForma_Rudizi::ActionEditExecute() {
  QTreeWidgetItem* selected = TreeView_Template->currentItem();
  if (selected == nullptr || !ShowsTemplateBody(Utf8(selected->text(0)))) return;
  QTreeWidgetItem* parent = selected->parent();
  if (parent == nullptr || !IsTemplateParent(Utf8(parent->text(0)))) return;

  const int size = RichEditTemplate->WholeTextSize();
  QStringList body;
  for (int i = 0; i < parent->childCount(); ++i) body.append(parent->child(i)->text(0));
  RichEditTemplate->SetLines(body);
  RichEditTemplate->SetWholeTextSize(size);
  ColourizeText(*RichEditTemplate);

  RichEditTemplate->show();
  RichEditTemplate->raise();
  RichEditTemplate->document()->setModified(false);
  RichEditTemplate->setFocus();
  PanelBottom->show();
  ActionEdit->setEnabled(true);
  SpeedButtonAdd->setEnabled(true);
  SpeedButtonCopy->setEnabled(true);
}

void TForma_Rudizi::SpeedButtonAddClick(QObject* Sender) {
  const std::vector<std::string> body = TrimTemplateBody(Utf8Lines(RichEditTemplate->Lines()));
  RichEditTemplate->SetLines(QtLines(body));
  if (Sender == SpeedButtonAdd) {
    // Put after the last line, in the size the text shows; the program text is modified.
    QTextDocument& doc = *RichEditProgram->document();
    const bool hasLines = RichEditProgram->HasLines();
    QTextCharFormat format;
    if (hasLines) format.setFontPointSize(RichEditProgram->WholeTextSize());
    QTextCursor end(&doc);
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromStdString(TemplateBodyToAppend(hasLines, body)), format);
    ColourizeText(*RichEditProgram);
    RichEditProgram->setFocus();
    QTextCursor caret = RichEditProgram->textCursor();
    caret.movePosition(QTextCursor::End);
    RichEditProgram->setTextCursor(caret);
    RichEditProgram->ensureCursorVisible();
    HideTemplateText();
  } else if (Sender == SpeedButtonCopy) {
    QApplication::clipboard()->setText(RichEditTemplate->toPlainText());
    HideTemplateText();
    TreeView_Template->setFocus();
  }
}

void TForma_Rudizi::SpeedButtonCloseClick() { HideTemplateText(); }

void TForma_Rudizi::HideTemplateText() {
  RichEditTemplate->hide();
  PanelBottom->hide();
}

void TForma_Rudizi::TreeView_TemplateChange() { ColourizeText(*RichEditTemplate); }

void TForma_Rudizi::TreeView_TemplateDblClick() { ActionEditExecute(); }

void TForma_Rudizi::TreeView_TemplateKeyDown(int Key) {
  if (Key != Qt::Key_Backspace) return;
  QTreeWidgetItem* selected = TreeView_Template->currentItem();
  if (selected == nullptr) return;
  const std::string text = Utf8(selected->text(0));
  if (!IsEditableTemplateLine(text)) return;
  const QString trimmed = QString::fromStdString(std::string(TrimTemplateText(text)));
  QString value = trimmed;
  if (!InputValue(trimmed, QString(), value)) return;
  // The change lives in the tree only; the line may now be a header or a comment.
  selected->setText(0, value);
  StyleTemplateItem(*selected, Utf8(value), ItemDepth(*selected));
}

void TForma_Rudizi::TreeView_TemplateMouseMove() {
  const bool selected = TreeView_Template->currentItem() != nullptr;
  ActionEdit->setEnabled(selected);
  PExpand->setEnabled(selected);
}

void TForma_Rudizi::TreeView_TemplateExit(Qt::FocusReason Reason) {
  // The tree's popup menu must still offer Edit and Expand.
  if (Reason == Qt::PopupFocusReason) return;
  ActionEdit->setEnabled(false);
  PExpand->setEnabled(false);
}

void TForma_Rudizi::PanelBottomResize() {
  const int third = PanelBottom->width() / 3;
  const int height = PanelBottom->height();
  SpeedButtonAdd->setGeometry(0, 0, third, height);
  SpeedButtonCopy->setGeometry(third, 0, third, height);
  SpeedButtonClose->setGeometry(2 * third, 0, PanelBottom->width() - 2 * third, height);
}

}  // namespace movra
