#pragma once
// The memo dialog: a text of several lines that the caller fills and the user saves or drops.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace movra {

class TFormaInputMemo : public QDialog {
  Q_OBJECT

 public:
  explicit TFormaInputMemo(QWidget* parent = nullptr);

  QPlainTextEdit* Memo = nullptr;  // Tahoma, 13 pixels, black
  QWidget* Panel = nullptr;        // button bar
  QPushButton* ButtonSave = nullptr;
  QPushButton* ButtonClose = nullptr;
};

}  // namespace movra
