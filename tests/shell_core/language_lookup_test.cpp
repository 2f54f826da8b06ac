#include "shell/core/language_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace movra::shell {
namespace {

// A small table in the layout of the real one, with the oddities the lookup must cope with:
// an id twice, a text that begins with "=", an entry without its German line, and a last entry
// without English and without the closing empty line.
const std::vector<std::string> kTable = {
    "671653",
    "Russian=Увеличить",
    "German=Vergr@o@sern",
    "English=Zoom in",
    "",
    "542056",
    "Russian=О программе...",
    "German=@Uber...",
    "English=About...",
    "",
    "374806",
    "Russian=По диаметру",
    "German=Nach Durchmesser",
    "English==By the diameter",
    "",
    "9648",
    "Russian=Отмена",
    "German=Abbrechen",
    "English=Cancel",
    "",
    "9648",
    "Russian=Закрыть",
    "German=Schlie@sen",
    "English=Close",
    "",
    "1671653",
    "Russian=Без немецкой строки",
    "English=Line missing",
    "",
    "555",
    "Russian=Следующий",
    "German=  N@achster",
    "English=Next",
    "",
    "777",
    "Russian=Последний",
    "German=Letzter",
};

struct Case {
  const char* name;
  const char* language;
  const char* id;
  const char* expected;
};

class LookupCase : public ::testing::TestWithParam<Case> {};

TEST_P(LookupCase, GivesTheText) {
  const Case& c = GetParam();
  EXPECT_EQ(LookupText(kTable, c.language, c.id), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LookupCase,
    ::testing::Values(
        Case{"GermanUmlautAndSharpS", "German", "671653", "Vergr\xC3\xB6\xC3\x9F" "ern"},
        Case{"GermanCapitalUmlautFirst", "German", "542056", "\xC3\x9C" "ber..."},
        Case{"EnglishKeepsItsLeadingEquals", "English", "374806", "=By the diameter"},
        Case{"Russian", "Russian", "542056", "О программе..."},
        Case{"FirstOfTwoEqualIdsWins", "English", "9648", "Cancel"},
        Case{"FirstOfTwoEqualIdsWinsInGerman", "German", "9648", "Abbrechen"},
        Case{"IdIsTrimmed", "English", " \t671653\r ", "Zoom in"},
        Case{"IdIsAWholeLineNotASubstring", "English", "71653", ""},
        Case{"LongerIdIsItsOwnEntry", "English", "1671653", "Line missing"},
        Case{"MissingLineBorrowsFromTheNextEntry", "German", "1671653", "N\xC3\xA4" "chster"},
        Case{"TextIsTrimmedAfterTheEscapes", "German", "555", "N\xC3\xA4" "chster"},
        Case{"MissingLineAtTheEndGivesEmpty", "English", "777", ""},
        Case{"MissingIdGivesEmpty", "English", "123456", ""},
        Case{"LanguageNameIsCaseSensitive", "german", "671653", ""}),
    [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST(LookupText, EscapesAreGermanOnly) {
  const std::vector<std::string> lines = {"1000", "Russian=R@a", "German=G@a", "English=E@a"};
  EXPECT_EQ(LookupText(lines, "English", "1000"), "E@a");
  EXPECT_EQ(LookupText(lines, "Russian", "1000"), "R@a");
  EXPECT_EQ(LookupText(lines, "German", "1000"), "G\xC3\xA4");
}

TEST(LookupText, ALineWithoutEqualsIsTakenWhole) {
  // Only a name other than the three can meet such a line; the line then stands as it is.
  const std::vector<std::string> lines = {"1000", "Russian=R", "Klingon text"};
  EXPECT_EQ(LookupText(lines, "Klingon", "1000"), "Klingon text");
}

TEST(ReplaceGermanEscapes, AllSevenAndOnlyThose) {
  EXPECT_EQ(ReplaceGermanEscapes("@A@a@O@o@U@u@s"),
            "\xC3\x84\xC3\xA4\xC3\x96\xC3\xB6\xC3\x9C\xC3\xBC\xC3\x9F");
  EXPECT_EQ(ReplaceGermanEscapes("a@b @ @S x@"), "a@b @ @S x@");
  EXPECT_EQ(ReplaceGermanEscapes("@@AA"), "@\xC3\x84" "A") << "only the second @ escapes";
  EXPECT_EQ(ReplaceGermanEscapes("@@@s"), "@@\xC3\x9F");
}

TEST(TrimLine, RemovesBlanksAndControlsButNoLetterBytes) {
  EXPECT_EQ(TrimLine(" \t\r\n\x01Text x\x7F\x1F \r"), "Text x\x7F");
  EXPECT_EQ(TrimLine("\xC2\xA0" "a" "\xC2\xA0"), "\xC2\xA0" "a" "\xC2\xA0")
      << "a no-break space is a letter of the text, not a blank";
  EXPECT_EQ(TrimLine("   "), "");
  EXPECT_EQ(TrimLine(""), "");
}

}  // namespace
}  // namespace movra::shell
