// JSON text written straight into a string: the one writer of every JSON the program answers.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// A high bit set in the first byte of `word` that a JSON string cannot hold as it stands
// (below 0x20, '"', '\\', or from 0x80 up), and none before it; bytes after it may be marked
// whether or not they need care, since a borrow runs only from a marked byte to the ones after.
inline std::uint64_t JsonCareBits(std::uint64_t word) {
  constexpr std::uint64_t ONES = 0x0101010101010101ULL;
  const std::uint64_t quote = word ^ (ONES * '"');
  const std::uint64_t backslash = word ^ (ONES * '\\');
  const std::uint64_t below = ((word - ONES * 0x20) | (quote - ONES) | (backslash - ONES)) & ~word;
  return (below | word) & (ONES * 0x80);
}

static_assert(std::endian::native == std::endian::little, "a word's first byte is its lowest");

// The length of the stretch at the start of `text` that a JSON string holds as it stands:
// printable ASCII (DEL included) without '"' and '\\'. The one test of whether a text needs
// escapes, in the writer and in the request scan; inline, since every text goes through it.
// Eight bytes at a time, the last word overlapping the one before it. A text of under eight
// bytes is gathered into one word: its first and last four bytes, or, under four, its first,
// middle and last byte and blanks.
inline std::size_t PlainJsonLength(std::string_view text) {
  const char* const p = text.data();
  const std::size_t n = text.size();
  const auto first = [](std::uint64_t bits) {  // the place of the first byte marked in `bits`
    return static_cast<std::size_t>(std::countr_zero(bits)) / 8;
  };
  if (n < 4) {
    if (n == 0) return 0;
    const auto byte = [p](std::size_t at) {
      return std::uint64_t{static_cast<unsigned char>(p[at])};
    };
    const std::uint64_t bits =
        JsonCareBits(0x2020202020000000ULL | byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16);
    return bits == 0 ? n : first(bits) == 0 ? 0 : first(bits) == 1 ? n / 2 : n - 1;
  }
  std::uint32_t half[2];
  std::uint64_t word;
  if (n < 8) {
    std::memcpy(&half[0], p, 4);
    std::memcpy(&half[1], p + n - 4, 4);
    const std::uint64_t bits = JsonCareBits(half[0] | std::uint64_t{half[1]} << 32);
    return bits == 0 ? n : first(bits) < 4 ? first(bits) : n - 8 + first(bits);
  }
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::memcpy(&word, p + i, 8);
    if (const std::uint64_t bits = JsonCareBits(word)) return i + first(bits);
  }
  if (i == n) return n;
  std::memcpy(&word, p + n - 8, 8);
  const std::uint64_t bits = JsonCareBits(word);
  return bits == 0 ? n : n - 8 + first(bits);
}

// Appends `text` as a JSON string. Bytes that are not UTF-8 become U+FFFD, control characters
// are escaped, and everything else is copied as it is (no \u escapes above U+007F).
void AppendJsonString(std::string& out, std::string_view text);

// Appends `before`, `text` as a JSON string, and `after` (JSON punctuation, written as it is);
// a text that needs no escapes, as nearly all do, in one growth of `out`.
void AppendJsonStringBetween(std::string& out, std::string_view before, std::string_view text,
                             std::string_view after);

// Appends `value` as the shortest JSON number that reads back as the same double, or null for
// infinity and not-a-number, which JSON cannot write.
void AppendJsonNumber(std::string& out, double value);

// The same with at most `significant` digits (0: the shortest), the shortest rounded half up,
// trailing zeros left out.
void AppendJsonNumberDigits(std::string& out, double value, int significant);

// Appends `value` as a JSON integer.
void AppendJsonInteger(std::string& out, long long value);

// Appends the comma that parts a value from the one before it: none at the start of the text,
// of an array or of an object, or after a key.
void AppendJsonComma(std::string& out);

// Appends `"name":` with a comma before it unless it opens its object (`first`).
void AppendJsonKey(std::string& out, std::string_view name, bool first = false);

// Appends {"error":TEXT} and a line feed: the answer to a request that could not be solved.
void AppendErrorLine(std::string& out, std::string_view error);
