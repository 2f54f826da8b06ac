#include "platform/qt/dialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace movra::platform {
namespace {

// A folder tree above an edit line. The edit line follows the tree; what it holds when OK is
// pressed is the answer, so a new folder name can be typed into it.
class FolderDialog : public QDialog {
 public:
  FolderDialog(QWidget* parent, const QString& start) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select folder"));
    setObjectName(QStringLiteral("FolderDialog"));
    model_.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_.setRootPath(QString());
    tree_.setObjectName(QStringLiteral("TreeViewFolders"));
    tree_.setModel(&model_);
    for (int column = 1; column < model_.columnCount(); ++column) tree_.hideColumn(column);
    tree_.header()->hide();
    edit_.setObjectName(QStringLiteral("EditFolder"));
    buttons_.setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&tree_);
    layout->addWidget(&edit_);
    layout->addWidget(&buttons_);
    resize(420, 480);

    const QString folder = QDir::cleanPath(start.isEmpty() ? QDir::currentPath() : start);
    base_ = folder;
    edit_.setText(QDir::toNativeSeparators(folder));
    const QModelIndex index = model_.index(folder);
    if (index.isValid()) {
      tree_.setCurrentIndex(index);
      tree_.scrollTo(index);
    }
    connect(tree_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { TreeChanged(current); });
    connect(&buttons_, &QDialogButtonBox::accepted, this, [this] { OkClick(); });
    connect(&buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  }

  QString Chosen() const { return chosen_; }

 private:
  void TreeChanged(const QModelIndex& current) {
    if (!current.isValid()) return;
    base_ = model_.filePath(current);
    edit_.setText(QDir::toNativeSeparators(base_));
  }

  void OkClick() {
    const auto folder = ResolveTypedFolder(QDir::fromNativeSeparators(edit_.text()), base_,
                                           [this](const QString& missing) {
                                             return AskYesNo(this, MissingFolderQuestion(missing));
                                           });
    if (!folder) return;  // the dialog stays open for another choice
    chosen_ = *folder;
    accept();
  }

  QFileSystemModel model_;
  QTreeView tree_;
  QLineEdit edit_;
  QDialogButtonBox buttons_;
  QString base_;
  QString chosen_;
};

}  // namespace

bool AskYesNo(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

QString MissingFolderQuestion(const QString& folder) {
  return QStringLiteral("The folder \"%1\" does not exist. Use it anyway?")
      .arg(QDir::toNativeSeparators(folder));
}

std::optional<QString> ResolveTypedFolder(
    const QString& Typed, const QString& Base,
    const std::function<bool(const QString&)>& ConfirmMissing) {
  const QString text = Typed.trimmed();
  if (text.isEmpty()) return std::nullopt;
  const QString folder = QDir::cleanPath(QDir(Base).absoluteFilePath(text));
  const QFileInfo info(folder);
  if (info.isDir()) return folder;
  if (info.exists()) return std::nullopt;  // a file is no folder
  if (ConfirmMissing && ConfirmMissing(folder)) return folder;
  return std::nullopt;
}

std::optional<QString> ChooseFolderDialog(QWidget* parent, const QString& StartFolder) {
  FolderDialog dialog(parent, StartFolder);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace movra::platform
