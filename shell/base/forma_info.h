#pragma once
// The about box: product name, version and legal notice of the executable, the contact
// lines, and a button that closes it.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace movra {

class TFormaInfo : public QDialog {
  Q_OBJECT

 public:
  explicit TFormaInfo(QWidget* parent = nullptr);

  QFrame* Panel = nullptr;  // framed panel: picture at the left, texts at the right
  QLabel* Image = nullptr;  // product picture
  QLabel* VersionTitle = nullptr;
  QLabel* StaticTextCopyright = nullptr;
  QLabel* StaticTextRecht = nullptr;
  QLabel* StaticTextMail = nullptr;
  QLabel* StaticTextComments = nullptr;  // bold
  QPushButton* SpeedButtonExit = nullptr;
};

}  // namespace movra
