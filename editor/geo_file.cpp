#include "editor/geo_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "platform/core/text_encoding.h"
#include "platform/core/text_file.h"

namespace movra {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The UTF-8 text of each byte 0x80..0xFF of a code page, turned round.
std::map<std::string, char> ReverseCodePage(bool Cp1251) {
  std::map<std::string, char> table;
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char byte = static_cast<char>(b);
    const std::string_view one(&byte, 1);
    table.emplace(Cp1251 ? platform::Cp1251ToUtf8(one) : platform::Cp1252ToUtf8(one), byte);
  }
  return table;
}

std::size_t Utf8Length(unsigned char Lead) {
  if (Lead < 0x80) return 1;
  if ((Lead & 0xE0) == 0xC0) return 2;
  if ((Lead & 0xF0) == 0xE0) return 3;
  return 4;
}

}  // namespace

bool Utf8ToCodePage(std::string_view Utf8, bool Cp1251, std::string& Out) {
  static const std::map<std::string, char> table1251 = ReverseCodePage(true);
  static const std::map<std::string, char> table1252 = ReverseCodePage(false);
  const auto& table = Cp1251 ? table1251 : table1252;
  Out.clear();
  Out.reserve(Utf8.size());
  for (std::size_t i = 0; i < Utf8.size();) {
    const auto lead = static_cast<unsigned char>(Utf8[i]);
    if (lead < 0x80) {
      Out.push_back(Utf8[i++]);
      continue;
    }
    const std::size_t n = Utf8Length(lead);
    if (i + n > Utf8.size()) return false;
    const auto found = table.find(std::string(Utf8.substr(i, n)));
    if (found == table.end()) return false;
    Out.push_back(found->second);
    i += n;
  }
  return true;
}

GeoReadResult DecodeGeoText(std::string_view Bytes, bool RussianInterface,
                            std::vector<std::string>& Lines, GeoFileFormat& Format) {
  Lines.clear();
  Format = GeoFileFormat{};
  if (Bytes.find('\0') != std::string_view::npos) return GeoReadResult::Binary;
  std::string text;
  if (Bytes.starts_with(kBom)) {
    Format.Text = GeoFileFormat::Encoding::Utf8Bom;
    Bytes.remove_prefix(kBom.size());
  }
  if (platform::IsValidUtf8(Bytes)) {
    text.assign(Bytes);
  } else {
    Format.Text = RussianInterface ? GeoFileFormat::Encoding::Cp1251 : GeoFileFormat::Encoding::Cp1252;
    text = platform::DecodeSingleByteText(Bytes, RussianInterface);
  }
  // The first line end tells the file's kind of line end.
  const std::size_t end = text.find_first_of("\r\n");
  if (end != std::string::npos) {
    if (text[end] == '\n')
      Format.LineEnd = "\n";
    else if (end + 1 < text.size() && text[end + 1] == '\n')
      Format.LineEnd = "\r\n";
    else
      Format.LineEnd = "\r";
  }
  Format.FinalLineEnd = text.empty() || text.back() == '\n' || text.back() == '\r';
  Lines = platform::SplitLines(text);
  return GeoReadResult::Ok;
}

GeoReadResult ReadGeoFile(const std::string& Path, bool RussianInterface,
                          std::vector<std::string>& Lines, GeoFileFormat& Format) {
  Lines.clear();
  Format = GeoFileFormat{};
  std::error_code error;
  const std::filesystem::path path(Path);
  if (!std::filesystem::is_regular_file(path, error)) return GeoReadResult::Unreadable;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return GeoReadResult::Unreadable;
  if (size > MaxGeoFileBytes) return GeoReadResult::TooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return GeoReadResult::Unreadable;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return GeoReadResult::Unreadable;
  return DecodeGeoText(bytes, RussianInterface, Lines, Format);
}

std::string EncodeGeoText(const std::vector<std::string>& Lines, const GeoFileFormat& Format) {
  std::string text;
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    text += Lines[i];
    if (i + 1 < Lines.size() || Format.FinalLineEnd) text += Format.LineEnd;
  }
  using Encoding = GeoFileFormat::Encoding;
  if (Format.Text == Encoding::Cp1251 || Format.Text == Encoding::Cp1252) {
    std::string single;
    if (Utf8ToCodePage(text, Format.Text == Encoding::Cp1251, single)) return single;
    return text;
  }
  if (Format.Text == Encoding::Utf8Bom) return std::string(kBom) + text;
  return text;
}

}  // namespace movra
