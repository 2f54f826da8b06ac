#include "platform/qt/keyboard_layout.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace movra::platform {
namespace {

TEST(KeyboardLayout, XkbNamesGiveTheWholeHandle) {
  struct Case {
    const char* layout;
    const char* variant;
    std::uint32_t handle;
  };
  const Case cases[] = {
      {"de", "", LayoutGerman},        {"us", "", LayoutEnglishUS},
      {"ru", "", LayoutRussian},       {"gb", "", 0x08090809},
      {"us", "dvorak", 0xF0010409},    {"ru", "phonetic", 0xF0010419},
      {"de", "nodeadkeys", 0xF0010407}, {"fr", "", LayoutUnknown},
      {"", "", LayoutUnknown},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LayoutFromXkb(c.layout, c.variant), c.handle) << c.layout << "(" << c.variant << ")";
}

TEST(KeyboardLayout, QueryOutputTakesTheFirstLayoutAndItsVariant) {
  EXPECT_EQ(LayoutFromXkbQuery("rules:      evdev\nmodel:      pc105\nlayout:     ru,us\n"),
            LayoutRussian);
  EXPECT_EQ(LayoutFromXkbQuery("layout:     us,ru\nvariant:    ,phonetic\n"), LayoutEnglishUS);
  EXPECT_EQ(LayoutFromXkbQuery("layout:     us,ru\nvariant:    intl,\n"), 0xF0010409u);
  EXPECT_EQ(LayoutFromXkbQuery("layout: de\r\noptions: grp:alt_shift_toggle\r\n"), LayoutGerman);
  EXPECT_FALSE(LayoutFromXkbQuery("rules: evdev\nmodel: pc105\n"));
  EXPECT_FALSE(LayoutFromXkbQuery("layout:\n"));
  EXPECT_FALSE(LayoutFromXkbQuery(""));
}

TEST(KeyboardLayout, InputLanguageGivesOnlyTheThreeWhenItIsOneOfThem) {
  EXPECT_EQ(LayoutFromLocale(QLocale(QLocale::German, QLocale::Germany)), LayoutGerman);
  EXPECT_EQ(LayoutFromLocale(QLocale(QLocale::English, QLocale::UnitedStates)), LayoutEnglishUS);
  EXPECT_EQ(LayoutFromLocale(QLocale(QLocale::Russian, QLocale::Russia)), LayoutRussian);
  EXPECT_NE(LayoutFromLocale(QLocale(QLocale::English, QLocale::UnitedKingdom)), LayoutEnglishUS);
  EXPECT_EQ(LayoutFromLocale(QLocale(QLocale::French, QLocale::France)), LayoutUnknown);
}

TEST(KeyboardLayout, EnvironmentLayoutWins) {
  qputenv("XKB_DEFAULT_LAYOUT", "ru,us");
  qputenv("XKB_DEFAULT_VARIANT", "");
  EXPECT_EQ(KeyboardLayout(), LayoutRussian);
  qputenv("XKB_DEFAULT_VARIANT", "phonetic,");
  EXPECT_EQ(KeyboardLayout(), 0xF0010419u);
  qunsetenv("XKB_DEFAULT_LAYOUT");
  qunsetenv("XKB_DEFAULT_VARIANT");
}

}  // namespace
}  // namespace movra::platform
