// Fuzz target: FormatNumber for any double and any digit count.
//
// Input bytes: a little-endian double (8 bytes), a little-endian int32 digit count (4 bytes),
// then one flag byte whose bit 0 rounds the value to float first, as the program's own values
// are. Missing bytes count as zero.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "number_text.h"

namespace {

// The digits d1...dj and the power p (the value is about 0.d1...dj x 10^p) that a finite,
// nonzero value must be written with, made independently of FormatNumber: printf's exact
// 18-digit rounding (to nearest, an exact tie to even), then the rounding to n digits on the
// (n+1)-th digit alone.
struct Digits {
  std::string digits;
  int p;
};

Digits ExpectedDigits(double value, int n) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
  std::string m(1, buffer[0]);
  m.append(buffer + 2, 17);
  int p = std::atoi(buffer + 20) + 1;
  std::string digits = m.substr(0, static_cast<std::size_t>(n));
  const int next = n < 18 ? m[static_cast<std::size_t>(n)] - '0' : 0;
  if (next > 5 || (next == 5 && (digits.back() - '0') % 2 == 1)) {
    int i = n - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
      digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
      ++digits[static_cast<std::size_t>(i)];
    } else {
      digits = "1" + std::string(static_cast<std::size_t>(n - 1), '0');
      ++p;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return {digits, p};
}

// The same pair read off a written text (after its sign position).
Digits DigitsOfText(const std::string& text) {
  const std::string body = text.substr(1);
  const std::size_t e = body.find('E');
  const std::string mantissa = body.substr(0, e);
  std::string digits;
  for (char c : mantissa) {
    if (c != '.') digits += c;
  }
  int p;
  if (e != std::string::npos) {
    const int magnitude = std::atoi(body.c_str() + e + 2);
    p = body[e + 1] == '+' ? magnitude + 1 : 1 - magnitude;
  } else {
    const std::size_t point = mantissa.find('.');
    if (point == std::string::npos) {
      p = static_cast<int>(mantissa.size());
    } else if (point > 0) {
      p = static_cast<int>(point);
    } else {
      p = -static_cast<int>(mantissa.find_first_not_of('0', 1) - 1);
    }
  }
  digits.erase(0, digits.find_first_not_of('0'));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return {digits, p};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint8_t bytes[13] = {};
  if (size > 0) std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
  double value;
  std::memcpy(&value, bytes, sizeof value);
  std::int32_t n;
  std::memcpy(&n, bytes + 8, sizeof n);
  if ((bytes[12] & 1) != 0) value = static_cast<float>(value);

  const int digits = EffectiveDigits(n);
  const std::string text = FormatNumber(value, n);
  const std::string where =
      "value " + Describe(value) + ", n " + std::to_string(n) + ", text " + Quoted(text);
  CheckNumberTextShape(text, digits);

  // A digit count outside 1..18 means 18.
  if (digits != n) FUZZ_REQUIRE(text == FormatNumber(value, 18), where);

  // The sign position: "-" exactly for negative values; zero of either sign and NaN are " 0".
  if (std::isnan(value) || value == 0) {
    FUZZ_REQUIRE(text == " 0", where);
  } else {
    FUZZ_REQUIRE((text[0] == '-') == (value < 0), where);
    FUZZ_REQUIRE(text != " 0" && text != "-0", where);
  }

  if (std::isinf(value)) {
    // n nines in exponent form with exponent 998.
    std::string expected(1, value < 0 ? '-' : ' ');
    expected += '9';
    if (digits > 1) expected += '.' + std::string(static_cast<std::size_t>(digits - 1), '9');
    expected += "E+998";
    FUZZ_REQUIRE(text == expected, where + ", expected " + Quoted(expected));
  }

  if (std::isfinite(value) && value != 0) {
    const Digits expected = ExpectedDigits(value, digits);
    const Digits written = DigitsOfText(text);
    FUZZ_REQUIRE(written.digits == expected.digits && written.p == expected.p,
                 where + ", expected the digits " + expected.digits + " with p " +
                     std::to_string(expected.p));
  }

  CheckRoundTrip(value, n);
  return 0;
}
