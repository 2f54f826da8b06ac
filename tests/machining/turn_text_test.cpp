#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "machining/forma_editor_turn.h"
#include "turn_support.h"

namespace movra {
namespace {

using namespace turning;

constexpr double Pi = std::numbers::pi;
constexpr double Tol = 1e-4;
using Text = std::vector<std::string>;

class TurningText : public ::testing::Test, protected Lathe {
 protected:

  void Move(double kind, double v1, double v2, double v3, double v4, double v5, double feed,
            std::uint8_t side = 0) {
    ASSERT_TRUE(turn.OutElements.Add(TurnT{feed, kind, v1, v2, v3, v4, v5, side}));
  }
  void Feed(double x1, double y1, double x2, double y2, double feed, std::uint8_t side = 0) {
    Move(1, x1, y1, x2, y2, 0, feed, side);
  }
  void Rapid(double x1, double y1, double x2, double y2) { Move(1, x1, y1, x2, y2, 0, NoValue); }
  Text Written() {
    Text list;
    EXPECT_TRUE(turn.WriteProgram(list));
    return list;
  }
  // Slot i of the store; an empty slot reads as a zero element.
  const TFormaGeom::GeomT& Stored(int i) {
    static const TFormaGeom::GeomT none{};
    const TFormaGeom::GeomT* e = geom.Elements(i);
    return e != nullptr ? *e : none;
  }
  // The text read back by the interpreter, one element per move.
  void ReadBack(const Text& text) { Load(text); }
  // Every move of the output list came back from its text: the same ends (the radius was
  // written as a diameter and read back halved), the same radius, rapids as rapids.
  void ExpectRoundTrip(const Text& text) {
    ReadBack(text);
    std::string got;
    for (int i = 1; i <= geom.ElementCount(); ++i) {
      if (const TFormaGeom::GeomT* e = geom.Elements(i))
        got += Line(TurnT{e->Feed, e->Kind, e->V1, e->V2, e->V3, e->V4, e->V5, 0}) + "\n";
    }
    std::string all;
    for (const std::string& l : text) all += l + "\n";
    ASSERT_EQ(geom.ElementCount(), turn.OutElements.Count())
        << all << "read back:\n" << got << "written:\n" << Transcript(turn.OutElements);
    for (int i = 1; i <= geom.ElementCount(); ++i) {
      const TFormaGeom::GeomT& e = Stored(i);
      const TurnT& m = At(turn.OutElements, i);
      SCOPED_TRACE("move " + std::to_string(i) + " " + Line(m) + "\n" + all);
      ASSERT_EQ(e.Kind, m.Kind);
      double x1, y1, x2, y2;
      TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x1, y1, x2, y2);
      EXPECT_NEAR(x1, StartOf(m).X, Tol);
      EXPECT_NEAR(y1, StartOf(m).Y, Tol);
      EXPECT_NEAR(x2, EndOf(m).X, Tol);
      EXPECT_NEAR(y2, EndOf(m).Y, Tol);
      if (m.Kind == 2.0) {
        EXPECT_NEAR(e.V3, m.V3, Tol);
      }
      EXPECT_EQ(e.Feed == NoValue, m.Feed == NoValue);
    }
  }
};

TEST_F(TurningText, OneFeedLine) {
  Feed(-10, 5, -20, 5, 0.2);
  EXPECT_EQ(Written(), (Text{"g40", "v-10 w10 max", "v-20 f0.2"}));
}

TEST_F(TurningText, EmptyOutputWritesNothing) {
  Text list{"kept"};
  EXPECT_FALSE(turn.WriteProgram(list));
  EXPECT_EQ(list, Text{"kept"});
}

TEST_F(TurningText, MovesWriteWhatChanges) {
  struct Case {
    const char* name;
    std::vector<TurnT> moves;
    Text want;
  };
  const double ccw = 5, cw = -5;
  const Case cases[] = {
      {"a move going nowhere is an empty line, a rapid too",
       {{0.2, 1, 0, 5, -10, 5, 0, 0}, {0.2, 1, -10, 5, -10, 5, 0, 0},
        {NoValue, 1, -10, 5, -10, 5, 0, 0}},
       {"g40", "v0 w10 max", "v-10 f0.2", "", ""}},
      {"the feed is written where it changes, a rapid does not change it",
       {{0.2, 1, 0, 5, -10, 5, 0, 0}, {NoValue, 1, -10, 5, -10, 6, 0, 0},
        {0.2, 1, -10, 6, -20, 6, 0, 0}, {0.3, 1, -20, 6, -20, 8, 0, 0},
        {0, 1, -20, 8, -30, 8, 0, 0}},
       {"g40", "v0 w10 max", "v-10 f0.2", "w12 max", "v-20", "w16 f0.3", "v-30"}},
      {"an arc over half a circle has the 2",
       {{0.2, 2, 0, 0, ccw, 0, 1.5 * Pi, 0}},
       {"g40", "v5 w0 max", "v0 w-10 b5 2 f0.2"}},
      {"a half circle has none",
       {{0.2, 2, 0, 0, cw, Pi, 0, 0}},
       {"g40", "v-5 w0 max", "v5 b-5 f0.2"}},
      // The last line with a correction word holds g40 after g41: g41 counts, so g40 is
      // added to the last line as well.
      {"g41 after g40, and g40 on the line of the last corrected move",
       {{0.2, 1, 0, 5, -10, 5, 0, 0}, {0.2, 1, -10, 5, -20, 5, 0, 1},
        {0.2, 1, -20, 5, -20, 8, 0, 0}},
       {"g40", "v0 w10 max", "v-10 f0.2", "v-20 g41 g40", "w16 g40"}},
      {"a correction still on at the end is switched off on the last line",
       {{0.2, 1, 0, 5, -10, 5, 0, 2}},
       {"g40", "v0 w10 max", "v-10 g42 f0.2 g40"}},
      {"a change between the sides writes nothing",
       {{0.2, 1, 0, 5, -10, 5, 0, 1}, {0.2, 1, -10, 5, -20, 5, 0, 2}},
       {"g40", "v0 w10 max", "v-10 g41 f0.2", "v-20 g40"}},
      {"negative zero and rounding to four decimals",
       {{0.12346, 1, -1e-9, 1.0 / 3.0, -2.0 / 3.0, -1e-9, 0, 0}},
       {"g40", "v0 w0.6667 max", "v-0.6667 w0 f0.1235"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    turn.ClearOut();
    for (const TurnT& m : c.moves) ASSERT_TRUE(turn.OutElements.Add(m));
    EXPECT_EQ(Written(), c.want);
  }
}

TEST_F(TurningText, DecimalsFollowOutDecimals) {
  Feed(0, 0, 1.0 / 3.0, 0, 0.2);
  daten.OutDecimals = 2;
  EXPECT_EQ(Written(), (Text{"g40", "v0 w0 max", "v0.33 f0.2"}));
}

// After a piece that was left out the next move starts elsewhere than the tool stands; its
// words are written against where the tool stands, so that it ends where the move ends.
TEST_F(TurningText, CoordinatesAreWrittenAgainstWhereTheToolStands) {
  Feed(0, 10, -10, 10, 0.2);
  Feed(-20, 10, -20, 12, 0.2);  // starts 10 further along: its v must not be left out
  const Text text = Written();
  EXPECT_EQ(text, (Text{"g40", "v0 w20 max", "v-10 f0.2", "v-20 w24"}));
  ReadBack(text);
  ASSERT_EQ(geom.ElementCount(), 2);
  EXPECT_NEAR(Stored(2).V3, -20, Tol);
  EXPECT_NEAR(Stored(2).V4, 12, Tol);
}

// An arc is drawn from where the tool stands: a gap before it is first crossed on a line.
TEST_F(TurningText, GapBeforeAnArcIsBridged) {
  Feed(0, 10, -10, 10, 0.2);
  Move(2, -15, 10, 3, 0, Pi / 2, 0.2);  // from (-12, 10) up to (-15, 13)
  const Text text = Written();
  EXPECT_EQ(text, (Text{"g40", "v0 w20 max", "v-10 f0.2", "v-12", "v-15 w26 b3"}));
  ReadBack(text);
  ASSERT_EQ(geom.ElementCount(), 3);
  EXPECT_EQ(Stored(3).Kind, 2.0);
  EXPECT_NEAR(Stored(3).V1, -15, Tol);
  EXPECT_NEAR(Stored(3).V2, 10, Tol);
}

// An arc that goes nowhere, or has no radius, writes no line: "b r" alone would ask for an
// arc from a point to itself.
TEST_F(TurningText, ArcGoingNowhereWritesNothing) {
  Feed(0, 10, -10, 10, 0.2);
  Move(2, -15, 10, 5, 0, 0, 0.2);
  Move(2, -15, 10, 5e-8, 0, 1, 0.2);
  Feed(-10, 10, -10, 12, 0.2);
  EXPECT_EQ(Written(), (Text{"g40", "v0 w20 max", "v-10 f0.2", "w24"}));
}

// A move whose diameter (or an arc's end) lies beyond the reals has no text; the moves around
// it are written from where the tool stands.
TEST_F(TurningText, MovesBeyondTheRealsWriteNothing) {
  constexpr double Big = 1.5e308;  // finite, but twice it is not
  struct Case {
    const char* what;
    double kind, v1, v2, v3, v4, v5;
  };
  const Case cases[] = {
      {"a line whose radius has no diameter", 1, -10, Big, -20, Big, 0},
      {"a line running out to such a radius", 1, -10, 10, -20, Big, 0},
      {"an arc whose end lies beyond the reals in x", 2, 1.7e308, 10, 1.5e307, 0, Pi / 2},
      {"an arc whose end has no diameter", 2, -15, Big, 5, 0, Pi / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    turn.ClearOut();
    Feed(0, 10, -10, 10, 0.2);
    Move(c.kind, c.v1, c.v2, c.v3, c.v4, c.v5, 0.2);
    Feed(-10, 10, -10, 12, 0.2);
    EXPECT_EQ(Written(), (Text{"g40", "v0 w20 max", "v-10 f0.2", "w24"}));
  }
}

TEST_F(TurningText, RecordsOfNoKindWriteNothing) {
  ASSERT_TRUE(turn.AddOut());
  Feed(0, 10, -10, 10, 0.2);
  EXPECT_EQ(Written(), (Text{"g40", "v0 w20 max", "v-10 f0.2"}));
}

// ---- Roughing written and read back ----

class RoughText : public TurningText {
 protected:
  void Prepare(const std::vector<El>& elements) {
    for (const El& e : elements) Put(e);
    Lathe::Prepare();
  }
};

TEST_F(RoughText, TwoStepsRoughedLongitudinallyReadBack) {
  Prepare({L(0, 10, -20, 10), L(-20, 10, -20, 15), L(-20, 15, -40, 15), L(-40, 15, -40, 20)});
  ASSERT_TRUE(turn.RoughLongitudinal(0, 0, 0, 0, 2, 0.2, 0));
  ASSERT_EQ(turn.OutElements.Count(), 27);
  const Text text = Written();
  EXPECT_EQ(text[0], "g40");
  EXPECT_EQ(text[1], "v0 w36 max");
  EXPECT_EQ(text[2], "v-40 f0.2");
  ExpectRoundTrip(text);
}

TEST_F(RoughText, ShaftWithRadiiRoughedBothWaysReadBack) {
  // A chamfer, a diameter, a concave radius into a shoulder, a convex radius onto the next
  // diameter, and the face.
  const std::vector<El> shaft = {
      L(0, 8, -2, 10),           L(-2, 10, -20, 10),      A(-20, 13, -3, 1.5 * Pi, Pi),
      L(-23, 13, -23, 16),       A(-25, 16, 2, 0, Pi / 2), L(-25, 18, -40, 18),
      L(-40, 18, -40, 24)};
  for (bool facing : {false, true}) {
    SCOPED_TRACE(facing ? "facing" : "longitudinal");
    geom.ClearElements();
    turn.ClearLists();
    Prepare(shaft);
    ASSERT_TRUE(facing ? turn.RoughFacing(0, 0, 0, 0, 1.5, 0.25, 0.5)
                       : turn.RoughLongitudinal(0, 0, 0, 0, 1.5, 0.25, 0.5));
    ExpectSoundPath(turn.OutElements, turn.InElements);
    int arcs = 0;
    for (int i = 1; i <= turn.OutElements.Count(); ++i) arcs += At(turn.OutElements, i).Kind == 2.0;
    EXPECT_GE(arcs, 2);
    ExpectRoundTrip(Written());
  }
}

}  // namespace
}  // namespace movra
