#pragma once
// The list dialog: words from the lists the user loaded (tools, technical terms, processes),
// one of which goes into the line below the lists.
#include <QDialog>
#include <QStringList>

class QAction;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QWidget;

namespace movra {

class TFormaInputList : public QDialog {
  Q_OBJECT

 public:
  explicit TFormaInputList(QWidget* parent = nullptr);

  // The plain-text lines of the last list file opened.
  QStringList LoadedList;

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
};

}  // namespace movra
