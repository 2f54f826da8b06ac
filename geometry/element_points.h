#pragma once
// Start and end point of any record that carries an element as Kind and V1..V5 (the
// element store, the turning and the pocket records alike).
#include "geometry/forma_daten.h"

namespace movra {

template <class Element>
void StartPointOf(const Element& e, double& X, double& Y) {
  double x2 = 0.0, y2 = 0.0;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, X, Y, x2, y2);
}

template <class Element>
void EndPointOf(const Element& e, double& X, double& Y) {
  double x1 = 0.0, y1 = 0.0;
  TFormaDaten::ElementEndPoints(e.Kind, e.V1, e.V2, e.V3, e.V4, e.V5, x1, y1, X, Y);
}

}  // namespace movra
