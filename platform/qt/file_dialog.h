#pragma once
// An open or save dialog for files that keeps its file name and start folder between showings,
// as the windows' file dialogs do: the file name it holds is the window's current file.
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace movra::platform {

class FileDialog : public QObject {
  Q_OBJECT
  // Read and reset by name when the language is applied.
  Q_PROPERTY(QString FileName MEMBER FileName)
  Q_PROPERTY(QString InitialDir MEMBER InitialDir)

 public:
  enum class Mode { Open, Save };

  FileDialog(Mode Kind, const QString& Name, QObject* parent);

  Mode Kind;
  QString FileName;    // the file chosen last; shown again at the next showing
  QString InitialDir;  // where the dialog starts
  QString DefaultExt;  // added to a name typed without extension, e.g. "txt"
  // Pairs of description and pattern, each part followed by "|": "*.txt|*.txt|*.*|*.*".
  // Empty: every file is shown.
  QString Filter;

  // Shows the dialog modally; FileName := the chosen file. False when cancelled (FileName
  // then stays). The save dialog asks nothing itself about a file that exists.
  bool Execute(QWidget* Parent);

  // The name patterns of Filter for the platform's dialog ("*.*" shows every file, also names
  // without a dot).
  QStringList NameFilters() const;

  // The dialog behind Execute: gets this dialog, gives the chosen file or nothing. Tests put
  // their own in; by default it is the platform's modal file dialog.
  std::function<std::optional<QString>(const FileDialog&)> Runner;
};

}  // namespace movra::platform
