// The JSON writer against nlohmann's serializer, which the answers were written with before,
// and against the C++ library's shortest numbers: fixed-seed random texts (broken UTF-8 and
// control characters included) and doubles.
#include "json_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace {

std::string NlohmannText(const std::string& text) {
  return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

TEST(JsonWriter, TextsAreWrittenAsNlohmannWritesThem) {
  std::mt19937_64 random(20261209);
  // Bytes drawn mostly from the edges of the UTF-8 ranges, where sequences break.
  const unsigned char edges[] = {0x00, 0x08, 0x09, 0x0A, 0x0C, 0x0D, 0x1F, 0x20, '"',  '\\',
                                 'a',  0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1,
                                 0xC2, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
  int mismatches = 0;
  for (int round = 0; round < 200000 && mismatches < 5; ++round) {
    std::string text(random() % 9, '\0');
    for (char& c : text) {
      const std::uint64_t draw = random();
      c = static_cast<char>(draw % 4 == 0 ? draw >> 8 : edges[(draw >> 8) % std::size(edges)]);
    }
    std::string written;
    AppendJsonString(written, text);
    if (written != NlohmannText(text)) {
      ++mismatches;
      ADD_FAILURE() << "text of " << text.size() << " bytes: " << written;
    }
  }
}

// Plain stretches are measured in words of eight bytes, gathered for a short text, the last one
// overlapping: every length to 48, each with one byte needing care at every place, or none.
TEST(JsonWriter, PlainLengthStopsAtTheFirstByteNeedingCare) {
  // Plain bytes at the edges of the ranges, neighbours of '"' and '\\' included.
  const std::string plainBytes =
      " !#[]~\x7F"
      "0aZ";
  const unsigned char careBytes[] = {0x00, 0x01, 0x0A, 0x1F, '"', '\\', 0x80, 0xA0, 0xFF};
  for (std::size_t n = 0; n <= 48; ++n) {
    std::string text(n, ' ');
    for (std::size_t i = 0; i < n; ++i) text[i] = plainBytes[(i * 7 + n) % plainBytes.size()];
    ASSERT_EQ(PlainJsonLength(text), n) << "a plain text of " << n << " bytes";
    for (std::size_t at = 0; at < n; ++at) {
      for (const unsigned char care : careBytes) {
        std::string marked = text;
        marked[at] = static_cast<char>(care);
        ASSERT_EQ(PlainJsonLength(marked), at) << n << " bytes, byte " << int{care} << " at " << at;
        marked[n - 1] = static_cast<char>(care);  // and a second one at the end
        ASSERT_EQ(PlainJsonLength(marked), at) << n << " bytes, also at the end";
      }
    }
  }
}

// The significant digits of a number's text, without sign, point, exponent or outer zeros.
std::string Digits(std::string_view text) {
  std::string digits;
  for (const char c : text.substr(0, text.find_first_of("eE"))) {
    if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
  }
  return digits.erase(digits.find_last_not_of('0') + 1);
}

TEST(JsonWriter, CommaPartsAValueFromTheOneBefore) {
  const std::pair<std::string, std::string> cases[] = {{"", ""},
                                                       {"[", "["},
                                                       {"{\"a\":", "{\"a\":"},
                                                       {"[1,", "[1,"},
                                                       {"[1", "[1,"},
                                                       {"[\"a\"", "[\"a\","},
                                                       {"[[]", "[[],"},
                                                       {"[{}", "[{},"},
                                                       {"[true", "[true,"},
                                                       {"{\"a\":1", "{\"a\":1,"}};
  for (const auto& [before, after] : cases) {
    std::string out = before;
    AppendJsonComma(out);
    EXPECT_EQ(out, after) << before;
  }
}

TEST(JsonWriter, NumbersAreTheShortestThatReadBack) {
  std::mt19937_64 random(7);
  for (int round = 0; round < 100000; ++round) {
    // Any bit pattern, so subnormals, huge values, NaN and the infinities come up too.
    const double value = std::bit_cast<double>(random());
    std::string written;
    AppendJsonNumber(written, value);
    if (!std::isfinite(value)) {
      ASSERT_EQ(written, "null");
      continue;
    }
    ASSERT_EQ(std::strtod(written.c_str(), nullptr), value) << written;
    // The same digits as the C++ library's shortest form; laid out as nlohmann writes numbers
    // whenever its digits are as few.
    char shortest[64];
    const auto end =
        std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific)
            .ptr;
    ASSERT_EQ(Digits(written), Digits(std::string_view(shortest, end))) << written;
    const std::string before = nlohmann::json(value).dump();
    if (Digits(before) == Digits(written)) {
      ASSERT_EQ(written, before);
    }
  }
  // Each layout: whole numbers with ".0", a point among the digits or up to three zeros after
  // it, else an exponent of at least two digits.
  const std::pair<double, const char*> laidOut[] = {
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {1.0, "1.0"},
      {-250.0, "-250.0"},
      {1e15, "1e+15"},
      {123456789012345.0, "123456789012345.0"},
      {2.5, "2.5"},
      {0.001, "0.001"},
      {-0.00012, "-0.00012"},
      {1e-5, "1e-05"},
      {5e-324, "5e-324"},
      {1.7976931348623157e308, "1.7976931348623157e+308"},
      {4.1752050594835e+78, "4.1752050594835e+78"}};
  for (const auto& [value, text] : laidOut) {
    std::string written;
    AppendJsonNumber(written, value);
    EXPECT_EQ(written, text);
  }
  // With nine digits: rounded half up, carried through nines, trailing zeros left out.
  const std::pair<double, const char*> nineDigits[] = {{1234567891234.0, "1234567890000.0"},
                                                       {9.999999999, "10.0"},
                                                       {999999999.5, "1000000000.0"},
                                                       {-2662.336432, "-2662.33643"},
                                                       {0.000123456789012, "0.000123456789"},
                                                       {1.234567894999e-300, "1.23456789e-300"},
                                                       {0.5, "0.5"},
                                                       {1e6, "1000000.0"},
                                                       {-0.0, "-0.0"},
                                                       {5e-324, "5e-324"}};
  for (const auto& [value, text] : nineDigits) {
    std::string nine;
    AppendJsonNumberDigits(nine, value, 9);
    EXPECT_EQ(nine, text) << value;
  }
  std::string written;
  AppendJsonInteger(written, -3);
  AppendJsonKey(written, "a\"b");
  EXPECT_EQ(written, "-3,\"a\\\"b\":");
}

}  // namespace
