#pragma once
// The about box: product name, version and legal notice of the executable, the contact
// lines, and a button that closes it. A click on a text line writes an e-mail to the author.
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

namespace movra {

namespace platform {
class VersionResource;
}

class TFormaInfo : public QDialog {
  Q_OBJECT

 public:
  // The address the contact line shows and the e-mail goes to.
  static constexpr const char* ContactAddress = "movra.rudizi@example.org";
  // The string blocks asked for, in this order; a value of a later block replaces one found
  // before. The program itself carries only the German one.
  static constexpr const char* VersionBlocks[] = {"041904E3", "040704E4"};

  // Reads the executable's version resource.
  explicit TFormaInfo(QWidget* parent = nullptr);

  // ProductVersion to VersionTitle, LegalCopyright to StaticTextCopyright, ProductName to the
  // caption; without a resource the layout texts stay.
  void ReadVersionResource(const std::optional<platform::VersionResource>& Resource);

  // "mailto:" address "?subject=" caption "&Body=".
  QString MailLink() const;
  // A click on the comments, copyright, rights or mail line.
  void StaticTextClick();

  // Hands the mail link to the desktop; tests put their own in.
  std::function<void(const QString& Link)> OpenMail;
  // The box shows in the middle of this window (set by the start-up).
  const QWidget* MainWindow = nullptr;

  QFrame* Panel = nullptr;  // framed panel: picture at the left, texts at the right
  QLabel* Image = nullptr;  // product picture
  QLabel* VersionTitle = nullptr;
  QLabel* StaticTextCopyright = nullptr;
  QLabel* StaticTextRecht = nullptr;
  QLabel* StaticTextMail = nullptr;
  QLabel* StaticTextComments = nullptr;  // bold
  QPushButton* SpeedButtonExit = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
};

}  // namespace movra
