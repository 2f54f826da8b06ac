// Checks the language table resource as a file: its entry layout, its escapes and the
// few things that would make the program show a wrong or empty text in some language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

// tests/data need not exist, so the path is resolved by text, not by the file system.
std::filesystem::path TablePath() {
  return std::filesystem::path(MOVRA_TEST_DATA "/../../resources/language/LanguageTable.txt")
      .lexically_normal();
}

std::string ReadWhole(const std::filesystem::path& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return {};
  std::string content(static_cast<std::size_t>(size), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  if (!in) return {};
  return content;
}

// Byte offset of the first invalid UTF-8 sequence, or npos when the text is valid.
std::size_t FirstInvalidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    char32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      len = 2;
      cp = b & 0x1Fu;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3;
      cp = b & 0x0Fu;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4;
      cp = b & 0x07u;
    } else {
      return i;
    }
    if (i + len > s.size()) return i;
    for (std::size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0u) != 0x80u) return i;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF) return i;
    i += len;
  }
  return std::string_view::npos;
}

// Cyrillic letters U+0400..U+04FF are two bytes, lead byte 0xD0..0xD3.
bool HasCyrillic(std::string_view s) {
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b >= 0xD0 && b <= 0xD3) return true;
  }
  return false;
}

bool HasAsciiLetter(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

constexpr std::string_view kNames[3] = {"Russian", "German", "English"};

struct Entry {
  std::string id;
  std::size_t line = 0;      // 1-based line of the id
  std::string text[3];       // Russian, German, English, as written
};

struct Table {
  std::vector<std::string> lines;
  std::vector<Entry> entries;
  std::vector<std::string> layoutErrors;
};

std::vector<std::string> SplitLines(const std::string& content) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(content);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

bool IsIdLine(const std::string& s) {
  return s.size() >= 4 && s.size() <= 7 &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Reads the strict layout: id, "Russian=", "German=", "English=", empty line, repeated.
Table ParseTable(const std::string& content) {
  Table t;
  t.lines = SplitLines(content);
  std::size_t i = 0;
  auto error = [&](std::size_t line, const std::string& what) {
    t.layoutErrors.push_back("line " + std::to_string(line + 1) + ": " + what);
  };
  while (i < t.lines.size()) {
    if (!IsIdLine(t.lines[i])) {
      error(i, "expected an id of 4 to 7 digits, found \"" + t.lines[i] + "\"");
      ++i;
      continue;
    }
    Entry e;
    e.id = t.lines[i];
    e.line = i + 1;
    bool whole = true;
    for (int lang = 0; lang < 3; ++lang) {
      const std::size_t k = i + 1 + static_cast<std::size_t>(lang);
      const std::string prefix = std::string(kNames[lang]) + "=";
      if (k >= t.lines.size() || t.lines[k].rfind(prefix, 0) != 0) {
        error(k, "entry " + e.id + ": expected a line starting with \"" + prefix + "\"");
        whole = false;
        break;
      }
      e.text[lang] = t.lines[k].substr(prefix.size());
    }
    if (!whole) {  // go on with the entry after the next empty line
      while (i < t.lines.size() && !t.lines[i].empty()) ++i;
      ++i;
      continue;
    }
    i += 4;
    if (i < t.lines.size() && !t.lines[i].empty())
      error(i, "entry " + e.id + ": expected an empty line after the English line");
    else
      ++i;
    t.entries.push_back(e);
  }
  return t;
}

class LanguageTableFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    content_ = new std::string(ReadWhole(TablePath()));
    table_ = new Table(ParseTable(*content_));
  }
  static void TearDownTestSuite() {
    delete table_;
    delete content_;
    table_ = nullptr;
    content_ = nullptr;
  }
  static std::string* content_;
  static Table* table_;
};
std::string* LanguageTableFile::content_ = nullptr;
Table* LanguageTableFile::table_ = nullptr;

TEST_F(LanguageTableFile, ExistsAndIsPlainUtf8WithUnixLineEnds) {
  ASSERT_FALSE(content_->empty()) << "missing or empty: " << TablePath();
  EXPECT_EQ(FirstInvalidUtf8(*content_), std::string_view::npos) << "invalid UTF-8";
  // A byte order mark would glue itself to the first id, which then could not be found.
  EXPECT_NE(content_->rfind("\xEF\xBB\xBF", 0), 0u) << "the file starts with a byte order mark";
  EXPECT_EQ(content_->find('\r'), std::string::npos) << "CR in the file";
  EXPECT_EQ(content_->back(), '\n') << "the last line has no line end";
}

TEST_F(LanguageTableFile, EveryEntryHasIdAndThreeLanguageLinesInOrder) {
  for (const auto& err : table_->layoutErrors) ADD_FAILURE() << err;
  EXPECT_FALSE(table_->entries.empty());
}

TEST_F(LanguageTableFile, NoIdTwice) {
  std::map<std::string, std::size_t> seen;
  for (const auto& e : table_->entries) {
    auto [it, fresh] = seen.emplace(e.id, e.line);
    EXPECT_TRUE(fresh) << "id " << e.id << " on line " << e.line << " already on line "
                       << it->second;
  }
}

TEST_F(LanguageTableFile, TextsAreNotEmptyAndCarryNoOuterBlanks) {
  for (const auto& e : table_->entries) {
    for (int lang = 0; lang < 3; ++lang) {
      const std::string& s = e.text[lang];
      EXPECT_FALSE(s.empty()) << "id " << e.id << ": empty " << kNames[lang] << " text";
      // The program trims every line, so outer blanks would silently vanish.
      if (!s.empty()) {
        EXPECT_FALSE(IsBlank(s.front()) || IsBlank(s.back()))
            << "id " << e.id << ": " << kNames[lang] << " text \"" << s
            << "\" has leading or trailing blanks";
      }
    }
  }
}

// The program finds the line of the current language by its name as a substring, from the id
// line on; a text naming another language would be taken for that language's line.
TEST_F(LanguageTableFile, NoTextNamesAnotherLanguage) {
  for (const auto& e : table_->entries) {
    for (int lang = 0; lang < 3; ++lang) {
      for (int other = 0; other < 3; ++other) {
        if (other == lang) continue;
        EXPECT_EQ(e.text[lang].find(kNames[other]), std::string::npos)
            << "id " << e.id << ": " << kNames[lang] << " text \"" << e.text[lang]
            << "\" contains \"" << kNames[other] << "\"";
      }
    }
  }
}

TEST_F(LanguageTableFile, GermanUsesOnlyTheSevenEscapesAndNoRawUmlauts) {
  constexpr std::string_view kEscapeLetters = "AaOoUus";
  constexpr std::string_view kRaw[] = {"\xC3\x84", "\xC3\xA4", "\xC3\x96", "\xC3\xB6",
                                       "\xC3\x9C", "\xC3\xBC", "\xC3\x9F"};  // ÄäÖöÜüß
  for (const auto& e : table_->entries) {
    const std::string& s = e.text[1];
    for (std::size_t p = s.find('@'); p != std::string::npos; p = s.find('@', p + 1)) {
      const bool known = p + 1 < s.size() && kEscapeLetters.find(s[p + 1]) != std::string::npos;
      EXPECT_TRUE(known) << "id " << e.id << ": German \"" << s << "\" has a bad escape at "
                         << p;
    }
    for (auto raw : kRaw) {
      EXPECT_EQ(s.find(raw), std::string::npos)
          << "id " << e.id << ": German \"" << s << "\" holds an unescaped " << raw;
    }
  }
}

TEST_F(LanguageTableFile, RussianTextsAreCyrillic) {
  for (const auto& e : table_->entries) {
    const std::string& s = e.text[0];
    // Symbol-only texts ("<<<", "[0..10]") need no letters of any script.
    if (!HasAsciiLetter(s) && !HasCyrillic(s)) continue;
    EXPECT_TRUE(HasCyrillic(s)) << "id " << e.id << ": Russian \"" << s << "\" has no Cyrillic";
  }
}

// The lookup as the program does it: trimmed lines, first line equal to the id, then the first
// line from there that contains the language name; the text follows the first "=".
std::string Lookup(const std::vector<std::string>& lines, const std::string& id,
                   std::string_view language) {
  auto trim = [](std::string s) {
    while (!s.empty() && IsBlank(s.back())) s.pop_back();
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
  };
  std::size_t i = 0;
  while (i < lines.size() && trim(lines[i]) != id) ++i;
  for (; i < lines.size(); ++i) {
    const std::string line = trim(lines[i]);
    if (line.find(language) != std::string::npos) return trim(line.substr(line.find('=') + 1));
  }
  return {};
}

TEST_F(LanguageTableFile, EveryEntryIsFoundByTheLookupInEveryLanguage) {
  for (const auto& e : table_->entries) {
    for (int lang = 0; lang < 3; ++lang) {
      EXPECT_EQ(Lookup(table_->lines, e.id, kNames[lang]), e.text[lang])
          << "id " << e.id << " in " << kNames[lang];
    }
  }
}

// The ids the windows look up; a missing one would leave its caption or hint empty.
TEST_F(LanguageTableFile, HoldsEveryIdTheWindowsLookUp) {
  const std::vector<std::string> used = {
      // message slots
      "518576", "47145", "536152", "232599", "243341", "234154", "818876", "59781", "498155",
      "95225", "381600", "335533", "77555",
      // main window and template browser
      "448315", "339154", "41349", "157069", "151444", "454426", "352245", "542056", "880524",
      "493922", "431258", "1674527", "39839", "80351", "795513", "436832", "518149", "131337",
      "9648", "124463",
      // graphic editor
      "866687", "298716", "108625", "691627", "503857", "353030", "573527", "191272", "161795",
      "80627", "77166", "177457", "354871", "215484", "47241", "123179", "141395", "837086",
      "314149", "404102", "193711", "353623", "572454", "333531", "122243", "132634", "454484",
      "717337", "414333", "442434", "642334", "696942", "874430", "555785", "31379", "202580",
      "671653", "452945", "455941", "696716", "696613", "196413", "227624", "352624", "222624",
      "114633", "774624", "272624", "123451", "123452", "123453", "123454", "123455", "472471",
      "782479", "852287", "882281", "123456",
      // syntax window, about box
      "322423", "363833"};
  std::set<std::string> present;
  for (const auto& e : table_->entries) present.insert(e.id);
  for (const auto& id : used) EXPECT_TRUE(present.count(id)) << "id " << id << " is missing";
}

TEST_F(LanguageTableFile, TextsThatTheProgramRelyOnAsWritten) {
  struct Case {
    const char* id;
    int lang;
    const char* text;
  };
  const Case cases[] = {
      {"374806", 2, "=By the diameter"},  // a text that itself begins with "="
      {"671653", 1, "Vergr@o@sern"},
      {"542056", 1, "@Uber..."},
      {"381600", 2, "Are you sure you want to replace the file?"},
      {"1674527", 2, "The text have been changed. Do you really want to create a new text ?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lookup(table_->lines, c.id, kNames[c.lang]), c.text)
        << "id " << c.id << " in " << kNames[c.lang];
  }
}

}  // namespace
