#include "shell/base/forma_settings.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include "geometry/forma_daten.h"
#include "shell/base/folders.h"
#include "tests/as_other_user.h"
#include "tests/qt_test_support.h"

namespace movra {
namespace {

using movra::testing::RunEventLoop;
using movra::testing::RunEventLoopUntil;
using ColorValue = platform::ColorValue;

// Every colour slot, in the order of the defaults table, so that two settings compare whole.
std::vector<ColorValue> Colors(const TFormaSettings& s) {
  return {s.ColorCursor,      s.ColorBrush,          s.ColorDefault,         s.ColorSelect,
          s.ColorEnabled,     s.ColorToolTyp1,       s.ColorToolTyp2,        s.ColorToolMax,
          s.ColorToolDrill,   s.ColorTextMessage,    s.ColorAxesX,           s.ColorAxesY,
          s.ColorAxesZ,       s.ColorContCreate,     s.ColorDefaultAdditional, s.ColorModel,
          s.ColorModelAdditional, s.ColorModelBrush, s.ColorModelTransparent, s.ColorTextCursor,
          s.ColorTextNormal,  s.ColorToolTyp0,       s.ColorToolThread,      s.ColorSpare};
}

const std::vector<ColorValue> kDefaults = {
    0x0000FF, 0x000000, 0xFFFFFF, 0x00FFFF, 0x808080, 0xFF0000, 0x00FF00, 0xFF00FF,
    0xFFFF00, 0x00FFFF, 0xFF0000, 0x008000, 0x0000FF, 0xFF00FF, 0xFF00FF, 0xF7C9F4,
    0x800080, 0xC51489, 0xFF0000, 0x00FF00, 0xFFFF00, 0xFFFFFF, 0x008080, 0xFFFF00};

struct Receiver : platform::NotifyReceiver {
  std::vector<int> codes;
  void FormaNotify(int Code) override { codes.push_back(Code); }
};

// A folder beside a stand-in executable, with the data and window list a settings window needs.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ready());
    exe_ = folder_.Folder();
    folders_.SetExeFolder(exe_, folder_.Exe());
  }

  std::unique_ptr<TFormaSettings> Make() {
    auto settings = std::make_unique<TFormaSettings>(folders_, daten_, windows_);
    settings->SetApplicationTitle(QStringLiteral("Movra_Rudizi"));
    return settings;
  }
  void Install(const char* fixture) {
    QFile::remove(SettingsFile());
    ASSERT_TRUE(QFile::copy(QStringLiteral(MOVRA_TEST_DATA "/settings/") + fixture, SettingsFile()))
        << fixture;
  }
  void InstallBytes(const QByteArray& bytes) { ASSERT_TRUE(folder_.WriteSettings(bytes)); }
  QByteArray FileText() const { return folder_.SettingsText(); }
  QString SettingsFile() const { return folder_.SettingsFile(); }
  QString MakeDir(const QString& name) {
    EXPECT_TRUE(QDir(exe_).mkpath(name));
    return exe_ + name + "/";
  }

  movra::testing::StandInExeFolder folder_;
  QString exe_;
  TFormaDatenFolders folders_;
  platform::WindowList windows_;
  TFormaDaten daten_{&windows_};
};

TEST_F(Settings, WithoutAFileEverythingIsDefault) {
  auto s = Make();
  EXPECT_EQ(Colors(*s), kDefaults);
  EXPECT_EQ(s->LabelFontSize, 10);
  EXPECT_EQ(s->ScaleX, 0);
  EXPECT_TRUE(s->Language_Russian->isChecked());
  EXPECT_EQ(s->LanguageName(), "Russian");
  EXPECT_TRUE(s->PathProgram.isEmpty());
  EXPECT_TRUE(s->PathProject.isEmpty());
  EXPECT_TRUE(s->PathTemplate.isEmpty());
  EXPECT_TRUE(s->ActionLanguage->isEnabled());
  EXPECT_TRUE(s->Timer.Enabled());
  EXPECT_TRUE(s->TimerColor.Enabled());
  EXPECT_EQ(s->Timer.Interval(), 200);
  EXPECT_EQ(s->TimerColor.Interval(), 100);
  EXPECT_FALSE(s->isVisible());
}

TEST_F(Settings, LanguageItemsAreExclusiveAndCarryTheirHint) {
  auto s = Make();
  EXPECT_EQ(s->Language_Russian->statusTip(), "Russian");
  EXPECT_EQ(s->Language_German->statusTip(), "German");
  EXPECT_EQ(s->Language_English->statusTip(), "English");
  EXPECT_EQ(s->Language->actions().size(), 3);
  s->Language_English->setChecked(true);
  EXPECT_FALSE(s->Language_Russian->isChecked());
  EXPECT_EQ(s->LanguageName(), "English");
}

TEST_F(Settings, OnlyTheCursorColourChanges) {
  for (const char* fixture : {"cursor_decimal.ini", "cursor_hex.ini", "cursor_dollar_other_case.ini"}) {
    Install(fixture);
    auto s = Make();
    std::vector<ColorValue> expected = kDefaults;
    expected[0] = 0xFF0000;  // blue
    EXPECT_EQ(Colors(*s), expected) << fixture;
    s->SetApplicationTitle("?");  // leave the fixture in place for the next one
  }
}

TEST_F(Settings, NonIntegerColourKeepsItsDefault) {
  Install("color_not_integer.ini");
  auto s = Make();
  EXPECT_EQ(s->ColorBrush, 0x000000);
  EXPECT_EQ(s->ColorSelect, 0x00FFFF);
  EXPECT_EQ(s->ColorEnabled, 0x808080) << "4294967295 does not fit a signed 32-bit value";
}

TEST_F(Settings, TheTwoAdditionallKeysAreTheOnesRead) {
  Install("additionall_spelling.ini");
  auto s = Make();
  EXPECT_EQ(s->ColorDefaultAdditional, 2);
  EXPECT_EQ(s->ColorSpare, 0xFFFF00) << "the spare slot has no key";
}

struct LanguageCase {
  const char* fixture;
  const char* expected;
};

TEST_F(Settings, LanguageNameMatchesExactly) {
  const LanguageCase cases[] = {
      {"language_german.ini", "German"},
      {"language_english.ini", "English"},
      {"language_lower_case.ini", "Russian"},  // "english" is no match
      {"language_unknown.ini", "Russian"},
  };
  for (const LanguageCase& c : cases) {
    Install(c.fixture);
    auto s = Make();
    EXPECT_EQ(s->LanguageName(), c.expected) << c.fixture;
    s->SetApplicationTitle("?");
  }
}

TEST_F(Settings, ScaleReadsAnIntegerAndOneForAnythingElse) {
  Install("scale_not_integer.ini");
  EXPECT_EQ(Make()->ScaleX, 1);
  Install("scale_negative.ini");
  EXPECT_EQ(Make()->ScaleX, -25);
}

TEST_F(Settings, UnreadableFilesGiveTheDefaults) {
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  QByteArray binary;
  for (int i = 0; i < 5000; ++i) binary.append(static_cast<char>((i * 131) % 256));
  const Case cases[] = {
      {"empty", QByteArray()},
      {"binary", binary},
      {"no sections", "Color_Cursor=16711680\nLanguage_Name=German\n"},
      {"long line", "[Color]\nColor_Cursor=" + QByteArray(300000, '1') + "\n"},
      {"nul bytes", QByteArray("[Color]\0\nColor_Cursor\0=5\n", 25)},
  };
  for (const Case& c : cases) {
    InstallBytes(c.bytes);
    auto s = Make();
    EXPECT_EQ(Colors(*s), kDefaults) << c.name;
    EXPECT_EQ(s->LanguageName(), "Russian") << c.name;
    s->SetApplicationTitle("?");
  }
}

TEST_F(Settings, HugeFileIsReadUpToTheCap) {
  InstallBytes("[Color]\nColor_Cursor=16711680\n");
  std::filesystem::resize_file(SettingsFile().toStdString(), 100u * 1024u * 1024u);
  auto s = Make();
  EXPECT_EQ(s->ColorCursor, 0xFF0000);
}

TEST_F(Settings, DuplicateKeysTakeTheFirst) {
  Install("duplicate_keys.ini");
  auto s = Make();
  EXPECT_EQ(s->ColorCursor, 1);
  EXPECT_EQ(s->LanguageName(), "German");
}

TEST_F(Settings, MissingFolderIsDroppedThenDefaultedAndWrittenOnlyIfItExists) {
  Install("path_missing_folder.ini");
  auto s = Make();
  EXPECT_TRUE(s->PathProgram.isEmpty());
  EXPECT_TRUE(s->PathProject.isEmpty());
  EXPECT_EQ(s->ProjectTyp, "Mill");
  s->ActionLanguageExecute();
  EXPECT_EQ(s->PathProgram, exe_ + "Program/");
  EXPECT_EQ(s->PathProject, exe_ + "Project/");
  EXPECT_EQ(s->PathTemplate, exe_ + "Template/");
  MakeDir("Program");  // Project/ and Template/ stay missing
  ASSERT_TRUE(s->ActionSaveExecute());
  const QByteArray text = FileText();
  EXPECT_TRUE(text.contains("Program=" + (exe_ + "Program/").toUtf8()));
  EXPECT_FALSE(text.contains("Project="));
  EXPECT_FALSE(text.contains("Template="));
  EXPECT_FALSE(text.contains("Project_Typ")) << "read, never written";
}

TEST_F(Settings, ChosenPathIsNotReplacedByTheDefault) {
  const QString work = MakeDir("Work");
  auto s = Make();
  s->PathProgram = work;
  s->ActionLanguageExecute();
  EXPECT_EQ(s->PathProgram, work);
}

TEST_F(Settings, PathWhoseFolderGoesAwayDuringTheRunIsNotWritten) {
  const QString sketch = MakeDir("Sketch");
  auto s = Make();
  s->PathSketch = sketch;
  ASSERT_TRUE(s->ActionSaveExecute());
  EXPECT_TRUE(FileText().contains("Sketch="));
  ASSERT_TRUE(QDir(sketch).removeRecursively());
  ASSERT_TRUE(s->ActionSaveExecute());
  EXPECT_FALSE(FileText().contains("Sketch="));
  EXPECT_FALSE(FileText().contains("[Path]")) << "a section without keys does not appear";
}

TEST_F(Settings, PathsInASingleByteCodePageAreReadInTheInterfaceLanguage) {
  const QString folder = MakeDir(QStringLiteral("Программы"));
  // The folder's name in Windows-1251.
  const QByteArray cp1251 = exe_.toUtf8() + "\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB/";
  InstallBytes("[Path]\nProgram=" + cp1251 + "\n");
  EXPECT_EQ(Make()->PathProgram, folder);
  // Under a German interface the same bytes are Windows-1252 letters: no such folder.
  InstallBytes("[Language]\nLanguage_Name=German\n[Path]\nProgram=" + cp1251 + "\n");
  auto german = Make();
  EXPECT_TRUE(german->PathProgram.isEmpty());
  german->SetApplicationTitle("?");
}

TEST_F(Settings, WritesTheSectionsAndKeysInOrder) {
  auto s = Make();
  const QString program = MakeDir("Program");
  const QString dxf = MakeDir("Dxf");
  s->PathProgram = program;
  s->PathDxf = dxf;
  s->ColorBrush = static_cast<ColorValue>(0xFFFFFFFFu);  // a high byte survives as signed
  s->Language_German->setChecked(true);
  ASSERT_TRUE(s->ActionSaveExecute());
  const QByteArray expected =
      "[Color]\n"
      "Color_Cursor=255\nColor_Axes_X=16711680\nColor_Axes_Y=32768\nColor_Axes_Z=255\n"
      "Color_Brush=-1\nColor_Text_Normal=16776960\nColor_Text_Cursor=65280\n"
      "Color_Text_Message=65535\nColor_Default=16777215\nColor_Default_Additionall=16711935\n"
      "Color_Select=65535\nColor_Cont_Create=16711935\nColor_Enabled=8421504\n"
      "Color_Tool_Typ_0=16777215\nColor_Tool_Typ_1=16711680\nColor_Tool_Typ_2=65280\n"
      "Color_Tool_Max=16711935\nColor_Tool_Drill=16776960\nColor_Tool_Thread=32896\n"
      "Color_Model=16239092\nColor_Model_Brush=12915849\nColor_Model_Additionall=8388736\n"
      "Color_Model_Transparent=16711680\n"
      "\n[Path]\nDxf=" + dxf.toUtf8() + "\nProgram=" + program.toUtf8() + "\n"
      "\n[Language]\nLanguage_Name=German\n";
  EXPECT_EQ(FileText(), expected) << "ScaleX 0 leaves the section Scale out";
}

TEST_F(Settings, RoundTripKeepsEveryValue) {
  auto s = Make();
  std::uint32_t value = 1;
  for (ColorValue* slot :
       {&s->ColorCursor, &s->ColorBrush, &s->ColorDefault, &s->ColorSelect, &s->ColorEnabled,
        &s->ColorToolTyp1, &s->ColorToolTyp2, &s->ColorToolMax, &s->ColorToolDrill,
        &s->ColorTextMessage, &s->ColorAxesX, &s->ColorAxesY, &s->ColorAxesZ,
        &s->ColorContCreate, &s->ColorDefaultAdditional, &s->ColorModel,
        &s->ColorModelAdditional, &s->ColorModelBrush, &s->ColorModelTransparent,
        &s->ColorTextCursor, &s->ColorTextNormal, &s->ColorToolTyp0, &s->ColorToolThread}) {
    *slot = static_cast<ColorValue>(value);
    value = value * 2654435761u + 7u;  // different, and some with the high bit
  }
  s->ScaleX = -12;
  s->PathProgram = MakeDir("P1");
  s->PathProject = MakeDir("P2");
  s->PathTemplate = MakeDir("P3");
  s->PathDxf = MakeDir("P4");
  s->PathRudizi = MakeDir("P5");
  s->PathModel = MakeDir("P6");
  s->PathSketch = MakeDir(QStringLiteral("P7 with blank and \\ and ä"));
  s->Language_English->setChecked(true);
  ASSERT_TRUE(s->ActionSaveExecute());
  const QByteArray first = FileText();

  auto back = Make();
  std::vector<ColorValue> expected = Colors(*s);
  expected.back() = 0xFFFF00;  // the spare slot is not stored
  EXPECT_EQ(Colors(*back), expected);
  EXPECT_EQ(back->ScaleX, -12);
  EXPECT_EQ(back->PathProgram, s->PathProgram);
  EXPECT_EQ(back->PathProject, s->PathProject);
  EXPECT_EQ(back->PathTemplate, s->PathTemplate);
  EXPECT_EQ(back->PathDxf, s->PathDxf);
  EXPECT_EQ(back->PathRudizi, s->PathRudizi);
  EXPECT_EQ(back->PathModel, s->PathModel);
  EXPECT_EQ(back->PathSketch, s->PathSketch);
  EXPECT_EQ(back->LanguageName(), "English");
  ASSERT_TRUE(back->ActionSaveExecute());
  EXPECT_EQ(FileText(), first);
}

TEST_F(Settings, DestructionWritesTheFile) {
  Make()->Language_German->setChecked(true);
  EXPECT_TRUE(FileText().contains("Language_Name=German"));
}

TEST_F(Settings, TitleQuestionMarkWritesNothing) {
  {
    auto s = Make();
    s->SetApplicationTitle("?");
    EXPECT_FALSE(s->ActionSaveExecute());
  }
  EXPECT_FALSE(QFile::exists(SettingsFile())) << "no file after a cancelled first start";
  Install("language_german.ini");
  const QByteArray before = FileText();
  {
    auto s = Make();
    s->SetApplicationTitle("?");
    s->Language_English->setChecked(true);
  }
  EXPECT_EQ(FileText(), before) << "an existing file is left alone";
}

TEST_F(Settings, TitleComesFromTheApplicationByDefault) {
  TFormaSettings s(folders_, daten_, windows_);
  EXPECT_EQ(s.ApplicationTitle(), QCoreApplication::applicationName());
  s.SetApplicationTitle("?");
}

TEST_F(Settings, WithoutTheExecutableNothingIsReadOrWritten) {
  Install("language_german.ini");
  folders_.SetExeFolder(exe_, exe_ + "gone");
  auto s = Make();
  EXPECT_EQ(s->LanguageName(), "Russian");
  s->Language_English->setChecked(true);
  EXPECT_FALSE(s->ActionSaveExecute());
  s.reset();
  EXPECT_TRUE(FileText().contains("German"));
}

TEST_F(Settings, FailedWriteLeavesTheOldFileAndReportsIt) {
  Install("language_german.ini");
  const QByteArray before = FileText();
  auto s = Make();
  // Something in the way of the file written beside the old one.
  ASSERT_TRUE(QDir(exe_).mkdir("Settings.ini.tmp~"));
  s->Language_English->setChecked(true);
  EXPECT_FALSE(s->ActionSaveExecute());
  EXPECT_EQ(FileText(), before);
  s.reset();  // the write at destruction fails quietly too
  EXPECT_EQ(FileText(), before);
}

// The user's file is there but out of reach: the run goes on with the defaults and the file
// is never replaced by them. Checked as a user without rights to it (root reads anything).
TEST_F(Settings, AFileThatCannotBeReadIsLeftAloneAtExit) {
  namespace fs = std::filesystem;
  struct Case {
    const char* name;
    fs::perms mode;
  };
  for (const Case c : {Case{"mode 000", fs::perms::none},
                       Case{"write-only", fs::perms::owner_write | fs::perms::group_write |
                                              fs::perms::others_write}}) {
    SCOPED_TRACE(c.name);
    Install("language_german.ini");
    const QByteArray before = FileText();
    const fs::path file = SettingsFile().toStdString();
    const fs::path folder = exe_.toStdString();
    fs::permissions(file, c.mode);
    fs::permissions(folder, fs::perms::all);  // a folder the user may write into
    const auto run = movra::testing::RunAsOtherUser([this] {
      auto s = Make();
      const bool defaults = Colors(*s) == kDefaults && s->LanguageName() == "Russian";
      s->Language_English->setChecked(true);
      s->ColorCursor = 0x123456;
      const bool refused = !s->ActionSaveExecute();
      s.reset();  // the write at destruction
      return defaults && refused;
    });
    const fs::perms mode = fs::status(file).permissions();
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(folder, fs::perms::owner_all);
    if (!run.Ran) GTEST_SKIP() << run.Reason;
    EXPECT_TRUE(run.Passed) << "not run on the defaults, or the save was reported as done";
    EXPECT_EQ(mode, c.mode);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(QDir(exe_).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2)
        << "only the executable and the settings file";
  }
}

TEST_F(Settings, ALinkedFileIsReadAndUpdatedThroughItsLink) {
  namespace fs = std::filesystem;
  const QString real = MakeDir("Elsewhere") + "Real.ini";
  Install("language_german.ini");
  ASSERT_TRUE(QFile::rename(SettingsFile(), real));
  fs::create_symlink("Elsewhere/Real.ini", SettingsFile().toStdString());
  {
    auto s = Make();
    EXPECT_EQ(s->LanguageName(), "German");
    s->Language_English->setChecked(true);
  }
  EXPECT_TRUE(fs::is_symlink(SettingsFile().toStdString()));
  EXPECT_EQ(fs::read_symlink(SettingsFile().toStdString()), "Elsewhere/Real.ini");
  QFile file(real);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("Language_Name=English"));
}

TEST_F(Settings, ALoopOfLinksFailsAndLeavesBothNames) {
  namespace fs = std::filesystem;
  const fs::path settings = SettingsFile().toStdString();
  const fs::path other = (exe_ + "Other.ini").toStdString();
  fs::create_symlink(other, settings);
  fs::create_symlink(settings, other);
  {
    auto s = Make();
    EXPECT_EQ(Colors(*s), kDefaults);
    s->Language_English->setChecked(true);
    EXPECT_FALSE(s->ActionSaveExecute());
  }
  EXPECT_EQ(fs::read_symlink(settings), other);
  EXPECT_EQ(fs::read_symlink(other), settings);
}

TEST_F(Settings, DefaultResetsColoursAndFontButNotScale) {
  auto s = Make();
  s->ColorCursor = 1;
  s->ColorSpare = 2;
  s->LabelFontSize = 30;
  s->ScaleX = 4;
  s->ActionDefault->trigger();
  EXPECT_EQ(Colors(*s), kDefaults);
  EXPECT_EQ(s->LabelFontSize, 10);
  EXPECT_EQ(s->ScaleX, 4);
}

TEST_F(Settings, TimersRepaintThenApplyTheLanguageThenRepaintAgain) {
  Receiver receiver;
  windows_.Register(&receiver);
  auto s = Make();
  ASSERT_TRUE(RunEventLoopUntil([&] { return receiver.codes.size() >= 3; }));
  RunEventLoop(300);  // nothing more follows
  EXPECT_EQ(receiver.codes, (std::vector<int>{NotifyRepaint, LanguageApplied, NotifyRepaint}));
  EXPECT_FALSE(s->ActionLanguage->isEnabled());
  EXPECT_EQ(s->ActionLanguage->text(), "Russian");
  EXPECT_EQ(s->Language->title(), "Russian");
  EXPECT_FALSE(s->Timer.Enabled());
  EXPECT_FALSE(s->TimerColor.Enabled());
  windows_.Unregister(&receiver);
}

TEST_F(Settings, DisabledLanguageActionDoesNothing) {
  Receiver receiver;
  windows_.Register(&receiver);
  auto s = Make();
  s->Timer.SetEnabled(false);
  s->TimerColor.SetEnabled(false);
  s->ActionLanguageExecute();
  ASSERT_EQ(receiver.codes, std::vector<int>{LanguageApplied});
  EXPECT_TRUE(s->TimerColor.Enabled()) << "the application ends by arming the repaint";
  s->Language_German->setChecked(true);
  s->ActionLanguageExecute();
  s->ActionLanguage->trigger();
  EXPECT_EQ(receiver.codes, std::vector<int>{LanguageApplied});
  EXPECT_EQ(s->ActionLanguage->text(), "Russian");
  windows_.Unregister(&receiver);
}

// A language application whose table step fails.
class FailingSettings : public TFormaSettings {
 public:
  using TFormaSettings::TFormaSettings;

 protected:
  void ApplyLanguageTable(const QString&) override { throw std::runtime_error("table"); }
};

TEST_F(Settings, FailedApplicationStillEndsWithItsClosingSteps) {
  Receiver receiver;
  windows_.Register(&receiver);
  FailingSettings s(folders_, daten_, windows_);
  s.SetApplicationTitle("?");
  s.TimerColor.SetEnabled(false);
  EXPECT_NO_THROW(s.ActionLanguageExecute());
  EXPECT_EQ(receiver.codes, std::vector<int>{LanguageApplied});
  EXPECT_FALSE(s.ActionLanguage->isEnabled());
  EXPECT_TRUE(s.TimerColor.Enabled());
  windows_.Unregister(&receiver);
}

TEST_F(Settings, TakesPartInTheBroadcastWhileItLives) {
  const std::size_t before = windows_.Count();
  {
    auto s = Make();
    EXPECT_EQ(windows_.Count(), before + 1);
    daten_.BroadcastToForms(platform::FormaNotify, NotifyModified);  // ignored, no crash
  }
  EXPECT_EQ(windows_.Count(), before);
}

}  // namespace
}  // namespace movra
