// The language table lookup on any table text. The first line is the language name, the second
// the id, the rest the table. It must not crash; a valid UTF-8 input gives a valid UTF-8 text
// without outer blanks, and a German text keeps no escape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/core/language_lookup.h"

namespace {

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    char32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    }
    if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
      cp = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      cp = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      cp = b & 0x07u;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0u) != 0x80u) return false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
      return false;
    i += len;
  }
  return true;
}

std::string_view NextLine(std::string_view& rest) {
  const std::size_t end = rest.find('\n');
  const std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace movra::shell;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  const bool valid = IsValidUtf8(rest);
  const std::string_view name = NextLine(rest);
  const std::string_view id = NextLine(rest);
  std::vector<std::string> lines;
  while (!rest.empty()) lines.push_back(TrimLine(NextLine(rest)));

  const std::string text = LookupText(lines, name, id);
  if (valid && !IsValidUtf8(text)) std::abort();
  if (!text.empty() && (TrimLine(text) != text)) std::abort();
  if (name == "German")
    for (std::string_view escape : {"@A", "@a", "@O", "@o", "@U", "@u", "@s"})
      if (text.find(escape) != std::string::npos) std::abort();
  // The escapes keep valid text valid on their own too.
  if (valid && !IsValidUtf8(ReplaceGermanEscapes(std::string(id)))) std::abort();
  return 0;
}
