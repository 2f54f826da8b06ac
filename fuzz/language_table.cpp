// The language table lookup on any table text. The first line is the language name, the second
// the id, the rest the table. It must not crash; a valid UTF-8 input gives a valid UTF-8 text
// without outer blanks, and a German text keeps no escape.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/text_encoding.h"
#include "shell/core/language_lookup.h"

namespace {

std::string_view NextLine(std::string_view& rest) {
  const std::size_t end = rest.find('\n');
  const std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace movra::shell;
  using movra::platform::IsValidUtf8;
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
