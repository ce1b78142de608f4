// The JSON writer against nlohmann's serializer, which the answers were written with before:
// fixed-seed random texts (broken UTF-8 and control characters included) and doubles.
#include "json_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

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

// Plain stretches are measured in blocks of eight and sixteen bytes with a short or overlapping
// last one: every length to 48, each with one byte needing care at every place, or none.
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

TEST(JsonWriter, NumbersAreTheShortestThatReadBack) {
  std::mt19937_64 random(7);
  for (int round = 0; round < 100000; ++round) {
    // Any bit pattern, so subnormals, huge values, NaN and the infinities come up too.
    const double value = std::bit_cast<double>(random());
    std::string written;
    AppendJsonNumber(written, value);
    ASSERT_EQ(written, nlohmann::json(value).dump()) << value;
  }
  std::string written;
  AppendJsonInteger(written, -3);
  AppendJsonKey(written, "a\"b");
  EXPECT_EQ(written, "-3,\"a\\\"b\":");
}

}  // namespace
