#pragma once
// The profile file of the platform: lines "[Section]" followed by lines "Key=Value".
// Section and key names are looked up without regard to ASCII case; values are taken as they
// stand in the file (a backslash is an ordinary character), trimmed of surrounding blanks.
// A key that occurs twice in a section, or a section that occurs twice, gives the first
// occurrence, as the platform's profile reader does; lines before the first section,
// lines without "=" and lines starting with ";" are skipped.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace movra::platform {

// An integer as the profile reader takes it: optional sign, then decimal digits, or
// hexadecimal digits after "0x", "0X" or "$". A decimal value must fit a signed 32-bit
// integer; a hexadecimal one may use all 32 bits and is taken as their pattern, so that a
// colour written as 0xFFFFFFFF reads as -1, the same value written in decimal. Anything else
// (blanks, a trailing letter, no digits, more than 32 bits) is not an integer.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

class IniFile {
 public:
  // A settings file is a few hundred bytes; reading stops here so that a huge or foreign file
  // neither eats the memory nor takes long. A line cut by the cap is dropped.
  static constexpr std::size_t MaxReadBytes = std::size_t{1} << 20;

  // Replaces the contents with the profile lines of Text (line ends LF or CR LF).
  void Parse(std::string_view Text);
  // Reads at most MaxReadBytes of the file. False when it cannot be opened or read (a folder,
  // no rights, a read error); the contents are then empty.
  bool Load(const std::string& Path);

  // The profile text: sections in their order, each key once, keys in the order written.
  std::string Text() const;
  // Writes Text() through a temporary file beside Path; false leaves the old file as it was.
  bool Save(const std::string& Path) const;

  bool HasSection(std::string_view Section) const;
  bool HasKey(std::string_view Section, std::string_view Key) const;
  std::optional<std::string> ReadString(std::string_view Section, std::string_view Key) const;
  // The key's value as ParseProfileInteger reads it, else Fallback (also when absent).
  std::int32_t ReadInteger(std::string_view Section, std::string_view Key,
                           std::int32_t Fallback) const;

  // Adds the key at the end of its section (the section at the end of the file), or replaces
  // the value of a key already there. Line breaks in the value become blanks so that the value
  // stays on its line. A key that could not be read back (empty, with "=" or a line break,
  // starting with "[" or ";") is refused: the result is false.
  bool WriteString(std::string_view Section, std::string_view Key, std::string_view Value);
  bool WriteInteger(std::string_view Section, std::string_view Key, std::int32_t Value);

  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view Section) const;
  void Clear() { sections_.clear(); }

 private:
  struct Entry {
    std::string Key;
    std::string Value;
  };
  struct SectionT {
    std::string Name;
    std::vector<Entry> Entries;
  };
  const SectionT* FindSection(std::string_view Section) const;
  SectionT* FindSection(std::string_view Section);
  static const Entry* FindEntry(const SectionT& Section, std::string_view Key);

  std::vector<SectionT> sections_;
};

}  // namespace movra::platform
