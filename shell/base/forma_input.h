#pragma once
// The one-line input dialog: a question line, the edit line, and the buttons OK and Cancel.
#include <QDialog>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace movra {

class TFormaInput : public QDialog {
  Q_OBJECT

 public:
  explicit TFormaInput(QWidget* parent = nullptr);

  // Its drawing surface measures text widths.
  QImage MeasureBitmap;

  QLabel* PanelInfo = nullptr;  // 25 pixels, text at the left
  QLineEdit* Edit = nullptr;    // Tahoma, 16 pixels
  QWidget* Panel0 = nullptr;    // button bar
  QPushButton* ButtonOk = nullptr;
  QPushButton* ButtonCancel = nullptr;
};

}  // namespace movra
