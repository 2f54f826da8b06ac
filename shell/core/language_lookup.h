#pragma once
// The lookup in the language table. The table is a list of lines forming entries: a line with
// only the id, then "Russian=", "German=", "English=" lines, then usually an empty line. Text is
// UTF-8 throughout.
#include <string>
#include <string_view>
#include <vector>

namespace movra::shell {

// The line without leading and trailing blanks and control characters (bytes up to the space).
// Bytes of multi-byte letters are never touched.
std::string TrimLine(std::string_view Line);

// The German escapes "@A" "@a" "@O" "@o" "@U" "@u" "@s" turned into Ä ä Ö ö Ü ü ß, escape by
// escape in that order.
std::string ReplaceGermanEscapes(std::string Text);

// The text of Id in the language LanguageName ("Russian", "German", "English"), looked up in
// Lines, which are already trimmed. From the first line equal to the trimmed Id, the first line
// containing the name gives the text after its first "="; German escapes are replaced only for
// the name "German"; the result is trimmed. Empty when the id is missing or no line after it
// names the language.
std::string LookupText(const std::vector<std::string>& Lines, std::string_view LanguageName,
                       std::string_view Id);

}  // namespace movra::shell
