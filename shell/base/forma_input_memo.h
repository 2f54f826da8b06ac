#pragma once
// The memo dialog: a text of several lines that the caller fills and the user saves or drops.
// The caller fills Memo, may set MemoTag to -1 (its text then counts as a change), shows the
// dialog modally and finds MemoTag = 1 afterwards when the user saved.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace movra {

class TFormaInputMemo : public QDialog {
  Q_OBJECT

 public:
  // The memo's font size in points, changed by Ctrl+wheel in steps of two.
  static constexpr int MinFontPoints = 10;
  static constexpr int MaxFontPoints = 30;
  static constexpr int FontStepPoints = 2;

  explicit TFormaInputMemo(QWidget* parent = nullptr);

  // The memo's Tag: -1 from the caller makes its text a change; 1 after Save; else 0.
  int MemoTag = 0;

  void FormShow();
  void MemoChange();
  void ButtonSaveClick();
  void ButtonCloseClick();
  // Ctrl+wheel in the memo: away from the user (Delta > 0) 2 points smaller, towards the user
  // 2 points larger, within MinFontPoints..MaxFontPoints. False when the wheel was not meant
  // for the font (other keys held, or the memo without the focus).
  bool MemoWheel(int Delta, Qt::KeyboardModifiers Modifiers);
  int MemoFontPoints() const;

  QPlainTextEdit* Memo = nullptr;  // Tahoma, 13 pixels, black
  QWidget* Panel = nullptr;        // button bar
  QPushButton* ButtonSave = nullptr;
  QPushButton* ButtonClose = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
};

}  // namespace movra
