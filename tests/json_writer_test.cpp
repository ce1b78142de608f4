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
