#include "shell/base/language_targets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QWidget>
#include <algorithm>
#include <initializer_list>

namespace movra {
namespace {

using P = LanguageProperty;

// One line per target; adding a target is adding its line here, once its window has the
// control. Targets of a window that is not built yet come with that window, e.g.
//   {"Forma_Rudizi", "PNew", P::Caption, "431258"},
//   {"FormaEditor", "ListBoxTurn", P::NumberedItem, "227624", 0},
constexpr std::initializer_list<LanguageTarget> kTargets = {
    {"Forma_Rudizi", "ActionEdit", P::Caption, "448315"},
    {"Forma_Rudizi", "ButtonEdit", P::Caption, "339154"},
    {"Forma_Rudizi", "ComboBoxLanguage", P::Hint, "41349"},
    {"Forma_Rudizi", "Files", P::Caption, "157069"},
    {"Forma_Rudizi", "FilesLocation", P::Caption, "151444"},
    {"Forma_Rudizi", "FilesLocationProgram", P::Caption, "454426"},
    {"Forma_Rudizi", "FilesLocationTemplate", P::Caption, "352245"},
    {"Forma_Rudizi", "HelpAbout", P::Caption, "542056"},
    {"Forma_Rudizi", "HelpPdf", P::Caption, "880524"},
    {"Forma_Rudizi", "PClose", P::Caption, "493922"},
    {"Forma_Rudizi", "PNew", P::Caption, "431258"},
    {"Forma_Rudizi", "PNew", P::Hint, "1674527"},
    {"Forma_Rudizi", "PClose", P::Hint, "818876"},
    {"Forma_Rudizi", "POpen", P::Caption, "80351"},
    {"Forma_Rudizi", "PExpand", P::Caption, "39839"},
    {"Forma_Rudizi", "PSave", P::Caption, "795513"},
    {"Forma_Rudizi", "PSaveAs", P::Caption, "436832"},
    {"Forma_Rudizi", "PSaveAs", P::Hint, "381600"},
    {"Forma_Rudizi", "SpeedButtonAdd", P::Caption, "518149"},
    {"Forma_Rudizi", "SpeedButtonCopy", P::Caption, "131337"},
    {"Forma_Rudizi", "SpeedButtonClose", P::Caption, "9648"},
    {"Forma_Rudizi", "TemplateLoad", P::Caption, "124463"},
    {"FormaEditor", "SpeedButtonSave", P::Caption, "795513"},
    {"FormaEditor", "ComboBoxColor", P::Item, "123451", 0},
    {"FormaEditor", "ComboBoxColor", P::Item, "123452", 1},
    {"FormaEditor", "ComboBoxColor", P::Item, "123453", 2},
    {"FormaEditor", "ComboBoxColor", P::Item, "123454", 3},
    {"FormaEditor", "ComboBoxColor", P::Item, "123455", 4},
    {"FormaEditor", "ComboBoxColor", P::Item, "472471", 5},
    {"FormaEditor", "ComboBoxColor", P::Item, "782479", 6},
    {"FormaEditor", "ComboBoxColor", P::Item, "852287", 7},
    {"FormaEditor", "ComboBoxColor", P::Item, "882281", 8},
    {"FormaEditor", "ComboBoxColor", P::Item, "123456", 9},
    {"FormaEditor", "ComboBoxTool", P::Hint, "454484"},
    {"FormaEditor", "Default", P::Caption, "77166"},
    {"FormaEditor", "GroupBoxColor", P::Caption, "555785"},
    {"FormaEditor", "SpeedButtonColorClose", P::Caption, "9648"},
    {"FormaEditor", "ListBoxTurn", P::NumberedItem, "227624", 0},
    {"FormaEditor", "ListBoxTurn", P::NumberedItem, "352624", 1},
    {"FormaEditor", "ListBoxTurn", P::NumberedItem, "222624", 2},
    {"FormaEditor", "ListBoxTurn", P::NumberedItem, "114633", 3},
    {"FormaEditor", "ListBoxTurn", P::NumberedItem, "774624", 4},
    {"FormaEditor", "ListBoxTurn", P::NumberedItem, "272624", 5},
    {"FormaEditor", "GroupBoxTurnParam", P::Caption, "353623"},
    {"FormaEditor", "GroupBoxTurnLeads", P::Caption, "193711"},
    {"FormaEditor", "GroupBoxTurnTransformation", P::Caption, "572454"},
    {"FormaEditor", "ComboBoxTurnI", P::Hint, "414333"},
    {"FormaEditor", "ComboBoxTurnL", P::Hint, "642334"},
    {"FormaEditor", "ComboBoxTurnF", P::Hint, "717337"},
    {"FormaEditor", "ComboBoxTurnK", P::Hint, "442434"},
    {"FormaEditor", "ButtonTurnSave", P::Caption, "795513"},
    {"FormaEditor", "ButtonTurnClose", P::Caption, "9648"},
    {"FormaEditor", "SpeedButtonInselTyp", P::Hint, "404102"},
    {"FormaEditor", "CheckListBoxInsel", P::Hint, "333531"},
    {"FormaEditor", "ButtonInselClick", P::Caption, "448315"},
    {"FormaEditor", "ComboBoxView", P::Hint, "132634"},
    {"FormaEditor", "ButtonInselSave", P::Caption, "795513"},
    {"FormaEditor", "ButtonInselClose", P::Caption, "9648"},
    {"FormaEditor", "ComboBoxThreadTyp", P::Item, "452945", 0},
    {"FormaEditor", "ComboBoxThreadTyp", P::Item, "455941", 1},
    {"FormaEditor", "CheckBoxThreadNorm", P::Hint, "122243"},
    {"FormaEditor", "ButtonThreadSave", P::Caption, "795513"},
    {"FormaEditor", "ButtonThreadClose", P::Caption, "9648"},
    {"FormaSyntax", "ButtonClose", P::Caption, "9648"},
    {"FormaSyntax", "FullCollapse", P::Caption, "322423"},
    {"FormaSyntax", "FullExpand", P::Caption, "39839"},
    {"FormaInfo", "StaticTextComments", P::Caption, "363833"},
    {"FormaInfo", "SpeedButtonExit", P::Caption, "9648"},
    {"FormaInputMemo", "ButtonClose", P::Caption, "9648"},
    {"FormaInputMemo", "ButtonSave", P::Caption, "795513"},
};

// The dialogs whose file name is cleared at every application, with the folder they start in.
enum class DialogFolder { Program, Template, Project };
struct FileDialogTarget {
  const char* Window;
  const char* Dialog;
  DialogFolder Folder;
};
constexpr std::array<FileDialogTarget, 5> kFileDialogs = {{
    {"Forma_Rudizi", "OpenDialog_Program", DialogFolder::Program},
    {"Forma_Rudizi", "SaveDialog_Program", DialogFolder::Program},
    {"Forma_Rudizi", "OpenDialog_Template", DialogFolder::Template},
    {"FormaEditor", "OpenDialog", DialogFolder::Project},
    {"FormaEditor", "SaveDialog", DialogFolder::Project},
}};

// Each window exists once in the program; a test may briefly hold two of a name, and both get
// the texts.
QList<QWidget*> Windows(const char* Name) {
  const QString name = QString::fromLatin1(Name);
  QList<QWidget*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name) found.append(w);
  return found;
}

QList<QObject*> Controls(const char* Window, const char* Control) {
  const QString name = QString::fromLatin1(Control);
  QList<QObject*> found;
  for (QWidget* window : Windows(Window))
    if (QObject* control = window->findChild<QObject*>(name)) found.append(control);
  return found;
}

void SetCaption(QObject* control, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(control))
    action->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(control))
    button->setText(text);
  else if (auto* group = qobject_cast<QGroupBox*>(control))
    group->setTitle(text);
  else if (auto* menu = qobject_cast<QMenu*>(control))
    menu->setTitle(text);
  else if (auto* label = qobject_cast<QLabel*>(control))
    label->setText(text);
  else if (auto* widget = qobject_cast<QWidget*>(control))
    widget->setWindowTitle(text);
}

void SetHint(QObject* control, const QString& text) {
  if (auto* menu = qobject_cast<QMenu*>(control)) control = menu->menuAction();
  if (auto* action = qobject_cast<QAction*>(control)) {
    action->setToolTip(text);
    action->setStatusTip(text);
  } else if (auto* widget = qobject_cast<QWidget*>(control)) {
    widget->setToolTip(text);
    widget->setStatusTip(text);
  }
}

// Replaces the text of an item that exists; the list keeps its selected item.
void SetItem(QObject* control, int index, const QString& text) {
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    if (index < 0 || index >= combo->count()) return;
    const int selected = combo->currentIndex();
    combo->setItemText(index, text);
    if (combo->currentIndex() != selected) combo->setCurrentIndex(selected);
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    QListWidgetItem* item = list->item(index);
    if (item == nullptr) return;
    const int selected = list->currentRow();
    item->setText(text);
    if (list->currentRow() != selected) list->setCurrentRow(selected);
  }
}

void ResetFileDialog(QObject* dialog, const QString& folder) {
  if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
    files->setDirectory(folder);
    files->selectFile(QString());
  } else if (dialog->property("FileName").isValid() && dialog->property("InitialDir").isValid()) {
    dialog->setProperty("FileName", QString());
    dialog->setProperty("InitialDir", folder);
  }
}

}  // namespace

std::span<const LanguageTarget> LanguageTargets() { return {kTargets.begin(), kTargets.size()}; }

std::vector<QString> UnresolvedLanguageTargets(std::span<const LanguageTarget> Targets) {
  std::vector<QString> missing;
  for (const LanguageTarget& target : Targets)
    if (Controls(target.Window, target.Control).isEmpty())
      missing.push_back(QString::fromLatin1(target.Window) + QLatin1Char('/') +
                        QString::fromLatin1(target.Control));
  return missing;
}

void ApplyLanguageTargets(std::span<const LanguageTarget> Targets, const LanguageLookup& Lookup) {
  for (const LanguageTarget& target : Targets) {
    const QList<QObject*> controls = Controls(target.Window, target.Control);
    if (controls.isEmpty()) continue;
    QString text = Lookup(target.Id);
    if (target.Property == P::NumberedItem)
      text = QString::number(target.Item) + QStringLiteral(". ") + text;
    for (QObject* control : controls) {
      switch (target.Property) {
        case P::Caption: SetCaption(control, text); break;
        case P::Hint: SetHint(control, text); break;
        case P::Item:
        case P::NumberedItem: SetItem(control, target.Item, text); break;
      }
    }
  }
}

void ResetFileDialogs(const QString& PathProgram, const QString& PathTemplate,
                      const QString& PathProject) {
  for (const FileDialogTarget& target : kFileDialogs) {
    const QString& folder = target.Folder == DialogFolder::Program    ? PathProgram
                            : target.Folder == DialogFolder::Template ? PathTemplate
                                                                      : PathProject;
    for (QObject* dialog : Controls(target.Window, target.Dialog)) ResetFileDialog(dialog, folder);
  }
}

void ShowSyntaxTree(const QString& LanguageName) {
  struct Tree {
    const char* Language;
    const char* Control;
  };
  constexpr std::array<Tree, 3> kTrees = {{
      {"Russian", "TreeViewSyntaxRu"},
      {"German", "TreeViewSyntaxDe"},
      {"English", "TreeViewSyntaxEn"},
  }};
  const bool known = std::any_of(kTrees.begin(), kTrees.end(), [&](const Tree& tree) {
    return LanguageName == QLatin1String(tree.Language);
  });
  if (!known) return;
  for (const Tree& tree : kTrees) {
    for (QObject* control : Controls("FormaSyntax", tree.Control)) {
      auto* view = qobject_cast<QWidget*>(control);
      if (view == nullptr) continue;
      const bool shown = LanguageName == QLatin1String(tree.Language);
      view->setVisible(shown);
      if (shown) view->raise();
    }
  }
}

}  // namespace movra
