#include "shell/core/program_colouring.h"

namespace movra {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

platform::ColorValue LetterColour(char32_t Ch, platform::ColorValue Default) {
  switch (Ch) {
    case U'D': case U'd': case U'F': case U'f': case U'M': case U'm':
    case U'S': case U's': case U'T': case U't':
      return LetterRed;
    case U'G': case U'g': case U'X': case U'x': case U'Y': case U'y': case U'Z': case U'z':
      return LetterBlue;
    default:
      return Default;
  }
}

std::vector<LetterPaint> LettersBeforeDigits(std::u16string_view Line,
                                             platform::ColorValue Default) {
  std::vector<LetterPaint> letters;
  for (std::size_t p = 1; p < Line.size(); ++p) {
    if (!IsDigit(Line[p])) continue;
    const char16_t before = Line[p - 1];
    if (IsLowSurrogate(before) && p >= 2 && IsHighSurrogate(Line[p - 2])) {
      // A character outside the basic plane is no letter of a machine word.
      letters.push_back({p - 2, 2, Default});
    } else {
      letters.push_back({p - 1, 1, LetterColour(before, Default)});
    }
  }
  return letters;
}

ColouringEnd ColourizeLines(ColouringText& Text, platform::ColorValue Default,
                            std::uint8_t& Busy) {
  if (Busy == 1) return ColouringEnd::AlreadyBusy;
  const std::size_t count = Text.LineCount();
  if (count == 0) return ColouringEnd::NoLines;

  // Busy is cleared on every way out, also when the window side throws.
  struct Flag {
    std::uint8_t& busy;
    ~Flag() { busy = 0; }
  } flag{Busy};
  Busy = 1;

  for (std::size_t line = 0; line < count; ++line) {
    // Nothing but the events let run can clear the flag, so one look per line is the same as
    // one per character.
    if (Busy == 0) return ColouringEnd::Stopped;
    Text.Paint(line, LettersBeforeDigits(Text.Line(line), Default));
    if (!Text.LetEventsRun()) return ColouringEnd::TextChanged;
  }
  return ColouringEnd::Finished;
}

}  // namespace movra
