#pragma once
// The colouring of address letters in a program text, without a window: which letter gets
// which colour, and the walk over the lines that lets the window breathe at every line end and
// stops when asked to. The window side supplies the lines and paints the letters.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/colors.h"

namespace movra {

// Address letters of the machine words: the ones a machinist must not mistype are red
// (auxiliary, feed, spindle, tool), the motion and axis letters blue.
inline constexpr platform::ColorValue LetterRed = 0x0000FF;
inline constexpr platform::ColorValue LetterBlue = 0xFF0000;

// D, F, M, S, T in either case red; G, X, Y, Z in either case blue; any other character Default.
platform::ColorValue LetterColour(char32_t Ch, platform::ColorValue Default);

// One character of a line to be given a colour. Length is 2 for a character outside the
// basic plane (a surrogate pair), so a character is never split.
struct LetterPaint {
  std::size_t Index = 0;  // in UTF-16 units of the line
  std::size_t Length = 1;
  platform::ColorValue Colour = 0;
  bool operator==(const LetterPaint&) const = default;
};

// Every character of the line that stands directly before a digit 0..9, with its colour
// LetterColour(character, Default). A digit at the start of the line colours nothing here: what
// stands before it is the line end.
std::vector<LetterPaint> LettersBeforeDigits(std::u16string_view Line, platform::ColorValue Default);

// The text a colouring walks over. Lines are counted from 0.
class ColouringText {
 public:
  virtual ~ColouringText() = default;
  virtual std::size_t LineCount() const = 0;
  virtual std::u16string Line(std::size_t Index) const = 0;
  // Gives the letters of one line their colours (only those whose colour differs need work).
  virtual void Paint(std::size_t Index, const std::vector<LetterPaint>& Letters) = 0;
  // Lets pending window events run once. False when the text was changed meanwhile: the
  // colouring must then stop before it touches the text again.
  virtual bool LetEventsRun() = 0;
};

enum class ColouringEnd {
  Finished,     // every line was coloured
  NoLines,      // nothing to colour
  AlreadyBusy,  // another colouring runs; this call did nothing
  Stopped,      // Busy was cleared from outside (Esc, a click)
  TextChanged,  // the text changed under the colouring; what was done so far stays
};

// Colours every character that stands directly before a digit by its letter class, line by
// line, letting events run after each line end. Busy is 1 while it runs and 0 afterwards in
// every case; clearing it from outside (while events run) stops the walk at the next line.
ColouringEnd ColourizeLines(ColouringText& Text, platform::ColorValue Default, std::uint8_t& Busy);

}  // namespace movra
