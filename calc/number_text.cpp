// Text to number (ParseNumber) and number to text (FormatNumber) for every field of the dialog.
#include "number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "x87_extended.h"

namespace {

constexpr int MANTISSA_DIGITS = 18;    // digits accumulated exactly
constexpr int EXPONENT_LIMIT = 9999;   // an exponent saturates here
constexpr int MAGNITUDE_LIMIT = 4933;  // beyond +-10^4932 the value saturates or vanishes
constexpr Extended SATURATED = {std::uint64_t{1} << 63, 127 - 63, false, false};  // 2^127
constexpr int MAX_SIGNIFICANT = 18;  // FormatNumber's largest digit count
// Infinity is shown as n nines at this power of ten: " 9.99E+998" for n = 3.
constexpr int INFINITY_DECIMAL_EXPONENT = 999;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one to the last of `count` decimal digits, carrying to the left. Returns true when the
// carry ran past the first digit (all were nines): the digits then read 1 and zeros, standing
// for one power of ten more.
bool RoundUpLastDigit(char* digits, int count) {
  int i = count - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i >= 0) {
    ++digits[i];
    return false;
  }
  digits[0] = '1';
  return true;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// A whole number after "&": &H hex, &B binary, &O/&Q octal, & followed by a digit octal.
Extended ParseBasedInteger(std::string_view text, std::size_t pos) {
  unsigned base = 8;
  if (pos < text.size()) {
    switch (text[pos]) {
      case 'H':
      case 'h':
        base = 16;
        ++pos;
        break;
      case 'B':
      case 'b':
        base = 2;
        ++pos;
        break;
      case 'O':
      case 'o':
      case 'Q':
      case 'q':
        base = 8;
        ++pos;
        break;
      default:
        break;
    }
  }
  const std::size_t first = pos;
  std::uint64_t value = 0;
  bool overflow = false;
  while (pos < text.size() && static_cast<unsigned>(DigitValue(text[pos])) < base) {
    const unsigned digit = static_cast<unsigned>(DigitValue(text[pos]));
    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / base) overflow = true;
    value = value * base + digit;
    ++pos;
  }
  if (pos == first || overflow) return ExtendedFromInteger(0);
  const bool leadingZero = text[first] == '0';

  // Type suffixes: "&" keeps a 32-bit reading only, "&&" neither, "?" (up to three)
  // reads unsigned, "%" changes nothing.
  bool narrow16 = !leadingZero;
  bool narrow32 = !leadingZero;
  bool isUnsigned = false;
  if (pos < text.size() && text[pos] == '&') {
    narrow16 = false;
    if (pos + 1 < text.size() && text[pos + 1] == '&') narrow32 = false;
  } else if (pos < text.size() && text[pos] == '?') {
    narrow16 = narrow32 = false;
    isUnsigned = true;
  }
  if (isUnsigned && (value >> 63) != 0) return ExtendedFromInteger(0);
  if (narrow16 && value >= 0x8000 && value <= 0xFFFF) {
    return ExtendedFromInteger(static_cast<std::int64_t>(value) - 0x10000);
  }
  if (narrow32 && value >= 0x80000000ULL && value <= 0xFFFFFFFFULL) {
    return ExtendedFromInteger(static_cast<std::int64_t>(value) - 0x100000000LL);
  }
  // Sixteen hex digits with the top bit set read as a negative 64-bit number.
  return ExtendedFromInteger(static_cast<std::int64_t>(value));
}

// A finite positive double as mantissa * 2^binaryExponent, the mantissa odd: read from its bits
// rather than with frexp and ldexp, which are library calls.
void SplitDouble(double magnitude, std::uint64_t& mantissa, int& binaryExponent) {
  std::uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52);
  mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  binaryExponent = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52;
    binaryExponent = biased - 1075;
  }
  const int zeros = std::countr_zero(mantissa);
  mantissa >>= zeros;
  binaryExponent += zeros;
}

// Writes the last `count` decimal digits of `value` at `out`, leading zeros included.
// Two digits a step, which halves the long divisions.
void WriteFixedDigits(std::uint64_t value, int count, char* out) {
  int i = count;
  for (; i >= 2; i -= 2, value /= 100) {
    const auto pair = static_cast<unsigned>(value % 100);
    out[i - 2] = static_cast<char>('0' + pair / 10);
    out[i - 1] = static_cast<char>('0' + pair % 10);
  }
  if (i == 1) out[0] = static_cast<char>('0' + value % 10);
}

// Writes the decimal digits of `value` (above 0) at `out`; returns their count.
int WriteDigits(std::uint64_t value, char* out) {
  int count = 1;
  for (std::uint64_t power = 10; count < 20 && value >= power; power *= 10) ++count;
  WriteFixedDigits(value, count, out);
  return count;
}

// The exact decimal value of a double, as far as its rounding to 18 digits needs it: the first
// 19 significant digits (zeros after the last one), p with the value about 0.d1 d2 ... x 10^p,
// and whether any digit after the nineteenth is not 0.
constexpr int KEPT_DIGITS = MAX_SIGNIFICANT + 1;
struct LeadingDigits {
  char digits[KEPT_DIGITS];
  int p;
  bool nonZeroBeyond;
};

// Takes the leading digits from `count` exact digits at `decimal`, the first not 0.
void KeepLeadingDigits(const char* decimal, int count, LeadingDigits& out) {
  const int kept = std::min(count, KEPT_DIGITS);
  std::memcpy(out.digits, decimal, static_cast<std::size_t>(kept));
  std::memset(out.digits + kept, '0', static_cast<std::size_t>(KEPT_DIGITS - kept));
  out.nonZeroBeyond = false;
  for (int i = KEPT_DIGITS; i < count && !out.nonZeroBeyond; ++i)
    out.nonZeroBeyond = decimal[i] != '0';
}

#ifdef __SIZEOF_INT128__
using Wide = unsigned __int128;
constexpr std::uint64_t TEN_TO_19 = 10000000000000000000ULL;

// A whole number below 10^38, or a number with 64 binary places at most, written exactly with
// 128-bit integers: together every float from about 1e-6 up and every double from about 5e-4,
// so nearly every number the dialog writes. False for any other.
bool LeadingDigitsIn128Bits(std::uint64_t mantissa, int binaryExponent, LeadingDigits& out) {
  char decimal[64];
  int count = 0;
  const int significantBits = 64 - std::countl_zero(mantissa);
  if (binaryExponent >= 0) {
    if (significantBits + binaryExponent > 126) return false;
    Wide whole = static_cast<Wide>(mantissa) << binaryExponent;
    // The low nineteen digits, split off once when the number does not fit 64 bits.
    std::uint64_t low = 0;
    const bool split = (whole >> 64) != 0;
    if (split) {
      low = static_cast<std::uint64_t>(whole % TEN_TO_19);
      whole /= TEN_TO_19;
    }
    count = WriteDigits(static_cast<std::uint64_t>(whole), decimal);
    if (split) {
      WriteFixedDigits(low, 19, decimal + count);
      count += 19;
    }
    out.p = count;
    KeepLeadingDigits(decimal, count, out);
    return true;
  }
  const int places = -binaryExponent;
  if (places > 64) return false;
  // The whole part, then the fraction nineteen digits at a time: fraction * 10^19 < 2^128.
  const std::uint64_t whole = places == 64 ? 0 : mantissa >> places;
  std::uint64_t fraction = places == 64 ? mantissa : mantissa & ((std::uint64_t{1} << places) - 1);
  if (whole != 0) count = WriteDigits(whole, decimal);
  out.p = count;
  while (fraction != 0 && count < KEPT_DIGITS) {
    const Wide scaled = static_cast<Wide>(fraction) * TEN_TO_19;
    const auto chunk = static_cast<std::uint64_t>(scaled >> places);
    fraction = places == 64
                   ? static_cast<std::uint64_t>(scaled)
                   : static_cast<std::uint64_t>(scaled) & ((std::uint64_t{1} << places) - 1);
    char digits[19];
    WriteFixedDigits(chunk, 19, digits);
    int first = 0;
    if (count == 0) {
      // Zeros before the first significant digit only move the point.
      while (first < 19 && digits[first] == '0') ++first;
      out.p -= first;
    }
    std::memcpy(decimal + count, digits + first, static_cast<std::size_t>(19 - first));
    count += 19 - first;
  }
  KeepLeadingDigits(decimal, count, out);
  out.nonZeroBeyond |= fraction != 0;
  return true;
}
#endif

// The same for any finite positive double, with a small big integer.
void LeadingDigitsOfAnyDouble(std::uint64_t mantissa, int binaryExponent, LeadingDigits& out) {
  // Base 10^9 limbs, least significant first: 2^1024 and 2^53 * 5^1074 both fit.
  constexpr std::uint32_t LIMB = 1000000000;
  std::uint32_t limbs[96];
  int count = 0;
  for (std::uint64_t rest = mantissa; rest != 0; rest /= LIMB) {
    limbs[count++] = static_cast<std::uint32_t>(rest % LIMB);
  }
  const auto multiply = [&](std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < count; ++i) {
      const std::uint64_t product = static_cast<std::uint64_t>(limbs[i]) * factor + carry;
      limbs[i] = static_cast<std::uint32_t>(product % LIMB);
      carry = product / LIMB;
    }
    while (carry != 0) {
      limbs[count++] = static_cast<std::uint32_t>(carry % LIMB);
      carry /= LIMB;
    }
  };
  // A negative binary exponent becomes a decimal one: x * 2^-k = x * 5^k * 10^-k.
  int decimalExponent = 0;
  if (binaryExponent >= 0) {
    for (int k = binaryExponent; k > 0; k -= 28) multiply(1u << (k < 28 ? k : 28));
  } else {
    static const std::uint32_t powersOfFive[] = {1,       5,        25,        125,       625,
                                                 3125,    15625,    78125,     390625,    1953125,
                                                 9765625, 48828125, 244140625, 1220703125};
    for (int k = -binaryExponent; k > 0; k -= 13) multiply(powersOfFive[k < 13 ? k : 13]);
    decimalExponent = binaryExponent;
  }

  char decimal[96 * 9];
  int length = WriteDigits(limbs[count - 1], decimal);
  for (int i = count - 2; i >= 0; --i) {
    WriteFixedDigits(limbs[i], 9, decimal + length);
    length += 9;
  }
  out.p = length + decimalExponent;
  KeepLeadingDigits(decimal, length, out);
}

// The exact decimal digits of a finite positive double, rounded once to 18 significant
// digits, half to even; returns p with the value about 0.m1 ... m18 x 10^p. Done with integers
// rather than a library conversion: it is exact by construction and keeps the Windows program
// free of large conversion tables.
int ScaleToEighteenDigits(double magnitude, char m[MAX_SIGNIFICANT]) {
  std::uint64_t mantissa;
  int binaryExponent;
  SplitDouble(magnitude, mantissa, binaryExponent);
  LeadingDigits leading;
#ifdef __SIZEOF_INT128__
  if (!LeadingDigitsIn128Bits(mantissa, binaryExponent, leading))
#endif
    LeadingDigitsOfAnyDouble(mantissa, binaryExponent, leading);

  int p = leading.p;
  std::memcpy(m, leading.digits, MAX_SIGNIFICANT);
  const char next = leading.digits[MAX_SIGNIFICANT];
  const bool odd = (m[MAX_SIGNIFICANT - 1] - '0') % 2 == 1;
  if (next > '5' || (next == '5' && (leading.nonZeroBeyond || odd))) {
    if (RoundUpLastDigit(m, MAX_SIGNIFICANT)) ++p;
  }
  return p;
}

}  // namespace

Extended ParseNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  if (pos < text.size() && text[pos] == '&') return ParseBasedInteger(text, pos + 1);

  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
    // A sign stands directly before a digit or the point, or it ends the number.
    if (pos >= text.size() || !(IsDigit(text[pos]) || text[pos] == '.')) {
      return {0, 0, negative, false};
    }
  }

  std::uint64_t mantissa = 0;
  int mantissaDigits = 0;        // digits held in `mantissa`, from the first significant one
  int integerDigits = 0;         // significant digits before the point, kept or dropped
  int leadingFractionZeros = 0;  // zeros between the point and the first significant digit
  bool anyDigit = false;
  bool seenPoint = false;
  bool seenSignificant = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '.') {
      if (seenPoint) break;
      seenPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    anyDigit = true;
    if (!seenSignificant) {
      if (c == '0') {
        if (seenPoint) ++leadingFractionZeros;
        continue;
      }
      seenSignificant = true;
    }
    if (!seenPoint) ++integerDigits;
    if (mantissaDigits < MANTISSA_DIGITS) {
      mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
      ++mantissaDigits;
    }
  }

  int exponent = 0;
  if (anyDigit && pos < text.size() &&
      (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
    ++pos;
    bool exponentNegative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      exponentNegative = text[pos] == '-';
      ++pos;
    }
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
      exponent = exponent * 10 + (text[pos] - '0');
      if (exponent > EXPONENT_LIMIT) exponent = EXPONENT_LIMIT;
    }
    if (exponentNegative) exponent = -exponent;
  }

  if (!anyDigit || mantissa == 0) return {0, 0, negative, false};

  const int q = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponent;
  Extended value;
  if (q >= MAGNITUDE_LIMIT) {
    value = SATURATED;
  } else if (q <= -MAGNITUDE_LIMIT) {
    value = {0, 0, false, false};
  } else {
    value = ScaleByPowerOfTen(mantissa, q - mantissaDigits);
  }
  value.negative = negative;
  return value;
}

std::string FormatNumber(double value, int n) {
  std::string text;
  AppendFormattedNumber(text, value, n);
  return text;
}

void AppendFormattedNumber(std::string& text, double value, int n) {
  if (n < 1 || n > MAX_SIGNIFICANT) n = MAX_SIGNIFICANT;
  if (value == 0 || std::isnan(value)) {
    text += " 0";
    return;
  }
  text += value < 0 ? '-' : ' ';

  char digits[MAX_SIGNIFICANT];  // the 18 digits of the first rounding, then the n kept
  int p;                         // value is about 0.d1 d2 ... x 10^p
  if (std::isinf(value)) {
    for (int i = 0; i < n; ++i) digits[i] = '9';
    p = INFINITY_DECIMAL_EXPONENT;
  } else {
    p = ScaleToEighteenDigits(std::fabs(value), digits);

    // Second rounding: to n digits on the (n+1)-th digit alone, an exact 5 going to even.
    const int next = n < MAX_SIGNIFICANT ? digits[n] - '0' : 0;
    const bool roundUp = next > 5 || (next == 5 && (digits[n - 1] - '0') % 2 == 1);
    if (roundUp && RoundUpLastDigit(digits, n)) ++p;
  }

  int j = n;
  while (j > 1 && digits[j - 1] == '0') --j;
  const std::string_view kept(digits, static_cast<std::size_t>(j));

  if (p <= n && j - p <= n) {
    if (p >= j) {
      text.append(kept).append(static_cast<std::size_t>(p - j), '0');
    } else if (p > 0) {
      text.append(kept.substr(0, static_cast<std::size_t>(p)))
          .append(1, '.')
          .append(kept.substr(static_cast<std::size_t>(p)));
    } else {
      text.append(1, '.').append(static_cast<std::size_t>(-p), '0').append(kept);
    }
  } else {
    text.append(1, kept[0]);
    if (j > 1) text.append(1, '.').append(kept.substr(1));
    text.append(1, 'E').append(1, p > n ? '+' : '-');
    text.append(std::to_string(p > 0 ? p - 1 : 1 - p));
  }
}
