// The equidistant contour (FE) and the leads (FL, FR, FRL): programs in, transcripts out, and
// the properties every equidistant must have.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "geometry/element_points.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

using namespace transcript;
using GeomT = TFormaGeom::GeomT;

// The open square of the examples, drawn counter-clockwise from the origin.
#define SQUARE "X0 Y0\nX10\nY10\nX0"

const ProgramCase Equidistants[] = {
    {"LeftOfTravelG41", "G41 G1\n" SQUARE "\nFE 1", "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1"},
    {"RightOfTravelG42", "G42 G1\n" SQUARE "\nFE 1", "",
     "L 0 0 10 0 #1 F0 S2\nL 10 0 10 10 #1 F0 S2\nL 10 10 0 10 #1 F0 S2\n"
     "L 0 0 11 0 #1001 F0 S2\nL 11 0 11 10 #1001 F0 S2\nL 11 10 0 10 #1001 F0 S2"},
    {"NegativeDistanceGoesToTheOtherSide", "G41 G1\n" SQUARE "\nFE -1", "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 11 0 #1001 F0 S1\nL 11 0 11 10 #1001 F0 S1\nL 11 10 0 10 #1001 F0 S1"},
    {"InBlockThreeTheCopyIs1003", "%3\nG41 G1\n" SQUARE "\nFE 1", "",
     "L 0 0 10 0 #3 F0 S1\nL 10 0 10 10 #3 F0 S1\nL 10 10 0 10 #3 F0 S1\n"
     "L 0 0 9 0 #1003 F0 S1\nL 9 0 9 10 #1003 F0 S1\nL 9 10 0 10 #1003 F0 S1"},
    // A clockwise arc between two lines grows on the left.
    {"ArcBetweenLinesGrows", "G41 G1 X0 Y0\nX10\nG2 X20 Y0 R5\nG1 X30\nFE 1", "",
     "L 0 0 10 0 #1 F0 S1\nA 15 0 -5 180 0 #1 F0 S1\nL 20 0 30 0 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nA 15 0 -6 180 0 #1001 F0 S1\nL 21 0 30 0 #1001 F0 S1"},
    // A rounded inner corner of the offset radius shrinks to its centre: the lines meet there.
    {"ArcOfTheOffsetRadiusVanishes", "G41 G1 X0 Y0\nX10 RD 2\nY10\nX0\nFE 2", "",
     "L 0 0 8 0 #1 F0 S1\nA 8 2 2 270 0 #1 F0 S1\nL 10 2 10 10 #1 F0 S1\n"
     "L 10 10 0 10 #1 F0 S1\n"
     "L 0 0 8 0 #1001 F0 S1\nL 8 0 8 10 #1001 F0 S1\nL 8 10 0 10 #1001 F0 S1"},
    // Each chain keeps its own first and last line; a chain of two has nothing between.
    {"ChainsSplitAtGaps", "G41 G1\n" SQUARE "\n|\nX20 Y0\nX30\nY10\nX20\n|\nX40 Y0\nX50\nFE 1",
     "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 20 0 30 0 #1 F0 S1\nL 30 0 30 10 #1 F0 S1\nL 30 10 20 10 #1 F0 S1\n"
     "L 40 0 50 0 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1\n"
     "L 20 0 29 0 #1001 F0 S1\nL 29 0 29 10 #1001 F0 S1\nL 29 10 20 10 #1001 F0 S1\n"
     "L 40 0 50 0 #1001 F0 S1"},
    {"NameGoesWithTheCopy", "(Flange)\nG41 G1\n" SQUARE "\nFE 1", "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1"},
    {"PenGoesOnFromTheEquidistant", "G41 G1\n" SQUARE "\nFE 1\nY20", "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1\n"
     "L 0 10 0 20 #1 F0 S1"},
    // Collinear lines whose directions lie either side of 0 / 2pi have no corner: the first
    // line, which stays, runs up to the moved second one.
    {"CollinearAcrossZeroDirection", "G41 G1 X0 Y0\nX10 Y-0.00000001\nX20 Y0\nY10\nX0\nFE 1",
     "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 20 0 #1 F0 S1\nL 20 0 20 10 #1 F0 S1\n"
     "L 20 10 0 10 #1 F0 S1\n"
     "L 0 0 10 1 #1001 F0 S1\nL 10 1 19 1 #1001 F0 S1\nL 19 1 19 10 #1001 F0 S1\n"
     "L 19 10 0 10 #1001 F0 S1"},

    // A feed is no reason to refuse: the equidistant is a contour, the feed stays with the block.
    {"BlockWithFeed", "G41 G1 F200\n" SQUARE "\nFE 1", "",
     "L 0 0 10 0 #1 F200 S1\nL 10 0 10 10 #1 F200 S1\nL 10 10 0 10 #1 F200 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1"},
    // A G42 given before the first point of a later block is that block's side.
    {"SecondBlockKeepsItsOwnSide", "%1\nG41 G1\n" SQUARE "\n%2\nG42 G1\n" SQUARE "\nFE 1", "",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 10 0 #2 F0 S2\nL 10 0 10 10 #2 F0 S2\nL 10 10 0 10 #2 F0 S2\n"
     "L 0 0 11 0 #1002 F0 S2\nL 11 0 11 10 #1002 F0 S2\nL 11 10 0 10 #1002 F0 S2"},

    // Refusals
    {"SecondFeFails", "G41 G1\n" SQUARE "\nFE 1\nFE 1", "N7 [ FE 1 ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1"},
    {"G40BlockFails", "G1\n" SQUARE "\nFE 1", "N6 [ FE 1 ]",
     "L 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0\nL 10 10 0 10 #1 F0 S0"},
    {"ZeroDistanceFails", "G41 G1\n" SQUARE "\nFE 0", "N6 [ FE 0 ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1"},
    {"MissingDistanceFails", "G41 G1\n" SQUARE "\nFE", "N6 [ FE ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 0 10 #1 F0 S1"},
    {"EmptyBlockFails", "G41 G1 X0 Y0\nFE 1", "N2 [ FE 1 ]", ""},
    {"DrillingBlockFails", "G81\nG1 X0 Y0\nX10\nY10\nFE 1", "N5 [ FE 1 ]",
     "L 0 0 10 0 #1 F0 S3\nL 10 0 10 10 #1 F0 S3"},
    {"SingleElementFails", "G41 G1 X0 Y0\nX10\nFE 1", "N3 [ FE 1 ]", "L 0 0 10 0 #1 F0 S1"},
    {"SideSwitchedAfterFirstPointFails", "G1 X0 Y0\nG41 X10\nY10\nFE 1", "N4 [ FE 1 ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1"},
    {"FirstElementArcFails", "G41 G1 X0 Y0\nG3 X10 Y0 R5\nG1 Y10\nFE 1", "N4 [ FE 1 ]",
     "A 5 0 5 180 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1"},
    // What was built before the refusal stays.
    {"LastElementArcFails", "G41 G1 X0 Y0\nX10\nG3 X20 Y0 R5\nFE 1", "N4 [ FE 1 ]",
     "L 0 0 10 0 #1 F0 S1\nA 15 0 5 180 0 #1 F0 S1\nL 0 0 10 0 #1001 F0 S1"},
    // A counter-clockwise arc of radius 1 on the left would need radius -1.
    {"ArcRadiusChangingSignFails", "G41 G1 X0 Y0\nX10\nG3 X12 Y0 R1\nG1 X20\nFE 2",
     "N5 [ FE 2 ]",
     "L 0 0 10 0 #1 F0 S1\nA 11 0 1 180 0 #1 F0 S1\nL 12 0 20 0 #1 F0 S1\n"
     "L 0 0 10 0 #1001 F0 S1"},
    // The contour turns straight back: the offset lines never meet.
    {"ReversalFails", "G41 G1 X0 Y0\nX10\nY10\nY0\nX20\nFE 1", "N6 [ FE 1 ]",
     "L 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\nL 10 10 10 0 #1 F0 S1\n"
     "L 10 0 20 0 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 11 10 11 0 #1001 F0 S1"},
};

TEST(Equidistant, ProgramsAndTheirOffsetCopies) {
  for (const ProgramCase& c : Equidistants) {
    SCOPED_TRACE(c.name);
    ExpectProgramReads(c);
  }
}

const ProgramCase Leads[] = {
    {"LineApproach", "G1 X0 Y0\nX10\nY10\nFL 10 180", "",
     "L -10 0 0 0 #1 F0 S0\nL 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0"},
    {"LineApproachAndDeparture", "G1 X0 Y0\nX10\nY10\nFL 10 180 5 0", "",
     "L -10 0 0 0 #1 F0 S0\nL 0 0 10 0 #1 F0 S0\nL 10 0 10 10 #1 F0 S0\n"
     "L 10 10 15 10 #1 F0 S0"},
    {"LineLeadWithoutAngleFails", "G1 X0 Y0\nX10\nFL 10", "N3 [ FL 10 ]", "L 0 0 10 0 #1 F0 S0"},
    {"CorrectionLine", "G41 G1 X0 Y0\nX10\nY10\nFRL 5", "",
     "L 0 5 0 0 #1 F0 S1\nL 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\n"
     "L 10 10 5 10 #1 F0 S1"},
    {"CorrectionLineRightSide", "G42 G1 X0 Y0\nX10\nY10\nFRL 5", "",
     "L 0 -5 0 0 #1 F0 S2\nL 0 0 10 0 #1 F0 S2\nL 10 0 10 10 #1 F0 S2\n"
     "L 10 10 15 10 #1 F0 S2"},
    {"CorrectionArc", "G41 G1 X0 Y0\nX10\nY10\nFRL 5 90", "",
     "L 0 5 -5 5 #1 F0 S1\nA 0 5 5 180 270 #1 F0 S1\nL 0 0 10 0 #1 F0 S1\n"
     "L 10 0 10 10 #1 F0 S1\nA 5 10 5 0 90 #1 F0 S1\nL 5 15 5 10 #1 F0 S1"},
    {"CorrectionDistanceClamped", "G41 G1 X0 Y0\nX10\nFRL 200", "",
     "L 0 100 0 0 #1 F0 S1\nL 0 0 10 0 #1 F0 S1\nL 10 0 10 100 #1 F0 S1"},
    {"CorrectionOnG40Fails", "G1 X0 Y0\nX10\nFRL 5", "N3 [ FRL 5 ]", "L 0 0 10 0 #1 F0 S0"},
    {"CorrectionWithoutValueFails", "G41 G1 X0 Y0\nX10\nFRL", "N3 [ FRL ]",
     "L 0 0 10 0 #1 F0 S1"},
    {"ArcLeadsOnLines", "G1 X0 Y0\nX10\nFR 5 180 -5 0", "",
     "A 0 5 5 180 270 #1 F0 S0\nL 0 0 10 0 #1 F0 S0\nA 10 -5 -5 90 0 #1 F0 S0"},
    {"ArcLeadOnArcInside", "G1 X10 Y0\nG3 X0 Y10 R10\nFR 4 0", "",
     "A 6 0 4 0 0 #1 F0 S0\nA 0 0 10 0 90 #1 F0 S0"},
    {"ArcLeadNotSmallerThanFirstArcFails", "G1 X10 Y0\nG3 X0 Y10 R10\nFR 10 0",
     "N3 [ FR 10 0 ]", "A 0 0 10 0 90 #1 F0 S0"},
    {"ArcLeadWithoutRadiusFails", "G1 X0 Y0\nX10\nFR", "N3 [ FR ]", "L 0 0 10 0 #1 F0 S0"},
    {"LeadOnEmptyBlockFails", "G1 X0 Y0\nFL 10 180", "N2 [ FL 10 180 ]", ""},
    // Each lead word adds at the then first and last element.
    {"LeadsTwice", "G1 X0 Y0\nX10\nFL 5 180\nFL 5 180", "",
     "L -10 0 -5 0 #1 F0 S0\nL -5 0 0 0 #1 F0 S0\nL 0 0 10 0 #1 F0 S0"},
    // On an arc the side point lies towards the centre of a counter-clockwise arc.
    {"CorrectionOnArc", "G41 G1 X10 Y0\nG3 X0 Y10 R10\nFRL 2", "",
     "L 8 0 10 0 #1 F0 S1\nA 0 0 10 0 90 #1 F0 S1\nL 0 10 0 8 #1 F0 S1"},
    // The departure leaves the contour, not the equidistant that FE put after it.
    {"CorrectionDepartureAfterFe", "G41 G1\n" SQUARE "\nFE 1\nFRL 2", "",
     "L 0 2 0 0 #1 F0 S1\nL 0 0 10 0 #1 F0 S1\nL 10 0 10 10 #1 F0 S1\n"
     "L 10 10 0 10 #1 F0 S1\n"
     "L 0 0 9 0 #1001 F0 S1\nL 9 0 9 10 #1001 F0 S1\nL 9 10 0 10 #1001 F0 S1\n"
     "L 0 10 0 8 #1 F0 S1"},
    {"ArcLeadsOnClockwiseArc", "G1 X10 Y0\nG2 X0 Y-10 R10\nFR -4 0 3 90", "",
     "A 6 0 -4 0 0 #1 F0 S0\nA 0 0 -10 0 270 #1 F0 S0\nA 0 -13 3 90 90 #1 F0 S0"},
};

TEST(Leads, ProgramsAndTheirLeads) {
  for (const ProgramCase& c : Leads) {
    SCOPED_TRACE(c.name);
    ExpectProgramReads(c);
  }
}

// The leads are marked removed; the contour is not.
TEST(Leads, LeadsAreMarkedRemoved) {
  Editor ed;
  ed.Load("G41 G1 X0 Y0\nX10\nY10\nFRL 5 90");
  std::string removed;
  for (int slot = 1; slot <= ed.geom.ElementCount(); ++slot)
    removed += ed.geom.Elements(slot)->Removed ? "1" : "0";
  EXPECT_EQ(removed, "110011");
}


struct Ends {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

Ends EndsOf(const GeomT& e) {
  Ends p;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, p.x1, p.y1, p.x2, p.y2);
  return p;
}

std::vector<const GeomT*> ElementsNumbered(const TFormaGeom& geom, int number) {
  std::vector<const GeomT*> out;
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (e && e->GeomNo == number) out.push_back(e);
  }
  return out;
}

TEST(Equidistant, CompareDirectionsIsFalseOnlyWhenPerpendicular) {
  const double pi = std::numbers::pi;
  struct Case {
    double a1, a2;
    bool result;
  } cases[] = {
      {0, 0, true},           {0, pi / 2, false},      {0, 3 * pi / 2, false},
      {0.1, 0.1 + pi / 2, false}, {0, pi, true},       {0, pi / 4, true},
      {2 * pi - 1e-9, pi / 2, false}, {0, pi / 2 + 1e-3, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TFormaGeom::CompareDirections(c.a1, c.a2), c.result) << c.a1 << " " << c.a2;
}

// The arc in the last slot after a join, and its sweep before it.
TEST(Equidistant, CheckCornerArcKeepsOrDrops) {
  const double pi = std::numbers::pi;
  struct Case {
    const char* name;
    double start, end, sweepBefore;
    bool result, kept;
  } cases[] = {
      {"trimmed a little", 0.2, pi / 2, pi / 2, true, true},
      {"used up exactly", pi / 2, pi / 2, pi / 2, true, false},
      {"start run past the end", pi / 2 + 0.1, pi / 2, pi / 2, false, false},
      {"a sliver is left", pi / 2 - 0.005, pi / 2, pi / 2, false, false},
      {"a half circle trimmed past pi", -0.05, pi, pi - 0.02, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Editor ed;
    ed.Put(1, 1, 0, 0, 1, 0);
    ed.Put(1, 2, 0, 0, 5, c.start, c.end);
    EXPECT_EQ(ed.geom.CheckCornerArc(c.sweepBefore), c.result);
    EXPECT_EQ(ed.geom.ElementCount(), c.kept ? 2 : 1);
  }
}

// Straight on OffsetGeometry: a full circle in the chain stays where it is, and lines that
// all but run on but stand a hair apart meet without a crossing far away.
TEST(Equidistant, OffsetGeometrySkipsFullCirclesAndBridgesNearParallels) {
  {
    Editor ed;
    ed.Put(7, 1, 0, -10, 0, 0).Side = 1;
    ed.Put(7, 1, 0, 0, 10, 0).Side = 1;
    ed.Put(7, 2, 5, 5, 2, 1, 1).Side = 1;
    ed.Put(7, 1, 10, 0, 10, 10).Side = 1;
    ASSERT_TRUE(ed.geom.OffsetGeometry(7, 1007, 1));
    EXPECT_TRUE(SameTranscript("(empty slot)\n(empty slot)\nA 5 5 2 57.2958 57.2958 #7 F0 S1\n"
                               "(empty slot)\n"
                               "L 0 -10 0 1 #1007 F0 S1\nL 0 1 10 1 #1007 F0 S1\n"
                               "L 10 1 10 10 #1007 F0 S1",
                               Transcript(ed.geom)))
        << Transcript(ed.geom);
  }
  {
    Editor ed;
    ed.Put(7, 1, 0, -10, 0, 0).Side = 1;
    ed.Put(7, 1, 0, 0, 10, 0).Side = 1;
    ed.Put(7, 1, 10, 0.0005, 20, 0.0005 + 1e-7).Side = 1;
    ed.Put(7, 1, 20, 0.0005 + 1e-7, 20, 10).Side = 1;
    ASSERT_TRUE(ed.geom.OffsetGeometry(7, 1007, 1));
    const auto offset = ElementsNumbered(ed.geom, 1007);
    ASSERT_EQ(offset.size(), 4u);
    for (std::size_t k = 1; k < offset.size(); ++k) {
      const Ends p = EndsOf(*offset[k - 1]), q = EndsOf(*offset[k]);
      EXPECT_LT(std::hypot(q.x1 - p.x2, q.y1 - p.y2), 0.001);
    }
    const Ends corner = EndsOf(*offset[1]);
    EXPECT_NEAR(corner.x2, 10, 0.01);
    EXPECT_NEAR(corner.y2, 1, 0.01);
  }
}

// ---- Properties ----

// Signed distance of (x, y) to the left of the line's travel.
double LeftOf(const GeomT& line, double x, double y) {
  const double dx = line.V3 - line.V1, dy = line.V4 - line.V2;
  return (dx * (y - line.V2) - dy * (x - line.V1)) / std::hypot(dx, dy);
}

// A regular polygon of Corners about the origin, drawn counter-clockwise and closed; every
// other corner rounded with Round (0: all sharp).
std::string Polygon(const char* side, int corners, double round) {
  std::string text = std::string(side) + " G1\n";
  for (int i = 0; i <= corners; ++i) {
    const double a = 2.0 * std::numbers::pi * i / corners + 0.3;
    text += "X" + Num(20.0 * std::cos(a)) + " Y" + Num(20.0 * std::sin(a));
    if (round > 0 && i % 2 == 1 && i < corners) text += " RD " + Num(round);
    text += "\n";
  }
  return text;
}

// Between its first and last line every equidistant element runs at the distance from its
// source (lines moved to the side, arcs about the same centre), and consecutive elements
// meet within the join gap.
TEST(Equidistant, ElementsLieAtTheDistanceAndMeet) {
  for (const char* side : {"G41", "G42"}) {
    for (int corners = 3; corners <= 8; ++corners) {
      for (double round : {0.0, 1.5}) {
        for (double d : {0.25, 1.0}) {
          const std::string program = Polygon(side, corners, round) + "FE " + Num(d);
          SCOPED_TRACE(program);
          Editor ed;
          ed.Load(program);
          const auto source = ElementsNumbered(ed.geom, 1);
          const auto offset = ElementsNumbered(ed.geom, 1001);
          ASSERT_EQ(offset.size(), source.size());
          const double r = side[2] == '1' ? d : -d;  // left of travel for G41
          for (std::size_t k = 0; k < offset.size(); ++k) {
            const GeomT& s = *source[k];
            const GeomT& o = *offset[k];
            ASSERT_EQ(o.Kind, s.Kind);
            EXPECT_EQ(o.OffsetDist, r);
            const Ends p = EndsOf(o);
            for (double v : {p.x1, p.y1, p.x2, p.y2}) ASSERT_TRUE(std::isfinite(v));
            if (k > 0) {
              const Ends q = EndsOf(*offset[k - 1]);
              EXPECT_LT(std::hypot(p.x1 - q.x2, p.y1 - q.y2), 0.001) << "element " << k;
            }
            if (k == 0 || k + 1 == offset.size()) continue;  // they keep the outer ends
            if (s.Kind == 1) {
              EXPECT_NEAR(LeftOf(s, p.x1, p.y1), r, 1e-9) << "element " << k;
              EXPECT_NEAR(LeftOf(s, p.x2, p.y2), r, 1e-9) << "element " << k;
            } else {
              EXPECT_EQ(o.V1, s.V1);
              EXPECT_EQ(o.V2, s.V2);
              EXPECT_NEAR(o.V3, s.V3 - r, 1e-12);
            }
          }
        }
      }
    }
  }
}

// Wild contours (near-collinear steps, near reversals, tiny and long elements): FE either
// refuses the line or gives finite elements near the contour that meet one another, never a
// spike far away.
TEST(Equidistant, NoSpikeFarAwayOnWildContours) {
  std::mt19937 random(22);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int built = 0;
  for (int round = 0; round < 300; ++round) {
    std::string program = round % 2 ? "G41 G1 X0 Y0\n" : "G42 G1 X0 Y0\n";
    double x = 0, y = 0, heading = 0, longest = 0;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    const int steps = 3 + static_cast<int>(unit(random) * 8);
    for (int i = 0; i < steps; ++i) {
      const double pick = unit(random);
      // Mostly gentle turns, some all but straight on, some all but straight back.
      if (pick < 0.3) {
        heading += (unit(random) - 0.5) * 1e-5;
      } else if (pick < 0.45) {
        heading += std::numbers::pi + (unit(random) - 0.5) * 1e-4;
      } else {
        heading += (unit(random) - 0.5) * 3.0;
      }
      const double length =
          unit(random) < 0.2 ? 0.002 + unit(random) * 0.01 : 1 + unit(random) * 20;
      longest = std::max(longest, length);
      x += length * std::cos(heading);
      y += length * std::sin(heading);
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
      program += "X" + std::to_string(x) + " Y" + std::to_string(y) + "\n";
    }
    const double d = 0.1 + unit(random) * 3;
    program += "FE " + std::to_string(d);
    SCOPED_TRACE(program);
    Editor ed;
    ed.Run(program);
    if (!ed.error.empty()) {
      EXPECT_EQ(ed.error, "N" + std::to_string(steps + 2) + " [ FE " + std::to_string(d) + " ]");
      continue;
    }
    ++built;
    const double reach = d + longest + 0.01;
    const auto offset = ElementsNumbered(ed.geom, 1001);
    for (std::size_t k = 0; k < offset.size(); ++k) {
      const Ends p = EndsOf(*offset[k]);
      if (k > 0) {
        const Ends q = EndsOf(*offset[k - 1]);
        EXPECT_LT(std::hypot(p.x1 - q.x2, p.y1 - q.y2), 0.001) << "element " << k;
      }
      for (double v : {p.x1, p.y1, p.x2, p.y2}) ASSERT_TRUE(std::isfinite(v));
      EXPECT_GE(std::min(p.x1, p.x2), minX - reach);
      EXPECT_LE(std::max(p.x1, p.x2), maxX + reach);
      EXPECT_GE(std::min(p.y1, p.y2), minY - reach);
      EXPECT_LE(std::max(p.y1, p.y2), maxY + reach);
    }
  }
  std::printf("%d of 300 wild contours offset\n", built);
  EXPECT_GT(built, 30);  // the check must see equidistants, not only refusals
}

}  // namespace
}  // namespace movra
