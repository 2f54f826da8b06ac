#include "platform/qt/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace movra::platform {
namespace {

std::optional<QString> RunPlatformDialog(const FileDialog& Dialog, QWidget* Parent) {
  QFileDialog dialog(Parent);
  const bool save = Dialog.Kind == FileDialog::Mode::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setDefaultSuffix(Dialog.DefaultExt);
  const QStringList filters = Dialog.NameFilters();
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  const QFileInfo current(Dialog.FileName);
  if (!Dialog.InitialDir.isEmpty()) dialog.setDirectory(Dialog.InitialDir);
  if (!Dialog.FileName.isEmpty()) {
    if (current.isAbsolute()) dialog.setDirectory(current.absolutePath());
    dialog.selectFile(current.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

FileDialog::FileDialog(Mode Kind_, const QString& Name, QObject* parent)
    : QObject(parent), Kind(Kind_) {
  setObjectName(Name);
}

bool FileDialog::Execute(QWidget* Parent) {
  const std::optional<QString> chosen = Runner ? Runner(*this) : RunPlatformDialog(*this, Parent);
  if (!chosen || chosen->isEmpty()) return false;
  FileName = *chosen;
  return true;
}

QStringList FileDialog::NameFilters() const {
  QStringList filters;
  const QStringList parts = Filter.split(QChar(u'|'));
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1].trimmed();
    // On this platform "*.*" would hide every name without a dot.
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    if (pattern.isEmpty()) continue;
    filters.append(QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), pattern));
  }
  return filters;
}

}  // namespace movra::platform
