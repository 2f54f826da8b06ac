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
#include "tests/geometry/interpreter_support.h"

namespace movra::pocket_test {

using InselT = TFormaEditorInsel::InselT;
constexpr double Pi = std::numbers::pi;
constexpr double Tol = 1e-6;  // coordinates compared in these tests

// A store that takes a program or raw elements (transcript::Editor), and the pocket unit on it.
struct Pocket : transcript::Editor {
  TFormaEditorInsel insel{daten, geom};

  Pocket() { insel.Reset(); }

  // Table entries 1, 2, ... in this order, each {Number, Type}.
  void Table(std::initializer_list<TFormaEditorInsel::ContourEntryT> entries) {
    int k = 1;
    for (const auto& e : entries) insel.ContourTable(k++) = e;
  }
  void Tool(double R, double E) {
    insel.Params.R = R;
    insel.Params.E = E;
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
