#include "shell/core/language_lookup.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace movra::shell {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

struct Escape {
  char Letter;               // the character after "@"
  std::string_view Umlaut;   // its letter, UTF-8
};

// The order matters only for texts such as "@@AA"; it is the order the table was written for.
constexpr std::array<Escape, 7> kEscapes = {{
    {'A', "\xC3\x84"},  // Ä
    {'a', "\xC3\xA4"},  // ä
    {'O', "\xC3\x96"},  // Ö
    {'o', "\xC3\xB6"},  // ö
    {'U', "\xC3\x9C"},  // Ü
    {'u', "\xC3\xBC"},  // ü
    {'s', "\xC3\x9F"},  // ß
}};

}  // namespace

std::string TrimLine(std::string_view Line) {
  std::size_t begin = 0;
  std::size_t end = Line.size();
  while (begin < end && IsBlank(Line[begin])) ++begin;
  while (end > begin && IsBlank(Line[end - 1])) --end;
  return std::string(Line.substr(begin, end - begin));
}

std::string ReplaceGermanEscapes(std::string Text) {
  for (const Escape& e : kEscapes) {
    const char escape[2] = {'@', e.Letter};
    const std::string_view pattern(escape, 2);
    // A replacement puts only non-ASCII bytes in, so it never makes a new escape before the
    // place where it stood: the search goes on from there.
    for (std::size_t at = Text.find(pattern); at != std::string::npos;
         at = Text.find(pattern, at)) {
      Text.replace(at, pattern.size(), e.Umlaut);
    }
  }
  return Text;
}

std::string LookupText(const std::vector<std::string>& Lines, std::string_view LanguageName,
                       std::string_view Id) {
  const std::string id = TrimLine(Id);
  const auto idLine = std::find(Lines.begin(), Lines.end(), id);
  // From the id line on: an entry that lacks the language's line borrows it from the next one.
  const auto textLine = std::find_if(idLine, Lines.end(), [LanguageName](const std::string& line) {
    return line.find(LanguageName) != std::string::npos;
  });
  if (textLine == Lines.end()) return {};
  const std::size_t equals = textLine->find('=');
  std::string text = equals == std::string::npos ? *textLine : textLine->substr(equals + 1);
  if (LanguageName == "German") text = ReplaceGermanEscapes(std::move(text));
  return TrimLine(text);
}

}  // namespace movra::shell
