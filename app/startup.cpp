#include "app/startup.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <exception>
#include <utility>

#include "platform/core/application.h"
#include "platform/qt/keyboard_layout.h"
#include "platform/qt/rich_edit.h"

namespace movra {
namespace {

// Ends the loop once the watched window has painted for the first time.
class QuitWhenPainted : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }
};

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

Startup::ApplicationSetup::ApplicationSetup() {
  QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationName));
  platform::SetMessagePump([] { QCoreApplication::processEvents(); });
  // Only the main window's closing ends the program (see Startup::Startup).
  QApplication::setQuitOnLastWindowClosed(false);
}

Startup::ApplicationSetup::~ApplicationSetup() {
  platform::SetMessagePump({});
  QApplication::setQuitOnLastWindowClosed(true);
}

template <class T, class... Args>
T Startup::Create(const char* Name, Args&&... args) {
  // Its destructor runs after the returned window is built in its member.
  struct Recorder {
    std::vector<std::string>& order;
    const char* name;
    int exceptions = std::uncaught_exceptions();
    ~Recorder() {
      if (std::uncaught_exceptions() == exceptions) order.emplace_back(name);
    }
  } recorder{creationOrder_, Name};
  return T(std::forward<Args>(args)...);
}

Startup::Startup(const QString& ExeFolder, const QString& ExeFile)
    : KeyboardLayout(platform::KeyboardLayout),
      // The windows it works with are built after it; it only keeps the references.
      Forma_Rudizi(Create<TForma_Rudizi>(
          "Forma_Rudizi", Windows,
          MainWindowLinks{FormaSettings, FormaDatenFolders, FormaInfo, FormaEditor, FormaInput})),
      FormaDaten(&Windows),
      FormaDatenFolders(Create<TFormaDatenFolders>("FormaDaten", ExeFolder, ExeFile)),
      FormaStart(Create<TFormaStart>("FormaStart")),
      FormaGeom(Create<TFormaGeom>("FormaGeom", FormaDaten,
                                   LocalPath(FormaDatenFolders.ExeFolder()))),
      FormaInfo(Create<TFormaInfo>("FormaInfo")),
      FormaInput(Create<TFormaInput>("FormaInput")),
      FormaInputList(Create<TFormaInputList>("FormaInputList")),
      FormaInputMemo(Create<TFormaInputMemo>("FormaInputMemo")),
      FormaEditor(Create<TFormaEditor>("FormaEditor", Windows, FormaGeom)),
      FormaEditorTurn(Create<TFormaEditorTurn>("FormaEditorTurn", FormaDaten, FormaGeom)),
      FormaEditorInsel(Create<TFormaEditorInsel>("FormaEditorInsel", FormaDaten, FormaGeom)),
      FormaSyntax(Create<TFormaSyntax>("FormaSyntax")),
      FormaSettings(
          Create<TFormaSettings>("FormaSettings", FormaDatenFolders, FormaDaten, Windows)) {
  // The windows created before the settings reach them from here on.
  FormaSettings.SetApplicationTitle(QCoreApplication::applicationName());
  FormaDatenFolders.DialogParent = &Forma_Rudizi;
  FormaEditor.FormaSettings = &FormaSettings;
  FormaEditor.FormaEditorTurn = &FormaEditorTurn;
  FormaEditor.FormaEditorInsel = &FormaEditorInsel;
  FormaEditor.FormaInput = &FormaInput;
  FormaEditor.FormaSyntax = &FormaSyntax;
  // The settings go first at shut-down; the editor then draws nothing.
  QObject::connect(&FormaSettings, &QObject::destroyed, &FormaEditor,
                   [this] { FormaEditor.FormaSettings = nullptr; });
  FormaInput.FormaInputList = &FormaInputList;
  FormaInputList.RussianInterface = [this] { return FormaSettings.CurrentLanguage() == 2; };
  FormaInfo.MainWindow = &Forma_Rudizi;
  // Queued: the loop ends after the close has finished, not inside it.
  QObject::connect(&Forma_Rudizi, &TForma_Rudizi::Closed, qApp, &QCoreApplication::quit,
                   Qt::QueuedConnection);
}

void Startup::SetApplicationTitle(const QString& Title) {
  QCoreApplication::setApplicationName(Title);
  FormaSettings.SetApplicationTitle(Title);
}

bool Startup::FirstStartCheck() {
  // Only a file counts: a folder of that name holds no settings, as the loading knows too.
  if (QFileInfo(FormaDatenFolders.SettingsFileName()).isFile()) return true;

  QComboBox& box = *FormaStart.ComboBoxStart;
  box.setCurrentIndex(0);
  box.setCurrentIndex(TFormaStart::ItemForLayout(KeyboardLayout ? KeyboardLayout() : 0));
  // The settings window's timers go on firing in the dialog's own loop.
  FormaStart.exec();
  const bool refused = FormaStart.Tag == 0;
  if (refused) SetApplicationTitle(QStringLiteral("?"));

  // A typed text that is no item keeps the language marked before.
  QAction* const items[] = {FormaSettings.Language_German, FormaSettings.Language_English,
                            FormaSettings.Language_Russian};
  if (const int index = FormaStart.SelectedIndex(); index >= 0 && index < 3)
    items[index]->setChecked(true);
  // The chosen language is on every window before the main window is first shown.
  FormaSettings.ActionLanguage->setEnabled(true);
  FormaSettings.ActionLanguageExecute();
  return !refused;
}

void Startup::ShowMainWindow() {
  // Restored, the window has its minimum size in the middle of the screen.
  Forma_Rudizi.resize(Forma_Rudizi.minimumSize());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = Forma_Rudizi.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    Forma_Rudizi.move(frame.topLeft());
  }
  Forma_Rudizi.showMaximized();
  // Typing goes into the program text, never into the language box.
  Forma_Rudizi.RichEditProgram->setFocus();
}

int Startup::Run(bool QuitWhenShown) {
  // Qt ignores a quit asked for before its loop runs: a refused first start never enters it.
  if (!FirstStartCheck()) return 0;
  if (QuitWhenShown) Forma_Rudizi.installEventFilter(new QuitWhenPainted(&Forma_Rudizi));
  ShowMainWindow();
  return QApplication::exec();
}

}  // namespace movra
