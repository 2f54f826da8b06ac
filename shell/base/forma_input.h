#pragma once
// The one-line input dialog: a question line, the edit line, and the buttons OK and Cancel.
// Other windows ask for one value through InputValue; a double-click into the edit line
// offers the words of the list dialog.
#include <QDialog>
#include <QImage>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace movra {

class TFormaInputList;

// Text without the leading and trailing blanks and control characters.
QString TrimBlanks(const QString& Text);
// Text without its first "&" (a menu accelerator mark); the others stay.
QString DeleteFirstAmpersand(QString Text);
// Every run of two or more blanks reduced to one blank; single blanks at the ends stay.
QString CollapseBlankRuns(const QString& Text);

class TFormaInput : public QDialog {
  Q_OBJECT

 public:
  static constexpr int MinWidth = 300;
  static constexpr int MaxWidth = 1000;
  static constexpr int FixedHeight = 140;

  explicit TFormaInput(QWidget* parent = nullptr);

  // Modal one-line input. Caption is the dialog's caption, Info the question above the edit
  // line (none when empty), Value the text the edit line starts with. True on OK, with Value
  // := the edit text with runs of blanks collapsed; false on Cancel, Esc or closing, with
  // Value left alone.
  bool InputValue(QString Caption, QString Info, QString& Value);

  // The steps of InputValue before the dialog is shown: captions, width and texts.
  void PrepareInput(QString Caption, QString Info, const QString& Value);
  // The width for an edit line that shows Value in full, within MinWidth..MaxWidth.
  int WidthForValue(const QString& Value);

  // Opens the list dialog with the edit line as its target.
  void EditDblClick();
  // Both buttons take half the bar, less its border and a gap.
  void Panel0Resize();

  // Set by the start-up once the list dialog exists.
  TFormaInputList* FormaInputList = nullptr;

  // Its drawing surface measures text widths.
  QImage MeasureBitmap;

  QLabel* PanelInfo = nullptr;  // 25 pixels, text at the left
  QLineEdit* Edit = nullptr;    // Tahoma, 16 pixels
  QWidget* Panel0 = nullptr;    // button bar
  QPushButton* ButtonOk = nullptr;
  QPushButton* ButtonCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void setVisible(bool visible) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Enter ends the dialog with OK, Esc with Cancel; both keys go no further.
  bool DialogKey(const QKeyEvent& key);
  void FocusEditAtEnd();
};

}  // namespace movra
