#pragma once
// Where the texts of the language table go: one table of targets (window, control, property,
// id) that an application of the language walks, the ids of the message slots, and the two
// steps that are not texts (the file dialogs' folders, the syntax tree of the language).
// Windows are found by object name among the top-level widgets, controls by object name inside
// them; a window or control that does not exist is skipped.
#include <QString>
#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace movra {

enum class LanguageProperty {
  Caption,       // QAction, button, label text; group box, menu title; else the window title
  Hint,          // tool tip and status tip
  Item,          // text of list item Item; the selected item stays selected
  NumberedItem,  // the same, the text led by "Item. " ("0. ", "1. ", ...)
};

struct LanguageTarget {
  const char* Window;   // object name of the window, e.g. "FormaEditor"
  const char* Control;  // object name of the control inside it, e.g. "PNew"
  LanguageProperty Property;
  const char* Id;
  int Item = 0;  // only for the item properties
};

// The targets of the windows built so far, in the order they are applied.
std::span<const LanguageTarget> LanguageTargets();

// Ids of the message slots TFormaSettings::Messages, by slot; slot 7 has none and stays empty.
inline constexpr std::array<std::string_view, 14> MessageIds = {
    "518576", "47145", "536152", "232599", "243341", "234154", "818876",
    "",       "59781", "498155", "95225",  "381600", "335533", "77555"};

// The text of an id in the language being applied.
using LanguageLookup = std::function<QString(std::string_view Id)>;

// The targets among Targets whose window or control does not exist now, as
// "Window/Control": an application skips them silently, so a misspelt name shows only here.
std::vector<QString> UnresolvedLanguageTargets(std::span<const LanguageTarget> Targets);

// Puts the text of every target that exists.
void ApplyLanguageTargets(std::span<const LanguageTarget> Targets, const LanguageLookup& Lookup);

// The file dialogs forget their last file name and start in their folder again, so the next
// Save of a window asks for a name. A dialog is a QFileDialog, or any object with the
// properties "FileName" and "InitialDir".
void ResetFileDialogs(const QString& PathProgram, const QString& PathTemplate,
                      const QString& PathProject);

// Shows the syntax tree of the language ("Russian", "German", "English") in the syntax window
// and hides the other two.
void ShowSyntaxTree(const QString& LanguageName);

}  // namespace movra
