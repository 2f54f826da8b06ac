#pragma once
// The shape of any record that carries an element as Kind and V1..V5 (the element store,
// the turning and the pocket records alike): its start and end point, and a copy of it.
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

template <class Element>
TFormaDaten::PointT StartPoint(const Element& e) {
  TFormaDaten::PointT p;
  StartPointOf(e, p.X, p.Y);
  return p;
}

template <class Element>
TFormaDaten::PointT EndPoint(const Element& e) {
  TFormaDaten::PointT p;
  EndPointOf(e, p.X, p.Y);
  return p;
}

// Copies the shape (Kind and V1..V5) of From into To; every other field of To stays.
template <class To, class From>
void CopyShape(To& to, const From& from) {
  to.Kind = from.Kind;
  to.V1 = from.V1;
  to.V2 = from.V2;
  to.V3 = from.V3;
  to.V4 = from.V4;
  to.V5 = from.V5;
}

}  // namespace movra
