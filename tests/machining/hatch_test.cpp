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
    InselT e;
    e.Group = group;
    e.Kind = 1;
    e.V1 = a.X;
    e.V2 = a.Y;
    e.V3 = b.X;
    e.V4 = b.Y;
    ASSERT_TRUE(insel.Offsets.Add(e));
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

}  // namespace
}  // namespace movra
