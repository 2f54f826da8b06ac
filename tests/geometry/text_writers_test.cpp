// Contour text and subprograms written from the store: tables of element fixtures with the
// lines they must give, and a random round trip of contour text through the interpreter.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/forma_geom.h"
#include "geometry/text_writers.h"
#include "interpreter_support.h"

namespace movra {
namespace {

using GeomT = TFormaGeom::GeomT;
constexpr double Pi = std::numbers::pi;

// An element of a fixture: a line from (a, b) to (c, d), or an arc about (a, b) with signed
// radius c from angle d to angle e (degrees).
struct Item {
  char kind;  // 'L' or 'A'
  double a, b, c, d, e;
  int no = 1;
  int side = 0;
  double feed = 0.0;
  const char* name = "";
};

Item L(double x1, double y1, double x2, double y2, int no = 1, int side = 0, double feed = 0) {
  return {'L', x1, y1, x2, y2, 0, no, side, feed};
}
Item A(double cx, double cy, double r, double a1, double a2, int no = 1, int side = 0,
        double feed = 0) {
  return {'A', cx, cy, r, a1, a2, no, side, feed};
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

// Appends an element with the values V1..V5 as the store keeps them (angles in radians).
void Append(TFormaGeom& geom, double kind, const std::array<double, 5>& v, int no = 1,
            int side = 0, double feed = 0.0, const char* name = "") {
  ASSERT_TRUE(geom.NewElement());
  GeomT& e = *geom.CurElement();
  e.GeomNo = no;
  e.Side = static_cast<std::uint8_t>(side);
  e.Feed = feed;
  e.Name = name;
  e.Kind = kind;
  e.V1 = v[0];
  e.V2 = v[1];
  e.V3 = v[2];
  e.V4 = v[3];
  e.V5 = v[4];
}

void Fill(TFormaGeom& geom, const std::vector<Item>& items) {
  for (const Item& p : items) {
    if (p.kind == 'L')
      Append(geom, 1, {p.a, p.b, p.c, p.d, 0.0}, p.no, p.side, p.feed, p.name);
    else
      Append(geom, 2, {p.a, p.b, p.c, p.d * Pi / 180, p.e * Pi / 180}, p.no, p.side, p.feed,
             p.name);
  }
}

// Writes the fixture with Write(geom, list) and checks the lines; a false result must leave
// no line.
template <class Writer>
void ExpectLines(const std::vector<Item>& items, const char* lines, Writer Write) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  Fill(geom, items);
  std::vector<std::string> list{"stale"};
  const bool ok = Write(geom, list);
  EXPECT_EQ(Joined(list), lines);
  EXPECT_EQ(ok, !list.empty());
}

// ---- Contour text ----

struct TextCase {
  const char* name;
  std::vector<Item> items;
  int number;
  const char* comment;
  const char* dtext;
  const char* lines;  // expected, one per "\n"; "" = result false and no line
};

class ContourText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ContourText, Writes) {
  const TextCase& c = GetParam();
  ExpectLines(c.items, c.lines, [&c](const TFormaGeom& geom, std::vector<std::string>& list) {
    return GeometryToText(geom, c.number, TextModeCoordinates, c.comment, c.dtext, list);
  });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContourText,
    ::testing::Values(
        TextCase{"TwoLinesWithSide", {L(0, 0, 10, 0, 1, 1), L(10, 0, 10, 10, 1, 1)}, 1, "", "",
                 "()\ng41\nx0 y0\nx10\ny10\n"},
        TextCase{"QuarterArcCounterClockwise", {A(0, 0, 5, 0, 90)}, 1, "", "",
                 "()\ng40\nx5 y0\nx0 y5 b5\n"},
        TextCase{"ClockwiseArcOverAHalfCircle", {A(0, 0, -5, 0, 90)}, 1, "", "",
                 "()\ng40\nx5 y0\nx0 y5 b-5 2\n"},
        TextCase{"HalfCircleIsNoLongArc", {A(0, 0, 5, 0, 180)}, 1, "", "",
                 "()\ng40\nx5 y0\nx-5 b5\n"},
        TextCase{"SinglePointGivesItsStartOnly", {L(3, 4, 3, 4, 1, 2)}, 1, "", "",
                 "()\ng42\nx3 y4\n"},
        TextCase{"DrillingSideAndParameters", {L(1.5, 2, 7.25, 2, 1, 3)}, 1, " 50% (a) ", "8",
                 "(50 (a))\ng81\nd8\nx1.5 y2\nx7.25\n"},
        TextCase{"CommentWithoutPercentTrimmed", {L(0, 0, 1, 0)}, 1, " %Plate% ", " ",
                 "(Plate)\ng40\nx0 y0\nx1\n"},
        TextCase{"GapLiftsThePen",
                 {L(0, 0, 10, 0), L(20, 0, 20, 5)}, 1, "", "",
                 "()\ng40\nx0 y0\nx10\n|\n x20  y0 \ny5\n"},
        TextCase{"EndsCloserThanAThousandthAreJoined",
                 {L(0, 0, 10, 0), L(10.0009, 0, 10, 5)}, 1, "", "",
                 "()\ng40\nx0 y0\nx10\nx10 y5\n"},
        TextCase{"ZeroLengthElementIsSkippedButComparedWith",
                 {L(0, 0, 10, 0), L(12, 0, 12, 0), L(12, 0, 12, 5)}, 1, "", "",
                 "()\ng40\nx0 y0\nx10\n|\n x12  y0 \ny5\n"},
        TextCase{"ElementsOfAnotherNumberBetweenAreNotCompared",
                 {L(0, 0, 10, 0), L(50, 50, 60, 60, 2), L(30, 0, 30, 5)}, 1, "", "",
                 "()\ng40\nx0 y0\nx10\ny5\n"},
        TextCase{"OnlyTheNumberIsWritten",
                 {L(0, 0, 10, 0, 2), L(1, 1, 2, 2, 7, 1), L(2, 2, 3, 3, 7, 1)}, 7, "", "",
                 "()\ng41\nx1 y1\nx2 y2\nx3 y3\n"},
        TextCase{"SixDecimalsAndNoNegativeZero",
                 {L(-0.0000004, 1.23456789, 999999, -2.5)}, 1, "", "",
                 "()\ng40\nx0 y1.234568\nx999999 y-2.5\n"},
        // An arc without radius writes nothing and lifts no pen between its neighbours.
        TextCase{"ZeroRadiusArcIsNoGap",
                 {L(0, 0, 10, 0), A(9, 9, 0, 0, 0), L(10, 0, 10, 5)}, 1, "", "",
                 "()\ng40\nx0 y0\nx10\ny5\n"},
        TextCase{"NumberWithoutElementsEmptiesTheList", {L(0, 0, 1, 0, 2)}, 1, "", "", ""}),
    [](const ::testing::TestParamInfo<TextCase>& p) { return std::string(p.param.name); });

TEST(ContourTextStore, EmptyStoreLeavesTheListAlone) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  std::vector<std::string> list{"kept"};
  EXPECT_FALSE(GeometryToText(geom, 1, TextModeCoordinates, "", "", list));
  EXPECT_EQ(list, std::vector<std::string>{"kept"});
}

TEST(ContourTextStore, WritingLeavesTheCurrentElementAlone) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  Fill(geom, {L(0, 0, 1, 0), L(1, 0, 1, 1)});
  geom.SetCurElement(1);
  std::vector<std::string> list;
  EXPECT_TRUE(GeometryToText(geom, 1, TextModeCoordinates, "", "", list));
  EXPECT_TRUE(GeometryToSubprogram(geom, list, 1, 17));
  EXPECT_EQ(geom.CurElementSlot(), 1);
}

// ---- Subprograms ----

struct SubCase {
  const char* name;
  std::vector<Item> items;
  double number;
  double plane;
  const char* lines;  // expected, one per "\n"; "" = result false and no line
};

class Subprogram : public ::testing::TestWithParam<SubCase> {};

TEST_P(Subprogram, Writes) {
  const SubCase& c = GetParam();
  ExpectLines(c.items, c.lines, [&c](const TFormaGeom& geom, std::vector<std::string>& list) {
    return GeometryToSubprogram(geom, list, c.number, c.plane);
  });
}

Item Named(Item p, const char* name) {
  p.name = name;
  return p;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Subprogram,
    ::testing::Values(
        SubCase{"PlateWithRapidFeedAndCorrection",
                {Named(L(-5, -5, 0, 0, 5, 0, NoValue), "Plate"), L(0, 0, 10, 0, 5, 1, 200),
                 L(10, 0, 10, 10, 5, 1, 200)},
                5, 17,
                "%\nSPF5\n(Plate)\nG0 X-5 Y-5\nG0 X0 Y0\nG1 X10 F200 g41\nG1 Y10 G40\nM17\n"},
        SubCase{"G40OnTheFirstUncorrectedMove",
                {L(0, 0, 10, 0, 1, 2, 100), L(10, 0, 10, 10, 1, 2, 100),
                 L(10, 10, 0, 10, 1, 0, 300), L(0, 10, 0, 0, 1, 0, 300)},
                1, 17,
                "%\nSPF1\nG1 X0 Y0\nG1 X10 F100 g42\nG1 Y10\nG1 X0 F300 G40\nG1 Y0\nM17\n"},
        SubCase{"ArcsWithCentreOffsets",
                {A(0, 0, 5, 0, 90, 1, 0, 50), A(0, 10, -5, 270, 0, 1, 0, 50)}, 1, 17,
                "%\nSPF1\nG1 X5 Y0\nG3 X0 Y5 I-5 J0 F50\nG2 X5 Y10 I0 J5\nM17\n"},
        SubCase{"LatheAxesDoubleTheDiameterNotTheOffsets",
                {L(0, 0, 5, 10, 1, 0, 100), A(5, 0, 10, 90, 0, 1, 0, 100)}, 1, 18,
                "%\nSPF1\nG1 Z0 X0\nG1 Z5 X20 F100\nG3 Z15 X0 K0 I-10\nM17\n"},
        SubCase{"PlaneYZ", {A(0, 0, 5, 0, 90, 1, 0, 10)}, 1, 19,
                "%\nSPF1\nG1 Y5 Z0\nG3 Y0 Z5 J-5 K0 F10\nM17\n"},
        SubCase{"AllElementsUnderSPF0", {L(0, 0, 1, 0, 3), L(1, 0, 1, 1, 4)}, 300, 17,
                "%\nSPF0\nG1 X0 Y0\nG1 X1\nG1 Y1\nM17\n"},
        SubCase{"ZeroIsAllToo", {L(0, 0, 1, 0, 3)}, 0, 17, "%\nSPF0\nG1 X0 Y0\nG1 X1\nM17\n"},
        // The first drilling move's end is written too, not only its start.
        SubCase{"DrillingWritesBareCoordinates",
                {L(5, 5, 10, 5, 2, 3, 100), L(10, 5, 10, 12.5, 2, 3, 100)}, 2, 17,
                "%\nSPF2\nX5 Y5\nX10\nY12.5\nM17\n"},
        // Separate drilling points each get their line.
        SubCase{"DrillingPointsApart",
                {L(5, 5, 5, 5, 2, 3), L(10, 5, 10, 5, 2, 3), L(10, 7, 10, 7, 2, 3)}, 2, 17,
                "%\nSPF2\nX5 Y5\nX10 Y5\nX10 Y7\nM17\n"},
        // A chain apart from the last is reached by its own start line, so that its first
        // move (here an arc with offsets from its start) is made from the right point.
        SubCase{"GapIsReachedByAStartLine",
                {L(0, 0, 10, 0, 1, 0, 100), A(20, 0, 5, 180, 90, 1, 0, 100)}, 1, 17,
                "%\nSPF1\nG1 X0 Y0\nG1 X10 F100\nG1 X15 Y0\nG3 X20 Y5 I5 J0\nM17\n"},
        SubCase{"ZeroRadiusArcIsNoGap",
                {L(0, 0, 5, 0, 1, 0, 100), A(9, 9, 0, 0, 0, 1, 0, 100), L(5, 0, 5, 5, 1, 0, 100)},
                1, 17, "%\nSPF1\nG1 X0 Y0\nG1 X5 F100\nG1 Y5\nM17\n"},
        SubCase{"ArcBackToItsStartWritesNoLine",
                {L(0, 0, 5, 0, 1, 0, 100), A(0, 0, 5, 0, 360, 1, 0, 100), L(5, 0, 5, 5, 1, 0, 100)},
                1, 17, "%\nSPF1\nG1 X0 Y0\nG1 X5 F100\nG1 Y5\nM17\n"},
        SubCase{"MovesWithinAThousandthAreNotWritten",
                {L(0, 0, 5, 0, 1, 0, 100), L(5, 0, 5.0005, 3, 1, 0, 100)}, 1, 17,
                "%\nSPF1\nG1 X0 Y0\nG1 X5 F100\nG1 Y3\nM17\n"},
        // The corrected element writes nothing and nothing follows: no mark past the end.
        SubCase{"CorrectionWithoutAnyCorrectedMove",
                {L(0, 0, 10, 0, 1, 0, 100), L(10, 0, 10, 0.0005, 1, 1, 100)}, 1, 17,
                "%\nSPF1\nG1 X0 Y0\nG1 X10 F100\nM17\n"},
        // The uncorrected element writes nothing: the G40 stands on the last line.
        SubCase{"G40AfterTheLastLine",
                {L(0, 0, 10, 0, 1, 1, 100), L(10, 0, 10, 0.0005, 1, 0, 100)}, 1, 17,
                "%\nSPF1\nG1 X0 Y0\nG1 X10 F100 g41 G40\nM17\n"},
        SubCase{"NoElementOfTheNumberGivesTheFrame", {L(0, 0, 1, 0, 3)}, 7, 17,
                "%\nSPF7\nM17\n"},
        SubCase{"NegativeNumberFails", {L(0, 0, 1, 0, 3)}, -1, 17, ""},
        SubCase{"NoNumberFails", {L(0, 0, 1, 0, 3)}, std::nan(""), 17, ""},
        SubCase{"EmptyStoreFails", {}, 1, 17, ""}),
    [](const ::testing::TestParamInfo<SubCase>& p) { return std::string(p.param.name); });

// ---- Round trip through the interpreter ----

constexpr double RoundTripTolerance = 1e-6;
constexpr double MaxCoordinate = 999999;

// Coordinates on the grid of six decimals, so that the text holds them exactly.
double OnGrid(double v) { return std::round(v * 1e6) / 1e6; }

struct RandomContour {
  std::mt19937 rng;
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  double x = 0, y = 0;

  explicit RandomContour(unsigned seed) : rng(seed) {}

  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng); }
  double Coordinate() { return OnGrid(Uniform(-MaxCoordinate, MaxCoordinate)); }

  // A target near (x, y), at a distance of some scale between a hundredth and the whole field.
  void Target(double& tx, double& ty) {
    do {
      const double scale = std::pow(10.0, Uniform(-2, 6));
      tx = std::clamp(OnGrid(x + Uniform(-scale, scale)), -MaxCoordinate, MaxCoordinate);
      ty = std::clamp(OnGrid(y + Uniform(-scale, scale)), -MaxCoordinate, MaxCoordinate);
    } while (std::hypot(tx - x, ty - y) < 0.01);
  }

  void Add(double kind, double v1, double v2, double v3, double v4, double v5, int side) {
    Append(geom, kind, {v1, v2, v3, v4, v5}, 1, side);
  }

  // An arc from (x, y) to (tx, ty) of a radius on the grid, the centre found here from the
  // chord, not by the kernel that the interpreter uses.
  void AddArc(double tx, double ty, int side) {
    const double h = std::hypot(tx - x, ty - y) / 2;
    // The language takes no value beyond MaxCoordinate, radii included.
    const double r = std::min(std::ceil(h * Uniform(1.05, 5) * 1e6) / 1e6, MaxCoordinate);
    if (r < h * 1.05) {
      Add(1, x, y, tx, ty, 0, side);
      return;
    }
    const bool ccw = Uniform(0, 1) < 0.5;
    const bool large = Uniform(0, 1) < 0.3;
    const double s = std::sqrt(r * r - h * h);
    const double mx = (x + tx) / 2, my = (y + ty) / 2;
    const double nx = -(ty - y) / (2 * h), ny = (tx - x) / (2 * h);  // left of the chord
    const double sign = (ccw != large) ? 1.0 : -1.0;                // small ccw: centre left
    const double cx = mx + sign * s * nx, cy = my + sign * s * ny;
    Add(2, cx, cy, ccw ? r : -r, std::atan2(y - cy, x - cx), std::atan2(ty - cy, tx - cx), side);
  }

  void Build(int count, int side) {
    x = Coordinate();
    y = Coordinate();
    for (int k = 0; k < count; ++k) {
      if (k > 0 && Uniform(0, 1) < 0.15) {  // a gap
        x = Coordinate();
        y = Coordinate();
      }
      double tx = 0, ty = 0;
      Target(tx, ty);
      if (Uniform(0, 1) < 0.5)
        Add(1, x, y, tx, ty, 0, side);
      else
        AddArc(tx, ty, side);
      x = tx;
      y = ty;
    }
  }
};

std::string Describe(const GeomT& e) {
  std::ostringstream s;
  s.precision(12);
  s << (e.Kind == 1 ? "L " : "A ") << e.V1 << " " << e.V2 << " " << e.V3 << " " << e.V4 << " "
    << e.V5 << " S" << int(e.Side);
  return s.str();
}

bool SameElement(const GeomT& a, const GeomT& b) {
  const double t = RoundTripTolerance;
  if (a.Kind != b.Kind || a.Side != b.Side) return false;
  if (std::fabs(a.V1 - b.V1) > t || std::fabs(a.V2 - b.V2) > t || std::fabs(a.V3 - b.V3) > t)
    return false;
  if (a.Kind == 1) return std::fabs(a.V4 - b.V4) <= t;
  return TFormaDaten::SameDirection(a.V4, b.V4, t) && TFormaDaten::SameDirection(a.V5, b.V5, t);
}

TEST(ContourTextRoundTrip, CommentAndDiameterReadBackAsNameAndParameters) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  Fill(geom, {A(0, 0, 5, 0, 90, 1, 1), L(0, 5, -7.5, 5, 1, 1)});
  std::vector<std::string> text;
  ASSERT_TRUE(GeometryToText(geom, 1, TextModeCoordinates, "Plate", "8 10", text));
  transcript::Editor ed;
  ed.Run(text);
  EXPECT_EQ(ed.error, "");
  EXPECT_EQ(ed.geom.GeomNames(1), "Plate");
  EXPECT_EQ(ed.geom.GeomParams(1)(1), 8.0);
  EXPECT_EQ(ed.geom.GeomParams(1)(2), 10.0);
  EXPECT_TRUE(transcript::SameTranscript("A 0 0 5 0 90 #1 F0 S1\nL 0 5 -7.5 5 #1 F0 S1",
                                         transcript::Transcript(ed.geom)))
      << transcript::Transcript(ed.geom);
}

TEST(ContourTextRoundTrip, RandomContoursReadBackAsTheSameElements) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    RandomContour c(seed);
    const int side = static_cast<int>(seed % 4);
    c.Build(1 + static_cast<int>(seed % 40), side);
    std::vector<std::string> text;
    ASSERT_TRUE(GeometryToText(c.geom, 1, TextModeCoordinates, "", "", text));

    transcript::Editor ed;
    ed.Run(text);
    ASSERT_EQ(ed.error, "") << "seed " << seed << "\n" << Joined(text);
    ASSERT_EQ(ed.geom.ElementCount(), c.geom.ElementCount()) << "seed " << seed << "\n"
                                                             << Joined(text);
    for (int slot = 1; slot <= c.geom.ElementCount(); ++slot) {
      const GeomT& want = *c.geom.Elements(slot);
      const GeomT& got = *ed.geom.Elements(slot);
      ASSERT_TRUE(SameElement(want, got))
          << "seed " << seed << " slot " << slot << "\nwritten " << Describe(want)
          << "\nread    " << Describe(got) << "\n"
          << Joined(text);
    }
  }
}

}  // namespace
}  // namespace movra
