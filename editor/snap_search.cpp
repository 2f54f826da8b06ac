#include "editor/snap_search.h"

#include <algorithm>
#include <cmath>

#include "geometry/tolerances.h"
#include "platform/core/application.h"

namespace movra {
namespace {

// A squared distance this much beyond the best squared distance is surely farther.
constexpr double kSquareSlack = 1.0 + 1e-9;

// The unit vector from (X1, Y1) to (X2, Y2); (1, 0) between equal points, whose direction
// counts as 0.
void UnitTowards(double X1, double Y1, double X2, double Y2, double& UX, double& UY) {
  const double dx = X2 - X1, dy = Y2 - Y1;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length > 0.0 && std::isfinite(length)) {
    UX = dx / length;
    UY = dy / length;
  } else if (length == 0.0) {
    UX = 1.0;
    UY = 0.0;
  } else {
    // Overflowing or not a number: the kernel's direction copes with both.
    const double a = TFormaDaten::DirAngle(X1, Y1, X2, Y2);
    UX = std::cos(a);
    UY = std::sin(a);
  }
}

}  // namespace

SnapCandidateT CandidateOf(const TFormaGeom::GeomT& Element, std::int32_t Position) {
  return {Element.Feed, Element.OffsetDist, Element.GeomNo, Element.Kind, Element.V1,
          Element.V2,   Element.V3,         Element.V4,     Element.V5,   Element.ZLevel,
          Element.Side, Position};
}

SnapCandidateT CandidateOf(const TFormaEditorInsel::InselT& Item, std::int32_t Position) {
  // A pocket item carries no feed; its number is its path kind (1 contour, 2 hatch).
  return {0.0, 0.0, Item.Group, Item.Kind, Item.V1, Item.V2, Item.V3, Item.V4, Item.V5,
          0.0, Item.Side, Position};
}

SnapCandidateT CandidateOf(const TFormaEditorTurn::TurnT& Item, std::int32_t Position) {
  return {Item.Feed, 0.0, 0, Item.Kind, Item.V1, Item.V2, Item.V3, Item.V4, Item.V5,
          0.0, Item.Side, Position};
}

bool SnapSearch::Nearer(double X, double Y, double& D) const {
  double sx = 0.0, sy = 0.0;
  view_.WorldToScreen(X, Y, sx, sy);
  // Most candidates are plainly farther: their square says so without a root. The slack
  // covers the rounding of the squares, so the exact distance decides every near case.
  const double dx = sx - view_.MousePixel.X, dy = sy - view_.MousePixel.Y;
  const double square = dx * dx + dy * dy;
  if (square > BestDist * BestDist * kSquareSlack) return false;
  // The kernel's distance (TFormaDaten::Dist) from the square at hand, which is finite here:
  // the root, and 0 for points that are the same.
  D = std::sqrt(square);
  if (D < Same) D = 0.0;
  // Strictly nearer: of two at the same distance the one offered first stays.
  return D < BestDist;
}

void SnapSearch::TakeRecord(double X, double Y) {
  EditorHover& h = view_;
  h.HoverE = Record.E;
  h.HoverFeed = Record.Feed;
  h.HoverNumber = Record.Number;
  h.HoverIndex = Record.Position;
  h.HoverKind = Record.Kind;
  h.HoverGeom = {Record.V1, Record.V2, Record.V3, Record.V4, Record.V5, Record.Z};
  h.HoverCorr = Record.Corr;
  h.SnapKind = 0;
  view_.CursorX = X;
  view_.CursorY = Y;
}

bool SnapSearch::TrySnapCandidate(double X, double Y) {
  double d = 0.0;
  if (!Nearer(X, Y, d)) return false;
  BestDist = d;
  TakeRecord(X, Y);
  // A point of no item (the origin, the pole) leaves no construction to show.
  winnerPoints_.Fill(ConstructionPointT{});
  return true;
}

bool SnapSearch::OutOfReach() const {
  const SnapCandidateT& r = Record;
  double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
  if (r.Kind == 1) {
    x0 = std::min(r.V1, r.V3), x1 = std::max(r.V1, r.V3);
    y0 = std::min(r.V2, r.V4), y1 = std::max(r.V2, r.V4);
  } else if (r.Kind == 2) {
    // Every candidate of an arc lies on or inside the box of its full circle.
    const double radius = std::fabs(r.V3);
    x0 = r.V1 - radius, x1 = r.V1 + radius;
    y0 = r.V2 - radius, y1 = r.V2 + radius;
  } else {
    return true;  // offers nothing
  }
  double px0 = 0.0, py0 = 0.0, px1 = 0.0, py1 = 0.0;
  view_.WorldToScreen(x0 - ReachBoxMargin, y0 - ReachBoxMargin, px0, py0);
  view_.WorldToScreen(x1 + ReachBoxMargin, y1 + ReachBoxMargin, px1, py1);
  const double mx = view_.MousePixel.X, my = view_.MousePixel.Y;
  const double gx = std::max({0.0, std::min(px0, px1) - mx, mx - std::max(px0, px1)});
  const double gy = std::max({0.0, std::min(py0, py1) - my, my - std::max(py0, py1)});
  const double reach = BestDist + ReachPixelSlack;
  // Not a number anywhere: not provably out of reach, so the candidates are offered.
  return gx * gx + gy * gy > reach * reach;
}

void SnapSearch::Offer(int K, double PX, double PY, double OX, double OY, bool& Won) {
  points_(K) = {PX, PY};
  double d = 0.0;
  if (!Nearer(OX, OY, d)) return;
  // The hover record is written once, for the item's last winner: the cursor point is the
  // exact point, not the one offered.
  BestDist = d;
  win_ = {K, PX, PY};
  Won = true;
}

const SnapSearch::PointsT& SnapSearch::CollectSnapCandidates() {
  points_.Fill(ConstructionPointT{});
  const SnapCandidateT& r = Record;
  bool won = false;
  if (r.Kind == 1) {
    const double x1 = r.V1, y1 = r.V2, x2 = r.V3, y2 = r.V4;
    double ux = 0.0, uy = 0.0;
    UnitTowards(x1, y1, x2, y2, ux, uy);
    const double hx = (x2 - x1) / 2.0, hy = (y2 - y1) / 2.0;
    Offer(1, x1, y1, x1 + EndPointNudge * ux, y1 + EndPointNudge * uy, won);
    Offer(2, x2, y2, x2 - EndPointNudge * ux, y2 - EndPointNudge * uy, won);
    Offer(3, x1 + hx, y1 + hy, x1 + hx, y1 + hy, won);
    if (all_) {
      // The corners and side midpoints of the two axis-parallel triangles over the line.
      const auto at = [&](int k, double x, double y) { Offer(k, x, y, x, y, won); };
      at(4, x2, y1 + hy);
      at(5, x2, y1);
      at(6, x1 + hx, y1);
      at(7, x1, y1 + hy);
      at(8, x1, y2);
      at(9, x1 + hx, y2);
    }
  } else if (r.Kind == 2) {
    const double cx = r.V1, cy = r.V2, R = r.V3, a1 = r.V4, a2 = r.V5;
    const double radius = std::fabs(R);
    const double c1 = std::cos(a1), s1 = std::sin(a1);
    const double c2 = std::cos(a2), s2 = std::sin(a2);
    const double sx = cx + radius * c1, sy = cy + radius * s1;
    const double ex = cx + radius * c2, ey = cy + radius * s2;
    // Start forward and end backward along the tangent, in the arc's sense.
    const double turn = R > 0 ? 1.0 : -1.0;
    Offer(1, sx, sy, sx - turn * EndPointNudge * s1, sy + turn * EndPointNudge * c1, won);
    Offer(2, ex, ey, ex + turn * EndPointNudge * s2, ey - turn * EndPointNudge * c2, won);
    Offer(3, cx, cy, cx, cy, won);
    if (all_) {
      const auto at = [&](int k, double x, double y) { Offer(k, x, y, x, y, won); };
      at(4, cx + radius / 2.0 * c1, cy + radius / 2.0 * s1);
      at(5, cx + radius / 2.0 * c2, cy + radius / 2.0 * s2);
      const double mx = sx + (ex - sx) / 2.0, my = sy + (ey - sy) / 2.0;  // chord midpoint
      at(6, mx, my);
      at(7, cx + (mx - cx) / 2.0, cy + (my - cy) / 2.0);
      at(8, cx + (sx - cx) / 2.0, sy);
      at(9, sx, cy + (sy - cy) / 2.0);
      at(10, cx + (ex - cx) / 2.0, ey);
      at(11, ex, cy + (ey - cy) / 2.0);
      at(12, cx + radius, cy);
      at(13, cx, cy + radius);
      at(14, cx - radius, cy);
      at(15, cx, cy - radius);
      // The circle's point in the direction of the chord midpoint: the middle of a short
      // arc. A chord through the centre (a half circle, a full circle's start) is no
      // direction: it counts as 0.
      double gx = 1.0, gy = 0.0;
      if (TFormaDaten::Dist(cx, cy, mx, my) != 0.0) UnitTowards(cx, cy, mx, my, gx, gy);
      at(16, cx + radius * gx, cy + radius * gy);
    }
  }
  if (won) {
    TakeRecord(win_.X, win_.Y);
    view_.SnapKind = win_.K;
    winnerPoints_ = points_;
  }
  return points_;
}

void SnapSearch::LatchCursor() {
  double px = 0.0, py = 0.0;
  view_.WorldToScreen(view_.CursorX, view_.CursorY, px, py);
  if (std::fabs(view_.MousePixel.X - px) < LatchPixels &&
      std::fabs(view_.MousePixel.Y - py) < LatchPixels) {
    view_.MouseModelX = view_.CursorX;
    view_.MouseModelY = view_.CursorY;
  }
}

bool FindSnapPoint(EditorView& View, const SnapSources& Sources) {
  // A pocket computation rebuilds its lists, an interpreter run the store: the picture on
  // screen is the last finished one, and the hover stays with it.
  if (platform::ApplicationTag() != 0 || Sources.Geom.Busy != 0) return false;

  // Every field of the hover record describes this search, the correction too.
  static_cast<EditorHover&>(View) = EditorHover{};
  SnapSearch search(View, Sources.AllParameters);
  const TFormaGeom& geom = Sources.Geom;

  if (Sources.PickedSlot) {
    // The element scroll bar names one element: only it, and its points whether it won
    // or not.
    const int slot = *Sources.PickedSlot;
    if (const TFormaGeom::GeomT* e = geom.Elements(slot)) {
      search.Record = CandidateOf(*e, slot);
      View.ConstructionPoints = search.CollectSnapCandidates();
    }
    return true;
  }

  const int count = geom.ElementCount();
  for (int i = 1; i <= count; ++i) {
    const TFormaGeom::GeomT* e = geom.Elements(i);
    if (e == nullptr) continue;
    search.Record = CandidateOf(*e, i);
    if (!search.OutOfReach()) search.CollectSnapCandidates();
  }
  if (Sources.PocketPath != nullptr)
    for (int i = 1; i <= Sources.PocketPath->Count(); ++i) {
      search.Record = CandidateOf(*(*Sources.PocketPath)(i), i);
      if (!search.OutOfReach()) search.CollectSnapCandidates();
    }
  if (Sources.TurnOutput != nullptr)
    for (int i = 1; i <= Sources.TurnOutput->Count(); ++i) {
      search.Record = CandidateOf(*(*Sources.TurnOutput)(i), i);
      if (!search.OutOfReach()) search.CollectSnapCandidates();
    }
  search.Record = SnapCandidateT{};
  search.TrySnapCandidate(0.0, 0.0);
  search.TrySnapCandidate(View.PoleX, View.PoleY);

  View.ConstructionPoints = search.WinnerPoints();
  if (search.BestDist != NoSnapDistance) search.LatchCursor();
  return true;
}

}  // namespace movra
