// Checks shared by the fuzz targets: failure reporting and the shape of a written number text.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "number_text.h"

// A broken guarantee must stop the run with a signal so that libFuzzer saves the input, and so
// that the corpus replay exits with a failure.
[[noreturn]] inline void FuzzFailure(const char* file, int line, const char* condition,
                                     const std::string& detail) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, condition, detail.c_str());
  std::fflush(stderr);
  std::abort();
}

#define FUZZ_REQUIRE(condition, detail)                                    \
  do {                                                                     \
    if (!(condition)) FuzzFailure(__FILE__, __LINE__, #condition, detail); \
  } while (0)

// Byte strings shown in failure messages: printable ASCII as is, everything else escaped.
inline std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c >= 32 && c < 127 && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      out += escape;
    }
  }
  return out + "\"";
}

inline std::string Describe(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

// The digit count FormatNumber actually uses for a request of n.
inline int EffectiveDigits(int n) { return n >= 1 && n <= 18 ? n : 18; }

inline bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Checks that `text` is a well-formed number text for n significant digits: sign position,
// plain form when it fits in n digits either side of the point, exponent form otherwise.
inline void CheckNumberTextShape(const std::string& text, int n) {
  const std::string where = "text " + Quoted(text) + ", n " + std::to_string(n);
  FUZZ_REQUIRE(text.size() >= 2 && text.size() <= 26, where);
  FUZZ_REQUIRE(text[0] == ' ' || text[0] == '-', where);
  FUZZ_REQUIRE(text.back() != ' ', where);
  if (text == " 0") return;

  const std::string_view body = std::string_view(text).substr(1);
  const std::size_t e = body.find('E');
  const std::string_view mantissa = body.substr(0, e);
  FUZZ_REQUIRE(!mantissa.empty() && mantissa[0] != '0', where);

  std::size_t point = std::string_view::npos;
  for (std::size_t i = 0; i < mantissa.size(); ++i) {
    if (mantissa[i] == '.') {
      FUZZ_REQUIRE(point == std::string_view::npos, where);
      point = i;
    } else {
      FUZZ_REQUIRE(IsDecimalDigit(mantissa[i]), where);
    }
  }
  if (point != std::string_view::npos) {
    // No point without a digit after it, no trailing zero after the point.
    FUZZ_REQUIRE(point + 1 < mantissa.size() && mantissa.back() != '0', where);
  }

  if (e == std::string_view::npos) {
    const int before = static_cast<int>(point == std::string_view::npos ? mantissa.size() : point);
    const int after =
        point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    // Significant digits: everything but the zeros that only place the point.
    std::size_t first = mantissa.find_first_not_of(".0");
    std::size_t last = mantissa.find_last_not_of(".0");
    int significant = 0;
    for (std::size_t i = first; i <= last; ++i) significant += mantissa[i] != '.';
    FUZZ_REQUIRE(significant >= 1 && significant <= n, where);
    FUZZ_REQUIRE(before <= n && after <= n, where);
    return;
  }

  // Exponent form: one digit before the point, the other kept digits after it.
  FUZZ_REQUIRE(point == std::string_view::npos || point == 1, where);
  const int j = static_cast<int>(point == std::string_view::npos ? 1 : mantissa.size() - 1);
  FUZZ_REQUIRE(j <= n, where);
  const std::string_view exponent = body.substr(e + 1);
  FUZZ_REQUIRE(exponent.size() >= 2 && exponent.size() <= 5, where);
  FUZZ_REQUIRE(exponent[0] == '+' || exponent[0] == '-', where);
  FUZZ_REQUIRE(exponent[1] != '0', where);
  int magnitude = 0;
  for (char c : exponent.substr(1)) {
    FUZZ_REQUIRE(IsDecimalDigit(c), where);
    magnitude = magnitude * 10 + (c - '0');
  }
  // The value is about 0.d1...dj x 10^p; exponent form only where the plain form would need
  // more than n digits before or after the point.
  if (exponent[0] == '+') {
    const int p = magnitude + 1;
    FUZZ_REQUIRE(p > n, where);
  } else {
    const int p = 1 - magnitude;
    FUZZ_REQUIRE(p <= 0 && j - p > n, where);
  }
}

// A text written with n digits reads back to a value that is written the same way again, as
// far as the type that keeps the value holds n digits: a double holds 15 decimal digits
// safely (16 and 17 digits can land on a neighbouring double whose own digits differ in the
// last place), a float 6. With 18 digits every double is identified exactly. The program
// keeps its values in floats; doubles are checked too because FormatNumber takes any double.
inline void CheckRoundTrip(double value, int n) {
  const int digits = EffectiveDigits(n);
  const std::string text = FormatNumber(value, n);
  CheckNumberTextShape(text, digits);
  if (!std::isfinite(value)) return;
  const double again = ExtendedToDouble(ParseNumber(text));
  const std::string where = "value " + Describe(value) + ", n " + std::to_string(n) + ", text " +
                            Quoted(text) + ", read back " + Describe(again);

  // The second rounding looks at the (n+1)-th digit alone, so an exact 5 going to even can
  // drop up to 0.6 of a unit in the n-th digit; the first rounding adds half a unit in the
  // 18th, and the reading rounded to double half a unit in its last place. The text must
  // stay that close to the value.
  if (value != 0 && std::isfinite(again)) {
    const double relative = std::fabs((again - value) / value);
    const double bound = 0.6 * std::pow(10.0, 1 - digits) + 1e-17 + 0x1p-52;
    FUZZ_REQUIRE(relative <= bound, where);
  }
  // A value rounded up past the largest double reads back as infinity: nothing to compare.
  if (!std::isfinite(again)) return;
  // Subnormal doubles are spaced so widely that the double nearest to the text can sit on the
  // other side of a rounding boundary; only normal values must write back the same.
  if (digits <= 15 && std::fabs(value) >= 0x1p-1022) {
    FUZZ_REQUIRE(FormatNumber(again, n) == text,
                 where + ", written again " + Quoted(FormatNumber(again, n)));
  }
  if (digits == 18) FUZZ_REQUIRE(again == value || (again == 0 && value == 0), where);

  const float single = static_cast<float>(value);
  if (digits <= 6 && std::isfinite(single) && std::fabs(single) >= 0x1p-126f) {
    const std::string singleText = FormatNumber(single, n);
    const float singleAgain = ExtendedToFloat(ParseNumber(singleText));
    if (std::isfinite(singleAgain)) {
      FUZZ_REQUIRE(FormatNumber(singleAgain, n) == singleText,
                   "float " + Describe(single) + ", n " + std::to_string(n) + ", text " +
                       Quoted(singleText) + ", written again " +
                       Quoted(FormatNumber(singleAgain, n)));
    }
  }
}
