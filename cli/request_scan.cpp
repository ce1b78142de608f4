// The reading of plain batch requests: such a line in one pass, without a JSON parser.
#include "request_scan.h"

#include <bit>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "dialog_controls.h"
#include "json_writer.h"
#include "solve_case.h"

namespace {

struct Cursor {
  const char* at;
  const char* end;
};

bool IsJsonBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Skips blanks, then takes `c` if it comes next.
bool TakeAfterBlanks(Cursor& cursor, char c) {
  while (cursor.at < cursor.end && IsJsonBlank(*cursor.at)) ++cursor.at;
  if (cursor.at == cursor.end || *cursor.at != c) return false;
  ++cursor.at;
  return true;
}

// The same, with no blanks to skip when `c` comes at once, as in requests written without them.
inline bool Take(Cursor& cursor, char c) {
  if (cursor.at != cursor.end && *cursor.at == c) {
    ++cursor.at;
    return true;
  }
  return TakeAfterBlanks(cursor, c);
}

bool AtEnd(Cursor& cursor) {
  while (cursor.at < cursor.end && IsJsonBlank(*cursor.at)) ++cursor.at;
  return cursor.at == cursor.end;
}

// A string whose characters are all printable ASCII (0x20 to 0x7F) without a backslash: its
// text is then its bytes as they stand. A name that is only looked up in a table is not
// checked: one that needs an escape is in no table, and so the line goes to the full parser.
inline bool TakePlainString(Cursor& cursor, std::string_view& text, bool lookedUp = false) {
  if (!Take(cursor, '"')) return false;
#ifdef __SSE2__
  // Most texts end within sixteen bytes: one block finds the closing quote and tells whether
  // any byte before it needs an escape.
  if (cursor.end - cursor.at >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cursor.at));
    const auto quotes =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('"'))));
    if (quotes != 0) {
      const int length = std::countr_zero(quotes);
      const unsigned before = (1u << length) - 1;
      if (!lookedUp && (JsonCareMask16(cursor.at) & before) != 0) return false;
      text = std::string_view(cursor.at, static_cast<std::size_t>(length));
      cursor.at += length + 1;
      return true;
    }
  }
#endif
  const char* quote = cursor.at;  // a loop, not memchr: the texts are a few bytes long
  while (quote != cursor.end && *quote != '"') ++quote;
  if (quote == cursor.end) return false;
  text = std::string_view(cursor.at, static_cast<std::size_t>(quote - cursor.at));
  if (!lookedUp && PlainJsonLength(text) != text.size()) return false;
  cursor.at = quote + 1;
  return true;
}

// "fields": {NAME: TEXT, ...}, after its key and colon.
bool TakeFields(Cursor& cursor, SolveCase& solveCase) {
  if (!Take(cursor, '{')) return false;
  if (Take(cursor, '}')) return true;
  do {
    std::string_view name, text;
    if (!TakePlainString(cursor, name, true) || !Take(cursor, ':') ||
        !TakePlainString(cursor, text))
      return false;
    const int id = FieldId(name);
    if (id == 0) return false;
    solveCase.seeds.emplace_back(id, text);
  } while (Take(cursor, ','));
  return Take(cursor, '}');
}

}  // namespace

bool ScanPlainRequest(std::string_view line, SolveCase& solveCase) {
  Cursor cursor{line.data(), line.data() + line.size()};
  if (!Take(cursor, '{')) return false;
  if (!Take(cursor, '}')) {
    do {
      std::string_view key, value;
      if (!TakePlainString(cursor, key, true) || !Take(cursor, ':')) return false;
      if (key == "fields") {
        if (!TakeFields(cursor, solveCase)) return false;
        continue;
      }
      if (!TakePlainString(cursor, value, true)) return false;
      if (key == "unit") {
        const LengthUnit* unit = FindLengthUnit(value);
        if (!unit) return false;
        solveCase.lengthScale = unit->scale;
      } else if (key == "mode") {
        const std::int16_t* mode = FindSolveMode(value);
        if (!mode) return false;
        solveCase.solveMode = *mode;
      } else {
        return false;
      }
    } while (Take(cursor, ','));
    if (!Take(cursor, '}')) return false;
  }
  return AtEnd(cursor);
}
