// Engraving: the word FTEXT writes a line of text with the stroke font.
#include "geometry/interpreter.h"

namespace movra {

// Tried first on every line. The filled handler reads X, Y, H (A, R, K optional) from L and
// the text between "{" and the last "}" from ThisLine.RawLine, engraves it into
// Block.BlockNumber and takes the end point (TakeEndPoint): Done; a refused text: Failed.
// Until then FTEXT is an unknown word.
LineVerdict InterpretRun::HandleEngraving(std::string& L) {
  static_cast<void>(L);
  return LineVerdict::NotPresent;
}

}  // namespace movra
