#pragma once
// Writing a file so that it is either the old one or the new one, never half of either.
#include <string>
#include <string_view>

namespace movra::platform {

// Writes Bytes whole to a temporary file beside Path and renames it over Path. A file that
// stood there keeps its permissions. On any failure (folder missing or read-only, disk full)
// the temporary file is removed, the old file is left untouched, and the result is false.
bool WriteFileAtomically(const std::string& Path, std::string_view Bytes);

}  // namespace movra::platform
