#pragma once
// Reading the single-byte text files of the system (program texts, fonts, lists,
// templates) into UTF-8 lines.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace movra::platform {

// Splits text into lines at CR LF, LF or CR; a line end after the last line adds no line.
std::vector<std::string> SplitLines(std::string_view Text);

// The lines of a text file as UTF-8 (a UTF-8 byte-order mark is dropped; text that is no
// UTF-8 is read as Windows-1251 for a Russian interface, else Windows-1252). False, with
// Lines empty, when the file is missing, no regular file, unreadable or above MaxBytes.
bool ReadTextLines(const std::filesystem::path& Path, std::uintmax_t MaxBytes,
                   bool RussianInterface, std::vector<std::string>& Lines);

}  // namespace movra::platform
