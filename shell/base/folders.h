#pragma once
// The folder operations of the shared data window: the default places beside the executable,
// the folder choice and opening a folder in the file manager. Every folder string ends with
// "/"; an empty string means the folder is not available.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace movra {

class TFormaDatenFolders {
 public:
  // ExeFolder is the folder of the executable; ExeFile the executable itself. Without
  // ExeFile the executable counts as present when its folder exists.
  explicit TFormaDatenFolders(const QString& ExeFolder = QString(),
                              const QString& ExeFile = QString());
  // The default dialog refers to this object: it is neither copied nor moved.
  TFormaDatenFolders(const TFormaDatenFolders&) = delete;
  TFormaDatenFolders& operator=(const TFormaDatenFolders&) = delete;
  void SetExeFolder(const QString& ExeFolder, const QString& ExeFile = QString());

  QString ExeFolder() const;
  // Whether the executable is on disk: without it no default place is offered.
  bool ExeFileExists() const;

  // These three do not test whether the folder exists.
  QString ProgramFolder() const;
  QString ProjectFolder() const;
  QString TemplateFolder() const;
  QString SettingsFileName() const;
  // Empty also when the folder "Info/" is missing.
  QString InfoFolder() const;

  // The folder chosen in the folder dialog plus "/", or empty when the user cancels. The
  // dialog starts at Initial if that folder exists, else in ProjectFolder, else in ExeFolder.
  QString ChooseFolder(const QString& Initial);
  // The folder the dialog of ChooseFolder(Initial) starts in.
  QString ChooseFolderStart(const QString& Initial) const;
  // Opens the folder in the file manager if it exists; a missing folder does nothing.
  void OpenFolder(const QString& Folder) const;

  // The dialog behind ChooseFolder: gets the start folder, gives the chosen folder or nothing.
  // Tests put their own in; by default it is the platform's modal folder dialog.
  std::function<std::optional<QString>(const QString& StartFolder)> FolderDialog;
  // Owner of the dialogs.
  QWidget* DialogParent = nullptr;

 private:
  QString BesideExe(const QString& name) const;

  QString exeFolder_;  // with trailing "/", or empty
  QString exeFile_;
};

// The path with exactly one trailing "/"; empty stays empty.
QString WithTrailingSlash(const QString& Path);

}  // namespace movra
