// Construction words and corners: programs in, element transcripts out, and the properties a
// fillet or chamfer must have whatever its numbers (tangent neighbours, legs of the asked length).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "geometry/interpreter.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

using namespace transcript;

constexpr double Pi = std::numbers::pi;

const ProgramCase Programs[] = {
    // Intersections. A bare point line makes a point element.
    {"LLMeetsTheVertical", "LL 0 0 0 10 10 90", "", "L 10 0 10 0 #1 F0 S0"},
    {"LLParallelFails", "LL 0 0 0 0 5 0", "N1 [ LL 0 0 0 0 5 0 ]", ""},
    {"LLAntiparallelFails", "LL 0 0 0 0 5 180", "N1 [ LL 0 0 0 0 5 180 ]", ""},
    {"LLNeedsSixValues", "LL 0 0 0 10 10", "N1 [ LL 0 0 0 10 10 ]", ""},
    {"LCNearIsFirstAlongTheLine", "LC 0 0 0 0 0 10", "", "L -10 0 -10 0 #1 F0 S0"},
    {"LCSecondAlongTheLine", "LC 0 0 0 0 0 10 2", "", "L 10 0 10 0 #1 F0 S0"},
    {"LCMissingTheCircleFails", "LC 0 0 0 0 20 5", "N1 [ LC 0 0 0 0 20 5 ]", ""},
    {"CCRightOfTheCentreLine", "CC 0 0 10 10 0 10", "", "L 5 -8.6603 5 -8.6603 #1 F0 S0"},
    {"CCLeftOfTheCentreLine", "CC 0 0 10 10 0 10 2", "", "L 5 8.6603 5 8.6603 #1 F0 S0"},
    {"CCTouchingCircles", "CC 0 0 10 20 0 10", "", "L 10 0 10 0 #1 F0 S0"},
    {"CCDisjointFails", "CC 0 0 10 30 0 10", "N1 [ CC 0 0 10 30 0 10 ]", ""},
    {"CCNestedWithCloseCentresFails", "CC 0 0 10 0.01 0 1", "N1 [ CC 0 0 10 0.01 0 1 ]", ""},
    {"CCSameCentreFails", "CC 0 0 10 0 0 10", "N1 [ CC 0 0 10 0 0 10 ]", ""},
    {"CCZeroRadiusFails", "CC 0 0 0 10 0 10", "N1 [ CC 0 0 0 10 0 10 ]", ""},
    {"LaterWordOverridesTheIntersection", "LL 0 0 0 10 10 90 Y3", "", "L 10 3 10 3 #1 F0 S0"},

    // Coordinates, angles and tapers
    {"BareCoordinatesMakeMoves", "X10 Y20\nX0\nY0", "",
     "L 10 20 0 20 #1 F0 S0\nL 0 20 0 0 #1 F0 S0"},
    {"XAlongAnAngle", "X0 Y0\nX10 45", "", "L 0 0 10 10 #1 F0 S0"},
    {"XThatDoesNotMoveTakesNoAngle", "X0 Y0\nX0 45", "", "L 0 0 0 0 #1 F0 S0"},
    {"VIsX", "X0 Y0\nV10 45", "", "L 0 0 10 10 #1 F0 S0"},
    {"XAngleParallelToTheVerticalFails", "X0 Y0\nX10 90", "N2 [ X10 90 ]", ""},
    {"XAngleDownParallelFails", "X0 Y0\nX10 270", "N2 [ X10 270 ]", ""},
    {"XTaper", "X0 Y0\nX-20 10 20", "", "L 0 0 -20 -5 #1 F0 S0"},
    {"XTaperWithoutLengthFails", "X0 Y0\nX-20 10 0", "N2 [ X-20 10 0 ]", ""},
    {"XAngleOnTheFirstPointFails", "X10 45", "N1 [ X10 45 ]", ""},
    {"YAngleOnTheFirstPointFails", "Y10 45", "N1 [ Y10 45 ]", ""},
    {"YAlongAnAngle", "X0 Y0\nY10 45", "", "L 0 0 10 10 #1 F0 S0"},
    {"YAngleParallelToTheHorizontalFails", "X0 Y0\nY10 180", "N2 [ Y10 180 ]", ""},
    {"WIsADiameter", "X0 Y0\nW20", "", "L 0 0 0 10 #1 F0 S0"},
    {"XWithoutValueFails", "X0 Y0\nX Y5", "N2 [ X Y5 ]", ""},
    {"XIsNotFoundInXY", "X0 Y0\nXY5 Y5", "", "L 0 0 0 5 #1 F0 S0"},

    // Relative and polar steps
    {"IWAddsTheValueUnhalved", "X0 Y0\nW20\nIW20", "",
     "L 0 0 0 10 #1 F0 S0\nL 0 10 0 30 #1 F0 S0"},
    {"RelativeStepsAddUp", "X0 Y0\nIX10 IX5", "", "L 0 0 15 0 #1 F0 S0"},
    {"PolarStepsAddUp", "X0 Y0\nL10 0 L10 90", "", "L 0 0 10 10 #1 F0 S0"},
    {"IXAtAnAngle", "X0 Y0\nIX10 30", "", "L 0 0 10 5.7735 #1 F0 S0"},
    {"IYAtAnAngle", "X0 Y0\nIY10 60", "", "L 0 0 5.7735 10 #1 F0 S0"},
    {"IXTaper", "X0 Y0\nIX10 10 20", "", "L 0 0 10 2.5 #1 F0 S0"},
    {"IXAlongTheAxisFails", "X0 Y0\nIX10 0", "N2 [ IX10 0 ]", ""},
    {"IXAtNinetyFails", "X0 Y0\nIX10 90", "N2 [ IX10 90 ]", ""},
    {"IXAtMinusNinetyFails", "X0 Y0\nIX10 -90", "N2 [ IX10 -90 ]", ""},
    {"IVAtTwoSeventyFails", "X0 Y0\nIV10 270", "N2 [ IV10 270 ]", ""},
    {"IYAtZeroFails", "X0 Y0\nIY10 0", "N2 [ IY10 0 ]", ""},
    {"IWAtOneEightyFails", "X0 Y0\nIW10 180", "N2 [ IW10 180 ]", ""},
    {"IYAtNinetyFails", "X0 Y0\nIY10 90", "N2 [ IY10 90 ]", ""},
    {"PolarStepNeedsItsAngle", "X0 Y0\nL10", "N2 [ L10 ]", ""},
    {"RelativeStepOnAnUnsetPointStaysUnset", "IX10\nY5", "", ""},
    {"CycleLengthWordIsNoPolarStep", "X0 Y0\nX5 L10 90 L1=3", "", "L 0 0 5 0 #1 F0 S0"},

    // Fillet arcs and base circles
    {"FilletArcThroughTwoPoints", "X0 Y0\nX10 B5", "", "A 5 0 5 180 0 #1 F0 S0"},
    {"FilletArcClockwise", "X0 Y0\nX10 B-5", "", "A 5 0 -5 180 0 #1 F0 S0"},
    {"FilletArcTooSmallFails", "X0 Y0\nX10 B3", "N2 [ X10 B3 ]", ""},
    {"FilletArcWithoutRadiusFails", "X0 Y0\nX10 B0", "N2 [ X10 B0 ]", ""},
    {"LaterArcWordWins", "G1 X0 Y0\nG2 X10 Y0 R5 B5", "", "A 5 0 5 180 0 #1 F0 S0"},
    {"BaseCircleAtTheTarget", "X0 Y0\nX20 R5", "", "L 0 0 18.75 -4.8412 #1 F0 S0"},
    {"BaseCircleIsNotFoundInRD", "X0 Y0\nX20 RD 5", "", "L 0 0 20 0 #1 F0 S0"},
    {"LineAroundABaseCircle", "X0 Y0\nX20 R5\nX20 Y20", "",
     "L 0 0 18.75 -4.8412 #1 F0 S0\nA 20 0 5 -104.4775 14.4775 #1 F0 S0\n"
     "L 24.8412 1.25 20 20 #1 F0 S0"},
    {"FilletArcFromABaseCircle", "X0 Y0\nX50 Y0 R5\nX50 Y30 B20", "",
     "L 0 0 49.5 -4.9749 #1 F0 S0\nA 50 0 5 -95.7392 306.3361 #1 F0 S0\n"
     "A 41.1122 12.0833 20 306.3361 63.6157 #1 F0 S0"},
    // The half circle's slack for a chord a little longer than the diameter is for two
    // points; with a base circle it let through arcs that touch neither circle.
    {"HalfCircleWithARoundedChordPasses", "X0 Y0\nX10.005 B5", "", "A 5 0 5 180 0 #1 F0 S0"},
    {"FilletArcOutOfReachOfItsBaseCircleFails", "X0 Y0\nX50 Y0 R5\nX50 Y20 B10",
     "N3 [ X50 Y20 B10 ]", "L 0 0 49.5 -4.9749 #1 F0 S0"},
    {"FilletArcBetweenBaseCirclesTooFarApartFails", "X0 Y0\nX10 Y0 R2\nX30 Y0 R2 B10",
     "N3 [ X30 Y0 R2 B10 ]", "L 0 0 9.6 -1.9596 #1 F0 S0"},

    // The angle to the next line's point
    {"AngleToTheNextPoint", "X0 Y0\nA 45 90\nX20 Y5", "",
     "L 0 0 20 20 #1 F0 S0\nL 20 20 20 5 #1 F0 S0"},
    {"AngleToTheNextPointByDiameter", "X0 Y0\nA 45 0\nW10 V20", "",
     "L 0 0 5 5 #1 F0 S0\nL 5 5 20 5 #1 F0 S0"},
    {"AngleNeedsBothCoordinatesOfTheNextLine", "X0 Y0\nA 45 90\nX20", "N2 [ A 45 90 ]", ""},
    {"AngleNeedsANextLine", "X0 Y0\nA 45 90", "N2 [ A 45 90 ]", ""},
    {"AngleOnALineWithItsOwnPointFails", "X0 Y0\nX5 A 45 0\nX20 Y5", "N2 [ X5 A 45 0 ]", ""},
    {"AngleParallelToTheNextLineFails", "X0 Y0\nA 45 225\nX20 Y5", "N2 [ A 45 225 ]", ""},

    // AR and RA: the arc turns to the side of the target (AR) or of the start (RA)
    {"ARTargetLeftTurnsCounterClockwise", "X0 Y0\nX20 Y4 AR 0 5", "",
     "L 0 0 15.101 0 #1 F0 S0\nA 15.101 5 5 270 348.463 #1 F0 S0"},
    {"ARTargetRightTurnsClockwise", "X0 Y0\nX20 Y-4 AR 0 5", "",
     "L 0 0 15.101 0 #1 F0 S0\nA 15.101 -5 -5 90 11.537 #1 F0 S0"},
    {"ARRadiusTooSmallFails", "X0 Y0\nX50 AR 30 5", "N2 [ X50 AR 30 5 ]", ""},
    {"ARWithoutRadiusFails", "X0 Y0\nX20 Y4 AR 0", "N2 [ X20 Y4 AR 0 ]", ""},
    {"RAStartRightTurnsClockwise", "X0 Y0\nX20 Y4 RA 5 0", "",
     "A 4.899 -1 -5 168.463 90 #1 F0 S0\nL 4.899 4 20 4 #1 F0 S0"},
    {"RAStartLeftTurnsCounterClockwise", "X0 Y20\nX20 Y10 RA 5 0", "",
     "A 0 15 5 90 270 #1 F0 S0\nL 0 10 20 10 #1 F0 S0"},
    {"RATargetBehindTheArcFails", "X0 Y0\nX2 Y4 RA 5 0", "N2 [ X2 Y4 RA 5 0 ]", ""},
    {"RAZeroRadiusFails", "X0 Y0\nX20 Y4 RA 0 0", "N2 [ X20 Y4 RA 0 0 ]", ""},
    {"RAOnTheFirstPointFails", "X20 Y4 RA 5 0", "N1 [ X20 Y4 RA 5 0 ]", ""},
    {"ARTakesThePreviousRoundingOnce", "X0 Y0\nX10 RD 2\nX14 Y20 AR 90 5\nX30", "",
     "L 0 0 8 0 #1 F0 S0\nA 8 2 2 270 0 #1 F0 S0\nL 10 2 10 15.101 #1 F0 S0\n"
     "A 15 15.101 -5 180 101.537 #1 F0 S0\nL 14 20 30 20 #1 F0 S0"},
    // The fillet before the arc lies 5 + 2 from its centre; RDM also rounds after the line.
    {"RATakesTheModalRounding", "X0 Y0\nRDM 2\nX10\nX30 Y4 RA 5 0\nY20", "",
     "L 0 0 8.5744 0 #1 F0 S0\nA 8.5744 2 2 270 334.6231 #1 F0 S0\n"
     "A 14.899 -1 -5 154.6231 90 #1 F0 S0\nL 14.899 4 28 4 #1 F0 S0\n"
     "A 28 6 2 270 0 #1 F0 S0\nL 30 6 30 20 #1 F0 S0"},

    // Corners
    {"RoundingAtTheNextElement", "X0 Y0\nX10 RD 5\nY10", "",
     "L 0 0 5 0 #1 F0 S0\nA 5 5 5 270 0 #1 F0 S0\nL 10 5 10 10 #1 F0 S0"},
    {"RoundingOnTheLastLineDoesNothing", "X0 Y0\nX10\nY10 RD 5", "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"RoundingRightTurnIsClockwise", "X0 Y0\nX10 RD 2\nY-10", "",
     "L 0 0 8 0 #1 F0 S0\nA 8 -2 -2 90 0 #1 F0 S0\nL 10 -2 10 -10 #1 F0 S0"},
    {"RoundingLargerThanTheLegsReversesThem", "X0 Y0\nX10 RD 20\nY10", "",
     "L 0 0 -10 0 #1 F0 S0\nA -10 20 20 270 0 #1 F0 S0\nL 10 20 10 10 #1 F0 S0"},
    {"RoundingToTheFarEndFails", "X0 Y0\nX10 RD 10\nY10", "N3 [ Y10 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"RoundingCollinearLinesFails", "X0 Y0\nX10 RD 1\nX20", "N3 [ X20 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 20 0 #1 F0 S0"},
    {"RoundingAReversalFails", "X0 Y0\nX10 RD 1\nX0", "N3 [ X0 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 0 0 #1 F0 S0"},
    // The solver's slack takes a centre that is not 3 from the second arc: no rounding.
    {"FilletMissingTheSecondArcFails", "G1 X0 Y0\nG2 X-7 Y-6 R5 RD 3\nG2 X-1 Y-4 R4",
     "N3 [ G2 X-1 Y-4 R4 ]", "A -4.7603 -1.5297 -5 17.8148 243.3878 #1 F0 S0\n"
     "A -3.2254 -7.3238 -4 160.6737 56.1962 #1 F0 S0"},
    {"TinyFilletLeavesTheCorner", "X0 Y0\nX10 RD 1\nX20 Y0.0001", "",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 20 0.0001 #1 F0 S0"},
    {"NoCornerAcrossAPenUp", "X0 Y0\nX10\n|\nX20 Y5 RD 2\nX30", "",
     "L 0 0 10 0 #1 F0 S0\nL 20 5 30 5 #1 F0 S0"},
    {"ModalRoundingSparedByRDZero", "X0 Y0\nX20 RDM 3\nY20 RD 0\nX0\nY0", "",
     "L 0 0 17 0 #1 F0 S0\nA 17 3 3 270 0 #1 F0 S0\nL 20 3 20 20 #1 F0 S0\n"
     "L 20 20 3 20 #1 F0 S0\nA 3 17 3 90 180 #1 F0 S0\nL 0 17 0 0 #1 F0 S0"},
    {"ModalRoundingOfCollinearLinesFails", "X0 Y0\nRDM 1\nX10\nX20", "N4 [ X20 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 20 0 #1 F0 S0"},
    {"CornerWordCRounds", "X0 Y0\nX10 C2\nY10", "",
     "L 0 0 8 0 #1 F0 S0\nA 8 2 2 270 0 #1 F0 S0\nL 10 2 10 10 #1 F0 S0"},
    {"ChamferByWidth", "X0 Y0\nX10 CF-2\nY10", "",
     "L 0 0 8.5858 0 #1 F0 S0\nL 8.5858 0 10 1.4142 #1 F0 S0\nL 10 1.4142 10 10 #1 F0 S0"},
    {"ChamferByLeg", "X0 Y0\nX10 CF2\nY10", "",
     "L 0 0 8 0 #1 F0 S0\nL 8 0 10 2 #1 F0 S0\nL 10 2 10 10 #1 F0 S0"},
    {"NegativeCIsAChamfer", "X0 Y0\nX10 C-2\nY10", "",
     "L 0 0 8.5858 0 #1 F0 S0\nL 8.5858 0 10 1.4142 #1 F0 S0\nL 10 1.4142 10 10 #1 F0 S0"},
    {"ChamferOfCollinearLinesFails", "X0 Y0\nX10 CF 1\nX20", "N3 [ X20 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 20 0 #1 F0 S0"},
    {"ChamferOfNearlyCollinearLinesFails", "X0 Y0\nX10 CF 1\nX20 Y0.00000001",
     "N3 [ X20 Y0.00000001 ]", "L 0 0 10 0 #1 F0 S0\nL 10 0 20 0 #1 F0 S0"},
    {"ChamferWidthAtAReversalFails", "X0 Y0\nX10 CF -1\nX0", "N3 [ X0 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 0 0 #1 F0 S0"},
    {"ChamferLongerThanALegFails", "X0 Y0\nX10 CF 3\nY2", "N3 [ Y2 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 2 #1 F0 S0"},
    {"ChamferAtAnArcIsIgnored", "G1 X0 Y0\nX10 CF 1\nG3 X20 Y0 R5", "",
     "L 0 0 10 0 #1 F0 S0\nA 15 0 5 180 0 #1 F0 S0"},
    {"RoundingWinsOverAChamfer", "X0 Y0\nCFM 1\nX10 RD 2\nY10", "",
     "L 0 0 8 0 #1 F0 S0\nA 8 2 2 270 0 #1 F0 S0\nL 10 2 10 10 #1 F0 S0"},
    {"RoundingKeepsTheRapidMark", "G1 X0 Y0\nX10 RD 2 F100\nY10 MAX", "",
     "L 0 0 8 0 #1 F100 S0\nA 8 2 2 270 0 #1 F100 S0\nL 10 2 10 10 #1 FMAX S0"},
};

class Construction : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(Construction, ReadsAsExpected) { ExpectProgramReads(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Interpreter, Construction, ::testing::ValuesIn(Programs), CaseName);

// ---------------------------------------------------------------------------------------------
// Properties of corners

struct End {
  TFormaDaten::PointT Point;
  double Direction;  // direction of travel there
};

End StartOf(const TFormaGeom::GeomT& e) {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x1, y1, x2, y2);
  if (e.Kind == 1) return {{x1, y1}, TFormaDaten::DirAngle(x1, y1, x2, y2)};
  return {{x1, y1}, e.V4 + (e.V3 > 0 ? Pi / 2 : -Pi / 2)};
}

End EndOf(const TFormaGeom::GeomT& e) {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x1, y1, x2, y2);
  if (e.Kind == 1) return {{x2, y2}, TFormaDaten::DirAngle(x1, y1, x2, y2)};
  return {{x2, y2}, e.V5 + (e.V3 > 0 ? Pi / 2 : -Pi / 2)};
}

// The joint from element a to element b: ends within 1e-7, and with Tangent the same direction.
::testing::AssertionResult Joint(const TFormaGeom::GeomT& a, const TFormaGeom::GeomT& b,
                                 bool Tangent) {
  const End e = EndOf(a), s = StartOf(b);
  const double gap = std::hypot(e.Point.X - s.Point.X, e.Point.Y - s.Point.Y);
  if (gap > 1e-7) return ::testing::AssertionFailure() << "ends " << gap << " apart";
  if (Tangent && !TFormaDaten::SameDirection(e.Direction, s.Direction, 1e-7))
    return ::testing::AssertionFailure()
           << "directions " << e.Direction << " and " << s.Direction << " differ";
  return ::testing::AssertionSuccess();
}

struct FilletCase {
  const char* name;
  const char* program;
  int fillet;     // slot of the fillet arc
  double radius;  // its radius
};

const FilletCase Fillets[] = {
    {"LinesLeft", "X0 Y0\nX10 RD 2\nY10", 2, 2},
    {"LinesRight", "X0 Y0\nX10 RD 2\nY-10", 2, 2},
    {"LinesAcute", "X0 Y0\nX10 RD 1\nX0 Y5", 2, 1},
    {"LinesObtuse", "X0 Y0\nX10 RD 3\nX20 Y3", 2, 3},
    {"LinesOblique", "X1 Y2\nX7 Y-3 RD 1.5\nX-4 Y-9", 2, 1.5},
    {"LineThenArcTurningAway", "G1 X0 Y0\nX10 RD 2\nG3 X20 Y0 R5", 2, 2},
    {"LineThenArcTurningIn", "G1 X0 Y0\nX10 RD 2\nG2 X20 Y0 R5", 2, 2},
    {"LineThenArcAroundTheStart", "G1 X0 Y0\nX10 RD 1\nG3 X0 Y10 R10", 2, 1},
    {"ArcThenLine", "G1 X0 Y0\nG2 X10 Y0 R5 RD 2\nG1 X20 Y0", 2, 2},
    {"ArcThenLineRight", "G1 X0 Y0\nG3 X10 Y0 R5 RD 1\nG1 X20 Y-10", 2, 1},
    {"ArcsBothCounterClockwise", "G1 X0 Y0\nG3 X10 Y0 R8 RD 1\nG3 X10 Y10 R8", 2, 1},
    {"ArcsMixed", "G1 X0 Y0\nG2 X10 Y0 R8 RD 1\nG3 X20 Y5 R10", 2, 1},
    {"ArcsSmallerThanTheFillet", "G1 X0 Y0\nG3 X2 Y0 R1 RD 3\nG3 X2 Y2 R1", 2, 3},
    // The first guess (r = +8) nests the small arc inside the fillet, where it touches on
    // the far side; the turn test on those points moves the fillet outside.
    {"ArcsTurnTestOnNestedTouchPoints", "G1 X0 Y0\nG3 X2 Y4 R3 RD 8\nG3 X-1 Y7 R5", 2, 8},
    {"ModalRounding", "X0 Y0\nRDM 1.5\nX10\nY10\nX0 Y3", 4, 1.5},
    {"AfterAR", "X0 Y0\nX10 RD 2\nX14 Y20 AR 90 5", 2, 2},
    {"BeforeRA", "X0 Y0\nRDM 2\nX10\nX30 Y4 RA 5 0", 2, 2},
};

class Fillet : public ::testing::TestWithParam<FilletCase> {};

TEST_P(Fillet, IsTangentToBothNeighbours) {
  const FilletCase& c = GetParam();
  Editor ed;
  ed.Run(std::string(c.program));
  ASSERT_EQ(ed.error, "");
  const std::string got = Transcript(ed.geom);
  ASSERT_LT(c.fillet, ed.geom.ElementCount()) << got;
  const TFormaGeom::GeomT& arc = *ed.geom.Elements(c.fillet);
  ASSERT_EQ(arc.Kind, 2) << got;
  EXPECT_NEAR(std::fabs(arc.V3), c.radius, 1e-9) << got;
  for (int slot = 1; slot < ed.geom.ElementCount(); ++slot) {
    const bool atFillet = slot == c.fillet - 1 || slot == c.fillet;
    EXPECT_TRUE(Joint(*ed.geom.Elements(slot), *ed.geom.Elements(slot + 1), atFillet))
        << "joint after slot " << slot << "\n" << got;
  }
}

INSTANTIATE_TEST_SUITE_P(Corner, Fillet, ::testing::ValuesIn(Fillets),
                         [](const ::testing::TestParamInfo<FilletCase>& p) {
                           return std::string(p.param.name);
                         });

struct ChamferCase {
  const char* name;
  const char* program;
  TFormaDaten::PointT corner;
  double leg;     // > 0: each leg this long
  double length;  // > 0: the chamfer this long
};

const ChamferCase Chamfers[] = {
    {"PerpendicularByLeg", "X0 Y0\nX10 CF2\nY10", {10, 0}, 2, 0},
    {"PerpendicularByWidth", "X0 Y0\nX10 CF-2\nY10", {10, 0}, 0, 2},
    {"AcuteByWidth", "X0 Y0\nX10 CF-1\nX2 Y4", {10, 0}, 0, 1},
    {"ObtuseRightByLeg", "X0 Y0\nX10 CF 1.5\nX20 Y-6", {10, 0}, 1.5, 0},
    {"ModalByWidth", "X3 Y1\nCFM -0.5\nX-7 Y4\nX-2 Y9", {-7, 4}, 0, 0.5},
};

class Chamfer : public ::testing::TestWithParam<ChamferCase> {};

TEST_P(Chamfer, HasTheAskedLegsOnTheOldLines) {
  const ChamferCase& c = GetParam();
  Editor ed;
  ed.Run(std::string(c.program));
  ASSERT_EQ(ed.error, "");
  const std::string got = Transcript(ed.geom);
  ASSERT_EQ(ed.geom.ElementCount(), 3) << got;
  const TFormaGeom::GeomT &p = *ed.geom.Elements(1), &cut = *ed.geom.Elements(2),
                          &q = *ed.geom.Elements(3);
  EXPECT_TRUE(Joint(p, cut, false)) << got;
  EXPECT_TRUE(Joint(cut, q, false)) << got;
  const double leg1 = std::hypot(cut.V1 - c.corner.X, cut.V2 - c.corner.Y);
  const double leg2 = std::hypot(cut.V3 - c.corner.X, cut.V4 - c.corner.Y);
  EXPECT_NEAR(leg1, leg2, 1e-9) << got;
  if (c.leg > 0) {
    EXPECT_NEAR(leg1, c.leg, 1e-9) << got;
  }
  if (c.length > 0) {
    EXPECT_NEAR(std::hypot(cut.V3 - cut.V1, cut.V4 - cut.V2), c.length, 1e-9) << got;
  }
  // The rests run on the old lines: the corner lies ahead of P's rest and behind Q's.
  const double along = TFormaDaten::DirAngle(p.V1, p.V2, p.V3, p.V4);
  EXPECT_TRUE(TFormaDaten::SameDirection(
      along, TFormaDaten::DirAngle(p.V1, p.V2, c.corner.X, c.corner.Y), 1e-9)) << got;
  EXPECT_TRUE(TFormaDaten::SameDirection(
      TFormaDaten::DirAngle(q.V1, q.V2, q.V3, q.V4),
      TFormaDaten::DirAngle(c.corner.X, c.corner.Y, q.V3, q.V4), 1e-9)) << got;
}

INSTANTIATE_TEST_SUITE_P(Corner, Chamfer, ::testing::ValuesIn(Chamfers),
                         [](const ::testing::TestParamInfo<ChamferCase>& p) {
                           return std::string(p.param.name);
                         });

// ---------------------------------------------------------------------------------------------
// AR and RA at the seam of the direction angle

class Seam : public ::testing::Test {
 protected:
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  InterpretRun run{geom, daten};
};

// A ray at -1e-13 degrees runs just below a full turn; far from the origin its tangent point
// rounds onto the start's own height, whose direction is 0. Both are the same direction.
constexpr TFormaDaten::PointT SeamStart{-3 * 333.7 + 0.1, -3 * 333.7};
constexpr TFormaDaten::PointT SeamTarget{SeamStart.X + 20, SeamStart.Y + 4};

TEST_F(Seam, ARAcceptsARayAtTheSeam) {
  for (const double a : {-1e-13, 360.0, -360.0}) {
    geom.ClearElements();
    run.Pen.PreviousPoint = SeamStart;
    run.Pen.CurrentPoint = SeamTarget;
    ASSERT_TRUE(run.AngleRadiusLineArc(a, 5, 1)) << a;
    ASSERT_EQ(geom.ElementCount(), 2) << a;
    EXPECT_NEAR(geom.Elements(1)->V4, SeamStart.Y, 1e-9) << a;
    EXPECT_EQ(run.Pen.PreviousPoint.X, SeamTarget.X);
  }
}

TEST_F(Seam, RAAcceptsALineAtTheSeam) {
  for (const double a : {-1e-13, 360.0, -360.0}) {
    geom.ClearElements();
    run.Pen.PreviousPoint = SeamStart;
    run.Pen.CurrentPoint = SeamTarget;
    ASSERT_TRUE(run.RadiusAngleArcLine(5, a, 1)) << a;
    ASSERT_EQ(geom.ElementCount(), 2) << a;
    EXPECT_NEAR(geom.Elements(2)->V4, SeamTarget.Y, 1e-9) << a;
  }
}

// ---------------------------------------------------------------------------------------------
// Bad input: no construction word leaves a non-finite or far-away element behind.

TEST(ConstructionBadInput, NoElementIsFarOrNotFinite) {
  const std::vector<std::string> programs = {
      "X0 Y0\nIX5 90.0000000001",  "X0 Y0\nIY5 179.9999999999", "X0 Y0\nIY5 -0.00000001",
      "X0 Y0\nX5 89.9999999999 Y2", "X0 Y0\nLL 0 0 0 0 1 180",   "X0 Y0\nA 0 180\nX5 Y0",
      "X0 Y0\nX10 RD 999999\nX0 Y0.0000001", "X0 Y0\nX10 CF -5\nX0 Y0.0000001",
      "X0 Y0\nX10 Y0 R999999\nX20 R0.0000001", "X0 Y0\nCC 0 0 1 0.000001 0 1.000001",
      "X0 Y0\nX5 Y5 AR 45 999999", "X0 Y0\nX5 Y5 RA 999999 45",
      "G1 X0 Y0\nG3 X10 Y0 R5 RD 5\nG3 X20 Y0 R5", "G1 X0 Y0\nX10 RD 5\nG3 X20 Y0 R5",
  };
  for (const std::string& program : programs) {
    Editor ed;
    ed.Run(program);
    for (int slot = 1; slot <= ed.geom.ElementCount(); ++slot) {
      const TFormaGeom::GeomT& e = *ed.geom.Elements(slot);
      for (double v : {e.V1, e.V2, e.V3, e.V4, e.V5}) {
        EXPECT_TRUE(std::isfinite(v)) << program;
        EXPECT_LT(std::fabs(v), 1e9) << program << "\n" << Transcript(ed.geom);
      }
    }
  }
}

}  // namespace
}  // namespace movra
