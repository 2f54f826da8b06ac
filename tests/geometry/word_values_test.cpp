#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"

namespace movra {
namespace {

constexpr double Tol = 1e-12;

struct WordCase {
  const char* name;
  std::string line;
  std::string word;
  double result;
  double v1;
  double v2;
};

void PrintTo(const WordCase& c, std::ostream* os) { *os << c.name; }

class WordValueTable : public ::testing::TestWithParam<WordCase> {};

TEST_P(WordValueTable, ResultAndFirstTwoValues) {
  const WordCase& c = GetParam();
  TFormaDaten d;
  d.Vars(3) = 7.0;
  d.Vars(254) = 3.5;
  const double r = d.GetWordValue(c.line, c.word);
  EXPECT_NEAR(r, c.result, Tol) << "line \"" << c.line << "\" word \"" << c.word << "\"";
  EXPECT_NEAR(d.Values(1), c.v1, Tol);
  EXPECT_NEAR(d.Values(2), c.v2, Tol);
}

const double N = NoValue;

INSTANTIATE_TEST_SUITE_P(
    Lines, WordValueTable,
    ::testing::Values(
        // The worked examples.
        WordCase{"FirstAxisEndsAtNextWord", "G1 X 10 Y 5,5", "X", 10, 10, N},
        WordCase{"DecimalComma", "G1 X 10 Y 5,5", "Y", 5.5, 5.5, N},
        WordCase{"OperatorCombinesFirstTwoDropsThird", "FA 10 20 + 5", "FA", 30, 30, N},
        WordCase{"PlusAddend", "X 10 +5", "X", 15, 15, N},
        WordCase{"Variable", "X #3", "X", 7, 7, N},
        WordCase{"NegatedVariable", "X -#3", "X", -7, -7, N},
        WordCase{"SecondCommaIsNoNumber", "X 1,5,2", "X", N, N, N},
        // Word and line forms.
        WordCase{"EmptyWordReadsFromLineStart", "10 20", "", 10, 10, 20},
        WordCase{"BlankWordReadsFromLineStart", "10 20", "   ", 10, 10, 20},
        WordCase{"MissingWord", "G1 X10 Y5", "Z", N, N, N},
        WordCase{"WordGluedToValue", "G1 X10", "X", 10, 10, N},
        WordCase{"WordAtLineStart", "X5 Y3", "X", 5, 5, N},
        WordCase{"WordInsideAnotherWordIsNotFound", "AX5", "X", N, N, N},
        WordCase{"LaterOccurrenceAfterBlankIsFound", "AX5 X7", "X", 7, 7, N},
        WordCase{"WordIsPrefixOfLongerWord", "X1= 5", "X", N, N, N},
        WordCase{"DefinitionWord", "G1 #1= 5 #2= 6", "#1=", 5, 5, N},
        WordCase{"CaseSensitive", "x10", "X", N, N, N},
        WordCase{"ControlCharactersTrimmed", "\tX 10\t\r", "\tX ", 10, 10, N},
        WordCase{"CommaJoinedValuesAreOneToken", "X10,5,3", "X", N, N, N},
        WordCase{"WordAtLineEnd", "G1 X", "X", N, N, N},
        WordCase{"EmptyLine", "", "X", N, N, N},
        WordCase{"EmptyLineEmptyWord", "", "", N, N, N},
        WordCase{"OnlyOperators", " + - / * ", "", N, N, N},
        // Number forms.
        WordCase{"LeadingPoint", "X .5", "X", 0.5, 0.5, N},
        WordCase{"TrailingPoint", "X 5.", "X", 5, 5, N},
        WordCase{"NegativeLeadingPoint", "X -.5", "X", -0.5, -0.5, N},
        WordCase{"PlusSign", "X +5", "X", 5, 5, N},
        WordCase{"Exponent", "X 1E3 2e-1", "X", 1000, 1000, 0.2},
        WordCase{"CommaBeforeExponent", "X 1,5E2", "X", 150, 150, N},
        WordCase{"LoneSign", "X - 5", "X", N, N, N},
        WordCase{"LonePoint", "X .", "X", N, N, N},
        WordCase{"DanglingExponent", "X 1E", "X", N, N, N},
        WordCase{"NaN", "X NAN", "X", N, N, N},
        WordCase{"LowerNan", "X nan", "X", N, N, N},
        WordCase{"Inf", "X inf", "X", N, N, N},
        WordCase{"Hex", "X 0x10", "X", N, N, N},
        WordCase{"HugeExponent", "X 1e999", "X", N, N, N},
        WordCase{"LimitAccepted", "X 999999 -999999", "X", 999999, 999999, -999999},
        WordCase{"AboveLimitEndsList", "X 5 1000000", "X", 5, 5, N},
        WordCase{"AboveLimitFirst", "X 1000000", "X", N, N, N},
        // Variables.
        WordCase{"VariableZeroEndsList", "X #0", "X", N, N, N},
        WordCase{"Variable255EndsList", "X 1 #255", "X", 1, 1, N},
        WordCase{"Variable254", "X #254", "X", 3.5, 3.5, N},
        WordCase{"VariableNumberRounded", "X #3.4", "X", 7, 7, N},
        WordCase{"VariableNumberHuge", "X #1e9", "X", N, N, N},
        WordCase{"VariableNumberBelowOne", "X #0.6", "X", N, N, N},
        WordCase{"VariableWithoutNumber", "X -#", "X", N, N, N},
        WordCase{"HashAlone", "X #", "X", N, N, N},
        WordCase{"VariableNoDecimalComma", "X #3,0", "X", N, N, N},
        WordCase{"VariablesAsOperands", "X #3 * -#3", "X", -49, -49, N},
        // Operators.
        WordCase{"DivisionByZeroNotCarriedOut", "X 10 / 0", "X", 10, 10, 0},
        WordCase{"DivisionByMinusZero", "X 10 / -0", "X", 10, 10, 0},
        WordCase{"Division", "X 7 / 2", "X", 3.5, 3.5, N},
        WordCase{"Subtraction", "X 7 - 2", "X", 5, 5, N},
        WordCase{"Product", "X 2 * 3", "X", 6, 6, N},
        WordCase{"LargestProductIsFinite", "X 999999 * 999999", "X", 999998000001.0,
                 999998000001.0, N},
        WordCase{"LaterOperatorWinsAllBlanked", "X 2 + 3 * 4", "X", 6, 6, N},
        WordCase{"OperatorBeforeWordIgnored", "Y 5 - 3 X 10 4", "X", 10, 10, 4},
        WordCase{"OperatorBehindOtherWordSecondValueMissing", "X 10 Y 5 - 3", "X", 10, 10, N},
        WordCase{"OperatorBehindOtherWordUsed", "X 10 Y 5 - 3", "Y", 2, 2, N},
        WordCase{"OperatorAtLineEnd", "X 4 +", "X", 4, 4, N},
        WordCase{"OperatorWithoutBlanksIsPartOfToken", "X 4*2", "X", N, N, N},
        WordCase{"QuotientBeyondAnyRealIsNoValue", "X 999999 / 1e-320", "X", N, N, N},
        // The plus addend.
        WordCase{"PlusAddendAfterSeveralValues", "X 10 20 +5", "X", 15, 15, 20},
        WordCase{"PlusAddendNoNumber", "X 10 +A", "X", N, 10, N},
        WordCase{"PlusAddendHasNoDecimalComma", "X 10 +0,5", "X", N, 10, N},
        WordCase{"PlusAddendBeyondAnyReal", "X 10 +1e999", "X", N, 10, N},
        WordCase{"PlusEndsList", "X 10 +5 7", "X", 15, 15, N}),
    [](const ::testing::TestParamInfo<WordCase>& p) { return std::string(p.param.name); });

TEST(WordValue, ValuesOfAnEarlierLongerCallDoNotShowThrough) {
  TFormaDaten d;
  d.GetWordValue("X 1 2 3 4 5", "X");
  EXPECT_EQ(d.Values(5), 5.0);
  d.GetWordValue("X 9", "X");
  EXPECT_EQ(d.Values(1), 9.0);
  for (int i = 2; i <= TFormaDaten::ValueCount; ++i) ASSERT_EQ(d.Values(i), NoValue) << i;
  d.GetWordValue("X 1 2 3", "X");
  d.GetWordValue("G1", "X");  // word missing
  for (int i = 1; i <= TFormaDaten::ValueCount; ++i) ASSERT_EQ(d.Values(i), NoValue) << i;
}

TEST(WordValue, ClearValuesAndOutOfRangeIndexGiveNoValue) {
  TFormaDaten d;
  d.GetWordValue("X 1 2", "X");
  EXPECT_EQ(d.Values(0), NoValue);
  EXPECT_EQ(d.Values(TFormaDaten::ValueCount + 1), NoValue);
  d.ClearValues();
  EXPECT_EQ(d.Values(1), NoValue);
  EXPECT_EQ(d.Values(2), NoValue);
}

std::string CountingLine(int count) {
  std::string line = "X";
  for (int k = 1; k <= count; ++k) line += " " + std::to_string(k);
  return line;
}

TEST(WordValue, ReadsAtMost1254Values) {
  TFormaDaten d;
  EXPECT_EQ(d.GetWordValue(CountingLine(1255), "X"), 1.0);
  EXPECT_EQ(d.Values(1254), 1254.0);
  EXPECT_EQ(d.Values(1253), 1253.0);
}

TEST(WordValue, OperatorDropsValuesUpTo254Only) {
  TFormaDaten d;
  // 2 * 3, then the values 4 .. 300 follow in entries 3 .. 299.
  std::string line = "X 2 * 3";
  for (int k = 4; k <= 300; ++k) line += " " + std::to_string(k);
  EXPECT_EQ(d.GetWordValue(line, "X"), 6.0);
  for (int i = 2; i <= 254; ++i) ASSERT_EQ(d.Values(i), NoValue) << i;
  EXPECT_EQ(d.Values(255), 256.0);
  EXPECT_EQ(d.Values(299), 300.0);
  EXPECT_EQ(d.Values(300), NoValue);
}

TEST(WordValue, LineIsNotChanged) {
  TFormaDaten d;
  const std::string line = "X 2 + 3";
  const std::string copy = line;
  EXPECT_EQ(d.GetWordValue(line, "X"), 5.0);
  EXPECT_EQ(line, copy);
}

TEST(WordValue, TenThousandDigitTokens) {
  TFormaDaten d;
  EXPECT_EQ(d.GetWordValue("X " + std::string(10000, '9'), "X"), NoValue);
  EXPECT_EQ(d.GetWordValue("X " + std::string(10000, '0') + "5", "X"), 5.0);
  EXPECT_EQ(d.GetWordValue("X " + std::string(10000, '0') + "5,25", "X"), 5.25);
  EXPECT_EQ(d.GetWordValue("X #" + std::string(10000, '0') + "3", "X"), 0.0);
  // A value too small for any real (10000 zeros after the point) is no number either.
  EXPECT_EQ(d.GetWordValue("X 0." + std::string(10000, '0') + "1", "X"), NoValue);
  // A long line with operators (the blanked copy leaves the stack).
  EXPECT_EQ(d.GetWordValue("X 3 * 4 " + std::string(1000, 'A'), "X"), 12.0);
}

TEST(WordValue, VariableDefinitionsSeeEarlierDefinitions) {
  // What the interpreter does on a line with " #": #1 first, then #2 from the new #1.
  TFormaDaten d;
  const std::string line = " #1= 4 #2= #1 * 2 #3= ";
  for (int n = 1; n <= 3; ++n) {
    const std::string word = "#" + std::to_string(n) + "=";
    d.GetWordValue(line, word);
    if (d.Values(1) != NoValue) d.Vars(n) = d.Values(1);
  }
  EXPECT_EQ(d.Vars(1), 4.0);
  EXPECT_EQ(d.Vars(2), 8.0);
  EXPECT_EQ(d.Vars(3), 0.0);  // missing value leaves it unchanged
}

TEST(WordValue, NonFiniteVariableReadsAsNoValue) {
  TFormaDaten d;
  d.Vars(1) = 1e308;
  EXPECT_EQ(d.GetWordValue("X #1 * #1", "X"), NoValue);
  EXPECT_EQ(d.GetWordValue("X #1 +1e308", "X"), NoValue);
  EXPECT_EQ(d.Values(1), 1e308);
  d.Vars(2) = std::numeric_limits<double>::infinity();
  EXPECT_EQ(d.GetWordValue("X #2", "X"), NoValue);
  EXPECT_EQ(d.Values(1), NoValue);
}

TEST(WordValue, DecimalsAtCreation) {
  TFormaDaten d;
  EXPECT_EQ(d.OutDecimals, 4);
  EXPECT_EQ(d.ShowDecimals, 4);
  for (double v : d.Vars) ASSERT_EQ(v, 0.0);
}

TEST(WordValue, EveryValueIsZeroUntilACallHasReadTheTable) {
  TFormaDaten d;
  for (int i = 1; i <= TFormaDaten::ValueCount; ++i) ASSERT_EQ(d.Values(i), 0.0) << i;
  // The start of an interpreter run sets back the first 254; the rest keep their 0.
  d.ClearValues();
  EXPECT_EQ(d.Values(1), NoValue);
  EXPECT_EQ(d.Values(254), NoValue);
  EXPECT_EQ(d.Values(255), 0.0);
  EXPECT_EQ(d.Values(TFormaDaten::ValueCount), 0.0);
  // A call reads the whole table: what it did not fill is NoValue.
  d.GetWordValue("X 7", "X");
  EXPECT_EQ(d.Values(1), 7.0);
  EXPECT_EQ(d.Values(255), NoValue);
  EXPECT_EQ(d.Values(TFormaDaten::ValueCount), NoValue);
}

}  // namespace
}  // namespace movra
