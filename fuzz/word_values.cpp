// GetWordValue on any line and word: the input up to the first newline is the word, the rest
// is the line. A value that is not finite, or a read outside the line, is a fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/forma_daten.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static movra::TFormaDaten daten;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\n');
  const std::string_view word = cut == std::string_view::npos ? std::string_view() : input.substr(0, cut);
  // Exact-size copies, so that AddressSanitizer sees every read past either end.
  const std::string lineCopy(cut == std::string_view::npos ? input : input.substr(cut + 1));
  const std::string wordCopy(word);
  // Some variables hold values, so #n tokens read more than zeros.
  for (int n = 1; n <= movra::TFormaDaten::VarCount; ++n) daten.Vars(n) = n * 0.5 - 60.0;
  daten.Vars(7) = 999999.0;
  daten.Vars(8) = 1e300;
  const double r = daten.GetWordValue(lineCopy, wordCopy);
  if (!std::isfinite(r)) __builtin_trap();
  for (int i = 1; i <= movra::TFormaDaten::ValueCount; ++i) {
    if (!std::isfinite(daten.Values(i))) __builtin_trap();
  }
  if (r != daten.Values(1) && r != movra::NoValue) __builtin_trap();
  return 0;
}
