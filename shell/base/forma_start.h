#pragma once
// The first-start dialog: the language of the interface is chosen once, before Settings.ini
// exists. Its texts are its own in every language.
#include <QDialog>
#include <cstdint>

class QComboBox;
class QPushButton;

namespace movra {

class TFormaStart : public QDialog {
  Q_OBJECT

 public:
  explicit TFormaStart(QWidget* parent = nullptr);

  QComboBox* ComboBoxStart = nullptr;  // "German", "English", "Russian"; editable
  QPushButton* ButtonStart = nullptr;  // "Ok"

  // 0 until ButtonStart is pressed; a dialog closed with 0 is a choice refused.
  int Tag = 0;

  // The item to preselect for a keyboard layout handle: only the whole handles of the plain
  // German, US English and Russian layouts select their item, any other handle German.
  static int ItemForLayout(std::uint32_t Layout);

  // The chosen item: the item whose text the combo box shows, or -1 for a typed text that is
  // no item.
  int SelectedIndex() const;

  // Sets Tag and ends the dialog with the OK result.
  void ButtonStartClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // A window manager may offer to minimise the dialog anyway; minimised, it would leave
  // nothing on the screen before the main window is shown, so it comes back at once.
  void changeEvent(QEvent* event) override;
};

}  // namespace movra
