#pragma once
// The project files *.geo: plain contour-text lines. A file is written back in the form it
// was read in (code page, line end, end of the last line), so that a file opened and saved
// unchanged keeps every byte. Standard library only.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace movra {

struct GeoFileFormat {
  enum class Encoding { Utf8, Utf8Bom, Cp1251, Cp1252 };
  Encoding Text = Encoding::Utf8;
  std::string LineEnd = "\r\n";
  bool FinalLineEnd = true;  // the last line ends with a line end too
};

// Larger files are refused: a program text of the whole element store is far smaller, and
// the memo would hang on more.
inline constexpr std::uintmax_t MaxGeoFileBytes = std::uintmax_t{8} << 20;

enum class GeoReadResult { Ok, Unreadable, TooLarge, Binary };

// The lines of Bytes as UTF-8 and the form they came in. Text that is not UTF-8 is read in
// the code page of the interface (Windows-1251 for Russian, else Windows-1252). Bytes with a
// NUL character are no text (Binary) and give no lines.
GeoReadResult DecodeGeoText(std::string_view Bytes, bool RussianInterface,
                            std::vector<std::string>& Lines, GeoFileFormat& Format);

// Reads and decodes the file; Unreadable when it is missing or no regular file, TooLarge
// above MaxGeoFileBytes.
GeoReadResult ReadGeoFile(const std::string& Path, bool RussianInterface,
                          std::vector<std::string>& Lines, GeoFileFormat& Format);

// The bytes of Lines in Format. Text that a single-byte code page cannot hold is written as
// UTF-8 instead (never a lost character).
std::string EncodeGeoText(const std::vector<std::string>& Lines, const GeoFileFormat& Format);

// UTF-8 text in Windows-1251 or Windows-1252; false when a character has no byte there.
bool Utf8ToCodePage(std::string_view Utf8, bool Cp1251, std::string& Out);

}  // namespace movra
