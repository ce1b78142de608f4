// The portable x87 extended arithmetic against the x87 hardware it stands for, and against
// exact integer arithmetic where there is no such hardware.
#include "x87_extended.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "number_text.h"

namespace {

// Powers of ten where C libraries' powl misses the nearest value (glibc at 43, 70 and 73,
// MinGW at 33, 52 and 73), and the ends of the range; expected values from exact integer
// arithmetic in Python (10**k rounded to 64 bits, ties to even).
TEST(X87Extended, PowersOfTenAreTheNearestValues) {
  const struct {
    int k;
    std::uint64_t significand;
    int exponent;
  } powers[] = {
      {0, 0x8000000000000000ULL, -63},      {27, 0xcecb8f27f4200f3aULL, 26},
      {28, 0x813f3978f8940984ULL, 30},      {33, 0xc5371912364ce305ULL, 46},
      {43, 0xe596b7b0c643c719ULL, 79},      {52, 0xd5d238a4abe98068ULL, 109},
      {70, 0xb975d6b6ee39e437ULL, 169},     {73, 0xb51d13aea4a488ddULL, 179},
      {4931, 0xac23c22116cbf8a4ULL, 16317},
  };
  for (const auto& power : powers) {
    std::uint64_t significand = 0;
    int exponent = 0;
    X87PowerOfTen(power.k, significand, exponent);
    EXPECT_EQ(significand, power.significand) << power.k;
    EXPECT_EQ(exponent, power.exponent) << power.k;
  }
}

TEST(X87Extended, WideMultiplyAndDivide) {
  constexpr std::uint64_t MAX = ~std::uint64_t{0};
  std::mt19937_64 random(128);
  for (int i = 0; i < 200000; ++i) {
    // Ordinary values, then values with long runs of ones and zeros (corrections of the
    // estimated quotient digits are rare otherwise).
    std::uint64_t a = random(), b = random(), c = random();
    if (i % 2 == 1) {
      a = MAX >> (random() % 64);
      b = (MAX << (random() % 64)) | (random() % 4);
      c = MAX - (random() % 3);
    }
    std::uint64_t high, low;
    MultiplyWide(a, b, high, low);
#ifdef __SIZEOF_INT128__
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    ASSERT_EQ(high, static_cast<std::uint64_t>(product >> 64)) << a << " " << b;
    ASSERT_EQ(low, static_cast<std::uint64_t>(product)) << a << " " << b;
#endif
    // (a * b + r) / c with r < c, high < c: quotient and remainder back.
    if (c == 0 || high >= c) continue;
    std::uint64_t remainder = 0;
    const std::uint64_t quotient = DivideWide(high, low, c, remainder);
    ASSERT_LT(remainder, c);
    std::uint64_t backHigh, backLow;
    MultiplyWide(quotient, c, backHigh, backLow);
    const std::uint64_t sumLow = backLow + remainder;
    ASSERT_EQ(sumLow, low) << a << " " << b << " " << c;
    ASSERT_EQ(backHigh + (sumLow < backLow ? 1 : 0), high) << a << " " << b << " " << c;
  }
}

// Exact products that fall on a midpoint between two 64-bit values go to the even one:
// odd m * 5^k of 65 bits is m * 10^k halfway between two x87 values.
TEST(X87Extended, TiesGoToEven) {
  for (int k = 2; k <= 27; ++k) {
    std::uint64_t five = 1;
    for (int i = 0; i < k; ++i) five *= 5;
    const std::uint64_t first = ((std::uint64_t{1} << 63) / five) * 2 + 1;  // odd, near 2^64 / 5^k
    for (std::uint64_t m = first; m < first + 40 && m <= 999999999999999999ULL; m += 2) {
      std::uint64_t high, low;
      MultiplyWide(m, five, high, low);
      if (high != 1) continue;  // not 65 bits
      // The 64 kept bits, and the even neighbour of the tie.
      std::uint64_t kept = (high << 63) | (low >> 1);
      if ((kept & 1) != 0) ++kept;
      const Extended read = ScaleByPowerOfTen(m, k);
      EXPECT_EQ(read.significand, kept) << m << "e" << k;
      EXPECT_EQ(read.exponent, k + 1) << m << "e" << k;
    }
  }
}

TEST(X87Extended, ComparisonWithTheInductanceLimit) {
  const Extended limit = ExtendedFromFloat(65536);
  const struct {
    const char* text;
    bool above;
  } cases[] = {
      {"65536", false},
      {"65536.0000000000001", true},
      {"65536.000000000001", true},
      {"65535.9999999999999", false},
      {"-1e4932", false},
      {"1e4932", true},
      {"1e28", true},
      {"-0", false},
      {"&HFFFFFFFFFFFFFFFF", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExtendedGreater(ParseNumber(c.text), limit), c.above) << c.text;
}

#if LDBL_MANT_DIG == 64
// The x87 hardware is here: the portable arithmetic must give its bits.

std::string Show(const Extended& value) {
  char text[96];
  std::snprintf(text, sizeof text, "%s%s0x%016llx * 2^%d", value.negative ? "-" : "",
                value.infinite ? "infinity " : "",
                static_cast<unsigned long long>(value.significand), value.exponent);
  return text;
}

Extended FromHardware(long double value) {
  unsigned char raw[10];
  std::memcpy(raw, &value, sizeof raw);
  std::uint64_t significand;
  std::memcpy(&significand, raw, sizeof significand);
  const int signAndExponent = raw[8] | (raw[9] << 8);
  const bool negative = (signAndExponent & 0x8000) != 0;
  const int biased = signAndExponent & 0x7FFF;
  if (biased == 0x7FFF) return {0, 0, negative, true};
  if (significand == 0) return {0, 0, negative, false};
  return {significand, (biased == 0 ? 1 : biased) - 16383 - 63, negative, false};
}

long double HardwarePowerOfTen(int k) {
  std::uint64_t significand;
  int exponent;
  X87PowerOfTen(k, significand, exponent);
  return std::ldexp(static_cast<long double>(significand), exponent);
}

// m * 10^k as the hardware computes it with the same powers of ten.
long double HardwareScale(std::uint64_t m, int k) {
  volatile long double mantissa = static_cast<long double>(m);
  if (k >= 0) return mantissa * HardwarePowerOfTen(k);
  if (k > -4900) return mantissa / HardwarePowerOfTen(-k);
  return mantissa / HardwarePowerOfTen(-k - 64) / HardwarePowerOfTen(64);
}

// Every power of ten is the nearest x87 value: glibc's strtold rounds correctly.
TEST(X87Hardware, EveryPowerOfTen) {
  for (int k = 0; k <= 4931; ++k) {
    const long double nearest = std::strtold(("1e" + std::to_string(k)).c_str(), nullptr);
    ASSERT_EQ(Show(FromHardware(HardwarePowerOfTen(k))), Show(FromHardware(nearest))) << k;
  }
}

// Every k an entry can scale by, each with mantissas of 1 to 18 digits, subnormal results
// included.
TEST(X87Hardware, ScalingForEveryExponent) {
  std::mt19937_64 random(20261209);
  const std::uint64_t mantissas[] = {1, 9, 65536, 999999999999999999ULL, 100000000000000000ULL};
  int checked = 0;
  for (int k = -4950; k <= 4914; ++k) {
    for (int pick = 0; pick < 7; ++pick) {
      const std::uint64_t m = pick < 5 ? mantissas[pick] : 1 + random() % 999999999999999999ULL;
      const int q = static_cast<int>(std::to_string(m).size()) + k;
      if (q >= 4933 || q <= -4933) continue;
      ASSERT_EQ(Show(ScaleByPowerOfTen(m, k)), Show(FromHardware(HardwareScale(m, k))))
          << m << "e" << k;
      ++checked;
    }
  }
  EXPECT_GT(checked, 60000);
}

// Random x87 values written with 18 to 20 digits and read back, as the hardware reads them;
// then stored as float and double.
TEST(X87Hardware, RandomRoundTrips) {
  std::mt19937_64 random(1105);
  for (int i = 0; i < 200000; ++i) {
    const long double x = std::ldexp(static_cast<long double>(random() | (std::uint64_t{1} << 63)),
                                     static_cast<int>(random() % 32600) - 16300 - 63);
    char text[64];
    std::snprintf(text, sizeof text, "%.*Le", 17 + static_cast<int>(random() % 3), x);
    // The 18 leading digits and the decimal exponent, as the entry reads them.
    std::uint64_t m = 0;
    int digits = 0;
    const char* c = text;
    for (; *c != 'e'; ++c) {
      if (*c == '.') continue;
      if (digits < 18) {
        m = m * 10 + static_cast<std::uint64_t>(*c - '0');
        ++digits;
      }
    }
    const int k = std::atoi(c + 1) + 1 - digits;
    const long double hardware = HardwareScale(m, k);
    const Extended read = ParseNumber(text);
    ASSERT_EQ(Show(read), Show(FromHardware(hardware))) << text;
    ASSERT_EQ(ExtendedToFloat(read), static_cast<float>(hardware)) << text;
    ASSERT_EQ(ExtendedToDouble(read), static_cast<double>(hardware)) << text;
  }
}

// x / y and x * y for the divisors and factors the solve uses and random floats, over random
// x87 values and values placed so that the result lies next to a midpoint between two floats
// or two doubles (where a second rounding shows); the comparison with y too.
TEST(X87Hardware, ProductsQuotientsAndStores) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 400000; ++i) {
    float y;
    switch (i % 4) {
      case 0:
        y = 25.4f;
        break;
      case 1:
        y = 1000.0f;
        break;
      case 2:
        y = 1.0f;
        break;
      default: {
        const auto bits = static_cast<std::uint32_t>(random());
        std::memcpy(&y, &bits, sizeof y);
        if (!std::isfinite(y)) y = 3.0f;
      }
    }
    long double x;
    if (i % 3 == 0) {
      const std::uint64_t significand = random() | (std::uint64_t{1} << 63);
      x = std::ldexp(static_cast<long double>(significand),
                     static_cast<int>(random() % 32800) - 16400 - 63);
    } else {
      // A float or double midpoint moved by y, then by a few units of the last place.
      const int bits = i % 3 == 1 ? 24 : 53;
      const long double f =
          std::ldexp(static_cast<long double>((random() >> 11) | (std::uint64_t{1} << 52)),
                     static_cast<int>(random() % 400) - 200 - 52);
      const long double grid =
          std::ldexp(std::floor(std::ldexp(f, bits - std::ilogb(f) - 1)), std::ilogb(f) + 1 - bits);
      const long double midpoint = grid + std::ldexp(1.0L, std::ilogb(f) - bits);
      volatile long double vm = midpoint;
      x = (random() & 1) ? vm * y : vm / y;
      for (int step = static_cast<int>(random() % 5); step > 0; --step)
        x = std::nextafter(x, (random() & 1) ? HUGE_VALL : -HUGE_VALL);
    }
    if (random() & 1) x = -x;
    volatile long double vx = x;
    const long double quotient = vx / y;
    const long double product = vx * y;
    const Extended ex = FromHardware(x);
    const Extended ey = ExtendedFromFloat(y);
    ASSERT_EQ(Show(ey), Show(FromHardware(y))) << y;
    const Extended q = ExtendedDivide(ex, ey);
    const Extended p = ExtendedMultiply(ex, ey);
    ASSERT_EQ(Show(q), Show(FromHardware(quotient))) << Show(ex) << " / " << y;
    ASSERT_EQ(Show(p), Show(FromHardware(product))) << Show(ex) << " * " << y;
    ASSERT_EQ(ExtendedToFloat(q), static_cast<float>(quotient)) << Show(q);
    ASSERT_EQ(ExtendedToDouble(q), static_cast<double>(quotient)) << Show(q);
    ASSERT_EQ(ExtendedToFloat(p), static_cast<float>(product)) << Show(p);
    ASSERT_EQ(ExtendedGreater(ex, ey), x > y) << Show(ex) << " > " << y;
    ASSERT_EQ(ExtendedGreater(q, ex), quotient > x) << Show(q) << " > " << Show(ex);
  }
}

TEST(X87Hardware, EndsOfTheRange) {
  const long double largest = std::numeric_limits<long double>::max();
  const long double smallest = std::numeric_limits<long double>::denorm_min();
  const long double smallestNormal = std::numeric_limits<long double>::min();
  const float floats[] = {0.5f, 2.0f, 0.75f, 1.5f, 1000.0f, 25.4f, 0x1p-149f, 0x1p127f, 0.0f};
  for (const long double x :
       {largest, smallest, smallestNormal, smallestNormal - smallest, smallest * 3, 0x1p128L,
        0x1p128L - 0x1p64L, 0x1p-149L, 0x1p-150L, 0x1.000001p-150L, 0x1p-1074L, 0x1p-1075L,
        0x1p1024L, 0x1.fffffffp127L, 0x1.ffffff8p127L, 0x1.ffffff7fffffffffp127L, 0.0L, HUGE_VALL,
        // Divided by 1000: a subnormal just above a tie, seen only in the remainder.
        0xeb45cf682757502cp-16436L}) {
    for (const float y : floats) {
      for (const long double signedX : {x, -x}) {
        volatile long double vx = signedX;
        const Extended ex = FromHardware(signedX);
        const Extended ey = ExtendedFromFloat(y);
        // Infinity times zero is not a number, which no entry becomes.
        if (!(std::isinf(signedX) && y == 0)) {
          ASSERT_EQ(Show(ExtendedMultiply(ex, ey)), Show(FromHardware(vx * y)))
              << Show(ex) << " * " << y;
        }
        if (y != 0) {
          ASSERT_EQ(Show(ExtendedDivide(ex, ey)), Show(FromHardware(vx / y)))
              << Show(ex) << " / " << y;
        }
        ASSERT_EQ(ExtendedToFloat(ex), static_cast<float>(vx)) << Show(ex);
        ASSERT_EQ(std::signbit(ExtendedToFloat(ex)), std::signbit(static_cast<float>(vx)))
            << Show(ex);
        ASSERT_EQ(ExtendedToDouble(ex), static_cast<double>(vx)) << Show(ex);
      }
    }
  }
}
#endif

}  // namespace
