// The x87 80-bit extended arithmetic that entries are read in, done with 64-bit integers only.
//
// The program reads every entry in the x87 80-bit type: a 64-bit significand, each operation
// rounded to it, then rounded once more to float. That is the Windows program's long double
// (MinGW on x86), and every face answers as it does. Compilers disagree on what long double
// is (x87 with GCC on x86, binary128 on aarch64 and WebAssembly, IBM double-double on ppc64le,
// plain double with Visual Studio and on Apple's arm64), and with a wider or narrower type
// some entries get other answers (a diameter of 2.53999959850311825E+2 mm over a height of
// .253999959850311825E+2 is a ratio of exactly 10 in 80 bits, too flat in 128). So every build
// does those steps here, in portable integer code that gives the x87 result bit for bit; the
// tests check it against the hardware.
#pragma once

#include <cstdint>

// An x87 extended value: (-1)^negative * significand * 2^exponent, or an infinity. Kept in one
// form: the significand's top bit set, or, below 2^-16382, a subnormal with exponent -16445;
// zero is significand 0 with exponent 0 (negative for -0).
struct Extended {
  std::uint64_t significand;
  int exponent;
  bool negative;
  bool infinite;
};

// 10^k, 0 <= k <= 4931, rounded to the x87 format (an exact half going to even). Entries are
// scaled by these in every build, not by the C library's powl, whose last bit differs between
// C libraries (glibc's and MinGW's differ from the nearest value, and from each other, for
// dozens of k below 100).
void X87PowerOfTen(int k, std::uint64_t& significand, int& exponent);

// m * 10^k (k >= 0) or m / 10^-k rounded to the x87 format, with 10^|k| from X87PowerOfTen.
// For k <= -4900 the division is done in two steps, by 10^(-k-64) and then by 10^64, which
// keeps every power in range; the last bit of some of those tiny entries depends on that rule.
Extended ScaleByPowerOfTen(std::uint64_t m, int k);

// Exact conversions in.
Extended ExtendedFromInteger(std::int64_t value);
Extended ExtendedFromFloat(float value);

// One x87 operation each, rounded to nearest with ties to even, with subnormal results and
// overflow to infinity as the hardware gives them.
Extended ExtendedMultiply(const Extended& a, const Extended& b);
Extended ExtendedDivide(const Extended& a, const Extended& b);
bool ExtendedGreater(const Extended& a, const Extended& b);

// The value rounded once to float or double, as a store of the x87 register does (float and
// double subnormals, overflow to infinity).
float ExtendedToFloat(const Extended& value);
double ExtendedToDouble(const Extended& value);

// The 128-bit product of two 64-bit numbers, and the quotient and remainder of
// (high * 2^64 + low) / divisor for high < divisor, written out in 64-bit arithmetic because
// not every compiler has a 128-bit integer type.
void MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& high, std::uint64_t& low);
std::uint64_t DivideWide(std::uint64_t high, std::uint64_t low, std::uint64_t divisor,
                         std::uint64_t& remainder);
