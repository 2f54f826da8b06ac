#include "shell/base/forma_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "geometry/forma_daten.h"
#include "platform/core/ini_file.h"
#include "platform/core/text_encoding.h"
#include "shell/base/folders.h"
#include "shell/core/language_lookup.h"

// The table is compiled into a static library, whose resource the linker would drop unless
// it is registered by name; Qt wants that done outside any namespace.
static void InitLanguageResource() { Q_INIT_RESOURCE(language); }

namespace movra {
namespace {

using ColorSlot = platform::ColorValue TFormaSettings::*;

struct ColorKey {
  const char* Key;
  ColorSlot Slot;
  platform::ColorValue Default;
};

// The keyed colour slots in the order they are written. Two keys are spelled "Additionall"
// in every file written so far; they stay so.
constexpr std::array<ColorKey, 23> kColorKeys = {{
    {"Color_Cursor", &TFormaSettings::ColorCursor, 0x0000FF},
    {"Color_Axes_X", &TFormaSettings::ColorAxesX, 0xFF0000},
    {"Color_Axes_Y", &TFormaSettings::ColorAxesY, 0x008000},
    {"Color_Axes_Z", &TFormaSettings::ColorAxesZ, 0x0000FF},
    {"Color_Brush", &TFormaSettings::ColorBrush, 0x000000},
    {"Color_Text_Normal", &TFormaSettings::ColorTextNormal, 0xFFFF00},
    {"Color_Text_Cursor", &TFormaSettings::ColorTextCursor, 0x00FF00},
    {"Color_Text_Message", &TFormaSettings::ColorTextMessage, 0x00FFFF},
    {"Color_Default", &TFormaSettings::ColorDefault, 0xFFFFFF},
    {"Color_Default_Additionall", &TFormaSettings::ColorDefaultAdditional, 0xFF00FF},
    {"Color_Select", &TFormaSettings::ColorSelect, 0x00FFFF},
    {"Color_Cont_Create", &TFormaSettings::ColorContCreate, 0xFF00FF},
    {"Color_Enabled", &TFormaSettings::ColorEnabled, 0x808080},
    {"Color_Tool_Typ_0", &TFormaSettings::ColorToolTyp0, 0xFFFFFF},
    {"Color_Tool_Typ_1", &TFormaSettings::ColorToolTyp1, 0xFF0000},
    {"Color_Tool_Typ_2", &TFormaSettings::ColorToolTyp2, 0x00FF00},
    {"Color_Tool_Max", &TFormaSettings::ColorToolMax, 0xFF00FF},
    {"Color_Tool_Drill", &TFormaSettings::ColorToolDrill, 0xFFFF00},
    {"Color_Tool_Thread", &TFormaSettings::ColorToolThread, 0x008080},
    {"Color_Model", &TFormaSettings::ColorModel, 0xF7C9F4},
    {"Color_Model_Brush", &TFormaSettings::ColorModelBrush, 0xC51489},
    {"Color_Model_Additionall", &TFormaSettings::ColorModelAdditional, 0x800080},
    {"Color_Model_Transparent", &TFormaSettings::ColorModelTransparent, 0xFF0000},
}};
constexpr platform::ColorValue kColorSpareDefault = 0xFFFF00;

using PathSlot = QString TFormaSettings::*;
struct PathKey {
  const char* Key;
  PathSlot Slot;
};

// Written in this order ...
constexpr std::array<PathKey, 7> kPathWriteOrder = {{
    {"Dxf", &TFormaSettings::PathDxf},
    {"Ziziza", &TFormaSettings::PathRudizi},
    {"Model", &TFormaSettings::PathModel},
    {"Sketch", &TFormaSettings::PathSketch},
    {"Program", &TFormaSettings::PathProgram},
    {"Project", &TFormaSettings::PathProject},
    {"Template", &TFormaSettings::PathTemplate},
}};
// ... and read in this one.
constexpr std::array<PathKey, 7> kPathReadOrder = {{
    {"Dxf", &TFormaSettings::PathDxf},
    {"Model", &TFormaSettings::PathModel},
    {"Sketch", &TFormaSettings::PathSketch},
    {"Ziziza", &TFormaSettings::PathRudizi},
    {"Project", &TFormaSettings::PathProject},
    {"Program", &TFormaSettings::PathProgram},
    {"Template", &TFormaSettings::PathTemplate},
}};

bool FolderExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TFormaSettings::TFormaSettings(TFormaDatenFolders& Folders, TFormaDaten& Daten,
                               platform::WindowList& Windows, QWidget* parent)
    : QWidget(parent),
      Timer(200, this),
      TimerColor(100, this),
      folders_(Folders),
      daten_(Daten),
      windows_(Windows) {
  setObjectName(QStringLiteral("FormaSettings"));
  windows_.Register(this);

  Language = new QMenu(QStringLiteral("Language"), this);
  Language->setObjectName(QStringLiteral("Language"));
  LanguageGroup = new QActionGroup(this);
  LanguageGroup->setExclusive(true);
  Language_Russian = MakeLanguageItem(QStringLiteral("Russian"));
  Language_German = MakeLanguageItem(QStringLiteral("German"));
  Language_English = MakeLanguageItem(QStringLiteral("English"));

  const auto makeAction = [this](const char* name) {
    auto* action = new QAction(QString::fromLatin1(name), this);
    action->setObjectName(QString::fromLatin1(name));
    addAction(action);
    return action;
  };
  ActionDefault = makeAction("ActionDefault");
  ActionOpen = makeAction("ActionOpen");
  ActionSave = makeAction("ActionSave");
  ActionScreen = makeAction("ActionScreen");
  ActionLanguage = makeAction("ActionLanguage");
  connect(ActionDefault, &QAction::triggered, this, &TFormaSettings::ActionDefaultExecute);
  connect(ActionOpen, &QAction::triggered, this, &TFormaSettings::ActionOpenExecute);
  connect(ActionSave, &QAction::triggered, this, &TFormaSettings::ActionSaveExecute);
  connect(ActionScreen, &QAction::triggered, this, &TFormaSettings::ActionScreenExecute);
  connect(ActionLanguage, &QAction::triggered, this, &TFormaSettings::ActionLanguageExecute);

  LoadLanguageTable();

  Timer.OnTimer = [this] { TimerTimer(); };
  TimerColor.OnTimer = [this] { TimerColorTimer(); };

  // Creation: paths and ScaleX are cleared by their initialisers.
  ActionDefaultExecute();
  Language_Russian->setChecked(true);
  ActionOpenExecute();
  // Both timers run from the window's creation.
  Timer.SetEnabled(true);
  TimerColor.SetEnabled(true);
}

TFormaSettings::~TFormaSettings() {
  Timer.SetEnabled(false);
  TimerColor.SetEnabled(false);
  ActionSaveExecute();  // nobody is left to tell of a failure
  windows_.Unregister(this);
}

void TFormaSettings::FormaNotify(int /*Code*/) {}

QAction* TFormaSettings::MakeLanguageItem(const QString& hint) {
  auto* item = new QAction(hint, LanguageGroup);
  item->setObjectName(QStringLiteral("Language_") + hint);
  item->setCheckable(true);
  item->setStatusTip(hint);
  Language->addAction(item);
  return item;
}

void TFormaSettings::ActionDefaultExecute() {
  for (const ColorKey& color : kColorKeys) this->*color.Slot = color.Default;
  ColorSpare = kColorSpareDefault;
  LabelFontSize = 10;
}

void TFormaSettings::ActionOpenExecute() {
  const QString fileName = folders_.SettingsFileName();
  if (fileName.isEmpty()) return;
  const QFileInfo info(fileName);
  if (!info.exists()) return;  // first start, or a link to a file not made yet
  platform::IniFile ini;
  if (!info.isFile() || !ini.Load(LocalPath(fileName))) {
    // The user's settings are there but out of reach (no rights, a read error): the run
    // goes on with the defaults, and the file must not be replaced by them at exit.
    settingsUnread_ = true;
    return;
  }

  if (ini.HasSection("Color"))
    for (const ColorKey& color : kColorKeys)
      this->*color.Slot = ini.ReadInteger("Color", color.Key, this->*color.Slot);

  if (ini.HasKey("Scale", "Scale_X")) ScaleX = ini.ReadInteger("Scale", "Scale_X", 1);

  if (const auto name = ini.ReadString("Language", "Language_Name")) {
    for (QAction* item : {Language_Russian, Language_German, Language_English})
      if (item->statusTip().toStdString() == *name) {
        item->setChecked(true);
        break;
      }
  }

  // Paths may come from a file written on a desktop with a single-byte code page.
  const bool russian = Language_Russian->isChecked();
  const auto text = [russian](const std::string& value) {
    return QString::fromStdString(platform::DecodeSingleByteText(value, russian));
  };
  for (const PathKey& path : kPathReadOrder) {
    const auto value = ini.ReadString("Path", path.Key);
    if (!value || value->empty()) continue;
    QString& slot = this->*path.Slot;
    slot = text(*value);
    if (!FolderExists(slot)) slot.clear();  // the default folder will be used
  }
  if (const auto typ = ini.ReadString("Path", "Project_Typ"); typ && !typ->empty())
    ProjectTyp = text(*typ);
}

bool TFormaSettings::ActionSaveExecute() {
  if (ApplicationTitle() == QStringLiteral("?")) return false;  // first start cancelled
  if (!folders_.ExeFileExists()) return false;
  if (settingsUnread_) return false;  // the file that could not be read stays as it is
  const QString fileName = folders_.SettingsFileName();
  if (fileName.isEmpty()) return false;

  platform::IniFile ini;
  for (const ColorKey& color : kColorKeys) ini.WriteInteger("Color", color.Key, this->*color.Slot);
  for (const PathKey& path : kPathWriteOrder) {
    const QString& value = this->*path.Slot;
    if (FolderExists(value)) ini.WriteString("Path", path.Key, value.toStdString());
  }
  if (ScaleX != 0) ini.WriteInteger("Scale", "Scale_X", ScaleX);
  if (const QString name = LanguageName(); !name.isEmpty())
    ini.WriteString("Language", "Language_Name", name.toStdString());
  // Written beside the old file and renamed over it: the old one stays until the new is whole.
  return ini.Save(LocalPath(fileName));
}

void TFormaSettings::ActionScreenExecute() { TimerColor.SetEnabled(true); }

QString TFormaSettings::LanguageName() const {
  for (const QAction* item : {Language_Russian, Language_German, Language_English})
    if (item->isChecked()) return item->statusTip();
  return QString();
}

void TFormaSettings::ActionLanguageExecute() {
  if (!ActionLanguage->isEnabled()) return;
  try {
    const QString name = LanguageName();
    ActionLanguage->setText(name);
    Language->setTitle(name);
    if (PathProject.isEmpty()) PathProject = folders_.ProjectFolder();
    if (PathProgram.isEmpty()) PathProgram = folders_.ProgramFolder();
    if (PathTemplate.isEmpty()) PathTemplate = folders_.TemplateFolder();
    ApplyLanguageTable(name);
  } catch (...) {
    // A failed application keeps the texts as far as they came and is not reported; it
    // must not take the program down from inside a timer or a menu event.
  }
  ActionLanguage->setEnabled(false);
  ActionScreenExecute();
  daten_.BroadcastToForms(platform::FormaNotify, LanguageApplied);
}

void TFormaSettings::LoadLanguageTable() {
  InitLanguageResource();
  QFile file(QStringLiteral(":/language/LanguageTable.txt"));
  if (!file.open(QIODevice::ReadOnly)) return;
  ListBoxLang = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  if (!ListBoxLang.isEmpty() && ListBoxLang.back().isEmpty()) ListBoxLang.removeLast();
}

std::span<const LanguageTarget> TFormaSettings::LanguageTargetTable() const {
  return LanguageTargets();
}

void TFormaSettings::ApplyLanguageTable(const QString& LanguageName) {
  // The working list lives for this application only.
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(ListBoxLang.size()));
  for (QString& item : ListBoxLang) {
    const std::string line = item.toStdString();
    std::string trimmed = shell::TrimLine(line);
    if (trimmed.size() != line.size()) item = QString::fromStdString(trimmed);
    lines.push_back(std::move(trimmed));
  }
  const std::string language = LanguageName.toStdString();
  const LanguageLookup LookupText = [&lines, &language](std::string_view Id) {
    return QString::fromStdString(shell::LookupText(lines, language, Id));
  };

  for (std::size_t slot = 0; slot < MessageIds.size(); ++slot)
    if (!MessageIds[slot].empty()) Messages[slot] = LookupText(MessageIds[slot]);
  ApplyLanguageTargets(LanguageTargetTable(), LookupText);
  ResetFileDialogs(PathProgram, PathTemplate, PathProject);
  ShowSyntaxTree(LanguageName);
}

void TFormaSettings::SelectLanguage(int Index) {
  QAction* item = Index == 0   ? Language_German
                  : Index == 1 ? Language_English
                  : Index == 2 ? Language_Russian
                               : nullptr;
  if (item != nullptr) {
    item->setChecked(true);
    ActionLanguage->setText(item->text());
  }
  ActionLanguage->setEnabled(true);
  ActionLanguageExecute();
}

int TFormaSettings::CurrentLanguage() const {
  if (Language_English->isChecked()) return 1;
  if (Language_German->isChecked()) return 0;
  if (Language_Russian->isChecked()) return 2;
  return -1;
}

void TFormaSettings::TimerTimer() {
  Timer.SetEnabled(false);
  ActionLanguageExecute();
  ActionScreenExecute();
}

void TFormaSettings::TimerColorTimer() {
  TimerColor.SetEnabled(false);
  daten_.BroadcastToForms(platform::FormaNotify, NotifyRepaint);
}

QString TFormaSettings::ApplicationTitle() const {
  return title_ ? *title_ : QCoreApplication::applicationName();
}

}  // namespace movra
