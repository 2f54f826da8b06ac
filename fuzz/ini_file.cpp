// The profile reader on any bytes: it must not crash, and what it writes must read back to
// the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/ini_file.h"
#include "platform/core/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using movra::platform::IniFile;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  IniFile ini;
  ini.Parse(text);
  for (const std::string& section : ini.Sections())
    for (const std::string& key : ini.Keys(section)) {
      (void)ini.ReadInteger(section, key, 0);
      if (!ini.HasKey(section, key)) std::abort();
      (void)movra::platform::DecodeSingleByteText(*ini.ReadString(section, key), true);
    }
  const std::string written = ini.Text();
  IniFile back;
  back.Parse(written);
  if (back.Text() != written) std::abort();
  // Writing what was read gives the same file.
  IniFile copy;
  for (const std::string& section : ini.Sections())
    for (const std::string& key : ini.Keys(section))
      if (!copy.WriteString(section, key, *ini.ReadString(section, key))) std::abort();
  (void)movra::platform::ParseProfileInteger(text);
  return 0;
}
