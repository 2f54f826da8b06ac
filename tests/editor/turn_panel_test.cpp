// The turning panel's driver without a window: combo texts to numbers, the fields a mode
// uses, and the verdict of a run over a shaft and a groove.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "editor/turn_panel.h"
#include "tests/machining/turn_support.h"

namespace movra {
namespace {

using namespace turning;

struct ComboCase {
  const char* text;
  double value;        // NoValue: none
  const char* normal;  // the text after normalisation
};

TEST(NormalizeComboValue, ReadsTheNumberBehindTheLetterOrTheEqualsSign) {
  const ComboCase cases[] = {
      {"a1=30", 30, "30"},   {"i2.0", 2, "2.0"},     {"k-2", -2, "-2"},
      {"l0", 0, "0"},        {"  e3=0.4 ", 0.4, "0.4"}, {"f0.20", 0.2, "0.20"},
      {"30", 30, "30"},      {"k50", 50, "50"},      {"x", NoValue, ""},
      {"", NoValue, ""},     {"=", NoValue, ""},     {"a1=", NoValue, ""},
      {"X5", 5, "5"},        {"a", NoValue, ""},     {"l2=-4", -4, "-4"},
  };
  TFormaDaten daten;
  for (const ComboCase& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    std::string text = c.text;
    EXPECT_EQ(NormalizeComboValue(daten, text), c.value);
    EXPECT_EQ(text, c.normal);
  }
}

TEST(NormalizeComboValue, HugeOrEndlessNumbersStayFiniteOrReadAsNone) {
  TFormaDaten daten;
  for (const char* t : {"a1=1e300", "a1=1e999", "e1=-1e999", "i99999999999999999999999"}) {
    SCOPED_TRACE(t);
    std::string text = t;
    const double v = NormalizeComboValue(daten, text);
    EXPECT_TRUE(std::isfinite(v));
  }
}

TEST(TurnComboItems, ListsAndDefaultsAsThePanelShowsThem) {
  EXPECT_EQ(TurnComboItems::I().size(), 10u);
  EXPECT_EQ(TurnComboItems::I()[TurnComboItems::DefaultI], "i2.0");
  EXPECT_EQ(TurnComboItems::I().back(), "i5.0");
  EXPECT_EQ(TurnComboItems::L(), (std::vector<std::string>{"l0", "l2", "l4", "l6", "l8", "l10"}));
  const std::vector<std::string> f = TurnComboItems::F();
  ASSERT_EQ(f.size(), 11u);
  EXPECT_EQ(f[0], "f0");
  EXPECT_EQ(f[2], "f0.10");
  EXPECT_EQ(f.back(), "f0.50");
  const std::vector<std::string> k = TurnComboItems::K();
  ASSERT_EQ(k.size(), 51u);
  EXPECT_EQ(k.front(), "k50");
  EXPECT_EQ(k[TurnComboItems::DefaultK], "k0");
  EXPECT_EQ(k.back(), "k-50");
  EXPECT_EQ(TurnComboItems::A(2).size(), 13u);
  EXPECT_EQ(TurnComboItems::A(2).back(), "a2=360");
  EXPECT_EQ(TurnComboItems::LL(1).back(), "l1=20");
  const std::vector<std::string> e = TurnComboItems::E(3);
  ASSERT_EQ(e.size(), 51u);
  EXPECT_EQ(e[1], "e3=0.2");
  EXPECT_EQ(e[3], "e3=0.6");
  EXPECT_EQ(e.back(), "e3=10");
  EXPECT_EQ(TurnComboItems::Typ()[TurnComboItems::DefaultTyp], "g42");
}

TEST(TurnEnabledFields, StepRetractAndStartOffsetByMode) {
  struct Row {
    int mode;
    bool i, l, k;
  };
  const Row rows[] = {{0, false, false, false}, {1, true, true, false}, {2, true, true, false},
                      {3, false, false, false}, {4, true, false, true}, {5, true, false, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.mode);
    const TurnFieldsEnabled on = TurnEnabledFields(r.mode);
    EXPECT_EQ(on.I, r.i);
    EXPECT_EQ(on.L, r.l);
    EXPECT_EQ(on.K, r.k);
  }
}

TEST(ReadTurnValues, DisabledFieldsAreNotUsedAndAnglesTurnToRadians) {
  TFormaDaten daten;
  TurnPanelTexts t;
  t.Mode = TurnFinishContour;
  t.I = "i3.5";
  t.L = "l4";
  t.K = "k-6";
  t.F = "f-0.2";
  t.A1 = "a1=90";
  t.A2 = "";
  t.E3 = "e3=0.4";
  t.L1 = "garbage";
  TurnValues v = ReadTurnValues(daten, t);
  EXPECT_EQ(v.I, 0);
  EXPECT_EQ(v.L, 0);
  EXPECT_EQ(v.K, 0);
  EXPECT_DOUBLE_EQ(v.F, 0.2);
  EXPECT_DOUBLE_EQ(v.A1, std::numbers::pi / 2);
  EXPECT_EQ(v.A2, NoValue);
  EXPECT_DOUBLE_EQ(v.E3, 0.4);
  EXPECT_EQ(v.L1, 0);
  EXPECT_EQ(v.Typ, 2);

  t.Mode = TurnRoughGroove1;
  t.I = "i-3.5";
  v = ReadTurnValues(daten, t);
  EXPECT_DOUBLE_EQ(v.I, 3.5);
  EXPECT_EQ(v.L, 0);
  EXPECT_EQ(v.K, -6);
}

// A stepped shaft from the face at x 0 back to x -60, radii 10, 15 and 20.
struct Shaft : Lathe {
  Shaft() {
    const std::vector<Pt> p = {{0, 0},    {0, 10},   {-20, 10}, {-20, 15},
                               {-40, 15}, {-40, 20}, {-60, 20}};
    for (std::size_t i = 1; i < p.size(); ++i) Put(L(p[i - 1].X, p[i - 1].Y, p[i].X, p[i].Y));
  }
};

TEST(RunTurnMode, ShaftIsFinishedAndRoughedBothWays) {
  TFormaDaten daten;
  for (int mode : {TurnFinishContour, TurnRoughContour1, TurnRoughContour2}) {
    SCOPED_TRACE(mode);
    Shaft shaft;
    TurnPanelTexts t;
    t.Mode = mode;
    EXPECT_TRUE(RunTurnMode(shaft.turn, mode, ReadTurnValues(daten, t)));
    EXPECT_FALSE(shaft.turn.OutElements.Empty());
    if (mode != TurnFinishContour) ExpectSoundPath(shaft.turn.OutElements, shaft.turn.InElements);
  }
}

TEST(RunTurnMode, ModeZeroGivesTheSameWhateverTheDisabledFieldsHold) {
  TFormaDaten daten;
  Shaft a, b;
  TurnPanelTexts t;
  ASSERT_TRUE(RunTurnMode(a.turn, TurnFinishContour, ReadTurnValues(daten, t)));
  t.I = "i0.5";
  t.L = "l10";
  t.K = "k-50";
  ASSERT_TRUE(RunTurnMode(b.turn, TurnFinishContour, ReadTurnValues(daten, t)));
  EXPECT_EQ(Transcript(a.turn.OutElements), Transcript(b.turn.OutElements));
}

TEST(RunTurnMode, EmptyStoreOrRefusedStepFails) {
  TFormaDaten daten;
  transcript::Editor empty;
  TFormaEditorTurn turn{empty.daten, empty.geom};
  TurnPanelTexts t;
  EXPECT_FALSE(RunTurnMode(turn, TurnFinishContour, ReadTurnValues(daten, t)));
  EXPECT_TRUE(turn.OutElements.Empty());

  Shaft shaft;
  t.Mode = TurnRoughContour1;
  t.I = "i0.05";  // below the least step
  EXPECT_FALSE(RunTurnMode(shaft.turn, t.Mode, ReadTurnValues(daten, t)));
  EXPECT_FALSE(RunTurnMode(shaft.turn, 6, ReadTurnValues(daten, t))) << "no such mode";
}

// A rectangular groove 3.5 deep below its chord from (-10, 20) to (-20, 20).
struct RectGroove : Lathe {
  RectGroove() {
    Put(L(-10, 20, -10, 16.5));
    Put(L(-10, 16.5, -20, 16.5));
    Put(L(-20, 16.5, -20, 20));
  }
};

TEST(RunTurnMode, GrooveSeriesFailsOnlyWhenItsFirstDepthFails) {
  TFormaDaten daten;
  for (int mode : {TurnRoughGroove1, TurnRoughGroove2}) {
    SCOPED_TRACE(mode);
    TurnPanelTexts t;
    t.Mode = mode;
    t.Typ = 0;
    t.K = "k2";

    // Depths 1.5 and 3 cut across; the third depth (4.5) lies below the bottom and ends it.
    RectGroove deep;
    t.I = "i1.5";
    EXPECT_TRUE(RunTurnMode(deep.turn, mode, ReadTurnValues(daten, t)));
    RectGroove two;
    const TurnValues v = ReadTurnValues(daten, t);
    double sx = 0, sy = 0, ex = 0, ey = 0;
    ASSERT_TRUE(two.turn.BuildContour(sx, sy, 0, 0, 0, 0, NoValue, 0, NoValue, 0, ex, ey));
    two.turn.GrooveState = {};
    for (int i = 1; i <= 2; ++i) {
      if (mode == TurnRoughGroove2) two.turn.GrooveState = {};
      ASSERT_TRUE(two.turn.GroovePass(sx, sy, ex, ey, i * v.I, v.I, v.K, 0, 1, v.F));
    }
    const std::string firstTwo = Transcript(two.turn.OutElements);
    EXPECT_EQ(Transcript(deep.turn.OutElements).substr(0, firstTwo.size()), firstTwo)
        << "the first two depths stay";

    // A groove whose first pass fails: a step that is no step at all.
    RectGroove none;
    t.I = "i0";
    EXPECT_FALSE(RunTurnMode(none.turn, mode, ReadTurnValues(daten, t)));
  }
}

}  // namespace
}  // namespace movra
