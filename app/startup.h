#pragma once
// The program's windows, each created once in a fixed order and alive until the program ends,
// the first-start language choice, the message loop, and the shut-down in reverse order (the
// settings window, destroyed first, writes Settings.ini).
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/forma_editor.h"
#include "editor/forma_syntax.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "machining/forma_editor_turn.h"
#include "platform/core/window_list.h"
#include "shell/base/folders.h"
#include "shell/base/forma_info.h"
#include "shell/base/forma_input.h"
#include "shell/base/forma_input_list.h"
#include "shell/base/forma_input_memo.h"
#include "shell/base/forma_settings.h"
#include "shell/base/forma_start.h"
#include "shell/forma_rudizi.h"

namespace movra {

inline constexpr const char* ApplicationName = "Movra_Rudizi";

class Startup {
  // Set up before the first window: the application title, the message pump for long
  // computations, and the end of the program bound to the main window alone.
  struct ApplicationSetup {
    ApplicationSetup();
    ~ApplicationSetup();
    ApplicationSetup(const ApplicationSetup&) = delete;
    ApplicationSetup& operator=(const ApplicationSetup&) = delete;
  };

 public:
  // Creates the windows. ExeFolder is the folder of the executable, beside which Settings.ini
  // and the default folders lie; ExeFile the executable itself.
  Startup(const QString& ExeFolder, const QString& ExeFile);
  Startup(const Startup&) = delete;
  Startup& operator=(const Startup&) = delete;

  // The first-start check, then the main window maximised and the message loop until the
  // main window is closed. Returns the program's exit code. With QuitWhenShown the loop ends
  // as soon as the main window is on the screen.
  int Run(bool QuitWhenShown = false);

  // Runs once, after all windows exist and before the message loop: while Settings.ini is
  // missing the user picks the language. False when the dialog was closed without a choice:
  // the program must then end without entering the loop.
  bool FirstStartCheck();

  // Maximised; restored it has its minimum size, centred.
  void ShowMainWindow();

  // The title of the application and of the settings writer; "?" keeps Settings.ini unwritten.
  void SetApplicationTitle(const QString& Title);

  // The keyboard layout the first-start dialog preselects from.
  std::function<std::uint32_t()> KeyboardLayout;

  // The instance names of the windows in the order their creation finished.
  const std::vector<std::string>& CreationOrder() const { return creationOrder_; }

 private:
  // T built in place from Args; its name is recorded once its creation has finished.
  template <class T, class... Args>
  T Create(const char* Name, Args&&... args);

  std::vector<std::string> creationOrder_;
  ApplicationSetup application_;

 public:
  platform::WindowList Windows;  // the broadcast reaches the windows in creation order

  TForma_Rudizi Forma_Rudizi;
  TFormaDaten FormaDaten;
  TFormaDatenFolders FormaDatenFolders;  // the folder operations of FormaDaten
  TFormaStart FormaStart;
  TFormaGeom FormaGeom;
  TFormaInfo FormaInfo;
  TFormaInput FormaInput;
  TFormaInputList FormaInputList;
  TFormaInputMemo FormaInputMemo;
  TFormaEditor FormaEditor;
  TFormaEditorTurn FormaEditorTurn;
  TFormaEditorInsel FormaEditorInsel;
  TFormaSyntax FormaSyntax;
  TFormaSettings FormaSettings;
};

}  // namespace movra
