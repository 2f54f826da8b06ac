#include "platform/core/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace movra::platform {
namespace {

struct Utf8Case {
  const char* name;
  std::string bytes;
  bool valid;
};

TEST(IsValidUtf8, AcceptsWellFormedAndRejectsTheRest) {
  const Utf8Case cases[] = {
      {"empty", "", true},
      {"ascii", "G1 X0 Y0", true},
      {"umlaut", "Vergr\xC3\xB6\xC3\x9F" "ern", true},
      {"cyrillic", "\xD0\x9F\xD1\x80\xD0\xBE", true},
      {"euro (3 bytes)", "\xE2\x82\xAC", true},
      {"emoji (4 bytes)", "\xF0\x9F\x98\x80", true},
      {"highest code point", "\xF4\x8F\xBF\xBF", true},
      {"nul inside", std::string("a\0b", 3), true},
      {"cp1252 umlaut", "Vergr\xF6\xDF" "ern", false},
      {"lone continuation", "\x80", false},
      {"cut sequence", "\xE2\x82", false},
      {"overlong slash", "\xC0\xAF", false},
      {"overlong 3 bytes", "\xE0\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"five-byte lead", "\xF8\x88\x80\x80\x80", false},
      {"bad continuation", "\xC3\x28", false},
  };
  for (const Utf8Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.name;
}

TEST(CodePages, ConvertEveryByteToValidUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_TRUE(IsValidUtf8(Cp1251ToUtf8(all)));
  EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(all)));
}

TEST(CodePages, KnownLetters) {
  // "Привет" in Windows-1251; the euro sign and the undefined 0x98.
  EXPECT_EQ(Cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\x88\xB9"), "Ёё€№");
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xC2\x98");
  // German letters and the quotes of Windows-1252; the undefined 0x81 stays a control.
  EXPECT_EQ(Cp1252ToUtf8("\xC4\xE4\xD6\xF6\xDC\xFC\xDF"), "ÄäÖöÜüß");
  EXPECT_EQ(Cp1252ToUtf8("\x80\x84\x93\x94"), "€„“”");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
  EXPECT_EQ(Cp1252ToUtf8("G1 X0"), "G1 X0");
}

TEST(DecodeSingleByteText, Utf8FirstThenTheCodePageOfTheInterface) {
  EXPECT_EQ(DecodeSingleByteText("Größe", true), "Größe");
  EXPECT_EQ(DecodeSingleByteText("Größe", false), "Größe");
  const std::string single = "\xC4\xE4";
  EXPECT_EQ(DecodeSingleByteText(single, true), "Дд");
  EXPECT_EQ(DecodeSingleByteText(single, false), "Ää");
}

}  // namespace
}  // namespace movra::platform
