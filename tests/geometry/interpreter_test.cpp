// The interpreter core: whole programs in, their element transcripts out.
#include "geometry/interpreter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "platform/core/application.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

using namespace transcript;

const ProgramCase Programs[] = {
    {"EmptyText", "", "", ""},
    {"OnlyComments", "(first)\n  (second one)  \n\n()", "", ""},
    {"PlainMovesAreModal", "G1 X0 Y0\nX10 Y0\nY10\nG0 X0",
     "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0\nL 10 10 0 10 #1 F0 S0"},
    {"LowerCaseWords", "g1 x0 y0\nx10", "", "L 0 0 10 0 #1 F0 S0"},
    {"StartPointAloneIsPointElement", "G1 X10 Y20", "", "L 10 20 10 20 #1 F0 S0"},
    {"SameHeaderTwiceFails", "%3\nG1 X0 Y0\nX10\n%3\nX20", "N4 [ %3 ]", "L 0 0 10 0 #3 F0 S0"},
    {"HeaderWithoutElementsMayRepeat", "%3\n%3\nG1 X0 Y0\nX5", "", "L 0 0 5 0 #3 F0 S0"},
    {"NegativeHeaderOpensItsAbsoluteValue", "%-3\nG1 X0 Y0\nX5", "", "L 0 0 5 0 #3 F0 S0"},
    {"HeaderAbove254Fails", "G1 X0 Y0\n%255", "N2 [ %255 ]", "L 0 0 0 0 #1 F0 S0"},
    {"HeaderFarBeyondAnyNumberFails", "%999999 * 999999", "N1 [ %999999 * 999999 ]", ""},
    {"HeaderRoundingToZeroFails", "%0.4", "N1 [ %0.4 ]", ""},
    {"HeaderHalfGoesToEven", "%2.5\nG1 X0 Y0\nX1\n%3.5\nG1 X0 Y0\nX2", "",
     "L 0 0 1 0 #2 F0 S0\nL 0 0 2 0 #4 F0 S0"},
    {"PercentZeroLineIsSkipped", "%0\nG1 X0 Y0\nX5", "", "L 0 0 5 0 #1 F0 S0"},
    {"BareHeaderTakesFirstFreeNumber", "G1 X0 Y0\nX5\n%\nG1 X0 Y0\nX6\n%\nG1 X1 Y1", "",
     "L 0 0 5 0 #1 F0 S0\nL 0 0 6 0 #2 F0 S0\nL 1 1 1 1 #3 F0 S0"},
    {"WordsAfterHeaderAreNotRead", "%4 G1 X0 Y0\nG1 X1 Y1", "", "L 1 1 1 1 #4 F0 S0"},
    {"SlashLineIsSkipped", "#1=4\nG1 X0 Y0\nX#1 / 2\nX10", "", "L 0 0 10 0 #1 F0 S0"},
    {"DoubleSlashSkipsUpToNumberedHeader",
     "G1 X0 Y0\nX10 // note\nX20\nY30\n  %2\nG1 X0 Y0\nX-5", "",
     "L 0 0 0 0 #1 F0 S0\nL 0 0 -5 0 #2 F0 S0"},
    {"DoubleSlashToTheEndIsNoError", "G1 X0 Y0\nX10\nY5 // the rest\nX99\nY99", "",
     "L 0 0 10 0 #1 F0 S0"},
    {"CommentInsideSkippedLineDoesNotSkip", "G1 X0 Y0\nX10 (a // b)\nY10", "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"SemicolonTailIsCut", "G1 X0 Y0 ; start\nX10;Y99", "", "L 0 0 10 0 #1 F0 S0"},
    {"HashDefinitionsInRisingOrder", "#2=#1 * 2 #1=5\nG1 X0 Y0\nX#2 Y-#1", "",
     "L 0 0 10 -5 #1 F0 S0"},
    {"HashDefinitionAppliesFromItsLine", "#1=3\nG1 X0 Y0\nX#1\n#1=7\nX#1", "",
     "L 0 0 3 0 #1 F0 S0\nL 3 0 7 0 #1 F0 S0"},
    {"ArcBeyondAnyRealFails",
     "#1=999999 * 999999\n#2=#1 * #1\n#3=#2 * #2\n#4=#3 * #3\n#5=#4 * #4\nG1 X0 Y0\n"
     "G2 X#5 Y0 R#5",
     "N7 [ G2 X#5 Y0 R#5 ]", ""},
    {"AxisWordWithoutValueFails", "G1 X0 Y0\nX", "N2 [ X ]", ""},

    // Arcs
    {"CentreFormHalfCircleIsShortArc", "G90 G1 X0 Y0\nG2 X10 Y0 I5 J0", "",
     "A 5 0 -5 180 0 #1 F0 S0"},
    {"CentreFormAnticlockwise", "G1 X0 Y0\nG3 X10 Y0 I5", "", "A 5 0 5 180 0 #1 F0 S0"},
    {"CentreFormLongArc", "G1 X5 Y0\nG3 X0 Y-5 I-5", "", "A 0 0 5 0 270 #1 F0 S0"},
    {"NegativeRadiusGivesLongArc", "G1 X0 Y0\nG2 X10 Y0 R-6", "",
     "A 5 3.3166 -6 213.5573 326.4427 #1 F0 S0"},
    {"PositiveRadiusGivesShortArc", "G1 X0 Y0\nG2 X10 Y0 R6", "",
     "A 5 -3.3166 -6 146.4427 33.5573 #1 F0 S0"},
    {"CentreAndRadiusTogetherMoveStraight", "G1 X0 Y0\nG3 X10 Y0 I5 R5", "",
     "L 0 0 10 0 #1 F0 S0"},
    {"ArcBackToStartMakesNothing", "G1 X0 Y0\nG2 X0 Y0 I5", "", "L 0 0 0 0 #1 F0 S0"},
    {"ArcWithoutCentreOrRadiusFails", "G1 X0 Y0\nG2 X10 Y0", "N2 [ G2 X10 Y0 ]", ""},
    {"ChordLongerThanDiameterFails", "G1 X0 Y0\nG2 X10 Y0 R2", "N2 [ G2 X10 Y0 R2 ]", ""},
    {"ArcRadiusIsNotTakenFromRD", "G1 X0 Y0\nG2 X10 Y0 RD 2 R5", "",
     "A 5 0 -5 180 0 #1 F0 S0"},
    {"ArcRadiusAfterRDM", "G1 X0 Y0\nG3 X10 Y0 RDM 2 R5", "", "A 5 0 5 180 0 #1 F0 S0"},
    // On the straight G01 line R5 is no arc radius but the base circle about the target.
    {"LastMotionWordOfTheOrderWins", "G1 X0 Y0\nG02 G1 X10 Y0 R5\nG2 G01 X20 Y0 R5", "",
     "A 5 0 -5 180 0 #1 F0 S0\nL 10 0 17.5 -4.3301 #1 F0 S0"},

    // Axis pairs, absolute and incremental
    {"XZPairHalvesTheDiameter", "G1 Z0 X0\nG1 Z-20 X40", "", "L 0 0 -20 20 #1 F0 S0"},
    {"XZPairCentreWordsKAndI", "G1 Z0 X0\nG3 Z-10 X0 K-5", "", "A -5 0 5 0 180 #1 F0 S0"},
    {"IncrementalMoves", "G1 X0 Y0\nG91 X10 Y5\nX-10", "",
     "L 0 0 10 5 #1 F0 S0\nL 10 5 0 5 #1 F0 S0"},
    {"IncrementalOnUnsetStaysUnset", "G91 G1 X10 Y5\nX3", "", ""},

    // The angle word
    {"AngleToTargetX", "G1 X0 Y0\nG1 X50 A30", "", "L 0 0 50 28.8675 #1 F0 S0"},
    {"AngleToTargetY", "G1 X0 Y0\nG1 Y20 A45", "", "L 0 0 20 20 #1 F0 S0"},
    {"AngleParallelToTargetLineFails", "G1 X0 Y0\nG1 X50 A90", "N2 [ G1 X50 A90 ]", ""},
    {"AngleDownwardParallelFails", "G1 X0 Y0\nG1 X50 A270", "N2 [ G1 X50 A270 ]", ""},
    {"AngleHorizontalParallelFails", "G1 X0 Y0\nG1 Y20 A180", "N2 [ G1 Y20 A180 ]", ""},
    // AR 30 20 is the line at 30 degrees with its arc to (50, 0), not the angle 30.
    {"AngleIsNotTakenFromAR", "G1 X0 Y0\nG1 X50 AR 30 20", "",
     "L 0 0 20.7295 11.9682 #1 F0 S0\nA 30.7295 -5.3523 -20 120 15.5225 #1 F0 S0"},

    // Feed and rapid
    {"FeedIsAbsoluteAndModal", "G1 X0 Y0 F-200\nX10\nY10 F\nX0 F50", "",
     "L 0 0 10 0 #1 F200 S0\nL 10 0 10 10 #1 F200 S0\nL 10 10 0 10 #1 F50 S0"},
    {"FeedEndsWithTheBlock", "G1 X0 Y0 F100\nX10\n%2\nG1 X0 Y0\nX10", "",
     "L 0 0 10 0 #1 F100 S0\nL 0 0 10 0 #2 F0 S0"},
    {"MaxMarksTheLineRapid", "G1 X0 Y0\nX10 MAX\nY10", "",
     "L 0 0 10 0 #1 FMAX S0\nL 10 0 10 10 #1 F0 S0"},
    {"MaxWithAnArcFirstIsNotRapid", "G1 X0 Y0 F80\nG2 X10 Y0 R5 MAX\nG1 Y10", "",
     "A 5 0 -5 180 0 #1 F80 S0\nL 10 0 10 10 #1 F80 S0"},

    // Pen up
    {"PenUpStartsNewChain", "G1 X0 Y0\nX10\n|\nG1 X20 Y5\nX30", "",
     "L 0 0 10 0 #1 F0 S0\nL 20 5 30 5 #1 F0 S0"},
    {"PenUpWithWordsIsNoPenUp", "G1 X0 Y0\nX10\n| X5", "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 5 0 #1 F0 S0"},

    // Correction side
    {"G41BeforeFirstPointMarksTheBlock", "G41\nG1 X0 Y0\nX10\nY10", "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1"},
    {"G42AfterFirstPointMarksLaterElements", "G41\nG1 X0 Y0\nX10\nG42\nY10", "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S2"},
    {"G41BeforeSemicolonSelectsNothing", "G41 ;left\nG1 X0 Y0\nX10", "", "L 0 0 10 0 #1 F0 S0"},
    {"G41BeforeCommentSelects", "G41 (left)\nG1 X0 Y0\nX10", "", "L 0 0 10 0 #1 F0 S1"},
    {"DrillingBlock", "G81\nG1 X5 Y5", "", "L 5 5 5 5 #1 F0 S3"},
    {"FEAfterSideChangeFails", "G1 X0 Y0\nG41 X10 FE 1", "N2 [ G41 X10 FE 1 ]", ""},

    // Corner words of the previous element line
    {"RoundingWordWithoutValueFailsAtTheCorner", "G1 X0 Y0\nX10 RD\nY10\nX0",
     "N3 [ Y10 ]", "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"ChamferWordWithoutValueFails", "G1 X0 Y0\nX10 CF\nY10", "N3 [ Y10 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"CornerWordsInCommentsAreNotRead", "G1 X0 Y0\nX10 (CUT RD)\nY10 ; C", "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"CornerWordFirstOnItsLineIsRead", "G1 X0 Y0\nRD X10\nY10", "N3 [ Y10 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"CCIsNotTheCornerWordC", "G1 X0 Y0\nCC 0 0 10 10 0 10\nY10", "",
     "L 0 0 5 -8.6603 #1 F0 S0\nL 5 -8.6603 5 10 #1 F0 S0"},
    {"ModalRoundingWithoutValueFails", "G1 X0 Y0\nX10 RDM", "N2 [ X10 RDM ]", ""},

    // Words of the groups still to come are ignored like unknown words
    {"UnknownWordsAreIgnored", "G1 X0 Y0 FOO\nX10 OOPS 10 0 STOP\nQQ Y10", "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
};

class Program : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(Program, ReadsAsExpected) { ExpectProgramReads(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Interpreter, Program, ::testing::ValuesIn(Programs), CaseName);

// ---------------------------------------------------------------------------------------------

TEST(InterpreterRun, ResetsTheTablesAndClosesTheLastBlock) {
  Editor ed;
  ed.daten.Vars(5) = 3;
  ed.geom.GeomNames(7) = "old";
  ed.geom.GeomClosed(9) = 1;
  ed.geom.GeomParams(2)(3) = 4;
  ed.Run("(Flange)\nG1 X0 Y0\nX10\n%5 (Cover)\nD 8 6,5 #1\nG1 X0 Y0\nX1");
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(ed.daten.Vars(5), 0);
  EXPECT_EQ(ed.geom.GeomNames(7), "");
  EXPECT_EQ(ed.geom.GeomClosed(9), 0);
  EXPECT_EQ(ed.geom.GeomParams(2)(3), 0);
  // A comment on a header line names the block before it.
  EXPECT_EQ(ed.geom.GeomNames(1), "Cover");
  EXPECT_EQ(ed.geom.GeomNames(5), "");
  EXPECT_EQ(ed.geom.GeomClosed(1), 1);
  EXPECT_EQ(ed.geom.GeomClosed(5), 1);
  EXPECT_EQ(ed.geom.GeomParams(5)(1), 8);
  EXPECT_EQ(ed.geom.GeomParams(5)(2), 6.5);
  EXPECT_EQ(ed.geom.GeomParams(5)(3), 0);  // #1 is 0
  EXPECT_EQ(ed.geom.GeomParams(5)(4), 0);
  ASSERT_EQ(ed.geom.ElementCount(), 2);
  EXPECT_EQ(ed.geom.Elements(1)->Name, "Cover");
}

TEST(InterpreterRun, NamesKeepTheirUtf8Text) {
  Editor ed;
  ed.Run("(Fläche Ø20 кольцо)\nG1 x0 y0\nx5 (ü)");
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(ed.geom.GeomNames(1), "ü");
  ed.Run("(Fläche Ø20 кольцо)\nG1 x0 y0\nx5");
  EXPECT_EQ(ed.geom.GeomNames(1), "Fläche Ø20 кольцо");
}

TEST(InterpreterRun, ParameterWordWithoutValueFails) {
  Editor ed;
  ed.Run("D\nG1 X0 Y0");
  EXPECT_EQ(ed.error, "N1 [ D ]");
}

TEST(InterpreterRun, FailedBlockIsNotClosed) {
  Editor ed;
  ed.Run("%2 \nG41\nG1 X0 Y0\nX10\n(Part)\nG2 X30 Y0");
  EXPECT_EQ(ed.error, "N6 [ G2 X30 Y0 ]");
  EXPECT_EQ(ed.geom.GeomClosed(2), 0);
  EXPECT_EQ(ed.geom.GeomNames(2), "");
  ASSERT_EQ(ed.geom.ElementCount(), 1);
  EXPECT_EQ(ed.geom.Elements(1)->Side, 0);  // the block side is written only at the close
}

TEST(InterpreterRun, OutsideTheEditorNoBlockIsOpenAtFirst) {
  Editor ed;
  ed.geom.FromEditor = 0;
  ed.Run("G1 X0 Y0\n(Lonely)");  // no element made, no block: nothing to close
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(ed.geom.ElementCount(), 0);
  EXPECT_EQ(ed.geom.GeomClosed(1), 0);
  // The first element made outside any block opens geometry 1.
  ed.Run("G1 X0 Y0\nX10\n%\nG1 X0 Y0\nX5");
  EXPECT_EQ(ed.error, "");
  EXPECT_TRUE(SameTranscript("L 0 0 10 0 #1 F0 S0\nL 0 0 5 0 #2 F0 S0", Transcript(ed.geom)))
      << Transcript(ed.geom);
  EXPECT_EQ(ed.geom.GeomClosed(1), 1);
  EXPECT_EQ(ed.geom.GeomClosed(2), 1);
}

TEST(InterpreterRun, ErrorTextNamesTheLineAsPassed) {
  Editor ed;
  const std::string faulty = "  g2  x10 y0 (no radius) ";
  ed.Run(std::vector<std::string>{"  g1 x0 y0  ", "", faulty});
  EXPECT_EQ(ed.error, "N3 [ " + faulty + " ]");
}

// ---------------------------------------------------------------------------------------------
// The run and the window's message loop

class Pump : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetMessagePump({}); }
};

TEST_F(Pump, RunsOncePerLineAndOncePerSkippedLine) {
  Editor ed;
  int calls = 0;
  platform::SetMessagePump([&] { ++calls; });
  ed.Run("G1 X0 Y0\n\nX10 // skip\nX20\nX30\n%2\nG1 X0 Y0");
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(calls, 7);
}

TEST_F(Pump, NestedRunReturnsAtOnceLeavingEverythingAsItWas) {
  Editor ed;
  std::string nestedError = "untouched";
  int nestedCount = -1;
  platform::SetMessagePump([&] {
    if (nestedCount != -1) return;
    nestedCount = ed.geom.ElementCount();
    ed.geom.InterpretProgram({"G1 X0 Y0", "G2 X10 Y0"}, nestedError);
    EXPECT_EQ(ed.geom.ElementCount(), nestedCount);
    EXPECT_EQ(ed.geom.Busy, 1);
  });
  ed.Run("G1 X0 Y0\nX10\nY10");
  EXPECT_EQ(nestedError, "untouched");
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(ed.geom.ElementCount(), 2);
  EXPECT_EQ(ed.geom.Busy, 0);
}

TEST_F(Pump, CallWhileBusyChangesNothing) {
  Editor ed;
  ed.Run("G1 X0 Y0\nX10");
  ed.geom.Busy = 1;
  ed.error = "old verdict";
  ed.Run("G1 X0 Y0\nG2 X10 Y0");
  EXPECT_EQ(ed.error, "old verdict");
  EXPECT_EQ(ed.geom.ElementCount(), 1);
  EXPECT_EQ(ed.geom.Busy, 1);
}

TEST_F(Pump, BusyIsClearedWhenTheRunIsLeftByAnException) {
  Editor ed;
  platform::SetMessagePump([] { throw std::runtime_error("window closed"); });
  EXPECT_THROW(ed.Run("G1 X0 Y0"), std::runtime_error);
  EXPECT_EQ(ed.geom.Busy, 0);
  platform::SetMessagePump({});
  ed.Run("G1 X0 Y0\nX1");
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(ed.geom.ElementCount(), 1);
}

// ---------------------------------------------------------------------------------------------
// The store's limit and bad input

TEST(InterpreterLimits, ElementBeyondTheStoreIsTheLineError) {
  std::vector<std::string> lines{"G1 X0 Y0"};
  for (int k = 1; k <= TFormaGeom::MaxElements + 1; ++k)
    lines.push_back("X" + std::to_string(k % 2) + " Y" + std::to_string(k % 1000));
  Editor ed;
  ed.Run(lines);
  const std::size_t failing = TFormaGeom::MaxElements + 1;  // 0-based index of that line
  EXPECT_EQ(ed.error, "N" + std::to_string(failing + 1) + " [ " + lines[failing] + " ]");
  ASSERT_EQ(ed.geom.ElementCount(), TFormaGeom::MaxElements);
  // The last element made is still the one of its own line.
  const TFormaGeom::GeomT* last = ed.geom.Elements(TFormaGeom::MaxElements);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->V3, TFormaGeom::MaxElements % 2);
  EXPECT_EQ(last->V4, TFormaGeom::MaxElements % 1000);
}

TEST(InterpreterLimits, PointOfTheLastBlockBeyondTheStoreIsAnError) {
  std::vector<std::string> lines{"G1 X0 Y0"};
  for (int k = 1; k <= TFormaGeom::MaxElements; ++k)
    lines.push_back("X" + std::to_string(k % 2) + " Y" + std::to_string(k % 1000));
  lines.push_back("%2");
  lines.push_back("G1 X5 Y5");
  Editor ed;
  ed.Run(lines);
  EXPECT_EQ(ed.error, "N" + std::to_string(lines.size()) + " [ G1 X5 Y5 ]");
  EXPECT_EQ(ed.geom.ElementCount(), TFormaGeom::MaxElements);
  EXPECT_EQ(ed.geom.GeomClosed(2), 0);
}

TEST(InterpreterLimits, BadBytesAndLongLinesAreReadSafely) {
  std::string nul("G1 X0 Y0\0 X5", 12);
  std::string longLine = "G1";
  for (int k = 0; k < 20000; ++k) longLine += " X" + std::to_string(k % 7) + " Y1";
  Editor ed;
  ed.Run(std::vector<std::string>{nul, "X\xff\xfe Y\xc3", "G1 X1 Y1 \xe2\x82", longLine,
                                  "(((((", ")))", "#", "#0=1 #255=1 #999999999999=1", "%",
                                  std::string(5000, '('), "G2 X5 Y9 I" + std::string(400, '9')});
  EXPECT_EQ(ed.geom.Busy, 0);
  for (int slot = 1; slot <= ed.geom.ElementCount(); ++slot) {
    const TFormaGeom::GeomT* e = ed.geom.Elements(slot);
    ASSERT_NE(e, nullptr);
    for (double v : {e->V1, e->V2, e->V3, e->V4, e->V5}) EXPECT_TRUE(std::isfinite(v));
  }
}

}  // namespace
}  // namespace movra
