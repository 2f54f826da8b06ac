#pragma once
// Geometries put straight into the store, and the subprogram text the ISO view shows of one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/forma_geom.h"
#include "geometry/text_writers.h"

namespace movra::testing {

// A line of geometry Number with feed 100.
inline void AddLine(TFormaGeom& Geom, int Number, double X1, double Y1, double X2, double Y2) {
  ASSERT_TRUE(Geom.NewElement());
  TFormaGeom::GeomT& e = *Geom.CurElement();
  e.Kind = 1;
  e.V1 = X1, e.V2 = Y1, e.V3 = X2, e.V4 = Y2, e.V5 = 0;
  e.Feed = 100;
  e.GeomNo = Number;
}

// The subprogram of geometry Number in Plane, its lines joined by line feeds.
inline std::string SubprogramText(const TFormaGeom& Geom, int Number, int Plane) {
  std::vector<std::string> lines;
  EXPECT_TRUE(GeometryToSubprogram(Geom, lines, Number, Plane));
  std::string text;
  for (const std::string& l : lines) text += (text.empty() ? "" : "\n") + l;
  return text;
}

}  // namespace movra::testing
