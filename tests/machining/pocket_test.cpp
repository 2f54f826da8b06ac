// Pockets with islands: collecting the chosen contours, offsetting them by tool radius
// plus allowance, and finding the hatch start point.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"
#include "tests/geometry/interpreter_support.h"
#include "pocket_support.h"

namespace movra {
namespace {

using namespace pocket_test;

// A 100 x 60 rectangle, counter-clockwise, and two clockwise circular islands of radius 10
// about (30, 30) and (70, 30), each built from two half circles.
const char* const RectangleWithIslands =
    "%1\n"
    "G0 X0 Y0\n"
    "G1 X100 Y0\n"
    "G1 X100 Y60\n"
    "G1 X0 Y60\n"
    "G1 X0 Y0\n"
    "%2\n"
    "G0 X40 Y30\n"
    "G2 X20 Y30 I-10 J0\n"
    "G2 X40 Y30 I10 J0\n"
    "%3\n"
    "G0 X80 Y30\n"
    "G2 X60 Y30 I-10 J0\n"
    "G2 X80 Y30 I10 J0\n";

// Every contour of the list is closed: each record ends where the next one of its group
// starts, and the last one of a group where the first one starts.
void ExpectClosedGroups(const RecordList<InselT>& list) {
  int first = 1;
  for (int i = 1; i <= list.Count(); ++i) {
    const InselT& e = Rec(list, i);
    const bool lastOfGroup = i == list.Count() || Rec(list, i + 1).Group != e.Group;
    const InselT& next = lastOfGroup ? Rec(list, first) : Rec(list, i + 1);
    EXPECT_LT(Gap(e, next), 0.001) << "group " << e.Group << ", record " << i << " to "
                                   << (lastOfGroup ? first : i + 1);
    if (lastOfGroup) first = i + 1;
  }
}

struct Expected {
  double kind, v1, v2, v3, v4, v5;
};

void ExpectRecords(const RecordList<InselT>& list, const std::vector<Expected>& expected) {
  ASSERT_EQ(list.Count(), static_cast<int>(expected.size())) << transcript::ListTranscript(list);
  for (int i = 1; i <= list.Count(); ++i) {
    const InselT& e = Rec(list, i);
    const Expected& x = expected[static_cast<std::size_t>(i - 1)];
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(e.Kind, x.kind);
    EXPECT_NEAR(e.V1, x.v1, Tol);
    EXPECT_NEAR(e.V2, x.v2, Tol);
    EXPECT_NEAR(e.V3, x.v3, Tol);
    EXPECT_NEAR(e.V4, x.v4, Tol);
    if (x.kind == 2) {
      EXPECT_NEAR(e.V5, x.v5, Tol);
    }
  }
}

// ---- Collecting ----

TEST(PocketCollect, ClosingLineOnlyWhenTheEndsAreApart) {
  struct Case {
    const char* name;
    int number;
    double endY;  // the contour runs (0,0) (10,0) (10,10) (0,10) (0,endY)
    int records;
  };
  const Case cases[] = {
      {"closed", 1, 0.0, 4},
      {"closed, reversed", -1, 0.0, 4},
      {"gap below 0.001", 1, 0.0009, 4},
      {"gap below 0.001, reversed", -1, 0.0009, 4},
      {"gap of 0.001", 1, 0.001, 5},
      {"gap of 0.001, reversed", -1, 0.001, 5},
      {"open", 1, 10.0, 4},  // three lines and the closing one
      {"open, reversed", -1, 10.0, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    std::string text = "G0 X0 Y0\nG1 X10 Y0\nG1 X10 Y10\nG1 X0 Y10\n";
    if (c.endY != 10.0) text += "G1 X0 Y" + std::to_string(c.endY) + "\n";
    p.Load(text);
    p.Table({{c.number, 1}});
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_EQ(p.insel.Contours.Count(), c.records);
    ExpectClosedGroups(p.insel.Contours);
    for (int i = 1; i <= p.insel.Contours.Count(); ++i) EXPECT_EQ(Rec(p.insel.Contours, i).Group, 1);
  }
}

TEST(PocketCollect, OpenContourGetsClosingLineFromEndToStartWithTheLastSide) {
  Pocket p;
  p.Load("G42\nG0 X0 Y0\nG1 X10 Y0\nG1 X10 Y10\nG1 X0 Y10\n");
  p.Table({{1, 1}});
  ASSERT_TRUE(p.insel.CollectContours());
  ExpectRecords(p.insel.Contours, {{1, 0, 0, 10, 0, 0},
                                   {1, 10, 0, 10, 10, 0},
                                   {1, 10, 10, 0, 10, 0},
                                   {1, 0, 10, 0, 0, 0}});
  EXPECT_EQ(Rec(p.insel.Contours, 4).Side, 2);
}

TEST(PocketCollect, NegativeNumberReversesOrderElementsAndSides) {
  Pocket p;
  // G41 for the whole block; a quarter arc about (10, 10) from 270 to 360 degrees.
  p.Load("G41\nG0 X0 Y0\nG1 X10 Y0\nG3 X20 Y10 I0 J10\nG1 X20 Y20\n");
  p.Table({{-1, 1}});
  ASSERT_TRUE(p.insel.CollectContours());
  ExpectRecords(p.insel.Contours, {{1, 20, 20, 20, 10, 0},
                                   {2, 10, 10, -10, 0, 1.5 * Pi},
                                   {1, 10, 0, 0, 0, 0},
                                   {1, 0, 0, 20, 20, 0}});  // closing line
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(Rec(p.insel.Contours, i).Side, 2) << "record " << i;

  Pocket forward;
  forward.Load("G41\nG0 X0 Y0\nG1 X10 Y0\nG3 X20 Y10 I0 J10\nG1 X20 Y20\n");
  forward.Table({{1, 1}});
  ASSERT_TRUE(forward.insel.CollectContours());
  ExpectRecords(forward.insel.Contours, {{1, 0, 0, 10, 0, 0},
                                         {2, 10, 10, 10, 1.5 * Pi, 0},
                                         {1, 20, 10, 20, 20, 0},
                                         {1, 20, 20, 0, 0, 0}});
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(Rec(forward.insel.Contours, i).Side, 1) << "record " << i;
}

TEST(PocketCollect, DrillingGeometryIsSkippedForPositiveAndNegativeNumbers) {
  const std::string text = std::string(RectangleWithIslands) +
                           "%4\nG81\nG0 X10 Y10\nG1 X20 Y10\nG1 X20 Y20\nG1 X10 Y10\n";
  for (int number : {4, -4}) {
    SCOPED_TRACE(number);
    Pocket p;
    p.Load(text);
    EXPECT_FALSE(p.insel.ContourUsable(4));
    EXPECT_TRUE(p.insel.ContourUsable(1));
    p.Table({{number, 1}});
    EXPECT_FALSE(p.insel.CollectContours());
    EXPECT_EQ(p.insel.ContourCount, 0);
    EXPECT_EQ(p.insel.Contours.Count(), 0);

    // Beside a usable contour it takes no serial number.
    p.Table({{number, 1}, {1, 1}});
    ASSERT_TRUE(p.insel.CollectContours());
    EXPECT_EQ(p.insel.ContourCount, 1);
    EXPECT_EQ(p.insel.Contours.Count(), 4);
  }
}

TEST(PocketCollect, SerialNumbersFollowTheTableAndUnusedEntriesAreSkipped) {
  Pocket p;
  p.Load(RectangleWithIslands);
  p.Table({{3, 1}, {0, 1}, {1, 1}});
  ASSERT_TRUE(p.insel.CollectContours());
  EXPECT_EQ(p.insel.ContourCount, 2);
  ASSERT_EQ(p.insel.Contours.Count(), 6);
  for (int i = 1; i <= 2; ++i) EXPECT_EQ(Rec(p.insel.Contours, i).Group, 1);
  for (int i = 3; i <= 6; ++i) EXPECT_EQ(Rec(p.insel.Contours, i).Group, 2);
  EXPECT_NEAR(Rec(p.insel.Contours, 1).V1, 70, Tol);  // island 3 came first
}

TEST(PocketCollect, RemovedAndDegenerateElementsAreNotTaken) {
  Pocket p;
  p.Put(1, 1, 0, 0, 10, 0);
  p.Put(1, 1, 10, 0, 10, 5e-8);  // shorter than 1e-7
  p.Put(1, 2, 10, 0, 0, 0, 1);   // radius 0
  p.Put(1, 1, 10, 0, 10, 10);
  p.Put(1, 1, 10, 10, 50, 50).Removed = 1;  // a lead cut away
  p.Put(2, 1, 0, 0, 99, 99);                // another geometry
  p.Put(1, 1, 10, 10, 0, 0);
  p.Table({{1, 1}});
  ASSERT_TRUE(p.insel.CollectContours());
  ExpectRecords(p.insel.Contours, {{1, 0, 0, 10, 0, 0}, {1, 10, 0, 10, 10, 0},
                                   {1, 10, 10, 0, 0, 0}});
}

TEST(PocketCollect, TwoElementsAreNoPocket) {
  Pocket p;
  p.Load("G0 X0 Y0\nG1 X10 Y0\nG1 X0 Y0\n");  // there and back: closed, two records
  p.Table({{1, 1}});
  EXPECT_FALSE(p.insel.CollectContours());
  EXPECT_EQ(p.insel.Contours.Count(), 2);
}

TEST(PocketCollect, FullListRefusesTheRecordAfter10001) {
  Pocket p;
  for (int i = 0; i < 10005; ++i) p.Put(1, 1, i, 0, i + 1, 0);
  p.Table({{1, 1}});
  EXPECT_FALSE(p.insel.CollectContours());
  EXPECT_EQ(p.insel.Contours.Count(), TFormaEditorInsel::MaxRecords);
  EXPECT_EQ(TFormaEditorInsel::MaxRecords, 10001);
}

// ---- The contour table and the reset ----

TEST(PocketTable, ContourRowsOutsideTheTableOrWithoutNumberAreIgnored) {
  struct Case {
    const char* name;
    int index;
    double number, type;
    bool taken;
    int wantNumber;
    int wantType;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"plain row", 3, 2, 1, true, 2, 1},
      {"nearest integer, halves to even", 3, 2.5, 1.6, true, 2, 2},
      {"reversed contour", 3, -7, 2, true, -7, 2},
      {"row 0", 0, 2, 1, false, 0, 1},
      {"row 255", 255, 2, 1, false, 0, 1},
      {"last row", 254, 9, 0, true, 9, 0},
      {"no number", 3, NoValue, 1, false, 0, 1},
      {"number not a number", 3, nan, 1, false, 0, 1},
      {"huge number", 3, 1e300, 1, true, 2147483647, 1},
      {"huge negative number", 3, -1e300, 1, true, -2147483647, 1},
      {"no type keeps the offset before", 3, 4, NoValue, true, 4, 255},
      {"negative type keeps the offset before", 3, 4, -1, true, 4, 255},
      {"type not a number", 3, 4, nan, true, 4, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    EXPECT_EQ(p.insel.SetContourEntry(c.index, c.number, c.type), c.taken);
    const int k = c.index >= 1 && c.index <= TFormaEditorInsel::TableSize ? c.index : 1;
    EXPECT_EQ(p.insel.ContourTable(k).Number, c.wantNumber);
    EXPECT_EQ(p.insel.ContourTable(k).Type, c.wantType);
  }
}

TEST(PocketTable, ResetEmptiesEverything) {
  Pocket p;
  p.Load(RectangleWithIslands);
  p.Table({{1, 2}, {2, 0}});
  p.Tool(3, 0.2);
  p.insel.Params.A = 1;
  p.insel.Params.K = 0.5;
  ASSERT_TRUE(p.insel.CollectContours());
  ASSERT_TRUE(p.insel.OffsetContours());
  ASSERT_TRUE(p.insel.FindStart());
  p.insel.Path.Add(InselT{});
  p.insel.HatchSegments.Add(InselT{});
  p.insel.HitPoints.Add(TFormaEditorInsel::HitT{1, 2});

  p.insel.Reset();
  EXPECT_EQ(p.insel.ContourCount, 0);
  EXPECT_EQ(p.insel.Contours.Count(), 0);
  EXPECT_EQ(p.insel.Offsets.Count(), 0);
  EXPECT_EQ(p.insel.HatchSegments.Count(), 0);
  EXPECT_EQ(p.insel.HitPoints.Count(), 0);
  EXPECT_EQ(p.insel.Path.Count(), 0);
  EXPECT_EQ(p.insel.Params.A, 0);
  EXPECT_EQ(p.insel.Params.R, 0);
  EXPECT_EQ(p.insel.Params.E, 0);
  EXPECT_EQ(p.insel.Params.K, 0);
  EXPECT_EQ(p.insel.StartPoint.X, 0);
  EXPECT_EQ(p.insel.StartPoint.Y, 0);
  for (const auto& e : p.insel.ContourTable) {
    EXPECT_EQ(e.Number, 0);
    EXPECT_EQ(e.Type, 1);
  }
}

// ---- Offsetting ----

TEST(PocketOffset, RectangleWithTwoIslandsGivesClosedContours) {
  Pocket p;
  p.Load(RectangleWithIslands);
  p.Table({{1, 1}, {2, 1}, {3, 1}});
  p.Tool(3, 0.2);  // 3.2 to the left: into the rectangle, out of the clockwise islands
  ASSERT_TRUE(p.insel.CollectContours());
  ASSERT_TRUE(p.insel.OffsetContours());
  ExpectRecords(p.insel.Offsets, {{1, 3.2, 3.2, 96.8, 3.2, 0},
                                  {1, 96.8, 3.2, 96.8, 56.8, 0},
                                  {1, 96.8, 56.8, 3.2, 56.8, 0},
                                  {1, 3.2, 56.8, 3.2, 3.2, 0},
                                  {2, 30, 30, -13.2, 0, Pi},
                                  {2, 30, 30, -13.2, Pi, 0},
                                  {2, 70, 30, -13.2, 0, Pi},
                                  {2, 70, 30, -13.2, Pi, 0}});
  ExpectClosedGroups(p.insel.Offsets);
  const int groups[] = {1, 1, 1, 1, 2, 2, 3, 3};
  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(Rec(p.insel.Offsets, i).Group, groups[i - 1]);
    EXPECT_EQ(Rec(p.insel.Offsets, i).Side, 0);
  }
}

TEST(PocketOffset, EveryContourIsClosedWhateverItsPlaceInTheTable) {
  // The rectangle closed before the islands as well as after them, and an island closed
  // when a dropped contour follows it.
  const std::vector<std::vector<TFormaEditorInsel::ContourEntryT>> tables = {
      {{1, 1}, {2, 1}, {3, 1}},
      {{2, 1}, {1, 1}, {3, 1}},
      {{2, 1}, {3, 1}, {1, 1}},
      {{-1, 2}, {-2, 2}, {3, 1}},
  };
  for (const auto& table : tables) {
    SCOPED_TRACE(table[0].Number);
    Pocket p;
    p.Load(RectangleWithIslands);
    int k = 1;
    for (const auto& e : table) p.insel.ContourTable(k++) = e;
    p.Tool(3, 0.2);
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_TRUE(p.insel.OffsetContours());
    EXPECT_EQ(p.insel.Offsets.Count(), 8);
    ExpectClosedGroups(p.insel.Offsets);
  }
}

TEST(PocketOffset, ToolRadiusPlusAllowanceAbove100Fails) {
  struct Case {
    double R, E;
    bool ok;
  };
  const Case cases[] = {{60, 50, false}, {-60, 50, false}, {50, 50, true},
                        {100, 0, true},  {100.5, 0, false},
                        {std::numeric_limits<double>::quiet_NaN(), 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "R " << c.R << " E " << c.E);
    Pocket p;
    p.Load("G0 X0 Y0\nG1 X1000 Y0\nG1 X1000 Y600\nG1 X0 Y600\nG1 X0 Y0\n");
    p.Table({{1, 1}});
    p.Tool(c.R, c.E);
    ASSERT_TRUE(p.insel.CollectContours());
    EXPECT_EQ(p.insel.OffsetContours(), c.ok);
  }
}

TEST(PocketOffset, TypeChoosesTheSideOfTheOffset) {
  struct Case {
    const char* name;
    std::uint8_t rectangleType, islandType;
    double rectangleCorner;  // lower left corner of the offset rectangle
    double islandRadius;
  };
  const Case cases[] = {
      {"no offset", 0, 0, 0, -10},
      {"left: inwards, islands outwards", 1, 1, 3.2, -13.2},
      {"right: outwards, islands inwards", 2, 2, -3.2, -6.8},
      {"another type keeps the offset before", 2, 7, -3.2, -6.8},
      {"the first contour with another type has none", 9, 1, 0, -13.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    p.Load(RectangleWithIslands);
    p.Table({{1, c.rectangleType}, {2, c.islandType}});
    p.Tool(3, 0.2);
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_TRUE(p.insel.OffsetContours());
    ASSERT_EQ(p.insel.Offsets.Count(), 6);
    EXPECT_NEAR(Rec(p.insel.Offsets, 1).V1, c.rectangleCorner, Tol);
    EXPECT_NEAR(Rec(p.insel.Offsets, 1).V2, c.rectangleCorner, Tol);
    EXPECT_NEAR(Rec(p.insel.Offsets, 5).V3, c.islandRadius, Tol);
    ExpectClosedGroups(p.insel.Offsets);
  }
}

TEST(PocketOffset, AllowanceIsAddedAwayFromZero) {
  struct Case {
    double R, E, corner;
  };
  const Case cases[] = {{3, 0.2, 3.2}, {-3, 0.2, -3.2}, {0, 0.2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.R);
    Pocket p;
    p.Load(RectangleWithIslands);
    p.Table({{1, 1}});
    p.Tool(c.R, c.E);
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_TRUE(p.insel.OffsetContours());
    EXPECT_NEAR(Rec(p.insel.Offsets, 1).V2, c.corner, Tol);
  }
}

// A rectangle with corners rounded by radius 5, counter-clockwise.
const char* const RoundedRectangle =
    "G0 X5 Y0\n"
    "G1 X95 Y0\n"
    "G3 X100 Y5 I0 J5\n"
    "G1 X100 Y55\n"
    "G3 X95 Y60 I-5 J0\n"
    "G1 X5 Y60\n"
    "G3 X0 Y55 I0 J-5\n"
    "G1 X0 Y5\n"
    "G3 X5 Y0 I5 J0\n";

TEST(PocketOffset, InnerArcWhoseRadiusEqualsTheOffsetIsDropped) {
  // Equal exactly, and equal but for rounding: an arc of radius 5e-10 is no arc.
  for (double R : {5.0, 5.0 - 5e-10, 4.9, 5.1}) {
    SCOPED_TRACE(R);
    Pocket p;
    p.Load(RoundedRectangle);
    p.Table({{1, 1}});
    p.Tool(R, 0);
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_EQ(p.insel.Contours.Count(), 8);
    ASSERT_TRUE(p.insel.OffsetContours());
    ExpectClosedGroups(p.insel.Offsets);
    if (R == 4.9) {
      ASSERT_EQ(p.insel.Offsets.Count(), 8);
      EXPECT_NEAR(std::fabs(Rec(p.insel.Offsets, 2).V3), 0.1, Tol);
      continue;
    }
    ASSERT_EQ(p.insel.Offsets.Count(), 4);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(Rec(p.insel.Offsets, i).Kind, 1) << "record " << i;
    EXPECT_NEAR(Rec(p.insel.Offsets, 1).V1, R, Tol);
    EXPECT_NEAR(Rec(p.insel.Offsets, 1).V2, R, Tol);
    EXPECT_NEAR(Rec(p.insel.Offsets, 1).V3, 100 - R, Tol);
  }
}

TEST(PocketOffset, ParallelLinesThatTheOffsetLeavesApartFail) {
  struct Case {
    const char* name;
    const char* text;
    double R;
    bool ok;
  };
  const Case cases[] = {
      // A small curl in the bottom edge: its arc vanishes, the two edges beside it run the
      // same way 1 apart.
      {"same direction",
       "G0 X0 Y0\nG1 X50 Y0\nG3 X50 Y1 I0 J0.5\nG1 X100 Y1\nG1 X100 Y20\nG1 X0 Y20\n"
       "G1 X0 Y0\n",
       2, false},
      // A slot 10 wide: a tool of radius 6 leaves its two sides running against each other
      // 2 apart; one of radius 4 fits.
      {"opposite directions",
       "G0 X0 Y0\nG1 X50 Y0\nG3 X50 Y10 I0 J5\nG1 X0 Y10\nG3 X0 Y0 I0 J-5\n", 6, false},
      // The same with the upper side tilted by 1e-8: its crossing with the lower side lies
      // 2e8 away and must not become a corner.
      {"nearly opposite directions",
       "G0 X0 Y0\nG1 X50 Y0\nG3 X50 Y10 I0 J5\nG1 X0 Y9.9999995\nG3 X0 Y0 I0 J-4.99999975\n",
       6, false},
      {"slot wide enough",
       "G0 X0 Y0\nG1 X50 Y0\nG3 X50 Y10 I0 J5\nG1 X0 Y10\nG3 X0 Y0 I0 J-5\n", 4, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    p.Load(c.text);
    p.Table({{1, 1}});
    p.Tool(c.R, 0);
    ASSERT_TRUE(p.insel.CollectContours());
    EXPECT_EQ(p.insel.OffsetContours(), c.ok);
    if (c.ok) ExpectClosedGroups(p.insel.Offsets);
    for (int i = 1; i <= p.insel.Offsets.Count(); ++i) {
      const InselT& e = Rec(p.insel.Offsets, i);
      for (double v : {e.V1, e.V2, e.V3, e.V4}) EXPECT_LT(std::fabs(v), 1000) << "record " << i;
    }
  }
}

TEST(PocketOffset, HalfCirclesSurviveTheirJoins) {
  // A D: the flat side along y = 0 in two pieces and a half circle of radius 20 over it.
  const char* const D = "G0 X-20 Y0\nG1 X0 Y0\nG1 X20 Y0\nG3 X-20 Y0 I-20 J0\n";
  struct Case {
    const char* name;
    const char* text;
    int number;
    double R;
  };
  const Case cases[] = {
      {"D-shaped pocket", D, 1, 2},
      {"D-shaped pocket, reversed and offset to the right", D, -1, -2},
      // An arc of more than a half over a chord below its centre, trimmed to less than a half.
      {"arc over pi trimmed below pi", "G0 X-19 Y-5\nG1 X0 Y-5\nG1 X19 Y-5\nG3 X-19 Y-5 R-20\n",
       1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    p.Load(c.text);
    p.Table({{c.number, 1}});
    p.Tool(c.R, 0);
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_TRUE(p.insel.OffsetContours());
    ASSERT_EQ(p.insel.Offsets.Count(), 3);
    ExpectClosedGroups(p.insel.Offsets);
    int arcs = 0;
    double sweep = 0;
    for (int i = 1; i <= 3; ++i) {
      const InselT& e = Rec(p.insel.Offsets, i);
      if (e.Kind != 2) continue;
      ++arcs;
      sweep = std::fabs(TFormaDaten::ArcSweep(e.V3, e.V4, e.V5));
    }
    EXPECT_EQ(arcs, 1);
    EXPECT_GT(sweep, 2.5);
    EXPECT_LT(sweep, Pi);
  }
}

TEST(PocketOffset, IslandAsAFullCircleOfTwoRadiusArcsCollectedBackwards) {
  // An 80 x 50 pocket and a round island of radius 10 about (40, 25) written clockwise as
  // two half circles in the radius form. Collected backwards it runs counter-clockwise,
  // so type 2 (to the right of travel) moves it outwards: 10 + 3 + 0.5.
  Pocket p;
  p.Load("%1\nG1 X0 Y0\nX80\nY50\nX0\nY0\n%2\nG1 X50 Y25\nG2 X30 Y25 R10\nG2 X50 Y25 R10\n");
  p.Table({{1, 1}, {-2, 2}});
  p.Tool(3, 0.5);
  p.insel.Params.A = Pi / 2;  // hatch along +y: the start lies farthest along +x
  ASSERT_TRUE(p.insel.CollectContours());
  ExpectRecords(p.insel.Contours, {{1, 0, 0, 80, 0, 0},
                                   {1, 80, 0, 80, 50, 0},
                                   {1, 80, 50, 0, 50, 0},
                                   {1, 0, 50, 0, 0, 0},
                                   {2, 40, 25, 10, 0, Pi},  // the upper half, now first
                                   {2, 40, 25, 10, Pi, 0}});
  ASSERT_TRUE(p.insel.OffsetContours());
  ExpectRecords(p.insel.Offsets, {{1, 3.5, 3.5, 76.5, 3.5, 0},
                                  {1, 76.5, 3.5, 76.5, 46.5, 0},
                                  {1, 76.5, 46.5, 3.5, 46.5, 0},
                                  {1, 3.5, 46.5, 3.5, 3.5, 0},
                                  {2, 40, 25, 13.5, 0, Pi},
                                  {2, 40, 25, 13.5, Pi, 0}});
  ExpectClosedGroups(p.insel.Offsets);
  // The right edge lies along the hatch; the first of its equal samples is the end of the
  // bottom edge.
  ASSERT_TRUE(p.insel.FindStart());
  EXPECT_NEAR(p.insel.StartPoint.X, 76.5, Tol);
  EXPECT_NEAR(p.insel.StartPoint.Y, 3.5, Tol);
}

// ---- The start point ----

// The lowest y of all offset records, sampled finely.
double LowestY(const RecordList<InselT>& list) {
  double low = std::numeric_limits<double>::infinity();
  for (int i = 1; i <= list.Count(); ++i) {
    const InselT& e = Rec(list, i);
    if (e.Kind == 1) {
      low = std::min({low, e.V2, e.V4});
    } else {
      const double sweep = TFormaDaten::ArcSweep(e.V3, e.V4, e.V5);
      for (int k = 0; k <= 3600; ++k) {
        low = std::min(low, e.V2 + std::fabs(e.V3) * std::sin(e.V4 + k * sweep / 3600));
      }
    }
  }
  return low;
}

TEST(PocketStart, HatchAngleZeroStartsAtTheLowestPoint) {
  struct Case {
    const char* name;
    const char* text;
    std::vector<TFormaEditorInsel::ContourEntryT> table;
    double x, y;
  };
  const Case cases[] = {
      // The first sample of the bottom edge: its start.
      {"rectangle with islands", RectangleWithIslands, {{1, 1}, {2, 1}, {3, 1}}, 3.2, 3.2},
      // Reversed, the left edge comes first and starts in the corner.
      {"rectangle entered backwards", RectangleWithIslands, {{-1, 2}, {2, 1}}, 3.2, 3.2},
      // A circle of radius 20 offset to 16.8: its lowest point ends the second arc.
      {"circle", "G0 X20 Y0\nG3 X-20 Y0 I-20 J0\nG3 X0 Y-20 I20 J0\nG3 X20 Y0 I0 J20\n",
       {{1, 1}}, 0, -16.8},
      // Farther out than the reference line of the machine's usual range.
      {"far below the origin",
       "G0 X0 Y-40100\nG1 X100 Y-40100\nG1 X100 Y-40000\nG1 X0 Y-40000\nG1 X0 Y-40100\n",
       {{1, 1}}, 3.2, -40096.8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    p.Load(c.text);
    int k = 1;
    for (const auto& e : c.table) p.insel.ContourTable(k++) = e;
    p.Tool(3, 0.2);
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_TRUE(p.insel.OffsetContours());
    ASSERT_TRUE(p.insel.FindStart());
    EXPECT_NEAR(p.insel.StartPoint.X, c.x, 1e-6);
    EXPECT_NEAR(p.insel.StartPoint.Y, c.y, 1e-6);
    EXPECT_NEAR(p.insel.StartPoint.Y, LowestY(p.insel.Offsets), 1e-6);
  }
}

TEST(PocketStart, StartLiesFarthestToTheRightOfTheHatchDirection) {
  struct Case {
    double degrees, x, y;
  };
  // A circle of radius 16.8 about the origin after the offset, in four quarters.
  const Case cases[] = {{90, 16.8, 0}, {180, 0, 16.8}, {270, -16.8, 0}, {360, 0, -16.8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    Pocket p;
    p.Load("G0 X20 Y0\nG3 X0 Y20 I-20 J0\nG3 X-20 Y0 I0 J-20\nG3 X0 Y-20 I20 J0\n"
           "G3 X20 Y0 I0 J20\n");
    p.Table({{1, 1}});
    p.Tool(3, 0.2);
    p.insel.Params.A = c.degrees * Pi / 180;
    ASSERT_TRUE(p.insel.CollectContours());
    ASSERT_TRUE(p.insel.OffsetContours());
    ASSERT_TRUE(p.insel.FindStart());
    EXPECT_NEAR(p.insel.StartPoint.X, c.x, 1e-6);
    EXPECT_NEAR(p.insel.StartPoint.Y, c.y, 1e-6);
  }
}

TEST(PocketStart, HugeLinesEndTheSearch) {
  // Lines far beyond any machine, as a join of nearly parallel edges can leave them: the
  // search still ends, and on a line the best sample is one of its ends.
  struct Case {
    const char* name;
    double x1, y1, x2, y2;
    double x, y;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {"falling to its end", 0, 0, 1e300, -1e300, 1e300, -1e300},
      {"rising from its start", 0, -5, 1e300, 1e300, 0, -5},
      {"level: the start is the first of equal samples", -1e300, -5, 1e300, -5, -1e300, -5},
      {"infinitely long", 0, -5, inf, 0, 0, -5},
      {"just longer than sampled finely", 0, 0, 2e5, -1, 2e5, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    InselT e;
    e.Group = 1;
    e.Kind = 1;
    e.V1 = c.x1;
    e.V2 = c.y1;
    e.V3 = c.x2;
    e.V4 = c.y2;
    ASSERT_TRUE(p.insel.Offsets.Add(e));
    ASSERT_TRUE(p.insel.FindStart());
    EXPECT_EQ(p.insel.StartPoint.X, c.x);
    EXPECT_EQ(p.insel.StartPoint.Y, c.y);
  }
}

TEST(PocketStart, NoOffsetsNoStart) {
  Pocket p;
  EXPECT_FALSE(p.insel.FindStart());
}

// ---- Chains of the path ----

InselT PathLine(double x1, double y1, double x2, double y2) {
  return TFormaEditorInsel::LineRecord(x1, y1, x2, y2, 0);
}

TEST(PocketChains, ANewChainStartsWhereThePathJumps) {
  Pocket p;
  p.insel.Path.Add(PathLine(0, 0, 10, 0));
  p.insel.Path.Add(PathLine(10, 0.0005, 10, 10));  // within 0.001: same chain
  InselT arc;
  arc.Kind = 2;
  arc.V1 = 10;
  arc.V2 = 20;
  arc.V3 = 10;
  arc.V4 = 1.5 * Pi;
  arc.V5 = 0;  // from (10,10) to (20,20)
  p.insel.Path.Add(arc);
  p.insel.Path.Add(PathLine(20, 20.002, 0, 0));  // jumps
  p.insel.Path.Add(PathLine(5, 5, 6, 6));          // jumps
  std::int32_t count = -1;
  std::int32_t chains = -1;
  p.insel.CountChains(count, chains);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(chains, 3);
  const double expected[] = {1, 1, 1, 2, 3};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(Rec(p.insel.Path, i).Chain, expected[i - 1]) << i;
}

TEST(PocketChains, EmptyPathLeavesChainsAlone) {
  Pocket p;
  std::int32_t count = -1;
  std::int32_t chains = 7;
  p.insel.CountChains(count, chains);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(chains, 7);
}

}  // namespace
}  // namespace movra
