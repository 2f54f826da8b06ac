#include "shell/core/program_colouring.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace movra {
namespace {

constexpr platform::ColorValue kDefault = 0x123456;
constexpr platform::ColorValue R = LetterRed;
constexpr platform::ColorValue B = LetterBlue;
constexpr platform::ColorValue D = kDefault;

TEST(LetterColour, ClassesInEitherCase) {
  using namespace std::string_view_literals;
  for (char32_t c : U"DFMSTdfmst"sv) EXPECT_EQ(LetterColour(c, kDefault), R) << char(c);
  for (char32_t c : U"GXYZgxyz"sv) EXPECT_EQ(LetterColour(c, kDefault), B) << char(c);
  for (char32_t c : U"ABCEHIJKLNOPQRUVWabc0123456789 -.;#()%\t\r\n"sv)
    EXPECT_EQ(LetterColour(c, kDefault), D) << char(c);
  EXPECT_EQ(LetterColour(U'Г', kDefault), D) << "a Cyrillic letter that looks like G";
  EXPECT_EQ(LetterColour(U'Х', kDefault), D) << "a Cyrillic letter that looks like X";
}

TEST(LettersBeforeDigits, Lines) {
  struct Case {
    const char* name;
    std::u16string line;
    std::vector<LetterPaint> paints;
  };
  const Case cases[] = {
      // The X keeps its colour: a minus sign, not a digit, follows it.
      {"motion, axis and auxiliary word", u"G1 X-5.2 M3", {{0, 1, B}, {4, 1, D}, {6, 1, D}, {9, 1, R}}},
      {"typed without blanks", u"x10y20", {{0, 1, B}, {1, 1, D}, {3, 1, B}, {4, 1, D}}},
      {"a digit at the start colours nothing", u"1G", {}},
      {"digits only: every digit before a digit", u"123", {{0, 1, D}, {1, 1, D}}},
      {"empty line", u"", {}},
      {"no digit", u"G X Y", {}},
      {"feed, spindle, tool", u"F100 S2000 T1 D3", {{0, 1, R}, {1, 1, D}, {2, 1, D}, {5, 1, R}, {6, 1, D},
                                                   {7, 1, D}, {8, 1, D}, {11, 1, R}, {14, 1, R}}},
      {"Cyrillic letter before a digit", u"Г1", {{0, 1, D}}},
      {"a character outside the basic plane is never split", u"\U0001F600" u"1", {{0, 2, D}}},
      {"a lone low surrogate counts as itself", u"\xDC00" u"1", {{0, 1, D}}},
  };
  for (const Case& c : cases) EXPECT_EQ(LettersBeforeDigits(c.line, kDefault), c.paints) << c.name;
}

// Lines in memory; notes what the colouring did and lets a test act while events run.
class FakeText : public ColouringText {
 public:
  explicit FakeText(std::vector<std::u16string> Lines) : lines(std::move(Lines)) {}

  std::size_t LineCount() const override { return lines.size(); }
  std::u16string Line(std::size_t Index) const override { return lines.at(Index); }
  void Paint(std::size_t Index, const std::vector<LetterPaint>& Letters) override {
    if (failAt == static_cast<int>(Index)) throw std::runtime_error("paint");
    painted.push_back(Index);
    paints += Letters.size();
  }
  bool LetEventsRun() override {
    ++pumps;
    if (onPump) return onPump(pumps);
    return true;
  }

  std::vector<std::u16string> lines;
  std::vector<std::size_t> painted;
  std::size_t paints = 0;
  int pumps = 0;
  int failAt = -1;
  std::function<bool(int Pump)> onPump;  // false: the text changed
};

TEST(ColourizeLines, WalksEveryLineAndLetsEventsRunAtEachLineEnd) {
  FakeText text({u"G1 X-5.2 M3", u"", u"x10y20"});
  std::uint8_t busy = 0;
  std::vector<std::uint8_t> busyWhilePumping;
  text.onPump = [&](int) {
    busyWhilePumping.push_back(busy);
    return true;
  };
  EXPECT_EQ(ColourizeLines(text, kDefault, busy), ColouringEnd::Finished);
  EXPECT_EQ(text.painted, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(text.paints, 8u);
  EXPECT_EQ(busyWhilePumping, (std::vector<std::uint8_t>{1, 1, 1}));
  EXPECT_EQ(busy, 0);
}

TEST(ColourizeLines, EndsAtOnceWhenBusyOrEmpty) {
  FakeText text({u"G1"});
  std::uint8_t busy = 1;
  EXPECT_EQ(ColourizeLines(text, kDefault, busy), ColouringEnd::AlreadyBusy);
  EXPECT_EQ(busy, 1) << "the running colouring keeps its flag";
  EXPECT_TRUE(text.painted.empty());

  FakeText empty({});
  busy = 0;
  EXPECT_EQ(ColourizeLines(empty, kDefault, busy), ColouringEnd::NoLines);
  EXPECT_EQ(empty.pumps, 0);
}

TEST(ColourizeLines, ClearingBusyStopsAtTheNextLineAndKeepsWhatWasDone) {
  FakeText text({u"G1", u"G2", u"G3", u"G4"});
  std::uint8_t busy = 0;
  text.onPump = [&](int pump) {
    if (pump == 2) busy = 0;  // Esc while the second line end lets events run
    return true;
  };
  EXPECT_EQ(ColourizeLines(text, kDefault, busy), ColouringEnd::Stopped);
  EXPECT_EQ(text.painted, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(busy, 0);
}

TEST(ColourizeLines, StopsBeforeTouchingATextThatChangedUnderIt) {
  FakeText text({u"G1", u"G2", u"G3"});
  std::uint8_t busy = 0;
  text.onPump = [](int pump) { return pump < 1; };
  EXPECT_EQ(ColourizeLines(text, kDefault, busy), ColouringEnd::TextChanged);
  EXPECT_EQ(text.painted, (std::vector<std::size_t>{0}));
  EXPECT_EQ(busy, 0);
}

TEST(ColourizeLines, AFailureStillClearsBusy) {
  FakeText text({u"G1", u"G2"});
  text.failAt = 1;
  std::uint8_t busy = 0;
  EXPECT_THROW(ColourizeLines(text, kDefault, busy), std::runtime_error);
  EXPECT_EQ(busy, 0);
}

}  // namespace
}  // namespace movra
