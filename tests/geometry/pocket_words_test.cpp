// Pockets, slots, STOP and the turning cycles: programs in, transcripts out. The transcript
// here also shows the cycle code ("C233") and the stop mark ("STOP") of each element.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/element_points.h"
#include "geometry/forma_geom.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

using namespace transcript;
using GeomT = TFormaGeom::GeomT;

std::string MarkedTranscript(const TFormaGeom& geom) {
  std::string out;
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const GeomT* e = geom.Elements(slot);
    if (!e) {
      out += "(empty slot)\n";
      continue;
    }
    out += ElementLine(*e) + " #" + std::to_string(e->GeomNo);
    out += e->Feed == NoValue ? std::string(" FMAX") : " F" + Num(e->Feed);
    out += " S" + std::to_string(e->Side);
    if (e->CycleCode != 0) out += " C" + std::to_string(e->CycleCode);
    if (e->Stop != 0) out += " STOP";
    out += "\n";
  }
  return out;
}

void ExpectMarkedProgram(const ProgramCase& c) {
  Editor ed;
  ed.Run(std::string(c.program));
  EXPECT_EQ(ed.error, c.error) << "program:\n" << c.program;
  const std::string got = MarkedTranscript(ed.geom);
  EXPECT_TRUE(SameTranscript(c.elements, got))
      << "program:\n" << c.program << "\nexpected:\n" << c.elements << "\ngot:\n" << got;
}

// Every element starts where the one before it ends: a tool path without jumps.
void ExpectConnectedPath(const TFormaGeom& geom, int FromSlot = 1) {
  const GeomT* previous = nullptr;
  for (int slot = FromSlot; slot <= geom.ElementCount(); ++slot) {
    const GeomT* e = geom.Elements(slot);
    ASSERT_NE(e, nullptr) << "slot " << slot;
    if (previous) {
      const auto end = EndPoint(*previous), start = StartPoint(*e);
      EXPECT_NEAR(std::hypot(start.X - end.X, start.Y - end.Y), 0, 1e-9) << "slot " << slot;
    }
    previous = e;
  }
}

// No element a tool could not tell from a point: no sliver left over by a step loop.
void ExpectNoSlivers(const TFormaGeom& geom) {
  for (int slot = 1; slot <= geom.ElementCount(); ++slot) {
    const GeomT* e = geom.Elements(slot);
    ASSERT_NE(e, nullptr);
    const auto s = StartPoint(*e), t = EndPoint(*e);
    const double size = e->Kind == 2 ? std::fabs(e->V3) : std::hypot(t.X - s.X, t.Y - s.Y);
    EXPECT_GT(size, 1e-3) << "slot " << slot << ": " << ElementLine(*e);
  }
}

int Count(const TFormaGeom& geom, bool (*Pick)(const GeomT&)) {
  int n = 0;
  for (int slot = 1; slot <= geom.ElementCount(); ++slot)
    if (const GeomT* e = geom.Elements(slot); e && Pick(*e)) ++n;
  return n;
}

// ---------------------------------------------------------------------------------------------
// Pockets

const ProgramCase Pockets[] = {
    {"CircleRingsOfFourEightAndTen", "FCIRCLE X0 Y0 R10 RF4", "",
     "L 0 0 4 0 #1 F0 S0\nA 0 0 4 0 180 #1 F0 S0\nA 0 0 4 180 360 #1 F0 S0\n"
     "L 4 0 8 0 #1 F0 S0\nA 0 0 8 0 180 #1 F0 S0\nA 0 0 8 180 360 #1 F0 S0\n"
     "L 8 0 10 0 #1 F0 S0\nA 0 0 10 0 180 #1 F0 S0\nA 0 0 10 180 360 #1 F0 S0"},
    // The centre is absolute, the feed that of the block, negative values count by size.
    {"CircleAboutItsCentreAtTheBlockFeed", "F100\nFCIRCLE X5 Y-5 R-2 RF-1", "",
     "L 5 -5 6 -5 #1 F100 S0\nA 5 -5 1 0 180 #1 F100 S0\nA 5 -5 1 180 360 #1 F100 S0\n"
     "L 6 -5 7 -5 #1 F100 S0\nA 5 -5 2 0 180 #1 F100 S0\nA 5 -5 2 180 360 #1 F100 S0"},
    {"CircleRadiusAfterStepIsReadFromRF", "FCIRCLE RF4 R10", "N1 [ FCIRCLE RF4 R10 ]", ""},
    {"CircleStepAsLargeAsRadiusFails", "FCIRCLE X0 Y0 R10 RF10", "N1 [ FCIRCLE X0 Y0 R10 RF10 ]",
     ""},
    {"CircleWithoutRadiusFails", "FCIRCLE X0 Y0 RF4", "N1 [ FCIRCLE X0 Y0 RF4 ]", ""},
    {"CircleStepBelowMinimumFails", "FCIRCLE R1 RF0.09", "N1 [ FCIRCLE R1 RF0.09 ]", ""},
    // The pocket leaves the current point alone: the chain goes on where it was.
    {"CircleKeepsTheCurrentPoint", "G1 X20 Y0\nFCIRCLE R2 RF1.5\nX30", "",
     "L 0 0 1.5 0 #1 F0 S0\nA 0 0 1.5 0 180 #1 F0 S0\nA 0 0 1.5 180 360 #1 F0 S0\n"
     "L 1.5 0 2 0 #1 F0 S0\nA 0 0 2 0 180 #1 F0 S0\nA 0 0 2 180 360 #1 F0 S0\n"
     "L 20 0 30 0 #1 F0 S0"},
    // Sharp rings up to the rectangle of half sides 2 and 1 (8 / 2 - 2, 6 / 2 - 2).
    {"RectangleSharpRings", "FRECT LX8 LY6 RF2", "",
     "L 0 0 1.7889 0.8944 #1 F0 S0\nL 1.7889 0.8944 -1.7889 0.8944 #1 F0 S0\n"
     "L -1.7889 0.8944 -1.7889 -0.8944 #1 F0 S0\nL -1.7889 -0.8944 1.7889 -0.8944 #1 F0 S0\n"
     "L 1.7889 -0.8944 1.7889 0.8944 #1 F0 S0\n"
     "L 1.7889 0.8944 2 1 #1 F0 S0\nL 2 1 -2 1 #1 F0 S0\nL -2 1 -2 -1 #1 F0 S0\n"
     "L -2 -1 2 -1 #1 F0 S0\nL 2 -1 2 1 #1 F0 S0"},
    // Built about the origin, then the whole block moves: the line before it too.
    {"RectangleMovesTheWholeBlock", "G1 X0 Y0\nX1\nFRECT X50 Y20 LX8 LY6 RF2", "",
     "L 50 20 51 20 #1 F0 S0\n"
     "L 50 20 51.7889 20.8944 #1 F0 S0\nL 51.7889 20.8944 48.2111 20.8944 #1 F0 S0\n"
     "L 48.2111 20.8944 48.2111 19.1056 #1 F0 S0\nL 48.2111 19.1056 51.7889 19.1056 #1 F0 S0\n"
     "L 51.7889 19.1056 51.7889 20.8944 #1 F0 S0\n"
     "L 51.7889 20.8944 52 21 #1 F0 S0\nL 52 21 48 21 #1 F0 S0\nL 48 21 48 19 #1 F0 S0\n"
     "L 48 19 52 19 #1 F0 S0\nL 52 19 52 21 #1 F0 S0"},
    // The first ring is already rounded: its link starts at the pocket's centre, not at the
    // end of the line the block drew before.
    {"RectangleFirstRingRounded", "G1 X0 Y0\nX50\nFRECT LX4 LY4 R1.9 RF1.9", "",
     "L 0 0 50 0 #1 F0 S0\n"
     "L 0 0 1.3435 1.3435 #1 F0 S0\nA 0.1 0.1 1.7586 45 90 #1 F0 S0\n"
     "L 0.1 1.8586 -0.1 1.8586 #1 F0 S0\nA -0.1 0.1 1.7586 90 180 #1 F0 S0\n"
     "L -1.8586 0.1 -1.8586 -0.1 #1 F0 S0\nA -0.1 -0.1 1.7586 180 270 #1 F0 S0\n"
     "L -0.1 -1.8586 0.1 -1.8586 #1 F0 S0\nA 0.1 -0.1 1.7586 270 360 #1 F0 S0\n"
     "L 1.8586 -0.1 1.8586 0.1 #1 F0 S0\nA 0.1 0.1 1.7586 0 45 #1 F0 S0\n"
     "L 1.3435 1.3435 1.4435 1.4435 #1 F0 S0\nA 0.1 0.1 1.9 45 90 #1 F0 S0\n"
     "L 0.1 2 -0.1 2 #1 F0 S0\nA -0.1 0.1 1.9 90 180 #1 F0 S0\n"
     "L -2 0.1 -2 -0.1 #1 F0 S0\nA -0.1 -0.1 1.9 180 270 #1 F0 S0\n"
     "L -0.1 -2 0.1 -2 #1 F0 S0\nA 0.1 -0.1 1.9 270 360 #1 F0 S0\n"
     "L 2 -0.1 2 0.1 #1 F0 S0\nA 0.1 0.1 1.9 0 45 #1 F0 S0"},
    {"RectangleStepAboveCornerRadiusFails", "FRECT LX40 LY20 R5 RF6",
     "N1 [ FRECT LX40 LY20 R5 RF6 ]", ""},
    {"RectangleNoInnerSideFails", "FRECT LX10 LY20 R5 RF2", "N1 [ FRECT LX10 LY20 R5 RF2 ]", ""},
    {"RectangleWithoutSideFails", "FRECT LX10 RF2", "N1 [ FRECT LX10 RF2 ]", ""},
    {"RectangleWithoutStepFails", "FRECT LX10 LY10", "N1 [ FRECT LX10 LY10 ]", ""},
};

TEST(PocketWords, CirclesAndRectangles) {
  for (const ProgramCase& c : Pockets) {
    SCOPED_TRACE(c.name);
    ExpectMarkedProgram(c);
  }
}

// The offset copy that FE made stands between the contour and the pocket: the move still
// takes the contour, its copy and the pocket alike.
TEST(PocketWords, RectangleMovesPastTheOffsetCopy) {
  Editor ed;
  ed.Load("G41 G1\nX0 Y0\nX10\nY10\nX0\nFE 1\nFRECT X50 Y0 LX8 LY6 RF2");
  const std::string got = MarkedTranscript(ed.geom);
  EXPECT_TRUE(SameTranscript(
      "L 50 0 60 0 #1 F0 S1\nL 60 0 60 10 #1 F0 S1\nL 60 10 50 10 #1 F0 S1\n"
      "L 50 0 59 0 #1001 F0 S1\nL 59 0 59 10 #1001 F0 S1\nL 59 10 50 10 #1001 F0 S1\n"
      "L 50 0 51.7889 0.8944 #1 F0 S1\nL 51.7889 0.8944 48.2111 0.8944 #1 F0 S1\n"
      "L 48.2111 0.8944 48.2111 -0.8944 #1 F0 S1\nL 48.2111 -0.8944 51.7889 -0.8944 #1 F0 S1\n"
      "L 51.7889 -0.8944 51.7889 0.8944 #1 F0 S1\n"
      "L 51.7889 0.8944 52 1 #1 F0 S1\nL 52 1 48 1 #1 F0 S1\nL 48 1 48 -1 #1 F0 S1\n"
      "L 48 -1 52 -1 #1 F0 S1\nL 52 -1 52 1 #1 F0 S1",
      got))
      << got;
}

TEST(PocketWords, PocketPathsRunWithoutJumpsOrSlivers) {
  const char* programs[] = {
      "FCIRCLE X3 Y4 R7.3 RF0.7",
      "FRECT X-2 Y1 LX30 LY12 RF1.3",
      "FRECT X-2 Y1 LX30 LY12 R4 RF1.3",
      "FRECT LX30 LY12 R4 RF4",          // the last sharp ring ends on the inner rectangle
      "FRECT LX4.2 LY4.2 R2 RF1.95",     // every ring rounded
  };
  for (const char* p : programs) {
    SCOPED_TRACE(p);
    Editor ed;
    ed.Load(p);
    ExpectConnectedPath(ed.geom);
    ExpectNoSlivers(ed.geom);
  }
}

// The outermost ring is the pocket's outline: the circle of radius R, the rectangle of the
// given sides with corners of radius R.
TEST(PocketWords, OutermostRingIsTheOutline) {
  Editor ed;
  ed.Load("FRECT X10 Y5 LX30 LY12 R4 RF1.3");
  const int last = ed.geom.ElementCount();
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (int slot = last - 9; slot <= last; ++slot) {
    const GeomT& e = *ed.geom.Elements(slot);
    if (e.Kind == 2) {
      EXPECT_NEAR(e.V3, 4, 1e-9);
      continue;
    }
    for (const auto& p : {StartPoint(e), EndPoint(e)}) {
      minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
      minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
    }
  }
  EXPECT_NEAR(minX, -5, 1e-9);
  EXPECT_NEAR(maxX, 25, 1e-9);
  EXPECT_NEAR(minY, -1, 1e-9);
  EXPECT_NEAR(maxY, 11, 1e-9);
}

// Steps that add up to the radius only within rounding make no extra ring.
TEST(PocketWords, RingCountDoesNotDependOnRounding) {
  for (int rings = 2; rings <= 40; ++rings) {
    SCOPED_TRACE(rings);
    Editor ed;
    const double step = 0.1 * 3;  // not exactly 0.3
    ed.Load("FCIRCLE R" + Num(rings * 0.3) + " RF" + Num(step));
    EXPECT_EQ(ed.geom.ElementCount(), 3 * rings);
    ExpectNoSlivers(ed.geom);
  }
}

TEST(PocketWords, PathBeyondTheStoreIsRefusedWhole) {
  Editor ed;
  ed.Run("G1 X0 Y0\nX1\nFCIRCLE R100000 RF0.1");
  EXPECT_EQ(ed.error, "N3 [ FCIRCLE R100000 RF0.1 ]");
  EXPECT_EQ(ed.geom.ElementCount(), 1);
}

// ---------------------------------------------------------------------------------------------
// Slots

const ProgramCase Slots[] = {
    {"SlotAlongX", "FSLOT X1=0 Y1=5 X2=30 Y2=-2 B6 L4", "",
     "L 0 5 0 -2 #1 F0 S0\nL 0 -2 0 5 #1 FMAX S0\n"
     "L 0 5 4 5 #1 FMAX S0\nL 4 5 4 -2 #1 F0 S0\nL 4 -2 4 5 #1 FMAX S0\n"
     "L 4 5 8 5 #1 FMAX S0\nL 8 5 8 -2 #1 F0 S0\nL 8 -2 8 5 #1 FMAX S0\n"
     "L 8 5 12 5 #1 FMAX S0\nL 12 5 12 -2 #1 F0 S0\nL 12 -2 12 5 #1 FMAX S0\n"
     "L 12 5 16 5 #1 FMAX S0\nL 16 5 16 -2 #1 F0 S0\nL 16 -2 16 5 #1 FMAX S0\n"
     "L 16 5 20 5 #1 FMAX S0\nL 20 5 20 -2 #1 F0 S0\nL 20 -2 20 5 #1 FMAX S0\n"
     "L 20 5 24 5 #1 FMAX S0\nL 24 5 24 -2 #1 F0 S0\nL 24 -2 0 -2 #1 F0 S0\n"
     "L 0 -2 0 5 #1 FMAX S0"},
    // V and W win over X1= and Y1=; W values are diameters.
    {"SlotByDiameters", "F80\nFSLOT V1=0 W1=10 V2=10 W2=0 X1=99 Y1=99 B4 L4", "",
     "L 0 5 0 0 #1 F80 S0\nL 0 0 0 5 #1 FMAX S0\n"
     "L 0 5 4 5 #1 FMAX S0\nL 4 5 4 0 #1 F80 S0\nL 4 0 4 5 #1 FMAX S0\n"
     "L 4 5 6 5 #1 FMAX S0\nL 6 5 6 0 #1 F80 S0\nL 6 0 0 0 #1 F80 S0\nL 0 0 0 5 #1 FMAX S0"},
    // Along Y, travelling downwards: cuts across from X1 to X2.
    {"SlotAlongYDownwards", "FSLOT X1=0 Y1=20 X2=3 Y2=0 B5 L5", "",
     "L 0 20 3 20 #1 F0 S0\nL 3 20 0 20 #1 FMAX S0\n"
     "L 0 20 0 15 #1 FMAX S0\nL 0 15 3 15 #1 F0 S0\nL 3 15 0 15 #1 FMAX S0\n"
     "L 0 15 0 10 #1 FMAX S0\nL 0 10 3 10 #1 F0 S0\nL 3 10 0 10 #1 FMAX S0\n"
     "L 0 10 0 5 #1 FMAX S0\nL 0 5 3 5 #1 F0 S0\nL 3 5 3 20 #1 F0 S0\n"
     "L 3 20 0 20 #1 FMAX S0"},
    // Cuts of length 0: the stations are linked from the slot's own start of cut, never from
    // the end of the line the block drew before.
    {"SlotWithoutDepth", "G1 X100 Y100\nX110\nFSLOT X1=0 Y1=5 X2=10 Y2=5 B4 L4", "",
     "L 100 100 110 100 #1 F0 S0\nL 0 5 4 5 #1 FMAX S0\nL 4 5 6 5 #1 FMAX S0\n"
     "L 6 5 0 5 #1 F0 S0"},
    {"SlotOfEqualDifferencesFails", "FSLOT X1=0 Y1=0 X2=10 Y2=10 B2 L1",
     "N1 [ FSLOT X1=0 Y1=0 X2=10 Y2=10 B2 L1 ]", ""},
    {"SlotNotLongerThanWidthFails", "FSLOT X1=0 Y1=0 X2=6 Y2=1 B6 L2",
     "N1 [ FSLOT X1=0 Y1=0 X2=6 Y2=1 B6 L2 ]", ""},
    {"SlotStepWiderThanToolFails", "FSLOT X1=0 Y1=0 X2=20 Y2=1 B2 L3",
     "N1 [ FSLOT X1=0 Y1=0 X2=20 Y2=1 B2 L3 ]", ""},
    {"SlotWithoutSecondPointFails", "FSLOT X1=0 Y1=0 X2=20 B2 L1",
     "N1 [ FSLOT X1=0 Y1=0 X2=20 B2 L1 ]", ""},
    {"SlotStepBelowMinimumFails", "FSLOT X1=0 Y1=0 X2=20 Y2=1 B2 L0.05",
     "N1 [ FSLOT X1=0 Y1=0 X2=20 Y2=1 B2 L0.05 ]", ""},
};

TEST(PocketWords, Slots) {
  for (const ProgramCase& c : Slots) {
    SCOPED_TRACE(c.name);
    ExpectMarkedProgram(c);
  }
}

// 1.3 - 0.6 is a hair above 0.7: seven steps of 0.1, eight stations, no eighth step of 1e-16.
TEST(PocketWords, SlotStationsDoNotDependOnRounding) {
  Editor ed;
  ed.Load("FSLOT X1=0 Y1=1 X2=1.3 Y2=0 B0.6 L0.1");
  const int cuts = Count(ed.geom, [](const GeomT& e) { return e.Feed != NoValue && e.V1 == e.V3; });
  EXPECT_EQ(cuts, 8);
  ExpectConnectedPath(ed.geom);
  ExpectNoSlivers(ed.geom);
}

// ---------------------------------------------------------------------------------------------
// STOP and the cycles. The turning pair X/Y: X runs along the axis, Y is the radius.

#define APPROACH "G1 X10 Y12\nX0 Y10\n"

const ProgramCase Cycles[] = {
    {"StopMarksTheMoveOfItsLine", "G1 X0 Y0\nX10 STOP\nX20", "",
     "L 0 0 10 0 #1 F0 S0 STOP\nL 10 0 20 0 #1 F0 S0"},
    {"StopWithoutMoveIsNotRead", "G1 X0 Y0\nX10\nSTOP\nX10 STOP", "", "L 0 0 10 0 #1 F0 S0"},
    // A rounding at the end of the marked line's element: the stop stays with the move.
    {"StopAfterCorner", "G1 X0 Y0\nX10 RD1\nY10 STOP", "",
     "L 0 0 9 0 #1 F0 S0\nA 9 1 1 270 0 #1 F0 S0\nL 10 1 10 10 #1 F0 S0 STOP"},
    {"AxialMark", "G1 X10 Y0\nX0 Y0\nX-20 Y0 G284", "",
     "L 10 0 0 0 #1 F0 S0\nL 0 0 -20 0 #1 F0 S0 C284"},
    {"AxialMarkOffTheAxisFails", "G1 X0 Y5\nX10 Y5\nX20 Y5 G284", "N3 [ X20 Y5 G284 ]",
     "L 0 5 10 5 #1 F0 S0\nL 10 5 20 5 #1 F0 S0"},
    {"CycleWithoutApproachFails", "G1 X0 Y0\nX-20 Y0 G284", "N2 [ X-20 Y0 G284 ]",
     "L 0 0 -20 0 #1 F0 S0"},
    // An inner thread (H > 0): the return line lies towards the axis, the passes go out into
    // the material, the first on the programmed line, the last 1.5 deep: four passes of four.
    {"InnerThread", APPROACH "X-30 Y10 G233 H1.5 P3 F1.5\nX20", "",
     "L 10 12 0 8.5 #1 FMAX S0\n"
     "L 0 8.5 0 10 #1 FMAX S0 C233\nL 0 10 -30 10 #1 F1.5 S0 C233\n"
     "L -30 10 -30 8.5 #1 FMAX S0 C233\nL -30 8.5 0 8.5 #1 FMAX S0 C233\n"
     "L 0 8.5 0 10.5 #1 FMAX S0 C233\nL 0 10.5 -30 10.5 #1 F1.5 S0 C233\n"
     "L -30 10.5 -30 8.5 #1 FMAX S0 C233\nL -30 8.5 0 8.5 #1 FMAX S0 C233\n"
     "L 0 8.5 0 11 #1 FMAX S0 C233\nL 0 11 -30 11 #1 F1.5 S0 C233\n"
     "L -30 11 -30 8.5 #1 FMAX S0 C233\nL -30 8.5 0 8.5 #1 FMAX S0 C233\n"
     "L 0 8.5 0 11.5 #1 FMAX S0 C233\nL 0 11.5 -30 11.5 #1 F1.5 S0 C233\n"
     "L -30 11.5 -30 8.5 #1 FMAX S0 C233\nL -30 8.5 0 8.5 #1 FMAX S0 C233\n"
     "L 0 8.5 20 8.5 #1 F1.5 S0"},
    // An outer thread (H < 0) with run-in and run-out: the return line outside, the passes in.
    {"OuterThreadWithRunInAndOut", APPROACH "X-30 Y10 G233 H-1 P2 F2 L1=2 L2=3", "",
     "L 10 12 2 11 #1 FMAX S0\n"
     "L 2 11 2 10 #1 FMAX S0 C233\nL 2 10 -33 10 #1 F2 S0 C233\n"
     "L -33 10 -33 11 #1 FMAX S0 C233\nL -33 11 2 11 #1 FMAX S0 C233\n"
     "L 2 11 2 9.5 #1 FMAX S0 C233\nL 2 9.5 -33 9.5 #1 F2 S0 C233\n"
     "L -33 9.5 -33 11 #1 FMAX S0 C233\nL -33 11 2 11 #1 FMAX S0 C233\n"
     "L 2 11 2 9 #1 FMAX S0 C233\nL 2 9 -33 9 #1 F2 S0 C233\n"
     "L -33 9 -33 11 #1 FMAX S0 C233\nL -33 11 2 11 #1 FMAX S0 C233"},
    // Towards larger X the sides turn with the direction: an outer thread still returns outside.
    {"OuterThreadTowardsLargerX", "G1 X-10 Y12\nX0 Y10\nX30 Y10 G233 H-1 P1 F1", "",
     "L -10 12 0 11 #1 FMAX S0\n"
     "L 0 11 0 10 #1 FMAX S0 C233\nL 0 10 30 10 #1 F1 S0 C233\n"
     "L 30 10 30 11 #1 FMAX S0 C233\nL 30 11 0 11 #1 FMAX S0 C233\n"
     "L 0 11 0 9 #1 FMAX S0 C233\nL 0 9 30 9 #1 F1 S0 C233\n"
     "L 30 9 30 11 #1 FMAX S0 C233\nL 30 11 0 11 #1 FMAX S0 C233"},
    // The cycle on a line of its own acts on the block's last move.
    {"ThreadOnLineWithoutMove", APPROACH "X-30 Y10\nG233 H1.5 P1 F1", "",
     "L 10 12 0 8.5 #1 FMAX S0\n"
     "L 0 8.5 0 10 #1 FMAX S0 C233\nL 0 10 -30 10 #1 F1 S0 C233\n"
     "L -30 10 -30 8.5 #1 FMAX S0 C233\nL -30 8.5 0 8.5 #1 FMAX S0 C233\n"
     "L 0 8.5 0 11.5 #1 FMAX S0 C233\nL 0 11.5 -30 11.5 #1 F1 S0 C233\n"
     "L -30 11.5 -30 8.5 #1 FMAX S0 C233\nL -30 8.5 0 8.5 #1 FMAX S0 C233"},
    {"ThreadPitchZeroIsFeedZero", APPROACH "X-30 Y10 G233 H-1 P1 F0", "",
     "L 10 12 0 11 #1 FMAX S0\n"
     "L 0 11 0 10 #1 FMAX S0 C233\nL 0 10 -30 10 #1 F0 S0 C233\n"
     "L -30 10 -30 11 #1 FMAX S0 C233\nL -30 11 0 11 #1 FMAX S0 C233\n"
     "L 0 11 0 9 #1 FMAX S0 C233\nL 0 9 -30 9 #1 F0 S0 C233\n"
     "L -30 9 -30 11 #1 FMAX S0 C233\nL -30 11 0 11 #1 FMAX S0 C233"},
    {"ThreadPassesZeroFails", APPROACH "X-30 Y10 G233 H1 P0 F1", "N3 [ X-30 Y10 G233 H1 P0 F1 ]",
     "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #1 F1 S0"},
    {"ThreadPasses101Fails", APPROACH "X-30 Y10 G233 H1 P101 F1",
     "N3 [ X-30 Y10 G233 H1 P101 F1 ]", "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #1 F1 S0"},
    {"ThreadDepthTooSmallFails", APPROACH "X-30 Y10 G233 H-0.05 P3 F1",
     "N3 [ X-30 Y10 G233 H-0.05 P3 F1 ]", "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #1 F1 S0"},
    {"ThreadDepthTooLargeFails", APPROACH "X-30 Y10 G233 H11 P3 F1",
     "N3 [ X-30 Y10 G233 H11 P3 F1 ]", "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #1 F1 S0"},
    {"ThreadPitchTooLargeFails", APPROACH "X-30 Y10 G233 H1 P3 F12",
     "N3 [ X-30 Y10 G233 H1 P3 F12 ]", "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #1 F12 S0"},
    {"ThreadWithoutDepthFails", APPROACH "X-30 Y10 G233 P3 F1", "N3 [ X-30 Y10 G233 P3 F1 ]",
     "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #1 F1 S0"},
    {"ThreadOnTheAxisFails", "G1 X10 Y2\nX0 Y0\nX-30 Y0 G233 H1 P3 F1",
     "N3 [ X-30 Y0 G233 H1 P3 F1 ]", "L 10 2 0 0 #1 F0 S0\nL 0 0 -30 0 #1 F1 S0"},
    // Across the axis every pass would lie on the programmed line.
    {"ThreadAcrossTheAxisFails", "G1 X0 Y20\nX0 Y10\nX0 Y5 G233 H1 P2 F1",
     "N3 [ X0 Y5 G233 H1 P2 F1 ]", "L 0 20 0 10 #1 F0 S0\nL 0 10 0 5 #1 F1 S0"},
    // A line without a move must not take another geometry's last elements for its cycle.
    {"ThreadOnAnotherGeometryFails", "%1\n" APPROACH "X-30 Y10\n%2\nG1 X0 Y10 G233 H1 P2 F1",
     "N6 [ G1 X0 Y10 G233 H1 P2 F1 ]",
     "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #1 F0 S0"},
    {"ThreadWithApproachOfAnotherGeometryFails",
     "%1\n" APPROACH "%2\nG1 X0 Y10\nX-30 Y10 G233 H1 P2 F1", "N6 [ X-30 Y10 G233 H1 P2 F1 ]",
     "L 10 12 0 10 #1 F0 S0\nL 0 10 -30 10 #2 F1 S0"},
    // Pecks to 3, 6, 9 and 10, each from 0.3 above the bottom before (P capped at Q / 10).
    {"PeckDrilling", "G1 X5 Y0\nX0 Y0\nX-10 Y0 G283 Q3 P0.5", "",
     "L 5 0 0 0 #1 F0 S0\nL 0 0 -3 0 #1 F0 S0\nL -3 0 0 0 #1 FMAX S0 C283\n"
     "L 0 0 -2.7 0 #1 FMAX S0 C283\nL -2.7 0 -6 0 #1 F0 S0 C283\nL -6 0 0 0 #1 FMAX S0 C283\n"
     "L 0 0 -5.7 0 #1 FMAX S0 C283\nL -5.7 0 -9 0 #1 F0 S0 C283\nL -9 0 0 0 #1 FMAX S0 C283\n"
     "L 0 0 -8.7 0 #1 FMAX S0 C283\nL -8.7 0 -10 0 #1 F0 S0 C283\n"
     "L -10 0 0 0 #1 FMAX S0 C283"},
    // Towards larger X, clearance 0.1 when P is not given; the chain goes on from the start.
    {"PeckDrillingTowardsLargerX", "G1 X-5 Y0\nX0 Y0\nX4 Y0 G283 Q3 F50\nX-1", "",
     "L -5 0 0 0 #1 F0 S0\nL 0 0 3 0 #1 F50 S0\nL 3 0 0 0 #1 FMAX S0 C283\n"
     "L 0 0 2.9 0 #1 FMAX S0 C283\nL 2.9 0 4 0 #1 F50 S0 C283\nL 4 0 0 0 #1 FMAX S0 C283\n"
     "L 0 0 -1 0 #1 F50 S0"},
    {"DrillingInOnePeck", "G1 X5 Y0\nX0 Y0\nX-10 Y0 G283", "",
     "L 5 0 0 0 #1 F0 S0\nL 0 0 -10 0 #1 F0 S0\nL -10 0 0 0 #1 FMAX S0 C283"},
    {"DrillingOffTheAxisFails", "G1 X5 Y1\nX0 Y1\nX-10 Y1 G283 Q3", "N3 [ X-10 Y1 G283 Q3 ]",
     "L 5 1 0 1 #1 F0 S0\nL 0 1 -10 1 #1 F0 S0"},
    {"DrillingShorterThanMinimumFails", "G1 X5 Y0\nX0 Y0\nX-0.05 Y0 G283",
     "N3 [ X-0.05 Y0 G283 ]", "L 5 0 0 0 #1 F0 S0\nL 0 0 -0.05 0 #1 F0 S0"},
};

TEST(PocketWords, StopAndCycles) {
  for (const ProgramCase& c : Cycles) {
    SCOPED_TRACE(c.name);
    ExpectMarkedProgram(c);
  }
}

// P + 1 passes for every P, however H / P rounds.
TEST(PocketWords, ThreadPassCountDoesNotDependOnRounding) {
  for (int passes = 1; passes <= 100; ++passes) {
    SCOPED_TRACE(passes);
    Editor ed;
    ed.Load(APPROACH "X-30 Y10 G233 H-0.7 P" + std::to_string(passes) + " F1");
    EXPECT_EQ(ed.geom.ElementCount(), 1 + 4 * (passes + 1));
    ExpectConnectedPath(ed.geom);
    ExpectNoSlivers(ed.geom);
  }
}

// 0.3 - 0.1 - 0.1 - 0.1 is not 0: three pecks, no fourth of 1e-17.
TEST(PocketWords, PeckCountDoesNotDependOnRounding) {
  Editor ed;
  ed.Load("G1 X1 Y0\nX0.3 Y0\nX0 Y0 G283 Q0.1");
  EXPECT_EQ(ed.geom.ElementCount(), 2 + 1 + 3 * 2);
  ExpectConnectedPath(ed.geom);
  ExpectNoSlivers(ed.geom);
}

TEST(PocketWords, PecksBeyondTheStoreAreRefusedWhole) {
  Editor ed;
  ed.Run("G1 X5 Y0\nX0 Y0\nX-10 Y0 G283 Q0.00001");
  EXPECT_EQ(ed.error, "N3 [ X-10 Y0 G283 Q0.00001 ]");
  EXPECT_EQ(MarkedTranscript(ed.geom), "L 5 0 0 0 #1 F0 S0\nL 0 0 -10 0 #1 F0 S0\n");
}

}  // namespace
}  // namespace movra
