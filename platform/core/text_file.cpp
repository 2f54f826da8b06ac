#include "platform/core/text_file.h"

#include <fstream>
#include <system_error>

#include "platform/core/text_encoding.h"

namespace movra::platform {

std::vector<std::string> SplitLines(std::string_view Text) {
  std::vector<std::string> lines;
  std::size_t b = 0;
  while (b < Text.size()) {
    std::size_t e = b;
    while (e < Text.size() && Text[e] != '\n' && Text[e] != '\r') ++e;
    lines.emplace_back(Text.substr(b, e - b));
    if (e < Text.size() && Text[e] == '\r' && e + 1 < Text.size() && Text[e + 1] == '\n') ++e;
    b = e + 1;
  }
  return lines;
}

bool ReadTextLines(const std::filesystem::path& Path, std::uintmax_t MaxBytes,
                   bool RussianInterface, std::vector<std::string>& Lines) {
  Lines.clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(Path, ec) || ec) return false;
  const std::uintmax_t size = std::filesystem::file_size(Path, ec);
  if (ec || size > MaxBytes) return false;
  std::ifstream in(Path, std::ios::binary);
  if (!in) return false;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) return false;
  std::string_view text = bytes;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Lines = SplitLines(DecodeSingleByteText(text, RussianInterface));
  return true;
}

}  // namespace movra::platform
