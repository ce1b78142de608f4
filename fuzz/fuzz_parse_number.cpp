// Fuzz target: ParseNumber over arbitrary bytes.
//
// Besides not crashing, the value must not depend on leading blanks or on anything after the
// end of the number, a decimal number must come out as its first 18 significant digits scaled
// by its power of ten, and a value written by FormatNumber must read back to the same text.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "number_text.h"

namespace {

// Where the leading number of a text ends, found from the number grammar alone, with what a
// decimal number is made of.
struct NumberExtent {
  std::size_t end = 0;      // first character after the number (blanks included before it)
  bool based = false;       // "&" form
  bool negative = false;    // a "-" sign
  std::string significant;  // the first 18 significant digits of a decimal number
  long long q = 0;          // the value is 0.d1 d2 ... x 10^q
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool IsBaseDigit(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0' < base;
  if (base == 16) return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  return false;
}

NumberExtent FindNumber(std::string_view text) {
  NumberExtent number;
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;

  if (pos < text.size() && text[pos] == '&') {
    number.based = true;
    ++pos;
    int base = 8;
    if (pos < text.size()) {
      const char letter = text[pos];
      if (letter == 'H' || letter == 'h') base = 16;
      if (letter == 'B' || letter == 'b') base = 2;
      if (base != 8 || letter == 'O' || letter == 'o' || letter == 'Q' || letter == 'q') ++pos;
    }
    const std::size_t first = pos;
    while (pos < text.size() && IsBaseDigit(text[pos], base)) ++pos;
    // The type suffixes matter only after digits: "&", "&&" or "?".
    if (pos > first && pos < text.size()) {
      if (text[pos] == '&') {
        ++pos;
        if (pos < text.size() && text[pos] == '&') ++pos;
      } else if (text[pos] == '?') {
        ++pos;
      }
    }
    number.end = pos;
    return number;
  }

  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    number.negative = text[pos] == '-';
    ++pos;
    if (pos >= text.size() || !(IsDecimalDigit(text[pos]) || text[pos] == '.')) {
      number.end = pos;
      return number;
    }
  }

  bool anyDigit = false;
  bool point = false;
  long long beforePoint = 0;  // significant digits before the point
  long long zerosAfterPoint = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '.') {
      if (point) break;
      point = true;
      continue;
    }
    if (!IsDecimalDigit(c)) break;
    anyDigit = true;
    if (number.significant.empty() && c == '0') {
      if (point) ++zerosAfterPoint;
      continue;
    }
    if (!point) ++beforePoint;
    if (number.significant.size() < 18) number.significant += c;
  }

  long long exponent = 0;
  if (anyDigit && pos < text.size() &&
      (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
    ++pos;
    bool exponentNegative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      exponentNegative = text[pos] == '-';
      ++pos;
    }
    for (; pos < text.size() && IsDecimalDigit(text[pos]); ++pos) {
      exponent = std::min(exponent * 10 + (text[pos] - '0'), 9999LL);
    }
    if (exponentNegative) exponent = -exponent;
  }
  number.q = (beforePoint > 0 ? beforePoint : -zerosAfterPoint) + exponent;
  number.end = pos;
  return number;
}

bool SameReading(const Extended& a, const Extended& b) {
  return a.significand == b.significand && a.exponent == b.exponent && a.negative == b.negative &&
         a.infinite == b.infinite;
}

std::string Describe(const Extended& value) {
  char text[96];
  std::snprintf(text, sizeof text, "%.17g (%s%llu * 2^%d)", ExtendedToDouble(value),
                value.negative ? "-" : "", static_cast<unsigned long long>(value.significand),
                value.exponent);
  return text;
}

// A whole number of at most 64 bits.
bool IsWhole64(const Extended& value) {
  if (value.exponent >= 0) return value.significand == 0 || value.exponent == 0;
  const int fractionBits = -value.exponent;
  return fractionBits >= 64 ? value.significand == 0
                            : (value.significand & ((std::uint64_t{1} << fractionBits) - 1)) == 0;
}

// Bytes that continue no number in any state: not a blank, digit, letter, sign, point, "&",
// "?" or "%".
constexpr char TERMINATORS[] = {',', '\r', '#', '/', ':', '\x7f', '\x80', '\xff', '\0', '_'};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Extended value = ParseNumber(text);
  const std::string where = "text " + Quoted(text.substr(0, 200)) + " reads " + Describe(value);
  FUZZ_REQUIRE(!value.infinite, where);

  // Leading blanks are skipped, whatever their mix.
  FUZZ_REQUIRE(SameReading(ParseNumber(" \t\n " + text), value), where);

  // Nothing after the end of the number counts, and a character that cannot continue it
  // hides whatever follows.
  const NumberExtent number = FindNumber(text);
  const std::string head = text.substr(0, number.end);
  const std::string tail = text.substr(number.end);
  FUZZ_REQUIRE(SameReading(ParseNumber(head), value),
               where + ", the number " + Quoted(head) + " reads " + Describe(ParseNumber(head)));
  const char terminator = TERMINATORS[size % sizeof TERMINATORS];
  const std::string cut = head + terminator + "9" + tail;
  FUZZ_REQUIRE(SameReading(ParseNumber(cut), value),
               where + ", " + Quoted(cut.substr(0, 200)) + " reads " + Describe(ParseNumber(cut)));

  if (number.based) {
    // A whole number of at most 64 bits.
    FUZZ_REQUIRE(IsWhole64(value), where);
  } else if (number.significant.empty()) {
    FUZZ_REQUIRE(value.significand == 0, where);
  } else if (number.q >= 4933) {
    FUZZ_REQUIRE(value.significand == std::uint64_t{1} << 63 && value.exponent == 127 - 63, where);
  } else if (number.q <= -4933) {
    FUZZ_REQUIRE(value.significand == 0, where);
  } else if (number.q > -4900) {
    // M x 10^k in extended precision against the correctly rounded reading of the same
    // digits: only the last few bits of the 64-bit significand may differ. The reading is
    // compared as a double, where the C library's own extended type may not be x87.
    const long long k = number.q - static_cast<long long>(number.significant.size());
    const std::string decimal = number.significant + "e" + std::to_string(k);
    errno = 0;
    const double reference = std::strtod(decimal.c_str(), nullptr);
    if (std::isnormal(reference)) {
      const double relative =
          std::fabs((std::fabs(ExtendedToDouble(value)) - reference) / reference);
      FUZZ_REQUIRE(relative <= 0x1p-52,
                   where + ", digits " + decimal + " read by strtod " + std::to_string(reference));
    }
    FUZZ_REQUIRE(value.negative == number.negative, where);
  }

  // What the program writes from this value it can read again.
  const double stored = ExtendedToDouble(value);
  for (int n : {3, 4, 5, 7, 1 + static_cast<int>(size % 18)}) CheckRoundTrip(stored, n);
  return 0;
}
