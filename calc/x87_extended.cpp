// The x87 80-bit extended arithmetic of ParseNumber, in software, for targets without it.
#include "x87_extended.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using U128 = unsigned __int128;

// The x87 extended format: a 64-bit significand with an explicit leading bit; normal values
// from 2^-16382, subnormals down to 2^-16445, infinity from 2^16384.
constexpr int X87_LOWEST_BIT_EXPONENT = -16445;
constexpr int X87_MAX_EXPONENT = 16383;

// IEEE binary128: 112 fraction bits, exponent bias 16383.
constexpr int QUAD_FRACTION_BITS = 112;
constexpr int QUAD_BIAS = 16383;
constexpr int QUAD_MAX_BIASED = 0x7FFF;

// An 80-bit value: significand * 2^exponent, or infinity.
struct X87Value {
  std::uint64_t significand;
  int exponent;
  bool infinite;
};

int BitLength(U128 value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  if (high != 0) return 128 - __builtin_clzll(high);
  const auto low = static_cast<std::uint64_t>(value);
  return low == 0 ? 0 : 64 - __builtin_clzll(low);
}

// (sig + a fraction that is nonzero when `sticky`) * 2^exponent, rounded to the x87 format,
// nearest with ties to even. The caller gives at least two bits beyond the kept ones whenever
// `sticky` is set.
X87Value RoundToX87(U128 sig, int exponent, bool sticky) {
  if (sig == 0) return {0, 0, false};
  const int top = exponent + BitLength(sig) - 1;
  const int lowest = std::max(top - 63, X87_LOWEST_BIT_EXPONENT);
  const int shift = lowest - exponent;
  U128 kept;
  if (shift <= 0) {
    kept = sig << -shift;
  } else {
    kept = shift >= 128 ? 0 : sig >> shift;
    const U128 rest = shift >= 128 ? sig : sig & ((U128{1} << shift) - 1);
    const U128 half = shift > 128 ? 0 : U128{1} << (shift - 1);
    const bool above = rest > half || (rest == half && half != 0 && sticky);
    const bool tie = rest == half && half != 0 && !sticky;
    if (above || (tie && (kept & 1) != 0)) ++kept;
  }
  int lowestBit = lowest;
  if (BitLength(kept) > 64) {  // the rounding carried into a new leading bit
    kept >>= 1;
    ++lowestBit;
  }
  if (kept != 0 && lowestBit + BitLength(kept) - 1 > X87_MAX_EXPONENT) return {0, 0, true};
  return {static_cast<std::uint64_t>(kept), lowestBit, false};
}

// The binary128 value of an 80-bit one (always exact: 64 bits fit in 113, and the 80-bit
// subnormals lie inside binary128's range).
Binary128 ToBinary128(const X87Value& value, bool negative) {
  U128 bits;
  if (value.infinite) {
    bits = U128{QUAD_MAX_BIASED} << QUAD_FRACTION_BITS;
  } else if (value.significand == 0) {
    bits = 0;
  } else {
    U128 sig = value.significand;
    const int length = BitLength(sig);
    int biased = value.exponent + length - 1 + QUAD_BIAS;
    sig <<= QUAD_FRACTION_BITS + 1 - length;  // leading bit at bit 112
    if (biased <= 0) {                        // below 2^-16382: binary128 subnormal
      sig >>= 1 - biased;
      biased = 0;
    }
    bits = (U128(biased) << QUAD_FRACTION_BITS) | (sig & ((U128{1} << QUAD_FRACTION_BITS) - 1));
  }
  if (negative) bits |= U128{1} << 127;
  Binary128 result;
  static_assert(sizeof result == sizeof bits);
  std::memcpy(&result, &bits, sizeof result);
  return result;
}

// 10^k for 0 <= k <= 4931 rounded once to the x87 format (exact up to 10^27).
X87Value PowerOfTen(int k) {
  // The 64 leading bits of 5^k, rounded, for every k: 10^k = 5^k * 2^k. Made once, from the
  // exact powers of five in base 2^32 limbs (5^4931 has 11,450 bits).
  static const std::vector<X87Value> table = [] {
    constexpr int COUNT = 4932;
    std::vector<X87Value> powers(COUNT);
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
      // The top 96 bits (or all) as one number, the bits below only as a sticky flag.
      const std::size_t size = limbs.size();
      U128 head = 0;
      const std::size_t taken = std::min<std::size_t>(size, 3);
      for (std::size_t i = 0; i < taken; ++i) head = (head << 32) | limbs[size - 1 - i];
      bool sticky = false;
      for (std::size_t i = taken; i < size && !sticky; ++i) sticky = limbs[size - 1 - i] != 0;
      const int below = 32 * static_cast<int>(size - taken);
      powers[static_cast<std::size_t>(n)] = RoundToX87(head, below + n, sticky);
    }
    return powers;
  }();
  return table[static_cast<std::size_t>(k)];
}

X87Value Multiply(std::uint64_t m, const X87Value& factor) {
  return RoundToX87(U128{m} * factor.significand, factor.exponent, false);
}

// dividend / divisor, both finite and nonzero, to 66 or 67 bits and a remainder flag first.
X87Value Divide(const X87Value& dividend, const X87Value& divisor) {
  std::uint64_t a = dividend.significand;
  std::uint64_t b = divisor.significand;
  const int leadA = __builtin_clzll(a);
  const int leadB = __builtin_clzll(b);
  a <<= leadA;
  b <<= leadB;
  const int exponent = dividend.exponent - leadA - (divisor.exponent - leadB);
  const U128 numerator = U128{a} << 64;
  U128 quotient = numerator / b;
  U128 remainder = numerator % b;
  remainder <<= 2;
  quotient = (quotient << 2) | (remainder / b);
  remainder %= b;
  return RoundToX87(quotient, exponent - 64 - 2, remainder != 0);
}

}  // namespace

void X87PowerOfTen(int k, std::uint64_t& significand, int& exponent) {
  const X87Value power = PowerOfTen(k);
  significand = power.significand;
  exponent = power.exponent;
}

Binary128 X87ScaleByPowerOfTen(std::uint64_t m, int k) {
  if (m == 0) return 0;
  if (k >= 0) return ToBinary128(Multiply(m, PowerOfTen(k)), false);
  const X87Value dividend{m, 0, false};
  if (k > -4900) return ToBinary128(Divide(dividend, PowerOfTen(-k)), false);
  const X87Value first = Divide(dividend, PowerOfTen(-k - 64));
  return ToBinary128(Divide(first, PowerOfTen(64)), false);
}

Binary128 X87Round(Binary128 value) {
  U128 bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 127) != 0;
  const int biased = static_cast<int>((bits >> QUAD_FRACTION_BITS) & QUAD_MAX_BIASED);
  U128 sig = bits & ((U128{1} << QUAD_FRACTION_BITS) - 1);
  if (biased == QUAD_MAX_BIASED) return value;  // infinity or not a number
  if (biased == 0 && sig == 0) return value;    // a zero of either sign
  int exponent;
  if (biased == 0) {
    exponent = 1 - QUAD_BIAS - QUAD_FRACTION_BITS;
  } else {
    sig |= U128{1} << QUAD_FRACTION_BITS;
    exponent = biased - QUAD_BIAS - QUAD_FRACTION_BITS;
  }
  return ToBinary128(RoundToX87(sig, exponent, false), negative);
}
