// The software x87 arithmetic of the WebAssembly build against the x87 hardware it stands for.
#include "x87_extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "number_text.h"

namespace {

// The 80 bits of an extended value, so that two values compare bit for bit (signs of zero too).
std::string Bits(long double value) {
  unsigned char raw[10];
  std::memcpy(raw, &value, sizeof raw);
  std::string text;
  for (int i = 9; i >= 0; --i) {
    static const char hex[] = "0123456789abcdef";
    text += hex[raw[i] >> 4];
    text += hex[raw[i] & 15];
  }
  return text;
}

// Every k ParseNumber can scale by, each with mantissas of 1 to 18 digits: the text "M" "e" k
// has the value M * 10^k, which ParseNumber here computes on the x87.
TEST(X87Extended, ScalingMatchesParseNumberForEveryExponent) {
  std::mt19937_64 random(20261209);
  const std::uint64_t mantissas[] = {1, 9, 65536, 999999999999999999ULL, 100000000000000000ULL};
  int checked = 0;
  for (int k = -4950; k <= 4914; ++k) {
    for (int pick = 0; pick < 7; ++pick) {
      std::uint64_t m = pick < 5 ? mantissas[pick] : 1 + random() % 999999999999999999ULL;
      const std::string text = std::to_string(m) + "e" + std::to_string(k);
      // ParseNumber's exponent counts from the leading digit: q = digits + exponent.
      const int q = static_cast<int>(std::to_string(m).size()) + k;
      if (q >= 4933 || q <= -4933) continue;
      const long double native = ParseNumber(text);
      const auto emulated = static_cast<long double>(X87ScaleByPowerOfTen(m, k));
      ASSERT_EQ(Bits(native), Bits(emulated)) << text;
      ++checked;
    }
  }
  EXPECT_GT(checked, 60000);
}

// Powers of ten where C libraries' powl misses the nearest value (glibc at 43, 70 and 73,
// MinGW at 33, 52 and 73), and the ends of the range; expected values from exact integer
// arithmetic in Python (10**k rounded to 64 bits, ties to even).
TEST(X87Extended, PowersOfTenAreTheNearestValues) {
  const struct {
    int k;
    std::uint64_t significand;
    int exponent;
  } powers[] = {
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

// x / y and x * y in the x87 type against the binary128 operation rounded by X87Round, for the
// divisors and factors the solve uses, over random 80-bit values and values placed so that the
// exact result lies next to a midpoint between two floats (where a second rounding shows).
TEST(X87Extended, RoundingOfProductsAndQuotients) {
  std::mt19937_64 random(7);
  const float operands[] = {25.4f, 1000.0f, 1.0f};
  for (int i = 0; i < 400000; ++i) {
    const float y = operands[i % 3];
    long double x;
    if (i % 2 == 0) {
      const std::uint64_t significand = random() | (std::uint64_t{1} << 63);
      const int exponent = static_cast<int>(random() % 400) - 200 - 63;
      x = std::ldexp(static_cast<long double>(significand), exponent);
    } else {
      // A float midpoint scaled back by y, moved by a few units of the last place.
      const float f = std::ldexp(1.0f + static_cast<float>(random() % (1 << 23)) / (1 << 23),
                                 static_cast<int>(random() % 60) - 30);
      const long double midpoint = f + std::ldexp(static_cast<long double>(f), -24);
      const bool divide = (i / 2) % 2 == 0;
      x = divide ? midpoint * y : midpoint / y;
      x = std::nextafter(x, (random() & 1) ? HUGE_VALL : -HUGE_VALL);
    }
    volatile long double vx = x;  // the hardware operations, not folded at compile time
    const long double quotient = vx / y;
    const long double product = vx * y;
    const Binary128 wideX = x;
    EXPECT_EQ(Bits(quotient), Bits(static_cast<long double>(X87Round(wideX / y)))) << i;
    EXPECT_EQ(Bits(product), Bits(static_cast<long double>(X87Round(wideX * y)))) << i;
    EXPECT_EQ(static_cast<float>(quotient), static_cast<float>(X87Round(wideX / y))) << i;
  }
}

TEST(X87Extended, RoundingAtTheEndsOfTheRange) {
  const long double largest = std::numeric_limits<long double>::max();
  const long double smallest = std::numeric_limits<long double>::denorm_min();
  const struct {
    Binary128 wide;
    long double expected;
  } cases[] = {
      {Binary128(largest), largest},
      {Binary128(largest) * (1 + Binary128(std::ldexp(1.0, -63))),
       HUGE_VALL},  // above the last half unit
      {Binary128(smallest), smallest},
      {Binary128(smallest) * Binary128(0.5), 0.0L},       // a tie goes to the even zero
      {Binary128(smallest) * Binary128(0.75), smallest},  // above the half
      {Binary128(smallest) * Binary128(1.5), 2 * smallest},
      {-Binary128(smallest) * Binary128(0.25), -0.0L},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Bits(c.expected), Bits(static_cast<long double>(X87Round(c.wide))));
  }
}

}  // namespace
