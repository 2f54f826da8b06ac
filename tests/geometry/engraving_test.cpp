// Engraving: the font reader, the placement of letters, the FTEXT line and the shipped font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "platform/core/text_file.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

using namespace transcript;
constexpr double Deg = 180.0 / std::numbers::pi;

// ---- The font reader: font text in, strokes out ----

// One stroke per line: "<code> L x1 y1 x2 y2" or "<code> A cx cy r a1 a2" (degrees).
std::string Strokes(const TFormaGeom& geom) {
  std::string out;
  for (const TFormaGeom::TGlyph& g : geom.Glyphs) {
    out += Num(g.Code);
    if (g.Kind == 2) {
      out += " A " + Num(g.V1) + " " + Num(g.V2) + " " + Num(g.V3) + " " + Num(g.V4 * Deg) + " " +
             Num(g.V5 * Deg);
    } else {
      out += " L " + Num(g.V1) + " " + Num(g.V2) + " " + Num(g.V3) + " " + Num(g.V4);
    }
    out += "\n";
  }
  return out;
}

struct FontCase {
  const char* name;
  const char* font;     // lines separated by "\n"
  bool loads;           // LoadEngravingFont's result
  double spaceWidth;
  const char* strokes;  // expected Strokes()
};

const FontCase FontCases[] = {
    {"TwoLinesAndTheBlank", "% K76\nX0 Y1\nY0\nX0.6\n% K32 0.3", true, 0.3,
     "76 L 0 1 0 0\n76 L 0 0 0.6 0"},
    {"LiftAfterTheStroke", "% K65\nX0 Y0\nX0.5 Y1 |\nX1 Y0", true, 0, "65 L 0 0 0.5 1"},
    {"LiftOnALineThatRecordsNothingDoesNothing", "% K65\nX0 Y0 |\nX1 Y0", true, 0,
     "65 L 0 0 1 0"},
    {"SamePointRecordsNothing", "% K65\nX0 Y0\nX0 Y0 |\nX1 Y0", true, 0, "65 L 0 0 1 0"},
    {"LowerCaseWordsDecimalCommaAndBlankLines", "\n  % k66  \n\nx0 y0\n\tx1,5 y-0,5\n", true, 0,
     "66 L 0 0 1.5 -0.5"},
    {"PointsBeforeTheFirstCharacterStartAtTheOrigin", "X1 Y0\n% K65\nX0 Y0\nX0 Y1", true, 0,
     "0 L 0 0 1 0\n65 L 0 0 0 1"},
    {"CoordinateNotGivenSinceThePercentLineMakesNoPoint", "% K65\nX1\nY1\nX2", true, 0,
     "65 L 1 1 2 1"},
    {"ShortArc", "% K79\nX0 Y0\nX1 Y0 B0.5", true, 0, "79 A 0.5 0 0.5 180 0"},
    {"LongArcByItsSecondValue", "% K79\nX0 Y0\nX1 Y0 B1 2", true, 0,
     "79 A 0.5 -0.866 1 120 60"},
    {"ClockwiseArc", "% K79\nX0 Y0\nX1 Y0 B-0.5", true, 0, "79 A 0.5 0 -0.5 180 0"},
    {"BZeroIsALine", "% K65\nX0 Y0\nX1 Y0 B0", true, 0, "65 L 0 0 1 0"},
    {"PercentWithoutCodeEndsTheFont", "% K65\nX0 Y0\nX1 Y0\n%\n% K66\nX0 Y0\nX1 Y1", true, 0,
     "65 L 0 0 1 0"},
    {"BlankWithoutWidthEndsTheFont", "% K65\nX0 Y0\nX1 Y0\n% K32\n% K66\nX0 Y0\nX1 Y1", true, 0,
     "65 L 0 0 1 0"},
    {"BlankWidthIsTakenAbsolute", "% K32 -0.4", true, 0.4, ""},
    {"WordWithoutNumberEndsTheFont", "% K65\nX0 Y0\nX1 Y0\nXA Y1\nX2 Y2", true, 0,
     "65 L 0 0 1 0"},
    {"ArcThatCannotBeEndsTheFont", "% K65\nX0 Y0\nX1 Y0\nX5 Y0 B1\nX6 Y0", true, 0,
     "65 L 0 0 1 0"},
    {"NothingReadIsNoFont", "% K65\nX0 Y0", false, 0, ""},
    {"EmptyTextIsNoFont", "", false, 0, ""},
};

class FontReader : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontReader, RecordsTheStrokes) {
  const FontCase& c = GetParam();
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FontText = SplitLines(c.font);
  EXPECT_EQ(geom.LoadEngravingFont(), c.loads);
  EXPECT_DOUBLE_EQ(geom.SpaceWidth, c.spaceWidth);
  EXPECT_EQ(geom.GlyphLast, static_cast<int>(geom.Glyphs.size()) - 1);
  const std::string got = Strokes(geom);
  EXPECT_TRUE(SameTranscript(c.strokes, got)) << "expected:\n" << c.strokes << "\ngot:\n" << got;
}

INSTANTIATE_TEST_SUITE_P(Engraving, FontReader, ::testing::ValuesIn(FontCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(FontReader, ReloadStartsFromAnEmptyTable) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FontText = {"% K32 0.3", "% K65", "X0 Y0", "X1 Y0"};
  ASSERT_TRUE(geom.LoadEngravingFont());
  geom.FontText = {"% K66", "X0 Y0"};
  EXPECT_FALSE(geom.LoadEngravingFont());
  EXPECT_TRUE(geom.Glyphs.empty());
  EXPECT_EQ(geom.GlyphLast, -1);
  EXPECT_EQ(geom.SpaceWidth, 0);
}

// ---- FTEXT lines on a tiny test font ----

// A spans 0..0.8, B 0..0.7, the blank 0.3. L is a corner: its upright from the top down to
// (0, 0), then its foot. O is a circle of diameter 1 from x 0; W is three units wide.
const char* const TestFont =
    "% K32 0.3\n"
    "% K65\nX0 Y0\nX0.4 Y1\nX0.8 Y0 |\n"
    "% K66\nX0 Y0\nX0 Y1\nX0.7 Y0 |\n"
    "% K73\nX0 Y0\nX0 Y1 |\n"
    "% K76\nX0 Y1\nX0 Y0\nX0.6 Y0 |\n"
    "% K79\nX0 Y0\nX1 Y0 B0.5\nX0 Y0 B0.5 |\n"
    "% K87\nX0 Y0\nX3 Y0 |\n"
    "% K97\nX0 Y0\nX0.5 Y0 |\n"
    "% K228\nX0 Y0\nX0.5 Y0.5 |\n"
    "% K1046\nX0 Y0\nX0.2 Y0 |";

struct Engraver : Editor {
  Engraver() { geom.FontText = SplitLines(TestFont); }
};

void ExpectEngraves(const ProgramCase& c) {
  Engraver ed;
  ed.Run(std::string(c.program));
  EXPECT_EQ(ed.error, c.error) << "program:\n" << c.program;
  const std::string got = Transcript(ed.geom);
  EXPECT_TRUE(SameTranscript(c.elements, got))
      << "program:\n" << c.program << "\nexpected:\n" << c.elements << "\ngot:\n" << got;
}

const char* const AB =
    "L 0 0 4 10 #1 F0 S0\nL 4 10 8 0 #1 F0 S0\n"
    "L 11 0 11 10 #1 F0 S0\nL 11 10 18 0 #1 F0 S0";

const ProgramCase EngravingLines[] = {
    {"LettersSideBySideOneGapApart", "FTEXT X0 Y0 H10 {AB}", "", AB},
    {"BlankIsOneGapMore", "FTEXT X0 Y0 H10 {A B}", "",
     "L 0 0 4 10 #1 F0 S0\nL 4 10 8 0 #1 F0 S0\n"
     "L 14 0 14 10 #1 F0 S0\nL 14 10 21 0 #1 F0 S0"},
    {"KWidensTheGapsOnly", "FTEXT X0 Y0 H10 K2 {AB}", "",
     "L 0 0 4 10 #1 F0 S0\nL 4 10 8 0 #1 F0 S0\n"
     "L 14 0 14 10 #1 F0 S0\nL 14 10 21 0 #1 F0 S0"},
    {"KAboveTwoIsTwo", "FTEXT X0 Y0 H10 K5 {IB}", "",
     "L 0 0 0 10 #1 F0 S0\nL 6 0 6 10 #1 F0 S0\nL 6 10 13 0 #1 F0 S0"},
    {"KBelowHalfIsHalf", "FTEXT X0 Y0 H10 K0.1 {IB}", "",
     "L 0 0 0 10 #1 F0 S0\nL 1.5 0 1.5 10 #1 F0 S0\nL 1.5 10 8.5 0 #1 F0 S0"},
    {"HeightBelowOneIsOne", "FTEXT X0 Y0 H0.5 {I}", "", "L 0 0 0 1 #1 F0 S0"},
    {"HeightAbove500Is500", "FTEXT X0 Y0 H800 {I}", "", "L 0 0 0 500 #1 F0 S0"},
    {"NegativeHeightIsTakenAbsolute", "FTEXT X2 Y3 H-10 {I}", "", "L 2 3 2 13 #1 F0 S0"},
    {"RadiusAbove999EngravesStraight", "FTEXT X0 Y0 H10 R1500 {AB}", "", AB},
    {"TurnedByA", "FTEXT X0 Y0 H5 A90 {L}", "", "L -5 0 0 0 #1 F0 S0\nL 0 0 0 3 #1 F0 S0"},
    {"ArcGlyphScaledAndPlaced", "FTEXT X10 Y0 H4 {O}", "",
     "A 12 0 2 180 0 #1 F0 S0\nA 12 0 2 0 180 #1 F0 S0"},
    {"TextKeepsItsCase", "FTEXT X0 Y0 H10 {a}", "", "L 0 0 5 0 #1 F0 S0"},
    {"CodesAreCodePoints", "FTEXT X0 Y0 H10 {äЖ}", "",
     "L 0 0 5 5 #1 F0 S0\nL 8 0 10 0 #1 F0 S0"},
    {"CharacterWithoutGlyphIsAGap", "FTEXT X0 Y0 H10 {A@B}", "",
     "L 0 0 4 10 #1 F0 S0\nL 4 10 8 0 #1 F0 S0\n"
     "L 14 0 14 10 #1 F0 S0\nL 14 10 21 0 #1 F0 S0"},
    {"OpenBlockNumber", "%5\nFTEXT X0 Y0 H10 {I}", "", "L 0 0 0 10 #5 F0 S0"},
    {"ChainGoesOnFromTheLastStroke", "FTEXT X0 Y0 H10 {L}\nG1 X10 Y10", "",
     "L 0 10 0 0 #1 F0 S0\nL 0 0 6 0 #1 F0 S0\nL 6 0 10 10 #1 F0 S0"},
    // The text in braces is no program words: no circle from R60, no comment, no ";" cut,
    // no skipped line or section.
    {"WordsInTheTextAreNotRead", "FTEXT X0 Y0 H10 {A R60 MM}", "",
     "L 0 0 4 10 #1 F0 S0\nL 4 10 8 0 #1 F0 S0"},
    {"CommentSemicolonAndSlashesInTheText",
     "FTEXT X0 Y0 H10 {A (x) ; / //B}\n|\nG1 X0 Y-5\nX5", "",
     "L 0 0 4 10 #1 F0 S0\nL 4 10 8 0 #1 F0 S0\n"
     "L 44 0 44 10 #1 F0 S0\nL 44 10 51 0 #1 F0 S0\nL 0 -5 5 -5 #1 F0 S0"},
    {"CommentOutsideTheBracesStillNames", "%2\nFTEXT X0 Y0 H10 {I} (plate)", "",
     "L 0 0 0 10 #2 F0 S0"},
    // Refused lines add nothing.
    {"MissingX", "FTEXT Y0 H10 {A}", "N1 [ FTEXT Y0 H10 {A} ]", ""},
    {"MissingY", "FTEXT X0 H10 {A}", "N1 [ FTEXT X0 H10 {A} ]", ""},
    {"MissingH", "FTEXT X0 Y0 {A}", "N1 [ FTEXT X0 Y0 {A} ]", ""},
    {"HWithoutValue", "FTEXT X0 Y0 H {A}", "N1 [ FTEXT X0 Y0 H {A} ]", ""},
    {"EmptyText", "FTEXT X0 Y0 H5 {}", "N1 [ FTEXT X0 Y0 H5 {} ]", ""},
    {"OnlyBlanks", "FTEXT X0 Y0 H5 {   }", "N1 [ FTEXT X0 Y0 H5 {   } ]", ""},
    {"NoClosingBrace", "FTEXT X0 Y0 H5 {A", "N1 [ FTEXT X0 Y0 H5 {A ]", ""},
    {"ClosingBeforeOpening", "FTEXT X0 Y0 H5 }A{", "N1 [ FTEXT X0 Y0 H5 }A{ ]", ""},
    {"NoGlyphAtAll", "FTEXT X0 Y0 H5 {@#}", "N1 [ FTEXT X0 Y0 H5 {@#} ]", ""},
    {"CircleNotAboveTheHeight", "FTEXT X0 Y0 R10 H10 {A}", "N1 [ FTEXT X0 Y0 R10 H10 {A} ]", ""},
    {"StepBeyondTheDiameter", "FTEXT X0 Y0 R11 H10 {WA}", "N1 [ FTEXT X0 Y0 R11 H10 {WA} ]", ""},
    {"WideLastLetterNeedsNoStep", "FTEXT X0 Y0 R11 H10 {W}", "",
     "L 11 0 11 -30 #1 F0 S0"},
    {"RefusedAfterEarlierElements", "G1 X0 Y0\nX5\nFTEXT X0 Y0 H5 {@}",
     "N3 [ FTEXT X0 Y0 H5 {@} ]", "L 0 0 5 0 #1 F0 S0"},
};

class EngravingLine : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(EngravingLine, Engraves) { ExpectEngraves(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Engraving, EngravingLine, ::testing::ValuesIn(EngravingLines), CaseName);

TEST(EngravingLine, WithoutFontEveryTextIsRefused) {
  Editor ed;  // no font text at all
  ed.Run("FTEXT X0 Y0 H5 {A}");
  EXPECT_EQ(ed.error, "N1 [ FTEXT X0 Y0 H5 {A} ]");
  EXPECT_EQ(ed.geom.ElementCount(), 0);
}

// ---- Text on a circle ----

double Polar(double x, double y) { return std::atan2(y, x); }

TEST(EngravingCircle, LettersStandOnTheCircleClockwiseAndUpright) {
  for (const double a : {0.0, 90.0}) {
    Engraver ed;
    ed.Run("FTEXT X0 Y0 R50 H5 A" + Num(a) + " {LLL}");
    ASSERT_EQ(ed.error, "");
    ASSERT_EQ(ed.geom.ElementCount(), 6);
    double previous = 0;
    TFormaDaten::PointT lastCorner{};
    for (int k = 0; k < 3; ++k) {
      // The upright ends in the corner; the foot leaves it.
      const TFormaGeom::GeomT& up = *ed.geom.Elements(2 * k + 1);
      const TFormaDaten::PointT corner{up.V3, up.V4};
      EXPECT_NEAR(std::hypot(corner.X, corner.Y), 50, 1e-9) << "letter " << k;
      const double polar = Polar(corner.X, corner.Y);
      if (k == 0) {
        EXPECT_NEAR(polar, a / Deg, 1e-9);
      } else {
        EXPECT_LT(polar, previous) << "clockwise, letter " << k;
        // Neighbours keep the letter's width plus the gap between their feet.
        EXPECT_NEAR(std::hypot(corner.X - lastCorner.X, corner.Y - lastCorner.Y), (0.6 + 0.3) * 5,
                    1e-9);
      }
      // The upright points away from the centre, 5 long.
      EXPECT_NEAR(up.V1, corner.X * 55 / 50, 1e-9);
      EXPECT_NEAR(up.V2, corner.Y * 55 / 50, 1e-9);
      previous = polar;
      lastCorner = corner;
    }
  }
}

TEST(EngravingCircle, ArcGlyphKeepsItsRadiusAndTurnsItsAngles) {
  Engraver ed;
  ed.Run("FTEXT X0 Y0 R50 H4 {O}");
  ASSERT_EQ(ed.error, "");
  const TFormaGeom::GeomT& lower = *ed.geom.Elements(1);
  // The circle's left end sits on the circle at the polar angle 0; the glyph turned by -90.
  EXPECT_NEAR(lower.V1, 50, 1e-9);
  EXPECT_NEAR(lower.V2, -2, 1e-9);
  EXPECT_NEAR(lower.V3, 2, 1e-12);
  EXPECT_NEAR(lower.V4 * Deg, 90, 1e-9);
  EXPECT_NEAR(lower.V5 * Deg, 270, 1e-9);
}

// ---- The scratch geometries of earlier lines ----

TEST(EngraveText, DisposesScratchGeometriesButKeepsDerivedCopies) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FontText = SplitLines(TestFont);
  for (const int number : {1000, 1003, 600}) {
    ASSERT_TRUE(geom.NewElement());
    geom.CurElement()->GeomNo = number;
    geom.CurElement()->Kind = 1;
  }
  ASSERT_TRUE(geom.EngraveText("I", 3, 0, 0, 0, 0, 10, 1));
  geom.CompactElements();
  std::vector<int> numbers;
  for (int slot = 1; slot <= geom.ElementCount(); ++slot)
    numbers.push_back(geom.Elements(slot)->GeomNo);
  EXPECT_EQ(numbers, (std::vector<int>{1003, 3}));
}

// Each text line purges; a purge walks only what came since the last one, so what came since
// and what was moved in front must still be found.
TEST(EngraveText, EveryLinePurgesTheScratchMadeSinceTheLastOne) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FontText = SplitLines(TestFont);
  const auto add = [&](int number) {
    ASSERT_TRUE(geom.NewElement());
    geom.CurElement()->GeomNo = number;
    geom.CurElement()->Kind = 1;
  };
  add(1000);
  ASSERT_TRUE(geom.EngraveText("I", 1, 0, 0, 0, 0, 10, 1));
  add(1001);
  add(999);
  ASSERT_TRUE(geom.EngraveText("I", 2, 0, 0, 0, 0, 10, 1));
  add(600);
  geom.MoveLastElementTo(0);
  ASSERT_TRUE(geom.EngraveText("I", 3, 0, 0, 0, 0, 10, 1));
  geom.CompactElements();
  std::vector<int> numbers;
  for (int slot = 1; slot <= geom.ElementCount(); ++slot)
    numbers.push_back(geom.Elements(slot)->GeomNo);
  EXPECT_EQ(numbers, (std::vector<int>{1, 1001, 2, 3}));
}

TEST(EngraveText, NoValueCountsAsZeroAndFillsNothingWhenTheStoreIsFull) {
  TFormaDaten daten;
  TFormaGeom geom(daten, "");
  geom.FontText = SplitLines(TestFont);
  ASSERT_TRUE(geom.EngraveText("I", 1, NoValue, NoValue, NoValue, 0, 10, NoValue));
  EXPECT_EQ(Transcript(geom), "L 0 0 0 10 #1 F0 S0\n");
  while (geom.ElementCount() < TFormaGeom::MaxElements - 1) ASSERT_TRUE(geom.NewElement());
  // L needs two slots, one is left: nothing is added.
  EXPECT_FALSE(geom.EngraveText("L", 1, 0, 0, 0, 0, 10, 1));
  EXPECT_EQ(geom.ElementCount(), TFormaGeom::MaxElements - 1);
  EXPECT_TRUE(geom.EngraveText("I", 1, 0, 0, 0, 0, 10, 1));
}

// ---- The shipped font ----

const std::string ShippedFont =
    std::string(MOVRA_TEST_DATA) + "/../../resources/folders/Default/Engraving.txt";

struct Range {
  double Min = 1e300;
  double Max = -1e300;
  void Widen(double v) {
    Min = std::min(Min, v);
    Max = std::max(Max, v);
  }
};

// The extent of a line or arc along X (Axis 0) or Y (Axis 1).
void Widen(Range& r, int Axis, double Kind, double V1, double V2, double V3, double V4,
           double V5) {
  if (Kind != 2) {
    r.Widen(Axis == 0 ? V1 : V2);
    r.Widen(Axis == 0 ? V3 : V4);
    return;
  }
  const double radius = std::fabs(V3);
  for (const double angle : {V4, V5})
    r.Widen(Axis == 0 ? V1 + radius * std::cos(angle) : V2 + radius * std::sin(angle));
  for (const double s : {-1.0, 1.0}) {
    const double px = Axis == 0 ? V1 + s * radius : V1;
    const double py = Axis == 0 ? V2 : V2 + s * radius;
    if (TFormaDaten::PointOnArc(V1, V2, V3, V4, V5, px, py)) r.Widen(Axis == 0 ? px : py);
  }
}

std::vector<std::uint32_t> ListedCodes() {
  std::vector<std::uint32_t> codes;
  for (std::uint32_t c = 33; c <= 126; ++c) codes.push_back(c);
  for (std::uint32_t c : {196u, 214u, 220u, 228u, 246u, 252u, 223u, 1025u, 1105u})
    codes.push_back(c);
  for (std::uint32_t c = 1040; c <= 1103; ++c) codes.push_back(c);
  return codes;
}

class ShippedFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::ReadTextLines(ShippedFont, 1 << 20, false, geom.FontText));
    ASSERT_TRUE(geom.LoadEngravingFont());
    for (const TFormaGeom::TGlyph& g : geom.Glyphs) {
      auto& glyph = glyphs[static_cast<std::uint32_t>(g.Code)];
      Widen(glyph.X, 0, g.Kind, g.V1, g.V2, g.V3, g.V4, g.V5);
      Widen(glyph.Y, 1, g.Kind, g.V1, g.V2, g.V3, g.V4, g.V5);
      ++glyph.Strokes;
    }
  }
  struct Glyph {
    Range X, Y;
    int Strokes = 0;
  };
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  std::map<std::uint32_t, Glyph> glyphs;
};

TEST_F(ShippedFontTest, IsSmallPlainAsciiAndLoadsWhole) {
  std::ifstream in(ShippedFont, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_LT(bytes.size(), 300u * 1024u);
  for (const char c : bytes)
    ASSERT_TRUE(c == '\n' || (c >= ' ' && c <= '~')) << "byte " << static_cast<int>(c);
  // One code per "%" line; each one but the blank's has strokes, so the whole file was read.
  int percentLines = 0;
  std::set<std::string> codes;
  for (const std::string& line : geom.FontText) {
    if (line.empty() || line[0] != '%') continue;
    ++percentLines;
    EXPECT_TRUE(codes.insert(line).second) << "twice: " << line;
  }
  EXPECT_EQ(static_cast<int>(glyphs.size()), percentLines - 1);
  EXPECT_GT(geom.SpaceWidth, 0);
  EXPECT_EQ(glyphs.count(32), 0u);
}

TEST_F(ShippedFontTest, EveryListedCharacterHasSoundStrokesFromXZero) {
  for (const std::uint32_t code : ListedCodes()) {
    const auto it = glyphs.find(code);
    ASSERT_NE(it, glyphs.end()) << "no glyph for " << code;
    EXPECT_NEAR(it->second.X.Min, 0, 1e-3) << "glyph " << code << " starts away from x 0";
  }
  for (const TFormaGeom::TGlyph& g : geom.Glyphs) {
    for (const double v : {g.Code, g.Kind, g.V1, g.V2, g.V3, g.V4, g.V5})
      ASSERT_TRUE(std::isfinite(v)) << "glyph " << g.Code;
    const double length = g.Kind == 2
                              ? std::fabs(g.V3 * TFormaDaten::ArcSweep(g.V3, g.V4, g.V5))
                              : std::hypot(g.V3 - g.V1, g.V4 - g.V2);
    EXPECT_GE(length, 0.005) << "glyph " << g.Code;
  }
}

TEST_F(ShippedFontTest, CapitalsStandFromZeroToOne) {
  // The capitals without marks above or tails below.
  std::u32string capitals = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  capitals += U"АБВГЕЖЗИКЛМНОПРСТУФХЧШЪЫЬЭЮЯ";
  for (const char32_t c : capitals) {
    const Glyph& g = glyphs[static_cast<std::uint32_t>(c)];
    EXPECT_NEAR(g.Y.Min, 0, 1e-3) << "capital " << static_cast<std::uint32_t>(c);
    EXPECT_NEAR(g.Y.Max, 1, 1e-3) << "capital " << static_cast<std::uint32_t>(c);
  }
}

// Each letter of "Größe Привет" starts one gap after the previous one ends, two across the
// blank; turned by A90 the same holds along +Y.
TEST_F(ShippedFontTest, LettersOfAMixedTextKeepTheirGaps) {
  const std::u32string text = U"Größe Привет";
  for (const double a : {0.0, 90.0}) {
    Engraver ed;
    ed.geom.FontText = geom.FontText;
    ed.Run("FTEXT X0 Y0 H10 A" + Num(a) + " {Größe Привет}");
    ASSERT_EQ(ed.error, "");
    const int axis = a == 0 ? 0 : 1;
    const double gap = 10 * geom.SpaceWidth;
    int slot = 1;
    double previousEnd = 0;
    int gaps = 1;
    bool first = true;
    for (const char32_t c : text) {
      if (c == U' ') {
        ++gaps;
        continue;
      }
      Range r;
      for (int k = 0; k < glyphs[static_cast<std::uint32_t>(c)].Strokes; ++k, ++slot) {
        const TFormaGeom::GeomT* e = ed.geom.Elements(slot);
        ASSERT_NE(e, nullptr);
        Widen(r, axis, e->Kind, e->V1, e->V2, e->V3, e->V4, e->V5);
      }
      if (!first) {
        EXPECT_NEAR(r.Min - previousEnd, gaps * gap, 1e-6)
            << "letter " << static_cast<std::uint32_t>(c) << " at A" << a;
      }
      first = false;
      previousEnd = r.Max;
      gaps = 1;
    }
    EXPECT_EQ(slot, ed.geom.ElementCount() + 1);
  }
}

}  // namespace
}  // namespace movra
