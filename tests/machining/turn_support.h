#pragma once
// Turning tests: profiles given as corner points, transcripts of the moves ("L x1 y1 x2 y2
// F.." for a line, "A cx cy r a1 a2 F.." for an arc, FMAX a rapid), and the checks that
// every roughing must pass whatever the profile.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/tolerances.h"
#include "tests/geometry/interpreter_support.h"
#include "geometry/element_points.h"
#include "machining/forma_editor_turn.h"

namespace movra::turning {

using TurnT = TFormaEditorTurn::TurnT;

struct Pt {
  double X, Y;
};


// An element for the store: kind and the five values.
struct El {
  double Kind, V1, V2, V3, V4, V5;
};
inline El L(double x1, double y1, double x2, double y2) { return {1, x1, y1, x2, y2, 0}; }
inline El A(double cx, double cy, double r, double a1, double a2) {
  return {2, cx, cy, r, a1, a2};
}

// The editor's store with the turning unit on it.
struct Lathe : transcript::Editor {
  TFormaEditorTurn turn{daten, geom};

  void Put(const El& e) { Editor::Put(1, e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5); }
  // The store's contour prepared on G40, without shift, offset or leads.
  void Prepare() {
    double sx = 0, sy = 0, ex = 0, ey = 0;
    ASSERT_TRUE(turn.BuildContour(sx, sy, 0, 0, 0, NoValue, NoValue, NoValue, NoValue, 0, ex, ey));
  }
};

// Record i of a list; a missing record reads as a zero one, so that a short list fails the
// comparisons instead of crashing.
inline const TurnT& At(const RecordList<TurnT>& list, int i) {
  static const TurnT none{};
  const TurnT* r = list(i);
  return r != nullptr ? *r : none;
}

// A move as its transcript line with the feed: F.. or FMAX for a rapid.
inline std::string Line(const TurnT& r) {
  return transcript::ElementLine(r) +
         (r.Feed == NoValue ? std::string(" FMAX") : " F" + transcript::Num(r.Feed));
}

inline std::string Transcript(const RecordList<TurnT>& list) {
  std::string out;
  for (int i = 1; i <= list.Count(); ++i) {
    if (const TurnT* r = list(i)) out += Line(*r) + "\n";
  }
  return out;
}

inline Pt StartOf(const TurnT& r) {
  Pt p{0, 0};
  StartPointOf(r, p.X, p.Y);
  return p;
}

inline Pt EndOf(const TurnT& r) {
  Pt p{0, 0};
  EndPointOf(r, p.X, p.Y);
  return p;
}

inline double Gap(Pt a, Pt b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

// Points along a move, ends included.
inline std::vector<Pt> Samples(const TurnT& r, int n = 64) {
  std::vector<Pt> out;
  if (r.Kind == 2.0) {
    const double sweep = TFormaDaten::ArcSweep(r.V3, r.V4, r.V5);
    for (int k = 0; k <= n; ++k) {
      const double a = r.V4 + sweep * k / n;
      out.push_back({r.V1 + std::fabs(r.V3) * std::cos(a), r.V2 + std::fabs(r.V3) * std::sin(a)});
    }
  } else {
    for (int k = 0; k <= n; ++k)
      out.push_back({r.V1 + (r.V3 - r.V1) * k / n, r.V2 + (r.V4 - r.V2) * k / n});
  }
  return out;
}

// Distance of P to the segment AB.
inline double SegmentDistance(Pt p, Pt a, Pt b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double l = dx * dx + dy * dy;
  double t = l > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / l : 0.0;
  t = std::fmax(0.0, std::fmin(1.0, t));
  return Gap(p, {a.X + t * dx, a.Y + t * dy});
}

// Is P inside the closed polygon by more than the tolerance?
inline bool DeepInside(Pt p, const std::vector<Pt>& polygon, double tolerance = JoinGap) {
  bool inside = false;
  const std::size_t n = polygon.size();
  for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
    const Pt a = polygon[i], b = polygon[j];
    if (SegmentDistance(p, a, b) <= tolerance) return false;
    if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X)
      inside = !inside;
  }
  return inside;
}

// The checks every roughing passes: consecutive moves meet, no move stands still, and no
// move enters the part (the prepared contour closed along the axis y = 0).
inline void ExpectSoundPath(const RecordList<TurnT>& out, const RecordList<TurnT>& contour) {
  std::vector<Pt> part;
  for (int i = 1; i <= contour.Count(); ++i) {
    for (Pt p : Samples(At(contour, i))) part.push_back(p);
  }
  if (part.empty()) return;
  part.push_back({part.back().X, 0.0});
  part.push_back({part.front().X, 0.0});
  for (int i = 1; i <= out.Count(); ++i) {
    const TurnT& r = At(out, i);
    SCOPED_TRACE("move " + std::to_string(i) + " " + Line(r));
    EXPECT_GT(Gap(StartOf(r), EndOf(r)), 1e-7) << "stands still";
    if (i > 1) {
      EXPECT_LT(Gap(EndOf(At(out, i - 1)), StartOf(r)), JoinGap) << "does not meet";
    }
    for (Pt p : Samples(r)) {
      if (DeepInside(p, part)) {
        ADD_FAILURE() << "enters the part at " << p.X << " " << p.Y;
        break;
      }
    }
  }
}

}  // namespace movra::turning
