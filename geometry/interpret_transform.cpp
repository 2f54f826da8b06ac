// Repeats and block transformations of the elements the open block has drawn so far.
#include "geometry/interpreter.h"

namespace movra {

// After the motion words: REPL, REPA, FREPZ, FREPE, FREPL, FREPA, tried in that order. The
// filled handler follows the handler frame (refuse an empty block, side stamping, values,
// bounds, operation, TakeEndPoint) and returns Done, or Failed on any refusal. Until then
// the words are unknown words.
LineVerdict InterpretRun::HandleRepeatWords(std::string& L) {
  static_cast<void>(L);
  return LineVerdict::NotPresent;
}

// Next, for Word one of " FREP", " FA", " FS", " FMX", " FMY", " FN", " FT" (the first
// present of the transformation words, found by the dispatch): Done or Failed as above.
// NotPresent lets the line go on to the construction words and element creation as if Word
// were absent.
LineVerdict InterpretRun::HandleTransformWords(std::string& L, std::string_view Word) {
  static_cast<void>(L);
  static_cast<void>(Word);
  return LineVerdict::NotPresent;
}

}  // namespace movra
