// Pockets, slots, the programmed stop and the turning cycles.
#include "geometry/interpreter.h"

namespace movra {

// Tried right after FTEXT: FCIRCLE, FRECT, FSLOT. The filled handler checks all values
// before its first element (a refused line leaves the store as it was), makes the path with
// AddSegment (false from it: Failed) and returns Done. Until then the words are unknown words.
LineVerdict InterpretRun::HandlePocketWords(std::string& L) {
  static_cast<void>(L);
  return LineVerdict::NotPresent;
}

// After the move and the corners of a line that made a move: STOP marks the element
// in the last slot (an empty store or last slot: false). True lets the cycle words follow.
bool InterpretRun::HandleStop(std::string& L) {
  static_cast<void>(L);
  return true;
}

// Last on a line that moved (or that names a cycle without moving): the first of "G284", "G233", "G283" present in L acts on the last two elements
// (approach and move) and makes the cycle: Done, or Failed when its requirements fail.
// NotPresent when none stands in the line. Every verdict but Failed ends the line.
LineVerdict InterpretRun::HandleCycleWords(std::string& L) {
  static_cast<void>(L);
  return LineVerdict::NotPresent;
}

}  // namespace movra
