// The equidistant contour and the leads of a radius-corrected block.
#include "geometry/interpreter.h"

namespace movra {

// After the repeats, for Word one of " FE", " FL", " FRL", " FR" (the first present of
// FREP, FA, FE, FL, FS, FMX, FMY, FN, FRL, FR, FT, found by the dispatch). The filled handler makes the offset copy n + 1000 (FE, then
// Block.BlockOffsetMark := 1) or the leads, takes the end point and returns Done; Failed when the
// line is refused. NotPresent lets the line go on as if Word were absent.
LineVerdict InterpretRun::HandleEquidistantWords(std::string& L, std::string_view Word) {
  static_cast<void>(L);
  static_cast<void>(Word);
  return LineVerdict::NotPresent;
}

}  // namespace movra
