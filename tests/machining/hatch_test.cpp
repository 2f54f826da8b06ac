// Pockets with islands: hatching the offsets, linking the segments along the contours,
// filtering and compacting the path, and cancelling a running hatch.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "machining/forma_editor_insel.h"
#include "platform/core/application.h"
#include "pocket_support.h"

namespace movra {
namespace {

using namespace pocket_test;
using PointT = TFormaDaten::PointT;

// Installs a message pump for one test and leaves the busy flag idle afterwards.
struct PumpGuard {
  explicit PumpGuard(std::function<void()> pump) { platform::SetMessagePump(std::move(pump)); }
  ~PumpGuard() {
    platform::SetMessagePump({});
    platform::SetApplicationTag(0);
  }
};

// Offsets written straight into the list, for shapes that need no offsetting.
void AddPolygon(TFormaEditorInsel& insel, std::int32_t group, const std::vector<PointT>& corners) {
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const PointT& a = corners[i];
    const PointT& b = corners[(i + 1) % corners.size()];
    ASSERT_TRUE(insel.Offsets.Add(TFormaEditorInsel::LineRecord(a.X, a.Y, b.X, b.Y, group)));
  }
}
// A circle as two half arcs from angle From, counter-clockwise or clockwise.
void AddCircle(TFormaEditorInsel& insel, std::int32_t group, double cx, double cy, double r,
               bool ccw, double From = 0.0) {
  const double sweep = ccw ? Pi : -Pi;
  for (int k = 0; k < 2; ++k) {
    InselT e;
    e.Group = group;
    e.Kind = 2;
    e.V1 = cx;
    e.V2 = cy;
    e.V3 = ccw ? r : -r;
    e.V4 = From + k * sweep;
    e.V5 = From + (k + 1) * sweep;
    ASSERT_TRUE(insel.Offsets.Add(e));
  }
}

// A hatch segment or connecting move, or a record of another group.
InselT Line(double x1, double y1, double x2, double y2, std::int32_t group = 2) {
  return TFormaEditorInsel::LineRecord(x1, y1, x2, y2, group);
}

// The start point is the lowest point of the offsets for A = 0; tests that fill the offsets
// themselves give it.
void HatchParams(TFormaEditorInsel& insel, double R, double K, double A, PointT start) {
  insel.Params.R = R;
  insel.Params.K = K;
  insel.Params.A = A;
  insel.StartPoint = start;
}

// The path records of one group.
std::vector<InselT> PathOf(const TFormaEditorInsel& insel, std::int32_t group) {
  std::vector<InselT> out;
  for (int i = 1; i <= insel.Path.Count(); ++i) {
    if (insel.Path(i)->Group == group) out.push_back(*insel.Path(i));
  }
  return out;
}

// Loads the text, collects every geometry 1..n with Type 1, offsets it by R and finds the
// start for angle A.
void Prepare(Pocket& p, const std::vector<std::string>& lines, int contours, double R, double K,
             double A) {
  std::string error;
  p.geom.FromEditor = 1;
  p.geom.InterpretProgram(lines, error);
  ASSERT_EQ(error, "");
  for (int k = 1; k <= contours; ++k) p.insel.ContourTable(k) = {k, 1};
  p.insel.Params.R = R;
  p.insel.Params.K = K;
  p.insel.Params.A = A;
  ASSERT_TRUE(p.insel.CollectContours());
  ASSERT_TRUE(p.insel.OffsetContours());
  ASSERT_TRUE(p.insel.FindStart());
}

const std::vector<std::string> Rectangle100x60 = {"G0 X0 Y0", "G1 X100 Y0", "G1 X100 Y60",
                                                  "G1 X0 Y60", "G1 X0 Y0"};

// The pocket of the benchmark: a circle of radius 100 with six islands of radius 15 on a
// circle of radius 55.
std::vector<std::string> CircleWithSixIslands() {
  std::vector<std::string> lines = {"%1", "G0 X100 Y0", "G3 X0 Y100 I-100 J0",
                                    "G3 X-100 Y0 I0 J-100", "G3 X0 Y-100 I100 J0",
                                    "G3 X100 Y0 I0 J100"};
  for (int k = 0; k < 6; ++k) {
    const double a = k * Pi / 3;
    const double cx = 55 * std::cos(a), cy = 55 * std::sin(a);
    lines.push_back("%" + std::to_string(k + 2));
    lines.push_back("G0 X" + TFormaDaten::FormatReal(cx + 15, 6) + " Y" +
                    TFormaDaten::FormatReal(cy, 6));
    lines.push_back("G2 X" + TFormaDaten::FormatReal(cx - 15, 6) + " Y" +
                    TFormaDaten::FormatReal(cy, 6) + " I-15 J0");
    lines.push_back("G2 X" + TFormaDaten::FormatReal(cx + 15, 6) + " Y" +
                    TFormaDaten::FormatReal(cy, 6) + " I15 J0");
  }
  return lines;
}

// Hatch, link, compact and count as the pocket panel does; the number of chains.
int LinkAndCount(TFormaEditorInsel& insel) {
  EXPECT_TRUE(insel.LinkPath());
  insel.CompactPath();
  std::int32_t count = 0, chains = 0;
  insel.CountChains(count, chains);
  return chains;
}

// ---- The whole road on a rectangle ----

TEST(PocketHatch, RectangleGivesEveryOtherLineAlongA) {
  Pocket p;
  Prepare(p, Rectangle100x60, 1, 3, 1, 0);
  EXPECT_EQ(p.insel.Hatch(), 18);
  EXPECT_EQ(platform::ApplicationTag(), 0);
  EXPECT_FALSE(p.insel.Truncated);
  EXPECT_EQ(PathOf(p.insel, 1).size(), 4u);
  const std::vector<InselT> segments = PathOf(p.insel, 2);
  ASSERT_EQ(segments.size(), 9u);
  for (std::size_t k = 0; k < segments.size(); ++k) {
    SCOPED_TRACE("segment " + std::to_string(k));
    const double y = 3.01 + 6.0 * static_cast<double>(k);
    EXPECT_NEAR(segments[k].V1, 3, Tol);
    EXPECT_NEAR(segments[k].V2, y, 1e-9);
    EXPECT_NEAR(segments[k].V3, 97, Tol);
    EXPECT_NEAR(segments[k].V4, y, 1e-9);
  }
}

TEST(PocketLink, RectangleSegmentsAlternateJoinedAlongTheSides) {
  Pocket p;
  Prepare(p, Rectangle100x60, 1, 3, 1, 0);
  ASSERT_EQ(p.insel.Hatch(), 18);
  EXPECT_EQ(LinkAndCount(p.insel), 2);
  EXPECT_EQ(p.insel.HatchSegments.Count(), 0);
  EXPECT_EQ(p.insel.Contours.Count(), 0);

  // Chain 1 is the contour pass, chain 2 the zig-zag.
  std::vector<InselT> zigzag;
  for (int i = 1; i <= p.insel.Path.Count(); ++i) {
    const InselT& e = Rec(p.insel.Path, i);
    EXPECT_EQ(e.Chain, e.Group == 1 ? 1 : 2) << "record " << i;
    if (e.Group == 2) zigzag.push_back(e);
  }
  ASSERT_EQ(zigzag.size(), 17u);  // 9 segments and 8 moves up a side
  for (std::size_t k = 0; k < zigzag.size(); ++k) {
    SCOPED_TRACE("record " + std::to_string(k));
    const InselT& e = zigzag[k];
    EXPECT_EQ(e.Kind, 1);
    if (k % 2 == 0) {
      const double y = 3.01 + 3.0 * static_cast<double>(k);
      const bool rightward = k % 4 == 0;
      EXPECT_NEAR(e.V1, rightward ? 3 : 97, Tol);
      EXPECT_NEAR(e.V3, rightward ? 97 : 3, Tol);
      EXPECT_NEAR(e.V2, y, 1e-9);
      EXPECT_NEAR(e.V4, y, 1e-9);
    } else {
      const double x = k % 4 == 1 ? 97 : 3;
      EXPECT_NEAR(e.V1, x, Tol);
      EXPECT_NEAR(e.V3, x, Tol);
      EXPECT_NEAR(e.V4 - e.V2, 6, 1e-9);
    }
  }
}

// ---- Hits and pairing on small pockets ----

struct Seg {
  double x1, y1, x2, y2;
};

TEST(PocketHatch, SmallPocketsGiveTheirSegments) {
  struct Case {
    const char* name;
    std::function<void(TFormaEditorInsel&)> offsets;
    double R, K, A;
    PointT start;
    int lines;  // -1: not checked
    std::vector<Seg> path;
  };
  const auto box = [](TFormaEditorInsel& insel) {
    AddPolygon(insel, 1, {{0, 0}, {20, 0}, {20, 6}, {0, 6}});
  };
  const std::vector<Seg> wholeLines = {{0, 0.01, 20, 0.01}, {0, 2.01, 20, 2.01},
                                       {0, 4.01, 20, 4.01}};
  const double slope = 5.0 / 2.01;  // run of the hexagon's slanted sides per unit of height
  const Case cases[] = {
      {"line through two vertices it crosses: one hit at each",
       [](TFormaEditorInsel& insel) {
         AddPolygon(insel, 1, {{0, 0}, {10, 0}, {15, 2.01}, {10, 4.02}, {0, 4.02}, {-5, 2.01}});
       },
       1, 1, 0, {0, 0}, 5,
       {{-0.01 * slope, 0.01, 10 + 0.01 * slope, 0.01},
        {-5, 2.01, 15, 2.01},
        {-0.01 * slope, 4.01, 10 + 0.01 * slope, 4.01}}},
      {"island vertex touched from below: no hit",
       [&](TFormaEditorInsel& insel) {
         box(insel);
         AddPolygon(insel, 2, {{10, 2.01}, {12, 0.5}, {8, 0.5}});
       },
       1, 1, 0, {0, 0}, 6, wholeLines},
      {"island vertex touched from above: no hit",
       [&](TFormaEditorInsel& insel) {
         box(insel);
         AddPolygon(insel, 2, {{10, 2.01}, {8, 3.5}, {12, 3.5}});
       },
       1, 1, 0, {0, 0}, 6, wholeLines},
      {"island circle touched from below and from above: no hit",
       [&](TFormaEditorInsel& insel) {
         box(insel);
         AddCircle(insel, 2, 6, 1.01, 1, false);
         AddCircle(insel, 3, 14, 3.01, 1, false);
       },
       1, 1, 0, {0, 0}, 6, wholeLines},
      {"chord shorter than R: no segment",
       [](TFormaEditorInsel& insel) { AddPolygon(insel, 1, {{0, 0}, {10, 0}, {10, 3}, {0, 3}}); },
       12, 0.1, 0, {0, 0}, -1, {}},
      {"pocket longer than 1000 with an island near its far end",
       [](TFormaEditorInsel& insel) {
         AddPolygon(insel, 1, {{0, 0}, {3000, 0}, {3000, 4}, {0, 4}});
         AddPolygon(insel, 2, {{2500, 1}, {2500, 3}, {2600, 3}, {2600, 1}});
       },
       1, 1, 0, {0, 0}, 4,
       {{0, 0.01, 3000, 0.01}, {0, 2.01, 2500, 2.01}, {2600, 2.01, 3000, 2.01}}},
      {"hatch angle 90 degrees: segments run in +y",
       [](TFormaEditorInsel& insel) { AddPolygon(insel, 1, {{0, 0}, {10, 0}, {10, 20}, {0, 20}}); },
       1, 1, Pi / 2, {10, 0}, 10,
       {{9.99, 0, 9.99, 20}, {7.99, 0, 7.99, 20}, {5.99, 0, 5.99, 20}, {3.99, 0, 3.99, 20},
        {1.99, 0, 1.99, 20}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    c.offsets(p.insel);
    HatchParams(p.insel, c.R, c.K, c.A, c.start);
    const std::int32_t lines = p.insel.Hatch();
    if (c.lines >= 0) { EXPECT_EQ(lines, c.lines); }
    EXPECT_FALSE(p.insel.Truncated);
    EXPECT_EQ(static_cast<int>(PathOf(p.insel, 1).size()), p.insel.Offsets.Count());
    const std::vector<InselT> segments = PathOf(p.insel, 2);
    ASSERT_EQ(segments.size(), c.path.size());
    for (std::size_t k = 0; k < segments.size(); ++k) {
      SCOPED_TRACE("segment " + std::to_string(k));
      EXPECT_NEAR(segments[k].V1, c.path[k].x1, Tol);
      EXPECT_NEAR(segments[k].V2, c.path[k].y1, Tol);
      EXPECT_NEAR(segments[k].V3, c.path[k].x2, Tol);
      EXPECT_NEAR(segments[k].V4, c.path[k].y2, Tol);
    }
  }
}

// ---- Limits ----

TEST(PocketHatch, StopsAtTheLineCapOrOnCrowdedLinesAndSaysSo) {
  {
    SCOPED_TRACE("pocket taller than 1001 lines");
    Pocket p;
    AddPolygon(p.insel, 1, {{0, 0}, {10, 0}, {10, 2000}, {0, 2000}});
    HatchParams(p.insel, 1, 1, 0, {0, 0});
    EXPECT_EQ(p.insel.Hatch(), 1000);  // the first pass only creeps to the first line
    EXPECT_TRUE(p.insel.Truncated);
    EXPECT_EQ(PathOf(p.insel, 2).size(), 500u);
    EXPECT_EQ(p.insel.HitPoints.Count(), 0);
  }
  {
    SCOPED_TRACE("a row of 60 islands");
    Pocket p;
    AddPolygon(p.insel, 1, {{0, 0}, {1300, 0}, {1300, 30}, {0, 30}});
    for (int k = 0; k < 60; ++k) {
      const double x = 10 + 20 * k;
      AddPolygon(p.insel, 2 + k, {{x, 5}, {x, 25}, {x + 10, 25}, {x + 10, 5}});
    }
    HatchParams(p.insel, 1, 1, 0, {0, 0});
    // Lines at 0.01 to 4.01 cross the outer contour only; 5.01 and 6.01 cross it and the
    // islands 122 times, and the second of them is left unhatched.
    EXPECT_EQ(p.insel.Hatch(), 6);
    EXPECT_TRUE(p.insel.Truncated);
  }
  {
    SCOPED_TRACE("the same pocket with a larger stepover covers it");
    Pocket p;
    AddPolygon(p.insel, 1, {{0, 0}, {1300, 0}, {1300, 30}, {0, 30}});
    HatchParams(p.insel, 1, 1, 0, {0, 0});
    EXPECT_EQ(p.insel.Hatch(), 30);
    EXPECT_FALSE(p.insel.Truncated);
  }
}

// Segments taken out of the path for linking no longer count to its cap of 10001 records.
TEST(PocketLink, LinkingReusesTheRecordsOfTheSegmentsItTakes) {
  Pocket p;
  AddPolygon(p.insel, 1, {{0, 0}, {10, 0}, {10, 4001}, {0, 4001}});
  for (int i = 1; i <= 4; ++i) ASSERT_TRUE(p.insel.Path.Add(*p.insel.Offsets(i)));
  for (int k = 0; k < 4000; ++k) {
    const double y = 0.5 + k;
    ASSERT_TRUE(p.insel.Path.Add(k % 2 == 0 ? Line(0, y, 10, y) : Line(10, y, 0, y)));
  }
  ASSERT_TRUE(p.insel.LinkPath());
  EXPECT_FALSE(p.insel.Truncated);
  EXPECT_EQ(p.insel.Path.Count(), 4 + 4000 + 3999);  // each segment and a move up a side
}

// ---- The circle with six islands ----

// Points every 0.1 along a path record, both ends included.
std::vector<PointT> Samples(const InselT& e) {
  std::vector<PointT> out;
  if (e.Kind == 1) {
    const double length = std::hypot(e.V3 - e.V1, e.V4 - e.V2);
    const int n = std::max(1, static_cast<int>(std::ceil(length / 0.1)));
    for (int i = 0; i <= n; ++i) {
      const double t = static_cast<double>(i) / n;
      out.push_back({e.V1 + t * (e.V3 - e.V1), e.V2 + t * (e.V4 - e.V2)});
    }
  } else {
    const double sweep = TFormaDaten::ArcSweep(e.V3, e.V4, e.V5);
    const double r = std::fabs(e.V3);
    const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) * r / 0.1)));
    for (int i = 0; i <= n; ++i) {
      const double a = e.V4 + sweep * i / n;
      out.push_back({e.V1 + r * std::cos(a), e.V2 + r * std::sin(a)});
    }
  }
  return out;
}

struct CirclePocket {
  Pocket p;
  std::int32_t lines = 0;
  int chains = 0;
  explicit CirclePocket(double A) {
    Prepare(p, CircleWithSixIslands(), 7, 3, 0.8, A);
    lines = p.insel.Hatch();
    chains = LinkAndCount(p.insel);
  }
};

TEST(PocketLink, CircleWithIslandsStaysBetweenTheOffsets) {
  for (const double degrees : {0.0, 30.0, 360.0}) {
    SCOPED_TRACE(std::to_string(degrees) + " degrees");
    CirclePocket c(degrees * Pi / 180);
    EXPECT_GT(c.lines, 60);
    EXPECT_FALSE(c.p.insel.Truncated);
    const RecordList<InselT>& path = c.p.insel.Path;
    ASSERT_GT(path.Count(), 24);
    int worst = 0;
    for (int i = 1; i <= path.Count(); ++i) {
      const InselT& e = Rec(path, i);
      bool inside = true;
      for (const PointT& q : Samples(e)) {
        if (std::hypot(q.X, q.Y) > 97 + 0.001) inside = false;
        for (int k = 0; k < 6; ++k) {
          const double a = k * Pi / 3;
          if (std::hypot(q.X - 55 * std::cos(a), q.Y - 55 * std::sin(a)) < 18 - 0.001) {
            inside = false;
          }
        }
      }
      if (!inside && worst++ < 5) ADD_FAILURE() << "record " << i << " leaves the pocket";
      if (i > 1 && Rec(path, i - 1).Chain == e.Chain) {
        EXPECT_LT(Gap(Rec(path, i - 1), e), 0.001) << "record " << i;
      }
    }
    // The zig-zags are few: each is broken only where the islands part the lines.
    EXPECT_LT(c.chains, 20);
  }
}

TEST(PocketLink, CircleHatchAngle360IsHatchAngle0) {
  CirclePocket zero(0.0), full(2 * Pi);
  ASSERT_EQ(zero.lines, full.lines);
  ASSERT_EQ(zero.p.insel.Path.Count(), full.p.insel.Path.Count());
  for (int i = 1; i <= zero.p.insel.Path.Count(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    const InselT& a = Rec(zero.p.insel.Path, i);
    const InselT& b = Rec(full.p.insel.Path, i);
    double ax, ay, bx, by;
    StartOf(a, ax, ay);
    StartOf(b, bx, by);
    EXPECT_NEAR(std::hypot(ax - bx, ay - by), 0, 1e-6);
    EndOf(a, ax, ay);
    EndOf(b, bx, by);
    EXPECT_NEAR(std::hypot(ax - bx, ay - by), 0, 1e-6);
    EXPECT_EQ(a.Group, b.Group);
    EXPECT_EQ(a.Chain, b.Chain);
  }
}

// ---- Busy flag and cancelling ----

// The rectangle with an island, offsets given, so that a test can fill them again quickly.
void SmallPocket(TFormaEditorInsel& insel) {
  insel.Reset();
  AddPolygon(insel, 1, {{0, 0}, {20, 0}, {20, 6}, {0, 6}});
  AddCircle(insel, 2, 10, 3, 1.5, false);
  HatchParams(insel, 1, 1, 0, {0, 0});
}

TEST(PocketCancel, BusyFlagAlreadySetReturnsAtOnce) {
  PumpGuard guard({});
  Pocket p;
  SmallPocket(p.insel);
  int hourglass = 0;
  p.insel.ShowHourglass = [&] { ++hourglass; };
  InselT old;
  old.Group = 1;
  ASSERT_TRUE(p.insel.Path.Add(old));
  platform::SetApplicationTag(1);
  EXPECT_EQ(p.insel.Hatch(), 0);
  EXPECT_EQ(platform::ApplicationTag(), 1);
  EXPECT_EQ(p.insel.Path.Count(), 1);
  EXPECT_EQ(hourglass, 0);

  platform::SetApplicationTag(0);
  EXPECT_EQ(p.insel.Hatch(), 6);
  EXPECT_EQ(hourglass, 1);
  EXPECT_EQ(platform::ApplicationTag(), 0);
}

TEST(PocketCancel, BadInputHatchesNothing) {
  PumpGuard guard({});
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    double R, K, A;
    PointT start;
    bool offsets;
  };
  const Case cases[] = {
      {"stepover 0", 1, 0, 0, {0, 0}, true},
      {"tool radius 0", 0, 1, 0, {0, 0}, true},
      {"negative step", -1, 1, 0, {0, 0}, true},
      {"step not finite", inf, 1, 0, {0, 0}, true},
      {"angle NaN", 1, 1, nan, {0, 0}, true},
      {"angle infinite", 1, 1, inf, {0, 0}, true},
      {"start NaN", 1, 1, 0, {nan, 0}, true},
      {"no offsets", 1, 1, 0, {0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    if (c.offsets) SmallPocket(p.insel);
    HatchParams(p.insel, c.R, c.K, c.A, c.start);
    EXPECT_EQ(p.insel.Hatch(), 0);
    EXPECT_EQ(platform::ApplicationTag(), 0);
    EXPECT_EQ(p.insel.Path.Count(), 0);
  }
}

// A hatch run with a pump that counts its calls and at call Stop runs Act.
struct CountingPump {
  int calls = 0;
  int stop = 0;
  std::function<void()> act;
  void operator()() {
    if (++calls == stop && act) act();
  }
};

TEST(PocketCancel, ClearingTheFlagAtAnyPumpLeavesThePathEmpty) {
  for (const bool circle : {false, true}) {
    SCOPED_TRACE(circle ? "circle with islands" : "rectangle with an island");
    Pocket p;
    if (circle) {
      Prepare(p, CircleWithSixIslands(), 7, 3, 0.8, 0);
    } else {
      SmallPocket(p.insel);
    }
    CountingPump pump;
    PumpGuard guard([&] { pump(); });
    const std::int32_t lines = p.insel.Hatch();
    const int path = p.insel.Path.Count();
    const int total = pump.calls;
    ASSERT_GT(total, 20);
    int failures = 0;
    for (int n = 1; n <= total && failures < 5; ++n) {
      pump = {};
      pump.stop = n;
      pump.act = [&] { p.insel.FormDblClick(); };
      p.insel.Hatch();
      const bool ok = p.insel.Path.Count() == 0 && platform::ApplicationTag() == 0 &&
                      p.insel.HitPoints.Count() == 0;
      if (!ok) ADD_FAILURE() << "cancelled at pump " << n << " of " << total << ++failures;
    }
    // Nothing of a cancelled run stays behind for the next one.
    pump = {};
    EXPECT_EQ(p.insel.Hatch(), lines);
    EXPECT_EQ(p.insel.Path.Count(), path);
  }
}

TEST(PocketCancel, PumpThatResetsTheUnitDoesNotCrashTheHatch) {
  Pocket p;
  CountingPump pump;
  PumpGuard guard([&] { pump(); });
  SmallPocket(p.insel);
  p.insel.Hatch();
  const int total = pump.calls;
  for (const bool clearFlag : {true, false}) {
    for (int n = 1; n <= total; ++n) {
      SCOPED_TRACE((clearFlag ? "reset and cancel at pump " : "reset at pump ") +
                   std::to_string(n));
      SmallPocket(p.insel);
      pump = {};
      pump.stop = n;
      pump.act = [&] {
        p.insel.Reset();
        if (clearFlag) platform::SetApplicationTag(0);
      };
      p.insel.Hatch();
      EXPECT_EQ(platform::ApplicationTag(), 0);
      if (clearFlag) { EXPECT_EQ(p.insel.Path.Count(), 0); }
    }
  }
}

// ---- Linking ----

PointT OnCircle(double r, double a) { return {r * std::cos(a), r * std::sin(a)}; }

TEST(PocketLink, NoSegmentToStartFromLinksNothing) {
  Pocket p;
  EXPECT_FALSE(p.insel.LinkPath());  // empty path
  AddPolygon(p.insel, 1, {{0, 0}, {20, 0}, {20, 6}, {0, 6}});
  ASSERT_TRUE(p.insel.Path.Add(Line(0, 0, 20, 0, 1)));
  ASSERT_TRUE(p.insel.Path.Add(Line(5, 1, 5.05, 1)));
  ASSERT_TRUE(p.insel.Path.Add(Line(5, 2, 5.09, 2)));
  EXPECT_FALSE(p.insel.LinkPath());
  EXPECT_EQ(p.insel.Path.Count(), 3);
  EXPECT_NEAR(Rec(p.insel.Path, 2).V3, 5.05, Tol);
}

// Two segments that meet the outer circle either side of its start point, in a pocket with
// an island: the move between them crosses the start point instead of running round.
TEST(PocketLink, MoveAcrossTheStartOfAContourRunsTheShortWay) {
  for (const bool backwards : {false, true}) {
    SCOPED_TRACE(backwards ? "backwards" : "forwards");
    Pocket p;
    AddCircle(p.insel, 1, 0, 0, 50, true);
    AddCircle(p.insel, 2, 0, 20, 5, false);
    const PointT below = OnCircle(50, -0.1), above = OnCircle(50, 0.1);
    const PointT a = backwards ? above : below, b = backwards ? below : above;
    ASSERT_TRUE(p.insel.Path.Add(Line(0, a.Y, a.X, a.Y)));
    ASSERT_TRUE(p.insel.Path.Add(Line(b.X, b.Y, 0, b.Y)));
    EXPECT_EQ(LinkAndCount(p.insel), 1);
    double swept = 0.0;
    int arcs = 0;
    for (int i = 1; i <= p.insel.Path.Count(); ++i) {
      const InselT& e = Rec(p.insel.Path, i);
      if (e.Kind != 2) continue;
      ++arcs;
      swept += e.Sweep;
      EXPECT_NEAR(std::fabs(e.V3), 50, Tol);
      if (i > 1) { EXPECT_LT(Gap(Rec(p.insel.Path, i - 1), e), 0.001) << "record " << i; }
    }
    EXPECT_EQ(arcs, 2);
    EXPECT_NEAR(swept, backwards ? -0.2 : 0.2, 1e-9);
  }
}

// Connecting moves on a counter-clockwise circle of two half arcs from angle 0: the shorter
// way round, continuous from the one point to the other.
TEST(PocketLink, MoveAlongAContourTakesTheShorterWay) {
  struct Case {
    const char* name;
    double from, to;  // angles
    double sweep;
  };
  const Case cases[] = {
      {"forwards on one record", 0.5, 1.5, 1.0},
      {"backwards on one record", 1.5, 0.5, -1.0},
      {"from the end of the first record", Pi, Pi + 0.5, 0.5},
      {"to the start of the second record", Pi - 0.5, Pi, 0.5},
      {"from the first record back into the second", 0.2, -0.3, -0.5},
      {"from the second record on into the first", -0.3, 0.2, 0.5},
      {"across both records", 1.0, Pi + 0.9, Pi - 0.1},
      {"back across both records", 1.0, Pi + 1.1, -(Pi - 0.1)},
      {"round to just behind on one record", 1.0, 0.9, -0.1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pocket p;
    AddCircle(p.insel, 1, 0, 0, 50, true);
    AddCircle(p.insel, 2, 0, 20, 5, false);  // an island that nothing here touches
    const PointT from = OnCircle(50, c.from), to = OnCircle(50, c.to);
    ASSERT_TRUE(p.insel.LinkAlongContour(from, to));
    p.insel.CompactPath();
    ASSERT_GE(p.insel.Path.Count(), 1);
    double swept = 0.0;
    for (int i = 1; i <= p.insel.Path.Count(); ++i) {
      const InselT& e = Rec(p.insel.Path, i);
      EXPECT_EQ(e.Group, 2);
      swept += e.Sweep;
      if (i > 1) { EXPECT_LT(Gap(Rec(p.insel.Path, i - 1), e), 1e-9) << "record " << i; }
    }
    EXPECT_NEAR(swept, c.sweep, 1e-9);
    double x, y;
    StartOf(Rec(p.insel.Path, 1), x, y);
    EXPECT_LT(std::hypot(x - from.X, y - from.Y), 1e-9);
    EndOf(Rec(p.insel.Path, p.insel.Path.Count()), x, y);
    EXPECT_LT(std::hypot(x - to.X, y - to.Y), 1e-9);
  }
}

TEST(PocketLink, NoMoveBetweenTwoContoursOrOffThem) {
  Pocket p;
  AddCircle(p.insel, 1, 0, 0, 50, true);
  AddCircle(p.insel, 2, 0, 20, 5, false);
  EXPECT_TRUE(p.insel.LinkAlongContour(OnCircle(50, 1), {0, 25}));  // outer to island
  EXPECT_TRUE(p.insel.LinkAlongContour(OnCircle(50, 1), OnCircle(49.8, 2)));  // not on it
  EXPECT_EQ(p.insel.Path.Count(), 0);
}

TEST(PocketLink, NearestSegmentTakesStartBeforeEndAndTheFirstOfEquals) {
  Pocket p;
  AddPolygon(p.insel, 1, {{0, 0}, {20, 0}, {20, 6}, {0, 6}});
  ASSERT_TRUE(p.insel.Path.Add(Line(0, 1, 20, 1)));
  ASSERT_TRUE(p.insel.Path.Add(Line(20, 3, 0, 3)));  // its end lies as near as the next start
  ASSERT_TRUE(p.insel.Path.Add(Line(20, 2, 10, 2)));
  ASSERT_TRUE(p.insel.Path.Add(Line(10, 2, 0, 2)));
  ASSERT_TRUE(p.insel.LinkPath());
  // 1 forward; then 3 at (20, 2), nearer than 2's start at (20, 3); 4; then 2 reversed.
  std::vector<InselT> segments;
  for (int i = 1; i <= p.insel.Path.Count(); ++i) {
    const InselT& e = Rec(p.insel.Path, i);
    if (e.Group == 2 && e.V2 == e.V4) segments.push_back(e);
  }
  ASSERT_EQ(segments.size(), 4u);
  EXPECT_EQ(segments[0].V2, 1);
  EXPECT_EQ(segments[1].V1, 20);
  EXPECT_EQ(segments[1].V2, 2);
  EXPECT_EQ(segments[2].V1, 10);
  EXPECT_EQ(segments[3].V1, 0);  // taken reversed
  EXPECT_EQ(segments[3].V2, 3);
}

// ---- Filter and compact ----

TEST(PocketPath, FilterKeepsOneGroupAndCompactDropsRecordsOfNoLength) {
  for (const std::int32_t kind : {1, 2}) {
    SCOPED_TRACE(kind);
    Pocket p;
    ASSERT_TRUE(p.insel.Path.Add(Line(0, 0, 10, 0, 1)));
    ASSERT_TRUE(p.insel.Path.Add(Line(0, 1, 10, 1, 2)));
    ASSERT_TRUE(p.insel.Path.Add(Line(10, 1, 10, 1.0005, 2)));  // no length
    InselT arc;
    arc.Group = 2;
    arc.Kind = 2;
    arc.V3 = -5;
    arc.V4 = Pi / 2;
    arc.V5 = 0;
    ASSERT_TRUE(p.insel.Path.Add(arc));
    ASSERT_TRUE(p.insel.Path.Add(Line(0, 2, 10, 2, 1)));
    p.insel.FilterPath(kind);
    p.insel.CompactPath();
    if (kind == 1) {
      ASSERT_EQ(p.insel.Path.Count(), 2);
      EXPECT_EQ(Rec(p.insel.Path, 2).V2, 2);
    } else {
      ASSERT_EQ(p.insel.Path.Count(), 2);
      EXPECT_EQ(Rec(p.insel.Path, 1).V2, 1);
      EXPECT_NEAR(Rec(p.insel.Path, 2).Sweep, -Pi / 2, 1e-12);
    }
    for (int i = 1; i <= p.insel.Path.Count(); ++i) EXPECT_EQ(Rec(p.insel.Path, i).Group, kind);
  }
}

// ---- Collecting from a large store ----

TEST(PocketCollect, StoreChangesAfterACollectionAreSeen) {
  Pocket p;
  // Many elements of other geometries around the pocket.
  for (int k = 0; k < 2000; ++k) p.Put(10 + k % 200, 1, k, 0, k, 1);
  p.Put(1, 1, 0, 0, 10, 0);
  p.Put(1, 1, 10, 0, 10, 10);
  const int third = p.geom.ElementCount() + 1;
  p.Put(2, 1, 10, 10, 0, 0);
  p.Table({{1, 1}});
  ASSERT_TRUE(p.insel.CollectContours());
  EXPECT_EQ(p.insel.Contours.Count(), 3);  // two lines and the closing one

  // The third line joins geometry 1 through the store's own record.
  p.geom.Elements(third)->GeomNo = 1;
  ASSERT_TRUE(p.insel.CollectContours());
  EXPECT_EQ(p.insel.Contours.Count(), 3);
  EXPECT_NEAR(Rec(p.insel.Contours, 3).V1, 10, Tol);
  EXPECT_NEAR(Rec(p.insel.Contours, 3).V2, 10, Tol);

  p.geom.CurElement()->Side = 3;  // now a drilling block
  EXPECT_FALSE(p.insel.ContourUsable(1));
  p.geom.DeleteGeomElements(1);
  p.geom.SetCurElement(5);
  EXPECT_FALSE(p.insel.CollectContours());
  EXPECT_EQ(p.geom.CurElementSlot(), 5);  // the query leaves the current element alone
}

}  // namespace
}  // namespace movra
