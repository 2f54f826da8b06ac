#pragma once
// Writing a file so that it is either the old one or the new one, never half of either.
#include <optional>
#include <string>
#include <string_view>

namespace movra::platform {

// Writes Bytes whole to a temporary file beside Path and renames it over Path. The
// temporary file reaches the disk before the rename, and the folder after it, so that a
// power cut leaves the old contents or the new ones, never an empty file. A file that stood
// there keeps its permissions.
//
// When Path is a symbolic link (or a chain of them) the file it leads to is replaced, in
// that file's folder, and the link stays; a link to a missing file in an existing folder
// creates that file. A loop of links, or a link into a missing folder, fails.
//
// A file that stands there but may not be written (write-protected, mode 000) is never
// replaced. On any failure (folder missing or read-only, disk full, something in the way of the
// temporary file) the temporary file is removed, the old file and any link are left
// untouched, and the result is false.
bool WriteFileAtomically(const std::string& Path, std::string_view Bytes);

// The file that writing Path would replace: Path itself, or the end of the chain of symbolic
// links that starts at Path. Empty when the chain loops, runs too long or cannot be read.
std::optional<std::string> ResolveWriteTarget(const std::string& Path);

}  // namespace movra::platform
