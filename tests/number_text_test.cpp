// Number display and entry: typical texts, the digit rounding, and round trips.
#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>

namespace {

struct Formatted {
  double value;
  int n;
  const char* text;
};

// Typical texts of the display, then its edge cases.
const Formatted FORMATTED[] = {
    {5, 7, " 5"},
    {0, 7, " 0"},
    {-12.5, 4, "-12.5"},
    {0.05, 7, " .05"},
    {-0.05, 7, "-.05"},
    {3.14159, 7, " 3.14159"},
    {1234567, 7, " 1234567"},
    {12345678, 7, " 1.234568E+7"},
    {10000000, 7, " 1E+7"},
    {0.0000001, 7, " .0000001"},
    {0.00000001, 7, " 1E-8"},
    {1.0 / 3, 7, " .3333333"},
    {2.0 / 3, 4, " .6667"},
    {12.3456, 4, " 12.34"},
    {12.3556, 4, " 12.36"},
    {0.00012345, 4, " 1.234E-4"},
    {123456, 5, " 1.2346E+5"},
    {2.5, 1, " 2"},
    {3.5, 1, " 4"},
    {0.05, 1, " 5E-2"},
    {0.9999, 3, " 1"},
    {150.25, 3, " 150"},
    {999.5, 3, " 1E+3"},
    {1234.5, 3, " 1.23E+3"},
    {16384, 3, " 1.64E+4"},
    {9999.6, 4, " 1E+4"},
    {2.5, 4, " 2.5"},
    {2.0, 4, " 2"},
    {-0.0, 4, " 0"},
    {std::numeric_limits<double>::quiet_NaN(), 4, " 0"},
    {INFINITY, 3, " 9.99E+998"},
    {-INFINITY, 3, "-9.99E+998"},
    {INFINITY, 1, " 9E+998"},
    {0.1, 7, " .1"},
    {1, 1, " 1"},
    {-9.5, 1, "-1E+1"},
    {123, 3, " 123"},
    {1230, 3, " 1.23E+3"},
    {1e-300, 3, " 1E-300"},
    {1.7976931348623157e308, 4, " 1.798E+308"},
    {4.9406564584124654e-324, 2, " 4.9E-324"},
    // 18 digits: the first rounding alone decides.
    {0.1, 18, " .100000000000000006"},
    {1.0 / 3, 18, " .333333333333333315"},
    {123456789012345678.0, 18, " 123456789012345680"},
    // A count out of range means 18.
    {1.0 / 3, 0, " .333333333333333315"},
    {1.0 / 3, 19, " .333333333333333315"},
    {1.0 / 3, -4, " .333333333333333315"},
};

TEST(FormatNumber, Table) {
  for (const Formatted& f : FORMATTED) {
    EXPECT_EQ(FormatNumber(f.value, f.n), f.text) << f.value << " with " << f.n << " digits";
  }
}

// Doubles written with all 18 digits, the texts worked out from their exact decimal values by
// tests/reference/format_vectors.py; most between 0.01 and 0.1, ties to even among them.
TEST(FormatNumber, EighteenDigitsAsTheExactValuesRound) {
  std::ifstream in(COILCALC_FORMAT_VECTORS);
  ASSERT_TRUE(in) << COILCALC_FORMAT_VECTORS;
  int checked = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const double value = std::strtod(line.substr(0, tab).c_str(), nullptr);
    EXPECT_EQ(FormatNumber(value, 18), line.substr(tab + 1)) << line.substr(0, tab);
    ++checked;
  }
  EXPECT_GT(checked, 1000);
}

TEST(FormatNumber, FirstRoundingIsHalfEvenAtEighteenDigits) {
  // 2^-26 = 1.490116119384765625e-8 and 7 * 2^-25 = 2.086162567138671875e-7 have exactly 19
  // digits, the last a 5: ties at the 18-digit rounding, going to the even 18th digit.
  EXPECT_EQ(FormatNumber(0x1p-26, 18), " 1.49011611938476562E-8");
  EXPECT_EQ(FormatNumber(7 * 0x1p-25, 18), " 2.08616256713867188E-7");
  // 2^60 = 1152921504606846976: the 19th digit 6 rounds up; 20 digits of 2^64, the 19th a 1.
  EXPECT_EQ(FormatNumber(0x1p60, 18), " 1.15292150460684698E+18");
  EXPECT_EQ(FormatNumber(0x1p64, 18), " 1.84467440737095516E+19");
  // The second rounding looks at the (n+1)-th of those 18 digits only.
  EXPECT_EQ(FormatNumber(0x1p-26, 17), " 1.4901161193847656E-8");
  EXPECT_EQ(FormatNumber(7 * 0x1p-25, 17), " 2.0861625671386719E-7");
}

struct Parsed {
  const char* text;
  double value;  // the reading rounded to double
};

// Typical entries, then the rest of the grammar.
const Parsed PARSED[] = {
    {"12", 12},
    {" 12.5", 12.5},
    {"\t3", 3},
    {"\r3", 0},
    {"", 0},
    {"abc", 0},
    {"0x10", 0},
    {"12abc", 12},
    {"1,5", 1},
    {".5", 0.5},
    {"5.", 5},
    {"-.25", -0.25},
    {"+7", 7},
    {"007", 7},
    {"1e3", 1000},
    {"1E+3", 1000},
    {"2.5e-2", 0.025},
    {"1D2", 100},
    {"1.2.3", 1.2},
    {"- 5", 0},
    {" 1.23E+3", 1230},
    {"&H10", 16},
    {"&B101", 5},
    {"&17", 15},
    // Blanks, signs, exponents.
    {"\n\n 4", 4},
    {"+-5", 0},
    {"--5", 0},
    {"1e", 1},
    {"1e-", 1},
    {"1d+2", 100},
    {".e5", 0},
    {"5e2.5", 500},
    {"0.000", 0},
    {"1 000", 1},
    {"25.4mm", 25.4},
    {" .05", 0.05},
    {" 1.64E+4", 16400},
    {"1e-4934", 0},
    {"-0.01e-4932", -0.0},
    {"1e99999", 0x1p127},
    {"-1e4933", -0x1p127},
    {"0.1e4933", 0x1p127},
    {"9.99e4932", 0x1p127},
    // Digits after the 18th count for the point but are not rounded in.
    {"123456789012345678901", 123456789012345678e3},
    {"0.0000123456789012345678999", 123456789012345678e-22},
    // Whole numbers in other bases and their type suffixes.
    {"&HFFFF", -1},
    {"&H8000", -32768},
    {"&H0FFFF", 65535},
    {"&HFFFFFFFF", -1},
    {"&H7FFF", 32767},
    {"&H10000", 65536},
    {"&H80000000", -2147483648.0},
    {"&HFFFF&", 65535},
    {"&HFFFFFFFF&", -1},
    {"&HFFFFFFFF&&", 4294967295.0},
    {"&HFFFF%", -1},
    {"&HFFFF?", 65535},
    {"&HFFFFFFFF???", 4294967295.0},
    {"&HFFFFFFFFFFFFFFFF", -1},
    {"&HFFFFFFFFFFFFFFFF?", 0},
    {"&H10000000000000000", 0},
    {"&H", 0},
    {"&", 0},
    {"&Hz", 0},
    {"&hff", 255},
    {"&O17", 15},
    {"&q17", 15},
    {"&b102", 2},
    {"&8", 0},
    {"-&H10", 0},
    {" &H10", 16},
};

TEST(ParseNumber, Table) {
  for (const Parsed& p : PARSED) {
    EXPECT_EQ(ExtendedToDouble(ParseNumber(p.text)), p.value) << '"' << p.text << '"';
  }
}

TEST(ParseNumber, LoneMinusIsNegativeZero) {
  for (const char* text : {"-", "- 5", "-x", "-."}) {
    const Extended value = ParseNumber(text);
    EXPECT_EQ(value.significand, 0u) << text;
    EXPECT_TRUE(value.negative) << text;
  }
}

TEST(ParseNumber, LongAndHostileTextsEndNormally) {
  const std::string longHex = "&H" + std::string(100000, 'F');
  EXPECT_EQ(ExtendedToDouble(ParseNumber(longHex)), 0);
  const std::string manyDigits(1 << 20, '9');
  EXPECT_EQ(ExtendedToFloat(ParseNumber(manyDigits)), 0x1p127f);
  // Beyond float range but within extended range: infinite once stored as a float, but not
  // infinite before (10^4931 lies between 2^16380 and 2^16381).
  EXPECT_EQ(ExtendedToFloat(ParseNumber("1e4931")), INFINITY);
  EXPECT_FALSE(ParseNumber("1e4931").infinite);
  EXPECT_EQ(ParseNumber("1e4931").exponent + 63, 16380);
  // Just above the bottom of the extended range the value is small, not 0: a subnormal of
  // about 1.2e-4932 / 2^-16445 = 3.29e18 units.
  const Extended tiny = ParseNumber("12e-4933");
  EXPECT_EQ(tiny.exponent, -16445);
  EXPECT_GT(tiny.significand, 3017700000000000000u);
  EXPECT_LT(tiny.significand, 3566300000000000000u);
  const std::string manyZeros = "0." + std::string(1 << 20, '0') + "1";
  EXPECT_EQ(ExtendedToDouble(ParseNumber(manyZeros)), 0);
  const std::string withNul(
      "12\0"
      "5",
      4);
  EXPECT_EQ(ExtendedToDouble(ParseNumber(withNul)), 12);
}

TEST(NumberText, DisplayReadsBackTheSameAsDouble) {
  // Any finite double shown with up to 15 digits reads back to a value that shows the same.
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 200000; ++i) {
    std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    // Near the top of the range the shown text may round past the largest double.
    if (!std::isfinite(value) || std::fabs(value) > 1e307) continue;
    const int n = 1 + static_cast<int>(random() % 15);
    const std::string text = FormatNumber(value, n);
    ASSERT_EQ(FormatNumber(ExtendedToDouble(ParseNumber(text)), n), text) << value << " " << n;
  }
}

TEST(NumberText, DisplayReadsBackTheSameAsFloat) {
  // The dialog keeps entries as floats: shown with the program's digit counts they survive.
  std::mt19937 random(1105);
  for (int i = 0; i < 200000; ++i) {
    std::uint32_t bits = random();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value) || std::fabs(value) > 3e38f) continue;
    for (int n : {3, 4, 5}) {
      const std::string text = FormatNumber(value, n);
      ASSERT_EQ(FormatNumber(ExtendedToFloat(ParseNumber(text)), n), text) << value << " " << n;
    }
  }
}

TEST(NumberText, ShapeOfEveryText) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 100000; ++i) {
    const double value = std::ldexp(static_cast<double>(random() % 2000000) - 1000000.0,
                                    static_cast<int>(random() % 200) - 100);
    const int n = 1 + static_cast<int>(random() % 18);
    const std::string text = FormatNumber(value, n);
    ASSERT_LE(text.size(), 26u);
    ASSERT_TRUE(text[0] == ' ' || text[0] == '-') << text;
    ASSERT_NE(text.back(), ' ') << text;
    ASSERT_NE(text.back(), '.') << text;
    const auto point = text.find('.');
    const auto exponent = text.find('E');
    if (point != std::string::npos && exponent == std::string::npos) {
      ASSERT_NE(text.back(), '0') << text;
    }
  }
}

}  // namespace
