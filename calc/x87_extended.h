// The x87 80-bit extended arithmetic of ParseNumber, in software, for targets without it.
//
// The reference build of the program (GCC and MinGW on x86) reads numbers in the x87 80-bit
// extended type: a 64-bit significand, each operation rounded to it, 10^k rounded once to it
// (X87PowerOfTen). Where long double is IEEE binary128 instead (WebAssembly), the same steps
// would keep 49 more bits, and some entries would get other answers: an inductance text of
// 65536.0000000000001 is exactly 65536 in 80 bits, so it passes the limit, but not in 128.
// These procedures give, in binary128, exactly the value the 80-bit arithmetic gives.
#pragma once

#include <cfloat>
#include <cstdint>

#if defined(__SIZEOF_FLOAT128__) && !defined(__wasm__)
// GCC on x86-64: the software binary128 type, so that the emulation can be checked here
// against the hardware.
using Binary128 = __float128;
#else
using Binary128 = long double;
#endif

// 10^k, 0 <= k <= 4931, rounded to the x87 format (an exact half going to even): the value
// is significand * 2^exponent. ParseNumber scales by these in every build, not by the C
// library's powl, whose last bit differs between C libraries (glibc's and MinGW's differ from
// the nearest value, and from each other, for dozens of k below 100).
void X87PowerOfTen(int k, std::uint64_t& significand, int& exponent);

// m * 10^k (k >= 0) or m / 10^-k, as ParseNumber computes it in 80 bits, with 10^|k| from
// X87PowerOfTen, and for k <= -4900 the division done in two steps by 10^(-k-64) and 10^64.
Binary128 X87ScaleByPowerOfTen(std::uint64_t m, int k);

// The x87 extended value nearest to `value` (an exact half going to even), subnormals and
// overflow to infinity included. Equal to the 80-bit result of one operation whenever the
// binary128 result of the same operation is within 2^-80 of its exact value, which holds for
// a product or quotient of an 80-bit value by a float (the exact product fits in 113 bits;
// a quotient is never that close to an 80-bit rounding midpoint without being on it).
Binary128 X87Round(Binary128 value);

// The result of a long double operation as the x87 type holds it: unchanged where long double
// is that type (or plain double, as with MSVC), rounded to 64 significant bits where it is
// binary128.
inline long double AsX87(long double value) {
#if LDBL_MANT_DIG == 113
  return X87Round(value);
#else
  return value;
#endif
}
