// The thread block from the panel's texts, without a window: one table of panel texts and
// the lines they write; the thread tables' rows and the fields they fill.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "editor/thread_panel.h"
#include "editor/thread_tables.h"

namespace movra {
namespace {

using Lines = std::vector<std::string>;

// The panel as the example leaves it: table row "M16 x 2 x 1.23", v50, w50, the thread from
// v0 to v-30 on diameter 20.
ThreadPanelTexts Example() {
  ThreadPanelTexts t;
  t.Value = "v1=0 w1=20 v2=-30 w2=20";
  return t;
}

struct GenerateCase {
  const char* name;
  std::function<void(ThreadPanelTexts&)> change;
  Lines expected;  // empty: no thread
};

TEST(GenerateThread, PanelTextsToTheFourLines) {
  const std::string safe = "v50 w100 max";
  const GenerateCase cases[] = {
      {"example", [](ThreadPanelTexts&) {},
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"defaults write nothing", [](ThreadPanelTexts& t) { t.Value = "v1= w1= v2= w2="; }, {}},
      {"one end missing", [](ThreadPanelTexts& t) { t.Value = "v1=0 w1=20 v2=-30"; }, {}},
      {"ends 0.05 apart", [](ThreadPanelTexts& t) { t.Value = "v1=0 w1=20 v2=0.05 w2=20"; }, {}},
      {"ends 0.1 apart", [](ThreadPanelTexts& t) { t.Value = "v1=0 w1=20 v2=0.1 w2=20"; },
       {safe, "v0 w20 max", "v0.1 w20 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"lower and upper case", [](ThreadPanelTexts& t) { t.Value = "V1=0 w1=20 v2=-30 W2=20"; },
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"external keeps a typed minus",
       [](ThreadPanelTexts& t) { t.H = "h-1.08"; },
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.08 p6 l1=0 l2=0 f2", safe}},
      {"internal writes the depth positive",
       [](ThreadPanelTexts& t) { t.Kind = ThreadInternal; },
       {safe, "v0 w20 max", "v-30 w20 g233 h1.23 p6 l1=0 l2=0 f2", safe}},
      {"internal row h-1.08",
       [](ThreadPanelTexts& t) { t.Kind = ThreadInternal; t.H = "h-1.08"; },
       {safe, "v0 w20 max", "v-30 w20 g233 h1.08 p6 l1=0 l2=0 f2", safe}},
      {"change direction swaps start and end", [](ThreadPanelTexts& t) { t.Norm = true; },
       {safe, "v-30 w20 max", "v0 w20 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"w is a radius", [](ThreadPanelTexts& t) { t.V = "v25"; t.W = "w5"; },
       {"v25 w10 max", "v0 w20 max", "v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f2", "v25 w10 max"}},
      {"e1 moves along v", [](ThreadPanelTexts& t) { t.E1 = "e1=0.4"; },
       {safe, "v0.4 w20 max", "v-29.6 w20 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"e2 adds twice to w", [](ThreadPanelTexts& t) { t.E2 = "e2=0.4"; },
       {safe, "v0 w20.8 max", "v-30 w20.8 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"empty e2 row counts 0", [](ThreadPanelTexts& t) { t.E2 = ""; },
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"run-in, run-out and passes",
       [](ThreadPanelTexts& t) { t.L1 = "l1=3"; t.L2 = "l2=12"; t.P = "p10"; },
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.23 p10 l1=3 l2=12 f2", safe}},
      {"three decimals",
       [](ThreadPanelTexts& t) { t.Value = "v1=1.23456 w1=20.0004 v2=-30 w2=20"; t.F = "f1.25"; },
       {safe, "v1.235 w20 max", "v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f1.25", safe}},
      {"sign of f and p ignored", [](ThreadPanelTexts& t) { t.F = "f-2"; t.P = "p-6"; },
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f2", safe}},
      {"pitch 0.05", [](ThreadPanelTexts& t) { t.F = "f0.05"; }, {}},
      {"pitch 51", [](ThreadPanelTexts& t) { t.F = "f51"; }, {}},
      {"pitch 50", [](ThreadPanelTexts& t) { t.F = "f50"; },
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.23 p6 l1=0 l2=0 f50", safe}},
      {"no pitch", [](ThreadPanelTexts& t) { t.F = "f"; }, {}},
      {"no depth", [](ThreadPanelTexts& t) { t.H = "h-"; }, {}},
      {"depth 0.05", [](ThreadPanelTexts& t) { t.H = "h0.05"; }, {}},
      {"depth 51", [](ThreadPanelTexts& t) { t.H = "h51"; }, {}},
      {"passes 0", [](ThreadPanelTexts& t) { t.P = "p0"; }, {}},
      {"passes 101", [](ThreadPanelTexts& t) { t.P = "p101"; }, {}},
      {"passes 100", [](ThreadPanelTexts& t) { t.P = "p100"; },
       {safe, "v0 w20 max", "v-30 w20 g233 h-1.23 p100 l1=0 l2=0 f2", safe}},
      {"no safe v: no rapid onto the axis", [](ThreadPanelTexts& t) { t.V = "v"; }, {}},
      {"no safe w: no rapid onto the axis", [](ThreadPanelTexts& t) { t.W = ""; }, {}},
      {"letters for a value",
       [](ThreadPanelTexts& t) { t.Value = "v1=abc w1=20 v2=-30 w2=20"; }, {}},
  };
  TFormaDaten daten;
  for (const GenerateCase& c : cases) {
    SCOPED_TRACE(c.name);
    ThreadPanelTexts t = Example();
    c.change(t);
    EXPECT_EQ(GenerateThread(daten, t), c.expected);
  }
}

TEST(GenerateThread, BadTextsGiveNoThreadOrAValidOne) {
  const std::string longText(500, '9');
  const std::vector<std::function<void(ThreadPanelTexts&)>> changes = {
      [](ThreadPanelTexts& t) { t.Value = "v1=0 w1=1e308 v2=-30 w2=20"; },
      [](ThreadPanelTexts& t) { t.Value = "v1=-1e308 w1=20 v2=1e308 w2=20"; },
      [](ThreadPanelTexts& t) { t.Value = "v1=0 w1=1e999 v2=-30 w2=20"; },
      [](ThreadPanelTexts& t) { t.E1 = "e1=1e308"; t.Value = "v1=1e308 w1=20 v2=0 w2=20"; },
      [](ThreadPanelTexts& t) { t.E2 = "e2=1e308"; t.Value = "v1=0 w1=1e308 v2=-30 w2=1e308"; },
      [](ThreadPanelTexts& t) { t.W = "w1e308"; },
      [&longText](ThreadPanelTexts& t) { t.Value = longText; },
      [&longText](ThreadPanelTexts& t) { t.Value = "v1=" + longText + " w1=20 v2=0 w2=20"; },
      [&longText](ThreadPanelTexts& t) { t.F = longText; t.H = longText; t.P = longText; },
      [](ThreadPanelTexts& t) { t.Value = "v1=/0 w1=20 v2=0 w2=20"; },
  };
  TFormaDaten daten;
  for (std::size_t i = 0; i < changes.size(); ++i) {
    SCOPED_TRACE(i);
    ThreadPanelTexts t = Example();
    changes[i](t);
    const Lines lines = GenerateThread(daten, t);
    EXPECT_TRUE(lines.empty() || lines.size() == 4u);
    for (const std::string& line : lines) {
      EXPECT_EQ(line.find("inf"), std::string::npos) << line;
      EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    }
  }
}

TEST(ThreadComboItems, ListsAndDefaultsAsThePanelShowsThem) {
  const Lines p = ThreadComboItems::P();
  ASSERT_EQ(p.size(), 20u);
  EXPECT_EQ(p.front(), "p1");
  EXPECT_EQ(p[ThreadComboItems::DefaultP], "p6");
  EXPECT_EQ(p[18], "p19");
  EXPECT_EQ(p.back(), "p10");  // the second p10 reads as the first
  const Lines v = ThreadComboItems::V();
  ASSERT_EQ(v.size(), 20u);
  EXPECT_EQ(v[ThreadComboItems::DefaultVW], "v50");
  EXPECT_EQ(v.back(), "v100");
  EXPECT_EQ(ThreadComboItems::W()[ThreadComboItems::DefaultVW], "w50");
  const Lines l2 = ThreadComboItems::L(2);
  ASSERT_EQ(l2.size(), 31u);
  EXPECT_EQ(l2.front(), "l2=0");
  EXPECT_EQ(l2.back(), "l2=30");
  const Lines e1 = ThreadComboItems::E(1), e2 = ThreadComboItems::E(2);
  ASSERT_EQ(e1.size(), 26u);
  EXPECT_EQ(e1[2], "e1=0.4");
  EXPECT_EQ(e1.back(), "e1=5");
  ASSERT_EQ(e2.size(), 27u);
  EXPECT_EQ(e2.back(), "");
}

TEST(ThreadRowFields, PitchAndDepthFromTheRow) {
  std::string f = "f9", h = "h9";
  EXPECT_TRUE(ThreadRowFields("M16 x 2 x 1.23", ThreadExternal, f, h));
  EXPECT_EQ(f, "f2");
  EXPECT_EQ(h, "h1.23");
  EXPECT_TRUE(ThreadRowFields("M16 x 2 x 1.08", ThreadInternal, f, h));
  EXPECT_EQ(f, "f2");
  EXPECT_EQ(h, "h-1.08");
  EXPECT_TRUE(ThreadRowFields("M30 x 3.5 x 2.15 ", ThreadExternal, f, h));
  EXPECT_EQ(f, "f3.5");
  EXPECT_EQ(h, "h2.15");
  // The empty row and a row without its second "x" leave the fields as they are.
  for (const char* row : {"", "M16 x 2"}) {
    SCOPED_TRACE(row);
    f = "f7";
    h = "h0.5";
    EXPECT_FALSE(ThreadRowFields(row, ThreadInternal, f, h));
    EXPECT_EQ(f, "f7");
    EXPECT_EQ(h, "h0.5");
  }
}

// The compiled-in tables: their rows in order, the depth from the pitch by the ISO factor.
TEST(ThreadTables, EveryDepthFollowsItsPitch) {
  struct Table {
    int kind;
    double factor;
    bool emptyLast;
  };
  const double pitches[] = {1, 1.25, 1.5, 1.75, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6};
  const int diameters[] = {6, 8, 10, 12, 16, 20, 24, 30, 36, 42, 48, 56, 64};
  TFormaDaten daten;
  for (const Table& table :
       {Table{ThreadExternal, 0.6134, false}, Table{ThreadInternal, 0.5413, true}}) {
    SCOPED_TRACE(table.kind);
    Lines rows;
    for (const QString& row : ThreadTableItems(table.kind)) rows.push_back(row.toStdString());
    ASSERT_EQ(rows.size(), table.emptyLast ? 14u : 13u);
    if (table.emptyLast) {
      EXPECT_EQ(rows.back(), "");
    }
    for (int i = 0; i < 13; ++i) {
      SCOPED_TRACE(rows[i]);
      EXPECT_EQ(rows[i].rfind("M" + std::to_string(diameters[i]) + " x ", 0), 0u);
      std::string f, h;
      ASSERT_TRUE(ThreadRowFields(rows[i], ThreadExternal, f, h));
      EXPECT_EQ(daten.GetWordValue(f, "f"), pitches[i]);
      const double depth = daten.GetWordValue(h, "h");
      EXPECT_NEAR(depth, std::round(pitches[i] * table.factor * 100) / 100, 1e-9);
      EXPECT_EQ(h.size() - h.find('.'), 3u);  // two decimals
    }
  }
}

}  // namespace
}  // namespace movra
