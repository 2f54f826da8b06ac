#pragma once
// The main window: the text of one CNC program, the template panel at its right, the editor
// button at its bottom and the language box at its top right. It colours the address letters
// of the text while the user types, and creates, opens and saves program files. Closing it
// ends the program.
#include <QColor>
#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "platform/core/window_list.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/rich_edit.h"
#include "shell/core/program_colouring.h"

class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QSplitter;
class QWidget;

namespace movra {

class TFormaDatenFolders;
class TFormaEditor;
class TFormaInfo;
class TFormaSettings;

// The windows the main window works with, handed in by reference at its creation. The
// start-up creates them after the main window and they live as long as it; the main window
// reaches them only from events, once they exist.
struct MainWindowLinks {
  TFormaSettings& FormaSettings;
  TFormaDatenFolders& FormaDatenFolders;  // the folder operations of the shared data window
  TFormaInfo& FormaInfo;
  TFormaEditor& FormaEditor;
};

class TForma_Rudizi : public QMainWindow, public platform::NotifyReceiver {
  Q_OBJECT

 public:
  // FormCreate: caption, empty text not modified, SaveBuffer, ColouringBusy, template panel at
  // half the width. The window takes part in the broadcast through Windows.
  TForma_Rudizi(platform::WindowList& Windows, const MainWindowLinks& Links,
                QWidget* parent = nullptr);
  ~TForma_Rudizi() override;

  // FormaNotifyHandler: every code resets the caption to the application title; on
  // LanguageApplied the language box, and Qt's own texts, follow the applied language.
  void FormaNotify(int Code) override;

  TFormaSettings& FormaSettings;
  TFormaDatenFolders& FormaDatenFolders;
  TFormaInfo& FormaInfo;
  TFormaEditor& FormaEditor;

  QStringList SaveBuffer;          // the program lines while a file is written
  std::uint8_t ColouringBusy = 0;  // 1 while ColourizeText runs; 0 from outside stops it

  // ---- Main menu; the hints of PNew, PSaveAs and PClose (status tips) are the questions ----
  QMenu* Files = nullptr;
  QAction* PNew = nullptr;
  QAction* POpen = nullptr;
  QAction* PSave = nullptr;
  QAction* PSaveAs = nullptr;
  QAction* TemplateLoad = nullptr;
  QMenu* FilesLocation = nullptr;
  QAction* FilesLocationProgram = nullptr;
  QAction* FilesLocationTemplate = nullptr;
  QAction* PClose = nullptr;
  QMenu* Info = nullptr;
  QAction* HelpAbout = nullptr;
  QAction* HelpPdf = nullptr;

  // ---- Controls ----
  QWidget* PanelTop = nullptr;
  QWidget* PanelLang = nullptr;
  QComboBox* ComboBoxLanguage = nullptr;  // "de", "en", "ru"
  QSplitter* Splitter1 = nullptr;
  platform::RichEdit* RichEditProgram = nullptr;
  QWidget* Panel_Template = nullptr;
  QPushButton* ButtonEdit = nullptr;

  // ---- Dialogs; the file name of SaveDialog_Program is the current file ----
  platform::FileDialog* OpenDialog_Program = nullptr;
  platform::FileDialog* SaveDialog_Program = nullptr;
  platform::FileDialog* OpenDialog_Template = nullptr;

  // The questions and messages the window shows; tests put their own in. Ask gives true for
  // Yes; by default both are the platform's modal message boxes.
  std::function<bool(const QString& Question)> Ask;
  std::function<void(const QString& Message)> ShowMessage;

  // The caption after start, after New and after every broadcast.
  static QString ApplicationTitle();
  // The current file: empty for a new text.
  QString CurrentFileName() const;
  // The file dialogs' filter of program files.
  static constexpr const char* ProgramFilter = "*.txt|*.txt|*.nc|*.nc|*.*|*.*";
  // Larger files are refused with a message instead of being loaded into the text.
  static constexpr qint64 MaxProgramFileBytes = 32LL * 1024 * 1024;

  // ---- Colouring ----
  // The colour class of one character, Default for every character that is no address letter.
  static QColor LetterColour(QChar Ch, const QColor& Default);
  // Colours every character that stands directly before a digit by its letter class; lets
  // events run at every line end. Never changes the text: it stops as soon as the text changes
  // under it (and colours again once it has ended), and leaves the caret, the selection and
  // the modified mark alone.
  ColouringEnd ColourizeText(platform::RichEdit& Edit);
  void RichEditProgramKeyPress(QChar Typed);
  void RichEditProgramKeyUp();

  // ---- Commands ----
  void PNewClick();
  void POpenClick();
  void PSaveClick();
  void PSaveAsClick();
  void PCloseClick();
  // True when the window may close; asks before a modified text is lost.
  bool FormCloseQuery();
  void FilesLocationProgramClick();
  void FilesLocationTemplateClick();
  void HelpAboutClick();
  void HelpPdfClick();
  void ComboBoxLanguageSelect();
  // Shows the graphic editor modally with its starter text; the program text is not passed.
  void ButtonEditClick();
  // The editor before it is shown: closed, head emptied, starter text, save panel hidden.
  void PrepareEditor();

  // ---- Window events ----
  void FormResize();
  // Esc: stops a running colouring, otherwise hides the template body view.
  void FormKeyDown(int Key);
  // A click on the window's free area stops a running colouring.
  void FormClick();
  // Ctrl+wheel (exactly Ctrl, no mouse button) on the focused control: Delta > 0 (away from
  // the user) makes its text 2 points smaller, Delta < 0 larger, within 10..30. True when the
  // wheel was used for this.
  bool FormMouseWheel(QWidget* Focused, int Delta, Qt::KeyboardModifiers Modifiers,
                      Qt::MouseButtons Buttons);
  // The template body view comes with the template browser; nothing to hide yet.
  void HideTemplateText();

  // Reads a program file whole: its lines, or false with the reason in Error. The text of the
  // window is not touched.
  bool ReadProgramFile(const QString& Path, QStringList& Lines, QString& Error) const;
  // Writes the program lines to Path in one piece (CR LF after every line). False when the
  // file system refused; the old file then stays as it was.
  bool WriteProgramFile(const QString& Path);

 signals:
  // The window was closed: the program ends.
  void Closed();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenu();
  void CreateDialogs();
  // Writes the text to File and makes it the current file; false (with a message) when the
  // write failed, and nothing else changes then.
  bool SaveTo(const QString& File);

  platform::WindowList& windows_;
};

}  // namespace movra
