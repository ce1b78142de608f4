// The x87 80-bit extended arithmetic of entries, in 64-bit integer code for every compiler.
#include "x87_extended.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// A binary floating-point format: significand bits, the exponent of the lowest bit of the
// smallest subnormal, the exponent of the leading bit of the largest finite value.
struct BinaryFormat {
  int digits;
  int lowestExponent;
  int maxExponent;
};
constexpr BinaryFormat X87_FORMAT = {64, -16445, 16383};
constexpr BinaryFormat FLOAT_FORMAT = {24, -149, 127};
constexpr BinaryFormat DOUBLE_FORMAT = {53, -1074, 1023};

constexpr std::uint64_t TOP_BIT = std::uint64_t{1} << 63;

// std::bit_cast, which the WebAssembly build's C++ library lacks.
template <class To, class From>
To CopyBits(const From& from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

Extended Zero(bool negative) { return {0, 0, negative, false}; }
Extended Infinity(bool negative) { return {0, 0, negative, true}; }

// (high * 2^64 + low + a fraction that is nonzero when `sticky`) * 2^exponent, rounded to
// `format`, nearest with ties to even.
Extended Round(std::uint64_t high, std::uint64_t low, int exponent, bool sticky, bool negative,
               const BinaryFormat& format) {
  if (high == 0) {
    if (low == 0) return Zero(negative);
    high = low;
    low = 0;
    exponent -= 64;
  }
  const int lead = std::countl_zero(high);
  if (lead > 0) {
    high = (high << lead) | (low >> (64 - lead));
    low <<= lead;
    exponent -= lead;
  }
  // The leading bit has exponent `exponent + 127`; bits of `high` below `shift` are dropped.
  const int top = exponent + 127;
  int lowest = top - (format.digits - 1);
  if (lowest < format.lowestExponent) lowest = format.lowestExponent;
  const int shift = lowest - (exponent + 64);
  if (shift > 64) return Zero(negative);  // below half of the smallest subnormal
  std::uint64_t kept;
  bool roundBit;
  bool below;
  if (shift == 0) {
    kept = high;
    roundBit = (low >> 63) != 0;
    below = (low << 1) != 0 || sticky;
  } else if (shift < 64) {
    kept = high >> shift;
    roundBit = ((high >> (shift - 1)) & 1) != 0;
    below = (high & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0 || low != 0 || sticky;
  } else {
    kept = 0;
    roundBit = (high >> 63) != 0;
    below = (high << 1) != 0 || low != 0 || sticky;
  }
  if (roundBit && (below || (kept & 1) != 0)) {
    ++kept;
    // A carry into a new leading bit (kept wraps to 0 only for a 64-bit format).
    if (kept == 0 || (format.digits < 64 && kept == std::uint64_t{1} << format.digits)) {
      kept = std::uint64_t{1} << (format.digits - 1);
      ++lowest;
    }
  }
  if (kept == 0) return Zero(negative);
  if (lowest + (63 - std::countl_zero(kept)) > format.maxExponent) return Infinity(negative);
  return {kept, lowest, negative, false};
}

// significand * 2^exponent, nonzero and well inside the range: exact, only normalized.
Extended Exact(std::uint64_t significand, int exponent, bool negative) {
  const int lead = std::countl_zero(significand);
  return {significand << lead, exponent - lead, negative, false};
}

Extended RoundToX87(std::uint64_t high, std::uint64_t low, int exponent, bool sticky,
                    bool negative) {
  return Round(high, low, exponent, sticky, negative, X87_FORMAT);
}

// 10^k for 0 <= k <= 4931 rounded once to the x87 format (exact up to 10^27).
Extended PowerOfTen(int k) {
  // Up to 10^27, 5^k fits 64 bits: ordinary entries never wait for the table below.
  static constexpr auto FIVES = [] {
    std::array<std::uint64_t, 28> fives{};
    fives[0] = 1;
    for (std::size_t i = 1; i < fives.size(); ++i) fives[i] = fives[i - 1] * 5;
    return fives;
  }();
  if (k < static_cast<int>(FIVES.size())) {
    return Exact(FIVES[static_cast<std::size_t>(k)], k, false);
  }
  // 10^k = 5^k * 2^k: the 64 leading bits of 5^k, rounded, made once from the exact powers of
  // five in base 2^32 limbs (5^4931 has 11,450 bits).
  static const std::vector<Extended> table = [] {
    constexpr int COUNT = 4932;
    std::vector<Extended> powers(COUNT);
    std::vector<std::uint32_t> limbs{1};  // least significant first
    for (int n = 0; n < COUNT; ++n) {
      if (n > 0) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
          const std::uint64_t product = std::uint64_t{limb} * 5 + carry;
          limb = static_cast<std::uint32_t>(product);
          carry = product >> 32;
        }
        if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
      }
      // The top four limbs as one 128-bit number (zeros where there are fewer), the limbs
      // below only as a sticky flag.
      const auto size = static_cast<std::ptrdiff_t>(limbs.size());
      const auto limb = [&](std::ptrdiff_t i) -> std::uint64_t {
        return i >= 0 ? limbs[static_cast<std::size_t>(i)] : 0;
      };
      const std::uint64_t high = (limb(size - 1) << 32) | limb(size - 2);
      const std::uint64_t low = (limb(size - 3) << 32) | limb(size - 4);
      bool sticky = false;
      for (std::ptrdiff_t i = 0; i < size - 4 && !sticky; ++i) sticky = limb(i) != 0;
      const int below = 32 * static_cast<int>(size - 4);
      powers[static_cast<std::size_t>(n)] = RoundToX87(high, low, below + n, sticky, false);
    }
    return powers;
  }();
  return table[static_cast<std::size_t>(k)];
}

// The value's significand with its top bit set, and the matching exponent (finite, nonzero).
void Normalized(const Extended& value, std::uint64_t& significand, int& exponent) {
  const int lead = std::countl_zero(value.significand);
  significand = value.significand << lead;
  exponent = value.exponent - lead;
}

}  // namespace

void MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& high, std::uint64_t& low) {
  const std::uint64_t a1 = a >> 32, a0 = a & 0xFFFFFFFFu;
  const std::uint64_t b1 = b >> 32, b0 = b & 0xFFFFFFFFu;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  // The middle column, with the carry out of the low word's upper half.
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  low = (middle << 32) | (p00 & 0xFFFFFFFFu);
  high = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

std::uint64_t DivideWide(std::uint64_t high, std::uint64_t low, std::uint64_t divisor,
                         std::uint64_t& remainder) {
  // Long division in base 2^32 with a normalized divisor: each quotient digit is estimated
  // from the divisor's top half and corrected at most twice.
  constexpr std::uint64_t BASE = std::uint64_t{1} << 32;
  const int lead = std::countl_zero(divisor);
  divisor <<= lead;
  if (lead > 0) {
    high = (high << lead) | (low >> (64 - lead));
    low <<= lead;
  }
  const std::uint64_t d1 = divisor >> 32, d0 = divisor & 0xFFFFFFFFu;
  std::uint64_t digits[2] = {low >> 32, low & 0xFFFFFFFFu};
  std::uint64_t quotient = 0;
  std::uint64_t rest = high;  // always below the divisor
  for (const std::uint64_t digit : digits) {
    std::uint64_t q = rest / d1;
    std::uint64_t r = rest - q * d1;
    while (q >= BASE || q * d0 > ((r << 32) | digit)) {
      --q;
      r += d1;
      if (r >= BASE) break;
    }
    rest = ((rest << 32) | digit) - q * divisor;  // modulo 2^64: the true value fits
    quotient = (quotient << 32) | q;
  }
  remainder = rest >> lead;
  return quotient;
}

Extended ScaleByPowerOfTen(std::uint64_t m, int k) {
  if (m == 0) return Zero(false);
  const Extended mantissa = Exact(m, 0, false);
  if (k >= 0) return ExtendedMultiply(mantissa, PowerOfTen(k));
  if (k > -4900) return ExtendedDivide(mantissa, PowerOfTen(-k));
  // 10^-k itself would overflow the extended range: divide in two steps.
  return ExtendedDivide(ExtendedDivide(mantissa, PowerOfTen(-k - 64)), PowerOfTen(64));
}

void X87PowerOfTen(int k, std::uint64_t& significand, int& exponent) {
  const Extended power = PowerOfTen(k);
  significand = power.significand;
  exponent = power.exponent;
}

Extended ExtendedFromInteger(std::int64_t value) {
  const bool negative = value < 0;
  // The magnitude of the most negative value, 2^63, still fits the unsigned type.
  const std::uint64_t magnitude =
      negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
  return RoundToX87(0, magnitude, 0, false, negative);
}

Extended ExtendedFromFloat(float value) {
  const auto bits = CopyBits<std::uint32_t>(value);
  const bool negative = (bits >> 31) != 0;
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  const std::uint32_t fraction = bits & 0x7FFFFF;
  if (biased == 0xFF) return Infinity(negative);  // entries never hold a NaN
  if (biased == 0) return RoundToX87(0, fraction, -149, false, negative);
  return Exact(fraction | 0x800000u, biased - 150, negative);
}

bool ExtendedGreater(const Extended& a, const Extended& b) {
  const bool aZero = !a.infinite && a.significand == 0;
  const bool bZero = !b.infinite && b.significand == 0;
  if (aZero && bZero) return false;
  if (a.negative != b.negative || aZero || bZero) {
    // Signs differ (or one side is a zero of either sign): the positive nonzero side wins.
    const bool aPositive = !aZero && !a.negative;
    const bool bNegative = !bZero && b.negative;
    return aPositive || (aZero && bNegative);
  }
  // Same sign: compare magnitudes, then turn the answer round for negative values.
  bool larger;
  if (a.infinite || b.infinite) {
    larger = a.infinite && !b.infinite;
  } else {
    const int aTop = a.exponent + 63 - std::countl_zero(a.significand);
    const int bTop = b.exponent + 63 - std::countl_zero(b.significand);
    larger = aTop != bTop ? aTop > bTop
                          : (a.significand << std::countl_zero(a.significand)) >
                                (b.significand << std::countl_zero(b.significand));
  }
  const bool smaller = !larger && !(a.infinite == b.infinite && a.significand == b.significand &&
                                    a.exponent == b.exponent);
  return a.negative ? smaller : larger;
}

namespace {

Extended PortableMultiply(const Extended& a, const Extended& b) {
  const bool negative = a.negative != b.negative;
  if (a.infinite || b.infinite) return Infinity(negative);
  if (a.significand == 0 || b.significand == 0) return Zero(negative);
  std::uint64_t high, low;
  MultiplyWide(a.significand, b.significand, high, low);
  return RoundToX87(high, low, a.exponent + b.exponent, false, negative);
}

Extended PortableDivide(const Extended& a, const Extended& b) {
  const bool negative = a.negative != b.negative;
  if (a.infinite || b.significand == 0) return b.infinite ? Zero(negative) : Infinity(negative);
  if (b.infinite || a.significand == 0) return Zero(negative);
  std::uint64_t dividend, divisor;
  int dividendExponent, divisorExponent;
  Normalized(a, dividend, dividendExponent);
  Normalized(b, divisor, divisorExponent);
  // Both significands in [2^63, 2^64): the quotient dividend * 2^64 / divisor has 64 bits, or
  // 65 with a leading 1 when the dividend is the larger. The remainder then says whether the
  // rest is below, at or above half a unit of the last bit, which is all the rounding needs.
  const bool leadingOne = dividend >= divisor;
  if (leadingOne) dividend -= divisor;
  std::uint64_t remainder;
  const std::uint64_t quotient = DivideWide(dividend, 0, divisor, remainder);
  const bool half = remainder >= divisor - remainder;
  const bool sticky = half ? remainder != divisor - remainder : remainder != 0;
  const int exponent = dividendExponent - divisorExponent - 128;
  if (!leadingOne) {
    return RoundToX87(quotient, half ? TOP_BIT : 0, exponent, sticky, negative);
  }
  return RoundToX87(TOP_BIT | (quotient >> 1), (quotient << 63) | (half ? TOP_BIT >> 1 : 0),
                    exponent + 1, sticky, negative);
}

// A value rounded to `format`, as the bits of an IEEE number of that format.
std::uint64_t IeeeBits(const Extended& value, const BinaryFormat& format, int exponentBits) {
  const int fractionBits = format.digits - 1;
  const std::uint64_t sign = std::uint64_t{value.negative} << (fractionBits + exponentBits);
  const Extended rounded =
      value.infinite ? value
                     : Round(0, value.significand, value.exponent, false, value.negative, format);
  const std::uint64_t maxBiased = (std::uint64_t{1} << exponentBits) - 1;
  if (rounded.infinite) return sign | (maxBiased << fractionBits);
  if (rounded.significand == 0) return sign;
  // A subnormal keeps the lowest exponent and has no leading bit; it reads with biased 0.
  const bool normal = (rounded.significand >> fractionBits) != 0;
  const std::uint64_t biased =
      normal ? static_cast<std::uint64_t>(rounded.exponent - format.lowestExponent + 1) : 0;
  const std::uint64_t fraction = rounded.significand & ((std::uint64_t{1} << fractionBits) - 1);
  return sign | (biased << fractionBits) | fraction;
}

}  // namespace

Extended ExtendedMultiply(const Extended& a, const Extended& b) { return PortableMultiply(a, b); }
Extended ExtendedDivide(const Extended& a, const Extended& b) { return PortableDivide(a, b); }
float ExtendedToFloat(const Extended& value) {
  return CopyBits<float>(static_cast<std::uint32_t>(IeeeBits(value, FLOAT_FORMAT, 8)));
}
double ExtendedToDouble(const Extended& value) {
  return CopyBits<double>(IeeeBits(value, DOUBLE_FORMAT, 11));
}
