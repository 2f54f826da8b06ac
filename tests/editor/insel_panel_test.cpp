// The pocket panel's driver without a window: contour rows, the type button, the four
// fields, a whole calculation over a pocket with an island, cancelling it from inside its
// pump, and the texts a save writes.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "editor/insel_panel.h"
#include "platform/core/application.h"
#include "tests/geometry/interpreter_support.h"

namespace movra {
namespace {

// A rectangle 80 x 50 counter-clockwise with a round island of radius 10, clockwise.
const char* const kPocket =
    "%1\nG1 X0 Y0\nX80\nY50\nX0\nY0\n%2\nG1 X50 Y25\nG2 X30 Y25 R10\nG2 X50 Y25 R10\n";

std::vector<std::string> Lines(const char* text) { return transcript::SplitLines(text); }

// Installs a message pump for one test and leaves the busy flag idle afterwards.
struct PumpGuard {
  explicit PumpGuard(std::function<void()> pump) { platform::SetMessagePump(std::move(pump)); }
  ~PumpGuard() {
    platform::SetMessagePump({});
    platform::SetApplicationTag(0);
  }
};

struct Panel : transcript::Editor {
  TFormaEditorInsel insel{daten, geom};
  InselPanelTexts texts;

  Panel() {
    Load(kPocket);
    texts.Rows = InselRowsFromStore(geom);
  }
  InselRunResult Run() { return RunInselCalculation(insel, geom, Lines(kPocket), texts); }
};

TEST(InselRow, ReadsNumberAndType) {
  struct Case {
    const char* row;
    bool ok;
    double number, type;
  };
  const Case cases[] = {{"3 : 1", true, 3, 1},    {"-7 : 1", true, -7, 1},
                        {"12:2", true, 12, 2},     {"7", true, 7, NoValue},
                        {"", false, 0, 0},         {"x : y", false, 0, 0},
                        {"2.6 : 0.4", true, 2.6, 0.4}};
  TFormaDaten daten;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    double n = 0, t = 0;
    ASSERT_EQ(ReadInselRow(daten, c.row, n, t), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(n, c.number);
    EXPECT_EQ(t, c.type);
  }
}

TEST(InselRow, TypeButtonCyclesTheType) {
  const std::pair<const char*, const char*> cases[] = {
      {"3 : 0", "3 : 1"}, {"3 : 1", "3 : 2"},  {"3 : 2", "3 : 0"},   {"7 : 2", "7 : 0"},
      {"-7 : 1", "7 : 2"}, {"7 : -1", "7 : -2"}, {"7 : -2", "7 : 0"}, {"7", "7 : 0"},
      {"2.6 : 0.4", "3 : 1"}};
  TFormaDaten daten;
  for (const auto& [before, after] : cases) {
    SCOPED_TRACE(before);
    std::string row = before;
    ASSERT_TRUE(CycleInselRowType(daten, row));
    EXPECT_EQ(row, after);
  }
  std::string empty = "none";
  EXPECT_FALSE(CycleInselRowType(daten, empty));
  EXPECT_EQ(empty, "none");
}

TEST(InselRow, OneTickedRowPerGeometryOfTheStore) {
  Panel p;
  ASSERT_EQ(p.texts.Rows.size(), 2u);
  EXPECT_EQ(p.texts.Rows[0].Text, "1 : 1");
  EXPECT_EQ(p.texts.Rows[1].Text, "2 : 1");
  EXPECT_TRUE(p.texts.Rows[0].Ticked && p.texts.Rows[1].Ticked);

  transcript::Editor drill;
  drill.Load("%1\nG42\nG1 X0 Y0\nX10\nY10\nX0\nY0\n");
  const std::vector<InselRow> rows = InselRowsFromStore(drill.geom);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].Text, "1 : 2");
}

TEST(InselParams, FieldsReadAfterTheirLetterOrBare) {
  struct Case {
    const char* d;
    const char* k;
    const char* e;
    const char* a;
    double r, stepover, allowance, degrees;
  };
  const Case cases[] = {
      {"d10", "k0.5", "e0.2", "a30", 5, 0.5, 0.2, 30},
      {"10", "0.5", "0.2", "30", 5, 0.5, 0.2, 30},
      {"d3", "k5", "e0.2", "a30", 1.5, 1, 0.2, 30},
      {"d3", "k0", "", "a30", 1.5, 0.1, 0, 30},
      {"", "k5", "e", "a", 0, 5, 0, 0},  // no tool: the stepover is left alone
  };
  TFormaDaten daten;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.d) + " " + c.k + " " + c.e + " " + c.a);
    InselPanelTexts t;
    t.D = c.d;
    t.K = c.k;
    t.E = c.e;
    t.A = c.a;
    TFormaEditorInsel::ParamsT params;
    ReadInselParams(daten, t, params);
    EXPECT_DOUBLE_EQ(params.R, c.r);
    EXPECT_DOUBLE_EQ(params.K, c.stepover);
    EXPECT_DOUBLE_EQ(params.E, c.allowance);
    EXPECT_NEAR(params.A, c.degrees * std::numbers::pi / 180, 1e-12);
  }
}

TEST(InselRun, PocketWithIslandIsHatchedCountedAndCaptioned) {
  Panel p;
  const InselRunResult r = p.Run();
  ASSERT_GT(r.Count, 0);
  EXPECT_GE(r.Chains, 1);
  EXPECT_EQ(r.Caption, std::to_string(r.Count) + " : " + std::to_string(r.Chains));
  EXPECT_TRUE(r.SaveEnabled);
  EXPECT_EQ(p.insel.Path.Count(), r.Count);
  EXPECT_EQ(platform::ApplicationTag(), 0);
}

TEST(InselRun, ViewRowKeepsOnlyItsPartOfThePath) {
  for (int view : {InselViewContours, InselViewHatch}) {
    SCOPED_TRACE(view);
    Panel p;
    p.texts.View = view;
    ASSERT_TRUE(p.Run().SaveEnabled);
    EXPECT_TRUE(p.insel.Offsets.Empty());
    for (int i = 1; i <= p.insel.Path.Count(); ++i) EXPECT_EQ(p.insel.Path(i)->Group, view);
  }
}

TEST(InselRun, NothingToCalculateReadsThreeQuestionMarks) {
  struct Case {
    const char* name;
    std::function<void(Panel&)> change;
  };
  const Case cases[] = {
      {"no row ticked", [](Panel& p) { for (auto& r : p.texts.Rows) r.Ticked = false; }},
      {"no rows", [](Panel& p) { p.texts.Rows.clear(); }},
      {"tool 0", [](Panel& p) { p.texts.D = "d0"; }},
      {"negative tool", [](Panel& p) { p.texts.D = "d-3"; }},
      {"tool beyond the offset limit", [](Panel& p) { p.texts.D = "d1e300"; }},
      {"rows without a number", [](Panel& p) { p.texts.Rows = {{"x", true}, {": ", true}}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Panel p;
    c.change(p);
    const InselRunResult r = p.Run();
    EXPECT_EQ(r.Caption, "???");
    EXPECT_FALSE(r.SaveEnabled);
    EXPECT_EQ(r.Count, 0);
  }
  Panel bad;
  const InselRunResult r =
      RunInselCalculation(bad.insel, bad.geom, Lines("%1\nG1 X0 Y0\nqq17 zz\n"), bad.texts);
  EXPECT_EQ(r.Caption, "???");
}

TEST(InselRun, OddRowsGoThroughTheTable) {
  Panel p;
  std::vector<InselRow> rows;
  for (int k = 0; k < 300; ++k) rows.push_back({InselRowText(k % 3 ? 1 : -2, k % 5 - 2), true});
  rows.push_back({"2", true});
  rows.push_back({"1 : 99999", true});
  p.texts.Rows = rows;
  const InselRunResult r = p.Run();  // whatever the pocket, no crash and a verdict
  EXPECT_EQ(r.SaveEnabled, r.Count > 0);
}

TEST(InselRun, ParameterEventInsideTheHatchStopsItWithNothingToSave) {
  Panel p;
  int calls = 0;
  bool armed = true;
  PumpGuard guard([&] {
    if (++calls == 20) armed = ParameterEventArms();
  });
  const InselRunResult r = p.Run();
  ASSERT_GE(calls, 20);
  EXPECT_FALSE(armed) << "a running hatch is only asked to stop";
  EXPECT_EQ(platform::ApplicationTag(), 0);
  EXPECT_EQ(r.Caption, "???");
  EXPECT_FALSE(r.SaveEnabled);
  EXPECT_TRUE(ParameterEventArms()) << "idle again: the next event starts the timer";
}

TEST(InselSave, TwoTextsUnderTheFirstFreeNumbers) {
  Panel p;
  ASSERT_TRUE(p.Run().SaveEnabled);
  p.geom.GeomTexts(1) = {"(taken)"};
  p.geom.GeomTexts(3) = {"(taken)"};
  InselSaveTexts save;
  ASSERT_TRUE(PrepareInselSave(p.insel, p.geom, save));
  EXPECT_EQ(save.Numbers[0], 2);
  EXPECT_EQ(save.Numbers[1], 4);
  EXPECT_TRUE(p.geom.GeomTexts(2).empty()) << "nothing stored before the file is written";
  const std::vector<std::string> memo = save.MemoLines();
  ASSERT_FALSE(memo.empty());
  EXPECT_EQ(memo.front(), "%2");
  EXPECT_EQ(memo[save.Texts[0].size() + 1], "%4");

  // The memo reads back as the two geometries.
  transcript::Editor back;
  back.Load(memo);
  EXPECT_TRUE(back.geom.GeomExists(2.0));
  EXPECT_TRUE(back.geom.GeomExists(4.0));

  CommitInselSave(p.geom, save);
  EXPECT_EQ(p.geom.GeomTexts(2), save.Texts[0]);
  EXPECT_EQ(p.geom.GeomTexts(4), save.Texts[1]);
  int n = 0;
  ASSERT_TRUE(p.geom.FirstFreeGeomNumber(n));
  EXPECT_EQ(n, 5);
}

TEST(InselSave, OnlyHatchOrNoPathOrNoFreeNumber) {
  Panel hatch;
  hatch.texts.View = InselViewHatch;
  ASSERT_TRUE(hatch.Run().SaveEnabled);
  InselSaveTexts save;
  ASSERT_TRUE(PrepareInselSave(hatch.insel, hatch.geom, save));
  EXPECT_EQ(save.Numbers[0], 0);
  EXPECT_EQ(save.Numbers[1], 1);
  EXPECT_EQ(save.MemoLines().front(), "%1");

  Panel empty;
  EXPECT_FALSE(PrepareInselSave(empty.insel, empty.geom, save));

  Panel full;
  ASSERT_TRUE(full.Run().SaveEnabled);
  for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) full.geom.GeomTexts(n) = {"x"};
  EXPECT_FALSE(PrepareInselSave(full.insel, full.geom, save));
}

}  // namespace
}  // namespace movra
