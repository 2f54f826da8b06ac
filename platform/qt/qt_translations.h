#pragma once
// Qt's own texts (the buttons of the message boxes, the context menu of a text) in the
// interface language, from the translations the system ships.
namespace movra::platform {

// 0 German, 1 English, 2 Russian; any other value leaves Qt's texts as they are. False when
// the translation of the language could not be loaded: Qt's texts are then English.
bool UseQtTranslations(int Language);

}  // namespace movra::platform
