#pragma once
// What the pocket tests share: a geometry store, the pocket unit on it, and the records'
// ends.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/forma_daten.h"
#include "geometry/forma_geom.h"
#include "machining/forma_editor_insel.h"

namespace movra::pocket_test {

using InselT = TFormaEditorInsel::InselT;
constexpr double Pi = std::numbers::pi;
constexpr double Tol = 1e-6;  // coordinates compared in these tests

struct Pocket {
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};
  TFormaEditorInsel insel{daten, geom};

  Pocket() { insel.Reset(); }

  // Interprets the text as the editor does.
  void Load(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::string error;
    geom.FromEditor = 1;
    geom.InterpretProgram(lines, error);
    ASSERT_EQ(error, "");
  }
  // Table entries 1, 2, ... in this order, each {Number, Type}.
  void Table(std::initializer_list<TFormaEditorInsel::ContourEntryT> entries) {
    int k = 1;
    for (const auto& e : entries) insel.ContourTable(k++) = e;
  }
  void Tool(double R, double E) {
    insel.Params.R = R;
    insel.Params.E = E;
  }
  // An element put straight into the store, for what program text cannot say.
  TFormaGeom::GeomT& Put(int number, double kind, double v1, double v2, double v3, double v4,
                         double v5 = 0.0) {
    EXPECT_TRUE(geom.NewElement());
    TFormaGeom::GeomT& e = *geom.CurElement();
    e.GeomNo = number;
    e.Kind = kind;
    e.V1 = v1;
    e.V2 = v2;
    e.V3 = v3;
    e.V4 = v4;
    e.V5 = v5;
    return e;
  }
};

// Record i of a list; a missing record fails the test instead of crashing it.
template <class T>
const T& Rec(const RecordList<T>& list, int i) {
  static const T missing{};
  const T* r = list(i);
  if (r == nullptr) {
    ADD_FAILURE() << "no record " << i;
    return missing;
  }
  return *r;
}

inline void StartOf(const InselT& e, double& x, double& y) {
  double x2 = 0, y2 = 0;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x, y, x2, y2);
}
inline void EndOf(const InselT& e, double& x, double& y) {
  double x1 = 0, y1 = 0;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x1, y1, x, y);
}
inline double Gap(const InselT& from, const InselT& to) {
  double x1, y1, x2, y2;
  EndOf(from, x1, y1);
  StartOf(to, x2, y2);
  return std::hypot(x2 - x1, y2 - y1);
}

}  // namespace movra::pocket_test
