#include "platform/core/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace movra::platform {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<std::int32_t> expected;
};

TEST(ParseProfileInteger, DecimalAndThreeHexadecimalForms) {
  const IntegerCase cases[] = {
      {"255", 255},
      {"-1", -1},
      {"+7", 7},
      {"16711680", 0xFF0000},
      {"0xFF0000", 0xFF0000},
      {"0XFF0000", 0xFF0000},
      {"$FF0000", 0xFF0000},
      {"$ff", 255},
      {"-$10", -16},
      {"-0x10", -16},
      {"0", 0},
      {"00012", 12},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      // Beyond 32 signed bits in decimal: not an integer, the fallback is used.
      {"2147483648", std::nullopt},
      {"4294967295", std::nullopt},
      {"-2147483649", std::nullopt},
      // In hexadecimal all 32 bits are a colour's pattern: 0xFFFFFFFF is -1.
      {"0xFFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"0x100000000", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"--1", std::nullopt},
      {"+-1", std::nullopt},
      {"0x-1", std::nullopt},
      {"12a", std::nullopt},
      {"1.5", std::nullopt},
      {" 12", std::nullopt},
      {"12 ", std::nullopt},
      {"0xG", std::nullopt},
      {"99999999999999999999999", std::nullopt},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(ParseProfileInteger(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

TEST(IniFile, SectionsAndKeysAreFoundWithoutRegardToCase) {
  IniFile ini;
  ini.Parse("[Color]\nColor_Cursor=255\n");
  EXPECT_TRUE(ini.HasSection("color"));
  EXPECT_TRUE(ini.HasSection("COLOR"));
  EXPECT_EQ(ini.ReadString("cOLOR", "color_cursor"), "255");
  EXPECT_FALSE(ini.HasSection("Colour"));
  EXPECT_FALSE(ini.HasKey("Color", "Color_Brush"));
}

TEST(IniFile, ByteOrderMarkBeforeTheFirstSectionIsNoText) {
  IniFile ini;
  ini.Parse("\xEF\xBB\xBF[Color]\nColor_Cursor=255\n");
  EXPECT_EQ(ini.ReadInteger("Color", "Color_Cursor", 0), 255);
}

TEST(IniFile, ValuesAreRawAndTrimmed) {
  IniFile ini;
  ini.Parse(
      "[Path]\r\n"
      "Program = C:\\Movra\\Program\\ \r\n"
      "Quoted=\"a b\"\n"
      "Equals==x=y\n"
      "Empty=\n"
      "  Spaced key  =  v  \n");
  EXPECT_EQ(ini.ReadString("Path", "Program"), "C:\\Movra\\Program\\");
  EXPECT_EQ(ini.ReadString("Path", "Quoted"), "\"a b\"");
  EXPECT_EQ(ini.ReadString("Path", "Equals"), "=x=y");
  EXPECT_EQ(ini.ReadString("Path", "Empty"), "");
  EXPECT_EQ(ini.ReadString("Path", "Spaced key"), "v");
}

TEST(IniFile, FirstOccurrenceWinsForKeysAndSections) {
  IniFile ini;
  ini.Parse(
      "[A]\nk=1\nK=2\n"
      "[B]\nx=3\n"
      "[a]\nk=4\nj=5\n");
  EXPECT_EQ(ini.ReadString("A", "k"), "1");
  // A repeated section continues the first one.
  EXPECT_EQ(ini.ReadString("A", "j"), "5");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniFile, ManyNamesKeepTheFirstOccurrenceAndTheirOrder) {
  // A foreign file at the read cap holds some 100000 names; repeats come in other cases.
  std::string text = "[Color]\n";
  for (int i = 0; i < 50000; ++i) text += "K" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  for (int i = 0; i < 50000; i += 999) text += "k" + std::to_string(i) + "=again\n";
  for (int i = 0; i < 50000; ++i) text += "[S" + std::to_string(i) + "]\nv=" + std::to_string(i) + "\n";
  text += "[s123]\nv=again\nw=7\n[COLOR]\nk1=again\nLast=1\n";
  IniFile ini;
  ini.Parse(text);
  EXPECT_EQ(ini.Sections().size(), 50001u);
  EXPECT_EQ(ini.Keys("Color").size(), 50001u);
  EXPECT_EQ(ini.Keys("Color").front(), "K0");
  EXPECT_EQ(ini.Keys("Color").back(), "Last");
  EXPECT_EQ(ini.ReadString("Color", "K999"), "999");
  EXPECT_EQ(ini.ReadString("Color", "k1"), "1");
  EXPECT_EQ(ini.ReadString("S123", "v"), "123");
  EXPECT_EQ(ini.ReadString("S123", "w"), "7");
  EXPECT_EQ(ini.Sections().back(), "S49999");
}

TEST(IniFile, SkipsWhatIsNoProfileLine) {
  IniFile ini;
  ini.Parse(
      "orphan=1\n"
      "; comment=2\n"
      "[S]\n"
      "no equals sign\n"
      "=no key\n"
      ";k=3\n"
      "[Unclosed\n"
      "u=4\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"S", "Unclosed"}));
  EXPECT_TRUE(ini.Keys("S").empty());
  EXPECT_EQ(ini.ReadString("Unclosed", "u"), "4");
}

TEST(IniFile, ReadIntegerFallsBackForAbsentAndNonInteger) {
  IniFile ini;
  ini.Parse("[Scale]\nScale_X=abc\nGood=$10\n");
  EXPECT_EQ(ini.ReadInteger("Scale", "Scale_X", 1), 1);
  EXPECT_EQ(ini.ReadInteger("Scale", "Missing", 42), 42);
  EXPECT_EQ(ini.ReadInteger("Nowhere", "Good", 42), 42);
  EXPECT_EQ(ini.ReadInteger("Scale", "Good", 42), 16);
}

TEST(IniFile, WritesKeysInTheOrderGivenAndReplacesInPlace) {
  IniFile ini;
  EXPECT_TRUE(ini.WriteString("Color", "Zeta", "1"));
  EXPECT_TRUE(ini.WriteInteger("Color", "Alpha", -16777216));
  EXPECT_TRUE(ini.WriteString("Path", "Program", "/home/m\\x/"));
  EXPECT_TRUE(ini.WriteString("color", "ZETA", "2"));  // same key, other case
  EXPECT_EQ(ini.Text(),
            "[Color]\nZeta=2\nAlpha=-16777216\n"
            "\n[Path]\nProgram=/home/m\\x/\n");
}

TEST(IniFile, RefusesKeysThatCannotBeReadBackAndKeepsValuesOnTheirLine) {
  IniFile ini;
  EXPECT_FALSE(ini.WriteString("S", "", "v"));
  EXPECT_FALSE(ini.WriteString("S", "a=b", "v"));
  EXPECT_FALSE(ini.WriteString("S", "[x", "v"));
  EXPECT_FALSE(ini.WriteString("S", ";x", "v"));
  EXPECT_FALSE(ini.WriteString("S", "a\nb", "v"));
  EXPECT_TRUE(ini.WriteString("S", "k", "one\ntwo\r\n[Evil]"));
  IniFile back;
  back.Parse(ini.Text());
  EXPECT_EQ(back.Sections(), (std::vector<std::string>{"S"}));
  EXPECT_EQ(back.ReadString("S", "k"), "one two  [Evil]");
}

TEST(IniFile, TextOfParsedTextReadsTheSame) {
  IniFile ini;
  ini.Parse("[B]\nb=2\n[A]\na= x \\n y\n[Empty]\n");
  IniFile back;
  back.Parse(ini.Text());
  EXPECT_EQ(back.Text(), ini.Text());
  EXPECT_EQ(back.ReadString("A", "a"), "x \\n y");
  EXPECT_TRUE(back.HasSection("Empty"));
}

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("movra_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::filesystem::path dir_;
};

TEST_F(IniFileOnDisk, MissingFileIsNoFile) {
  IniFile ini;
  ini.Parse("[Old]\nk=1\n");
  EXPECT_FALSE(ini.Load(Path("none.ini")));
  EXPECT_TRUE(ini.Sections().empty());
}

TEST_F(IniFileOnDisk, SaveAndLoadRoundTrip) {
  IniFile ini;
  ini.WriteInteger("Color", "Color_Cursor", 255);
  ini.WriteString("Language", "Language_Name", "German");
  ASSERT_TRUE(ini.Save(Path("Settings.ini")));
  IniFile back;
  ASSERT_TRUE(back.Load(Path("Settings.ini")));
  EXPECT_EQ(back.Text(), ini.Text());
}

TEST_F(IniFileOnDisk, EmptyAndBinaryFilesGiveNothingAndDoNotCrash) {
  Write(Path("empty.ini"), "");
  IniFile ini;
  EXPECT_TRUE(ini.Load(Path("empty.ini")));
  EXPECT_TRUE(ini.Sections().empty());

  std::string binary;
  for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 7919) % 256);
  Write(Path("binary.ini"), binary);
  EXPECT_TRUE(ini.Load(Path("binary.ini")));
  EXPECT_EQ(ini.ReadInteger("Color", "Color_Cursor", 255), 255);
}

TEST_F(IniFileOnDisk, HugeFileIsReadOnlyUpToTheCapAndTheCutLineIsDropped) {
  // 100 MB: a readable head, then zeros (a sparse file, so the test writes little).
  const std::string path = Path("huge.ini");
  Write(path, "[Color]\nColor_Cursor=16711680\n");
  std::filesystem::resize_file(path, 100u * 1024u * 1024u);
  IniFile ini;
  EXPECT_TRUE(ini.Load(path));
  EXPECT_EQ(ini.ReadInteger("Color", "Color_Cursor", 0), 16711680);

  // A line that runs past the cap would end in the middle of its value: it is not taken.
  std::string cut = "[Color]\nColor_Brush=1\nColor_Cursor=";
  cut += std::string(IniFile::MaxReadBytes, '7');
  Write(path, cut);
  EXPECT_TRUE(ini.Load(path));
  EXPECT_EQ(ini.ReadInteger("Color", "Color_Brush", 0), 1);
  EXPECT_FALSE(ini.HasKey("Color", "Color_Cursor"));
}

TEST_F(IniFileOnDisk, VeryLongLineWithinTheCapIsOneValue) {
  std::string text = "[Color]\nColor_Cursor=" + std::string(500000, '9') + "\nColor_Brush=5\n";
  Write(Path("long.ini"), text);
  IniFile ini;
  ASSERT_TRUE(ini.Load(Path("long.ini")));
  EXPECT_EQ(ini.ReadInteger("Color", "Color_Cursor", 255), 255);
  EXPECT_EQ(ini.ReadInteger("Color", "Color_Brush", 0), 5);
}

}  // namespace
}  // namespace movra::platform
