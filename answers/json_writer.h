// JSON text written straight into a string: the one writer of every JSON the program answers.
#pragma once

#include <string>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The length of the stretch at the start of `text` that a JSON string holds as it stands:
// printable ASCII (DEL included) without '"' and '\\'.
std::size_t PlainJsonLength(std::string_view text);

#ifdef __SSE2__
// One bit for each of sixteen bytes that a JSON string cannot hold as it stands (compared as
// signed bytes, every byte from 0x80 up is below 0x20 too). Inline: every text goes through it.
inline unsigned JsonCareMask16(const char* bytes) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i care = _mm_or_si128(_mm_cmplt_epi8(block, _mm_set1_epi8(0x20)),
                                    _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('"')),
                                                 _mm_cmpeq_epi8(block, _mm_set1_epi8('\\'))));
  return static_cast<unsigned>(_mm_movemask_epi8(care));
}
#endif

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

// Appends `value` as a JSON integer.
void AppendJsonInteger(std::string& out, long long value);

// Appends the comma that parts a value from the one before it: none at the start of the text,
// of an array or of an object, or after a key.
void AppendJsonComma(std::string& out);

// Appends `"name":` with a comma before it unless it opens its object (`first`).
void AppendJsonKey(std::string& out, std::string_view name, bool first = false);

// Appends {"error":TEXT} and a line feed: the answer to a request that could not be solved.
void AppendErrorLine(std::string& out, std::string_view error);
