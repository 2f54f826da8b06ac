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
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace movra {

class TFormaDatenFolders;
class TFormaEditor;
class TFormaInfo;
class TFormaInput;
class TFormaSettings;

// The windows the main window works with, handed in by reference at its creation. The
// start-up creates them after the main window and they live as long as it; the main window
// reaches them only from events, once they exist.
struct MainWindowLinks {
  TFormaSettings& FormaSettings;
  TFormaDatenFolders& FormaDatenFolders;  // the folder operations of the shared data window
  TFormaInfo& FormaInfo;
  TFormaEditor& FormaEditor;
  TFormaInput& FormaInput;  // edits a line of the template tree
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
  TFormaInput& FormaInput;

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

  // ---- Template browser (forma_rudizi_template.cpp) ----
  // A read-only tree of templates from a template file: sections at the top, templates as
  // header nodes ending with ":" whose direct children are the program lines, comments ending
  // with "~". A template's lines are shown in the body view laid over the tree, from where
  // they are added to the program text or copied to the clipboard.
  QTreeWidget* TreeView_Template = nullptr;
  platform::RichEdit* RichEditTemplate = nullptr;  // hidden until a template is shown
  QWidget* PanelBottom = nullptr;                  // 25 pixels, hidden with the body view
  QPushButton* SpeedButtonAdd = nullptr;
  QPushButton* SpeedButtonCopy = nullptr;
  QPushButton* SpeedButtonClose = nullptr;
  QMenu* PopupMenuTree = nullptr;
  QAction* ActionEdit = nullptr;  // the popup item PEdit, Ctrl+E
  QAction* PExpand = nullptr;     // Ctrl+Q
  int PExpandTag = 0;             // PExpand's expansion depth, 0..3

  // The one-line input that edits a tree line; tests put their own in. By default
  // FormaInput.InputValue.
  std::function<bool(const QString& Caption, const QString& Info, QString& Value)> InputValue;

  // Larger template files are refused with a message; the tree stays as it was.
  static constexpr qint64 MaxTemplateFileBytes = 16LL * 1024 * 1024;

  // Runs the template open dialog and loads the chosen file.
  void TemplateLoadClick();
  // Loads a template file into the tree, its first node selected, all collapsed, the
  // expansion counter at 0. A file that cannot be read leaves the tree as it was and says
  // why; a line too deep keeps the nodes read before it and says where. False then.
  bool LoadTemplateFile(const QString& Path);
  // Next expansion depth: 1 (sections open), 2, 3, then all collapsed again.
  void PExpandClick();
  // Shows the lines of the selected node's template in the body view.
  void ActionEditExecute();
  // Add (Sender SpeedButtonAdd) appends the body to the program text and one empty line;
  // Copy (SpeedButtonCopy) puts it on the clipboard. Either hides the body view.
  void SpeedButtonAddClick(QObject* Sender);
  void SpeedButtonCloseClick();
  void HideTemplateText();
  void TreeView_TemplateChange();
  void TreeView_TemplateDblClick();
  // Backspace edits the selected line through the input dialog; the tree never sees the key.
  void TreeView_TemplateKeyDown(int Key);
  void TreeView_TemplateMouseMove();
  // Focus lost: Edit and Expand are disabled, unless the tree's own popup menu took it.
  void TreeView_TemplateExit(Qt::FocusReason Reason);
  void PanelBottomResize();

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
  void CreateTemplateBrowser();
  bool TemplateEvent(QObject* watched, QEvent* event);
  // Writes the text to File and makes it the current file; false (with a message) when the
  // write failed, and nothing else changes then.
  bool SaveTo(const QString& File);

  platform::WindowList& windows_;
};

}  // namespace movra
