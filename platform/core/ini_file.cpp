#include "platform/core/ini_file.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/core/atomic_file.h"

namespace movra::platform {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view s) {
  std::string lower(s);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool KeyReadsBack(std::string_view key) {
  return !key.empty() && key == Trim(key) && key.front() != '[' && key.front() != ';' &&
         key.find_first_of("=\n") == std::string_view::npos;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  // from_chars would take a second sign; only digits may follow the prefix.
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  std::uint64_t magnitude = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, magnitude, base);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  if (base == 16) {
    if (magnitude > 0xFFFFFFFFu) return std::nullopt;
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  const std::uint64_t limit =
      negative ? std::uint64_t{1} << 31 : std::uint64_t{std::numeric_limits<std::int32_t>::max()};
  if (magnitude > limit) return std::nullopt;
  const std::int64_t value =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(value);
}

void IniFile::Parse(std::string_view Text) {
  sections_.clear();
  // A file saved by an editor that marks UTF-8 still starts with its first section.
  if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
  // Names already seen, lower-cased: a foreign file at the read cap may hold some 100000, and a
  // search through all of them per line would hold up the start for seconds.
  std::unordered_map<std::string, std::size_t> sectionIndex;
  std::vector<std::unordered_set<std::string>> keysSeen;
  std::size_t current = 0;
  bool inSection = false;
  while (!Text.empty()) {
    const std::size_t eol = Text.find('\n');
    std::string_view line = Trim(Text.substr(0, eol));
    Text.remove_prefix(eol == std::string_view::npos ? Text.size() : eol + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::string_view name = line.substr(1);
      name = Trim(name.substr(0, name.find(']')));
      const auto [found, added] = sectionIndex.try_emplace(LowerAscii(name), sections_.size());
      if (added) {
        sections_.push_back({std::string(name), {}});
        keysSeen.emplace_back();
      }
      current = found->second;
      inSection = true;
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!inSection || eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty() || !keysSeen[current].insert(LowerAscii(key)).second)
      continue;  // the first occurrence holds
    sections_[current].Entries.push_back({std::string(key), std::string(Trim(line.substr(eq + 1)))});
  }
}

bool IniFile::Load(const std::string& Path) {
  sections_.clear();
  std::ifstream in(Path, std::ios::binary);
  if (!in) return false;
  std::string bytes(MaxReadBytes, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return false;  // a read error is no file to repair: its contents are unknown
  if (bytes.size() == MaxReadBytes && in.peek() != std::ifstream::traits_type::eof()) {
    // Cut by the cap: the last line is incomplete and its value would be wrong.
    const std::size_t eol = bytes.rfind('\n');
    bytes.resize(eol == std::string::npos ? 0 : eol);
  }
  Parse(bytes);
  return true;
}

std::string IniFile::Text() const {
  std::string out;
  for (const SectionT& section : sections_) {
    if (!out.empty()) out += '\n';
    out += '[';
    out += section.Name;
    out += "]\n";
    for (const Entry& entry : section.Entries) {
      out += entry.Key;
      out += '=';
      out += entry.Value;
      out += '\n';
    }
  }
  return out;
}

bool IniFile::Save(const std::string& Path) const { return WriteFileAtomically(Path, Text()); }

const IniFile::SectionT* IniFile::FindSection(std::string_view Section) const {
  for (const SectionT& section : sections_)
    if (SameName(section.Name, Section)) return &section;
  return nullptr;
}

IniFile::SectionT* IniFile::FindSection(std::string_view Section) {
  return const_cast<SectionT*>(std::as_const(*this).FindSection(Section));
}

const IniFile::Entry* IniFile::FindEntry(const SectionT& Section, std::string_view Key) {
  for (const Entry& entry : Section.Entries)
    if (SameName(entry.Key, Key)) return &entry;
  return nullptr;
}

bool IniFile::HasSection(std::string_view Section) const { return FindSection(Section) != nullptr; }

bool IniFile::HasKey(std::string_view Section, std::string_view Key) const {
  return ReadString(Section, Key).has_value();
}

std::optional<std::string> IniFile::ReadString(std::string_view Section,
                                               std::string_view Key) const {
  const SectionT* section = FindSection(Section);
  if (!section) return std::nullopt;
  const Entry* entry = FindEntry(*section, Key);
  if (!entry) return std::nullopt;
  return entry->Value;
}

std::int32_t IniFile::ReadInteger(std::string_view Section, std::string_view Key,
                                  std::int32_t Fallback) const {
  const std::optional<std::string> text = ReadString(Section, Key);
  if (!text) return Fallback;
  return ParseProfileInteger(*text).value_or(Fallback);
}

bool IniFile::WriteString(std::string_view Section, std::string_view Key, std::string_view Value) {
  if (!KeyReadsBack(Key)) return false;
  std::string name(Trim(Section));
  name.erase(std::remove_if(name.begin(), name.end(),
                            [](char c) { return c == ']' || c == '\r' || c == '\n'; }),
             name.end());
  std::string value(Value);
  std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  SectionT* section = FindSection(name);
  if (!section) {
    sections_.push_back({name, {}});
    section = &sections_.back();
  }
  for (Entry& entry : section->Entries)
    if (SameName(entry.Key, Key)) {
      entry.Value = std::move(value);
      return true;
    }
  section->Entries.push_back({std::string(Key), std::move(value)});
  return true;
}

bool IniFile::WriteInteger(std::string_view Section, std::string_view Key, std::int32_t Value) {
  char buffer[16];
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, Value);
  (void)ec;  // 16 characters hold every 32-bit value
  return WriteString(Section, Key, std::string_view(buffer, static_cast<std::size_t>(ptr - buffer)));
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const SectionT& section : sections_) names.push_back(section.Name);
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view Section) const {
  std::vector<std::string> keys;
  if (const SectionT* section = FindSection(Section))
    for (const Entry& entry : section->Entries) keys.push_back(entry.Key);
  return keys;
}

}  // namespace movra::platform
