#include "app/startup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/application.h"
#include "platform/qt/keyboard_layout.h"
#include "shell/base/language_targets.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

using movra::testing::RunEventLoopUntil;
using movra::testing::WhenModalShows;

// A stand-in executable in a temporary folder, so Settings.ini is never written beside the
// test binary.
class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ready());
    exe_ = folder_.Folder();
  }

  std::unique_ptr<Startup> Make(std::uint32_t layout = platform::LayoutGerman) {
    auto startup = std::make_unique<Startup>(exe_, exe_ + "Movra_Rudizi");
    startup->KeyboardLayout = [layout] { return layout; };
    return startup;
  }

  QString SettingsFile() const { return folder_.SettingsFile(); }
  QByteArray SettingsText() const { return folder_.SettingsText(); }
  void WriteSettings(const QByteArray& text) { ASSERT_TRUE(folder_.WriteSettings(text)); }

  movra::testing::StandInExeFolder folder_;
  QString exe_;
};

// What the dialog showed when it opened, then the answer given.
struct DialogSeen {
  bool shown = false;
  int preselected = -2;
  QString text;
};

// Answers the first-start dialog: Choice >= 0 picks that item, a text types it, and
// Confirm presses "Ok" (else the dialog is closed as by its close box).
void AnswerFirstStart(DialogSeen& seen, bool Confirm, int Choice = -1,
                      const QString& Typed = QString()) {
  WhenModalShows<TFormaStart>([&seen, Confirm, Choice, Typed](TFormaStart* dialog) {
    seen.shown = true;
    seen.preselected = dialog->ComboBoxStart->currentIndex();
    seen.text = dialog->ComboBoxStart->currentText();
    if (Choice >= 0) dialog->ComboBoxStart->setCurrentIndex(Choice);
    if (!Typed.isEmpty()) dialog->ComboBoxStart->setEditText(Typed);
    if (Confirm)
      dialog->ButtonStart->click();
    else
      dialog->close();
  });
}

TEST_F(StartupTest, WindowsAreCreatedOnceInTheirOrder) {
  const auto startup = Make();
  const std::vector<std::string> expected = {
      "Forma_Rudizi",   "FormaDaten",     "FormaStart",      "FormaGeom",     "FormaInfo",
      "FormaInput",     "FormaInputList", "FormaInputMemo",  "FormaEditor",   "FormaEditorTurn",
      "FormaEditorInsel", "FormaSyntax",  "FormaSettings"};
  EXPECT_EQ(startup->CreationOrder(), expected);
  // The broadcast reaches the windows in the same order: main window, editor, settings.
  EXPECT_EQ(startup->Windows.Count(), 3u);
  EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Movra_Rudizi"));
  EXPECT_EQ(startup->Forma_Rudizi.windowTitle(), QStringLiteral("Movra_Rudizi"));
  EXPECT_EQ(startup->FormaSettings.ApplicationTitle(), QStringLiteral("Movra_Rudizi"));
}

TEST_F(StartupTest, WindowsCarryTheirInstanceNames) {
  const auto startup = Make();
  const QWidget* windows[] = {&startup->Forma_Rudizi,   &startup->FormaStart,
                              &startup->FormaInfo,      &startup->FormaInput,
                              &startup->FormaInputList, &startup->FormaInputMemo,
                              &startup->FormaEditor,    &startup->FormaSyntax,
                              &startup->FormaSettings};
  const char* names[] = {"Forma_Rudizi",   "FormaStart",  "FormaInfo",
                         "FormaInput",     "FormaInputList", "FormaInputMemo",
                         "FormaEditor",    "FormaSyntax", "FormaSettings"};
  for (std::size_t i = 0; i < std::size(names); ++i)
    EXPECT_EQ(windows[i]->objectName(), QString::fromLatin1(names[i]));
}

TEST_F(StartupTest, MainWindowAtCreation) {
  const auto startup = Make();
  TForma_Rudizi& main = startup->Forma_Rudizi;
  EXPECT_TRUE(main.RichEditProgram->toPlainText().isEmpty());
  EXPECT_FALSE(main.RichEditProgram->document()->isModified());
  EXPECT_EQ(main.ColouringBusy, 0);
  EXPECT_TRUE(main.SaveBuffer.isEmpty());
  EXPECT_EQ(main.ComboBoxLanguage->count(), 3);
  EXPECT_EQ(main.findChild<QComboBox*>(QStringLiteral("ComboBoxLanguage")),
            main.ComboBoxLanguage);
  EXPECT_EQ(main.ComboBoxLanguage->parentWidget(), main.PanelLang);
  EXPECT_EQ(main.PanelLang->parentWidget(), main.PanelTop);
}

TEST_F(StartupTest, ConfirmedChoiceIsAppliedAndSavedAtExit) {
  struct Case {
    const char* name;
    std::uint32_t layout;
    int preselected;
    int choice;  // -1 keeps the preselection
    const char* language;
    int languageBox;
  };
  const Case cases[] = {
      {"GermanLayoutConfirmed", platform::LayoutGerman, 0, -1, "German", 0},
      {"EnglishLayoutConfirmed", platform::LayoutEnglishUS, 1, -1, "English", 1},
      {"RussianLayoutConfirmed", platform::LayoutRussian, 2, -1, "Russian", 2},
      {"GermanLayoutRussianChosen", platform::LayoutGerman, 0, 2, "Russian", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(SettingsFile());
    {
      auto startup = Make(c.layout);
      // Qt closes the windows when the loop quits: a main window that closes was shown.
      int closed = 0;
      QObject::connect(&startup->Forma_Rudizi, &TForma_Rudizi::Closed, [&closed] { ++closed; });
      DialogSeen seen;
      AnswerFirstStart(seen, true, c.choice);
      // The whole program: dialog, main window, loop, quit once the window is shown.
      EXPECT_EQ(startup->Run(true), 0);
      EXPECT_TRUE(seen.shown);
      EXPECT_EQ(seen.preselected, c.preselected);
      EXPECT_EQ(startup->FormaStart.Tag, 1);
      EXPECT_EQ(startup->FormaSettings.LanguageName(), QString::fromLatin1(c.language));
      EXPECT_EQ(startup->FormaSettings.ActionLanguage->text(), QString::fromLatin1(c.language));
      EXPECT_FALSE(startup->FormaSettings.ActionLanguage->isEnabled());  // it was applied
      EXPECT_EQ(startup->Forma_Rudizi.ComboBoxLanguage->currentIndex(), c.languageBox);
      EXPECT_GE(closed, 1);
      EXPECT_TRUE(startup->Forma_Rudizi.windowState() & Qt::WindowMaximized);
      EXPECT_FALSE(QFile::exists(SettingsFile())) << "written only at the end";
    }
    EXPECT_TRUE(SettingsText().contains("Language_Name=" + QByteArray(c.language)))
        << SettingsText().toStdString();
  }
}

TEST_F(StartupTest, ClosedDialogEndsWithoutSettingsAndAsksAgain) {
  {
    auto startup = Make();
    int closed = 0;
    QObject::connect(&startup->Forma_Rudizi, &TForma_Rudizi::Closed, [&closed] { ++closed; });
    DialogSeen seen;
    AnswerFirstStart(seen, false);
    EXPECT_EQ(startup->Run(true), 0);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(startup->FormaStart.Tag, 0);
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("?"));
    EXPECT_EQ(startup->FormaSettings.ApplicationTitle(), QStringLiteral("?"));
    EXPECT_FALSE(startup->Forma_Rudizi.isVisible()) << "the main window is never shown";
    EXPECT_EQ(closed, 0);
    EXPECT_FALSE(startup->Forma_Rudizi.windowState() & Qt::WindowMaximized);
  }
  EXPECT_FALSE(QFile::exists(SettingsFile()));

  // The next start asks again, and its title is the program's again.
  auto startup = Make();
  EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Movra_Rudizi"));
  DialogSeen seen;
  AnswerFirstStart(seen, true);
  EXPECT_TRUE(startup->FirstStartCheck());
  EXPECT_TRUE(seen.shown);
}

TEST_F(StartupTest, ExistingSettingsSkipTheDialog) {
  WriteSettings("[Language]\nLanguage_Name=English\n");
  auto startup = Make();
  bool shown = false;
  // Guards against a hang: should the dialog open, it is closed at once. The guard ends with
  // the test, so it answers no dialog of a later one.
  QTimer guard;
  QObject::connect(&guard, &QTimer::timeout, [&shown] {
    if (auto* dialog = qobject_cast<TFormaStart*>(QApplication::activeModalWidget())) {
      shown = true;
      dialog->close();
    }
  });
  guard.start(5);
  EXPECT_TRUE(startup->FirstStartCheck());
  // The 200 ms timer applies the stored language.
  ASSERT_TRUE(RunEventLoopUntil(
      [&] { return !startup->FormaSettings.ActionLanguage->isEnabled(); }));
  EXPECT_FALSE(shown);
  EXPECT_EQ(startup->FormaSettings.LanguageName(), QStringLiteral("English"));
  EXPECT_EQ(startup->Forma_Rudizi.ComboBoxLanguage->currentIndex(), 1);
}

TEST_F(StartupTest, FolderNamedSettingsIniIsNoSettingsFile) {
  // Nothing can be read from it, so the language is still to be chosen.
  ASSERT_TRUE(QDir(exe_).mkdir("Settings.ini"));
  auto startup = Make(platform::LayoutEnglishUS);
  bool shown = false;
  // Answers the dialog if it opens; ends with the test, so it answers no later one.
  QTimer guard;
  QObject::connect(&guard, &QTimer::timeout, [&shown] {
    if (auto* dialog = qobject_cast<TFormaStart*>(QApplication::activeModalWidget())) {
      shown = true;
      dialog->ButtonStart->click();
    }
  });
  guard.start(5);
  EXPECT_TRUE(startup->FirstStartCheck());
  EXPECT_TRUE(shown);
  EXPECT_EQ(startup->FormaSettings.LanguageName(), QStringLiteral("English"));
}

TEST_F(StartupTest, OtherLayoutsPreselectGerman) {
  const std::uint32_t layouts[] = {
      0x04090809,  // English language ids, the halves crossed
      0x08090809,  // British English
      0xF0020409,  // a variant of US English
      0xF0010419,  // a variant of Russian
      0x04190409,  // halves of two languages
      0x00000409,  // the language alone
      0x00000000,  0xFFFFFFFF};
  for (const std::uint32_t layout : layouts) {
    SCOPED_TRACE(::testing::Message() << std::hex << "layout 0x" << layout);
    EXPECT_EQ(TFormaStart::ItemForLayout(layout), 0);
    QFile::remove(SettingsFile());
    auto startup = Make(layout);
    startup->FormaStart.ComboBoxStart->setCurrentIndex(2);  // not left from an earlier run
    DialogSeen seen;
    AnswerFirstStart(seen, true);
    EXPECT_TRUE(startup->FirstStartCheck());
    EXPECT_EQ(seen.preselected, 0);
    EXPECT_EQ(seen.text, QStringLiteral("German"));
    EXPECT_EQ(startup->FormaSettings.LanguageName(), QStringLiteral("German"));
  }
  EXPECT_EQ(TFormaStart::ItemForLayout(platform::LayoutGerman), 0);
  EXPECT_EQ(TFormaStart::ItemForLayout(platform::LayoutEnglishUS), 1);
  EXPECT_EQ(TFormaStart::ItemForLayout(platform::LayoutRussian), 2);
}

TEST_F(StartupTest, TypedTextDecidesByWholeItemText) {
  struct Case {
    const char* typed;
    const char* language;  // a text that is no item keeps Russian, the settings default
  };
  const Case cases[] = {{"English", "English"},
                        {"Russian", "Russian"},
                        {"english", "Russian"},
                        {"Deutsch", "Russian"},
                        {"Germ", "Russian"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    QFile::remove(SettingsFile());
    {
      auto startup = Make(platform::LayoutGerman);
      DialogSeen seen;
      AnswerFirstStart(seen, true, -1, QString::fromLatin1(c.typed));
      EXPECT_TRUE(startup->FirstStartCheck());
      EXPECT_EQ(startup->FormaSettings.LanguageName(), QString::fromLatin1(c.language));
      EXPECT_EQ(startup->FormaStart.ComboBoxStart->count(), 3) << "typing adds no item";
    }
    EXPECT_TRUE(SettingsText().contains("Language_Name=" + QByteArray(c.language)));
  }
}

// Records the broadcasts in the order they arrive.
struct Recorder : platform::NotifyReceiver {
  std::vector<int> codes;
  void FormaNotify(int Code) override { codes.push_back(Code); }
};

TEST_F(StartupTest, SettingsTimersFireWhileTheDialogIsOpen) {
  auto startup = Make(platform::LayoutEnglishUS);
  Recorder recorder;
  startup->Windows.Register(&recorder);
  std::vector<int> whileOpen;
  QString languageWhileOpen;
  WhenModalShows<TFormaStart>([&](TFormaStart* dialog) {
    // The repaint at 100 ms, the language at 200 ms and its repaint 100 ms later all come
    // from the dialog's own loop.
    RunEventLoopUntil([&] { return recorder.codes.size() >= 3; });
    whileOpen = recorder.codes;
    languageWhileOpen = startup->FormaSettings.ActionLanguage->text();
    dialog->ButtonStart->click();
  });
  EXPECT_TRUE(startup->FirstStartCheck());
  EXPECT_EQ(whileOpen, (std::vector<int>{NotifyRepaint, LanguageApplied, NotifyRepaint}));
  EXPECT_EQ(languageWhileOpen, QStringLiteral("Russian")) << "the language marked then";
  // The choice is applied once more, at once, after the dialog.
  ASSERT_GE(recorder.codes.size(), 4u);
  EXPECT_EQ(recorder.codes[3], LanguageApplied);
  EXPECT_EQ(startup->FormaSettings.LanguageName(), QStringLiteral("English"));
  EXPECT_EQ(startup->Forma_Rudizi.ComboBoxLanguage->currentIndex(), 1);
  startup->Windows.Unregister(&recorder);
}

TEST_F(StartupTest, ChosenLanguageIsOnTheWindowsBeforeTheMainWindowShows) {
  auto startup = Make(platform::LayoutEnglishUS);
  DialogSeen seen;
  AnswerFirstStart(seen, true);
  ASSERT_TRUE(startup->FirstStartCheck());
  EXPECT_FALSE(startup->Forma_Rudizi.isVisible());
  EXPECT_EQ(startup->Forma_Rudizi.ButtonEdit->text(), QStringLiteral("Editor"));
  EXPECT_EQ(startup->FormaSyntax.ButtonClose->text(), QStringLiteral("Cancel"));
  EXPECT_FALSE(startup->FormaSyntax.TreeViewSyntaxEn->isHidden());
  EXPECT_TRUE(startup->FormaSyntax.TreeViewSyntaxRu->isHidden());

  // The language box of the main window switches the language.
  startup->Forma_Rudizi.ComboBoxLanguage->setCurrentIndex(2);
  startup->Forma_Rudizi.ComboBoxLanguageSelect();
  EXPECT_EQ(startup->FormaSettings.LanguageName(), QStringLiteral("Russian"));
  EXPECT_NE(startup->Forma_Rudizi.ButtonEdit->text(), QStringLiteral("Editor"));
  EXPECT_FALSE(startup->FormaSyntax.TreeViewSyntaxRu->isHidden());
  EXPECT_EQ(startup->Forma_Rudizi.ComboBoxLanguage->currentIndex(), 2);
}

TEST_F(StartupTest, TheShownMainWindowHasTheFocusInTheProgramText) {
  const auto startup = Make();
  startup->ShowMainWindow();
  QApplication::setActiveWindow(&startup->Forma_Rudizi);
  EXPECT_TRUE(RunEventLoopUntil([&] { return startup->Forma_Rudizi.RichEditProgram->hasFocus(); }))
      << "typing must not reach the language box";
  EXPECT_FALSE(startup->Forma_Rudizi.ComboBoxLanguage->hasFocus());
}

TEST_F(StartupTest, BroadcastResetsTheMainWindowCaption) {
  auto startup = Make();
  startup->Forma_Rudizi.setWindowTitle(QStringLiteral("Example.txt"));
  startup->FormaDaten.BroadcastToForms(platform::FormaNotify, NotifyModified);
  EXPECT_EQ(startup->Forma_Rudizi.windowTitle(), QStringLiteral("Movra_Rudizi"));
}

TEST_F(StartupTest, MessagePumpLetsTimersRunFromALongComputation) {
  auto startup = Make();
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  platform::ProcessMessages();
  EXPECT_TRUE(fired);
}

TEST_F(StartupTest, ClosingTheMainWindowEndsTheLoop) {
  WriteSettings("[Language]\nLanguage_Name=German\n");
  {
    auto startup = Make();
    QTimer::singleShot(50, &startup->Forma_Rudizi, [&] { startup->Forma_Rudizi.close(); });
    EXPECT_EQ(startup->Run(), 0);
    EXPECT_FALSE(startup->Forma_Rudizi.isVisible());
  }
  EXPECT_TRUE(SettingsText().contains("Language_Name=German"));
}

// The language table's targets are found by name; a misspelt window or control would be
// skipped without a word. Built as the program builds them, every one must resolve.
TEST_F(StartupTest, EveryLanguageTargetResolvesInTheRealWindows) {
  const auto startup = Make();
  std::vector<std::string> missing;
  for (const QString& name : UnresolvedLanguageTargets(LanguageTargets()))
    missing.push_back(name.toStdString());
  EXPECT_EQ(missing, std::vector<std::string>{});
  EXPECT_FALSE(LanguageTargets().empty());
  // And a misspelt one is reported.
  const LanguageTarget misspelt[] = {
      {"Forma_Rudizi", "ButtonEdlt", LanguageProperty::Caption, "1"},
      {"FormaEdltor", "SpeedButtonSave", LanguageProperty::Caption, "1"}};
  const std::vector<QString> reported = UnresolvedLanguageTargets(misspelt);
  EXPECT_EQ(reported, (std::vector<QString>{QStringLiteral("Forma_Rudizi/ButtonEdlt"),
                                            QStringLiteral("FormaEdltor/SpeedButtonSave")}));
}

}  // namespace
}  // namespace movra
