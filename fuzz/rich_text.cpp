// The list-file reader on any bytes: it must not crash or read out of bounds, its text is
// always valid UTF-8, and a document gives no more text than its bytes can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/rich_text.h"
#include "platform/core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace movra::platform;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = RichTextPlainText(bytes);
  if (!IsValidUtf8(text)) std::abort();
  // A byte gives at most three bytes of UTF-8; no escape gives more than its own length.
  if (text.size() > 3 * size) std::abort();
  if (!IsRichText(bytes) && !text.empty()) std::abort();
  for (const bool russian : {false, true}) {
    const std::vector<std::string> lines = RichTextLines(bytes, russian);
    for (const std::string& line : lines)
      if (!IsValidUtf8(line) || line.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  return 0;
}
