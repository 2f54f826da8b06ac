#include "shell/base/folders.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/qt/dialogs.h"

namespace movra {

QString WithTrailingSlash(const QString& Path) {
  if (Path.isEmpty()) return Path;
  QString path = QDir::cleanPath(QDir::fromNativeSeparators(Path));
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path;
}

TFormaDatenFolders::TFormaDatenFolders(const QString& ExeFolder, const QString& ExeFile) {
  SetExeFolder(ExeFolder, ExeFile);
  FolderDialog = [this](const QString& start) {
    return platform::ChooseFolderDialog(DialogParent, start);
  };
}

void TFormaDatenFolders::SetExeFolder(const QString& ExeFolder, const QString& ExeFile) {
  exeFolder_ = WithTrailingSlash(ExeFolder);
  exeFile_ = ExeFile;
}

QString TFormaDatenFolders::ExeFolder() const { return exeFolder_; }

bool TFormaDatenFolders::ExeFileExists() const {
  if (exeFolder_.isEmpty()) return false;
  if (exeFile_.isEmpty()) return QFileInfo(exeFolder_).isDir();
  return QFileInfo(exeFile_).isFile();
}

QString TFormaDatenFolders::BesideExe(const QString& name) const {
  return ExeFileExists() ? exeFolder_ + name : QString();
}

QString TFormaDatenFolders::ProgramFolder() const { return BesideExe(QStringLiteral("Program/")); }

QString TFormaDatenFolders::ProjectFolder() const { return BesideExe(QStringLiteral("Project/")); }

QString TFormaDatenFolders::TemplateFolder() const {
  return BesideExe(QStringLiteral("Template/"));
}

QString TFormaDatenFolders::SettingsFileName() const {
  return BesideExe(QStringLiteral("Settings.ini"));
}

QString TFormaDatenFolders::InfoFolder() const {
  const QString folder = BesideExe(QStringLiteral("Info/"));
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

QString TFormaDatenFolders::ChooseFolderStart(const QString& Initial) const {
  if (!Initial.isEmpty() && QFileInfo(Initial).isDir()) return Initial;
  const QString project = ProjectFolder();
  return project.isEmpty() ? ExeFolder() : project;
}

QString TFormaDatenFolders::ChooseFolder(const QString& Initial) {
  if (!FolderDialog) return QString();
  const std::optional<QString> chosen = FolderDialog(ChooseFolderStart(Initial));
  if (!chosen || chosen->isEmpty()) return QString();
  return WithTrailingSlash(*chosen);
}

void TFormaDatenFolders::OpenFolder(const QString& Folder) const {
  if (Folder.isEmpty() || !QFileInfo(Folder).isDir()) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(Folder).absoluteFilePath()));
}

}  // namespace movra
