#pragma once
// Links handed to the desktop: an e-mail to write in the user's mail program.
#include <QString>

namespace movra::platform {

// Asks the desktop to open a "mailto:" link. Characters that a link may not hold as they are
// (blanks, letters beyond ASCII) are encoded; the link's own separators stay. False when no
// program took the link.
bool OpenMailLink(const QString& Link);

}  // namespace movra::platform
