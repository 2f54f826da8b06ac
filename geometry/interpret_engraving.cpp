// Engraving: the word FTEXT writes a line of text with the stroke font.
//
//   FTEXT X.. Y.. H.. [A..] [R..] [K..] {text}
//
// X, Y: start of the baseline (or the centre of the circle); H: letter height; A: direction
// in degrees (on a circle: the polar angle of the first letter); R: radius of the circle, the
// text then runs clockwise round it; K: factor of the gap between letters (0.5..2).
#include <cctype>
#include <string>
#include <string_view>

#include "geometry/interpreter.h"
#include "geometry/word_support.h"

namespace movra {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view EngraveWord = " FTEXT";

bool IsEngravingLine(std::string_view L, std::size_t Before) {
  // " FTEXT" in any case, standing before Before.
  for (std::size_t p = 0; p + EngraveWord.size() <= Before; ++p) {
    std::size_t k = 0;
    while (k < EngraveWord.size() &&
           std::toupper(static_cast<unsigned char>(L[p + k])) == EngraveWord[k])
      ++k;
    if (k == EngraveWord.size()) return true;
  }
  return false;
}

}  // namespace

void InterpretRun::ProtectEngravingText(std::string& L) {
  const std::size_t open = L.find('{');
  if (open == npos) return;
  const std::size_t close = L.rfind('}');
  if (close == npos || close < open || !IsEngravingLine(L, open)) return;
  L.erase(open + 1, close - open - 1);
}

LineVerdict InterpretRun::HandleEngraving(std::string& L) {
  const std::size_t at = FindWord(L, EngraveWord);
  if (at == npos) return LineVerdict::NotPresent;
  // Only the word goes: it has no value of its own, and the blank after it belongs to X.
  L.replace(at, EngraveWord.size(), EngraveWord.size(), ' ');

  // A word given without a number counts as not given.
  const auto value = [&](std::string_view Word) {
    const std::size_t pos = FindWholeWord(L, Word);
    if (pos == npos) return NoValue;
    const double v = WordValueAt(L, pos, Word);
    return words::Given(v) ? v : NoValue;
  };
  const double x = value(" X"), y = value(" Y"), h = value(" H");
  double a = value(" A"), r = value(" R"), k = value(" K");
  if (x == NoValue || y == NoValue || h == NoValue) return LineVerdict::Failed;
  a = a == NoValue ? 0 : words::Rad(a);
  if (r == NoValue) r = 0;
  if (k == NoValue) k = 1;  // EngraveText bounds it to 0.5..2

  // The text as written, case kept: from the first "{" to the last "}".
  const std::string_view raw = ThisLine.RawLine;
  const std::size_t open = raw.find('{');
  const std::size_t close = raw.rfind('}');
  if (open == npos || close == npos || close < open) return LineVerdict::Failed;
  const std::string_view text = raw.substr(open + 1, close - open - 1);

  // Like any element made while no block is open, the text opens geometry 1.
  if (Block.BlockNumber == 0) Block.BlockNumber = 1;
  if (!Geom.EngraveText(text, Block.BlockNumber, x, y, a, r, h, k)) return LineVerdict::Failed;
  TakeEndPoint();
  return LineVerdict::Done;
}

}  // namespace movra
