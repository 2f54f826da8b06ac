// The word-value parser: the numbers that follow an address word in one program line.
//
// The line is read in place. Only when an operator has to be blanked is the rest of the line
// behind the word copied, and only that rest. Values beyond the ones the last call read are
// not stored as NoValue one by one: valueCount_ marks how far the table holds real entries.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "geometry/forma_daten.h"

namespace movra {
namespace {

// Largest magnitude a value token may have.
constexpr double MaxWordValue = 999999.0;
// Values from the second up to this one are dropped once an operator combined the first two.
constexpr int OperatorDropsUpTo = 254;
// Values that the start of an interpreter run sets back to NoValue.
constexpr int RunResetValues = 254;

constexpr std::size_t npos = std::string_view::npos;

// Trimming removes every character with a code up to 32; the blank alone separates tokens.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && IsTrimmed(s[b])) ++b;
  while (e > b && IsTrimmed(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number: optional sign, digits with an optional decimal point (".5" and "5." as a
// machinist writes them), optional exponent. No "nan", "inf" or hexadecimal. The character at
// `point` (npos: none) stands for the decimal point.
bool IsDecimalNumber(std::string_view s, std::size_t point) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && IsDigit(s[i])) ++i, ++digits;
  if (i < n && (s[i] == '.' || i == point)) {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < n && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == n;
}

// A copy of a short text on the stack; long texts (rare in program lines) go to the heap.
class ScratchText {
 public:
  std::string_view Assign(std::string_view s) {
    if (s.size() <= sizeof(small_)) {
      std::memcpy(small_, s.data(), s.size());
      data_ = small_;
    } else {
      big_.assign(s);
      data_ = big_.data();
    }
    size_ = s.size();
    return View();
  }
  char& operator[](std::size_t i) { return data_[i]; }
  std::string_view View() const { return {data_, size_}; }

 private:
  char small_[128];
  std::string big_;
  char* data_ = small_;
  std::size_t size_ = 0;
};

// The common short number ("25.125", "-3", "0,5") without from_chars: at most 2^53 as an
// integer of its digits and at most 22 decimals, so that both the digits and the power of ten
// are exact doubles and the one division rounds exactly as from_chars does. False: take the
// general way. The token is a valid decimal number already; `point` as in IsDecimalNumber.
bool ReadShortNumber(std::string_view token, std::size_t point, double& Value) {
  static constexpr double Tens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr std::uint64_t Exact = std::uint64_t{1} << 53;
  std::size_t i = 0;
  const std::size_t n = token.size();
  const bool negative = n > 0 && token[0] == '-';
  if (negative) ++i;
  std::uint64_t digits = 0;
  std::size_t decimals = 0;
  bool fraction = false;
  for (; i < n; ++i) {
    const char c = token[i];
    if (IsDigit(c)) {
      if (digits > (Exact - 9) / 10) return false;
      digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
      if (fraction) ++decimals;
    } else if (!fraction && (c == '.' || i == point)) {
      fraction = true;
    } else {
      return false;  // an exponent
    }
  }
  if (decimals >= std::size(Tens)) return false;
  const double v = static_cast<double>(digits) / Tens[decimals];
  Value = negative ? -v : v;
  return true;
}

// Reads a whole token as a decimal number. With DecimalComma the first "," counts as ".".
// A number beyond the range of a real (an exponent like 1e999) is no number.
bool ReadNumber(std::string_view token, bool DecimalComma, double& Value) {
  std::size_t comma = DecimalComma ? token.find(',') : npos;
  if (!IsDecimalNumber(token, comma)) return false;
  if (token.front() == '+') {  // from_chars takes no plus sign
    token.remove_prefix(1);
    if (comma != npos) --comma;
  }
  if (ReadShortNumber(token, comma, Value)) return true;
  ScratchText copy;
  if (comma != npos) {
    token = copy.Assign(token);
    copy[comma] = '.';
  }
  double v = 0.0;
  const char* const end = token.data() + token.size();
  const auto r = std::from_chars(token.data(), end, v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return false;
  Value = v;
  return true;
}

// The operators, in the order in which the last one found is the one applied.
constexpr char Operators[4] = {'+', '-', '/', '*'};

int OperatorIndex(char c) {
  switch (c) {
    case '+': return 0;
    case '-': return 1;
    case '/': return 2;
    case '*': return 3;
    default: return -1;
  }
}

// The first " c " of each operator c in the rest, where the rest is followed by one blank
// more than it shows: At[k] is the place of Operators[k] or npos. One walk for all four.
void FindOperators(std::string_view rest, std::size_t (&At)[4]) {
  for (std::size_t& a : At) a = npos;
  const std::size_t n = rest.size();
  for (std::size_t p = 1; p < n; ++p) {
    const int k = OperatorIndex(rest[p]);
    if (k < 0 || At[k] != npos || rest[p - 1] != ' ') continue;
    if (p + 1 == n || rest[p + 1] == ' ') At[k] = p;
  }
}

}  // namespace

double TFormaDaten::Values(int i) const {
  if (i < 1 || i > ValueCount) return NoValue;
  if (i <= valueCount_) return values_(i);
  return i >= zeroFrom_ ? 0.0 : NoValue;
}

void TFormaDaten::ClearValues() {
  valueCount_ = 0;
  zeroFrom_ = std::max(zeroFrom_, RunResetValues + 1);
}

double TFormaDaten::GetWordValue(std::string_view Line, std::string_view Word) {
  valueCount_ = 0;  // every value NoValue until read
  zeroFrom_ = ValueCount + 1;

  // The line stands between one leading and one trailing blank, the word behind one leading
  // blank. Both blanks are implied: the word matches where the line starts or after a blank.
  const std::string_view line = Trim(Line);
  const std::string_view word = Trim(Word);
  std::size_t start = 0;
  if (!word.empty()) {
    std::size_t p = line.find(word);
    while (p != npos && p > 0 && line[p - 1] != ' ') p = line.find(word, p + 1);
    if (p == npos) return NoValue;
    start = p + word.size();
  }
  std::string_view rest = line.substr(start);
  while (!rest.empty() && IsTrimmed(rest.front())) rest.remove_prefix(1);
  // From here on the rest is followed by the line's trailing blank (an empty rest has lost it
  // to the trimming); a token ends at a blank or at the end of `rest`.

  // Operators: every one found is blanked; the last in the order + - / * is the one applied.
  char op = 0;
  std::size_t opAt[4];
  int opFound = 0;
  std::size_t found[4];
  FindOperators(rest, found);
  for (int k = 0; k < 4; ++k) {
    if (found[k] != npos) {
      op = Operators[k];
      opAt[opFound++] = found[k];
    }
  }
  ScratchText blanked;
  if (opFound > 0) {
    rest = blanked.Assign(rest);
    for (int k = 0; k < opFound; ++k) blanked[opAt[k]] = ' ';
  }

  std::size_t pos = 0;
  const std::size_t n = rest.size();
  int i = 0;
  for (;;) {
    while (pos < n && IsTrimmed(rest[pos])) ++pos;
    if (pos == n) break;  // nothing left: the next token would be empty

    // "+n" after a first value adds n to it and ends the list.
    if (rest[pos] == '+' && Values(1) != NoValue) {
      ++pos;
      while (pos < n && IsTrimmed(rest[pos])) ++pos;
      std::size_t e = rest.find(' ', pos);
      if (e == npos) e = n;
      double addend = 0.0;
      if (!ReadNumber(Trim(rest.substr(pos, e - pos)), false, addend)) return NoValue;
      const double sum = values_(1) + addend;
      if (!std::isfinite(sum)) return NoValue;
      values_(1) = sum;
      break;
    }

    if (++i > ValueCount) break;
    std::size_t e = rest.find(' ', pos);
    if (e == npos) e = n;
    const std::string_view token = rest.substr(pos, e - pos);
    pos = e;

    double v = 0.0;
    const bool negVar = token.size() > 1 && token[0] == '-' && token[1] == '#';
    if (token[0] == '#' || negVar) {
      // #n / -#n with 1 <= n <= 254 reads the program variable n (rounded).
      double number = 0.0;
      if (!ReadNumber(token.substr(negVar ? 2 : 1), false, number) || number < 1.0 ||
          number > VarCount) {
        break;
      }
      v = Vars(static_cast<int>(std::lround(number)));
      if (!std::isfinite(v)) break;
      if (negVar) v = -v;
    } else if (!ReadNumber(token, true, v) || std::fabs(v) > MaxWordValue) {
      break;
    }
    values_(i) = v;
    valueCount_ = i;
  }

  double result = Values(1);
  if (op != 0 && Values(1) != NoValue && Values(2) != NoValue && !(op == '/' && Values(2) == 0.0)) {
    const double a = values_(1);
    const double b = values_(2);
    double r = op == '+' ? a + b : op == '-' ? a - b : op == '/' ? a / b : a * b;
    if (!std::isfinite(r)) r = NoValue;  // a quotient beyond any real is no value
    values_(1) = r;
    if (valueCount_ <= OperatorDropsUpTo) {
      valueCount_ = 1;
    } else {
      for (int k = 2; k <= OperatorDropsUpTo; ++k) values_(k) = NoValue;
    }
    result = r;
  }
  return result;
}

}  // namespace movra
