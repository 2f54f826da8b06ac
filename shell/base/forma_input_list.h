#pragma once
// The list dialog: words from the lists the user loaded (tools, technical terms, processes),
// one of which goes into the line below the lists and from there into the caller's line.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QWidget;

namespace movra {

class TFormaInputList : public QDialog {
  Q_OBJECT

 public:
  // A list file beyond this size is refused instead of filling the memory.
  static constexpr qint64 MaxListFileBytes = qint64{128} << 20;

  explicit TFormaInputList(QWidget* parent = nullptr);

  // Modal choice of a word. When the user chose one, the target's text becomes its part up
  // to and including the first ";" (none without a ";"), a blank and the chosen text,
  // without blanks at the ends.
  void ShowAndApply(QLineEdit& Target);
  void ShowAndApply(QComboBox& Target);
  // The target's new text after a choice.
  static QString AppliedText(const QString& TargetText, const QString& Chosen);

  // What the dialog's events do.
  void FormShow();
  void EditChange();
  void ListBoxClick(QListWidgetItem* Item);
  void ListBoxDblClick(QListWidgetItem* Item);
  void ButtonSaveClick();
  void ButtonCloseClick();
  // Asks for a list file and loads it into the list of the active tab.
  void OpenClick();
  // Loads the file's lines into LoadedList and the list of the active tab. A file that cannot
  // be read shows the error and leaves every list as it was: false.
  bool LoadListFile(const QString& FileName);
  // The list on the active tab.
  QListWidget* ActiveList() const;
  // Where the open dialog starts: the folder "Listbox" in the working folder, or beside the
  // executable when the working folder has none.
  static QString ListFolder();

  // The choice mark of the edit line: 1 when the dialog ended with a choice to apply.
  int EditTag = 0;

  // The plain-text lines of the last list file opened.
  QStringList LoadedList;

  // The file dialog of OpenClick (empty when cancelled), the error message of a list file
  // that cannot be read, and whether the interface is Russian (plain-text files that are no
  // UTF-8 are then read as Windows-1251). Tests put their own in.
  std::function<QString()> OpenFileDialog;
  std::function<void(const QString& Message)> ShowError;
  std::function<bool()> RussianInterface;

  QMenuBar* MainMenu = nullptr;
  QAction* Open = nullptr;
  QTabWidget* PageControl = nullptr;
  QWidget* TabSheetTool = nullptr;
  QListWidget* ListBoxTool = nullptr;
  QWidget* TabSheetTerm = nullptr;
  QListWidget* ListBoxTerm = nullptr;
  QWidget* TabSheetTech = nullptr;
  QListWidget* ListBoxTech = nullptr;
  QLineEdit* Edit = nullptr;
  QPushButton* ButtonSave = nullptr;
  QPushButton* ButtonClose = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Runs the dialog; the chosen text when the choice mark is 1.
  std::optional<QString> Choose();
};

}  // namespace movra
