#pragma once
// The modal questions and the folder choice that every window uses.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace movra::platform {

// A modal question with the buttons Yes and No (Yes is the default, Escape answers No).
// True for Yes. The caption is the application's name.
bool AskYesNo(QWidget* parent, const QString& text);

// The question asked before a typed folder that does not exist is taken.
QString MissingFolderQuestion(const QString& folder);

// What the folder dialog's OK makes of the text in its edit line: a relative text is taken
// within Base. An existing folder is taken; a missing one only when ConfirmMissing says yes
// (it is not created); a file, or an empty text, is not taken. The result is an absolute,
// cleaned path without a trailing "/" (except the root).
std::optional<QString> ResolveTypedFolder(const QString& Typed, const QString& Base,
                                          const std::function<bool(const QString&)>& ConfirmMissing);

// The modal folder-selection dialog: a tree of the folders with an edit line in which the user
// may also type the name of a folder that does not exist yet; such a name is taken after a
// Yes/No confirmation, and the folder is not created. Empty when cancelled.
std::optional<QString> ChooseFolderDialog(QWidget* parent, const QString& StartFolder);

}  // namespace movra::platform
