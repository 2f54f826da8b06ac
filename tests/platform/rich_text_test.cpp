#include "platform/core/rich_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/text_encoding.h"

namespace movra::platform {
namespace {

struct TextCase {
  const char* name;
  std::string rtf;
  std::string text;
};

TEST(RichTextPlainText, DocumentsAsWordProcessorsWriteThem) {
  const TextCase cases[] = {
      {"two paragraphs", R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}}\f0\fs20 Drill\par Tap\par})",
       "Drill\nTap\n"},
      {"last paragraph without mark", R"({\rtf1 Drill\par Tap})", "Drill\nTap"},
      {"delimiting blank belongs to the word", R"({\rtf1\b bold\b0  text})", "bold text"},
      {"line ends of the file are no text", "{\\rtf1 Face\r\nmill\\par\r\n}", "Facemill\n"},
      {"escaped braces and backslash", R"({\rtf1 a\{b\}c\\d})", "a{b}c\\d"},
      {"line break and tab", R"({\rtf1 T1\tab Drill\line T2})", "T1\tDrill\nT2"},
      {"table cells and rows", R"({\rtf1 a\cell b\cell\row c})", "a\tb\t\nc"},
      {"symbols", R"({\rtf1 \bullet\~\endash\emdash\lquote\rquote\ldblquote\rdblquote})",
       "\u2022\u00A0\u2013\u2014\u2018\u2019\u201C\u201D"},
      {"optional hyphen vanishes, hard hyphen stays", R"({\rtf1 counter\-sink\_bore})",
       "countersink-bore"},
      {"backslash before a line end is a paragraph", "{\\rtf1 a\\\nb}", "a\nb"},
      {"hidden tables and info",
       R"({\rtf1{\colortbl;\red0\green0\blue0;}{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}Text})",
       "Text"},
      {"ignorable destination", R"({\rtf1{\*\generator Writer 5;}{\*\unknownthing x}Text})", "Text"},
      {"field shows its result, not its instruction",
       R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt Link}}})", "Link"},
      {"picture data is skipped", R"({\rtf1 a{\pict\pngblip 89504e47}b})", "ab"},
      {"binary data is skipped by count", std::string("{\\rtf1 a{\\pict\\bin4 }{\\}}b}"), "ab"},
      {"unknown words give nothing", R"({\rtf1\viewkind4\uc1\pard\sa200\sl276\slmult1 Mill})",
       "Mill"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(RichTextPlainText(c.rtf), c.text) << c.name;
}

TEST(RichTextPlainText, CharactersInTheCodePageOfTheirFontOrAsUnicode) {
  const TextCase cases[] = {
      {"western by default", R"({\rtf1\ansi Gr\'f6\'dfe})", "Größe"},
      {"document code page 1251", R"({\rtf1\ansi\ansicpg1251 \'d4\'f0\'e5\'e7\'e0})", "Фреза"},
      {"cyrillic font in a western document",
       R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fnil\fcharset204 Tahoma;}})"
       R"(\f0 \'f6\f1 \'f6{\f0 \'f6}\'f6})",
       "öцöц"},
      {"default font decides before any font is chosen",
       R"({\rtf1\ansi\deff0{\fonttbl{\f0\fcharset204 Tahoma;}}\'f0\'e5\'e7})", "рез"},
      {"font table without inner groups",
       R"({\rtf1{\fonttbl\f0\fcharset0 Arial;\f1\fcharset204 Tahoma;}\f1\'e0})", "а"},
      {"code page of a font", R"({\rtf1{\fonttbl{\f0\cpg1251 X;}}\f0\'e0})", "а"},
      {"other code pages are read as western", R"({\rtf1\ansi\ansicpg1250 \'e9})", "é"},
      {"raw high byte in the font's code page", "{\\rtf1\\ansicpg1251 \xE0}", "а"},
      {"unicode with one fallback character", R"({\rtf1\u1060?\u1088?})", "Фр"},
      {"negative unicode value", R"({\rtf1\u-3913?})", "\uF0B7"},
      {"fallback of two characters", R"({\rtf1\uc2\u1060\'3f\'3fa})", "Фa"},
      {"no fallback", R"({\rtf1\uc0\u1060\u1088 a})", "Фрa"},
      {"fallback ends at a brace", R"({\rtf1\uc3\u1060{a}b})", "Фab"},
      {"fallback scope is the group", R"({\rtf1{\uc2\u1060 xx}\u1088 xy})", "Фрy"},
      {"surrogate pair", R"({\rtf1\u-10179?\u-8704?})", "\U0001F600"},
      {"lone surrogates", R"({\rtf1\u-10179?a\u-8704?})", "\uFFFDa\uFFFD"},
      {"value out of range", R"({\rtf1\u99999?a})", "\uFFFDa"},
      {"controls are dropped", R"({\rtf1 a\'01\'00\'0db\u7?})", "ab"},
  };
  for (const TextCase& c : cases) {
    const std::string text = RichTextPlainText(c.rtf);
    EXPECT_EQ(text, c.text) << c.name;
    EXPECT_TRUE(IsValidUtf8(text)) << c.name;
  }
}

// Files from the user's disk: the reader takes what it can and never fails.
TEST(RichTextPlainText, BrokenDocumentsGiveWhatTheyHold) {
  const TextCase cases[] = {
      {"not rich text", "Drill\nTap", ""},
      {"empty", "", ""},
      {"header only", "{\\rtf", ""},
      {"missing closing braces", R"({\rtf1 a{\b b)", "ab"},
      {"text after the document is ignored", R"({\rtf1 a}b{c})", "a"},
      {"early closing brace ends the document", R"({\rtf1 a}}} b)", "a"},
      {"backslash at the end", "{\\rtf1 a\\", "a"},
      {"hex escape cut short", "{\\rtf1 a\\'", "a"},
      {"hex escape with one digit", R"({\rtf1 \'4z})", "z"},
      {"hex escape with no digit", R"({\rtf1 \'zz})", "zz"},
      {"unicode without a value", R"({\rtf1 \u a})", "a"},
      {"unicode cut after its value", R"({\rtf1 \u1060)", "Ф"},
      {"huge parameter", R"({\rtf1\uc99999999999999999999\u1060 abc}d)", "Ф"},
      {"binary count beyond the end", "{\\rtf1 a\\bin999999999 xyz", "a"},
      {"negative binary count", R"({\rtf1 a\bin-5 b})", "ab"},
      {"control word of many letters", "{\\rtf1 \\" + std::string(1000, 'x') + " a}", "a"},
      {"lone star", R"({\rtf1 a\*b})", "a"},
  };
  for (const TextCase& c : cases) {
    const std::string text = RichTextPlainText(c.rtf);
    EXPECT_TRUE(IsValidUtf8(text)) << c.name;
    EXPECT_EQ(text, c.text) << c.name;
  }
}

TEST(RichTextPlainText, DeepNestingKeepsTheTextAboveTheLimit) {
  std::string rtf = "{\\rtf1 a";
  for (int i = 0; i < 100000; ++i) rtf += "{x";
  for (int i = 0; i < 100000; ++i) rtf += "}";
  rtf += "b}";
  const std::string text = RichTextPlainText(rtf);
  // The groups within reach give their text; deeper ones none; the document goes on after.
  EXPECT_EQ(text.front(), 'a');
  EXPECT_EQ(text.back(), 'b');
  EXPECT_LT(text.size(), 1000U);
}

TEST(RichTextPlainText, LargeBinaryGroupsAndLongTextsAreReadWhole) {
  std::string rtf = "{\\rtf1 a{\\pict\\bin50000000 ";
  rtf.append(50000000, '\xFF');
  rtf += "}b\\par ";
  for (int i = 0; i < 100000; ++i) rtf += "T" + std::to_string(i) + "\\par ";
  rtf += "}";
  const std::vector<std::string> lines = RichTextLines(rtf, false);
  ASSERT_EQ(lines.size(), 100001U);
  EXPECT_EQ(lines.front(), "ab");
  EXPECT_EQ(lines.back(), "T99999");
}

TEST(RichTextLines, OneLinePerParagraphOrPlainTextLines) {
  struct LinesCase {
    const char* name;
    std::string bytes;
    bool russian;
    std::vector<std::string> lines;
  };
  const LinesCase cases[] = {
      {"rich text", R"({\rtf1 T1 Drill\par\par T2 Tap\par})", false, {"T1 Drill", "", "T2 Tap"}},
      {"empty document", R"({\rtf1})", false, {}},
      {"plain UTF-8", "Фреза\r\nСверло\r\n", false, {"Фреза", "Сверло"}},
      {"plain with byte-order mark", "\xEF\xBB\xBFTap\nDrill", false, {"Tap", "Drill"}},
      {"plain Windows-1251 for a Russian interface", "\xD4\xF0\xE5\xE7\xE0", true, {"Фреза"}},
      {"plain Windows-1252 for the others", "Gr\xF6\xDF" "e", false, {"Größe"}},
      {"binary", std::string("\x00\x01\xFF\n\x7F", 5), false,
       {std::string("\x00\x01\xC3\xBF", 4), "\x7F"}},
  };
  for (const LinesCase& c : cases) EXPECT_EQ(RichTextLines(c.bytes, c.russian), c.lines) << c.name;
}

}  // namespace
}  // namespace movra::platform
