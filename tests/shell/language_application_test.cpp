// The language table inside the settings window and its application to the windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <clocale>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "shell/base/folders.h"
#include "shell/base/forma_settings.h"
#include "shell/base/language_targets.h"
#include "shell/core/language_lookup.h"

// Failures show the text, not its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace movra {
namespace {

using P = LanguageProperty;

// English texts of the message slots, as the windows ask them.
const char* const kEnglishMessages[14] = {
    "Do you really want to quit ?",
    "Create a transformation [0..10]",
    "Are you sure you want to delete ?",
    "Invalid parameter input !",
    "Invalid format !",
    "No elements were selected !",
    "The project have been changed. Do you really want to quit ?",
    "",
    "The project have been changed. Do you really want to open a new project ?",
    "The project have been changed. Do you really want to create a new project ?",
    "Would you like to change ?",
    "Are you sure you want to replace the file?",
    "Save ?",
    "Tool name"};

// A settings window that applies a table of targets given by the test; Fail makes the walk
// over the targets throw (after the message slots are filled).
class TargetSettings : public TFormaSettings {
 public:
  using TFormaSettings::TFormaSettings;
  std::vector<LanguageTarget> Targets;
  bool Fail = false;

 protected:
  std::span<const LanguageTarget> LanguageTargetTable() const override {
    if (Fail) throw std::runtime_error("targets");
    return Targets;
  }
};

// Notes the codes, and at code 2000 what the application left behind.
struct Receiver : platform::NotifyReceiver {
  std::vector<int> codes;
  std::function<void()> onApplied;
  void FormaNotify(int Code) override {
    codes.push_back(Code);
    if (Code == LanguageApplied && onApplied) onApplied();
  }
};

class Language : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const QString exe = QDir::cleanPath(dir_.path()) + "/";
    folders_.SetExeFolder(exe, exe + "Movra_Rudizi");
    settings_ = std::make_unique<TargetSettings>(folders_, daten_, windows_);
    settings_->SetApplicationTitle("?");  // writes no Settings.ini
    settings_->Timer.SetEnabled(false);
    settings_->TimerColor.SetEnabled(false);
    windows_.Register(&receiver_);
  }
  void TearDown() override { windows_.Unregister(&receiver_); }

  // The text of an id straight from the settings window's table.
  QString Text(const char* id, const char* language) {
    std::vector<std::string> lines;
    for (const QString& line : settings_->ListBoxLang) lines.push_back(line.trimmed().toStdString());
    return QString::fromStdString(shell::LookupText(lines, language, id));
  }

  QTemporaryDir dir_;
  TFormaDatenFolders folders_;
  platform::WindowList windows_;
  TFormaDaten daten_{&windows_};
  Receiver receiver_;
  std::unique_ptr<TargetSettings> settings_;
};

// A stand-in for the main window with a few of its controls.
struct FakeMainWindow {
  QWidget window;
  QAction* PNew = new QAction(QStringLiteral("layout"), &window);
  QMenu* Files = new QMenu(QStringLiteral("layout"), &window);
  QComboBox* ComboBoxView = new QComboBox(&window);
  QListWidget* ListBoxTurn = new QListWidget(&window);
  QPushButton* ButtonEdit = new QPushButton(QStringLiteral("layout"), &window);

  FakeMainWindow() {
    window.setObjectName("Forma_Rudizi");
    PNew->setObjectName("PNew");
    Files->setObjectName("Files");
    ComboBoxView->setObjectName("ComboBoxView");
    ComboBoxView->addItems({"a", "b", "c"});
    ComboBoxView->setCurrentIndex(2);
    ListBoxTurn->setObjectName("ListBoxTurn");
    ListBoxTurn->addItems({"a", "b"});
    ListBoxTurn->setCurrentRow(1);
    ButtonEdit->setObjectName("ButtonEdit");
  }
};

const std::vector<LanguageTarget> kFakeTargets = {
    {"Forma_Rudizi", "PNew", P::Caption, "431258"},
    {"Forma_Rudizi", "PNew", P::Hint, "1674527"},
    {"Forma_Rudizi", "Files", P::Caption, "157069"},
    {"Forma_Rudizi", "ComboBoxView", P::Item, "696716", 0},
    {"Forma_Rudizi", "ComboBoxView", P::Item, "696613", 1},
    {"Forma_Rudizi", "ComboBoxView", P::Item, "196413", 2},
    {"Forma_Rudizi", "ComboBoxView", P::Item, "9648", 3},  // no such item
    {"Forma_Rudizi", "ListBoxTurn", P::NumberedItem, "227624", 0},
    {"Forma_Rudizi", "ListBoxTurn", P::NumberedItem, "352624", 1},
    {"Forma_Rudizi", "ButtonEdit", P::Caption, "1"},  // no such id: the caption goes empty
    {"Forma_Rudizi", "NoSuchControl", P::Caption, "431258"},
    {"NoSuchWindow", "PNew", P::Caption, "431258"},
};

TEST_F(Language, TheTableIsCompiledInAndLoadedAtCreation) {
  const QStringList& table = settings_->ListBoxLang;
  ASSERT_GE(table.size(), 5);
  EXPECT_EQ(table.front(), "518576");
  EXPECT_TRUE(table.contains("671653"));
  EXPECT_TRUE(table.contains(QString::fromUtf8("German=Vergr@o@sern"))) << "read as UTF-8";
  for (const auto& slot : settings_->Messages) EXPECT_TRUE(slot.isEmpty()) << "before any application";
}

TEST_F(Language, MessagesAreFilledInEveryLanguageAndSlotSevenStaysEmpty) {
  settings_->SelectLanguage(1);
  for (int slot = 0; slot < 14; ++slot)
    EXPECT_EQ(settings_->Messages[slot], QString::fromUtf8(kEnglishMessages[slot])) << "slot " << slot;
  settings_->SelectLanguage(0);
  EXPECT_EQ(settings_->Messages[12], QString::fromUtf8("Speichern?"));
  settings_->SelectLanguage(2);
  for (int slot = 0; slot < 14; ++slot) {
    EXPECT_EQ(settings_->Messages[slot].isEmpty(), slot == 7) << "slot " << slot;
    if (slot != 7) {
      EXPECT_EQ(settings_->Messages[slot], Text(MessageIds[slot].data(), "Russian")) << "slot " << slot;
    }
  }
}

TEST_F(Language, GermanTextsCarryTheirUmlauts) {
  settings_->SelectLanguage(0);
  EXPECT_EQ(Text("671653", "German"), QString::fromUtf8("Vergrößern"));
  EXPECT_EQ(Text("542056", "German"), QString::fromUtf8("Über..."));
  EXPECT_EQ(Text("374806", "English"), "=By the diameter");
  EXPECT_EQ(settings_->Messages[0], QString::fromUtf8("Möchten Sie das Programm wirklich beenden?"));
}

TEST_F(Language, SwitchingLeavesEveryTargetInTheLastLanguage) {
  FakeMainWindow main;
  settings_->Targets = kFakeTargets;
  struct Seen {
    int language;
    QString pNew;
    QString message;
  };
  std::vector<Seen> seen;
  receiver_.onApplied = [&] {
    seen.push_back({settings_->CurrentLanguage(), main.PNew->text(), settings_->Messages[0]});
  };

  settings_->SelectLanguage(1);
  settings_->SelectLanguage(0);
  EXPECT_EQ(main.PNew->text(), "Neu");
  EXPECT_EQ(main.PNew->statusTip(),
            QString::fromUtf8("Der Text wurde geändert. Die Änderungen gehen verloren. Fortfahren?"));
  settings_->SelectLanguage(1);

  EXPECT_EQ(main.PNew->text(), "New");
  EXPECT_EQ(main.PNew->toolTip(),
            "The text have been changed. Do you really want to create a new text ?");
  EXPECT_EQ(main.PNew->statusTip(), main.PNew->toolTip());
  EXPECT_EQ(main.Files->title(), "File");
  EXPECT_EQ(main.ComboBoxView->itemText(0), "All");
  EXPECT_EQ(main.ComboBoxView->itemText(1), "Contours");
  EXPECT_EQ(main.ComboBoxView->itemText(2), "Line");
  EXPECT_EQ(main.ComboBoxView->count(), 3) << "an item that is not there is not added";
  EXPECT_EQ(main.ComboBoxView->currentIndex(), 2) << "the selected item stays selected";
  EXPECT_EQ(main.ListBoxTurn->item(0)->text(), "0. Finish contour");
  EXPECT_EQ(main.ListBoxTurn->item(1)->text(), "1. Rough contour 1");
  EXPECT_EQ(main.ListBoxTurn->currentRow(), 1);
  EXPECT_EQ(main.ButtonEdit->text(), "") << "a missing id gives an empty caption";
  EXPECT_EQ(settings_->Messages[0], "Do you really want to quit ?");
  EXPECT_EQ(settings_->CurrentLanguage(), 1);
  EXPECT_EQ(settings_->ActionLanguage->text(), "English");
  EXPECT_EQ(settings_->Language->title(), "English");
  EXPECT_FALSE(settings_->ActionLanguage->isEnabled());

  // The broadcast comes after each application, when the texts are already in place.
  EXPECT_EQ(receiver_.codes, (std::vector<int>{LanguageApplied, LanguageApplied, LanguageApplied}));
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].language, 1);
  EXPECT_EQ(seen[0].pNew, "New");
  EXPECT_EQ(seen[1].language, 0);
  EXPECT_EQ(seen[1].pNew, "Neu");
  EXPECT_EQ(seen[1].message, QString::fromUtf8("Möchten Sie das Programm wirklich beenden?"));
  EXPECT_EQ(seen[2].language, 1);
  EXPECT_EQ(seen[2].pNew, "New");
}

TEST_F(Language, CurrentLanguageFollowsTheMarkedItem) {
  struct Case {
    int select;
    int current;
    const char* name;
  };
  const Case cases[] = {{0, 0, "German"}, {1, 1, "English"}, {2, 2, "Russian"},
                        {7, 2, "Russian"}, {-1, 2, "Russian"}};
  for (const Case& c : cases) {
    settings_->SelectLanguage(c.select);
    EXPECT_EQ(settings_->CurrentLanguage(), c.current) << "index " << c.select;
    EXPECT_EQ(settings_->LanguageName(), c.name) << "index " << c.select;
  }
  EXPECT_EQ(receiver_.codes.size(), 5u) << "another index still applies the marked language";
  settings_->Language_Russian->setChecked(false);
  EXPECT_EQ(settings_->CurrentLanguage(), -1);
}

TEST_F(Language, AFailedStepStillEndsWithTheBroadcast) {
  settings_->Fail = true;
  EXPECT_NO_THROW(settings_->SelectLanguage(1));
  EXPECT_EQ(receiver_.codes, std::vector<int>{LanguageApplied});
  EXPECT_FALSE(settings_->ActionLanguage->isEnabled());
  EXPECT_EQ(settings_->Messages[0], "Do you really want to quit ?") << "steps before it are done";
  settings_->Fail = false;
  settings_->SelectLanguage(0);
  EXPECT_EQ(receiver_.codes, (std::vector<int>{LanguageApplied, LanguageApplied}));
}

TEST_F(Language, TheLinesAreTrimmedInPlaceBeforeTheLookup) {
  QStringList& table = settings_->ListBoxLang;
  const qsizetype at = table.indexOf("518576");
  ASSERT_GE(at, 0);
  table[at] = " \t518576\r";
  table[at + 3] = "English=Do you really want to quit ?  \r";
  settings_->SelectLanguage(1);
  EXPECT_EQ(table[at], "518576");
  EXPECT_EQ(table[at + 3], "English=Do you really want to quit ?");
  EXPECT_EQ(settings_->Messages[0], "Do you really want to quit ?");
}

TEST_F(Language, FileDialogsForgetTheirFileAndStartInTheirFolder) {
  const QString program = QDir::cleanPath(dir_.path()) + "/Programs/";
  const QString templ = QDir::cleanPath(dir_.path()) + "/Templates/";
  ASSERT_TRUE(QDir().mkpath(program));
  ASSERT_TRUE(QDir().mkpath(templ));
  settings_->PathProgram = program;
  settings_->PathTemplate = templ;

  QWidget main;
  main.setObjectName("Forma_Rudizi");
  auto* save = new QFileDialog(&main);
  save->setObjectName("SaveDialog_Program");
  save->setOption(QFileDialog::DontUseNativeDialog);
  // A dialog of the window's own kind, known by its two properties.
  auto* open = new QObject(&main);
  open->setObjectName("OpenDialog_Template");
  open->setProperty("FileName", "old.txt");
  open->setProperty("InitialDir", "/elsewhere/");

  settings_->SelectLanguage(1);
  EXPECT_EQ(QDir::cleanPath(save->directory().absolutePath()), QDir::cleanPath(program));
  EXPECT_EQ(open->property("FileName").toString(), "");
  EXPECT_EQ(open->property("InitialDir").toString(), templ);
}

TEST_F(Language, TheSyntaxTreeOfTheLanguageIsShown) {
  QWidget syntax;
  syntax.setObjectName("FormaSyntax");
  QWidget* trees[3];
  const char* names[3] = {"TreeViewSyntaxRu", "TreeViewSyntaxDe", "TreeViewSyntaxEn"};
  for (int i = 0; i < 3; ++i) {
    trees[i] = new QWidget(&syntax);
    trees[i]->setObjectName(names[i]);
  }
  syntax.show();
  const int order[3] = {2, 0, 1};  // the index SelectLanguage takes for Ru, De, En
  for (int shown = 0; shown < 3; ++shown) {
    settings_->SelectLanguage(order[shown]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(trees[i]->isVisible(), i == shown) << names[i];
  }
}

// A German desktop locale changes neither the texts nor the numbering of list items.
TEST_F(Language, NoLocaleDependence) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const std::string cBefore = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // may be missing; the Qt default is set either way
  FakeMainWindow main;
  settings_->Targets = kFakeTargets;
  settings_->SelectLanguage(0);
  EXPECT_EQ(main.ListBoxTurn->item(1)->text(), "1. Kontur schruppen 1");
  EXPECT_EQ(settings_->Messages[1], "Transformation anlegen [0..10]");
  std::setlocale(LC_ALL, cBefore.c_str());
  QLocale::setDefault(before);
}

// Every id the windows look up is in the compiled-in table with all three of its lines, so no
// target ends up empty in some language.
TEST_F(Language, EveryUsedIdHasItsThreeLines) {
  std::vector<std::string_view> used(MessageIds.begin(), MessageIds.end());
  for (const LanguageTarget& target : LanguageTargets()) used.push_back(target.Id);
  const QStringList& table = settings_->ListBoxLang;
  for (std::string_view id : used) {
    if (id.empty()) continue;
    const qsizetype at = table.indexOf(QString::fromLatin1(id.data(), qsizetype(id.size())));
    ASSERT_GE(at, 0) << "id " << id << " is missing";
    ASSERT_LT(at + 3, table.size()) << "id " << id;
    EXPECT_TRUE(table[at + 1].startsWith("Russian=")) << "id " << id;
    EXPECT_TRUE(table[at + 2].startsWith("German=")) << "id " << id;
    EXPECT_TRUE(table[at + 3].startsWith("English=")) << "id " << id;
  }
}

}  // namespace
}  // namespace movra
