// Repeats and block transformations: programs in, transcripts out.
#include <gtest/gtest.h>

#include <string>

#include "geometry/forma_geom.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

using namespace transcript;

#define SQUARE "X0 Y0\nX10\nY10\nX0"

const ProgramCase Repeats[] = {
    {"ChainedRepeatOfOpenZigZag", "G1 X0 Y0\nX5 Y5\nX10 Y0\nREPL 3", "",
     "L 0 0 5 5 #1 F0 S0\nL 5 5 10 0 #1 F0 S0\nL 10 0 15 5 #1 F0 S0\nL 15 5 20 0 #1 F0 S0\n"
     "L 20 0 25 5 #1 F0 S0\nL 25 5 30 0 #1 F0 S0\nL 30 0 35 5 #1 F0 S0\nL 35 5 40 0 #1 F0 S0"},
    {"ChainedRepeatOfClosedContourFails", "G1 X0 Y0\nX10\nY10\nX0 Y0\nREPL 3", "N5 [ REPL 3 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0\nL 10 10 0 0 #1 F0 S0"},
    // Ends a hair apart are as closed as ends that meet: a hundred copies on one spot.
    {"ChainedRepeatOfAlmostClosedContourFails", "G1 X0 Y0\nX10\nY10\nX0 Y0.0000001\nREPL 3",
     "N5 [ REPL 3 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0\nL 10 10 0 0 #1 F0 S0"},
    {"RepeatCountAbove100Fails", "G1 X0 Y0\nX10\nREPL 101", "N3 [ REPL 101 ]",
     "L 0 0 10 0 #1 F0 S0"},
    {"RepeatCountZeroFails", "G1 X0 Y0\nX10\nREPL 0", "N3 [ REPL 0 ]", "L 0 0 10 0 #1 F0 S0"},
    {"RepeatCountHalfGoesToEven", "G1 X0 Y0\nX1\nREPL 2.5", "",
     "L 0 0 1 0 #1 F0 S0\nL 1 0 2 0 #1 F0 S0\nL 2 0 3 0 #1 F0 S0"},
    {"LinearRepeatWithoutCountMakesOneCopy", "G1 X0 Y0\nX10\nFREPL 0 5", "",
     "L 0 0 10 0 #1 F0 S0\nL 0 5 10 5 #1 F0 S0"},
    {"LinearRepeatCountAbove100Fails", "G1 X0 Y0\nX10\nFREPL 5 0 101", "N3 [ FREPL 5 0 101 ]",
     "L 0 0 10 0 #1 F0 S0"},
    {"FrepCopiesTheBlockAsDrawn", "G1 X0 Y0\nX10\nFREP 50 0\nFREP 50 0", "",
     "L 0 0 10 0 #1 F0 S0\nL 50 0 60 0 #1 F0 S0\nL 50 0 60 0 #1 F0 S0"},
    {"FrepOnEmptyBlockFails", "G1 X0 Y0\nFREP 5 0", "N2 [ FREP 5 0 ]", ""},
    {"PolarRepeatOfQuarterArc", "G1 X10 Y0\nG3 X0 Y10 R10\nREPA 0 0 4", "",
     "A 0 0 10 0 90 #1 F0 S0\nA 0 0 10 90 180 #1 F0 S0\nA 0 0 10 180 270 #1 F0 S0\n"
     "A 0 0 10 270 0 #1 F0 S0\nA 0 0 10 0 90 #1 F0 S0"},
    {"PolarRepeatClockwise", "G1 X0 Y10\nG2 X10 Y0 R10\nREPA 0 0 1", "",
     "A 0 0 -10 90 0 #1 F0 S0\nA 0 0 -10 0 270 #1 F0 S0"},
    {"PolarRepeatOffTheCircleFails", "G1 X10 Y0\nG3 X0 Y10.000001 R10\nREPA 0 0 4",
     "N3 [ REPA 0 0 4 ]", "A 0 0 10 360 90 #1 F0 S0"},
    {"PolarRotateCopies", "G1 X10 Y0\nX20\nFREPA 0 0 90 2", "",
     "L 10 0 20 0 #1 F0 S0\nL 0 10 0 20 #1 F0 S0\nL -10 0 -20 0 #1 F0 S0"},
    {"PolarRotateWithoutCountFails", "G1 X0 Y0\nX1\nFREPA 0 0 90", "N3 [ FREPA 0 0 90 ]",
     "L 0 0 1 0 #1 F0 S0"},
    {"StepsInZ", "G1 X0 Y0\nX10\nFREPZ 0 0 10 2", "",
     "L 0 0 10 0 #1 F0 S0\nL 0 0 10 0 #1001 F0 S0\nL 0 0 10 0 z2 #1001 F0 S0\n"
     "L 0 0 10 0 z4 #1001 F0 S0\nL 0 0 10 0 z6 #1001 F0 S0\nL 0 0 10 0 z8 #1001 F0 S0\n"
     "L 0 0 10 0 z10 #1001 F0 S0"},
    {"StepInZBelowMinimumFails", "G1 X0 Y0\nX10\nFREPZ 0 0 10 0.05", "N3 [ FREPZ 0 0 10 0.05 ]",
     "L 0 0 10 0 #1 F0 S0"},
    {"StepInZLongerThanVectorFails", "G1 X0 Y0\nX10\nFREPZ 0 0 1 2", "N3 [ FREPZ 0 0 1 2 ]",
     "L 0 0 10 0 #1 F0 S0"},
    // Ten thousand million steps would not fit into the store.
    {"StepsBeyondTheStoreFail", "G1 X0 Y0\nX10\nFREPZ 1e9 0 0 0.1",
     "N3 [ FREPZ 1e9 0 0 0.1 ]", "L 0 0 10 0 #1 F0 S0"},
};

TEST(Repeats, ProgramsAndTheirCopies) {
  for (const ProgramCase& c : Repeats) {
    SCOPED_TRACE(c.name);
    ExpectProgramReads(c);
  }
}

const ProgramCase Transformations[] = {
    {"TurnLineAndArc", "G1 X10 Y0\nX20\nG3 X30 Y0 R5\nFA 0 0 90", "",
     "L 0 10 0 20 #1 F0 S0\nA 0 25 5 270 90 #1 F0 S0"},
    {"TurnByZeroFails", "G1 X0 Y0\nX10\nFA 0 0 0", "N3 [ FA 0 0 0 ]", "L 0 0 10 0 #1 F0 S0"},
    {"MirrorXSwapsSideAndSense", "G41 G1 X0 Y0\nX10\nG3 X20 Y0 R5\nFMX", "",
     "L 0 0 -10 0 #1 F0 S2\nA -15 0 -5 0 180 #1 F0 S2"},
    // The block side follows the mirror, so what is drawn after it gets the new side too.
    {"MirrorSideStaysForLaterElements", "G41 G1 X0 Y0\nX10\nY10\nFMX\nX20", "",
     "L 0 0 -10 0 #1 F0 S2\nL -10 0 -10 10 #1 F0 S2\nL -10 10 20 10 #1 F0 S2"},
    {"ReverseTwiceRestores", "G41 G1 X0 Y0\nX10\nG3 X20 Y0 R5\nFN\nFN", "",
     "L 0 0 10 0 #1 F0 S1\nA 15 0 5 180 0 #1 F0 S1"},
    {"ReverseOnce", "G41 G1 X0 Y0\nX10\nG3 X20 Y0 R5\nFN", "",
     "A 15 0 -5 0 180 #1 F0 S2\nL 10 0 0 0 #1 F0 S2"},
    {"ScaleByNegativeFactor", "G1 X0 Y0\nX10\nY5\nFS -2", "",
     "L 0 0 20 0 #1 F0 S0\nL 20 0 20 10 #1 F0 S0"},
    {"ScaleByOneFails", "G1 X0 Y0\nX10\nFS 1", "N3 [ FS 1 ]", "L 0 0 10 0 #1 F0 S0"},
    {"ScaleBelowRangeFails", "G1 X0 Y0\nX10\nFS 0.005", "N3 [ FS 0.005 ]", "L 0 0 10 0 #1 F0 S0"},
    {"ScaleAboveRangeFails", "G1 X0 Y0\nX10\nFS 101", "N3 [ FS 101 ]", "L 0 0 10 0 #1 F0 S0"},
    {"DrillingPointMoved", "G81\nX5 Y5\nFT 10 0", "", "L 15 5 15 5 #1 F0 S3"},
    {"DrillingPointOfLaterBlockMoved", "%1\nG1 X0 Y0\nX10\n%2\nG81\nX5 Y5\nX6 Y6\nFT 10 0", "",
     "L 0 0 10 0 #1 F0 S0\nL 15 5 16 6 #2 F0 S3"},
    {"TranslateNeedsAValue", "G1 X0 Y0\nX10\nFT", "N3 [ FT ]", "L 0 0 10 0 #1 F0 S0"},
};

TEST(Transformations, ProgramsAndTheirResults) {
  for (const ProgramCase& c : Transformations) {
    SCOPED_TRACE(c.name);
    ExpectProgramReads(c);
  }
}

// With FE's equidistant n + 1000 in the block.
const ProgramCase WithEquidistant[] = {
    {"LinearRepeatMovesTheEquidistantAlong", "G41 G1\n" SQUARE "\nFE 1\nFREPL 20 0", "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1\n"
     "L 20 0 30 0 #1 F0 S1\nL 30 0 30 10 #1 F0 S1\nL 30 10 20 10 #1 F0 S1\n"
     "L 20 0 29 0 #1001 F0 S1\nL 29 0 29 10 #1001 F0 S1\nL 29 10 20 10 #1001 F0 S1"},
    {"MirrorTakesTheEquidistant", "G41 G1\n" SQUARE "\nFE 1\nFMY", "",
     "L 0 0 10 0 #1 F0 S2\nL 10 0 10 -10 #1 F0 S2\nL 10 -10 0 -10 #1 F0 S2\n"
     "L 0 0 9 0 #1001 F0 S2\nL 9 0 9 -10 #1001 F0 S2\nL 9 -10 0 -10 #1001 F0 S2"},
    {"StepsInZAfterFeFail", "G41 G1\n" SQUARE "\nFE 1\nFREPZ 0 0 1 0.5", "N7 [ FREPZ 0 0 1 0.5 ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1"},
    {"OffsetPassesAfterFeFail", "G41 G1\n" SQUARE "\nFE 1\nFREPE 2", "N7 [ FREPE 2 ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1"},
    // Copies n + 1000 of the Z steps are no equidistant: FE refuses rather than build nothing.
    {"FeAfterStepsInZFails", "G41 G1\n" SQUARE "\nFREPZ 0 0 2 1\nFE 1", "N7 [ FE 1 ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 10 0 #1001 F0 S1\nL 10 0 10 10 #1001 F0 S1\nL 10 10 0 10 #1001 F0 S1\n"
     "L 0 0 10 0 z1 #1001 F0 S1\nL 10 0 10 10 z1 #1001 F0 S1\nL 10 10 0 10 z1 #1001 F0 S1\n"
     "L 0 0 10 0 z2 #1001 F0 S1\nL 10 0 10 10 z2 #1001 F0 S1\nL 10 10 0 10 z2 #1001 F0 S1"},
    // The polar copies of the equidistant stay the equidistant's.
    {"PolarRepeatKeepsNumbers", "G41 G1\nX10 Y0\nX15 Y5\nX5 Y15\nX0 Y10\nFE 1\nREPA 0 0 1", "",
     "L 10 0 15 5 #1 F0 S1\nL 15 5 5 15 #1 F0 S1\nL 5 15 0 10 #1 F0 S1\n"
     "L 10 0 14.2929 4.2929 #1001 F0 S1\nL 14.2929 4.2929 4.2929 14.2929 #1001 F0 S1\n"
     "L 4.2929 14.2929 0 10 #1001 F0 S1\n"
     "L 0 10 -5 15 #1 F0 S1\nL -5 15 -15 5 #1 F0 S1\nL -15 5 -10 0 #1 F0 S1\n"
     "L 0 10 -4.2929 14.2929 #1001 F0 S1\nL -4.2929 14.2929 -14.2929 4.2929 #1001 F0 S1\n"
     "L -14.2929 4.2929 -10 0 #1001 F0 S1"},
};

TEST(Transformations, WithTheEquidistant) {
  for (const ProgramCase& c : WithEquidistant) {
    SCOPED_TRACE(c.name);
    ExpectProgramReads(c);
  }
}

const ProgramCase OffsetPasses[] = {
    // An open contour: passes at 35, 25, 15 and 10.2, the first backwards, then alternating.
    {"OpenContourPassesAlternate", "G41 G1 X0 Y0\nX-35.001\nY-50\nX10\nFREPE 10 0.2", "",
     "L 0 0 -35.001 0 #1 F0 S1\nL -35.001 0 -35.001 -50 #1 F0 S1\n"
     "L -35.001 -50 10 -50 #1 F0 S1\n"
     "L 10 -50 -0.001 -50 #1001 F0 S0\nL -0.001 -50 -0.001 0 #1001 F0 S0\n"
     "L -0.001 0 0 0 #1001 F0 S0\n"
     "L 0 0 -10.001 0 #1001 F0 S0\nL -10.001 0 -10.001 -50 #1001 F0 S0\n"
     "L -10.001 -50 10 -50 #1001 F0 S0\n"
     "L 10 -50 -20.001 -50 #1001 F0 S0\nL -20.001 -50 -20.001 0 #1001 F0 S0\n"
     "L -20.001 0 0 0 #1001 F0 S0\n"
     "L 0 0 -24.801 0 #1001 F0 S0\nL -24.801 0 -24.801 -50 #1001 F0 S0\n"
     "L -24.801 -50 10 -50 #1001 F0 S0"},
    // A G41 given after the first point still offsets, from the elements' own side; passes
    // at 35 and, the last, at the step 20.
    {"SideGivenAfterFirstPoint", "G1 X0 Y0\nG41 X-35.001\nY-50\nX10\nFREPE 20 0", "",
     "L 0 0 -35.001 0 #1 F0 S1\nL -35.001 0 -35.001 -50 #1 F0 S1\n"
     "L -35.001 -50 10 -50 #1 F0 S1\n"
     "L 10 -50 -0.001 -50 #1001 F0 S0\nL -0.001 -50 -0.001 0 #1001 F0 S0\n"
     "L -0.001 0 0 0 #1001 F0 S0\n"
     "L 0 0 -15.001 0 #1001 F0 S0\nL -15.001 0 -15.001 -50 #1001 F0 S0\n"
     "L -15.001 -50 10 -50 #1001 F0 S0"},
    {"FirstLineTooShortFails", "G41 G1 X0 Y0\nX-5\nY-50\nX10\nFREPE 10", "N5 [ FREPE 10 ]",
     "L 0 0 -5 0 #1 F0 S1\nL -5 0 -5 -50 #1 F0 S1\nL -5 -50 10 -50 #1 F0 S1"},
    {"WithoutCorrectionFails", "G1 X0 Y0\nX-35.001\nY-50\nFREPE 10", "N4 [ FREPE 10 ]",
     "L 0 0 -35.001 0 #1 F0 S0\nL -35.001 0 -35.001 -50 #1 F0 S0"},
    {"SingleElementFails", "G41 G1 X0 Y0\nX-35\nFREPE 10", "N3 [ FREPE 10 ]",
     "L 0 0 -35 0 #1 F0 S1"},
    // A step of 0.001 would make some 35000 passes: more than the store holds.
    {"StepTooFineFails", "G41 G1 X0 Y0\nX-35.001\nY-50\nX10\nFREPE 0.001",
     "N5 [ FREPE 0.001 ]",
     "L 0 0 -35.001 0 #1 F0 S1\nL -35.001 0 -35.001 -50 #1 F0 S1\n"
     "L -35.001 -50 10 -50 #1 F0 S1"},
};

TEST(Transformations, OffsetPasses) {
  for (const ProgramCase& c : OffsetPasses) {
    SCOPED_TRACE(c.name);
    ExpectProgramReads(c);
  }
}

// Each transformation followed by its inverse gives the block back.
TEST(Transformations, InversePairsRestoreTheBlock) {
  const std::string block = "G41 G1 X3 Y1\nX10 RD 2\nY8\nG2 X4 Y12 R5\nG1 X-2 Y4\n";
  Editor plain;
  plain.Load(block);
  const std::string before = Transcript(plain.geom);
  for (const char* pair : {"FA 2 3 37\nFA 2 3 -37", "FMX\nFMX", "FMY\nFMY", "FN\nFN",
                           "FS 2\nFS 0.5", "FT 4 -7\nFT -4 7"}) {
    SCOPED_TRACE(pair);
    Editor ed;
    ed.Load(block + pair);
    EXPECT_TRUE(SameTranscript(before, Transcript(ed.geom))) << Transcript(ed.geom);
  }
}

}  // namespace
}  // namespace movra
