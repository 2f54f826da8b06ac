#pragma once
// The main window: the text of one CNC program, the template panel at its right, the editor
// button at its bottom and the language box at its top right. Closing it ends the program.
#include <QMainWindow>
#include <QStringList>
#include <cstdint>

#include "platform/core/window_list.h"

class QComboBox;
class QPushButton;
class QSplitter;
class QTextEdit;
class QWidget;

namespace movra {

class TFormaSettings;

// The windows the main window works with, handed in by reference at its creation. The
// start-up creates them after the main window and they live as long as it; the main window
// reaches them only from events, once they exist (the settings window sends the language
// code itself, after its creation).
struct MainWindowLinks {
  TFormaSettings& FormaSettings;
};

class TForma_Rudizi : public QMainWindow, public platform::NotifyReceiver {
  Q_OBJECT

 public:
  // FormCreate: caption, empty text not modified, SaveBuffer, ColouringBusy, template panel at
  // half the width. The window takes part in the broadcast through Windows.
  TForma_Rudizi(platform::WindowList& Windows, const MainWindowLinks& Links,
                QWidget* parent = nullptr);
  ~TForma_Rudizi() override;

  // FormaNotifyHandler: every code resets the caption to the application title; the language
  // box follows the applied language.
  void FormaNotify(int Code) override;

  TFormaSettings& FormaSettings;

  QStringList SaveBuffer;           // the program lines while a file is written
  std::uint8_t ColouringBusy = 0;   // 1 while the letters are coloured

  QWidget* PanelTop = nullptr;
  QWidget* PanelLang = nullptr;
  QComboBox* ComboBoxLanguage = nullptr;  // "de", "en", "ru"
  QSplitter* Splitter1 = nullptr;
  QTextEdit* RichEditProgram = nullptr;
  QWidget* Panel_Template = nullptr;
  QPushButton* ButtonEdit = nullptr;

  // The caption after start, after New and after every broadcast.
  static QString ApplicationTitle();

  void FormResize();
  // The language box switches the interface language.
  void ComboBoxLanguageSelect();

 signals:
  // The window was closed: the program ends.
  void Closed();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  platform::WindowList& windows_;
};

}  // namespace movra
