// The colour list's key rules, the tool shape read from the tool field and the ISO view's
// text, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "editor/colour_tool_iso.h"
#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "geometry/text_writers.h"
#include "tests/editor/iso_support.h"

namespace movra {
namespace {

using platform::ColorValue;
constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kTol = 1e-12;

// ---- Tool field ----

struct ToolCase {
  const char* name;
  const char* text;
  int defined;
  double radius, angle1, angle2, size;  // angles in degrees; NoValue = not given
};

class ToolText : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ToolText, GivesTheShape) {
  const ToolCase& c = GetParam();
  TFormaDaten daten;
  EditorView view;
  view.ToolDefined = 1;  // whatever stood before is reset
  view.ToolRadius = view.ToolAngle1 = view.ToolAngle2 = view.ToolSize = 1.0;
  ReadToolShape(view, daten, c.text);
  EXPECT_EQ(view.ToolDefined, c.defined);
  const auto expect = [](double got, double want, double scale) {
    if (want == NoValue)
      EXPECT_EQ(got, NoValue);
    else
      EXPECT_NEAR(got, want * scale, kTol);
  };
  expect(view.ToolRadius, c.radius, 1.0);
  expect(view.ToolAngle1, c.angle1, kDeg);
  expect(view.ToolAngle2, c.angle2, kDeg);
  expect(view.ToolSize, c.size, 1.0);
  for (double v : {view.ToolRadius, view.ToolAngle1, view.ToolAngle2, view.ToolSize})
    EXPECT_TRUE(std::isfinite(v));
}

constexpr double N = NoValue;
INSTANTIATE_TEST_SUITE_P(
    Cases, ToolText,
    ::testing::Values(ToolCase{"Cutter", "10", 1, 5, N, N, N},
                      ToolCase{"Drill", "10 120", 1, 5, 120, N, N},
                      ToolCase{"DrillPointingBack", "20 -120", 1, 10, -120, N, N},
                      ToolCase{"TurningOutline", "-30 30 5", 1, N, -30, 30, 5},
                      ToolCase{"Empty", "", 0, N, N, N, N},
                      ToolCase{"Blanks", "   ", 0, N, N, N, N},
                      ToolCase{"Letters", "abc", 0, N, N, N, N},
                      ToolCase{"LettersBeforeANumber", "d10", 0, N, N, N, N},
                      ToolCase{"NegativeDiameter", "-10", 1, -5, N, N, N},
                      ToolCase{"ZeroPointAngle", "10 0", 1, 5, 0, N, N},
                      ToolCase{"FlatPointAngle", "10 180", 1, 5, 180, N, N},
                      ToolCase{"BeyondAnyWordValue", "1e308", 0, N, N, N, N},
                      ToolCase{"DecimalComma", "7,5", 1, 3.75, N, N, N},
                      ToolCase{"FourNumbersTakeThree", "0 90 5 7", 1, N, 0, 90, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToolTextLong, FiveHundredCharactersNeitherCrashNorGiveNonFiniteValues) {
  TFormaDaten daten;
  EditorView view;
  std::string digits(500, '9');
  ReadToolShape(view, daten, digits);
  EXPECT_EQ(view.ToolDefined, 0);
  std::string many;
  while (many.size() < 500) many += "1 ";
  ReadToolShape(view, daten, many);
  EXPECT_EQ(view.ToolDefined, 1);
  EXPECT_EQ(view.ToolSize, 1.0);
}

TEST(ToolTextVariables, ReadTheProgramVariablesAndLeaveTheValuesTableAlone) {
  TFormaDaten daten;
  daten.Vars(3) = 16;
  daten.GetWordValue("X 1 2", "X");  // the interpreter's line in progress
  EditorView view;
  ReadToolShape(view, daten, "#3");
  EXPECT_EQ(view.ToolRadius, 8.0);
  EXPECT_EQ(daten.Values(1), 1.0);
  EXPECT_EQ(daten.Values(2), 2.0);
}

// ---- Colour list keys ----

struct KeyCase {
  const char* name;
  ColorKey key;
  int row;
  std::optional<ColorValue> chosen;
  std::optional<ColorValue> preview;  // nothing: the key changes nothing
};

class ColorKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ColorKeys, GivePreview) {
  const KeyCase& c = GetParam();
  constexpr ColorValue kBefore = 0x123456;
  EXPECT_EQ(PreviewAfterColorKey(c.key, c.row, kBefore, c.chosen), c.preview);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorKeys,
    ::testing::Values(KeyCase{"EscOnMessages", ColorKey::Escape, 9, {}, 0x00FFFF},
                      KeyCase{"EscOnCursor", ColorKey::Escape, 0, {}, 0x0000FF},
                      KeyCase{"EscOnBackground", ColorKey::Escape, 1, {}, 0x000000},
                      KeyCase{"EscWithNoRowKeepsThePreview", ColorKey::Escape, -1, {}, 0x123456},
                      KeyCase{"EnterCancelled", ColorKey::Enter, 3, {}, {}},
                      KeyCase{"EnterChosen", ColorKey::Enter, 3, 0x00AA00, 0x00AA00},
                      KeyCase{"EnterChosenBlack", ColorKey::Enter, 3, 0x000000, 0x000000},
                      KeyCase{"OtherKeyKeepsThePreview", ColorKey::Other, 2, {}, 0x123456}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColorBars, ComposeRedGreenBlue) {
  EXPECT_EQ(BarColor(0, 200, 0), 0x00C800);
  EXPECT_EQ(BarColor(255, 0, 10), 0x0A00FF);
}

// ---- ISO view ----

class IsoView : public ::testing::Test {
 protected:
  // Geometries 12, 3 and 7, stored out of order.
  void ThreeGeometries() {
    testing::AddLine(geom_, 12, 0, 0, 12, 0);
    testing::AddLine(geom_, 3, 0, 0, 3, 0);
    testing::AddLine(geom_, 3, 3, 0, 3, 3);
    testing::AddLine(geom_, 7, 0, 0, 0, 7);
  }
  std::string Sub(int number, int plane) const { return testing::SubprogramText(geom_, number, plane); }

  TFormaDaten daten_;
  TFormaGeom geom_{daten_, ""};
};

TEST_F(IsoView, NumberShowsOnlyItsSubprogram) {
  ThreeGeometries();
  const IsoViewT v = BuildIsoView(geom_, daten_, "7", 17);
  EXPECT_TRUE(v.Shown);
  EXPECT_EQ(v.Text, Sub(7, 17));
  EXPECT_EQ(v.Text.rfind("%\nSPF7\n", 0), 0u);
}

TEST_F(IsoView, EmptyFieldShowsAllAscendingWithAnEmptyLineBetween) {
  ThreeGeometries();
  const IsoViewT v = BuildIsoView(geom_, daten_, "", 18);
  EXPECT_TRUE(v.Shown);
  EXPECT_EQ(v.Text, Sub(3, 18) + "\n\n" + Sub(7, 18) + "\n\n" + Sub(12, 18));
}

struct IndexCase {
  const char* name;
  const char* text;
  bool shown;
};

class IsoIndex : public IsoView, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(IsoIndex, ShowsOrNot) {
  ThreeGeometries();
  const IsoViewT v = BuildIsoView(geom_, daten_, GetParam().text, 19);
  EXPECT_EQ(v.Shown, GetParam().shown);
  EXPECT_EQ(v.Text.empty(), !GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsoIndex,
                         ::testing::Values(IndexCase{"Absent", "5", false},
                                           IndexCase{"NotWhole", "7.5", false},
                                           IndexCase{"Negative", "-7", false},
                                           IndexCase{"BeyondTheNumbers", "300", false},
                                           IndexCase{"LettersMeanAll", "abc", true},
                                           IndexCase{"BlanksAroundANumber", "  3  ", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IsoView, EmptyStoreShowsNothing) {
  const IsoViewT v = BuildIsoView(geom_, daten_, "", 17);
  EXPECT_FALSE(v.Shown);
  EXPECT_TRUE(v.Text.empty());
}

}  // namespace
}  // namespace movra
