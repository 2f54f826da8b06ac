#include "geometry/corner_join.h"

#include <numbers>

#include "geometry/tolerances.h"

namespace movra {
bool ParallelDirections(double A1, double A2) {
  return TFormaDaten::SameDirection(A1, A2, Same) ||
         TFormaDaten::SameDirection(A1 + std::numbers::pi, A2, Same);
}

bool SweepFlipped(double Before, double After) {
  return std::fabs(After) < Same || (After > 0.0) != (Before > 0.0) ||
         std::fabs(After - Before) > std::numbers::pi;
}

}  // namespace movra
