#pragma once
// The settings window: never shown, it holds the user's settings for the whole run (colour
// slots, label font size, folder paths, scale, interface language), the language table, and
// the two one-shot timers that apply the language and the colours after start. It reads
// Settings.ini while it is created and writes it when it is destroyed.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>
#include <span>

#include "platform/core/colors.h"
#include "platform/core/window_list.h"
#include "platform/qt/one_shot_timer.h"
#include "shell/base/language_targets.h"

class QAction;
class QActionGroup;
class QMenu;

namespace movra {

class TFormaDaten;
class TFormaDatenFolders;

class TFormaSettings : public QWidget, public platform::NotifyReceiver {
  Q_OBJECT

 public:
  using ColorValue = platform::ColorValue;

  // Runs the creation steps: paths cleared, defaults, Russian marked, Settings.ini loaded;
  // both timers start. Folders gives the place of Settings.ini and the default folders;
  // Daten carries the broadcast; the window takes part in the broadcast through Windows.
  TFormaSettings(TFormaDatenFolders& Folders, TFormaDaten& Daten, platform::WindowList& Windows,
                 QWidget* parent = nullptr);
  // Writes Settings.ini (ActionSaveExecute).
  ~TFormaSettings() override;

  void FormaNotify(int Code) override;

  // ---- Colour slots, 0x00BBGGRR ----
  ColorValue ColorCursor = 0;
  ColorValue ColorBrush = 0;
  ColorValue ColorDefault = 0;
  ColorValue ColorSelect = 0;
  ColorValue ColorEnabled = 0;
  ColorValue ColorToolTyp1 = 0;
  ColorValue ColorToolTyp2 = 0;
  ColorValue ColorToolMax = 0;
  ColorValue ColorToolDrill = 0;
  ColorValue ColorTextMessage = 0;
  ColorValue ColorAxesX = 0;
  ColorValue ColorAxesY = 0;
  ColorValue ColorAxesZ = 0;
  ColorValue ColorContCreate = 0;
  ColorValue ColorDefaultAdditional = 0;
  ColorValue ColorModel = 0;
  ColorValue ColorModelAdditional = 0;
  ColorValue ColorModelBrush = 0;
  ColorValue ColorModelTransparent = 0;
  ColorValue ColorTextCursor = 0;
  ColorValue ColorTextNormal = 0;
  ColorValue ColorToolTyp0 = 0;
  ColorValue ColorToolThread = 0;
  ColorValue ColorSpare = 0;  // reset only: never loaded, saved or read

  int LabelFontSize = 10;  // font size of the editor's coordinate label; not stored
  int ScaleX = 0;          // stored only; 0 is not written

  // ---- Folder paths: as loaded or chosen; the three dialog paths get their defaults when
  // the language is applied ----
  QString PathProgram;
  QString PathProject;
  QString PathTemplate;
  QString PathDxf;
  QString PathRudizi;
  QString PathModel;
  QString PathSketch;
  QString ProjectTyp;  // read from the file, never written, never used

  // ---- Language: three exclusive checkable items of the hidden menu; hint in statusTip ----
  QMenu* Language = nullptr;
  QActionGroup* LanguageGroup = nullptr;
  QAction* Language_Russian = nullptr;
  QAction* Language_German = nullptr;
  QAction* Language_English = nullptr;

  // The language table, one line per item, from the resource compiled into the program.
  QStringList ListBoxLang;

  // The message texts of the language applied last, by slot (ids in MessageIds); empty before
  // the first application. Slot 7 always stays empty.
  using MessageInfoT = std::array<QString, 14>;
  MessageInfoT Messages;

  // ---- Actions; their Execute handlers are the members below ----
  QAction* ActionDefault = nullptr;
  QAction* ActionOpen = nullptr;
  QAction* ActionSave = nullptr;
  QAction* ActionScreen = nullptr;
  QAction* ActionLanguage = nullptr;

  platform::OneShotTimer Timer;       // 200 ms: applies the language after start
  platform::OneShotTimer TimerColor;  // 100 ms: repaint broadcast

  // Resets the 24 colour slots and LabelFontSize.
  void ActionDefaultExecute();
  // Loads Settings.ini; a missing file, section or key keeps the value. A file that exists
  // but cannot be read keeps every value and is marked to be left alone at exit.
  void ActionOpenExecute();
  // Writes Settings.ini in one piece over the old one (through a link to the file it leads
  // to). False when nothing was written: the title is "?", the executable is missing, the
  // file there could not be read at start, or the file system refused (the old file then
  // stays as it was).
  bool ActionSaveExecute();
  // Arms the repaint broadcast.
  void ActionScreenExecute();
  // Applies the marked language to every window; does nothing while ActionLanguage is
  // disabled. Ends, also when a step fails, by disabling ActionLanguage, ActionScreen and the
  // broadcast LanguageApplied.
  void ActionLanguageExecute();

  // Marks the language 0 German, 1 English, 2 Russian and applies it; another index applies
  // the language marked before.
  void SelectLanguage(int Index);
  // 1 English, 0 German, 2 Russian, -1 when none is marked.
  int CurrentLanguage() const;

  void TimerTimer();
  void TimerColorTimer();

  // The hint of the marked language item: "Russian", "German", "English"; empty if none.
  QString LanguageName() const;

  // The application title that decides at save whether anything is written; by default the
  // application's name.
  QString ApplicationTitle() const;
  void SetApplicationTitle(const QString& Title) { title_ = Title; }

 protected:
  // The table lookups and their targets in the windows (after the default paths are set,
  // before the closing steps): the lines of ListBoxLang are trimmed, the message slots filled,
  // the targets given their texts, the file dialogs reset and the syntax tree chosen.
  virtual void ApplyLanguageTable(const QString& LanguageName);
  // The targets walked by ApplyLanguageTable: LanguageTargets().
  virtual std::span<const LanguageTarget> LanguageTargetTable() const;

 private:
  QAction* MakeLanguageItem(const QString& hint);
  void LoadLanguageTable();

  TFormaDatenFolders& folders_;
  TFormaDaten& daten_;
  platform::WindowList& windows_;
  std::optional<QString> title_;
  bool settingsUnread_ = false;  // Settings.ini exists but could not be read
};

}  // namespace movra
